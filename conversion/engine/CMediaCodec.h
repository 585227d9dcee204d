// The base of every codec a format offers: the encoder's name, the bit rates the preset
// dialogs offer with their bounds and default, and the rule that turns a preset's requested
// bit rate and the source's into the one given to the encoding tool. The texts it adds, like its
// value lists, point into the catalogue's static tables.
#pragma once
#include "classlib/CString.h"
#include "conversion/engine/CMediaCatalogItem.h"
#include "conversion/engine/MediaValueList.h"

// Codec flags. A clear "any" bit makes the pick rules replace a value that is not in the
// codec's list by the default.
const DWORD CODEC_ANY_BIT_RATE = 0x1;
const DWORD CODEC_ANY_RATE = 0x2;     // sample rate (audio) or frame rate (video)
const DWORD CODEC_ANY_SIZE = 0x4;     // channel count (audio) or resolution (video)
const DWORD CODEC_THREADS = 0x10000;  // the encoder is given the thread count

class CMediaCodec : public CMediaCatalogItem {
public:
    LPCWSTR m_name = L"";      // display name, e.g. "MP3"
    LPCWSTR m_encoder = L"";   // given to the encoding tool with "-codec:v" / "-codec:a"
    LPCWSTR m_codecTag = L"";  // "-tag:v" / "-tag:a" when not empty
    CValueList<int> m_bitRates;  // bit/s, 0 is Auto
    int m_minBitRate = 0;    // 0: no bound
    int m_maxBitRate = 0;
    int m_defaultBitRate = 0;
    LPCWSTR m_extraOptions = L"";       // appended raw to the stream's options
    LPCWSTR m_defaultProfile = L"";     // used when a preset leaves its own empty
    LPCWSTR m_defaultPresetFile = L"";

    virtual int PickBitRate(int requested, int source) const = 0;

protected:
    // The rule of one scalar value (bit rate, channel count, sample rate): requested is
    // the preset's value, source the source stream's, 0 meaning Auto.
    static int PickScalar(const CValueList<int>& list, bool anyValue, int lo, int hi, int defaultValue,
        int requested, int source);
};
