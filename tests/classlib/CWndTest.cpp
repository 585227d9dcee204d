// CWnd: creation, the handle map, subclassing, the wrappers across threads, and the update of
// child controls.
#include "classlib/Afx.h"
#include <gtest/gtest.h>
#include <process.h>
#include <functional>
#include <string>
#include "tests/support/TestWait.h"

namespace {

// Runs fn on a new thread while this thread keeps pumping, since most wrappers send messages
// to this thread's windows.
void RunOnOtherThread(const std::function<void()>& fn)
{
    struct Call {
        const std::function<void()>* fn;
        static unsigned __stdcall Entry(void* p)
        {
            (*static_cast<Call*>(p)->fn)();
            return 0;
        }
    } call = {&fn};
    HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Call::Entry, &call, 0, nullptr));
    ASSERT_NE(nullptr, hThread);
    if (!WaitDispatching(hThread)) {
        ADD_FAILURE() << "the other thread has not ended";
        WaitForSingleObject(hThread, INFINITE);  // it must not outlive fn
    }
    CloseHandle(hThread);
}

class CLifetimeWnd : public CWnd {
public:
    explicit CLifetimeWnd(int nCreateResult = 0, bool* pDeleted = nullptr)
        : m_nCreateResult(nCreateResult), m_pDeleted(pDeleted)
    {
    }
    ~CLifetimeWnd() override
    {
        if (m_pDeleted)
            *m_pDeleted = true;
    }
    int m_nCreates = 0;
    int m_nPostNcDestroys = 0;
    bool m_bSawOwnHandleInCreate = false;
    bool m_bDeleteInPostNcDestroy = false;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        ++m_nCreates;
        m_bSawOwnHandleInCreate = m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this;
        return m_nCreateResult;
    }
    void PostNcDestroy() override
    {
        ++m_nPostNcDestroys;
        if (m_bDeleteInPostNcDestroy)
            delete this;
    }
    DECLARE_MESSAGE_MAP()

private:
    int m_nCreateResult;
    bool* m_pDeleted;
};

BEGIN_MESSAGE_MAP(CLifetimeWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(CWnd, CreateAttachesBeforeWmCreateAndDestroyDetaches)
{
    CLifetimeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"Title", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(1, wnd.m_nCreates);
    EXPECT_TRUE(wnd.m_bSawOwnHandleInCreate);
    HWND hWnd = wnd.m_hWnd;
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
    EXPECT_EQ(hWnd, wnd.GetSafeHwnd());

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_nPostNcDestroys);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(CWnd, FailedCreationReportsFailureAfterPostNcDestroy)
{
    bool bDeleted = false;
    CLifetimeWnd* pWnd = new CLifetimeWnd(-1, &bDeleted);
    pWnd->m_bDeleteInPostNcDestroy = true;  // as a frame does
    EXPECT_FALSE(pWnd->CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_TRUE(bDeleted);
}

TEST(CWnd, DefaultClassTakesDoubleClicks)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_TRUE(GetClassLongPtrW(wnd.m_hWnd, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_EQ(AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW)),
              AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW)));
    wnd.DestroyWindow();
}

TEST(CWnd, DestructorDestroysItsWindow)
{
    HWND hWnd = nullptr;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(CWnd, TemporaryWrappersLastUntilTheTempMapIsDeleted)
{
    HWND hWnd = CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));  // the same wrapper until idle time
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

    CString text;
    pTemp->GetWindowText(text);
    EXPECT_EQ(L"plain", text);

    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(hWnd));  // deleting the wrapper leaves the window alone
    DestroyWindow(hWnd);
}

TEST(CWnd, TypedWrapperIsTheObjectOfThatClassElseATemporaryOfIt)
{
    HWND hWnd = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandleAs<CEdit>(nullptr));

    CEdit* pTemp = CWnd::FromHandleAs<CEdit>(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_TRUE(pTemp->IsKindOf(RUNTIME_CLASS(CEdit)));
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandleAs<CEdit>(hWnd)) << "one per window and class";
    CWnd* pPlain = CWnd::FromHandle(hWnd);
    EXPECT_NE(static_cast<CWnd*>(pTemp), pPlain);
    EXPECT_FALSE(pPlain->IsKindOf(RUNTIME_CLASS(CEdit)));
    pTemp->SetLimitText(5);
    EXPECT_EQ(5u, pTemp->GetLimitText());
    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(hWnd));

    CEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hWnd));
    EXPECT_EQ(&edit, CWnd::FromHandleAs<CEdit>(hWnd));
    EXPECT_EQ(&edit, CWnd::FromHandle(hWnd));
    CButton* pOtherClass = CWnd::FromHandleAs<CButton>(hWnd);
    EXPECT_NE(static_cast<CWnd*>(&edit), static_cast<CWnd*>(pOtherClass)) << "the object is no CButton";
    EXPECT_TRUE(pOtherClass->IsKindOf(RUNTIME_CLASS(CButton)));
    CWnd::DeleteTempMap();
    EXPECT_EQ(hWnd, edit.m_hWnd);
    edit.DestroyWindow();
}

