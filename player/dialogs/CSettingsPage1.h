// The "General" page of the Settings sheet: playlist and start-up options, update checks and
// the thumbnail size, copied from the player's settings when the page opens and back on OK.
// Window thread.
#pragma once
#include "classlib/CPropertySheet.h"

class CSettingsPage1 : public CPropertyPage {
public:
    CSettingsPage1();

    BOOL OnInitDialog() override;
    // Refuses a thumbnail size out of range (the page stays open); else stores every value.
    BOOL OnApply() override;

    static const int kCheckCount = 6;
    int m_checks[kCheckCount] = {};  // in the order of the page's check boxes
    int m_nThumbnailWidth = 0;
    int m_nThumbnailHeight = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
