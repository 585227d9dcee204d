// The control-bar framework: owner-drawn bars docked in a frame that draw a row of
// light-weight items (buttons, texts, sliders, menu titles) instead of child windows.
//
// CCustomControlBar is a control bar of a fixed size; CItemBar holds the items and routes mouse
// input and command-UI to them through its embedded CBarItemContainer, the interface every item
// talks back to its bar through. The hot item (under the mouse) and the capture item (holding
// the mouse capture) are process-wide: one of each among all bars.
//
// The process-wide hot and capture items are
// forgotten when the bar that owns them deletes its items or is destroyed, and the command-UI
// pass updates every item, the last one too.
#pragma once
#include "classlib/Afx.h"
#include "framework/controls/FrameworkMessages.h"
#include <vector>

class CBarItem;
class CItemBar;

// Item flags
const DWORD BIF_DISABLED = 0x10;
const DWORD BIF_HIDDEN = 0x20;

// Text item alignment, in the item style
const DWORD BIS_LEFT = 0x1;
const DWORD BIS_RIGHT = 0x4;

class CCustomControlBar : public CControlBar {
    DECLARE_DYNAMIC(CCustomControlBar)
public:
    CCustomControlBar();

    // The bar style is dwStyle & 0x40FFFF; the rectangle's size is the bar's fixed size.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    int m_nFixedWidth;
    int m_nFixedHeight;
};

class CBarItemContainer {
public:
    explicit CBarItemContainer(CItemBar* pBar);
    virtual ~CBarItemContainer();  // deletes all items

    CBarItemContainer(const CBarItemContainer&) = delete;
    CBarItemContainer& operator=(const CBarItemContainer&) = delete;

