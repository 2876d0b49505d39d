// Configurations, window placements, the File Open dialog and dropped files
// in a real frame with its MDI client and its windows.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <cstdio>
#include <memory>
#include <string>
#include "base/THeadlessEngineHost.h"
#include "engine/TWaveFile.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "views/TSpectrumPlot.h"
#include "tests/shell/TMainWinState.h"

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string Profile(const char* section, const char* key, const std::string& file)
{
    char text[300] = {};
    ::GetPrivateProfileStringA(section, key, "", text, sizeof text, file.c_str());
    return text;
}

std::string Caption(HWND window)
{
    char text[600] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

WINDOWPLACEMENT PlacementOf(TWindow* window)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ::GetWindowPlacement(window->GetHandle(), &wp);
    return wp;
}

::testing::AssertionResult SameRect(const RECT& a, const RECT& b)
{
    if (::EqualRect(&a, &b)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "{" << a.left << "," << a.top << "," << a.right << "," << a.bottom
                                         << "} is not {" << b.left << "," << b.top << "," << b.right << ","
                                         << b.bottom << "}";
}

// What the common dialog showed, and what the timer does with it: type
// FileName and press OK, or cancel when it is empty.
struct TDialogScript {
    std::string FileName;
    std::string Title;
    std::string Folder;
    bool Seen = false;
};
TDialogScript Script;

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, LPARAM(&dialog));
    if (!dialog) return;
    ::KillTimer(nullptr, timer);
    Script.Seen = true;
    Script.Title = Caption(dialog);
    char folder[MAX_PATH] = {};
    ::SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, LPARAM(folder));
    Script.Folder = folder;
    if (Script.FileName.empty()) {
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    ::SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, LPARAM(Script.FileName.c_str()));
    ::SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, LPARAM(Script.FileName.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// A frame in Post Process, its folders in a fresh temporary folder, a
// stereo wave in the "Wav" folder.
struct TFrameFiles : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::string Wave = Folder.File("take.wav");
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        ASSERT_TRUE(::CopyFileA(TONALYX_FIXTURES "/wav/pattern_16_2.wav", Wave.c_str(), FALSE));
        WriteIni(Ini, "[Main]\nShowSplashScreen=0\n[ViewStatus]\nSpectrumPlot=0\n");
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).FileIO().WaveFileMode = 0;
        for (int f : {TMainWin::WavFolder, TMainWin::TmpFolder, TMainWin::CfgFolder, TMainWin::CalFolder}) {
            Main->SetConfiguredFolder(f, Folder.Path.c_str());
            Main->SetCurrentFolder(f, Folder.Path.c_str());
        }
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1200, 950, true);
        Pump();
        static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages.clear();
        Script = TDialogScript{};
    }
    void TearDown() override
    {
        if (Main && Main->Wave()) Main->Wave()->Changed = 0;
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    // A view's normal rectangle set and shown as the user would leave it.
    static void Place(TWindow* view, const RECT& rect, bool maximised)
    {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        ::GetWindowPlacement(view->GetHandle(), &wp);
        wp.rcNormalPosition = rect;
        wp.showCmd = maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        ::SetWindowPlacement(view->GetHandle(), &wp);
        Pump();
    }
};

}

