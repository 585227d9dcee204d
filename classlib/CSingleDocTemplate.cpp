#include "classlib/CSingleDocTemplate.h"
#include "classlib/CDocument.h"
#include "classlib/CFrameWnd.h"
#include "classlib/CWaitCursor.h"
#include "classlib/CWinApp.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(nullptr)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    delete m_pOnlyDoc;  // its destructor leaves the template
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    // The one document needs no list: a non-null position stands for it.
    return m_pOnlyDoc ? reinterpret_cast<POSITION>(1) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName))
        title = L"Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;
    if (pDocument) {
        // The one document is emptied and reused in its frame.
        if (!pDocument->SaveModified())
            return nullptr;
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd && pMainWnd->IsFrameWnd())
            pFrame = static_cast<CFrameWnd*>(pMainWnd);
    } else {
        pDocument = CreateNewDocument();
        if (!pDocument)
            return nullptr;
        bCreated = TRUE;
    }
    if (!pFrame) {
        // The document must survive a frame that fails halfway (its view going away).
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (!pFrame) {
            if (bCreated)
                delete pDocument;
            return nullptr;
        }
    }
    if (!lpszPathName) {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument()) {
            if (bCreated)
                pFrame->DestroyWindow();  // its view takes the document with it
            return nullptr;
        }
    } else {
        CWaitCursor wait;
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            if (bCreated)
                pFrame->DestroyWindow();
            else
                pDocument->SetModifiedFlag(bWasModified);
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }
    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread && !pThread->m_pMainWnd)
        pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
