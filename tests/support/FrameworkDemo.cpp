// A program to look at the framework's windows: a frame with the
// dark menu bar, an item bar with buttons, a text and a slider, and a splitter with a grid of
// 60 tiles on the left and a list of the same 60 items on the right. What happens is written
// into a hidden static control (id 900) that UiDriver reads (the grid is child 101, the list 102,
// the splitter 0xE900, the menu bar 0xE800, the item bar 0xE801; command 32851 destroys the item bar):
//   "cmd=<last command> slider=<value>x<notifications> order=<first five> selected=<n> pos=<grid row>
//    listpos=<list row> pane=<mode>/<index> hot=<menu title>/<item bar item>"
#include "classlib/Afx.h"
#include <string>
#include "framework/controls/CDragListCtrl.h"
#include "framework/controls/CItemBar.h"
#include "framework/controls/CPaneSplitter.h"
#include "framework/dialogs/CAppMainWnd_VMB.h"

namespace {

const UINT IDR_MAINFRAME = 128;
const UINT ID_OPEN = 32801, ID_BOTH = 32821, ID_LEFT_ONLY = 32822, ID_RIGHT_ONLY = 32823, ID_ABOUT = 32831;
const UINT ID_DESTROY_BAR = 32851;  // no menu entry: UiDriver posts it
const UINT ID_PREV = 32841, ID_PLAY = 32842, ID_STOP = 32843, ID_NEXT = 32844;
const UINT IDC_LOG = 900;
const UINT IDW_ITEMBAR = 0xE801;
const COLORREF kDark = RGB(0x20, 0x20, 0x20);
const COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);

CString ItemName(DWORD_PTR n)  // 1 -> A, 26 -> Z, 27 -> AA ...
{
    std::wstring name;
    for (DWORD_PTR v = n; v > 0; v = (v - 1) / 26)
        name.insert(name.begin(), static_cast<wchar_t>(L'A' + (v - 1) % 26));
    return CString(name.c_str());
}

// Draws into a masked image list: one image per colour, the glyph drawn by pfnDraw.
template <class F>
void MakeImages(CImageList& list, int cx, int cy, const std::vector<COLORREF>& colours, F draw)
{
    list.Create(cx, cy, ILC_COLOR24 | ILC_MASK, static_cast<int>(colours.size()), 1);
    CClientDC screen(nullptr);
    for (COLORREF colour : colours) {
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, cx, cy);
        HGDIOBJ old = dc.SelectObject(bitmap.m_hObject);
        dc.FillSolidRect(0, 0, cx, cy, kMagenta);
        draw(dc, colour);
        dc.SelectObject(old);
        list.Add(&bitmap, kMagenta);
    }
}

