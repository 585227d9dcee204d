// The common base of format categories, formats and codecs: flags, id and kind; each kind of
// item holds its own display name. The id is the catalogue's own static text: the registry
// makes hundreds of items at every start and copies none of it. Compare it by content
// (wcscmp), never by address.
#pragma once
#include "classlib/CString.h"

// Media kinds of catalogue items.
const int MEDIA_KIND_DERIVED = -1;  // taken from the flags where the class says so
const int MEDIA_KIND_NONE = 0;
const int MEDIA_KIND_VIDEO = 1;
const int MEDIA_KIND_AUDIO = 2;

class CMediaCatalogItem {
public:
    CMediaCatalogItem() = default;
    CMediaCatalogItem(const CMediaCatalogItem&) = delete;
    CMediaCatalogItem& operator=(const CMediaCatalogItem&) = delete;
    virtual ~CMediaCatalogItem() = default;

    DWORD m_flags = 0;
    LPCWSTR m_id = L"";  // e.g. "AC_libmp3lame"
    int m_mediaKind = MEDIA_KIND_DERIVED;
};