TEST_F(TFrameFiles, ConfigurationBringsBackTheSpectrumViewsWhereTheyWere)
{
    // Two spectrum views, one per channel.
    State(Main).Settings().IndependentScalingAndCalibration = 1;
    State(Main).Settings().ChannelProcessing = 2;
    Main->OpenWaveFile(Wave.c_str());
    Main->CmViewSpectrum();
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    ASSERT_NE(Main->SpectrumView(1), nullptr);
    const RECT saved[2] = {{30, 40, 530, 390}, {120, 90, 720, 500}};
    Place(Main->SpectrumView(0), saved[0], false);
    Place(Main->SpectrumView(1), saved[1], false);
    const uint32_t fftSize = Main->GetAnalysisSettings().FFTsize;
    const std::string cfg = Folder.File("setup.cfg");
    Main->SaveConfiguration(cfg.c_str());
    EXPECT_NE(Profile("Placement", "Spectrum", cfg).find("{30,40,530,390}"), std::string::npos);
    EXPECT_NE(Profile("Placement", "Spectrum2", cfg).find("{120,90,720,500}"), std::string::npos);

    struct Case {
        const char* Name;
        bool CloseFirst;     // else move the first view and change the FFT size
        bool Maximised;      // the second view saved maximised (the last created stays so)
    } cases[] = {
        {"moved views", false, false},
        {"closed views", true, false},
        {"maximised view", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Maximised) {
            Place(Main->SpectrumView(1), saved[1], true);
            Main->SaveConfiguration(cfg.c_str());
            Place(Main->SpectrumView(1), saved[1], false);
        }
        const RECT moved{200, 150, 500, 350};
        if (c.CloseFirst) {
            Main->CmViewSpectrum();
            ASSERT_EQ(Main->SpectrumView(0), nullptr);
        } else {
            Place(Main->SpectrumView(0), moved, false);
        }
        State(Main).Settings().FFTsize = 2048;
        Main->LoadConfiguration("setup.cfg");
        Pump();

        for (int i = 0; i < 2; ++i) {
            ASSERT_NE(Main->SpectrumView(i), nullptr);
            const WINDOWPLACEMENT wp = PlacementOf(Main->SpectrumView(i));
            EXPECT_TRUE(SameRect(wp.rcNormalPosition, saved[i])) << "view " << i;
        }
        EXPECT_EQ(::IsZoomed(Main->SpectrumView(1)->GetHandle()) != 0, c.Maximised);
        EXPECT_EQ(Main->GetViewStatus().SpectrumPlot, 1);
        EXPECT_TRUE(::GetMenuState(Main->GetMenu(), CM_VIEWSPECTRUM, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, fftSize);
        ASSERT_NE(Main->Wave(), nullptr);
        EXPECT_EQ(Main->Wave()->FileName(), Wave);

        // The undo configuration holds the state just before the load, and
        // loading it brings that state back.
        const std::string undo = Folder.File("-Undo.cfg");
        EXPECT_EQ(::GetPrivateProfileIntA("Settings", "FFTsize", 0, undo.c_str()), 2048);
        EXPECT_EQ(::GetPrivateProfileIntA("ViewStatus", "SpectrumPlot", -1, undo.c_str()), c.CloseFirst ? 0 : 1);
        Main->LoadConfiguration("-Undo.cfg");
        Pump();
        EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 2048u);
        if (c.CloseFirst) {
            EXPECT_EQ(Main->SpectrumView(0), nullptr);
            EXPECT_EQ(Main->SpectrumView(1), nullptr);
            EXPECT_EQ(Main->GetViewStatus().SpectrumPlot, 0);
            Main->CmViewSpectrum();
        } else {
            ASSERT_NE(Main->SpectrumView(0), nullptr);
            EXPECT_TRUE(SameRect(PlacementOf(Main->SpectrumView(0)).rcNormalPosition, moved));
        }
        State(Main).Settings().FFTsize = fftSize;
        Place(Main->SpectrumView(0), saved[0], false);
        Place(Main->SpectrumView(1), saved[1], false);
        Main->SaveConfiguration(cfg.c_str());
    }
}

TEST_F(TFrameFiles, SpectrumViewKeepsItsPlacementWhenItCloses)
{
    const RECT rect{60, 70, 660, 470};
    for (const char* how : {"View menu", "its own close box"}) {
        SCOPED_TRACE(how);
        Main->CmViewSpectrum();
        ASSERT_NE(Main->SpectrumView(0), nullptr);
        Place(Main->SpectrumView(0), rect, false);
        if (std::string(how) == "View menu") Main->CmViewSpectrum();
        else Main->SpectrumView(0)->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_EQ(Main->SpectrumView(0), nullptr);
        EXPECT_EQ(Main->GetViewStatus().SpectrumPlot, 0);
        EXPECT_NE(Profile("Placement", "Spectrum", Ini).find("{60,70,660,470}"), std::string::npos);

        Main->CmViewSpectrum();
        ASSERT_NE(Main->SpectrumView(0), nullptr);
        EXPECT_TRUE(SameRect(PlacementOf(Main->SpectrumView(0)).rcNormalPosition, rect));
        Main->CmViewSpectrum();
        ::WritePrivateProfileStringA("Placement", nullptr, nullptr, Ini.c_str());
    }

    // At exit the open view's placement is kept, and its flag reopens it.
    Main->CmViewSpectrum();
    Place(Main->SpectrumView(0), rect, false);
    Main->Destroy();
    EXPECT_NE(Profile("Placement", "Spectrum", Ini).find("{60,70,660,470}"), std::string::npos);
    EXPECT_EQ(::GetPrivateProfileIntA("ViewStatus", "SpectrumPlot", 0, Ini.c_str()), 1);
}

