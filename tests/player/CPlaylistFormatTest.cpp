// Playlist files: ".playlist" round trips with everything an item keeps, older forms of the
// file, damaged and crafted files, and the path-only ".m3u" and ".pls" through the same
// interface. Files are made here, in a folder of the test's own.
#include "player/playlist/CPlaylistData.h"
#include "player/playlist/CPlaylistFormat.h"
#include "player/CPlayerSettings.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

const wchar_t kNonAnsiName[] = L"\x0421\x043F\x0438\x0441\x043E\x043A \x6620\x753B";  // Cyrillic, CJK

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD written = 0;
    WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(hFile);
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(hFile);
    return bytes;
}

std::unique_ptr<CPlaylistFormat> FormatFor(const std::wstring& path)
{
    return std::unique_ptr<CPlaylistFormat>(CreatePlaylistFormat(path.c_str()));
}

void AddStream(CMediaInfo& info, int type)
{
    CMediaStreamInfo* pStream = new CMediaStreamInfo;
    pStream->MediaType = type;
    pStream->Index = info.StreamList.GetSize();
    pStream->Codec = type == MEDIA_TYPE_VIDEO ? L"h264" : L"aac";
    pStream->DurationInUs = 4000000;
    pStream->BitRate = 128000;
    pStream->Frames = type == MEDIA_TYPE_VIDEO ? 100 : 0;
    pStream->Language = L"eng";
    pStream->Width = 320;
    pStream->Height = 240;
    pStream->AspectNum = 2;
    pStream->AspectDen = 1;
    pStream->FrameRateNum = 25;
    pStream->FrameRateDen = 1;
    pStream->Channels = 2;
    pStream->SampleRate = 44100;
    info.StreamList.Add(pStream);
}

// An item with something in every field the file keeps.
CPlaylistItem* FullItem(const std::wstring& path)
{
    CPlaylistItem* pItem = new CPlaylistItem;
    pItem->m_strPath = path.c_str();
    pItem->m_dwFlags = ITEM_FLAG_PROBED;
    pItem->m_llLastPosition = 1234567890123LL;
    pItem->m_nPlaySpeed = 200;
    pItem->m_nRotate = 270;
    pItem->m_bFlipV = 1;
    pItem->m_bOldPhoto = 1;
    pItem->m_nVolume = 35;
    CMediaInfo& info = pItem->m_mediaInfo;
    info.Format = L"mov,mp4,m4a";
    info.Size = 5000000000LL;
    info.DurationInUs = 4000000;
    info.BitRate = 900000;
    info.Streams = 2;
    AddStream(info, MEDIA_TYPE_VIDEO);
    AddStream(info, MEDIA_TYPE_AUDIO);
    info.Metadata.Title = L"T\x00EDtulo";
    info.Metadata.Year = 2024;
    info.Analyse();
    return pItem;
}

class PlaylistFiles : public testing::Test {
protected:
    PlaylistFiles()
    {
        g_playerSettings = CPlayerSettings();
        g_playerSettings.m_strTempFolder = (m_folder / L"Temp").c_str();
    }

    TempFolder m_folder;
};

