#include "conversion/engine/CMediaFormatsXml.h"
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

// A category or a format.
template <class Item>
void ReadItem(const pugi::xml_node& node, Item& item, DWORD fixedFlags)
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

// ---- preset records ----

// How a record field is stored as an attribute.
enum class Field {
    Unsigned,    // flags
    Integer,     // bit rates, channels, sample rate
    Name,        // cut to the field when too long
    Id,          // codec id: a text too long for the field drops the preset
    OptionalId,  // profile, preset file: written only when set; too long drops the preset
    Pair,        // two numbers around a separator, e.g. "320x240", "25/1"
};

struct RecordAttribute {
    LPCWSTR name;
    Field kind;
    size_t offset;
    size_t secondOffset;  // of a pair's second number
    wchar_t separator;
};

// The attributes of each element, in the order they are written.
const RecordAttribute kPresetAttributes[] = {
    {L"Name", Field::Name, offsetof(MediaPresetRecord, name), 0, 0},
    {L"Flags", Field::Unsigned, offsetof(MediaPresetRecord, flags), 0, 0},
};
const RecordAttribute kVideoAttributes[] = {
    {L"Flags", Field::Unsigned, offsetof(MediaPresetRecord, videoFlags), 0, 0},
    {L"Codec", Field::Id, offsetof(MediaPresetRecord, videoCodec), 0, 0},
    {L"Resolution", Field::Pair, offsetof(MediaPresetRecord, width), offsetof(MediaPresetRecord, height), L'x'},
    {L"Aspect", Field::Pair, offsetof(MediaPresetRecord, aspectNum), offsetof(MediaPresetRecord, aspectDen), L'/'},
    {L"FrameRate", Field::Pair, offsetof(MediaPresetRecord, frameRateNum), offsetof(MediaPresetRecord, frameRateDen),
        L'/'},
    {L"BitRate", Field::Integer, offsetof(MediaPresetRecord, videoBitRate), 0, 0},
    {L"Profile", Field::OptionalId, offsetof(MediaPresetRecord, videoProfile), 0, 0},
    {L"PresetFile", Field::OptionalId, offsetof(MediaPresetRecord, videoPresetFile), 0, 0},
};
const RecordAttribute kAudioAttributes[] = {
    {L"Flags", Field::Unsigned, offsetof(MediaPresetRecord, audioFlags), 0, 0},
    {L"Codec", Field::Id, offsetof(MediaPresetRecord, audioCodec), 0, 0},
    {L"Channels", Field::Integer, offsetof(MediaPresetRecord, channels), 0, 0},
    {L"SampleRate", Field::Integer, offsetof(MediaPresetRecord, sampleRate), 0, 0},
    {L"BitRate", Field::Integer, offsetof(MediaPresetRecord, audioBitRate), 0, 0},
    {L"Profile", Field::OptionalId, offsetof(MediaPresetRecord, audioProfile), 0, 0},
    {L"PresetFile", Field::OptionalId, offsetof(MediaPresetRecord, audioPresetFile), 0, 0},
};

template <class T>
T& FieldAt(MediaPresetRecord& record, size_t offset)
{
    return *reinterpret_cast<T*>(reinterpret_cast<char*>(&record) + offset);
}

template <class T>
const T& FieldAt(const MediaPresetRecord& record, size_t offset)
{
    return *reinterpret_cast<const T*>(reinterpret_cast<const char*>(&record) + offset);
}

bool ReadNumber(LPCWSTR& p, INT32& value)
{
    if (*p < L'0' || *p > L'9')
        return false;
    LONGLONG number = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        number = number * 10 + (*p - L'0');
        if (number > MAXINT32)
            return false;
    }
    value = static_cast<INT32>(number);
    return true;
}

// Two numbers that are not negative around the separator; an empty text leaves 0 and 0.
bool ReadPair(LPCWSTR p, wchar_t separator, INT32& first, INT32& second)
{
    if (!*p)
        return true;
    INT32 a = 0;
    INT32 b = 0;
    if (!ReadNumber(p, a) || *p++ != separator || !ReadNumber(p, b) || *p)
        return false;
    first = a;
    second = b;
    return true;
}

// Into a record that starts zeroed, so the field needs no padding: the text and its NUL are
// written, and only what an earlier attribute of the same name left after them is cleared.
// False when the text had to be cut.
bool ReadText(MediaPresetText& field, LPCWSTR text)
{
    int i = 0;
    for (; text[i] && i < MEDIA_PRESET_TEXT_SIZE - 1; ++i)
        field[i] = text[i];
    const bool fits = !text[i];
    for (; i < MEDIA_PRESET_TEXT_SIZE && field[i]; ++i)
        field[i] = 0;
    return fits;
}

// False when the value can't be right for the field.
bool ReadValue(const RecordAttribute& field, const pugi::xml_attribute& attribute, MediaPresetRecord& record)
{
    switch (field.kind) {
    case Field::Unsigned:
        FieldAt<UINT32>(record, field.offset) = attribute.as_uint();
        return true;
    case Field::Integer:
        FieldAt<INT32>(record, field.offset) = attribute.as_int();
        return true;
    case Field::Name:
        ReadText(FieldAt<MediaPresetText>(record, field.offset), attribute.value());
        return true;
    case Field::Id:
    case Field::OptionalId:
        return ReadText(FieldAt<MediaPresetText>(record, field.offset), attribute.value());
    case Field::Pair:
        return ReadPair(attribute.value(), field.separator, FieldAt<INT32>(record, field.offset),
            FieldAt<INT32>(record, field.secondOffset));
    }
    return false;
}

