// The "History" page of the Settings sheet: whether the recent files and playlists are kept and
// how many, and buttons that empty either list at once. OK stores the values and cuts the lists
// to them at once. Window thread.
#pragma once
#include "classlib/CPropertySheet.h"

class CSettingsPage3 : public CPropertyPage {
public:
    CSettingsPage3();

    BOOL OnInitDialog() override;
    // Refuses a maximum out of range (the page stays open); else stores the four values and
    // applies them to the recent lists.
    BOOL OnApply() override;

    // Whether the controls differ from the stored settings: a check box changed, or a checked
    // list's maximum.
    BOOL HasChanges() const;

    int m_bRememberRecentFiles = 0;
    int m_nMaxRecentFiles = 0;
    int m_bRememberRecentPlaylists = 0;
    int m_nMaxRecentPlaylists = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnRememberClicked();
    void OnMaximumChanged();
    void OnClearRecentFiles();
    void OnClearRecentPlaylists();
    DECLARE_MESSAGE_MAP()

    // Each maximum can be edited only while its list is kept.
    void UpdateEnabling();
};
