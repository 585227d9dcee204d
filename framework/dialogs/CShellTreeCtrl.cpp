#include "framework/dialogs/CShellTreeCtrl.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CFrameWnd.h"
#include "classlib/CWaitCursor.h"
#include <shellapi.h>
#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CShellTreeCtrl, CTreeCtrl)
IMPLEMENT_DYNAMIC(CFolderTreeCtrl, CShellTreeCtrl)

namespace {

// The process's shell objects: made once, released when the process ends.
struct ShellObjects {
    IShellFolder* pDesktop = nullptr;
    IMalloc* pMalloc = nullptr;
    ~ShellObjects()
    {
        if (pDesktop)
            pDesktop->Release();
        if (pMalloc)
            pMalloc->Release();
    }
};

ShellObjects g_shell;
INIT_ONCE g_shellOnce = INIT_ONCE_STATIC_INIT;

BOOL CALLBACK MakeShellObjects(PINIT_ONCE, PVOID, PVOID*)
{
    SHGetDesktopFolder(&g_shell.pDesktop);
    SHGetMalloc(&g_shell.pMalloc);
    return TRUE;
}

bool IsEmptyList(LPCITEMIDLIST pidl)
{
    return !pidl || pidl->mkid.cb == 0;
}

// A copy of the list's first item alone.
LPITEMIDLIST CloneFirst(LPCITEMIDLIST pidl)
{
    return ILCloneFirst(pidl);
}

LPCITEMIDLIST NextItem(LPCITEMIDLIST pidl)
{
    return IsEmptyList(pidl) ? pidl : ILGetNext(pidl);
}

struct SortContext {
    IShellFolder* pFolder;
};

int CALLBACK CompareChildren(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    IShellFolder* pFolder = reinterpret_cast<IShellFolder*>(lParamSort);
    CShellTreeItem* a = reinterpret_cast<CShellTreeItem*>(lParam1);
    CShellTreeItem* b = reinterpret_cast<CShellTreeItem*>(lParam2);
    if (!pFolder || !a || !b)
        return 0;
    HRESULT hr = pFolder->CompareIDs(0, a->pidlRelative, b->pidlRelative);
    if (FAILED(hr))
        return 0;  // a failing call counts as equal
    return static_cast<short>(HRESULT_CODE(hr));
}

}  // namespace

IShellFolder* ShellDesktopFolder()
{
    InitOnceExecuteOnce(&g_shellOnce, MakeShellObjects, nullptr, nullptr);
    return g_shell.pDesktop;
}

IMalloc* ShellMalloc()
{
    InitOnceExecuteOnce(&g_shellOnce, MakeShellObjects, nullptr, nullptr);
    return g_shell.pMalloc;
}

CShellTreeItem::~CShellTreeItem()
{
    if (pParentFolder)
        pParentFolder->Release();
    ILFree(pidlAbsolute);
    ILFree(pidlRelative);
}

BEGIN_MESSAGE_MAP(CShellTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGW, &CShellTreeCtrl::OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMW, &CShellTreeCtrl::OnDeleteItem)
    ON_NOTIFY_REFLECT(TVN_GETDISPINFOW, &CShellTreeCtrl::OnGetDispInfo)
END_MESSAGE_MAP()

CShellTreeCtrl::~CShellTreeCtrl()
{
    // The records go with the items (TVN_DELETEITEM) while the window is still there.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DeleteAllItems();
}

void CShellTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    SHFILEINFOW info = {};
    LPITEMIDLIST pidlDesktop = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &pidlDesktop))) {
        HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
            reinterpret_cast<LPCWSTR>(pidlDesktop), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        if (hImages)
            PostMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(hImages));
        ILFree(pidlDesktop);
    }
}

CShellTreeItem* CShellTreeCtrl::GetItemRecord(HTREEITEM hItem) const
{
    if (!hItem || hItem == TVI_ROOT)
        return nullptr;
    return reinterpret_cast<CShellTreeItem*>(GetItemData(hItem));
}

void CShellTreeCtrl::Reload()
{
    DeleteAllItems();
    InsertRoot();
    for (HTREEITEM hItem = GetRootItem(); hItem; hItem = GetNextSiblingItem(hItem)) {
        CShellTreeItem* pRecord = GetItemRecord(hItem);
        if (pRecord && IsEmptyList(pRecord->pidlAbsolute)) {
            Expand(hItem, TVE_EXPAND);
            break;
        }
    }
}

