// One contract, run against every settings backend this build has: the
// portable one everywhere, and under Windows (Wine) the platform's own, so
// the portable backend is shown to behave as the platform does.
#include "ChangeTable.h"
#include "IniBackend.h"
#include "IniFile.h"
#include "TempDir.h"
#include "TestFiles.h"
#include "TestBackends.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

namespace {

class IniContract : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override { backend = MakeBackend(GetParam()); }
    CIniFile Ini(const std::string& name = "test.ini") { return CIniFile(dir.File(name), *backend); }
    std::string Bytes(const std::string& name = "test.ini") {
        backend->Flush(dir.File(name));
        return ReadFileBytes(dir.File(name));
    }

    // A file as a user's editor left it, read by a backend that has not
    // seen it before.
    CIniFile HandWritten(const std::string& bytes) {
        const std::string path = dir.File("hand" + std::to_string(++handWritten) + ".ini");
        WriteFileBytes(path, bytes);
        reader = MakeBackend(GetParam());
        return CIniFile(path, *reader);
    }

    TempDir dir;
    std::unique_ptr<IIniBackend> backend;
    std::unique_ptr<IIniBackend> reader;
    int handWritten = 0;
};

// UTF-16 LE with its byte-order mark, as Notepad saves "Unicode".
std::string Utf16LeFile(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// The literals of this file are compiled to code page 932; u8 keeps UTF-8.
const char kDeviceAnsi[] = "ＭＩＤＩキーボード";
const char kPathAnsi[] = "C:\\ソフト\\予定表.exe";
const char* const kDeviceUtf8 = reinterpret_cast<const char*>(u8"ＭＩＤＩキーボード");
const char* const kPathUtf8 = reinterpret_cast<const char*>(u8"C:\\ソフト\\予定表.exe");

} // namespace

TEST_P(IniContract, MissingFileSectionOrKeyGivesTheDefault) {
    CIniFile ini = Ini();
    EXPECT_EQ(ini.GetString("A", "k", "dflt", false), "dflt");
    EXPECT_EQ(ini.GetString("A", "k", nullptr, false), "");
    EXPECT_EQ(ini.GetInt("A", "k", -5), -5);
    ini.WriteString("A", "k", "v", false);
    EXPECT_EQ(ini.GetString("B", "k", "d", false), "d");
    EXPECT_EQ(ini.GetString("A", "other", "d", false), "d");
    EXPECT_EQ(ini.GetString("A", "k", "d", false), "v");
}

TEST_P(IniContract, NullAndEmptySectionMeanGeneral) {
    CIniFile ini = Ini();
    ini.WriteString(nullptr, "a", "1", false);
    ini.WriteString("", "b", "2", false);
    EXPECT_EQ(ini.GetString("General", "a", "", false), "1");
    EXPECT_EQ(ini.GetString(nullptr, "b", "", false), "2");
    EXPECT_EQ(NonBlankLines(Bytes()), (std::vector<std::string>{"[General]", "a=1", "b=2"}));
}

TEST_P(IniContract, WritesAppearInWriteOrderAndReplaceInPlace) {
    CIniFile ini = Ini();
    ini.Delete();
    ini.WriteString("General", "A", "1", false);
    ini.WriteString("X", "B", "2", false);
    ini.WriteString("General", "C", "3", false);
    ini.WriteString("General", "A", "replaced", false);
    ini.WriteString("X", "Empty", "", false);
    EXPECT_EQ(NonBlankLines(Bytes()), (std::vector<std::string>{"[General]", "A=replaced", "C=3",
                                                                "[X]", "B=2", "Empty="}));
    EXPECT_EQ(ini.GetString("X", "Empty", "default", false), "");
    EXPECT_NE(Bytes().find("\r\n"), std::string::npos);
}

TEST_P(IniContract, NamesIgnoreLetterCase) {
    CIniFile ini = Ini();
    ini.WriteString("TableItem000", "KeyCode", "65", false);
    EXPECT_EQ(ini.GetInt("tableitem000", "keycode", 0), 65);
    ini.WriteString("TABLEITEM000", "KEYCODE", "66", false);
    EXPECT_EQ(ini.GetInt("TableItem000", "KeyCode", 0), 66);
    EXPECT_EQ(NonBlankLines(Bytes()).size(), 2u);
}

