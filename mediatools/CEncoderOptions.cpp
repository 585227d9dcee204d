#include "mediatools/CEncoderOptions.h"
#include "mediatools/MediaToolLocation.h"
#include <initializer_list>

namespace {

// Output format names the tool knows under another name.
struct FormatAlias {
    LPCWSTR pszName;
    LPCWSTR pszToolName;
};

const FormatAlias kFormatAliases[] = {
    {L"ts", L"mpegts"}, {L"vtt", L"webvtt"}, {L"ec3", L"eac3"}, {L"m4s", L"mp4"}, {L"m3u8", L"hls"},
};

bool IsOneOfNoCase(const CString& strText, std::initializer_list<LPCWSTR> names)
{
    for (LPCWSTR pszName : names)
        if (strText.CompareNoCase(pszName) == 0)
            return true;
    return false;
}

}  // namespace

int CEncoderOptions::Validate()
{
    SafeFlag = InputFormat == L"concat" ? 0 : 1;
    OutputFormat.MakeLower();
    for (const FormatAlias& alias : kFormatAliases) {
        if (OutputFormat == alias.pszName) {
            OutputFormat = alias.pszToolName;
            break;
        }
    }
    if (HlsLowLatency > 0)
        StrictLevel = -2;
    return 0;
}

int ChooseAudioCodecForContainer(CString& strCodec, LPCWSTR pszContainer)
{
    CString strContainer(pszContainer);
    if (strCodec.IsEmpty())
        strCodec = L"copy";
    if (strContainer.CompareNoCase(L"webm") == 0) {
        if (!IsOneOfNoCase(strCodec, {L"vorbis", L"libvorbis", L"opus"}))
            strCodec = L"libvorbis";
    } else if (IsOneOfNoCase(strContainer, {L"mp4", L"mpegts"})) {
        if (!IsOneOfNoCase(strCodec, {L"aac", L"libfdk_aac", L"mp3"}))
            strCodec = PreferFdkAac == 1 ? L"libfdk_aac" : L"aac";
    }
    if (PreferFdkAac == 1 && strCodec == L"aac")
        strCodec = L"libfdk_aac";
    return 0;
}
