#include "AboutDlg.h"

#include "BuildDate.h"
#include "ModulePath.h"
#include "StringUtil.h"
#include "VersionInfo.h"
#include "WinApp.h"
#include "resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CVersionInfo versionInfo;
    versionInfo.LoadFromFile(GetModulePath());
    const std::string buildDate = GetBuildDateText();
    SetDlgItemText(IDC_VERSION_TEXT,
                   Format("%s Version %s (%s)", GetAppName().c_str(),
                          versionInfo.GetFileVersion().c_str(), buildDate.c_str()));
    SetDlgItemText(IDC_COPYRIGHT_TEXT, versionInfo.GetLegalCopyright());
    return TRUE;
}
