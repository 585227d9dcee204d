// CThemeData: the visual-styles (UxTheme) drawing functions bound at run time.
// "UxTheme.dll" is loaded on first use with a single attempt; a missing library or entry point
// makes Open fail (no theme) and the others report E_FAIL.
#pragma once
#include <windows.h>

class CThemeData {
public:
    CThemeData() = default;
    ~CThemeData() { Close(); }
    CThemeData(const CThemeData&) = delete;
    CThemeData& operator=(const CThemeData&) = delete;

    BOOL Open(HWND hWnd, LPCWSTR pszClassList);  // closes first
    void Close();
    BOOL IsOpen() const { return m_hTheme != nullptr; }
    HRESULT DrawBackground(HDC hDC, int nPart, int nState, const RECT* pRect, const RECT* pClipRect);

    HANDLE m_hTheme = nullptr;
};

// Visual styles in force: UxTheme's IsThemeActive and IsAppThemed both true (FALSE without
// UxTheme).
BOOL IsVisualStyleActive();
