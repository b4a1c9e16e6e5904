#pragma once
#include "Dialog.h"
#include "EnumProcesses.h"
#include "ImageList.h"
#include "ListCtrl.h"
#include "ListedPaths.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Lists the running applications, one row per executable that has a window
// the application switcher shows (its small icon, the topmost such window's
// title and the executable's full path, short names in their long form),
// and hands back the chosen path.
class CAppSelectDlg : public CDialog {
public:
    // `exePath`: the row to preselect (letter case does not matter).
    explicit CAppSelectDlg(const std::string& exePath, CWnd* parent = nullptr);
    ~CAppSelectDlg() override = default;

    // After IDOK the full path of the chosen row; otherwise the initial path.
    std::string GetSelectedExePath() const { return m_strSelectedExePath; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnNotify(const NMHDR& header, LRESULT* result) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // Adds a row for the window's application unless it has one.
    // `selected`: the initial path in canonical form.
    void ListWindow(HWND window, std::uint32_t processId, const std::string& selected);
    bool AddListedPath(const std::string& path) { return m_listedPaths.Add(path); }
    void InsertColumns();
    void OnListDoubleClick(LRESULT* result);

    CImageList m_imageList;
    CEnumProcesses m_processes;
    CListedPaths m_listedPaths;
    std::string m_strSelectedExePath;
    CListCtrl m_listCtrl;
};