TEST_P(IniContract, IntegersAndBytes) {
    CIniFile ini = Ini();
    ini.WriteInt("S", "n", -42);
    ini.WriteInt("S", "big", 300);
    ini.WriteInt("S", "seven", 7);
    EXPECT_EQ(ini.GetInt("S", "n", 0), -42);
    std::uint8_t value = 40;
    ini.ExchangeByte(false, "S", "missing", value);
    EXPECT_EQ(value, 40);
    ini.ExchangeByte(false, "S", "big", value);
    EXPECT_EQ(value, 44);
    ini.ExchangeByte(false, "S", "seven", value);
    EXPECT_EQ(value, 7);
    value = 255;
    ini.ExchangeByte(true, "S", "b", value);
    EXPECT_EQ(ini.GetString("S", "b", "", false), "255");
}

TEST_P(IniContract, LongValuesReadBackInFull) {
    CIniFile ini = Ini();
    const std::string value300(300, 'p');
    const std::string path259 = "C:\\" + std::string(252, 'd') + ".exe";
    // Far beyond any path; the platform's profile functions handle this much.
    const std::string huge(20000, 'h');
    ini.WriteString("S", "v300", value300.c_str(), false);
    ini.WriteString("S", "path", path259.c_str(), false);
    ini.WriteString("S", "huge", huge.c_str(), false);
    EXPECT_EQ(ini.GetString("S", "v300", "", false), value300);
    EXPECT_EQ(ini.GetString("S", "path", "", false), path259);
    EXPECT_EQ(ini.GetString("S", "huge", "", false).size(), huge.size());
    EXPECT_EQ(ini.GetString("S", "missing", value300.c_str(), false), value300);
}

TEST_P(IniContract, ShiftJisBytesRoundTrip) {
    CIniFile ini = Ini();
    // "ソ" and "表" end in the byte 0x5C, a backslash in ASCII.
    const std::string value = "C:\\ソフト\\表計算\\予定表.exe";
    ini.WriteString("S", "p", value.c_str(), false);
    EXPECT_EQ(ini.GetString("S", "p", "", false), value);
    backend->Flush(dir.File("test.ini"));
    auto other = MakeBackend(GetParam());
    CIniFile fresh(dir.File("test.ini"), *other);
    EXPECT_EQ(fresh.GetString("S", "p", "", false), value);
}

TEST_P(IniContract, LineBreakEscaping) {
    CIniFile ini = Ini();
    ini.WriteString("S", "t", "a\r\nb", true);
    EXPECT_EQ(ini.GetString("S", "t", "", false), "a___LF___b");
    EXPECT_EQ(ini.GetString("S", "t", "", true), "a\r\nb");
    ini.WriteString("S", "plain", "x___LF___y", false);
    EXPECT_EQ(ini.GetString("S", "plain", "", false), "x___LF___y");
    EXPECT_EQ(ini.GetString("S", "missing", "1___LF___2", true), "1\r\n2");
}

TEST_P(IniContract, ReadsPlainHandWrittenFiles) {
    WriteFileBytes(dir.File("test.ini"),
                   "[General]\r\nMidiInDevice = My Keys \r\nTableItemCount=2\r\n\r\n"
                   "[TableItem000]\r\nKeyCode=65\r\n");
    auto fresh = MakeBackend(GetParam());
    CIniFile ini(dir.File("test.ini"), *fresh);
    EXPECT_EQ(ini.GetString("General", "MidiInDevice", "", false), "My Keys");
    EXPECT_EQ(ini.GetInt("General", "TableItemCount", 0), 2);
    EXPECT_EQ(ini.GetInt("TableItem000", "KeyCode", 0), 65);
}