    virtual int AddItem(CBarItem* pItem);  // the bar owns the item from now on
    virtual void RemoveAllItems();
    virtual CBarItem* GetItem(int nIndex) const;  // null out of range
    virtual int IndexOf(const CBarItem* pItem) const;
    virtual void SetCaptureItem(CBarItem* pItem);  // captures the mouse for it, or releases
    virtual void ModifyItemFlags(int nIndex, DWORD dwRemove, DWORD dwAdd, BOOL bRedraw);
    virtual int HitTest(int x, int y) const;  // lowest index whose rectangle holds the point
    virtual CWnd* GetWnd() const;
    virtual HFONT GetFont() const;
    virtual BOOL HasFocus() const;
    virtual void InvalidateItem(CBarItem* pItem, BOOL bUpdateNow);
    virtual void InvalidateAll();
    virtual BOOL Post(CBarItem* pItem, UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT Send(CBarItem* pItem, UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL CanPress(CBarItem* pItem);
    virtual void TrackMouseLeave(int x, int y);
    virtual void EndTracking(BOOL bClearPressed);
    virtual void DrawItems(CDC* pDC);

    // The hot item, repainting the old and the new one.
    void SetHotItem(CBarItem* pItem);
    // The item becomes the pressed, hot and focus item at once.
    void SetPressedItem(CBarItem* pItem);
    // The item stops being pressed and (with bHot) hot, repainting it.
    void StopPressed(CBarItem* pItem, BOOL bHot);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CBarItem* GetPressedItem() const { return m_pPressedItem; }
    CBarItem* GetFocusItem() const { return m_pFocusItem; }
    static CBarItem* GetHotItem() { return s_pHotItem; }
    static CBarItem* GetCaptureItem() { return s_pCaptureItem; }
    // Forgets the process-wide hot and capture items when they are this bar's.
    void ForgetSharedItems();
    static void ResetSharedItems()
    {
        s_pHotItem = nullptr;
        s_pCaptureItem = nullptr;
    }
    BOOL IsTracking() const { return m_bTracking; }

protected:
    CItemBar* m_pBar;
    std::vector<CBarItem*> m_items;
    CBarItem* m_pFocusItem;
    CBarItem* m_pPressedItem;
    BOOL m_bTracking;  // a TME_LEAVE request is outstanding

    static inline CBarItem* s_pHotItem = nullptr;
    static inline CBarItem* s_pCaptureItem = nullptr;
};

class CBarItem {
public:
    explicit CBarItem(CBarItemContainer* pOwner);
    virtual ~CBarItem() = default;

    CBarItem(const CBarItem&) = delete;
    CBarItem& operator=(const CBarItem&) = delete;

    virtual int GetID() const { return 0; }
    virtual void GetRect(LPRECT lpRect) const { *lpRect = m_rect; }
    virtual BOOL IsDisabled() const { return (m_dwFlags & BIF_DISABLED) != 0; }
    virtual BOOL IsHidden() const { return (m_dwFlags & BIF_HIDDEN) != 0; }
    virtual void SetRect(int left, int top, int right, int bottom, BOOL bRedraw);
    virtual BOOL PtInItem(int x, int y) const { return m_rect.PtInRect(CPoint(x, y)); }
    virtual int ModifyFlags(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw);
    virtual void SetHidden(BOOL bHidden);
    virtual void Enable(BOOL bEnable);
    virtual void Invalidate(BOOL bUpdateNow);
    // The bar's message (points in bar client coordinates); TRUE when the item took it.
    virtual BOOL OnMessage(const MSG* pMsg) { return FALSE; }
    virtual void Draw(CDC* pDC) {}

    BOOL IsHot() const { return CBarItemContainer::GetHotItem() == this; }
    BOOL IsPressed() const { return m_pOwner->GetPressedItem() == this; }
    BOOL IsFocus() const { return m_pOwner->GetFocusItem() == this; }
    BOOL IsCapture() const { return CBarItemContainer::GetCaptureItem() == this; }
    CBarItemContainer* GetOwner() const { return m_pOwner; }

    CBarItemContainer* m_pOwner;
    DWORD m_dwStyle;
    CRect m_rect;
    DWORD m_dwFlags;

protected:
    // The point of a bar's mouse message, in bar client coordinates.
    static CPoint MessagePoint(const MSG* pMsg);
    // A mouse move at pt: on the item it becomes hot (TRUE, taken); off it, it stops being pressed.
    BOOL TrackMouseMove(CPoint pt);
};

// Button states, as drawn
enum { BBS_NORMAL = 0, BBS_HOT = 1, BBS_FOCUS = 2, BBS_PRESSED = 3, BBS_DISABLED = 4 };
// Skin modes
enum { BSKIN_STATES = 0, BSKIN_HORZ = 1, BSKIN_VERT = 2 };

class CBarButtonItem : public CBarItem {
public:
    CBarButtonItem(CBarItemContainer* pOwner, int nID);

    int GetID() const override { return m_nID; }
    BOOL OnMessage(const MSG* pMsg) override;
    void Draw(CDC* pDC) override;
    virtual void DrawBackground(CDC* pDC, int left, int top, int right, int bottom, int nState);
    virtual void DrawImage(CDC* pDC, int left, int top, int right, int bottom, int nState);
    virtual BOOL CanPress();
    virtual void FireCommand();

    int GetState() const;  // BBS_*
    // Takes the image size from image 0 of the list.
    void SetImageList(CImageList* pImages, BOOL bRedraw);
    void SetSkin(CImageList* pSkin, int nMode, int cxPiece, int cyPiece);

    int m_nID;
    COLORREF m_crNormal;  // CLR_NONE (-1): nothing is filled
    COLORREF m_crHot;
    CImageList* m_pSkin;
    int m_nSkinMode;
    int m_cxPiece;
    int m_cyPiece;
    CImageList* m_pImages;
    int m_cxImage;
    int m_cyImage;
};

class CBarTextItem : public CBarItem {
public:
    explicit CBarTextItem(CBarItemContainer* pOwner, LPCWSTR lpszText = L"");

    void Draw(CDC* pDC) override;
    void SetText(LPCWSTR lpszText, BOOL bRedraw);
    const CString& GetText() const { return m_strText; }

    CString m_strText;
    COLORREF m_crNormal;
    COLORREF m_crHot;
    COLORREF m_crDisabled;
    HFONT m_hFont;  // null: the bar's font
};

class CBarSliderItem : public CBarItem {
public:
    explicit CBarSliderItem(CBarItemContainer* pOwner);

    BOOL OnMessage(const MSG* pMsg) override;
    void Draw(CDC* pDC) override;

    void SetRange(int nMin, int nMax) { m_nMin = nMin; m_nMax = nMax; }
    void SetRangeMax(int nMax);
    void SetPos(int nPos, BOOL bRedraw);  // never notifies
    int GetPos() const { return m_nPos; }
    void SetThumbImageList(CImageList* pImages);
    void SetEndImageList(CImageList* pImages);

    // Geometry
    CRect GetChannelRect() const;
    int GetThumbX() const;  // the thumb's centre
    CRect GetThumbRect() const;
    int PosFromPoint(int x, int y, BOOL bDragging) const;  // -1 for none
    // A user change: repaints and sends WM_SLIDER_POSCHANGED to the bar.
    void SetPosNotify(int nPos);

    int m_nMin;
    int m_nMax;
    int m_nPos;
    CImageList* m_pThumbImages;  // 0 empty channel, 1 filled channel, 2 hot thumb, 3 pressed thumb
    int m_cxThumb;
    int m_cyThumb;
    CImageList* m_pEndImages;  // the end-capped kind: 0 left cap, 1 right cap
    int m_cxEnd;
    int m_cyEnd;

private:
    void StopAll(BOOL bHot);
};

class CItemBar : public CCustomControlBar {
    DECLARE_DYNAMIC(CItemBar)
public:
    CItemBar();
    ~CItemBar() override;

    virtual void UpdateItemsCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // Routes one of the bar's messages to its items; TRUE when an item took it.
    virtual BOOL RelayEvent(MSG* pMsg);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CBarItemContainer& Items() { return m_items; }
    int AddItem(CBarItem* pItem) { return m_items.AddItem(pItem); }
    CBarItem* GetItem(int nIndex) const { return m_items.GetItem(nIndex); }

    COLORREF m_crBackground;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnKillFocus(CWnd* pNewWnd);
    void OnCancelMode();
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    // Relays a message that is sent to the bar rather than posted.
    void RelaySent(UINT message);
    DECLARE_MESSAGE_MAP()

    CBarItemContainer m_items;
    HFONT m_hFont;
};
