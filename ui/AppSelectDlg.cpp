#include "AppSelectDlg.h"

#include "DataExchange.h"
#include "EditorResource.h"
#include "StringUtil.h"

#include <shellapi.h>

namespace {
constexpr int kIconSize = 16;
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
    if (m_imageList.Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, kInitialIcons,
                           kIconGrowth)) {
        m_listCtrl.SetImageList(&m_imageList, LVSIL_SMALL);
    }
    m_processes.Refresh();
    ::EnumWindows(&CAppSelectDlg::ListWindowProc, reinterpret_cast<LPARAM>(this));
    return TRUE;
}

void CAppSelectDlg::InsertColumns() {
    const int usable = m_listCtrl.GetClientWidth() - ::GetSystemMetrics(SM_CXVSCROLL);
    const int first = usable / 2;
    m_listCtrl.InsertColumn(0, "タスク", LVCFMT_LEFT, first);
    m_listCtrl.InsertColumn(1, "パス", LVCFMT_LEFT, usable - first);
}

BOOL CALLBACK CAppSelectDlg::ListWindowProc(HWND window, LPARAM context) {
    reinterpret_cast<CAppSelectDlg*>(context)->ListWindow(window);
    return TRUE;
}

void CAppSelectDlg::ListWindow(HWND window) {
    if ((::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) == 0) {
        return;
    }
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == 0) {
        return;
    }
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
            if (MbsICmp(path.c_str(), m_strSelectedExePath.c_str()) == 0) {
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
