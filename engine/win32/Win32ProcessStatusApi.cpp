#include "Win32ProcessStatusApi.h"

#include "ForegroundApplication.h"

#include <windows.h>

#include <psapi.h>

bool CWin32ProcessStatusApi::EnumProcessIds(std::uint32_t* ids, std::uint32_t bufferBytes,
                                            std::uint32_t* bytesWritten) {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "process ids are 32-bit");
    DWORD written = 0;
    if (!K32EnumProcesses(reinterpret_cast<DWORD*>(ids), bufferBytes, &written)) {
        return false;
    }
    *bytesWritten = written;
    return true;
}

bool CWin32ProcessStatusApi::ReadImagePath(std::uint32_t processId, std::string& path) {
    path = ProcessExePath(processId);
    return !path.empty();
}
