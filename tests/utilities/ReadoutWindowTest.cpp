// The readout windows in a real main window under Xvfb, on a sox tone of
// 1 kHz with a third harmonic of 1 %: values against numpy, rows, the time
// caption and the minimum size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>

#include "automation/TMacro.h"
#include "base/THeadlessEngineHost.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "utilities/TAnalysisView.h"
#include "tests/shell/TMainWinState.h"

namespace {

void Pump()
{
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    }
}

struct TReference {
    double Peak = 0, Bin = 0, Thd = 0;
};

TReference ReadReference()
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/automation/reference.txt");
    std::string comment;
    std::getline(in, comment);
    TReference r;
    in >> r.Peak >> r.Bin >> r.Thd;
    return r;
}

// A main window in Post Process over the stereo tone, both channels shown,
// with a flat-top window so that amplitudes do not depend on bin positions.
struct TReadouts : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    TReference Reference = ReadReference();

    void Open(const char* special = "")
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n" << special;
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).Settings().Format = TWaveFormat(48000, 2, 2);
        State(Main).Settings().FFTsize = 16384;
        State(Main).Settings().SmoothingWindow = 2;
        State(Main).Settings().ChannelProcessing = 2;
        State(Main).ViewStatus() = ViewStatusFlags{};
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1200, 900, true);
        Main->SetConfiguredFolder(TMainWin::TmpFolder, Folder.Path.c_str());
        Main->OpenWaveFile((std::string(TONALYX_FIXTURES) + "/automation/tone_1k_h3.wav").c_str());
        ASSERT_NE(Main->Wave(), nullptr);
    }
    // The whole file: spectra are computed while a readout is open to show them.
    void Run()
    {
        Main->Wave()->Rewind();
        Main->StartAnalyzer();
        for (int i = 0; i < 1000 && Main->GetRunState() != TMainWin::Stopped; ++i) Main->IdleAction(0);
        Pump();
        ASSERT_GT(Main->GetBlocksProcessed(), 1);
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
    }
    TAnalysisView& Readout(UINT command, TMainWin::ViewType type)
    {
        Main->SendMessage(WM_COMMAND, command);
        Pump();
        TAnalysisView* view = Main->ReadoutWindow(type);
        EXPECT_NE(view, nullptr);
        return *view;
    }
};

double Number(const std::string& text)
{
    return std::stod(text);
}

}  // namespace

