// CConvertPage: "Convert video or audio": one source into the chosen format and preset, with
// an optional cut, rotation, flips, picture filters and volume change.
#pragma once
#include "conversion/app/CFormatTaskPage.h"
#include "conversion/app/controls/CMaskedEdit.h"

class CConvertPage : public CFormatTaskPage {
    DECLARE_DYNAMIC(CConvertPage)
public:
    CConvertPage();

    BOOL OnInitDialog() override;
    int CollectData() override;
    int FillTask(CConvertTaskRecord& record) override;
    void SetRunningLayout(BOOL bRunning) override;
    // The volume follows the chosen format: a format without sound has none to change.
    void SelectFormat(int nIndex) override;

    // The cut the run gets from the page's times: start and end in milliseconds, (0, -1) for
    // none. A start not below a positive end gives no cut.
    static void GetCut(BOOL bCut, LONGLONG start, LONGLONG end, int& cutStart, int& cutEnd);
    // The times corrected against a source of that duration (milliseconds).
    static void CorrectTimes(LONGLONG duration, LONGLONG& start, LONGLONG& end);

    int m_bCut = 0;
    int m_bFlipHorizontally = 0;
    int m_bFlipVertically = 0;
    int m_bRotate = 0;
    int m_rotateIndex = 0;
    int m_bGrayscale = 0;
    int m_bNegate = 0;
    int m_bOldPhoto = 0;
    int m_bChangeVolume = 0;
    int m_volume = 100;
    LONGLONG m_cutStart = 0;
    LONGLONG m_cutEnd = -1;  // -1: to the end, shown as an empty edit
    CTimeEdit m_cutStartEdit;
    CTimeEdit m_cutEndEdit;

protected:
    // For the pages that offer a part of these options from their own dialog.
    CConvertPage(UINT nIDTemplate, CPageSettings& settings);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnCut();
    void OnRotate();
    void OnChangeVolume();
    void OnReset();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void SourceApplied() override;
    LPCWSTR GetSourceFilter() const override;
    // Enables the cut, picture and volume controls by their checks, the source's streams and
    // the chosen format's.
    void ApplyOptionRules(BOOL bRunning);
    void ShowTimes();
    void ShowVolume();
    DECLARE_MESSAGE_MAP()
};