void CShellTreeCtrl::InsertRoot()
{
    LPITEMIDLIST pidlDesktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &pidlDesktop)))
        return;
    InsertShellItem(TVI_ROOT, ShellDesktopFolder(), nullptr, pidlDesktop, 2);
    ILFree(pidlDesktop);
}

HTREEITEM CShellTreeCtrl::InsertShellItem(HTREEITEM hParent, IShellFolder* pParentFolder,
                                          LPCITEMIDLIST pidlParentAbsolute, LPCITEMIDLIST pidlRelative,
                                          UINT nContentFlags)
{
    CShellTreeItem* pRecord = new CShellTreeItem;
    pRecord->pParentFolder = pParentFolder;
    if (pParentFolder)
        pParentFolder->AddRef();
    pRecord->pidlAbsolute = pidlParentAbsolute ? ILCombine(pidlParentAbsolute, pidlRelative) : ILClone(pidlRelative);
    pRecord->pidlRelative = ILClone(pidlRelative);
    pRecord->nContentFlags = nContentFlags;

    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    TVITEMW& item = insert.item;
    item.mask = TVIF_PARAM | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    item.lParam = reinterpret_cast<LPARAM>(pRecord);
    FillDisplayData(pRecord, item, ~m_nDeferMask);
    if (m_nDeferMask & TVIF_TEXT)
        item.pszText = LPSTR_TEXTCALLBACKW;
    if (m_nDeferMask & TVIF_IMAGE)
        item.iImage = item.iSelectedImage = I_IMAGECALLBACK;
    if (m_nDeferMask & TVIF_CHILDREN)
        item.cChildren = I_CHILDRENCALLBACK;
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!hItem)
        delete pRecord;
    return hItem;
}

void CShellTreeCtrl::FillDisplayData(CShellTreeItem* pRecord, TVITEMW& item, UINT nMask)
{
    const bool bRoot = IsEmptyList(pRecord->pidlAbsolute);
    if (!pRecord->bAttributesAsked) {
        ULONG nAttributes = SFGAO_FOLDER | SFGAO_REMOVABLE | SFGAO_SHARE | SFGAO_LINK | SFGAO_GHOSTED | SFGAO_HASSUBFOLDER;
        if (bRoot) {
            nAttributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        } else if (!pRecord->pParentFolder ||
                   FAILED(pRecord->pParentFolder->GetAttributesOf(1, const_cast<LPCITEMIDLIST*>(
                                                                            const_cast<LPITEMIDLIST*>(&pRecord->pidlRelative)),
                                                                  &nAttributes))) {
            nAttributes = 0;
        }
        pRecord->nAttributes = nAttributes;
        pRecord->bAttributesAsked = true;
    }
    const ULONG nAttributes = pRecord->nAttributes;
    const bool bFolder = (nAttributes & SFGAO_FOLDER) != 0;

    if (nMask & TVIF_TEXT) {
        CString strText;
        if (pRecord->nContentFlags & 0x20) {
            wchar_t szPath[MAX_PATH] = {};
            if (SHGetPathFromIDListW(pRecord->pidlAbsolute, szPath)) {
                strText = szPath;
                if (!(pRecord->nContentFlags & 0x10))
                    strText = PathFindFileNameW(szPath);
            }
        }
        if (strText.IsEmpty()) {
            SHFILEINFOW info = {};
            if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pRecord->pidlAbsolute), 0, &info, sizeof(info),
                               SHGFI_PIDL | SHGFI_DISPLAYNAME))
                strText = info.szDisplayName;
        }
        lstrcpynW(m_szText, strText, ARRAYSIZE(m_szText));
        if (item.pszText && item.pszText != LPSTR_TEXTCALLBACKW && item.cchTextMax > 0 && !(item.mask & TVIF_PARAM))
            lstrcpynW(item.pszText, m_szText, item.cchTextMax);  // TVN_GETDISPINFO's buffer
        else
            item.pszText = m_szText;
    }
    if (nMask & TVIF_STATE) {
        item.stateMask = TVIS_CUT | TVIS_OVERLAYMASK;
        item.state = 0;
        if (nAttributes & SFGAO_GHOSTED)
            item.state |= TVIS_CUT;
        if (nAttributes & SFGAO_SHARE)
            item.state |= INDEXTOOVERLAYMASK(1);
        else if (nAttributes & SFGAO_LINK)
            item.state |= INDEXTOOVERLAYMASK(2);
    }
    if (nMask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
        SHFILEINFOW info = {};
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pRecord->pidlAbsolute), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        item.iImage = info.iIcon;
        item.iSelectedImage = info.iIcon;
        if (bFolder) {
            SHFILEINFOW open = {};
            if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pRecord->pidlAbsolute), 0, &open, sizeof(open),
                               SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON))
                item.iSelectedImage = open.iIcon;
        }
    }
    if (nMask & TVIF_CHILDREN) {
        if (bRoot)
            item.cChildren = 1;
        else if (bFolder)
            item.cChildren = ((pRecord->nContentFlags & 1) || (nAttributes & SFGAO_REMOVABLE) || (nAttributes & SFGAO_HASSUBFOLDER)) ? 1 : 0;
        else
            item.cChildren = 0;
    }
}

