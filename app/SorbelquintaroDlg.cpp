#include "SorbelquintaroDlg.h"

#include "ChangeTable.h"
#include "IMidiPlatform.h"
#include "ResidentProgram.h"
#include "SettingDlg.h"
#include "Win32ResidentDesktop.h"
#include "WinApp.h"
#include "resource.h"

CSorbelquintaroDlg::CSorbelquintaroDlg() : CDialog(IDD_SORBELQUINTARO_DIALOG) {}

void CSorbelquintaroDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CSorbelquintaroDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowIcons(IDR_MAINFRAME);
    {
        // The desktop first, the program on it, the window last: they go in
        // the reverse order, after the program's own ordered end.
        CWin32ResidentDesktop desktop;
        CResidentProgram program(desktop, desktop.Actions(), PlatformMidi(),
                                 desktop.MidiInScheduler(), {GetAppName(), GetConfigPath()});
        desktop.SetStrokeTimerHandler([&program] { program.Engine().OnStrokeTimer(); });
        CSettingDlg settings(program, desktop);
        settings.DoModal();
        // Should the window's run have ended before the program started.
        program.End();
        desktop.SetStrokeTimerHandler(nullptr);
        EndDialog(IDOK);
    }
    return TRUE;
}
