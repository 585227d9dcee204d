// One probe of a media file: the probing tool runs with its output in a temporary file, which
// is read back and parsed into a media record.
#pragma once
#include "mediatools/CMediaInfo.h"
#include "mediatools/CProbeRunner.h"

class CProbeSession : public CProbeRunner {
public:
    // 0 success; the tool run's result when it did not succeed (-2 missing, -1 failure,
    // 1 stopped); -1 when the output cannot be read or parsed. Runs on a worker thread.
    virtual int ProbeFile(LPCWSTR pszPath, CMediaInfo& info, const StopFlag* pStopFlag);
    virtual int ParseOutput(LPCWSTR pszOutputFile, CMediaInfo& info);
    // Fills what the output lacks: the file size, and a container named by a list of names
    // narrowed to the one the file's extension names.
    virtual int CompleteMediaInfo(CMediaInfo& info, LPCWSTR pszPath);

    CProbeOptions m_options;
};

int ProbeMediaFile(CMediaInfo& info, LPCWSTR pszPath, const StopFlag* pStopFlag);
int ProbeMediaFileCountFrames(CMediaInfo& info, LPCWSTR pszPath, int nCountFrames, const StopFlag* pStopFlag);
