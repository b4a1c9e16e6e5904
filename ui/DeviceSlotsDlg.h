#pragma once
#include "ComboBox.h"
#include "DeviceCombo.h"
#include "Dialog.h"

#include <memory>
#include <vector>

class CResidentProgram;

// The devices of the slots 2..8, one list each of the present devices (and
// the stored name when that device is missing). A choice is saved and the
// slot opened at once, as the settings window does with slot 1; the list
// follows devices that come and go while the dialog is open. Beside each
// slot, and for slot 1 below them, the MIDI-OUT device its lights go to,
// chosen and saved the same way; picking an input proposes its output.
class CDeviceSlotsDlg : public CDialog {
public:
    CDeviceSlotsDlg(CResidentProgram& program, CWnd* parent);
    ~CDeviceSlotsDlg() override;

    static constexpr int kFirstSlot = 2;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Enter keeps what was chosen (it is saved already) and closes.
    void OnOK() override;

private:
    void FillLists();
    void FillOutputLists();

    struct SRow {
        CComboBox combo;
        CDeviceCombo devices{combo, "(なし)"};
    };
    struct SOutRow {
        CComboBox combo;
        CDeviceCombo devices{combo, "なし"};
    };
    CResidentProgram& m_program;
    std::vector<std::unique_ptr<SRow>> m_rows;
    // Slot 1 first.
    std::vector<std::unique_ptr<SOutRow>> m_outRows;
};
