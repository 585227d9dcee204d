// What is known about one media file: the file record CMediaInfo, one CMediaStreamInfo per
// stream and a metadata block, with the post-processing that sorts streams by type and
// classifies the file.
#pragma once
#include "classlib/CArray.h"
#include "classlib/COwnedPtrArray.h"
#include "classlib/CString.h"
#include "framework/system/StopFlag.h"

// Media types of streams and files, and the file types of CMediaInfo::FileType.
enum {
    MEDIA_TYPE_OTHER = 0,
    MEDIA_TYPE_VIDEO = 1,
    MEDIA_TYPE_AUDIO = 2,
    MEDIA_TYPE_SUBTITLE = 3,
    MEDIA_TYPE_CAPTION = 4,
    MEDIA_FILE_IMAGE = 5,
    MEDIA_FILE_ANIMATED_IMAGE = 6,
    MEDIA_FILE_TEXT = 7
};

// Stream flag bits.
const int STREAM_FLAG_AVC = 0x1;            // AVC in length-prefixed form
const int STREAM_FLAG_DEFAULT = 0x1000000;  // marked as the default stream

// The records below keep their defaults on the declarations; Reset assigns a fresh record.
class CMediaStreamInfo {
public:
    void Reset() { *this = CMediaStreamInfo(); }

    int Flags = 0;
    int Index = -1;                    // in the file; -1 unknown
    int MediaType = MEDIA_TYPE_OTHER;  // MEDIA_TYPE_...
    CString Codec;
    CString Profile;
    CString CodecTag;
    int TimeBaseNum = 0, TimeBaseDen = 0;
    LONGLONG StartTimeInUs = 0;
    LONGLONG DurationInUs = 0;
    LONGLONG Frames = 0;
    int BitRate = 0;
    CString Language;
    CString PixelFormat;
    int Width = 0, Height = 0;         // coded size
    int AspectNum = 0, AspectDen = 0;  // sample aspect ratio
    int FrameRateNum = 0, FrameRateDen = 0;
    CString SampleFormat;
    int Channels = 0;
    int SampleRate = 0;
    int ListPosition = -1;                    // in the file record's stream list
    int TypePosition = -1;                    // in its per-type list
    int DisplayWidth = 0, DisplayHeight = 0;  // video only: coded size corrected by the sample aspect
};

class CMediaMetadata {
public:
    CMediaMetadata() = default;
    CMediaMetadata(const CMediaMetadata&) = default;
    CMediaMetadata& operator=(const CMediaMetadata&) = default;
    virtual ~CMediaMetadata() = default;
    void Reset() { *this = CMediaMetadata(); }

    CString Title;
    CString Author;
    CString Album;
    int Track = 0;
    int Year = 0;
    CString Genre;
    CString Copyright;
    CString Comment;
};

typedef CTypedPtrArray<CPtrArray, CMediaStreamInfo*> CMediaStreamInfoPtrArray;

// Owns its records: DeleteAll and the destructor delete them.
class CMediaStreamInfoArray : public COwnedPtrArray<CMediaStreamInfo> {};

class CMediaInfo {
public:
    CMediaInfo() = default;
    CMediaInfo(const CMediaInfo&) = delete;
    CMediaInfo& operator=(const CMediaInfo&) = delete;
    // Moving takes the streams along; Reset moves a fresh record in.
    CMediaInfo(CMediaInfo&&) = default;
    CMediaInfo& operator=(CMediaInfo&&) = default;
    virtual ~CMediaInfo() = default;

    virtual void Reset();
    // Probes the file with the prober tool; a second pass counts frames of an animated image
    // that older tools report without a frame count. 0 or -1.
    virtual int Probe(LPCWSTR pszPath, const StopFlag* pStopFlag);
    virtual int Analyse();
    virtual void SortStreams();
    virtual void DetectMediaType();
    virtual void DetectFileType();

    // The selected video stream, the first for -1; null when there is none.
    CMediaStreamInfo* GetVideoStream() const;

    int Flags = 0;  // kept for the owner
    int MediaType = 0;
    int FileType = 0;  // MEDIA_FILE_... or 0 for ordinary media
    CString Format;
    LONGLONG StartTimeInUs = 0;
    LONGLONG DurationInUs = 0;
    LONGLONG Size = 0;
    int BitRate = 0;
    int Streams = 0;  // as reported by the prober
    int Programs = 0;
    int ProbeScore = 0;
    CString EncoderTag;
    CMediaStreamInfoArray StreamList;  // in file order
    CMediaMetadata Metadata;
    CMediaStreamInfoPtrArray VideoStreams;  // point into StreamList
    CMediaStreamInfoPtrArray AudioStreams;
    CMediaStreamInfoPtrArray SubtitleStreams;
    CMediaStreamInfoPtrArray CaptionStreams;
    int SelectedVideoStream = -1;  // positions in the per-type lists; -1 the first
    int SelectedAudioStream = -1;
    int SelectedSubtitleStream = -1;
    int SelectedCaptionStream = -1;
};

// The size a video of the given coded size and sample aspect ratio shows at. An aspect ratio
// outside 1/16 to 16 is taken as square pixels.
void ComputeDisplaySize(int nWidth, int nHeight, int nAspectNum, int nAspectDen, int& nDisplayWidth,
                        int& nDisplayHeight);
