#include "framework/net/CHttpClient.h"
#include "framework/text/CMemoryStream.h"
#include "framework/text/CodePage.h"
#include "common/OwnedHandle.h"
#include <stdlib.h>
#include <string.h>

namespace {

const int kUrlPartLength = 4096;
// Certificates are checked in full: the update check must not take a "new version" from
// whoever stands between us and the server.
const DWORD kHttpsFlags = INTERNET_FLAG_SECURE;

// WinINet handles, declared in the order they are opened, so they close request first and
// session last.
struct InternetHandleTraits {
    typedef HINTERNET Type;
    static HINTERNET None() { return nullptr; }
    static void Close(HINTERNET hInternet) { InternetCloseHandle(hInternet); }
};
typedef UniqueHandle<InternetHandleTraits> CInternetHandle;

LPCWSTR NullWhenEmpty(const CString& str)
{
    return str.IsEmpty() ? nullptr : static_cast<LPCWSTR>(str);
}

}  // namespace

BYTE* CByteBuffer::Alloc(DWORD nSize)
{
    Free();
    if (nSize == 0)
        return nullptr;
    m_pData = static_cast<BYTE*>(calloc(nSize, 1));
    m_nSize = m_pData ? nSize : 0;
    return m_pData;
}

void CByteBuffer::Free()
{
    free(m_pData);
    m_pData = nullptr;
    m_nSize = 0;
}

// The sink and the cancel flag are the caller's and stay.
void CHttpClientBase::Reset()
{
    static_cast<CHttpRequestFields&>(*this) = CHttpRequestFields();
}

int CHttpClientBase::GetToString(LPCWSTR pszUrl, CStringA& strOut)
{
    m_strVerb = L"GET";
    m_strUrl = pszUrl;
    CMemoryStream stream(1024);
    int nResult = Execute(&stream);
    strOut = CStringA(reinterpret_cast<const char*>(stream.GetData()), static_cast<int>(stream.GetSize()));
    return nResult;
}

int CHttpClientBase::GetToText(LPCWSTR pszUrl, CString& strOut)
{
    CStringA bytes;
    int nResult = GetToString(pszUrl, bytes);
    AnsiToWide(bytes, strOut);
    return nResult;
}

int CHttpClient::CrackUrl(LPCWSTR pszUrl, int* pnScheme, CString& strHost, int* pnPort, CString& strPath)
{
    CString url(pszUrl);
    int nFragment = url.Find(L'#');
    if (nFragment >= 0)
        url = url.Left(nFragment);

    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = strHost.GetBuffer(kUrlPartLength);
    parts.dwHostNameLength = kUrlPartLength;
    parts.lpszUrlPath = strPath.GetBuffer(kUrlPartLength);
    parts.dwUrlPathLength = kUrlPartLength;
    CString query;
    parts.lpszExtraInfo = query.GetBuffer(kUrlPartLength);
    parts.dwExtraInfoLength = kUrlPartLength;
    BOOL bOk = InternetCrackUrlW(url, 0, 0, &parts);
    strHost.ReleaseBuffer(bOk ? static_cast<int>(parts.dwHostNameLength) : 0);
    strPath.ReleaseBuffer(bOk ? static_cast<int>(parts.dwUrlPathLength) : 0);
    query.ReleaseBuffer(bOk ? static_cast<int>(parts.dwExtraInfoLength) : 0);
    if (!bOk)
        return -1;
    strPath += query;
    *pnScheme = parts.nScheme;
    *pnPort = parts.nPort;
    return 0;
}

void CHttpClient::GetAccessSettings(DWORD* pdwType, CString& strProxy, CString& strAgent)
{
    *pdwType = static_cast<DWORD>(m_nAccessType);
    strProxy.Empty();
    if (*pdwType == INTERNET_OPEN_TYPE_PROXY) {
        if (!m_strProxyHost.IsEmpty() && m_nProxyPort >= 0)
            strProxy.Format(L"%s:%d", static_cast<LPCWSTR>(m_strProxyHost), m_nProxyPort);
        else
            *pdwType = INTERNET_OPEN_TYPE_PRECONFIG;
    }
    strAgent = m_strAgent;
}

void CHttpClient::GetVerbAndFlags(CString& strVerb, DWORD* pdwFlags, int nScheme)
{
    strVerb = m_strVerb.IsEmpty() ? CString(L"GET") : m_strVerb;
    DWORD dwFlags = 0;
    if (m_bReload)
        dwFlags |= INTERNET_FLAG_RELOAD;
    if (m_bNoCache)
        dwFlags |= INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    if (m_bNoRedirect)
        dwFlags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    if (nScheme == INTERNET_SCHEME_HTTPS)
        dwFlags |= kHttpsFlags;
    *pdwFlags = dwFlags;
}

int CHttpClient::QueryStatusCode(HINTERNET hRequest, int* pnCode)
{
    DWORD dwCode = 0;
    DWORD dwSize = sizeof(dwCode);
    if (!HttpQueryInfoW(hRequest, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &dwCode, &dwSize, nullptr))
        return -1;
    *pnCode = static_cast<int>(dwCode);
    return 0;
}

int CHttpClient::QueryContentLength(HINTERNET hRequest, LONGLONG* pnLength)
{
    CString text;
    if (QueryInfoString(hRequest, HTTP_QUERY_CONTENT_LENGTH, text, 0) != 0)
        return -1;
    wchar_t* pEnd = nullptr;
    LONGLONG nLength = _wcstoi64(text, &pEnd, 10);
    if (pEnd == static_cast<LPCWSTR>(text) || nLength < 0)
        return -1;
    *pnLength = nLength;
    return 0;
}

