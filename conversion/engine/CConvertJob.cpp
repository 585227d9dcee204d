#include "conversion/engine/CConvertJob.h"
#include "conversion/engine/CConvertTask.h"
#include "conversion/engine/FileOperations.h"
#include "conversion/engine/IFileExistsPrompt.h"
#include "conversion/engine/UniqueFileName.h"
#include "conversion/engine/catalogue/CBuiltInMediaFormats.h"
#include "framework/system/AppFolders.h"
#include "framework/system/CTempFileGuard.h"
#include "framework/system/PathHelpers.h"
#include "framework/text/CFileStream.h"
#include "framework/text/CodePage.h"
#include "framework/text/FileHelpers.h"
#include "framework/text/LongPath.h"
#include "common/OwnedHandle.h"
#include <shlwapi.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const DWORD kJoinChunkSize = 0x400000;

// One backslash between folder and name, also for a root such as "D:\".
CString JoinPath(const CString& folder, const CString& name)
{
    if (folder.IsEmpty())
        return name;
    wchar_t last = folder[folder.GetLength() - 1];
    return last == L'\\' || last == L'/' ? folder + name : folder + L"\\" + name;
}

// A title typed as a new name must stay a name inside the output folder.
bool IsAnswerForAll(int answer)
{
    return answer == FILE_EXISTS_NEW_NAME_ALL || answer == FILE_EXISTS_OVERWRITE_ALL || answer == FILE_EXISTS_SKIP_ALL;
}

bool IsSkip(int answer)
{
    return answer == FILE_EXISTS_SKIP || answer == FILE_EXISTS_SKIP_ALL;
}

// The stream choice of one kind: -2 (drop) stays; a valid position gives that stream's index
// in the file; else the tool's default, or with explicit choices the first stream of the kind.
int StreamChoice(int selected, const CMediaStreamInfoPtrArray& streams, bool explicitChoice)
{
    if (selected == ENCODER_STREAM_DROP)
        return ENCODER_STREAM_DROP;
    if (selected >= 0 && selected < streams.GetSize())
        return streams[selected]->Index;
    if (explicitChoice && streams.GetSize() > 0)
        return streams[0]->Index;
    return ENCODER_STREAM_DEFAULT;
}

const CMediaStreamInfo* SelectedAudioStream(const CMediaInfo& info)
{
    int selected = info.SelectedAudioStream;
    if (selected >= 0 && selected < info.AudioStreams.GetSize())
        return info.AudioStreams[selected];
    return info.AudioStreams.GetSize() > 0 ? info.AudioStreams[0] : nullptr;
}

LONGLONG PositiveSizeSum(const CStringArray& files)
{
    LONGLONG total = 0;
    for (int i = 0; i < files.GetSize(); ++i) {
        LONGLONG size = GetFileSize64(files[i]);
        if (size > 0)
            total += size;
    }
    return total;
}

// "seg012" and "part-3" name their joined output "seg" and "part".
CString JoinedTitle(const CString& firstTitle)
{
    CString prefix;
    ULONGLONG number;
    SplitTrailingNumber(firstTitle, prefix, number);
    prefix.TrimRight(L" -_.");
    return prefix.IsEmpty() ? firstTitle : prefix;
}

// The folder that the HLS segments are written to while the tool runs, under plain names of
// their own: the tool reads '%' in a segment name as a number's place, and no escape gives a
// bare one back. Whatever is still in it when the run ends (the segments of a stopped or
// failed run) goes with it.
class CSegmentFolder {
public:
    static constexpr const char* kStem = "segment-";

    explicit CSegmentFolder(const CString& path) : m_path(path) {}
    CSegmentFolder(const CSegmentFolder&) = delete;
    CSegmentFolder& operator=(const CSegmentFolder&) = delete;
    ~CSegmentFolder()
    {
        if (m_path.IsEmpty())
            return;
        for (const CString& name : Names())
            DeleteFileRetry(JoinPath(m_path, name), nullptr);
        RemoveDirectoryW(ExtendedLengthPath(m_path));
    }

    // The tool's pattern for the segments in the folder.
    static CString Pattern(const CString& path) { return JoinPath(path, CString(kStem) + L"%04d.ts"); }

    // Moves every segment into the folder under its final name ("<title>-0001.ts"), those
    // names into placed, and names them so in the playlist. A name taken there is replaced only
    // when replace allows; else nothing moves. 0, or -1 (nothing stays placed).
    int MoveInto(const CString& folder, const CString& title, LPCWSTR playlist, bool replace,
                 const StopFlag* pStopValue, std::vector<CString>& placed) const
    {
        std::vector<CString> names = Names();
        for (const CString& name : names) {
            if (!replace && PathExists(JoinPath(folder, FinalName(name, title))))
                return -1;
        }
        for (const CString& name : names) {
            CString finalName = FinalName(name, title);
            if (MoveFileRetry(JoinPath(m_path, name), JoinPath(folder, finalName), replace, pStopValue) != 0) {
                RemoveFrom(folder, placed);
                return -1;
            }
            placed.push_back(finalName);
        }
        if (RenameInPlaylist(playlist, title) != 0) {
            RemoveFrom(folder, placed);
            return -1;
        }
        return 0;
    }

