#include "ForegroundApplication.h"

#include "AppWindows.h"
#include "ExePath.h"
#include "ScopedHandle.h"
#include "Win32DesktopWindows.h"

#include <vector>

namespace {
// The longest path the system knows (\\?\ paths), in bytes of the ANSI
// code page, where a character may take two.
constexpr std::size_t kLongestPath = 2 * 32768;
} // namespace

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
    // The buffer grows with the path: a path beyond MAX_PATH is read whole,
    // never cut (a cut could fall inside a double-byte character).
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD size = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameA(process.Get(), 0, path.data(), &size)) {
            return CanonicalExePath(std::string(path.data(), size));
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= kLongestPath) {
            return std::string();
        }
        path.resize(path.size() * 2);
    }
}

std::string WindowExePath(HWND window) {
    return ProcessExePath(ProcessOfWindow(window));
}