int CShellTreeCtrl::FillChildren(HTREEITEM hItem)
{
    if (!hItem || hItem == TVI_ROOT)
        return 0;
    CShellTreeItem* pRecord = GetItemRecord(hItem);
    if (!pRecord)
        return -1;
    CWaitCursor wait;
    IShellFolder* pFolder = nullptr;
    if (IsEmptyList(pRecord->pidlAbsolute)) {
        pFolder = ShellDesktopFolder();
        if (pFolder)
            pFolder->AddRef();
    } else if (pRecord->pParentFolder) {
        pRecord->pParentFolder->BindToObject(pRecord->pidlRelative, nullptr, IID_IShellFolder,
                                             reinterpret_cast<void**>(&pFolder));
    }
    if (!pFolder)
        return -1;
    SHCONTF nFlags = SHCONTF_FOLDERS;
    if (pRecord->nContentFlags & 1)
        nFlags |= SHCONTF_NONFOLDERS;
    if (pRecord->nContentFlags & 2)
        nFlags |= SHCONTF_INCLUDEHIDDEN;
    IEnumIDList* pEnum = nullptr;
    if (pFolder->EnumObjects(m_hWnd, nFlags, &pEnum) == S_OK && pEnum) {
        LPITEMIDLIST pidlChild = nullptr;
        ULONG nFetched = 0;
        while (pEnum->Next(1, &pidlChild, &nFetched) == S_OK && nFetched == 1) {
            InsertShellItem(hItem, pFolder, pRecord->pidlAbsolute, pidlChild, pRecord->nContentFlags);
            ILFree(pidlChild);
        }
        pEnum->Release();
    }
    TVSORTCB sort = {hItem, CompareChildren, reinterpret_cast<LPARAM>(pFolder)};
    SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    pFolder->Release();
    return 0;
}

CString CShellTreeCtrl::GetItemPath(HTREEITEM hItem) const
{
    CShellTreeItem* pRecord = GetItemRecord(hItem);
    wchar_t szPath[MAX_PATH] = {};
    if (!pRecord || !SHGetPathFromIDListW(pRecord->pidlAbsolute, szPath))
        return CString();
    return szPath;
}

CString CShellTreeCtrl::GetSelectedPath() const
{
    return GetItemPath(GetSelectedItem());
}

int CShellTreeCtrl::SelectPath(LPCWSTR lpszPath, BOOL bExpand)
{
    IShellFolder* pDesktop = ShellDesktopFolder();
    if (!pDesktop || !lpszPath)
        return -1;
    LPITEMIDLIST pidlTarget = nullptr;
    ULONG nEaten = 0;
    if (FAILED(pDesktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(lpszPath), &nEaten, &pidlTarget, nullptr)) ||
        !pidlTarget)
        return -1;
    SendMessage(WM_SETREDRAW, FALSE);
    HTREEITEM hReached = GetRootItem();
    for (LPCITEMIDLIST pidlLevel = pidlTarget; hReached && !IsEmptyList(pidlLevel) && !m_bAbortSelect;
         pidlLevel = NextItem(pidlLevel)) {
        if (!GetChildItem(hReached))
            Expand(hReached, TVE_EXPAND);
        CShellTreeItem* pParentRecord = GetItemRecord(hReached);
        IShellFolder* pFolder = nullptr;
        if (pParentRecord && IsEmptyList(pParentRecord->pidlAbsolute)) {
            pFolder = pDesktop;
            pFolder->AddRef();
        } else if (pParentRecord && pParentRecord->pParentFolder) {
            pParentRecord->pParentFolder->BindToObject(pParentRecord->pidlRelative, nullptr, IID_IShellFolder,
                                                       reinterpret_cast<void**>(&pFolder));
        }
        if (!pFolder)
            break;
        LPITEMIDLIST pidlComponent = CloneFirst(pidlLevel);
        HTREEITEM hMatch = nullptr;
        for (HTREEITEM hChild = GetChildItem(hReached); hChild && !hMatch; hChild = GetNextSiblingItem(hChild)) {
            CShellTreeItem* pChild = GetItemRecord(hChild);
            if (pChild && pFolder->CompareIDs(0, pChild->pidlRelative, pidlComponent) == S_OK)
                hMatch = hChild;
        }
        ILFree(pidlComponent);
        pFolder->Release();
        if (!hMatch)
            break;
        hReached = hMatch;
    }
    ILFree(pidlTarget);
    if (hReached) {
        Select(hReached, TVGN_CARET);
        if (bExpand && !GetChildItem(hReached))
            Expand(hReached, TVE_EXPAND);
        EnsureVisible(hReached);
    }
    SendMessage(WM_SETREDRAW, TRUE);
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return 0;
}

void CShellTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWW* pView = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    *pResult = 0;
    if (pView->action != TVE_EXPAND || (pView->itemNew.state & TVIS_EXPANDEDONCE))
        return;
    HTREEITEM hItem = pView->itemNew.hItem;
    if (!GetChildItem(hItem) && FillChildren(hItem) == 0 && !GetChildItem(hItem)) {
        TVITEMW item = {};
        item.mask = TVIF_CHILDREN;
        item.hItem = hItem;
        item.cChildren = 0;
        SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void CShellTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWW* pView = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    delete reinterpret_cast<CShellTreeItem*>(pView->itemOld.lParam);
    *pResult = 0;
}

void CShellTreeCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOW* pInfo = reinterpret_cast<NMTVDISPINFOW*>(pNMHDR);
    CShellTreeItem* pRecord = reinterpret_cast<CShellTreeItem*>(pInfo->item.lParam);
    *pResult = 0;
    if (!pRecord)
        return;
    TVITEMW& item = pInfo->item;
    UINT nMask = item.mask & (TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN);
    LPWSTR pszBuffer = item.pszText;
    int cchBuffer = item.cchTextMax;
    UINT nSavedMask = item.mask;
    item.mask &= ~TVIF_PARAM;  // the buffer is the tree's
    FillDisplayData(pRecord, item, nMask);
    item.mask = nSavedMask;
    if ((nMask & TVIF_TEXT) && pszBuffer && cchBuffer > 0 && item.pszText != pszBuffer) {
        lstrcpynW(pszBuffer, m_szText, cchBuffer);
        item.pszText = pszBuffer;
    }
}

// ---- CFolderTreeCtrl

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CShellTreeCtrl)
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(NM_RCLICK, &CFolderTreeCtrl::OnRClick)
    ON_COMMAND_RANGE(20000, 21000, &CFolderTreeCtrl::OnShellCommand)
END_MESSAGE_MAP()

void CFolderTreeCtrl::OnRClick(NMHDR*, LRESULT* pResult)
{
    DWORD dwPos = ::GetMessagePos();
    SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), static_cast<LPARAM>(dwPos));
    *pResult = 1;
}

void CFolderTreeCtrl::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    if (!m_bEnabled || !pWnd || pWnd->m_hWnd != m_hWnd)
        return;
    CPoint ptClient = pos;
    ScreenToClient(&ptClient);
    TVHITTESTINFO hit = {};
    hit.pt = ptClient;
    HTREEITEM hItem = HitTest(&hit);
    if (hItem && (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)))
        ShowContextMenu(hItem, pos.x, pos.y);
}