// Counts WM_CANCELMODE; the default handling then releases the capture.
class CCancelCountWnd : public CWnd {
public:
    int m_nCancels = 0;

protected:
    void OnCancelMode()
    {
        ++m_nCancels;
        CWnd::OnCancelMode();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCancelCountWnd, CWnd)
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

TEST(CWnd, CancelModesEndsAnotherWindowsCaptureAndAnOpenComboList)
{
    CCancelCountWnd holder;
    CCancelCountWnd receiver;
    ASSERT_TRUE(holder.CreateEx(0, nullptr, L"Holder", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(receiver.CreateEx(0, nullptr, L"Receiver", WS_POPUP | WS_VISIBLE, 100, 0, 200, 200, nullptr, nullptr));
    struct Case {
        const char* name;
        CWnd* pReceiver;
        int nCancels;
        bool bCaptureKept;
    } cases[] = {
        {"another window's capture ends", &receiver, 1, false},
        {"the receiver's own capture stays", &holder, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        holder.m_nCancels = 0;
        holder.SetCapture();
        AfxCancelModes(c.pReceiver->m_hWnd);
        EXPECT_EQ(c.nCancels, holder.m_nCancels);
        EXPECT_EQ(c.bCaptureKept, ::GetCapture() == holder.m_hWnd);
        ::ReleaseCapture();
    }

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 150, 150), &receiver, 1));
    combo.AddString(L"one");
    combo.AddString(L"two");
    receiver.SetActiveWindow();
    combo.SetFocus();
    combo.ShowDropDown(TRUE);
    ASSERT_TRUE(combo.GetDroppedState());
    AfxCancelModes(receiver.m_hWnd);
    EXPECT_FALSE(combo.GetDroppedState());
    receiver.DestroyWindow();
    holder.DestroyWindow();
}

TEST(CWnd, SubclassRoutesMessagesAndUnsubclassRestores)
{
    HWND hWnd = CreateWindowExW(0, L"STATIC", L"before", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    LONG_PTR pfnStatic = GetWindowLongPtrW(hWnd, GWLP_WNDPROC);

    CWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_NE(pfnStatic, GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    wnd.SetWindowText(L"after");  // reaches the static control through DefWindowProc
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(L"after", text);

    CWnd second;
    EXPECT_FALSE(second.SubclassWindow(hWnd));  // one object per window

    EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    EXPECT_EQ(pfnStatic, GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    DestroyWindow(hWnd);
}

TEST(CWnd, SubclassDlgItemFindsTheChild)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    HWND hEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(77), nullptr, nullptr);
    CWnd edit;
    EXPECT_TRUE(edit.SubclassDlgItem(77, &parent));
    EXPECT_EQ(hEdit, edit.m_hWnd);
    EXPECT_EQ(77, edit.GetDlgCtrlID());
    CWnd missing;
    EXPECT_FALSE(missing.SubclassDlgItem(78, &parent));
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, edit.m_hWnd);
}

TEST(CWnd, WrappersWorkFromAnotherThread)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 12));

    CWnd* pFound = nullptr;
    CString text;
    UINT nValue = 0;
    CRect rcClient;
    RunOnOtherThread([&] {
        pFound = CWnd::FromHandle(child.m_hWnd);
        parent.SetDlgItemText(12, L"345");
        nValue = parent.GetDlgItemInt(12);
        child.GetWindowText(text);
        parent.MoveWindow(0, 0, 300, 150);
        parent.GetClientRect(&rcClient);
        parent.ModifyStyle(0, WS_CLIPCHILDREN);
    });
    EXPECT_EQ(&child, pFound);  // the attached object, not a wrapper of the other thread
    EXPECT_EQ(L"345", text);
    EXPECT_EQ(345u, nValue);
    EXPECT_EQ(300, rcClient.Width());
    EXPECT_TRUE(parent.GetStyle() & WS_CLIPCHILDREN);
    parent.DestroyWindow();
}

