// The conversion tool's task pages made from their dialogs under a plain parent, driven as the
// frame would drive them: the concatenate page's order and output name, the refusals of Start,
// a source that changed since its probe, a real conversion to MP3 through the encoder with
// media made at test time, the recent lists the runs feed, typed cut times, the question about
// an existing output and its auto close, Stop, and a page closed during a run.
#include "conversion/app/CAutoCloseDlg.h"
#include "conversion/app/CConcatenatePage.h"
#include "conversion/app/CConversionRecentLists.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/CConversionView.h"
#include "conversion/app/CConvertPage.h"
#include "conversion/app/CExtractAudioPage.h"
#include "conversion/app/CFileExistsPrompt.h"
#include "conversion/app/CM3U8Page.h"
#include "conversion/app/CMergePage.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "conversion/app/res/FetcherResources.h"
#include "conversion/engine/ShellOperations.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "framework/system/ShellCalls.h"
#include "mediatools/MediaToolLocation.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestWait.h"
#include "tests/support/ToolTestSupport.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

// A page whose message boxes are written down instead of shown (the worker thread shows some).
template <class TPage>
class TestPage : public TPage {
public:
    int ShowMessage(LPCWSTR lpszText, UINT) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_messages.push_back(lpszText);
        return IDOK;
    }
    std::vector<std::wstring> Messages()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_messages;
    }
    void DropPaths(const CStringArray& paths) { this->DropFiles(paths); }
    void Drop(std::initializer_list<std::wstring> paths)
    {
        CStringArray list;
        for (const std::wstring& path : paths)
            list.Add(path.c_str());
        this->DropFiles(list);
    }
    void Click(UINT nID) { this->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }
    CString ProgressText() const { return this->m_progress.GetText(); }
    CString ItemText(UINT nID) const
    {
        CString text;
        this->GetDlgItemText(nID, text);
        return text;
    }

private:
    std::mutex m_lock;
    std::vector<std::wstring> m_messages;
};

class TaskPages : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_media = tooltest::MakeTempFolder(L"task pages");
        s_made = tooltest::MakeMedia(Media(L"clip.mp4"), tooltest::kClipH264Aac) &&
                 tooltest::MakeMedia(Media(L"tone.wav"), tooltest::kToneWav) &&
                 tooltest::MakeMedia(Media(L"long.mp4"),
                                     L"-f lavfi -i testsrc=duration=120:size=640x480:rate=25 -f lavfi -i "
                                     L"sine=frequency=440:duration=120 -c:v libx264 -preset ultrafast -pix_fmt yuv420p "
                                     L"-c:a aac -shortest -f mp4") &&
                 tooltest::MakeMedia(Media(L"seg1.ts"), L"-f lavfi -i testsrc=duration=2:size=160x120:rate=25 "
                                                        L"-c:v libx264 -pix_fmt yuv420p -f mpegts") &&
                 tooltest::MakeMedia(Media(L"seg2.ts"), L"-f lavfi -i testsrc=duration=3:size=160x120:rate=25 "
                                                        L"-c:v libx264 -pix_fmt yuv420p -f mpegts") &&
                 tooltest::MakeMedia(Media(L"stream.m3u8"), L"-f lavfi -i testsrc=duration=6:size=160x120:rate=25 "
                                                            L"-c:v libx264 -pix_fmt yuv420p -g 25 -f hls -hls_time 2 "
                                                            L"-hls_list_size 0");
    }
    static void TearDownTestSuite() { tooltest::RemoveFolder(s_media); }
    static std::wstring Media(const wchar_t* name) { return s_media + L"\\" + name; }

    void SetUp() override
    {
        ASSERT_TRUE(s_made) << "test media could not be made with ffmpeg.exe";
        LocateMediaTools(tooltest::ToolFolder().c_str());
        ASSERT_EQ(0, theConversionUiResources.Load());
        ASSERT_EQ(0, theMediaFormats.Load(m_data.Path().c_str()));
        theConversionSettings.m_convert = CPageSettings();
        theConversionSettings.m_extract = CPageSettings();
        for (CMRUList* pList : {&theConversionRecentLists.m_inputFiles, &theConversionRecentLists.m_inputVideoFiles,
                                &theConversionRecentLists.m_inputAudioFiles, &theConversionRecentLists.m_outputFolders})
            pList->m_entries.RemoveAll();
        ASSERT_TRUE(m_parent.CreateParent(900, 600));
    }

    template <class TPage>
    void Open(TestPage<TPage>& page, UINT nIDTemplate)
    {
        ASSERT_TRUE(page.Create(nIDTemplate, &m_parent));
        page.ShowWindow(SW_SHOW);
    }
    // The page with a source chosen as "Choose..." does it, once the source's probe has ended.
    template <class TPage>
    bool OpenWithSource(TestPage<TPage>& page, UINT nIDTemplate, const wchar_t* name)
    {
        Open(page, nIDTemplate);
        return page.SetSource(Media(name).c_str()) == 0 && WaitIdle(page);
    }
    // A convert page that runs a dropped source (probed by the run) to MP3 into the folder.
    void StartMp3Run(TestPage<CConvertPage>& page, const wchar_t* source, const std::wstring& folder)
    {
        Open(page, IDD_CONVERT_PAGE);
        page.Drop({Media(source)});
        ASSERT_GE(page.SelectFormatById(L"AF_mp3"), 0);
        page.m_destinationCombo.SetPathText(folder.c_str());
        page.Click(IDC_PAGE_START);
    }
    // The page's probe thread or task thread has ended and its messages are handled.
    template <class TPage>
    bool WaitIdle(TestPage<TPage>& page, DWORD ms = 120000)
    {
        return PumpUntil([&] { return !page.IsBusy() && !page.m_pThread; }, ms);
    }

    TempFolder m_data;
    TempFolder m_out;
    RecordingParent m_parent;
    static std::wstring s_media;
    static bool s_made;
};

