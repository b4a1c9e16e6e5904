#include "OwnerDataList.h"

#include "StringUtil.h"

#include <cstring>

COwnerDataList::COwnerDataList(CListCtrl& list, int rowHeight)
    : m_list(list), m_rowHeight(rowHeight) {}

void COwnerDataList::SetUp(UINT dpi) {
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    // The row-height image list is ours, so the list must not destroy it.
    const LONG style = ::GetWindowLongA(m_list.m_hWnd, GWL_STYLE);
    ::SetWindowLongA(m_list.m_hWnd, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
    SetRowHeight(dpi);
}

void COwnerDataList::SetRowHeight(UINT dpi) {
    const int height = ::MulDiv(m_rowHeight, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    auto images = std::make_unique<CImageList>();
    if (!images->Create(1, height, ILC_COLOR, 0, 1)) {
        return; // the rows keep their height
    }
    // The old list is destroyed only once the control has let go of it.
    m_list.SetImageList(images.get(), LVSIL_STATE);
    m_rowHeightImages = std::move(images);
}

bool COwnerDataList::AsksForText(const NMLVDISPINFOA& info) {
    const LVITEMA& item = info.item;
    return (item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0;
}

void COwnerDataList::PutText(const NMLVDISPINFOA& info, const std::string& text) {
    const LVITEMA& item = info.item;
    if (!AsksForText(info)) {
        return;
    }
    const std::string shown =
        CutAtCharacterBoundary(text, static_cast<std::size_t>(item.cchTextMax - 1));
    std::memcpy(item.pszText, shown.c_str(), shown.size() + 1);
}
