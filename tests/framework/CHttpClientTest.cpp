// The HTTP client against a loopback server of the test's own: bodies, errors, cancelling and
// what the request looks like on the wire.
#include "framework/net/CHttpClient.h"
#include "LoopbackHttpServer.h"
#include "framework/text/CMemoryStream.h"
#include <gtest/gtest.h>
#include <string.h>

namespace {

// Distinct bytes per block, so a lost or repeated block shows.
std::string PatternBody(size_t nSize)
{
    std::string body(nSize, '\0');
    for (size_t i = 0; i < nSize; i++)
        body[i] = static_cast<char>('a' + (i / 4096 + i) % 26);
    return body;
}

LoopbackHttpServer::Response Answer(const std::string& target)
{
    LoopbackHttpServer::Response r;
    if (target == "/blocks")
        r.body = PatternBody(3 * 4096);
    else if (target == "/small")
        r.body = "hello";
    else if (target == "/empty")
        r.body.clear();
    else if (target == "/slow") {
        r.body = PatternBody(16 * 4096);
        r.nChunk = 4096;
        r.nChunkDelayMs = 40;
    } else if (target == "/gone")
        r.nStatus = 410;
    else if (target.rfind("/echo", 0) == 0)
        r.body = target;
    else {
        r.nStatus = 404;
        r.body = "no such page";
    }
    return r;
}

// Records what the client reported and can stop or cancel after a given number of blocks.
class RecordingSink : public CHttpProgressSink {
public:
    void OnBegin(CHttpClientBase*, LONGLONG nTotal) override
    {
        m_nBegins++;
        m_nBeginTotal = nTotal;
    }
    int OnProgress(CHttpClientBase*, LONGLONG, LONGLONG nSoFar) override
    {
        m_nProgressCalls++;
        m_nLastSoFar = nSoFar;
        if (m_nCancelAfter && m_nProgressCalls == m_nCancelAfter)
            *m_pCancelFlag = 2;
        return m_nStopAfter && m_nProgressCalls == m_nStopAfter ? 1 : 0;
    }
    void OnEnd(CHttpClientBase*, LONGLONG, LONGLONG nSoFar) override
    {
        m_nEnds++;
        m_nEndSoFar = nSoFar;
    }

    int m_nBegins = 0, m_nProgressCalls = 0, m_nEnds = 0;
    LONGLONG m_nBeginTotal = -1, m_nLastSoFar = 0, m_nEndSoFar = -1;
    int m_nStopAfter = 0;
    int m_nCancelAfter = 0;
    StopFlag* m_pCancelFlag = nullptr;
};

class HttpClient : public ::testing::Test {
protected:
    HttpClient() : m_server(Answer) {}
    void SetUp() override { ASSERT_TRUE(m_server.IsReady()); }

    std::string Body(CMemoryStream& stream) const
    {
        return std::string(reinterpret_cast<const char*>(stream.GetData()), static_cast<size_t>(stream.GetSize()));
    }
    int Get(const std::wstring& url, CMemoryStream& stream)
    {
        m_client.m_strUrl = url.c_str();
        return m_client.Execute(&stream);
    }

