// A group of formats shown together: video, audio or device families.
#pragma once
#include "conversion/engine/CMediaFormat.h"

const DWORD CATEGORY_MARK = 0x200000;  // every category carries it; devices add FORMAT_DEVICE

class CMediaFormatCategory : public CMediaCatalogItem {
public:
    CString m_name;  // display name, e.g. "Video"; a stored copy may rename it
    COwnedPtrArray<CMediaFormat> m_formats;  // in the order of the built-in list
    int m_defaultFormat = 0;
};