TEST_F(PlaylistFiles, FormatsByExtension)
{
    struct Case {
        const wchar_t* path;
        bool known;
    } cases[] = {
        {L"C:\\a.playlist", true}, {L"C:\\a.PlayList", true}, {L"a.M3U", true}, {L"C:\\a.Pls", true},
        {L"C:\\a.m3u8", false},    {L"C:\\a.mp4", false},     {L"C:\\playlist", false}, {L"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.known, IsPlaylistFileName(c.path)) << c.path;
        EXPECT_EQ(c.known, FormatFor(c.path) != nullptr) << c.path;
    }
}

TEST_F(PlaylistFiles, PlaylistRoundTripKeepsEverythingUnderANonAnsiName)
{
    std::wstring media = m_folder / (std::wstring(kNonAnsiName) + L".mp4");
    std::wstring path = m_folder / (std::wstring(kNonAnsiName) + L".playlist");
    CPlaylistData written(1);
    written.m_items.Add(FullItem(media));
    written.m_items.Add(FullItem(L"http://example.invalid/stream"));
    written.m_strName = kNonAnsiName;
    written.m_nLastItem = 1;
    written.m_dwFlags = 0x5;
    ASSERT_EQ(0, FormatFor(path)->Write(path.c_str(), written, 1));

    std::string bytes = ReadBytes(path);
    EXPECT_EQ(0u, bytes.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << "no byte-order mark";
    EXPECT_NE(std::string::npos, bytes.find("\n\t<Playlist")) << "tab indentation";

    CPlaylistData read(1);
    ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), read));
    ASSERT_EQ(2, read.m_items.GetSize());
    EXPECT_STREQ(kNonAnsiName, read.m_strName);
    EXPECT_EQ(1, read.m_nLastItem);
    EXPECT_EQ(0x5u, read.m_dwFlags);
    const CPlaylistItem& item = *read.m_items[0];
    EXPECT_STREQ(media.c_str(), item.m_strPath);
    EXPECT_EQ(1234567890123LL, item.m_llLastPosition);
    EXPECT_EQ(ITEM_FLAG_PROBED, item.m_dwFlags);
    EXPECT_EQ(200, item.m_nPlaySpeed);
    EXPECT_EQ(270, item.m_nRotate);
    EXPECT_EQ(0, item.m_bFlipH);
    EXPECT_EQ(1, item.m_bFlipV);
    EXPECT_EQ(1, item.m_bOldPhoto);
    EXPECT_EQ(35, item.m_nVolume);
    const CMediaInfo& info = item.m_mediaInfo;
    EXPECT_EQ(5000000000LL, info.Size);
    EXPECT_EQ(MEDIA_TYPE_VIDEO, info.MediaType);
    EXPECT_STREQ(L"mov,mp4,m4a", info.Format);
    ASSERT_EQ(2, info.StreamList.GetSize());
    ASSERT_EQ(1, info.VideoStreams.GetSize());
    const CMediaStreamInfo& video = *info.VideoStreams[0];
    EXPECT_EQ(320, video.Width);
    EXPECT_EQ(2, video.AspectNum);
    EXPECT_EQ(25, video.FrameRateNum);
    EXPECT_EQ(100, video.Frames);
    ASSERT_EQ(1, info.AudioStreams.GetSize());
    EXPECT_EQ(44100, info.AudioStreams[0]->SampleRate);
    EXPECT_STREQ(L"T\x00EDtulo", info.Metadata.Title);
    EXPECT_EQ(2024, info.Metadata.Year);
}

TEST_F(PlaylistFiles, ThumbnailsAreEmbeddedOrWrittenToTheTemporaryFolder)
{
    std::wstring path = m_folder / L"thumbs.playlist";
    CPlaylistData written(1);
    CPlaylistItem* pItem = FullItem(m_folder / L"a.mp4");
    pItem->m_thumbnail.Create(64, 36, 24);
    written.m_items.Add(pItem);

    ASSERT_EQ(0, FormatFor(path)->Write(path.c_str(), written, 1));
    std::string first = ReadBytes(path);
    EXPECT_NE(std::string::npos, first.find("<Image>"));
    CPlaylistData embedded(1);
    ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), embedded));
    CPlaylistItem& read = *embedded.m_items[0];
    EXPECT_TRUE(read.m_dwState & ITEM_STATE_THUMBNAIL);
    EXPECT_FALSE(read.m_thumbnail.IsValid()) << "decoded when the row is first drawn";

    // A row never drawn is saved with the bytes it was read with.
    std::wstring again = m_folder / L"again.playlist";
    ASSERT_EQ(0, FormatFor(again)->Write(again.c_str(), embedded, 1));
    EXPECT_EQ(first, ReadBytes(again));
    read.DecodeStoredThumbnail();
    EXPECT_EQ(64u, read.m_thumbnail.GetWidth());
    EXPECT_TRUE(read.m_dwState & ITEM_STATE_THUMBNAIL);

    ASSERT_EQ(0, FormatFor(path)->Write(path.c_str(), written, 0));
    CString file = pItem->m_strThumbnailFile;
    EXPECT_EQ(0, file.Find(g_playerSettings.m_strTempFolder)) << "a new file in the temporary folder";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(file));
    CPlaylistData linked(1);
    ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), linked));
    EXPECT_STREQ(file, linked.m_items[0]->m_strThumbnailFile);
    EXPECT_FALSE(linked.m_items[0]->m_thumbnail.IsValid());
}

TEST_F(PlaylistFiles, AStoredThumbnailThatIsNoPictureIsBuiltAgain)
{
    std::wstring path = m_folder / L"bad thumb.playlist";
    // "bm90IGEgSlBFRw==" is "not a JPEG".
    WriteBytes(path,
               "<Playlists Version=\"2.2.0\"><Playlist><Item><Media><URI>C:\\a.mp4</URI></Media>"
               "<Thumbnail><Image>bm90IGEgSlBFRw==</Image></Thumbnail></Item></Playlist></Playlists>");
    CPlaylistData read(1);
    ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), read));
    CPlaylistItem& item = *read.m_items[0];
    EXPECT_TRUE(item.m_dwState & ITEM_STATE_THUMBNAIL);
    item.DecodeStoredThumbnail();
    EXPECT_FALSE(item.m_thumbnail.IsValid());
    EXPECT_FALSE(item.m_dwState & ITEM_STATE_THUMBNAIL) << "the next update pass builds one";
}

