#pragma once
#include "ListCtrl.h"
#include "OwnerDataList.h"

#include <windows.h>

#include <string>
#include <vector>

class CChangeTable;

// The settings window's rule list: a list view with owner data whose row i
// is rule i of the table. It holds no texts of its own; the control asks for
// the texts of the rows it draws (and of the rows another program reads), so
// start-up, adding, editing and deleting cost the same at any table size.
class CRuleListView {
public:
    // Rows are 20 pixels high at 96 dots per inch.
    static constexpr int kRowHeight = 20;

    CRuleListView(CListCtrl& list, const CChangeTable& table);

    // Columns, grid lines, full-row selection, the row height at the
    // window's scale and one row per rule. The list's template must have
    // LVS_OWNERDATA: the style cannot be added once the control exists.
    void SetUp();
    // Columns and row height again, at the new scale.
    void OnDpiChanged(UINT dpi);
    // The control's questions about rows (texts, type-ahead search); true
    // when answered.
    bool OnNotify(const NMHDR& header, LRESULT* result);

    // The table got a rule at its end: one row more, and it alone selected
    // and focused. False when the control could not take the row.
    bool ShowAdded(int index);
    // The rule of that row changed.
    void ShowChanged(int index);
    // The selected rows, lowest first.
    std::vector<int> SelectedRows() const;
    // Rules were removed from the table: nothing is selected and the rows
    // follow the table.
    void ShowRemoved();

private:
    void FitColumns(UINT dpi);
    void FillDisplayInfo(const NMLVDISPINFOA& info) const;
    // The first row from `from` on (LVFI_ flags) whose input text matches.
    int FindRow(const std::string& wanted, UINT flags, int from) const;

    CListCtrl& m_list;
    const CChangeTable& m_table;
    COwnerDataList m_ownerData;
};
