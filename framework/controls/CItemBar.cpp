#include "framework/controls/CItemBar.h"
#include "framework/controls/CMemoryDC.h"
#include <algorithm>

// CCustomControlBar

IMPLEMENT_DYNAMIC(CCustomControlBar, CControlBar)

CCustomControlBar::CCustomControlBar() : m_nFixedWidth(0), m_nFixedHeight(0) {}

BOOL CCustomControlBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    m_nFixedWidth = rect.right - rect.left;
    m_nFixedHeight = rect.bottom - rect.top;
    return CWnd::Create(nullptr, nullptr, dwStyle & ~CBRS_ALL, rect, pParentWnd, nID);
}

CSize CCustomControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return CSize(m_nFixedWidth, m_nFixedHeight);
    return bHorz ? CSize(0x7FFF, m_nFixedHeight) : CSize(m_nFixedWidth, 0x7FFF);
}

void CCustomControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// CBarItemContainer

CBarItemContainer::CBarItemContainer(CItemBar* pBar)
    : m_pBar(pBar), m_pFocusItem(nullptr), m_pPressedItem(nullptr), m_bTracking(FALSE)
{
}

CBarItemContainer::~CBarItemContainer()
{
    RemoveAllItems();
}

int CBarItemContainer::AddItem(CBarItem* pItem)
{
    m_items.push_back(pItem);
    return GetCount() - 1;
}

void CBarItemContainer::ForgetSharedItems()
{
    for (CBarItem* pItem : m_items) {
        if (pItem && s_pHotItem == pItem)
            s_pHotItem = nullptr;
        if (pItem && s_pCaptureItem == pItem) {
            s_pCaptureItem = nullptr;
            CWnd* pWnd = GetWnd();
            if (pWnd && pWnd->m_hWnd && ::GetCapture() == pWnd->m_hWnd)
                ::ReleaseCapture();
        }
    }
}

void CBarItemContainer::RemoveAllItems()
{
    ForgetSharedItems();
    m_pFocusItem = nullptr;
    m_pPressedItem = nullptr;
    std::vector<CBarItem*> items;
    items.swap(m_items);
    for (CBarItem* pItem : items)
        delete pItem;
}

CBarItem* CBarItemContainer::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_items[nIndex] : nullptr;
}

int CBarItemContainer::IndexOf(const CBarItem* pItem) const
{
    auto it = std::find(m_items.begin(), m_items.end(), pItem);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void CBarItemContainer::SetCaptureItem(CBarItem* pItem)
{
    s_pCaptureItem = pItem;
    CWnd* pWnd = GetWnd();
    if (!pWnd || !pWnd->m_hWnd)
        return;
    if (pItem)
        pWnd->SetCapture();
    else
        ::ReleaseCapture();
}

void CBarItemContainer::ModifyItemFlags(int nIndex, DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    if (CBarItem* pItem = GetItem(nIndex))
        pItem->ModifyFlags(dwRemove, dwAdd, bRedraw);
}

int CBarItemContainer::HitTest(int x, int y) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_items[i] && m_items[i]->PtInItem(x, y))
            return i;
    }
    return -1;
}

CWnd* CBarItemContainer::GetWnd() const
{
    return m_pBar;
}

HFONT CBarItemContainer::GetFont() const
{
    CWnd* pWnd = GetWnd();
    return pWnd && pWnd->m_hWnd ? reinterpret_cast<HFONT>(pWnd->SendMessage(WM_GETFONT)) : nullptr;
}

BOOL CBarItemContainer::HasFocus() const
{
    CWnd* pWnd = GetWnd();
    return pWnd && pWnd->m_hWnd && ::GetFocus() == pWnd->m_hWnd;
}

void CBarItemContainer::InvalidateItem(CBarItem* pItem, BOOL bUpdateNow)
{
    CWnd* pWnd = GetWnd();
    if (!pItem || !pWnd || !::IsWindow(pWnd->m_hWnd))
        return;
    CRect rect;
    pItem->GetRect(&rect);
    pWnd->InvalidateRect(&rect, FALSE);
    if (bUpdateNow)
        pWnd->UpdateWindow();
}