void Polygon(CDC& dc, COLORREF colour, std::initializer_list<POINT> points)
{
    CBrush brush(colour);
    CPen pen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = dc.SelectObject(brush.m_hObject), oldPen = dc.SelectObject(pen.m_hObject);
    dc.Polygon(points.begin(), static_cast<int>(points.size()));
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

class CDemoFrame;
CDemoFrame* g_pFrame = nullptr;
void LogChanged();

// The two lists: tiles (grid) or rows (list) in colours of their own, with the item's letters.
class CDemoList : public CDragListCtrl {
public:
    static COLORREF Colour(DWORD_PTR n)
    {
        static const COLORREF hues[] = {RGB(0x3A, 0x6E, 0xA5), RGB(0x2E, 0x8B, 0x57), RGB(0xA0, 0x52, 0x2D),
                                        RGB(0x6A, 0x5A, 0xCD), RGB(0x8B, 0x3A, 0x62), RGB(0x2F, 0x4F, 0x4F)};
        return hues[n % 6];
    }
    void DrawTile(CDC* pDC, int nIndex, CRect rect, BOOL bGrid)
    {
        DWORD_PTR n = GetItemData(nIndex);
        BOOL bSelected = IsSelected(nIndex), bHot = nIndex == GetHotItem();
        COLORREF fill = bGrid ? Colour(n) : (nIndex % 2 ? RGB(0x2A, 0x2A, 0x2A) : RGB(0x30, 0x30, 0x30));
        if (bSelected)
            fill = RGB(0x1E, 0x5A, 0xB4);
        else if (bHot)
            fill = bGrid ? RGB(std::min(255, GetRValue(fill) + 40), std::min(255, GetGValue(fill) + 40), std::min(255, GetBValue(fill) + 40))
                         : RGB(0x40, 0x40, 0x40);
        pDC->FillSolidRect(&rect, fill);
        if (nIndex == GetFocusItem())
            pDC->Draw3dRect(&rect, RGB(0xFF, 0xFF, 0xFF), RGB(0xFF, 0xFF, 0xFF));
        if (!bGrid)
            pDC->FillSolidRect(CRect(rect.left + 6, rect.top + 5, rect.left + 20, rect.bottom - 5), Colour(n));
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(0xF0, 0xF0, 0xF0));
        HGDIOBJ old = pDC->SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
        CString text = bGrid ? ItemName(n) : L"Item " + ItemName(n);
        CRect textRect = rect;
        if (!bGrid)
            textRect.left += 28;
        pDC->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER | (bGrid ? DT_CENTER : DT_LEFT));
        if (!bGrid) {
            CString duration;
            duration.Format(L"%d:%02d", static_cast<int>(n % 7 + 1), static_cast<int>(n * 17 % 60));
            CRect right = rect;
            right.right -= 8;
            pDC->SetTextColor(RGB(0xA0, 0xA0, 0xA0));
            pDC->DrawText(duration, &right, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        }
        pDC->SelectObject(old);
    }
    void DrawGridItemEx(CDC* pDC, int nIndex, int l, int t, int r, int b, BOOL) override { DrawTile(pDC, nIndex, CRect(l, t, r, b), TRUE); }
    void DrawListItemEx(CDC* pDC, int nIndex, int l, int t, int r, int b, BOOL) override { DrawTile(pDC, nIndex, CRect(l, t, r, b), FALSE); }
    int MoveItem(int nFrom, int nTo, BOOL bRefresh) override
    {
        int r = CDragListCtrl::MoveItem(nFrom, nTo, bRefresh);
        LogChanged();
        return r;
    }
    int SelectItem(int nIndex, BOOL bSelect, BOOL bClearOthers, BOOL bRedraw, BOOL bUpdateNow) override
    {
        int r = CDragListCtrl::SelectItem(nIndex, bSelect, bClearOthers, bRedraw, bUpdateNow);
        LogChanged();
        return r;
    }
    void SetScrollPos(int nPos) override
    {
        CDragListCtrl::SetScrollPos(nPos);
        LogChanged();
    }
};

class CDemoSplitter : public CPaneSplitter {
public:
    CDemoList m_grid;
    CDemoList m_list;
    CWnd* GetPane(int nIndex) const override
    {
        return nIndex == 0 ? const_cast<CDemoList*>(&m_grid) : nIndex == 1 ? const_cast<CDemoList*>(&m_list) : nullptr;
    }
};

// The item bar: four buttons, a text and a slider; slider moves are counted.
class CDemoBar : public CItemBar {
public:
    int m_nSlides = 0;
    CImageList m_buttonImages[4];
    CImageList m_thumbImages;
    CBarSliderItem* m_pSlider = nullptr;
    CBarTextItem* m_pText = nullptr;