    static void RemoveFrom(const CString& folder, std::vector<CString>& names)
    {
        for (const CString& name : names)
            DeleteFileRetry(JoinPath(folder, name), nullptr);
        names.clear();
    }

private:
    static CString FinalName(const CString& name, const CString& title)
    {
        return title + name.Mid(static_cast<int>(strlen(kStem)) - 1);
    }

    // The playlist's lines that name segments, "segment-0001.ts", become "<title>-0001.ts".
    static int RenameInPlaylist(LPCWSTR playlist, const CString& title)
    {
        std::vector<char> bytes;
        if (ReadFileBytes(playlist, bytes) != 0)
            return -1;
        std::string text(bytes.begin(), bytes.end()), renamed, stem(kStem);
        std::string titleUtf8 = static_cast<LPCSTR>(WideToUtf8(title));
        for (size_t start = 0, end; start < text.size(); start = end) {
            end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end + 1;
            std::string line = text.substr(start, end - start);
            renamed += line.compare(0, stem.size(), stem) == 0 ? titleUtf8 + line.substr(stem.size() - 1) : line;
        }
        return WriteBufferToFile(playlist, renamed.data(), static_cast<DWORD>(renamed.size()));
    }

    std::vector<CString> Names() const
    {
        std::vector<CString> names;
        WIN32_FIND_DATAW found;
        OwnedFindHandle find(m_path.IsEmpty() ? INVALID_HANDLE_VALUE : FindFirstFileW(JoinPath(m_path, L"*"), &found));
        if (!find)
            return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (FindNextFileW(find.Get(), &found));
        return names;
    }

    CString m_path;
};

// A playlist on disk that lists segments but never says it is complete: the tool would wait
// for more segments to be added to it, however long that takes.
bool IsUnendedPlaylist(const CMediaInfo& info, LPCWSTR path)
{
    std::vector<char> bytes;
    if (info.Format != L"hls" || !FileExists(path) || ReadFileBytes(path, bytes) != 0)
        return false;
    std::string text(bytes.begin(), bytes.end());
    return text.find("#EXTINF") != std::string::npos && text.find("#EXT-X-ENDLIST") == std::string::npos;
}

}  // namespace

CConvertJob::FileStamp CConvertJob::StampOf(LPCWSTR path)
{
    FileStamp stamp = {};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(ExtendedLengthPath(path), GetFileExInfoStandard, &data)) {
        stamp.exists = true;
        stamp.size = (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp.written = data.ftLastWriteTime;
    }
    return stamp;
}

bool CConvertJob::IsSameFile(const FileStamp& first, const FileStamp& second)
{
    return first.exists && second.exists && first.size == second.size &&
           CompareFileTime(&first.written, &second.written) == 0;
}

// A file that the failed run never touched (say, the tool could not start) stays.
void CConvertJob::RemoveFailedOutput(LPCWSTR path, const FileStamp& before)
{
    FileStamp after = StampOf(path);
    if (after.exists && !IsSameFile(after, before))
        DeleteFileRetry(path, nullptr);
}

CConvertJob::CConvertJob(CConvertTaskRecord* pRecord, CConvertTask* pTask, HWND hOwner, const StopFlag* pStopValue)
    : m_pRecord(pRecord), m_pTask(pTask), m_hOwner(hOwner), m_pStopValue(pStopValue)
{
}

int CConvertJob::OnStarted(const EncoderProgress& progress)
{
    m_pRecord->m_progress.m_block = progress;
    return 0;
}

int CConvertJob::OnProgress(const EncoderProgress& progress)
{
    if (IsStopRequested())
        return 1;
    m_pRecord->m_progress.m_block = progress;
    m_pTask->OnProgress(*m_pRecord);
    return 0;
}

int CConvertJob::OnFinished(const EncoderProgress& progress)
{
    m_pRecord->m_progress.m_block = progress;
    m_pTask->OnProgress(*m_pRecord);
    return 0;
}

void CConvertJob::SetState(int state)
{
    m_pRecord->SetState(state);
    m_pTask->OnStateChanged(*m_pRecord);
}

void CConvertJob::SetPhase(int phase)
{
    m_pRecord->SetPhase(phase);
    m_pTask->OnStateChanged(*m_pRecord);
}

void CConvertJob::SetResult(int code, bool force)
{
    if (force || m_pRecord->m_progress.m_result == TASK_RESULT_NONE)
        m_pRecord->SetResult(code);
}

