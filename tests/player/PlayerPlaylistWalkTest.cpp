// Playlist files as the player's user opens them through "Open Playlist": lists that other
// programs write (UTF-8 without a byte-order mark, ".pls" without a count, "file:" URLs), a list
// of URLs that answer slowly or never, and a long ".playlist" loading while a tile is clicked.
// The real program, driven by tests/support/UiDriver; what it holds is read back from the
// ".playlist" it saves.
#include "tests/framework/LoopbackHttpServer.h"
#include "tests/player/PlayerProgram.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace playerwalk;

std::string Utf8(const std::wstring& text)
{
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
}

std::wstring Wide(const std::string& bytes)
{
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                                    static_cast<int>(text.size())));
    return text;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(hFile);
}

// "file:///C:/..." for a path, every byte outside plain letters and digits escaped.
std::string FileUrl(const std::wstring& path)
{
    std::string url = "file:///";
    for (unsigned char ch : Utf8(path)) {
        if (ch == '\\')
            url += '/';
        else if (isalnum(ch) || ch == ':' || ch == '.' || ch == '-' || ch == '_')
            url += static_cast<char>(ch);
        else {
            char escape[4];
            sprintf(escape, "%%%02X", ch);
            url += escape;
        }
    }
    return url;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The temporary folder's name holds a '&'.
std::string XmlText(const std::wstring& text)
{
    return Replaced(Replaced(Utf8(text), "&", "&amp;"), "<", "&lt;");
}

std::wstring FromXmlText(const std::string& xml)
{
    return Wide(Replaced(Replaced(Replaced(xml, "&lt;", "<"), "&gt;", ">"), "&amp;", "&"));
}

// One item of a saved ".playlist": its path and the probed duration.
struct SavedItem {
    std::wstring path;
    long long durationUs;
};

std::vector<SavedItem> SavedItems(const std::string& xml)
{
    std::vector<SavedItem> items;
    for (size_t at = xml.find("<Media>"); at != std::string::npos; at = xml.find("<Media>", at + 1)) {
        size_t uri = xml.find("<URI>", at) + 5;
        SavedItem item = {FromXmlText(xml.substr(uri, xml.find("</URI>", uri) - uri)), 0};
        size_t duration = xml.find("DurationInUs=\"", uri);
        if (duration != std::string::npos)
            item.durationUs = atoll(xml.c_str() + duration + 14);
        items.push_back(item);
    }
    return items;
}

// A port on this machine where nothing listens.
int ClosedPort()
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int len = sizeof(addr);
    bind(s, reinterpret_cast<sockaddr*>(&addr), len);
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    closesocket(s);
    return ntohs(addr.sin_port);
}

// A port that takes connections and never answers them.
class SilentListener {
public:
    SilentListener()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int len = sizeof(addr);
        bind(m_socket, reinterpret_cast<sockaddr*>(&addr), len);
        listen(m_socket, 8);
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&addr), &len);
        m_nPort = ntohs(addr.sin_port);
    }
    ~SilentListener() { closesocket(m_socket); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;
    int Port() const { return m_nPort; }

private:
    SOCKET m_socket = INVALID_SOCKET;
    int m_nPort = 0;
};

class PlayerPlaylistWalk : public PlayerProgram {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new std::wstring(tooltest::MakeTempFolder(L"kavri playlist walk"));
        ASSERT_TRUE(tooltest::MakeMedia(Path(L"clip.mp4"),
                                        L"-f lavfi -i testsrc2=duration=2:size=160x90:rate=25 "
                                        L"-f lavfi -i sine=duration=2 -c:v libx264 "
                                        L"-pix_fmt yuv420p -c:a aac -shortest -f mp4"))
            << "ffmpeg.exe could not make the clip";
        CreateDirectoryW(Path(L"media").c_str(), nullptr);
    }
    static void TearDownTestSuite()
    {
        tooltest::RemoveFolder(*s_folder);
        delete s_folder;
    }
    static std::wstring Path(const std::wstring& name) { return *s_folder + L"\\" + name; }
    // A copy of the clip under that name in the media folder; its full path.
    static std::wstring MediaCopy(const std::wstring& name)
    {
        std::wstring path = Path(L"media\\" + name);
        CopyFileW(Path(L"clip.mp4").c_str(), path.c_str(), FALSE);
        return path;
    }

    bool OpenPlaylist(const std::wstring& path) { return ChooseInFileDialog(kOpenPlaylist, L"Open Playlist", path); }
    // The rows as a saved ".playlist" holds them, once there are that many and every file among
    // them is probed (or ms have passed).
    std::vector<SavedItem> ProbedRows(size_t count, DWORD ms = 2 * kTestWaitMs)
    {
        std::wstring saved = Path(L"saved.playlist");
        std::vector<SavedItem> items;
        WaitFor(
            [&] {
                DeleteFileW(saved.c_str());
                if (!SavePlaylistAs(saved))
                    return false;
                items = SavedItems(tooltest::ReadFileBytes(saved));
                for (const SavedItem& item : items) {
                    if (item.durationUs <= 0 && item.path.compare(0, 7, L"http://") != 0)
                        return false;
                }
                return items.size() == count;
            },
            ms);
        return items;
    }

    static std::wstring* s_folder;
};

