// The conversion tool's answer to the engine's question about an existing output file: the
// Overwrite setting of the settings object and the "File already exists" dialog, shown on the
// task's worker thread that asks. The program installs it with SetFileExistsPrompt.
#pragma once
#include "conversion/engine/IFileExistsPrompt.h"

class CConversionSettings;

class CFileExistsPrompt : public IFileExistsPrompt {
public:
    explicit CFileExistsPrompt(CConversionSettings& settings) : m_settings(settings) {}

    int GetOverwritePolicy() override;
    void SetOverwritePolicy(int answer) override;
    // A dialog that can't be shown skips the file.
    int AskFileExists(LPCWSTR folder, LPCWSTR title, LPCWSTR extension, CString& newTitle) override;

private:
    CConversionSettings& m_settings;
};
