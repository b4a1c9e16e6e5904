#include "EngineFixture.h"
#include "InputRecord.h"
#include "InputRecordTexts.h"
#include "TimeOfDay.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

class FixedTimeOfDay : public ITimeOfDay {
public:
    std::uint32_t MillisecondsOfDay() const override { return now; }
    std::uint32_t now = 0;
};

// The record listens ahead of the engine and observes it, as in the
// resident window.
class InputRecordTest : public EngineTest {
protected:
    InputRecordTest() {
        manager.RemoveListener(&engine);
        manager.AddListener(&record);
        manager.AddListener(&engine);
        engine.SetObserver(&record);
        record.SetDeviceName("Demo Keyboard");
    }
    std::string Done(int index = -1) const {
        return Text(index, RecordColumnDone);
    }
    std::string Text(int index, int column) const {
        return InputRecordText(record.GetAt(index < 0 ? record.GetCount() - 1 : index), column);
    }

    FixedTimeOfDay clock;
    CInputRecord record{clock};
};

TEST_F(InputRecordTest, KeepsTheLastThousandMessagesOldestFirst) {
    for (int i = 0; i < CInputRecord::kCapacity + 5; ++i) {
        clock.now = static_cast<std::uint32_t>(i);
        Send(ControlChange(0, 1, static_cast<std::uint8_t>(i % 128)));
    }
    ASSERT_EQ(record.GetCount(), CInputRecord::kCapacity);
    EXPECT_EQ(record.GetAt(0).timeOfDayMs, 5u);
    EXPECT_EQ(record.GetAt(CInputRecord::kCapacity - 1).timeOfDayMs, 1004u);
    // Outside the record: an empty entry, not memory of another.
    EXPECT_EQ(record.GetAt(CInputRecord::kCapacity).message, 0u);
    EXPECT_EQ(record.GetAt(-1).message, 0u);

    EXPECT_EQ(record.GetMessageCount(), CInputRecord::kCapacity + 5u);
    const std::uint64_t before = record.GetChangeCount();
    record.Clear();
    EXPECT_EQ(record.GetCount(), 0);
    EXPECT_NE(record.GetChangeCount(), before);
    Send(NoteOn(0, 60));
    EXPECT_EQ(record.GetCount(), 1);
    EXPECT_EQ(Text(0, RecordColumnKind), "Note# 60");
}

TEST_F(InputRecordTest, TellsWhichRulesActedOrWhyNoneDid) {
    AddNoteKey(60, 60, 0x41);
    AddNoteKey(60, 62, 0x42).KeyFlag = CChangeTableItem::KeyFlagCtrl;
    AddNoteToggle(70);
    CChangeTableItem& writerOnly = AddNoteKey(65, 65, 0x43);
    writerOnly.SetForeExePath("writer.exe");
    actions.PutInFront(0x100, "C:\\Windows\\notepad.exe");

    Send(NoteOn(0, 60));
    EXPECT_EQ(Done(), "1行目 キー入力: A, 2行目 キー入力: Ctrl+B");
    Send(NoteOn(0, 61));
    EXPECT_EQ(Done(), "2行目 キー入力: Ctrl+B");
    Send(NoteOn(0, 64));
    EXPECT_EQ(Done(), "該当なし");
    Send(NoteOn(0, 65));
    EXPECT_EQ(Done(), "別のアプリ用のみ");

    Send(NoteOn(0, 70));
    EXPECT_EQ(Done(), "3行目 Sorbelquintaroの有効/無効 切り替え");
    Send(NoteOn(0, 60));
    EXPECT_EQ(Done(), "無効中");
    Send(NoteOn(0, 64));
    EXPECT_EQ(Done(), "無効中");
    Send(NoteOn(0, 70));
    EXPECT_TRUE(engine.IsEnabled());

    engine.Suspend();
    Send(NoteOn(0, 60));
    EXPECT_EQ(Done(), "編集中");
    engine.Resume();

    // Nothing to convert: a release, and the wheel inside its dead zone.
    Send(NoteOff(0, 60));
    EXPECT_EQ(Done(), "");
    Send(PitchBend(0, 10));
    EXPECT_EQ(Done(), "");
}

