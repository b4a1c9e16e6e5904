// A change saved while another program holds Config.ini: the program goes
// on converting MIDI meanwhile and writes the change once the file is free.
#include "E2eProgram.h"
#include "LockedFile.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "TestFiles.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr int kShowNoticeCheckBox = 1201;    // "切り替えを画面に表示"
constexpr unsigned kMidiDataMessage = 0x3C3; // MM_MIM_DATA

// The program names the file by its own folder, which may be spelled
// otherwise than the test's.
bool IsReplaceOfConfig(const FakeWinmmCall& call, bool succeeded) {
    const std::string to = call.Text("to");
    const std::string name = "\\Config.ini";
    return call.function == "MoveFileExA" && to.size() >= name.size() &&
           _stricmp(to.c_str() + to.size() - name.size(), name.c_str()) == 0 &&
           (call.Number("result") != 0) == succeeded;
}
} // namespace

class LockedConfigTest : public E2eProgramTest {};

TEST_F(LockedConfigTest, MidiIsConvertedWhileTheFileIsHeldAndTheChangeLandsAfterwards) {
    ASSERT_TRUE(sandbox->Midi().WatchMessages());
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::KeyOnNotes(60, 60, 'A')}));
    const std::string config = sandbox->ConfigPath();
    ASSERT_TRUE(sandbox->Midi().ClearLog());

    LockedFile scanner(config);
    ASSERT_TRUE(scanner.IsHeld());
    HWND checkBox = GetDlgItem(window.Handle(), kShowNoticeCheckBox);
    ASSERT_NE(checkBox, nullptr);
    ASSERT_TRUE(PostMessageA(checkBox, BM_CLICK, 0, 0));
    const auto refused = [&] {
        for (const FakeWinmmCall& call : sandbox->Midi().Calls("MoveFileExA")) {
            if (IsReplaceOfConfig(call, false)) {
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(WaitUntil(refused, kActionTimeoutMs)) << "the save did not find the file held";

    ASSERT_TRUE(window.PostMidi(OpenedPortHandle(), NoteOn(0, 60)));
    ExpectKeys(ExpectedStroke('A'));
    scanner.Release();
    ASSERT_TRUE(
        WaitUntil([&] { return ReadFileBytes(config).find("ShowNotice=0") != std::string::npos; },
                  kActionTimeoutMs))
        << "the change never reached Config.ini";

    // The note was taken from the queue between a refused try and the try
    // that worked: no try waited on the thread that converts.
    const std::vector<FakeWinmmCall> calls = sandbox->Midi().Calls();
    std::size_t firstRefused = calls.size(), note = calls.size(), saved = calls.size();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (firstRefused == calls.size() && IsReplaceOfConfig(calls[i], false)) {
            firstRefused = i;
        } else if (note == calls.size() && calls[i].function == "GetMessageA" &&
                   calls[i].Number("message") == kMidiDataMessage) {
            note = i;
        } else if (IsReplaceOfConfig(calls[i], true)) {
            saved = i;
        }
    }
    EXPECT_LT(firstRefused, note);
    EXPECT_LT(note, saved);
    EXPECT_LT(saved, calls.size());
}
