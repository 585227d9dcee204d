// The player's command line: every file argument, in its long path form (as typed when that
// cannot be had). Files named make the shell command FileOpen; flags are the base's.
#pragma once
#include "classlib/CArray.h"
#include "classlib/CCommandLineInfo.h"

class PlayerCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL bLast) override;

    CStringArray m_files;
};
