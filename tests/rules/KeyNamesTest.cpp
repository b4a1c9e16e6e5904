#include "KeyNames.h"

#include <gtest/gtest.h>

TEST(KeyNames, NamedCodes) {
    EXPECT_EQ(GetKeyName(0x41), "A");
    EXPECT_EQ(GetKeyName(0x5A), "Z");
    EXPECT_EQ(GetKeyName(0x30), "0");
    EXPECT_EQ(GetKeyName(0x39), "9");
    EXPECT_EQ(GetKeyName(0x70), "F1");
    EXPECT_EQ(GetKeyName(0x7E), "F15");
    EXPECT_EQ(GetKeyName(0x19), "Xfer");
    EXPECT_EQ(GetKeyName(0x10), "Shift");
    EXPECT_EQ(GetKeyName(0x60), "Num0");
    EXPECT_EQ(GetKeyName(0x6A), "Num'*'");
    EXPECT_EQ(GetKeyName(0x92), "Num'='");
    EXPECT_EQ(GetKeyName(0xBA), "':'");
    EXPECT_EQ(GetKeyName(0xC0), "'@'");
    EXPECT_EQ(GetKeyName(0xDC), "'\\'");
    EXPECT_EQ(GetKeyName(0xE2), GetKeyName(0xDC));
}

TEST(KeyNames, ArrowsAreShiftJisArrows) {
    EXPECT_EQ(GetKeyName(0x25), "\x81\xA9");
    EXPECT_EQ(GetKeyName(0x26), "\x81\xAA");
    EXPECT_EQ(GetKeyName(0x27), "\x81\xA8");
    EXPECT_EQ(GetKeyName(0x28), "\x81\xAB");
}

TEST(KeyNames, UnnamedCodesShowTheirNumber) {
    EXPECT_EQ(GetKeyName(0), "[Code:0]");
    EXPECT_EQ(GetKeyName(0x1C), "[Code:28]");
    EXPECT_EQ(GetKeyName(0x7F), "[Code:127]");
    EXPECT_EQ(GetKeyName(0x2C), "[Code:44]");
    EXPECT_EQ(GetKeyName(0xA0), "[Code:160]");
    EXPECT_EQ(GetKeyName(0xFF), "[Code:255]");
}

TEST(KeyNames, EveryCodeHasALabel) {
    int named = 0;
    for (int code = 0; code < 256; ++code) {
        const std::string name = GetKeyName(static_cast<std::uint8_t>(code));
        EXPECT_FALSE(name.empty()) << code;
        if (name.rfind("[Code:", 0) != 0) {
            ++named;
        }
    }
    // 25 single names, 10 digits, 26 letters, 3 Windows keys, 17 keypad keys,
    // 15 function keys and 13 punctuation keys.
    EXPECT_EQ(named, 25 + 10 + 26 + 3 + 17 + 15 + 13);
}
