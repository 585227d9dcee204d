#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "conversion/engine/catalogue/BuiltInFormats.h"

CBuiltInMediaFormats theMediaFormats;

namespace {

struct CategorySpec {
    LPCWSTR id;
    LPCWSTR name;
    int mediaKind;
    DWORD flags;
    void (*addFormats)(CMediaFormatCategory& category);
};

const CategorySpec kCategories[] = {
    {L"MFC_Video", L"Video", MEDIA_KIND_VIDEO, CATEGORY_MARK, AddVideoFormats},
    {L"MFC_Audio", L"Audio", MEDIA_KIND_AUDIO, CATEGORY_MARK, AddAudioFormats},
    {L"MFC_Video_Devices", L"Device", MEDIA_KIND_NONE, CATEGORY_MARK | FORMAT_DEVICE, AddDeviceFormats},
};

}  // namespace

int CBuiltInMediaFormats::BuildBuiltIns()
{
    for (const CategorySpec& spec : kCategories) {
        CMediaFormatCategory* pCategory = new CMediaFormatCategory;
        pCategory->m_id = spec.id;
        pCategory->m_name = spec.name;
        pCategory->m_mediaKind = spec.mediaKind;
        pCategory->m_flags = spec.flags;
        spec.addFormats(*pCategory);
        m_categories.Add(pCategory);
    }
    return 0;
}