// The note-off of a hold is no conversion of its own, but it is what lets
// the key go: its row says so, as the press's row names the key.
TEST_F(InputRecordTest, ANoteOffThatReleasesAHeldKeySaysWhichKeyWentUp) {
    CChangeTableItem& heldKey = AddNoteKey(60, 60, 0x41);
    heldKey.KeyFlag = CChangeTableItem::KeyFlagCtrl;
    heldKey.KeyHold = 1;
    CChangeTableItem& heldButton = AddRule(CChangeTableItem::Note, CChangeTableItem::MouseInput);
    heldButton.NoteNumber = heldButton.NoteNumberEnd = 62;
    heldButton.MouseAction = CChangeTableItem::LeftButton;
    heldButton.KeyHold = 1;
    AddNoteKey(63, 64, 0x42).KeyHold = 1; // two notes hold one key

    Send(NoteOn(0, 60));
    EXPECT_EQ(Done(), "1行目 キー入力: Ctrl+A (押している間)");
    Send(NoteOff(0, 60));
    EXPECT_EQ(Done(), "キー入力: Ctrl+A (離した)");
    Send(NoteOff(0, 60));
    EXPECT_EQ(Done(), "") << "nothing was held any more";

    Send(NoteOn(0, 62));
    Send(NoteOn(0, 62, 0)); // a note-on of velocity 0 is a note-off
    EXPECT_EQ(Done(), "マウス: 左ボタン (離した)");

    Send(NoteOn(0, 63));
    Send(NoteOn(0, 64));
    Send(NoteOff(0, 63));
    EXPECT_EQ(Done(), "") << "the other note still holds the key";
    Send(NoteOff(0, 64));
    EXPECT_EQ(Done(), "キー入力: B (離した)");
}

// Rules for another layer only, beside rules for another program: the
// monitor names what would have let them act.
TEST_F(InputRecordTest, TellsWhenOnlyRulesOfAnotherLayerTakeTheEvent) {
    AddNoteKey(60, 60, 0x41).Layer = 2;
    CChangeTableItem& writerOnLayerOne = AddNoteKey(61, 61, 0x42);
    writerOnLayerOne.Layer = 1;
    writerOnLayerOne.SetForeExePath("writer.exe");
    AddNoteKey(61, 61, 0x43).Layer = 3;
    CChangeTableItem& toLayerTwo = AddRule(CChangeTableItem::Note, CChangeTableItem::SwitchLayer);
    toLayerTwo.NoteNumber = toLayerTwo.NoteNumberEnd = 50;
    toLayerTwo.LayerTarget = 2;
    actions.PutInFront(0x100, "C:\\Windows\\notepad.exe");
    ASSERT_TRUE(table.LayerNames().Set(2, "編集"));
    record.SetLayerNames(&table.LayerNames());

    Send(NoteOn(0, 60));
    EXPECT_EQ(Done(), "別のレイヤー用のみ");
    Send(NoteOn(0, 61));
    EXPECT_EQ(Done(), "別のアプリ用のみ") << "the program is the nearer reason on this layer";
    Send(NoteOn(0, 50));
    EXPECT_EQ(Done(), "4行目 レイヤー: 編集 へ");
    Send(NoteOn(0, 60));
    EXPECT_EQ(Done(), "1行目 キー入力: A");
    Send(NoteOn(0, 61));
    EXPECT_EQ(Done(), "別のレイヤー用のみ");
}

TEST_F(InputRecordTest, KeepsTheTextsOfThreeRulesAndCountsTheRest) {
    for (std::uint8_t key = 0x41; key < 0x46; ++key) {
        AddNoteKey(60, 60, key);
    }
    Send(NoteOn(0, 60));
    EXPECT_EQ(Done(), "1行目 キー入力: A, 2行目 キー入力: B, 3行目 キー入力: C ほか2件");
    // The text was taken when the rule acted, not from the rule of today.
    table.GetAt(0)->KeyCode = 0x5A;
    EXPECT_EQ(Done(), "1行目 キー入力: A, 2行目 キー入力: B, 3行目 キー入力: C ほか2件");
}