TEST_F(PlaylistFiles, OlderFilesAreRead)
{
    struct Case {
        const char* name;
        const char* xml;
        const wchar_t* path;
        int mediaType;
    } cases[] = {
        {"version 1 numbers", "<Playlists Version=\"1.0\"><Playlist><Item><Media><URI>C:\\a.mp4</URI>"
                              "<MediaInfo MediaType=\"1\"/></Media></Item></Playlist></Playlists>",
         L"C:\\a.mp4", MEDIA_TYPE_VIDEO},
        {"version 2 names", "<Playlists Version=\"2.2.0\"><Playlist><Item><Media><URI>C:\\a.mp4</URI>"
                            "<MediaInfo MediaType=\" Video \"/></Media></Item></Playlist></Playlists>",
         L"C:\\a.mp4", MEDIA_TYPE_VIDEO},
        {"version 2 unknown name", "<Playlists Version=\"2.2.0\"><Playlist><Item><Media><URI>C:\\a.mp4</URI>"
                                   "<MediaInfo MediaType=\"hologram\"/></Media></Item></Playlist></Playlists>",
         L"C:\\a.mp4", 0},
        {"old element names", "<Playlists Version=\"1.0\"><Playlist><Item><MediaFile><Path>C:\\b.mp3</Path>"
                              "<FileInfo MediaType=\"2\"/></MediaFile></Item></Playlist></Playlists>",
         L"C:\\b.mp3", MEDIA_TYPE_AUDIO},
    };
    for (const Case& c : cases) {
        std::wstring path = m_folder / L"old.playlist";
        WriteBytes(path, c.xml);
        CPlaylistData read(1);
        ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), read)) << c.name;
        ASSERT_EQ(1, read.m_items.GetSize()) << c.name;
        EXPECT_STREQ(c.path, read.m_items[0]->m_strPath) << c.name;
        EXPECT_EQ(c.mediaType, read.m_items[0]->m_mediaInfo.MediaType) << c.name;
    }
}

TEST_F(PlaylistFiles, DamagedFilesGiveWhatTheyHoldAndAFailure)
{
    const std::string whole =
        "<?xml version=\"1.0\"?><Playlists Version=\"2.2.0\"><Playlist>"
        "<Item><Media><URI>C:\\one.mp4</URI></Media></Item>"
        "<Item><Media><URI>C:\\two.mp4</URI></Media></Item>"
        "<Item><Media><URI>C:\\three.mp4</URI></Media></Item></Playlist></Playlists>";
    struct Case {
        const char* name;
        std::string bytes;
        int items;  // -1: do not check
    } cases[] = {
        {"cut in the third item", whole.substr(0, whole.find("three") - 20), 2},
        {"no root", "<Other><Playlist/></Other>", 0},
        {"not XML", std::string("\x00\xFF\xFE garbage <<<", 15), 0},
        {"empty", "", 0},
        {"bad base64 and numbers",
         "<Playlists Version=\"2.2.0\"><Playlist LastItem=\"x\"><Item Flags=\"-\" LastPositionInUs=\"99999999999999999999\">"
         "<Thumbnail><Image>!!!not base64</Image></Thumbnail><Media><URI>C:\\a.mp4</URI><MediaInfo>"
         "<Streams><Stream MediaType=\"video\" Resolution=\"x\" Aspect=\"0:0\" FrameRate=\"1/0\"/></Streams>"
         "</MediaInfo></Media></Item></Playlist></Playlists>",
         -1},
    };
    for (const Case& c : cases) {
        std::wstring path = m_folder / L"damaged.playlist";
        WriteBytes(path, c.bytes);
        CPlaylistData read(1);
        int result = FormatFor(path)->Read(path.c_str(), read);
        if (c.items >= 0) {
            EXPECT_EQ(-1, result) << c.name;
            EXPECT_EQ(c.items, read.m_items.GetSize()) << c.name;
        } else {
            EXPECT_EQ(0, result) << c.name;
            ASSERT_EQ(1, read.m_items.GetSize()) << c.name;
            EXPECT_FALSE(read.m_items[0]->m_thumbnail.IsValid()) << c.name;
        }
    }
    CPlaylistData none(1);
    EXPECT_EQ(-1, FormatFor(L"x.playlist")->Read((m_folder / L"missing.playlist").c_str(), none));
}

