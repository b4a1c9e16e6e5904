#include "FileSystem.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

std::FILE* OpenFileForWriting(const std::string& path) {
    return std::fopen(path.c_str(), "wb");
}

bool SyncStream(std::FILE* stream) {
    return std::fflush(stream) == 0 && fsync(fileno(stream)) == 0;
}

bool ReplaceFileAtomically(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    // The rename itself is durable only once its directory is.
    const size_t slash = to.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : to.substr(0, slash + 1);
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return false;
    }
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}
