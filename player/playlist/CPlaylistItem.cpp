#include "player/playlist/CPlaylistItem.h"
#include "framework/system/AppFolders.h"
#include "framework/system/CTempFileGuard.h"
#include "framework/system/PathHelpers.h"
#include "framework/text/Duration.h"
#include "image/ImageFit.h"
#include "mediatools/CEncoderJob.h"
#include "player/CPlayerSettings.h"
#include <initializer_list>
#include <shlwapi.h>

namespace {

// Grabs that come out blank move on by this much, up to the last start time tried.
const LONGLONG kGrabStepMs = 2000;
const LONGLONG kLastGrabStartMs = 9999;

}  // namespace

void CPlaylistItem::Reset()
{
    m_mediaInfo.Reset();
    m_llLastPosition = 0;
    m_nPlayState = 0;
    m_nMediaType = 0;
    m_nFileType = 0;
    m_strTitle.Empty();
    m_thumbnail.Destroy();
    m_storedThumbnail.clear();
    m_strDurationText.Empty();
    m_strFramesText.Empty();
    m_strDefinitionText.Empty();
    m_strResolutionText.Empty();
    m_strDisplayResolutionText.Empty();
    m_strPathText.Empty();
    CPlaylistEntry::Reset();
}

int CPlaylistItem::SetMedia(LPCWSTR pszPath, const StopFlag* pStopFlag)
{
    m_dwFlags = 0;
    m_strPath = pszPath;
    if (PathIsURLW(pszPath))
        m_dwFlags |= ITEM_FLAG_URL;
    if (LoadMediaInfo(1, pStopFlag) < 0)
        return -1;
    PrepareDisplayInfo();
    return 0;
}

int CPlaylistItem::LoadMediaInfo(int bForce, const StopFlag* pStopFlag)
{
    if ((m_dwFlags & ITEM_FLAG_PROBED) && !bForce)
        return 1;
    if (m_mediaInfo.Probe(m_strPath, pStopFlag) != 0)
        return -1;
    m_dwFlags |= ITEM_FLAG_PROBED;
    return 0;
}

int CPlaylistItem::PrepareDisplayInfo()
{
    if (m_dwState & ITEM_STATE_TEXTS)
        return 1;
    if (!PathIsURLW(m_strPath) && !PathExists(m_strPath))
        m_dwState |= ITEM_STATE_MISSING;
    m_nMediaType = m_mediaInfo.MediaType;
    m_nFileType = m_mediaInfo.FileType;
    m_strTitle = m_mediaInfo.Metadata.Title;
    m_strTitle.Trim();
    if (m_strTitle.IsEmpty())
        m_strTitle = PathFindFileNameW(m_strPath);
    m_strDurationText.Empty();
    if (m_mediaInfo.DurationInUs > 0)
        m_strDurationText = FormatDurationUs(m_mediaInfo.DurationInUs, false, false, false);
    m_strFramesText.Empty();
    m_strDefinitionText.Empty();
    m_strResolutionText.Empty();
    m_strDisplayResolutionText.Empty();
    if (const CMediaStreamInfo* pVideo = m_mediaInfo.GetVideoStream()) {
        if (pVideo->Frames > 0)
            m_strFramesText.Format(L"%d f", static_cast<int>(pVideo->Frames));
        m_strDefinitionText = GetDefinitionText(pVideo->Height);
        if (pVideo->Width > 0 && pVideo->Height > 0)
            m_strResolutionText.Format(L"%dx%d", pVideo->Width, pVideo->Height);
        if (pVideo->DisplayWidth > 0 && pVideo->DisplayHeight > 0)
            m_strDisplayResolutionText.Format(L"%dx%d", pVideo->DisplayWidth, pVideo->DisplayHeight);
    }
    m_strPathText = m_strPath;
    m_dwState |= ITEM_STATE_TEXTS;
    return 0;
}

int CPlaylistItem::LoadThumbnail(int bForce, const StopFlag* pStopFlag)
{
    if ((m_dwState & ITEM_STATE_THUMBNAIL) && !bForce)
        return 1;
    if (BuildThumbnail(pStopFlag) != 0)
        return -1;
    m_dwState |= ITEM_STATE_THUMBNAIL;
    return 0;
}

