#include "conversion/app/controls/CThemeData.h"

namespace {

using PfnOpenThemeData = HANDLE(WINAPI*)(HWND, LPCWSTR);
using PfnCloseThemeData = HRESULT(WINAPI*)(HANDLE);
using PfnDrawThemeBackground = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
using PfnIsThemed = BOOL(WINAPI*)();

HMODULE g_hUxTheme = nullptr;
bool g_bLoadTried = false;

FARPROC Entry(const char* pszName)
{
    if (!g_bLoadTried) {
        g_bLoadTried = true;
        g_hUxTheme = LoadLibraryW(L"UxTheme.dll");
    }
    return g_hUxTheme ? GetProcAddress(g_hUxTheme, pszName) : nullptr;
}

template <class Pfn>
Pfn Bind(Pfn& cache, const char* pszName)
{
    if (!cache)
        cache = reinterpret_cast<Pfn>(reinterpret_cast<void*>(Entry(pszName)));
    return cache;
}

PfnOpenThemeData g_pfnOpen = nullptr;
PfnCloseThemeData g_pfnClose = nullptr;
PfnDrawThemeBackground g_pfnDraw = nullptr;
PfnIsThemed g_pfnIsThemeActive = nullptr;
PfnIsThemed g_pfnIsAppThemed = nullptr;

}  // namespace

BOOL CThemeData::Open(HWND hWnd, LPCWSTR pszClassList)
{
    Close();
    if (PfnOpenThemeData pfn = Bind(g_pfnOpen, "OpenThemeData"))
        m_hTheme = pfn(hWnd, pszClassList);
    return m_hTheme != nullptr;
}

void CThemeData::Close()
{
    if (!m_hTheme)
        return;
    if (PfnCloseThemeData pfn = Bind(g_pfnClose, "CloseThemeData"))
        pfn(m_hTheme);
    m_hTheme = nullptr;
}

HRESULT CThemeData::DrawBackground(HDC hDC, int nPart, int nState, const RECT* pRect, const RECT* pClipRect)
{
    PfnDrawThemeBackground pfn = Bind(g_pfnDraw, "DrawThemeBackground");
    if (!pfn || !m_hTheme)
        return E_FAIL;
    return pfn(m_hTheme, hDC, nPart, nState, pRect, pClipRect);
}

BOOL IsVisualStyleActive()
{
    PfnIsThemed pfnActive = Bind(g_pfnIsThemeActive, "IsThemeActive");
    PfnIsThemed pfnApp = Bind(g_pfnIsAppThemed, "IsAppThemed");
    return pfnActive && pfnApp && pfnActive() && pfnApp();
}
