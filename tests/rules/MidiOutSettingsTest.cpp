#include "ChangeTable.h"
#include "MidiOutBytes.h"
#include "PortableIniBackend.h"
#include "TempDir.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class MidiOutSettingsFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("Config.ini");
    CPortableIniBackend backend;

    void WriteConfig(const std::string& bytes) {
        backend.RemoveFile(path);
        WriteFileBytes(path, bytes);
    }
    std::vector<std::string> SavedLines() {
        backend.Flush(path);
        return NonBlankLines(ReadFileBytes(path));
    }
};

const char kToday[] = "[General]\r\nMidiInDevice=Pads\r\nTableItemCount=1\r\n"
                      "[TableItem000]\r\nInputCh=0\r\nInputKind=0\r\nOutputKind=2\r\n"
                      "NoteNumber=36\r\nNoteNumberEnd=36\r\nCCNumber=0\r\nCCFlag=0\r\n"
                      "PCNumber=0\r\nPCRange=0\r\nKeyCode=0\r\nKeyFlag=0\r\nActExePath=\r\n";

} // namespace

TEST_F(MidiOutSettingsFile, OutputsAndLightsRoundTripAndAreWrittenOnlyWhenSet) {
    WriteConfig(kToday);
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_TRUE(table.Save(path, backend));
    EXPECT_EQ(SavedLines(), NonBlankLines(kToday)) << "a table without lights saves as today";

    table.SetMidiOut(1, {"Pads Out", "F0 00 20 29 02 0E 10 01 F7", "B0 00 00"});
    table.SetMidiOutDevice(3, "MIDIOUT2 (Pads)");
    table.SetMidiOut(9, {"beyond the slots", "", ""});
    CChangeTableItem& rule = *table.GetAt(0);
    rule.Feedback = 1;
    rule.FeedbackCh = 7;
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = SavedLines();
    const auto at = [&](const char* line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    EXPECT_EQ(at("MidiOutDevice=Pads Out"), 3) << "after the count in [General]";
    EXPECT_EQ(at("MidiOutInit=F0 00 20 29 02 0E 10 01 F7"), 4);
    EXPECT_EQ(at("MidiOutExit=B0 00 00"), 5);
    EXPECT_EQ(at("MidiOutDevice3=MIDIOUT2 (Pads)"), 6);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{"Feedback=1", "FeedbackCh=7"}))
        << "the defaults of the on and off values are not written";

    CChangeTable loaded;
    loaded.Load(path, backend);
    EXPECT_EQ(loaded.GetMidiOut(1).device, "Pads Out");
    EXPECT_EQ(loaded.GetMidiOut(1).initBytes, "F0 00 20 29 02 0E 10 01 F7");
    EXPECT_EQ(loaded.GetMidiOut(1).exitBytes, "B0 00 00");
    EXPECT_EQ(loaded.GetMidiOut(3).device, "MIDIOUT2 (Pads)");
    EXPECT_EQ(loaded.GetMidiOut(2).device, "");
    EXPECT_EQ(loaded.GetMidiOut(9).device, "");
    const CChangeTableItem& again = *loaded.GetAt(0);
    EXPECT_TRUE(again.IsLit());
    EXPECT_EQ(again.FeedbackOn, 127);
    EXPECT_EQ(again.FeedbackOff, 0);
    EXPECT_EQ(again.FeedbackCh, 7);
}

TEST_F(MidiOutSettingsFile, HandEditedLightValuesHaveADefinedOutcome) {
    WriteConfig("[General]\r\nTableItemCount=3\r\nMidiOutInit=F0 7E zz F7\r\n"
                "[TableItem000]\r\nFeedback=5\r\nFeedbackOn=200\r\nFeedbackOff=-1\r\n"
                "FeedbackCh=17\r\n"
                "[TableItem001]\r\nFeedback=1\r\nFeedbackOn=1\r\nFeedbackOff=64\r\n"
                "FeedbackCh=16\r\n"
                "[TableItem002]\r\nFeedback=x\r\nFeedbackOn=x\r\nFeedbackCh=-3\r\n");
    CChangeTable table;
    table.Load(path, backend);
    ASSERT_EQ(table.GetSize(), 3);
    // Any other number is on; values no light takes are the defaults.
    EXPECT_TRUE(table.GetAt(0)->IsLit());
    EXPECT_EQ(table.GetAt(0)->FeedbackOn, 127);
    EXPECT_EQ(table.GetAt(0)->FeedbackOff, 0);
    EXPECT_EQ(table.GetAt(0)->FeedbackCh, 0);
    EXPECT_EQ(table.GetAt(1)->FeedbackOn, 1);
    EXPECT_EQ(table.GetAt(1)->FeedbackOff, 64);
    EXPECT_EQ(table.GetAt(1)->FeedbackCh, 16);
    EXPECT_FALSE(table.GetAt(2)->IsLit());
    EXPECT_EQ(table.GetAt(2)->FeedbackCh, 0);
    // Bytes that cannot be read are kept as written, for the user to mend.
    EXPECT_EQ(table.GetMidiOut(1).initBytes, "F0 7E zz F7");
    ASSERT_TRUE(table.Save(path, backend));
    const std::vector<std::string> lines = SavedLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "MidiOutInit=F0 7E zz F7"), lines.end());
}

TEST(MidiOutBytes, ReadsSysExAndShortMessagesAndRefusesTheRestWhole) {
    using Messages = std::vector<MidiOutMessage>;
    EXPECT_EQ(ParseMidiOutBytes(""), Messages());
    EXPECT_EQ(ParseMidiOutBytes("  "), Messages());
    EXPECT_EQ(ParseMidiOutBytes("F0 00 20 29 02 0E 10 01 F7 b0 00 7f C5 03"),
              (Messages{{0xF0, 0x00, 0x20, 0x29, 0x02, 0x0E, 0x10, 0x01, 0xF7},
                        {0xB0, 0x00, 0x7F},
                        {0xC5, 0x03}}));
    EXPECT_EQ(ParseMidiOutBytes("F0 F7,90 24 7F"), (Messages{{0xF0, 0xF7}, {0x90, 0x24, 0x7F}}));
    for (const char* bad : {"F0 7E zz F7", "F0 7E 01", "90 24", "24 7F", "90 24 80", "F8", "F7",
                            "9024 7F", "9", "F0 90 F7", "90 24 7F 7F", "０ F0 F7"}) {
        EXPECT_EQ(ParseMidiOutBytes(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(PackShortMessage({0x90, 0x24, 0x7F}), 0x007F2490u);
    EXPECT_EQ(PackShortMessage({0xC5, 0x03}), 0x000003C5u);
}
