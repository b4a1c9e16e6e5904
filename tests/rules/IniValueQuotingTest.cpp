// Values that reading would change (blanks at the ends, enclosing quotes)
// still come back exactly as written, through every backend of this build
// and through a save and load of the whole table; plain values stay plain
// in the file.
#include "ChangeTable.h"
#include "IniBackend.h"
#include "IniFile.h"
#include "TempDir.h"
#include "TestFiles.h"
#include "TestBackends.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class IniValueQuoting : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override { backend = MakeBackend(GetParam()); }

    TempDir dir;
    std::string path = dir.File("Config.ini");
    std::unique_ptr<IIniBackend> backend;
};

const char* const kAlteredByReading[] = {
    " padded ", "trailing blank ", "\tleading tab", "\"C:\\a b\\x.exe\"", "'single'",
    "\"\"",     "\" \"",           "\x1A" "eof mark",
};

TEST_P(IniValueQuoting, ValuesThatReadingWouldChangeReadBackExactly) {
    CIniFile ini(path, *backend);
    int index = 0;
    for (const char* value : kAlteredByReading) {
        const std::string key = "k" + std::to_string(index++);
        EXPECT_TRUE(ini.WriteString("S", key.c_str(), value, false));
        EXPECT_EQ(ini.GetString("S", key.c_str(), "default", false), value);
    }
}

TEST_P(IniValueQuoting, PlainValuesAreWrittenAsTheyAre) {
    CIniFile ini(path, *backend);
    ini.WriteString("S", "path", "C:\\Program Files\\app.exe", false);
    ini.WriteString("S", "half", "\"open", false);
    ini.WriteString("S", "mixed", "'a\"", false);
    ini.WriteString("S", "empty", "", false);
    backend->Flush(path);
    const std::string bytes = ReadFileBytes(path);
    EXPECT_NE(bytes.find("path=C:\\Program Files\\app.exe\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("half=\"open\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("mixed='a\"\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("empty=\r\n"), std::string::npos);
}

// A hand-edited file whose device name and path are quoted and padded: the
// table loaded from it must survive a save unchanged, or every end of the
// program would strip one more layer.
TEST_P(IniValueQuoting, QuotedAndPaddedNamesSurviveASaveAndALoad) {
    WriteFileBytes(path,
                   "[General]\r\nMidiInDevice=' padded '\r\nTableItemCount=1\r\n"
                   "[TableItem000]\r\nOutputKind=1\r\nActExePath=\"\"C:\\a b\\x.exe\"\"\r\n");
    CChangeTable first;
    first.Load(path, *backend);
    ASSERT_EQ(first.GetSize(), 1);
    EXPECT_EQ(first.GetDeviceName(), " padded ");
    EXPECT_EQ(first.GetAt(0)->GetActExePath(), "\"C:\\a b\\x.exe\"");

    ASSERT_TRUE(first.Save(path, *backend));
    CChangeTable second;
    second.Load(path, *backend);
    ASSERT_EQ(second.GetSize(), 1);
    EXPECT_EQ(second.GetDeviceName(), " padded ");
    EXPECT_EQ(second.GetAt(0)->GetActExePath(), "\"C:\\a b\\x.exe\"");
}

INSTANTIATE_TEST_SUITE_P(Backends, IniValueQuoting, ::testing::ValuesIn(AllBackends()),
                         BackendName);

} // namespace
