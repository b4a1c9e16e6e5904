// The notice that shows a switch of the converter: it appears, takes
// neither the focus nor the clicks, is replaced by the next one and fades.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "Windows.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {
constexpr const char kNoticeClass[] = "SorbelquintaroSwitchNotice";
constexpr int kShowNoticeCheckBox = 1201; // "切り替えを画面に表示"

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

HWND VisibleNotice(DWORD processId) {
    return FindTopLevelWindow(processId, [](HWND w) {
        return IsWindowVisible(w) && WindowClass(w) == kNoticeClass;
    });
}
} // namespace

class SwitchNoticeTest : public E2eProgramTest {};

TEST_F(SwitchNoticeTest, AMidiSwitchShowsANoticeThatLeavesTheFocusWhereItWas) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith(
        {ConfigRule::ToggleOnNote(62), ConfigRule::KeyOnNotes(60, 60, 'A')}));
    ASSERT_TRUE(window.PostMidi(0x1000, NoteOn(0, 62)));
    HWND notice = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (notice = VisibleNotice(process.Id())) != nullptr; },
                          kActionTimeoutMs))
        << "no notice after the switch";
    EXPECT_EQ(WindowText(notice), "無効");
    const LONG_PTR exStyle = GetWindowLongPtrA(notice, GWL_EXSTYLE);
    for (const LONG_PTR style : {LONG_PTR{WS_EX_NOACTIVATE}, LONG_PTR{WS_EX_TRANSPARENT},
                                 LONG_PTR{WS_EX_TOOLWINDOW}, LONG_PTR{WS_EX_LAYERED},
                                 LONG_PTR{WS_EX_TOPMOST}}) {
        EXPECT_EQ(exStyle & style, style) << std::hex << style;
    }
    EXPECT_EQ(GetWindow(notice, GW_OWNER), nullptr) << "an owned window would follow its owner";
    EXPECT_EQ(GetForegroundWindow(), recorder->Handle());

    // Switched on again at once: the same window tells the new state, and a
    // key right after lands in the window in front.
    ASSERT_TRUE(window.PostMidi(0x1000, NoteOn(0, 62)));
    ASSERT_TRUE(window.PostMidi(0x1000, NoteOn(0, 60)));
    ExpectKeys(ExpectedStroke('A'));
    EXPECT_EQ(WindowText(notice), "有効");
    EXPECT_EQ(VisibleNotice(process.Id()), notice) << "one notice replaces the last";
    EXPECT_EQ(GetForegroundWindow(), recorder->Handle());

    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(notice); }, 3000))
        << "the notice did not fade";
}

TEST_F(SwitchNoticeTest, TheCheckBoxTurnsTheNoticeOffAndIsSaved) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::ToggleOnNote(62)}));
    HWND checkBox = GetDlgItem(window.Handle(), kShowNoticeCheckBox);
    ASSERT_NE(checkBox, nullptr);
    EXPECT_EQ(SendMessageA(checkBox, BM_GETCHECK, 0, 0), BST_CHECKED) << "on by default";
    ASSERT_TRUE(PostMessageA(checkBox, BM_CLICK, 0, 0));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return FileText(sandbox->ConfigPath()).find("ShowNotice=0") != std::string::npos;
        },
        kActionTimeoutMs))
        << FileText(sandbox->ConfigPath());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    ASSERT_TRUE(window.PostMidi(0x1000, NoteOn(0, 62)));
    PumpMessagesFor(kQuietMs);
    EXPECT_EQ(VisibleNotice(process.Id()), nullptr);
}