void CBarItemContainer::InvalidateAll()
{
    CWnd* pWnd = GetWnd();
    if (pWnd && ::IsWindow(pWnd->m_hWnd))
        pWnd->InvalidateRect(nullptr, TRUE);
}

BOOL CBarItemContainer::Post(CBarItem*, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = GetWnd();
    return pWnd && pWnd->m_hWnd ? pWnd->PostMessage(message, wParam, lParam) : FALSE;
}

LRESULT CBarItemContainer::Send(CBarItem*, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = GetWnd();
    return pWnd && pWnd->m_hWnd ? pWnd->SendMessage(message, wParam, lParam) : 0;
}

BOOL CBarItemContainer::CanPress(CBarItem*)
{
    return TRUE;
}

void CBarItemContainer::TrackMouseLeave(int, int)
{
    CWnd* pWnd = GetWnd();
    if (m_bTracking || !pWnd || !pWnd->m_hWnd)
        return;
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, pWnd->m_hWnd, 0};
    ::TrackMouseEvent(&tme);
    m_bTracking = TRUE;
}

void CBarItemContainer::EndTracking(BOOL bClearPressed)
{
    m_bTracking = FALSE;
    if (bClearPressed)
        SetPressedItem(nullptr);
    // The mouse left this bar: its own hot item goes, another bar's stays (a late
    // WM_MOUSELEAVE of this bar must not clear the item the mouse is over now).
    if (!s_pHotItem || IndexOf(s_pHotItem) >= 0)
        SetHotItem(nullptr);
}

void CBarItemContainer::DrawItems(CDC* pDC)
{
    // A paint of one item's change draws that item alone.
    CRect clip;
    bool bClipKnown = pDC->GetClipBox(&clip) != ERROR;
    for (CBarItem* pItem : m_items) {
        if (!pItem || pItem->IsHidden())
            continue;
        CRect rect, overlap;
        pItem->GetRect(&rect);
        if (!bClipKnown || overlap.IntersectRect(&rect, &clip))
            pItem->Draw(pDC);
    }
}

void CBarItemContainer::SetHotItem(CBarItem* pItem)
{
    CBarItem* pOld = s_pHotItem;
    s_pHotItem = pItem;
    if (pOld)
        pOld->Invalidate(TRUE);
    if (pItem)
        pItem->Invalidate(TRUE);
}

void CBarItemContainer::SetPressedItem(CBarItem* pItem)
{
    CBarItem* pOldPressed = m_pPressedItem;
    CBarItem* pOldHot = s_pHotItem;
    CBarItem* pOldFocus = m_pFocusItem;
    m_pPressedItem = pItem;
    if (pItem || !pOldHot || IndexOf(pOldHot) >= 0)
        s_pHotItem = pItem;  // clearing leaves another bar's hot item alone
    else
        pOldHot = nullptr;
    m_pFocusItem = pItem;
    if (pOldPressed)
        pOldPressed->Invalidate(TRUE);
    if (pOldHot && pOldHot != pOldPressed)
        pOldHot->Invalidate(TRUE);
    if (pOldFocus && pOldFocus != pOldPressed && pOldFocus != pOldHot)
        pOldFocus->Invalidate(TRUE);
    if (pItem)
        pItem->Invalidate(TRUE);
}

void CBarItemContainer::StopPressed(CBarItem* pItem, BOOL bHot)
{
    BOOL bChanged = FALSE;
    if (m_pPressedItem == pItem) {
        m_pPressedItem = nullptr;
        bChanged = TRUE;
    }
    if (bHot && s_pHotItem == pItem) {
        s_pHotItem = nullptr;
        bChanged = TRUE;
    }
    if (bChanged)
        pItem->Invalidate(TRUE);
}

// CBarItem

