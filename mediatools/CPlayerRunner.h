// Running the playback tool: its settings, the parameters of one run and the command line.
#pragma once
#include "framework/system/CCommandLine.h"
#include "framework/system/CProcessRunner.h"
#include "mediatools/PlayerStatus.h"

// Stream choice values besides a stream number.
const int PLAY_STREAM_DEFAULT = -1;
const int PLAY_STREAM_OFF = -2;

class CPlayParams {
public:
    CPlayParams() = default;
    CPlayParams(const CPlayParams&) = default;
    CPlayParams& operator=(const CPlayParams&) = default;
    virtual ~CPlayParams() = default;
    virtual int Validate() { return 0; }
    void Reset() { *this = CPlayParams(); }

    CString Path;  // file or URL
    // PLAY_STREAM_..., or a stream number: the stream's position in the file's stream list plus 1.
    int VideoStream = PLAY_STREAM_DEFAULT;
    int AudioStream = PLAY_STREAM_DEFAULT;
    int SubtitleStream = PLAY_STREAM_DEFAULT;
    LONGLONG StartPosition = 0;  // ms
    LONGLONG PlayLength = -1;    // ms; -1 to the end
    CString SyncSource;
    int PtsFactor = 100;  // percent
    int Rotation = 0;     // 90, 180 or 270
    int HFlip = 0, VFlip = 0, Negate = 0, Grayscale = 0, OldPhoto = 0;
    int AudioVolumeFactor = 100;  // percent
    int AudioTempo = 100;         // percent
    LONGLONG AudioDelay = 0;      // ms
    LONGLONG AudioTrim = 0;       // ms
    CString ExtraArgs;            // appended as they stand
};

class CPlayerRunner : public CProcessRunner {
public:
    CPlayerRunner();

    // 0 the tool ended with exit code 0, 1 stopped (the stop flag held 20), -1 failure, -2 the
    // tool is missing (last tool error -413). Blocks the calling thread for the whole playback.
    virtual int RunTool(CPlayParams& params, const StopFlag* pStopFlag, LPCWSTR pszWorkingFolder = nullptr);
    // The complete command line; 0.
    virtual int BuildArguments(CString& strCommandLine, CPlayParams& params);

    int m_nThreads;
    int m_bInputBuffer;
    int m_bFrameDrop;
    int m_bSeekToAny;
    CString m_strVideoDriver;
    CString m_strAudioDriver;
    int m_nExitDelay;  // below 1: the tool exits at the end of the media
    int m_bMute;
    int m_nVolume;     // 0 to 100
    int m_nWaveEffect, m_nWaveBlockSize, m_nWaveBlockSpace, m_nWaveGradient;
    int m_nWaveColor1, m_nWaveColor2, m_nWaveColor3;
    PlayerStatus m_status;

private:
    void AddPlaybackOptions(CCommandLine& args, CPlayParams& params);
    void AddStreamOptions(CCommandLine& args, CPlayParams& params);
    void AddFilterOptions(CCommandLine& args, CPlayParams& params);
    void AddWaveformOptions(CCommandLine& args);
};
