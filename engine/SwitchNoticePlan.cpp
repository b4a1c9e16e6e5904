#include "SwitchNoticePlan.h"

#include <utility>

void CSwitchNoticePlan::SetWanted(bool wanted) {
    m_wanted = wanted;
    if (!wanted) {
        m_showing = false;
    }
}

bool CSwitchNoticePlan::OnEnabledChanged(bool enabled, std::uint32_t nowMs) {
    return Show(enabled ? "有効" : "無効", nowMs);
}

bool CSwitchNoticePlan::OnLayerChanged(const std::string& layerName, std::uint32_t nowMs) {
    return Show(layerName, nowMs);
}

bool CSwitchNoticePlan::Show(std::string text, std::uint32_t nowMs) {
    if (!m_wanted) {
        return false;
    }
    m_text = std::move(text);
    m_showing = true;
    m_shownAt = nowMs;
    return true;
}

std::uint8_t CSwitchNoticePlan::OpacityAt(std::uint32_t nowMs) const {
    if (!m_showing) {
        return 0;
    }
    const std::uint32_t elapsed = nowMs - m_shownAt; // unsigned: wraps right
    if (elapsed < kSteadyMs) {
        return kFullOpacity;
    }
    if (elapsed >= kSteadyMs + kFadeMs) {
        return 0;
    }
    const std::uint32_t left = kSteadyMs + kFadeMs - elapsed;
    return static_cast<std::uint8_t>(kFullOpacity * left / kFadeMs);
}
