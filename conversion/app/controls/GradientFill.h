// GradientFillRect: a two-colour gradient over a rectangle through msimg32's
// GradientFill, bound at run time on the first call (the library is freed when the process
// ends), and in stripes of solid colour when it is missing.
//
// Direction 1 runs left to right (GRADIENT_FILL_RECT_H; vertical stripes), anything else top to
// bottom (GRADIENT_FILL_RECT_V; horizontal stripes). The stripe at offset k x stripe size has,
// per channel, c1 + num x ((k x stripe size x (c2 - c1)) / extent) / den in integer arithmetic,
// clamped to 0..255 (extent: the width or the height). A rectangle with no width or no height
// draws nothing rather than divide by its zero extent.
#pragma once
#include <windows.h>

void GradientFillRect(HDC hDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF cr1, COLORREF cr2, int nDirection,
                      int nScaleNum = 1, int nScaleDen = 1, int nStripeSize = 1);

// The fallback alone, as GradientFillRect draws it without msimg32 (a stripe size below 1
// counts as 1, a zero denominator as 1).
void GradientFillStripes(HDC hDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF cr1, COLORREF cr2,
                         int nDirection, int nScaleNum, int nScaleDen, int nStripeSize);

// For tests: true makes GradientFillRect behave as without msimg32; false binds it again.
void SetGradientFillMissingForTests(bool bMissing);
