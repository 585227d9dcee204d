// One row of the playlist: the entry, its media information, resume position, display texts
// and thumbnail picture. Created with new; the row (or a playlist record that owns it) deletes
// it. Thumbnails are built on the update threads, the rest on the window and load threads.
#pragma once
#include "image/RasterImage.h"
#include "mediatools/CMediaInfo.h"
#include "player/playlist/CPlaylistEntry.h"
#include <vector>

class CPlaylistItem : public CPlaylistEntry {
public:
    CPlaylistItem() = default;
    CPlaylistItem(const CPlaylistItem&) = delete;
    CPlaylistItem& operator=(const CPlaylistItem&) = delete;

    void Reset() override;

    // Sets the path (a URL is flagged), probes it and fills the display texts. 0 / -1.
    int SetMedia(LPCWSTR pszPath, const StopFlag* pStopFlag = nullptr);
    // 1 when probed already and force is 0; else probes the path: 0, or -1 when it fails.
    int LoadMediaInfo(int bForce, const StopFlag* pStopFlag = nullptr);
    // 1 when the texts are ready; else marks a missing file and fills title, duration, frames,
    // definition and resolution texts from the media information: 0.
    int PrepareDisplayInfo();

    // 1 when a thumbnail is built already and force is 0; else BuildThumbnail: 0 and the
    // state bit set, or -1. The stop flag ends a frame grab early.
    int LoadThumbnail(int bForce, const StopFlag* pStopFlag = nullptr);
    // The thumbnail file, else an image beside the media, else a grabbed frame of a video.
    int BuildThumbnail(const StopFlag* pStopFlag = nullptr);
    // The media path with ".jpg", ".jpeg", ".png" or ".bmp" in its place, the first that exists.
    int FindSideImage(CString& strPath) const;
    // A frame at Thumbnail.Time (0 for a shorter media), later ones while the frames are blank.
    int GrabThumbnailFrame(const StopFlag* pStopFlag = nullptr);
    // Any image file, shrunk to the thumbnail size, as the thumbnail picture. 0 / -1.
    int LoadThumbnailImage(LPCWSTR pszPath);
    // Window thread: the JPEG bytes a playlist file gave become the thumbnail picture. Bytes that
    // are no picture leave none, and the next update pass builds one.
    void DecodeStoredThumbnail();

    CMediaInfo m_mediaInfo;
    LONGLONG m_llLastPosition = 0;  // microseconds to resume from; 0 none
    int m_nPlayState = 0;           // the session's state while this is the current item
    int m_nMediaType = 0;           // copies of the media information's types
    int m_nFileType = 0;
    CString m_strTitle;
    CRasterImage m_thumbnail;
    // The thumbnail as a playlist file stored it (JPEG), until the row is first drawn: decoding
    // every row of a large playlist up front costs most of its load.
    std::vector<BYTE> m_storedThumbnail;
    CString m_strDurationText;
    CString m_strFramesText;
    CString m_strDefinitionText;
    CString m_strResolutionText;
    CString m_strDisplayResolutionText;
    CString m_strPathText;

private:
    void TakeThumbnail(CRasterImage& image);
};

// The definition label of a coded video height: exact heights only, else empty.
CString GetDefinitionText(int nHeight);

// Grabs the frame at nTimeMs with the encoder tool (width and height 0 keep the source size)
// and, for a sample aspect given, resizes it to the display size. 0, or -1 when the tool fails
// or writes no image; 1 when stopped.
int GrabFrame(LPCWSTR pszMediaPath, CRasterImage& image, LONGLONG nTimeMs, int nWidth, int nHeight,
              int nAspectNum, int nAspectDen, const StopFlag* pStopFlag);
