// A small HTTP/1.1 server on 127.0.0.1 for the network suites: one thread answers one
// connection at a time with whatever the test's handler returns for the request's target, and
// records every request it saw (the head and any body). It stops when the object goes.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <ctype.h>
#include <stdlib.h>
#include <algorithm>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    struct Response {
        int nStatus = 200;
        std::string body;
        size_t nChunk = 0;     // > 0: the body goes out in pieces of this size ...
        int nChunkDelayMs = 0;  // ... with this pause before each piece
    };
    using Handler = std::function<Response(const std::string& target)>;

    explicit LoopbackHttpServer(Handler handler) : m_handler(std::move(handler))
    {
        ClearProxyVariables();
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int len = sizeof(addr);
        if (bind(m_listener, reinterpret_cast<sockaddr*>(&addr), len) == 0 && listen(m_listener, 8) == 0 &&
            getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &len) == 0) {
            m_nPort = ntohs(addr.sin_port);
            m_thread = std::thread([this] { Serve(); });
        }
    }
    ~LoopbackHttpServer()
    {
        closesocket(m_listener);  // ends accept, and with it the serving thread
        if (m_thread.joinable())
            m_thread.join();
        WSACleanup();
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool IsReady() const { return m_nPort != 0; }
    int Port() const { return m_nPort; }
    std::wstring Url(const std::wstring& target) const
    {
        return L"http://127.0.0.1:" + std::to_wstring(m_nPort) + target;
    }
    std::vector<std::string> Requests() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

private:
    // WinINet under Wine takes a proxy from these variables; the loopback server is reached directly.
    static void ClearProxyVariables()
    {
        for (const wchar_t* name : {L"http_proxy", L"https_proxy", L"HTTP_PROXY", L"HTTPS_PROXY", L"all_proxy",
                                    L"ALL_PROXY"}) {
            SetEnvironmentVariableW(name, nullptr);
            _wputenv((std::wstring(name) + L"=").c_str());
        }
    }

    void Serve()
    {
        for (;;) {
            SOCKET s = accept(m_listener, nullptr, nullptr);
            if (s == INVALID_SOCKET)
                return;
            Answer(s);
            closesocket(s);
        }
    }

    void Answer(SOCKET s)
    {
        DWORD timeoutMs = 60000;  // only a client that never sends its request waits this out
        setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
        std::string head;
        char buf[1024];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
            int n = recv(s, buf, sizeof(buf), 0);
            if (n <= 0)
                return;
            head.append(buf, n);
        }
        if (!ReadBody(s, head))
            return;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(head);
        }
        size_t start = head.find(' ') + 1;
        std::string target = head.substr(start, head.find(' ', start) - start);
        Send(s, m_handler(target));
    }

    // Appends the body that the head's Content-Length announces (part of it may have come with
    // the head).
    static bool ReadBody(SOCKET s, std::string& request)
    {
        size_t bodyStart = request.find("\r\n\r\n") + 4;
        std::string lower = request.substr(0, bodyStart);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return char(tolower(c)); });
        size_t field = lower.find("\r\ncontent-length:");
        size_t length = field == std::string::npos ? 0 : strtoul(lower.c_str() + field + 17, nullptr, 10);
        char buf[1024];
        while (request.size() < bodyStart + length) {
            int n = recv(s, buf, sizeof(buf), 0);
            if (n <= 0)
                return false;
            request.append(buf, n);
        }
        return true;
    }

    static void Send(SOCKET s, const Response& r)
    {
        std::string head = "HTTP/1.1 " + std::to_string(r.nStatus) + (r.nStatus < 400 ? " OK" : " Error") +
                           "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                           std::to_string(r.body.size()) + "\r\nConnection: close\r\n\r\n";
        if (!SendAll(s, head.data(), head.size()))
            return;
        size_t nChunk = r.nChunk ? r.nChunk : r.body.size();
        for (size_t pos = 0; pos < r.body.size(); pos += nChunk) {
            if (r.nChunkDelayMs)
                Sleep(r.nChunkDelayMs);
            if (!SendAll(s, r.body.data() + pos, std::min(nChunk, r.body.size() - pos)))
                return;  // the client went away
        }
        shutdown(s, SD_SEND);
    }

    static bool SendAll(SOCKET s, const char* p, size_t n)
    {
        while (n > 0) {
            int sent = send(s, p, static_cast<int>(n), 0);
            if (sent <= 0)
                return false;
            p += sent;
            n -= sent;
        }
        return true;
    }

    Handler m_handler;
    SOCKET m_listener = INVALID_SOCKET;
    int m_nPort = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
};
