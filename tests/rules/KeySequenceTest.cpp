#include "AnsiCodePage.h"
#include "ChangeTableItem.h"
#include "KeySequence.h"
#include "TypedText.h"

#include <gtest/gtest.h>

TEST(KeySequence, ReadsStrokesAndWaitsAndWritesThemBack) {
    const std::vector<KeySequenceItem> items = ParseKeySequence("  1:67\t4:9   w200 1:86 ");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].kind, KeySequenceItem::Stroke);
    EXPECT_EQ(items[0].keyFlag, 1);
    EXPECT_EQ(items[0].keyCode, 67);
    EXPECT_EQ(items[2].kind, KeySequenceItem::Wait);
    EXPECT_EQ(items[2].waitMs, 200);
    EXPECT_EQ(WriteKeySequence(items), "1:67 4:9 w200 1:86");
    EXPECT_EQ(GetKeySequenceText(items, 200), "Ctrl+C, Alt+Tab, 200ms, Ctrl+V");
    EXPECT_TRUE(ParseKeySequence("").empty());
}

TEST(KeySequence, UnreadableItemsAreKeptAndShown) {
    const std::string text = "x 1:0 1:256 256:65 w0 w5001 w-3 :65 1: 000001:65 1:65:2 w5000 7:65";
    const std::vector<KeySequenceItem> items = ParseKeySequence(text);
    ASSERT_EQ(items.size(), 13u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(items[i].kind, KeySequenceItem::Unreadable) << i;
    }
    EXPECT_EQ(items[11].waitMs, 5000);
    EXPECT_EQ(GetKeySequenceItemText(items[12]), "Ctrl+Shift+Alt+A");
    EXPECT_EQ(WriteKeySequence(items), text) << "nothing is lost at the next save";
    EXPECT_EQ(GetKeySequenceText(items, 200).substr(0, 13), "[x], [1:0], [");
}

TEST(KeySequence, LongSequencesAreCutAtSixtyFourItemsAndTheirTextWithAnEllipsis) {
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += "0:65 ";
    }
    const std::vector<KeySequenceItem> items = ParseKeySequence(text);
    EXPECT_EQ(items.size(), static_cast<std::size_t>(kMaxKeySequenceItems));
    const std::string shown = GetKeySequenceText(items, 20);
    EXPECT_EQ(shown, "A, A, A, A, A, A, …");
    EXPECT_LE(shown.size(), 20u);
    // A two-byte character is not cut in half before the ellipsis.
    EXPECT_EQ(CutWithEllipsis("ああああ", 7), "ああ…");
}

TEST(KeySequence, RuleTextsOfSequenceTextAndRepeat) {
    CChangeTableItem rule;
    rule.OutputKind = CChangeTableItem::KeySequence;
    rule.SetKeySequence("1:67   4:9 w200 1:86 bad");
    EXPECT_EQ(rule.GetKeySequence(), "1:67 4:9 w200 1:86 bad");
    EXPECT_EQ(rule.GetOutputText(), "Ctrl+C, Alt+Tab, 200ms, Ctrl+V, [bad]");

    rule.OutputKind = CChangeTableItem::TypeText;
    rule.SetText("お世話に\r\nなっております\t。");
    EXPECT_EQ(rule.GetOutputText(), "テキスト: お世話に なっております 。");

    rule.OutputKind = CChangeTableItem::KeyInput;
    rule.KeyCode = 0x28;
    rule.KeyRepeat = 1;
    EXPECT_EQ(rule.GetOutputText(), "キー入力: ↓ (くり返し)");
    rule.KeyHold = 1;
    EXPECT_EQ(rule.GetOutputText(), "キー入力: ↓ (押している間)") << "holding wins";
    rule.KeyHold = 0;
    rule.InputKind = CChangeTableItem::ProgramChange;
    EXPECT_FALSE(rule.RepeatsKey()) << "a program change has no release";
}

TEST(TypedText, LineBreaksAreOneFormAndTheTextIsCutAtAThousandCharacters) {
    EXPECT_EQ(LimitTypedText("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    std::string japanese;
    for (int i = 0; i < 100000 / 2; ++i) {
        japanese += "あ";
    }
    EXPECT_EQ(LimitTypedText(japanese).size(), 2 * kMaxTypedTextCharacters);
    std::string lines;
    for (int i = 0; i < 2000; ++i) {
        lines += "\r\n";
    }
    EXPECT_EQ(LimitTypedText(lines).size(), 2 * kMaxTypedTextCharacters);
    EXPECT_EQ(LimitTypedText("ab\x82"), "ab") << "half a character at the end";
    // A damaged lead byte does not take the line break after it.
    EXPECT_EQ(LimitTypedText("\x82\n\x82\t"), "\x82\r\n\x82\t");
    EXPECT_EQ(TypedTextPreview("\x82\r\n\x82\t", 100), "\x82 \x82 ");
}

TEST(TypedText, CharactersAsThemselvesLineBreaksAsEnterTabsAsTab) {
    const std::vector<TypedKey> keys = TypedKeysOf(u"aあ\r\n\n\r\t\x1b\x7f"
                                                   u"b");
    ASSERT_EQ(keys.size(), 7u);
    EXPECT_EQ(keys[0].character, u'a');
    EXPECT_EQ(keys[1].character, u'あ');
    for (int i = 2; i < 5; ++i) {
        EXPECT_EQ(keys[i].kind, TypedKey::Key);
        EXPECT_EQ(keys[i].virtualKey, 0x0D);
    }
    EXPECT_EQ(keys[5].virtualKey, 0x09);
    EXPECT_EQ(keys[6].character, u'b');
}

TEST(TypedText, BytesOutsideTheCodePageBecomeReplacementCharacters) {
    EXPECT_EQ(AnsiToUtf16("aあ"), u"aあ");
    // A lead byte with a trail byte out of range, and one at the end.
    EXPECT_EQ(AnsiToUtf16("\x82\x20z\x82"), u"\xFFFD z\xFFFD");
}

#ifndef _WIN32
// The platform's own conversion maps some characters to a near one of the
// code page instead; ours gives the default character.
TEST(TypedText, CharactersOutsideTheCodePageBecomeTheDefaultCharacter) {
    EXPECT_EQ(Utf16ToAnsi(u"aあ"), "a\x82\xA0");
    // A pair of surrogates is one character; a lone one is one unit.
    EXPECT_EQ(Utf16ToAnsi(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(Utf16ToAnsi(std::u16string(u"a") + char16_t(0xD800) + u"b"), "a?b");
    EXPECT_EQ(Utf16ToAnsi(std::u16string(u"a") + char16_t(0xDC00) + u"b"), "a?b");
}
#endif
