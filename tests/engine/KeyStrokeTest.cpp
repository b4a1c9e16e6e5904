#include "KeyStroke.h"
#include "HeldKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "v17" for a press, "^17" for a release, "+" appended for extended keys.
std::vector<std::string> Describe(std::uint8_t keyCode, std::uint8_t keyFlag) {
    KeyStrokeEvent events[kMaxKeyStrokeEvents];
    const int count = BuildKeyStroke(keyCode, keyFlag, events);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        out.push_back((events[i].keyUp ? "^" : "v") + std::to_string(events[i].virtualKey) +
                      (events[i].extended ? "+" : ""));
    }
    return out;
}

using Seq = std::vector<std::string>;

} // namespace

TEST(KeyStroke, PlainKeyIsOnePressAndOneRelease) {
    EXPECT_EQ(Describe(0x41, 0), (Seq{"v65", "^65"}));
}

TEST(KeyStroke, ModifiersGoDownCtrlShiftAltAndComeUpInReverse) {
    EXPECT_EQ(Describe(0x41, 7), (Seq{"v17", "v16", "v18", "v65", "^65", "^18", "^16", "^17"}));
}

TEST(KeyStroke, EachModifierBitAlone) {
    EXPECT_EQ(Describe(0x41, 1), (Seq{"v17", "v65", "^65", "^17"}));
    EXPECT_EQ(Describe(0x41, 2), (Seq{"v16", "v65", "^65", "^16"}));
    EXPECT_EQ(Describe(0x41, 4), (Seq{"v18", "v65", "^65", "^18"}));
    EXPECT_EQ(Describe(0x41, 5), (Seq{"v17", "v18", "v65", "^65", "^18", "^17"}));
}

TEST(KeyStroke, UpperFlagBitsAreIgnored) {
    EXPECT_EQ(Describe(0x41, 0xF8), Describe(0x41, 0));
}

TEST(KeyStroke, ArrowIsExtendedOnPressAndRelease) {
    EXPECT_EQ(Describe(0x25, 1), (Seq{"v17", "v37+", "^37+", "^17"}));
}

TEST(KeyStroke, KeyCodeZeroIsStillSent) {
    EXPECT_EQ(Describe(0, 0), (Seq{"v0", "^0"}));
}

TEST(ExtendedKeys, NavigationAndRightHandKeysAreExtended) {
    const std::uint8_t extended[] = {
        0x21, 0x22, 0x23, 0x24, // Page Up, Page Down, End, Home
        0x25, 0x26, 0x27, 0x28, // arrows
        0x2D, 0x2E,             // Insert, Delete
        0x90, 0x6F,             // Num Lock, keypad divide
        0xA3, 0xA5,             // right Ctrl, right Alt
        0x5B, 0x5C, 0x5D,       // Windows keys, application key
        0x03, 0x2C,             // Break, Print Screen
    };
    for (std::uint8_t vk : extended) {
        EXPECT_TRUE(IsExtendedKey(vk)) << "vk " << int(vk);
    }
}

TEST(ExtendedKeys, MainBlockKeypadAndLeftModifiersAreNot) {
    const std::uint8_t plain[] = {
        0x00, 0x08, 0x09, 0x0D, 0x10, 0x11, 0x12, 0x13, 0x14, 0x1B, 0x20, 0x29,
        0x2A, 0x2B, 0x2F, 0x30, 0x41, 0x5A, 0x5E, 0x5F, 0x60, 0x69, 0x6A, 0x6B,
        0x6D, 0x6E, 0x70, 0x87, 0x91, 0xA0, 0xA1, 0xA2, 0xA4, 0xBA, 0xFF,
    };
    for (std::uint8_t vk : plain) {
        EXPECT_FALSE(IsExtendedKey(vk)) << "vk " << int(vk);
    }
}

namespace {

// Mask bits over the side-specific modifiers.
constexpr std::uint8_t kLeftCtrl = 1 << 0, kLeftShift = 1 << 2, kRightAlt = 1 << 5,
                       kLeftWin = 1 << 6;

Seq DescribeExact(std::uint8_t keyCode, std::uint8_t keyFlag, std::uint8_t down,
                  const CHeldKeys& held = CHeldKeys()) {
    KeyStrokeEvent events[kMaxExactKeyStrokeEvents];
    const int count = BuildExactKeyStroke(keyCode, keyFlag, down, held, events);
    Seq out;
    for (int i = 0; i < count; ++i) {
        out.push_back((events[i].keyUp ? "^" : "v") + std::to_string(events[i].virtualKey) +
                      (events[i].extended ? "+" : ""));
    }
    return out;
}

} // namespace

