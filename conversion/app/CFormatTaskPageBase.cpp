#include "conversion/app/CFormatTaskPageBase.h"
#include "classlib/CDataExchange.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"

IMPLEMENT_DYNAMIC(CFormatTaskPageBase, CConversionTaskPage)

namespace {

const int kRowHeight = 18;
const COLORREF kRightColumnColour = 0xFF0000;

bool IsOffered(const CMediaCatalogItem& item)
{
    return (item.m_flags & FORMAT_OFF) == 0;
}

bool HasOfferedFormat(const CMediaFormatCategory& category)
{
    for (int i = 0; i < category.m_formats.GetSize(); i++) {
        if (IsOffered(*category.m_formats[i]))
            return true;
    }
    return false;
}

}  // namespace

CFormatTaskPageBase::CFormatTaskPageBase(UINT nIDTemplate, CPageSettings& settings)
    : CConversionTaskPage(nIDTemplate, settings), m_formatId(settings.m_formatId), m_presetName(settings.m_presetName)
{
}

CFormatTaskPageBase::~CFormatTaskPageBase()
{
    if (m_pPreset)
        m_pPreset->m_useCount--;
}

void CFormatTaskPageBase::DoDataExchange(CDataExchange* pDX)
{
    CConversionTaskPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAGE_FORMAT, m_formatCombo);
    DDX_Control(pDX, IDC_PAGE_PRESET, m_presetCombo);
    DDX_CBIndex(pDX, IDC_PAGE_FORMAT, m_formatIndex);
    DDX_CBIndex(pDX, IDC_PAGE_PRESET, m_presetIndex);
    if (!pDX->m_bSaveAndValidate)
        return;
    m_pFormat = nullptr;
    if (m_formatIndex >= 0 && !IsHeaderRow(m_formatIndex))
        m_pFormat = reinterpret_cast<CMediaFormat*>(m_formatCombo.GetItemData(m_formatIndex));
    CMediaPreset* pPreset =
        m_presetIndex >= 0 ? reinterpret_cast<CMediaPreset*>(m_presetCombo.GetItemData(m_presetIndex)) : nullptr;
    if (pPreset != m_pPreset) {
        if (m_pPreset)
            m_pPreset->m_useCount--;
        m_pPreset = pPreset;
        if (m_pPreset)
            m_pPreset->m_useCount++;
    }
    m_formatId = m_pFormat ? CString(m_pFormat->m_id) : CString();
    m_presetName = m_pPreset ? m_pPreset->GetName() : CString();
}

BOOL CFormatTaskPageBase::OnInitDialog()
{
    CConversionTaskPage::OnInitDialog();
    SetTip(IDC_PAGE_ADVANCED, L"Video/audio format settings");
    m_formatCombo.SetItemHeight(-1, kRowHeight);
    m_formatCombo.SetItemHeight(0, kRowHeight);
    m_formatCombo.m_pImageList = &theConversionUiResources.m_formatImages;
    m_formatCombo.m_rightWidth = 32;
    m_formatCombo.m_rightColour = kRightColumnColour;
    m_presetCombo.SetItemHeight(-1, kRowHeight);
    m_presetCombo.SetItemHeight(0, kRowHeight);
    m_presetCombo.m_presetItems = TRUE;
    m_presetCombo.m_rightWidth = 64;
    m_presetCombo.m_rightColour = kRightColumnColour;
    if (!m_formatId.IsEmpty()) {
        m_pFormat = theMediaFormats.FindFormat(m_formatId);
        if (m_pFormat)
            m_pPreset = m_pFormat->FindPreset(m_presetName);
        if (m_pPreset)
            m_pPreset->m_useCount++;
    }
    FillAndSelect();
    return TRUE;
}

void CFormatTaskPageBase::SaveSettings()
{
    CConversionTaskPage::SaveSettings();
    m_settings.m_formatId = m_formatId;
    m_settings.m_presetName = m_presetName;
}

void CFormatTaskPageBase::ReleasePreset()
{
    if (m_pPreset)
        m_pPreset->m_useCount--;
    m_pPreset = nullptr;
}

BOOL CFormatTaskPageBase::IsHeaderRow(int nIndex) const
{
    DWORD_PTR data = m_formatCombo.GetItemData(nIndex);
    if (!data || data == static_cast<DWORD_PTR>(CB_ERR))
        return FALSE;
    return (reinterpret_cast<const CMediaCatalogItem*>(data)->m_flags & CATEGORY_MARK) != 0;
}

