#include "mediatools/CProbeRunner.h"
#include "framework/system/CCommandLine.h"
#include "mediatools/MediaToolLocation.h"

int CProbeRunner::RunTool(CProbeOptions& options, LPCWSTR pszOutputFile, const StopFlag* pStopFlag,
                          LPCWSTR pszWorkingFolder)
{
    if (MediaToolMissing(ClipInspectorPath, TOOL_ERROR_PROBER_MISSING))
        return -2;
    if (options.Validate() != 0)
        return -1;
    CString strCommandLine;
    BuildArguments(strCommandLine, options);
    return RunCommandLineUntil(strCommandLine, pStopFlag, 20, pszOutputFile, pszWorkingFolder);
}

int CProbeRunner::BuildArguments(CString& strCommandLine, CProbeOptions& options)
{
    CCommandLine args;
    args.AddQuotedArgF(L"\"%s\"", static_cast<LPCWSTR>(options.InputPath));
    args.AddOption(L"-loglevel", L"quiet");
    if (options.ShowFormat)
        args.AddArg(L"-show_format");
    if (options.ShowStreams)
        args.AddArg(L"-show_streams");
    if (options.CountFrames)
        args.AddArg(L"-count_frames");
    if (!options.PrintFormat.IsEmpty())
        args.AddOption(L"-print_format", options.PrintFormat);
    if (options.AnalyseDuration != 0)
        args.AddOptionF(L"-analyzeduration", L"%d", options.AnalyseDuration);
    if (options.ProbeSize != 0)
        args.AddOptionF(L"-probesize", L"%d", options.ProbeSize);
    if (!options.ExtraArgs.IsEmpty())
        args.AddArg(options.ExtraArgs);
    // Started directly: the output file becomes the tool's standard output (see CChildProcess).
    return args.Format(strCommandLine, ClipInspectorPath, nullptr, false);
}
