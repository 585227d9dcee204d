#include "framework/system/ShellHelpers.h"
#include "classlib/CWinApp.h"
#include "framework/system/IAppSettings.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/ShellCalls.h"
#include "framework/text/CodePage.h"
#include <shlobj.h>
#include <vector>

namespace {

const int kLongestDeletePath = 1023;

// Every byte of the UTF-8 form but the unreserved ones becomes %XX, so '&', '?', '#', '%' and
// line breaks cannot end or change the mail's fields.
CString PercentEncode(LPCWSTR pszText)
{
    CString strEncoded;
    CStringA strUtf8 = WideToUtf8(pszText);
    for (int i = 0; i < strUtf8.GetLength(); i++) {
        unsigned char ch = static_cast<unsigned char>(strUtf8[i]);
        bool bUnreserved = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
                           ch == '-' || ch == '.' || ch == '_' || ch == '~';
        if (bUnreserved)
            strEncoded += static_cast<wchar_t>(ch);
        else
            strEncoded.AppendFormat(L"%%%02X", ch);
    }
    return strEncoded;
}

bool EnableShutdownPrivilege()
{
    HANDLE hToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool bEnabled = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
                    AdjustTokenPrivileges(hToken, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(hToken);
    return bEnabled;
}

}  // namespace

void GetDroppedPaths(HDROP hDrop, CStringArray& paths)
{
    UINT count = hDrop ? DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0) : 0;
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(hDrop, i, nullptr, 0);
        if (length == 0)
            continue;
        CString path;
        UINT copied = DragQueryFileW(hDrop, i, path.GetBuffer(static_cast<int>(length) + 1), length + 1);
        path.ReleaseBuffer(copied <= length ? static_cast<int>(copied) : 0);
        if (!path.IsEmpty())
            paths.Add(path);
    }
}

int ShowInExplorer(LPCWSTR pszPath)
{
    return ShowInExplorer(pszPath, L"/select,\"%s\"");
}

int ShowInExplorer(LPCWSTR pszPath, LPCWSTR pszParameterFormat)
{
    // The short form keeps blanks and commas out of Explorer's own argument parsing.
    CString strPath;
    if (GetShortPath(pszPath, strPath) != 0)
        strPath = pszPath;
    CString strParameters;
    strParameters.Format(pszParameterFormat, static_cast<LPCWSTR>(strPath));
    ShellCalls().pfnShellExecute(nullptr, nullptr, L"explorer.exe", strParameters, nullptr, SW_SHOWNORMAL);
    return 0;
}

int ShellDeleteFile(LPCWSTR pszPath, FILEOP_FLAGS fFlags, HWND hWndOwner)
{
    CString strPath(pszPath);
    if (strPath.IsEmpty() || strPath.GetLength() > kLongestDeletePath)
        return -1;
    // The shell takes a list of names, each NUL-terminated, ended by an empty one.
    std::vector<wchar_t> from(static_cast<LPCWSTR>(strPath), static_cast<LPCWSTR>(strPath) + strPath.GetLength());
    from.push_back(0);
    from.push_back(0);
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = hWndOwner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.fFlags = fFlags;
    if (ShellCalls().pfnFileOperation(&operation) != 0)
        return -1;
    return operation.fAnyOperationsAborted ? 1 : 0;
}

int ShutdownWindows(UINT uFlags)
{
    if (!EnableShutdownPrivilege())
        return 0;
    return ShellCalls().pfnExitWindows(uFlags, 0);
}

int OpenMailto(LPCWSTR pszAddress, LPCWSTR pszSubject, LPCWSTR pszBody)
{
    CString strUrl;
    strUrl.Format(L"mailto:%s?subject=%s", pszAddress ? pszAddress : L"",
                  static_cast<LPCWSTR>(PercentEncode(pszSubject ? pszSubject : L"")));
    if (pszBody && *pszBody)
        strUrl += L"&body=" + PercentEncode(pszBody);
    ShellCalls().pfnShellExecute(nullptr, L"Open", strUrl, nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}

int MailSupport()
{
    IAppSettings* pSettings = GetAppSettings();
    if (!pSettings)
        return -1;
    CWinApp* pApp = AfxGetApp();
    CString strSubject;
    strSubject.Format(L"About %s %s", pApp && pApp->m_pszAppName ? pApp->m_pszAppName : L"",
                      static_cast<LPCWSTR>(pSettings->GetVersionText()));
    return OpenMailto(pSettings->GetSupportMailAddress(), strSubject);
}

CString GetMyVideosFolder(bool bCreate)
{
    wchar_t szFolder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, szFolder, CSIDL_MYVIDEO, bCreate))
        return CString();
    return szFolder;
}
