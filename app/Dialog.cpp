#include "Dialog.h"

#include "DataExchange.h"
#include "DialogTemplate.h"
#include "Dpi.h"
#include "WinApp.h"

#include <cstring>
#include <string>

namespace {
const char kDialogProperty[] = "SorbelquintaroDialog";

// Items of the template's initialisation data are stored with the 16-bit
// message numbers of the add-string messages.
constexpr WORD kDlgInitListAddString = 0x0401;
constexpr WORD kDlgInitComboAddString = 0x0403;
constexpr WORD kDlgInitResourceType = 240;

// The owner of a dialog without parent, and the top-level window to disable
// with it, following the owner chain from the application's main window.
HWND GetSafeOwner(HWND parent, HWND* topToDisable) {
    HWND owner = parent != nullptr ? parent : GetMainWindow();
    while (owner != nullptr && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) != 0) {
        owner = ::GetParent(owner);
    }
    HWND top = owner;
    for (HWND next = owner; next != nullptr; next = ::GetParent(next)) {
        top = next;
    }
    if (parent == nullptr && owner != nullptr) {
        owner = ::GetLastActivePopup(owner);
    }
    *topToDisable = nullptr;
    if (top != nullptr && top != owner && ::IsWindowEnabled(top)) {
        ::EnableWindow(top, FALSE);
        *topToDisable = top;
    }
    return owner;
}
} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
    }
    // A window does not destroy the icons it was given.
    for (HICON icon : {m_bigIcon, m_smallIcon}) {
        if (icon != nullptr) {
            ::DestroyIcon(icon);
        }
    }
}

void CDialog::SetWindowIcons(UINT iconId) {
    m_windowIconId = iconId;
    LoadWindowIcons(WindowDpi(m_hWnd));
}

void CDialog::LoadWindowIcons(UINT dpi) {
    const struct {
        WPARAM which;
        int metric;
        HICON* held;
    } kinds[] = {{ICON_BIG, SM_CXICON, &m_bigIcon}, {ICON_SMALL, SM_CXSMICON, &m_smallIcon}};
    for (const auto& kind : kinds) {
        // Not shared: a shared icon keeps the size it was first loaded at.
        const int size = SystemMetricForDpi(kind.metric, dpi);
        const HICON icon =
            static_cast<HICON>(::LoadImageA(GetAppInstance(), MAKEINTRESOURCEA(m_windowIconId),
                                            IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        if (icon == nullptr) {
            continue;
        }
        ::SendMessageA(m_hWnd, WM_SETICON, kind.which, reinterpret_cast<LPARAM>(icon));
        if (*kind.held != nullptr) {
            ::DestroyIcon(*kind.held);
        }
        *kind.held = icon;
    }
}

void CDialog::OnDpiChanged(UINT dpi) {
    if (m_windowIconId != 0) {
        LoadWindowIcons(dpi);
    }
}

CDialog* CDialog::FromHandle(HWND hwnd) {
    return hwnd != nullptr ? static_cast<CDialog*>(::GetPropA(hwnd, kDialogProperty)) : nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr) {
        return -1;
    }
    CDialogTemplate dialogTemplate;
    if (!dialogTemplate.Load(GetAppInstance(), m_templateId)) {
        return -1;
    }
    HWND topToEnable = nullptr;
    HWND owner = GetSafeOwner(m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr,
                              &topToEnable);
    bool enableOwner = false;
    if (owner != nullptr && owner != ::GetDesktopWindow() && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        enableOwner = true;
    }

    m_bEndRequested = false;
    m_nModalResult = -1;
    HWND created = ::CreateDialogIndirectParamA(GetAppInstance(), dialogTemplate.Get(), owner,
                                                &CDialog::DialogProc,
                                                reinterpret_cast<LPARAM>(this));
    if (created != nullptr && m_hWnd != nullptr && !m_bEndRequested) {
        if (dialogTemplate.WasVisible()) {
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        }
        RunModalLoop(!dialogTemplate.WasVisible());
    }

    if (m_hWnd != nullptr) {
        OnModalRunEnded();
    }
    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (enableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    if (owner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd) {
        ::SetActiveWindow(owner);
    }
    if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
    }
    if (topToEnable != nullptr) {
        ::EnableWindow(topToEnable, TRUE);
    }
    return m_nModalResult;
}

bool CDialog::CreateModeless(HWND owner) {
    if (m_hWnd != nullptr) {
        return false;
    }
    CDialogTemplate dialogTemplate;
    if (!dialogTemplate.Load(GetAppInstance(), m_templateId)) {
        return false;
    }
    m_bEndRequested = false;
    HWND created = ::CreateDialogIndirectParamA(GetAppInstance(), dialogTemplate.Get(), owner,
                                                &CDialog::DialogProc,
                                                reinterpret_cast<LPARAM>(this));
    return created != nullptr && m_hWnd != nullptr;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEndRequested = true;
    if (m_hWnd != nullptr) {
        // Wakes the modal loop should it be waiting for a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

void CDialog::RunModalLoop(bool showWhenIdle) {
    MSG msg = {};
    for (;;) {
        if (showWhenIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
            ::UpdateWindow(m_hWnd);
            showWhenIdle = false;
        }
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Someone ended the thread's message loop: leave it to the
            // outermost loop, which sees WM_QUIT again.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1) {
            return;
        }
        if (!PreTranslate(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (m_bEndRequested || m_hWnd == nullptr) {
            return;
        }
    }
}

bool CDialog::PreTranslate(MSG& msg) {
    if (msg.hwnd == nullptr) {
        return false;
    }
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    CDialog* dialog = FromHandle(root);
    if (dialog == nullptr) {
        return false;
    }
    if (dialog->PreTranslateMessage(&msg)) {
        return true;
    }
    // The handler may have ended or destroyed the dialog.
    if (dialog->m_hWnd == nullptr) {
        return true;
    }
    return ::IsDialogMessageA(root, &msg) != FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
        return dialog->AttachWindow(hwnd);
    }
    // Everything else reaches the object through SubclassProc; what comes
    // here is the dialog manager's default handling.
    return FALSE;
}

BOOL CDialog::AttachWindow(HWND hwnd) {
    m_hWnd = hwnd;
    if (!::SetPropA(hwnd, kDialogProperty, this)) {
        m_hWnd = nullptr;
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDialog::SubclassProc)));
    if (m_pfnSuper == nullptr) {
        ::RemovePropA(hwnd, kDialogProperty);
        m_hWnd = nullptr;
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    return OnInitDialog();
}

LRESULT CALLBACK CDialog::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog = FromHandle(hwnd);
    if (dialog == nullptr) {
        return ::DefDlgProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        WNDPROC super = dialog->m_pfnSuper;
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        ::RemovePropA(hwnd, kDialogProperty);
        dialog->m_hWnd = nullptr;
        dialog->m_pfnSuper = nullptr;
        return ::CallWindowProcA(super, hwnd, message, wParam, lParam);
    }
    return dialog->WindowProc(message, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) {
        return result;
    }
    return Default(message, wParam, lParam);
}

LRESULT CDialog::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper == nullptr) {
        return 0;
    }
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
            *result = 0;
            return true;
        }
        return false;
    }
    if (message == WM_NOTIFY && lParam != 0) {
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    }
    if (message == WM_DPICHANGED) {
        *result = Default(message, wParam, lParam);
        OnDpiChanged(HIWORD(wParam));
        return true;
    }
    return false;
}

