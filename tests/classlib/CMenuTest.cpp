// CMenu: loading, building and changing menus and the state of their items.
#include "classlib/AfxTempMap.h"
#include "classlib/CCmdUI.h"
#include "classlib/CMenu.h"
#include <gtest/gtest.h>

namespace {

CString ItemText(const CMenu& menu, UINT nItem, UINT nFlags = MF_BYCOMMAND)
{
    CString text;
    menu.GetMenuString(nItem, text, nFlags);
    return text;
}

TEST(CMenu, LoadsAResourceMenuWithItsPopups)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(100));
    ASSERT_EQ(2u, menu.GetMenuItemCount());
    EXPECT_STREQ(L"&View", ItemText(menu, 1, MF_BYPOSITION));
    EXPECT_EQ(static_cast<UINT>(-1), menu.GetMenuItemID(0)) << "a popup has no command id";

    CMenu* pFile = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, pFile);
    EXPECT_EQ(4u, pFile->GetMenuItemCount());
    EXPECT_EQ(202u, pFile->GetMenuItemID(1));
    EXPECT_EQ(0u, pFile->GetMenuItemID(2)) << "separator";
    EXPECT_STREQ(L"&Open...\tCtrl+O", ItemText(*pFile, 201));
    EXPECT_STREQ(L"", ItemText(*pFile, 999)) << "no such item";
    EXPECT_EQ(nullptr, menu.GetSubMenu(5));

    EXPECT_TRUE(pFile->GetMenuState(202, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetSubMenu(1)->GetMenuState(302, MF_BYCOMMAND) & MF_CHECKED);
    // The menu bar reaches the items of its popups by command id too.
    EXPECT_TRUE(menu.GetMenuState(302, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(static_cast<UINT>(-1), menu.GetMenuState(999, MF_BYCOMMAND));
}

TEST(CMenu, ItemStateChangesReturnThePreviousState)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(100));
    CMenu* pView = menu.GetSubMenu(1);

    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), menu.EnableMenuItem(202, MF_BYCOMMAND | MF_ENABLED));
    EXPECT_EQ(static_cast<UINT>(MF_ENABLED), menu.EnableMenuItem(202, MF_BYCOMMAND | MF_GRAYED));
    EXPECT_EQ(static_cast<UINT>(-1), menu.EnableMenuItem(999, MF_BYCOMMAND | MF_GRAYED));
    EXPECT_EQ(static_cast<UINT>(MF_UNCHECKED), pView->CheckMenuItem(301, MF_BYCOMMAND | MF_CHECKED));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), pView->CheckMenuItem(301, MF_BYCOMMAND | MF_UNCHECKED));

    ASSERT_TRUE(pView->CheckMenuRadioItem(301, 303, 303, MF_BYCOMMAND));
    EXPECT_FALSE(pView->GetMenuState(302, MF_BYCOMMAND) & MF_CHECKED);
    MENUITEMINFOW info = {sizeof(info), MIIM_FTYPE | MIIM_STATE};
    ASSERT_TRUE(pView->GetMenuItemInfo(2, &info, TRUE));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);

    ASSERT_TRUE(pView->SetDefaultItem(302));
    EXPECT_EQ(302u, pView->GetDefaultItem(0));
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPWSTR>(L"&Huge");
    ASSERT_TRUE(pView->SetMenuItemInfo(303, &info));
    EXPECT_STREQ(L"&Huge", ItemText(*pView, 303));
}

