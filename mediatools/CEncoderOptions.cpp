#include "mediatools/CEncoderOptions.h"
#include "mediatools/MediaToolLocation.h"
#include "mediatools/ToolArguments.h"
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

// The option set gives a rotation in quarter turns (1 to 3) or in degrees.
int CEncoderOptions::RotationDegrees() const
{
    return Rotation >= 1 && Rotation <= 3 ? Rotation * 90 : Rotation;
}

CString CEncoderOptions::PictureFilterChain() const
{
    CString chain;
    if (CropWidth > 0 && CropHeight > 0 && CropX > 0 && CropY > 0) {
        CString crop;
        crop.Format(L"crop=%d:%d:%d:%d", CropWidth, CropHeight, CropX, CropY);
        AddToChain(chain, crop);
    }
    AddToChain(chain, RotationFilter(RotationDegrees()));
    if (VFlip)
        AddToChain(chain, L"vflip");
    if (HFlip)
        AddToChain(chain, L"hflip");
    if (Grayscale)
        AddToChain(chain, L"hue=s=0");
    if (Negate)
        AddToChain(chain, L"negate");
    if (OldPhoto)
        AddToChain(chain, OLD_PHOTO_FILTER);
    return chain;
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
