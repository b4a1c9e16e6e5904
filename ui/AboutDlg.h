#pragma once
#include "Dialog.h"

// The version box: the application name, version and build date on one
// line, the copyright below.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;
};
