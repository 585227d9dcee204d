// CCXPropertySheet: a property sheet whose window and direct child windows (the
// tabs, the buttons and the pages) use the program's shared dialog font (AppFontNormal,
// framework/controls/AppUiResources.h).
//
// The sheet is built from one PROPSHEETPAGE record per page in the first and smallest layout
// (PROPSHEETPAGEW_V1_SIZE), each record's dwSize being that size: a page's own record is larger
// (its dwSize says so), and copying it whole let the sheet step through the array by the wrong
// size. Fields of later layouts are not passed, nor the flags that name them.
#pragma once
#include "classlib/CPropertySheet.h"
#include <vector>

class CFont;

// WM_SETFONT (font, redraw) to the window, then to each of its direct children; grandchildren
// get nothing.
void SetFontOnWindowAndChildren(CWnd* pWnd, CFont* pFont);

class CCXPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CCXPropertySheet)
public:
    explicit CCXPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CCXPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    BOOL OnInitDialog() override;

    // The records the sheet is made from (after BuildPropPageArray): count x record size bytes.
    const BYTE* GetPageRecords() const { return m_records.empty() ? nullptr : m_records.data(); }
    static UINT PageRecordSize() { return PROPSHEETPAGEW_V1_SIZE; }

protected:
    void BuildPropPageArray() override;

private:
    std::vector<BYTE> m_records;
};
