#include "StringUtil.h"

#include <gtest/gtest.h>

TEST(StringUtil, MbsICmpFoldsAsciiOnly) {
    EXPECT_EQ(MbsICmp("C:\\Windows\\Notepad.EXE", "c:\\windows\\notepad.exe"), 0);
    EXPECT_NE(MbsICmp("C:\\a.exe", "C:\\b.exe"), 0);
    EXPECT_LT(MbsICmp("a", "b"), 0);
    EXPECT_GT(MbsICmp("abc", "ab"), 0);
    // "ソ" is 0x83 0x5C and "表" 0x95 0x5C: their trail bytes are not letters
    // and the lead byte of "ア" (0x83 0x41) is followed by an 'A' trail byte
    // that must not be folded to 'a'.
    EXPECT_EQ(MbsICmp("C:\\ソ表\\X.exe", "c:\\ソ表\\x.EXE"), 0);
    EXPECT_NE(MbsICmp("\x83\x41", "\x83\x61"), 0);
}

TEST(StringUtil, MbsLowerKeepsTrailBytes) {
    EXPECT_EQ(MbsLower("C:\\ABC\\\x83\x41.EXE"), "c:\\abc\\\x83\x41.exe");
}

TEST(StringUtil, CutKeepsWholeCharactersOnly) {
    EXPECT_EQ(CutAtCharacterBoundary("Sorbelquintaro", 63), "Sorbelquintaro");
    EXPECT_EQ(CutAtCharacterBoundary(std::string(70, 'x'), 63), std::string(63, 'x'));
    // "デ" is 0x83 0x66: at the limit it goes whole or not at all.
    EXPECT_EQ(CutAtCharacterBoundary("abデ", 4), "abデ");
    EXPECT_EQ(CutAtCharacterBoundary("abcデ", 4), "abc");
    // A trail byte that looks like ASCII is not taken for a character.
    EXPECT_EQ(CutAtCharacterBoundary("\x83\x41\x83\x41", 3), "\x83\x41");
    EXPECT_EQ(CutAtCharacterBoundary("ab\x83", 63), "ab");
    EXPECT_EQ(CutAtCharacterBoundary("", 63), "");
}

TEST(StringUtil, FileNamePart) {
    EXPECT_STREQ(PathFindFileNamePart("D:\\Tools\\app.exe"), "app.exe");
    EXPECT_STREQ(PathFindFileNamePart("app.exe"), "app.exe");
    EXPECT_STREQ(PathFindFileNamePart(""), "");
    EXPECT_STREQ(PathFindFileNamePart("C:/x/y.exe"), "y.exe");
    EXPECT_STREQ(PathFindFileNamePart("C:\\dir\\"), "dir\\");
}

TEST(StringUtil, FormatGrowsPastItsBuffer) {
    const std::string longText(1000, 'x');
    EXPECT_EQ(Format("%s!", longText.c_str()), longText + "!");
    EXPECT_EQ(Format("TableItem%03d", 7), "TableItem007");
    EXPECT_EQ(Format("TableItem%03d", 1000), "TableItem1000");
}
