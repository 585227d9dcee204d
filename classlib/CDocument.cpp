#include "classlib/CDocument.h"
#include "classlib/AfxPath.h"
#include "classlib/CDocTemplate.h"
#include "classlib/CFrameWnd.h"
#include "classlib/CView.h"
#include "classlib/CWinApp.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(nullptr), m_bModified(FALSE) {}

CDocument::~CDocument()
{
    for (POSITION pos = GetFirstViewPosition(); pos;)
        GetNextView(pos)->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCWSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCWSTR lpszPathName, BOOL)
{
    CString path = AfxGetFullPath(lpszPathName);
    m_strPathName = path.IsEmpty() ? CString(lpszPathName) : path;
    SetTitle(m_strPathName.Mid(m_strPathName.ReverseFind(L'\\') + 1));
}

void CDocument::AddView(CView* pView)
{
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::OnChangedViewList()
{
    if (m_bAutoDelete && m_viewList.IsEmpty()) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::UpdateFrameCounts()
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame && pFrame->GetActiveDocument() == this)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR lpszPathName)
{
    HANDLE hFile = CreateFileW(lpszPathName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        CString message;
        message.Format(L"Cannot open the file \"%s\".", lpszPathName);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        return FALSE;
    }
    CloseHandle(hFile);
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // The frames go first; the document must outlive its views' destruction.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    for (CFrameWnd* pFrame : frames)
        pFrame->DestroyWindow();
    DeleteContents();
    m_bAutoDelete = bAutoDelete;
    if (m_bAutoDelete)
        delete this;
}

void CDocument::DeleteContents() {}

BOOL CDocument::SaveModified()
{
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
