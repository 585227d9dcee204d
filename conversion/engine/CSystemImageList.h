// The shell's system image lists (small and large icons of every file type), borrowed for the
// lists of the conversion tool. The lists belong to the shell: they are never destroyed here.
#pragma once
#include "classlib/CImageList.h"

class CSystemImageList {
public:
    CSystemImageList() = default;
    CSystemImageList(const CSystemImageList&) = delete;
    CSystemImageList& operator=(const CSystemImageList&) = delete;
    ~CSystemImageList();

    // 0, or -1 when the shell gives either list not.
    int Load();
    // 1 the small list, 0 the large one; null for anything else or before Load.
    CImageList* GetImageList(int small);

private:
    HIMAGELIST m_hSmall = nullptr;
    HIMAGELIST m_hLarge = nullptr;
    CImageList m_small;
    CImageList m_large;
};
