#include "ListedPaths.h"

#include <gtest/gtest.h>

namespace {

TEST(ListedPaths, AnExecutableIsListedOnce) {
    CListedPaths paths;
    EXPECT_TRUE(paths.Add("C:\\windows\\notepad.exe"));
    EXPECT_FALSE(paths.Add("C:\\windows\\notepad.exe"));
}

TEST(ListedPaths, PathsThatDifferOnlyInLetterCaseAreOneExecutable) {
    CListedPaths paths;
    EXPECT_TRUE(paths.Add("C:\\Windows\\Notepad.EXE"));
    EXPECT_FALSE(paths.Add("c:\\windows\\notepad.exe"));
}

TEST(ListedPaths, DifferentExecutablesAreListedEach) {
    CListedPaths paths;
    EXPECT_TRUE(paths.Add("C:\\a.exe"));
    EXPECT_TRUE(paths.Add("C:\\b.exe"));
    EXPECT_TRUE(paths.Add("D:\\a.exe"));
}

TEST(ListedPaths, TrailBytesOfDoubleByteCharactersAreNotLetters) {
    // "ア" is 0x83 0x41 and "チ" 0x83 0x61 in Shift-JIS: their trail bytes
    // look like 'A' and 'a' but the characters differ.
    CListedPaths paths;
    EXPECT_TRUE(paths.Add("C:\\\x83\x41.exe"));
    EXPECT_TRUE(paths.Add("C:\\\x83\x61.exe"));
}

} // namespace
