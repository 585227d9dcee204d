// Running the encoding tool once for one option set: the runner's settings and the command line.
#pragma once
#include "framework/system/CCommandLine.h"
#include "framework/system/CProcessRunner.h"
#include "mediatools/CEncoderOptions.h"

class CEncoderRunner : public CProcessRunner {
public:
    CEncoderRunner();

    // 0 success, 1 stopped (the stop flag held 20), -1 failure, -2 the tool is missing (last
    // tool error -412). Blocks the calling worker thread for the whole run.
    virtual int RunTool(CEncoderOptions& options, const StopFlag* pStopFlag);
    // The complete command line; 0. Writes back into the options a quality forced by the flags
    // and "aac" in place of "libfdk_aac".
    virtual int BuildArguments(CString& strCommandLine, CEncoderOptions& options);

    int m_nThreads;
    int m_nBufferSize;
    CString m_strHardwareAccel;
    HWND m_hCallbackWnd;  // receives the tool's progress messages

private:
    void AddInputs(CCommandLine& args, CEncoderOptions& options);
    void AddVideo(CCommandLine& args, CEncoderOptions& options);
    void AddAudio(CCommandLine& args, CEncoderOptions& options);
    void AddSubtitlesAndFormat(CCommandLine& args, CEncoderOptions& options);
    void AddOutput(CCommandLine& args, CEncoderOptions& options);
};