TEST_F(PlaylistFiles, ACraftedTemporaryFlagDeletesNothingOutside)
{
    std::wstring victim = m_folder / L"victim.jpg";
    WriteBytes(victim, "precious");
    std::wstring path = m_folder / L"crafted.playlist";
    std::string xml = "<Playlists Version=\"2.2.0\"><Playlist><Item Flags=\"512\"><Media><URI>C:\\a.mp4</URI></Media>"
                      "<Thumbnail><URI>" + std::string(victim.begin(), victim.end()) +
                      "</URI></Thumbnail></Item></Playlist></Playlists>";
    WriteBytes(path, xml);
    {
        CPlaylistData read(1);
        ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), read));
        ASSERT_EQ(1, read.m_items.GetSize());
        EXPECT_EQ(ITEM_FLAG_GRABBED_FRAME, read.m_items[0]->m_dwFlags);
        read.m_items[0]->DeleteTempThumbnail();
    }
    EXPECT_EQ("precious", ReadBytes(victim));
}

TEST_F(PlaylistFiles, AFailedSaveLeavesTheOldFile)
{
    for (const wchar_t* name : {L"kept.playlist", L"kept.m3u", L"kept.pls"}) {
        std::wstring path = m_folder / name;
        CPlaylistData first(1);
        first.AddNewItem(L"C:\\old.mp4");
        ASSERT_EQ(0, FormatFor(path)->Write(path.c_str(), first, 1)) << name;
        std::string before = ReadBytes(path);
        // Open without delete sharing, the old file cannot be replaced.
        HANDLE hBusy = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        CPlaylistData second(1);
        second.AddNewItem(L"C:\\new.mp4");
        EXPECT_EQ(-1, FormatFor(path)->Write(path.c_str(), second, 1)) << name;
        CloseHandle(hBusy);
        EXPECT_EQ(before, ReadBytes(path)) << name;
    }
}

TEST_F(PlaylistFiles, PathListsKeepNonAnsiPathsAndEmptyLists)
{
    for (const wchar_t* name : {L"list.m3u", L"list.pls"}) {
        std::wstring path = m_folder / name;
        std::wstring media = std::wstring(L"C:\\") + kNonAnsiName + L".mp4";
        CPlaylistData written(1);
        written.AddNewItem(media.c_str());
        written.AddNewItem(L"http://example.invalid/live");
        ASSERT_EQ(0, FormatFor(path)->Write(path.c_str(), written, 0)) << name;
        CPlaylistData read(1);
        ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), read)) << name;
        ASSERT_EQ(2, read.m_items.GetSize()) << name;
        EXPECT_STREQ(media.c_str(), read.m_items[0]->m_strPath) << name;
        EXPECT_STREQ(L"http://example.invalid/live", read.m_items[1]->m_strPath) << name;

        CPlaylistData empty(1);
        ASSERT_EQ(0, FormatFor(path)->Write(path.c_str(), empty, 0)) << name;
        CPlaylistData none(1);
        EXPECT_EQ(0, FormatFor(path)->Read(path.c_str(), none)) << name;
        EXPECT_EQ(0, none.m_items.GetSize()) << name;
    }
}

// Whether the bytes are a document that every XML 1.0 reader takes: UTF-8 throughout, and
// neither a character nor a character reference outside XML 1.0's characters.
bool IsXml10Char(unsigned long ch)
{
    return ch == 0x9 || ch == 0xA || ch == 0xD || (ch >= 0x20 && ch <= 0xD7FF) || (ch >= 0xE000 && ch <= 0xFFFD) ||
           (ch >= 0x10000 && ch <= 0x10FFFF);
}

std::string NonXml10Part(const std::string& bytes)
{
    int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, 0);
    std::wstring text(count, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), &text[0], count);
    if (count == 0 && !bytes.empty())
        return "bytes that are no UTF-8";
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long ch = text[i];
        if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ch = 0x10000 + ((ch - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (!IsXml10Char(ch))
            return "the character " + std::to_string(ch);
    }
    for (size_t at = bytes.find("&#"); at != std::string::npos; at = bytes.find("&#", at + 2)) {
        bool hex = bytes[at + 2] == 'x';
        unsigned long ch = strtoul(bytes.c_str() + at + (hex ? 3 : 2), nullptr, hex ? 16 : 10);
        if (!IsXml10Char(ch))
            return bytes.substr(at, bytes.find(';', at) - at + 1);
    }
    return "";
}

