#include "KeyStroke.h"

#include "ChangeTableItem.h"
#include "HeldKeys.h"

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

KeyScanCode ScanCodeOf(const KeyStrokeEvent& event, unsigned mappedWithPrefix,
                       unsigned mappedPlain) {
    constexpr unsigned kExtendedPrefix = 0xE0;
    if (((mappedWithPrefix >> 8) & 0xFF) == kExtendedPrefix) {
        return KeyScanCode{static_cast<std::uint8_t>(mappedWithPrefix & 0xFF), true};
    }
    return KeyScanCode{static_cast<std::uint8_t>(mappedPlain & 0xFF), event.extended};
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

const std::uint8_t kSideModifierKeys[kSideModifierCount] = {
    0xA2, 0xA3, // left, right Ctrl
    0xA0, 0xA1, // left, right Shift
    0xA4, 0xA5, // left, right Alt
    kVkLWin, 0x5C,
};

namespace {

// The generic key of a side-specific modifier (Ctrl for right Ctrl); the
// Windows keys have none.
std::uint8_t GenericModifier(int sideIndex) {
    switch (sideIndex / 2) {
    case 0:
        return kVkControl;
    case 1:
        return kVkShift;
    case 2:
        return kVkMenu;
    default:
        return 0;
    }
}

bool IsAltOrWindows(int sideIndex) {
    return sideIndex >= 4;
}

std::uint8_t RuleFlagOf(int sideIndex) {
    switch (sideIndex / 2) {
    case 0:
        return CChangeTableItem::KeyFlagCtrl;
    case 1:
        return CChangeTableItem::KeyFlagShift;
    case 2:
        return CChangeTableItem::KeyFlagAlt;
    default:
        return 0;
    }
}

} // namespace

int BuildExactKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag, std::uint8_t physicallyDown,
                        const CHeldKeys& programHeld,
                        KeyStrokeEvent (&events)[kMaxExactKeyStrokeEvents]) {
    int count = 0;
    auto add = [&](std::uint8_t vk, bool up) {
        events[count++] = KeyStrokeEvent{vk, up, IsExtendedKey(vk)};
    };

    std::uint8_t ruleFlag = keyFlag;
    for (const Modifier& m : kModifiers) {
        if (programHeld.IsHeld(m.virtualKey)) {
            ruleFlag = static_cast<std::uint8_t>(ruleFlag & ~m.flag);
        }
    }
    std::uint8_t lifted = 0;
    bool menuOrStartCouldOpen = false;
    for (int i = 0; i < kSideModifierCount; ++i) {
        if (!(physicallyDown & (1u << i))) {
            continue;
        }
        const std::uint8_t vk = kSideModifierKeys[i];
        const std::uint8_t generic = GenericModifier(i);
        if (keyFlag & RuleFlagOf(i)) {
            // Already down as the rule wants it. Its release would make the
            // system believe it up while the user's finger is still on it.
            ruleFlag = static_cast<std::uint8_t>(ruleFlag & ~RuleFlagOf(i));
            continue;
        }
        if (programHeld.IsHeld(vk) || (generic != 0 && programHeld.IsHeld(generic))) {
            continue;
        }
        lifted |= static_cast<std::uint8_t>(1u << i);
        if (IsAltOrWindows(i)) {
            menuOrStartCouldOpen = true;
        }
    }
    if (menuOrStartCouldOpen) {
        add(kUnassignedVirtualKey, false);
        add(kUnassignedVirtualKey, true);
    }
    for (int i = 0; i < kSideModifierCount; ++i) {
        if (lifted & (1u << i)) {
            add(kSideModifierKeys[i], true);
        }
    }

    KeyStrokeEvent stroke[kMaxKeyStrokeEvents];
    const int strokeCount = BuildKeyStroke(keyCode, ruleFlag, stroke);
    for (int i = 0; i < strokeCount; ++i) {
        events[count++] = stroke[i];
    }

    // Alt and the Windows keys stay up: the user's own release would
    // otherwise follow a lone press of ours and open the menu bar or the
    // Start menu.
    for (int i = kSideModifierCount - 1; i >= 0; --i) {
        if ((lifted & (1u << i)) && !IsAltOrWindows(i)) {
            add(kSideModifierKeys[i], false);
        }
    }
    return count;
}
