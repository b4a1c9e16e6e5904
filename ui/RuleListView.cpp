#include "RuleListView.h"

#include "ChangeTable.h"
#include "Dpi.h"
#include "StringUtil.h"

#include <cstring>

namespace {
constexpr UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

std::string AnsiText(const wchar_t* text) {
    if (text == nullptr) {
        return std::string();
    }
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return std::string();
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &ansi[0], size, nullptr, nullptr);
    ansi.resize(static_cast<std::size_t>(size - 1));
    return ansi;
}
} // namespace

CRuleListView::CRuleListView(CListCtrl& list, const CChangeTable& table)
    : m_list(list), m_table(table), m_ownerData(list, kRowHeight) {}

void CRuleListView::SetUp() {
    const UINT dpi = WindowDpi(m_list.m_hWnd);
    m_list.InsertColumn(0, "入力", LVCFMT_LEFT, 0);
    m_list.InsertColumn(1, "変換後", LVCFMT_LEFT, 0);
    FitColumns(dpi);
    m_ownerData.SetUp(dpi);
    m_list.SetItemCountEx(m_table.GetSize(), 0);
}

void CRuleListView::OnDpiChanged(UINT dpi) {
    FitColumns(dpi);
    m_ownerData.SetRowHeight(dpi);
}

void CRuleListView::FitColumns(UINT dpi) {
    // The two columns share the width that a vertical scroll bar leaves.
    const int width = m_list.GetClientWidth() - SystemMetricForDpi(SM_CXVSCROLL, dpi);
    m_list.SetColumnWidth(0, width / 2);
    m_list.SetColumnWidth(1, width - width / 2);
}

bool CRuleListView::OnNotify(const NMHDR& header, LRESULT* result) {
    // The dialog is an ANSI window, so the control asks in ANSI.
    switch (header.code) {
    case LVN_GETDISPINFOA:
        // The text goes into the control's buffer; the header itself stays.
        FillDisplayInfo(*reinterpret_cast<const NMLVDISPINFOA*>(&header));
        *result = 0;
        return true;
    case LVN_ODFINDITEMA: {
        const auto& find = *reinterpret_cast<const NMLVFINDITEMA*>(&header);
        *result =
            FindRow(find.lvfi.psz != nullptr ? find.lvfi.psz : "", find.lvfi.flags, find.iStart);
        return true;
    }
    case LVN_ODFINDITEMW: {
        // Wine's list view asks for type-ahead in UTF-16 even of an ANSI
        // window (dlls/comctl32/listview.c, LISTVIEW_ProcessLetterKeys).
        const auto& find = *reinterpret_cast<const NMLVFINDITEMW*>(&header);
        *result = FindRow(AnsiText(find.lvfi.psz), find.lvfi.flags, find.iStart);
        return true;
    }
    default:
        return false;
    }
}

void CRuleListView::FillDisplayInfo(const NMLVDISPINFOA& info) const {
    const LVITEMA& item = info.item;
    if (!COwnerDataList::AsksForText(info)) {
        return;
    }
    std::string text;
    if (item.iItem >= 0 && item.iItem < m_table.GetSize()) {
        const CChangeTableItem* rule = m_table.GetAt(item.iItem);
        text = item.iSubItem == 0 ? m_table.InputTextOf(*rule)
                                   : rule->GetOutputText(m_table.LayerNames());
    }
    COwnerDataList::PutText(info, text);
}

// Typing in the list jumps to the next row whose input text starts with
// what was typed, as in a list that holds its texts.
int CRuleListView::FindRow(const std::string& wanted, UINT flags, int from) const {
    const int count = m_table.GetSize();
    if ((flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || count == 0) {
        return -1;
    }
    const int start = from >= 0 && from < count ? from : 0;
    const int rows = (flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int step = 0; step < rows; ++step) {
        const int row = (start + step) % count;
        std::string text = m_table.InputTextOf(*m_table.GetAt(row));
        if ((flags & LVFI_PARTIAL) != 0) {
            text = CutAtCharacterBoundary(text, wanted.size());
        }
        if (MbsICmp(text.c_str(), wanted.c_str()) == 0) {
            return row;
        }
    }
    return -1;
}

bool CRuleListView::ShowAdded(int index) {
    // The rows before it are unchanged and need no drawing again.
    if (!m_list.SetItemCountEx(m_table.GetSize(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL)) {
        return false;
    }
    m_list.SetItemState(-1, 0, kSelectedAndFocused);
    m_list.SetItemState(index, kSelectedAndFocused, kSelectedAndFocused);
    return true;
}

void CRuleListView::ShowChanged(int index) {
    m_list.RedrawItems(index, index);
}

std::vector<int> CRuleListView::SelectedRows() const {
    std::vector<int> rows;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_list.GetNextItem(row, LVNI_SELECTED)) {
        rows.push_back(row);
    }
    return rows;
}

void CRuleListView::ShowRemoved() {
    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    m_list.SetItemCountEx(m_table.GetSize(), 0);
}
