#pragma once
#include "ComboBox.h"
#include "DeviceCombo.h"
#include "Dialog.h"
#include "ListCtrl.h"
#include "MonitorDlg.h"
#include "ResidentDesktop.h"
#include "RuleListView.h"

#include <windows.h>

#include <string>
#include <vector>

class CMapEditDlg;
class CResidentProgram;
class CWin32ResidentDesktop;

// The one window that lives for the whole run: the settings dialog. It
// forwards its messages to the running program, which owns the table, the
// engine and the device, and shows what the program decides. Ending its
// modal run ends the program.
class CSettingDlg : public CDialog, public IResidentView {
public:
    CSettingDlg(CResidentProgram& program, CWin32ResidentDesktop& desktop, CWnd* parent = nullptr);
    ~CSettingDlg() override;

    // The device named in the table, (re)opened.
    void OpenMidiInDevice();

    void ShowDevices(const MidiInDeviceList& devices, const std::string& chosen) override;
    void ShowRules() override;
    void ShowBox(const std::string& text) override;
    void AskEndLater() override;
    void CloseToolWindows() override;
    void CloseWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT* result) override;
    // Enter, Esc, the close box and the tray's Exit all ask the program to
    // end; the program closes the window.
    void OnOK() override;
    void OnCancel() override;
    void OnModalRunEnded() override;
    // The rule list's columns and rows follow the new scale.
    void OnDpiChanged(UINT dpi) override;

    void OnSysCommand(WPARAM command, LPARAM lParam);
    void OnToggleEnabled();
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
    void OnLayerNames();
    void OnExport();
    void OnImport();
    void OnShowNoticeClicked();
    void OnOtherDevices();
    void UpdateRow(int index);
    void GiveDevices(CMapEditDlg& editor);

private:
    // A modal window of the program is open: it comes to the front instead
    // of a second one.
    void ShowOpenModalWindow();

    CResidentProgram& m_program;
    CWin32ResidentDesktop& m_desktop;
    CListCtrl m_listCtrl;
    CComboBox m_comboDevice;
    CDeviceCombo m_deviceList{m_comboDevice};
    // Draws the rule list from the table.
    CRuleListView m_ruleList;
    // Modeless: the program's modal windows do not count it, and it closes
    // in the program's end before this window goes.
    CMonitorDlg m_monitor;
};
