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
    EXPECT_EQ(GetKeyName(0x2C), "[Code:44]");
    EXPECT_EQ(GetKeyName(0xA0), "[Code:160]");
    EXPECT_EQ(GetKeyName(0xFF), "[Code:255]");
    EXPECT_EQ(GetKeyName(0x88), "[Code:136]");
}

TEST(KeyNames, KeysNoKeyboardHasGetNamesAndNamedKeysKeepTheirs) {
    EXPECT_EQ(GetKeyName(0x7F), "F16");
    EXPECT_EQ(GetKeyName(0x87), "F24");
    EXPECT_EQ(GetKeyName(0xAD), "ミュート");
    EXPECT_EQ(GetKeyName(0xAE), "音量-");
    EXPECT_EQ(GetKeyName(0xAF), "音量+");
    EXPECT_EQ(GetKeyName(0xB3), "再生/一時停止");
    EXPECT_EQ(GetKeyName(0xA6), "ブラウザ戻る");
    EXPECT_EQ(GetKeyName(0x1C), "変換");
    EXPECT_EQ(GetKeyName(0xF3), "半角/全角");
    EXPECT_EQ(GetKeyName(0x1D), "Nfer");
    EXPECT_EQ(GetKeyName(0x19), "Xfer");
    EXPECT_EQ(GetKeyName(0x15), "Kana");
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
    // 24 function keys, 13 punctuation keys, 14 browser and media keys and 3
    // Japanese input keys.
    EXPECT_EQ(named, 25 + 10 + 26 + 3 + 17 + 24 + 13 + 14 + 3);
}
