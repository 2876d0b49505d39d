#include "GuiTest.h"
#include <algorithm>
#include <cstring>
#include <utility>
#include "framework/TButton.h"
#include "framework/TCommandEnabler.h"
#include "framework/TWindow.h"

namespace {
std::vector<std::string> Log;

class TBaseWin : public TWindow {
public:
    TBaseWin() : TWindow(nullptr, "base") { Attr.Style = WS_OVERLAPPEDWINDOW; }
    void EvTimer(UINT id) { Log.push_back("base.Timer" + std::to_string(id)); }
    void CmOne() { Log.push_back("base.One"); }
    void CmTwo() { Log.push_back("base.Two"); }
    LRESULT EvUser(WPARAM w, LPARAM) { return LRESULT(w + 1); }
    // Bound in the base's table, overridden without an entry in the derived class.
    virtual void EvLButtonDown(UINT, const TPoint& p) { Log.push_back("base.LButton" + std::to_string(p.x)); }

    DECLARE_RESPONSE_TABLE(TBaseWin);
};

DEFINE_RESPONSE_TABLE1(TBaseWin, TWindow)
    EV_WM_TIMER
    EV_COMMAND(1, CmOne)
    EV_COMMAND(2, CmTwo)
    EV_MESSAGE(WM_USER + 1, EvUser)
    EV_WM_LBUTTONDOWN
END_RESPONSE_TABLE;

class TDerivedWin : public TBaseWin {
public:
    TDerivedWin()
    {
        Twelve = new TButton(this, 12, "12", 0, 0, 20, 20);
        Thirteen = new TButton(this, 13, "13", 30, 0, 20, 20);
        const int runIds[] = {20, 22, 23};
        for (int i = 0; i < 3; ++i) Run[i] = new TButton(this, runIds[i], "run", 60 + 30 * i, 0, 20, 20);
    }
    ~TDerivedWin() override
    {
        delete Twelve;
        delete Thirteen;
        for (TButton* b : Run) delete b;
    }
    void EvTimer(UINT id) { Log.push_back("derived.Timer" + std::to_string(id)); }
    void CmOneDerived() { Log.push_back("derived.One"); }
    LRESULT EvUser(WPARAM w, LPARAM) { return LRESULT(w + 100); }
    void EvLButtonDown(UINT, const TPoint& p) override { Log.push_back("derived.LButton" + std::to_string(p.x)); }
    LRESULT EvSetText(WPARAM, LPARAM)
    {
        Log.push_back("derived.SetText");
        return DefaultProcessing();
    }
    void CmTwelve() { Log.push_back("derived.Cm12"); }
    void CmThirteen() { Log.push_back("derived.Cm13"); }
    void BnThirteen() { Log.push_back("derived.Bn13"); }
    void BnRun(UINT id) { Log.push_back("derived.Run" + std::to_string(id)); }
    void CmTwentyThree() { Log.push_back("derived.Cm23"); }
    void CmPick(UINT id) { Log.push_back("derived.Pick" + std::to_string(id)); }
    void CePick(TCommandEnabler& ce) { ce.Enable(ce.GetId() != 31); }
    void EvAnyCode(UINT code) { Log.push_back("derived.Code" + std::to_string(code)); }

    TButton* Twelve;
    TButton* Thirteen;
    TButton* Run[3];  // ids 20, 22 (the run's ends) and 23 (past it)

    DECLARE_RESPONSE_TABLE(TDerivedWin);
};

DEFINE_RESPONSE_TABLE1(TDerivedWin, TBaseWin)
    EV_WM_TIMER
    EV_COMMAND(1, CmOneDerived)
    EV_MESSAGE(WM_USER + 1, EvUser)
    EV_MESSAGE(WM_SETTEXT, EvSetText)
    EV_COMMAND(12, CmTwelve)
    EV_COMMAND(13, CmThirteen)
    EV_BN_CLICKED(13, BnThirteen)
    EV_BN_CLICKED_RANGE(20, 22, BnRun)
    EV_COMMAND(23, CmTwentyThree)
    EV_COMMAND_RANGE(30, 32, CmPick)
    EV_COMMAND_ENABLE_RANGE(30, 32, CePick)
    EV_CHILD_NOTIFY_ALL_CODES_RANGE(40, 41, EvAnyCode)
END_RESPONSE_TABLE;

class ResponseTableTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Log.clear();
        ASSERT_TRUE(Win.Create());
    }
    TDerivedWin Win;
};
}

TEST_F(ResponseTableTest, DerivedEntriesWinOverBaseEntriesAndBaseEntriesStillServe)
{
    Win.SendMessage(WM_TIMER, 7);
    Win.SendMessage(WM_COMMAND, 1);
    Win.SendMessage(WM_COMMAND, 2);
    Win.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(33, 4));
    EXPECT_EQ(Log, (std::vector<std::string>{"derived.Timer7", "derived.One", "base.Two", "derived.LButton33"}));
    EXPECT_EQ(Win.SendMessage(WM_USER + 1, 5), 105);
}

TEST_F(ResponseTableTest, UnhandledAndDefaultProcessedMessagesReachTheDefaultProcedure)
{
    Win.SetWindowText("caption");
    EXPECT_EQ(Log, std::vector<std::string>{"derived.SetText"});
    EXPECT_EQ(Win.GetWindowText(), "caption");
    EXPECT_EQ(Win.SendMessage(WM_GETTEXTLENGTH), 7);
}