std::wstring g_launchedFile;
std::wstring g_launchedParameters;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT)
{
    g_launchedFile = file ? file : L"";
    g_launchedParameters = parameters ? parameters : L"";
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

std::wstring TaskPages::s_media;
bool TaskPages::s_made = false;

std::vector<std::wstring> RowNames(const CConcatenatePage& page)
{
    std::vector<std::wstring> names;
    for (const CSegmentRow& row : page.GetRows())
        names.push_back(static_cast<LPCWSTR>(row.name));
    return names;
}

// Auto Sort after a drop: the numbers at the end of the names order the rows, "init" first,
// and an empty output name is taken from the first row.
TEST_F(TaskPages, ConcatenateSortsDroppedSegmentsAndNamesTheOutput)
{
    struct Case {
        const char* name;
        std::vector<std::wstring> dropped;
        std::vector<std::wstring> sorted;
        const wchar_t* output;
    };
    const Case cases[] = {
        {"numbers", {L"seg10.ts", L"seg2.ts", L"init.mp4", L"seg1.ts"}, {L"init.mp4", L"seg1.ts", L"seg2.ts", L"seg10.ts"}, L"init"},
        {"dashes", {L"part-3.ts", L"part-1.ts", L"part-2.ts"}, {L"part-1.ts", L"part-2.ts", L"part-3.ts"}, L"part"},
        {"same title", {L"a.ts", L"a.mp4"}, {L"a.mp4", L"a.ts"}, L"a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPage<CConcatenatePage> page;
        Open(page, IDD_CONCATENATE_PAGE);
        CStringArray paths;
        for (const std::wstring& name : c.dropped)
            paths.Add((m_out / name).c_str());
        page.DropPaths(paths);
        EXPECT_EQ(c.sorted, RowNames(page));
        EXPECT_STREQ(c.output, page.ItemText(IDC_PAGE_OUTPUT_NAME));
        // Each row keeps its own icon through the sort.
        for (const CSegmentRow& row : page.GetRows())
            EXPECT_EQ(GetShellIconIndex((m_out / static_cast<LPCWSTR>(row.name)).c_str(), true, false), row.image);
        page.DestroyWindow();
    }
}

TEST_F(TaskPages, ConcatenateMovesRowsAndSkipsDroppedFolders)
{
    TestPage<CConcatenatePage> page;
    Open(page, IDD_CONCATENATE_PAGE);
    page.Drop({m_out / L"b1.ts", m_out / L"b2.ts", m_out.Path()});
    ASSERT_EQ((std::vector<std::wstring>{L"b1.ts", L"b2.ts"}), RowNames(page));
    page.m_list.SelectItem(0, TRUE, TRUE);
    page.Click(IDC_PAGE_MOVE_DOWN);
    EXPECT_EQ((std::vector<std::wstring>{L"b2.ts", L"b1.ts"}), RowNames(page));
    EXPECT_EQ(1, page.m_list.GetFirstSelectedItem());
    page.Click(IDC_PAGE_MOVE_DOWN);  // the last row stays last
    EXPECT_EQ((std::vector<std::wstring>{L"b2.ts", L"b1.ts"}), RowNames(page));
    page.Click(IDC_PAGE_REMOVE_ALL);
    page.Click(IDC_PAGE_START);
    EXPECT_EQ((std::vector<std::wstring>{L"Please add segment files."}), page.Messages());
    EXPECT_FALSE(page.m_pThread);
    page.DestroyWindow();
}

// Add Folder with sub-folders: matching files at every level, and a junction that leads back
// up the tree is not followed.
TEST_F(TaskPages, ConcatenateAddFolderSkipsLinksBackUp)
{
    std::wstring sub = m_out / L"sub";
    CreateDirectoryW(sub.c_str(), nullptr);
    for (const std::wstring& path : {m_out / L"s1.ts", sub + L"\\s2.ts", m_out / L"notes.txt"})
        CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::wstring loop = sub + L"\\loop";
    bool linked = CreateSymbolicLinkW(loop.c_str(), m_out.Path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;
    TestPage<CConcatenatePage> page;
    Open(page, IDD_CONCATENATE_PAGE);
    EXPECT_EQ(2, page.AddFolder(m_out.Path().c_str(), L"*.ts|*.mp4", TRUE));
    if (linked)
        RemoveDirectoryW(loop.c_str());
    page.DestroyWindow();
}

TEST_F(TaskPages, CutAndTimesFollowTheirRules)
{
    struct Case {
        const char* name;
        BOOL cut;
        LONGLONG start, end;
        int cutStart, cutEnd;
    };
    const Case cases[] = {
        {"off", FALSE, 1000, 5000, 0, -1},
        {"range", TRUE, 1000, 5000, 1000, 5000},
        {"start after end", TRUE, 10000, 5000, 0, -1},
        {"open end", TRUE, 2000, -1, 2000, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int start = -5, end = -5;
        CConvertPage::GetCut(c.cut, c.start, c.end, start, end);
        EXPECT_EQ(c.cutStart, start);
        EXPECT_EQ(c.cutEnd, end);
    }
    // A start 10 s and an end 5 s: the end becomes the duration; a start past it becomes 0.
    LONGLONG start = 10000, end = 5000;
    CConvertPage::CorrectTimes(20000, start, end);
    EXPECT_EQ(10000, start);
    EXPECT_EQ(20000, end);
    start = 30000;
    end = 40000;
    CConvertPage::CorrectTimes(20000, start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(20000, end);
    EXPECT_EQ(0, CConversionPage::NextBusyPosition(99, 100));
    EXPECT_EQ(100, CConversionPage::NextBusyPosition(98, 100));
    EXPECT_EQ(50, CTaskProgressCtrl::BarWidth(100, LONGLONG(1) << 40, LONGLONG(1) << 41));
}

// With every format hidden there is nothing to convert to: Start says so and starts nothing.
TEST_F(TaskPages, StartWithoutAnyFormatIsRefused)
{
    for (int c = 0; c < theMediaFormats.m_categories.GetSize(); c++) {
        CMediaFormatCategory* pCategory = theMediaFormats.m_categories[c];
        for (int f = 0; f < pCategory->m_formats.GetSize(); f++)
            pCategory->m_formats[f]->m_flags |= FORMAT_OFF;
    }
    TestPage<CConvertPage> page;
    Open(page, IDD_CONVERT_PAGE);
    EXPECT_EQ(0, page.m_formatCombo.GetCount());
    page.Drop({Media(L"clip.mp4")});
    page.Click(IDC_PAGE_START);
    ASSERT_EQ(1u, page.Messages().size());
    EXPECT_NE(std::wstring::npos, page.Messages()[0].find(L"no output format"));
    EXPECT_FALSE(page.m_pThread);
    page.DestroyWindow();
}

TEST_F(TaskPages, StartWithMissingSourcesIsRefused)
{
    TestPage<CConvertPage> convert;
    Open(convert, IDD_CONVERT_PAGE);
    convert.Drop({m_out / L"missing.mp4"});
    convert.Click(IDC_PAGE_START);
    EXPECT_EQ((std::vector<std::wstring>{L"Source file doesn't exist!"}), convert.Messages());
    convert.DestroyWindow();

    TestPage<CMergePage> merge;
    Open(merge, IDD_MERGE_PAGE);
    merge.Drop({Media(L"clip.mp4")});
    EXPECT_STREQ(L"clip.mp4", merge.ItemText(IDC_PAGE_OUTPUT_NAME));
    merge.Click(IDC_PAGE_START);
    EXPECT_EQ((std::vector<std::wstring>{L"Source video file or audio file doesn't exist!"}), merge.Messages());
    merge.DestroyWindow();
}

// Bad inputs on every task page, each given the way a user would: a file of zero bytes, one
// cut off halfway and one that is no media. Chosen with "Choose...", a page refuses it with a
// message naming it; dropped or typed, it reaches the run, which fails. Never "Completed", the
// destination stays empty and the input as it was.
TEST_F(TaskPages, BadInputsNeverComplete)
{
    enum PageKind { kConvert, kExtract, kM3u8, kMergeVideo, kMergeAudio, kConcatenate };
    enum Entry { kChosen, kDropped };
    std::string clip = tooltest::ReadFileBytes(Media(L"clip.mp4"));
    std::string playlist = tooltest::ReadFileBytes(Media(L"stream.m3u8"));
    const std::string text = "These are notes, not a picture or a sound.\r\n";
    // The playlists lie beside the segments they name; the cut one ends after its first
    // segment, without the line that says the list is complete.
    const std::pair<std::wstring, std::string> files[] = {
        {m_data / L"empty.mp4", ""},
        {m_data / L"cut.mp4", clip.substr(0, clip.size() / 2)},
        {m_data / L"notes.mp4", text},
        {m_data / L"z-empty.ts", ""},
        {m_data / L"z-cut.ts", clip.substr(0, clip.size() / 2)},
        {m_data / L"z-notes.ts", text},
        {Media(L"empty.m3u8"), ""},
        {Media(L"cut.m3u8"), playlist.substr(0, playlist.find(".ts\n") + 4)},
        {Media(L"notes.m3u8"), text},
    };
    for (const auto& file : files)
        ASSERT_TRUE(tooltest::WriteFileBytes(file.first, file.second));

    const struct Case {
        PageKind page;
        Entry entry;
        const wchar_t* input;
    } cases[] = {
        {kConvert, kChosen, L"empty.mp4"},
        {kConvert, kChosen, L"cut.mp4"},
        {kConvert, kChosen, L"notes.mp4"},
        {kConvert, kDropped, L"empty.mp4"},
        {kConvert, kDropped, L"cut.mp4"},
        {kConvert, kDropped, L"notes.mp4"},
        {kExtract, kChosen, L"empty.mp4"},
        {kExtract, kChosen, L"cut.mp4"},
        {kExtract, kChosen, L"notes.mp4"},
        {kExtract, kDropped, L"empty.mp4"},
        {kExtract, kDropped, L"cut.mp4"},
        {kExtract, kDropped, L"notes.mp4"},
        {kM3u8, kChosen, L"empty.m3u8"},
        {kM3u8, kChosen, L"cut.m3u8"},
        {kM3u8, kChosen, L"notes.m3u8"},
        {kM3u8, kDropped, L"empty.m3u8"},
        {kM3u8, kDropped, L"cut.m3u8"},
        {kM3u8, kDropped, L"notes.m3u8"},
        {kMergeVideo, kChosen, L"empty.mp4"},
        {kMergeVideo, kChosen, L"cut.mp4"},
        {kMergeVideo, kChosen, L"notes.mp4"},
        {kMergeVideo, kDropped, L"empty.mp4"},
        {kMergeVideo, kDropped, L"cut.mp4"},
        {kMergeVideo, kDropped, L"notes.mp4"},
        {kMergeAudio, kChosen, L"empty.mp4"},
        {kMergeAudio, kChosen, L"cut.mp4"},
        {kMergeAudio, kChosen, L"notes.mp4"},
        {kMergeAudio, kDropped, L"empty.mp4"},
        {kMergeAudio, kDropped, L"cut.mp4"},
        {kMergeAudio, kDropped, L"notes.mp4"},
        // Sorted before the good segment and after it.
        {kConcatenate, kDropped, L"empty.mp4"},
        {kConcatenate, kDropped, L"cut.mp4"},
        {kConcatenate, kDropped, L"notes.mp4"},
        {kConcatenate, kDropped, L"z-empty.ts"},
        {kConcatenate, kDropped, L"z-cut.ts"},
        {kConcatenate, kDropped, L"z-notes.ts"},
    };
    const char* pageNames[] = {"convert",       "video to MP3",  "M3U8 to MP4",
                               "merge (video)", "merge (audio)", "concatenate"};
    for (const Case& c : cases) {
        std::wstring input = c.page == kM3u8 ? Media(c.input) : m_data / c.input;
        SCOPED_TRACE(std::string(pageNames[c.page]) + (c.entry == kChosen ? ", chosen: " : ", dropped: ") +
                     std::string(input.begin(), input.end()));
        TempFolder out;
        std::string before = tooltest::ReadFileBytes(input);
        std::wstring inputFolder = input.substr(0, input.rfind(L'\\'));
        std::wstring besideBefore = tooltest::FolderListing(inputFolder);
        std::vector<std::wstring> messages;
        int state = TASK_STATE_IDLE;
        // Gives the page its input (and a good one beside it where it takes two), starts it
        // and waits until it is idle again.
        auto run = [&](auto& page, UINT nIDTemplate, const std::function<void()>& give) {
            Open(page, nIDTemplate);
            page.m_destinationCombo.SetPathText(out.Path().c_str());
            give();
            ASSERT_TRUE(WaitIdle(page));
            page.Click(IDC_PAGE_START);
            ASSERT_TRUE(WaitIdle(page)) << "the run did not end";
            messages = page.Messages();
            state = page.m_record.m_progress.m_state;
            page.DestroyWindow();
        };
        auto giveSource = [&](auto& page) {
            return [&] {
                if (c.entry == kChosen)
                    page.SetSource(input.c_str());
                else
                    page.Drop({input});
            };
        };
        switch (c.page) {
        case kConvert: {
            TestPage<CConvertPage> page;
            run(page, IDD_CONVERT_PAGE, giveSource(page));
            break;
        }
        case kExtract: {
            TestPage<CExtractAudioPage> page;
            run(page, IDD_EXTRACT_AUDIO_PAGE, giveSource(page));
            break;
        }
        case kM3u8: {
            TestPage<CM3U8Page> page;
            run(page, IDD_M3U8_PAGE, giveSource(page));
            break;
        }
        case kMergeVideo:
        case kMergeAudio: {
            TestPage<CMergePage> page;
            bool badVideo = c.page == kMergeVideo;
            std::wstring video = badVideo ? input : Media(L"clip.mp4"), audio = badVideo ? Media(L"tone.wav") : input;
            run(page, IDD_MERGE_PAGE, [&] {
                if (c.entry == kChosen) {
                    page.SetVideo(video.c_str());
                    WaitIdle(page);
                    page.SetAudio(audio.c_str());
                } else {
                    page.Drop({video});  // the video field takes a drop; the audio is typed
                    page.m_audioCombo.SetPathText(audio.c_str());
                }
            });
            break;
        }
        case kConcatenate: {
            TestPage<CConcatenatePage> page;
            run(page, IDD_CONCATENATE_PAGE, [&] { page.Drop({Media(L"seg1.ts"), input}); });
            break;
        }
        }
        EXPECT_NE(TASK_STATE_COMPLETED, state);
        if (messages.empty()) {
            EXPECT_EQ(TASK_STATE_FAILED, state) << "no message, so the run must fail";
        } else {
            std::wstring name = PathFindFileNameW(input.c_str());
            EXPECT_NE(std::wstring::npos, messages[0].find(name)) << "the message names the input: " << messages[0];
        }
        EXPECT_EQ(L"", tooltest::FolderListing(out.Path())) << "nothing is left in the destination";
        EXPECT_EQ(before, tooltest::ReadFileBytes(input)) << "the input is untouched";
        EXPECT_EQ(besideBefore, tooltest::FolderListing(inputFolder)) << "nothing is left beside the input";
    }
}

TEST_F(TaskPages, VideoToMp3OpensOnMp3)
{
    TestPage<CExtractAudioPage> page;
    Open(page, IDD_EXTRACT_AUDIO_PAGE);
    ASSERT_NE(nullptr, page.m_pFormat);
    EXPECT_STREQ(L"AF_mp3", page.m_pFormat->m_id);
    page.DestroyWindow();
}

// The preset picked stays when a source is chosen, on each page that chooses one: the format
// is applied again as after a change of the format list, which keeps the format's preset.
TEST_F(TaskPages, ChosenSourceKeepsThePickedPreset)
{
    struct Case {
        const char* name;
        UINT nIDTemplate;
        const wchar_t* format;
        const wchar_t* preset;
        const wchar_t* source;
    };
    const Case cases[] = {
        {"convert", IDD_CONVERT_PAGE, L"VF_mp4", L"H.264 - 360p", L"clip.mp4"},
        {"m3u8", IDD_M3U8_PAGE, L"VF_mkv", L"H.264 - 240p", L"stream.m3u8"},
        {"video to audio", IDD_EXTRACT_AUDIO_PAGE, L"AF_aac", L"Low Quality", L"clip.mp4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TestPage<CConvertPage>> convert;
        std::unique_ptr<TestPage<CM3U8Page>> m3u8;
        std::unique_ptr<TestPage<CExtractAudioPage>> extract;
        CFormatTaskPage* pPage = nullptr;
        if (c.nIDTemplate == IDD_CONVERT_PAGE)
            pPage = (convert = std::make_unique<TestPage<CConvertPage>>()).get();
        else if (c.nIDTemplate == IDD_M3U8_PAGE)
            pPage = (m3u8 = std::make_unique<TestPage<CM3U8Page>>()).get();
        else
            pPage = (extract = std::make_unique<TestPage<CExtractAudioPage>>()).get();
        ASSERT_TRUE(pPage->Create(c.nIDTemplate, &m_parent));
        ASSERT_GE(pPage->SelectFormatById(c.format), 0);
        int row = static_cast<int>(
            pPage->m_presetCombo.FindString(-1, pPage->m_pFormat->FindPreset(c.preset)->GetName()));
        ASSERT_GE(row, 1);
        pPage->m_presetCombo.SetCurSel(row);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PAGE_PRESET, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(pPage->m_presetCombo.m_hWnd));
        ASSERT_EQ(0, pPage->SetSource(Media(c.source).c_str()));
        ASSERT_TRUE(PumpUntil([&] { return !pPage->IsBusy(); }, 120000));
        ASSERT_STREQ(Media(c.source).c_str(), pPage->m_sourcePath);
        EXPECT_STREQ(c.format, pPage->m_pFormat->m_id);
        EXPECT_STREQ(c.preset, pPage->m_presetName);
        EXPECT_EQ(row, pPage->m_presetCombo.GetCurSel());
        EXPECT_EQ(1, pPage->m_pPreset->m_useCount);
        pPage->DestroyWindow();
    }
}

// "Change volume" follows the chosen format's sound: Animated GIF has none.
TEST_F(TaskPages, ChangeVolumeFollowsTheFormatsSound)
{
    TestPage<CConvertPage> page;
    ASSERT_TRUE(OpenWithSource(page, IDD_CONVERT_PAGE, L"clip.mp4"));
    const struct {
        const wchar_t* format;
        bool volume;
    } cases[] = {{L"VF_gif", false}, {L"VF_mp4", true}, {L"AF_mp3", true}};
    for (const auto& c : cases) {
        int row = page.m_formatCombo.FindFormat(theMediaFormats.FindFormat(c.format));
        ASSERT_GE(row, 0);
        page.m_formatCombo.SetCurSel(row);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PAGE_FORMAT, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(page.m_formatCombo.m_hWnd));
        EXPECT_EQ(c.volume, page.GetDlgItem(IDC_PAGE_CHANGE_VOLUME)->IsWindowEnabled() != FALSE)
            << static_cast<const char*>(CStringA(c.format));
    }
    page.DestroyWindow();
}

// A source chosen through the probe, then another dropped in its place: the run gets the
// dropped file's information, never the first file's.
TEST_F(TaskPages, ChangedSourceIsProbedAgainBeforeTheRun)
{
    TestPage<CConvertPage> page;
    ASSERT_TRUE(OpenWithSource(page, IDD_CONVERT_PAGE, L"clip.mp4"));
    ASSERT_STREQ(Media(L"clip.mp4").c_str(), page.m_sourcePath);
    EXPECT_EQ(1, page.m_bSourceHasVideo);

    page.Drop({Media(L"tone.wav")});
    page.CollectData();
    page.FillTask(page.m_record);
    EXPECT_STREQ(Media(L"tone.wav").c_str(), page.m_record.m_inputs.m_mainPath);
    EXPECT_EQ(0, page.m_record.m_inputs.m_mainInfo.VideoStreams.GetSize());
    EXPECT_EQ(0, page.m_bSourceHasVideo);
    EXPECT_EQ(1, page.m_bSourceHasAudio);
    page.DestroyWindow();
}

TEST_F(TaskPages, NotAMediaFileIsRefusedAtChoice)
{
    std::wstring text = m_out / L"notes.mp4";
    CloseHandle(CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    TestPage<CConvertPage> page;
    Open(page, IDD_CONVERT_PAGE);
    ASSERT_EQ(0, page.SetSource(text.c_str()));
    ASSERT_TRUE(WaitIdle(page));
    EXPECT_TRUE(page.m_sourcePath.IsEmpty());
    ASSERT_EQ(1u, page.Messages().size());
    EXPECT_NE(std::wstring::npos, page.Messages()[0].find(L"is not a valid video or audio file."));
    page.DestroyWindow();
}

// The whole road from the page: a clip to MP3 with a louder volume, through the encoder.
TEST_F(TaskPages, ConvertsAClipToMp3)
{
    TestPage<CConvertPage> page;
    ASSERT_TRUE(OpenWithSource(page, IDD_CONVERT_PAGE, L"clip.mp4"));
    ASSERT_GE(page.SelectFormatById(L"AF_mp3"), 0);
    page.m_destinationCombo.SetPathText(m_out.Path().c_str());
    page.CheckDlgButton(IDC_PAGE_CHANGE_VOLUME, BST_CHECKED);
    page.SendDlgItemMessage(IDC_PAGE_VOLUME, TBM_SETPOS, TRUE, 150);
    page.Click(IDC_PAGE_START);
    ASSERT_TRUE(page.m_pThread);
    ASSERT_TRUE(WaitIdle(page));
    EXPECT_TRUE(page.Messages().empty());
    EXPECT_EQ(TASK_STATE_COMPLETED, page.m_record.m_progress.m_state);
    EXPECT_EQ(150, page.m_record.m_options.m_volume);
    EXPECT_STREQ(L"Completed.", page.ProgressText());
    std::wstring output = m_out / L"clip.mp3";
    CMediaInfo info;
    ASSERT_EQ(0, info.Probe(output.c_str(), nullptr));
    EXPECT_STREQ(L"mp3", info.Format);
    EXPECT_EQ(1, info.AudioStreams.GetSize());
    EXPECT_FALSE(tooltest::FileExists(m_out / L"[converting] clip.mp3"));
    ASSERT_GE(theConversionRecentLists.m_inputFiles.GetCount(), 1);
    EXPECT_STREQ(Media(L"clip.mp4").c_str(), theConversionRecentLists.m_inputFiles.GetAt(0));
    // The destination is a recent folder now: the combo offers it, then the clearing entry,
    // which empties the list and the combo.
    CMRUList& folders = theConversionRecentLists.m_outputFolders;
    ASSERT_EQ(1, folders.GetCount());
    EXPECT_STREQ(m_out.Path().c_str(), folders.GetAt(0));
    CRecentDropComboBoxEx& combo = page.m_destinationCombo;
    ASSERT_EQ(2, combo.GetCount());
    EXPECT_STREQ(m_out.Path().c_str(), combo.GetItemText(0));
    EXPECT_STREQ(L"Clear Recent List", combo.GetItemText(1));
    combo.SetCurSel(1);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PAGE_DESTINATION, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(combo.m_hWnd));
    EXPECT_EQ(0, folders.GetCount());
    EXPECT_EQ(0, combo.GetCount());
    EXPECT_STREQ(L"", combo.GetText());
    page.DestroyWindow();
}

// Cut times are typed into the masked edits, digits only, and reach the run as milliseconds.
TEST_F(TaskPages, TypedCutTimesReachTheTask)
{
    TestPage<CConvertPage> page;
    ASSERT_TRUE(OpenWithSource(page, IDD_CONVERT_PAGE, L"clip.mp4"));
    // The probe sets the whole clip, padded.
    EXPECT_STREQ(L"00:00:00.000", page.ItemText(IDC_PAGE_CUT_START));
    EXPECT_EQ(12, page.ItemText(IDC_PAGE_CUT_END).GetLength());
    EXPECT_EQ(page.m_record.m_inputs.m_mainDuration / 1000, page.m_cutEndEdit.GetTime());
    page.CheckDlgButton(IDC_PAGE_CUT, BST_CHECKED);
    page.Click(IDC_PAGE_CUT);
    auto type = [](CTimeEdit& edit, const wchar_t* keys) {
        edit.SendMessage(EM_SETSEL, 0, 0);
        for (const wchar_t* key = keys; *key; key++)
            edit.SendMessage(WM_CHAR, *key, 1);
    };
    type(page.m_cutStartEdit, L"00a0001500");
    type(page.m_cutEndEdit, L"00:00:03250");
    EXPECT_STREQ(L"00:00:01.500", page.ItemText(IDC_PAGE_CUT_START));
    EXPECT_STREQ(L"00:00:03.250", page.ItemText(IDC_PAGE_CUT_END));
    page.CollectData();
    page.FillTask(page.m_record);
    EXPECT_EQ(1500, page.m_record.m_options.m_cutStart);
    EXPECT_EQ(3250, page.m_record.m_options.m_cutEnd);
    page.DestroyWindow();
}

// A video path typed into the merge page's combo names the output after the file.
TEST_F(TaskPages, MergeNamesTheOutputAfterATypedVideo)
{
    TestPage<CMergePage> page;
    Open(page, IDD_MERGE_PAGE);
    page.m_videoCombo.GetEditCtrl()->SetWindowText(Media(L"clip.mp4").c_str());
    EXPECT_STREQ(L"clip.mp4", page.ItemText(IDC_PAGE_OUTPUT_NAME));
    page.CollectData();
    EXPECT_STREQ(Media(L"clip.mp4").c_str(), page.m_videoPath);
    page.DestroyWindow();
}

TEST_F(TaskPages, StopEndsTheRunWithoutLeftovers)
{
    TestPage<CConvertPage> page;
    ASSERT_NO_FATAL_FAILURE(StartMp3Run(page, L"long.mp4", m_out.Path()));
    ASSERT_TRUE(PumpUntil([&] { return page.ProgressText().Find(L"Converting:") == 0; }, 60000));
    page.Click(IDC_PAGE_STOP);
    EXPECT_FALSE(page.m_pThread);
    // What the run reported while Stop waited is shown afterwards.
    PumpUntil([&] { return page.ProgressText() == L"Canceled."; }, kTestWaitMs);
    EXPECT_EQ(TASK_STATE_CANCELED, page.m_record.m_progress.m_state);
    EXPECT_STREQ(L"Canceled.", page.ProgressText());
    EXPECT_TRUE(tooltest::ChildGoneWithin(GetCurrentProcessId(), L"ClipConverter.exe", 15000));
    EXPECT_FALSE(tooltest::FileExists(m_out / L"long.mp3"));
    EXPECT_FALSE(tooltest::FileExists(m_out / L"[converting] long.mp3"));
    page.DestroyWindow();
}

// Closing the window while the encoder runs: the page stops the run and waits for it, and
// neither a tool nor a part of the output is left.
TEST_F(TaskPages, ClosingDuringARunStopsIt)
{
    TestPage<CConvertPage> page;
    ASSERT_NO_FATAL_FAILURE(StartMp3Run(page, L"long.mp4", m_out.Path()));
    ASSERT_TRUE(PumpUntil([&] { return page.ProgressText().Find(L"Converting:") == 0; }, 60000));
    m_parent.DestroyWindow();
    EXPECT_FALSE(page.m_pThread);
    EXPECT_FALSE(tooltest::ChildStillRunning(GetCurrentProcessId(), L"ClipConverter.exe"));
    EXPECT_FALSE(tooltest::FileExists(m_out / L"long.mp3"));
    EXPECT_FALSE(tooltest::FileExists(m_out / L"[converting] long.mp3"));
}

// An output that exists, with the policy "ask": the question comes up from the run's thread
// with a free name proposed, and OK converts under that name.
TEST_F(TaskPages, ExistingOutputIsAskedAboutFromTheRun)
{
    std::wstring existing = m_out / L"clip.mp3";
    CloseHandle(CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CConversionSettings settings;
    CFileExistsPrompt prompt(settings);
    SetFileExistsPrompt(&prompt);
    TestPage<CConvertPage> page;
    ASSERT_NO_FATAL_FAILURE(StartMp3Run(page, L"clip.mp4", m_out.Path()));
    CString proposed;
    bool answered = PumpUntil(
        [&] {
            HWND hDlg = FindWindowW(nullptr, L"File already exists");
            if (!hDlg)
                return false;
            wchar_t title[MAX_PATH] = {};
            GetDlgItemTextW(hDlg, IDC_NEW_TITLE, title, MAX_PATH);
            if (!IsWindowVisible(hDlg) || !title[0])
                return false;  // not shown yet
            proposed = title;
            PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
            return true;
        },
        60000);
    ASSERT_TRUE(WaitIdle(page));
    SetFileExistsPrompt(nullptr);
    ASSERT_TRUE(answered);
    EXPECT_STREQ(L"clip (1)", proposed);
    EXPECT_EQ(TASK_STATE_COMPLETED, page.m_record.m_progress.m_state);
    EXPECT_TRUE(tooltest::FileExists(m_out / L"clip (1).mp3"));
    EXPECT_EQ(0, tooltest::FileSize(existing));
    page.DestroyWindow();
}

// The question's auto close, as the settings configure it: on, the dialog answers by itself
// with the choice it shows once its countdown runs out (the clock is hurried along by extra
// ticks); off, it waits for the user however long the countdown would have run.
TEST_F(TaskPages, ExistingOutputAutoCloseAnswersAsConfigured)
{
    struct Case {
        const char* name;
        int autoClose;
        UINT choice;             // the radio checked before the countdown ends; 0 keeps the proposed name
        const wchar_t* written;  // the output the run writes; empty for none
    };
    const Case cases[] = {
        {"on, the proposed name", 1, 0, L"clip (1).mp3"},
        {"on, overwrite chosen", 1, IDC_ACTION_OVERWRITE, L"clip.mp3"},
        {"off", 0, 0, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder out;
        std::wstring existing = out / L"clip.mp3";
        CloseHandle(CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        CConversionSettings settings;
        settings.SetAutoCloseOverwriteDlg(c.autoClose);
        CFileExistsPrompt prompt(settings);
        SetFileExistsPrompt(&prompt);
        TestPage<CConvertPage> page;
        ASSERT_NO_FATAL_FAILURE(StartMp3Run(page, L"clip.mp4", out.Path()));
        HWND hDlg = nullptr;
        PumpUntil(
            [&] {
                hDlg = FindWindowW(nullptr, L"File already exists");
                return hDlg && IsWindowVisible(hDlg);
            },
            60000);
        ASSERT_TRUE(hDlg);
        if (c.choice) {
            SendDlgItemMessageW(hDlg, IDC_ACTION_NEW_NAME, BM_SETCHECK, BST_UNCHECKED, 0);
            SendDlgItemMessageW(hDlg, c.choice, BM_SETCHECK, BST_CHECKED, 0);
        }
        // The dialog's own clock runs only when the box is on.
        auto countdownText = [hDlg] {
            wchar_t text[64] = {};
            GetDlgItemTextW(hDlg, IDC_AUTO_CLOSE, text, 64);
            return std::wstring(text);
        };
        bool ticked = PumpUntil([&] { return countdownText() == L"Auto close in 00:19"; }, 2500);
        EXPECT_EQ(c.autoClose != 0, ticked);
        for (int tick = 0; tick < 20; tick++)
            PostMessageW(hDlg, WM_TIMER, CAutoCloseDlg::kTimerId, 0);
        bool closed = PumpUntil([hDlg] { return !IsWindow(hDlg); }, 5000);
        EXPECT_EQ(c.autoClose != 0, closed);
        if (!closed)
            PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitIdle(page));
        SetFileExistsPrompt(nullptr);
        EXPECT_EQ(c.autoClose, settings.GetAutoCloseOverwriteDlg());
        if (*c.written) {
            EXPECT_EQ(TASK_STATE_COMPLETED, page.m_record.m_progress.m_state);
            EXPECT_GT(tooltest::FileSize(out / c.written), 0);
        } else {
            EXPECT_NE(TASK_STATE_COMPLETED, page.m_record.m_progress.m_state);
            EXPECT_EQ(0, tooltest::FileSize(existing));
        }
        EXPECT_EQ(c.choice == IDC_ACTION_OVERWRITE, tooltest::FileSize(existing) > 0);
        EXPECT_EQ(std::wstring(c.written) == L"clip (1).mp3", tooltest::FileExists(out / L"clip (1).mp3"));
        page.DestroyWindow();
    }
}

// The view's tools: an index out of range shows the first tool, and a page larger than the view
// stays at the top-left of the page area instead of being centred off it.
TEST_F(TaskPages, ViewShowsTheFirstToolForABadIndexAndAnchorsLargePages)
{
    CConversionView* pView = new CConversionView;  // deleted with its window
    ASSERT_TRUE(pView->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &m_parent, AFX_IDW_PANE_FIRST));
    pView->OnInitialUpdate();
    ASSERT_EQ(5, pView->m_tools.GetSize());
    EXPECT_EQ(0, pView->ShowPage(7));
    EXPECT_STREQ(L"Merge separate video and audio files into a single file.", pView->GetCurrentDescription());
    CConversionPage* pPage = pView->m_tools[0]->m_pPage;
    ASSERT_NE(nullptr, pPage);
    // The parent is hidden: the pages' own visibility is their style.
    EXPECT_TRUE(pPage->GetStyle() & WS_VISIBLE);
    CRect page;
    pPage->GetWindowRect(&page);
    pView->ScreenToClient(&page);
    EXPECT_EQ(CPoint(0, 12), page.TopLeft());
    EXPECT_EQ(0, pView->ShowPage(4));
    EXPECT_FALSE(pPage->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(pView->m_tools[4]->m_pPage->GetStyle() & WS_VISIBLE);
    pView->DestroyWindow();
}

// A video and an audio file merged from the page; Play hands the output, quoted, to the player
// or to the file's own program.
TEST_F(TaskPages, MergesVideoAndAudioAndPlaysTheOutput)
{
    TestPage<CMergePage> page;
    Open(page, IDD_MERGE_PAGE);
    ASSERT_EQ(0, page.SetVideo(Media(L"clip.mp4").c_str()));
    ASSERT_TRUE(WaitIdle(page));
    ASSERT_EQ(0, page.SetAudio(Media(L"tone.wav").c_str()));
    ASSERT_TRUE(WaitIdle(page));
    page.m_destinationCombo.SetPathText(m_out.Path().c_str());
    page.SetDlgItemText(IDC_PAGE_OUTPUT_NAME, L"merged");
    page.Click(IDC_PAGE_START);
    ASSERT_TRUE(WaitIdle(page));
    EXPECT_TRUE(page.Messages().empty());
    ASSERT_EQ(TASK_STATE_COMPLETED, page.m_record.m_progress.m_state);
    std::wstring output = static_cast<LPCWSTR>(page.m_record.m_output.m_path);
    CMediaInfo info;
    ASSERT_EQ(0, info.Probe(output.c_str(), nullptr));
    EXPECT_EQ(1, info.VideoStreams.GetSize());
    EXPECT_EQ(1, info.AudioStreams.GetSize());
    // Both sources are recent files now, offered by their combos; one picked from the list
    // names the output again.
    EXPECT_STREQ(Media(L"clip.mp4").c_str(), theConversionRecentLists.m_inputVideoFiles.GetAt(0));
    EXPECT_STREQ(Media(L"clip.mp4").c_str(), page.m_videoCombo.GetItemText(0));
    EXPECT_STREQ(Media(L"tone.wav").c_str(), page.m_audioCombo.GetItemText(0));
    EXPECT_STREQ(L"Clear Recent List", page.m_audioCombo.GetItemText(page.m_audioCombo.GetCount() - 1));
    page.m_videoCombo.SetCurSel(0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PAGE_VIDEO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(page.m_videoCombo.m_hWnd));
    EXPECT_STREQ(L"clip.mp4", page.ItemText(IDC_PAGE_OUTPUT_NAME));

    CShellCalls saved = ShellCalls();
    ShellCalls().pfnShellExecute = RecordShellExecute;
    page.Click(IDC_PAGE_PLAY);
    ShellCalls() = saved;
    EXPECT_EQ(L"\"" + output + L"\"", PathFileExistsW(GetPlayerPath()) ? g_launchedParameters : g_launchedFile);
    page.DestroyWindow();
}

// Segments joined in the sorted order: the output lasts as long as both together.
TEST_F(TaskPages, ConcatenatesDroppedSegments)
{
    TestPage<CConcatenatePage> page;
    Open(page, IDD_CONCATENATE_PAGE);
    page.Drop({Media(L"seg2.ts"), Media(L"seg1.ts")});
    ASSERT_EQ((std::vector<std::wstring>{L"seg1.ts", L"seg2.ts"}), RowNames(page));
    EXPECT_STREQ(L"seg", page.ItemText(IDC_PAGE_OUTPUT_NAME));
    page.m_destinationCombo.SetPathText(m_out.Path().c_str());
    page.Click(IDC_PAGE_START);
    ASSERT_TRUE(WaitIdle(page));
    EXPECT_TRUE(page.Messages().empty());
    ASSERT_EQ(TASK_STATE_COMPLETED, page.m_record.m_progress.m_state);
    CMediaInfo info;
    ASSERT_EQ(0, info.Probe(page.m_record.m_output.m_path, nullptr));
    EXPECT_NEAR(5.0, info.DurationInUs / 1e6, 0.3);
    page.DestroyWindow();
}

// A local HLS playlist of several segments converted to MP4: every segment is in the output.
TEST_F(TaskPages, ConvertsAnHlsPlaylistToMp4)
{
    TestPage<CM3U8Page> page;
    ASSERT_TRUE(OpenWithSource(page, IDD_M3U8_PAGE, L"stream.m3u8"));
    ASSERT_TRUE(page.Messages().empty());
    ASSERT_GE(page.SelectFormatById(L"VF_mp4"), 0);
    page.m_destinationCombo.SetPathText(m_out.Path().c_str());
    page.Click(IDC_PAGE_START);
    ASSERT_TRUE(WaitIdle(page));
    EXPECT_TRUE(page.Messages().empty());
    ASSERT_EQ(TASK_STATE_COMPLETED, page.m_record.m_progress.m_state);
    CMediaInfo info;
    ASSERT_EQ(0, info.Probe(page.m_record.m_output.m_path, nullptr));
    EXPECT_STREQ(L".mp4", PathFindExtensionW(page.m_record.m_output.m_path));
    EXPECT_NEAR(6.0, info.DurationInUs / 1e6, 0.3);
    page.DestroyWindow();
}

}  // namespace