TEST_F(PlaylistFiles, TextsOutsideXml10AreLeftOutSoOtherReadersTakeTheFile)
{
    struct Case {
        const char* name;
        const wchar_t* text;
        const wchar_t* kept;
    } cases[] = {
        {"control characters",
         L"a\x01"
         L"b\x1F"
         L"c\x7F"
         L"d",
         L"abc\x7F"
         L"d"},
        {"tab and line break", L"a\tb\nc", L"a\tb\nc"},
        {"not characters",
         L"a\xFFFE"
         L"b\xFFFF"
         L"c",
         L"abc"},
        {"a lone surrogate",
         L"a\xD800"
         L"b\xDC00"
         L"c",
         L"abc"},
        {"a surrogate pair", L"note \xD83C\xDFB5", L"note \xD83C\xDFB5"},
    };
    for (const Case& c : cases) {
        std::wstring path = m_folder / L"texts.playlist";
        CPlaylistData written(1);
        CPlaylistItem* pItem = FullItem(L"http://example.invalid/live");
        pItem->m_strPath += c.text;
        pItem->m_mediaInfo.Metadata.Title = c.text;
        pItem->m_mediaInfo.StreamList[0]->Codec = c.text;
        written.m_items.Add(pItem);
        written.m_strName = c.text;
        ASSERT_EQ(0, FormatFor(path)->Write(path.c_str(), written, 0)) << c.name;
        EXPECT_EQ("", NonXml10Part(ReadBytes(path))) << c.name;

        CPlaylistData read(1);
        ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), read)) << c.name;
        ASSERT_EQ(1, read.m_items.GetSize()) << c.name;
        EXPECT_STREQ(c.kept, read.m_strName) << c.name;
        EXPECT_STREQ((std::wstring(L"http://example.invalid/live") + c.kept).c_str(), read.m_items[0]->m_strPath)
            << c.name;
        EXPECT_STREQ(c.kept, read.m_items[0]->m_mediaInfo.Metadata.Title) << c.name;
        EXPECT_STREQ(c.kept, read.m_items[0]->m_mediaInfo.StreamList[0]->Codec) << c.name;
    }
}

TEST_F(PlaylistFiles, StoredMediaNumbersThatCannotBeRightAreProbedAgain)
{
    struct Case {
        const char* name;
        const char* info;    // attributes of MediaInfo
        const char* stream;  // attributes of its video stream
        bool kept;
    } cases[] = {
        {"as a probe gives them", "DurationInUs=\"4000000\" StartTimeInUs=\"-21000\" Size=\"5000\"",
         "Resolution=\"320x240\" Frames=\"100\"", true},
        {"absent numbers", "", "", true},
        {"a negative duration", "DurationInUs=\"-1\"", "", false},
        {"a duration that is no number", "DurationInUs=\"abc\"", "", false},
        {"a number with more after it", "DurationInUs=\"4e6\"", "", false},
        {"a duration of centuries", "DurationInUs=\"9000000000000000000\"", "", false},
        {"a number past 64 bits", "Size=\"99999999999999999999\"", "", false},
        {"a negative size", "Size=\"-5\"", "", false},
        {"a negative bit rate", "BitRate=\"-128000\"", "", false},
        {"a negative stream count", "Streams=\"-2\"", "", false},
        {"a negative stream duration", "", "DurationInUs=\"-40000\"", false},
        {"a negative frame count", "", "Frames=\"-1\"", false},
        {"a negative width", "", "Resolution=\"-320x240\"", false},
    };
    for (const Case& c : cases) {
        std::wstring path = m_folder / L"forged.playlist";
        WriteBytes(path, std::string("<Playlists Version=\"2.2.0\"><Playlist><Item Flags=\"16\"><Media>"
                                     "<URI>C:\\a.mp4</URI><MediaInfo MediaType=\"video\" ") +
                             c.info + "><Streams><Stream MediaType=\"video\" " + c.stream +
                             "/></Streams></MediaInfo></Media></Item></Playlist></Playlists>");
        CPlaylistData read(1);
        ASSERT_EQ(0, FormatFor(path)->Read(path.c_str(), read)) << c.name;
        ASSERT_EQ(1, read.m_items.GetSize()) << c.name;
        const CPlaylistItem& item = *read.m_items[0];
        EXPECT_STREQ(L"C:\\a.mp4", item.m_strPath) << c.name;
        EXPECT_EQ(c.kept, (item.m_dwFlags & ITEM_FLAG_PROBED) != 0) << c.name << ": probed again when not kept";
        EXPECT_EQ(c.kept ? 1 : 0, item.m_mediaInfo.StreamList.GetSize()) << c.name;
        EXPECT_LE(0, item.m_mediaInfo.DurationInUs) << c.name;
    }
}

}  // namespace