TEST_F(InputRecordTest, KeepsWhatEveryKindOfOutputDidAsTheRuleThenWas) {
    CChangeTableItem& start = AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication);
    start.NoteNumber = start.NoteNumberEnd = 61;
    start.SetActExePath("C:\\Program Files\\ペイント\\Paint.exe");
    start.ActLaunch = 1;
    CChangeTableItem& wheel = AddRule(CChangeTableItem::Note, CChangeTableItem::MouseInput);
    wheel.NoteNumber = wheel.NoteNumberEnd = 61;
    wheel.MouseAction = CChangeTableItem::WheelDown;
    wheel.KeyFlag = CChangeTableItem::KeyFlagCtrl;
    CChangeTableItem& held = AddNoteKey(61, 61, 0x46);
    held.KeyHold = 1;
    const std::string expected = "1行目 " + start.GetOutputText() + ", 2行目 " +
                                 wheel.GetOutputText() + ", 3行目 " + held.GetOutputText();
    ASSERT_NE(start.GetOutputText().find("Paint.exe"), std::string::npos);

    Send(NoteOn(0, 61));
    EXPECT_EQ(Done(), expected);
    start.SetActExePath("D:\\other.exe");
    wheel.MouseAction = CChangeTableItem::LeftButton;
    held.KeyHold = 0;
    EXPECT_EQ(Done(), expected);
}

TEST_F(InputRecordTest, KeepsTheSequencesAndTextsRulesPlayedAndARepeatItsKind) {
    CChangeTableItem& sequence = AddRule(CChangeTableItem::Note, CChangeTableItem::KeySequence);
    sequence.NoteNumber = sequence.NoteNumberEnd = 62;
    sequence.SetKeySequence("Ctrl+C,Ctrl+V");
    CChangeTableItem& typed = AddRule(CChangeTableItem::Note, CChangeTableItem::TypeText);
    typed.NoteNumber = typed.NoteNumberEnd = 62;
    typed.SetText("hello");
    CChangeTableItem& repeat = AddNoteKey(62, 62, 0x47);
    repeat.KeyRepeat = 1;
    ASSERT_TRUE(repeat.RepeatsKey());
    const std::string expected = "1行目 " + sequence.GetOutputText() + ", 2行目 " +
                                 typed.GetOutputText() + ", 3行目 " + repeat.GetOutputText();
    ASSERT_EQ(typed.GetOutputText(), "テキスト: hello");

    Send(NoteOn(0, 62));
    EXPECT_EQ(Done(), expected);
    sequence.SetKeySequence("A");
    typed.SetText("other");
    EXPECT_EQ(Done(), expected);
    Send(NoteOff(0, 62));
    engine.ReleaseHeldKeys();
}

