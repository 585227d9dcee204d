// CDocument: the data a program works on, shown by one or more views. Documents here hold no
// serialized data of their own: opening one checks that its file can be read, and derived
// documents load what they need.
#pragma once
#include "classlib/CCmdTarget.h"
#include "classlib/CList.h"
#include "classlib/CString.h"

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;  // leaves its template; its views forget it

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCWSTR lpszTitle);  // and the titles of the frames showing it
    const CString& GetPathName() const { return m_strPathName; }
    // Keeps the full path and titles the document with the file's name.
    virtual void SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views
    void AddView(CView* pView);
    void RemoveView(CView* pView);  // the last view going closes an auto-delete document
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const;
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    virtual void UpdateFrameCounts();  // refreshes the titles of the frames

    // Life cycle
    virtual BOOL OnNewDocument();  // empties the document
    virtual BOOL OnOpenDocument(LPCWSTR lpszPathName);  // FALSE, after saying so, when the file can't be read
    virtual void OnCloseDocument();  // destroys its frames, then itself when m_bAutoDelete
    virtual void DeleteContents();
    virtual BOOL SaveModified();  // TRUE: there is nothing of the library's to save
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void OnChangedViewList();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete;  // deleted when its last view goes

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;
    friend class CDocTemplate;
};
