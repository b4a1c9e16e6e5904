#include "LayerNames.h"

#include "StringUtil.h"

const std::string& CLayerNames::Get(int layer) const {
    static const std::string none;
    return IsLayer(layer) ? m_names[layer - kFirstLayer] : none;
}

bool CLayerNames::Set(int layer, const std::string& name) {
    if (!IsLayer(layer) || name.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    m_names[layer - kFirstLayer] = name;
    return true;
}

std::string CLayerNames::Display(int layer) const {
    const std::string& name = Get(layer);
    return name.empty() ? Format("レイヤー %d", layer) : name;
}

std::uint32_t CLayerNames::NamedMask() const {
    std::uint32_t mask = 0;
    for (int layer = kFirstLayer; layer <= kLayerCount; ++layer) {
        if (!Get(layer).empty()) {
            mask |= 1u << layer;
        }
    }
    return mask;
}

bool CLayerNames::operator==(const CLayerNames& other) const {
    for (int i = 0; i < kLayerCount; ++i) {
        if (m_names[i] != other.m_names[i]) {
            return false;
        }
    }
    return true;
}
