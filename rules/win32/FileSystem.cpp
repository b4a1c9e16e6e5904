#include "FileSystem.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace {

// A scanner, the search indexer or a sync client that has the file open
// without sharing makes opening and replacing it fail with a sharing
// violation (support.microsoft.com KB 316609, "ERROR_SHARING_VIOLATION ...
// when the CreateFile function is used"); a file whose deletion is still
// pending behind such a handle answers with access denied
// (GoogleContainerTools/jib#1855: an atomic move refused while the virus
// scanner looks at the new file). Both pass once the other program lets go.
FileTry TryOf(bool done) {
    if (done) {
        return FileTry::Done;
    }
    switch (GetLastError()) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
        return FileTry::Locked;
    default:
        return FileTry::Failed;
    }
}

// Windows refuses to replace or write a read-only file; Wine replaces it.
// The user who made Config.ini read-only wants it left alone on both, and
// waiting would not change it.
bool IsReadOnlyFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

FileTry OpenFileForWriting(const std::string& path, std::FILE*& stream) {
    stream = nullptr;
    if (IsReadOnlyFile(path)) {
        return FileTry::Failed;
    }
    // Opened and then emptied rather than created anew, which a hidden file
    // refuses.
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return TryOf(false);
    }
    if (!SetEndOfFile(handle)) {
        CloseHandle(handle);
        return FileTry::Failed;
    }
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor == -1) {
        CloseHandle(handle);
        return FileTry::Failed;
    }
    stream = _fdopen(descriptor, "wb");
    if (stream == nullptr) {
        _close(descriptor); // closes the handle too
        return FileTry::Failed;
    }
    return FileTry::Done;
}

bool SyncStream(std::FILE* stream) {
    if (std::fflush(stream) != 0) {
        return false;
    }
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != FALSE;
}

FileTry ReplaceFileAtomically(const std::string& from, const std::string& to) {
    if (IsReadOnlyFile(to)) {
        return FileTry::Failed;
    }
    return TryOf(MoveFileExA(from.c_str(), to.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE);
}