bool SameName(LPCWSTR a, LPCWSTR b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Each attribute is matched first against the one after the last match, so a file in the
// order this program writes costs one comparison per attribute; unknown attributes are
// ignored. False when a value can't be right.
template <int N>
bool ReadAttributes(const pugi::xml_node& node, const RecordAttribute (&fields)[N], MediaPresetRecord& record)
{
    bool valid = true;
    int next = 0;
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        for (int tried = 0; tried < N; ++tried) {
            const int index = (next + tried) % N;
            if (SameName(attribute.name(), fields[index].name)) {
                valid = ReadValue(fields[index], attribute, record) && valid;
                next = index + 1;
                break;
            }
        }
    }
    return valid;
}

// Into a zeroed record. False drops the preset: a stream of the format without its element,
// or a value that can't be right.
bool ReadPresetRecord(const pugi::xml_node& node, const CMediaFormat& format, MediaPresetRecord& record)
{
    ReadAttributes(node, kPresetAttributes, record);
    if (format.HasVideo()) {
        pugi::xml_node video = node.child(L"Video");
        if (!video || !ReadAttributes(video, kVideoAttributes, record))
            return false;
    }
    if (format.HasAudio()) {
        pugi::xml_node audio = node.child(L"Audio");
        if (!audio || !ReadAttributes(audio, kAudioAttributes, record))
            return false;
    }
    return true;
}

// Appended to the format's presets; the list is sized once for all the file holds.
void ReadPresets(const pugi::xml_node& presets, CMediaFormat& format)
{
    const int first = format.m_presets.GetSize();
    int count = first;
    for (pugi::xml_node node = presets.child(L"Preset"); node; node = node.next_sibling(L"Preset"))
        ++count;
    format.m_presets.SetSize(count);
    count = first;
    for (pugi::xml_node node = presets.child(L"Preset"); node; node = node.next_sibling(L"Preset")) {
        CMediaPreset* pPreset = new CMediaPreset;
        if (ReadPresetRecord(node, format, pPreset->m_record) && format.BindPresetCodecs(*pPreset))
            format.m_presets.SetAt(count++, pPreset);
        else
            delete pPreset;
    }
    format.m_presets.SetSize(count);
}

void ReadCustomPreset(const pugi::xml_node& node, CMediaFormat& format)
{
    MediaPresetRecord record = {};
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

// Each format reads the first element of its id. The file lists them in the registry's order,
// so the element after the last one read is tried first: while every element before it has
// been read, it is the first of its name (the ids of a category are distinct). Once the file
// is out of that order, each is searched for from the start.
void ReadFormats(const pugi::xml_node& formats, CMediaFormatCategory& category)
{
    pugi::xml_node next = formats.first_child();
    for (int i = 0; i < category.m_formats.GetSize(); ++i) {
        CMediaFormat* pFormat = category.m_formats[i];
        pugi::xml_node node;
        if (next && SameName(next.name(), pFormat->m_id)) {
            node = next;
            next = next.next_sibling();
        } else {
            node = formats.child(pFormat->m_id);
            if (node)
                next = pugi::xml_node();
        }
        if (node)
            ReadFormat(node, *pFormat);
    }
}

void ReadCategory(const pugi::xml_node& node, CMediaFormatCategory& category)
{
    ReadItem(node, category, kFixedCategoryFlags);
    category.m_defaultFormat = node.attribute(L"DefaultFormat").as_int(category.m_defaultFormat);
    pugi::xml_node formats = node.child(L"Formats");
    if (!formats)
        return;
    ReadFormats(formats, category);
    category.m_defaultFormat = ClampIndex(category.m_defaultFormat, category.m_formats.GetSize());
}

// ---- writing ----

void WriteValue(pugi::xml_node& node, const RecordAttribute& field, const MediaPresetRecord& record)
{
    CString text;
    switch (field.kind) {
    case Field::Unsigned:
        node.append_attribute(field.name) = FieldAt<UINT32>(record, field.offset);
        return;
    case Field::Integer:
        node.append_attribute(field.name) = FieldAt<INT32>(record, field.offset);
        return;
    case Field::OptionalId:
        // Written only when set, so readers that don't know them see the file they always saw.
        text = GetPresetText(FieldAt<MediaPresetText>(record, field.offset));
        if (text.IsEmpty())
            return;
        break;
    case Field::Name:
    case Field::Id:
        text = GetPresetText(FieldAt<MediaPresetText>(record, field.offset));
        break;
    case Field::Pair:
        text.Format(L"%d%c%d", FieldAt<INT32>(record, field.offset), field.separator,
            FieldAt<INT32>(record, field.secondOffset));
        break;
    }
    node.append_attribute(field.name) = static_cast<LPCWSTR>(text);
}

// The new element, or an empty node when it can't be made.
template <int N>
pugi::xml_node AppendRecordElement(pugi::xml_node& parent, LPCWSTR element, const RecordAttribute (&fields)[N],
    const MediaPresetRecord& record)
{
    pugi::xml_node node = parent.append_child(element);
    if (node) {
        for (const RecordAttribute& field : fields)
            WriteValue(node, field, record);
    }
    return node;
}

bool WritePreset(pugi::xml_node& parent, LPCWSTR element, const CMediaFormat& format, const CMediaPreset& preset)
{
    pugi::xml_node node = AppendRecordElement(parent, element, kPresetAttributes, preset.m_record);
    if (!node)
        return false;
    if (format.HasVideo() && preset.m_pVideoCodec && !AppendRecordElement(node, L"Video", kVideoAttributes, preset.m_record))
        return false;
    return !format.HasAudio() || !preset.m_pAudioCodec
        || AppendRecordElement(node, L"Audio", kAudioAttributes, preset.m_record);
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
    pugi::xml_document doc;
    if (!path || !*path || !doc.load_file(path))
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
