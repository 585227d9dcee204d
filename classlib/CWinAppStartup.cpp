// CWinApp: the message loop's ends, the command line, document templates and resources.
#include "classlib/AfxMessageMap.h"
#include "classlib/AfxModule.h"
#include "classlib/AfxPath.h"
#include "classlib/CDocTemplate.h"
#include "classlib/CDocument.h"
#include "classlib/CFrameWnd.h"
#include "classlib/CView.h"
#include "classlib/CWinApp.h"
#include <commdlg.h>
#include <ole2.h>
#include <vector>

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
END_MESSAGE_MAP()

int CWinApp::Run()
{
    // Nothing would ever post the WM_QUIT that ends the loop.
    if (!m_pMainWnd)
        PostQuitMessage(0);
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv)
        return;
    for (int i = 1; i < argc; ++i) {
        LPCWSTR pszParam = argv[i];
        BOOL bFlag = pszParam[0] == L'-' || pszParam[0] == L'/';
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == argc - 1);
    }
    LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        return FALSE;
    }
}

void CWinApp::EnableShellOpen()
{
    if (!m_atomApp)
        m_atomApp = GlobalAddAtomW(m_pszAppName);
    if (!m_atomSystemTopic)
        m_atomSystemTopic = GlobalAddAtomW(L"system");
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPos));
}

void CWinApp::DeleteTemplates()
{
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR lpszFileName)
{
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = pos ? GetNextDocTemplate(pos) : nullptr;
    if (!pTemplate || !lpszFileName)
        return nullptr;
    CString path = AfxGetFullPath(lpszFileName);
    if (path.IsEmpty())
        path = lpszFileName;
    // A document open already is brought forward instead of being opened twice.
    for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc;) {
        CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
        if (pDoc->GetPathName().IsEmpty() || !AfxComparePath(pDoc->GetPathName(), path))
            continue;
        POSITION posView = pDoc->GetFirstViewPosition();
        if (CView* pView = posView ? pDoc->GetNextView(posView) : nullptr) {
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
        }
        return pDoc;
    }
    return pTemplate->OpenDocumentFile(path);
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (CDocTemplate* pTemplate = pos ? GetNextDocTemplate(pos) : nullptr)
        pTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = pos ? GetNextDocTemplate(pos) : nullptr;
    // The template's own type first, then every file; the filter is a list of NUL-ended strings.
    std::vector<wchar_t> filter;
    auto append = [&filter](const CString& text) {
        filter.insert(filter.end(), static_cast<LPCWSTR>(text), static_cast<LPCWSTR>(text) + text.GetLength() + 1);
    };
    CString name;
    CString ext;
    if (pTemplate && pTemplate->GetDocString(name, CDocTemplate::filterName) &&
        pTemplate->GetDocString(ext, CDocTemplate::filterExt)) {
        append(name);
        append(L"*" + ext);
    }
    append(L"All Files (*.*)");
    append(L"*.*");
    filter.push_back(L'\0');

    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ofn.lpstrFilter = filter.data();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&ofn))
        OpenDocumentFile(file);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
}

HCURSOR CWinApp::LoadCursor(LPCWSTR lpszResourceName) const
{
    return ::LoadCursorW(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
}

HICON CWinApp::LoadIcon(LPCWSTR lpszResourceName) const
{
    return ::LoadIconW(AfxGetResourceHandle(), lpszResourceName);
}

BOOL AfxOleInit()
{
    return SUCCEEDED(OleInitialize(nullptr));
}
