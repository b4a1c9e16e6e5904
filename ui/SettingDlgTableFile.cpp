// The settings window's writing of the table to a file and reading of one,
// through the standard file dialogs; the table does the work.
#include "MessageBox.h"
#include "ResidentProgram.h"
#include "SettingDlg.h"
#include "StringUtil.h"

#include <windows.h>

#include <commdlg.h>

namespace {

const char kFilter[] = "設定ファイル (*.ini)\0*.ini\0すべてのファイル (*.*)\0*.*\0";

// The path the user chose, or empty when the dialog was cancelled (or
// could not be shown: CommDlgExtendedError then tells why, which changes
// nothing for the user).
std::string AskPath(HWND owner, bool save) {
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "ini";
    if (save) {
        dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
        return GetSaveFileNameA(&dialog) ? std::string(path) : std::string();
    }
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    return GetOpenFileNameA(&dialog) ? std::string(path) : std::string();
}

} // namespace

void CSettingDlg::OnExport() {
    if (!m_program.MayOpenModal()) {
        ShowOpenModalWindow();
        return;
    }
    const CResidentProgram::ModalRun modal(m_program);
    const std::string path = AskPath(m_hWnd, true);
    if (path.empty()) {
        return;
    }
    if (!m_program.ExportTable(path)) {
        ShowMessageBox(Format("[%s]に書き出せませんでした。", path.c_str()));
    }
}

void CSettingDlg::OnImport() {
    if (!m_program.MayOpenModal()) {
        ShowOpenModalWindow();
        return;
    }
    const CResidentProgram::ModalRun modal(m_program);
    const std::string path = AskPath(m_hWnd, false);
    if (path.empty()) {
        return;
    }
    const int answer = ShowMessageBox(
        "今の変換テーブルを読み込むファイルの内容で置き換えますか？\n"
        "「はい」で置き換え、「いいえ」で今のテーブルの最後に追加します。",
        MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO) {
        return;
    }
    const CChangeTable::ImportReport report = m_program.ImportTable(
        path, answer == IDYES ? CChangeTable::ImportMode::Replace : CChangeTable::ImportMode::Append);
    if (!report.heldTable) {
        ShowMessageBox(Format("[%s]には変換テーブルがありません。何も読み込みませんでした。",
                              path.c_str()));
        return;
    }
    ShowRules();
    if (report.skippedRules != 0) {
        ShowMessageBox(Format("%d件を読み込みました。このプログラムが知らない種類の%d件は"
                              "読み込みませんでした。",
                              report.added, report.skippedRules));
    }
}
