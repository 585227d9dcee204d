#include "conversion/app/controls/GradientFill.h"

namespace {

using PfnGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// The library and its entry point, freed when the process ends.
struct GradientBinding {
    HMODULE hLibrary = nullptr;
    PfnGradientFill pfn = nullptr;
    int nState = 0;  // 0 not tried, 1 bound, -1 missing
    bool bForcedMissing = false;
    ~GradientBinding()
    {
        if (hLibrary)
            FreeLibrary(hLibrary);
    }
};

GradientBinding g_binding;

PfnGradientFill BoundGradientFill()
{
    if (g_binding.bForcedMissing)
        return nullptr;
    if (g_binding.nState == 0) {
        g_binding.hLibrary = LoadLibraryW(L"msimg32.dll");
        if (g_binding.hLibrary)
            g_binding.pfn = reinterpret_cast<PfnGradientFill>(
                reinterpret_cast<void*>(GetProcAddress(g_binding.hLibrary, "GradientFill")));
        g_binding.nState = g_binding.pfn ? 1 : -1;
    }
    return g_binding.pfn;
}

int Channel(int c1, int c2, int nOffset, int nExtent, int nNum, int nDen)
{
    int v = c1 + nNum * ((nOffset * (c2 - c1)) / nExtent) / nDen;
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

void FillSolid(HDC hDC, int x, int y, int cx, int cy, COLORREF cr)
{
    RECT rect = {x, y, x + cx, y + cy};
    SetBkColor(hDC, cr);
    ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

void GradientFillStripes(HDC hDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF cr1, COLORREF cr2,
                         int nDirection, int nScaleNum, int nScaleDen, int nStripeSize)
{
    const int nWidth = nRight - nLeft;
    const int nHeight = nBottom - nTop;
    if (nWidth <= 0 || nHeight <= 0)
        return;
    if (nStripeSize < 1)
        nStripeSize = 1;
    if (nScaleDen == 0)
        nScaleDen = 1;
    const bool bAcross = nDirection == 1;
    const int nExtent = bAcross ? nWidth : nHeight;
    for (int nOffset = 0; nOffset < nExtent; nOffset += nStripeSize) {
        COLORREF cr = RGB(Channel(GetRValue(cr1), GetRValue(cr2), nOffset, nExtent, nScaleNum, nScaleDen),
                          Channel(GetGValue(cr1), GetGValue(cr2), nOffset, nExtent, nScaleNum, nScaleDen),
                          Channel(GetBValue(cr1), GetBValue(cr2), nOffset, nExtent, nScaleNum, nScaleDen));
        int nSize = nExtent - nOffset < nStripeSize ? nExtent - nOffset : nStripeSize;
        if (bAcross)
            FillSolid(hDC, nLeft + nOffset, nTop, nSize, nHeight, cr);
        else
            FillSolid(hDC, nLeft, nTop + nOffset, nWidth, nSize, cr);
    }
}

void GradientFillRect(HDC hDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF cr1, COLORREF cr2, int nDirection,
                      int nScaleNum, int nScaleDen, int nStripeSize)
{
    if (nRight - nLeft <= 0 || nBottom - nTop <= 0)
        return;
    if (PfnGradientFill pfn = BoundGradientFill()) {
        TRIVERTEX vertices[2] = {};
        vertices[0].x = nLeft;
        vertices[0].y = nTop;
        vertices[0].Red = static_cast<COLOR16>(GetRValue(cr1) << 8);
        vertices[0].Green = static_cast<COLOR16>(GetGValue(cr1) << 8);
        vertices[0].Blue = static_cast<COLOR16>(GetBValue(cr1) << 8);
        vertices[1].x = nRight;
        vertices[1].y = nBottom;
        vertices[1].Red = static_cast<COLOR16>(GetRValue(cr2) << 8);
        vertices[1].Green = static_cast<COLOR16>(GetGValue(cr2) << 8);
        vertices[1].Blue = static_cast<COLOR16>(GetBValue(cr2) << 8);
        GRADIENT_RECT rect = {0, 1};
        pfn(hDC, vertices, 2, &rect, 1, nDirection == 1 ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    GradientFillStripes(hDC, nLeft, nTop, nRight, nBottom, cr1, cr2, nDirection, nScaleNum, nScaleDen, nStripeSize);
}

void SetGradientFillMissingForTests(bool bMissing)
{
    g_binding.bForcedMissing = bMissing;
}
