// One HTTP or HTTPS request over WinINet, its response body streamed into a CStream. HTTPS
// certificates are checked in full: a wrong name or date fails the request.
//
// A client is used by one thread. Another thread may stop it through the cancel flag, which is
// read between the request's steps and between body blocks, so a stop takes effect once the
// step under way returns.
#pragma once
#include "classlib/CString.h"
#include "framework/system/StopFlag.h"
#include "framework/text/CStream.h"
#include <windows.h>
#include <wininet.h>

class CHttpClientBase;

// Told about a response body as it arrives, on the client's thread.
class CHttpProgressSink {
public:
    virtual ~CHttpProgressSink() = default;
    virtual void OnBegin(CHttpClientBase* pClient, LONGLONG nTotal) = 0;
    // 1 stops the transfer.
    virtual int OnProgress(CHttpClientBase* pClient, LONGLONG nTotal, LONGLONG nSoFar) = 0;
    virtual void OnEnd(CHttpClientBase* pClient, LONGLONG nTotal, LONGLONG nSoFar) = 0;
};

// An owned, zero-filled heap block.
class CByteBuffer {
public:
    CByteBuffer() = default;
    CByteBuffer(const CByteBuffer&) = delete;
    CByteBuffer& operator=(const CByteBuffer&) = delete;
    ~CByteBuffer() { Free(); }

    BYTE* Alloc(DWORD nSize);  // frees the old block first; null for 0 bytes or no memory
    void Free();
    BYTE* GetData() const { return m_pData; }
    DWORD GetSize() const { return m_nSize; }

private:
    BYTE* m_pData = nullptr;
    DWORD m_nSize = 0;
};

// Results of Execute and the Get functions: 0 done; 1 cancelled or stopped by the sink;
// -1 the request could not be sent or the body not read; -2 a bad or non-HTTP address, no
// session or connection, or an HTTP status of 400 or above.
// The settings and results of one request, with their defaults on the declarations.
struct CHttpRequestFields {
    int m_nBlockSize = 4096;
    int m_nAccessType = INTERNET_OPEN_TYPE_PRECONFIG;  // INTERNET_OPEN_TYPE_...; 3 (proxy) needs a proxy host
    CString m_strProxyHost;
    int m_nProxyPort = 80;
    CString m_strUrl;
    CString m_strVerb;
    CString m_strAgent;
    CString m_strHttpVersion;
    CString m_strReferrer;
    CString m_strHeaders;
    CString m_strPostData;  // the request body, sent as UTF-8; none when empty
    bool m_bReload = false;
    bool m_bNoCache = false;
    bool m_bNoRedirect = false;
    int m_nStatusCode = 0;
    LONGLONG m_nContentLength = 0;  // 0 when the answer named none
};

class CHttpClientBase : public CHttpRequestFields {
public:
    CHttpClientBase() = default;
    virtual ~CHttpClientBase() = default;

    virtual void Reset();
    // The body's bytes as received.
    virtual int GetToString(LPCWSTR pszUrl, CStringA& strOut);
    // The body converted from the ANSI code page.
    virtual int GetToText(LPCWSTR pszUrl, CString& strOut);
    // Requests m_strUrl; the body goes to pStream when there is one.
    virtual int Execute(CStream* pStream) = 0;
    virtual int CrackUrl(LPCWSTR pszUrl, int* pnScheme, CString& strHost, int* pnPort,
                         CString& strPath) = 0;
    virtual void GetAccessSettings(DWORD* pdwType, CString& strProxy, CString& strAgent) = 0;
    virtual void GetVerbAndFlags(CString& strVerb, DWORD* pdwFlags, int nScheme) = 0;
    virtual CString GetExtraHeaders() { return m_strHeaders; }
    virtual int QueryStatusCode(HINTERNET hRequest, int* pnCode) = 0;
    virtual int QueryContentLength(HINTERNET hRequest, LONGLONG* pnLength) = 0;
    virtual int QueryInfoString(HINTERNET hRequest, DWORD dwItem, CString& strOut, DWORD dwIndex) = 0;

    bool IsCancelled() const { return IsStopRequested(m_pCancelFlag); }

    CHttpProgressSink* m_pProgressSink = nullptr;
    const StopFlag* m_pCancelFlag = nullptr;  // any non-zero value cancels
};

class CHttpClient : public CHttpClientBase {
public:
    int Execute(CStream* pStream) override;
    int CrackUrl(LPCWSTR pszUrl, int* pnScheme, CString& strHost, int* pnPort,
                 CString& strPath) override;
    void GetAccessSettings(DWORD* pdwType, CString& strProxy, CString& strAgent) override;
    void GetVerbAndFlags(CString& strVerb, DWORD* pdwFlags, int nScheme) override;
    int QueryStatusCode(HINTERNET hRequest, int* pnCode) override;
    int QueryContentLength(HINTERNET hRequest, LONGLONG* pnLength) override;
    int QueryInfoString(HINTERNET hRequest, DWORD dwItem, CString& strOut, DWORD dwIndex) override;
    // Reads the body block by block into pStream until the server ends it.
    virtual int ReadBody(HINTERNET hRequest, CStream* pStream);

private:
    int SendRequest(HINTERNET hConnection, int nScheme, const CString& strPath, CStream* pStream);
    bool SendHeadersAndBody(HINTERNET hRequest);
    int ReadBlocks(HINTERNET hRequest, CStream* pStream, LONGLONG* pnTotal);
};
