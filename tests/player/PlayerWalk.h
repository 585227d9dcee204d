// The fixture of the walks through the real player that play clips: it makes them, starts the
// program as PlayerProgram does and reads the playback tool's log.
#pragma once
#include "tests/player/PlayerProgram.h"
#include <algorithm>

namespace playerwalk {

inline std::wstring FileName(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

inline std::vector<std::wstring> Lines(const std::string& bytes)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::wstring wide(line.size(), L'\0');
        wide.resize(MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &wide[0],
                                        static_cast<int>(wide.size())));
        lines.push_back(wide);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// One run of the playback tool as its log line shows it: the clip and the start position.
struct Play {
    std::wstring clip;
    std::wstring start;  // "-ss" value, empty from the beginning
};

// The value after " name " in a logged command line: a quoted text or a word.
inline std::wstring OptionValue(const std::wstring& line, const std::wstring& name)
{
    std::wstring padded = L" " + line;
    size_t at = padded.find(L" " + name + L" ");
    if (at == std::wstring::npos)
        return L"";
    at += name.size() + 2;
    if (padded[at] == L'"')
        return padded.substr(at + 1, padded.find(L'"', at + 1) - at - 1);
    return padded.substr(at, padded.find(L' ', at) - at);
}

class PlayerWalk : public PlayerProgram {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new std::wstring(tooltest::MakeTempFolder(L"kavri player walk"));
        // Long clips play through a whole walk; short ones end while it watches.
        for (int n = 1; n <= 3; ++n) {
            std::wstring tone = std::to_wstring(220 * n);
            for (const wchar_t* kind : {L"Clip", L"Short"}) {
                std::wstring seconds = kind[0] == L'C' ? L"30" : L"2";
                std::wstring path = *s_folder + L"\\" + kind + L" " + std::to_wstring(n) + L".mp4";
                ASSERT_TRUE(tooltest::MakeMedia(path, L"-f lavfi -i testsrc2=duration=" + seconds +
                                                          L":size=160x90:rate=25 -f lavfi -i sine=frequency=" + tone +
                                                          L":duration=" + seconds +
                                                          L" -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -f mp4"))
                    << "ffmpeg.exe could not make " << testing::PrintToString(path);
            }
        }
    }
    static void TearDownTestSuite()
    {
        tooltest::RemoveFolder(*s_folder);
        delete s_folder;
    }

    void SetUp() override
    {
        PlayerProgram::SetUp();
        m_log = *s_folder + L"\\tool.log";
        DeleteFileW(m_log.c_str());
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", m_log.c_str());
    }
    void TearDown() override
    {
        PlayerProgram::TearDown();
        SetEnvironmentVariableW(L"KAVRI_TOOL_LOG", nullptr);
    }
    static std::wstring Clip(const wchar_t* name) { return *s_folder + L"\\" + name; }

    // The playback tool's runs so far, in order.
    std::vector<Play> Plays() const
    {
        std::vector<Play> plays;
        for (const std::wstring& line : Lines(tooltest::ReadFileBytes(m_log))) {
            if (line.compare(0, 6, L"args: ") == 0 && line.find(L" -owner_window ") != std::wstring::npos)
                plays.push_back({FileName(OptionValue(line, L"-i")), OptionValue(line, L"-ss")});
        }
        return plays;
    }
    std::vector<std::wstring> PlayedClips() const
    {
        std::vector<std::wstring> clips;
        for (const Play& play : Plays())
            clips.push_back(play.clip);
        return clips;
    }

    inline static std::wstring* s_folder = nullptr;
    std::wstring m_log;
};

}  // namespace playerwalk