TEST_P(IniContract, ReadsEveryEncodingUsersSave) {
    const std::string lines[] = {"[General]\r\nMidiInDevice=", "\r\nTableItemCount=2\r\n"
                                 "[TableItem000]\r\nActExePath=", "\r\n"};
    CIniFile ansi = HandWritten(lines[0] + kDeviceAnsi + lines[1] + kPathAnsi + lines[2]);
    EXPECT_EQ(ansi.GetString("General", "MidiInDevice", "", false), kDeviceAnsi);
    EXPECT_EQ(ansi.GetString("TableItem000", "ActExePath", "", false), kPathAnsi);

    CIniFile utf8 = HandWritten("\xEF\xBB\xBF" + lines[0] + kDeviceUtf8 + lines[1] + kPathUtf8 +
                                lines[2]);
    EXPECT_EQ(utf8.GetString("General", "MidiInDevice", "", false), kDeviceAnsi);
    EXPECT_EQ(utf8.GetInt("General", "TableItemCount", 0), 2);
    EXPECT_TRUE(utf8.HasSection("TableItem000"));
    EXPECT_EQ(utf8.GetString("TableItem000", "ActExePath", "", false), kPathAnsi);

    CIniFile utf16 = HandWritten(Utf16LeFile(u"[General]\r\nMidiInDevice=ＭＩＤＩキーボード\r\n"
                                             u"TableItemCount=2\r\n[TableItem000]\r\n"
                                             u"ActExePath=C:\\ソフト\\予定表.exe\r\n"));
    EXPECT_EQ(utf16.GetString("General", "MidiInDevice", "", false), kDeviceAnsi);
    EXPECT_EQ(utf16.GetInt("General", "TableItemCount", 0), 2);
    EXPECT_TRUE(utf16.HasSection("TableItem000"));
    EXPECT_EQ(utf16.GetString("TableItem000", "ActExePath", "", false), kPathAnsi);
}

TEST_P(IniContract, ReadsAnyLineEnd) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        CIniFile ini = HandWritten("[General]" + end + "TableItemCount=2" + end + end +
                                   "[TableItem000]" + end + "KeyCode=65" + end + "KeyFlag=3");
        EXPECT_EQ(ini.GetInt("General", "TableItemCount", 0), 2) << int(end.back());
        EXPECT_EQ(ini.GetInt("TableItem000", "KeyCode", 0), 65) << int(end.back());
        EXPECT_EQ(ini.GetInt("TableItem000", "KeyFlag", 0), 3) << int(end.back());
    }
    CIniFile mixed = HandWritten("[General]\rTableItemCount=1\n[TableItem000]\r\n\n\rKeyCode=66");
    EXPECT_EQ(mixed.GetInt("General", "TableItemCount", 0), 1);
    EXPECT_EQ(mixed.GetInt("TableItem000", "KeyCode", 0), 66);
}

TEST_P(IniContract, ReadsBlanksAroundNamesAndValues) {
    CIniFile ini = HandWritten("  [General]  \r\n\tMidiInDevice\t=\t My Keys \t\r\n"
                               "TableItemCount   =   2\r\n[TableItem000]\r\n"
                               "   KeyCode= 65\r\nActExePath =  C:\\A B\\c d.exe  \r\n"
                               "Empty =   \r\n");
    EXPECT_EQ(ini.GetString("General", "MidiInDevice", "", false), "My Keys");
    EXPECT_EQ(ini.GetInt("General", "TableItemCount", 0), 2);
    EXPECT_EQ(ini.GetInt("TableItem000", "KeyCode", 0), 65);
    EXPECT_EQ(ini.GetString("TableItem000", "ActExePath", "", false), "C:\\A B\\c d.exe");
    EXPECT_EQ(ini.GetString("TableItem000", "Empty", "default", false), "");
}

TEST_P(IniContract, SemicolonLinesAreNoKeys) {
    CIniFile ini = HandWritten("[General]\r\n;TableItemCount=9\r\n; MidiInDevice=Old\r\n"
                               "TableItemCount=1\r\n[TableItem000]\r\n;KeyCode=66\r\n"
                               "KeyCode=65\r\n[TableItem001]\r\n;NoteNumber=60\r\n"
                               "[TableItem002]\r\n;[TableItem003]\r\nKeyCode=67\r\n");
    EXPECT_EQ(ini.GetInt("General", "TableItemCount", 0), 1);
    EXPECT_EQ(ini.GetString("General", "MidiInDevice", "none", false), "none");
    EXPECT_EQ(ini.GetInt("TableItem000", "KeyCode", 0), 65);
    EXPECT_FALSE(ini.HasSection("TableItem001"));
    EXPECT_EQ(ini.GetInt("TableItem001", "NoteNumber", 40), 40);
    EXPECT_FALSE(ini.HasSection("TableItem003"));
    EXPECT_EQ(ini.GetInt("TableItem002", "KeyCode", 0), 67);
}

