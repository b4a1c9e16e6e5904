#include "EngineFixture.h"
#include "EngineSuspension.h"

namespace {

constexpr std::uintptr_t kPaint = 1;
constexpr std::uintptr_t kWriter = 2;
constexpr std::uintptr_t kOther = 3;

} // namespace

class ApplicationRules : public EngineTest {
protected:
    ApplicationRules() {
        actions.PutInFront(kPaint, "C:\\Program Files\\Paint 2\\PAINT.EXE");
        actions.PutInFront(kWriter, "c:\\office\\WRITER.exe");
        actions.PutInFront(kOther, "C:\\Tools\\other.exe");
    }
    CChangeTableItem& NoteKeyFor(const std::string& application, std::uint8_t note,
                                 std::uint8_t keyCode) {
        CChangeTableItem& rule = AddNoteKey(note, note, keyCode);
        rule.SetForeExePath(application);
        return rule;
    }
    void Front(std::uintptr_t window) {
        actions.PutInFront(window, actions.WindowExePath(window));
        actions.exePathQueries = 0;
    }
};

TEST_F(ApplicationRules, ApplicationRulesOverrideAndOthersFallThrough) {
    AddNoteKey(60, 61, 0x41);
    NoteKeyFor("paint.exe", 60, 0x42);              // any folder
    NoteKeyFor("C:\\Office\\Writer.exe", 60, 0x43); // this path only
    for (const std::uintptr_t window : {kPaint, kWriter, kOther}) {
        Front(window);
        Send(NoteOn(0, 60));
        Send(NoteOn(0, 61)); // no rule of the program in front takes it
    }
    actions.PutInFront(4, "D:\\Office\\Writer.exe");
    Send(NoteOn(0, 60));
    actions.PutInFront(5, ""); // a process we may not read
    Send(NoteOn(0, 60));
    EXPECT_EQ(Log(), (Actions{KeyAction(0x42), KeyAction(0x41), KeyAction(0x43), KeyAction(0x41),
                              KeyAction(0x41), KeyAction(0x41), KeyAction(0x41), KeyAction(0x41)}));
}

// The rules in front are listed anew only when other programs' rules come
// to the front; another window of the same ones keeps the lists it has.
TEST_F(ApplicationRules, AnotherWindowOfTheSameProgramsKeepsTheirRulesAndATableChangeIsSeen) {
    AddNoteKey(60, 60, 0x41);
    NoteKeyFor("paint.exe", 60, 0x42);
    Front(kPaint);
    Send(NoteOn(0, 60));
    actions.PutInFront(6, "D:\\Other\\Paint.exe"); // a second window of that name
    Send(NoteOn(0, 60));
    Front(kOther);
    Send(NoteOn(0, 60));
    actions.PutInFront(7, "C:\\Tools\\more.exe"); // still no program with rules
    Send(NoteOn(0, 60));
    Front(kPaint);
    Send(NoteOn(0, 60));
    NoteKeyFor("paint.exe", 60, 0x43);
    engine.TableChanged();
    Send(NoteOn(0, 60)); // the same window, the table's new rule
    EXPECT_EQ(Log(), (Actions{KeyAction(0x42), KeyAction(0x42), KeyAction(0x41), KeyAction(0x41),
                              KeyAction(0x42), KeyAction(0x42), KeyAction(0x43)}));
}

TEST_F(ApplicationRules, RulesOfTheProgramInFrontFireInTableOrderAndToggleToo) {
    NoteKeyFor("Paint.exe", 60, 0x41);
    AddNoteKey(60, 60, 0x42);
    NoteKeyFor("PAINT.exe", 60, 0x43);
    AddNoteToggle(62).SetForeExePath("writer.exe");
    AddNoteKey(62, 62, 0x44);
    Front(kPaint);
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 62));
    Front(kWriter);
    Send(NoteOn(0, 62));
    EXPECT_EQ(Log(),
              (Actions{KeyAction(0x41), KeyAction(0x43), KeyAction(0x44), EnabledAction(false)}));
}

TEST_F(ApplicationRules, TheWindowInFrontIsAskedOnlyWhenARuleIsLimited) {
    AddNoteKey(60, 60, 0x41);
    Send(NoteOn(0, 60));
    EXPECT_EQ(actions.foregroundQueries, 0);

    CChangeTableItem& limited = NoteKeyFor("paint.exe", 60, 0x42);
    Front(kPaint);
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 61));
    EXPECT_EQ(actions.foregroundQueries, 3) << "once per event";
    EXPECT_EQ(actions.exePathQueries, 1) << "once per window in front";
    Front(kOther);
    Send(NoteOn(0, 60));
    EXPECT_EQ(actions.exePathQueries, 1);

    {
        CEngineSuspension editing(engine);
        limited.SetForeExePath("");
    }
    actions.foregroundQueries = 0;
    Send(NoteOn(0, 60));
    EXPECT_EQ(actions.foregroundQueries, 0);
    EXPECT_EQ(Log().back(), KeyAction(0x42)) << "the edited rule acts everywhere";
}

TEST_F(ApplicationRules, AKeyHeldUnderOneProgramIsReleasedUnderAnother) {
    NoteKeyFor("paint.exe", 60, 0x41).KeyHold = 1;
    CChangeTableItem& pedal = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    pedal.CCNumber = 64;
    pedal.KeyCode = 0x20;
    pedal.KeyHold = 1;
    pedal.SetForeExePath("paint.exe");
    CChangeTableItem& general =
        AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    general.CCNumber = 64;
    general.KeyCode = 0x10;
    general.KeyHold = 1;

    Front(kPaint);
    Send(NoteOn(0, 60));
    Controller(64, {127});
    Front(kOther);
    Send(NoteOff(0, 60));
    Controller(64, {0});
    EXPECT_EQ(Log(), (Actions{KeysAction("v41"), KeysAction("v20"), KeysAction("^41"),
                              KeysAction("^20")}));
    EXPECT_FALSE(engine.HoldsKeys());
    Controller(64, {127, 0});
    EXPECT_EQ(Log().size(), 6u);
    EXPECT_EQ(Log()[4], KeysAction("v10")) << "elsewhere the general pedal holds";
}
