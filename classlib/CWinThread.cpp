#include "classlib/CWinThread.h"
#include "classlib/AfxTempMap.h"
#include "classlib/CWnd.h"
#include "classlib/Resource.h"
#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

bool StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                 LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
        return false;
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return true;
}

}  // namespace

CWinThread::CWinThread() : CWinThread(nullptr, nullptr) {}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pMainWnd(nullptr),
      m_bAutoDelete(TRUE),
      m_hThread(nullptr),
      m_nThreadID(0),
      m_pfnThreadProc(pfnThreadProc),
      m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        CloseHandle(m_hThread);
    if (AfxGetThread() == this)
        SetCurrentThread(nullptr);
}

// The slot is made on first use, so it is ready even for objects constructed before main.
DWORD CWinThread::CurrentThreadSlot()
{
    static const DWORD slot = TlsAlloc();
    return slot;
}

void CWinThread::SetCurrentThread(CWinThread* pThread)
{
    TlsSetValue(CurrentThreadSlot(), pThread);
}

CWinThread* AfxGetThread()
{
    return static_cast<CWinThread*>(TlsGetValue(CWinThread::CurrentThreadSlot()));
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread)
        return FALSE;
    // Always created suspended, so the thread sees m_hThread and m_nThreadID already set.
    unsigned id = 0;
    uintptr_t h = _beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
                                 CREATE_SUSPENDED, &id);
    if (!h)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = id;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pParam)
{
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    SetCurrentThread(pThread);
    UINT nResult = pThread->RunSteps();
    pThread->Delete();
    SetCurrentThread(nullptr);
    return nResult;
}

UINT CWinThread::RunSteps()
{
    if (m_pfnThreadProc)
        return m_pfnThreadProc(m_pThreadParams);
    if (!InitInstance())
        return ExitInstance();
    return Run();
}

int CWinThread::GetThreadPriority() const
{
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (::GetMessageW(&m_msgCur, nullptr, 0, 0) <= 0)
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd)
        return FALSE;
    HWND hWndMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // A window outside the main window's family still gets the main window's accelerators.
    if (hWndMain && CWnd::FromHandle(pMsg->hwnd)->GetTopLevelParent() != m_pMainWnd)
        return m_pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // A repeated mouse position, a paint or a caret blink (WM_SYSTIMER) does not restart idle time.
    static thread_local POINT ptLastMouse = {-1, -1};
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        bool bSame = pMsg->pt.x == ptLastMouse.x && pMsg->pt.y == ptLastMouse.y;
        ptLastMouse = pMsg->pt;
        return !bSame;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd && pMainWnd->m_hWnd && pMainWnd->IsWindowVisible()) {
            pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxDeleteTempMaps();
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return 0;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    return pThread;
}

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThreadClass || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return nullptr;
    CWinThread* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    if (!pThread)
        return nullptr;
    if (!StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    return pThread;
}
