// The texts both programs give the framework: the same version, maker and web site, the
// product's own name and its pages below the maker's site ("kavri-video-player").
#pragma once
#include "framework/system/IAppSettings.h"

class CProductAppSettings : public IAppSettings {
public:
    CProductAppSettings(LPCWSTR lpszProductName, LPCWSTR lpszPageName);

    CString GetVersionText() const override;
    CString GetSupportMailAddress() const override;
    CString GetProductName() const override;
    CString GetUpdateManifestUrl() const override;
    CString GetProductPageUrl() const override;
    CString GetWebSiteUrl() const override;

private:
    LPCWSTR m_productName;
    LPCWSTR m_pageName;
};
