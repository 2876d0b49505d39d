// The window and view commands in a real frame with its MDI client: the
// frame hidden, shown and sized, the utility windows that go with it, the
// first view of each kind opened, closed, restored and maximised, and the
// menu and the bars. Every command is acknowledged, also when its window is
// not open.
#include <chrono>
#include <functional>
#include <string>
#include "shell/TWindowSlots.h"
#include "tests/shell/commands/CommandTestMain.h"

namespace {

using V = ViewType;

// The window's own visible style, whatever its parent shows.
bool Shown(const TWindow* window) { return (::GetWindowLongA(window->GetHandle(), GWL_STYLE) & WS_VISIBLE) != 0; }

BOOL CALLBACK CountVisible(HWND child, LPARAM count)
{
    if (::IsWindowVisible(child)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int VisibleChildren(const TWindow* window)
{
    int count = 0;
    ::EnumChildWindows(window->GetHandle(), CountVisible, LPARAM(&count));
    return count;
}

// A stereo frame in Post Process whose channels have views of their own,
// made once (a frame takes seconds under Wine); each test starts with no
// window open, the frame shown and every bar and the menu there.
struct TWindowsCommands : ::testing::Test {
    static inline TTempFolder* Folder = nullptr;
    static inline std::unique_ptr<TMainWin> Main;

    static void SetUpTestSuite()
    {
        Folder = new TTempFolder;
        WriteIni(Folder->File("Tonalyx.ini"), FrameIni);
        Main = std::make_unique<TMainWin>(nullptr, Folder->File("Tonalyx.exe").c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).Settings().Format = TWaveFormat(48000, 2, 2);
        State(Main).Settings().ChannelProcessing = 2;
        State(Main).Settings().IndependentScalingAndCalibration = 1;
        ASSERT_TRUE(Main->Create());
    }
    static void TearDownTestSuite()
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
        delete Folder;
    }
    void SetUp() override { Reset(); }
    static void Reset()
    {
        for (const TWindowSlots::TKind& kind : TWindowSlots::Kinds()) State(Main).Windows().Close(kind.Type);
        State(Main).ApplicationHidden() = 0;
        Main->Show(SW_SHOWNORMAL);
        Main->MoveWindow(0, 0, 1200, 950, true);
        Main->ShowMainToolbar();
        Main->ShowSecondaryToolbar();
        Main->ShowStatusBar();
        if (!Main->GetMenu()) Main->ShowMenu();
        Pump();
        Messages().clear();
    }
    TWindow* Window(V type) const { return State(Main).Windows().Window(type); }
    void Open(V type) { State(Main).Windows().Open(type, Main->GetIniPath()); }
    uint32_t Execute(const char* command)
    {
        const uint32_t answer = Main->ExecuteCommand(command);
        Pump();
        return answer;
    }
};

}  // namespace

// Hiding takes the frame and the utility windows of its list, one by one;
// showing brings them back. A plot view is left to the frame.
TEST_F(TWindowsCommands, HideAndShowTakeTheFrameAndItsUtilityWindows)
{
    Open(V::Generator);
    Open(V::DelayFinder);
    Open(V::Spectrum);
    for (V type : {V::Generator, V::DelayFinder, V::Spectrum}) ASSERT_NE(Window(type), nullptr);

    EXPECT_EQ(Execute("[Hide Window]"), Done);
    EXPECT_TRUE(Main->IsApplicationHidden());
    EXPECT_FALSE(Main->IsWindowVisible());
    EXPECT_FALSE(Shown(Window(V::Generator)));
    EXPECT_FALSE(Shown(Window(V::DelayFinder)));
    EXPECT_TRUE(Shown(Window(V::Spectrum)));

    EXPECT_EQ(Execute("[SHOW WINDOW]"), Done);
    EXPECT_FALSE(Main->IsApplicationHidden());
    EXPECT_TRUE(Main->IsWindowVisible());
    EXPECT_TRUE(Shown(Window(V::Generator)));
    EXPECT_TRUE(Shown(Window(V::DelayFinder)));

    // Whole commands only.
    EXPECT_EQ(Execute("[Hide Win"), 0u);
    EXPECT_FALSE(Main->IsApplicationHidden());
}

TEST_F(TWindowsCommands, TheFrameIsMinimisedAndRestored)
{
    // The window settles before the next command is taken.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Execute("[Minimize Window]"), Done);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(490));
    EXPECT_TRUE(Main->IsIconic());
    EXPECT_EQ(Execute("[Restore Window]"), Done);
    EXPECT_FALSE(Main->IsIconic());
    EXPECT_FALSE(Main->IsZoomed());
}

TEST_F(TWindowsCommands, ArrangingTilesTheViewsSideBySide)
{
    Open(V::TimeSeries);
    Open(V::Phase);
    EXPECT_EQ(Execute("[Tile Windows Vertical]"), Done);
    RECT a, b, overlap;
    ::GetWindowRect(Window(V::TimeSeries)->GetHandle(), &a);
    ::GetWindowRect(Window(V::Phase)->GetHandle(), &b);
    EXPECT_FALSE(::IntersectRect(&overlap, &a, &b));
    EXPECT_EQ(a.top, b.top);
}

struct TViewCase {
    const char* Command;
    std::function<void(TWindowsCommands&)> Prepare;
    std::function<void(TWindowsCommands&)> Check;
};

// Only the first view of a kind decides what happens, and only the command's
// own way: an open view is never closed by an open command, nor the other way.
TEST_F(TWindowsCommands, ViewCommandsActOnTheFirstViewOfTheirKind)
{
    const auto none = [](TWindowsCommands&) {};
    const auto minimiseBoth = [](V family) {
        return [family](TWindowsCommands& t) {
            t.Open(family);
            t.Open(TMainWin::SecondChannel(family));
            t.Window(family)->Show(SW_MINIMIZE);
            t.Window(TMainWin::SecondChannel(family))->Show(SW_MINIMIZE);
        };
    };
    const TViewCase cases[] = {
        {"[Open Spectrum]", none, [](TWindowsCommands& t) {
             EXPECT_NE(t.Window(V::Spectrum), nullptr);
             EXPECT_NE(t.Window(V::Spectrum2), nullptr);
             EXPECT_EQ(t.Main->GetViewStatus().SpectrumPlot, 1);
         }},
        {"[Open Spectrum]", [](TWindowsCommands& t) { t.Open(V::Spectrum); }, [](TWindowsCommands& t) {
             EXPECT_NE(t.Window(V::Spectrum), nullptr);
         }},
        // With only the second channel's view left, the first joins it.
        {"[Open Spectrum]", [](TWindowsCommands& t) { t.Open(V::Spectrum2); }, [](TWindowsCommands& t) {
             EXPECT_NE(t.Window(V::Spectrum), nullptr);
             EXPECT_NE(t.Window(V::Spectrum2), nullptr);
         }},
        {"[Open Time", none, [](TWindowsCommands& t) { EXPECT_NE(t.Window(V::TimeSeries), nullptr); }},
        {"[close time series]", [](TWindowsCommands& t) { t.Open(V::TimeSeries); }, [](TWindowsCommands& t) {
             EXPECT_EQ(t.Window(V::TimeSeries), nullptr);
             EXPECT_EQ(t.Main->GetViewStatus().TimeSeries, 0);
         }},
        {"[Close Phase]", none, [](TWindowsCommands& t) { EXPECT_EQ(t.Window(V::Phase), nullptr); }},
        {"[Restore Surface]", minimiseBoth(V::Surface), [](TWindowsCommands& t) {
             EXPECT_FALSE(t.Window(V::Surface)->IsIconic());
             EXPECT_TRUE(t.Window(V::Surface2)->IsIconic());
         }},
        {"[Maximize Spectrogram]", [](TWindowsCommands& t) { t.Open(V::Spectrogram); }, [](TWindowsCommands& t) {
             EXPECT_TRUE(t.Window(V::Spectrogram)->IsZoomed());
         }},
        {"[Maximize Phase]", none, [](TWindowsCommands& t) { EXPECT_EQ(t.Window(V::Phase), nullptr); }},
    };
    for (const TViewCase& c : cases) {
        SCOPED_TRACE(c.Command);
        Reset();
        c.Prepare(*this);
        const TWindow* before = Window(V::Spectrum);
        EXPECT_EQ(Execute(c.Command), Done);
        c.Check(*this);
        if (before) {
            EXPECT_EQ(Window(V::Spectrum), before);
        }
    }
}

TEST_F(TWindowsCommands, TheMenuAndTheBarsAreHiddenAndShown)
{
    // "[Hide Toolbar2]" is not a leading part of "[Hide Toolbar]": it hides
    // the button toolbar only.
    EXPECT_EQ(Execute("[Hide Toolbar2]"), Done);
    EXPECT_FALSE(Main->IsButtonToolbarShown());
    EXPECT_TRUE(Main->IsMainToolbarShown());
    EXPECT_EQ(Execute("[Hide Toolbar]"), Done);
    EXPECT_FALSE(Main->IsMainToolbarShown());
    EXPECT_EQ(Execute("[Show Toolbar2]"), Done);
    EXPECT_TRUE(Main->IsButtonToolbarShown());
    EXPECT_FALSE(Main->IsMainToolbarShown());
    EXPECT_EQ(Execute("[Show Toolbar]"), Done);
    EXPECT_TRUE(Main->IsMainToolbarShown());

    EXPECT_EQ(Execute("[Hide Statusbar]"), Done);
    EXPECT_FALSE(Main->IsStatusBarShown());
    EXPECT_EQ(Execute("[Show Statusbar]"), Done);
    EXPECT_TRUE(Main->IsStatusBarShown());

    // A leading part of the keyword is enough.
    EXPECT_EQ(Execute("[Hide M"), Done);
    EXPECT_EQ(Main->GetMenu(), nullptr);
    EXPECT_EQ(Execute("[Show Menu]"), Done);
    EXPECT_NE(Main->GetMenu(), nullptr);

    Open(V::Spectrum);
    const int withBar = VisibleChildren(Window(V::Spectrum));
    EXPECT_EQ(Execute("[Hide Plot Toolbars]"), Done);
    EXPECT_LT(VisibleChildren(Window(V::Spectrum)), withBar);
    EXPECT_EQ(Execute("[Show Plot Toolbars]"), Done);
    EXPECT_EQ(VisibleChildren(Window(V::Spectrum)), withBar);
}
