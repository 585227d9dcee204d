// The addresses the About box and the update check use, composed from the product's page name.
#include "framework/system/CProductAppSettings.h"
#include <gtest/gtest.h>

namespace {

class FixedChoices : public CProductAppSettings {
public:
    using CProductAppSettings::CProductAppSettings;
    int GetAutoCheckUpdate() const override { return 1; }
    void SetAutoCheckUpdate(int) override {}
    int GetAutoCheckUpdateDays() const override { return 1; }
    CMainWindowPlacement GetMainWindowPlacement() const override { return {}; }
    void SetMainWindowPlacement(const CMainWindowPlacement&) override {}
};

struct ProductCase {
    LPCWSTR name;
    LPCWSTR page;
    LPCWSTR pageUrl;
    LPCWSTR manifestUrl;
};

TEST(CProductAppSettings, AddressesFollowTheProductPage)
{
    const ProductCase cases[] = {
        {L"Kavri Video Player", L"kavri-video-player", L"https://www.kavri.example/kavri-video-player",
         L"https://www.kavri.example/kavri-video-player/update.xml"},
        {L"Kavri Media Fetcher", L"kavri-media-fetcher", L"https://www.kavri.example/kavri-media-fetcher",
         L"https://www.kavri.example/kavri-media-fetcher/update.xml"},
    };
    for (const ProductCase& c : cases) {
        FixedChoices settings(c.name, c.page);
        EXPECT_STREQ(c.name, settings.GetProductName());
        EXPECT_STREQ(c.pageUrl, settings.GetProductPageUrl());
        EXPECT_STREQ(c.manifestUrl, settings.GetUpdateManifestUrl());
        EXPECT_STREQ(L"https://www.kavri.example/", settings.GetWebSiteUrl());
        EXPECT_STREQ(L"7.3.0", settings.GetVersionText());
    }
}

}  // namespace
