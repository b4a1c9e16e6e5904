#include "ChoosableKeys.h"

#include "KeyNames.h"

namespace {

std::vector<ChoosableKey> MakeList() {
    static const std::uint8_t namedKeys[] = {
        0x0D, 0x1B, 0x09, 0x20, 0x08, 0x2E, 0x2D, 0x24, 0x23, 0x21, 0x22,
        0x25, 0x26, 0x27, 0x28, 0x13, 0x14, 0x0C, 0x2F, 0x5B, 0x5C, 0x5D,
    };
    std::vector<ChoosableKey> keys;
    for (std::uint8_t code : namedKeys) {
        keys.push_back({code, GetKeyName(code)});
    }
    for (int code = 0x70; code <= 0x87; ++code) { // F1..F24
        keys.push_back(
            {static_cast<std::uint8_t>(code), GetKeyName(static_cast<std::uint8_t>(code))});
    }
    for (int code = 0xAD; code <= 0xB3; ++code) { // mute .. play/pause
        keys.push_back(
            {static_cast<std::uint8_t>(code), GetKeyName(static_cast<std::uint8_t>(code))});
    }
    for (int code = 0xA6; code <= 0xAC; ++code) { // browser back .. home
        keys.push_back(
            {static_cast<std::uint8_t>(code), GetKeyName(static_cast<std::uint8_t>(code))});
    }
    // The Japanese input keys; those the key names call by an English
    // abbreviation also show the name printed on the key.
    keys.push_back({0xF3, GetKeyName(0xF3)});
    keys.push_back({0x1C, GetKeyName(0x1C)});
    keys.push_back({0x1D, GetKeyName(0x1D) + " (無変換)"});
    keys.push_back({0xF2, GetKeyName(0xF2)});
    keys.push_back({0x15, GetKeyName(0x15) + " (かな)"});
    keys.push_back({0x19, GetKeyName(0x19) + " (漢字)"});
    return keys;
}

} // namespace

const std::vector<ChoosableKey>& ChoosableKeys() {
    static const std::vector<ChoosableKey> keys = MakeList();
    return keys;
}

int ChoosableKeyIndex(int keyCode) {
    const std::vector<ChoosableKey>& keys = ChoosableKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].keyCode == keyCode) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
