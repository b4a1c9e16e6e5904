#pragma once
#include "ComboBox.h"
#include "ConversionEngine.h"
#include "Dialog.h"
#include "ImageList.h"
#include "ListCtrl.h"
#include "MidiInReconnector.h"
#include "TrayIconRemoval.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

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
    // Closes the device's port. Every close of the device goes through here,
    // whatever the reason (another choice, loss, resume, program end).
    void CloseMidiInDevice();

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
    void OnModalRunEnded() override;

    void OnDestroy();
    void OnSysCommand(WPARAM command, LPARAM lParam);
    void OnSettings();
    void OnVersion();
    void OnEndSession(WPARAM ending, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnTaskbarCreated();

    // Finding the configured device again (SettingDlgReconnect.cpp): the
    // notices of devices, power and the port; true when it handled the
    // message completely.
    bool OnMidiInNotice(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void CheckMidiInDevice();

    // The editing side.
    void SetUpEditingControls();
    // Lists the present devices in index order and keeps the configured one
    // selected (appended when it is missing); only when the list changed.
    void FillDeviceList(const MidiInDeviceList& devices);
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
    void ScheduleMidiInCheck(CMidiInReconnector::When when);
    // The tray tip for the device's state; with `balloon`, also a balloon
    // when it changed since `before`.
    void ShowMidiInStatus(CMidiInReconnector::Status before, bool balloon);

    NOTIFYICONDATAA m_notifyIconData;
    CTrayIconRemoval m_trayIconRemoval;
    CMidiInEventListenerManager* m_pListenerManager;
    CMidiInDevice* m_pMidiInDevice;
    CListCtrl m_listCtrl;
    CComboBox m_comboDevice;
    // Gives the rule list its 20-pixel rows; the list only borrows it.
    CImageList m_stateImageList;
    // The shell's announcement that it (re)started and lost every icon.
    UINT m_nTaskbarCreatedMessage;
    CMidiInReconnector m_reconnector;
    // The device names the combo box was last filled with.
    std::optional<std::vector<std::string>> m_listedDeviceNames;
    std::string m_midiInTip;
    // The last save of a change failed and the user has been told.
    bool m_bSaveFailureShown = false;
};
