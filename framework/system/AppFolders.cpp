#include "framework/system/AppFolders.h"
#include "classlib/CWinApp.h"
#include "framework/system/PathHelpers.h"
#include "framework/system/SystemHelpers.h"
#include <shlobj.h>
#include <shlwapi.h>
#include <vector>

namespace {

const wchar_t kCompanyFolder[] = L"Kavri Helper";

}  // namespace

CString GetModulePath()
{
    // Grows the buffer until the whole path fits.
    for (DWORD nSize = MAX_PATH;; nSize *= 2) {
        std::vector<wchar_t> buffer(nSize);
        DWORD nLength = GetModuleFileNameW(nullptr, buffer.data(), nSize);
        if (nLength == 0)
            return CString();
        if (nLength < nSize)
            return CString(buffer.data(), static_cast<int>(nLength));
    }
}

CString GetAppFolder()
{
    CWinApp* pApp = AfxGetApp();
    CString strFolder = pApp ? pApp->GetProfileString(L"", L"AppFolder", nullptr) : CString();
    return strFolder.IsEmpty() ? GetFolderOfPath(GetModulePath()) : strFolder;
}

CString GetDataFolder()
{
    wchar_t szAppData[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, szAppData, CSIDL_APPDATA, FALSE))
        return GetAppFolder();
    CWinApp* pApp = AfxGetApp();
    CString strFolder;
    strFolder.Format(L"%s\\%s\\%s", szAppData, kCompanyFolder, pApp && pApp->m_pszAppName ? pApp->m_pszAppName : L"");
    strFolder.TrimRight(L'\\');
    CreateFolderTree(strFolder);  // a folder that cannot be made shows when it is used
    return strFolder;
}

CString GetComponentsFolder()
{
    CString strApp = GetAppFolder();
    CString strComponents = strApp + L"\\Components";
    return PathFileExistsW(strComponents) ? strComponents : strApp + L"\\Modules";
}

CString GetUniqueTempPath()
{
    wchar_t szTemp[MAX_PATH + 1] = {};
    DWORD nLength = GetTempPathW(MAX_PATH + 1, szTemp);
    CString strGuid;
    if (nLength == 0 || nLength > MAX_PATH || NewGuidString(strGuid) != 0)
        return CString();
    return szTemp + strGuid;
}
