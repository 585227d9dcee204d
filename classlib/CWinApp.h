// CWinApp: the program's one application object, and its profile settings in the registry.
//
// Profile values live under HKEY_CURRENT_USER\Software\<m_pszRegistryKey>\<m_pszProfileName>
// once SetRegistryKey has run; before that every read returns its default and every write
// fails. A section may name a key path with "\"; the empty section is the application key
// itself. The name members are heap strings made by _wcsdup: replace one by freeing it first.
#pragma once
#include "classlib/CString.h"
#include "classlib/CWinThread.h"
#include "classlib/Resource.h"

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Without a name the application is named by the string AFX_IDS_APP_TITLE, or failing
    // that by the program's file name without its extension.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;  // TRUE here

    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Both create the key when it is missing; the caller closes it. Null on failure.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCWSTR lpszSection);

    UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = nullptr);
    // A null entry deletes the section with its subkeys (never the application key itself);
    // a null value deletes the entry. Deleting what is not there succeeds.
    BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
    // On success *ppData is a new[] block of *pBytes bytes that the caller delete[]s.
    BOOL GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes);

    LPCWSTR m_pszAppName;
    LPCWSTR m_pszRegistryKey;
    LPCWSTR m_pszProfileName;

private:
    CString AppKeyPath() const;  // empty before SetRegistryKey
    HKEY OpenSectionKey(LPCWSTR lpszSection, bool bCreate);
    BOOL WriteValue(LPCWSTR lpszSection, LPCWSTR lpszEntry, DWORD dwType, const void* pData, DWORD nBytes);
};

// The first application object constructed (null when there is none).
CWinApp* AfxGetApp();
// The calling thread's main window, or else the application's (so also on worker threads).
CWnd* AfxGetMainWnd();
// A message box owned by the main window's active popup, captioned with the application's
// name. The string-id form loads its text from the string table.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
