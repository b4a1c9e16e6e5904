#include "FileSystem.h"

#include <windows.h>

#include <io.h>

bool SyncStream(std::FILE* stream) {
    if (std::fflush(stream) != 0) {
        return false;
    }
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != FALSE;
}

bool ReplaceFileAtomically(const std::string& from, const std::string& to) {
    // Windows refuses to replace a read-only file; Wine replaces it. The
    // user who made Config.ini read-only wants it left alone on both.
    const DWORD attributes = GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