    void Fill()
    {
        // Five states each: normal, hot, focus, pressed, disabled.
        std::vector<COLORREF> states = {RGB(0xC0, 0xC0, 0xC0), RGB(0xFF, 0xFF, 0xFF), RGB(0xC0, 0xC0, 0xC0),
                                        RGB(0x60, 0xB0, 0xFF), RGB(0x58, 0x58, 0x58)};
        auto prev = [](CDC& dc, COLORREF c) {
            dc.FillSolidRect(3, 4, 3, 14, c);
            Polygon(dc, c, {{17, 4}, {17, 17}, {7, 10}});
        };
        auto play = [](CDC& dc, COLORREF c) { Polygon(dc, c, {{5, 3}, {5, 18}, {17, 10}}); };
        auto stop = [](CDC& dc, COLORREF c) { dc.FillSolidRect(5, 5, 11, 11, c); };
        auto next = [](CDC& dc, COLORREF c) {
            Polygon(dc, c, {{3, 4}, {3, 17}, {13, 10}});
            dc.FillSolidRect(15, 4, 3, 14, c);
        };
        MakeImages(m_buttonImages[0], 21, 21, states, prev);
        MakeImages(m_buttonImages[1], 21, 21, states, play);
        MakeImages(m_buttonImages[2], 21, 21, states, stop);
        MakeImages(m_buttonImages[3], 21, 21, states, next);
        const UINT ids[] = {ID_PREV, ID_PLAY, ID_STOP, ID_NEXT};
        for (int i = 0; i < 4; ++i) {
            auto* pButton = new CBarButtonItem(&m_items, static_cast<int>(ids[i]));
            pButton->SetRect(8 + i * 40, 2, 44 + i * 40, 38, FALSE);
            pButton->m_crHot = RGB(0x40, 0x40, 0x40);
            pButton->SetImageList(&m_buttonImages[i], FALSE);
            AddItem(pButton);
        }
        m_pText = new CBarTextItem(&m_items, L"Volume");
        m_pText->m_dwStyle = BIS_RIGHT;
        m_pText->SetRect(180, 0, 250, 40, FALSE);
        AddItem(m_pText);
        // Thumb images 12 x 12: empty channel, filled channel, hot thumb, pressed thumb.
        MakeImages(m_thumbImages, 12, 12,
                   {RGB(0x50, 0x50, 0x50), RGB(0x30, 0x90, 0xF0), RGB(0xD0, 0xD0, 0xD0), RGB(0xFF, 0xFF, 0xFF)},
                   [](CDC& dc, COLORREF c) {
                       if (c == RGB(0x50, 0x50, 0x50) || c == RGB(0x30, 0x90, 0xF0)) {
                           dc.FillSolidRect(0, 5, 12, 3, c);
                       } else {
                           CBrush brush(c);
                           CPen pen(PS_SOLID, 1, c);
                           HGDIOBJ ob = dc.SelectObject(brush.m_hObject), op = dc.SelectObject(pen.m_hObject);
                           dc.Ellipse(1, 1, 11, 11);
                           dc.SelectObject(ob);
                           dc.SelectObject(op);
                       }
                   });
        m_pSlider = new CBarSliderItem(&m_items);
        m_pSlider->SetRect(260, 0, 472, 40, FALSE);  // channel 266..466: 200 pixels for 0..100
        m_pSlider->SetRange(0, 100);
        m_pSlider->SetThumbImageList(&m_thumbImages);
        m_pSlider->SetPos(30, FALSE);
        AddItem(m_pSlider);
    }

protected:
    LRESULT OnSliderPosChanged(WPARAM, LPARAM)
    {
        ++m_nSlides;
        LogChanged();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDemoBar, CItemBar)
    ON_MESSAGE(WM_SLIDER_POSCHANGED, &CDemoBar::OnSliderPosChanged)
END_MESSAGE_MAP()

class CDemoFrame : public CAppMainWnd_VMB {
public:
    CDemoBar m_bar;
    CDemoSplitter m_splitter;
    CStatic m_log;
    UINT m_nLastCommand = 0;
    int m_nPaneMode = 0, m_nPaneIndex = -1;

    CDemoFrame() { m_nMenuBarHeight = 22; }

