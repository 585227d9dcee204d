// "MediaFormats.xml": round trips of the whole registry, the exact text of a small file, and
// what a damaged or foreign file does to the registry at load time.
#include "conversion/engine/CMediaFormatsXml.h"
#include "conversion/engine/catalogue/CBuiltInFormat.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "conversion/engine/catalogue/PresetRecordBuilder.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace BuiltInPresets;

// A registry of two small formats, for files short enough to read whole.
constexpr MediaPresetRecord kSmallVideoPresets[] = {
    Preset(L"Small", Video(0, L"VC_libx264", 320, 240, 25, 1, 500000, L"main"), Audio(1, L"AC_aac", 2, 44100, 128000)),
    Preset(L"Other", Video(1, L"VC_mpeg4"), Audio(1, L"AC_aac")),
};
constexpr MediaPresetRecord kSmallAudioPresets[] = {
    Preset(L"Auto", kNoVideo, Audio(1, L"AC_libmp3lame")),
};
const BuiltInFormatSpec kSmallVideo[] = {
    {L"VF_small", L"Small video", L".mp4", L"mp4", 0x3, false, L"VC_libx264 VC_mpeg4", L"AC_aac", Table(kSmallVideoPresets)},
};
const BuiltInFormatSpec kSmallAudio[] = {
    {L"AF_small", L"Small audio", L".mp3", L"mp3", 0x2, true, L"", L"AC_libmp3lame", Table(kSmallAudioPresets)},
};

class CSmallFormats : public CMediaFormats {
public:
    int BuildBuiltIns() override
    {
        AddCategory(L"MFC_Video", L"Video", kSmallVideo);
        AddCategory(L"MFC_Audio", L"Audio", kSmallAudio);
        return 0;
    }

private:
    template <int N>
    void AddCategory(LPCWSTR id, LPCWSTR name, const BuiltInFormatSpec (&specs)[N])
    {
        CMediaFormatCategory* pCategory = new CMediaFormatCategory;
        pCategory->m_id = id;
        pCategory->m_name = name;
        pCategory->m_flags = CATEGORY_MARK;
        AddBuiltInFormats(*pCategory, specs);
        m_categories.Add(pCategory);
    }
};

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteBytes(const std::wstring& path, const std::string& text)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out << text;
}

