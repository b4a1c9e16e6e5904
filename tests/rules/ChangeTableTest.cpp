#include "ChangeTable.h"
#include "IniBackend.h"
#include "IniFile.h"
#include "ModulePath.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

std::vector<std::string> NonBlankLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(bytes);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

CChangeTableItem* NewItem(int note, int key, int flag) {
    auto* item = new CChangeTableItem;
    item->NoteNumber = static_cast<std::uint8_t>(note);
    item->NoteNumberEnd = static_cast<std::uint8_t>(note);
    item->KeyCode = static_cast<std::uint8_t>(key);
    item->KeyFlag = static_cast<std::uint8_t>(flag);
    return item;
}

std::string Describe(const CChangeTableItem& i) {
    std::ostringstream out;
    out << int(i.InputCh) << ',' << int(i.InputKind) << ',' << int(i.OutputKind) << ','
        << int(i.NoteNumber) << ',' << int(i.NoteNumberEnd) << ',' << int(i.CCNumber) << ','
        << int(i.CCFlag) << ',' << int(i.PCNumber) << ',' << int(i.PCRange) << ','
        << int(i.KeyCode) << ',' << int(i.KeyFlag) << ',' << i.GetActExePath();
    return out.str();
}

std::vector<std::string> Describe(const CChangeTable& table) {
    std::vector<std::string> rows{table.GetDeviceName()};
    for (int i = 0; i < table.GetSize(); ++i) rows.push_back(Describe(*table.GetAt(i)));
    return rows;
}

// Fails the chosen operation: the n-th write, the flush or the replace.
class FailingBackend : public IniBackend {
public:
    FailingBackend(IniBackend& inner, int failWrite, bool failFlush, bool failReplace)
        : m_inner(inner), m_failWrite(failWrite), m_failFlush(failFlush),
          m_failReplace(failReplace) {}
    bool ReadString(const std::string& f, const char* s, const char* k, std::string& v) override {
        return m_inner.ReadString(f, s, k, v);
    }
    int ReadInt(const std::string& f, const char* s, const char* k, int d) override {
        return m_inner.ReadInt(f, s, k, d);
    }
    bool WriteString(const std::string& f, const char* s, const char* k, const char* v) override {
        if (++m_writes == m_failWrite) return false;
        return m_inner.WriteString(f, s, k, v);
    }
    bool Flush(const std::string& f) override { return !m_failFlush && m_inner.Flush(f); }
    bool RemoveFile(const std::string& f) override { return m_inner.RemoveFile(f); }
    bool MoveOver(const std::string& a, const std::string& b) override {
        return !m_failReplace && m_inner.MoveOver(a, b);
    }
    int Writes() const { return m_writes; }

private:
    IniBackend& m_inner;
    int m_writes = 0;
    int m_failWrite;
    bool m_failFlush;
    bool m_failReplace;
};

class ChangeTableFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("Config.ini");
    IniBackend& backend = PlatformIniBackend();

    void WriteConfig(const std::string& bytes) {
        backend.RemoveFile(path);
        WriteFileBytes(path, bytes);
    }
    std::string Saved() {
        backend.Flush(path);
        return ReadFileBytes(path);
    }
};

} // namespace

TEST_F(ChangeTableFile, MissingFileLoadsEmpty) {
    CChangeTable table;
    table.Load(path, backend);
    EXPECT_EQ(table.GetSize(), 0);
    EXPECT_EQ(table.GetDeviceName(), "");
}

