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

class CMediaStreamInfo {
public:
    CMediaStreamInfo() { Reset(); }
    void Reset();

    int Flags;
    int Index;      // in the file; -1 unknown
    int MediaType;  // MEDIA_TYPE_...
    CString Codec;
    CString Profile;
    CString CodecTag;
    int TimeBaseNum, TimeBaseDen;
    LONGLONG StartTimeInUs;
    LONGLONG DurationInUs;
    LONGLONG Frames;
    int BitRate;
    CString Language;
    CString PixelFormat;
    int Width, Height;            // coded size
    int AspectNum, AspectDen;     // sample aspect ratio
    int FrameRateNum, FrameRateDen;
    CString SampleFormat;
    int Channels;
    int SampleRate;
    int ListPosition;             // in the file record's stream list
    int TypePosition;             // in its per-type list
    int DisplayWidth, DisplayHeight;  // video only: coded size corrected by the sample aspect
};

class CMediaMetadata {
public:
    CMediaMetadata() { Reset(); }
    virtual ~CMediaMetadata() = default;
    void Reset();

    CString Title;
    CString Author;
    CString Album;
    int Track;
    int Year;
    CString Genre;
    CString Copyright;
    CString Comment;
};

typedef CTypedPtrArray<CPtrArray, CMediaStreamInfo*> CMediaStreamInfoPtrArray;

// Owns its records: DeleteAll and the destructor delete them.
class CMediaStreamInfoArray : public COwnedPtrArray<CMediaStreamInfo> {};

class CMediaInfo {
public:
    CMediaInfo() { Reset(); }
    CMediaInfo(const CMediaInfo&) = delete;
    CMediaInfo& operator=(const CMediaInfo&) = delete;
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

    int Flags;     // kept for the owner
    int MediaType;
    int FileType;  // MEDIA_FILE_... or 0 for ordinary media
    CString Format;
    LONGLONG StartTimeInUs;
    LONGLONG DurationInUs;
    LONGLONG Size;
    int BitRate;
    int Streams;   // as reported by the prober
    int Programs;
    int ProbeScore;
    CString EncoderTag;
    CMediaStreamInfoArray StreamList;  // in file order
    CMediaMetadata Metadata;
    CMediaStreamInfoPtrArray VideoStreams;  // point into StreamList
    CMediaStreamInfoPtrArray AudioStreams;
    CMediaStreamInfoPtrArray SubtitleStreams;
    CMediaStreamInfoPtrArray CaptionStreams;
    int SelectedVideoStream;  // positions in the per-type lists; -1 the first
    int SelectedAudioStream;
    int SelectedSubtitleStream;
    int SelectedCaptionStream;
};

// The size a video of the given coded size and sample aspect ratio shows at. An aspect ratio
// outside 1/16 to 16 is taken as square pixels.
void ComputeDisplaySize(int nWidth, int nHeight, int nAspectNum, int nAspectDen, int& nDisplayWidth,
                        int& nDisplayHeight);
