#include "conversion/engine/CMediaFormats.h"
#include "conversion/engine/CMediaFormatsXml.h"
#include "conversion/engine/UniqueFileName.h"
#include "framework/system/PathHelpers.h"

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

// Load reads the file into the built-ins it has just made; they become the registry only
// when the whole file was read. Otherwise they are thrown away and made again, so a file that
// fails part-way leaves no mixture of stored and built-in settings.
void CMediaFormats::ReadOrReset()
{
    m_damagedCopyPath.Empty();
    int result = m_path.IsEmpty() ? -1 : CMediaFormatsXml::Read(m_path, *this);
    if (result == 0)
        return;
    // A file of another version is replaced as before; a damaged one may hold the user's
    // only copy of their presets.
    if (result < 0 && FileExists(m_path))
        SetDamagedCopyAside();
    m_categories.DeleteAll();
    BuildBuiltIns();
    ResetAllPresets();
    m_modified = 1;
}

void CMediaFormats::ResetAllPresets()
{
    for (int c = 0; c < m_categories.GetSize(); ++c) {
        CMediaFormatCategory* pCategory = m_categories[c];
        for (int f = 0; f < pCategory->m_formats.GetSize(); ++f)
            pCategory->m_formats[f]->ResetPresets();
    }
}

void CMediaFormats::SetDamagedCopyAside()
{
    CString folder = m_path.Left(m_path.ReverseFind(L'\\'));
    CString aside = MakeUniqueFilePath(folder, L"MediaFormats (damaged)", L"xml");
    if (MoveFileExW(m_path, aside, MOVEFILE_WRITE_THROUGH))
        m_damagedCopyPath = aside;
    else
        m_path.Empty();
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
            if (CompareStringOrdinal(pFormat->m_id, -1, id, -1, TRUE) == CSTR_EQUAL)
                return pFormat;
        }
    }
    return nullptr;
}
