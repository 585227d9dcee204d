#include "conversion/app/CFileExistsPrompt.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/CFileExistsDlg.h"

int CFileExistsPrompt::GetOverwritePolicy()
{
    return m_settings.GetOverwritePolicy();
}

void CFileExistsPrompt::SetOverwritePolicy(int answer)
{
    m_settings.SetOverwritePolicy(answer);
}

int CFileExistsPrompt::AskFileExists(LPCWSTR folder, LPCWSTR title, LPCWSTR extension, CString& newTitle)
{
    CFileExistsDlg dlg(m_settings, folder, title, extension);
    INT_PTR answer = dlg.DoModal();
    if (answer == FILE_EXISTS_NEW_NAME || answer == FILE_EXISTS_NEW_NAME_ALL)
        newTitle = dlg.m_newTitle;
    switch (answer) {
    case FILE_EXISTS_NEW_NAME:
    case FILE_EXISTS_OVERWRITE:
    case FILE_EXISTS_NEW_NAME_ALL:
    case FILE_EXISTS_OVERWRITE_ALL:
    case FILE_EXISTS_SKIP_ALL:
        return static_cast<int>(answer);
    case 14:  // skip and delete from the list: the engine keeps no list, so a skip for all
        return FILE_EXISTS_SKIP_ALL;
    default:
        return FILE_EXISTS_SKIP;
    }
}