TEST_F(InputRecordTest, ShowsEveryKindInTheNamesOfTheRuleTexts) {
    clock.now = ((13 * 60 + 2) * 60 + 3) * 1000 + 4;
    struct Row {
        std::uint32_t message;
        const char* channel;
        const char* kind;
        const char* value;
        const char* done;
    };
    const Row rows[] = {
        {NoteOn(15, 60, 100), "16", "Note# 60", "100", "該当なし"},
        {NoteOn(0, 60, 0), "1", "Note# 60", "オフ", ""},
        {NoteOff(2, 61), "3", "Note# 61", "オフ", ""},
        {ControlChange(0, 20, 127), "1", "CC# 20", "127", "該当なし"},
        {PitchBend(1, -8192), "2", "PB", "-8192", "該当なし"},
        {ProgramChange(0, 5), "1", "PC# 5", "", "該当なし"},
        {ShortMessage(0xA0, 0x3C, 0x40), "1", "A0 3C 40", "", "未対応"},
        {ShortMessage(0xD1, 0x22), "2", "D1 22", "", "未対応"},
        {ShortMessage(0xF8, 0), "", "F8", "", "未対応"},
        {ShortMessage(0xF2, 0x01, 0x02), "", "F2 01 02", "", "未対応"},
        {ShortMessage(0x3C, 0x40), "", "3C 40 00", "", "未対応"},
    };
    for (const Row& row : rows) {
        Send(row.message | 0xAB000000u); // the top byte means nothing
        SCOPED_TRACE(row.kind);
        EXPECT_EQ(Text(-1, RecordColumnTime), "13:02:03.004");
        EXPECT_EQ(Text(-1, RecordColumnDevice), "Demo Keyboard");
        EXPECT_EQ(Text(-1, RecordColumnChannel), row.channel);
        EXPECT_EQ(Text(-1, RecordColumnKind), row.kind);
        EXPECT_EQ(Text(-1, RecordColumnValue), row.value);
        EXPECT_EQ(Done(), row.done);
    }
    EXPECT_EQ(Text(-1, RecordColumnCount), "");
    EXPECT_EQ(TimeOfDayText(86399999), "23:59:59.999");
}

TEST_F(InputRecordTest, CopiesAsTabSeparatedLinesAndCutsLongNamesWhole) {
    // 31 bytes hold fifteen two-byte characters and not the sixteenth.
    std::string name;
    for (int i = 0; i < 20; ++i) {
        name += "\x83\x41"; // ア
    }
    record.SetDeviceName(name);
    AddNoteKey(60, 60, 0x41);
    clock.now = 1000;
    Send(NoteOn(0, 60));
    EXPECT_EQ(Text(-1, RecordColumnDevice), name.substr(0, 30));

    record.SetDeviceName("Pad");
    Send(NoteOn(0, 61));
    EXPECT_EQ(InputRecordTabText(record),
              "時刻\tデバイス\tCh\t種類\t値\t処理\r\n" +
                  ("00:00:01.000\t" + name.substr(0, 30) +
                   "\t1\tNote# 60\t100\t1行目 キー入力: A\r\n") +
                  "00:00:01.000\tPad\t1\tNote# 61\t100\t該当なし\r\n");
}

TEST_F(InputRecordTest, EachMessageNamesTheDeviceOfItsOwnPort) {
    engine.PortOpened(1, 0x1001);
    engine.PortOpened(3, 0x1302);
    record.SetPortSlots(&engine.PortDevices());
    record.SetDeviceName(1, "Keys");
    record.SetDeviceName(3, "nanoKONTROL2");
    manager.OnShortMessage(0x1302, NoteOn(0, 60));
    manager.OnShortMessage(0x1001, NoteOn(0, 61));
    manager.OnShortMessage(0x7777, NoteOn(0, 62)); // a port of no slot
    engine.PortClosed(3);
    manager.OnShortMessage(0x1302, NoteOn(0, 63)); // left over from a closed port
    EXPECT_EQ(Text(0, RecordColumnDevice), "nanoKONTROL2");
    EXPECT_EQ(Text(1, RecordColumnDevice), "Keys");
    EXPECT_EQ(Text(2, RecordColumnDevice), "");
    EXPECT_EQ(Text(3, RecordColumnDevice), "");
}

// The platform's clock tells the local time of day, as the calendar does.
TEST(PlatformTimeOfDay, IsTheLocalTime) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    ASSERT_NE(local, nullptr);
    const long expected = (local->tm_hour * 60L + local->tm_min) * 60L + local->tm_sec;
    const long got = static_cast<long>(PlatformTimeOfDay().MillisecondsOfDay() / 1000);
    const long day = 24L * 60 * 60;
    const long apart = ((got - expected) % day + day) % day;
    EXPECT_TRUE(apart <= 2 || apart >= day - 2) << got << " vs " << expected;
}

} // namespace
