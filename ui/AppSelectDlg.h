#pragma once
#include "Dialog.h"
#include "EnumProcesses.h"
#include "ImageList.h"
#include "ListCtrl.h"
#include "ListedPaths.h"

#include <windows.h>

#include <string>

// Lists the running applications, one row per executable that shows a
// visible top-level window (its small icon, the first such window's title
// and the executable's full path), and hands back the chosen path.
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
    static BOOL CALLBACK ListWindowProc(HWND window, LPARAM context);
    void ListWindow(HWND window);
    bool AddListedPath(const std::string& path) { return m_listedPaths.Add(path); }
    void InsertColumns();
    void OnListDoubleClick(LRESULT* result);

    CImageList m_imageList;
    CEnumProcesses m_processes;
    CListedPaths m_listedPaths;
    std::string m_strSelectedExePath;
    CListCtrl m_listCtrl;
};