CBarItem::CBarItem(CBarItemContainer* pOwner) : m_pOwner(pOwner), m_dwStyle(0), m_dwFlags(0) {}

void CBarItem::SetRect(int left, int top, int right, int bottom, BOOL bRedraw)
{
    if (bRedraw)
        Invalidate(FALSE);
    m_rect.SetRect(left, top, right, bottom);
    if (bRedraw)
        Invalidate(FALSE);
}

int CBarItem::ModifyFlags(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    m_dwFlags = dwAdd | (m_dwFlags & ~dwRemove);
    if (bRedraw)
        Invalidate(FALSE);
    return 1;
}

void CBarItem::SetHidden(BOOL bHidden)
{
    if (bHidden)
        m_dwFlags |= BIF_HIDDEN;
    else
        m_dwFlags &= ~BIF_HIDDEN;
}

void CBarItem::Enable(BOOL bEnable)
{
    if (bEnable && IsDisabled()) {
        m_dwFlags &= ~BIF_DISABLED;
        Invalidate(FALSE);
    } else if (!bEnable && !IsDisabled()) {
        m_dwFlags |= BIF_DISABLED;
        Invalidate(FALSE);
    }
}

void CBarItem::Invalidate(BOOL bUpdateNow)
{
    m_pOwner->InvalidateItem(this, bUpdateNow);
}

// CBarButtonItem

CBarButtonItem::CBarButtonItem(CBarItemContainer* pOwner, int nID)
    : CBarItem(pOwner), m_nID(nID), m_crNormal(CLR_NONE), m_crHot(CLR_NONE), m_pSkin(nullptr),
      m_nSkinMode(BSKIN_STATES), m_cxPiece(0), m_cyPiece(0), m_pImages(nullptr), m_cxImage(0), m_cyImage(0)
{
}

int CBarButtonItem::GetState() const
{
    if (IsDisabled())
        return BBS_DISABLED;
    if (IsPressed())
        return BBS_PRESSED;
    if (IsHot())
        return BBS_HOT;
    if (IsFocus() && m_pOwner->HasFocus())
        return BBS_FOCUS;
    return BBS_NORMAL;
}

static void ImageSize(CImageList* pImages, int& cx, int& cy)
{
    IMAGEINFO info = {};
    if (pImages && pImages->m_hImageList && pImages->GetImageInfo(0, &info)) {
        cx = info.rcImage.right - info.rcImage.left;
        cy = info.rcImage.bottom - info.rcImage.top;
    } else {
        cx = cy = 0;
    }
}

void CBarButtonItem::SetImageList(CImageList* pImages, BOOL bRedraw)
{
    m_pImages = pImages;
    ImageSize(pImages, m_cxImage, m_cyImage);
    if (bRedraw)
        Invalidate(FALSE);
}

void CBarButtonItem::SetSkin(CImageList* pSkin, int nMode, int cxPiece, int cyPiece)
{
    m_pSkin = pSkin;
    m_nSkinMode = nMode;
    m_cxPiece = cxPiece;
    m_cyPiece = cyPiece;
}

void CBarButtonItem::Draw(CDC* pDC)
{
    if (IsHidden())
        return;
    int nState = GetState();
    DrawBackground(pDC, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom, nState);
    DrawImage(pDC, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom, nState);
}

