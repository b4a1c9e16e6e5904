#pragma once
#include "Dialog.h"
#include "ListCtrl.h"
#include "MidiInEventListener.h"
#include "OwnerDataList.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class CInputRecord;
class CMidiInEventListenerManager;

// The window "MIDI モニター": the record of the last MIDI messages and what
// the program did with each, newest at the bottom. Modeless, one at a time;
// the table and the controller keep working while it is open, and it keeps
// its place and size until the program ends. It draws from the record and
// hears of new input as a listener behind the engine, so a row is complete
// when it is drawn; it draws at most 20 times a second, and not at all while
// nothing comes.
class CMonitorDlg : public CDialog, public CMidiInEventListener {
public:
    // tell: shows a failure to the user without stopping them.
    CMonitorDlg(CInputRecord& record, CMidiInEventListenerManager& input,
                std::function<void(const std::string&)> tell);
    ~CMonitorDlg() override;

    // Opens the window, or brings it to the front when it is open.
    void Open();
    // Closes it (the end of the program).
    void Close();

    void OnShortMessage(std::uint32_t portHandle, std::uint32_t message) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT* result) override;
    void OnOK() override;
    void OnCancel() override;
    void OnDpiChanged(UINT dpi) override;

private:
    // What changed in the record since it was last drawn comes into view;
    // the newest row is followed unless the user has scrolled up.
    void ShowRecord();
    void CopyToClipboard();
    void KeepLayout();
    void Layout();
    void FitLastColumn();

    CInputRecord& m_record;
    CMidiInEventListenerManager& m_input;
    std::function<void(const std::string&)> m_tell;
    CListCtrl m_list;
    COwnerDataList m_ownerData{m_list, 18};
    std::uint64_t m_shownChanges = 0;
    int m_shownCount = 0;
    std::uint64_t m_shownMessages = 0;
    bool m_showPending = false;
    // Where the window was when it was last closed, for the next opening.
    RECT m_lastPlace = {};
    bool m_hasLastPlace = false;
    // The distances of the controls from the client area's right and bottom
    // edges, taken from the template, kept while the window is resized.
    SIZE m_initialSize = {};
    RECT m_listMargins = {};
    POINT m_copyFromCorner = {};
    POINT m_clearFromCorner = {};
};
