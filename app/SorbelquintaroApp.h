#pragma once
#include "WinApp.h"

// The application: runs the hidden host dialog, which runs the resident
// window for the whole life of the program.
class CSorbelquintaroApp : public CWinApp {
public:
    bool InitInstance() override;
};
