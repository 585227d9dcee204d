#include "player/dialogs/CSettingsSheet.h"

CSettingsSheet::CSettingsSheet(CWnd* pParentWnd) : CCXPropertySheet(L"Settings", pParentWnd)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_generalPage);
    AddPage(&m_fileTypesPage);
    AddPage(&m_historyPage);
}