    LoopbackHttpServer m_server;
    CHttpClient m_client;
    RecordingSink m_sink;
};

struct BodyCase {
    const char* name;
    const wchar_t* target;
    int nResult;
    int nStatus;
    size_t nBodySize;  // what the server sends; the stream must hold it only on success
};

class HttpClientBodies : public HttpClient, public ::testing::WithParamInterface<BodyCase> {};

TEST_P(HttpClientBodies, ResultStatusAndBytes)
{
    const BodyCase& c = GetParam();
    m_client.m_pProgressSink = &m_sink;
    CMemoryStream stream(1024);
    EXPECT_EQ(c.nResult, Get(m_server.Url(c.target), stream));
    EXPECT_EQ(c.nStatus, m_client.m_nStatusCode);
    if (c.nResult == 0) {
        EXPECT_EQ(Answer(std::string(CStringA(c.target))).body, Body(stream));
        EXPECT_EQ(static_cast<LONGLONG>(c.nBodySize), m_client.m_nContentLength);
        EXPECT_EQ(1, m_sink.m_nBegins);
        EXPECT_EQ(1, m_sink.m_nEnds);
        EXPECT_EQ(static_cast<LONGLONG>(c.nBodySize), m_sink.m_nEndSoFar);
    } else {
        // An error answer's body is never read.
        EXPECT_EQ(0, stream.GetSize());
        EXPECT_EQ(0, m_sink.m_nBegins);
    }
}

const BodyCase kBodies[] = {
    {"ExactMultipleOfTheBlock", L"/blocks", 0, 200, 3 * 4096},
    {"ShorterThanABlock", L"/small", 0, 200, 5},
    {"Empty", L"/empty", 0, 200, 0},
    {"NotFound", L"/missing", -2, 404, 12},
    {"Gone", L"/gone", -2, 410, 0},
};
INSTANTIATE_TEST_SUITE_P(Answers, HttpClientBodies, ::testing::ValuesIn(kBodies),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    const wchar_t* url;
};

class HttpClientRefused : public HttpClient, public ::testing::WithParamInterface<RefusedCase> {};

// Addresses the client will not request: nothing reaches the server.
TEST_P(HttpClientRefused, BeforeAnyConnection)
{
    std::wstring url = GetParam().url;
    size_t port = url.find(L"PORT");
    if (port != std::wstring::npos)
        url.replace(port, 4, std::to_wstring(m_server.Port()));
    CMemoryStream stream(1024);
    EXPECT_EQ(-2, Get(url, stream));
    EXPECT_TRUE(m_server.Requests().empty());
}

const RefusedCase kRefused[] = {
    {"Ftp", L"ftp://127.0.0.1:PORT/blocks"},
    {"File", L"file:///C:/windows/win.ini"},
    {"NotAnAddress", L"blocks"},
    {"Empty", L""},
};
INSTANTIATE_TEST_SUITE_P(Addresses, HttpClientRefused, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HttpClient, NoServerListeningFailsToSend)
{
    int nClosedPort = 0;
    {
        LoopbackHttpServer gone(Answer);
        nClosedPort = gone.Port();
    }
    CMemoryStream stream(1024);
    EXPECT_EQ(-1, Get(L"http://127.0.0.1:" + std::to_wstring(nClosedPort) + L"/small", stream));
}

TEST_F(HttpClient, FragmentIsNotSentButTheQueryIs)
{
    CStringA bytes;
    EXPECT_EQ(0, m_client.GetToString(m_server.Url(L"/echo?a=1&b=2#section").c_str(), bytes));
    EXPECT_STREQ("/echo?a=1&b=2", bytes);
}

TEST_F(HttpClient, RequestCarriesAgentAndExtraHeaders)
{
    m_client.m_strAgent = L"KavriTest/1.0";
    m_client.m_strHeaders = L"X-Kavri-Test: 42\r\n";
    m_client.m_bNoCache = true;
    CStringA bytes;
    ASSERT_EQ(0, m_client.GetToString(m_server.Url(L"/small").c_str(), bytes));
    ASSERT_EQ(1u, m_server.Requests().size());
    const std::string head = m_server.Requests()[0];
    EXPECT_EQ(0u, head.find("GET /small HTTP/1.1\r\n")) << head;
    EXPECT_NE(std::string::npos, head.find("User-Agent: KavriTest/1.0\r\n")) << head;
    EXPECT_NE(std::string::npos, head.find("X-Kavri-Test: 42\r\n")) << head;
}

struct PostCase {
    const char* name;
    const wchar_t* verb;
    const wchar_t* postData;
    const char* body;  // as it must arrive
};

class HttpClientPost : public HttpClient, public ::testing::WithParamInterface<PostCase> {};

TEST_P(HttpClientPost, PostDataIsTheRequestBody)
{
    const PostCase& c = GetParam();
    m_client.m_strVerb = c.verb;
    m_client.m_strPostData = c.postData;
    m_client.m_strHeaders = L"Content-Type: application/x-www-form-urlencoded\r\n";
    CMemoryStream stream(1024);
    ASSERT_EQ(0, Get(m_server.Url(L"/echo"), stream));
    EXPECT_EQ("/echo", Body(stream));
    ASSERT_EQ(1u, m_server.Requests().size());
    const std::string request = m_server.Requests()[0];
    const size_t bodyStart = request.find("\r\n\r\n") + 4;
    const std::string head = request.substr(0, bodyStart);
    EXPECT_EQ(0u, head.find(std::string(CStringA(c.verb)) + " /echo HTTP/1.1\r\n")) << head;
    EXPECT_EQ(c.body, request.substr(bodyStart));
    if (*c.body) {
        EXPECT_NE(std::string::npos, head.find("Content-Length: " + std::to_string(strlen(c.body)) + "\r\n")) << head;
    }
}

const PostCase kPosts[] = {
    {"Form", L"POST", L"name=K\u00e4vri&size=3", "name=K\xc3\xa4vri&size=3"},
    {"NoPostData", L"POST", L"", ""},
    {"GetWithoutBody", L"GET", L"", ""},
};
INSTANTIATE_TEST_SUITE_P(Bodies, HttpClientPost, ::testing::ValuesIn(kPosts),
                         [](const auto& info) { return std::string(info.param.name); });

// Ignoring a certificate's name or date would let anyone on the path answer for the server.
TEST(HttpClientFlags, HttpsChecksCertificates)
{
    const struct {
        const char* name;
        int nScheme;
        bool bReload, bNoCache, bNoRedirect;
        DWORD dwFlags;
    } cases[] = {
        {"PlainHttp", INTERNET_SCHEME_HTTP, false, false, false, 0},
        {"Https", INTERNET_SCHEME_HTTPS, false, false, false, INTERNET_FLAG_SECURE},
        {"HttpsFresh", INTERNET_SCHEME_HTTPS, true, true, true,
         INTERNET_FLAG_SECURE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
             INTERNET_FLAG_NO_AUTO_REDIRECT},
    };
    for (const auto& c : cases) {
        CHttpClient client;
        client.m_bReload = c.bReload;
        client.m_bNoCache = c.bNoCache;
        client.m_bNoRedirect = c.bNoRedirect;
        CString verb;
        DWORD dwFlags = 0;
        client.GetVerbAndFlags(verb, &dwFlags, c.nScheme);
        EXPECT_EQ(c.dwFlags, dwFlags) << c.name;
        EXPECT_EQ(0u, dwFlags & (INTERNET_FLAG_IGNORE_CERT_CN_INVALID | INTERNET_FLAG_IGNORE_CERT_DATE_INVALID))
            << c.name;
        EXPECT_STREQ(L"GET", verb) << c.name;
    }
}

TEST_F(HttpClient, GetToTextConvertsTheBody)
{
    CString text;
    EXPECT_EQ(0, m_client.GetToText(m_server.Url(L"/small").c_str(), text));
    EXPECT_STREQ(L"hello", text);
}

TEST_F(HttpClient, CancelDuringTheBodyEndsAfterTheCurrentBlock)
{
    StopFlag nCancel{0};
    m_client.m_pCancelFlag = &nCancel;
    m_client.m_pProgressSink = &m_sink;
    m_sink.m_pCancelFlag = &nCancel;
    m_sink.m_nCancelAfter = 1;
    CMemoryStream stream(1024);
    EXPECT_EQ(1, Get(m_server.Url(L"/slow"), stream));
    EXPECT_EQ(1, m_sink.m_nProgressCalls);  // no block was read after the flag was set
    EXPECT_EQ(stream.GetSize(), m_sink.m_nEndSoFar);
    EXPECT_LT(stream.GetSize(), 16 * 4096);
    EXPECT_EQ(Body(stream), PatternBody(16 * 4096).substr(0, static_cast<size_t>(stream.GetSize())));
}

TEST_F(HttpClient, SinkStopsTheTransfer)
{
    m_client.m_pProgressSink = &m_sink;
    m_sink.m_nStopAfter = 2;
    CMemoryStream stream(1024);
    EXPECT_EQ(1, Get(m_server.Url(L"/slow"), stream));
    EXPECT_EQ(2, m_sink.m_nProgressCalls);
    EXPECT_EQ(1, m_sink.m_nEnds);
}

TEST_F(HttpClient, CancelledBeforehandSendsNothing)
{
    StopFlag nCancel{2};
    m_client.m_pCancelFlag = &nCancel;
    CMemoryStream stream(1024);
    EXPECT_EQ(1, Get(m_server.Url(L"/small"), stream));
    EXPECT_TRUE(m_server.Requests().empty());
}

// A block size above the default must not overrun the read buffer.
TEST_F(HttpClient, LargerBlockSizeReadsTheWholeBody)
{
    m_client.m_nBlockSize = 3 * 4096;
    CMemoryStream stream(1024);
    EXPECT_EQ(0, Get(m_server.Url(L"/blocks"), stream));
    EXPECT_EQ(PatternBody(3 * 4096), Body(stream));
}

TEST_F(HttpClient, WriteFailureOfTheStreamIsAnError)
{
    CMemoryStream cannotGrow(0);
    EXPECT_EQ(-1, Get(m_server.Url(L"/blocks"), cannotGrow));
}

}  // namespace
