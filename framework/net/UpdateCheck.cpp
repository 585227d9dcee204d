#include "framework/net/UpdateCheck.h"
#include "classlib/CWinApp.h"
#include "classlib/CWinThread.h"
#include "framework/net/CUpdateChecker.h"
#include "framework/system/IAppSettings.h"
#include "framework/system/MessagePumps.h"
#include <vector>

namespace {

const UINT WM_UPDATE_CHECK_DONE = WM_APP + 1;  // wParam: the check's id
const wchar_t kNotifyWindowClass[] = L"KavriUpdateCheckNotify";

// One running check. The window thread owns it; its thread reads nId, hNotify and pChecker,
// which do not change while it runs.
struct CheckRun {
    UINT nId;
    HWND hNotify;
    CUpdateChecker* pChecker;
    CWinThread* pThread;
};

// Window-thread state: the running checks and the message-only window that hears of their end.
std::vector<CheckRun*> g_runs;
HWND g_hNotify = nullptr;
UINT g_nLastId = 0;

UINT __cdecl UpdateCheckThreadProc(LPVOID pParam)
{
    CheckRun* pRun = static_cast<CheckRun*>(pParam);
    pRun->pChecker->Run();
    PostMessageW(pRun->hNotify, WM_UPDATE_CHECK_DONE, pRun->nId, 0);
    return 0;
}

// The thread of pRun has ended: its choice reaches the settings and its objects go.
void TakeBack(size_t nIndex)
{
    CheckRun* pRun = g_runs[nIndex];
    g_runs.erase(g_runs.begin() + nIndex);
    if (IAppSettings* pSettings = GetAppSettings())
        pSettings->SetAutoCheckUpdate(pRun->pChecker->m_nAutoCheck);
    delete pRun->pThread;
    delete pRun->pChecker;
    delete pRun;
}

void OnCheckDone(UINT nId)
{
    for (size_t i = 0; i < g_runs.size(); i++) {
        if (g_runs[i]->nId == nId) {
            // The thread has posted its last word and is returning.
            WaitForSingleObject(g_runs[i]->pThread->m_hThread, INFINITE);
            TakeBack(i);
            return;
        }
    }
}

LRESULT CALLBACK NotifyWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_UPDATE_CHECK_DONE) {
        OnCheckDone(static_cast<UINT>(wParam));
        return 0;
    }
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}

HWND NotifyWindow()
{
    if (g_hNotify)
        return g_hNotify;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = NotifyWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kNotifyWindowClass;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    g_hNotify = CreateWindowExW(0, kNotifyWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                nullptr);
    return g_hNotify;
}

BOOL CALLBACK CloseThreadWindow(HWND hwnd, LPARAM)
{
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

bool SameLocalDay(time_t a, time_t b)
{
    struct tm ta = {}, tb = {};
    if (localtime_s(&ta, &a) != 0 || localtime_s(&tb, &b) != 0)
        return false;
    return ta.tm_year == tb.tm_year && ta.tm_mon == tb.tm_mon && ta.tm_mday == tb.tm_mday;
}

}  // namespace

bool IsUpdateCheckDue(time_t now, time_t last, int nIntervalDays)
{
    if (nIntervalDays < 0)
        return false;
    if (nIntervalDays == 0)
        return true;
    if (nIntervalDays == 1)
        return !SameLocalDay(now, last);
    return (now - last) / 86400 > nIntervalDays - 1;
}

int StartUpdateCheck(LPCWSTR pszManifestUrl, LPCWSTR pszCurrentVersion, int nIntervalDays, BOOL bAutomatic)
{
    const time_t now = time(nullptr);
    CWinApp* pApp = AfxGetApp();
    if (bAutomatic) {
        int nLast = pApp ? static_cast<int>(pApp->GetProfileInt(L"Settings", L"LastUpdateCheck", 0)) : 0;
        if (!IsUpdateCheckDue(now, nLast, nIntervalDays))
            return 1;
    }
    HWND hNotify = NotifyWindow();
    if (!hNotify)
        return -1;
    IAppSettings* pSettings = GetAppSettings();
    int nAutoCheck = pSettings ? pSettings->GetAutoCheckUpdate() : 1;
    CheckRun* pRun = new CheckRun{++g_nLastId, hNotify,
                                  new CUpdateChecker(pszManifestUrl, L"Application", pszCurrentVersion,
                                                     nAutoCheck, bAutomatic),
                                  nullptr};
    pRun->pThread = AfxBeginThread(UpdateCheckThreadProc, pRun, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!pRun->pThread) {
        delete pRun->pChecker;
        delete pRun;
        return -1;
    }
    pRun->pThread->m_bAutoDelete = FALSE;
    g_runs.push_back(pRun);
    if (pApp)
        pApp->WriteProfileInt(L"Settings", L"LastUpdateCheck", static_cast<int>(now));
    pRun->pThread->ResumeThread();
    return 0;
}

int EndUpdateChecks(DWORD dwTimeoutMs)
{
    for (CheckRun* pRun : g_runs) {
        pRun->pChecker->m_nCancel = 2;
        EnumThreadWindows(pRun->pThread->m_nThreadID, CloseThreadWindow, 0);
    }
    // One time limit for all of them. A check's thread may be sending to this thread's windows
    // (a dialog owned by the main window does), so sent messages are answered meanwhile.
    const DWORD dwStart = GetTickCount();
    for (size_t i = 0; i < g_runs.size();) {
        DWORD dwElapsed = GetTickCount() - dwStart;
        DWORD dwLeft = dwElapsed < dwTimeoutMs ? dwTimeoutMs - dwElapsed : 0;
        if (WaitServingSentMessages(g_runs[i]->pThread->m_hThread, dwLeft))
            TakeBack(i);
        else
            i++;
    }
    if (g_runs.empty() && g_hNotify) {
        DestroyWindow(g_hNotify);
        g_hNotify = nullptr;
    }
    return static_cast<int>(g_runs.size());
}

int GetPendingUpdateChecks()
{
    return static_cast<int>(g_runs.size());
}
