#pragma once
#include <windows.h>

#include <commctrl.h>

// An image list of our own; destroyed with the object.
class CImageList {
public:
    CImageList() = default;
    ~CImageList();

    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // ILC_ flags; false when it cannot be made (an existing list is kept).
    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    // Appends a copy of the icon (the caller keeps its own); the new
    // image's index, or -1.
    int Add(HICON icon);
    int GetImageCount() const;
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

private:
    HIMAGELIST m_hImageList = nullptr;
};
