#include "classlib/CWinApp.h"
#include "classlib/AfxModal.h"
#include "classlib/AfxModule.h"
#include "classlib/CWnd.h"
#include "common/OwnedHandle.h"
#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;

LPWSTR Duplicate(LPCWSTR psz)
{
    return psz ? _wcsdup(psz) : nullptr;
}

void Replace(LPCWSTR& pszMember, LPCWSTR pszValue)
{
    free(const_cast<LPWSTR>(pszMember));
    pszMember = Duplicate(pszValue);
}

CString DefaultAppName()
{
    CString name;
    if (name.LoadString(AFX_IDS_APP_TITLE))
        return name;
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(AfxGetInstanceHandle(), path, MAX_PATH);
    name = CString(path, n < MAX_PATH ? static_cast<int>(n) : 0);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

// Reads a value of the given type, whatever its size; false when it is missing or of another type.
bool ReadValue(HKEY hKey, LPCWSTR lpszEntry, DWORD dwType, std::vector<BYTE>& data)
{
    if (!hKey || !lpszEntry)
        return false;
    // Most values fit the first buffer: one registry call instead of a size query and a read,
    // each a round trip to the server under Wine.
    const DWORD kFirstSize = 512;
    DWORD type = 0;
    DWORD size = kFirstSize;
    data.resize(size);
    LONG r = RegQueryValueExW(hKey, lpszEntry, nullptr, &type, data.data(), &size);
    while (r == ERROR_MORE_DATA && type == dwType) {
        data.resize(size);
        r = RegQueryValueExW(hKey, lpszEntry, nullptr, &type, data.data(), &size);
    }
    if (r != ERROR_SUCCESS || type != dwType)
        return false;
    data.resize(size);
    return true;
}

bool SucceededOrMissing(LONG r)
{
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
}

}  // namespace

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd)
        return pThread->m_pMainWnd;
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT)
{
    HWND hWndOwner = nullptr;
    if (CWnd* pMainWnd = AfxGetMainWnd())
        hWndOwner = GetLastActivePopup(pMainWnd->m_hWnd);
    if (hWndOwner && !IsWindowEnabled(hWndOwner))
        hWndOwner = nullptr;  // a disabled owner (under a modal dialog) would leave the box unreachable
    LPCWSTR lpszCaption = g_pApp ? g_pApp->m_pszAppName : L"";
    CModalLoopScope modal;
    return MessageBoxW(hWndOwner, lpszText, lpszCaption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_hInstance(AfxGetInstanceHandle()),
      m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL),
      m_nMaxMRU(0),
      m_pszAppName(nullptr),
      m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr),
      m_atomApp(0),
      m_atomSystemTopic(0)
{
    m_pszAppName = lpszAppName ? Duplicate(lpszAppName) : Duplicate(DefaultAppName());
    m_bAutoDelete = FALSE;
    m_nThreadID = GetCurrentThreadId();
    if (!g_pApp) {
        g_pApp = this;
        SetCurrentThread(this);
    }
}

CWinApp::~CWinApp()
{
    DeleteTemplates();
    if (m_atomApp)
        GlobalDeleteAtom(m_atomApp);
    if (m_atomSystemTopic)
        GlobalDeleteAtom(m_atomSystemTopic);
    Replace(m_pszAppName, nullptr);
    Replace(m_pszRegistryKey, nullptr);
    Replace(m_pszProfileName, nullptr);
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    Replace(m_pszRegistryKey, lpszRegistryKey);
    Replace(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

CString CWinApp::AppKeyPath() const
{
    if (!m_pszRegistryKey || !*m_pszRegistryKey || !m_pszProfileName || !*m_pszProfileName)
        return CString();
    return CString(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName;
}

HKEY CWinApp::OpenSectionKey(LPCWSTR lpszSection, bool bCreate)
{
    CString path = AppKeyPath();
    if (path.IsEmpty() || !lpszSection)
        return nullptr;
    if (*lpszSection)
        path += CString(L"\\") + lpszSection;
    HKEY hKey = nullptr;
    LONG r = bCreate ? RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr)
                     : RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ | KEY_WRITE, &hKey);
    return r == ERROR_SUCCESS ? hKey : nullptr;
}

HKEY CWinApp::GetAppRegistryKey()
{
    return OpenSectionKey(L"", true);
}

HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection)
{
    return OpenSectionKey(lpszSection, true);
}

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    OwnedRegKey key(OpenSectionKey(lpszSection, false));
    std::vector<BYTE> data;
    DWORD value = 0;
    if (!ReadValue(key.Get(), lpszEntry, REG_DWORD, data) || data.size() != sizeof(value))
        return nDefault;
    memcpy(&value, data.data(), sizeof(value));
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    DWORD value = nValue;
    return WriteValue(lpszSection, lpszEntry, REG_DWORD, &value, sizeof(value));
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    OwnedRegKey key(OpenSectionKey(lpszSection, false));
    std::vector<BYTE> data;
    if (!ReadValue(key.Get(), lpszEntry, REG_SZ, data))
        return CString(lpszDefault);
    if (data.size() < sizeof(wchar_t))
        return CString();
    // A stored string need not end in NUL; it ends at its first NUL if it has one.
    const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
    return CString(text, static_cast<int>(wcsnlen(text, data.size() / sizeof(wchar_t))));
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (!lpszSection || AppKeyPath().IsEmpty())
        return FALSE;
    if (!lpszEntry) {
        if (!*lpszSection)
            return FALSE;
        return SucceededOrMissing(RegDeleteTreeW(HKEY_CURRENT_USER, AppKeyPath() + L"\\" + lpszSection));
    }
    if (!lpszValue) {
        OwnedRegKey key(OpenSectionKey(lpszSection, false));
        return !key || SucceededOrMissing(RegDeleteValueW(key.Get(), lpszEntry));
    }
    DWORD nBytes = static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(wchar_t));
    return WriteValue(lpszSection, lpszEntry, REG_SZ, lpszValue, nBytes);
}

BOOL CWinApp::GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    OwnedRegKey key(OpenSectionKey(lpszSection, false));
    std::vector<BYTE> data;
    if (!ReadValue(key.Get(), lpszEntry, REG_BINARY, data))
        return FALSE;
    *ppData = new BYTE[data.empty() ? 1 : data.size()];
    memcpy(*ppData, data.data(), data.size());
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!pData && nBytes > 0)
        return FALSE;
    return WriteValue(lpszSection, lpszEntry, REG_BINARY, pData, nBytes);
}

BOOL CWinApp::WriteValue(LPCWSTR lpszSection, LPCWSTR lpszEntry, DWORD dwType, const void* pData, DWORD nBytes)
{
    if (!lpszEntry)
        return FALSE;
    OwnedRegKey key(OpenSectionKey(lpszSection, true));
    return key &&
           RegSetValueExW(key.Get(), lpszEntry, 0, dwType, static_cast<const BYTE*>(pData), nBytes) == ERROR_SUCCESS;
}
