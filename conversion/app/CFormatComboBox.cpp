#include "conversion/app/CFormatComboBox.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "conversion/app/controls/CCXControls.h"
#include "conversion/app/controls/CThemeData.h"
#include "conversion/engine/CMediaFormats.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CFormatComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CFormatComboBox, CComboBox)
END_MESSAGE_MAP()

namespace {

const int kIconSize = 16;
const int kIconIndent = 20;
// Between the left text and the right-hand column, and after the right-hand text.
const int kColumnGap = 8;
const int kRightMargin = 4;

bool IsOn(const CMediaCatalogItem* pItem)
{
    return !(pItem->m_flags & FORMAT_OFF);
}

bool HasFormatOn(const CMediaFormatCategory* pCategory)
{
    for (int f = 0; f < pCategory->m_formats.GetSize(); f++) {
        if (IsOn(pCategory->m_formats[f]))
            return true;
    }
    return false;
}

}  // namespace

int CFormatComboBox::GetIconIndex(const CMediaCatalogItem* pItem)
{
    if (!pItem)
        return -1;
    const CMediaFormat* pFormat = dynamic_cast<const CMediaFormat*>(pItem);
    int kind = pFormat ? pFormat->GetMediaKind() : pItem->m_mediaKind;
    if (pItem->m_flags & FORMAT_DEVICE)
        return 2;
    if (kind == -1)
        return -1;
    return kind == MEDIA_KIND_AUDIO ? 1 : 0;
}

void CFormatComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    // The combo measured its items before it was ours: the heights are set again here.
    SetItemHeight(-1, ItemHeight());
    SetItemHeight(0, ItemHeight());
}

LRESULT CFormatComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_DELETESTRING:
    case CB_RESETCONTENT:
    case WM_SETFONT:
        m_widestRightText = -1;
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

int CFormatComboBox::MeasureRightTexts() const
{
    int widest = 0;
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    CString text, left, right;
    for (int i = 0; i < GetCount(); i++) {
        GetLBText(i, text);
        if (!CSplitTextComboBox::SplitText(text, left, right))
            continue;
        SIZE size = {};
        ::GetTextExtentPoint32W(hDC, right, right.GetLength(), &size);
        widest = std::max<int>(widest, size.cx);
    }
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return widest;
}

int CFormatComboBox::GetRightColumnWidth(int itemWidth)
{
    if (m_widestRightText < 0)
        m_widestRightText = MeasureRightTexts();
    return std::max(m_rightWidth, std::min(m_widestRightText + kRightMargin, itemWidth / 2));
}

int CFormatComboBox::ItemHeight() const
{
    int height = kIconSize + 2;
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    TEXTMETRICW metrics = {};
    if (::GetTextMetricsW(hDC, &metrics) && metrics.tmHeight + 4 > height)
        height = metrics.tmHeight + 4;
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return height;
}

void CFormatComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = ItemHeight();
}

int CFormatComboBox::FillFormats(const CMediaFormats& formats)
{
    m_presetItems = FALSE;
    ResetContent();
    int rows = 0;
    const bool headers = formats.m_categories.GetSize() > 1;
    for (int c = 0; c < formats.m_categories.GetSize(); c++) {
        const CMediaFormatCategory* pCategory = formats.m_categories[c];
        if (!IsOn(pCategory) || !HasFormatOn(pCategory))
            continue;
        if (headers)
            SetItemData(AddString(pCategory->m_name), reinterpret_cast<DWORD_PTR>(pCategory));
        for (int f = 0; f < pCategory->m_formats.GetSize(); f++) {
            const CMediaFormat* pFormat = pCategory->m_formats[f];
            if (!IsOn(pFormat))
                continue;
            CString text;
            text.Format(L"%s\t%s", static_cast<LPCWSTR>(pFormat->m_name), pFormat->m_extension);
            SetItemData(AddString(text), reinterpret_cast<DWORD_PTR>(pFormat));
            rows++;
        }
    }
    return rows;
}

void CFormatComboBox::FillPresets(const CMediaFormat* pFormat)
{
    m_presetItems = TRUE;
    ResetContent();
    if (!pFormat)
        return;
    for (int p = 0; p < pFormat->m_presets.GetSize(); p++)
        SetItemData(AddString(pFormat->m_presets[p]->GetName()), reinterpret_cast<DWORD_PTR>(pFormat->m_presets[p]));
    if (pFormat->m_pCustomPreset)
        SetItemData(AddString(pFormat->m_pCustomPreset->GetName()),
                    reinterpret_cast<DWORD_PTR>(pFormat->m_pCustomPreset));
}

