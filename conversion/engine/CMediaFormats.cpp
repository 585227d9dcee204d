#include "conversion/engine/CMediaFormats.h"
#include "conversion/engine/CMediaFormatsXml.h"

CMediaFormats::CMediaFormats() : m_version(L"4.2.0") {}

int CMediaFormats::Load(LPCWSTR dataFolder)
{
    m_categories.DeleteAll();
    if (BuildBuiltIns() != 0)
        return -1;
    m_path.Format(L"%s\\%s", dataFolder, L"MediaFormats.xml");
    ReadOrReset();
    return 0;
}

void CMediaFormats::ReadOrReset()
{
    if (!m_path.IsEmpty() && ReadStoredCopy() == 0)
        return;
    ResetAllPresets();
    m_modified = 1;
}

// The file is read into fresh built-in formats that replace the current ones only when the
// whole file was read, so a file that fails part-way leaves no mixture behind.
int CMediaFormats::ReadStoredCopy()
{
    CPtrArray current;
    current.Copy(m_categories);
    m_categories.RemoveAll();
    int result = BuildBuiltIns();
    if (result == 0)
        result = CMediaFormatsXml::Read(m_path, *this);
    COwnedPtrArray<CMediaFormatCategory> dropped;
    if (result == 0) {
        dropped.Copy(current);
    } else {
        dropped.Copy(m_categories);
        m_categories.Copy(current);
    }
    return result;
}

void CMediaFormats::ResetAllPresets()
{
    for (int c = 0; c < m_categories.GetSize(); ++c) {
        CMediaFormatCategory* pCategory = m_categories[c];
        for (int f = 0; f < pCategory->m_formats.GetSize(); ++f)
            pCategory->m_formats[f]->ResetPresets();
    }
}

int CMediaFormats::Save()
{
    if (m_categories.GetSize() == 0 || m_path.IsEmpty() || !m_modified)
        return 1;
    return CMediaFormatsXml::Write(m_path, *this);
}

CMediaFormat* CMediaFormats::FindFormat(LPCWSTR id) const
{
    if (!id)
        return nullptr;
    for (int c = 0; c < m_categories.GetSize(); ++c) {
        const CMediaFormatCategory* pCategory = m_categories[c];
        for (int f = 0; f < pCategory->m_formats.GetSize(); ++f) {
            CMediaFormat* pFormat = pCategory->m_formats[f];
            if (pFormat->m_id.CompareNoCase(id) == 0)
                return pFormat;
        }
    }
    return nullptr;
}
