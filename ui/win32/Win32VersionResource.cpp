#include "VersionResource.h"

#include <windows.h>

#include <vector>

namespace {

class CWin32VersionResource : public IVersionResource {
public:
    bool Load(const std::string& path) override {
        m_data.clear();
        DWORD handle = 0;
        const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
        m_data.assign(size > 0 ? size : 1, 0);
        if (size == 0 || !::GetFileVersionInfoA(path.c_str(), 0, size, m_data.data())) {
            m_data.clear();
            return false;
        }
        return true;
    }

    bool Query(const std::string& subBlock, const void*& data, unsigned& length) override {
        if (m_data.empty()) {
            return false;
        }
        void* found = nullptr;
        UINT foundLength = 0;
        if (!::VerQueryValueA(m_data.data(), subBlock.c_str(), &found, &foundLength)) {
            return false;
        }
        data = found;
        length = foundLength;
        return true;
    }

private:
    std::vector<unsigned char> m_data;
};

} // namespace

std::unique_ptr<IVersionResource> CreatePlatformVersionResource() {
    return std::make_unique<CWin32VersionResource>();
}