void CBarButtonItem::DrawBackground(CDC* pDC, int left, int top, int right, int bottom, int nState)
{
    if (!m_pSkin || !m_pSkin->m_hImageList) {
        COLORREF cr = IsHot() ? m_crHot : m_crNormal;
        if (cr != CLR_NONE)
            pDC->FillSolidRect(CRect(left, top, right, bottom), cr);
        return;
    }
    switch (m_nSkinMode) {
    case BSKIN_STATES:
        m_pSkin->Draw(pDC, nState, CPoint(left, top), ILD_NORMAL);
        break;
    case BSKIN_HORZ: {
        if (m_cxPiece <= 0)
            break;
        m_pSkin->Draw(pDC, 3 * nState, CPoint(left, top), ILD_NORMAL);
        for (int x = left + m_cxPiece; x < right - m_cxPiece; x += m_cxPiece)
            m_pSkin->Draw(pDC, 3 * nState + 1, CPoint(x, top), ILD_NORMAL);
        m_pSkin->Draw(pDC, 3 * nState + 2, CPoint(right - m_cxPiece, top), ILD_NORMAL);
        break;
    }
    case BSKIN_VERT: {
        if (m_cyPiece <= 0)
            break;
        m_pSkin->Draw(pDC, 3 * nState, CPoint(left, top), ILD_NORMAL);
        for (int y = top + m_cyPiece; y < bottom - m_cyPiece; y += m_cyPiece)
            m_pSkin->Draw(pDC, 3 * nState + 1, CPoint(left, y), ILD_NORMAL);
        m_pSkin->Draw(pDC, 3 * nState + 2, CPoint(left, bottom - m_cyPiece), ILD_NORMAL);
        break;
    }
    }
}

void CBarButtonItem::DrawImage(CDC* pDC, int left, int top, int right, int bottom, int nState)
{
    if (!m_pImages || !m_pImages->m_hImageList)
        return;
    int x = left + (right - left - m_cxImage) / 2;
    int y = top + (bottom - top - m_cyImage) / 2;
    if (nState == BBS_PRESSED) {
        ++x;
        ++y;
    }
    m_pImages->Draw(pDC, nState, CPoint(x, y), ILD_NORMAL);
}

BOOL CBarButtonItem::CanPress()
{
    return m_nID == -1 ? m_pOwner->CanPress(this) : TRUE;
}

void CBarButtonItem::FireCommand()
{
    if (m_nID != 0 && m_nID != -1)
        m_pOwner->Post(this, WM_COMMAND, static_cast<WPARAM>(static_cast<UINT>(m_nID) & 0xFFFF), 0);
}

