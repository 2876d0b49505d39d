#include "DemoWindows.h"
#include "GuiTest.h"
#include "framework/TPopupMenu.h"

#include <algorithm>
#include <iterator>

namespace {
class MdiDemoTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        DemoLog.clear();
        Client = new TMDIClient;
        Frame = new TDemoFrame(*Client);
        Frame->Attr.X = 0; Frame->Attr.Y = 0; Frame->Attr.W = 800; Frame->Attr.H = 600;
        App.SetMainWindow(Frame);
        ASSERT_TRUE(Frame->Create());
        Frame->Show(SW_SHOW);
        App.HAccTable = App.LoadAccelerators("MAIN_ACCELERATORS");
        A = new TDemoChildA(*Client);
        ASSERT_TRUE(A->Create());
        B = new TDemoChildB(*Client);
        ASSERT_TRUE(B->Create());
        Pump();
        DemoLog.clear();
    }
    void TearDown() override
    {
        delete A;
        delete B;
        delete App.SetMainWindow(nullptr);
        Pump();
        GuiTest::TearDown();
    }

    void Activate(TWindow* child)
    {
        Client->SendMessage(WM_MDIACTIVATE, WPARAM(child->GetHandle()));
        Pump();
    }
    void FrameCommand(UINT id)
    {
        Frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0));
    }
    HMENU FileMenu() const { return ::GetSubMenu(Frame->GetMenu(), 0); }
    UINT StateOf(UINT id) const { return ::GetMenuState(FileMenu(), id, MF_BYCOMMAND); }

    TMDIClient* Client = nullptr;
    TDemoFrame* Frame = nullptr;
    TDemoChildA* A = nullptr;
    TDemoChildB* B = nullptr;
};
}

TEST_F(MdiDemoTest, FrameMenuCommandsReachTheFrameFirstThenTheActiveChild)
{
    ASSERT_EQ(Client->GetActiveMDIChild(), B);
    FrameCommand(CM_FRAME_ONLY);
    FrameCommand(CM_BOTH);          // the child has it too; the frame's menu means the frame's handler
    FrameCommand(CM_CHILD_ONLY);    // only children have it: the active one
    Activate(A);
    ASSERT_EQ(Client->GetActiveMDIChild(), A);
    FrameCommand(CM_CHILD_ONLY);
    EXPECT_EQ(DemoLog, (std::vector<std::string>{"frame.FrameOnly", "frame.Both", "childB.ChildOnly", "childA.ChildOnly"}));
}

TEST_F(MdiDemoTest, ViewButtonsAndContextMenusReachTheView)
{
    A->Button->SendMessage(BM_CLICK);
    EXPECT_EQ(DemoLog, std::vector<std::string>{"childA.Both"});
    DemoLog.clear();

    TPopupMenu menu;
    menu.AppendMenu(MF_STRING, CM_FRAME_ONLY, "Frame only");
    menu.AppendMenu(MF_STRING, CM_BOTH, "Both");
    TPoint at(50, 50);
    A->ClientToScreen(at);
    // The keys choose the second item while the menu's own loop runs.
    auto choose = [&] {
        A->PostMessage(WM_KEYDOWN, VK_DOWN);
        A->PostMessage(WM_KEYDOWN, VK_DOWN);
        A->PostMessage(WM_KEYDOWN, VK_RETURN);
    };
    choose();
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, at, *A), CM_BOTH);
    Pump();
    EXPECT_TRUE(DemoLog.empty());   // returned, not sent

    choose();
    EXPECT_NE(menu.TrackPopupMenu(TPM_LEFTALIGN, at, *A), 0);
    Pump();
    EXPECT_EQ(DemoLog, std::vector<std::string>{"childA.Both"});   // the view's handler, not the frame's
}

