#include "EnumerateProcesses.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// A /proc entry names a process when it is all digits.
bool ParseProcessId(const char* name, std::uint32_t* id) {
    if (*name < '0' || *name > '9') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(name, &end, 10);
    if (errno != 0 || *end != '\0' || value > UINT32_MAX) {
        return false;
    }
    *id = static_cast<std::uint32_t>(value);
    return true;
}

} // namespace

bool EnumerateProcesses(ProcessVisitor visitor, void* context) {
    const std::unique_ptr<DIR, DirCloser> proc(opendir("/proc"));
    if (!proc) {
        return false;
    }
    while (const dirent* entry = readdir(proc.get())) {
        std::uint32_t id = 0;
        if (!ParseProcessId(entry->d_name, &id)) {
            continue;
        }
        char link[64];
        std::snprintf(link, sizeof link, "/proc/%u/exe", static_cast<unsigned>(id));
        char path[4096];
        // Other users' processes and kernel threads have no readable link.
        const ssize_t length = readlink(link, path, sizeof path - 1);
        path[length > 0 ? length : 0] = '\0';
        if (!visitor(id, path, context)) {
            break;
        }
    }
    return true;
}
