#include "ListCtrl.h"

#include "ImageList.h"

#include <vector>

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width) {
    LVCOLUMNA lvc = {};
    lvc.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
    lvc.fmt = format;
    lvc.pszText = const_cast<char*>(heading.c_str());
    lvc.iSubItem = column;
    if (width >= 0) {
        lvc.mask |= LVCF_WIDTH;
        lvc.cx = width;
    }
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                           reinterpret_cast<LPARAM>(&lvc)));
}

int CListCtrl::InsertItem(int index, const std::string& text, int image) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    if (image >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int item, int subItem, const std::string& text) {
    LVITEMA lvi = {};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<char*>(text.c_str());
    return ::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(item),
                          reinterpret_cast<LPARAM>(&lvi)) != 0;
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
    // The control answers with the number of characters copied; a full
    // buffer may mean the text was cut, so grow until it fits.
    for (size_t size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(size);
        LVITEMA lvi = {};
        lvi.iSubItem = subItem;
        lvi.pszText = buffer.data();
        lvi.cchTextMax = static_cast<int>(size);
        const LRESULT copied = ::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                                              reinterpret_cast<LPARAM>(&lvi));
        if (copied < static_cast<LRESULT>(size) - 1) {
            return std::string(lvi.pszText);
        }
    }
    return std::string();
}

bool CListCtrl::DeleteItem(int item) {
    return ::SendMessageA(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(item), 0) != 0;
}

bool CListCtrl::DeleteAllItems() {
    return ::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0) != 0;
}

bool CListCtrl::SetItemCountEx(int count, DWORD flags) {
    return ::SendMessageA(m_hWnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(count),
                          static_cast<LPARAM>(flags)) != 0;
}

bool CListCtrl::RedrawItems(int first, int last) {
    return ::SendMessageA(m_hWnd, LVM_REDRAWITEMS, static_cast<WPARAM>(first),
                          static_cast<LPARAM>(last)) != 0;
}

bool CListCtrl::SetColumnWidth(int column, int width) {
    return ::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                          MAKELPARAM(width, 0)) != 0;
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

int CListCtrl::GetSelectedCount() const {
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

int CListCtrl::GetNextItem(int start, int flags) const {
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMA lvi = {};
    lvi.state = state;
    lvi.stateMask = mask;
    return ::SendMessageA(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                          reinterpret_cast<LPARAM>(&lvi)) != 0;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    return static_cast<UINT>(
        ::SendMessageA(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

void CListCtrl::SetExtendedStyle(DWORD style) {
    ::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
}

void CListCtrl::SetImageList(CImageList* imageList, int type) {
    ::SendMessageA(
        m_hWnd, LVM_SETIMAGELIST, static_cast<WPARAM>(type),
        reinterpret_cast<LPARAM>(imageList != nullptr ? imageList->GetSafeHandle() : nullptr));
}

int CListCtrl::GetClientWidth() const {
    RECT rect = {};
    if (m_hWnd == nullptr || !::GetClientRect(m_hWnd, &rect)) {
        return 0;
    }
    return rect.right - rect.left;
}