TEST_F(MdiDemoTest, EnablersSetMenuItemsAndItemsWithoutEnablerStayEnabled)
{
    Frame->SendMessage(WM_INITMENUPOPUP, WPARAM(FileMenu()), 0);
    EXPECT_FALSE(StateOf(CM_NO_ENABLER) & (MF_GRAYED | MF_DISABLED));
    EXPECT_FALSE(StateOf(CM_FRAME_ONLY) & (MF_GRAYED | MF_DISABLED));
    EXPECT_TRUE(StateOf(CM_DISABLED) & MF_GRAYED);
    EXPECT_TRUE(StateOf(CM_CHECKED) & MF_CHECKED);
    EXPECT_FALSE(StateOf(CM_CHILD_ONLY) & MF_CHECKED);   // child B has no enabler for it

    Activate(A);
    Frame->SendMessage(WM_INITMENUPOPUP, WPARAM(FileMenu()), 0);
    EXPECT_TRUE(StateOf(CM_CHILD_ONLY) & MF_CHECKED);    // the active child's enabler
    EXPECT_TRUE(DemoLog.empty());                         // enabling runs no command
}

TEST_F(MdiDemoTest, ChildMenuIsMergedWhileTheChildIsActive)
{
    HMENU bar = Frame->GetMenu();
    const int own = 2;
    EXPECT_EQ(::GetMenuItemCount(bar), own);
    Activate(A);
    ASSERT_EQ(::GetMenuItemCount(bar), own + 1);
    char text[32];
    ::GetMenuStringA(bar, own, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Macro");
    FrameCommand(CM_CHILD_MENU);
    EXPECT_EQ(DemoLog, std::vector<std::string>{"childA.ChildMenu"});

    Activate(B);
    EXPECT_EQ(::GetMenuItemCount(bar), own);
    Activate(A);
    A->CloseWindow();
    Pump();
    EXPECT_EQ(::GetMenuItemCount(bar), own);
}

TEST_F(MdiDemoTest, AcceleratorsTranslateForKeysAnywhereInTheFrame)
{
    A->Edit->PostMessage(WM_KEYDOWN, VK_F5, 1);
    Pump();
    EXPECT_EQ(DemoLog, std::vector<std::string>{"frame.FrameOnly"});
}

// Keys an edit or combo box edits with stay with it; the same keys elsewhere,
// and other keys in the edit, are the frame's accelerators.
TEST_F(MdiDemoTest, EditingKeysBelongToTheFocusedEditOrComboBox)
{
    BYTE saved[256], keys[256];
    ::GetKeyboardState(saved);
    const struct { const char* Name; TWindow* Target; UINT Key; int Modifier; bool Translated; } cases[] = {
        {"Ctrl+A in the edit", A->Edit, 'A', VK_CONTROL, false},
        {"Ctrl+Z in the edit", A->Edit, 'Z', VK_CONTROL, false},
        {"Shift+Delete in the edit", A->Edit, VK_DELETE, VK_SHIFT, false},
        {"Ctrl+Insert in the edit", A->Edit, VK_INSERT, VK_CONTROL, false},
        {"Ctrl+Z in the combo box", A->Combo, 'Z', VK_CONTROL, false},
        {"F5 in the edit", A->Edit, VK_F5, 0, true},
        {"Ctrl+A on a button", A->Button, 'A', VK_CONTROL, true},
        {"Shift+Delete in the child window", A, VK_DELETE, VK_SHIFT, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::copy(std::begin(saved), std::end(saved), std::begin(keys));
        for (int k : {VK_CONTROL, VK_LCONTROL, VK_SHIFT, VK_LSHIFT, VK_MENU}) keys[k] = 0;
        if (c.Modifier) keys[c.Modifier] = 0x80;
        ::SetKeyboardState(keys);
        DemoLog.clear();
        c.Target->PostMessage(WM_KEYDOWN, c.Key, 1);
        Pump();
        EXPECT_EQ(DemoLog == std::vector<std::string>{"frame.FrameOnly"}, c.Translated);
    }
    ::SetKeyboardState(saved);
}

TEST_F(MdiDemoTest, OwnerDrawButtonGetsItsParentsDrawItem)
{
    std::vector<std::string>& draws = A->OwnerDraw->Draws;
    draws.clear();
    A->OwnerDraw->Invalidate();
    A->OwnerDraw->UpdateWindow();
    ASSERT_EQ(draws, std::vector<std::string>{"DrawEntire"});
    A->OwnerDraw->SendMessage(BM_SETSTATE, TRUE);
    A->OwnerDraw->SendMessage(BM_SETSTATE, FALSE);
    Pump();
    EXPECT_NE(std::find(draws.begin(), draws.end(), "Select(down)"), draws.end());
    EXPECT_NE(std::find(draws.begin(), draws.end(), "Select(up)"), draws.end());
}

TEST_F(MdiDemoTest, ScrollBarMovesItsThumbThenNotifiesItsParentWithTheCode)
{
    A->Bar->SetRange(0, 100);
    A->Bar->SetPosition(50);
    struct Step {
        UINT code;
        int position;
    };
    const Step steps[] = {
        {SB_LINEDOWN, 51}, {SB_LINEUP, 50}, {SB_PAGEDOWN, 60}, {SB_PAGEUP, 50},
        {SB_BOTTOM, 100}, {SB_LINEDOWN, 100}, {SB_TOP, 0}, {SB_LINEUP, 0}, {SB_ENDSCROLL, 0},
    };
    std::vector<UINT> expected;
    for (const Step& s : steps) {
        A->SendMessage(WM_HSCROLL, MAKEWPARAM(s.code, 0), LPARAM(A->Bar->GetHandle()));
        EXPECT_EQ(A->Bar->GetPosition(), s.position) << "code " << s.code;
        expected.push_back(s.code);
    }
    EXPECT_EQ(A->ScrollCodes, expected);
}

TEST_F(MdiDemoTest, ComboAndEditNotifyTheirParent)
{
    A->Combo->SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(A->Combo->GetSelIndex(), 1);
    A->Edit->Insert("x");
    EXPECT_EQ(DemoLog, (std::vector<std::string>{"childA.ComboChanged", "childA.EditChanged"}));
}

TEST_F(MdiDemoTest, ClosingAChildDestroysItsWindowButNotItsObject)
{
    Activate(A);
    A->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_EQ(A->GetHandle(), nullptr);
    EXPECT_EQ(A->Edit->GetHandle(), nullptr);
    EXPECT_EQ(Client->GetActiveMDIChild(), B);
    // The object lives on and can make its window again.
    ASSERT_TRUE(A->Create());
    EXPECT_EQ(Client->GetActiveMDIChild(), A);
}

namespace {
int QuitCode = 0;
void CALLBACK QuitLater(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::PostQuitMessage(QuitCode);
}
}

TEST_F(MdiDemoTest, IdleRunsWhileTheQueueIsEmptyAndStopsWhenItReturnsFalse)
{
    Frame->IdleCounts.clear();
    Frame->IdleBudget = 5;
    QuitCode = 7;
    ::SetTimer(nullptr, 0, 300, &QuitLater);
    EXPECT_EQ(App.MessageLoop(), 7);
    const std::vector<long> first{0, 1, 2, 3, 4, 5};
    ASSERT_GE(Frame->IdleCounts.size(), first.size());
    EXPECT_EQ(std::vector<long>(Frame->IdleCounts.begin(), Frame->IdleCounts.begin() + 6), first);
    // After the false answer the loop waits: only stray messages wake it, each for one call.
    EXPECT_LT(Frame->IdleCounts.size(), 40u);
}

// Idle work that always wants more, with a message waiting after every pass:
// the loop runs passes back to back for a slice, then answers the messages
// (the count starts again from 0), and a quit ends it on time.
TEST_F(MdiDemoTest, IdleWorkGoesInSlicesWithTheMessagesAnsweredBetween)
{
    Frame->IdleCounts.clear();
    Frame->IdleBudget = 1 << 30;
    Frame->IdlePassMs = 1;
    Frame->PostEachPass = true;
    QuitCode = 9;
    const DWORD start = ::GetTickCount();
    ::SetTimer(nullptr, 0, 200, &QuitLater);
    EXPECT_EQ(App.MessageLoop(), 9);
    EXPECT_LT(::GetTickCount() - start, 1000u);
    const auto& counts = Frame->IdleCounts;
    EXPECT_GT(std::count(counts.begin(), counts.end(), 0L), 2);
    const long longest = *std::max_element(counts.begin(), counts.end());
    EXPECT_GT(longest, 1);
    // Every pass takes a millisecond or more: no slice outlasts its time.
    EXPECT_LE(longest, long(TApplication::IdleSliceMs) + 1);
}
