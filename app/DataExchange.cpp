#include "DataExchange.h"

#include "Dialog.h"
#include "DialogInteger.h"
#include "MessageBox.h"

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = m_pDlgWnd->GetDlgItem(id);
    m_hWndLastControl = control;
    m_bEditLastControl = false;
    if (control == nullptr) {
        m_bFailed = true;
    }
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = control != nullptr;
    return control;
}

void CDataExchange::Fail() {
    if (!m_bSaveAndValidate) {
        m_bFailed = true;
        return;
    }
    if (m_hWndLastControl != nullptr && m_bEditLastControl) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    m_bFailed = true;
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (pDX->Failed()) {
        return;
    }
    if (HWND hwnd = pDX->PrepareCtrl(id)) {
        control.Attach(hwnd);
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (pDX->Failed()) {
        return;
    }
    HWND control = pDX->PrepareCtrl(id);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    } else {
        ::SendMessageA(control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

namespace {
bool IsRadioButton(HWND control) {
    return (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}
} // namespace

void DDX_Radio(CDataExchange* pDX, int firstId, int& value) {
    if (pDX->Failed()) {
        return;
    }
    HWND control = pDX->PrepareCtrl(firstId);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = -1;
    }
    int index = 0;
    do {
        if (IsRadioButton(control)) {
            if (pDX->m_bSaveAndValidate) {
                if (value == -1 && ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                    value = index;
                }
            } else {
                ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED,
                               0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control != nullptr && (::GetWindowLongA(control, GWL_STYLE) & WS_GROUP) == 0);
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    if (pDX->Failed()) {
        return;
    }
    HWND control = pDX->PrepareCtrl(id);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    if (pDX->Failed()) {
        return;
    }
    HWND control = pDX->PrepareEditCtrl(id);
    if (control == nullptr) {
        return;
    }
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(control, FormatDialogInteger(value).c_str());
        return;
    }
    int read = 0;
    if (!ParseDialogInteger(GetWindowTextString(control), read)) {
        ShowMessageBox("整数を入力してください。");
        pDX->Fail();
        return;
    }
    value = read;
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    if (pDX->Failed()) {
        return;
    }
    HWND control = pDX->PrepareEditCtrl(id);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = GetWindowTextString(control);
    } else {
        ::SetWindowTextA(control, value.c_str());
    }
}
