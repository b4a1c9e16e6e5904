#pragma once
#include "ChangeTable.h"
#include "ComboBox.h"
#include "ConversionEngine.h"
#include "DeviceCombo.h"
#include "Dialog.h"
#include "InputRecord.h"
#include "ListCtrl.h"
#include "MidiInConnection.h"
#include "MidiInEventListenerManager.h"
#include "MidiInWindowMessages.h"
#include "MonitorDlg.h"
#include "RuleListView.h"
#include "SwitchNotice.h"
#include "TrayIcon.h"
#include "Win32EngineActions.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The one window that lives for the whole run: the settings dialog, the
// consumer of MIDI input (the conversion engine) and the owner of the tray
// icon. Ending its modal run ends the program. It forwards its messages and
// shows what the objects it owns decide.
class CSettingDlg : public CDialog, public CConversionEngine {
public:
    explicit CSettingDlg(CWnd* parent = nullptr);
    ~CSettingDlg() override;

    // (Re)opens the device named in the table for delivery to this window
    // and tells the user in a box when that fails.
    void OpenMidiInDevice();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT* result) override;
    void OnModalRunEnded() override;
    // The rule list's columns and rows follow the new scale.
    void OnDpiChanged(UINT dpi) override;

    void OnDestroy();
    void OnSysCommand(WPARAM command, LPARAM lParam);
    void OnSettings();
    void OnVersion();
    void OnEndSession(WPARAM ending, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);

    // The editing side (SettingDlgEditing.cpp).
    void OnSelChangeDevice();
    void OnAdd();
    void OnEdit();
    void OnDblClkList(const NMHDR& header, LRESULT* result);
    void OnDelete();
    void OnShowNoticeClicked();
    void UpdateRow(int index);
    // Keeps a change the user made at once, so that a crash or a kill loses
    // nothing the window showed. A failure is told once in a balloon; the
    // next change and the end of the program try again.
    void SaveChanges();

private:
    // The engine base is built before these and only keeps references to
    // the table and the actions until it is first used.
    CChangeTable m_table;
    CWin32EngineActions m_engineActions;
    CMidiInEventListenerManager m_listenerManager;
    CTrayIcon m_trayIcon;
    CMidiInWindowMessages m_midiInMessages;
    CMidiInConnection m_midiIn;
    CListCtrl m_listCtrl;
    CComboBox m_comboDevice;
    CDeviceCombo m_deviceList{m_comboDevice};
    // Draws the rule list from the table.
    CRuleListView m_ruleList{m_listCtrl, m_table};
    // Every message and what became of it, from the start; the monitor
    // shows it.
    CInputRecord m_inputRecord;
    CMonitorDlg m_monitor;
    CSwitchNotice m_notice;
    // The last save of a change failed and the user has been told.
    bool m_bSaveFailureShown = false;
};
