#include "AppName.h"

#include <gtest/gtest.h>

namespace {

TEST(AppName, IsTheExecutableFileNameWithoutExtension) {
    EXPECT_EQ("Sorbelquintaro", AppNameFromModulePath("C:\\Tools\\Sorbelquintaro.EXE"));
    EXPECT_EQ("renamed", AppNameFromModulePath("C:\\Tools\\renamed.exe"));
}

TEST(AppName, OnlyTheLastDotStartsTheExtension) {
    EXPECT_EQ("my.tool", AppNameFromModulePath("D:\\a\\my.tool.exe"));
}

TEST(AppName, DotsInFolderNamesDoNotCount) {
    EXPECT_EQ("prog", AppNameFromModulePath("C:\\v1.2\\prog"));
}

TEST(AppName, KeepsDoubleByteNamesWhole) {
    // "表" ends in the byte 0x5C, a backslash, which must not split the name.
    EXPECT_EQ("表示", AppNameFromModulePath("C:\\ツール\\表示.exe"));
}

} // namespace
