#pragma once
#include "Wnd.h"

#include <string>

// A combo box of a dialog (bound with DDX_Control). Indexes are CB_ERR (-1)
// on failure or when there is no such entry.
class CComboBox : public CWnd {
public:
    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    // The exact-text search of the control (letter case is ignored), from
    // the entry after `startAfter` (-1: the whole list).
    int FindStringExact(int startAfter, const std::string& text) const;
    int GetCount() const;
    int GetCurSel() const;
    // -1 clears the selection.
    void SetCurSel(int index);
    std::string GetLBText(int index) const;
    void ResetContent();
};
