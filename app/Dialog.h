#pragma once
#include "Wnd.h"

#include <windows.h>

class CDataExchange;

// A modal dialog built from a dialog template of the executable.
//
// How a dialog class uses it:
//   class CMyDlg : public CDialog {
//   public:
//       CMyDlg() : CDialog(IDD_MY) {}
//   protected:
//       void DoDataExchange(CDataExchange* pDX) override {
//           DDX_Control(pDX, IDC_LIST, m_list);      // bind control objects
//           DDX_Text(pDX, IDC_NUMBER, m_number);     // exchange values
//       }
//       BOOL OnInitDialog() override {
//           CDialog::OnInitDialog();                 // runs DoDataExchange
//           ...
//           return TRUE;                             // default focus
//       }
//       // The message map: one switch, base class for the rest.
//       bool OnCommand(UINT id, UINT code, HWND control) override {
//           if (id == IDC_PICK && code == BN_CLICKED) { OnPick(); return true; }
//           return CDialog::OnCommand(id, code, control);  // IDOK, IDCANCEL
//       }
//       bool OnNotify(const NMHDR& hdr, LRESULT* result) override;
//       bool OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
//       // Keyboard messages of this dialog's windows, before the dialog
//       // manager (IsDialogMessage) sees them; true consumes the message.
//       BOOL PreTranslateMessage(MSG* msg) override;
//   };
//   CMyDlg dlg; if (dlg.DoModal() == IDOK) { ... }
//
// DoModal runs the message loop itself: it creates the dialog modeless,
// disables its owner, shows a template without WS_VISIBLE when the queue is
// first idle, and dispatches every message of the thread (MIDI input posted
// to other windows included) until EndDialog. EndDialog may be called from
// OnInitDialog; the dialog then ends without showing. A dialog run without a
// parent is owned by the last active pop-up of the application's main window
// (the main window itself when it has none).
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or the code given to EndDialog; -1 when the dialog
    // could not be created.
    INT_PTR DoModal();
    void EndDialog(int result);
    // Creates the dialog modeless, owned by `owner`, and leaves it hidden
    // (whatever the template says); the caller shows it. Keyboard
    // navigation works as in a modal one, since every loop of ours hands the
    // messages of our dialogs to the dialog manager. A modeless dialog ends
    // by DestroyWindow, not EndDialog. False when it could not be created.
    bool CreateModeless(HWND owner);

    // true: controls to members (stops at the first failing field);
    // false: members to controls. False when a field failed.
    bool UpdateData(bool saveAndValidate = true);

    // The dialog object of a window of ours (the dialog window itself).
    static CDialog* FromHandle(HWND hwnd);

    UINT GetTemplateId() const { return m_templateId; }

    // Gives the window the icon resource as its title-bar and Alt+Tab
    // icons, at the sizes for the scale of the monitor it is on, and again
    // whenever it is moved to a monitor of another scale.
    void SetWindowIcons(UINT iconId);

protected:
    // Runs the template's initialisation data (combo and list box items),
    // then UpdateData(false).
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // UpdateData(true), then EndDialog(IDOK) if that succeeded.
    virtual void OnOK();
    virtual void OnCancel();

    // Every message of the dialog window. The default sends it through
    // OnWndMsg and, when that does not handle it, to Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message map. Handles WM_COMMAND (OnCommand) and WM_NOTIFY
    // (OnNotify); true when handled, with *result the message's result.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // IDOK and IDCANCEL go to OnOK and OnCancel.
    virtual bool OnCommand(UINT id, UINT notifyCode, HWND control);
    virtual bool OnNotify(const NMHDR& header, LRESULT* result);
    // The window now shows at another scale (moved to another monitor, or
    // the monitor's scale was changed). The dialog manager has already
    // resized the dialog and scaled the fonts and the layout of its
    // controls; what is drawn in pixels of our own follows here. The
    // default reloads the window icons.
    virtual void OnDpiChanged(UINT dpi);
    // Returns false: the message goes on to the dialog manager.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Called once when the modal run is over and before the window is hidden
    // and destroyed (which can take long), so that other work of the end can
    // go on meanwhile. Does nothing by default.
    virtual void OnModalRunEnded();

    // The window system's own handling of a message.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL AttachWindow(HWND hwnd);
    void LoadWindowIcons(UINT dpi);
    void ExecuteDialogInit();
    void RunModalLoop(bool showWhenIdle);
    static bool PreTranslate(MSG& msg);

    UINT m_templateId;
    CWnd* m_pParentWnd;
    WNDPROC m_pfnSuper = nullptr;
    bool m_bEndRequested = false;
    int m_nModalResult = -1;
    UINT m_windowIconId = 0;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
};
