#pragma once
#include "Dialog.h"

class CResidentProgram;

// Names the layers 1..16, one edit each. A name is saved as soon as its
// edit is left (and at the close), like every change of the settings; an
// empty edit takes the name away, so that the layer is shown by its number.
class CLayerNamesDlg : public CDialog {
public:
    CLayerNamesDlg(CResidentProgram& program, CWnd* parent);

    // Whether some name was changed while the dialog was open.
    bool Changed() const { return m_changed; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    // Enter and the close both keep what was typed: there is nothing to
    // cancel, the names are saved as they go.
    void OnOK() override;
    void OnCancel() override;

private:
    // The names typed, saved at once when they differ from the table's.
    void SaveNames();

    CResidentProgram& m_program;
    bool m_changed = false;
};
