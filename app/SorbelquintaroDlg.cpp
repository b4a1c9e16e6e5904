#include "SorbelquintaroDlg.h"

#include "SettingDlg.h"
#include "WinApp.h"
#include "resource.h"

CSorbelquintaroDlg::CSorbelquintaroDlg() : CDialog(IDD_SORBELQUINTARO_DIALOG) {}

void CSorbelquintaroDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CSorbelquintaroDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowIcons(IDR_MAINFRAME);
    {
        CSettingDlg settings;
        settings.DoModal();
        EndDialog(IDOK);
        // Leaving the block closes the MIDI-IN port and frees the table.
    }
    return TRUE;
}
