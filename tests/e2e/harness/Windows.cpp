#include "Windows.h"

#include "Polling.h"

std::string WindowText(HWND window) {
    // Through the message, not GetWindowTextA: that one does not ask another
    // process's window for the text of its child controls.
    char text[1024] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &length)) {
        return std::string();
    }
    return std::string(text, length < sizeof text ? length : sizeof text - 1);
}

std::string WindowClass(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

DWORD WindowProcessId(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

namespace {
struct Collect {
    DWORD processId;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* collect = reinterpret_cast<Collect*>(param);
    if (WindowProcessId(window) == collect->processId) {
        collect->windows->push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}
} // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    std::vector<HWND> windows;
    Collect collect{processId, &windows};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&collect));
    return windows;
}

HWND FindTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& match) {
    for (HWND window : TopLevelWindowsOf(processId)) {
        if (match(window)) {
            return window;
        }
    }
    return nullptr;
}

HWND WaitForTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& match,
                           unsigned timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevelWindow(processId, match)) != nullptr; },
              timeoutMs);
    return found;
}

std::vector<HWND> ChildWindowsOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool IsDialogTitled(HWND window, const std::string& prefix) {
    return WindowClass(window) == "#32770" && WindowText(window).compare(0, prefix.size(), prefix) == 0;
}

HWND FindPopupMenu(DWORD processId) {
    // Menus are top-level windows of their own class.
    return FindTopLevelWindow(processId, [](HWND window) {
        return WindowClass(window) == "#32768" && IsWindowVisible(window);
    });
}
