#include "KeyStroke.h"

#include "ChangeTableItem.h"

namespace {

constexpr std::uint8_t kVkCancel = 0x03; // Break
constexpr std::uint8_t kVkShift = 0x10;
constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkMenu = 0x12;
constexpr std::uint8_t kVkPrior = 0x21;
constexpr std::uint8_t kVkDown = 0x28;
constexpr std::uint8_t kVkSnapshot = 0x2C;
constexpr std::uint8_t kVkInsert = 0x2D;
constexpr std::uint8_t kVkDelete = 0x2E;
constexpr std::uint8_t kVkLWin = 0x5B;
constexpr std::uint8_t kVkApps = 0x5D;
constexpr std::uint8_t kVkDivide = 0x6F;
constexpr std::uint8_t kVkNumLock = 0x90;
constexpr std::uint8_t kVkRControl = 0xA3;
constexpr std::uint8_t kVkRMenu = 0xA5;

struct Modifier {
    std::uint8_t flag;
    std::uint8_t virtualKey;
};
constexpr Modifier kModifiers[] = {
    {CChangeTableItem::KeyFlagCtrl, kVkControl},
    {CChangeTableItem::KeyFlagShift, kVkShift},
    {CChangeTableItem::KeyFlagAlt, kVkMenu},
};

} // namespace

bool IsExtendedKey(std::uint8_t vk) {
    if (vk >= kVkPrior && vk <= kVkDown) { // Page Up/Down, End, Home, arrows
        return true;
    }
    if (vk >= kVkLWin && vk <= kVkApps) { // both Windows keys, application key
        return true;
    }
    switch (vk) {
    case kVkCancel:
    case kVkSnapshot:
    case kVkInsert:
    case kVkDelete:
    case kVkDivide:
    case kVkNumLock:
    case kVkRControl:
    case kVkRMenu:
        return true;
    default:
        return false;
    }
}

int BuildKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag,
                   KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]) {
    int count = 0;
    auto add = [&](std::uint8_t vk, bool up) {
        events[count++] = KeyStrokeEvent{vk, up, IsExtendedKey(vk)};
    };
    for (const Modifier& m : kModifiers) {
        if (keyFlag & m.flag) {
            add(m.virtualKey, false);
        }
    }
    add(keyCode, false);
    add(keyCode, true);
    for (int i = 2; i >= 0; --i) {
        if (keyFlag & kModifiers[i].flag) {
            add(kModifiers[i].virtualKey, true);
        }
    }
    return count;
}
