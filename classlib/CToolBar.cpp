#include "classlib/CToolBar.h"
#include "classlib/AfxModule.h"
#include "classlib/CCmdUI.h"
#include "classlib/CFrameWnd.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

const WORD RT_TOOLBAR_TYPE = 241;

// The button a toolbar update pass is at: its command's state becomes the button's state.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override { m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck != 0, 0)); }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCWSTR) override {}
};

// Reads little-endian words and double words of a resource; zero past its end.
class CResourceReader {
public:
    CResourceReader(const BYTE* pData, DWORD cbData) : m_pData(pData), m_cbData(cbData) {}
    DWORD Size() const { return m_cbData; }
    WORD Word(DWORD nIndex) const { return static_cast<WORD>(Read(2 * nIndex, 2)); }
    DWORD Dword(DWORD nIndex) const { return Read(4 * nIndex, 4); }

private:
    DWORD Read(DWORD nOffset, DWORD nBytes) const
    {
        if (nOffset > m_cbData || m_cbData - nOffset < nBytes)
            return 0;
        DWORD value = 0;
        for (DWORD i = 0; i < nBytes; ++i)
            value |= static_cast<DWORD>(m_pData[nOffset + i]) << (8 * i);
        return value;
    }
    const BYTE* m_pData;
    DWORD m_cbData;
};

// The button size and ids of a toolbar resource. Two layouts exist: words (version 1, width,
// height, count, ids), and the one windres writes, double words without the version.
bool ParseToolBarResource(const CResourceReader& reader, CSize& sizeImage, std::vector<UINT>& ids)
{
    ids.clear();
    DWORD nCount = reader.Dword(2);
    if (reader.Size() >= 12 && nCount <= (reader.Size() - 12) / 4 && reader.Size() == 12 + 4 * nCount) {
        sizeImage = CSize(static_cast<int>(reader.Dword(0)), static_cast<int>(reader.Dword(1)));
        for (DWORD i = 0; i < nCount; ++i)
            ids.push_back(reader.Dword(3 + i));
        return true;
    }
    nCount = reader.Word(3);
    if (reader.Word(0) != 1 || reader.Size() < 8 + 2 * nCount)
        return false;
    sizeImage = CSize(reader.Word(1), reader.Word(2));
    for (DWORD i = 0; i < nCount; ++i)
        ids.push_back(reader.Word(4 + i));
    return true;
}

}  // namespace

CToolBar::CToolBar() : m_hbmImageWell(nullptr) {}

CToolBar::~CToolBar()
{
    // The control draws from the bitmap until its window is gone.
    if (m_hWnd && GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId())
        DestroyWindow();
    if (m_hbmImageWell && !m_hWnd)
        DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};  // registers the control's class
    InitCommonControlsEx(&icc);
    m_dwStyle = dwStyle & CBRS_ALL;
    // The frame lays the bar out, so the control neither places nor sizes itself.
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                          CCS_NODIVIDER | CCS_NORESIZE;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEW, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetBarStyle(m_dwStyle);
    return TRUE;
}

void CToolBar::SetBarStyle(DWORD dwStyle)
{
    CControlBar::SetBarStyle(dwStyle);
    HWND hWndTip = m_hWnd ? reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS)) : nullptr;
    if (hWndTip)
        ::SendMessageW(hWndTip, TTM_ACTIVATE, (m_dwStyle & CBRS_TOOLTIPS) != 0, 0);
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = FindResourceW(hInstance, MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(RT_TOOLBAR_TYPE));
    HGLOBAL hData = hResource ? LoadResource(hInstance, hResource) : nullptr;
    const BYTE* pData = hData ? static_cast<const BYTE*>(LockResource(hData)) : nullptr;
    if (!pData)
        return FALSE;
    CSize sizeImage;
    std::vector<UINT> ids;
    if (!ParseToolBarResource(CResourceReader(pData, SizeofResource(hInstance, hResource)), sizeImage, ids))
        return FALSE;

    HBITMAP hbm = static_cast<HBITMAP>(
        LoadImageW(hInstance, MAKEINTRESOURCEW(nIDResource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!hbm)
        return FALSE;
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    int nImages = static_cast<int>(std::count_if(ids.begin(), ids.end(), [](UINT id) { return id != 0; }));
    if (m_hbmImageWell) {
        TBREPLACEBITMAP replace = {nullptr, reinterpret_cast<UINT_PTR>(m_hbmImageWell), nullptr,
                                   reinterpret_cast<UINT_PTR>(hbm), nImages};
        SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace));
        DeleteObject(m_hbmImageWell);
    } else {
        TBADDBITMAP add = {nullptr, reinterpret_cast<UINT_PTR>(hbm)};
        SendMessage(TB_ADDBITMAP, nImages, reinterpret_cast<LPARAM>(&add));
    }
    m_hbmImageWell = hbm;
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (!lpIDArray && nIDCount > 0)
        return FALSE;
    while (GetCount() > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons;
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button = {};
        if (lpIDArray[i] == ID_SEPARATOR) {
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.iBitmap = iImage++;
            button.idCommand = static_cast<int>(lpIDArray[i]);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        }
        buttons.push_back(button);
    }
    return buttons.empty() ||
           SendMessage(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button)))
        return 0;
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button)))
        return 0;
    return MAKELONG(button.fsStyle, button.fsState) ^ TBBS_DISABLED;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    nStyle ^= TBBS_DISABLED;
    TBBUTTONINFOW info = {sizeof(info)};
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    info.fsState = static_cast<BYTE>(HIWORD(nStyle));
    SendMessage(TB_SETBUTTONINFOW, nIndex, reinterpret_cast<LPARAM>(&info));
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(0, HIWORD(SendMessage(TB_GETBUTTONSIZE)));
    for (int i = 0, n = GetCount(); i < n; ++i) {
        CRect rcItem;
        GetItemRect(i, &rcItem);
        size.cx = std::max(size.cx, rcItem.right);
        size.cy = std::max(size.cy, rcItem.bottom);
    }
    size.cy += 2;  // the control's own top padding, mirrored below
    if (bStretch)
        (bHorz ? size.cx : size.cy) = 32767;
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == ID_SEPARATOR)
            continue;
        // The bar's own update handlers come before the frame's routing.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
