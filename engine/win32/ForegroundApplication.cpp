#include "ForegroundApplication.h"

#include "LoadedLibrary.h"

DWORD ProcessOfWindow(HWND window) {
    DWORD processId = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) {
        return 0;
    }
    return processId;
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
