#include "FileSystem.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool GetFileStamp(const std::string& path, long long stamp[2]) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        return false;
    }
    stamp[0] = static_cast<long long>(info.st_size);
    stamp[1] = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return true;
}

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