CPoint CBarItem::MessagePoint(const MSG* pMsg)
{
    return CPoint(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
}

BOOL CBarItem::TrackMouseMove(CPoint pt)
{
    if (PtInItem(pt.x, pt.y)) {
        if (!IsHot())
            m_pOwner->SetHotItem(this);
        return TRUE;
    }
    m_pOwner->StopPressed(this, TRUE);
    return FALSE;
}

BOOL CBarButtonItem::OnMessage(const MSG* pMsg)
{
    if (IsDisabled() || IsHidden())
        return FALSE;
    CPoint pt = MessagePoint(pMsg);
    switch (pMsg->message) {
    case WM_MOUSEMOVE:
        return TrackMouseMove(pt);
    case WM_LBUTTONDOWN:
        if (!PtInItem(pt.x, pt.y))
            return FALSE;
        m_pOwner->SetPressedItem(this);
        if (!CanPress())
            m_pOwner->EndTracking(TRUE);
        return TRUE;
    case WM_LBUTTONUP:
        if (!PtInItem(pt.x, pt.y)) {
            m_pOwner->StopPressed(this, FALSE);
            return FALSE;
        }
        if (IsPressed()) {
            m_pOwner->SetPressedItem(nullptr);
            FireCommand();
        }
        return TRUE;
    case WM_MOUSELEAVE:
        m_pOwner->StopPressed(this, TRUE);
        return TRUE;
    }
    return FALSE;
}

// CBarTextItem

CBarTextItem::CBarTextItem(CBarItemContainer* pOwner, LPCWSTR lpszText)
    : CBarItem(pOwner), m_strText(lpszText), m_crNormal(RGB(0xC0, 0xC0, 0xC0)), m_crHot(RGB(0xFF, 0xFF, 0xFF)),
      m_crDisabled(RGB(0x80, 0x80, 0x80)), m_hFont(nullptr)
{
}

void CBarTextItem::SetText(LPCWSTR lpszText, BOOL bRedraw)
{
    m_strText = lpszText;
    if (bRedraw)
        Invalidate(FALSE);
}

void CBarTextItem::Draw(CDC* pDC)
{
    if (m_strText.IsEmpty())
        return;
    CRect rect = m_rect;
    rect.left += 2;
    rect.right -= 2;
    rect.bottom -= 1;
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF cr = IsHot() ? m_crHot : IsDisabled() ? m_crDisabled : m_crNormal;
    COLORREF crOld = pDC->SetTextColor(cr);
    HFONT hFont = m_hFont ? m_hFont : m_pOwner->GetFont();
    HGDIOBJ hOldFont = hFont ? pDC->SelectObject(hFont) : nullptr;
    UINT nAlign = (m_dwStyle & BIS_LEFT) ? DT_LEFT : (m_dwStyle & BIS_RIGHT) ? DT_RIGHT : DT_CENTER;
    pDC->DrawText(m_strText, &rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | nAlign);
    if (hOldFont)
        pDC->SelectObject(hOldFont);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
}

// CBarSliderItem

CBarSliderItem::CBarSliderItem(CBarItemContainer* pOwner)
    : CBarItem(pOwner), m_nMin(0), m_nMax(100), m_nPos(0), m_pThumbImages(nullptr), m_cxThumb(0), m_cyThumb(0),
      m_pEndImages(nullptr), m_cxEnd(0), m_cyEnd(0)
{
}

void CBarSliderItem::SetRangeMax(int nMax)
{
    m_nMax = nMax;
    if (m_nPos > nMax)
        m_nPos = nMax;
    Invalidate(FALSE);
}

void CBarSliderItem::SetPos(int nPos, BOOL bRedraw)
{
    if (nPos == m_nPos)
        return;
    m_nPos = std::max(m_nMin, std::min(nPos, m_nMax));
    if (bRedraw)
        Invalidate(FALSE);
}

void CBarSliderItem::SetThumbImageList(CImageList* pImages)
{
    m_pThumbImages = pImages;
    ImageSize(pImages, m_cxThumb, m_cyThumb);
    Invalidate(FALSE);
}

void CBarSliderItem::SetEndImageList(CImageList* pImages)
{
    m_pEndImages = pImages;
    ImageSize(pImages, m_cxEnd, m_cyEnd);
}

CRect CBarSliderItem::GetChannelRect() const
{
    CRect rect;
    rect.left = m_rect.left + m_cxThumb / 2;
    rect.right = m_rect.right - m_cxThumb + m_cxThumb / 2;
    rect.top = m_rect.top + (m_rect.Height() - m_cyThumb) / 2;
    rect.bottom = rect.top + m_cyThumb;
    return rect;
}

int CBarSliderItem::GetThumbX() const
{
    CRect channel = GetChannelRect();
    if (m_nMax <= m_nMin || m_nPos <= m_nMin)
        return channel.left;
    if (m_nPos == m_nMax)
        return channel.right;
    return channel.left + static_cast<int>(static_cast<double>(channel.Width()) * (m_nPos - m_nMin) / (m_nMax - m_nMin));
}

CRect CBarSliderItem::GetThumbRect() const
{
    CRect channel = GetChannelRect();
    int left = GetThumbX() - m_cxThumb / 2;
    return CRect(left, channel.top, left + m_cxThumb, channel.bottom);
}

int CBarSliderItem::PosFromPoint(int x, int y, BOOL bDragging) const
{
    if (m_nMax < m_nMin)
        return -1;
    if (m_nMax == m_nMin)
        return 0;
    CRect channel = GetChannelRect();
    if (channel.Width() <= 0)
        return -1;
    if (!bDragging) {
        if (!m_rect.PtInRect(CPoint(x, y)))
            return -1;
        if (x > channel.right)
            return m_nMax;
        if (x < channel.left)
            return m_nMin;
    } else {
        x = std::max(static_cast<int>(channel.left), std::min(x, static_cast<int>(channel.right)));
    }
    double step = static_cast<double>(channel.Width()) / (m_nMax - m_nMin);
    return m_nMin + static_cast<int>((x + static_cast<int>(step / 2) - channel.left) / step);
}

void CBarSliderItem::SetPosNotify(int nPos)
{
    if (nPos == m_nPos)
        return;
    m_nPos = nPos;
    Invalidate(FALSE);
    m_pOwner->Send(this, WM_SLIDER_POSCHANGED, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(this));
}

void CBarSliderItem::StopAll(BOOL bHot)
{
    if (IsCapture())
        m_pOwner->SetCaptureItem(nullptr);
    m_pOwner->StopPressed(this, bHot);
    Invalidate(FALSE);
}

BOOL CBarSliderItem::OnMessage(const MSG* pMsg)
{
    if (IsDisabled() || IsHidden())
        return FALSE;
    CPoint pt = MessagePoint(pMsg);
    BOOL bRange = m_nMax > m_nMin;
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
        if (!bRange)
            break;
        if (GetThumbRect().PtInRect(pt) && PtInItem(pt.x, pt.y)) {
            m_pOwner->SetCaptureItem(this);
        } else {
            int nPos = PosFromPoint(pt.x, pt.y, FALSE);
            if (nPos == -1 || nPos == m_nPos)
                return FALSE;
            SetPosNotify(nPos);
        }
        m_pOwner->SetPressedItem(this);
        return TRUE;
    case WM_MOUSEMOVE:
        if (!bRange)
            break;
        if (IsCapture()) {
            int nPos = PosFromPoint(pt.x, pt.y, TRUE);
            if (nPos == -1 || nPos == m_nPos)
                return FALSE;
            SetPosNotify(nPos);
            return TRUE;
        }
        return TrackMouseMove(pt);
    case WM_LBUTTONUP:
        break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (bRange)
            return FALSE;
        break;
    case WM_CANCELMODE:
        StopAll(TRUE);
        return TRUE;
    case WM_MOUSELEAVE:
        return TRUE;
    default:
        return FALSE;
    }
    // A button release, or input while the range is empty.
    StopAll(FALSE);
    return TRUE;
}

