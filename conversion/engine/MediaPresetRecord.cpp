#include "conversion/engine/MediaPresetRecord.h"
#include <wchar.h>

bool SetPresetText(MediaPresetText& field, LPCWSTR text)
{
    int i = 0;
    for (; text && text[i] && i < MEDIA_PRESET_TEXT_SIZE - 1; ++i)
        field[i] = text[i];
    const bool fits = !text || !text[i];
    for (; i < MEDIA_PRESET_TEXT_SIZE; ++i)
        field[i] = 0;
    return fits;
}

bool IsPresetText(const MediaPresetText& field, LPCWSTR text)
{
    for (int i = 0; i < MEDIA_PRESET_TEXT_SIZE; ++i) {
        if (field[i] != text[i])
            return false;
        if (!text[i])
            return true;
    }
    return false;  // a text of 64 characters or more can't be in a field
}

CString GetPresetText(const MediaPresetText& field)
{
    return CString(field, static_cast<int>(wcsnlen(field, MEDIA_PRESET_TEXT_SIZE)));
}
