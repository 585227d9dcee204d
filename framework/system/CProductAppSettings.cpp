#include "framework/system/CProductAppSettings.h"

CProductAppSettings::CProductAppSettings(LPCWSTR lpszProductName, LPCWSTR lpszPageName)
    : m_productName(lpszProductName), m_pageName(lpszPageName)
{
}

CString CProductAppSettings::GetVersionText() const
{
    return L"7.3.0";
}

CString CProductAppSettings::GetSupportMailAddress() const
{
    return L"support@kavri.example";
}

CString CProductAppSettings::GetProductName() const
{
    return m_productName;
}

CString CProductAppSettings::GetUpdateManifestUrl() const
{
    return GetProductPageUrl() + L"/update.xml";
}

CString CProductAppSettings::GetProductPageUrl() const
{
    return GetWebSiteUrl() + m_pageName;
}

CString CProductAppSettings::GetWebSiteUrl() const
{
    return L"https://www.kavri.example/";
}
