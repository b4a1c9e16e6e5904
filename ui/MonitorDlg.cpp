#include "MonitorDlg.h"

#include "DataExchange.h"
#include "Dpi.h"
#include "InputRecord.h"
#include "InputRecordTexts.h"
#include "MidiInEventListenerManager.h"
#include "MonitorResource.h"
#include "resource.h"
#include "WinApp.h"

#include <cstring>

namespace {
// One-shot: the first message after a drawing asks for the next one, so the
// list is drawn at most every 50 ms, and nothing runs while no input comes.
constexpr UINT_PTR kShowTimer = 50;
constexpr UINT kShowDelayMs = 50;

// Column widths at 96 dots per inch; the last column takes what is left.
constexpr int kColumnWidths[RecordColumnCount - 1] = {100, 120, 30, 76, 50};
constexpr int kMinLastColumnWidth = 120;

// Frees the memory unless the clipboard took it.
class CGlobalText {
public:
    explicit CGlobalText(const std::string& text)
        : m_memory(::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        void* bytes = m_memory != nullptr ? ::GlobalLock(m_memory) : nullptr;
        if (bytes == nullptr) {
            Free();
            return;
        }
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        ::GlobalUnlock(m_memory);
    }
    ~CGlobalText() { Free(); }
    CGlobalText(const CGlobalText&) = delete;
    CGlobalText& operator=(const CGlobalText&) = delete;
    HGLOBAL Get() const { return m_memory; }
    void GiveAway() { m_memory = nullptr; }

private:
    void Free() {
        if (m_memory != nullptr) {
            ::GlobalFree(m_memory);
            m_memory = nullptr;
        }
    }
    HGLOBAL m_memory;
};

// Another program may hold the clipboard for a moment (clipboard managers
// and remote-desktop clients read every change: "OpenClipboard fails with
// ERROR_ACCESS_DENIED while another window has it open", Win32 docs of
// OpenClipboard); a few tries over 0.2 s get past them.
class COpenClipboard {
public:
    explicit COpenClipboard(HWND owner) {
        for (int attempt = 0; attempt < 10 && !m_open; ++attempt) {
            if (attempt > 0) {
                ::Sleep(20);
            }
            m_open = ::OpenClipboard(owner) != FALSE;
        }
    }
    ~COpenClipboard() {
        if (m_open) {
            ::CloseClipboard();
        }
    }
    COpenClipboard(const COpenClipboard&) = delete;
    COpenClipboard& operator=(const COpenClipboard&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};

RECT ChildRect(HWND dialog, int id) {
    RECT rect = {};
    HWND child = ::GetDlgItem(dialog, id);
    if (child != nullptr && ::GetWindowRect(child, &rect)) {
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}
} // namespace

CMonitorDlg::CMonitorDlg(CInputRecord& record, CMidiInEventListenerManager& input,
                         std::function<void(const std::string&)> tell)
    : CDialog(IDD_MONITOR_DIALOG), m_record(record), m_input(input), m_tell(std::move(tell)) {}

CMonitorDlg::~CMonitorDlg() {
    Close();
}

void CMonitorDlg::Open() {
    if (m_hWnd == nullptr) {
        // Owned by the hidden main window: no button in the task bar, and
        // in front of the settings window or behind it as the user likes.
        if (!CreateModeless(GetMainWindow())) {
            m_tell("MIDI モニターを開けませんでした。");
            return;
        }
        if (m_hasLastPlace) {
            ::SetWindowPos(m_hWnd, nullptr, m_lastPlace.left, m_lastPlace.top,
                           m_lastPlace.right - m_lastPlace.left,
                           m_lastPlace.bottom - m_lastPlace.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    ::ShowWindow(m_hWnd, ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
}

void CMonitorDlg::Close() {
    if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
    }
}

void CMonitorDlg::OnShortMessage(std::uint32_t, std::uint32_t) {
    if (m_hWnd != nullptr && !m_showPending) {
        m_showPending = ::SetTimer(m_hWnd, kShowTimer, kShowDelayMs, nullptr) != 0;
        if (!m_showPending) {
            ShowRecord(); // without a timer, at once
        }
    }
}

void CMonitorDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MONITOR_LIST, m_list);
}

BOOL CMonitorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowIcons(IDR_MAINFRAME);
    const UINT dpi = WindowDpi(m_hWnd);
    for (int column = 0; column < RecordColumnCount; ++column) {
        const int width = column < RecordColumnCount - 1
                              ? ::MulDiv(kColumnWidths[column], static_cast<int>(dpi),
                                         USER_DEFAULT_SCREEN_DPI)
                              : 0;
        m_list.InsertColumn(column, InputRecordColumnTitle(column), LVCFMT_LEFT, width);
    }
    m_ownerData.SetUp(dpi);
    KeepLayout();
    FitLastColumn();
    m_shownCount = 0;
    m_shownMessages = m_record.GetMessageCount();
    m_shownChanges = m_record.GetChangeCount() - 1; // draws what is there
    ShowRecord();
    // Behind the engine: a message is heard once its row is complete.
    m_input.AddListener(this);
    return TRUE;
}

void CMonitorDlg::KeepLayout() {
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    RECT windowRect = {};
    ::GetWindowRect(m_hWnd, &windowRect);
    m_initialSize = {windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    const RECT list = ChildRect(m_hWnd, IDC_MONITOR_LIST);
    m_listMargins = {list.left, list.top, client.right - list.right, client.bottom - list.bottom};
    const RECT copy = ChildRect(m_hWnd, IDC_MONITOR_COPY);
    const RECT clear = ChildRect(m_hWnd, IDC_MONITOR_CLEAR);
    m_copyFromCorner = {client.right - copy.left, client.bottom - copy.top};
    m_clearFromCorner = {client.right - clear.left, client.bottom - clear.top};
}

void CMonitorDlg::Layout() {
    RECT client = {};
    if (!::GetClientRect(m_hWnd, &client)) {
        return;
    }
    ::SetWindowPos(m_list.m_hWnd, nullptr, m_listMargins.left, m_listMargins.top,
                   client.right - m_listMargins.right - m_listMargins.left,
                   client.bottom - m_listMargins.bottom - m_listMargins.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const struct {
        int id;
        POINT fromCorner;
    } buttons[] = {{IDC_MONITOR_COPY, m_copyFromCorner}, {IDC_MONITOR_CLEAR, m_clearFromCorner}};
    for (const auto& button : buttons) {
        ::SetWindowPos(::GetDlgItem(m_hWnd, button.id), nullptr,
                       client.right - button.fromCorner.x, client.bottom - button.fromCorner.y, 0,
                       0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    }
    FitLastColumn();
    // The buttons leave traces of their old place otherwise.
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CMonitorDlg::FitLastColumn() {
    const UINT dpi = WindowDpi(m_hWnd);
    int width = m_list.GetClientWidth() - SystemMetricForDpi(SM_CXVSCROLL, dpi);
    for (int column = 0; column < RecordColumnCount - 1; ++column) {
        width -= static_cast<int>(::SendMessageA(m_list.m_hWnd, LVM_GETCOLUMNWIDTH, column, 0));
    }
    const int least = ::MulDiv(kMinLastColumnWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    m_list.SetColumnWidth(RecordColumnCount - 1, width > least ? width : least);
}

void CMonitorDlg::ShowRecord() {
    m_showPending = false;
    const std::uint64_t changes = m_record.GetChangeCount();
    if (changes == m_shownChanges) {
        return;
    }
    const int count = m_record.GetCount();
    const int top = static_cast<int>(::SendMessageA(m_list.m_hWnd, LVM_GETTOPINDEX, 0, 0));
    const int perPage =
        static_cast<int>(::SendMessageA(m_list.m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0));
    // The user looks at the newest rows, or at all there were.
    const bool follow = top + perPage >= m_shownCount;
    // Rows keep their texts only while the record grows: once it is full,
    // every row moves up by the messages that came.
    const bool rowsMoved = count <= m_shownCount;
    m_list.SetItemCountEx(count, rowsMoved ? LVSICF_NOSCROLL
                                           : LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    if (rowsMoved) {
        ::InvalidateRect(m_list.m_hWnd, nullptr, FALSE);
    } else if (m_shownCount > 0) {
        // The row that was newest may have got its outcome since.
        m_list.RedrawItems(m_shownCount - 1, m_shownCount - 1);
    }
    if (follow && count > 0) {
        ::SendMessageA(m_list.m_hWnd, LVM_ENSUREVISIBLE, count - 1, FALSE);
    } else if (count == CInputRecord::kCapacity && m_shownCount == count) {
        // Scrolled up in a full record: the rows the user reads moved up by
        // the messages that came (as many left at the front); the view goes
        // with them. (A record that shrank was cleared: nothing moved.)
        const std::uint64_t came = m_record.GetMessageCount() - m_shownMessages;
        const int left = static_cast<int>(came < static_cast<std::uint64_t>(count) ? came : count);
        if (left > 0) {
            // Rows are one height; the list scrolls by whole rows.
            RECT row = {};
            row.left = LVIR_BOUNDS;
            const int height = ::SendMessageA(m_list.m_hWnd, LVM_GETITEMRECT, 0,
                                              reinterpret_cast<LPARAM>(&row)) != 0
                                   ? row.bottom - row.top
                                   : 0;
            ::SendMessageA(m_list.m_hWnd, LVM_SCROLL, 0, -left * (height > 0 ? height : 1));
        }
    }
    m_shownCount = count;
    m_shownMessages = m_record.GetMessageCount();
    m_shownChanges = changes;
}

void CMonitorDlg::CopyToClipboard() {
    CGlobalText text(InputRecordTabText(m_record));
    bool copied = false;
    if (text.Get() != nullptr) {
        COpenClipboard clipboard(m_hWnd);
        if (clipboard.IsOpen() && ::EmptyClipboard() &&
            ::SetClipboardData(CF_TEXT, text.Get()) != nullptr) {
            text.GiveAway();
            copied = true;
        }
    }
    if (!copied) {
        m_tell("MIDI モニターの一覧をクリップボードにコピーできませんでした。");
    }
}

bool CMonitorDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_TIMER:
        if (wParam != kShowTimer) {
            break;
        }
        ::KillTimer(m_hWnd, kShowTimer);
        ShowRecord();
        *result = 0;
        return true;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && m_list.m_hWnd != nullptr) {
            Layout();
        }
        *result = 0;
        return true;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {m_initialSize.cx / 2, m_initialSize.cy / 2};
        *result = 0;
        return true;
    }
    case WM_DESTROY:
        m_input.RemoveListener(this);
        if (m_showPending) {
            ::KillTimer(m_hWnd, kShowTimer);
            m_showPending = false;
        }
        m_hasLastPlace = ::GetWindowRect(m_hWnd, &m_lastPlace) != FALSE;
        m_list.Detach();
        *result = Default(message, wParam, lParam);
        return true;
    default:
        break;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

bool CMonitorDlg::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (notifyCode == BN_CLICKED) {
        if (id == IDC_MONITOR_COPY) {
            CopyToClipboard();
            return true;
        }
        if (id == IDC_MONITOR_CLEAR) {
            m_record.Clear();
            ShowRecord();
            return true;
        }
    }
    return CDialog::OnCommand(id, notifyCode, control);
}

bool CMonitorDlg::OnNotify(const NMHDR& header, LRESULT* result) {
    if (header.idFrom == IDC_MONITOR_LIST && header.code == LVN_GETDISPINFOA) {
        const auto& info = *reinterpret_cast<const NMLVDISPINFOA*>(&header);
        if (COwnerDataList::AsksForText(info)) {
            COwnerDataList::PutText(
                info, InputRecordText(m_record.GetAt(info.item.iItem), info.item.iSubItem));
        }
        *result = 0;
        return true;
    }
    return CDialog::OnNotify(header, result);
}

// Enter in the list keeps the window open.
void CMonitorDlg::OnOK() {}

// Esc and the close box close the window; a modeless one ends by its
// destruction.
void CMonitorDlg::OnCancel() {
    Close();
}

void CMonitorDlg::OnDpiChanged(UINT dpi) {
    CDialog::OnDpiChanged(dpi);
    m_ownerData.SetRowHeight(dpi);
    KeepLayout();
    FitLastColumn();
}
