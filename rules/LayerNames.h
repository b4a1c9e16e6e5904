#pragma once
#include <cstdint>
#include <string>

// The names the user gave the layers 1..16. A layer without a name is
// shown by its number; the names are kept with the table and saved with it.
class CLayerNames {
public:
    static constexpr int kFirstLayer = 1;
    static constexpr int kLayerCount = 16;

    static bool IsLayer(int layer) { return layer >= kFirstLayer && layer <= kLayerCount; }

    // The name as the user gave it; empty when none (or not a layer).
    const std::string& Get(int layer) const;
    // False, and nothing changed, for a number that is no layer or a name
    // with a line break (a settings file line cannot hold one).
    bool Set(int layer, const std::string& name);
    // The name, or "レイヤー N" for a layer without one (any number).
    std::string Display(int layer) const;
    // Bit n set: layer n has a name.
    std::uint32_t NamedMask() const;
    bool operator==(const CLayerNames& other) const;

private:
    std::string m_names[kLayerCount];
};
