#include "conversion/app/CConversionPage.h"
#include "classlib/AfxMessageMap.h"
#include "classlib/CDataExchange.h"
#include "classlib/CFrameWnd.h"
#include "conversion/app/CConversionUiResources.h"
#include "conversion/app/res/FetcherResources.h"

IMPLEMENT_DYNAMIC(CConversionPage, CCXDialog)

namespace {

const int kStateIconSize = 24;

}  // namespace

BEGIN_MESSAGE_MAP(CConversionPage, CCXDialog)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_PAGE_DELETE_SOURCE, &CConversionPage::OnDeleteSourceClicked)
END_MESSAGE_MAP()

CConversionPage::CConversionPage(UINT nIDTemplate) : CCXDialog(nIDTemplate) {}

int CConversionPage::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CCXDialog::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CConversionPage::DoDataExchange(CDataExchange* pDX)
{
    CCXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAGE_STATE_ICON, m_stateIcon);
    int deleteSource = m_bDeleteSource;
    DDX_Check(pDX, IDC_PAGE_DELETE_SOURCE, deleteSource);
    m_bDeleteSource = deleteSource;
}

BOOL CConversionPage::OnInitDialog()
{
    CCXDialog::OnInitDialog();
    ReplaceProgressPlaceholder();
    if (CWnd* pStart = GetDlgItem(IDC_PAGE_START))
        pStart->SetFont(theConversionUiResources.GetBoldFont());
    m_stateIcon.SetBkColor(kPageBackground);
    m_stateIcon.SetImageList(&theConversionUiResources.m_stateImages, -1);
    m_stateIcon.m_cxImage = m_stateIcon.m_cyImage = kStateIconSize;
    m_stateIcon.SetWindowPos(nullptr, 0, 0, kStateIconSize, kStateIconSize, SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
}

// The template holds a standard progress bar where the progress line goes.
void CConversionPage::ReplaceProgressPlaceholder()
{
    CWnd* pPlaceholder = GetDlgItem(IDC_PAGE_PROGRESS);
    if (!pPlaceholder)
        return;
    CRect rect;
    pPlaceholder->GetWindowRect(&rect);
    ScreenToClient(&rect);
    pPlaceholder->DestroyWindow();
    m_progress.Create(WS_CHILD, rect, this, IDC_PAGE_PROGRESS);
    m_progress.SetWindowPos(GetDlgItem(IDC_PAGE_STATE_ICON), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL CConversionPage::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        CFrameWnd* pFrame = GetTopLevelFrame();
        if (pFrame && pFrame->m_hAccelTable && ::TranslateAcceleratorW(pFrame->m_hWnd, pFrame->m_hAccelTable, pMsg))
            return TRUE;
    }
    return CCXDialog::PreTranslateMessage(pMsg);
}

int CConversionPage::CollectData()
{
    UpdateData(TRUE);
    return 0;
}

void CConversionPage::OnDeleteSourceClicked()
{
    m_bDeleteSource = IsDlgButtonChecked(IDC_PAGE_DELETE_SOURCE) ? 1 : 0;
}

void CConversionPage::EnableItem(UINT nID, BOOL bEnable)
{
    if (CWnd* pControl = GetDlgItem(nID))
        pControl->EnableWindow(bEnable);
}

void CConversionPage::SetTip(UINT nID, LPCWSTR lpszTip)
{
    if (CWnd* pControl = GetDlgItem(nID))
        m_toolTip.UpdateTipText(lpszTip, pControl);
}

void CConversionPage::OnDestroy()
{
    m_bClosing = TRUE;
    CCXDialog::OnDestroy();
}

BOOL CConversionPage::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, kPageBackground);
    return TRUE;
}

HBRUSH CConversionPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CCXDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (nCtlColor == CTLCOLOR_BTN || nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkColor(kPageBackground);
        return static_cast<HBRUSH>(theConversionUiResources.m_pageBrush.GetSafeHandle());
    }
    return hBrush;
}

LONGLONG CConversionPage::NextBusyPosition(LONGLONG position, LONGLONG range)
{
    position += 2;
    return position > range ? 0 : position;
}

void CConversionPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kBusyTimer)
        m_progress.SetProgress(NextBusyPosition(m_progress.GetPosition(), m_progress.GetRange()), m_progress.GetRange());
    CCXDialog::OnTimer(nIDEvent);
}