int CPlaylistItem::BuildThumbnail(const StopFlag* pStopFlag)
{
    if (!m_strThumbnailFile.IsEmpty() && FileExists(m_strThumbnailFile) && LoadThumbnailImage(m_strThumbnailFile) == 0)
        return 0;
    CString sideImage;
    if (!PathIsURLW(m_strPath) && FindSideImage(sideImage) == 0 && LoadThumbnailImage(sideImage) == 0) {
        m_dwFlags |= ITEM_FLAG_SIDE_IMAGE;
        return 0;
    }
    if (m_nMediaType == MEDIA_TYPE_VIDEO && GrabThumbnailFrame(pStopFlag) == 0) {
        m_dwFlags |= ITEM_FLAG_GRABBED_FRAME;
        return 0;
    }
    return -1;
}

int CPlaylistItem::FindSideImage(CString& strPath) const
{
    if (m_strPath.IsEmpty() || PathIsURLW(m_strPath))
        return -1;
    for (LPCWSTR pszExtension : {L".jpg", L".jpeg", L".png", L".bmp"}) {
        CString candidate = ChangeFileExtension(m_strPath, pszExtension);
        if (FileExists(candidate)) {
            strPath = candidate;
            return 0;
        }
    }
    return -1;
}

int CPlaylistItem::GrabThumbnailFrame(const StopFlag* pStopFlag)
{
    LONGLONG t = g_playerSettings.m_nThumbnailTime;
    LONGLONG d = m_mediaInfo.DurationInUs / 1000;
    if (d < t)
        t = 0;
    const CMediaStreamInfo* pVideo = m_mediaInfo.GetVideoStream();
    int nAspectNum = pVideo ? pVideo->AspectNum : 0;
    int nAspectDen = pVideo ? pVideo->AspectDen : 0;
    for (;;) {
        CRasterImage frame;
        if (GrabFrame(m_strPath, frame, t, 0, 0, nAspectNum, nAspectDen, pStopFlag) != 0)
            return -1;
        if (IsImageNotBlank(&frame)) {
            TakeThumbnail(frame);
            return 0;
        }
        if (t > d || t > kLastGrabStartMs || IsStopRequested(pStopFlag))
            return -1;
        t += kGrabStepMs;
    }
}

int CPlaylistItem::LoadThumbnailImage(LPCWSTR pszPath)
{
    CRasterImage image;
    if (!image.LoadFromFile(pszPath, RASTER_FORMAT_UNKNOWN))
        return -1;
    TakeThumbnail(image);
    return 0;
}

void CPlaylistItem::TakeThumbnail(CRasterImage& image)
{
    ShrinkImageToFit(&image, g_playerSettings.m_nThumbnailWidth, g_playerSettings.m_nThumbnailHeight);
    m_thumbnail.MoveFrom(image);
    m_storedThumbnail.clear();
}

void CPlaylistItem::DecodeStoredThumbnail()
{
    if (m_storedThumbnail.empty())
        return;
    if (!m_thumbnail.DecodeFromMemory(m_storedThumbnail.data(), static_cast<uint32_t>(m_storedThumbnail.size()),
                                      RASTER_FORMAT_JPG))
        m_dwState &= ~ITEM_STATE_THUMBNAIL;
    std::vector<BYTE>().swap(m_storedThumbnail);
}

CString GetDefinitionText(int nHeight)
{
    switch (nHeight) {
    case 720: return L"HD 720";
    case 1080: return L"HD 1080";
    case 1440: return L"QHD 2K";
    case 2160: return L"UHD 4K";
    case 4320: return L"UHD 8K";
    default: return CString();
    }
}

int GrabFrame(LPCWSTR pszMediaPath, CRasterImage& image, LONGLONG nTimeMs, int nWidth, int nHeight,
              int nAspectNum, int nAspectDen, const StopFlag* pStopFlag)
{
    CString tempPath = GetUniqueTempPath();
    if (tempPath.IsEmpty())
        return -1;
    CTempFileGuard guard(tempPath, true, true);
    CEncoderJob job;
    int result = job.ExtractFrame(pszMediaPath, tempPath, nTimeMs, nWidth, nHeight, nullptr, pStopFlag);
    if (result != 0)
        return result == 1 ? 1 : -1;
    CRasterImage frame;
    if (!FileExists(tempPath) || !frame.LoadFromFile(tempPath, RASTER_FORMAT_JPG))
        return -1;
    if (nAspectNum > 0 && nAspectDen > 0) {
        int nDisplayWidth = 0, nDisplayHeight = 0;
        ComputeDisplaySize(frame.GetWidth(), frame.GetHeight(), nAspectNum, nAspectDen, nDisplayWidth, nDisplayHeight);
        ResampleImageNearest(&frame, nDisplayWidth, nDisplayHeight);
    }
    image.MoveFrom(frame);
    return 0;
}
