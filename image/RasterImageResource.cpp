// Loading an image from a module's resources (Windows only).
#include <windows.h>
#include "image/ImageMemoryStream.h"
#include "image/RasterImage.h"

bool CRasterImage::LoadFromResource(HRSRC resource, uint32_t imageType, HMODULE module)
{
    DWORD size = SizeofResource(module, resource);
    HGLOBAL handle = LoadResource(module, resource);
    if (!handle) {
        SetError("Unable to load resource!");
        return false;
    }
    void* data = LockResource(handle);
    if (!data)
        return false;
    // Resource memory is read only: the stream never writes to or frees it.
    CImageMemoryStream stream(static_cast<uint8_t*>(data), int32_t(size));
    return Decode(&stream, imageType);
}
