#include "conversion/engine/MediaPresetRecord.h"
#include <wchar.h>

bool SetPresetText(MediaPresetText& field, LPCWSTR text)
{
    size_t length = text ? wcslen(text) : 0;
    bool fits = length < MEDIA_PRESET_TEXT_SIZE;
    if (!fits)
        length = MEDIA_PRESET_TEXT_SIZE - 1;
    wmemset(field, 0, MEDIA_PRESET_TEXT_SIZE);
    if (length > 0)
        wmemcpy(field, text, length);
    return fits;
}

CString GetPresetText(const MediaPresetText& field)
{
    return CString(field, static_cast<int>(wcsnlen(field, MEDIA_PRESET_TEXT_SIZE)));
}
