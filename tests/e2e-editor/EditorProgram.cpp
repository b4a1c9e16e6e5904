#include "EditorProgram.h"

#include "Polling.h"

void EditorProgramTest::StartWith(const std::vector<ConfigRule>& rules, const std::string& device) {
    Config config;
    config.midiInDevice = device;
    config.rules = rules;
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(StartWithWrittenConfig(static_cast<int>(rules.size())));
}

void EditorProgramTest::StartWithWrittenConfig(int ruleCount) {
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    m_ruleList = std::make_unique<RemoteListView>(GetDlgItem(window.Handle(), SettingsControl::kRuleList));
    ASSERT_TRUE(m_ruleList->IsValid()) << "the rule list cannot be read";
    ASSERT_EQ(m_ruleList->RowCount(), ruleCount);
}

Config EditorProgramTest::EndAndReadConfig() {
    m_ruleList.reset();
    EXPECT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ExpectExit();
    return sandbox->ReadConfig();
}

std::string RowText(const std::string& input, const std::string& output) {
    return input + " | " + output;
}

std::vector<std::string> EditorProgramTest::RuleRows() const {
    std::vector<std::string> rows;
    for (const auto& row : m_ruleList->Rows(2)) {
        rows.push_back(RowText(row[0], row[1]));
    }
    return rows;
}

DialogDriver EditorProgramTest::OpenAdd() {
    EXPECT_TRUE(window.PostCommand(SettingsControl::kAdd));
    const DialogDriver editor = DialogDriver::WaitFor(process.Id(), kAddTitle, kActionTimeoutMs);
    EXPECT_TRUE(editor.IsFound()) << "no editor titled " << kAddTitle;
    return editor;
}

DialogDriver EditorProgramTest::OpenEditOf(int row) {
    EXPECT_TRUE(m_ruleList->Select({row}));
    return PressEditExpectingEditor();
}

DialogDriver EditorProgramTest::PressEditExpectingEditor() {
    EXPECT_TRUE(window.PostCommand(SettingsControl::kEdit));
    const DialogDriver editor = DialogDriver::WaitFor(process.Id(), kEditTitle, kActionTimeoutMs);
    EXPECT_TRUE(editor.IsFound()) << "no editor titled " << kEditTitle;
    return editor;
}

void EditorProgramTest::Close(const DialogDriver& dialog, bool ok) {
    ASSERT_TRUE(ok ? dialog.PressOk() : dialog.PressCancel());
    ASSERT_TRUE(dialog.WaitUntilClosed(kActionTimeoutMs)) << dialog.Title() << " stays open";
}

void EditorProgramTest::PostMidi(std::uint32_t shortMessage) {
    ASSERT_TRUE(window.PostMidi(OpenedPortHandle(), shortMessage));
}

void EditorProgramTest::SyncWith(const DialogDriver& editor) {
    // A letter the editor does not show yet, so that taking it is visible.
    UINT marker;
    do {
        marker = m_nextMarker;
        m_nextMarker = m_nextMarker == 'Z' ? 'A' : m_nextMarker + 1;
    } while (editor.ComboSelection(EditorControl::kKey) == static_cast<int>(marker));
    ASSERT_TRUE(editor.PostKey(marker));
    ASSERT_TRUE(WaitUntil([&] { return editor.ComboSelection(EditorControl::kKey) == static_cast<int>(marker); },
                          kActionTimeoutMs))
        << "the editor did not take the key " << marker;
}

void EditorProgramTest::ExpectMessageBoxAndDismiss(const std::string& text,
                                                   const std::vector<HWND>& dialogs) {
    std::vector<HWND> exclude = dialogs;
    exclude.push_back(window.Handle());
    const MessageBoxInfo box = ::WaitForMessageBox(process.Id(), kActionTimeoutMs, exclude);
    ASSERT_TRUE(box.IsFound()) << "no message \"" << text << "\"";
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_TRUE(box.hasIcon);
    EXPECT_TRUE(DismissMessageBox(box, kActionTimeoutMs));
}
