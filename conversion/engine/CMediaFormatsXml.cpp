#include "conversion/engine/CMediaFormatsXml.h"
#include <stdio.h>
#include <pugixml.hpp>

namespace {

const wchar_t kGenerator[] = L"Kavri Helper - Kavri Media Fetcher";

// The stream and device bits say what a format is; a stored file may switch a format on or
// off but never change them.
const DWORD kFixedFormatFlags = FORMAT_VIDEO | FORMAT_AUDIO | FORMAT_DEVICE;
const DWORD kFixedCategoryFlags = CATEGORY_MARK | FORMAT_DEVICE;

DWORD MergeFlags(DWORD current, DWORD stored, DWORD fixed)
{
    return (stored & ~fixed) | (current & fixed);
}

// ---- reading ----

void ReadItem(const pugi::xml_node& node, CMediaCatalogItem& item, DWORD fixedFlags)
{
    if (pugi::xml_attribute name = node.attribute(L"Name"))
        item.m_name = name.value();
    if (pugi::xml_attribute flags = node.attribute(L"Flags"))
        item.m_flags = MergeFlags(item.m_flags, flags.as_uint(), fixedFlags);
}

int ClampIndex(int index, int count)
{
    return index < 0 || index >= count ? 0 : index;
}

// A pair must read as two numbers that are not negative; an absent or empty text leaves 0/0.
bool ReadPair(const pugi::xml_node& node, LPCWSTR name, LPCWSTR format, INT32& first, INT32& second)
{
    LPCWSTR text = node.attribute(name).value();
    if (!*text)
        return true;
    int a = -1;
    int b = -1;
    if (swscanf(text, format, &a, &b) != 2 || a < 0 || b < 0)
        return false;
    first = a;
    second = b;
    return true;
}

// Ids, profiles and preset files that don't fit their field can't be right: false.
bool ReadId(const pugi::xml_node& node, LPCWSTR name, MediaPresetText& field)
{
    return SetPresetText(field, node.attribute(name).value());
}

bool ReadVideo(const pugi::xml_node& node, MediaPresetRecord& record)
{
    if (!node)
        return false;
    record.videoFlags = node.attribute(L"Flags").as_uint();
    record.videoBitRate = node.attribute(L"BitRate").as_int();
    return ReadId(node, L"Codec", record.videoCodec)
        && ReadPair(node, L"Resolution", L"%dx%d", record.width, record.height)
        && ReadPair(node, L"Aspect", L"%d/%d", record.aspectNum, record.aspectDen)
        && ReadPair(node, L"FrameRate", L"%d/%d", record.frameRateNum, record.frameRateDen)
        && ReadId(node, L"Profile", record.videoProfile)
        && ReadId(node, L"PresetFile", record.videoPresetFile);
}

bool ReadAudio(const pugi::xml_node& node, MediaPresetRecord& record)
{
    if (!node)
        return false;
    record.audioFlags = node.attribute(L"Flags").as_uint();
    record.channels = node.attribute(L"Channels").as_int();
    record.sampleRate = node.attribute(L"SampleRate").as_int();
    record.audioBitRate = node.attribute(L"BitRate").as_int();
    return ReadId(node, L"Codec", record.audioCodec)
        && ReadId(node, L"Profile", record.audioProfile)
        && ReadId(node, L"PresetFile", record.audioPresetFile);
}

// False drops the preset. A name too long for the record is cut.
bool ReadPresetRecord(const pugi::xml_node& node, const CMediaFormat& format, MediaPresetRecord& record)
{
    record = MediaPresetRecord();
    SetPresetText(record.name, node.attribute(L"Name").value());
    record.flags = node.attribute(L"Flags").as_uint();
    if (format.HasVideo() && !ReadVideo(node.child(L"Video"), record))
        return false;
    return !format.HasAudio() || ReadAudio(node.child(L"Audio"), record);
}

void ReadPresets(const pugi::xml_node& presets, CMediaFormat& format)
{
    MediaPresetRecord record;
    for (pugi::xml_node node = presets.child(L"Preset"); node; node = node.next_sibling(L"Preset")) {
        if (!ReadPresetRecord(node, format, record))
            continue;
        CMediaPreset* pPreset = new CMediaPreset;
        if (format.InitPresetFromRecord(*pPreset, record))
            format.m_presets.Add(pPreset);
        else
            delete pPreset;
    }
}

void ReadCustomPreset(const pugi::xml_node& node, CMediaFormat& format)
{
    MediaPresetRecord record;
    if (!node || !ReadPresetRecord(node, format, record))
        return;
    if (!format.m_pCustomPreset)
        format.m_pCustomPreset = new CMediaPreset;
    // Taken whatever the binding gives: the custom preset always exists.
    format.InitPresetFromRecord(*format.m_pCustomPreset, record);
}

void ReadFormat(const pugi::xml_node& node, CMediaFormat& format)
{
    ReadItem(node, format, kFixedFormatFlags);
    format.m_defaultPreset = node.attribute(L"DefaultPreset").as_int(format.m_defaultPreset);
    pugi::xml_node presets = node.child(L"Presets");
    if (!presets)
        return;
    ReadPresets(presets, format);
    format.m_defaultPreset = ClampIndex(format.m_defaultPreset, format.m_presets.GetSize());
    ReadCustomPreset(presets.child(L"CustomPreset"), format);
}

void ReadCategory(const pugi::xml_node& node, CMediaFormatCategory& category)
{
    ReadItem(node, category, kFixedCategoryFlags);
    category.m_defaultFormat = node.attribute(L"DefaultFormat").as_int(category.m_defaultFormat);
    pugi::xml_node formats = node.child(L"Formats");
    if (!formats)
        return;
    for (int i = 0; i < category.m_formats.GetSize(); ++i) {
        CMediaFormat* pFormat = category.m_formats[i];
        if (pugi::xml_node formatNode = formats.child(pFormat->m_id))
            ReadFormat(formatNode, *pFormat);
    }
    category.m_defaultFormat = ClampIndex(category.m_defaultFormat, category.m_formats.GetSize());
}

// ---- writing ----

CString FormatPair(LPCWSTR format, int first, int second)
{
    CString text;
    text.Format(format, first, second);
    return text;
}

// Profiles and preset files are written only when set, so readers that don't know them
// see the file they always saw.
void WriteOptionalText(pugi::xml_node& node, LPCWSTR name, const MediaPresetText& field)
{
    CString text = GetPresetText(field);
    if (!text.IsEmpty())
        node.append_attribute(name) = static_cast<LPCWSTR>(text);
}

bool WriteVideo(pugi::xml_node& parent, const MediaPresetRecord& record)
{
    pugi::xml_node node = parent.append_child(L"Video");
    if (!node)
        return false;
    node.append_attribute(L"Flags") = record.videoFlags;
    node.append_attribute(L"Codec") = static_cast<LPCWSTR>(GetPresetText(record.videoCodec));
    node.append_attribute(L"Resolution") = static_cast<LPCWSTR>(FormatPair(L"%dx%d", record.width, record.height));
    node.append_attribute(L"Aspect") = static_cast<LPCWSTR>(FormatPair(L"%d/%d", record.aspectNum, record.aspectDen));
    node.append_attribute(L"FrameRate") =
        static_cast<LPCWSTR>(FormatPair(L"%d/%d", record.frameRateNum, record.frameRateDen));
    node.append_attribute(L"BitRate") = record.videoBitRate;
    WriteOptionalText(node, L"Profile", record.videoProfile);
    WriteOptionalText(node, L"PresetFile", record.videoPresetFile);
    return true;
}

bool WriteAudio(pugi::xml_node& parent, const MediaPresetRecord& record)
{
    pugi::xml_node node = parent.append_child(L"Audio");
    if (!node)
        return false;
    node.append_attribute(L"Flags") = record.audioFlags;
    node.append_attribute(L"Codec") = static_cast<LPCWSTR>(GetPresetText(record.audioCodec));
    node.append_attribute(L"Channels") = record.channels;
    node.append_attribute(L"SampleRate") = record.sampleRate;
    node.append_attribute(L"BitRate") = record.audioBitRate;
    WriteOptionalText(node, L"Profile", record.audioProfile);
    WriteOptionalText(node, L"PresetFile", record.audioPresetFile);
    return true;
}

bool WritePreset(pugi::xml_node& parent, LPCWSTR element, const CMediaFormat& format, const CMediaPreset& preset)
{
    pugi::xml_node node = parent.append_child(element);
    if (!node)
        return false;
    node.append_attribute(L"Name") = static_cast<LPCWSTR>(preset.GetName());
    node.append_attribute(L"Flags") = preset.m_record.flags;
    if (format.HasVideo() && preset.m_pVideoCodec && !WriteVideo(node, preset.m_record))
        return false;
    return !format.HasAudio() || !preset.m_pAudioCodec || WriteAudio(node, preset.m_record);
}

bool WriteFormat(pugi::xml_node& parent, const CMediaFormat& format)
{
    pugi::xml_node node = parent.append_child(format.m_id);
    if (!node)
        return false;
    node.append_attribute(L"Name") = static_cast<LPCWSTR>(format.m_name);
    node.append_attribute(L"Flags") = static_cast<unsigned>(format.m_flags);
    node.append_attribute(L"DefaultPreset") = format.m_defaultPreset;
    pugi::xml_node presets = node.append_child(L"Presets");
    if (!presets)
        return false;
    for (int i = 0; i < format.m_presets.GetSize(); ++i) {
        if (!WritePreset(presets, L"Preset", format, *format.m_presets[i]))
            return false;
    }
    return !format.m_pCustomPreset || WritePreset(presets, L"CustomPreset", format, *format.m_pCustomPreset);
}

bool WriteCategory(pugi::xml_node& parent, const CMediaFormatCategory& category)
{
    pugi::xml_node node = parent.append_child(category.m_id);
    if (!node)
        return false;
    node.append_attribute(L"Name") = static_cast<LPCWSTR>(category.m_name);
    node.append_attribute(L"Flags") = static_cast<unsigned>(category.m_flags);
    node.append_attribute(L"DefaultFormat") = category.m_defaultFormat;
    pugi::xml_node formats = node.append_child(L"Formats");
    if (!formats)
        return false;
    for (int i = 0; i < category.m_formats.GetSize(); ++i) {
        if (!WriteFormat(formats, *category.m_formats[i]))
            return false;
    }
    return true;
}

bool BuildDocument(pugi::xml_document& doc, const CMediaFormats& registry)
{
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    pugi::xml_node root = doc.append_child(L"MediaFormats");
    if (!declaration || !root)
        return false;
    declaration.append_attribute(L"version") = L"1.0";
    declaration.append_attribute(L"encoding") = L"UTF-8";
    root.append_attribute(L"Version") = static_cast<LPCWSTR>(registry.m_version);
    root.append_attribute(L"Generator") = kGenerator;
    pugi::xml_node categories = root.append_child(L"Categories");
    if (!categories)
        return false;
    for (int i = 0; i < registry.m_categories.GetSize(); ++i) {
        if (!WriteCategory(categories, *registry.m_categories[i]))
            return false;
    }
    return true;
}

CString GetFolder(LPCWSTR path)
{
    CString folder(path);
    int backslash = folder.ReverseFind(L'\\');
    int slash = folder.ReverseFind(L'/');
    if (slash < backslash)
        slash = backslash;
    return slash >= 0 ? folder.Left(slash) : CString(L".");
}

// A crash or a full disk can leave at most a stray temporary file, never half a stored copy.
int SaveReplacing(const pugi::xml_document& doc, LPCWSTR path)
{
    wchar_t temp[MAX_PATH];
    if (!GetTempFileNameW(GetFolder(path), L"mfx", 0, temp))
        return -1;
    if (!doc.save_file(temp, L"\t", pugi::format_indent, pugi::encoding_utf8)
        || !MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp);
        return -1;
    }
    return 0;
}

}  // namespace

int CMediaFormatsXml::Read(LPCWSTR path, CMediaFormats& registry)
{
    if (!path || !*path || GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return -1;
    pugi::xml_document doc;
    if (!doc.load_file(path))
        return -1;
    pugi::xml_node root = doc.child(L"MediaFormats");
    if (!root)
        return -1;
    if (registry.m_version != root.attribute(L"Version").value())
        return 1;
    pugi::xml_node categories = root.child(L"Categories");
    if (!categories)
        return -1;
    for (int i = 0; i < registry.m_categories.GetSize(); ++i) {
        CMediaFormatCategory* pCategory = registry.m_categories[i];
        pugi::xml_node node = categories.child(pCategory->m_id);
        if (!node)
            return -1;
        ReadCategory(node, *pCategory);
    }
    return 0;
}

int CMediaFormatsXml::Write(LPCWSTR path, const CMediaFormats& registry)
{
    pugi::xml_document doc;
    if (!path || !*path || !BuildDocument(doc, registry))
        return -1;
    return SaveReplacing(doc, path);
}
