#pragma once
#include "Wnd.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

class CImageList;

// A list-view control of a dialog (bound with DDX_Control).
class CListCtrl : public CWnd {
public:
    // Index of the new column, -1 on failure.
    int InsertColumn(int column, const std::string& heading, int format = LVCFMT_LEFT,
                     int width = -1);
    // Index of the new row, -1 on failure; image -1 for none.
    int InsertItem(int index, const std::string& text, int image = -1);
    bool SetItemText(int item, int subItem, const std::string& text);
    std::string GetItemText(int item, int subItem) const;
    bool DeleteItem(int item);
    bool DeleteAllItems();
    // The number of rows of a list with owner data (LVSICF_ flags).
    bool SetItemCountEx(int count, DWORD flags);
    // Draws the rows from `first` to `last` again (texts asked anew).
    bool RedrawItems(int first, int last);
    bool SetColumnWidth(int column, int width);
    int GetItemCount() const;
    int GetSelectedCount() const;
    // The next row after `start` (-1: from the top) with the LVNI_ flags.
    int GetNextItem(int start, int flags) const;
    bool SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    DWORD GetExtendedStyle() const;
    void SetExtendedStyle(DWORD style);
    // LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE. The list keeps using the
    // image list: it must outlive the control or be taken back first.
    void SetImageList(CImageList* imageList, int type);
    // Width of the client area in pixels (0 without a window).
    int GetClientWidth() const;
};
