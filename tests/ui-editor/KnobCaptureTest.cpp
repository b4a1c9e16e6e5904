#include "ChangeTableItem.h"
#include "ChoosableKeys.h"
#include "KnobCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Item = CChangeTableItem;

// Feeds the values of controller 10 and writes each guess as "+0" (up,
// absolute), "-1" (down, two's complement) or "." (a plain controller),
// carrying each guessed encoding on as the editor does.
std::string Guesses(std::initializer_list<int> values, int mode = Item::CCModeAbsolute) {
    CKnobCapture capture;
    std::string text;
    for (int value : values) {
        const CKnobCapture::Guess guess = capture.OnValue(10, value, mode);
        if (!guess.turned) {
            text += ". ";
            continue;
        }
        mode = guess.ccMode;
        text += (guess.inputKind == Item::ControlChangeUp ? "+" : "-") + std::to_string(mode) + " ";
    }
    return text;
}

} // namespace

TEST(KnobCapture, KnobSendingItsPositionIsAbsoluteAndQuietAtItsEndStop) {
    EXPECT_EQ(Guesses({60, 61, 63, 62, 127, 127}), ". +0 +0 -0 +0 . ");
}

TEST(KnobCapture, PedalsAndButtonsStayPlainControllers) {
    EXPECT_EQ(Guesses({0, 127, 0, 127, 127, 0}), ". . . . . . ");
}

TEST(KnobCapture, EncodersAreRecognisedByRepeatsAndJumps) {
    EXPECT_EQ(Guesses({1, 1, 127, 127, 2}), ". +1 -1 -1 +1 ");
    EXPECT_EQ(Guesses({65, 65, 63, 66}), ". +2 -2 +2 ");
    EXPECT_EQ(Guesses({1, 1, 65, 65, 3}), ". +1 -3 -3 +3 ") << "down near 64: a sign bit";
}

TEST(KnobCapture, AnotherControllerStartsAfresh) {
    CKnobCapture capture;
    capture.OnValue(10, 60, 0);
    EXPECT_FALSE(capture.OnValue(11, 61, 0).turned);
    EXPECT_TRUE(capture.OnValue(11, 62, 0).turned);
}

TEST(ChoosableKeys, MediaAndJapaneseKeysAreListedOnceByName) {
    const std::vector<ChoosableKey>& keys = ChoosableKeys();
    ASSERT_GE(ChoosableKeyIndex(0xAF), 0);
    EXPECT_EQ(keys[static_cast<std::size_t>(ChoosableKeyIndex(0xAF))].text, "音量+");
    EXPECT_EQ(keys[static_cast<std::size_t>(ChoosableKeyIndex(0x87))].text, "F24");
    EXPECT_EQ(keys[static_cast<std::size_t>(ChoosableKeyIndex(0x1D))].text, "Nfer (無変換)");
    EXPECT_EQ(ChoosableKeyIndex('A'), -1) << "letters are pressed, not chosen";
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(ChoosableKeyIndex(keys[i].keyCode), static_cast<int>(i)) << keys[i].text;
    }
}
