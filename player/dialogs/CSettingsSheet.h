// The player's "Settings" sheet: the General, File Associations and History pages, without an
// Apply button. DoModal answers IDOK when the pages have stored their values in the player's
// settings and file types; the caller then saves them. Modal, on the window thread.
#pragma once
#include "framework/dialogs/CCXPropertySheet.h"
#include "player/dialogs/CSettingsPage1.h"
#include "player/dialogs/CSettingsPage2.h"
#include "player/dialogs/CSettingsPage3.h"

class CSettingsSheet : public CCXPropertySheet {
public:
    explicit CSettingsSheet(CWnd* pParentWnd = nullptr);

    CSettingsPage1 m_generalPage;
    CSettingsPage2 m_fileTypesPage;
    CSettingsPage3 m_historyPage;
};
