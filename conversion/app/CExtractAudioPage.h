// CExtractAudioPage: "Video to MP3": the audio of a video file in the chosen format, with an
// optional cut and volume change. Without a saved format it opens on MP3.
#pragma once
#include "conversion/app/CConvertPage.h"

class CExtractAudioPage : public CConvertPage {
    DECLARE_DYNAMIC(CExtractAudioPage)
public:
    CExtractAudioPage();

    BOOL OnInitDialog() override;

protected:
    LPCWSTR GetSourceFilter() const override;
};
