#include "SorbelquintaroApp.h"

#include "SorbelquintaroDlg.h"

bool CSorbelquintaroApp::InitInstance() {
    CSorbelquintaroDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The program is over: no message loop of our own.
    return false;
}
