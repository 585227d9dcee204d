// CToolItem: one tool of the conversion tool's tab strip: its tab text, its description (the
// tab's tip and the status bar's text) and its page, made the first time the tab is shown and
// destroyed with the descriptor. CToolItemArray owns the descriptors.
#pragma once
#include "classlib/COwnedPtrArray.h"
#include "classlib/CString.h"

class CConversionPage;
class CWnd;

class CToolItem {
public:
    CToolItem(LPCWSTR name, LPCWSTR description) : m_name(name), m_description(description) {}
    CToolItem(const CToolItem&) = delete;
    CToolItem& operator=(const CToolItem&) = delete;
    virtual ~CToolItem() { DestroyPage(); }

    virtual void DestroyPage();
    // 1 when the page exists already, 0 when it was made, -1 when its dialog can't be made.
    virtual int CreatePage(CWnd* pParent) = 0;

    CString m_name;
    CString m_description;
    int m_nEnabled = 1;
    CConversionPage* m_pPage = nullptr;
};

typedef COwnedPtrArray<CToolItem> CToolItemArray;

// The five tools in tab order: merge, M3U8, concatenate, video to audio, convert.
void AddConversionTools(CToolItemArray& tools);
