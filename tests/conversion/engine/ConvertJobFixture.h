// What the conversion job tests share: a record with inputs made by hand, a scripted answer to
// the file-exists question, and a job whose encoder runs are recorded (command line and all)
// and answered by a script instead of the encoding tool.
#pragma once
#include "conversion/engine/CConvertJob.h"
#include "conversion/engine/IFileExistsPrompt.h"
#include "tests/conversion/engine/RecordingTask.h"
#include <functional>
#include <string>
#include <vector>

// Answers from a list; every question is written down as "<folder>|<title>|<extension>".
class CScriptedPrompt : public IFileExistsPrompt {
public:
    struct Reply {
        int answer;
        const wchar_t* newTitle;
    };

    int GetOverwritePolicy() override { return policy; }
    void SetOverwritePolicy(int answer) override { policy = answer; }
    int AskFileExists(LPCWSTR folder, LPCWSTR title, LPCWSTR extension, CString& newTitle) override
    {
        questions.push_back(std::wstring(folder) + L"|" + title + L"|" + extension);
        if (questions.size() > replies.size())
            return FILE_EXISTS_SKIP;  // like Cancel
        const Reply& reply = replies[questions.size() - 1];
        newTitle = reply.newTitle ? reply.newTitle : L"";
        return reply.answer;
    }

    int policy = FILE_EXISTS_ASK;
    std::vector<Reply> replies;
    std::vector<std::wstring> questions;
};

// An encoder job that builds the command line as the real one would, then lets the test's
// tool answer.
class CScriptedEncoderJob : public CEncoderJob {
public:
    typedef std::function<int(CEncoderOptions&)> Tool;

    CScriptedEncoderJob(std::vector<std::wstring>& commandLines, const Tool& tool)
        : m_commandLines(commandLines), m_tool(tool)
    {
    }

    int RunTool(CEncoderOptions& options, const StopFlag* pStopFlag) override
    {
        options.Validate();
        CString line;
        BuildArguments(line, options);
        m_commandLines.push_back(static_cast<LPCWSTR>(line));
        return m_tool ? m_tool(options) : 0;
    }

private:
    std::vector<std::wstring>& m_commandLines;
    Tool m_tool;
};

class CScriptedConvertJob : public CConvertJob {
public:
    using CConvertJob::CConvertJob;

    std::vector<std::wstring> commandLines;
    CScriptedEncoderJob::Tool tool;

protected:
    CEncoderJob* CreateEncoderJob() override
    {
        CScriptedEncoderJob* pJob = new CScriptedEncoderJob(commandLines, tool);
        pJob->m_pListener = this;
        return pJob;
    }
};

inline CMediaStreamInfo* AddStream(CMediaInfo& info, int mediaType, int index, LPCWSTR codec)
{
    CMediaStreamInfo* pStream = new CMediaStreamInfo;
    pStream->MediaType = mediaType;
    pStream->Index = index;
    pStream->Codec = codec;
    info.StreamList.Add(pStream);
    if (mediaType == MEDIA_TYPE_VIDEO)
        info.VideoStreams.Add(pStream);
    else if (mediaType == MEDIA_TYPE_AUDIO)
        info.AudioStreams.Add(pStream);
    else if (mediaType == MEDIA_TYPE_SUBTITLE)
        info.SubtitleStreams.Add(pStream);
    return pStream;
}

// Replaces every occurrence of a text, so that golden command lines need no temporary names.
inline std::wstring ReplaceAll(std::wstring text, const std::wstring& what, const std::wstring& with)
{
    for (size_t at = text.find(what); !what.empty() && at != std::wstring::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// The number after "-callback_context " becomes "<context>".
inline std::wstring WithoutContext(std::wstring line)
{
    const std::wstring key = L"-callback_context ";
    size_t at = line.find(key);
    if (at == std::wstring::npos)
        return line;
    size_t end = line.find(L' ', at + key.size());
    line.replace(at + key.size(), end == std::wstring::npos ? std::wstring::npos : end - at - key.size(), L"<context>");
    return line;
}
