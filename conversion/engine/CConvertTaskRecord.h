// The data of one conversion task: what to convert (inputs), how (options), what came out
// (output) and how far the run got (progress), with the status texts the task page shows.
// A task page fills it on the worker thread before a run; the job writes it during the run.
#pragma once
#include "classlib/CArray.h"
#include "conversion/engine/CMediaCatalogItem.h"
#include "mediatools/CMediaInfo.h"
#include "mediatools/EncoderProgress.h"

// Task kinds.
const int TASK_KIND_AUTO = 0;  // 3 with an input list, else 1 with a format id, else 2
const int TASK_KIND_CONVERT = 1;
const int TASK_KIND_MERGE = 2;
const int TASK_KIND_JOIN_LIST = 3;
const int TASK_KIND_JOIN_SEGMENTS = 4;

// States.
const int TASK_STATE_IDLE = 0;
const int TASK_STATE_RUNNING = 10;
const int TASK_STATE_COMPLETED = 100;
const int TASK_STATE_CANCELED = 120;
const int TASK_STATE_FAILED = -1;

// Phases of a running task.
const int TASK_PHASE_NONE = 0;
const int TASK_PHASE_PREPARING = 10;
const int TASK_PHASE_OUTPUT_NAMED = 11;
const int TASK_PHASE_CONVERTING = 20;
const int TASK_PHASE_CONVERTED = 21;
const int TASK_PHASE_ENDING = 30;
const int TASK_PHASE_ENDED = 31;

// Result codes.
const int TASK_RESULT_NONE = 0;
const int TASK_RESULT_FILE_EXISTS = 200;
const int TASK_ERROR_INPUT_NOT_FOUND = -100;
const int TASK_ERROR_INPUT_NOT_SUPPORTED = -101;
const int TASK_ERROR_OUTPUT_FOLDER = -200;
const int TASK_ERROR_CONVERT_FAILED = -300;

// Status codes (the page's state icon) and colour codes (its progress bar); -2 no change.
const int TASK_STATUS_UNCHANGED = -2;
const int TASK_STATUS_BUSY = 100;
const int TASK_STATUS_CONVERTING = 101;
const int TASK_STATUS_CANCELED = 220;
const int TASK_STATUS_SKIPPED = 221;
const int TASK_STATUS_FAILED = 240;
const int TASK_STATUS_COMPLETED = 300;
const int TASK_COLOUR_BUSY = 10;
const int TASK_COLOUR_CONVERTING = 11;

// CConvertOptions flags.
const DWORD CONVERT_TO_INPUT_FOLDER = 0x1;     // the output goes beside the (first) input
const DWORD CONVERT_INPUT_NEED_NOT_EXIST = 0x100;  // the main input is not a file (a URL)

// Phase flags.
const DWORD TASK_FLAG_OUTPUT_NAMED = 0x1;
const DWORD TASK_FLAG_OUTPUT_WRITTEN = 0x2;
const DWORD TASK_FLAG_ENDED = 0x4;

// Probe flags.
const DWORD TASK_PROBED_MAIN = 0x1;
const DWORD TASK_PROBED_AUDIO = 0x10;
const DWORD TASK_PROBED_SUBTITLE = 0x20;
const DWORD TASK_PROBED_OUTPUT = 0x100;

// List modes of a concatenation.
const int TASK_LIST_UNDECIDED = 0;
const int TASK_LIST_REMUX = 1;  // through the encoding tool
const int TASK_LIST_BYTES = 2;  // byte by byte

// Progress sources and modes of the progress numbers.
const int TASK_PROGRESS_FROM_BYTES = 0;
const int TASK_PROGRESS_FROM_ENCODER = 1;
const int TASK_PROGRESS_MODE_BYTES = 10;
const int TASK_PROGRESS_MODE_TIME = 11;

// The parts of the record keep their defaults on the declarations; Reset assigns a fresh part.
class CTaskInputs {
public:
    void Reset() { *this = CTaskInputs(); }

    CString m_mainPath;
    CMediaInfo m_mainInfo;
    int m_mainKind = MEDIA_KIND_NONE;  // 1 video, 2 audio, 0 neither
    LONGLONG m_mainDuration = -1;      // microseconds, from the media information
    CString m_audioPath;
    CMediaInfo m_audioInfo;
    CString m_subtitlePath;
    CMediaInfo m_subtitleInfo;
    CStringArray m_inputList;              // kinds 3 and 4
    int m_listMode = TASK_LIST_UNDECIDED;  // TASK_LIST_...
    LONGLONG m_expectedSize = 0;           // bytes; 0 unknown
};

