#include "conversion/app/controls/CThemedControls.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDC.h"
#include "conversion/app/controls/CThemeData.h"

IMPLEMENT_DYNAMIC(CThemedButton, CButton)
IMPLEMENT_DYNAMIC(CThemedToolBarCtrl, CToolBarCtrl)
IMPLEMENT_DYNAMIC(CThemedHeaderCtrl, CHeaderCtrl)
IMPLEMENT_DYNAMIC(CRefillComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CThemedButton, CButton)
ON_WM_DRAWITEM_REFLECT()
ON_CONTROL_REFLECT_EX(BN_CLICKED, &CThemedButton::OnClicked)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CThemedToolBarCtrl, CToolBarCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CThemedToolBarCtrl::OnCustomDraw)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CThemedHeaderCtrl, CHeaderCtrl)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CRefillComboBox, CComboBox)
ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, &CRefillComboBox::OnDropDown)
END_MESSAGE_MAP()

namespace {

// Theme parts and states ("Button", "Header").
const int kPushPart = 1, kRadioPart = 2, kCheckPart = 3, kHeaderItemPart = 1;
const int kBoxSize = 13;
const int kImageGap = 4;

}  // namespace

// ---- CThemedButton

// The button draws itself from now on; it keeps its own check state.
void CThemedButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const UINT type = GetStyle() & BS_TYPEMASK;
    m_kind = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ? CheckBox
             : type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON                                       ? RadioButton
                                                                                                          : PushButton;
    m_bAuto = type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_AUTO3STATE;
    m_check = static_cast<int>(SendMessage(BM_GETCHECK));
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CThemedButton::SetImage(CImageList* pImageList, int nImage)
{
    m_pImageList = pImageList;
    m_nImage = nImage;
    if (m_hWnd)
        Invalidate();
}

