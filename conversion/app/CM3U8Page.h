// CM3U8Page: "M3U8 to MP4": an HLS playlist (local or remote) converted into the chosen
// format. It shares the convert page's saved format and output choices.
#pragma once
#include "conversion/app/CFormatTaskPage.h"

class CM3U8Page : public CFormatTaskPage {
    DECLARE_DYNAMIC(CM3U8Page)
public:
    CM3U8Page();

    BOOL OnInitDialog() override;
    int FillTask(CConvertTaskRecord& record) override;
    void SetRunningLayout(BOOL bRunning) override;

protected:
    LPCWSTR GetSourceFilter() const override;
};