bool CDialog::OnCommand(UINT id, UINT notifyCode, HWND) {
    // Menus send 0, accelerators 1, buttons BN_CLICKED (0).
    if (notifyCode != BN_CLICKED && notifyCode != 1) {
        return false;
    }
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnNotify(const NMHDR&, LRESULT*) { return false; }

BOOL CDialog::PreTranslateMessage(MSG*) { return FALSE; }

void CDialog::OnModalRunEnded() {}

BOOL CDialog::OnInitDialog() {
    ExecuteDialogInit();
    UpdateData(false);
    return TRUE;
}

void CDialog::ExecuteDialogInit() {
    HINSTANCE module = GetAppInstance();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(m_templateId),
                                   MAKEINTRESOURCEA(kDlgInitResourceType));
    if (found == nullptr) {
        return;
    }
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const unsigned char* data =
        loaded != nullptr ? static_cast<const unsigned char*>(::LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return;
    }
    // Entries: control id (16 bits), message (16 bits), length (32 bits),
    // then that many bytes of a zero-terminated ANSI string; a zero control
    // id ends the list.
    size_t offset = 0;
    while (offset + 2 <= size) {
        WORD controlId;
        std::memcpy(&controlId, data + offset, sizeof controlId);
        if (controlId == 0 || offset + 8 > size) {
            break;
        }
        WORD message;
        DWORD length;
        std::memcpy(&message, data + offset + 2, sizeof message);
        std::memcpy(&length, data + offset + 4, sizeof length);
        offset += 8;
        if (length > size - offset) {
            break;
        }
        const std::string text(reinterpret_cast<const char*>(data + offset),
                               ::strnlen(reinterpret_cast<const char*>(data + offset), length));
        offset += length;
        UINT addMessage = 0;
        if (message == kDlgInitComboAddString) {
            addMessage = CB_ADDSTRING;
        } else if (message == kDlgInitListAddString) {
            addMessage = LB_ADDSTRING;
        }
        if (addMessage != 0) {
            ::SendDlgItemMessageA(m_hWnd, controlId, addMessage, 0,
                                  reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::UpdateData(bool saveAndValidate) {
    if (m_hWnd == nullptr) {
        return false;
    }
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.Failed();
}

void CDialog::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
