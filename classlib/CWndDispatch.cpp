// CWnd: the one window procedure, the message-map dispatch and the reflection of control
// notifications to the control's own map.
#include "classlib/CWnd.h"
#include "classlib/CCmdUI.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

// The message being handled on this thread, for Default() and GetCurrentMessage().
thread_local MSG t_msgCurrent = {};

// Answers Enable from an update handler, so a disabled command can be refused.
class CTestCmdUI : public CCmdUI {
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCWSTR) override {}
    BOOL m_bEnabled;
};

bool IsReflectable(UINT message)
{
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
        return true;
    default:
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
}

// The control a reflectable message comes from, or null when it comes from no control.
HWND ReflectionSource(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* pDis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return pDis && pDis->CtlType != ODT_MENU ? pDis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        const MEASUREITEMSTRUCT* pMis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return pMis && pMis->CtlType != ODT_MENU ? GetDlgItem(hWnd, pMis->CtlID) : nullptr;
    }
    case WM_DELETEITEM:
        return lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_COMPAREITEM:
        return lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
        return IsReflectable(message) ? reinterpret_cast<HWND>(lParam) : nullptr;
    }
}

}  // namespace

LRESULT CALLBACK CWnd::WndProcEntry(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    MSG previous = t_msgCurrent;
    t_msgCurrent.hwnd = hWnd;
    t_msgCurrent.message = message;
    t_msgCurrent.wParam = wParam;
    t_msgCurrent.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    t_msgCurrent = previous;
    // Whatever the handlers did, the object lets go of a destroyed window.
    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == pWnd)
        pWnd->FinishNcDestroy();
    return lResult;
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_msgCurrent;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_msgCurrent.message, t_msgCurrent.wParam, t_msgCurrent.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT lResult = 0;
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    if (const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), message, 0, 0)) {
        AFX_MSGCALL call = {message, wParam, lParam, 0, nullptr, 0};
        if (pEntry->pfn(this, call)) {
            *pResult = call.lResult;
            return TRUE;
        }
    }
    // Without a handler here, the control that sent it may handle its own notification.
    HWND hWndChild = ReflectionSource(m_hWnd, message, wParam, lParam);
    return hWndChild && ReflectMessage(hWndChild, message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl) {
        if (ReflectMessage(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    } else {
        // A menu, an accelerator or a posted command: one its update handler disables is not run.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (!pNMHDR)
        return FALSE;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    if (hWndCtrl && ReflectMessage(hWndCtrl, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    // Keyed by the sender's own id: a tool tip (id 0) asking for the text of a tool included.
    UINT nID = hWndCtrl ? static_cast<UINT>(::GetDlgCtrlID(hWndCtrl)) : static_cast<UINT>(pNMHDR->idFrom);
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::ReflectMessage(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild || pChild == this)
        return FALSE;
    LRESULT lResult = 0;
    if (!pChild->OnChildNotify(message, wParam, lParam, &lResult))
        return FALSE;
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    LRESULT lResult = 0;
    if (!pChild->OnChildNotify(t_msgCurrent.message, t_msgCurrent.wParam, t_msgCurrent.lParam, &lResult))
        return FALSE;
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::ReflectOrDefault(HWND hWndChild)
{
    LRESULT lResult = 0;
    if (hWndChild && ReflectLastMsg(hWndChild, &lResult))
        return lResult;
    return Default();
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lIgnored = 0;
    if (!pResult)
        pResult = &lIgnored;
    switch (message) {
    case WM_COMMAND:
        return OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr);
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = {pResult, pNMHDR};
        return OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    default:
        if (!IsReflectable(message))
            return FALSE;
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    }
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}
