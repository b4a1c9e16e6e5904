#include "TestDesktop.h"

#include <vector>

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(10);
    }
}

std::string OwnExecutablePath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return (length == 0 || length >= MAX_PATH) ? std::string() : std::string(path, length);
}

std::string WindowAppPath() {
    std::string path = OwnExecutablePath();
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) {
        return std::string();
    }
    return path.substr(0, slash + 1) + "sq_engine_test_window_app.exe";
}

std::string SwapLetterCase(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return s;
}

namespace {
const char kTestWindowClass[] = "SqEngineTestOwnWindow";

ATOM RegisterTestClass(WNDPROC procedure) {
    static std::vector<std::pair<WNDPROC, ATOM>> registered;
    for (const auto& entry : registered) {
        if (entry.first == procedure) {
            return entry.second;
        }
    }
    const std::string name = kTestWindowClass + std::to_string(registered.size());
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name.c_str();
    const ATOM atom = RegisterClassA(&windowClass);
    if (atom != 0) {
        registered.emplace_back(procedure, atom);
    }
    return atom;
}
} // namespace

CTestWindow::CTestWindow(const char* title, WNDPROC procedure) : m_window(nullptr) {
    const ATOM atom = RegisterTestClass(procedure != nullptr ? procedure : DefWindowProcA);
    if (atom == 0) {
        return;
    }
    m_window = CreateWindowExA(0, MAKEINTATOM(atom), title, WS_OVERLAPPEDWINDOW, 50, 50, 300, 200,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (m_window != nullptr) {
        ShowWindow(m_window, SW_SHOWNORMAL);
        UpdateWindow(m_window);
    }
}

CTestWindow::~CTestWindow() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

bool CTestWindow::TakeFocus() {
    SetForegroundWindow(m_window);
    SetFocus(m_window);
    return PumpUntil([&] { return GetForegroundWindow() == m_window && GetFocus() == m_window; });
}

CWindowAppProcess::CWindowAppProcess(const char* mode, const std::string& title) {
    const std::string path = WindowAppPath();
    std::string commandLine = "\"" + path + "\" " + mode + " \"" + title + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_info)) {
        m_info = {};
        return;
    }
    WaitForInputIdle(m_info.hProcess, 10000);
}

CWindowAppProcess::~CWindowAppProcess() {
    if (m_info.hProcess == nullptr) {
        return;
    }
    TerminateProcess(m_info.hProcess, 0);
    WaitForSingleObject(m_info.hProcess, 5000);
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

HWND CWindowAppProcess::WaitForWindow(const std::string& title) const {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            found = FindWindowA("SqEngineTestWindow", title.c_str());
            return found != nullptr;
        },
        10000);
    return found;
}
