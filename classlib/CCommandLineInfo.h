// CCommandLineInfo: what the command line asks the program to do at start-up. ParseCommandLine
// hands it each argument; a "-" or "/" before an argument makes it a flag (given without it).
#pragma once
#include "classlib/CObject.h"
#include "classlib/CString.h"

class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo();

    // Called for each argument: flags go to ParseParamFlag, file names to ParseParamNotFlag,
    // and after the last argument ParseLast settles the shell command.
    virtual void ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL bLast);

    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 } m_nShellCommand;
    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    CString m_strFileName;

protected:
    void ParseParamFlag(LPCWSTR pszParam);
    void ParseParamNotFlag(LPCWSTR pszParam);  // the first file name is the file to open
    void ParseLast(BOOL bLast);                // a file name turns FileNew into FileOpen
};