LRESULT CALLBACK CFolderTreeCtrl::MenuHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CFolderTreeCtrl* pTree = static_cast<CFolderTreeCtrl*>(::GetPropW(hWnd, L"ShellContextMenu"));
    WNDPROC pfnPrevious = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, L"ShellContextMenuProc"));
    if (pTree && pTree->m_pContextMenu) {
        IContextMenu2* pMenu2 = nullptr;
        if ((message == WM_INITMENUPOPUP || ((message == WM_DRAWITEM || message == WM_MEASUREITEM) && wParam == 0)) &&
            SUCCEEDED(pTree->m_pContextMenu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&pMenu2)))) {
            pMenu2->HandleMenuMsg(message, wParam, lParam);
            pMenu2->Release();
            return message == WM_INITMENUPOPUP ? 0 : TRUE;
        }
        if (message == WM_MENUSELECT) {
            UINT nID = LOWORD(wParam);
            if (nID >= pTree->m_nFirstCommand && nID <= pTree->m_nLastCommand) {
                wchar_t szHelp[260] = {};
                if (FAILED(pTree->m_pContextMenu->GetCommandString(nID - pTree->m_nFirstCommand, GCS_HELPTEXTW, nullptr,
                                                                  reinterpret_cast<LPSTR>(szHelp), 260))) {
                    char szHelpA[260] = {};
                    if (SUCCEEDED(pTree->m_pContextMenu->GetCommandString(nID - pTree->m_nFirstCommand, GCS_HELPTEXTA,
                                                                         nullptr, szHelpA, 260)))
                        MultiByteToWideChar(CP_ACP, 0, szHelpA, -1, szHelp, 260);
                }
                if (CFrameWnd* pFrame = pTree->GetTopLevelFrame())
                    pFrame->SetMessageText(szHelp);
            }
        }
    }
    if (message == WM_DESTROY && pfnPrevious) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnPrevious));
        ::RemovePropW(hWnd, L"ShellContextMenu");
        ::RemovePropW(hWnd, L"ShellContextMenuProc");
    }
    return pfnPrevious ? ::CallWindowProcW(pfnPrevious, hWnd, message, wParam, lParam)
                       : ::DefWindowProcW(hWnd, message, wParam, lParam);
}

int CFolderTreeCtrl::ShowContextMenu(HTREEITEM hItem, int x, int y)
{
    CShellTreeItem* pRecord = GetItemRecord(hItem);
    if (!pRecord)
        return -1;
    IShellFolder* pFolder = IsEmptyList(pRecord->pidlAbsolute) || !pRecord->pParentFolder ? ShellDesktopFolder()
                                                                                          : pRecord->pParentFolder;
    if (!pFolder)
        return -1;
    LPCITEMIDLIST pidl = pRecord->pidlRelative;
    IContextMenu* pMenu = nullptr;
    if (FAILED(pFolder->GetUIObjectOf(m_hWnd, 1, &pidl, IID_IContextMenu, nullptr, reinterpret_cast<void**>(&pMenu))) ||
        !pMenu)
        return -1;
    HMENU hMenu = ::CreatePopupMenu();
    m_pContextMenu = pMenu;
    ::SetPropW(m_hWnd, L"ShellContextMenu", this);
    ::SetPropW(m_hWnd, L"ShellContextMenuProc",
               reinterpret_cast<HANDLE>(::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuHostProc))));
    UINT nDefault = ::GetMenuDefaultItem(hMenu, FALSE, 0);
    HRESULT hr = pMenu->QueryContextMenu(hMenu, 0, 20000, 21000, CMF_EXPLORE | CMF_NODEFAULT);
    if (nDefault != static_cast<UINT>(-1))
        ::SetMenuDefaultItem(hMenu, nDefault, FALSE);
    m_nFirstCommand = 20000;
    m_nLastCommand = SUCCEEDED(hr) && HRESULT_CODE(hr) > 0 ? 20000 + HRESULT_CODE(hr) - 1 : 20000;
    UINT nCommand = ::TrackPopupMenu(hMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, m_hWnd, nullptr);
    WNDPROC pfnPrevious = reinterpret_cast<WNDPROC>(::RemovePropW(m_hWnd, L"ShellContextMenuProc"));
    ::RemovePropW(m_hWnd, L"ShellContextMenu");
    if (pfnPrevious)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnPrevious));
    if (nCommand >= m_nFirstCommand && nCommand <= m_nLastCommand)
        OnShellCommand(nCommand);
    ::DestroyMenu(hMenu);
    m_pContextMenu = nullptr;
    pMenu->Release();
    return 0;
}

void CFolderTreeCtrl::OnShellCommand(UINT nID)
{
    if (!m_pContextMenu || nID < m_nFirstCommand || nID > m_nLastCommand)
        return;
    CMINVOKECOMMANDINFO invoke = {};
    invoke.cbSize = sizeof(invoke);
    invoke.hwnd = GetOwner() ? GetOwner()->m_hWnd : ::GetParent(m_hWnd);
    invoke.lpVerb = MAKEINTRESOURCEA(nID - m_nFirstCommand);
    invoke.nShow = SW_SHOWNORMAL;
    m_pContextMenu->InvokeCommand(&invoke);
}
