// The owner-drawn format and preset lists of the task pages and the format dialogs. An item's
// text may hold a tab (split as CSplitTextComboBox::SplitText splits): the part before it is
// drawn on the left, the part after it in a narrow right-hand column in a quieter colour
// ("MP4<TAB>.mp4"), as wide as the widest right-hand text of the list needs. A text that does
// not fit ends in an ellipsis. Categories are drawn as section headers with their icon; the edit
// part shows the chosen format's icon.
#pragma once
#include "classlib/CComboBox.h"
#include "classlib/CGdiObject.h"
#include "classlib/CImageList.h"

class CMediaCatalogItem;
class CMediaFormat;
class CMediaFormats;

class CFormatComboBox : public CComboBox {
    DECLARE_DYNAMIC(CFormatComboBox)
public:
    // Item data are CMediaCatalogItem pointers (categories, formats) unless m_presetItems is
    // set, when they are presets, which have neither headers nor icons.
    CImageList* m_pImageList = nullptr;  // null: no icons
    int m_rightWidth = 32;               // the narrowest the right-hand column gets
    COLORREF m_rightColour = ::GetSysColor(COLOR_BTNSHADOW);
    int m_rightMode = 0;  // 0: right text from the column's left edge; else right-aligned
    BOOL m_presetItems = FALSE;

    // Offers every switched-on format of the switched-on categories that hold one, as
    // "name<TAB>extension", under a header row per category when there are several. The
    // number of format rows.
    int FillFormats(const CMediaFormats& formats);
    // The presets of the format by name, the custom preset's "Custom" last; none for null.
    void FillPresets(const CMediaFormat* pFormat);
    // The format of a row; null for a header, a row out of range or a preset list.
    CMediaFormat* GetFormat(int nIndex) const;
    // The row of the format; -1.
    int FindFormat(const CMediaFormat* pFormat) const;
    // From nIndex on, the first format row; -1.
    int NextFormatRow(int nIndex) const;
    // Whether the row is a category header.
    BOOL IsHeader(int nIndex) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    // The icon of a catalogue item: 0 video, 1 audio, 2 device; -1 for none.
    static int GetIconIndex(const CMediaCatalogItem* pItem);
    // The right-hand column's width: the widest right-hand text of the list, at least
    // m_rightWidth, at most half the item's width.
    int GetRightColumnWidth(int itemWidth);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    const CMediaCatalogItem* CatalogItem(int nIndex) const;
    int ItemHeight() const;
    CFont* BoldFont();
    void DrawBackground(CDC& dc, const DRAWITEMSTRUCT& dis, bool header, bool selected, CRect textRect);
    void DrawTexts(CDC& dc, const CRect& rect, const CString& text, bool selected);
    int MeasureRightTexts() const;

    CFont m_boldFont;
    int m_widestRightText = -1;  // -1: the list changed since it was measured
};