std::wstring TestData(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetEnvironmentVariableW(L"KAVRI_TEST_DATA", folder, MAX_PATH);
    return std::wstring(folder) + L"\\conversion\\engine\\" + name;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    for (; at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Replaces the first occurrence.
std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

int CountFiles(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((folder + L"\\*").c_str(), &found);
    int count = 0;
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        } while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    return count;
}

void ExpectSamePreset(const CMediaPreset& a, const CMediaPreset& b, const std::string& where)
{
    EXPECT_EQ(0, memcmp(&a.m_record, &b.m_record, sizeof(MediaPresetRecord))) << where;
    EXPECT_STREQ(a.m_pVideoCodec ? a.m_pVideoCodec->m_id : L"", b.m_pVideoCodec ? b.m_pVideoCodec->m_id : L"") << where;
    EXPECT_STREQ(a.m_pAudioCodec ? a.m_pAudioCodec->m_id : L"", b.m_pAudioCodec ? b.m_pAudioCodec->m_id : L"") << where;
}

// Every stored field of every category, format and preset.
void ExpectSameRegistry(const CMediaFormats& a, const CMediaFormats& b)
{
    ASSERT_EQ(a.m_categories.GetSize(), b.m_categories.GetSize());
    for (int c = 0; c < a.m_categories.GetSize(); ++c) {
        const CMediaFormatCategory& ca = *a.m_categories[c];
        const CMediaFormatCategory& cb = *b.m_categories[c];
        EXPECT_EQ(ca.m_name, cb.m_name);
        EXPECT_EQ(ca.m_flags, cb.m_flags);
        EXPECT_EQ(ca.m_defaultFormat, cb.m_defaultFormat);
        ASSERT_EQ(ca.m_formats.GetSize(), cb.m_formats.GetSize());
        for (int f = 0; f < ca.m_formats.GetSize(); ++f) {
            const CMediaFormat& fa = *ca.m_formats[f];
            const CMediaFormat& fb = *cb.m_formats[f];
            const std::string id(CStringA(fa.m_id));
            EXPECT_EQ(fa.m_name, fb.m_name) << id;
            EXPECT_EQ(fa.m_flags, fb.m_flags) << id;
            EXPECT_EQ(fa.m_defaultPreset, fb.m_defaultPreset) << id;
            ASSERT_EQ(fa.m_presets.GetSize(), fb.m_presets.GetSize()) << id;
            for (int p = 0; p < fa.m_presets.GetSize(); ++p)
                ExpectSamePreset(*fa.m_presets[p], *fb.m_presets[p], id + " " + std::to_string(p));
            ExpectSamePreset(*fa.m_pCustomPreset, *fb.m_pCustomPreset, id + " custom");
        }
    }
}

class MediaFormatsXmlTest : public ::testing::Test {
protected:
    std::wstring FilePath() const { return m_folder / L"MediaFormats.xml"; }
    // Loads a registry of the small formats from the folder, with this text as its file.
    void LoadSmall(CSmallFormats& formats, const std::string& text)
    {
        WriteBytes(FilePath(), text);
        ASSERT_EQ(0, formats.Load(m_folder.Path().c_str()));
    }
    std::string SmallFileText()
    {
        CSmallFormats formats;
        EXPECT_EQ(0, formats.Load(m_folder.Path().c_str()));
        EXPECT_EQ(0, formats.Save());
        return ReadBytes(FilePath());
    }

    TempFolder m_folder;
};

TEST_F(MediaFormatsXmlTest, SmallFileText)
{
    EXPECT_EQ(ReadBytes(TestData(L"SmallMediaFormats.xml")), SmallFileText());
}

TEST_F(MediaFormatsXmlTest, FullRoundTripKeepsEveryStoredField)
{
    CBuiltInMediaFormats written;
    ASSERT_EQ(0, written.Load(m_folder.Path().c_str()));
    EXPECT_EQ(1, written.m_modified) << "no stored copy: built-in presets";
    // Values a user may set besides the built-in ones.
    CMediaFormat& mp4 = *written.FindFormat(L"VF_mp4");
    mp4.m_name = L"MP4 <mine> & \"quoted\"";
    mp4.m_flags |= FORMAT_OFF;
    mp4.m_defaultPreset = 4;
    MediaPresetRecord& custom = mp4.m_pCustomPreset->m_record;
    custom.aspectNum = 16;
    custom.aspectDen = 9;
    SetPresetText(custom.videoProfile, L"high");
    SetPresetText(custom.audioPresetFile, L"aac-low");
    SetPresetText(custom.name, L"\x65e5\x672c Custom");
    written.m_categories[1]->m_defaultFormat = 2;
    CMediaFormat& wma = *written.FindFormat(L"AF_wma");
    delete wma.m_presets[0];
    wma.m_presets.RemoveAt(0);
    ASSERT_EQ(0, written.Save());

    CBuiltInMediaFormats read;
    ASSERT_EQ(0, read.Load(m_folder.Path().c_str()));
    EXPECT_EQ(0, read.m_modified);
    ExpectSameRegistry(written, read);
}

TEST_F(MediaFormatsXmlTest, ValidFileIsNotWrittenAgain)
{
    std::string text = SmallFileText();
    CSmallFormats formats;
    LoadSmall(formats, text);
    EXPECT_EQ(0, formats.m_modified);
    DeleteFileW(FilePath().c_str());
    EXPECT_EQ(1, formats.Save());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(FilePath().c_str()));
    formats.m_modified = 1;  // as the format dialogs do
    EXPECT_EQ(0, formats.SaveIfModified());
    EXPECT_EQ(text, ReadBytes(FilePath()));
}

struct DamageCase {
    const char* name;
    const char* from;  // replaced in the small file's text
    const char* to;
    int readResult;    // of CMediaFormatsXml::Read
};

// Files the whole of which is refused: the registry keeps its built-in presets.
const DamageCase kRefused[] = {
    {"another version", "Version=\"4.2.0\"", "Version=\"4.2.0 \"", 1},
    {"no version", "Version=\"4.2.0\"", "", 1},
    {"not XML", "<Categories>", "<Categories", -1},
    {"other root", "MediaFormats", "Formats", -1},
    {"no categories", "Categories", "Kategorien", -1},
    {"missing category", "MFC_Audio", "MFC_Other", -1},
};

