#include "ImageList.h"

CImageList::~CImageList() {
    if (m_hImageList != nullptr) {
        ::ImageList_Destroy(m_hImageList);
    }
}

bool CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (m_hImageList != nullptr) {
        return false;
    }
    m_hImageList = ::ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

int CImageList::Add(HICON icon) {
    if (m_hImageList == nullptr || icon == nullptr) {
        return -1;
    }
    return ::ImageList_ReplaceIcon(m_hImageList, -1, icon);
}

int CImageList::GetImageCount() const {
    return m_hImageList != nullptr ? ::ImageList_GetImageCount(m_hImageList) : 0;
}