int CConvertJob::Run()
{
    CConvertTaskRecord& record = *m_pRecord;
    SetResult(TASK_RESULT_NONE, true);
    SetState(TASK_STATE_RUNNING);
    if (record.m_kind == TASK_KIND_AUTO) {
        if (record.m_inputs.m_inputList.GetSize() > 0)
            record.m_kind = TASK_KIND_JOIN_LIST;
        else
            record.m_kind = record.m_options.m_formatId.IsEmpty() ? TASK_KIND_MERGE : TASK_KIND_CONVERT;
    }
    record.m_progress.m_source = TASK_PROGRESS_FROM_ENCODER;
    int result;
    switch (record.m_kind) {
    case TASK_KIND_MERGE:
        result = MergeVideoAudio();
        break;
    case TASK_KIND_JOIN_LIST:
        result = JoinInputList();
        break;
    case TASK_KIND_JOIN_SEGMENTS:
        result = JoinSegments();
        break;
    default:
        result = Convert();
        break;
    }
    if (result == 0)
        SetState(TASK_STATE_COMPLETED);
    else if (IsStopRequested() || result > 0)
        SetState(TASK_STATE_CANCELED);
    else
        SetState(TASK_STATE_FAILED);
    return result;
}

CString CConvertJob::GetOutputFolder(LPCWSTR firstInput) const
{
    const CConvertOptions& options = m_pRecord->m_options;
    CString folder = (options.m_flags & CONVERT_TO_INPUT_FOLDER) ? GetFolderOfPath(firstInput) : options.m_outputFolder;
    if (!options.m_outputSubfolder.IsEmpty())
        folder = JoinPath(folder, options.m_outputSubfolder);
    // A folder may be typed with '/': every name made from it takes '\'.
    folder.Replace(L'/', L'\\');
    return folder;
}

// The steps every kind takes once it has named its output: the clash with an existing file,
// the folder, the name claimed when asked, and the phases that show the name. 0 to go on,
// else the kind's result.
int CConvertJob::PrepareOutput(CString& path, bool claimName)
{
    if (SettleExistingOutput(path) != 0)
        return 1;
    CString folder = GetFolderOfPath(path);
    if (folder.IsEmpty() || (!FolderExists(folder) && CreateFolderTree(folder) < 0)) {
        SetResult(TASK_ERROR_OUTPUT_FOLDER);
        return -1;
    }
    if (claimName && ClaimOutput(path) != 0)
        return 1;
    m_pRecord->m_progress.m_phaseFlags |= TASK_FLAG_OUTPUT_NAMED;
    SetPhase(TASK_PHASE_OUTPUT_NAMED);
    SetPhase(TASK_PHASE_CONVERTING);
    return 0;
}

// 1 when the task ends here because the output is to be skipped.
int CConvertJob::SettleExistingOutput(CString& path)
{
    IFileExistsPrompt* pPrompt = GetFileExistsPrompt();
    int answer = pPrompt ? pPrompt->GetOverwritePolicy() : FILE_EXISTS_ASK;
    // A free name needs no answer: "skip all" skips only files that are there.
    if (ResolveOutputConflict(path, answer) == 0)
        answer = FILE_EXISTS_ASK;
    if (pPrompt && IsAnswerForAll(answer))
        pPrompt->SetOverwritePolicy(answer);
    // Whatever the answer, an input is never written over.
    if (!IsSkip(answer) && m_pRecord->IsInputPath(path))
        path = MakeUniqueFilePath(GetFolderOfPath(path), GetFileBaseName(path), GetFileExtension(path));
    m_pRecord->m_output.m_path = path;
    // What is there now may be replaced: the user was asked about it, or the setting says so.
    m_replaceable = IsSkip(answer) ? FileStamp() : StampOf(path);
    if (IsSkip(answer)) {
        SetResult(TASK_RESULT_FILE_EXISTS);
        return 1;
    }
    return 0;
}

