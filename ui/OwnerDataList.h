#pragma once
#include "ImageList.h"
#include "ListCtrl.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

// What every list view with owner data of ours shares: grid lines, full-row
// selection, rows of one height at every scale, and the text of a cell put
// into the control's buffer when it asks. The list holds no texts; its owner
// answers LVN_GETDISPINFO from its own data.
class COwnerDataList {
public:
    // rowHeight in pixels at 96 dots per inch.
    COwnerDataList(CListCtrl& list, int rowHeight);

    // Styles and row height. The list's template must have LVS_OWNERDATA:
    // the style cannot be added once the control exists.
    void SetUp(UINT dpi);
    // The rows' height at the new scale.
    void SetRowHeight(UINT dpi);

    // The cell the control asks for: row and column, false when it asks for
    // no text.
    static bool AsksForText(const NMLVDISPINFOA& info);
    // Puts the text into the control's buffer, cut at a character boundary.
    static void PutText(const NMLVDISPINFOA& info, const std::string& text);

private:
    CListCtrl& m_list;
    int m_rowHeight;
    // An empty state image list as high as a row sets the height of every
    // row; the list only borrows it.
    std::unique_ptr<CImageList> m_rowHeightImages;
};
