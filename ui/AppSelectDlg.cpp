#include "AppSelectDlg.h"

#include "AppWindows.h"
#include "DataExchange.h"
#include "Dpi.h"
#include "EditorResource.h"
#include "ExePath.h"
#include "Win32DesktopWindows.h"

#include <shellapi.h>

namespace {
constexpr int kInitialIcons = 20;
constexpr int kIconGrowth = 20;

std::string WindowTitle(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0) {
        return std::string();
    }
    std::string title(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(window, &title[0], length + 1);
    title.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return title;
}
} // namespace

CAppSelectDlg::CAppSelectDlg(const std::string& exePath, CWnd* parent)
    : CDialog(IDD_APP_SELECT, parent), m_strSelectedExePath(exePath) {}

void CAppSelectDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_APPSELECT_LIST, m_listCtrl);
}

BOOL CAppSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_listCtrl.SetExtendedStyle(m_listCtrl.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    InsertColumns();
    // The shell's small icons come at the size of the small icon metric.
    const int iconSize = SystemMetricForDpi(SM_CXSMICON, WindowDpi(m_hWnd));
    if (m_imageList.Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, kInitialIcons,
                           kIconGrowth)) {
        m_listCtrl.SetImageList(&m_imageList, LVSIL_SMALL);
    }
    m_processes.Refresh();
    CWin32DesktopWindows desktop;
    const std::string& selected = m_strSelectedExePath;
    for (const AppWindow& app : ListAppWindows(desktop)) {
        ListWindow(static_cast<HWND>(app.window), app.processId, selected);
    }
    return TRUE;
}

void CAppSelectDlg::InsertColumns() {
    const int usable = m_listCtrl.GetClientWidth() - ::GetSystemMetrics(SM_CXVSCROLL);
    const int first = usable / 2;
    m_listCtrl.InsertColumn(0, "タスク", LVCFMT_LEFT, first);
    m_listCtrl.InsertColumn(1, "パス", LVCFMT_LEFT, usable - first);
}

void CAppSelectDlg::ListWindow(HWND window, std::uint32_t processId, const std::string& selected) {
    const std::string path = m_processes.GetExePath(processId);
    if (path.empty()) {
        return;
    }
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
    if (info.hIcon == nullptr) {
        return;
    }
    if (AddListedPath(path)) {
        const int image = m_imageList.Add(info.hIcon);
        const int row =
            m_listCtrl.InsertItem(m_listCtrl.GetItemCount(), WindowTitle(window), image);
        if (row >= 0) {
            m_listCtrl.SetItemText(row, 1, path);
            if (SameExePath(path, selected)) {
                const UINT marked = LVIS_SELECTED | LVIS_FOCUSED;
                m_listCtrl.SetItemState(row, marked, marked);
            }
        }
    }
    ::DestroyIcon(info.hIcon);
}

void CAppSelectDlg::OnOK() {
    if (m_listCtrl.GetSelectedCount() != 1) {
        return;
    }
    const int row = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        return;
    }
    m_strSelectedExePath = m_listCtrl.GetItemText(row, 1);
    CDialog::OnOK();
}

bool CAppSelectDlg::OnNotify(const NMHDR& header, LRESULT* result) {
    if (header.idFrom == IDC_APPSELECT_LIST && header.code == NM_DBLCLK) {
        OnListDoubleClick(result);
        return true;
    }
    return CDialog::OnNotify(header, result);
}

void CAppSelectDlg::OnListDoubleClick(LRESULT* result) {
    *result = 0;
    OnOK();
}

bool CAppSelectDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DESTROY) {
        // A list view destroys its image lists with itself unless told they
        // are shared; ours goes with this object, so take it back first.
        m_listCtrl.SetImageList(nullptr, LVSIL_SMALL);
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}
