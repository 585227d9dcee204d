// The time label's four forms, its widths and its colours, and the player's sliders: the seek
// slider's range in microseconds, the volume slider's clamp, and both drawn from image lists.
#include "player/windows/CImageSliderItem.h"
#include "player/windows/CTimeLabelItem.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/WindowHarness.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::wstring Text(const CTimeLabelItem& label)
{
    return std::wstring(label.GetText());
}

TEST(TimeLabel, TextByDurationPositionAndClicks)
{
    struct Case {
        const char* name;
        int duration;
        int position;
        int clicks;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"hours in the duration only", 3725400, 61000, 0, L"01:01.0 / 01:02:05.4"},
        {"hours in both", 7200000, 3723400, 0, L"01:02:03.4 / 02:00:00.0"},
        {"remaining with hours", 3725400, 61000, 1, L"-01:01:04.4 / 01:02:05.4"},
        {"under ten seconds", 8500, 3200, 0, L"3.2 / 8.5"},
        {"under ten seconds, remaining", 8500, 3200, 1, L"-5.3 / 8.5"},
        {"under ten seconds, position alone", 8500, 3200, 2, L"3.2"},
        {"under ten seconds, remaining alone", 8500, 3200, 3, L"-5.3"},
        {"four clicks come back", 8500, 3200, 4, L"3.2 / 8.5"},
        {"nothing loaded", 0, 0, 0, L"00:00 / 00:00"},
        {"nothing loaded, remaining", 0, 0, 1, L"-00:00 / 00:00"},
        {"nothing loaded, position alone", 0, 0, 2, L"00:00"},
        {"nothing loaded, remaining alone", 0, 0, 3, L"-00:00"},
        {"remaining under 100 ms has no minus", 60000, 59950, 1, L"00:00.0 / 01:00.0"},
        {"position past the end leaves nothing to go", 60000, 61500, 1, L"00:00.0 / 01:00.0"},
        {"position past the end, remaining alone", 60000, 75000, 3, L"00:00.0"},
        {"a duration under 100 ms is not shown", 50, 20, 0, L"0.0"},
        {"an unknown duration shows the position", 0, 125300, 0, L"125.3"},
    };
    for (const Case& c : cases) {
        CBarItemContainer owner(nullptr);
        CTimeLabelItem label(&owner, 32815);
        label.SetDuration(c.duration);
        label.SetPosition(c.position);
        for (int i = 0; i < c.clicks; ++i)
            label.ToggleTimeMode();
        EXPECT_EQ(std::wstring(c.text), Text(label)) << c.name;
    }
}

TEST(TimeLabel, MicrosecondsAreTruncatedAndANewDurationRestartsThePosition)
{
    CBarItemContainer owner(nullptr);
    CTimeLabelItem label(&owner, 32815);
    label.SetDurationUs(8599999);
    label.SetPositionUs(3299999);
    EXPECT_EQ(8599, label.m_nDuration);
    EXPECT_EQ(3299, label.m_nPosition);
    EXPECT_EQ(L"3.2 / 8.5", Text(label));
    label.SetDuration(20000);
    EXPECT_EQ(0, label.m_nPosition);
    EXPECT_EQ(L"00:00.0 / 00:20.0", Text(label));
}

TEST(TimeLabel, PreferredWidthByFormAndLength)
{
    struct Case {
        const char* name;
        int duration;
        int position;
        int clicks;
        int width;
    };
    const Case cases[] = {
        {"nothing loaded", 0, 0, 0, 96},
        {"nothing loaded, position alone", 0, 0, 2, 48},
        {"short media", 60000, 1000, 0, 96},
        {"short media, remaining", 60000, 1000, 1, 96},
        {"short media, position alone", 60000, 1000, 2, 48},
        {"an hour", 3600000, 1000, 0, 128},
        {"an hour, position alone", 3600000, 1000, 2, 64},
        {"unknown duration", 0, 5000, 0, 48},
    };
    for (const Case& c : cases) {
        CBarItemContainer owner(nullptr);
        CTimeLabelItem label(&owner, 32815);
        label.SetDuration(c.duration);
        label.SetPosition(c.position);
        for (int i = 0; i < c.clicks; ++i)
            label.ToggleTimeMode();
        EXPECT_EQ(c.width, label.GetPreferredWidth()) << c.name;
    }
}

// A font wider than the fixed widths assume still shows the whole text, and the width holds
// while the digits change.
TEST(TimeLabel, AWideFontWidensTheLabelToItsText)
{
    HFONT hWide = CreateFontW(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    ASSERT_TRUE(hWide != nullptr);
    CBarItemContainer owner(nullptr);
    CTimeLabelItem label(&owner, 32815);
    label.m_hFont = hWide;
    label.SetDuration(40000);
    label.SetPosition(14500);
    HDC hDC = GetDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, hWide);
    SIZE size = {};
    GetTextExtentPoint32W(hDC, label.m_strText, label.m_strText.GetLength(), &size);
    SelectObject(hDC, hOld);
    ReleaseDC(nullptr, hDC);
    ASSERT_GT(size.cx, 96) << "the font is not wide enough to show the fault";
    int nWidth = label.GetPreferredWidth();
    EXPECT_GE(nWidth, size.cx + 4) << "two pixels of margin on each side";
    label.SetPosition(11100);
    EXPECT_EQ(nWidth, label.GetPreferredWidth());
    DeleteObject(hWide);
}

class SliderDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateParent());
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 0, 300, 24), &m_parent, 0xE805));
        // Channel, filled channel, hot thumb, pressed thumb; caps.
        MakeColourImages(m_images, 10, 24, {kEmpty, kFilled, kHot, kPressed});
        MakeColourImages(m_caps, 3, 24, {kLeftCap, kRightCap});
    }
    void TearDown() override { PumpMessages(); }

    // The colours along the channel's middle row.
    std::wstring Row(CBarItem& item)
    {
        DibCanvas canvas(120, 24);
        item.Draw(&canvas.m_dc);
        std::wstring row;
        for (int x = 0; x < 120; ++x) {
            COLORREF c = canvas.At(x, 12);
            row += c == kEmpty      ? L'e'
                   : c == kFilled   ? L'f'
                   : c == kHot      ? L'h'
                   : c == kPressed  ? L'p'
                   : c == kLeftCap  ? L'<'
                   : c == kRightCap ? L'>'
                                    : L'.';
        }
        return row;
    }

    static constexpr COLORREF kEmpty = RGB(40, 40, 40);
    static constexpr COLORREF kFilled = RGB(0, 200, 100);
    static constexpr COLORREF kHot = RGB(240, 240, 240);
    static constexpr COLORREF kPressed = RGB(200, 0, 0);
    static constexpr COLORREF kLeftCap = RGB(1, 2, 3);
    static constexpr COLORREF kRightCap = RGB(3, 2, 1);

    RecordingParent m_parent;
    CItemBar m_bar;
    CImageList m_images;
    CImageList m_caps;
};

TEST_F(SliderDrawing, SeekSliderFillsInSegmentsBetweenItsCaps)
{
    auto* seek = new CSeekSliderItem(&m_bar.Items());
    m_bar.AddItem(seek);
    seek->SetThumbImageList(&m_images);
    seek->SetEndImageList(&m_caps);
    seek->SetRect(0, 0, 110, 24, FALSE);
    seek->SetRangeUs(100000000);  // 100 s over a 100-pixel channel (5..105)
    seek->SetPositionUs(20000000, FALSE);
    std::wstring row = Row(*seek);
    // 4-pixel tiles one pixel apart up to the thumb at x 25; no thumb while neither hot nor
    // pressed; the caps at the ends (the right one 3 pixels in from the channel's end).
    EXPECT_EQ(L".....<<<fe", row.substr(0, 10));
    EXPECT_EQ(L"effffeffffeff", row.substr(9, 13));
    EXPECT_EQ(L"eeeee", row.substr(25, 5));
    EXPECT_EQ(L">>>", row.substr(102, 3));
    EXPECT_EQ(std::wstring::npos, row.find(L'h'));
    m_bar.Items().SetHotItem(seek);
    row = Row(*seek);
    EXPECT_EQ(L"hhhhhhhhhh", row.substr(20, 10));
    m_bar.Items().SetPressedItem(seek);
    EXPECT_EQ(L"pppppppppp", Row(*seek).substr(20, 10));
}

TEST_F(SliderDrawing, VolumeSliderFillsSolidAndClampsItsValue)
{
    auto* volume = new CVolumeSliderItem(&m_bar.Items());
    m_bar.AddItem(volume);
    volume->SetThumbImageList(&m_images);
    volume->SetRect(0, 0, 110, 24, FALSE);
    struct Case {
        int value;
        int position;
    };
    for (Case c : {Case{-5, 0}, Case{50, 50}, Case{130, 100}}) {
        EXPECT_EQ(1, volume->SetVolume(c.value));
        EXPECT_EQ(c.position, volume->GetPos()) << c.value;
    }
    volume->SetVolume(50);
    std::wstring row = Row(*volume);
    EXPECT_EQ(std::wstring(50, L'f'), row.substr(5, 50));
    EXPECT_EQ(std::wstring(50, L'e'), row.substr(55, 50));
}

TEST_F(SliderDrawing, SeekSliderIsEnabledFrom100Milliseconds)
{
    auto* seek = new CSeekSliderItem(&m_bar.Items());
    m_bar.AddItem(seek);
    struct Case {
        LONGLONG us;
        BOOL enabled;
    };
    for (Case c : {Case{0, FALSE}, Case{99999, FALSE}, Case{100000, TRUE}, Case{7200000000LL, TRUE}, Case{0, FALSE}}) {
        seek->SetRangeUs(c.us);
        EXPECT_EQ(!c.enabled, seek->IsDisabled()) << c.us;
        EXPECT_EQ(static_cast<int>(c.us / 1000), seek->m_nMax) << c.us;
    }
}

}  // namespace
