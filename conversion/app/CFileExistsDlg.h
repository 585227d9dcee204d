// "File already exists": what to do about an output file that is there already. It offers a
// free name (editable), overwriting or skipping, optionally for every later file, and can
// answer itself after its countdown. Its end code is the engine's answer (IFileExistsPrompt.h):
// 1 new name, 2 overwrite, 3 skip (also Cancel and the close box), 4 skip and delete; 10 more
// with "Always use this action". Shown modally on the task's worker thread.
#pragma once
#include "conversion/app/CAutoCloseDlg.h"

class CConversionSettings;

class CFileExistsDlg : public CAutoCloseDlg {
    DECLARE_DYNAMIC(CFileExistsDlg)
public:
    // The auto-close box starts as the settings say and is written back when the dialog
    // object goes.
    CFileExistsDlg(CConversionSettings& settings, LPCWSTR folder, LPCWSTR title, LPCWSTR extension,
                   CWnd* pParentWnd = nullptr);
    ~CFileExistsDlg() override;

    // The end code for a radio index (0-3) and the "always" box.
    static int AnswerFor(int action, BOOL always);

    CString m_folder;
    CString m_title;
    CString m_extension;  // without leading dots once the dialog is up
    int m_action = 0;     // the radio group: new name, overwrite, skip, skip and delete
    CString m_newTitle;
    int m_always = 0;

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    void OnActionClicked();
    DECLARE_MESSAGE_MAP()

private:
    void EnableNewTitle();

    CConversionSettings& m_settings;
};
