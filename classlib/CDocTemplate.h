// CDocTemplate: binds a document class, a frame class and a view class to one resource id,
// whose string holds seven fields separated by "\n": window title, document name, name for a
// new file, filter name, filter extension, file type id and file type name.
#pragma once
#include "classlib/CCmdTarget.h"
#include "classlib/CList.h"
#include "classlib/CString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;  // FALSE when empty
    virtual void LoadTemplate();  // reads the document string

    // A new or reopened document, shown in its frame; null on failure. A null path makes a
    // new, empty document.
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual CDocument* CreateNewDocument();
    // The frame (loaded from the template's resource id) with its view; null on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
};