const CMediaCatalogItem* CFormatComboBox::CatalogItem(int nIndex) const
{
    if (m_presetItems || nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return reinterpret_cast<const CMediaCatalogItem*>(GetItemData(nIndex));
}

CMediaFormat* CFormatComboBox::GetFormat(int nIndex) const
{
    const CMediaCatalogItem* pItem = CatalogItem(nIndex);
    if (!pItem || (pItem->m_flags & CATEGORY_MARK))
        return nullptr;
    return const_cast<CMediaFormat*>(dynamic_cast<const CMediaFormat*>(pItem));
}

BOOL CFormatComboBox::IsHeader(int nIndex) const
{
    const CMediaCatalogItem* pItem = CatalogItem(nIndex);
    return pItem && (pItem->m_flags & CATEGORY_MARK);
}

int CFormatComboBox::FindFormat(const CMediaFormat* pFormat) const
{
    for (int i = 0; pFormat && i < GetCount(); i++) {
        if (GetFormat(i) == pFormat)
            return i;
    }
    return -1;
}

int CFormatComboBox::NextFormatRow(int nIndex) const
{
    for (int i = nIndex < 0 ? 0 : nIndex; i < GetCount(); i++) {
        if (GetFormat(i))
            return i;
    }
    return -1;
}

CFont* CFormatComboBox::BoldFont()
{
    if (!m_boldFont.m_hObject) {
        LOGFONTW font = {};
        HGDIOBJ hFont = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
        ::GetObjectW(hFont ? hFont : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
        font.lfWeight = FW_BOLD;
        m_boldFont.CreateFontIndirect(&font);
    }
    return &m_boldFont;
}

void CFormatComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const DRAWITEMSTRUCT& dis = *lpDrawItemStruct;
    if (static_cast<int>(dis.itemID) < 0 || !(dis.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    CDC& dc = *CDC::FromHandle(dis.hDC);
    const bool enabled = IsWindowEnabled() != FALSE;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool inEdit = (dis.itemState & ODS_COMBOBOXEDIT) != 0;
    const CMediaCatalogItem* pItem = CatalogItem(static_cast<int>(dis.itemID));
    const bool header = !inEdit && pItem && (pItem->m_flags & CATEGORY_MARK);

    const int savedDC = ::SaveDC(dis.hDC);
    COLORREF textColour = ::GetSysColor(COLOR_WINDOWTEXT);
    if (!enabled)
        textColour = ::GetSysColor(COLOR_BTNSHADOW);
    else if (header)
        dc.SelectObject(BoldFont());
    else if (selected)
        textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (header)
        dc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    dc.SetTextColor(textColour);

    CRect rect(dis.rcItem);
    CRect textRect = rect;
    // Presets have no icons: their texts start at the left.
    if (m_pImageList && !m_presetItems)
        textRect.left += kIconIndent;
    DrawBackground(dc, dis, header, selected && enabled, textRect);

    int icon = GetIconIndex(pItem);
    if (m_pImageList && (header || inEdit) && icon >= 0)
        m_pImageList->Draw(&dc, icon, CPoint(rect.left + 1, rect.top + (rect.Height() - kIconSize) / 2),
                           ILD_TRANSPARENT);

    CString text;
    GetLBText(static_cast<int>(dis.itemID), text);
    DrawTexts(dc, textRect, text, selected && enabled && !header);
    ::RestoreDC(dis.hDC, savedDC);
    if ((dis.itemState & ODS_FOCUS) && !header)
        ::DrawFocusRect(dis.hDC, &dis.rcItem);
}

void CFormatComboBox::DrawBackground(CDC& dc, const DRAWITEMSTRUCT& dis, bool header, bool selected, CRect textRect)
{
    CRect rect(dis.rcItem);
    if (header) {
        dc.FillSolidRect(&rect, 0xF0F0F0);
        if (dis.itemID != 0)
            dc.FillSolidRect(rect.left, rect.top, rect.Width(), 1, 0xE0E0E0);
    } else if (!IsWindowEnabled()) {
        dc.FillSolidRect(&rect, ::GetSysColor(IsVisualStyleActive() ? COLOR_WINDOW : COLOR_BTNFACE));
    } else {
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
        if (selected)
            dc.FillSolidRect(&textRect, ::GetSysColor(COLOR_HIGHLIGHT));
    }
}

void CFormatComboBox::DrawTexts(CDC& dc, const CRect& rect, const CString& text, bool selected)
{
    CString left, right;
    const bool split = CSplitTextComboBox::SplitText(text, left, right) != FALSE;
    dc.SetBkMode(TRANSPARENT);
    const int rightWidth = split ? GetRightColumnWidth(rect.Width()) : 0;
    CRect leftRect = rect;
    leftRect.DeflateRect(2, 0);
    if (split)
        leftRect.right = rect.right - kColumnGap - rightWidth;
    ::DrawTextW(dc.m_hDC, left, -1, &leftRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (!split)
        return;
    CRect rightRect = rect;
    rightRect.left = rect.right - rightWidth;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (m_rightMode) {
        format |= DT_RIGHT;
        rightRect.right -= kRightMargin;
    }
    if (!IsWindowEnabled())
        dc.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    else if (!selected)
        dc.SetTextColor(m_rightColour);
    ::DrawTextW(dc.m_hDC, right, -1, &rightRect, format);
}
