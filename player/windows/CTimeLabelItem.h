// The control bar's time label: the position and the duration in one of four forms, switched by
// a click (position / duration, -remaining / duration, position, -remaining). Times are
// milliseconds; the Us setters take the playback session's microseconds.
#pragma once
#include "framework/controls/CItemBar.h"

class CTimeLabelItem : public CBarTextItem {
public:
    CTimeLabelItem(CBarItemContainer* pOwner, int nID);

    int GetID() const override { return m_nID; }
    // A click fires the item's command; the label is hot under the mouse.
    BOOL OnMessage(const MSG* pMsg) override;
    void Draw(CDC* pDC) override;

    // The position goes back to 0.
    void SetDuration(int nMilliseconds);
    void SetPosition(int nMilliseconds);
    void SetDurationUs(LONGLONG nMicroseconds);
    void SetPositionUs(LONGLONG nMicroseconds);
    void ToggleTimeMode();
    // The width the label's longest text of its form needs.
    int GetPreferredWidth() const;
    void UpdateText();

    int m_nID;
    int m_nDuration = 0;
    int m_nPosition = 0;
    BOOL m_bWithDuration = TRUE;
    BOOL m_bShowRemaining = FALSE;

private:
    int GetFixedWidth() const;
    int GetTextWidth() const;
};
