// CWinApp: the program's one application object, and its profile settings in the registry.
//
// Profile values live under HKEY_CURRENT_USER\Software\<m_pszRegistryKey>\<m_pszProfileName>
// once SetRegistryKey has run; before that every read returns its default and every write
// fails. A section may name a key path with "\"; the empty section is the application key
// itself. The name members are heap strings made by _wcsdup: replace one by freeing it first.
//
// The program's wWinMain (in the class library) runs the one application object:
// InitInstance, then Run (the message loop with idle processing) when it succeeded, and
// ExitInstance. The application owns its document templates and answers the commands that
// reach it last in the routing (after the active view, its document and the frame).
#pragma once
#include "classlib/CCommandLineInfo.h"
#include "classlib/CList.h"
#include "classlib/CString.h"
#include "classlib/CWinThread.h"
#include "classlib/Resource.h"

class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Without a name the application is named by the string AFX_IDS_APP_TITLE, or failing
    // that by the program's file name without its extension.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;  // TRUE here
    int Run() override;            // ends at once when there is no main window
    int ExitInstance() override;   // the exit code WM_QUIT carried

    // Start-up
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);  // the process's wide arguments
    // Carries out the command line's shell command: FileNew runs ID_FILE_NEW (or OnFileNew),
    // FileOpen opens the file; FALSE when that made no main window or failed, and for the
    // commands this library does not carry out (print, DDE, register).
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void LoadStdProfileSettings(UINT nMaxMRU = 4) { m_nMaxMRU = nMaxMRU; }
    void EnableShellOpen();  // global atoms for the application's name and "system"
    BOOL Enable3dControlsStatic() { return TRUE; }  // controls are three-dimensional already

    // Documents
    void AddDocTemplate(CDocTemplate* pTemplate);  // the application owns it from now on
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& rPos) const;
    // The file's document, made full path first; null when it can't be opened.
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);
    void OnFileNew();   // a new document of the first template
    void OnFileOpen();  // asks for a file, then OpenDocumentFile
    void OnAppExit();   // closes the main window

    // Resources
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCWSTR lpszResourceName) const;
    HCURSOR LoadStandardCursor(LPCWSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCWSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCWSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }

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

    HINSTANCE m_hInstance;
    LPWSTR m_lpCmdLine;
    int m_nCmdShow;  // how wWinMain was asked to show the main window
    UINT m_nMaxMRU;
    LPCWSTR m_pszAppName;
    LPCWSTR m_pszRegistryKey;
    LPCWSTR m_pszProfileName;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void DeleteTemplates();
    CString AppKeyPath() const;  // empty before SetRegistryKey
    HKEY OpenSectionKey(LPCWSTR lpszSection, bool bCreate);
    BOOL WriteValue(LPCWSTR lpszSection, LPCWSTR lpszEntry, DWORD dwType, const void* pData, DWORD nBytes);

    CPtrList m_templateList;
    ATOM m_atomApp;
    ATOM m_atomSystemTopic;
};

// The first application object constructed (null when there is none).
CWinApp* AfxGetApp();
// The calling thread's main window, or else the application's (so also on worker threads).
CWnd* AfxGetMainWnd();
// A message box owned by the main window's active popup, captioned with the application's
// name. The string-id form loads its text from the string table.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
// OLE for the calling thread; FALSE when it can't start.
BOOL AfxOleInit();
