#include "DialogTemplate.h"

#include <cstring>

namespace {
// An extended template starts with version 1 and the signature 0xFFFF; its
// style follows the help id and the extended style.
constexpr size_t kExtendedStyleOffset = 12;
constexpr size_t kMinimumSize = 16;

bool IsExtendedTemplate(const unsigned char* data) {
    WORD version;
    WORD signature;
    std::memcpy(&version, data, sizeof version);
    std::memcpy(&signature, data + 2, sizeof signature);
    return version == 1 && signature == 0xFFFF;
}
} // namespace

bool CDialogTemplate::Load(HINSTANCE module, UINT templateId) {
    m_data.clear();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    if (found == nullptr) {
        return false;
    }
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr || size < kMinimumSize) {
        return false;
    }
    const unsigned char* begin = static_cast<const unsigned char*>(bytes);
    m_data.assign(begin, begin + size);
    // The window system reads templates at DWORD alignment; a vector's
    // storage is aligned well enough for that.
    const size_t styleOffset = IsExtendedTemplate(m_data.data()) ? kExtendedStyleOffset : 0;
    DWORD style;
    std::memcpy(&style, m_data.data() + styleOffset, sizeof style);
    m_wasVisible = (style & WS_VISIBLE) != 0;
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(m_data.data() + styleOffset, &style, sizeof style);
    return true;
}