std::wstring* PlayerPlaylistWalk::s_folder = nullptr;

TEST_F(PlayerPlaylistWalk, ListsThatOtherProgramsWriteOpenWithEveryEntry)
{
    const wchar_t* names[] = {
        L"Pr\x00F8ve.flac",
        L"\x05E9\x05DC\x05D5\x05DD.flac",
        L"\x65E5\x672C\x8A9E\x306E\x52D5\x753B.mp4",
        L"\x0412\x0438\x0434\x0435\x043E \x043A\x043B\x0438\x043F.mkv",
        L"\x0395\x03BB\x03BB\x03B7\x03BD\x03B9\x03BA\x03AC.mp4",
        L"caf\x00E9 au lait.mp4",
        L"\x4E2D\x6587 \x6B4C\x66F2.mp3",
        L"\xD55C\xAD6D\xC5B4.mp4",
        L"\x00DCn\x00EFc\x00F6"
        L"d\x00E9.ogg",
        L"note \xD83C\xDFB5.mp4",
        L"plain one.mp4",
        L"plain two.mp4",
    };
    std::vector<std::wstring> all;
    std::string utf8List = "#EXTM3U\n";
    for (const wchar_t* name : names) {
        all.push_back(MediaCopy(name));
        utf8List += "#EXTINF:2," + Utf8(name) + "\nmedia/" + Utf8(name) + "\n";
    }
    std::vector<std::wstring> three(all.begin(), all.begin() + 3);
    std::string noCount = "[playlist]\r\n", urls = "#EXTM3U\r\n";
    for (size_t i = 0; i < three.size(); ++i) {
        noCount += "File" + std::to_string(i + 1) + "=" + Utf8(three[i]) + "\r\nTitle" + std::to_string(i + 1) + "=" +
                   Utf8(names[i]) + "\r\n";
        urls += FileUrl(three[i]) + "\r\n";
    }
    noCount += "Version=2\r\n";
    struct Case {
        const wchar_t* list;
        std::string bytes;
        std::vector<std::wstring> rows;
    } cases[] = {
        {L"utf8 without mark.m3u", utf8List, all},
        {L"no count.pls", noCount, three},
        {L"file urls.m3u", urls, three},
    };

    ASSERT_TRUE(Start());
    for (const Case& c : cases) {
        WriteBytes(Path(c.list), c.bytes);
        ASSERT_TRUE(OpenPlaylist(Path(c.list))) << testing::PrintToString(std::wstring(c.list));
        std::vector<SavedItem> rows = ProbedRows(c.rows.size());
        std::vector<std::wstring> paths;
        for (const SavedItem& row : rows) {
            paths.push_back(row.path);
            EXPECT_LT(0, row.durationUs) << testing::PrintToString(row.path) << " is probed";
        }
        EXPECT_EQ(c.rows, paths) << testing::PrintToString(std::wstring(c.list));
    }
    EXPECT_TRUE(Exit());
}

