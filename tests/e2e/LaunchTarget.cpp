// A program for activation rules to start: one visible window titled with
// its own file name, and for every start one line with its working
// directory appended to "<its own path>.starts". While "<its own path>.sleep"
// exists (a minute at most) it sleeps before making its window, as a program
// that is slow to come up. It ends when its window is closed, or after a
// minute.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool AppendStart(const std::string& ownPath) {
    char directory[MAX_PATH] = {};
    if (GetCurrentDirectoryA(MAX_PATH, directory) == 0) {
        return false;
    }
    FILE* log = std::fopen((ownPath + ".starts").c_str(), "a");
    if (log == nullptr) {
        return false;
    }
    const bool written = std::fprintf(log, "%s\n", directory) > 0;
    return std::fclose(log) == 0 && written;
}

void SleepWhileAsked(const std::string& ownPath) {
    const std::string flag = ownPath + ".sleep";
    for (int slept = 0; slept < 600 && GetFileAttributesA(flag.c_str()) != INVALID_FILE_ATTRIBUTES;
         ++slept) {
        Sleep(100);
    }
}

} // namespace

int main() {
    char ownPath[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !AppendStart(ownPath)) {
        return 2;
    }
    const std::string path = ownPath;
    SleepWhileAsked(path);
    const std::string title = path.substr(path.find_last_of('\\') + 1);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SqLaunchTarget";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (!RegisterClassA(&windowClass)) {
        return 3;
    }
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, title.c_str(),
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120, 300, 200, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr || SetTimer(window, 1, 60000, nullptr) == 0) {
        return 4;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
