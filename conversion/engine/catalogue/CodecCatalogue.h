// The built-in codecs, created by id. Every format creates and owns its own codec objects.
#pragma once
#include "conversion/engine/CAudioCodec.h"
#include "conversion/engine/CVideoCodec.h"

// A new codec for a catalogue id ("AC_..."), or null for an unknown id. The AAC codecs take
// their encoder name from the tool location's choice at the time they are created.
CAudioCodec* CreateAudioCodec(LPCWSTR id);
// A new codec for a catalogue id ("VC_..."), or null for an unknown id.
CVideoCodec* CreateVideoCodec(LPCWSTR id);
