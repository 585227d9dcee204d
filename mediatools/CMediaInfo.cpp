#include "mediatools/CMediaInfo.h"
#include "mediatools/CProbeSession.h"
#include "mediatools/MediaToolLocation.h"

void CMediaInfo::Reset()
{
    *this = CMediaInfo();
}

int CMediaInfo::Probe(LPCWSTR pszPath, const StopFlag* pStopFlag)
{
    Reset();
    if (ProbeMediaFile(*this, pszPath, pStopFlag) != 0)
        return -1;
    // Older tools report an animated image without its frame count unless asked to count.
    bool bCountFrames = MediaToolGeneration <= 3 && MediaType == MEDIA_TYPE_VIDEO &&
                        FileType == MEDIA_FILE_ANIMATED_IMAGE && StreamList.GetSize() > 0 &&
                        StreamList[0]->Frames == 0;
    if (!bCountFrames)
        return 0;
    Reset();
    return ProbeMediaFileCountFrames(*this, pszPath, 1, pStopFlag) == 0 ? 0 : -1;
}

int CMediaInfo::Analyse()
{
    SortStreams();
    DetectMediaType();
    DetectFileType();
    return 0;
}

namespace {

void KeepSelectionInside(int& nSelected, const CMediaStreamInfoPtrArray& list)
{
    if (list.GetSize() == 0 || nSelected >= list.GetSize())
        nSelected = -1;
}

}  // namespace

void CMediaInfo::SortStreams()
{
    VideoStreams.RemoveAll();
    AudioStreams.RemoveAll();
    SubtitleStreams.RemoveAll();
    CaptionStreams.RemoveAll();
    CMediaStreamInfoPtrArray* lists[] = {nullptr, &VideoStreams, &AudioStreams, &SubtitleStreams, &CaptionStreams};
    for (int i = 0; i < StreamList.GetSize(); i++) {
        CMediaStreamInfo* pStream = StreamList[i];
        pStream->ListPosition = i;
        if (pStream->MediaType < MEDIA_TYPE_VIDEO || pStream->MediaType > MEDIA_TYPE_CAPTION)
            continue;
        pStream->TypePosition = lists[pStream->MediaType]->Add(pStream);
        if (pStream->MediaType == MEDIA_TYPE_VIDEO)
            ComputeDisplaySize(pStream->Width, pStream->Height, pStream->AspectNum, pStream->AspectDen,
                               pStream->DisplayWidth, pStream->DisplayHeight);
    }
    KeepSelectionInside(SelectedVideoStream, VideoStreams);
    KeepSelectionInside(SelectedAudioStream, AudioStreams);
    KeepSelectionInside(SelectedSubtitleStream, SubtitleStreams);
    KeepSelectionInside(SelectedCaptionStream, CaptionStreams);
}

void CMediaInfo::DetectMediaType()
{
    if (MediaType != 0)
        return;
    if (VideoStreams.GetSize() > 0)
        MediaType = MEDIA_TYPE_VIDEO;
    else if (AudioStreams.GetSize() > 0)
        MediaType = MEDIA_TYPE_AUDIO;
    else if (SubtitleStreams.GetSize() > 0)
        MediaType = MEDIA_TYPE_SUBTITLE;
    else if (CaptionStreams.GetSize() > 0)
        MediaType = MEDIA_TYPE_CAPTION;
}

namespace {

// The prober's demuxers for single still images.
const LPCWSTR kImageFormats[] = {
    L"image2", L"image2pipe", L"image2_alias_pix", L"image2_brender_pix", L"bmp_pipe", L"cri_pipe",
    L"dds_pipe", L"dpx_pipe", L"exr_pipe", L"gem_pipe", L"gif_pipe", L"j2k_pipe", L"jpeg_pipe",
    L"jpegls_pipe", L"jpegxl_pipe", L"pam_pipe", L"pbm_pipe", L"pcx_pipe", L"pfm_pipe", L"pgmyuv_pipe",
    L"pgm_pipe", L"pgx_pipe", L"phm_pipe", L"photocd_pipe", L"pictor_pipe", L"png_pipe", L"ppm_pipe",
    L"psd_pipe", L"qdraw_pipe", L"qoi_pipe", L"sgi_pipe", L"svg_pipe", L"sunrast_pipe", L"tiff_pipe",
    L"vbn_pipe", L"webp_pipe", L"xpm_pipe", L"xbm_pipe", L"xwd_pipe",
};

bool IsImageFormat(const CString& strFormat)
{
    for (LPCWSTR pszName : kImageFormats)
        if (strFormat == pszName)
            return true;
    return false;
}

}  // namespace

void CMediaInfo::DetectFileType()
{
    FileType = 0;
    if (StreamList.GetSize() != 1 || VideoStreams.GetSize() != 1)
        return;
    if (Format == L"tty")
        FileType = MEDIA_FILE_TEXT;
    else if (Format == L"gif" || Format == L"apng")
        FileType = MEDIA_FILE_ANIMATED_IMAGE;
    else if (IsImageFormat(Format))
        FileType = MEDIA_FILE_IMAGE;
}

CMediaStreamInfo* CMediaInfo::GetVideoStream() const
{
    if (VideoStreams.GetSize() == 0)
        return nullptr;
    if (SelectedVideoStream == -1)
        return VideoStreams[0];
    if (SelectedVideoStream >= 0 && SelectedVideoStream < VideoStreams.GetSize())
        return VideoStreams[SelectedVideoStream];
    return nullptr;
}

void ComputeDisplaySize(int nWidth, int nHeight, int nAspectNum, int nAspectDen, int& nDisplayWidth,
                        int& nDisplayHeight)
{
    nDisplayWidth = nWidth;
    nDisplayHeight = nHeight;
    if (nAspectNum == 0 || nAspectDen == 0 || nAspectNum == nAspectDen)
        return;
    double r = static_cast<double>(nAspectNum) / nAspectDen;
    // A damaged or hostile header must not make a thumbnail grab ask for a huge picture.
    if (r < 1.0 / 16 || r > 16)
        return;
    if (nAspectNum < nAspectDen) {
        nDisplayHeight = static_cast<int>(nHeight / r);
        nDisplayHeight += nDisplayHeight % 2;
    } else {
        nDisplayWidth = static_cast<int>(nWidth * r);
        nDisplayWidth += nDisplayWidth % 2;
    }
}
