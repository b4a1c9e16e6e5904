#include "ProcessStatusWalk.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr std::uint32_t kInitialIdBufferBytes = 1024;

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The platform cannot tell how many ids there are; a full buffer may have
// cut the list, so it is read again into one twice the size.
std::unique_ptr<std::uint32_t[]> ReadIdList(IProcessStatusApi& api, std::uint32_t* count) {
    std::uint32_t bufferBytes = kInitialIdBufferBytes;
    for (;;) {
        std::unique_ptr<std::uint32_t[]> ids(
            new (std::nothrow) std::uint32_t[bufferBytes / sizeof(std::uint32_t)]);
        if (!ids) {
            return nullptr;
        }
        std::uint32_t written = 0;
        if (!api.EnumProcessIds(ids.get(), bufferBytes, &written)) {
            return nullptr;
        }
        if (written < bufferBytes) {
            *count = written / sizeof(std::uint32_t);
            return ids;
        }
        if (bufferBytes > UINT32_MAX / 2) {
            return nullptr;
        }
        bufferBytes *= 2;
    }
}

} // namespace

bool IsNtvdmPath(const char* path) {
    static const char kName[] = "NTVDM.EXE";
    const std::size_t nameLength = sizeof(kName) - 1;
    const std::size_t length = std::strlen(path);
    if (length < nameLength) {
        return false;
    }
    const char* tail = path + length - nameLength;
    for (std::size_t i = 0; i < nameLength; ++i) {
        if (AsciiUpper(tail[i]) != kName[i]) {
            return false;
        }
    }
    return true;
}

bool WalkProcessStatus(IProcessStatusApi& api, ProcessVisitor visitor, void* context) {
    std::uint32_t count = 0;
    const std::unique_ptr<std::uint32_t[]> ids = ReadIdList(api, &count);
    if (!ids) {
        return false;
    }
    const bool canWalkTasks = api.CanWalkWowTasks();
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t id = ids[i];
        char path[IProcessStatusApi::kPathSize] = {};
        // The limited query reads no memory of the process. Opening every
        // process for reading, the credential store's included, is what
        // security software watches for as credential theft.
        if (!api.ReadImagePath(id, path) || path[0] == '\0') {
            path[0] = '\0';
            if (!api.ReadMainModulePath(id, path)) {
                path[0] = '\0';
            }
        }
        path[IProcessStatusApi::kPathSize - 1] = '\0';
        if (!visitor(id, 0, path, context)) {
            break;
        }
        if (canWalkTasks && IsNtvdmPath(path)) {
            WowRelayContext relay{id, visitor, context, 0};
            api.WalkWowTasks(id, relay);
            if (relay.stop) {
                break;
            }
        }
    }
    return true;
}