void CBarSliderItem::Draw(CDC* pDC)
{
    if (IsHidden() || !m_pThumbImages || !m_pThumbImages->m_hImageList)
        return;
    CRect channel = GetChannelRect();
    if (channel.Width() <= 0 || m_cxThumb <= 0)
        return;
    auto tile = [&](int nImage, int right) {
        for (int x = channel.left; x < right; x += m_cxThumb) {
            int cx = std::min(m_cxThumb, right - x);
            m_pThumbImages->DrawIndirect(pDC, nImage, CPoint(x, channel.top), CSize(cx, m_cyThumb), CPoint(0, 0),
                                         ILD_NORMAL, SRCCOPY);
        }
    };
    tile(0, channel.right);
    BOOL bEndCapped = m_pEndImages && m_pEndImages->m_hImageList;
    if (!bEndCapped && IsDisabled())
        return;
    int xThumb = GetThumbX();
    if (!IsDisabled() && m_nPos > m_nMin)
        tile(1, xThumb);
    if (bEndCapped) {
        int y = channel.top + (channel.Height() - m_cyEnd) / 2;
        m_pEndImages->Draw(pDC, 0, CPoint(channel.left, y), ILD_NORMAL);
        m_pEndImages->Draw(pDC, 1, CPoint(channel.right - m_cxEnd, y), ILD_NORMAL);
        if (IsDisabled())
            return;
    }
    if (m_nMax <= m_nMin)
        return;
    int nImage = (IsPressed() || IsCapture()) ? 3 : IsHot() ? 2 : -1;
    if (nImage >= 0)
        m_pThumbImages->Draw(pDC, nImage, CPoint(xThumb - m_cxThumb / 2, channel.top), ILD_NORMAL);
}

// CItemBar

IMPLEMENT_DYNAMIC(CItemBar, CCustomControlBar)

BEGIN_MESSAGE_MAP(CItemBar, CCustomControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_KILLFOCUS()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_SETFONT, &CItemBar::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CItemBar::OnGetFont)
END_MESSAGE_MAP()

