// CWnd: the handle map, creation, subclassing and the wrapper methods that are more than a
// forward. Message dispatch is in CWndDispatch.cpp, the default handlers in CWndHandlers.cpp.
#include "classlib/CWnd.h"
#include "classlib/AfxModal.h"
#include "classlib/AfxModule.h"
#include "classlib/AfxTempMap.h"
#include "classlib/CCmdUI.h"
#include "classlib/CWinApp.h"
#include "classlib/Resource.h"
#include <commctrl.h>
#include <shellapi.h>
#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <typeindex>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// Attached objects, shared by all threads so that any thread finds the object of a window.
struct PermanentMap {
    std::mutex lock;
    std::unordered_map<HWND, CWnd*> map;
};

// Never destroyed: windows of static objects (and wndTop) may look it up during exit.
PermanentMap& Permanent()
{
    static PermanentMap* permanent = new PermanentMap;
    return *permanent;
}

// Wrappers FromHandle made for windows without an object of the class asked for, one per
// window and class; each thread owns its own.
struct TemporaryMap : CTempMapBase {
    std::map<std::pair<HWND, std::type_index>, CWnd*> map;
    ~TemporaryMap() override { DeleteAll(); }
    void DeleteAll() override
    {
        for (auto& entry : map) {
            entry.second->m_hWnd = nullptr;
            delete entry.second;
        }
        map.clear();
    }
};

TemporaryMap& Temporaries()
{
    return static_cast<TemporaryMap&>(
        AfxThreadTempMap(typeid(TemporaryMap), []() -> CTempMapBase* { return new TemporaryMap; }));
}

// The window the next creation on this thread attaches to, and the hook that does it.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hHookCreation = nullptr;

bool IsImeWindow(HWND hWnd)
{
    wchar_t name[32] = {};
    GetClassNameW(hWnd, name, 32);
    return lstrcmpiW(name, L"IME") == 0 || lstrcmpiW(name, L"MSCTFIME UI") == 0;
}

void GetText(HWND hWnd, CString& rString)
{
    int nLength = GetWindowTextLengthW(hWnd);
    int nCopied = GetWindowTextW(hWnd, rString.GetBufferSetLength(nLength), nLength + 1);
    rString.ReleaseBuffer(nCopied);
}

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = GetTopWindow(hWnd); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (!bOnlyPerm || CWnd::FromHandlePermanent(hChild))
            SendMessageW(hChild, message, wParam, lParam);
        if (bDeep)
            SendToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

bool IsComboBox(HWND hWnd)
{
    wchar_t name[16] = {};
    return hWnd && GetClassNameW(hWnd, name, 16) && lstrcmpiW(name, WC_COMBOBOXW) == 0;
}

// The combo box that has the focus itself or in its edit field, or null.
HWND FocusedComboBox()
{
    HWND hWndFocus = GetFocus();
    if (IsComboBox(hWndFocus))
        return hWndFocus;
    HWND hWndParent = hWndFocus ? GetParent(hWndFocus) : nullptr;
    return IsComboBox(hWndParent) ? hWndParent : nullptr;
}

bool IsInMenuLoop()
{
    GUITHREADINFO info = {sizeof(info)};
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
}

HWND ParentOrOwner(HWND hWnd)
{
    if (GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD)
        return GetParent(hWnd);
    return GetWindow(hWnd, GW_OWNER);
}

}  // namespace

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_hWndOwner(nullptr) {}

CWnd::CWnd(HWND hWndConstant) : m_hWnd(hWndConstant), m_pfnSuper(nullptr), m_hWndOwner(nullptr) {}

CWnd::~CWnd()
{
    if (!m_hWnd || !IsPermanent())
        return;
    if (GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId())
        ::DestroyWindow(m_hWnd);
    // A window of another thread outlives us: it must stop calling into this object.
    if (m_hWnd)
        UnsubclassWindow();
}

HWND CWnd::GetSafeHwnd() const
{
    // Called on null pointers by long habit; the volatile read keeps the test.
    const CWnd* volatile self = this;
    return self ? self->m_hWnd : nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    PermanentMap& permanent = Permanent();
    std::lock_guard<std::mutex> guard(permanent.lock);
    auto it = permanent.map.find(hWnd);
    return it == permanent.map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return FromTemporary(hWnd, typeid(CWnd), [] { return new CWnd; });
}