TEST_F(PlayerPlaylistWalk, UrlsThatDoNotAnswerHoldNeitherTheWindowNorItsClose)
{
    std::string clip = tooltest::ReadFileBytes(Path(L"clip.mp4"));
    LoopbackHttpServer server([&](const std::string& target) {
        LoopbackHttpServer::Response response;
        if (target == "/clip.mp4")
            response.body = clip;
        else
            response.nStatus = 404;
        return response;
    });
    ASSERT_TRUE(server.IsReady());
    SilentListener silent;
    std::string closed = std::to_string(ClosedPort());
    std::string list = Utf8(server.Url(L"/clip.mp4")) + "\r\n" + Utf8(server.Url(L"/missing.mp4")) + "\r\n" +
                       "http://127.0.0.1:" + std::to_string(silent.Port()) + "/silent.mp4\r\n" +
                       "http://127.0.0.1:" + closed + "/closed.mp4\r\n" + "rtsp://127.0.0.1:" + closed + "/live\r\n";
    WriteBytes(Path(L"urls.m3u"), list);

    ASSERT_TRUE(Start());
    EXPECT_TRUE(OpenPlaylist(Path(L"urls.m3u"))) << "the dialog closes and the window answers";
    EXPECT_TRUE(WaitFor([&] { return Shown(kPlaylistCtrl) && !Shown(kStartPanel); }, kTestWaitMs))
        << "the rows are in before any probe ends";
    std::wstring saved = Path(L"urls.playlist");
    ASSERT_TRUE(SavePlaylistAs(saved));
    EXPECT_EQ(5u, SavedItems(tooltest::ReadFileBytes(saved)).size());
    EXPECT_TRUE(Exit()) << "a close ends the waits on the network";
}

TEST_F(PlayerPlaylistWalk, NoTileIsDeletedWhileAPlaylistLoadsAndNoRowStaysBlank)
{
    // One row to begin with, brought back from the default playlist without a probe.
    std::wstring first = MediaCopy(L"first.mp4");
    ASSERT_TRUE(Start({first}));
    ASSERT_TRUE(WaitForTitle(L"first.mp4 - 1/1"));
    ASSERT_TRUE(Exit());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitFor([&] { return Shown(kPlaylistCtrl) && !Shown(kStartPanel); }, kTestWaitMs));

    // A ".playlist" of paths only, added through "Add Files": the load thread probes each one,
    // and the last, a URL that does not answer, keeps it loading until the listener goes.
    auto silent = std::make_unique<SilentListener>();
    std::wstring url = L"http://127.0.0.1:" + std::to_wstring(silent->Port()) + L"/silent.mp4";
    std::string xml = "<?xml version=\"1.0\"?><Playlists Version=\"2.2.0\"><Playlist>";
    std::vector<std::wstring> added;
    for (int i = 0; i < 30; ++i)
        added.push_back(MediaCopy(L"row " + std::to_wstring(i) + L".mp4"));
    added.push_back(url);
    for (const std::wstring& path : added)
        xml += "<Item><Media><URI>" + XmlText(path) + "</URI></Media></Item>";
    WriteBytes(Path(L"thirty.playlist"), xml + "</Playlist></Playlists>");
    ASSERT_TRUE(ChooseInFileDialog(kAddFiles, L"Add Files", Path(L"thirty.playlist")));
    ASSERT_TRUE(WaitFor([&] { return RunsAToolOtherThanThePlayer(); }, kTestWaitMs)) << "the load probes";

    // The first tile's delete button: 24 pixels at the top right of the 202-pixel tile.
    const std::vector<std::wstring> deleteButton = {L"click", L"class:KavriVideoPlayer#100", L"197", L"29"};
    ASSERT_TRUE(Drive({L"move", L"class:KavriVideoPlayer#100", L"100", L"60"}));
    ASSERT_TRUE(Drive(deleteButton));
    silent.reset();
    std::vector<SavedItem> rows = ProbedRows(32, 4 * kTestWaitMs);
    ASSERT_EQ(32u, rows.size()) << "the tile stays while the list loads";
    EXPECT_EQ(first, rows[0].path);
    for (size_t i = 0; i < added.size(); ++i)
        EXPECT_EQ(added[i], rows[i + 1].path) << i;
    for (int i = 0; i < 30; ++i)
        EXPECT_LT(0, rows[i + 1].durationUs) << i << ": no row stays without its media information";

    // Once the load is done, the same click deletes the tile.
    ASSERT_TRUE(Drive({L"move", L"class:KavriVideoPlayer#100", L"100", L"60"}));
    ASSERT_TRUE(Drive(deleteButton));
    rows = ProbedRows(31);
    ASSERT_EQ(31u, rows.size());
    EXPECT_EQ(added[0], rows[0].path);
    EXPECT_TRUE(Exit());
}

}  // namespace
