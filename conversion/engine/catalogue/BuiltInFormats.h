// The built-in formats of each category, appended in the category's order.
#pragma once
#include "conversion/engine/CMediaFormatCategory.h"

void AddVideoFormats(CMediaFormatCategory& category);
void AddAudioFormats(CMediaFormatCategory& category);
void AddDeviceFormats(CMediaFormatCategory& category);
