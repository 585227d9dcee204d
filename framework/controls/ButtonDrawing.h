// What the hover button and the hyperlink share: the background rule and the hot
// tracking. Kept apart from the image code, so a program that links no images can use links.
#pragma once
#include "classlib/CDC.h"
#include "classlib/CWnd.h"

// Not transparent: the rectangle is filled with crBack. Transparent: the parent paints its own
// background under the button (WM_ERASEBKGND with the DC, its window origin moved to the
// button's place in the parent), the DC's modes and colours are kept.
void DrawButtonBackground(CWnd* pButton, CDC* pDC, const RECT& rect, BOOL bTransparent, COLORREF crBack);

// WM_MOUSEMOVE while not hot: TME_LEAVE tracking, hot, invalidated. FALSE when already hot.
BOOL BeginHotTracking(CWnd* pWnd, BOOL& bHot, BOOL bErase);
// WM_MOUSELEAVE while hot: not hot, invalidated.
void EndHotTracking(CWnd* pWnd, BOOL& bHot, BOOL bErase);
