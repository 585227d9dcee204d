// ffmpeg.exe as the converter's child: started directly in a job object that kills it when
// the converter ends, its progress read from its standard output and its input durations
// from its log on standard error (which is passed on to the converter's own).
#pragma once

#include "tools/ClipConverter/FfmpegLogReader.h"
#include "common/OwnedHandle.h"

#include <windows.h>
#include <atomic>
#include <cstdint>
#include <functional>
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
    // inputCount: the inputs of the command, the only ones the log may speak of.
    explicit FfmpegProcess(size_t inputCount) : m_log(inputCount) {}
    FfmpegProcess(const FfmpegProcess&) = delete;
    FfmpegProcess& operator=(const FfmpegProcess&) = delete;
    ~FfmpegProcess();

    bool Start(const std::wstring& exePath, const std::vector<std::wstring>& args);
    // Waits up to ms for ffmpeg to end. Once it has, whatever it started ends too, and its
    // output is read as far as it is there, for at most a short grace time: a process it left
    // behind may hold the pipes open for ever.
    bool WaitForExit(DWORD ms);
    void Kill();
    DWORD ExitCode() const;
    FfmpegReport Report();

private:
    void ReadPipe(OwnedHandle pipe, const std::function<void(const char*, DWORD)>& take);
    void TakeProgress(const char* bytes, DWORD count);
    void TakeProgressLine(const std::string& line);
    void TakeLog(const char* bytes, DWORD count);

    OwnedHandle m_job;
    OwnedHandle m_process;
    std::thread m_progressReader;
    std::thread m_logReader;
    std::atomic<bool> m_ended{false};
    std::atomic<DWORD> m_readDeadline{0};
    std::mutex m_mutex;
    FfmpegReport m_report;
    FfmpegLogReader m_log;  // under m_mutex
    // The progress reader's own: the line being read and the block's numbers so far.
    std::string m_progressLine;
    int64_t m_blockTimeUs = 0;
    int64_t m_blockBytes = 0;
};