CWnd* CWnd::FromTemporary(HWND hWnd, const std::type_info& type, CWnd* (*pfnNew)())
{
    if (!hWnd)
        return nullptr;
    auto key = std::make_pair(hWnd, std::type_index(type));
    TemporaryMap& temporaries = Temporaries();
    auto it = temporaries.map.find(key);
    if (it != temporaries.map.end())
        return it->second;
    CWnd* pTemporary = pfnNew();
    pTemporary->m_hWnd = hWnd;
    temporaries.map.emplace(key, pTemporary);
    return pTemporary;
}

void CWnd::DeleteTempMap()
{
    Temporaries().DeleteAll();
}

BOOL CWnd::IsPermanent() const
{
    return m_hWnd && FromHandlePermanent(m_hWnd) == this;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    PermanentMap& permanent = Permanent();
    std::lock_guard<std::mutex> guard(permanent.lock);
    if (!permanent.map.emplace(hWndNew, this).second)
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        PermanentMap& permanent = Permanent();
        std::lock_guard<std::mutex> guard(permanent.lock);
        auto it = permanent.map.find(hWnd);
        if (it != permanent.map.end() && it->second == this)
            permanent.map.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::AttachSubclassed(HWND hWnd)
{
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProcEntry)));
    if (pfnOld != &CWnd::WndProcEntry)
        m_pfnSuper = pfnOld;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    AttachSubclassed(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = pParent ? ::GetDlgItem(pParent->m_hWnd, nID) : nullptr;
    return hWndControl && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &CWnd::WndProcEntry)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

void CWnd::FinishNcDestroy()
{
    // The main window of a thread going away ends the thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    UnsubclassWindow();
    PostNcDestroy();
}

// Creation

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (!t_hHookCreation)
        t_hHookCreation = SetWindowsHookExW(WH_CBT, &CWnd::CreationHook, nullptr, GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    if (t_hHookCreation) {
        UnhookWindowsHookEx(t_hHookCreation);
        t_hHookCreation = nullptr;
    }
    BOOL bAttached = t_pWndInit == nullptr;
    t_pWndInit = nullptr;
    return bAttached;
}

