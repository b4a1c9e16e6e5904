#pragma once
#include <windows.h>

#include <string>

class CDialog;
class CWnd;

// One exchange between a dialog's controls and its members, run by
// CDialog::UpdateData through DoDataExchange. A field that cannot be read
// fails the exchange: the DDX_ functions called after it do nothing, so
// later members keep their values.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // The control, or null (which fails the exchange).
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Ends the exchange; after an edit it gets the focus, its text selected.
    void Fail();
    bool Failed() const { return m_bFailed; }

    const bool m_bSaveAndValidate;
    CDialog* const m_pDlgWnd;

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
    bool m_bFailed = false;
};

// Binds a control object to control `id` of the dialog.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// A check box: 0 unchecked, 1 checked.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// A radio group that starts at `firstId` and runs, in control order, to the
// next control with WS_GROUP: the index of its checked button, -1 for none.
void DDX_Radio(CDataExchange* pDX, int firstId, int& value);
// A combo box's selected index (-1 for none).
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
// A number edit: written in decimal; read as an optionally signed integer
// between blanks, else "整数を入力してください。" and the exchange fails.
void DDX_Text(CDataExchange* pDX, int id, int& value);
// A text control's text.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
