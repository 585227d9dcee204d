#include "tools/ClipConverter/FfmpegProcess.h"

#include "tools/ClipConverter/CommandTranslator.h"
#include "common/ArgumentQuoting.h"
#include "common/KillOnCloseJob.h"

#include <cctype>
#include <cstdlib>
#include <utility>

namespace {

const DWORD kPollMs = 10;
// How long the pipes are read after ffmpeg has ended.
const DWORD kReadGraceMs = 1000;
// A progress line of ffmpeg is short; the rest of a longer one is dropped.
const size_t kLongestProgressLine = 1024;

// A pipe whose write end the child inherits; the read end stays ours.
bool CreateOutputPipe(OwnedHandle& read, OwnedHandle& write)
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    if (!CreatePipe(read.Receive(), write.Receive(), &sa, 0))
        return false;
    SetHandleInformation(read.Get(), HANDLE_FLAG_INHERIT, 0);
    return true;
}

HANDLE OpenInheritableNul()
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    return CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                       OPEN_EXISTING, 0, nullptr);
}

// ffmpeg writes "N/A" where it has no number yet.
bool ParseInt64(const std::string& text, int64_t* value)
{
    if (text.empty() || !(isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-'))
        return false;
    *value = strtoll(text.c_str(), nullptr, 10);
    return true;
}

}  // namespace

FfmpegProcess::~FfmpegProcess()
{
    if (m_process && WaitForSingleObject(m_process.Get(), 0) != WAIT_OBJECT_0)
        Kill();
    WaitForExit(INFINITE);
}

bool FfmpegProcess::Start(const std::wstring& exePath, const std::vector<std::wstring>& args)
{
    m_job = CreateKillOnCloseJob();
    OwnedHandle outRead, outWrite, errRead, errWrite;
    if (!m_job || !CreateOutputPipe(outRead, outWrite) || !CreateOutputPipe(errRead, errWrite))
        return false;
    OwnedFileHandle nul(OpenInheritableNul());
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nul.Get();
    si.hStdOutput = outWrite.Get();
    si.hStdError = errWrite.Get();
    std::wstring line = QuoteArgument(exePath) + L" " + JoinArguments(args);
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    PROCESS_INFORMATION pi = {};
    // Suspended until it is in the job, so that nothing it starts escapes the job.
    BOOL created = CreateProcessW(exePath.c_str(), buffer.data(), nullptr, nullptr, TRUE,
                                  CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    // Our copies of the write ends go, so that the reads end when ffmpeg's do.
    outWrite.Reset();
    errWrite.Reset();
    if (!created)
        return false;
    OwnedHandle thread(pi.hThread);
    m_process.Reset(pi.hProcess);
    AssignProcessToJobObject(m_job.Get(), m_process.Get());
    ResumeThread(thread.Get());
    m_progressReader = std::thread(&FfmpegProcess::ReadPipe, this, std::move(outRead),
                                   [this](const char* bytes, DWORD count) { TakeProgress(bytes, count); });
    m_logReader = std::thread(&FfmpegProcess::ReadPipe, this, std::move(errRead),
                              [this](const char* bytes, DWORD count) { TakeLog(bytes, count); });
    return true;
}

bool FfmpegProcess::WaitForExit(DWORD ms)
{
    if (m_process && WaitForSingleObject(m_process.Get(), ms) != WAIT_OBJECT_0)
        return false;
    if (!m_ended) {
        TerminateJobObject(m_job.Get(), 1);
        m_readDeadline = GetTickCount() + kReadGraceMs;
        m_ended = true;
    }
    if (m_progressReader.joinable())
        m_progressReader.join();
    if (m_logReader.joinable()) {
        m_logReader.join();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_log.End();
    }
    return true;
}

void FfmpegProcess::Kill()
{
    TerminateJobObject(m_job.Get(), 1);
    // In case the platform refused to nest our job inside the one we run in.
    TerminateProcess(m_process.Get(), 1);
}

DWORD FfmpegProcess::ExitCode() const
{
    DWORD code = 1;
    GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

FfmpegReport FfmpegProcess::Report()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_report.InputsOpened = m_log.InputsOpened();
    m_report.InputDurationsUs = m_log.InputDurationsUs();
    return m_report;
}

// Reads what is in the pipe, polling, until every writer has closed it; once ffmpeg has ended,
// until the pipe is empty or the grace time is over.
void FfmpegProcess::ReadPipe(OwnedHandle pipe, const std::function<void(const char*, DWORD)>& take)
{
    char buffer[4096];
    for (;;) {
        DWORD available = 0, got = 0;
        if (!PeekNamedPipe(pipe.Get(), nullptr, 0, nullptr, &available, nullptr))
            return;  // broken: nobody writes any more
        bool ended = m_ended;
        if (ended && (available == 0 || static_cast<LONG>(GetTickCount() - m_readDeadline) >= 0))
            return;
        if (available == 0) {
            Sleep(kPollMs);
            continue;
        }
        DWORD wanted = available < sizeof(buffer) ? available : static_cast<DWORD>(sizeof(buffer));
        if (!ReadFile(pipe.Get(), buffer, wanted, &got, nullptr) || got == 0)
            return;
        take(buffer, got);
    }
}

// "-progress pipe:1" writes blocks of key=value lines, each closed by a "progress=" line.
void FfmpegProcess::TakeProgress(const char* bytes, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        if (bytes[i] == '\n') {
            TakeProgressLine(m_progressLine);
            m_progressLine.clear();
        } else if (bytes[i] != '\r' && m_progressLine.size() < kLongestProgressLine) {
            m_progressLine += bytes[i];
        }
    }
}

void FfmpegProcess::TakeProgressLine(const std::string& line)
{
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return;
    std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "out_time_us") {
        ParseInt64(value, &m_blockTimeUs);
    } else if (key == "total_size") {
        ParseInt64(value, &m_blockBytes);
    } else if (key == "progress") {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_report.OutputTimeUs = m_blockTimeUs;
        m_report.BytesWritten = m_blockBytes;
        m_report.ProgressBlocks++;
    }
}

void FfmpegProcess::TakeLog(const char* bytes, DWORD count)
{
    HANDLE ownError = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (ownError && ownError != INVALID_HANDLE_VALUE)
        WriteFile(ownError, bytes, count, &written, nullptr);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log.Take(bytes, count);
}
