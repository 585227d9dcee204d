// Where the three external tools lie, which generation of the codec library sits beside them,
// and the program-wide code of the last tool that could not be started.
#pragma once
#include "classlib/CString.h"

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

void SetLastToolError(int nCode);
int GetLastToolError();

// True, with the code stored as the last tool error, when the tool's file is not there.
bool MediaToolMissing(const CString& strPath, int nErrorCode);
