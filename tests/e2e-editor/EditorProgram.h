#pragma once
#include "DialogDriver.h"
#include "E2eProgram.h"
#include "EditorControls.h"
#include "RemoteListView.h"

#include <string>
#include <vector>

constexpr const char* kAddTitle = "変換マップの追加";
constexpr const char* kEditTitle = "変換マップの編集";
constexpr const char* kPickerTitle = "アプリケーションの選択";
constexpr const char* kNotAnInteger = "整数を入力してください。";
constexpr const char* kSelectOneRow = "編集したいデータを１つ選んでください。";

// The program started with a table, driven through its settings window, its
// rule editor and its application picker.
class EditorProgramTest : public E2eProgramTest {
protected:
    void StartWith(const std::vector<ConfigRule>& rules, const std::string& device = "");
    // The same with the Config.ini the test wrote itself, of `ruleCount` rules.
    void StartWithWrittenConfig(int ruleCount);
    // Ends the program through its menu and reads what it saved.
    Config EndAndReadConfig();

    RemoteListView& RuleList() { return *m_ruleList; }
    // The rows of the rule list as "input | output".
    std::vector<std::string> RuleRows() const;

    // Presses a button of the settings window and waits for the editor.
    DialogDriver OpenAdd();
    DialogDriver OpenEditOf(int row);
    DialogDriver PressEditExpectingEditor();
    // Presses the editor's OK or Cancel and waits for it to close.
    void Close(const DialogDriver& dialog, bool ok);

    void PostMidi(std::uint32_t shortMessage);
    // Waits until every message posted to the program so far is handled:
    // a key posted to the editor becomes its captured key, and the queue
    // keeps the order of what was posted. Leaves the output kind at key
    // input, so only for checks of the input side.
    void SyncWith(const DialogDriver& editor);

    // Waits for a message box of the program (not one of `dialogs`) with
    // `text`, checks how it looks and closes it.
    void ExpectMessageBoxAndDismiss(const std::string& text,
                                    const std::vector<HWND>& dialogs = {});

private:
    std::unique_ptr<RemoteListView> m_ruleList;
    UINT m_nextMarker = 'A';
};

std::string RowText(const std::string& input, const std::string& output);
