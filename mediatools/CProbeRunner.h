// Running the probing tool: its options and the command line built from them.
#pragma once
#include "framework/system/CProcessRunner.h"

class CProbeOptions {
public:
    CProbeOptions() = default;
    CProbeOptions(const CProbeOptions&) = default;
    CProbeOptions& operator=(const CProbeOptions&) = default;
    virtual ~CProbeOptions() = default;
    virtual int Validate() { return 0; }
    void Reset() { *this = CProbeOptions(); }

    CString InputPath;
    CString PrintFormat = L"json";
    int ShowFormat = 1;
    int ShowStreams = 1;
    int CountFrames = 0;
    int AnalyseDuration = 0;  // 0 not given
    int ProbeSize = 0;        // 0 not given
    CString ExtraArgs;        // appended as they stand
};

class CProbeRunner : public CProcessRunner {
public:
    // Runs the tool with its standard output going into the output file, started in the given
    // folder (by default the caller's). 0 success, 1 stopped (stop value 20), -1 failure, -2 the
    // tool is missing (last tool error -411).
    virtual int RunTool(CProbeOptions& options, LPCWSTR pszOutputFile, const StopFlag* pStopFlag,
                        LPCWSTR pszWorkingFolder = nullptr);
    // The complete command line; 0.
    virtual int BuildArguments(CString& strCommandLine, CProbeOptions& options);
};
