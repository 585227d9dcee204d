#include "classlib/CCommandLineInfo.h"

CCommandLineInfo::CCommandLineInfo()
    : m_nShellCommand(FileNew), m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE)
{
}

void CCommandLineInfo::ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(LPCWSTR pszParam)
{
    struct Flag {
        LPCWSTR name;
        int nCommand;  // -2: no command of its own
        BOOL CCommandLineInfo::*pbSet;
    };
    static const Flag flags[] = {
        {L"p", FilePrint, nullptr},
        {L"pt", FilePrintTo, nullptr},
        {L"dde", FileDDE, nullptr},
        {L"Register", AppRegister, nullptr},
        {L"Regserver", AppRegister, nullptr},
        {L"Unregister", AppUnregister, nullptr},
        {L"Unregserver", AppUnregister, nullptr},
        {L"Embedding", -2, &CCommandLineInfo::m_bRunEmbedded},
        {L"Automation", -2, &CCommandLineInfo::m_bRunAutomated},
    };
    for (const Flag& flag : flags) {
        if (lstrcmpiW(pszParam, flag.name) != 0)
            continue;
        if (flag.pbSet)
            this->*flag.pbSet = TRUE;
        else
            m_nShellCommand = static_cast<decltype(m_nShellCommand)>(flag.nCommand);
        return;
    }
}

void CCommandLineInfo::ParseParamNotFlag(LPCWSTR pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}
