// The folder dialog: the tree expands to the initial folder and selects it, the
// pattern combo and "Scan subfolders", its minimum size, OK's results, and opening and closing
// it at once while its worker still runs.
#include "classlib/Afx.h"
#include "framework/controls/FrameworkMessages.h"
#include "framework/dialogs/CFolderSelectDlg.h"
#include "tests/support/TempFolder.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>

namespace {

const UINT WM_TEST_SHOWN = WM_APP + 11;

class ScriptedFolderDlg : public CFolderSelectDlg {
public:
    std::function<void(ScriptedFolderDlg&)> m_script;
    bool m_bCloseAtOnce = false;

    // Runs this thread's messages until the worker is done (or the time is up).
    bool WaitForWorkerDone(DWORD dwTimeoutMs = 60000)
    {
        DWORD dwStart = GetTickCount();
        while (m_pThread) {
            if (GetTickCount() - dwStart > dwTimeoutMs)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
        return true;
    }

protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CFolderSelectDlg::OnInitDialog();
        if (m_bCloseAtOnce)
            PostMessage(WM_COMMAND, IDCANCEL);
        else
            PostMessage(WM_TEST_SHOWN);
        return bResult;
    }
    LRESULT OnShown(WPARAM, LPARAM)
    {
        if (m_script)
            m_script(*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScriptedFolderDlg, CFolderSelectDlg)
    ON_MESSAGE(WM_TEST_SHOWN, &ScriptedFolderDlg::OnShown)
END_MESSAGE_MAP()

CRect WindowRect(HWND hWnd)
{
    CRect rect;
    GetWindowRect(hWnd, &rect);
    return rect;
}

TEST(FolderDialog, TheTreeExpandsToTheInitialFolderAndOKReturnsItWithThePattern)
{
    TempFolder folder;
    CreateDirectoryW((folder / L"Clips").c_str(), nullptr);
    ScriptedFolderDlg dlg;
    dlg.m_strInitialFolder = (folder / L"Clips").c_str();
    dlg.m_strPatterns = L"*.mp4;*.mkv|*.avi|*|";
    dlg.m_strDescription = L"Choose the folder of the clips";
    CString strSelected, strDescription, strCaption;
    int nPatterns = 0, nCurSel = -2;
    BOOL bCheckVisible = FALSE, bComboVisible = FALSE;
    dlg.m_script = [&](ScriptedFolderDlg& d) {
        ASSERT_TRUE(d.WaitForWorkerDone());
        strSelected = d.m_tree.GetSelectedPath();
        d.GetDlgItemText(1022, strDescription);
        d.GetWindowText(strCaption);
        nPatterns = d.m_patternCombo.GetCount();
        nCurSel = d.m_patternCombo.GetCurSel();
        bCheckVisible = ::IsWindowVisible(::GetDlgItem(d.m_hWnd, 1025));
        bComboVisible = d.m_patternCombo.IsWindowVisible();
        // Its parents are expanded down to it.
        HTREEITEM hItem = d.m_tree.GetSelectedItem();
        for (HTREEITEM hParent = d.m_tree.GetParentItem(hItem); hParent; hParent = d.m_tree.GetParentItem(hParent))
            EXPECT_TRUE(d.m_tree.GetItemState(hParent, TVIS_EXPANDED) & TVIS_EXPANDED);
        d.CheckDlgButton(1025, BST_CHECKED);
        d.m_patternCombo.SetCurSel(1);
        d.PostMessage(WM_COMMAND, IDOK);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(strSelected.CompareNoCase((folder / L"Clips").c_str()), 0);
    EXPECT_EQ(dlg.m_strFolder.CompareNoCase((folder / L"Clips").c_str()), 0);
    EXPECT_STREQ(dlg.m_strPattern, L"*.avi");
    EXPECT_EQ(dlg.m_bScanSubfolders, 1);
    EXPECT_STREQ(strDescription, L"Choose the folder of the clips");
    EXPECT_STREQ(strCaption, L"Select a Folder");
    EXPECT_EQ(nPatterns, 3);
    EXPECT_EQ(nCurSel, 0);
    EXPECT_TRUE(bCheckVisible);
    EXPECT_TRUE(bComboVisible);
}

TEST(FolderDialog, AnEmptyPatternComesBackAsStarAndATitleReplacesTheCaption)
{
    ScriptedFolderDlg dlg;
    dlg.m_strTitle = L"Add Folder";
    dlg.m_strInitialFolder = L"C:\\no such folder\\at all";
    CString strCaption;
    int nPatterns = -1;
    HTREEITEM hRootChild = nullptr;
    BOOL bRootExpanded = FALSE;
    dlg.m_script = [&](ScriptedFolderDlg& d) {
        EXPECT_EQ(d.m_pThread, nullptr);  // nothing to select: no worker
        d.GetWindowText(strCaption);
        nPatterns = d.m_patternCombo.GetCount();
        HTREEITEM hRoot = d.m_tree.GetRootItem();
        hRootChild = d.m_tree.GetChildItem(hRoot);
        bRootExpanded = (d.m_tree.GetItemState(hRoot, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        d.PostMessage(WM_COMMAND, IDOK);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_STREQ(strCaption, L"Add Folder");
    EXPECT_EQ(nPatterns, 0);
    EXPECT_STREQ(dlg.m_strPattern, L"*");
    EXPECT_NE(hRootChild, nullptr);  // the desktop is expanded
    EXPECT_TRUE(bRootExpanded);
}

TEST(FolderDialog, ItCannotBeMadeSmallerThanItsMinimum)
{
    ScriptedFolderDlg dlg;
    CRect rcSmall, rcTree, rcCancel, rcClient, rcBig;
    MINMAXINFO mmi = {};
    dlg.m_script = [&](ScriptedFolderDlg& d) {
        d.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        d.SetWindowPos(nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER);
        rcSmall = WindowRect(d.m_hWnd);
        d.SetWindowPos(nullptr, 0, 0, 700, 560, SWP_NOMOVE | SWP_NOZORDER);
        rcBig = WindowRect(d.m_hWnd);
        d.GetClientRect(&rcClient);
        rcTree = WindowRect(d.m_tree.m_hWnd);
        rcCancel = WindowRect(::GetDlgItem(d.m_hWnd, IDCANCEL));
        d.ScreenToClient(&rcTree);
        d.ScreenToClient(&rcCancel);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    };
    ASSERT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(mmi.ptMinTrackSize.x, 400);
    EXPECT_EQ(mmi.ptMinTrackSize.y, 300);
    EXPECT_GE(rcSmall.Width(), 400);
    EXPECT_GE(rcSmall.Height(), 300);
    EXPECT_EQ(rcBig.Width(), 700);
    // The layout follows: Cancel 10 pixels from the corner, the tree 10 from the right edge.
    EXPECT_EQ(rcCancel.right, rcClient.right - 10);
    EXPECT_EQ(rcCancel.bottom, rcClient.bottom - 10);
    EXPECT_EQ(rcTree.right, rcClient.right - 10);
    EXPECT_LT(rcTree.bottom, rcCancel.top);
}

TEST(FolderDialog, OpeningAndClosingAtOnceTwentyTimesIsSafe)
{
    TempFolder folder;
    std::wstring deep = folder.Path();
    for (LPCWSTR name : {L"a", L"b", L"c", L"d"}) {
        deep += L"\\";
        deep += name;
        CreateDirectoryW(deep.c_str(), nullptr);
    }
    for (int i = 0; i < 20; i++) {
        ScriptedFolderDlg dlg;
        dlg.m_strInitialFolder = deep.c_str();
        dlg.m_bCloseAtOnce = true;
        ASSERT_EQ(dlg.DoModal(), IDCANCEL) << "round " << i;
        EXPECT_EQ(dlg.m_pThread, nullptr);
    }
}

TEST(FolderDialog, RightClickingTheEmptyAreaShowsNoMenu)
{
    class CountingTree : public CFolderTreeCtrl {
    public:
        int m_nMenus = 0;
        int ShowContextMenu(HTREEITEM, int, int) override
        {
            m_nMenus++;
            return 0;
        }
    };
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 400, nullptr, nullptr));
    CountingTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 300, 400), &host, 1019));
    tree.Reload();
    CPoint ptEmpty(150, 390);
    tree.ClientToScreen(&ptEmpty);
    tree.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.m_hWnd), MAKELPARAM(ptEmpty.x, ptEmpty.y));
    EXPECT_EQ(tree.m_nMenus, 0);
    // On an item's label it does show one.
    CRect rcItem;
    TreeView_GetItemRect(tree.m_hWnd, tree.GetRootItem(), &rcItem, TRUE);
    CPoint ptItem = rcItem.CenterPoint();
    tree.ClientToScreen(&ptItem);
    tree.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.m_hWnd), MAKELPARAM(ptItem.x, ptItem.y));
    EXPECT_EQ(tree.m_nMenus, 1);
    tree.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
