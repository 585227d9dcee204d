#include "framework/system/COSInfo.h"

namespace {

template <class Proc>
Proc Lookup(HMODULE hModule, LPCSTR pszName)
{
    return hModule ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName))) : nullptr;
}

}  // namespace

COSInfo& COSInfo::Get()
{
    static COSInfo s_info;
    return s_info;
}

COSInfo::COSInfo()
{
    Init();
}

int COSInfo::Init()
{
    m_version = OSVERSIONINFOW();
    m_nBitness = m_nThemeActive = m_nAppThemed = 0;
    m_version.dwOSVersionInfoSize = sizeof(m_version);
    if (!GetVersionExW(&m_version))
        return -1;
    DetectBitness();
    return 0;
}

bool COSInfo::IsVistaOrLater() const
{
    return m_version.dwPlatformId == VER_PLATFORM_WIN32_NT && m_version.dwMajorVersion > 5;
}

int COSInfo::DetectBitness()
{
    typedef BOOL(WINAPI * Wow64Proc)(HANDLE, PBOOL);
    auto pfnIsWow64 = Lookup<Wow64Proc>(GetModuleHandleW(L"kernel32"), "IsWow64Process");
    BOOL bWow64 = FALSE;
    m_nBitness = pfnIsWow64 && pfnIsWow64(GetCurrentProcess(), &bWow64) && bWow64 ? 64 : 32;
    return 0;
}

int COSInfo::DetectVisualStyles()
{
    typedef BOOL(WINAPI * ThemeProc)();
    // Loaded once and kept: the programs' themed drawing calls into it for the whole run.
    static const HMODULE s_hUxTheme = LoadLibraryW(L"UxTheme.dll");
    m_nThemeActive = m_nAppThemed = -1;
    auto pfnIsThemeActive = Lookup<ThemeProc>(s_hUxTheme, "IsThemeActive");
    auto pfnIsAppThemed = Lookup<ThemeProc>(s_hUxTheme, "IsAppThemed");
    if (!pfnIsThemeActive || !pfnIsAppThemed)
        return -1;
    m_nThemeActive = pfnIsThemeActive() ? 1 : -1;
    m_nAppThemed = pfnIsAppThemed() ? 1 : -1;
    return 0;
}

bool COSInfo::IsThemed()
{
    if (m_nThemeActive == 0 || m_nAppThemed == 0)
        DetectVisualStyles();
    return m_nThemeActive == 1 && m_nAppThemed == 1;
}
