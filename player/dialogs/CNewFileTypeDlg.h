// The "File Type" dialog of the File Associations page: the user names a new file type by its
// extension and a description and picks one of the three file icons (video, audio, playlist).
// Modal, on the window thread.
#pragma once
#include "classlib/CComboBoxEx.h"
#include "classlib/CDialog.h"
#include "classlib/CImageList.h"

// The choices of the icon box; the file type's icon index is the choice + 2.
const int FILE_TYPE_ICON_VIDEO = 0;
const int FILE_TYPE_ICON_AUDIO = 1;
const int FILE_TYPE_ICON_PLAYLIST = 2;
const int FILE_TYPE_ICON_INDEX_BASE = 2;

// Makes the 16 x 16 list of the three file icons, in the order of the choices.
BOOL CreateFileTypeImageList(CImageList& imageList);

class CNewFileTypeDlg : public CDialog {
public:
    explicit CNewFileTypeDlg(CWnd* pParentWnd = nullptr);

    // The extension as the player keeps it: trimmed, with one leading dot. Empty when the text
    // is not an extension (nothing after the dot, or blanks, dots or characters that a file
    // name or a registry key cannot hold).
    static CString MakeExtension(LPCWSTR pszText);

    CImageList m_imageList;
    CComboBoxEx m_iconCombo;
    CString m_strExtension;
    int m_nIcon = FILE_TYPE_ICON_VIDEO;
    CString m_strName;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Refuses an empty name or a text that is no extension, saying why; the dialog stays open.
    void OnOK() override;
};