LRESULT CThemedButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // An owner-drawn button keeps no check: the state lives here, so DDX_Check and
    // DDX_Radio read and set it as they would a plain box's.
    if (message == BM_GETCHECK)
        return m_check;
    if (message == BM_SETCHECK) {
        m_check = static_cast<int>(wParam);
        Invalidate(FALSE);
        return 0;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

BOOL CThemedButton::OnClicked()
{
    if (m_bAuto && m_kind == CheckBox) {
        SendMessage(BM_SETCHECK, m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    } else if (m_bAuto && m_kind == RadioButton) {
        UncheckGroupSiblings();
        SendMessage(BM_SETCHECK, BST_CHECKED);
    }
    return FALSE;  // the parent hears of the click too
}

// The other buttons of the group, up to the next WS_GROUP, lose their check.
void CThemedButton::UncheckGroupSiblings()
{
    HWND hParent = ::GetParent(m_hWnd);
    HWND hFirst = m_hWnd;
    while (!(::GetWindowLongPtrW(hFirst, GWL_STYLE) & WS_GROUP)) {
        HWND hPrevious = ::GetWindow(hFirst, GW_HWNDPREV);
        if (!hPrevious)
            break;
        hFirst = hPrevious;
    }
    for (HWND h = hFirst; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != hFirst && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_GROUP))
            break;
        if (h != m_hWnd && ::GetParent(h) == hParent)
            ::SendMessageW(h, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

// The parent's background shows through around the box and the text.
void CThemedButton::PaintParentBackground(HDC hDC)
{
    HWND hParent = ::GetParent(m_hWnd);
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    ::ScreenToClient(hParent, reinterpret_cast<POINT*>(&rect));
    POINT old;
    ::OffsetViewportOrgEx(hDC, -rect.left, -rect.top, &old);
    ::SendMessageW(hParent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
    ::SetViewportOrgEx(hDC, old.x, old.y, nullptr);
}

// The box (or the whole push button) in the current state; the room left for the text.
CRect CThemedButton::DrawBox(HDC hDC, const CRect& rect, UINT itemState)
{
    const bool pushed = (itemState & ODS_SELECTED) != 0;
    const bool disabled = (itemState & ODS_DISABLED) != 0;
    const bool checked = m_check == BST_CHECKED;
    CRect box = rect;
    if (m_kind != PushButton) {
        box.top = rect.top + (rect.Height() - kBoxSize) / 2;
        box.bottom = box.top + kBoxSize;
        box.right = box.left + kBoxSize;
    }
    CThemeData theme;
    if (IsVisualStyleActive() && theme.Open(m_hWnd, L"Button")) {
        int state = disabled ? 4 : pushed ? 3 : 1;
        if (m_kind != PushButton && checked)
            state += 4;
        int part = m_kind == CheckBox ? kCheckPart : m_kind == RadioButton ? kRadioPart : kPushPart;
        theme.DrawBackground(hDC, part, state, &box, nullptr);
    } else if (GetStyle() & BS_FLAT) {
        CDC::FromHandle(hDC)->Draw3dRect(&box, ::GetSysColor(pushed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT),
                                         ::GetSysColor(pushed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
    } else {
        UINT state = m_kind == CheckBox ? DFCS_BUTTONCHECK : m_kind == RadioButton ? DFCS_BUTTONRADIO : DFCS_BUTTONPUSH;
        state |= (checked && m_kind != PushButton ? DFCS_CHECKED : 0) | (pushed ? DFCS_PUSHED : 0) |
                 (disabled ? DFCS_INACTIVE : 0);
        ::DrawFrameControl(hDC, &box, DFC_BUTTON, state);
    }
    CRect room = rect;
    if (m_kind != PushButton)
        room.left = box.right + kImageGap;
    else if (pushed)
        room.OffsetRect(1, 1);
    return room;
}

void CThemedButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const DRAWITEMSTRUCT& dis = *lpDrawItemStruct;
    HDC hDC = dis.hDC;
    CRect rect(dis.rcItem);
    PaintParentBackground(hDC);
    CRect room = DrawBox(hDC, rect, dis.itemState);
    CString text;
    GetWindowText(text);
    HGDIOBJ hOldFont = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    const UINT align = m_kind == PushButton ? DT_CENTER : DT_LEFT;
    CRect measured = room;
    ::DrawTextW(hDC, text, -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    int imageWidth = 0, imageHeight = 0;
    if (m_pImageList && m_nImage >= 0)
        ImageList_GetIconSize(*m_pImageList, &imageWidth, &imageHeight);
    int left = m_kind == PushButton
                   ? room.left + (room.Width() - measured.Width() - imageWidth - (imageWidth ? kImageGap : 0)) / 2
                   : room.left;
    if (imageWidth) {
        m_pImageList->Draw(CDC::FromHandle(hDC), m_nImage, CPoint(left, room.top + (room.Height() - imageHeight) / 2),
                           ILD_TRANSPARENT);
        left += imageWidth + kImageGap;
    }
    CRect textRect(left, room.top, room.right, room.bottom);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::GetSysColor((dis.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    ::DrawTextW(hDC, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | (imageWidth ? DT_LEFT : align));
    if (dis.itemState & ODS_FOCUS) {
        CRect focus(textRect.left - 1, room.top + (room.Height() - measured.Height()) / 2 - 1,
                    textRect.left + measured.Width() + 1, room.top + (room.Height() + measured.Height()) / 2 + 1);
        if (m_kind == PushButton) {
            focus = rect;
            focus.DeflateRect(3, 3);
        }
        ::DrawFocusRect(hDC, &focus);
    }
    ::SelectObject(hDC, hOldFont);
}

// ---- CThemedToolBarCtrl

// The bar's background is painted here, before the buttons; the control paints no background.
void CThemedToolBarCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pDraw = reinterpret_cast<NMCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->dwDrawStage != CDDS_PREERASE)
        return;
    CRect rect;
    GetClientRect(&rect);
    CThemeData theme;
    if (!(IsVisualStyleActive() && theme.Open(m_hWnd, L"Toolbar") &&
          SUCCEEDED(theme.DrawBackground(pDraw->hdc, 0, 0, &rect, nullptr))))
        ::FillRect(pDraw->hdc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    *pResult = CDRF_SKIPDEFAULT;
}

// ---- CThemedHeaderCtrl

void CThemedHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    const int count = static_cast<int>(SendMessage(HDM_GETITEMCOUNT));
    for (int i = 0; i < count; i++)
        DrawHeaderItem(dc.m_hDC, i);
    ::SelectObject(dc.m_hDC, hOldFont);
}

void CThemedHeaderCtrl::DrawHeaderItem(HDC hDC, int index)
{
    CRect rect;
    if (!SendMessage(HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)))
        return;
    wchar_t text[256] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessage(HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    const bool pressed = index == m_pressed;
    CThemeData theme;
    if (IsVisualStyleActive() && theme.Open(m_hWnd, L"Header"))
        theme.DrawBackground(hDC, kHeaderItemPart, pressed ? 3 : 1, &rect, nullptr);
    else
        ::DrawFrameControl(hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    CRect content = rect;
    content.DeflateRect(6, 0);
    if (pressed)
        content.OffsetRect(1, 1);
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST));
    if (hImages && (item.fmt & HDF_IMAGE) && item.iImage >= 0) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(hImages, &cx, &cy);
        ImageList_Draw(hImages, item.iImage, hDC, content.left, content.top + (content.Height() - cy) / 2,
                       ILD_TRANSPARENT);
        content.left += cx + kImageGap;
    }
    const UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                       : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                    : DT_LEFT;
    ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(hDC, text, -1, &content, align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CThemedHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    HDHITTESTINFO hit = {};
    hit.pt = point;
    int index = static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    m_pressed = (hit.flags & HHT_ONHEADER) ? index : -1;
    Invalidate();
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CThemedHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_pressed = -1;
    Invalidate();
    CHeaderCtrl::OnLButtonUp(nFlags, point);
}

void CThemedHeaderCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (m_pressed >= 0) {
        m_pressed = -1;
        Invalidate();
    }
    CHeaderCtrl::OnCaptureChanged(pWnd);
}

// ---- CRefillComboBox

// The parent hears of the drop-down too.
BOOL CRefillComboBox::OnDropDown()
{
    RefillList();
    return FALSE;
}