class CConvertOptions {
public:
    void Reset() { *this = CConvertOptions(); }

    DWORD m_flags = 0;  // CONVERT_...
    CString m_outputFolder;
    CString m_outputSubfolder;
    CString m_outputName;
    CString m_formatId;    // e.g. "VF_mp4"
    CString m_presetName;
    CString m_container;   // for stream copy
    int m_cutStart = 0;    // milliseconds
    int m_cutEnd = -1;     // milliseconds; -1 none
    CString m_videoCodec;  // for stream copy
    int m_rotation = 0;    // degrees: 90, 180, 270
    int m_horizontalFlip = 0;
    int m_verticalFlip = 0;
    int m_grayscale = 0;
    int m_negate = 0;
    int m_oldPhoto = 0;
    CString m_audioCodec;  // for stream copy
    int m_volume = 100;    // percent
    CString m_subtitleCodec;
    int m_gifLoop = -1;  // -1 not set
};

class CTaskOutput {
public:
    void Reset() { *this = CTaskOutput(); }

    CString m_path;
    CMediaInfo m_info;
    int m_kind = MEDIA_KIND_NONE;  // cached: 1 video, 2 audio, 0 neither
    LONGLONG m_size = -1;          // bytes; -1 unknown
};

class CTaskProgress {
public:
    void Reset() { *this = CTaskProgress(); }

    DWORD m_phaseFlags = 0;  // TASK_FLAG_...
    DWORD m_probeFlags = 0;  // TASK_PROBED_...
    int m_state = TASK_STATE_IDLE;
    int m_phase = TASK_PHASE_NONE;
    int m_result = TASK_RESULT_NONE;
    int m_source = TASK_PROGRESS_FROM_ENCODER;  // TASK_PROGRESS_FROM_...
    EncoderProgress m_block = {};
    int m_mode = 0;
    LONGLONG m_total = 0;
    LONGLONG m_position = 0;
};

class CConvertTaskRecord {
public:
    CConvertTaskRecord() : m_kind(TASK_KIND_AUTO) {}
    CConvertTaskRecord(const CConvertTaskRecord&) = delete;
    CConvertTaskRecord& operator=(const CConvertTaskRecord&) = delete;
    virtual ~CConvertTaskRecord() = default;

    void ResetAll();
    void ResetInputs();
    // Clears the output and the progress of the last run; its result code stays.
    void ResetOutput();
    void SetState(int state) { m_progress.m_state = state; }
    // The phases 11, 21 and 31 also set their phase flag.
    void SetPhase(int phase);
    void SetResult(int code) { m_progress.m_result = code; }
    void SetProgressNumbers(LONGLONG position, LONGLONG total, int mode);
    bool HasProgressNumbers() const;

    // Each stores the path and probes the file (blocking; worker thread). -1 when the probe
    // fails, or for a main input that is a single still image, an audio input without audio
    // or a subtitle input without subtitles; else 0.
    int SetMainInput(LPCWSTR path, const StopFlag* pStopValue);
    int SetAudioInput(LPCWSTR path, const StopFlag* pStopValue);
    int SetSubtitleInput(LPCWSTR path, const StopFlag* pStopValue);
    // Probe the input once per path: 0 probed now, 1 probed before, -1 failed.
    int ProbeMainInput(const StopFlag* pStopValue);
    int ProbeAudioInput(const StopFlag* pStopValue);
    int ProbeSubtitleInput(const StopFlag* pStopValue);
    // Probes the output once: 0, 1 probed before, -1 failed.
    int ProbeOutput(const StopFlag* pStopValue);

    // The kind the chosen format and preset give (a video format whose preset has no video
    // gives audio); the cached kind when the format is unknown.
    int GetOutputMediaKind();
    int GetInputMediaKind() const;
    int GetCachedOutputMediaKind() const;
    // Status code and colour code (TASK_STATUS_UNCHANGED for none), the status text and its
    // detail for the present state, phase and result.
    void GetStatus(int& statusCode, int& colourCode, CString& text, CString& detail) const;

    // Open the file in the player when it is installed beside this program, else with the
    // file's own program. 0, or -1 when the file doesn't exist.
    int OpenInput() const;
    int OpenOutput() const;

    // Whether the path names one of the inputs (main, audio, subtitle or a listed file).
    bool IsInputPath(LPCWSTR path) const;
    // Sends an input to the Recycle Bin after a run; refused (-1) for the output itself.
    int RecycleInput(LPCWSTR path) const;

    int m_kind;
    CTaskInputs m_inputs;
    CConvertOptions m_options;
    CTaskOutput m_output;
    CTaskProgress m_progress;
};
