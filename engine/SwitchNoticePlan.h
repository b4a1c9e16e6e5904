#pragma once
#include <cstdint>
#include <string>

// What the on-screen notice of a switch shows and how it fades: the
// converter switched on ("有効") or off ("無効"), or the layer switched (its
// name). It stays fully visible
// for a while, then fades, about 1.2 s in all; a new switch replaces the
// notice on screen and starts its time anew. Times are the caller's clock
// in milliseconds (it may wrap).
class CSwitchNoticePlan {
public:
    static constexpr std::uint32_t kSteadyMs = 800;
    static constexpr std::uint32_t kFadeMs = 400;
    static constexpr std::uint8_t kFullOpacity = 230;

    // Off: switches show nothing, and a notice on screen goes at once.
    void SetWanted(bool wanted);
    bool IsWanted() const { return m_wanted; }

    // The converter was switched; true when a notice is to be shown now.
    bool OnEnabledChanged(bool enabled, std::uint32_t nowMs);
    // The current layer changed; `layerName` as the user sees it.
    bool OnLayerChanged(const std::string& layerName, std::uint32_t nowMs);
    const std::string& Text() const { return m_text; }

    // 0..255 at that time; 0 when no notice is on screen (never shown,
    // faded, or not wanted).
    std::uint8_t OpacityAt(std::uint32_t nowMs) const;

private:
    bool Show(std::string text, std::uint32_t nowMs);

    bool m_wanted = true;
    bool m_showing = false;
    std::uint32_t m_shownAt = 0;
    std::string m_text;
};
