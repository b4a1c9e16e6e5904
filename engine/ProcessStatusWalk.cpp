#include "ProcessStatusWalk.h"

#include <memory>
#include <new>

namespace {

constexpr std::uint32_t kInitialIdBufferBytes = 1024;

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

bool WalkProcessStatus(IProcessStatusApi& api, ProcessVisitor visitor, void* context) {
    std::uint32_t count = 0;
    const std::unique_ptr<std::uint32_t[]> ids = ReadIdList(api, &count);
    if (!ids) {
        return false;
    }
    std::string path;
    for (std::uint32_t i = 0; i < count; ++i) {
        path.clear();
        if (!api.ReadImagePath(ids[i], path)) {
            path.clear();
        }
        if (!visitor(ids[i], path.c_str(), context)) {
            break;
        }
    }
    return true;
}