TEST_F(ResponseTableTest, ButtonClickIsTheButtonsCommandUnlessANotificationEntryTakesIt)
{
    ASSERT_TRUE(Win.Twelve->GetHandle());
    Win.Twelve->SendMessage(BM_CLICK);
    Win.Thirteen->SendMessage(BM_CLICK);
    EXPECT_EQ(Log, (std::vector<std::string>{"derived.Cm12", "derived.Bn13"}));
}

TEST_F(ResponseTableTest, RangeEntryAnswersEveryIdOfItsRunWithTheChildsIdAndNoneBeyond)
{
    for (TButton* b : Win.Run) b->SendMessage(BM_CLICK);
    EXPECT_EQ(Log, (std::vector<std::string>{"derived.Run20", "derived.Run22", "derived.Cm23"}));
}

TEST_F(ResponseTableTest, AllCodesRangeAnswersEveryCodeOfEveryChildOfItsRunAndNoneBeyond)
{
    const LPARAM child = LPARAM(Win.Twelve->GetHandle());
    const std::pair<UINT, UINT> sent[] = {
        {39, EN_CHANGE}, {40, EN_CHANGE}, {40, EN_KILLFOCUS}, {41, BN_CLICKED}, {42, EN_CHANGE}};
    for (const auto& [id, code] : sent) Win.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), child);
    EXPECT_EQ(Log, (std::vector<std::string>{"derived.Code" + std::to_string(EN_CHANGE),
                                             "derived.Code" + std::to_string(EN_KILLFOCUS),
                                             "derived.Code" + std::to_string(BN_CLICKED)}));
}

TEST_F(ResponseTableTest, CommandRangeAnswersEveryIdOfItsRunWithTheCommandsIdAndNoneBeyond)
{
    for (UINT id : {29u, 30u, 31u, 32u, 33u}) Win.SendMessage(WM_COMMAND, id);
    EXPECT_EQ(Log, (std::vector<std::string>{"derived.Pick30", "derived.Pick31", "derived.Pick32"}));
    // The enabler of the run is asked for each of its ids; an id past it keeps its state.
    for (UINT id : {30u, 31u, 32u, 33u}) {
        TCommandEnabler ce(id);
        ce.Enabled = id != 33;
        Win.EvCommandEnable(ce);
        EXPECT_EQ(ce.Enabled, id != 31 && id != 33) << id;
    }
}

TEST_F(ResponseTableTest, DestroyedWindowForgetsItsHandleAndCanBeCreatedAgain)
{
    HWND child = Win.Twelve->GetHandle();
    Win.Destroy();
    EXPECT_EQ(Win.GetHandle(), nullptr);
    EXPECT_EQ(Win.Twelve->GetHandle(), nullptr);
    EXPECT_FALSE(::IsWindow(child));
    // Set-up creates the children again with the parent.
    ASSERT_TRUE(Win.Create());
    EXPECT_NE(Win.Twelve->GetHandle(), nullptr);
    EXPECT_EQ(TWindow::FromHandle(Win.Twelve->GetHandle()), Win.Twelve);
    Win.Twelve->SendMessage(BM_CLICK);
    EXPECT_EQ(Log, std::vector<std::string>{"derived.Cm12"});
}

TEST_F(ResponseTableTest, MessageBoxGoesThroughTheMessageSeam)
{
    EXPECT_EQ(Win.MessageBox("Failure opening macro file: x", "Tonalyx", MB_OK | MB_ICONEXCLAMATION), IDOK);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "Failure opening macro file: x");
    EXPECT_EQ(Messages()[0].Caption, "Tonalyx");
    EXPECT_EQ(Messages()[0].Style, unsigned(MB_OK | MB_ICONEXCLAMATION));
}

namespace {
// A window whose handler deletes it, as a view does when its close box hands
// it back to the main window. Its storage is kept and poisoned on delete, so
// any write the message frames make after the handler returns shows.
class TSelfDeletingWin : public TWindow {
public:
    TSelfDeletingWin() : TWindow(nullptr, "self") { Attr.Style = WS_OVERLAPPEDWINDOW; }
    void EvTimer(UINT) { delete this; }
    static void* operator new(size_t size) { return ::operator new(size); }
    static void operator delete(void* block, size_t size)
    {
        std::memset(block, Poison, size);
        Freed = {static_cast<unsigned char*>(block), size};
    }
    static constexpr unsigned char Poison = 0xDD;
    static inline std::pair<unsigned char*, size_t> Freed{};

    DECLARE_RESPONSE_TABLE(TSelfDeletingWin);
};

DEFINE_RESPONSE_TABLE1(TSelfDeletingWin, TWindow)
    EV_WM_TIMER
END_RESPONSE_TABLE;
}

TEST_F(ResponseTableTest, WindowDeletedByItsOwnHandlerIsNotTouchedAfterwards)
{
    // GCC takes the class's sized delete, which a throwing constructor would
    // call, for a mismatch with its new (a false report without optimisation).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
    auto* window = new TSelfDeletingWin;
#pragma GCC diagnostic pop
    ASSERT_TRUE(window->Create());
    HWND handle = window->GetHandle();
    ::SendMessageA(handle, WM_TIMER, 1, 0);
    auto [block, size] = TSelfDeletingWin::Freed;
    ASSERT_NE(block, nullptr);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(std::count(block, block + size, TSelfDeletingWin::Poison), std::ptrdiff_t(size));
    ::operator delete(block);
}
