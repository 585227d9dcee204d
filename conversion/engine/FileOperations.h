// File moves and deletes of the conversion tool, with retries while another program still
// holds a file, and the pieces of file names that outputs are named from. Paths are wide.
// Results: 0 done, -1 failed, 1 nothing to do, unless said otherwise.
#pragma once
#include "classlib/CString.h"
#include "framework/system/StopFlag.h"

// 1 when the file doesn't exist; else the file goes to the Recycle Bin without questions.
int RecycleFile(LPCWSTR path);
int DeleteFileIfExists(LPCWSTR path);
// An existing target is refused (-1) unless replace; with replace the file takes its place in
// one step, so the target is never deleted without a file to stand in for it.
int MoveFileReplace(LPCWSTR from, LPCWSTR to, bool replace);
// Sleeps in steps of 100 ms; 1 as soon as the stop value (when given) is non-zero, else 0.
int WaitWithStop(DWORD ms, const StopFlag* pStopValue);
// 0 when the file is gone (or was never there); tries once a second for about ten seconds;
// -1 when it stays or a stop is asked for.
int DeleteFileRetry(LPCWSTR path, const StopFlag* pStopValue);
// -2 when from doesn't exist; -1 when to exists (or appears) and may not be replaced; else up
// to ten tries of MoveFileReplace a second apart, while a program still holds either file; -1
// after the tenth failure or on a stop request.
int MoveFileRetry(LPCWSTR from, LPCWSTR to, bool replace, const StopFlag* pStopValue);

// The name without folder and extension: "C:\a\clip.part1.mp4" gives "clip.part1".
CString GetFileBaseName(LPCWSTR path);
// "seg012" gives the prefix "seg" and the number 12; a title without trailing digits is all
// prefix with the number 0. Numbers too long for 64 bits stay at the largest value.
void SplitTrailingNumber(LPCWSTR title, CString& prefix, ULONGLONG& number);
// Whether two paths name the same file: full paths compared without regard to case, in their
// long form where the file exists.
bool IsSameFilePath(LPCWSTR first, LPCWSTR second);
