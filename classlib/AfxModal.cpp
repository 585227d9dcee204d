#include "classlib/AfxModal.h"
#include "classlib/CWinApp.h"
#include "classlib/Resource.h"
#include <cwchar>

HWND AfxGetModalOwner(CWnd* pParentWnd)
{
    CWnd* pOwner = pParentWnd ? pParentWnd : AfxGetMainWnd();
    HWND hWnd = pOwner ? pOwner->m_hWnd : nullptr;
    if (!hWnd)
        return nullptr;
    hWnd = ::GetAncestor(hWnd, GA_ROOT);
    // A modal dialog already running over that window owns the new one, so that it is
    // disabled in turn.
    HWND hWndPopup = ::GetLastActivePopup(hWnd);
    return hWndPopup && ::IsWindowEnabled(hWndPopup) ? hWndPopup : hWnd;
}

void AfxCenterOpeningDialog(HWND hWndDlg, const RECT& rcBeforeInit)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWndDlg, GWL_STYLE));
    if (dwStyle & (WS_CHILD | WS_VISIBLE | DS_ABSALIGN | DS_CENTER | DS_CENTERMOUSE))
        return;
    RECT rect;
    ::GetWindowRect(hWndDlg, &rect);
    if (rect.left != rcBeforeInit.left || rect.top != rcBeforeInit.top)
        return;
    HWND hWndOwner = ::GetWindow(hWndDlg, GW_OWNER);
    if (hWndOwner && ::IsWindowEnabled(hWndOwner))
        return;
    CWnd::FromHandle(hWndDlg)->CenterWindow();
}

BOOL AfxInitOpeningDialog(CWnd* pDlg, const std::function<BOOL()>& onInitDialog)
{
    CRect rcBeforeInit;
    pDlg->GetWindowRect(&rcBeforeInit);
    BOOL bResult = onInitDialog();
    AfxCenterOpeningDialog(pDlg->m_hWnd, rcBeforeInit);
    return bResult;
}

namespace {

// Messages that come often without changing anything the idle work would show.
bool StartsIdleAgain(const MSG& msg, POINT& ptLastMouse)
{
    const UINT kCaretBlink = 0x0118;
    if (msg.message == WM_PAINT || msg.message == kCaretBlink)
        return false;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (msg.pt.x == ptLastMouse.x && msg.pt.y == ptLastMouse.y)
            return false;
        ptLastMouse = msg.pt;
    }
    return true;
}

}  // namespace

BOOL AfxRunModalLoop(HWND hWndModal, const std::function<bool()>& continueModal)
{
    bool bIdle = true;
    LONG lIdleCount = 0;
    POINT ptLastMouse = {-1, -1};
    while (continueModal()) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (bIdle && ::SendMessageW(hWndModal, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                continue;
            bIdle = false;
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        if (!CWnd::WalkPreTranslateTree(hWndModal, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (StartsIdleAgain(msg, ptLastMouse)) {
            bIdle = true;
            lIdleCount = 0;
        }
    }
    return TRUE;
}

namespace {

thread_local int t_modalDepth = 0;
thread_local HWND t_closeAfterModal = nullptr;

// Dialogs, message boxes, property sheets and file dialogs are all of the dialog class; the
// one that takes input is the innermost, the ones below it are disabled.
BOOL CALLBACK CloseInputDialog(HWND hWnd, LPARAM)
{
    wchar_t className[8] = {};
    ::GetClassNameW(hWnd, className, 8);
    if (wcscmp(className, L"#32770") == 0 && ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd))
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

CModalLoopScope::CModalLoopScope()
{
    ++t_modalDepth;
}

CModalLoopScope::~CModalLoopScope()
{
    --t_modalDepth;
    HWND hWnd = t_closeAfterModal;
    t_closeAfterModal = nullptr;
    // Posted, so that the code below the box runs to its end first; while an outer box still
    // runs, the close reaches the window through that box's loop and asks it to close in turn.
    if (hWnd && ::IsWindow(hWnd))
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
}

bool AfxDeferCloseWhileModal(HWND hWnd)
{
    if (t_modalDepth == 0)
        return false;
    t_closeAfterModal = hWnd;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CloseInputDialog, 0);
    return true;
}