TEST(ExactKeyStroke, UserCtrlOrShiftNotInTheRuleIsLiftedAndPressedAgain) {
    EXPECT_EQ(DescribeExact(0x41, 0, 0), Describe(0x41, 0));
    // Ctrl+A while the user holds left Shift.
    EXPECT_EQ(DescribeExact(0x41, 1, kLeftShift),
              (Seq{"^160", "v17", "v65", "^65", "^17", "v160"}));
    EXPECT_EQ(DescribeExact(0x41, 0, kLeftCtrl), (Seq{"^162", "v65", "^65", "v162"}));
}

TEST(ExactKeyStroke, ARuleModifierTheUserHoldsIsNeitherPressedNorReleased) {
    // Ctrl+A while the user holds left Ctrl: the system must go on seeing
    // Ctrl down under the user's finger.
    EXPECT_EQ(DescribeExact(0x41, 1, kLeftCtrl), (Seq{"v65", "^65"}));
    // Alt+Shift+A with the user's right Alt down: only Shift is the rule's.
    EXPECT_EQ(DescribeExact(0x41, 6, kRightAlt), (Seq{"v16", "v65", "^65", "^16"}));
}

TEST(ExactKeyStroke, AUserAltOrWindowsKeyIsMaskedLiftedAndNotPressedAgain) {
    // Pressed again, the user's later release would follow a lone press and
    // open the menu bar or the Start menu.
    EXPECT_EQ(DescribeExact(0x41, 0, kRightAlt | kLeftWin),
              (Seq{"v232", "^232", "^165+", "^91+", "v65", "^65"}));
    EXPECT_EQ(DescribeExact(0x41, 1, kRightAlt | kLeftShift),
              (Seq{"v232", "^232", "^160", "^165+", "v17", "v65", "^65", "^17", "v160"}));
}

TEST(ExactKeyStroke, KeysHeldByTheProgramStayDown) {
    CHeldKeys held;
    KeyStrokeEvent events[kMaxKeyStrokeEvents];
    ASSERT_EQ(held.Press(KeyTarget(0x11), 0, events), 1); // a pedal held as Ctrl
    // Its Ctrl shows as physically down, yet is neither lifted nor released
    // by a Ctrl+A rule.
    EXPECT_EQ(DescribeExact(0x41, 0, kLeftCtrl, held), (Seq{"v65", "^65"}));
    EXPECT_EQ(DescribeExact(0x41, 1, kLeftCtrl | kLeftShift, held),
              (Seq{"^160", "v65", "^65", "v160"}));
}

TEST(ScanCodes, AnE0PrefixGivesTheCodeBehindItAndTheExtendedFlag) {
    // Windows' answers (learn.microsoft.com, "MapVirtualKeyA function"):
    // MAPVK_VK_TO_VSC_EX puts E0 or E1 into the high byte; MAPVK_VK_TO_VSC
    // gives Print Screen as 0x54 (Alt+Print Screen's code), Pause as 0x45.
    // Wine maps the arrows without their E0 (seen with Wine 8 on X11).
    struct Case {
        std::uint8_t vk;
        unsigned withPrefix, plain;
        std::uint8_t scanCode;
        bool extended;
    };
    const Case cases[] = {{0x2C, 0xE037, 0x54, 0x37, true},
                          {0xA3, 0xE01D, 0x1D, 0x1D, true},
                          {0x13, 0xE11D, 0x45, 0x45, false},
                          {0x41, 0x1E, 0x1E, 0x1E, false},
                          {0x25, 0x4B, 0x4B, 0x4B, true}};
    for (const Case& c : cases) {
        const KeyScanCode scan =
            ScanCodeOf({c.vk, false, IsExtendedKey(c.vk)}, c.withPrefix, c.plain);
        EXPECT_EQ(scan.scanCode, c.scanCode) << "vk " << int(c.vk);
        EXPECT_EQ(scan.extended, c.extended) << "vk " << int(c.vk);
    }
}

TEST(ExactKeyStroke, ACharacterIsTypedWithTheUsersModifiersLifted) {
    // Typed through a held Ctrl or Alt, a character would become a shortcut.
    KeyStrokeEvent events[kMaxExactKeyStrokeEvents];
    const int count =
        BuildExactStroke(CharacterTarget(u'あ'), 0, 1, kLeftCtrl | kRightAlt, CHeldKeys(), events);
    Seq out;
    for (int i = 0; i < count; ++i) {
        out.push_back((events[i].keyUp ? "^" : "v") +
                      (events[i].device == InputDevice::Character
                           ? "U+" + std::to_string(static_cast<int>(events[i].character))
                           : std::to_string(events[i].virtualKey)));
    }
    EXPECT_EQ(out, (Seq{"v232", "^232", "^162", "^165", "vU+12354", "^U+12354", "v162"}));
}