TEST(CMenu, BuildsAndEditsMenus)
{
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, 10, L"Ten"));
    ASSERT_TRUE(popup.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, 30, L"Thirty"));
    ASSERT_TRUE(popup.InsertMenu(30, MF_BYCOMMAND | MF_STRING, 20, L"Twenty"));
    ASSERT_TRUE(popup.ModifyMenu(10, MF_BYCOMMAND | MF_STRING, 11, L"Eleven"));
    EXPECT_EQ(4u, popup.GetMenuItemCount());
    UINT ids[] = {11, 0, 20, 30};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ids[i], popup.GetMenuItemID(i)) << i;
    EXPECT_STREQ(L"Eleven", ItemText(popup, 0, MF_BYPOSITION));

    HMENU hPopup = popup.Detach();
    ASSERT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), L"Numbers"));
    EXPECT_EQ(hPopup, bar.GetSubMenu(0)->m_hMenu);

    // Removing keeps the popup alive; deleting destroys it.
    ASSERT_TRUE(bar.RemoveMenu(0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(hPopup));
    ASSERT_TRUE(bar.InsertMenu(0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), L"Numbers"));
    ASSERT_TRUE(bar.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(hPopup));
    EXPECT_FALSE(bar.DeleteMenu(0, MF_BYPOSITION));
}

// What an update handler does to the menu item its CCmdUI stands for.
TEST(CMenu, CommandUiChangesTheStateOfItsMenuItem)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 10, L"Ten");
    popup.AppendMenu(MF_STRING | MF_GRAYED, 20, L"Twenty");
    popup.AppendMenu(MF_STRING | MF_CHECKED, 30, L"Thirty");
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, 40, L"Forty");
    HMENU hSub = sub.Detach();
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), L"Sub");

    struct Case {
        const char* name;
        UINT nIndex;
        void (*update)(CCmdUI* pCmdUI);
        UINT nStateWanted;  // MF_GRAYED, MF_DISABLED and MF_CHECKED of the item at nIndex
        const wchar_t* text;
    } cases[] = {
        {"disabled", 0, [](CCmdUI* p) { p->Enable(FALSE); }, MF_GRAYED | MF_DISABLED, L"Ten"},
        {"enabled again", 0, [](CCmdUI* p) { p->Enable(TRUE); }, 0, L"Ten"},
        {"grayed by the menu, enabled", 1, [](CCmdUI* p) { p->Enable(); }, 0, L"Twenty"},
        {"checked", 0, [](CCmdUI* p) { p->SetCheck(1); }, MF_CHECKED, L"Ten"},
        {"unchecked", 2, [](CCmdUI* p) { p->SetCheck(0); }, 0, L"Thirty"},
        {"relabelled, its state kept", 2, [](CCmdUI* p) { p->SetText(L"30"); }, 0, L"30"},
        {"a popup is not disabled through its first item", 3, [](CCmdUI* p) { p->Enable(FALSE); }, 0, L"Sub"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCmdUI state;
        state.m_pMenu = &popup;
        state.m_nIndex = c.nIndex;
        state.m_nIndexMax = popup.GetMenuItemCount();
        state.m_nID = popup.GetMenuItemID(c.nIndex);
        if (state.m_nID == static_cast<UINT>(-1)) {
            state.m_pSubMenu = popup.GetSubMenu(c.nIndex);
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
        }
        c.update(&state);
        EXPECT_EQ(c.nStateWanted, popup.GetMenuState(c.nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
        EXPECT_STREQ(c.text, ItemText(popup, c.nIndex, MF_BYPOSITION));
    }
    EXPECT_EQ(30u, popup.GetMenuItemID(2)) << "relabelling kept the id";
    EXPECT_FALSE(GetMenuState(hSub, 40, MF_BYCOMMAND) & MF_GRAYED) << "nor its first item";
}

TEST(CMenu, OwnsItsMenuButNotATemporaryOne)
{
    HMENU hOwned;
    HMENU hKept;
    {
        CMenu owned;
        owned.CreatePopupMenu();
        hOwned = owned;
        EXPECT_FALSE(owned.CreatePopupMenu()) << "a wrapper holds one menu";
        CMenu kept;
        kept.CreatePopupMenu();
        hKept = kept.Detach();
    }
    EXPECT_FALSE(IsMenu(hOwned));
    ASSERT_TRUE(IsMenu(hKept));

    CMenu* pTemporary = CMenu::FromHandle(hKept);
    EXPECT_EQ(pTemporary, CMenu::FromHandle(hKept));
    AfxDeleteTempMaps();
    EXPECT_TRUE(IsMenu(hKept));
    DestroyMenu(hKept);
}

}  // namespace
