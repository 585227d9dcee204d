// The operating-system record: one for the process, shared by everything that asks.
#pragma once
#include <windows.h>

class COSInfo {
public:
    // The process's record, filled (Init) on first use.
    static COSInfo& Get();

    COSInfo(const COSInfo&) = delete;
    COSInfo& operator=(const COSInfo&) = delete;

    // Zeroes the record, reads the version and the bitness. 0, or -1 when the version is unknown.
    int Init();
    bool IsVistaOrLater() const;
    int DetectBitness();  // 0
    // Reads whether visual styles are on (again, for a change of system colours or theme).
    // 0, or -1 when UxTheme or one of its functions is missing (the states are then -1).
    int DetectVisualStyles();
    // True when both the theme and this program's use of it are on; detects them on first use.
    bool IsThemed();

    OSVERSIONINFOW m_version;
    int m_nBitness;      // 32 or 64 (a 32-bit process on 64-bit Windows)
    int m_nThemeActive;  // 1 yes, -1 no or unknown, 0 not yet detected
    int m_nAppThemed;    // the same

private:
    COSInfo();
};
