#include "LayerNamesDlg.h"

#include "LayerNames.h"
#include "ResidentProgram.h"
#include "resource.h"

namespace {
// Bytes of CP932 per name: room for 32 double-byte characters; longer
// names would only be cut by the list's column and the tray tip.
constexpr int kNameByteLimit = 64;
} // namespace

CLayerNamesDlg::CLayerNamesDlg(CResidentProgram& program, CWnd* parent)
    : CDialog(IDD_LAYER_NAMES_DIALOG, parent), m_program(program) {}

BOOL CLayerNamesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const CLayerNames& names = m_program.Table().LayerNames();
    for (int layer = CLayerNames::kFirstLayer; layer <= CLayerNames::kLayerCount; ++layer) {
        const int id = IDC_LAYER_NAME_FIRST + layer - CLayerNames::kFirstLayer;
        ::SendDlgItemMessageA(m_hWnd, id, EM_LIMITTEXT, kNameByteLimit, 0);
        SetDlgItemText(id, names.Get(layer).c_str());
    }
    return TRUE;
}

void CLayerNamesDlg::SaveNames() {
    CLayerNames names = m_program.Table().LayerNames();
    for (int layer = CLayerNames::kFirstLayer; layer <= CLayerNames::kLayerCount; ++layer) {
        // An edit cannot hold a line break, so every name typed is taken.
        names.Set(layer, GetDlgItemText(IDC_LAYER_NAME_FIRST + layer - CLayerNames::kFirstLayer));
    }
    m_changed = m_program.RenameLayers(names) || m_changed;
}

bool CLayerNamesDlg::OnCommand(UINT id, UINT notifyCode, HWND control) {
    const int row = static_cast<int>(id) - IDC_LAYER_NAME_FIRST;
    if (row >= 0 && row < CLayerNames::kLayerCount && notifyCode == EN_KILLFOCUS) {
        SaveNames();
        return true;
    }
    return CDialog::OnCommand(id, notifyCode, control);
}

void CLayerNamesDlg::OnOK() {
    SaveNames();
    EndDialog(IDOK);
}

void CLayerNamesDlg::OnCancel() {
    SaveNames();
    EndDialog(IDOK);
}
