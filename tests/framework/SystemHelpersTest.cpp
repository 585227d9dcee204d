#include "framework/system/COSInfo.h"
#include "framework/system/ShellHelpers.h"
#include "framework/system/SystemHelpers.h"
#include <gtest/gtest.h>
#include <wctype.h>

namespace {

TEST(SystemHelpers, GuidNamesAre32LowerCaseHexDigits)
{
    CString first, second;
    ASSERT_EQ(NewGuidString(first), 0);
    ASSERT_EQ(NewGuidString(second), 0);
    EXPECT_EQ(first.GetLength(), 32);
    for (int i = 0; i < first.GetLength(); i++)
        EXPECT_TRUE(iswdigit(first[i]) || (first[i] >= L'a' && first[i] <= L'f')) << static_cast<LPCWSTR>(first);
    EXPECT_NE(first, second);
}

TEST(SystemHelpers, ByteSizeTextAndMessageFilter)
{
    CString text = FormatByteSize(1536);
    EXPECT_NE(text.Find(L"KB"), -1) << static_cast<LPCWSTR>(text);
    EXPECT_NE(FormatByteSize(3LL * 1024 * 1024 * 1024).Find(L"GB"), -1);
    EXPECT_EQ(AllowCopyDataMessages(), 0);
}

TEST(SystemHelpers, VideosFolderExistsOnceMade)
{
    CString folder = GetMyVideosFolder(true);
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_NE(GetFileAttributesW(folder), INVALID_FILE_ATTRIBUTES);
}

TEST(COSInfo, OneRecordForTheProcess)
{
    COSInfo& info = COSInfo::Get();
    EXPECT_EQ(&info, &COSInfo::Get());
    EXPECT_EQ(info.m_version.dwOSVersionInfoSize, sizeof(OSVERSIONINFOW));
    EXPECT_TRUE(info.IsVistaOrLater());
    EXPECT_EQ(info.m_nBitness, 32);  // the test prefix is a 32-bit Windows

    bool bThemed = info.IsThemed();
    EXPECT_NE(info.m_nThemeActive, 0);
    EXPECT_NE(info.m_nAppThemed, 0);
    EXPECT_EQ(bThemed, info.m_nThemeActive == 1 && info.m_nAppThemed == 1);
    EXPECT_EQ(info.DetectVisualStyles(), 0);
    EXPECT_EQ(info.IsThemed(), bThemed);

    EXPECT_EQ(info.Init(), 0);
    EXPECT_EQ(info.m_nThemeActive, 0);  // detected again on the next question
    EXPECT_EQ(info.IsThemed(), bThemed);
}

}  // namespace