TEST(CWnd, ModifyStyleAnswersWhetherItChanged)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_CLIPCHILDREN));
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_CLIPCHILDREN));
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW, SWP_FRAMECHANGED));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(wnd.ModifyStyle(WS_CLIPCHILDREN, 0));
    EXPECT_FALSE(wnd.GetStyle() & WS_CLIPCHILDREN);
    wnd.DestroyWindow();
}

TEST(CWnd, OwnerAndTopLevelParent)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 50, 50), &top, 1));
    CWnd grandchild;
    ASSERT_TRUE(grandchild.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), &child, 2));
    EXPECT_EQ(&child, grandchild.GetParent());
    EXPECT_EQ(&child, grandchild.GetOwner());
    EXPECT_EQ(&top, grandchild.GetTopLevelParent());
    grandchild.SetOwner(&top);
    EXPECT_EQ(&top, grandchild.GetOwner());
    EXPECT_EQ(&child, grandchild.GetParent());  // the owner is not the parent
    top.DestroyWindow();
}

TEST(CWnd, CenterWindowCentresAChildInItsParent)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 100, 50), &parent, 1));
    child.CenterWindow();
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    EXPECT_EQ(CRect(100, 75, 200, 125), rc);
    parent.DestroyWindow();
}

TEST(CWnd, SendMessageToDescendantsReachesGrandchildren)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 50, 50), &top, 1));
    HWND hGrandchild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, child.m_hWnd, nullptr, nullptr, nullptr);

    top.SendMessageToDescendants(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"deep"));
    CString text;
    child.GetWindowText(text);
    EXPECT_EQ(L"deep", text);
    CWnd::FromHandle(hGrandchild)->GetWindowText(text);
    EXPECT_EQ(L"deep", text);

    top.SendMessageToDescendants(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"shallow"), FALSE);
    CWnd::FromHandle(hGrandchild)->GetWindowText(text);
    EXPECT_EQ(L"deep", text);

    top.SendMessageToDescendants(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"perm"), TRUE, TRUE);
    CWnd::FromHandle(hGrandchild)->GetWindowText(text);
    EXPECT_EQ(L"deep", text);  // only windows with an object
    child.GetWindowText(text);
    EXPECT_EQ(L"perm", text);
    top.DestroyWindow();
}

// The target of UpdateDialogControls: handlers for some of the buttons.
class CButtonTarget : public CCmdTarget {
protected:
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateText(CCmdUI* pCmdUI) { pCmdUI->SetText(L"relabelled"); }
    void OnCommandHandled() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CButtonTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(601, &CButtonTarget::OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(602, &CButtonTarget::OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(603, &CButtonTarget::OnUpdateText)
    ON_COMMAND(604, &CButtonTarget::OnCommandHandled)
END_MESSAGE_MAP()

TEST(CWnd, UpdateDialogControlsAppliesTheTargetsUpdateHandlers)
{
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr));
    struct Button {
        UINT nID;
        DWORD dwStyle;
    } buttons[] = {{601, BS_PUSHBUTTON}, {602, BS_CHECKBOX}, {603, BS_PUSHBUTTON},
                   {604, BS_PUSHBUTTON}, {605, BS_PUSHBUTTON}, {606, BS_AUTOCHECKBOX}};
    for (const Button& b : buttons)
        CreateWindowExW(0, L"BUTTON", L"text", WS_CHILD | b.dwStyle, 0, 0, 10, 10, dialog.m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(b.nID)), nullptr, nullptr);

    CButtonTarget target;
    dialog.UpdateDialogControls(&target, TRUE);
    auto item = [&](int nID) { return dialog.GetDlgItem(nID); };
    EXPECT_FALSE(item(601)->IsWindowEnabled()) << "disabled by its handler";
    EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(602)) << "checked by its handler";
    CString text;
    item(603)->GetWindowText(text);
    EXPECT_EQ(L"relabelled", text);
    EXPECT_TRUE(item(604)->IsWindowEnabled()) << "a command handler keeps it enabled";
    EXPECT_FALSE(item(605)->IsWindowEnabled()) << "a push button without a handler";
    EXPECT_TRUE(item(606)->IsWindowEnabled()) << "a check box is not a command";

    item(605)->EnableWindow(TRUE);
    dialog.UpdateDialogControls(&target, FALSE);
    EXPECT_TRUE(item(605)->IsWindowEnabled()) << "left alone without bDisableIfNoHndler";
    dialog.DestroyWindow();
}

}  // namespace