TEST_F(MediaFormatsXmlTest, RefusedFilesLeaveTheBuiltIns)
{
    // Every refused file also changes the first category's format, which is read before the
    // damage is met: nothing of it may stay.
    std::string text = Replace(SmallFileText(), "Name=\"Other\"", "Name=\"Changed\"");
    text = Replace(text, "Name=\"Small video\" Flags=\"3\"", "Name=\"Changed video\" Flags=\"536870915\"");
    text = Replace(text, "<CustomPreset Name=\"Custom\"", "<CustomPreset Name=\"Changed\"");
    for (const DamageCase& c : kRefused) {
        std::string damaged = ReplaceAll(text, c.from, c.to);
        WriteBytes(FilePath(), damaged);
        CSmallFormats direct;
        direct.BuildBuiltIns();
        EXPECT_EQ(c.readResult, CMediaFormatsXml::Read(FilePath().c_str(), direct)) << c.name;

        CSmallFormats formats;
        LoadSmall(formats, damaged);
        EXPECT_EQ(1, formats.m_modified) << c.name;
        CMediaFormat& video = *formats.FindFormat(L"VF_small");
        ASSERT_EQ(2, video.m_presets.GetSize()) << c.name;
        EXPECT_EQ(L"Other", video.m_presets[1]->GetName()) << c.name;
        EXPECT_EQ(L"Small video", video.m_name) << c.name;
        EXPECT_EQ(0x3u, video.m_flags) << c.name;
        EXPECT_EQ(L"Custom", video.m_pCustomPreset->GetName()) << c.name;
        EXPECT_EQ(1, formats.FindFormat(L"AF_small")->m_presets.GetSize()) << c.name;
    }
}

TEST_F(MediaFormatsXmlTest, ADamagedFileIsKeptAsideNotOverwritten)
{
    const std::string valid = SmallFileText();
    const std::string damaged = Replace(valid, "<Categories>", "<Categories");
    WriteBytes(FilePath(), damaged);
    CSmallFormats formats;
    ASSERT_EQ(0, formats.Load(m_folder.Path().c_str()));
    const std::wstring aside = m_folder / L"MediaFormats (damaged).xml";
    EXPECT_EQ(aside, std::wstring(formats.m_damagedCopyPath));
    EXPECT_EQ(damaged, ReadBytes(aside));
    EXPECT_EQ(0, formats.Save());
    EXPECT_EQ(valid, ReadBytes(FilePath()));
    EXPECT_EQ(damaged, ReadBytes(aside));

    // A second damaged file does not take the first one's place.
    WriteBytes(FilePath(), "garbage");
    CSmallFormats again;
    again.Load(m_folder.Path().c_str());
    EXPECT_EQ(m_folder / L"MediaFormats (damaged) (1).xml", std::wstring(again.m_damagedCopyPath));
    EXPECT_EQ(damaged, ReadBytes(aside));
}

TEST_F(MediaFormatsXmlTest, OnlyADamagedFileIsSetAside)
{
    struct Case {
        const char* name;
        bool write;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"missing", false, "", ""},
        {"another version", true, "Version=\"4.2.0\"", "Version=\"9.0.0\""},
        {"valid", true, "", ""},
    };
    for (const Case& c : cases) {
        std::string text = Replace(SmallFileText(), c.from, c.to);
        DeleteFileW(FilePath().c_str());
        if (c.write)
            WriteBytes(FilePath(), text);
        CSmallFormats formats;
        formats.Load(m_folder.Path().c_str());
        EXPECT_TRUE(formats.m_damagedCopyPath.IsEmpty()) << c.name;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((m_folder / L"MediaFormats (damaged).xml").c_str())) << c.name;
    }
}

