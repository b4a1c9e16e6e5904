#include "VersionInfo.h"

#include "StringUtil.h"
#include "VersionResource.h"

#include <cstdint>
#include <cstring>

namespace {
const char* const kValueNames[CVersionInfo::kValueCount] = {
    "\\CompanyName",    "\\FileDescription",  "\\FileVersion",  "\\InternalName",
    "\\LegalCopyright", "\\OriginalFileName", "\\ProductName",  "\\ProductVersion",
    "\\Comments",       "\\LegalTrademarks",  "\\PrivateBuild", "\\SpecialBuild",
};
const char kMissing[] = "-";
} // namespace

void CVersionInfo::ClearValues() {
    for (std::string& value : m_values) {
        value.clear();
    }
}

void CVersionInfo::SetValue(int index, const std::string& value) {
    if (index >= 0 && index < kValueCount) {
        m_values[index] = value;
    }
}

void CVersionInfo::LoadFromFile(const std::string& path) {
    std::unique_ptr<IVersionResource> resource = CreatePlatformVersionResource();
    LoadFromFile(path, *resource);
}

void CVersionInfo::LoadFromFile(const std::string& path, IVersionResource& resource) {
    ClearValues();
    const void* data = nullptr;
    unsigned length = 0;
    if (!resource.Load(path) || !resource.Query("\\VarFileInfo\\Translation", data, length) ||
        data == nullptr || length < 2 * sizeof(std::uint16_t)) {
        for (int i = 0; i < kValueCount; ++i) {
            SetValue(i, kMissing);
        }
        return;
    }
    std::uint16_t pair[2];
    std::memcpy(pair, data, sizeof pair);
    for (int i = 0; i < kValueCount; ++i) {
        const std::string subBlock =
            Format("%s%04x%04x%s", "\\StringFileInfo\\", pair[0], pair[1], kValueNames[i]);
        const void* text = nullptr;
        unsigned textLength = 0;
        if (!resource.Query(subBlock, text, textLength)) {
            SetValue(i, kMissing);
        } else if (text == nullptr || textLength == 0) {
            SetValue(i, std::string());
        } else {
            const char* chars = static_cast<const char*>(text);
            SetValue(i, std::string(chars, ::strnlen(chars, textLength)));
        }
    }
}