void CFormatTaskPageBase::FillFormats()
{
    m_formatCombo.ResetContent();
    const COwnedPtrArray<CMediaFormatCategory>& categories = theMediaFormats.m_categories;
    bool headers = categories.GetSize() > 1;
    for (int c = 0; c < categories.GetSize(); c++) {
        CMediaFormatCategory* pCategory = categories[c];
        if (!IsOffered(*pCategory) || !HasOfferedFormat(*pCategory))
            continue;
        if (headers) {
            int row = m_formatCombo.AddString(pCategory->m_name);
            m_formatCombo.SetItemData(row, reinterpret_cast<DWORD_PTR>(static_cast<CMediaCatalogItem*>(pCategory)));
        }
        for (int f = 0; f < pCategory->m_formats.GetSize(); f++) {
            CMediaFormat* pFormat = pCategory->m_formats[f];
            if (!IsOffered(*pFormat))
                continue;
            CString text;
            text.Format(L"%s\t%s", static_cast<LPCWSTR>(pFormat->m_name), pFormat->m_extension);
            int row = m_formatCombo.AddString(text);
            m_formatCombo.SetItemData(row, reinterpret_cast<DWORD_PTR>(static_cast<CMediaCatalogItem*>(pFormat)));
            if (pFormat == m_pFormat)
                m_formatIndex = row;
        }
    }
}

void CFormatTaskPageBase::FillPresets()
{
    m_presetCombo.ResetContent();
    if (!m_pFormat)
        return;
    for (int i = 0; i < m_pFormat->m_presets.GetSize(); i++) {
        CMediaPreset* pPreset = m_pFormat->m_presets[i];
        int row = m_presetCombo.AddString(GetPresetSummary(pPreset, TRUE));
        m_presetCombo.SetItemData(row, reinterpret_cast<DWORD_PTR>(pPreset));
        if (pPreset == m_pPreset)
            m_presetIndex = row;
    }
    m_pFormat->m_customPresetPosition = -1;
    if (CMediaPreset* pCustom = m_pFormat->m_pCustomPreset) {
        int row = m_presetCombo.AddString(L"Custom");
        m_presetCombo.SetItemData(row, reinterpret_cast<DWORD_PTR>(pCustom));
        m_pFormat->m_customPresetPosition = row;
        if (pCustom == m_pPreset)
            m_presetIndex = row;
    }
}

void CFormatTaskPageBase::SelectFormat(int nIndex)
{
    int count = m_formatCombo.GetCount();
    while (nIndex >= 0 && nIndex < count - 1 && IsHeaderRow(nIndex))
        nIndex++;
    m_formatCombo.SetCurSel(nIndex);
    BOOL header = nIndex < 0 || nIndex >= count || IsHeaderRow(nIndex);
    m_pFormat = header ? nullptr : reinterpret_cast<CMediaFormat*>(m_formatCombo.GetItemData(nIndex));
    m_presetCombo.EnableWindow(m_pFormat != nullptr && !IsBusy());
    EnableItem(IDC_PAGE_ADVANCED, m_pFormat != nullptr && !IsBusy());
    m_formatIndex = nIndex;
    FillPresets();
}

void CFormatTaskPageBase::SelectPreset(int nIndex)
{
    m_presetIndex = nIndex;
    m_presetCombo.SetCurSel(nIndex);
    if (m_pPreset)
        m_pPreset->m_useCount--;
    DWORD_PTR data = nIndex >= 0 ? m_presetCombo.GetItemData(nIndex) : 0;
    m_pPreset = data && data != static_cast<DWORD_PTR>(CB_ERR) ? reinterpret_cast<CMediaPreset*>(data) : nullptr;
    if (m_pPreset)
        m_pPreset->m_useCount++;
    m_formatId = m_pFormat ? CString(m_pFormat->m_id) : CString();
    m_presetName = m_pPreset ? m_pPreset->GetName() : CString();
}

int CFormatTaskPageBase::SelectFormatById(LPCWSTR lpszId)
{
    for (int row = 0; row < m_formatCombo.GetCount(); row++) {
        const CMediaCatalogItem* pItem = reinterpret_cast<const CMediaCatalogItem*>(m_formatCombo.GetItemData(row));
        if (pItem && _wcsicmp(pItem->m_id, lpszId) == 0) {
            SelectFormat(row);
            SelectPreset(0);
            return row;
        }
    }
    return -1;
}

void CFormatTaskPageBase::FillAndSelect()
{
    FillFormats();
    if (m_formatIndex < 0 || m_formatIndex >= m_formatCombo.GetCount())
        m_formatIndex = 0;
    SelectFormat(m_formatIndex);
    if (m_presetIndex < 0 || m_presetIndex >= m_presetCombo.GetCount())
        m_presetIndex = 0;
    SelectPreset(m_presetIndex);
}
