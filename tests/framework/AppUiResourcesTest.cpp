// The shared drawing resources: the four fonts by the programs' font rule, a
// program's own set in place of the framework's, the hand cursor and the link colours.
#include "framework/controls/AppUiResources.h"
#include <gtest/gtest.h>

namespace {

LOGFONTW LogFontOf(CFont* pFont)
{
    LOGFONTW lf = {};
    if (pFont)
        pFont->GetLogFont(&lf);
    return lf;
}

TEST(AppUiResourcesTest, TheBaseIsTahomaOfTheRuleHeight)
{
    LOGFONTW stock = {};
    ASSERT_EQ(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock), static_cast<int>(sizeof(stock)));
    LOGFONTW lf = {};
    ASSERT_TRUE(GetAppBaseLogFont(lf));
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    if (lstrcmpW(stock.lfFaceName, L"Tahoma") == 0) {
        EXPECT_EQ(lf.lfHeight, stock.lfHeight);
    } else {
        EXPECT_EQ(lf.lfHeight, -11);
    }
}

TEST(AppUiResourcesTest, TheFourFontsFollowTheRule)
{
    CAppFontSet fonts;
    ASSERT_TRUE(fonts.Create());
    LOGFONTW base = {};
    GetAppBaseLogFont(base);
    LOGFONTW normal = LogFontOf(fonts.Get(AppFontNormal));
    LOGFONTW underline = LogFontOf(fonts.Get(AppFontUnderline));
    LOGFONTW bold = LogFontOf(fonts.Get(AppFontBold));
    LOGFONTW large = LogFontOf(fonts.Get(AppFontLargeBold));
    EXPECT_EQ(normal.lfHeight, base.lfHeight);
    EXPECT_STREQ(normal.lfFaceName, L"Tahoma");
    EXPECT_EQ(normal.lfUnderline, 0);
    EXPECT_EQ(underline.lfUnderline, 1);
    EXPECT_EQ(underline.lfWeight, normal.lfWeight);
    EXPECT_EQ(bold.lfWeight, 700);
    EXPECT_EQ(bold.lfUnderline, 0);
    EXPECT_EQ(large.lfWeight, 700);
    EXPECT_EQ(large.lfHeight, base.lfHeight + base.lfHeight / 2);
    if (base.lfHeight == -11) {
        EXPECT_EQ(large.lfHeight, -16);
    }
    fonts.Delete();
    EXPECT_FALSE(fonts.IsCreated());
    EXPECT_EQ(fonts.Get(AppFontBold), nullptr);
}

TEST(AppUiResourcesTest, TheFrameworkMakesItsOwnSetUntilTheProgramGivesOne)
{
    CFont* pOwn = GetAppFont(AppFontBold);
    ASSERT_NE(pOwn, nullptr);
    EXPECT_EQ(GetAppFont(AppFontBold), pOwn);
    EXPECT_EQ(LogFontOf(pOwn).lfWeight, 700);

    CAppFontSet program;
    ASSERT_TRUE(program.Create());
    SetAppFontSet(&program);
    EXPECT_EQ(GetAppFont(AppFontBold), &program.m_bold);
    EXPECT_EQ(GetAppFont(AppFontNormal), &program.m_normal);
    SetAppFontSet(nullptr);
    EXPECT_EQ(GetAppFont(AppFontBold), pOwn);

    // Freed at exit, made again when asked once more.
    FreeAppUiResources();
    CFont* pAgain = GetAppFont(AppFontUnderline);
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(LogFontOf(pAgain).lfUnderline, 1);
}

TEST(AppUiResourcesTest, TheHandCursorIsTheProgramsOrTheSystems)
{
    HCURSOR hSystem = LoadCursorW(nullptr, IDC_HAND);
    EXPECT_EQ(GetAppHandCursor(), hSystem);
    HCURSOR hOwn = LoadCursorW(nullptr, IDC_CROSS);
    SetAppHandCursor(hOwn);
    EXPECT_EQ(GetAppHandCursor(), hOwn);
    SetAppHandCursor(nullptr);
    EXPECT_EQ(GetAppHandCursor(), hSystem);
}

TEST(AppUiResourcesTest, LinkColoursDefaultToBlueAndRed)
{
    EXPECT_EQ(GetAppLinkColor(), static_cast<COLORREF>(0xFF0000));
    EXPECT_EQ(GetAppLinkHoverColor(), static_cast<COLORREF>(0x0000FF));
    SetAppLinkColors(RGB(1, 2, 3), RGB(4, 5, 6));
    EXPECT_EQ(GetAppLinkColor(), RGB(1, 2, 3));
    EXPECT_EQ(GetAppLinkHoverColor(), RGB(4, 5, 6));
    SetAppLinkColors(0xFF0000, 0x0000FF);
}

}  // namespace
