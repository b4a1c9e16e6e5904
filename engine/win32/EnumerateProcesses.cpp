#include "EnumerateProcesses.h"
#include "LoadedLibrary.h"
#include "Win32ProcessStatusApi.h"

#include <tlhelp32.h>

namespace {

bool EnumerateWithProcessStatus(ProcessVisitor visitor, void* context) {
    CWin32ProcessStatusApi api;
    if (!api.IsUsable()) {
        return false;
    }
    return WalkProcessStatus(api, visitor, context);
}

// The Windows 95/98/Me family has no process-status library.
bool EnumerateWithToolHelp(ProcessVisitor visitor, void* context) {
    typedef HANDLE(WINAPI * CreateSnapshotFn)(DWORD flags, DWORD processId);
    typedef BOOL(WINAPI * Process32Fn)(HANDLE snapshot, PROCESSENTRY32 * entry);

    const CLoadedLibrary kernel32("Kernel32.DLL");
    const auto createSnapshot = kernel32.Get<CreateSnapshotFn>("CreateToolhelp32Snapshot");
    const auto first = kernel32.Get<Process32Fn>("Process32First");
    const auto next = kernel32.Get<Process32Fn>("Process32Next");
    if (createSnapshot == nullptr || first == nullptr || next == nullptr) {
        return false;
    }
    const CScopedHandle snapshot(createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) {
        return false;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL fetched = first(snapshot.Get(), &entry); fetched;
         fetched = next(snapshot.Get(), &entry)) {
        entry.szExeFile[MAX_PATH - 1] = '\0';
        if (!visitor(entry.th32ProcessID, 0, entry.szExeFile, context)) {
            break;
        }
        entry.dwSize = sizeof entry;
    }
    return true;
}

} // namespace

bool EnumerateProcesses(ProcessVisitor visitor, void* context) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) {
        return false;
    }
    switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT:
        return EnumerateWithProcessStatus(visitor, context);
    case VER_PLATFORM_WIN32_WINDOWS:
        return EnumerateWithToolHelp(visitor, context);
    default:
        return false;
    }
}
