// The owner-drawn list's costs with 10,000 items, in grid and list mode: the time to fill it,
// one scroll step (WM_VSCROLL SB_LINEDOWN through to its repaint) and one full repaint, median
// and worst of 100, against the floor: the same visible rows drawn with bare FillRect/DrawText.
// A program run by hand (scripts/wine-run build/.../tests/ListBenchmark.exe), not a test.
#include "framework/controls/COwnerDrawListCtrl.h"
#include "tests/support/BenchmarkTiming.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Each item: a filled rectangle and its number, as a playlist entry would be at the least.
class CBenchList : public COwnerDrawListCtrl {
public:
    void DrawGridItem(CDC* pDC, int nIndex, int l, int t, int r, int b) override { DrawItem(pDC, nIndex, CRect(l, t, r, b)); }
    void DrawListItem(CDC* pDC, int nIndex, int l, int t, int r, int b) override { DrawItem(pDC, nIndex, CRect(l, t, r, b)); }
    static void DrawItem(CDC* pDC, int nIndex, CRect rect)
    {
        pDC->FillSolidRect(&rect, RGB(0x30, 0x30, 0x30 + nIndex % 64));
        wchar_t text[16];
        wsprintfW(text, L"Item %d", nIndex + 1);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
};

void Run(BOOL bGrid, CWnd& parent)
{
    CBenchList list;
    list.m_dwListStyle = bGrid ? ODL_GRID : 0;
    list.m_nTileWidth = 160;
    list.m_nTileHeight = 100;
    list.m_crBackground = RGB(0x20, 0x20, 0x20);
    list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), &parent, 1);
    double start = NowUs();
    for (int i = 0; i < 10000; ++i)
        list.AddItem(static_cast<DWORD_PTR>(i + 1), FALSE);
    list.UpdateScrollRange();
    double fill = NowUs() - start;

    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 800, 600);
    HGDIOBJ old = dc.SelectObject(bitmap.m_hObject);

    TimeStats scroll = Measure(100, [&] {
        if (list.GetScrollPos(SB_VERT) >= list.GetScrollMaxPos(SB_VERT))
            list.SetScrollPos(0);
        list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        list.UpdateWindow();
    });
    TimeStats repaint = Measure(100, [&] { list.Draw(&dc); });
    // The floor: the visible items only, straight into the DC.
    int nFirst = list.GetScrollPos(SB_VERT) * (bGrid ? list.GetColumnCount() : 1);
    TimeStats floor = Measure(100, [&] {
        CRect content;
        list.GetContentRect(&content);
        for (int i = nFirst; i < list.GetItemCount(); ++i) {
            CRect rect;
            list.GetItemRect(i, &rect);
            if (rect.top >= content.bottom)
                break;
            CBenchList::DrawItem(&dc, i, rect);
        }
    });
    dc.SelectObject(old);
    wprintf(L"%-5ls fill %8.0f us | scroll step median %7.0f worst %7.0f us | repaint median %7.0f worst %7.0f us | "
            L"floor median %7.0f worst %7.0f us\n",
            bGrid ? L"grid" : L"list", fill, scroll.median, scroll.worst, repaint.median, repaint.worst, floor.median,
            floor.worst);
    list.DestroyWindow();
}

}  // namespace

int wmain()
{
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), L"List benchmark", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 820, 640,
                    nullptr, nullptr);
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    wprintf(L"10,000 items in an 800 x 600 list (100 runs each)\n");
    Run(TRUE, parent);
    Run(FALSE, parent);
    parent.DestroyWindow();
    return 0;
}
