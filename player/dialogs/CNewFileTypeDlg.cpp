#include "player/dialogs/CNewFileTypeDlg.h"
#include "classlib/AfxModule.h"
#include "classlib/CDataExchange.h"
#include "player/res/PlayerResources.h"

namespace {

const int kIconSize = 16;
const int kItemHeight = 20;
const wchar_t kNotAllowed[] = L" \t.\\/:*?\"<>|";

struct IconChoice {
    int resource;
    const wchar_t* text;
};

const IconChoice kIconChoices[] = {
    {IDI_VIDEO_FILE, L"Video"},
    {IDI_AUDIO_FILE, L"Audio"},
    {IDI_PLAYLIST_FILE, L"Playlist"},
};

}  // namespace

BOOL CreateFileTypeImageList(CImageList& imageList)
{
    if (!imageList.Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 0, 4))
        return FALSE;
    for (const IconChoice& choice : kIconChoices) {
        HICON hIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(choice.resource),
                                                      IMAGE_ICON, kIconSize, kIconSize, 0));
        if (hIcon) {
            imageList.Add(hIcon);
            ::DestroyIcon(hIcon);
        }
    }
    return TRUE;
}

CNewFileTypeDlg::CNewFileTypeDlg(CWnd* pParentWnd) : CDialog(IDD_NEW_FILE_TYPE, pParentWnd) {}

CString CNewFileTypeDlg::MakeExtension(LPCWSTR pszText)
{
    CString extension = pszText;
    extension.Trim();
    if (!extension.IsEmpty() && extension[0] == L'.')
        extension = extension.Mid(1);
    if (extension.IsEmpty() || wcspbrk(extension, kNotAllowed))
        return CString();
    return L"." + extension;
}

BOOL CNewFileTypeDlg::OnInitDialog()
{
    // The choices exist before the data exchange selects one.
    m_iconCombo.SubclassDlgItem(IDC_FILE_TYPE_ICON, this);
    CreateFileTypeImageList(m_imageList);
    m_iconCombo.SetImageList(&m_imageList);
    for (int i = 0; i < static_cast<int>(sizeof(kIconChoices) / sizeof(kIconChoices[0])); ++i) {
        COMBOBOXEXITEMW item = {};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = i;
        item.pszText = const_cast<LPWSTR>(kIconChoices[i].text);
        item.iImage = i;
        item.iSelectedImage = i;
        m_iconCombo.InsertItem(&item);
    }
    m_iconCombo.SendMessage(CB_SETITEMHEIGHT, 0, kItemHeight);
    return CDialog::OnInitDialog();
}

void CNewFileTypeDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_FILE_EXTENSION, m_strExtension);
    DDX_CBIndex(pDX, IDC_FILE_TYPE_ICON, m_nIcon);
    DDX_Text(pDX, IDC_FILE_TYPE_NAME, m_strName);
}

void CNewFileTypeDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_strName.Trim();
    CString extension = MakeExtension(m_strExtension);
    if (extension.IsEmpty()) {
        MessageBox(L"Please enter a file extension, for example .mp3.", L"File Type", MB_OK | MB_ICONWARNING);
        GotoDlgCtrl(GetDlgItem(IDC_FILE_EXTENSION));
        return;
    }
    if (m_strName.IsEmpty()) {
        MessageBox(L"Please enter a name for the file type, for example MP3 File.", L"File Type",
                   MB_OK | MB_ICONWARNING);
        GotoDlgCtrl(GetDlgItem(IDC_FILE_TYPE_NAME));
        return;
    }
    m_strExtension = extension;
    EndDialog(IDOK);
}
