// ffmpeg.exe as the converter's child: started directly in a job object that kills it when
// the converter ends, its progress read from its standard output and its input durations
// from its log on standard error (which is passed on to the converter's own).
#pragma once

#include "tools/common/OwnedHandle.h"

#include <windows.h>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What ffmpeg has told so far.
struct FfmpegReport {
    int64_t OutputTimeUs = 0;
    int64_t BytesWritten = 0;
    bool InputsOpened = false;              // its log has gone past the inputs' descriptions
    int ProgressBlocks = 0;
    std::vector<int64_t> InputDurationsUs;  // by input; 0 when unknown
};

class FfmpegProcess {
public:
    FfmpegProcess() = default;
    FfmpegProcess(const FfmpegProcess&) = delete;
    FfmpegProcess& operator=(const FfmpegProcess&) = delete;
    ~FfmpegProcess();

    bool Start(const std::wstring& exePath, const std::vector<std::wstring>& args);
    // Waits up to ms for ffmpeg to end; once it has, its output is read to the end.
    bool WaitForExit(DWORD ms);
    void Kill();
    DWORD ExitCode() const;
    FfmpegReport Report();

private:
    void ReadProgress(OwnedHandle pipe);
    void ReadLog(OwnedHandle pipe);
    void TakeProgressLine(const std::string& line, int64_t* timeUs, int64_t* bytes);
    void TakeLogLine(const std::string& line, int* input);

    OwnedHandle m_job;
    OwnedHandle m_process;
    std::thread m_progressReader;
    std::thread m_logReader;
    std::mutex m_mutex;
    FfmpegReport m_report;
};
