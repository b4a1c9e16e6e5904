#include "FileSystem.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// No other program can hold a file here the way a Windows scanner does: a
// failure is for good.
FileTry OpenFileForWriting(const std::string& path, std::FILE*& stream) {
    stream = std::fopen(path.c_str(), "wb");
    return stream != nullptr ? FileTry::Done : FileTry::Failed;
}

bool SyncStream(std::FILE* stream) {
    return std::fflush(stream) == 0 && fsync(fileno(stream)) == 0;
}

FileTry ReplaceFileAtomically(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        return FileTry::Failed;
    }
    // The rename itself is durable only once its directory is.
    const size_t slash = to.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : to.substr(0, slash + 1);
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return FileTry::Failed;
    }
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced ? FileTry::Done : FileTry::Failed;
}
