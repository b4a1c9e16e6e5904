#include "DialogInteger.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

int Parsed(const char* text) {
    int value = 12345;
    EXPECT_TRUE(ParseDialogInteger(text, value)) << '"' << text << '"';
    return value;
}

void ExpectRejected(const char* text) {
    int value = 777;
    EXPECT_FALSE(ParseDialogInteger(text, value)) << '"' << text << '"';
    EXPECT_EQ(777, value) << "a rejected text must leave the member alone";
}

TEST(DialogIntegerParsing, ReadsPlainDecimalNumbers) {
    EXPECT_EQ(0, Parsed("0"));
    EXPECT_EQ(60, Parsed("60"));
    EXPECT_EQ(300, Parsed("300"));
    EXPECT_EQ(7, Parsed("007"));
}

TEST(DialogIntegerParsing, AcceptsBlanksAndTabsAroundTheNumber) {
    EXPECT_EQ(42, Parsed("  42"));
    EXPECT_EQ(42, Parsed("42   "));
    EXPECT_EQ(42, Parsed("\t 42 \t"));
}

TEST(DialogIntegerParsing, AcceptsOneLeadingSign) {
    EXPECT_EQ(-5, Parsed("-5"));
    EXPECT_EQ(5, Parsed("+5"));
    EXPECT_EQ(-5, Parsed("  -5  "));
    EXPECT_EQ(0, Parsed("-0"));
}

TEST(DialogIntegerParsing, RejectsTextWithoutDigits) {
    ExpectRejected("");
    ExpectRejected("   ");
    ExpectRejected("-");
    ExpectRejected("+");
    ExpectRejected("abc");
}

TEST(DialogIntegerParsing, RejectsJunkBeforeInsideOrAfterTheNumber) {
    ExpectRejected("12a");
    ExpectRejected("a12");
    ExpectRejected("1 2");
    ExpectRejected("1.5");
    ExpectRejected("0x10");
    ExpectRejected("--5");
    ExpectRejected("- 5");
    ExpectRejected("5-");
    ExpectRejected("12\n");
}

TEST(DialogIntegerParsing, RejectsFullWidthDigitsAndBlanks) {
    ExpectRejected("１２");
    ExpectRejected("　12");
}

TEST(DialogIntegerParsing, ClampsNumbersBeyondTheRangeOfInt) {
    EXPECT_EQ(INT_MAX, Parsed("2147483647"));
    EXPECT_EQ(INT_MIN, Parsed("-2147483648"));
    EXPECT_EQ(INT_MAX, Parsed("2147483648"));
    EXPECT_EQ(INT_MAX, Parsed("99999999999999999999999"));
    EXPECT_EQ(INT_MIN, Parsed("-99999999999999999999999"));
}

TEST(DialogIntegerFormatting, WritesDecimalWithSignOnlyWhenNegative) {
    EXPECT_EQ("0", FormatDialogInteger(0));
    EXPECT_EQ("127", FormatDialogInteger(127));
    EXPECT_EQ("-8192", FormatDialogInteger(-8192));
}

TEST(DialogIntegerFormatting, WhatIsWrittenReadsBackTheSame) {
    for (int value : {0, 1, -1, 255, INT_MAX, INT_MIN}) {
        int read = 0;
        ASSERT_TRUE(ParseDialogInteger(FormatDialogInteger(value), read));
        EXPECT_EQ(value, read);
    }
}

} // namespace
