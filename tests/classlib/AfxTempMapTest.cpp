// The temporary wrappers of a thread that ends go with it, while its other per-thread values
// still hold, and the heap stays whole however many such threads come and go.
#include "classlib/Afx.h"
#include "classlib/AfxTempMap.h"
#include <gtest/gtest.h>
#include <process.h>

namespace {

const int kMarker = 42;
thread_local int t_nMarker = 0;
LONG g_nDetached = 0;
LONG g_nDetachedWithMarker = 0;

// A wrapper that counts its releases, and those that still saw its thread's marker.
struct CCountingWrapper {
    HANDLE m_h = nullptr;
    void Attach(HANDLE h) { m_h = h; }
    HANDLE Detach()
    {
        InterlockedIncrement(&g_nDetached);
        if (t_nMarker == kMarker)
            InterlockedIncrement(&g_nDetachedWithMarker);
        HANDLE h = m_h;
        m_h = nullptr;
        return h;
    }
};

bool EveryHeapIsWhole()
{
    HANDLE heaps[64];
    DWORD nHeaps = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < nHeaps && i < 64; i++) {
        if (!HeapValidate(heaps[i], 0, nullptr))
            return false;
    }
    return true;
}

// Makes temporaries of every kind, then ends without deleting them.
unsigned __stdcall MakeTemporaries(void*)
{
    t_nMarker = kMarker;
    HDC hDC = GetDC(nullptr);
    CDC::FromHandle(hDC);
    CWnd::FromHandle(GetDesktopWindow());
    CGdiObject::FromHandle(GetStockObject(BLACK_PEN));
    HMENU hMenu = CreatePopupMenu();
    CMenu::FromHandle(hMenu);
    CTempMap<CCountingWrapper, HANDLE>::FromHandle(reinterpret_cast<HANDLE>(1));
    CTempMap<CCountingWrapper, HANDLE>::FromHandle(reinterpret_cast<HANDLE>(2));
    ReleaseDC(nullptr, hDC);
    DestroyMenu(hMenu);
    return 0;
}

TEST(AfxTempMap, TheTemporariesOfEndedThreadsGoAndLeaveTheHeapWhole)
{
    const int kThreads = 40;
    for (int n = 0; n < kThreads; n++) {
        HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &MakeTemporaries, nullptr, 0, nullptr));
        ASSERT_NE(nullptr, hThread);
        WaitForSingleObject(hThread, INFINITE);
        CloseHandle(hThread);
        ASSERT_EQ(2 * (n + 1), g_nDetached) << "after thread " << n;
        ASSERT_EQ(g_nDetached, g_nDetachedWithMarker) << "after thread " << n;
        ASSERT_TRUE(EveryHeapIsWhole()) << "after thread " << n;
    }
}

}  // namespace
