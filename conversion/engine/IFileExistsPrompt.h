// How the engine learns what to do about an output file that already exists: the Overwrite
// setting and the "File already exists" question. The conversion tool's window installs its
// implementation at start-up; tests install a scripted one.
#pragma once
#include "classlib/CString.h"

// Answers of the question (the dialog's end codes); 0 and the "for all" answers are also the
// values of the Overwrite setting.
const int FILE_EXISTS_ASK = 0;
const int FILE_EXISTS_NEW_NAME = 1;
const int FILE_EXISTS_OVERWRITE = 2;
const int FILE_EXISTS_SKIP = 3;
const int FILE_EXISTS_NEW_NAME_ALL = 11;
const int FILE_EXISTS_OVERWRITE_ALL = 12;
const int FILE_EXISTS_SKIP_ALL = 13;

class IFileExistsPrompt {
public:
    virtual ~IFileExistsPrompt() = default;
    // The Overwrite setting: 0 ask, or 11, 12, 13 for every file.
    virtual int GetOverwritePolicy() = 0;
    virtual void SetOverwritePolicy(int answer) = 0;
    // Asks about <folder>\<title>.<extension> (extension without its dot), modally, on the
    // task's worker thread. Returns the answer; for 1 and 11 newTitle holds the new title.
    virtual int AskFileExists(LPCWSTR folder, LPCWSTR title, LPCWSTR extension, CString& newTitle) = 0;
};

// The object stays the caller's; null unsets it. Without one the setting reads 0 and every
// question is answered "skip", so nothing is overwritten unasked.
void SetFileExistsPrompt(IFileExistsPrompt* pPrompt);
IFileExistsPrompt* GetFileExistsPrompt();