int CHttpClient::QueryInfoString(HINTERNET hRequest, DWORD dwItem, CString& strOut, DWORD dwIndex)
{
    strOut.Empty();
    DWORD dwBytes = 0;
    DWORD dwIndexCopy = dwIndex;
    HttpQueryInfoW(hRequest, dwItem, nullptr, &dwBytes, &dwIndexCopy);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || dwBytes == 0)
        return -1;
    int nChars = static_cast<int>(dwBytes / sizeof(wchar_t));
    if (!HttpQueryInfoW(hRequest, dwItem, strOut.GetBuffer(nChars), &dwBytes, &dwIndex)) {
        strOut.ReleaseBuffer(0);
        return -1;
    }
    strOut.ReleaseBuffer(static_cast<int>(dwBytes / sizeof(wchar_t)));
    return 0;
}

int CHttpClient::Execute(CStream* pStream)
{
    int nScheme = 0;
    int nPort = 0;
    CString host, path;
    if (CrackUrl(m_strUrl, &nScheme, host, &nPort, path) != 0 ||
        (nScheme != INTERNET_SCHEME_HTTP && nScheme != INTERNET_SCHEME_HTTPS))
        return -2;

    DWORD dwAccess = 0;
    CString proxy, agent;
    GetAccessSettings(&dwAccess, proxy, agent);
    CInternetHandle session(InternetOpenW(agent, dwAccess, NullWhenEmpty(proxy), nullptr, 0));
    if (!session)
        return -2;
    if (IsCancelled())
        return 1;
    CInternetHandle connection(InternetConnectW(session.Get(), host, static_cast<INTERNET_PORT>(nPort), nullptr,
                                                nullptr, INTERNET_SERVICE_HTTP, 0, reinterpret_cast<DWORD_PTR>(this)));
    if (!connection)
        return -2;
    if (IsCancelled())
        return 1;
    return SendRequest(connection.Get(), nScheme, path, pStream);
}

int CHttpClient::SendRequest(HINTERNET hConnection, int nScheme, const CString& strPath, CStream* pStream)
{
    CString verb;
    DWORD dwFlags = 0;
    GetVerbAndFlags(verb, &dwFlags, nScheme);
    CInternetHandle request(HttpOpenRequestW(hConnection, verb, strPath, NullWhenEmpty(m_strHttpVersion),
                                             NullWhenEmpty(m_strReferrer), nullptr, dwFlags,
                                             reinterpret_cast<DWORD_PTR>(this)));
    if (!request)
        return -1;
    if (IsCancelled())
        return 1;
    if (!SendHeadersAndBody(request.Get()))
        return -1;
    if (IsCancelled())
        return 1;
    if (QueryStatusCode(request.Get(), &m_nStatusCode) != 0)
        return -1;
    if (m_nStatusCode >= 400)
        return -2;
    if (QueryContentLength(request.Get(), &m_nContentLength) != 0)
        m_nContentLength = 0;
    return pStream ? ReadBody(request.Get(), pStream) : 0;
}

bool CHttpClient::SendHeadersAndBody(HINTERNET hRequest)
{
    CString headers = GetExtraHeaders();
    if (!headers.IsEmpty() && !HttpAddRequestHeadersW(hRequest, headers, static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_ADD))
        return false;
    CStringA body = WideToUtf8(m_strPostData);
    // WinINet only reads the body, though its parameter is not const.
    void* pBody = body.IsEmpty() ? nullptr : const_cast<char*>(static_cast<const char*>(body));
    return HttpSendRequestW(hRequest, nullptr, 0, pBody, static_cast<DWORD>(body.GetLength())) != FALSE;
}

int CHttpClient::ReadBody(HINTERNET hRequest, CStream* pStream)
{
    if (!hRequest || !pStream)
        return -1;
    if (m_pProgressSink)
        m_pProgressSink->OnBegin(this, m_nContentLength);
    LONGLONG nTotal = 0;
    int nResult = ReadBlocks(hRequest, pStream, &nTotal);
    if (m_pProgressSink)
        m_pProgressSink->OnEnd(this, m_nContentLength, nTotal);
    return nResult;
}

int CHttpClient::ReadBlocks(HINTERNET hRequest, CStream* pStream, LONGLONG* pnTotal)
{
    // The buffer is as large as the block asked for, whatever the block size is set to.
    CByteBuffer buffer;
    if (m_nBlockSize <= 0 || !buffer.Alloc(static_cast<DWORD>(m_nBlockSize)))
        return -1;
    for (;;) {
        if (IsCancelled())
            return 1;
        memset(buffer.GetData(), 0, buffer.GetSize());
        DWORD dwRead = 0;
        if (!InternetReadFile(hRequest, buffer.GetData(), buffer.GetSize(), &dwRead))
            return -1;
        if (dwRead == 0)
            return 0;
        DWORD dwWritten = 0;
        if (pStream->Write(buffer.GetData(), dwRead, &dwWritten) < 0)
            return -1;
        *pnTotal += dwWritten;
        if (m_pProgressSink && m_pProgressSink->OnProgress(this, m_nContentLength, *pnTotal) == 1)
            return 1;
        if (dwWritten < dwRead)
            return -1;
    }
}
