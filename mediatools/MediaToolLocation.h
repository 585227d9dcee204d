// Where the three external tools lie, which generation of the codec library sits beside them,
// and the program-wide code of the last tool that could not be started.
#pragma once
#include "classlib/CString.h"
#include "common/OwnedHandle.h"

// Set once at start-up by LocateMediaTools on the window thread, only read afterwards.
// A tool missing from the tool folder leaves its bare file name.
extern CString ClipInspectorPath;
extern CString ClipConverterPath;
extern CString ClipRunnerPath;
extern int MediaToolGeneration;  // 6 ("avcodec-60.dll") down to 2 ("avcodec-56.dll"); 0 none found
extern int PreferFdkAac;         // 1 after LocateMediaTools

// Codes stored by a tool run whose tool file is missing.
const int TOOL_ERROR_PROBER_MISSING = -411;
const int TOOL_ERROR_ENCODER_MISSING = -412;
const int TOOL_ERROR_PLAYER_MISSING = -413;

int LocateMediaTools(LPCWSTR pszToolFolder);

// Opens the first tool that exists, hidden and without waiting.
int StartMediaToolHidden();

// The program's one StartMediaToolHidden, run on a thread of its own once the window thread
// first goes idle: under Wine a process start holds its caller for a tenth of a second and more,
// and the new process competes with the first paint. Start and Wait run on the window thread.
class MediaToolWarmUp {
public:
    // The first call starts it (here, when no thread can be made); later calls do nothing.
    void Start();
    // Waits up to the time given for a started warm-up to end.
    void Wait(DWORD dwMilliseconds);

private:
    bool m_bStarted = false;
    OwnedHandle m_thread;
};

void SetLastToolError(int nCode);
int GetLastToolError();

// True, with the code stored as the last tool error, when the tool's file is not there.
bool MediaToolMissing(const CString& strPath, int nErrorCode);