TEST_F(ChangeTableFile, LoadDefaultsForMissingSectionsAndKeys) {
    WriteConfig("[General]\r\nMidiInDevice=Keys\r\nTableItemCount=4\r\n"
                "[TableItem000]\r\nNoteNumber=64\r\nKeyCode=256\r\nKeyFlag=300\r\n"
                "[TableItem001]\r\nInputCh=3\r\n"
                "[TableItem003]\r\nNoteNumber=10\r\nNoteNumberEnd=20\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 4);
    EXPECT_EQ(table.GetDeviceName(), "Keys");
    EXPECT_EQ(Describe(*table.GetAt(0)), "0,0,0,64,64,0,0,0,0,0,44,");
    EXPECT_EQ(Describe(*table.GetAt(1)), "3,0,0,40,40,0,0,0,0,0,0,");
    EXPECT_EQ(Describe(*table.GetAt(2)), "0,0,0,40,40,0,0,0,0,0,0,");
    EXPECT_EQ(Describe(*table.GetAt(3)), "0,0,0,10,20,0,0,0,0,0,0,");
}

TEST_F(ChangeTableFile, ZeroNegativeAndHugeCounts) {
    for (const char* count : {"0", "-3", "abc", ""}) {
        WriteConfig(std::string("[General]\r\nTableItemCount=") + count +
                    "\r\n[TableItem000]\r\nKeyCode=65\r\n");
        CChangeTable table;
        table.Load(path, backend);
        EXPECT_EQ(table.GetSize(), 0) << count;
    }
    WriteConfig("[General]\r\nTableItemCount=2000000000\r\n");
    CChangeTable table;
    table.Load(path, backend);
    EXPECT_EQ(table.GetSize(), CChangeTable::kMaxItemCount);
}

TEST_F(ChangeTableFile, SaveWritesTheDocumentedLayout) {
    CChangeTable table;
    CChangeTableItem* item = NewItem(60, 65, 1);
    item->NoteNumberEnd = 72;
    table.InsertAt(0, item);
    ASSERT_TRUE(table.Save(path, backend));
    EXPECT_EQ(NonBlankLines(Saved()),
              (std::vector<std::string>{"[General]", "MidiInDevice=", "TableItemCount=1",
                                        "[TableItem000]", "InputCh=0", "InputKind=0",
                                        "OutputKind=0", "NoteNumber=60", "NoteNumberEnd=72",
                                        "CCNumber=0", "CCFlag=0", "PCNumber=0", "PCRange=0",
                                        "KeyCode=65", "KeyFlag=1", "ActExePath="}));
    EXPECT_FALSE(FileExists(path + ".new"));
}

TEST_F(ChangeTableFile, SavedTableReloadsIdentically) {
    CChangeTable table;
    table.SetDeviceName("ソ表 MIDI 1");
    for (int i = 0; i < 5; ++i) {
        CChangeTableItem* item = NewItem(30 + i, 65 + i, i);
        item->InputCh = static_cast<std::uint8_t>(i * 3);
        item->InputKind = static_cast<std::uint8_t>(i);
        item->OutputKind = static_cast<std::uint8_t>(i % 3);
        item->CCNumber = static_cast<std::uint8_t>(100 + i);
        item->CCFlag = 1;
        item->PCNumber = static_cast<std::uint8_t>(127 - i);
        item->PCRange = static_cast<std::uint8_t>(i & 1);
        item->NoteNumberEnd = static_cast<std::uint8_t>(90 + i);
        table.InsertAt(table.GetSize(), item);
    }
    table.GetAt(1)->SetActExePath("C:\\ソフト\\表計算.exe");
    table.GetAt(2)->SetActExePath("C:\\" + std::string(252, 'x') + ".exe"); // 259 characters
    ASSERT_TRUE(table.Save(path, backend));
    CChangeTable loaded;
    loaded.Load(path, backend);
    EXPECT_EQ(Describe(loaded), Describe(table));
}

TEST_F(ChangeTableFile, ShrunkTableLeavesOnlyItsSections) {
    CChangeTable table;
    for (int i = 0; i < 5; ++i) table.InsertAt(i, NewItem(i, 65, 0));
    ASSERT_TRUE(table.Save(path, backend));
    for (int i = 4; i >= 2; --i) {
        delete table.GetAt(i);
        table.RemoveAt(i);
    }
    ASSERT_TRUE(table.Save(path, backend));
    const std::string bytes = Saved();
    EXPECT_NE(bytes.find("[TableItem001]"), std::string::npos);
    EXPECT_EQ(bytes.find("[TableItem002]"), std::string::npos);
    EXPECT_NE(bytes.find("TableItemCount=2"), std::string::npos);
}

TEST_F(ChangeTableFile, RemoveAtMovesLaterRulesDownAndDeletesNothing) {
    CChangeTable table;
    CChangeTableItem* first = NewItem(1, 0, 0);
    table.InsertAt(0, first);
    table.InsertAt(1, NewItem(2, 0, 0));
    table.InsertAt(2, NewItem(3, 0, 0));
    table.RemoveAt(0);
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(table.GetAt(0)->NoteNumber, 2);
    EXPECT_EQ(table.GetAt(1)->NoteNumber, 3);
    EXPECT_EQ(first->NoteNumber, 1); // still alive: the caller owns it now
    delete first;
}

TEST_F(ChangeTableFile, DamagedFilesLoadToADefinedTableAndSaveClean) {
    const std::string big(1 << 20, 'Z');
    const std::vector<std::string> damaged = {
        "",
        std::string("\x00\x01\x02\xff\xfe[\x00]=\x00", 10),
        "\x89PNG\r\n\x1a\n binary garbage \xff\xff\xff",
        "[General]\r\nTableItemCount=1\r\n[TableItem000]\r\nKeyCode=6",
        "[General]\r\nJunk=" + big + "\r\nTableItemCount=1\r\n",
        "[General]\r\nTableItemCount=1\r\n" + big,
        "[General]\nTableItemCount=1\n[TableItem000]\nKeyCode=65\n",
        "[General]\rTableItemCount=1\r[TableItem000]\rKeyCode=65\r",
        "TableItemCount=1\r\nKeyCode=65\r\n",
        "[General]\r\nTableItemCount\r\n[TableItem000]\r\nKeyCode\r\n",
        "[General]\r\nTableItemCount=1\r\n[General]\r\nTableItemCount=9\r\n"
        "[TableItem000]\r\nKeyCode=65\r\nKeyCode=66\r\n",
        "[General]\r\nTableItemCount=1\r\n[TableItem000]\r\nKeyCode=-1\r\nInputCh=300\r\n",
        "[General]\r\nMidiInDevice=\x81\r\nTableItemCount=1\r\n[TableItem000]\r\n"
        "ActExePath=\x83\x81\x82\xfd\x40\r\n",
        "[TableItem000]\r\nKeyCode=65\r\n",
        "[General\r\nTableItemCount=1\r\n",
        std::string(5000, '['),
        std::string(5000, '='),
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        WriteConfig(damaged[i]);
        CChangeTable table;
        table.Load(path, backend);
        EXPECT_LE(table.GetSize(), 1) << "case " << i;
        ASSERT_TRUE(table.Save(path, backend)) << "case " << i;
        CChangeTable reloaded;
        reloaded.Load(path, backend);
        EXPECT_EQ(Describe(reloaded), Describe(table)) << "case " << i;
        const auto lines = NonBlankLines(Saved());
        ASSERT_GE(lines.size(), 3u) << "case " << i;
        EXPECT_EQ(lines[0], "[General]") << "case " << i;
        EXPECT_EQ(lines.size(), 3u + 13u * static_cast<size_t>(table.GetSize())) << "case " << i;
    }
}

TEST_F(ChangeTableFile, InterruptedSaveKeepsTheOldFileWhole) {
    CChangeTable oldTable;
    oldTable.InsertAt(0, NewItem(10, 65, 0));
    ASSERT_TRUE(oldTable.Save(path, backend));
    const std::string oldBytes = Saved();

    CChangeTable newTable;
    newTable.SetDeviceName("New");
    for (int i = 0; i < 3; ++i) newTable.InsertAt(i, NewItem(20 + i, 66, 1));
    const int writesOfASave = 2 + 12 * 3;
    for (int failAt = 1; failAt <= writesOfASave + 2; ++failAt) {
        const bool failFlush = failAt == writesOfASave + 1;
        const bool failReplace = failAt == writesOfASave + 2;
        FailingBackend failing(backend, failAt <= writesOfASave ? failAt : 0, failFlush,
                               failReplace);
        EXPECT_FALSE(newTable.Save(path, failing)) << failAt;
        EXPECT_EQ(Saved(), oldBytes) << failAt;
        EXPECT_FALSE(FileExists(path + ".new")) << failAt;
    }
    FailingBackend working(backend, 0, false, false);
    EXPECT_TRUE(newTable.Save(path, working));
    EXPECT_EQ(working.Writes(), writesOfASave);
    CChangeTable loaded;
    loaded.Load(path, backend);
    EXPECT_EQ(Describe(loaded), Describe(newTable));
}

TEST_F(ChangeTableFile, UnwritableLocationFailsTheSave) {
    CChangeTable table;
    table.InsertAt(0, NewItem(1, 65, 0));
    EXPECT_FALSE(table.Save(dir.File("no-such-dir/Config.ini"), backend));
}

TEST(ConfigPath, BesideTheExecutable) {
    const std::string directory = GetModuleDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_TRUE(directory.back() == '\\' || directory.back() == '/');
    EXPECT_EQ(GetModuleDirectory(), directory);
    EXPECT_EQ(GetConfigPath(), directory + "Config.ini");
    EXPECT_EQ(GetModulePath().rfind(directory, 0), 0u);
}
