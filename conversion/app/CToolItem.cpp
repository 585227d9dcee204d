#include "conversion/app/CToolItem.h"
#include "conversion/app/CConcatenatePage.h"
#include "conversion/app/CConvertPage.h"
#include "conversion/app/CExtractAudioPage.h"
#include "conversion/app/CM3U8Page.h"
#include "conversion/app/CMergePage.h"
#include "conversion/app/res/FetcherResources.h"

namespace {

// A tool whose page is a TPage made from dialog nDialogId.
template <class TPage, UINT nDialogId>
class CPageTool : public CToolItem {
public:
    using CToolItem::CToolItem;

    int CreatePage(CWnd* pParent) override
    {
        if (m_pPage)
            return 1;
        TPage* pPage = new TPage;
        m_pPage = pPage;
        if (!pPage->Create(nDialogId, pParent)) {
            delete pPage;
            m_pPage = nullptr;
            return -1;
        }
        return 0;
    }
};

}  // namespace

void CToolItem::DestroyPage()
{
    if (!m_pPage)
        return;
    m_pPage->DestroyWindow();
    delete m_pPage;
    m_pPage = nullptr;
}

void AddConversionTools(CToolItemArray& tools)
{
    tools.Add(new CPageTool<CMergePage, IDD_MERGE_PAGE>(
        L"Merge video and audio", L"Merge separate video and audio files into a single file."));
    tools.Add(new CPageTool<CM3U8Page, IDD_M3U8_PAGE>(L"M3U8 to MP4",
                                                      L"Convert HLS (.m3u8) to MP4 or any other format."));
    tools.Add(new CPageTool<CConcatenatePage, IDD_CONCATENATE_PAGE>(
        L"Concatenate segments",
        L"If you only have segment files (.ts) and don't have a .m3u8 file, the program can also concatenate "
        L"segment files into a single file."));
    tools.Add(new CPageTool<CExtractAudioPage, IDD_EXTRACT_AUDIO_PAGE>(
        L"Video to MP3", L"Extract audio stream from video file and save in MP3 or any other audio format"));
    tools.Add(new CPageTool<CConvertPage, IDD_CONVERT_PAGE>(L"Convert video or audio",
                                                            L"Convert video or audio file between different formats."));
}