    void WriteLog()
    {
        if (!m_log.m_hWnd)
            return;
        CString order;
        for (int i = 0; i < 5 && i < m_splitter.m_grid.GetItemCount(); ++i)
            order += (i ? L" " : L"") + ItemName(m_splitter.m_grid.GetItemData(i));
        CString text;
        text.Format(L"cmd=%u slider=%dx%d order=%s selected=%d pos=%d listpos=%d pane=%d/%d hot=%d/%d", m_nLastCommand,
                    m_bar.m_pSlider ? m_bar.m_pSlider->GetPos() : -1, m_bar.m_nSlides, static_cast<LPCWSTR>(order),
                    m_splitter.m_grid.GetSelectedCount(), m_splitter.m_grid.GetScrollPos(SB_VERT),
                    m_splitter.m_list.GetScrollPos(SB_VERT), m_nPaneMode, m_nPaneIndex,
                    GetMenuBar().GetHotTitle(), m_bar.m_hWnd ? m_bar.Items().IndexOf(CBarItemContainer::GetHotItem()) : -1);
        m_log.SetWindowText(text);
    }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.x = 40;
        cs.y = 30;
        cs.cx = 900;
        cs.cy = 600;
        return CAppMainWnd_VMB::PreCreateWindow(cs);
    }
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CAppMainWnd_VMB::OnCreate(lpCreateStruct) == -1)
            return -1;
        GetMenuBar().SetText(L"60 items");
        if (!m_bar.Create(WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 480, 40), this, IDW_ITEMBAR))
            return -1;
        m_bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
        m_bar.Fill();
        m_log.Create(L"", WS_CHILD, CRect(0, 0, 10, 10), this, IDC_LOG);
        // The splitter's size is set once it has its room (a size cut to fit is not restored).
        RecalcLayout();
        m_splitter.m_nSize = 440;  // four columns and their gaps: 10 + 4 x 100 + the bar
        m_splitter.RecalcLayout();
        g_pFrame = this;
        WriteLog();
        SetTimer(1, 100, nullptr);  // the hot items change without an event of their own
        return 0;
    }
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext*) override
    {
        if (!m_splitter.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), this, AFX_IDW_PANE_FIRST))
            return FALSE;
        CDemoList* lists[] = {&m_splitter.m_grid, &m_splitter.m_list};
        for (int i = 0; i < 2; ++i) {
            CDemoList& list = *lists[i];
            list.m_crBackground = kDark;
            list.m_nTileWidth = 90;
            list.m_nTileHeight = 60;
            list.m_nHGap = 10;
            list.m_nVGap = 10;
            list.m_nRowHeight = 26;
            list.m_nRowGap = 2;
            list.m_dwListStyle = i == 0 ? ODL_GRID : 0;
            if (!list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_splitter, 101 + i))
                return FALSE;
            for (int n = 1; n <= 60; ++n)
                list.AddItem(static_cast<DWORD_PTR>(n), FALSE);
            list.UpdateScrollRange();
        }
        m_splitter.m_nSize = 440;  // four columns and their gaps: 10 + 4 x 100 + the bar
        m_splitter.SetMode(SPLIT_BOTH);
        return TRUE;
    }
    void OnCommandRange(UINT nID)
    {
        m_nLastCommand = nID;
        if (nID == ID_DESTROY_BAR) {
            // Whatever item of the bar is hot goes with it.
            m_bar.DestroyWindow();
            m_bar.Items().RemoveAllItems();
            m_bar.m_pSlider = nullptr;
            m_bar.m_pText = nullptr;
            RecalcLayout();
        } else if (nID == ID_BOTH) {
            m_splitter.SetMode(SPLIT_BOTH);
        } else if (nID == ID_LEFT_ONLY || nID == ID_RIGHT_ONLY) {
            m_splitter.SetMode(SPLIT_ONE);
            m_splitter.ShowPane(nID == ID_LEFT_ONLY ? 0 : 1);
        }
        WriteLog();
    }
    void OnTimer(UINT_PTR) { WriteLog(); }
    void OnViewToolbar() {}  // the menu bar's id is ID_VIEW_TOOLBAR: not CFrameWnd's OnBarCheck
    LRESULT OnPaneChanged(WPARAM wParam, LPARAM lParam)
    {
        m_nPaneMode = static_cast<int>(wParam);
        m_nPaneIndex = static_cast<int>(lParam);
        WriteLog();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDemoFrame, CAppMainWnd_VMB)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_COMMAND_RANGE(32801, 32899, &CDemoFrame::OnCommandRange)
    ON_COMMAND(ID_VIEW_TOOLBAR, &CDemoFrame::OnViewToolbar)
    ON_MESSAGE(WM_SPLITTER_PANECHANGED, &CDemoFrame::OnPaneChanged)
END_MESSAGE_MAP()

void LogChanged()
{
    if (g_pFrame)
        g_pFrame->WriteLog();
}

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"Framework Demo") {}
    BOOL InitInstance() override
    {
        auto* pFrame = new CDemoFrame;
        if (!pFrame->Create(nullptr, L"Framework Demo", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr,
                            MAKEINTRESOURCEW(IDR_MAINFRAME)))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        return TRUE;
    }
    int ExitInstance() override
    {
        g_pFrame = nullptr;
        return CWinApp::ExitInstance();
    }
};

CDemoApp theApp;

}  // namespace
