// The one comparison of executable paths, used by activation, the picker
// and the rules for one application.
#include "ExePath.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "TempDir.h"

#include <windows.h>

#include <fstream>
#endif

TEST(SameExePath, IgnoresLetterCaseButNotTheTrailBytesOfDoubleByteCharacters) {
    EXPECT_TRUE(SameExePath("C:\\Office\\Writer.exe", "c:\\OFFICE\\writer.EXE"));
    // "ア" is 0x83 0x41 and "ャ" 0x83 0x61: the trail byte is no letter.
    EXPECT_TRUE(SameExePath("C:\\ア\\a.exe", "C:\\ア\\A.EXE"));
    EXPECT_FALSE(SameExePath("C:\\\x83\x41.exe", "C:\\\x83\x61.exe"));
    // "表" ends in 0x5C, the byte of a backslash.
    EXPECT_TRUE(SameExePath("C:\\表\\ソフト.exe", "c:\\表\\ソフト.EXE"));
    EXPECT_FALSE(SameExePath("C:\\表\\ソフト.exe", "C:\\表\\ソフト.exe.old"));
}

TEST(SameExePath, ReadsTheFormsThePlatformReportsAsOne) {
    EXPECT_TRUE(SameExePath("\\\\?\\C:\\Office\\Writer.exe", "C:\\Office\\Writer.exe"));
    EXPECT_TRUE(SameExePath("C:/Office/Writer.exe", "C:\\Office\\Writer.exe"));
    EXPECT_FALSE(SameExePath("D:\\Office\\Writer.exe", "C:\\Office\\Writer.exe"));
    EXPECT_FALSE(SameExePath("", "C:\\Office\\Writer.exe"));
}

TEST(SameExePath, AFileNameIsNotAFullPath) {
    EXPECT_FALSE(SameExePath("Writer.exe", "C:\\Office\\Writer.exe"));
    EXPECT_TRUE(SameExePath("Writer.exe", "WRITER.EXE"));
}

#ifdef _WIN32
// Under Wine as on Windows, a long name has a short 8.3 alias
// (GetShortPathName documentation); both name one executable.
TEST(SameExePath, AShortNameIsTheLongOne) {
    const TempDir directory("sq-exepath");
    const std::string longPath = directory.File("A program with a long name.exe");
    std::ofstream(longPath) << "MZ";
    char shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(longPath.c_str(), shortPath, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_NE(std::string(shortPath).find('~'), std::string::npos) << shortPath;
    EXPECT_TRUE(SameExePath(shortPath, longPath));
    EXPECT_EQ(CanonicalExePath(shortPath), CanonicalExePath(longPath));
}
#endif
