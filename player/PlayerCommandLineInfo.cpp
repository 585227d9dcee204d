#include "player/PlayerCommandLineInfo.h"
#include "framework/system/PathHelpers.h"

void PlayerCommandLineInfo::ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag) {
        ParseParamFlag(pszParam);
    } else {
        CString path;
        if (GetLongPath(pszParam, path) != 0 || path.IsEmpty())
            path = pszParam;
        m_files.Add(path);
    }
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && m_files.GetSize() > 0)
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}
