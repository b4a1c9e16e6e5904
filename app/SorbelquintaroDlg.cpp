#include "SorbelquintaroDlg.h"

#include "SettingDlg.h"
#include "WinApp.h"
#include "resource.h"

CSorbelquintaroDlg::CSorbelquintaroDlg()
    : CDialog(IDD_SORBELQUINTARO_DIALOG),
      m_hIcon(::LoadIconA(GetAppInstance(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

void CSorbelquintaroDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CSorbelquintaroDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(::LoadImageA(GetAppInstance(),
                                                         MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                         IMAGE_ICON, 16, 16, LR_SHARED)));
    {
        CSettingDlg settings;
        settings.DoModal();
        EndDialog(IDOK);
        // Leaving the block closes the MIDI-IN port and frees the table.
    }
    return TRUE;
}