TEST_F(MediaFormatsXmlTest, ADamagedFileThatCannotBeMovedIsNotWrittenOver)
{
    WriteBytes(FilePath(), "garbage");
    // Open without delete sharing: the file can be neither moved nor replaced.
    HANDLE hFile = CreateFileW(FilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CSmallFormats formats;
    ASSERT_EQ(0, formats.Load(m_folder.Path().c_str()));
    CloseHandle(hFile);
    EXPECT_TRUE(formats.m_damagedCopyPath.IsEmpty());
    EXPECT_NE(0, formats.Save());
    EXPECT_EQ("garbage", ReadBytes(FilePath()));
    EXPECT_NE(nullptr, formats.FindFormat(L"VF_small")) << "the built-ins are used";
}

struct PresetDamageCase {
    const char* name;
    const char* from;
    const char* to;
    int presets;             // VF_small's presets after the read
    const wchar_t* first;    // name of the first one
};

const PresetDamageCase kPresetDamage[] = {
    {"unknown video codec drops that preset", "Codec=\"VC_libx264\"", "Codec=\"VC_unknown\"", 1, L"Other"},
    {"codec ids are exact", "Codec=\"VC_libx264\"", "Codec=\"vc_libx264\"", 1, L"Other"},
    {"unknown audio codec drops that preset", "Codec=\"AC_aac\"", "Codec=\"AC_unknown\"", 1, L"Other"},
    {"bad resolution", "Resolution=\"320x240\"", "Resolution=\"320 by 240\"", 1, L"Other"},
    {"half a resolution", "Resolution=\"320x240\"", "Resolution=\"320x\"", 1, L"Other"},
    {"negative resolution", "Resolution=\"320x240\"", "Resolution=\"-1x240\"", 1, L"Other"},
    {"bad frame rate", "FrameRate=\"25/1\"", "FrameRate=\"fast\"", 1, L"Other"},
    {"bad aspect", "Aspect=\"0/0\"", "Aspect=\"wide\"", 1, L"Other"},
    {"missing video element", "<Video Flags=\"0\"", "<Picture Flags=\"0\"", 1, L"Other"},
    {"over-long codec id", "Codec=\"VC_libx264\"",
        "Codec=\"VC_libx264_with_a_name_that_goes_on_and_on_well_past_the_sixty_three_characters\"", 1, L"Other"},
    {"over-long profile", "Profile=\"main\"",
        "Profile=\"main_with_a_name_that_goes_on_and_on_well_past_the_sixty_three_characters\"", 1, L"Other"},
    {"empty resolution keeps the source's size", "Resolution=\"320x240\"", "Resolution=\"\"", 2, L"Small"},
    {"over-long name is cut", "Name=\"Small\"",
        "Name=\"Small preset with a name that goes on and on well past the sixty-three characters\"", 2,
        L"Small preset with a name that goes on and on well past the sixt"},
};

TEST_F(MediaFormatsXmlTest, DamagedPresetsAreDroppedAlone)
{
    const std::string text = SmallFileText();
    for (const PresetDamageCase& c : kPresetDamage) {
        CSmallFormats formats;
        LoadSmall(formats, Replace(text, c.from, c.to));
        EXPECT_EQ(0, formats.m_modified) << c.name;
        CMediaFormat& video = *formats.FindFormat(L"VF_small");
        ASSERT_EQ(c.presets, video.m_presets.GetSize()) << c.name;
        EXPECT_EQ(c.first, video.m_presets[0]->GetName()) << c.name;
        EXPECT_EQ(1, formats.FindFormat(L"AF_small")->m_presets.GetSize()) << c.name;
    }
}

// An attribute given twice takes its last value: the record is the same as if it stood alone.
TEST_F(MediaFormatsXmlTest, RepeatedAttributeTakesTheLastValue)
{
    const std::string text = SmallFileText();
    CSmallFormats plain;
    LoadSmall(plain, text);
    const CMediaPreset& expected = *plain.FindFormat(L"VF_small")->m_presets[0];
    struct Row {
        const char* name;
        const char* from;
        const char* to;
    };
    const Row rows[] = {
        {"a longer name first", "<Preset Name=\"Small\"", "<Preset Name=\"A longer name given first\" Name=\"Small\""},
        {"a longer codec id first", "Codec=\"VC_libx264\" Resolution",
            "Codec=\"VC_libx264.WindowsPhone\" Codec=\"VC_libx264\" Resolution"},
    };
    for (const Row& row : rows) {
        CSmallFormats formats;
        LoadSmall(formats, Replace(text, row.from, row.to));
        const CMediaFormat& video = *formats.FindFormat(L"VF_small");
        ASSERT_EQ(2, video.m_presets.GetSize()) << row.name;
        ExpectSamePreset(expected, *video.m_presets[0], row.name);
    }
}

TEST_F(MediaFormatsXmlTest, DefaultsAndMissingParts)
{
    const std::string text = SmallFileText();
    struct Row {
        const char* name;
        const char* from;
        const char* to;
        int videoPresets, defaultPreset, defaultFormat;
        const wchar_t* customName;
    };
    const Row rows[] = {
        {"DefaultPreset past the presets becomes 0", "DefaultPreset=\"0\">\n\t\t\t\t\t<Presets>\n\t\t\t\t\t\t<Preset Name=\"Small\"",
            "DefaultPreset=\"5\">\n\t\t\t\t\t<Presets>\n\t\t\t\t\t\t<Preset Name=\"Small\"", 2, 0, 0, L"Custom"},
        {"DefaultPreset in range stays", "DefaultPreset=\"0\">\n\t\t\t\t\t<Presets>\n\t\t\t\t\t\t<Preset Name=\"Small\"",
            "DefaultPreset=\"1\">\n\t\t\t\t\t<Presets>\n\t\t\t\t\t\t<Preset Name=\"Small\"", 2, 1, 0, L"Custom"},
        {"DefaultFormat past the formats becomes 0", "DefaultFormat=\"0\"", "DefaultFormat=\"3\"", 2, 0, 0, L"Custom"},
        {"a missing format keeps only its custom preset", "VF_small", "VF_gone", 0, 0, 0, L"Custom"},
        {"a missing custom preset keeps the built-in one", "CustomPreset", "OtherPreset", 2, 0, 0, L"Custom"},
        {"the custom preset is read", "<CustomPreset Name=\"Custom\"", "<CustomPreset Name=\"Mine\"", 2, 0, 0, L"Mine"},
        {"a custom preset before the presets is read", "<Preset Name=\"Small\"",
            "<CustomPreset Name=\"Early\" Flags=\"1048576\"><Video Flags=\"1\" Codec=\"VC_mpeg4\" />"
            "<Audio Flags=\"1\" Codec=\"AC_aac\" /></CustomPreset><Preset Name=\"Small\"",
            2, 0, 0, L"Early"},
        {"only the first custom preset is read", "</CustomPreset>",
            "</CustomPreset><CustomPreset Name=\"Second\" Flags=\"1048576\"><Video Flags=\"1\" Codec=\"VC_mpeg4\" />"
            "<Audio Flags=\"1\" Codec=\"AC_aac\" /></CustomPreset>",
            2, 0, 0, L"Custom"},
    };
    for (const Row& row : rows) {
        CSmallFormats formats;
        LoadSmall(formats, ReplaceAll(text, row.from, row.to));
        CMediaFormat& video = *formats.FindFormat(L"VF_small");
        EXPECT_EQ(row.videoPresets, video.m_presets.GetSize()) << row.name;
        EXPECT_EQ(row.defaultPreset, video.m_defaultPreset) << row.name;
        EXPECT_EQ(row.defaultFormat, formats.m_categories[0]->m_defaultFormat) << row.name;
        EXPECT_EQ(row.customName, video.m_pCustomPreset->GetName()) << row.name;
    }
}

// The whole element of a format in a saved file, from its indentation to its line end.
std::string FormatElement(const std::string& text, const std::string& id)
{
    const std::string open = "\t\t\t\t<" + id + " ";
    const std::string close = "\t\t\t\t</" + id + ">\n";
    const size_t begin = text.find(open);
    const size_t end = text.find(close, begin);
    EXPECT_NE(std::string::npos, end) << id;
    return end == std::string::npos ? std::string() : text.substr(begin, end + close.size() - begin);
}

// Each format reads the first element of its id wherever it stands among the others.
TEST_F(MediaFormatsXmlTest, FormatsAreFoundInAnyOrder)
{
    {
        CBuiltInMediaFormats formats;
        ASSERT_EQ(0, formats.Load(m_folder.Path().c_str()));
        ASSERT_EQ(0, formats.Save());
    }
    std::string text = ReadBytes(FilePath());
    for (const char* id : {"VF_mp4", "VF_3g2", "VF_3gp", "VF_VCD"})
        text = Replace(text, std::string("<") + id + " Name=\"", std::string("<") + id + " Name=\"Stored ");
    const std::string mp4 = FormatElement(text, "VF_mp4");
    const std::string g2 = FormatElement(text, "VF_3g2");
    const std::string gp = FormatElement(text, "VF_3gp");
    const std::string vcd = FormatElement(text, "VF_VCD");
    struct Row {
        const char* name;
        std::string text;
        const wchar_t* mp4Name;
        const wchar_t* g2Name;
        const wchar_t* gpName;
        int g2Presets;
    };
    const Row rows[] = {
        {"in the written order", text, L"Stored MP4", L"Stored 3GPP2", L"Stored 3GPP", 3},
        {"first format moved to the end", Replace(Replace(text, mp4, ""), vcd, vcd + mp4), L"Stored MP4",
            L"Stored 3GPP2", L"Stored 3GPP", 3},
        {"a format missing", Replace(text, g2, ""), L"Stored MP4", L"3GPP2", L"Stored 3GPP", 0},
        {"a later element of a format", Replace(text, g2, g2 + Replace(g2, "Stored", "Second")), L"Stored MP4",
            L"Stored 3GPP2", L"Stored 3GPP", 3},
        {"an earlier element of a format", Replace(text, mp4, Replace(gp, "Stored", "Early") + mp4), L"Stored MP4",
            L"Stored 3GPP2", L"Early 3GPP", 3},
    };
    for (const Row& row : rows) {
        WriteBytes(FilePath(), row.text);
        CBuiltInMediaFormats formats;
        ASSERT_EQ(0, formats.Load(m_folder.Path().c_str())) << row.name;
        EXPECT_EQ(0, formats.m_modified) << row.name;
        EXPECT_EQ(row.mp4Name, formats.FindFormat(L"VF_mp4")->m_name) << row.name;
        EXPECT_EQ(25, formats.FindFormat(L"VF_mp4")->m_presets.GetSize()) << row.name;
        EXPECT_EQ(row.g2Name, formats.FindFormat(L"VF_3g2")->m_name) << row.name;
        EXPECT_EQ(row.g2Presets, formats.FindFormat(L"VF_3g2")->m_presets.GetSize()) << row.name;
        EXPECT_EQ(row.gpName, formats.FindFormat(L"VF_3gp")->m_name) << row.name;
        EXPECT_EQ(2, formats.FindFormat(L"VF_3gp")->m_presets.GetSize()) << row.name;
        EXPECT_EQ(L"Stored VCD", formats.FindFormat(L"VF_VCD")->m_name) << row.name;
    }
}

// A file may switch a format off or on, but what a format is stays as built.
TEST_F(MediaFormatsXmlTest, StoredFlagsNeverChangeWhatAFormatIs)
{
    std::string text = SmallFileText();
    text = Replace(text, "Name=\"Small video\" Flags=\"3\"", "Name=\"Small video\" Flags=\"536871168\"");
    text = Replace(text, "Name=\"Small audio\" Flags=\"536870914\"", "Name=\"Small audio\" Flags=\"1\"");
    text = Replace(text, "Name=\"Audio\" Flags=\"2097152\"", "Name=\"Audio\" Flags=\"0\"");
    CSmallFormats formats;
    LoadSmall(formats, text);
    EXPECT_EQ(0x20000003u, formats.FindFormat(L"VF_small")->m_flags);
    EXPECT_EQ(0x2u, formats.FindFormat(L"AF_small")->m_flags);
    EXPECT_EQ(CATEGORY_MARK, formats.m_categories[1]->m_flags);
    EXPECT_EQ(2, formats.FindFormat(L"VF_small")->m_presets.GetSize()) << "presets still read with video";
}

TEST_F(MediaFormatsXmlTest, FailedSaveKeepsTheOldFile)
{
    const std::string text = SmallFileText();
    CSmallFormats formats;
    formats.Load(m_folder.Path().c_str());
    formats.FindFormat(L"VF_small")->m_name = L"Renamed";
    formats.m_modified = 1;
    // Another program reading the file keeps it from being replaced.
    HANDLE hHeld = CreateFileW(FilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    EXPECT_EQ(-1, formats.Save());
    CloseHandle(hHeld);
    EXPECT_EQ(text, ReadBytes(FilePath()));
    EXPECT_EQ(1, CountFiles(m_folder.Path())) << "no temporary file left";

    CSmallFormats elsewhere;
    elsewhere.Load((m_folder / L"no such folder").c_str());
    EXPECT_EQ(-1, elsewhere.Save());
}

TEST_F(MediaFormatsXmlTest, SaveReplacesTheOldFile)
{
    SmallFileText();
    CSmallFormats formats;
    formats.Load(m_folder.Path().c_str());
    formats.FindFormat(L"VF_small")->m_name = L"Renamed";
    formats.m_modified = 1;
    ASSERT_EQ(0, formats.Save());
    EXPECT_NE(std::string::npos, ReadBytes(FilePath()).find("Name=\"Renamed\""));
    EXPECT_EQ(1, CountFiles(m_folder.Path()));
}

TEST_F(MediaFormatsXmlTest, NothingToSaveWithoutCategoriesOrPath)
{
    CSmallFormats formats;
    formats.m_modified = 1;
    EXPECT_EQ(1, formats.Save()) << "no path before Load";
    formats.BuildBuiltIns();
    EXPECT_EQ(1, formats.Save());
    EXPECT_EQ(-1, CMediaFormatsXml::Read(L"", formats));
    EXPECT_EQ(-1, CMediaFormatsXml::Read((m_folder / L"missing.xml").c_str(), formats));
    EXPECT_EQ(-1, CMediaFormatsXml::Write(L"", formats));
}

}  // namespace