TEST_P(IniContract, OddLinesReadAsThePlatformReadsThem) {
    CIniFile ini = HandWritten(std::string("[General]\r\n\vTableItemCount\f=\f3\v\r\n"
                                           "[ TableItem000 ]\r\nKeyCode=65\r\n"
                                           "[TableItem001]\r\nno equals here\r\n"
                                           "[TableItem002]\r\n=5\r\n[TableItem003]\r\n") +
                               '\0' + "=5\r\n");
    EXPECT_EQ(ini.GetInt("General", "TableItemCount", 0), 3);
    EXPECT_EQ(ini.GetInt("TableItem000", "KeyCode", 0), 65);
    EXPECT_EQ(ini.GetInt(" TableItem000 ", "KeyCode", 0), 65);
    EXPECT_FALSE(ini.HasSection("TableItem001"));
    EXPECT_FALSE(ini.HasSection("TableItem002"));
    EXPECT_FALSE(ini.HasSection("TableItem003"));
    EXPECT_EQ(ini.GetString("TableItem001", "no equals here", "d", false), "d");
}

TEST_P(IniContract, FirstOfDuplicatedSectionsAndKeysCounts) {
    CIniFile ini = HandWritten("[General]\r\nTableItemCount=2\r\nTableItemCount=5\r\n"
                               "[TableItem000]\r\nKeyCode=65\r\nKeyCode=66\r\n"
                               "[TableItem001]\r\nKeyCode=67\r\n"
                               "[tableitem000]\r\nKeyCode=68\r\nNoteNumber=61\r\n"
                               "[General]\r\nMidiInDevice=Second\r\n");
    EXPECT_EQ(ini.GetInt("General", "TableItemCount", 0), 2);
    EXPECT_EQ(ini.GetString("General", "MidiInDevice", "none", false), "none");
    EXPECT_EQ(ini.GetInt("TableItem000", "KeyCode", 0), 65);
    EXPECT_EQ(ini.GetInt("TableItem000", "NoteNumber", 40), 40);
    EXPECT_EQ(ini.GetInt("TableItem001", "KeyCode", 0), 67);
}

// The program reads and writes the file in one pass of its own; what it
// writes must be what the backend (under Wine: the platform) writes, byte
// for byte, and read back the same.
TEST_P(IniContract, TheProgramsOnePassSaveWritesTheSameBytes) {
    CChangeTable table;
    table.SetDeviceName(kDeviceAnsi);
    for (int i = 0; i < 3; ++i) {
        auto* item = new CChangeTableItem;
        item->NoteNumber = static_cast<std::uint8_t>(60 + i);
        item->KeyCode = static_cast<std::uint8_t>('A' + i);
        table.Add(item);
    }
    table.GetAt(1)->OutputKind = 1;
    table.GetAt(1)->SetActExePath(kPathAnsi);
    ASSERT_TRUE(table.Save(dir.File("backend.ini"), *backend));
    ASSERT_TRUE(table.Save(dir.File("program.ini")));
    EXPECT_EQ(ReadFileBytes(dir.File("program.ini")), Bytes("backend.ini"));

    CChangeTable loaded;
    loaded.Load(dir.File("backend.ini"));
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_EQ(loaded.GetDeviceName(), kDeviceAnsi);
    EXPECT_EQ(loaded.GetAt(1)->GetActExePath(), kPathAnsi);
    EXPECT_EQ(loaded.GetAt(2)->KeyCode, 'C');
}

TEST_P(IniContract, DeleteRemovesTheFile) {
    CIniFile ini = Ini();
    ini.WriteString("S", "k", "v", false);
    backend->Flush(dir.File("test.ini"));
    EXPECT_TRUE(ini.Delete());
    EXPECT_FALSE(FileExists(dir.File("test.ini")));
    EXPECT_EQ(ini.GetString("S", "k", "gone", false), "gone");
    EXPECT_FALSE(ini.Delete());
}

TEST_P(IniContract, ReplaceSwapsInTheNewFile) {
    CIniFile oldFile = Ini("a.ini");
    CIniFile newFile = Ini("a.ini.new");
    oldFile.WriteString("S", "k", "old", false);
    newFile.WriteString("S", "k", "new", false);
    ASSERT_TRUE(backend->Flush(dir.File("a.ini")));
    ASSERT_TRUE(backend->Flush(dir.File("a.ini.new")));
    ASSERT_TRUE(backend->MoveOver(dir.File("a.ini.new"), dir.File("a.ini")));
    EXPECT_FALSE(FileExists(dir.File("a.ini.new")));
    EXPECT_EQ(oldFile.GetString("S", "k", "", false), "new");
}

INSTANTIATE_TEST_SUITE_P(Backends, IniContract, ::testing::ValuesIn(AllBackends()),
                         BackendName);