LRESULT CALLBACK CWnd::CreationHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (nCode == HCBT_CREATEWND && t_pWndInit && !IsImeWindow(hWnd)) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        if (pWnd->Attach(hWnd)) {
            pWnd->PreSubclassWindow();
            pWnd->AttachSubclassed(hWnd);
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void AfxCancelModes(HWND hWndRcvr)
{
    HWND hWndCapture = ::GetCapture();
    // Inside a menu's loop the capture is the menu's own: cancelling it would close the menu
    // whose next level is opening.
    if (hWndCapture && hWndCapture != hWndRcvr && !IsInMenuLoop())
        ::SendMessageW(hWndCapture, WM_CANCELMODE, 0, 0);
    HWND hWndCombo = FocusedComboBox();
    if (hWndCombo && hWndCombo != hWndRcvr && ::SendMessageW(hWndCombo, CB_GETDROPPEDSTATE, 0, 0))
        ::SendMessageW(hWndCombo, CB_SHOWDROPDOWN, FALSE, 0);
}

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex lock;
    static std::set<std::wstring> names;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    CString name;
    name.Format(L"Classlib:%p:%x:%p:%p:%p", hInstance, nClassStyle, hCursor, hbrBackground, hIcon);
    std::lock_guard<std::mutex> guard(lock);
    auto it = names.find(static_cast<LPCWSTR>(name));
    if (it != names.end())
        return it->c_str();
    WNDCLASSW wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return names.insert(static_cast<LPCWSTR>(name)).first->c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    return cs.lpszClass != nullptr;
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, HandleOf(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs = {lpParam, AfxGetInstanceHandle(), nIDorHMenu, hWndParent, nHeight, nWidth,
                        y, x, static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                                  cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    // A window whose WM_CREATE failed is gone, and PostNcDestroy may have deleted this object.
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

// Relations

CWnd* CWnd::GetOwner() const
{
    return FromHandle(m_hWndOwner ? m_hWndOwner : ParentOrOwner(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    for (HWND hUp = hWnd ? ParentOrOwner(hWnd) : nullptr; hUp; hUp = ParentOrOwner(hWnd))
        hWnd = hUp;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND hWnd = m_hWnd;
    for (HWND hOwner = hWnd ? ::GetWindow(hWnd, GW_OWNER) : nullptr; hOwner; hOwner = ::GetWindow(hWnd, GW_OWNER))
        hWnd = hOwner;
    return FromHandle(hWnd);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hChild) == nID && (!bOnlyPerm || FromHandlePermanent(hChild)))
            return FromHandle(hChild);
        CWnd child(hChild);
        CWnd* pFound = child.GetDescendantWindow(nID, bOnlyPerm);
        child.m_hWnd = nullptr;
        if (pFound)
            return pFound;
    }
    return nullptr;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    bool bQuery = (nFlags & reposQuery) != 0;
    layout.hDWP = bQuery ? nullptr : ::BeginDeferWindowPos(8);
    HWND hWndLeftOver = nullptr;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        UINT nID = static_cast<UINT>(::GetDlgCtrlID(hChild));
        if (nID == nIDLeftOver)
            hWndLeftOver = hChild;
        else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(hChild))
            ::SendMessageW(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    CRect rcLeftOver = layout.rect;
    if ((nFlags & reposExtra) && lpRectParam) {
        rcLeftOver.left += lpRectParam->left;
        rcLeftOver.top += lpRectParam->top;
        rcLeftOver.right -= lpRectParam->right;
        rcLeftOver.bottom -= lpRectParam->bottom;
    }
    if (bQuery) {
        if (lpRectParam)
            *lpRectParam = rcLeftOver;
        return;
    }
    if (hWndLeftOver && !(nFlags & reposNoPosLeftOver) && layout.hDWP) {
        // Bars that take more than there is leave an empty pane, not an inverted one.
        rcLeftOver.right = std::max(rcLeftOver.right, rcLeftOver.left);
        rcLeftOver.bottom = std::max(rcLeftOver.bottom, rcLeftOver.top);
        layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, nullptr, rcLeftOver.left, rcLeftOver.top,
                                       rcLeftOver.Width(), rcLeftOver.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        state.m_nID = ::GetDlgCtrlID(hChild);
        state.m_pOther = FromHandle(hChild);
        // The window's own update handlers come first.
        if (CCmdTarget::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        // Only push buttons have a command to lack; an edit or a check box stays as it is.
        BOOL bDisable = bDisableIfNoHndler && (::SendMessageW(hChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) &&
                        (GetWindowLongPtrW(hChild, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
        state.DoUpdate(pTarget, bDisable);
    }
}

// Text

void CWnd::GetWindowText(CString& rString) const
{
    GetText(m_hWnd, rString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (!hItem) {
        rString.Empty();
        return 0;
    }
    GetText(hItem, rString);
    return rString.GetLength();
}

// Styles

namespace {

// nIndex is GWL_STYLE or GWL_EXSTYLE; FALSE when the bits are as asked already.
BOOL ModifyStyleBits(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(GetWindowLongPtrW(hWnd, nIndex));
    DWORD dwNew = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNew)
        return FALSE;
    SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG>(dwNew));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

// Position

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcCenter;
    CRect rcArea;
    if (GetStyle() & WS_CHILD) {
        HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &rcCenter);
        rcArea = rcCenter;
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rcWindow), 2);
    } else {
        HWND hOwner = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
        MONITORINFO mi = {sizeof(mi)};
        GetMonitorInfoW(MonitorFromWindow(hOwner ? hOwner : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
        rcArea = mi.rcWork;
        if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
            ::GetWindowRect(hOwner, &rcCenter);
        else
            rcCenter = rcArea;
    }
    int x = (rcCenter.left + rcCenter.right) / 2 - rcWindow.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcWindow.Height() / 2;
    // Keep the window inside the area, its top-left corner first.
    x = std::max(static_cast<int>(rcArea.left), std::min(x, static_cast<int>(rcArea.right) - rcWindow.Width()));
    y = std::max(static_cast<int>(rcArea.top), std::min(y, static_cast<int>(rcArea.bottom) - rcWindow.Height()));
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Scrolling, drag and drop, message boxes

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    if (!lpszCaption)
        lpszCaption = AfxGetApp() ? AfxGetApp()->m_pszAppName : L"";
    CModalLoopScope modal;
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}
