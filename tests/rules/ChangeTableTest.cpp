#include "ChangeTable.h"
#include "FailingIniBackend.h"
#include "IniFile.h"
#include "ModulePath.h"
#include "PortableIniBackend.h"
#include "StringUtil.h"
#include "TypedText.h"
#include "TempDir.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

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
        << int(i.CCFlag) << ',' << int(i.PCNumber) << ',' << int(i.PCRange) << ',' << int(i.KeyCode)
        << ',' << int(i.KeyFlag) << ',' << i.GetActExePath();
    return out.str();
}

std::vector<std::string> Describe(const CChangeTable& table) {
    std::vector<std::string> rows{table.GetDeviceName()};
    for (int i = 0; i < table.GetSize(); ++i)
        rows.push_back(Describe(*table.GetAt(i)));
    return rows;
}

class ChangeTableFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("Config.ini");
    CPortableIniBackend backend;

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

TEST_F(ChangeTableFile, CountBeyondThePresentSectionsGivesDefaultRules) {
    WriteConfig("[General]\r\nTableItemCount=3\r\n[TableItem000]\r\nKeyCode=65\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 3);
    EXPECT_EQ(Describe(*table.GetAt(0)), "0,0,0,40,40,0,0,0,0,65,0,");
    EXPECT_EQ(Describe(*table.GetAt(1)), "0,0,0,40,40,0,0,0,0,0,0,");
    EXPECT_EQ(Describe(*table.GetAt(2)), "0,0,0,40,40,0,0,0,0,0,0,");
}

TEST_F(ChangeTableFile, ZeroNegativeOrNonNumericCountLoadsNoRule) {
    for (const char* count : {"0", "-3", "-2147483648", "abc", "", " "}) {
        WriteConfig(std::string("[General]\r\nTableItemCount=") + count +
                    "\r\n[TableItem000]\r\nKeyCode=65\r\n");
        CChangeTable table;
        table.Load(path, backend);
        EXPECT_EQ(table.GetSize(), 0) << count;
    }
}

TEST_F(ChangeTableFile, CountBeyondTheCapKeepsOnlyThePresentSections) {
    WriteConfig("[General]\r\nTableItemCount=2000000000\r\n"
                "[TableItem000]\r\nKeyCode=65\r\n[TableItem002]\r\nKeyCode=67\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 3);
    EXPECT_EQ(table.GetAt(0)->KeyCode, 65);
    EXPECT_EQ(table.GetAt(1)->KeyCode, 0);
    EXPECT_EQ(table.GetAt(2)->KeyCode, 67);

    WriteConfig("[General]\r\nTableItemCount=2000000000\r\n");
    CChangeTable none;
    none.Load(path, backend);
    EXPECT_EQ(none.GetSize(), 0);
}

TEST_F(ChangeTableFile, TheCapBoundsTheTable) {
    WriteConfig("[General]\r\nTableItemCount=99999999999\r\n[TableItem9999]\r\nKeyCode=1\r\n"
                "[TableItem10000]\r\nKeyCode=2\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), CChangeTable::kMaxItemCount);
    EXPECT_EQ(table.GetAt(CChangeTable::kMaxItemCount - 1)->KeyCode, 1);
    EXPECT_EQ(table.GetAt(0)->KeyCode, 0);

    WriteConfig(std::string("[General]\r\nTableItemCount=") +
                std::to_string(CChangeTable::kMaxItemCount) + "\r\n");
    CChangeTable full;
    full.Load(path, backend);
    EXPECT_EQ(full.GetSize(), CChangeTable::kMaxItemCount);
}

TEST_F(ChangeTableFile, ByteKeysKeepTheirLowEightBits) {
    WriteConfig("[General]\r\nTableItemCount=1\r\n[TableItem000]\r\nInputCh=256\r\n"
                "CCNumber=300\r\nKeyFlag=-1\r\nNoteNumber=64\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(Describe(*table.GetAt(0)), "0,0,0,64,64,44,0,0,0,0,255,");
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
    for (int i = 0; i < 5; ++i)
        table.InsertAt(i, NewItem(i, 65, 0));
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

TEST_F(ChangeTableFile, ShiftJisTextIsStoredByteForByte) {
    CChangeTable table;
    // The second byte of "ソ" (0x83 0x5C) and of "表" (0x95 0x5C) is a backslash.
    const std::string device = "ソ表\x83\x5C MIDI";
    const std::string exe = "D:\\ソフト\\表計算\\予定表.exe";
    table.SetDeviceName(device);
    table.InsertAt(0, NewItem(1, 0, 0));
    table.GetAt(0)->SetActExePath(exe);
    ASSERT_TRUE(table.Save(path, backend));
    const std::string bytes = Saved();
    EXPECT_NE(bytes.find("MidiInDevice=\x83\x5C\x95\x5C\x83\x5C MIDI\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("ActExePath=D:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C"), std::string::npos);
    CChangeTable loaded;
    loaded.Load(path, backend);
    EXPECT_EQ(loaded.GetDeviceName(), device);
    ASSERT_EQ(loaded.GetSize(), 1);
    EXPECT_EQ(loaded.GetAt(0)->GetActExePath(), exe);
}

TEST_F(ChangeTableFile, ASecondSaveOfTheSameSizeIsReadBack) {
    // The platform's profile cache tells files apart by time stamp; two
    // saves in quick succession must still read back the newer one.
    for (int key = 65; key < 75; ++key) {
        CChangeTable table;
        table.InsertAt(0, NewItem(1, key, 0));
        ASSERT_TRUE(table.Save(path, backend));
        CChangeTable loaded;
        loaded.Load(path, backend);
        ASSERT_EQ(loaded.GetSize(), 1);
        EXPECT_EQ(loaded.GetAt(0)->KeyCode, key);
    }
}

TEST_F(ChangeTableFile, InterruptedSaveKeepsTheOldFileWhole) {
    CChangeTable oldTable;
    oldTable.InsertAt(0, NewItem(10, 65, 0));
    ASSERT_TRUE(oldTable.Save(path, backend));
    const std::string oldBytes = Saved();

    CChangeTable newTable;
    newTable.SetDeviceName("New");
    for (int i = 0; i < 3; ++i)
        newTable.InsertAt(i, NewItem(20 + i, 66, 1));
    const int writesOfASave = 2 + 12 * 3;
    for (int failAt = 1; failAt <= writesOfASave + 2; ++failAt) {
        const bool failFlush = failAt == writesOfASave + 1;
        const bool failReplace = failAt == writesOfASave + 2;
        FailingIniBackend failing(backend, failAt <= writesOfASave ? failAt : 0, failFlush,
                                  failReplace);
        EXPECT_FALSE(newTable.Save(path, failing)) << failAt;
        EXPECT_EQ(Saved(), oldBytes) << failAt;
        EXPECT_FALSE(FileExists(path + ".new")) << failAt;
    }
    FailingIniBackend working(backend, 0, false, false);
    EXPECT_TRUE(newTable.Save(path, working));
    EXPECT_EQ(working.Writes(), writesOfASave);
    CChangeTable loaded;
    loaded.Load(path, backend);
    EXPECT_EQ(Describe(loaded), Describe(newTable));
}

TEST_F(ChangeTableFile, InterruptedFirstSaveLeavesNoFile) {
    CChangeTable table;
    table.InsertAt(0, NewItem(20, 66, 1));
    for (int failAt = 1; failAt <= 14; ++failAt) {
        FailingIniBackend failing(backend, failAt, failAt == 13, failAt == 14);
        EXPECT_FALSE(table.Save(path, failing)) << failAt;
        EXPECT_FALSE(FileExists(path)) << failAt;
        EXPECT_FALSE(FileExists(path + ".new")) << failAt;
    }
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

TEST_F(ChangeTableFile, TheNoticeSettingIsStoredOnlyWhenOff) {
    WriteConfig("[General]\r\nMidiInDevice=Pad\r\nTableItemCount=0\r\n");
    CChangeTable table;
    table.Load(path, backend);
    EXPECT_TRUE(table.GetShowNotice());
    ASSERT_TRUE(table.Save(path, backend));
    const std::string on = Saved();
    EXPECT_EQ(on.find("ShowNotice"), std::string::npos);

    table.SetShowNotice(false);
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = NonBlankLines(Saved());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "ShowNotice=0") - lines.begin(), 3)
        << "after the count in [General]";
    CChangeTable off;
    off.Load(path, backend);
    EXPECT_FALSE(off.GetShowNotice());

    // Any other number is on, as a hand-edited file means it.
    WriteConfig("[General]\r\nShowNotice=2\r\n");
    CChangeTable edited;
    edited.Load(path, backend);
    EXPECT_TRUE(edited.GetShowNotice());
}

TEST_F(ChangeTableFile, StartWhenNotRunningIsStoredOnlyWhenSet) {
    CChangeTable table;
    for (int i = 0; i < 3; ++i) {
        CChangeTableItem* item = NewItem(60 + i, 0, 0);
        item->OutputKind = CChangeTableItem::ActivateApplication;
        item->SetActExePath("C:\\ソフト\\app.exe");
        table.InsertAt(i, item);
    }
    ASSERT_TRUE(table.Save(path, backend));
    const std::string without = Saved();
    EXPECT_EQ(without.find("ActLaunch"), std::string::npos);

    // A file of a table without the flag comes back byte for byte.
    CChangeTable reloaded;
    reloaded.Load(path, backend);
    ASSERT_TRUE(reloaded.Save(path, backend));
    EXPECT_EQ(Saved(), without);

    reloaded.GetAt(1)->ActLaunch = 1;
    ASSERT_TRUE(reloaded.Save(path, backend));
    const std::vector<std::string> lines = NonBlankLines(Saved());
    ASSERT_EQ(std::count(lines.begin(), lines.end(), "ActLaunch=1"), 1);
    const auto section = std::find(lines.begin(), lines.end(), "[TableItem001]");
    EXPECT_EQ(std::find(section, lines.end(), "ActLaunch=1") - section, 13)
        << "written last in its rule's section";
    CChangeTable loaded;
    loaded.Load(path, backend);
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_EQ(loaded.GetAt(0)->ActLaunch, 0);
    EXPECT_EQ(loaded.GetAt(1)->ActLaunch, 1);
    EXPECT_EQ(loaded.GetAt(2)->ActLaunch, 0);
}

TEST_F(ChangeTableFile, HoldFlagIsStoredOnlyWhenSetAndAfterTheStartFlag) {
    CChangeTable table;
    for (int i = 0; i < 2; ++i) {
        table.InsertAt(i, NewItem(60 + i, 0, 0));
    }
    ASSERT_TRUE(table.Save(path, backend));
    const std::string without = Saved();
    EXPECT_EQ(without.find("KeyHold"), std::string::npos);

    table.GetAt(1)->KeyHold = 1;
    table.GetAt(1)->ActLaunch = 1;
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = NonBlankLines(Saved());
    ASSERT_EQ(std::count(lines.begin(), lines.end(), "KeyHold=1"), 1);
    const auto section = std::find(lines.begin(), lines.end(), "[TableItem001]");
    EXPECT_EQ(std::find(section, lines.end(), "ActLaunch=1") - section, 13);
    EXPECT_EQ(std::find(section, lines.end(), "KeyHold=1") - section, 14);
    CChangeTable loaded;
    loaded.Load(path, backend);
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(loaded.GetAt(0)->KeyHold, 0);
    EXPECT_EQ(loaded.GetAt(1)->KeyHold, 1);
    loaded.GetAt(1)->KeyHold = 0;
    loaded.GetAt(1)->ActLaunch = 0;
    ASSERT_TRUE(loaded.Save(path, backend));
    EXPECT_EQ(Saved(), without);
}

TEST_F(ChangeTableFile, HandEditedStartFlagReadsAsOnOrOff) {
    WriteConfig("[General]\r\nTableItemCount=3\r\n[TableItem000]\r\nActLaunch=0\r\n"
                "[TableItem001]\r\nActLaunch=7\r\n[TableItem002]\r\nActLaunch=x\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 3);
    EXPECT_EQ(table.GetAt(0)->ActLaunch, 0);
    EXPECT_EQ(table.GetAt(1)->ActLaunch, 1);
    EXPECT_EQ(table.GetAt(2)->ActLaunch, 0);
}

TEST_F(ChangeTableFile, KnobAndMouseKeysAreStoredOnlyWhenNotDefaultAfterTheHoldFlag) {
    CChangeTable table;
    for (int i = 0; i < 2; ++i) {
        table.InsertAt(i, NewItem(60 + i, 0, 0));
    }
    table.GetAt(0)->InputKind = CChangeTableItem::ControlChangeUp; // absolute, wheel up
    table.GetAt(0)->OutputKind = CChangeTableItem::MouseInput;
    ASSERT_TRUE(table.Save(path, backend));
    const std::string defaults = Saved();
    EXPECT_EQ(defaults.find("CCMode"), std::string::npos);
    EXPECT_EQ(defaults.find("MouseAction"), std::string::npos);

    CChangeTableItem& rule = *table.GetAt(1);
    rule.InputKind = CChangeTableItem::ControlChangeDown;
    rule.OutputKind = CChangeTableItem::MouseInput;
    rule.CCMode = CChangeTableItem::CCModeSignBit;
    rule.MouseAction = CChangeTableItem::ForwardButton;
    rule.KeyHold = 1;
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = NonBlankLines(Saved());
    const auto section = std::find(lines.begin(), lines.end(), "[TableItem001]");
    EXPECT_EQ(std::find(section, lines.end(), "KeyHold=1") - section, 13);
    EXPECT_EQ(std::find(section, lines.end(), "CCMode=3") - section, 14);
    EXPECT_EQ(std::find(section, lines.end(), "MouseAction=8") - section, 15);

    CChangeTable loaded;
    loaded.Load(path, backend);
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(Describe(loaded), Describe(table));
    EXPECT_EQ(loaded.GetAt(0)->CCMode, 0);
    EXPECT_EQ(loaded.GetAt(1)->CCMode, 3);
    EXPECT_EQ(loaded.GetAt(1)->MouseAction, 8);
}

TEST_F(ChangeTableFile, UnknownKindsModesAndActionsSaveBackAsRead) {
    const std::string rule = "InputCh=0\r\nInputKind=%d\r\nOutputKind=%d\r\nNoteNumber=40\r\n"
                             "NoteNumberEnd=40\r\nCCNumber=0\r\nCCFlag=0\r\nPCNumber=0\r\n"
                             "PCRange=0\r\nKeyCode=0\r\nKeyFlag=0\r\nActExePath=\r\n";
    const std::string file =
        "[General]\r\nMidiInDevice=\r\nTableItemCount=2\r\n\r\n[TableItem000]\r\n" +
        Format(rule.c_str(), 9, 7) + "CCMode=200\r\nMouseAction=77\r\n\r\n[TableItem001]\r\n" +
        Format(rule.c_str(), 5, 3) + "CCMode=4\r\nMouseAction=9\r\n";
    WriteConfig(file);
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(table.GetAt(0)->CCMode, 200);
    EXPECT_EQ(table.GetAt(1)->MouseAction, 9);
    ASSERT_TRUE(table.Save(path, backend));
    EXPECT_EQ(NonBlankLines(Saved()), NonBlankLines(file));
}

TEST_F(ChangeTableFile, ApplicationIsStoredOnlyWhenSetAndLast) {
    CChangeTable table;
    for (int i = 0; i < 3; ++i) {
        table.InsertAt(i, NewItem(60 + i, 0, 0));
    }
    ASSERT_TRUE(table.Save(path, backend));
    const std::string without = Saved();
    EXPECT_EQ(without.find("ForeExePath"), std::string::npos);

    const std::string application = "C:\\ソフト\\表計算.exe";
    table.GetAt(1)->SetForeExePath(application);
    table.GetAt(1)->KeyHold = 1;
    table.GetAt(2)->SetForeExePath("Paint.exe");
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = NonBlankLines(Saved());
    const auto section = std::find(lines.begin(), lines.end(), "[TableItem001]");
    EXPECT_EQ(std::find(section, lines.end(), "KeyHold=1") - section, 13);
    EXPECT_EQ(std::find(section, lines.end(), "ForeExePath=" + application) - section, 14);
    CChangeTable loaded;
    loaded.Load(path, backend);
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_EQ(loaded.GetAt(0)->GetForeExePath(), "");
    EXPECT_EQ(loaded.GetAt(1)->GetForeExePath(), application);
    EXPECT_EQ(loaded.GetAt(2)->GetForeExePath(), "Paint.exe");

    for (int i = 1; i < 3; ++i) {
        loaded.GetAt(i)->SetForeExePath("");
    }
    loaded.GetAt(1)->KeyHold = 0;
    ASSERT_TRUE(loaded.Save(path, backend));
    EXPECT_EQ(Saved(), without) << "a table without it saves as before";
}

TEST_F(ChangeTableFile, ApplicationWithALineBreakOrOfThreeHundredBytesIsTheActivationPathsCase) {
    const std::string longPath = "C:\\" + std::string(290, 'p') + "\\a.exe";
    for (const std::string& value : {std::string("C:\\a\r\nb.exe"), longPath}) {
        CChangeTable table;
        table.InsertAt(0, NewItem(60, 0, 0));
        table.GetAt(0)->SetActExePath(value);
        const bool activationSaved = table.Save(path, backend);
        const std::string activationFile = Saved();
        table.GetAt(0)->SetActExePath("");
        table.GetAt(0)->SetForeExePath(value);
        EXPECT_EQ(table.Save(path, backend), activationSaved);
        if (!activationSaved) {
            EXPECT_EQ(Saved(), activationFile) << "the previous file stays";
            continue;
        }
        CChangeTable loaded;
        loaded.Load(path, backend);
        ASSERT_EQ(loaded.GetSize(), 1);
        EXPECT_EQ(loaded.GetAt(0)->GetForeExePath(), value);
    }
}

TEST_F(ChangeTableFile, LayerKeysAreStoredAfterTheApplicationAndOnlyWhereUsed) {
    CChangeTable table;
    for (int i = 0; i < 3; ++i) {
        table.InsertAt(i, NewItem(60 + i, 0, 0));
    }
    ASSERT_TRUE(table.Save(path, backend));
    const std::string without = Saved();

    table.GetAt(0)->Layer = 3;
    table.GetAt(0)->SetForeExePath("Paint.exe");
    table.GetAt(1)->OutputKind = CChangeTableItem::SwitchLayer; // action 0, target 1
    table.GetAt(2)->LayerAction = CChangeTableItem::HoldLayer;  // not a switch: not stored
    ASSERT_TRUE(table.LayerNames().Set(2, "編集"));
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = NonBlankLines(Saved());
    EXPECT_EQ(lines[3], "LayerName2=編集");
    const auto first = std::find(lines.begin(), lines.end(), "[TableItem000]");
    EXPECT_EQ(std::find(first, lines.end(), "ForeExePath=Paint.exe") - first, 13);
    EXPECT_EQ(std::find(first, lines.end(), "Layer=3") - first, 14);
    const auto second = std::find(lines.begin(), lines.end(), "[TableItem001]");
    EXPECT_EQ(std::find(second, lines.end(), "LayerAction=0") - second, 13);
    EXPECT_EQ(std::find(second, lines.end(), "LayerTarget=1") - second, 14);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "LayerAction=1"), 0);

    CChangeTable loaded;
    loaded.Load(path, backend);
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_EQ(loaded.GetAt(0)->Layer, 3);
    EXPECT_EQ(loaded.GetAt(1)->OutputKind, CChangeTableItem::SwitchLayer);
    EXPECT_EQ(loaded.GetAt(1)->LayerTarget, 1);
    EXPECT_EQ(loaded.LayerNames().Get(2), "編集");
    EXPECT_TRUE(loaded.UsesLayers());

    loaded.GetAt(0)->Layer = 0;
    loaded.GetAt(0)->SetForeExePath("");
    loaded.GetAt(1)->OutputKind = CChangeTableItem::KeyInput;
    loaded.GetAt(2)->LayerAction = 0;
    loaded.LayerNames().Set(2, "");
    EXPECT_FALSE(loaded.UsesLayers());
    ASSERT_TRUE(loaded.Save(path, backend));
    EXPECT_EQ(Saved(), without) << "a table without layers saves as before";
}

TEST_F(ChangeTableFile, OutOfRangeLayerValuesSaveBackAsRead) {
    const std::string file =
        "[General]\r\nMidiInDevice=\r\nTableItemCount=1\r\nLayerName1=ベース\r\n\r\n"
        "[TableItem000]\r\nInputCh=0\r\nInputKind=0\r\nOutputKind=4\r\nNoteNumber=40\r\n"
        "NoteNumberEnd=40\r\nCCNumber=0\r\nCCFlag=0\r\nPCNumber=0\r\nPCRange=0\r\nKeyCode=0\r\n"
        "KeyFlag=0\r\nActExePath=\r\nLayer=200\r\nLayerAction=9\r\nLayerTarget=0\r\n";
    WriteConfig(file);
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(table.GetAt(0)->Layer, 200);
    EXPECT_EQ(table.GetAt(0)->LayerAction, 9);
    EXPECT_EQ(table.GetAt(0)->LayerTarget, 0);
    ASSERT_TRUE(table.Save(path, backend));
    EXPECT_EQ(NonBlankLines(Saved()), NonBlankLines(file));
}

TEST_F(ChangeTableFile, ExportThenImportGivesTheSameTableWithoutTheDevice) {
    CChangeTable table;
    table.SetDeviceName("Pads");
    table.InsertAt(0, NewItem(60, 'A', 1));
    table.InsertAt(1, NewItem(61, 'B', 0));
    table.GetAt(1)->Layer = 2;
    table.LayerNames().Set(2, "編集");
    const std::string exported = dir.File("共有.ini");
    ASSERT_TRUE(table.Export(exported, backend));
    EXPECT_EQ(ReadFileBytes(exported).find("MidiInDevice"), std::string::npos);

    CChangeTable current;
    current.SetDeviceName("Mine");
    current.InsertAt(0, NewItem(70, 'Z', 0));
    const CChangeTable::ImportReport added =
        current.Import(exported, backend, CChangeTable::ImportMode::Append);
    EXPECT_TRUE(added.heldTable);
    EXPECT_EQ(added.added, 2);
    ASSERT_EQ(current.GetSize(), 3);
    EXPECT_EQ(current.GetAt(0)->NoteNumber, 70) << "added at the end";
    EXPECT_EQ(current.GetAt(2)->Layer, 2);

    const CChangeTable::ImportReport replaced =
        current.Import(exported, backend, CChangeTable::ImportMode::Replace);
    EXPECT_EQ(replaced.added, 2);
    table.SetDeviceName("Mine");
    EXPECT_EQ(Describe(current), Describe(table));
    EXPECT_TRUE(current.LayerNames() == table.LayerNames());
    EXPECT_EQ(current.GetDeviceName(), "Mine") << "the device stays this computer's";
}

TEST_F(ChangeTableFile, AFileWithoutATableOrWithUnknownRulesLosesNothing) {
    CChangeTable current;
    current.InsertAt(0, NewItem(70, 'Z', 0));
    const std::string other = dir.File("other.ini");
    for (const std::string& bytes :
         {std::string(), std::string("\x00\xff\x12\x80[\x01", 6), std::string("[Other]\r\nA=1\r\n"),
          std::string(10 * 1024 * 1024, 'x')}) {
        backend.RemoveFile(other); // the backend keeps what it read
        WriteFileBytes(other, bytes);
        const CChangeTable::ImportReport report =
            current.Import(other, backend, CChangeTable::ImportMode::Replace);
        EXPECT_FALSE(report.heldTable);
        ASSERT_EQ(current.GetSize(), 1);
    }
    // A Config.ini of today is a table; a rule of a kind unknown here is
    // left out and counted.
    backend.RemoveFile(other);
    WriteFileBytes(other, "[General]\r\nMidiInDevice=Pads\r\nTableItemCount=3\r\n"
                          "[TableItem001]\r\nOutputKind=9\r\n[TableItem002]\r\nInputKind=8\r\n");
    const CChangeTable::ImportReport report =
        current.Import(other, backend, CChangeTable::ImportMode::Append);
    EXPECT_TRUE(report.heldTable);
    EXPECT_EQ(report.added, 1);
    EXPECT_EQ(report.skippedRules, 2);
    EXPECT_EQ(current.GetSize(), 2);
}

TEST_F(ChangeTableFile, DeviceSlotsAndInputDeviceRoundTripAndTodaysFilesStayByteForByte) {
    // A table of one device, as written before there were slots.
    const std::string today = "[General]\r\nMidiInDevice=Keys\r\nTableItemCount=1\r\n"
                              "[TableItem000]\r\nInputCh=0\r\nInputKind=0\r\nOutputKind=0\r\n"
                              "NoteNumber=60\r\nNoteNumberEnd=60\r\nCCNumber=0\r\nCCFlag=0\r\n"
                              "PCNumber=0\r\nPCRange=0\r\nKeyCode=65\r\nKeyFlag=0\r\n"
                              "ActExePath=\r\n";
    WriteConfig(today);
    CChangeTable table;
    table.Load(path, backend);
    EXPECT_EQ(table.NamedDeviceCount(), 1);
    ASSERT_TRUE(table.Save(path, backend));
    EXPECT_EQ(NonBlankLines(Saved()), NonBlankLines(today));

    table.SetDeviceName(2, "nanoKONTROL2");
    table.SetDeviceName(8, "2 - Pads");
    table.SetDeviceName(9, "beyond the slots");
    table.GetAt(0)->InputDevice = 2;
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = NonBlankLines(Saved());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
              (std::vector<std::string>{"[General]", "MidiInDevice=Keys",
                                        "MidiInDevice2=nanoKONTROL2", "MidiInDevice8=2 - Pads",
                                        "TableItemCount=1"}));
    EXPECT_EQ(lines.back(), "InputDevice=2") << "after the keys every table has";
    CChangeTable loaded;
    loaded.Load(path, backend);
    EXPECT_EQ(loaded.GetDeviceName(2), "nanoKONTROL2");
    EXPECT_EQ(loaded.GetDeviceName(8), "2 - Pads");
    EXPECT_EQ(loaded.GetDeviceName(9), "");
    EXPECT_EQ(loaded.NamedDeviceCount(), 3);
    EXPECT_EQ(loaded.GetAt(0)->InputDevice, 2);
}

TEST_F(ChangeTableFile, HandEditedDeviceValuesHaveADefinedOutcome) {
    const std::string longName(300, 'k');
    WriteConfig("[General]\r\nMidiInDevice=Keys\r\nMidiInDevice2=Keys\r\nMidiInDevice3=" +
                longName + "\r\nMidiInDevice4=Line\r\nbreak\r\nTableItemCount=5\r\n"
                "[TableItem000]\r\nInputDevice=9\r\n[TableItem001]\r\nInputDevice=257\r\n"
                "[TableItem002]\r\nInputDevice=-1\r\n[TableItem003]\r\nInputDevice=x\r\n"
                "[TableItem004]\r\nInputDevice=8\r\n");
    CChangeTable table;
    table.Load(path, backend);
    // The same name twice and a long name are kept as read; the line break
    // ended the value, the rest is no key of the program.
    EXPECT_EQ(table.GetDeviceName(2), "Keys");
    EXPECT_EQ(table.GetDeviceName(3), longName);
    EXPECT_EQ(table.GetDeviceName(4), "Line");
    ASSERT_EQ(table.GetSize(), 5);
    // A number beyond the slots stays, one beyond a byte is no slot at all,
    // garbage is every device.
    const int expected[] = {9, CChangeTableItem::kNoDevice, CChangeTableItem::kNoDevice, 0, 8};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(table.GetAt(i)->InputDevice, expected[i]) << i;
    }
    ASSERT_TRUE(table.Save(path, backend));
    CChangeTable again;
    again.Load(path, backend);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(again.GetAt(i)->InputDevice, expected[i]) << i;
    }
    EXPECT_EQ(again.GetDeviceName(3), longName);
}

TEST(ChangeTableTexts, ARuleOfOneDeviceIsLedByItsName) {
    CChangeTable table;
    table.SetDeviceName(2, "nanoKONTROL2");
    auto* rule = new CChangeTableItem;
    rule->InputKind = CChangeTableItem::ControlChangeUp;
    rule->CCNumber = 20;
    table.InsertAt(0, rule);
    EXPECT_EQ(table.InputTextOf(*rule), "CC# 20 (増やした時)");
    rule->InputDevice = 2;
    EXPECT_EQ(table.InputTextOf(*rule), "nanoKONTROL2: CC# 20 (増やした時)");
    rule->InputDevice = 5;
    EXPECT_EQ(table.InputTextOf(*rule), "デバイス 5: CC# 20 (増やした時)");
}

TEST_F(ChangeTableFile, SequenceTextAndRepeatKeysAreStoredOnlyWhenUsedAndReadBack) {
    CChangeTable table;
    for (int i = 0; i < 3; ++i) {
        table.InsertAt(i, NewItem(60 + i, 0, 0));
    }
    ASSERT_TRUE(table.Save(path, backend));
    const std::string without = Saved();
    for (const char* key : {"KeyRepeat", "KeySequence", "Text", "StrokeGap"}) {
        EXPECT_EQ(without.find(std::string(key) + "="), std::string::npos) << key;
    }

    table.GetAt(0)->KeyRepeat = 1;
    table.GetAt(1)->OutputKind = CChangeTableItem::KeySequence;
    table.GetAt(1)->SetKeySequence("1:67 4:9 w200 1:86 ?");
    table.GetAt(1)->StrokeGap = 25;
    table.GetAt(2)->OutputKind = CChangeTableItem::TypeText;
    table.GetAt(2)->SetText("よろしく\r\nお願いします\t!");
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = NonBlankLines(Saved());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "KeyRepeat=1"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "KeySequence=1:67 4:9 w200 1:86 ?"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "StrokeGap=25"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Text=よろしく___LF___お願いします\t!"), 1);

    CChangeTable loaded;
    loaded.Load(path, backend);
    ASSERT_EQ(loaded.GetSize(), 3);
    EXPECT_EQ(loaded.GetAt(0)->KeyRepeat, 1);
    EXPECT_EQ(loaded.GetAt(1)->GetKeySequence(), "1:67 4:9 w200 1:86 ?");
    EXPECT_EQ(loaded.GetAt(1)->StrokeGap, 25);
    EXPECT_EQ(loaded.GetAt(2)->GetText(), "よろしく\r\nお願いします\t!");
    EXPECT_EQ(loaded.GetAt(2)->StrokeGap, CChangeTableItem::kDefaultStrokeGap);

    loaded.GetAt(0)->KeyRepeat = 0;
    loaded.GetAt(1)->OutputKind = CChangeTableItem::KeyInput;
    loaded.GetAt(1)->SetKeySequence("");
    loaded.GetAt(1)->StrokeGap = CChangeTableItem::kDefaultStrokeGap;
    loaded.GetAt(2)->OutputKind = CChangeTableItem::KeyInput;
    loaded.GetAt(2)->SetText("");
    ASSERT_TRUE(loaded.Save(path, backend));
    EXPECT_EQ(Saved(), without);
}

TEST_F(ChangeTableFile, HandEditedSequenceTextAndRepeatValuesHaveDefinedOutcomes) {
    std::string longSequence;
    for (int i = 0; i < 10000; ++i) {
        longSequence += "0:65 ";
    }
    std::string longText(100000, 'x');
    WriteConfig("[General]\r\nTableItemCount=4\r\n[TableItem000]\r\nKeyHold=1\r\nKeyRepeat=1\r\n"
                "StrokeGap=0\r\n[TableItem001]\r\nKeyRepeat=5\r\nStrokeGap=99999\r\nKeySequence=" +
                longSequence + "\r\n[TableItem002]\r\nText=" + longText +
                "\r\nStrokeGap=x\r\n[TableItem003]\r\nText=a\x82\x20"
                "b\x82\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 4);
    EXPECT_EQ(table.GetAt(0)->KeyHold, 1);
    EXPECT_EQ(table.GetAt(0)->KeyRepeat, 0) << "a rule holds or repeats, never both";
    EXPECT_EQ(table.GetAt(0)->StrokeGap, CChangeTableItem::kMinStrokeGap);
    EXPECT_EQ(table.GetAt(1)->KeyRepeat, 1);
    EXPECT_EQ(table.GetAt(1)->StrokeGap, CChangeTableItem::kMaxStrokeGap);
    EXPECT_EQ(table.GetAt(1)->GetKeySequence().size(), 64u * 5 - 1);
    EXPECT_EQ(table.GetAt(2)->GetText().size(), kMaxTypedTextCharacters);
    EXPECT_EQ(table.GetAt(2)->StrokeGap, CChangeTableItem::kMinStrokeGap);
    // Bytes the code page cannot read stay as they are (typed as U+FFFD),
    // but half a character at the end goes.
    EXPECT_EQ(table.GetAt(3)->GetText(), "a\x82\x20"
                                         "b");
}

TEST_F(ChangeTableFile, LongLayerNamesAndLayerNumbersBeyondAByteHaveADefinedOutcome) {
    const std::string longName(300, 'n');
    WriteConfig("[General]\r\nMidiInDevice=\r\nTableItemCount=1\r\nLayerName3=" + longName +
                "\r\n[TableItem000]\r\nOutputKind=4\r\nLayer=257\r\nLayerAction=-1\r\n"
                "LayerTarget=99999\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(table.LayerNames().Get(3), longName);
    // Masked, 257 would be layer 1 and -1 a held layer.
    EXPECT_EQ(table.GetAt(0)->Layer, CChangeTableItem::kNoLayer);
    EXPECT_EQ(table.GetAt(0)->LayerAction, CChangeTableItem::kNoLayer);
    EXPECT_EQ(table.GetAt(0)->LayerTarget, CChangeTableItem::kNoLayer);
    EXPECT_FALSE(table.LayerNames().Set(4, "two\r\nlines"));
    EXPECT_EQ(table.LayerNames().Get(4), "");

    ASSERT_TRUE(table.Save(path, backend));
    CChangeTable again;
    again.Load(path, backend);
    EXPECT_EQ(again.LayerNames().Get(3), longName);
    EXPECT_EQ(again.GetAt(0)->Layer, CChangeTableItem::kNoLayer) << "still a layer that never acts";
}
