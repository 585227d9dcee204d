// DrawImageFitted: the GDI half of the fit helpers (Windows only).
#include <windows.h>
#include "image/ImageFit.h"

int DrawImageFitted(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, CRasterImage* image)
{
    if (!image || !image->IsValid())
        return -1;
    FittedRect fit;
    if (!FitImageInBox(int32_t(image->GetWidth()), int32_t(image->GetHeight()), left, top, right, bottom, fit))
        return 1;
    RECT rect = {fit.x, fit.y, fit.x + fit.width, fit.y + fit.height};
    image->DrawInRect(dc, rect, nullptr, false, false);
    return 0;
}