// A kind that writes straight into its output creates the file first, exclusively: a task that
// wants the same name meanwhile finds it taken and settles that as it does any existing file.
int CConvertJob::ClaimOutput(CString& path)
{
    while (!m_replaceable.exists) {
        HANDLE file = CreateFileW(ExtendedLengthPath(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return 0;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return 0;  // the tool meets the same trouble and reports it
        if (SettleExistingOutput(path) != 0)
            return 1;
    }
    return 0;
}

int CConvertJob::ResolveOutputConflict(CString& path, int& answer)
{
    if (!PathExists(path))
        return 0;
    if (answer == FILE_EXISTS_OVERWRITE_ALL || answer == FILE_EXISTS_SKIP_ALL)
        return 1;
    CString folder = GetFolderOfPath(path), title = GetFileBaseName(path), extension = GetFileExtension(path);
    if (answer == FILE_EXISTS_NEW_NAME_ALL) {
        path = MakeUniqueFilePath(folder, title, extension);
        return 1;
    }
    IFileExistsPrompt* pPrompt = GetFileExistsPrompt();
    for (;;) {
        // Nobody to ask, or nobody waiting for the answer: nothing is overwritten.
        if (!pPrompt || IsStopRequested()) {
            answer = FILE_EXISTS_SKIP;
            return 1;
        }
        CString newTitle;
        int reply = pPrompt->AskFileExists(folder, title, extension, newTitle);
        if (reply == FILE_EXISTS_NEW_NAME || reply == FILE_EXISTS_NEW_NAME_ALL) {
            if (!IsUsableFileTitle(newTitle))
                continue;
            title = newTitle;
            path = JoinPath(folder, title + L"." + extension);
            answer = reply;
            if (!PathExists(path))
                return 1;
        } else if (reply == FILE_EXISTS_OVERWRITE || reply == FILE_EXISTS_SKIP || reply == FILE_EXISTS_OVERWRITE_ALL ||
                   reply == FILE_EXISTS_SKIP_ALL) {
            answer = reply;
            return 1;
        }
    }
}

int CConvertJob::Convert()
{
    CConvertTaskRecord& record = *m_pRecord;
    memset(&record.m_progress.m_block, 0, sizeof(record.m_progress.m_block));
    const CConvertOptions& options = record.m_options;
    CMediaFormat* pFormat = options.m_formatId.IsEmpty() ? nullptr : theMediaFormats.FindFormat(options.m_formatId);
    const CMediaPreset* pPreset = pFormat ? pFormat->FindPreset(options.m_presetName) : nullptr;
    if (!pPreset)
        return -1;
    const CString& input = record.m_inputs.m_mainPath;
    if (!(options.m_flags & CONVERT_INPUT_NEED_NOT_EXIST) && !PathExists(input)) {
        SetResult(TASK_ERROR_INPUT_NOT_FOUND);
        return -1;
    }
    SetPhase(TASK_PHASE_PREPARING);
    if (record.ProbeMainInput(m_pStopValue) < 0 || IsUnendedPlaylist(record.m_inputs.m_mainInfo, input)) {
        SetResult(TASK_ERROR_INPUT_NOT_SUPPORTED);
        return -1;
    }
    CString title = GetFileBaseName(options.m_outputName.IsEmpty() ? input : options.m_outputName);
    CString path = JoinPath(GetOutputFolder(input), title + pFormat->m_extension);
    record.m_output.m_path = path;
    int prepared = PrepareOutput(path, false);
    if (prepared != 0)
        return prepared;
    return ConvertThroughTemporary(*pFormat, *pPreset, path);
}

// The tool writes "[converting] <name>" beside the output, a file this run creates for itself,
// which replaces the output only once it is complete; the temporary file goes however the run
// ends. HLS segments go to a "[converting] <title>" folder likewise and join the output folder
// only with a complete playlist.
int CConvertJob::ConvertThroughTemporary(CMediaFormat& format, const CMediaPreset& preset, CString& outputPath)
{
    CString folder = GetFolderOfPath(outputPath), title = L"[converting] " + GetFileBaseName(outputPath);
    bool segmented = wcscmp(format.m_muxer, L"hls") == 0;
    CString temporary = CreateUniqueFile(folder, title, GetFileExtension(outputPath));
    CString folderTitle(title);
    folderTitle.Replace(L'%', L'_');  // a '%' in the pattern's folder would be read as well
    m_segmentFolder = segmented ? CreateUniqueFolder(folder, folderTitle) : CString();
    CTempFileGuard guard(temporary, true, true);
    CSegmentFolder segments(m_segmentFolder);
    if (temporary.IsEmpty() || (segmented && m_segmentFolder.IsEmpty())) {
        SetResult(TASK_ERROR_OUTPUT_FOLDER);
        return -1;
    }
    CEncoderOptions options;
    if (FillEncoderOptions(options, temporary) != 0) {
        SetResult(TASK_ERROR_CONVERT_FAILED);
        return -1;
    }
    int result = format.Convert(options, preset, m_pRecord->m_inputs.m_mainInfo, this, m_hOwner, m_pStopValue);
    if (result != 0)
        return EncoderFailure(result);
    LONGLONG size = GetFileSize64(temporary);
    std::vector<CString> placed;
    CString segmentTitle = GetFileBaseName(m_pRecord->m_output.m_path);
    if (size <= 0 ||
        segments.MoveInto(folder, segmentTitle, temporary, m_replaceable.exists, m_pStopValue, placed) != 0) {
        SetResult(TASK_ERROR_CONVERT_FAILED);
        return -1;
    }
    m_pRecord->m_output.m_size = size;
    result = PlaceOutput(temporary, outputPath);
    if (result < 0) {
        guard.Keep();  // now the only copy of the result
        SetResult(TASK_ERROR_CONVERT_FAILED);
    }
    if (result > 0)
        CSegmentFolder::RemoveFrom(folder, placed);  // skipped: no playlist names them
    return result == 0 ? FinishOutput(false) : result;
}

// Moves the finished file onto the output name in one step. The name may have been taken while
// the tool ran (by another task, say): a file this run may not replace is settled again, as at
// the start, and never replaced unasked. 0, 1 skipped, -1 failed.
int CConvertJob::PlaceOutput(const CString& temporary, CString& path)
{
    for (;;) {
        FileStamp there = StampOf(path);
        bool replace = IsSameFile(there, m_replaceable);
        if (there.exists && !replace) {
            if (SettleExistingOutput(path) != 0)
                return 1;
            continue;
        }
        if (MoveFileRetry(temporary, path, replace, m_pStopValue) == 0)
            return 0;
        if (replace || !PathExists(path))
            return -1;
    }
}

int CConvertJob::FinishOutput(bool checkSize)
{
    CConvertTaskRecord& record = *m_pRecord;
    if (checkSize) {
        LONGLONG size = GetFileSize64(record.m_output.m_path);
        if (size <= 0) {
            SetResult(TASK_ERROR_CONVERT_FAILED);
            return -1;
        }
        record.m_output.m_size = size;
    }
    record.m_progress.m_phaseFlags |= TASK_FLAG_OUTPUT_WRITTEN;
    SetPhase(TASK_PHASE_CONVERTED);
    SetPhase(TASK_PHASE_ENDING);
    record.ProbeOutput(m_pStopValue);
    record.m_progress.m_phaseFlags |= TASK_FLAG_ENDED;
    SetPhase(TASK_PHASE_ENDED);
    return 0;
}

int CConvertJob::EncoderFailure(int runResult)
{
    if (IsStopRequested())
        return 1;
    if (runResult < 0)
        SetResult(TASK_ERROR_CONVERT_FAILED);
    return -1;
}

// The end of a run that wrote straight into the output path: a failed run removes what it
// wrote, and keeps a file it was allowed to replace only when it never touched it.
int CConvertJob::EndOfDirectWrite(int result)
{
    const CString& path = m_pRecord->m_output.m_path;
    if (result == 0)
        result = FinishOutput(true);
    else
        result = EncoderFailure(result);
    if (result != 0)
        RemoveFailedOutput(path, m_replaceable);
    return result;
}

int CConvertJob::MergeVideoAudio()
{
    CConvertTaskRecord& record = *m_pRecord;
    memset(&record.m_progress.m_block, 0, sizeof(record.m_progress.m_block));
    const CString& video = record.m_inputs.m_mainPath;
    if (!PathExists(video) || !PathExists(record.m_inputs.m_audioPath)) {
        SetResult(TASK_ERROR_INPUT_NOT_FOUND);
        return -1;
    }
    SetPhase(TASK_PHASE_PREPARING);
    if (record.ProbeMainInput(m_pStopValue) < 0 || record.ProbeAudioInput(m_pStopValue) < 0) {
        SetResult(TASK_ERROR_INPUT_NOT_SUPPORTED);
        return -1;
    }
    CString& name = record.m_options.m_outputName;
    if (name.IsEmpty())
        name = PathFindFileNameW(video);
    CString extension = GetFileExtension(name);
    if (extension.IsEmpty())
        extension = GetFileExtension(video);
    if (extension.IsEmpty())
        extension = StreamCopyContainer();
    extension.TrimLeft(L'.');
    CString path = JoinPath(GetOutputFolder(video), GetFileBaseName(name) + L"." + extension);
    int prepared = PrepareOutput(path, true);
    if (prepared != 0)
        return prepared;
    CEncoderOptions options;
    if (FillEncoderOptions(options, path) != 0 || FillStreamCopyOptions(options) != 0) {
        SetResult(TASK_ERROR_CONVERT_FAILED);
        return -1;
    }
    std::unique_ptr<CEncoderJob> pJob(CreateEncoderJob());
    int result = pJob->RunTool(options, m_pStopValue);
    if (result == -1 && !IsStopRequested()) {
        options.VideoSync = L"drop";
        result = pJob->RunTool(options, m_pStopValue);
    }
    return EndOfDirectWrite(result);
}

int CConvertJob::JoinInputList()
{
    CConvertTaskRecord& record = *m_pRecord;
    memset(&record.m_progress.m_block, 0, sizeof(record.m_progress.m_block));
    const CStringArray& files = record.m_inputs.m_inputList;
    if (files.GetSize() == 0) {
        SetResult(TASK_ERROR_INPUT_NOT_FOUND);
        return -1;
    }
    if (record.m_inputs.m_listMode == TASK_LIST_UNDECIDED)
        record.m_inputs.m_listMode = DecideListMode();
    SetPhase(TASK_PHASE_PREPARING);
    const CConvertOptions& options = record.m_options;
    CString title, extension;
    if (!options.m_outputName.IsEmpty()) {
        title = GetFileBaseName(options.m_outputName);
        extension = GetFileExtension(options.m_outputName);
    } else {
        title = JoinedTitle(GetFileBaseName(files[0]));
        CMediaFormat* pFormat = options.m_formatId.IsEmpty() ? nullptr : theMediaFormats.FindFormat(options.m_formatId);
        extension = pFormat ? pFormat->m_extension : L"mp4";
    }
    extension.TrimLeft(L'.');
    if (extension.IsEmpty())
        extension = L"mp4";
    CString path = JoinPath(GetOutputFolder(files[0]), title + L"." + extension);
    int prepared = PrepareOutput(path, true);
    if (prepared != 0)
        return prepared;
    int result;
    if (record.m_inputs.m_listMode == TASK_LIST_REMUX) {
        result = options.m_formatId.IsEmpty() ? JoinByConcatList() : JoinByConcatListWithFormat();
    } else {
        result = JoinBytes();
        if (result == 0 && CheckJoinedBytes() != 0) {
            SetResult(TASK_ERROR_INPUT_NOT_SUPPORTED);
            result = -1;
        }
    }
    return EndOfDirectWrite(result);
}

int CConvertJob::JoinSegments()
{
    CConvertTaskRecord& record = *m_pRecord;
    memset(&record.m_progress.m_block, 0, sizeof(record.m_progress.m_block));
    const CStringArray& files = record.m_inputs.m_inputList;
    if (files.GetSize() == 0) {
        SetResult(TASK_ERROR_INPUT_NOT_FOUND);
        return -1;
    }
    SetPhase(TASK_PHASE_PREPARING);
    const CString& name = record.m_options.m_outputName.IsEmpty() ? files[0] : record.m_options.m_outputName;
    CString extension = GetFileExtension(name);
    if (extension.IsEmpty())
        extension = GetFileExtension(files[0]);
    extension.TrimLeft(L'.');
    CString path = JoinPath(GetOutputFolder(files[0]), GetFileBaseName(name) + L"." + extension);
    int prepared = PrepareOutput(path, true);
    if (prepared != 0)
        return prepared;
    return EndOfDirectWrite(JoinByConcatList());
}

int CConvertJob::DecideListMode()
{
    const CStringArray& files = m_pRecord->m_inputs.m_inputList;
    if (files.GetSize() < 2)
        return TASK_LIST_UNDECIDED;
    CMediaInfo second;
    return second.Probe(files[1], m_pStopValue) == 0 ? TASK_LIST_REMUX : TASK_LIST_BYTES;
}

int CConvertJob::JoinBytes()
{
    CConvertTaskRecord& record = *m_pRecord;
    record.m_progress.m_source = TASK_PROGRESS_FROM_BYTES;
    const CStringArray& files = record.m_inputs.m_inputList;
    LONGLONG total = PositiveSizeSum(files);
    record.m_inputs.m_expectedSize = total;
    if (total <= 0)
        return -1;
    CFileStream output;
    if (output.Open(record.m_output.m_path, GENERIC_WRITE, FILE_SHARE_WRITE, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL) != 0)
        return -1;
    record.SetProgressNumbers(0, total, TASK_PROGRESS_MODE_BYTES);
    m_pTask->OnProgress(record);
    std::vector<BYTE> buffer(kJoinChunkSize);
    LONGLONG position = 0;
    int result = 0;
    for (int i = 0; i < files.GetSize() && result == 0; ++i)
        result = AppendFile(output, files[i], buffer.data(), position);
    if (output.Close() != 0 && result == 0)
        result = -1;
    record.SetProgressNumbers(total, total, TASK_PROGRESS_MODE_BYTES);
    m_pTask->OnProgress(record);
    return result;
}

// A byte join puts the pieces of one file together again (a split file, or fragments behind
// their init segment): what it makes must be media that plays longer than its first piece
// alone. Pieces that add nothing playable were never part of it. 0, or -1.
int CConvertJob::CheckJoinedBytes()
{
    CMediaInfo first, joined;
    if (joined.Probe(m_pRecord->m_output.m_path, m_pStopValue) != 0)
        return -1;
    LONGLONG firstDuration = 0;
    if (first.Probe(m_pRecord->m_inputs.m_inputList[0], m_pStopValue) == 0)
        firstDuration = first.DurationInUs;
    return joined.DurationInUs > firstDuration && joined.DurationInUs > 0 ? 0 : -1;
}

int CConvertJob::AppendFile(CFileStream& output, LPCWSTR path, BYTE* buffer, LONGLONG& position)
{
    CFileStream input;
    if (input.Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN) != 0)
        return -1;
    CConvertTaskRecord& record = *m_pRecord;
    for (;;) {
        if (IsStopRequested())
            return 1;
        DWORD read = 0, written = 0;
        if (input.Read(buffer, kJoinChunkSize, &read) != 0)
            return -1;
        if (read > 0) {
            if (output.Write(buffer, read, &written) != 0 || written != read)
                return -1;
            position += written;
            record.SetProgressNumbers(position, record.m_inputs.m_expectedSize, TASK_PROGRESS_MODE_BYTES);
            m_pTask->OnProgress(record);
        }
        if (read < kJoinChunkSize)
            return 0;
    }
}

CString CConvertJob::JoinContainer() const
{
    const CString& container = m_pRecord->m_options.m_container;
    return container.IsEmpty() ? CString(L"mp4") : container;
}

int CConvertJob::JoinByConcatProtocol()
{
    const CConvertTaskRecord& record = *m_pRecord;
    return RunJoin([&] {
        std::unique_ptr<CEncoderJob> pJob(CreateEncoderJob());
        return pJob->ConcatFiles(record.m_inputs.m_inputList, record.m_output.m_path, JoinContainer(), m_pStopValue);
    });
}

int CConvertJob::JoinByConcatList()
{
    CString listFile = GetUniqueTempPath();
    if (listFile.IsEmpty())
        return -1;
    CTempFileGuard guard(listFile, true, true);
    if (WriteConcatList(listFile) != 0)
        return -1;
    const CConvertTaskRecord& record = *m_pRecord;
    return RunJoin([&] {
        std::unique_ptr<CEncoderJob> pJob(CreateEncoderJob());
        return pJob->ConcatList(listFile, record.m_output.m_path, JoinContainer(), m_pStopValue);
    });
}

int CConvertJob::JoinByConcatListWithFormat()
{
    const CConvertTaskRecord& record = *m_pRecord;
    CMediaFormat* pFormat = theMediaFormats.FindFormat(record.m_options.m_formatId);
    const CMediaPreset* pPreset = pFormat ? pFormat->FindPreset(record.m_options.m_presetName) : nullptr;
    if (!pPreset)
        return -1;
    CString listFile = GetUniqueTempPath();
    if (listFile.IsEmpty())
        return -1;
    CTempFileGuard guard(listFile, true, true);
    CEncoderOptions options;
    if (WriteConcatList(listFile) != 0 || FillConcatOptions(options, listFile) != 0)
        return -1;
    // The format's codecs encode the streams: a copy of all streams would override them.
    options.Codec.Empty();
    // The list file itself cannot be probed; the first listed file stands for the streams.
    CMediaInfo first;
    if (first.Probe(record.m_inputs.m_inputList[0], m_pStopValue) != 0 ||
        pFormat->BuildEncoderOptions(options, *pPreset, first.GetVideoStream(), SelectedAudioStream(first)) != 0)
        return -1;
    return RunJoin([&] {
        int result = CMediaFormat::RunEncoderJob(options, m_hOwner, this, m_pStopValue);
        if (result < 0 && !IsStopRequested()) {
            options.AudioBitstreamFilter = L"aac_adtstoasc";
            result = CMediaFormat::RunEncoderJob(options, m_hOwner, this, m_pStopValue);
        }
        return result;
    });
}

// Without a known size the page shows its busy animation for the run instead of progress.
int CConvertJob::RunJoin(const std::function<int()>& run)
{
    CConvertTaskRecord& record = *m_pRecord;
    record.m_inputs.m_expectedSize = PositiveSizeSum(record.m_inputs.m_inputList);
    bool sizeUnknown = record.m_inputs.m_expectedSize <= 0;
    if (sizeUnknown)
        m_pTask->NotifyStarted(record);
    int result = run();
    if (sizeUnknown)
        m_pTask->NotifyStopped(record);
    return result;
}

// "file '<path>'" a line, with the list syntax's own quoting for apostrophes, in UTF-8 as the
// encoding tool reads it.
int CConvertJob::WriteConcatList(LPCWSTR listFile) const
{
    const CStringArray& files = m_pRecord->m_inputs.m_inputList;
    CString text;
    for (int i = 0; i < files.GetSize(); ++i) {
        CString path = files[i];
        path.Replace(L"'", L"'\\''");
        text.AppendFormat(L"file '%s'\r\n", static_cast<LPCWSTR>(path));
    }
    CStringA bytes = WideToUtf8(text, text.GetLength());
    return WriteBufferToFile(listFile, static_cast<LPCSTR>(bytes), bytes.GetLength());
}

int CConvertJob::FillEncoderOptions(CEncoderOptions& options, LPCWSTR outputPath)
{
    CConvertTaskRecord& record = *m_pRecord;
    options.Reset();
    SetInputs(options);
    SetCut(options);
    if (outputPath && *outputPath) {
        options.OutputPath = outputPath;
        const CString& finalPath = record.m_output.m_path;
        options.HlsSegmentPattern = m_segmentFolder.IsEmpty()
                                        ? JoinPath(GetFolderOfPath(finalPath), GetFileBaseName(finalPath) + L"-%04d.ts")
                                        : CSegmentFolder::Pattern(m_segmentFolder);
    } else {
        options.OutputPath = record.m_output.m_path;
    }
    SetFilters(options);
    options.Volume = 256;
    if (record.m_options.m_volume != 100) {
        int volume = static_cast<int>(record.m_options.m_volume * 2.56);
        options.Volume = volume < 0 ? 256 : volume;
    }
    return 0;
}

// With a second or third input, every kind is taken from the input meant for it, never by
// the tool's own choice (which prefers the video file's audio to an added one).
void CConvertJob::SetInputs(CEncoderOptions& options) const
{
    const CTaskInputs& inputs = m_pRecord->m_inputs;
    bool hasAudioInput = !inputs.m_audioPath.IsEmpty(), hasSubtitleInput = !inputs.m_subtitlePath.IsEmpty();
    bool explicitChoice = hasAudioInput || hasSubtitleInput;
    const CMediaInfo& main = inputs.m_mainInfo;
    const CMediaInfo& audio = hasAudioInput ? inputs.m_audioInfo : main;
    const CMediaInfo& subtitles = hasSubtitleInput ? inputs.m_subtitleInfo : main;
    options.InputPath = inputs.m_mainPath;
    options.VideoStream = StreamChoice(main.SelectedVideoStream, main.VideoStreams, explicitChoice);
    options.Input2Path = inputs.m_audioPath;
    options.AudioStream = StreamChoice(audio.SelectedAudioStream, audio.AudioStreams, explicitChoice);
    options.Input3Path = inputs.m_subtitlePath;
    options.SubtitleStream = StreamChoice(subtitles.SelectedSubtitleStream, subtitles.SubtitleStreams, hasSubtitleInput);
}

void CConvertJob::SetCut(CEncoderOptions& options)
{
    CConvertOptions& settings = m_pRecord->m_options;
    options.InputStart = settings.m_cutStart > 0 ? settings.m_cutStart : 0;
    if (settings.m_cutEnd <= settings.m_cutStart)
        settings.m_cutEnd = -1;
    if (settings.m_cutEnd > 0) {
        LONGLONG duration = settings.m_cutEnd - options.InputStart;
        options.InputDuration = duration;
        options.OutputDuration = duration;
    }
}

void CConvertJob::SetFilters(CEncoderOptions& options) const
{
    const CConvertOptions& settings = m_pRecord->m_options;
    if (settings.m_rotation)
        options.Rotation = settings.m_rotation;
    if (settings.m_horizontalFlip)
        options.HFlip = settings.m_horizontalFlip;
    if (settings.m_verticalFlip)
        options.VFlip = settings.m_verticalFlip;
    if (settings.m_grayscale)
        options.Grayscale = settings.m_grayscale;
    if (settings.m_negate)
        options.Negate = settings.m_negate;
    if (settings.m_oldPhoto)
        options.OldPhoto = settings.m_oldPhoto;
    if (settings.m_gifLoop != -1)
        options.GifLoop = settings.m_gifLoop;
}

// The container of a stream copy when the record names none: WebM for WebM sources, else MP4.
CString CConvertJob::StreamCopyContainer() const
{
    const CTaskInputs& inputs = m_pRecord->m_inputs;
    CString name = inputs.m_mainInfo.Format;
    name.MakeLower();
    if (!name.IsEmpty())
        return name.Find(L"webm") >= 0 ? L"webm" : L"mp4";
    CString extension = GetFileExtension(inputs.m_mainPath);
    extension.MakeLower();
    return extension.Find(L"web") >= 0 ? L"webm" : L"mp4";
}

int CConvertJob::FillStreamCopyOptions(CEncoderOptions& options)
{
    const CConvertOptions& settings = m_pRecord->m_options;
    options.OutputFormat = settings.m_container.IsEmpty() ? StreamCopyContainer() : settings.m_container;
    options.StrictLevel = -2;
    options.VideoCodec = settings.m_videoCodec.IsEmpty() ? CString(L"copy") : settings.m_videoCodec;
    options.AudioCodec = settings.m_audioCodec;
    ChooseAudioCodecForContainer(options.AudioCodec, options.OutputFormat);
    options.SubtitleCodec = settings.m_subtitleCodec.IsEmpty() ? CString(L"copy") : settings.m_subtitleCodec;
    return 0;
}

int CConvertJob::FillConcatOptions(CEncoderOptions& options, LPCWSTR listFile)
{
    const CConvertTaskRecord& record = *m_pRecord;
    options.Reset();
    options.InputPath = listFile;
    options.InputFormat = L"concat";
    options.SafeFlag = 0;
    options.OutputFormat = JoinContainer();
    options.Codec = L"copy";
    options.OutputPath = record.m_output.m_path;
    return 0;
}

CEncoderJob* CConvertJob::CreateEncoderJob()
{
    CEncoderJob* pJob = new CEncoderJob;
    pJob->m_hCallbackWnd = m_hOwner;
    pJob->m_pListener = this;
    return pJob;
}