TEST_F(TReadouts, ValuesOfBothChannelsAgainstNumpy)
{
    Open();
    const double snr = -20.0 * std::log10(Reference.Thd / 100.0);
    // The file holds no noise, and a harmonic is not noise: the SNR, at
    // least, stands well above the 40 dB of the signal to its harmonic (the
    // flat-top window's far sidelobes over the range leave about 60 dB).
    const struct { UINT Command; TMainWin::ViewType Type; double Expected, Tolerance; const char* Unit; bool AtLeast; } cases[] = {
        {CM_THD, TMainWin::ViewType::Thd, Reference.Thd, 0.02, " %", false},
        {CM_THDN, TMainWin::ViewType::Thdn, Reference.Thd, 0.05, " %", false},
        {CM_SNR, TMainWin::ViewType::Snr, snr + 15.0, 0.0, " dB", true},
        {CM_SINAD, TMainWin::ViewType::Sinad, snr, 0.5, " dB", false},
        {CM_PEAKFREQUENCY, TMainWin::ViewType::PeakFrequency, Reference.Peak, Reference.Bin, " Hz", false},
    };
    for (const auto& c : cases) Readout(c.Command, c.Type);
    Run();
    for (const auto& c : cases) {
        TAnalysisView& view = *Main->ReadoutWindow(c.Type);
        SCOPED_TRACE(view.GetTitle());
        ASSERT_EQ(view.GetRowCount(), 2);
        for (int row = 0; row < 2; ++row) {
            const std::string text = view.RowText(row);
            if (c.AtLeast)
                EXPECT_GT(Number(text), c.Expected) << text;
            else
                EXPECT_NEAR(Number(text), c.Expected, c.Tolerance) << text;
            EXPECT_EQ(text.substr(text.size() - std::string(c.Unit).size()), c.Unit) << text;
        }
        EXPECT_TRUE(::GetMenuState(Main->GetMenu(), c.Command, MF_BYCOMMAND) & MF_CHECKED);
    }
    // The noise figure is one number for the pair of channels: one row.
    TAnalysisView& nf = Readout(CM_NOISEFIGURELEFTRIGHT, TMainWin::ViewType::NoiseFigure);
    EXPECT_EQ(nf.GetRowCount(), 1);
    EXPECT_NEAR(Number(nf.RowText(0)), 0.0, 0.5);

    // The toggle closes it again, and its own close box does the same.
    Main->SendMessage(WM_COMMAND, CM_THD);
    EXPECT_EQ(Main->ReadoutWindow(TMainWin::ViewType::Thd), nullptr);
    EXPECT_EQ(Main->GetViewStatus().THD, 0);
    Main->ReadoutWindow(TMainWin::ViewType::Snr)->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    Pump();
    EXPECT_EQ(Main->ReadoutWindow(TMainWin::ViewType::Snr), nullptr);
    EXPECT_FALSE(::GetMenuState(Main->GetMenu(), CM_SNR, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(TReadouts, SinadShownAsTimeHasItsOwnCaptionAndOneRow)
{
    Open("[Special]\nDisplayTimeInsteadOfSINAD=1\nDisplayTimeOffset=2.5\n");
    TAnalysisView& view = Readout(CM_SINAD, TMainWin::ViewType::Sinad);
    char caption[32] = {};
    ::GetWindowTextA(view.GetHandle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Time");
    EXPECT_EQ(view.GetRowCount(), 1);
    EXPECT_EQ(view.RowText(0).find("2."), 0u) << view.RowText(0);
}

TEST_F(TReadouts, KeepsItsMinimumClientSize)
{
    Open();
    for (const auto& [command, type, rows] : {std::tuple{CM_THD, TMainWin::ViewType::Thd, 2},
                                              {CM_NOISEFIGURERIGHTLEFT, TMainWin::ViewType::NoiseFigure, 1}}) {
        TAnalysisView& view = Readout(command, type);
        view.MoveWindow(10, 10, 40, 30, true);
        Pump();
        const TRect client = view.GetClientRect();
        EXPECT_GE(client.Width(), 120);
        EXPECT_GE(client.Height(), 64 * rows);
    }
    EXPECT_EQ(Main->GetNoiseFigureOrder(), 7);
}

namespace {

// Where a window stands in its parent's client area, and its size.
RECT PlacedRect(HWND window)
{
    RECT r;
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int NaturalWidth(HWND window, int height, const std::string& text)
{
    HDC dc = ::GetDC(window);
    HFONT font = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace

// Without a stored placement a readout opens where its table row puts it
// (left, top, width, height), widened until its widest value fits in the
// font its height gives; the macro window holds its buttons.
TEST_F(TReadouts, OpenAtTheirTableRowsAndHoldTheirWidestValue)
{
    Open();
    const struct { UINT Command; TMainWin::ViewType Type; int Left, Top; } cases[] = {
        {CM_THD, TMainWin::ViewType::Thd, 160, 360},
        {CM_PEAKAMPLITUDE, TMainWin::ViewType::PeakAmplitude, 120, 320},
        {CM_PEAKFREQUENCY, TMainWin::ViewType::PeakFrequency, 100, 300},
        {CM_SNR, TMainWin::ViewType::Snr, 220, 420},
    };
    for (const auto& c : cases) {
        TAnalysisView& view = Readout(c.Command, c.Type);
        SCOPED_TRACE(view.GetTitle());
        const RECT placed = PlacedRect(view.GetHandle());
        EXPECT_EQ(placed.left, c.Left);
        EXPECT_EQ(placed.top, c.Top);
        EXPECT_GE(placed.right - placed.left, 120);
        EXPECT_GE(placed.bottom - placed.top, 84);
        const TRect client = view.GetClientRect();
        const int charHeight = view.GetRowCount() == 2 ? client.Height() / 2 - 2 : client.Height() - 2;
        const int needed = NaturalWidth(view.GetHandle(), charHeight, view.WidestText());
        EXPECT_GE(client.Width(), needed) << view.WidestText();
        // Not the screen-wide window of a rectangle read as edges.
        EXPECT_LT(client.Width(), needed + 120) << view.WidestText();
    }
    Main->SendMessage(WM_COMMAND, CM_MACROPROCESSOR);
    Pump();
    ASSERT_NE(Main->MacroWindow(), nullptr);
    const RECT placed = PlacedRect(Main->MacroWindow()->GetHandle());
    EXPECT_EQ(placed.left, 780);
    EXPECT_EQ(placed.top, 110);
    EXPECT_GE(placed.right, 1000);
    EXPECT_GE(placed.bottom, 300);
    RECT button;
    ::GetWindowRect(::GetDlgItem(Main->MacroWindow()->GetHandle(), 103), &button);
    ::MapWindowPoints(nullptr, Main->MacroWindow()->GetHandle(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_LE(button.right, Main->MacroWindow()->GetClientRect().right);
}
