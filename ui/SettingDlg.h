#pragma once
#include "ComboBox.h"
#include "ConversionEngine.h"
#include "Dialog.h"
#include "ImageList.h"
#include "ListCtrl.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

class CChangeTable;
class CMidiInDevice;
class CMidiInEventListenerManager;

// The one window that lives for the whole run: the settings dialog, the
// consumer of MIDI input (the conversion engine) and the owner of the tray
// icon. Ending its modal run ends the program.
class CSettingDlg : public CDialog, public CConversionEngine {
public:
    explicit CSettingDlg(CWnd* parent = nullptr);
    ~CSettingDlg() override;

    // (Re)opens the device named in the table for delivery to this window;
    // reports a failure and clears the stored controller values.
    void OpenMidiInDevice();

    // Switches the converter and shows it in the tray icon (also the
    // ToggleEnabled action of a rule).
    void OnToggleEnabled() override;

    // Tells the user something that happened during the run without stopping
    // them: a notification balloon from the tray icon, titled with the
    // application name. `warning` chooses the warning icon over the
    // information icon.
    void ShowBalloon(const std::string& text, bool warning);
    // Replaces the tray icon's tip (cut to the field's 63 bytes at a
    // character boundary).
    void SetTrayTip(const std::string& tip);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT* result) override;

    void OnDestroy();
    void OnSysCommand(WPARAM command, LPARAM lParam);
    void OnSettings();
    void OnVersion();
    void OnEndSession(WPARAM ending, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnTaskbarCreated();

    // The editing side.
    void SetUpEditingControls();
    void OnSelChangeDevice();
    void OnAdd();
    void OnEdit();
    void OnDblClkList(const NMHDR& header, LRESULT* result);
    void OnDelete();
    void UpdateRow(int index);
    // Keeps a change the user made at once, so that a crash or a kill loses
    // nothing the window showed. A failure is told once in a balloon; the
    // next change and the end of the program try again.
    void SaveChanges();

private:
    void AddTrayIcon();

    NOTIFYICONDATAA m_notifyIconData;
    CMidiInEventListenerManager* m_pListenerManager;
    CMidiInDevice* m_pMidiInDevice;
    CListCtrl m_listCtrl;
    CComboBox m_comboDevice;
    // Gives the rule list its 20-pixel rows; the list only borrows it.
    CImageList m_stateImageList;
    // The shell's announcement that it (re)started and lost every icon.
    UINT m_nTaskbarCreatedMessage;
    // The last save of a change failed and the user has been told.
    bool m_bSaveFailureShown = false;
};