// Each kind of the window table opens with its flag and menu check,
// keeps its place in a file, goes with its slot cleared, and comes back from
// that file where it was. The generator sizes itself: only its position is
// stored for it.
TEST_F(TFrameFiles, EveryWindowKindOpensClosesAndReopensWhereItWas)
{
    State(Main).Settings().IndependentScalingAndCalibration = 1;
    State(Main).Settings().ChannelProcessing = 2;
    // The delay finder stays open only on two channels.
    State(Main).Settings().Format = TWaveFormat(44100, 2, 2);
    const std::string cfg = Folder.File("places.cfg");
    int row = 0;
    for (const TWindowSlots::TKind& kind : TWindowSlots::Kinds()) {
        SCOPED_TRACE(kind.PlacementKey);
        const RECT rect{40 + 7 * row, 30 + 5 * row, 560 + 7 * row, 360 + 5 * row};
        ++row;
        const UINT command = Main->ViewCommand(kind.Type);
        // A command the menu does not hold has no check to follow.
        const bool inMenu = ::GetMenuState(Main->GetMenu(), command, MF_BYCOMMAND) != UINT(-1);
        const auto checked = [&] {
            return inMenu && (::GetMenuState(Main->GetMenu(), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
        };

        State(Main).Windows().Open(kind.Type, Ini.c_str());
        TWindow* window = State(Main).Windows().Window(kind.Type);
        ASSERT_NE(window, nullptr);
        ASSERT_NE(window->GetHandle(), nullptr);
        EXPECT_EQ(Main->PlacementWindow(kind.Type), window->GetHandle());
        EXPECT_EQ(Main->GetViewStatus().*kind.Flag, 1);
        EXPECT_EQ(checked(), inMenu);
        Place(window, rect, false);
        const RECT placed = PlacementOf(window).rcNormalPosition;
        Main->SaveUtilityPlacements(kind.Type, cfg.c_str());
        char edges[64];
        std::snprintf(edges, sizeof edges, "{%d,%d,%d,%d}", int(placed.left), int(placed.top), int(placed.right),
                      int(placed.bottom));
        EXPECT_NE(Profile("Placement", kind.PlacementKey, cfg).find(edges), std::string::npos);

        State(Main).Windows().Close(kind.Type);
        EXPECT_EQ(State(Main).Windows().Window(kind.Type), nullptr);
        EXPECT_EQ(Main->PlacementWindow(kind.Type), nullptr);
        EXPECT_EQ(Main->GetViewStatus().*kind.Flag, 0);
        EXPECT_FALSE(checked());
        if (kind.KeepsPlacement) {
            EXPECT_NE(Profile("Placement", kind.PlacementKey, Ini).find(edges), std::string::npos);
        }
        State(Main).Windows().Close(kind.Type);

        State(Main).Windows().Open(kind.Type, cfg.c_str());
        window = State(Main).Windows().Window(kind.Type);
        ASSERT_NE(window, nullptr);
        const RECT back = PlacementOf(window).rcNormalPosition;
        EXPECT_EQ(back.left, placed.left);
        EXPECT_EQ(back.top, placed.top);
        if (kind.Type != TMainWin::ViewType::Generator) {
            EXPECT_TRUE(SameRect(back, placed));
        }
        State(Main).Windows().Close(kind.Type);
        EXPECT_EQ(State(Main).Windows().Window(kind.Type), nullptr);
    }
}

TEST_F(TFrameFiles, FileOpenDialogStartsInTheWaveFolder)
{
    ::SetTimer(nullptr, 0, 100, DriveDialog);
    Main->CmFileOpen();
    ASSERT_TRUE(Script.Seen);
    EXPECT_EQ(Script.Title, "Open Wave File");
    EXPECT_EQ(_stricmp(Script.Folder.c_str(), Folder.Path.c_str()), 0) << Script.Folder;
    EXPECT_EQ(Main->Wave(), nullptr);
}

TEST_F(TFrameFiles, DroppedWaveOpensAsFromTheFileMenu)
{
    const std::string other = Folder.File("other.wav");
    ASSERT_TRUE(::CopyFileA(Wave.c_str(), other.c_str(), FALSE));
    struct Outcome {
        int OpMode;
        std::string Caption, Recent, Open;
        bool operator==(const Outcome&) const = default;
    };
    auto outcome = [&] {
        return Outcome{Main->GetOpMode(), Caption(Main->GetHandle()), Profile("FileHistory", "1", Ini),
                       Main->Wave() ? Main->Wave()->FileName() : ""};
    };
    const Outcome expected{TMainWin::PostProcess, "Tonalyx [" + Wave + "]", Wave, Wave};

    Main->OpenWaveFile(other.c_str());
    Script.FileName = Wave;
    ::SetTimer(nullptr, 0, 100, DriveDialog);
    Main->CmFileOpen();
    ASSERT_TRUE(Script.Seen);
    const Outcome fromMenu = outcome();
    EXPECT_EQ(fromMenu, expected) << fromMenu.Caption;

    Main->OpenWaveFile(other.c_str());
    ::WritePrivateProfileStringA("FileHistory", nullptr, nullptr, Ini.c_str());
    Main->SendMessage(WM_DROPFILES, WPARAM(MakeDrop({Wave})), 0);
    const Outcome dropped = outcome();
    EXPECT_EQ(dropped, expected) << dropped.Caption;

    // From Real Time a dropped wave ends in Post Process as well.
    Main->CmModeRealTime();
    ASSERT_EQ(Main->GetOpMode(), TMainWin::RealTime);
    Main->SendMessage(WM_DROPFILES, WPARAM(MakeDrop({Wave})), 0);
    EXPECT_EQ(outcome(), expected);
}
