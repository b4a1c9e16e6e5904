// A program for activation rules to start: one visible window titled with
// its own file name, and for every start one line with its working
// directory appended to "<its own path>.starts". While "<its own path>.sleep"
// exists (a minute at most) it sleeps before making its window, as a program
// that is slow to come up. It ends when its window is closed, or after a
// minute.
#include "HelperProgramWindow.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

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

    const char kClassName[] = "SqLaunchTarget";
    if (!RegisterHelperWindowClass(kClassName)) {
        return 3;
    }
    HWND window =
        CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120,
                        300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr || !RunHelperProgram(window)) {
        return 4;
    }
    return 0;
}