CItemBar::CItemBar() : m_crBackground(RGB(0x20, 0x20, 0x20)), m_items(this), m_hFont(nullptr) {}

CItemBar::~CItemBar()
{
    m_items.RemoveAllItems();
}

int CItemBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CCustomControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CBarItemContainer::ResetSharedItems();
    return 0;
}

void CItemBar::OnDestroy()
{
    m_items.ForgetSharedItems();
    CCustomControlBar::OnDestroy();
}

BOOL CItemBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CItemBar::OnPaint()
{
    CPaintDC dc(this);
    CRect paint(dc.m_ps.rcPaint);
    CMemoryDC memDC(&dc, &paint);
    memDC.FillSolidRect(&paint, m_crBackground);
    m_items.DrawItems(&memDC);
}

LRESULT CItemBar::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam))
        Invalidate();
    return 0;
}

LRESULT CItemBar::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}

void CItemBar::RelaySent(UINT message)
{
    MSG msg = {m_hWnd, message, 0, 0, 0, {0, 0}};
    RelayEvent(&msg);
}

void CItemBar::OnKillFocus(CWnd* pNewWnd)
{
    CCustomControlBar::OnKillFocus(pNewWnd);
    RelaySent(WM_KILLFOCUS);
}

void CItemBar::OnCancelMode()
{
    CCustomControlBar::OnCancelMode();
    RelaySent(WM_CANCELMODE);
}

BOOL CItemBar::RelayEvent(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
        // A captured item of this bar lets go of the mouse as well.
        CBarItem* pCapture = CBarItemContainer::GetCaptureItem();
        if (pCapture && m_items.IndexOf(pCapture) >= 0) {
            MSG cancel = *pMsg;
            cancel.message = WM_CANCELMODE;
            pCapture->OnMessage(&cancel);
        }
        m_items.EndTracking(TRUE);
        return FALSE;
    }
    case WM_MOUSELEAVE:
        m_items.EndTracking(TRUE);
        return FALSE;
    case WM_MOUSEMOVE:
        m_items.TrackMouseLeave(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        m_items.EndTracking(FALSE);
        break;
    }
    BOOL bTaken = FALSE;
    for (int i = 0; i < m_items.GetCount(); ++i) {
        CBarItem* pItem = m_items.GetItem(i);
        if (pItem && !pItem->IsDisabled() && !pItem->IsHidden() && pItem->OnMessage(pMsg))
            bTaken = TRUE;
    }
    return bTaken;
}

BOOL CItemBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd) {
        BOOL bTaken = RelayEvent(pMsg);
        if (pMsg->message == WM_LBUTTONDOWN && !bTaken) {
            if (CWnd* pParent = GetParent())
                pParent->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, pMsg->lParam);
        }
    }
    return CCustomControlBar::PreTranslateMessage(pMsg);
}

namespace {
// The update of one bar item: Enable goes to the item.
class CBarItemCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pItem->Enable(bOn);
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCWSTR) override {}
    CBarItem* m_pItem = nullptr;
};
}  // namespace

void CItemBar::UpdateItemsCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    int nCount = m_items.GetCount();
    if (nCount == 0)
        return;
    CBarItemCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(nCount);
    // Every item, the last one too.
    for (int i = 0; i < nCount; ++i) {
        CBarItem* pItem = m_items.GetItem(i);
        if (!pItem || pItem->GetID() == 0)
            continue;
        state.m_pItem = pItem;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(pItem->GetID());
        state.m_bEnableChanged = FALSE;
        state.m_bContinueRouting = FALSE;
        if (CWnd::OnCmdMsg(0, MAKELONG(CN_UPDATE_COMMAND_UI, WM_REFLECT_BASE + WM_COMMAND), &state, nullptr))
            continue;
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CItemBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateItemsCmdUI(pTarget, bDisableIfNoHndler);
    CCustomControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}
