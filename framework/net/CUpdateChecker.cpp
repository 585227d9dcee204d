#include "framework/net/CUpdateChecker.h"
#include "framework/net/CHttpClient.h"
#include "framework/net/VersionCompare.h"
#include "framework/system/ShellCalls.h"
#include <shellapi.h>
#include <pugixml.hpp>

namespace {

CUpdateCheckUI* g_pUpdateCheckUI = nullptr;

// The download page is opened by the shell, so only web addresses are taken from the manifest.
bool IsWebAddress(const CString& url)
{
    return url.Left(7).CompareNoCase(L"http://") == 0 || url.Left(8).CompareNoCase(L"https://") == 0;
}

CString TrimmedText(const pugi::xml_node& node)
{
    CString text(node.child_value());
    text.Trim();
    return text;
}

// "DownloadURL", else "URL"; an address that is not a web address counts as missing.
CString ReadDownloadUrl(const pugi::xml_node& app)
{
    for (LPCWSTR pszName : {L"DownloadURL", L"URL"}) {
        CString url = TrimmedText(app.child(pszName));
        if (IsWebAddress(url))
            return url;
    }
    return CString();
}

}  // namespace

void CUpdateCheckUI::OpenDownloadPage(LPCWSTR pszUrl)
{
    ShellCalls().pfnShellExecute(nullptr, L"open", pszUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

void SetUpdateCheckUI(CUpdateCheckUI* pUI)
{
    g_pUpdateCheckUI = pUI;
}

CUpdateCheckUI* GetUpdateCheckUI()
{
    return g_pUpdateCheckUI;
}

CUpdateChecker::CUpdateChecker(LPCWSTR pszManifestUrl, LPCWSTR pszAppElement, LPCWSTR pszCurrentVersion,
                               int nAutoCheck, BOOL bAutomatic)
    : m_strManifestUrl(pszManifestUrl),
      m_strAppElement(pszAppElement),
      m_strCurrentVersion(pszCurrentVersion),
      m_nAutoCheck(nAutoCheck),
      m_bAutomatic(bAutomatic)
{
}

int CUpdateChecker::Run()
{
    m_nState = StateUndecided;
    m_nError = 0;
    CUpdateCheckUI* pUI = GetUpdateCheckUI();
    if (m_bAutomatic || !pUI)
        Check();
    else
        pUI->RunCheckingDialog(*this);
    if (m_nCancel)
        return 1;
    if (m_nState != StateNewer || !pUI)
        return 0;
    if (pUI->ShowNewVersionDialog(*this) != IDOK)
        return 0;
    pUI->OpenDownloadPage(m_strDownloadUrl);
    return 1;
}

int CUpdateChecker::Check()
{
    if (DownloadAndParse() != 0) {
        m_nError = -1;
        return -1;
    }
    int c = CompareVersionStrings(m_strNewVersion, m_strCurrentVersion);
    m_nState = c > 0 ? StateNewer : (c == 0 ? StateSame : StateOlder);
    return 0;
}

int CUpdateChecker::DownloadAndParse()
{
    CStringA bytes;
    if (DownloadManifest(bytes) != 0)
        return -1;
    return ParseUpdateXml(bytes);
}

int CUpdateChecker::DownloadManifest(CStringA& bytes)
{
    CHttpClient client;
    client.m_pCancelFlag = &m_nCancel;
    client.m_bReload = true;
    client.m_bNoCache = true;
    return client.GetToString(m_strManifestUrl, bytes) == 0 ? 0 : -1;
}

int CUpdateChecker::ParseUpdateXml(const CStringA& bytes)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(static_cast<const char*>(bytes), static_cast<size_t>(bytes.GetLength())))
        return -1;
    pugi::xml_node app = doc.child(L"Updates").child(m_strAppElement);
    if (!app)
        return -1;
    CString version = app.attribute(L"Version").value();
    CString downloadUrl = ReadDownloadUrl(app);
    if (version.IsEmpty() || downloadUrl.IsEmpty())
        return -1;
    CString description = app.child(L"Description").child_value();
    description.Replace(L"\n", L"\r\n");

    m_strNewVersion = version;
    m_nLevel = app.attribute(L"Level").as_int(m_nLevel);
    m_strDownloadUrl = downloadUrl;
    m_strDescription = description;
    return 0;
}
