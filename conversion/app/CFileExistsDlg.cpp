#include "conversion/app/CFileExistsDlg.h"
#include "classlib/AfxMessageMap.h"
#include "conversion/app/CConversionSettings.h"
#include "conversion/app/res/ConversionAppResources.h"
#include "conversion/engine/IFileExistsPrompt.h"
#include "conversion/engine/UniqueFileName.h"

IMPLEMENT_DYNAMIC(CFileExistsDlg, CAutoCloseDlg)

BEGIN_MESSAGE_MAP(CFileExistsDlg, CAutoCloseDlg)
ON_BN_CLICKED(IDC_ACTION_NEW_NAME, &CFileExistsDlg::OnActionClicked)
ON_BN_CLICKED(IDC_ACTION_OVERWRITE, &CFileExistsDlg::OnActionClicked)
ON_BN_CLICKED(IDC_ACTION_SKIP, &CFileExistsDlg::OnActionClicked)
END_MESSAGE_MAP()

namespace {

const int kActionIds[] = {IDC_ACTION_NEW_NAME, IDC_ACTION_OVERWRITE, IDC_ACTION_SKIP, IDC_ACTION_SKIP_DELETE};

}  // namespace

CFileExistsDlg::CFileExistsDlg(CConversionSettings& settings, LPCWSTR folder, LPCWSTR title, LPCWSTR extension,
                               CWnd* pParentWnd)
    : CAutoCloseDlg(IDD_FILE_EXISTS, pParentWnd),
      m_folder(folder),
      m_title(title),
      m_extension(extension),
      m_settings(settings)
{
    m_autoClose = settings.GetAutoCloseOverwriteDlg();
}

CFileExistsDlg::~CFileExistsDlg()
{
    m_settings.SetAutoCloseOverwriteDlg(m_autoClose);
}

int CFileExistsDlg::AnswerFor(int action, BOOL always)
{
    int answer = action >= 0 && action < 4 ? action + 1 : FILE_EXISTS_SKIP;
    return always ? answer + 10 : answer;
}

BOOL CFileExistsDlg::OnInitDialog()
{
    BOOL result = CAutoCloseDlg::OnInitDialog();
    HWND hIcon = ::GetDlgItem(m_hWnd, IDC_FILE_EXISTS_ICON);
    if (hIcon && !::SendMessageW(hIcon, STM_GETICON, 0, 0))
        ::SendMessageW(hIcon, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_WARNING)), 0);
    SetControlTip(IDC_ALWAYS_USE_ACTION, L"Always use this action if file alreasy exists");
    m_extension.TrimLeft(L'.');
    CString path;
    path.Format(L"%s\\%s.%s", static_cast<LPCWSTR>(m_folder), static_cast<LPCWSTR>(m_title),
                static_cast<LPCWSTR>(m_extension));
    SetDlgItemText(IDC_EXISTING_PATH, path);
    CString unique = MakeUniqueFileName(m_folder, m_title, m_extension);
    SetDlgItemText(IDC_NEW_TITLE, unique);
    // The part the user most likely changes: the " (n)" after the old title.
    SendDlgItemMessage(IDC_NEW_TITLE, EM_SETSEL, m_title.GetLength(), -1);
    CheckRadioButton(IDC_ACTION_NEW_NAME, IDC_ACTION_SKIP_DELETE,
                     kActionIds[m_action >= 0 && m_action < 4 ? m_action : 0]);
    EnableNewTitle();
    // The question comes from a task's thread while the user may be elsewhere in the program.
    ::SetForegroundWindow(m_hWnd);
    return result;
}

void CFileExistsDlg::EnableNewTitle()
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_NEW_TITLE), IsDlgButtonChecked(IDC_ACTION_NEW_NAME) == BST_CHECKED);
}

void CFileExistsDlg::OnActionClicked()
{
    EnableNewTitle();
}

void CFileExistsDlg::OnOK()
{
    m_action = 0;
    for (int i = 0; i < 4; i++) {
        if (IsDlgButtonChecked(kActionIds[i]) == BST_CHECKED)
            m_action = i;
    }
    GetDlgItemText(IDC_NEW_TITLE, m_newTitle);
    m_always = IsDlgButtonChecked(IDC_ALWAYS_USE_ACTION) == BST_CHECKED ? 1 : 0;
    m_autoClose = IsDlgButtonChecked(IDC_AUTO_CLOSE) == BST_CHECKED ? 1 : 0;
    // A new name must be one the file can have; the dialog stays up for another.
    if (m_action == 0 && !IsUsableFileTitle(m_newTitle)) {
        KillTimer(kTimerId);
        MessageBox(
            L"Please enter a valid file name. A file name can't be empty or contain any of the following "
            L"characters:\n\\ / : * ? \" < > |",
            L"File already exists", MB_OK | MB_ICONWARNING);
        GotoDlgCtrl(GetDlgItem(IDC_NEW_TITLE));
        return;
    }
    EndDialog(AnswerFor(m_action, m_always));
}

void CFileExistsDlg::OnCancel()
{
    m_autoClose = IsDlgButtonChecked(IDC_AUTO_CLOSE) == BST_CHECKED ? 1 : 0;
    EndDialog(FILE_EXISTS_SKIP);
}
