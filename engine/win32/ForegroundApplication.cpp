#include "ForegroundApplication.h"

#include "AppWindows.h"
#include "LoadedLibrary.h"
#include "Win32DesktopWindows.h"

DWORD ProcessOfWindow(HWND window) {
    if (window == nullptr) {
        return 0;
    }
    // A Store app's frame belongs to the frame host, which stands for every
    // Store app: the app in front is the process of its core window, as the
    // activation and the picker read it.
    CWin32DesktopWindows desktop;
    return AppProcessId(desktop, window);
}

std::string ProcessExePath(DWORD processId) {
    if (processId == 0) {
        return std::string();
    }
    // The limited right is granted also on processes of other users and on
    // elevated ones, whose executable path is all we read.
    const CScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process.IsValid()) {
        return std::string();
    }
    char path[MAX_PATH * 4];
    DWORD size = sizeof path;
    if (!QueryFullProcessImageNameA(process.Get(), 0, path, &size)) {
        return std::string();
    }
    return std::string(path, size);
}

std::string WindowExePath(HWND window) {
    return ProcessExePath(ProcessOfWindow(window));
}
