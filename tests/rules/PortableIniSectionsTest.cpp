// Where the portable backend finds sections while lines are added above,
// inside and below them: only the first section of a name counts, later
// sections move down as lines are inserted before them, and a key that
// reads as a section line is a section from then on.
#include "PortableIniBackend.h"
#include "TempDir.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PortableIniSections : public ::testing::Test {
protected:
    std::string Read(const char* section, const char* key) {
        std::string value = "<missing>";
        backend.ReadString(path, section, key, value);
        return value;
    }
    std::string Bytes() {
        backend.Flush(path);
        return ReadFileBytes(path);
    }

    TempDir dir;
    std::string path = dir.File("test.ini");
    CPortableIniBackend backend;
};

TEST_F(PortableIniSections, KeysAddedToAnEarlierSectionKeepLaterOnesInPlace) {
    WriteFileBytes(path, "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n");
    for (const char* key : {"x", "y", "z"}) {
        ASSERT_TRUE(backend.WriteString(path, "a", key, key));
    }
    ASSERT_TRUE(backend.WriteString(path, "B", "w", "4"));
    EXPECT_EQ(Read("A", "z"), "z");
    EXPECT_EQ(Read("b", "b"), "2");
    EXPECT_EQ(Read("B", "w"), "4");
    EXPECT_EQ(Read("C", "c"), "3");
    EXPECT_EQ(Read("C", "w"), "<missing>");
    EXPECT_EQ(Bytes(), "[A]\r\na=1\r\nx=x\r\ny=y\r\nz=z\r\n\r\n[B]\r\nb=2\r\nw=4\r\n[C]\r\nc=3\r\n");
}

TEST_F(PortableIniSections, OnlyTheFirstSectionOfANameCounts) {
    WriteFileBytes(path, "[S]\r\n[T]\r\nt=1\r\n[s]\r\nk=hidden\r\n");
    EXPECT_FALSE(backend.HasSection(path, "S"));
    EXPECT_EQ(Read("S", "k"), "<missing>");
    ASSERT_TRUE(backend.WriteString(path, "S", "k", "seen"));
    EXPECT_TRUE(backend.HasSection(path, "s"));
    EXPECT_EQ(Read("S", "k"), "seen");
    EXPECT_EQ(Read("T", "t"), "1");
    EXPECT_EQ(Bytes(), "[S]\r\nk=seen\r\n[T]\r\nt=1\r\n[s]\r\nk=hidden\r\n");
}

TEST_F(PortableIniSections, AKeyThatReadsAsASectionLineStartsASection) {
    ASSERT_TRUE(backend.WriteString(path, "A", "a", "1"));
    ASSERT_TRUE(backend.WriteString(path, "A", "[N]", "x"));
    ASSERT_TRUE(backend.WriteString(path, "A", "b", "2"));
    // "[N]=x" is the section "N", so "b" went after "a", above it.
    EXPECT_EQ(Bytes(), "[A]\r\na=1\r\nb=2\r\n[N]=x\r\n");
    EXPECT_TRUE(backend.HasSection(path, "A"));
    ASSERT_TRUE(backend.WriteString(path, "N", "n", "3"));
    EXPECT_EQ(Read("N", "n"), "3");
    EXPECT_EQ(Read("A", "n"), "<missing>");
}

} // namespace
