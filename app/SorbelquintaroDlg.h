#pragma once
#include "Dialog.h"

// The invisible host: the application's main window, owner of the resident
// window, so that the program has no taskbar button. It runs the resident
// window from its initialisation and ends when that run is over.
class CSorbelquintaroDlg : public CDialog {
public:
    CSorbelquintaroDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
