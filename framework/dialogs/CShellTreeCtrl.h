// CShellTreeCtrl and CFolderTreeCtrl: a tree of the shell namespace with the
// desktop at its root, and the same with the folder's shell context menu on right click.
//
// The shell allocator and the desktop folder are process-wide, obtained on first use and
// released when the process ends (no program step; see ShellDesktopFolder).
#pragma once
#include "classlib/CTreeCtrl.h"
#include <shlobj.h>
#include <atomic>

// The process's desktop folder (SHGetDesktopFolder), made on first use from any thread; null
// when the shell has none. Not referenced for the caller.
IShellFolder* ShellDesktopFolder();
// The shell allocator (SHGetMalloc), the same way.
IMalloc* ShellMalloc();

// One tree item's record (its lParam); owned by the tree, deleted on TVN_DELETEITEM.
struct CShellTreeItem {
    IShellFolder* pParentFolder = nullptr;  // referenced
    LPITEMIDLIST pidlAbsolute = nullptr;
    LPITEMIDLIST pidlRelative = nullptr;    // the last level
    UINT nContentFlags = 0;  // bit 0 non-folders, bit 1 hidden items, bit 4 name only, bit 5 path as name
    ULONG nAttributes = 0;   // asked once
    bool bAttributesAsked = false;
    ~CShellTreeItem();
};

class CShellTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CShellTreeCtrl)
public:
    CShellTreeCtrl() = default;
    ~CShellTreeCtrl() override;

    virtual void Reload();
    virtual void InsertRoot();
    // 0, or -1 when the item's folder cannot be bound.
    virtual int FillChildren(HTREEITEM hItem);

    CString GetSelectedPath() const;
    CString GetItemPath(HTREEITEM hItem) const;
    // Walks down to the path's folder, expanding levels as it goes; 0, or -1 when the path is not
    // a shell item. May run on another thread than the tree's (the folder dialog's worker); it
    // stops between levels once m_bAbortSelect is set.
    int SelectPath(LPCWSTR lpszPath, BOOL bExpand);

    CShellTreeItem* GetItemRecord(HTREEITEM hItem) const;
    // Which display data is left to TVN_GETDISPINFO instead of being set at insertion:
    // TVIF_TEXT, TVIF_IMAGE (with the selected image), TVIF_CHILDREN. 0 by default.
    UINT m_nDeferMask = 0;
    std::atomic<bool> m_bAbortSelect{false};

protected:
    void PreSubclassWindow() override;
    HTREEITEM InsertShellItem(HTREEITEM hParent, IShellFolder* pParentFolder, LPCITEMIDLIST pidlParentAbsolute,
                              LPCITEMIDLIST pidlRelative, UINT nContentFlags);
    // Text, images, state and children indicator of a record, as TVN_GETDISPINFO asks.
    void FillDisplayData(CShellTreeItem* pRecord, TVITEMW& item, UINT nMask);

    void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    wchar_t m_szText[MAX_PATH] = {};
};

class CFolderTreeCtrl : public CShellTreeCtrl {
    DECLARE_DYNAMIC(CFolderTreeCtrl)
public:
    // 0, or -1 when the item has no context menu.
    virtual int ShowContextMenu(HTREEITEM hItem, int x, int y);
    BOOL m_bEnabled = TRUE;

protected:
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnShellCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    IContextMenu* m_pContextMenu = nullptr;
    UINT m_nFirstCommand = 20000;
    UINT m_nLastCommand = 20000;
    static LRESULT CALLBACK MenuHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
