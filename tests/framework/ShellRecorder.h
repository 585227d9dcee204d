// Puts a recorder in place of ShellExecute for as long as the object lives, so that what the
// windows open (links, mail, pages) is seen and nothing reaches the real shell.
#pragma once
#include "framework/system/ShellCalls.h"
#include <string>
#include <vector>

class ShellRecorder {
public:
    struct Call {
        std::wstring verb;
        std::wstring file;
    };
    ShellRecorder() : m_saved(ShellCalls())
    {
        Calls().clear();
        ShellCalls().pfnShellExecute = &Record;
    }
    ~ShellRecorder() { ShellCalls() = m_saved; }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    static std::vector<Call>& Calls()
    {
        static std::vector<Call> s_calls;
        return s_calls;
    }

private:
    static HINSTANCE WINAPI Record(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT)
    {
        Calls().push_back({verb ? verb : L"", file ? file : L""});
        return reinterpret_cast<HINSTANCE>(42);
    }
    CShellCalls m_saved;
};
