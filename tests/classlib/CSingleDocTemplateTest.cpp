// CSingleDocTemplate with CWinApp: the shell commands of start-up, opening files into the one
// document, failures, and the document's views.
#include "classlib/Afx.h"
#include <gtest/gtest.h>
#include <string>

namespace {

int g_nDocsAlive = 0;

// Opening fails for files whose name contains "refuse" (so no message box is needed).
class CSheetDoc : public CDocument {
    DECLARE_DYNCREATE(CSheetDoc)
public:
    CSheetDoc() { ++g_nDocsAlive; }
    ~CSheetDoc() override { --g_nDocsAlive; }
    BOOL OnOpenDocument(LPCWSTR lpszPathName) override
    {
        return CString(lpszPathName).Find(L"refuse") < 0 && CDocument::OnOpenDocument(lpszPathName);
    }
};
IMPLEMENT_DYNCREATE(CSheetDoc, CDocument)

class CSheetView : public CView {
    DECLARE_DYNCREATE(CSheetView)
public:
    void OnDraw(CDC*) override {}
    void OnUpdate(CView* pSender, LPARAM lHint, CObject*) override { m_lLastHint = lHint; }
    void OnInitialUpdate() override
    {
        ++s_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    LPARAM m_lLastHint = 0;
    static int s_nInitialUpdates;
};
IMPLEMENT_DYNCREATE(CSheetView, CView)
int CSheetView::s_nInitialUpdates = 0;

class CSheetApp : public CWinApp {
public:
    CSheetApp() : CWinApp(L"Template Test App") {}
};

class TempFile {
public:
    explicit TempFile(LPCWSTR lpszName)
    {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        m_path.Format(L"%sClasslibTemplate-%lu-%s", dir, GetCurrentProcessId(), lpszName);
        HANDLE h = CreateFileW(m_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    }
    ~TempFile() { DeleteFileW(m_path); }
    CString m_path;
};

class SingleDocTemplate : public ::testing::Test {
protected:
    SingleDocTemplate()
    {
        m_pTemplate = new CSingleDocTemplate(100, RUNTIME_CLASS(CSheetDoc), RUNTIME_CLASS(CFrameWnd),
                                             RUNTIME_CLASS(CSheetView));
        m_app.AddDocTemplate(m_pTemplate);
    }
    ~SingleDocTemplate() override
    {
        if (m_app.m_pMainWnd)
            m_app.m_pMainWnd->DestroyWindow();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    CString MainTitle()
    {
        CString title;
        m_app.m_pMainWnd->GetWindowText(title);
        return title;
    }
    CDocument* OnlyDoc()
    {
        POSITION pos = m_pTemplate->GetFirstDocPosition();
        return m_pTemplate->GetNextDoc(pos);
    }

    CSheetApp m_app;
    CSingleDocTemplate* m_pTemplate;
};

TEST_F(SingleDocTemplate, DocStringHasSevenFields)
{
    struct Case {
        CDocTemplate::DocStringIndex index;
        BOOL bFound;
        const wchar_t* text;
    } cases[] = {
        {CDocTemplate::windowTitle, TRUE, L"Template Test"},
        {CDocTemplate::docName, FALSE, L""},
        {CDocTemplate::fileNewName, TRUE, L"Sheet"},
        {CDocTemplate::filterName, TRUE, L"Sheet Files (*.sht)"},
        {CDocTemplate::filterExt, TRUE, L".sht"},
        {CDocTemplate::regFileTypeId, TRUE, L"KavriTest.Sheet"},
        {CDocTemplate::regFileTypeName, TRUE, L"Test Sheet"},
    };
    for (const Case& c : cases) {
        CString text = L"stale";
        EXPECT_EQ(c.bFound, m_pTemplate->GetDocString(text, c.index)) << c.index;
        EXPECT_EQ(c.text, text) << c.index;
    }
}

TEST_F(SingleDocTemplate, FileNewMakesTheMainWindowWithAnUntitledDocument)
{
    CCommandLineInfo info;
    ASSERT_TRUE(m_app.ProcessShellCommand(info));
    ASSERT_NE(nullptr, m_app.m_pMainWnd);
    EXPECT_EQ(m_app.m_pMainWnd, AfxGetMainWnd());
    CDocument* pDoc = OnlyDoc();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(L"Untitled", pDoc->GetTitle());
    EXPECT_EQ(L"", pDoc->GetPathName());
    EXPECT_EQ(L"Untitled - Template Test", MainTitle());
}

TEST_F(SingleDocTemplate, FileOpenOpensIntoTheOneDocument)
{
    TempFile first(L"first.sht");
    TempFile second(L"second.sht");
    CSheetView::s_nInitialUpdates = 0;
    CCommandLineInfo info;
    info.ParseParam(first.m_path, FALSE, TRUE);
    ASSERT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    ASSERT_TRUE(m_app.ProcessShellCommand(info));
    CDocument* pDoc = OnlyDoc();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_TRUE(AfxComparePath(first.m_path, pDoc->GetPathName()));
    CString name = first.m_path.Mid(first.m_path.ReverseFind(L'\\') + 1);
    EXPECT_EQ(name, pDoc->GetTitle());
    EXPECT_EQ(name + L" - Template Test", MainTitle());
    CWnd* pFrame = m_app.m_pMainWnd;

    EXPECT_EQ(pDoc, m_app.OpenDocumentFile(first.m_path)) << "already open";
    EXPECT_EQ(pDoc, m_app.OpenDocumentFile(second.m_path)) << "the one document is reused";
    EXPECT_TRUE(AfxComparePath(second.m_path, pDoc->GetPathName()));
    EXPECT_EQ(pFrame, m_app.m_pMainWnd) << "in the same frame";
    EXPECT_EQ(2, CSheetView::s_nInitialUpdates) << "once per document opened into the view";
    EXPECT_EQ(1, g_nDocsAlive);
}

TEST_F(SingleDocTemplate, FailedOpenLeavesNoDocumentOrFrameBehind)
{
    TempFile refused(L"refuse.sht");
    EXPECT_EQ(nullptr, m_app.OpenDocumentFile(refused.m_path));
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    EXPECT_EQ(nullptr, OnlyDoc());
    EXPECT_EQ(0, g_nDocsAlive);

    CCommandLineInfo info;
    info.ParseParam(refused.m_path, FALSE, TRUE);
    EXPECT_FALSE(m_app.ProcessShellCommand(info));

    // With a document open, a refused file leaves it as it was.
    m_app.OnFileNew();
    CDocument* pDoc = OnlyDoc();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(nullptr, m_app.OpenDocumentFile(refused.m_path));
    EXPECT_EQ(pDoc, OnlyDoc());
    EXPECT_EQ(L"Untitled", pDoc->GetTitle());
}

TEST_F(SingleDocTemplate, ShellCommandsWithoutAWindow)
{
    struct Case {
        const char* name;
        int nCommand;
        BOOL bResult;
    } cases[] = {
        {"nothing to do", CCommandLineInfo::FileNothing, TRUE},
        {"register", CCommandLineInfo::AppRegister, FALSE},
        {"print", CCommandLineInfo::FilePrint, FALSE},
        {"dde", CCommandLineInfo::FileDDE, FALSE},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        info.m_nShellCommand = static_cast<decltype(info.m_nShellCommand)>(c.nCommand);
        EXPECT_EQ(c.bResult, m_app.ProcessShellCommand(info)) << c.name;
        EXPECT_EQ(nullptr, m_app.m_pMainWnd) << c.name;
    }
}

TEST_F(SingleDocTemplate, DocumentKnowsItsViewsAndUpdatesTheOthers)
{
    m_app.OnFileNew();
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_app.m_pMainWnd);
    CDocument* pDoc = OnlyDoc();
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CSheetView);
    context.m_pCurrentDoc = pDoc;
    CSheetView* pSecond = static_cast<CSheetView*>(pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1));
    ASSERT_NE(nullptr, pSecond);

    POSITION pos = pDoc->GetFirstViewPosition();
    CSheetView* pFirst = static_cast<CSheetView*>(pDoc->GetNextView(pos));
    EXPECT_EQ(pSecond, pDoc->GetNextView(pos));
    EXPECT_EQ(nullptr, pos);

    pDoc->UpdateAllViews(pFirst, 7);
    EXPECT_EQ(0, pFirst->m_lLastHint) << "the sender is not told";
    EXPECT_EQ(7, pSecond->m_lLastHint);

    pDoc->SetModifiedFlag();
    EXPECT_TRUE(pDoc->IsModified());
    // A view going away leaves the document; the last one takes the document with it.
    pSecond->DestroyWindow();
    EXPECT_EQ(1, g_nDocsAlive);
    pFirst->DestroyWindow();
    EXPECT_EQ(0, g_nDocsAlive);
    EXPECT_EQ(nullptr, OnlyDoc());
}

}  // namespace
