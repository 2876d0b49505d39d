// The phase scope, the numeric data view and the utilities' options and
// logging commands in a real main window under Xvfb, over a stereo tone
// whose two channels are the same.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/THeadlessEngineHost.h"
#include "dialogs/TDataLogDialog.h"
#include "dialogs/TDelayFinderOptionsDialog.h"
#include "engine/TSmoothing.h"
#include "engine/TWaveFile.h"
#include "framework/TDialog.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/engine/Fixture.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/framework/WindowImage.h"
#include "tests/shell/TMainWinState.h"
#include "utilities/TDataLog.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TLeqAnalysis.h"
#include "utilities/TPhaseScope.h"
#include "views/TDataView.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrumPlot.h"

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

THeadlessEngineHost& Boxes()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

// The main window with its dialogs driven by the test.
class TDrivenMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::function<int(TDialog&)> Driver;
    int ExecuteDialog(TDialog& dialog) override { return Driver ? Driver(dialog) : IDCANCEL; }
};

struct TUtilityWindows : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TDrivenMain> Main;

    void SetUp() override
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TDrivenMain>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).Settings().Format = TWaveFormat(48000, 2, 2);
        State(Main).Settings().FFTsize = 4096;
        State(Main).Settings().ChannelProcessing = 2;
        State(Main).ViewStatus() = ViewStatusFlags{};
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1200, 900, true);
        Main->SetConfiguredFolder(TMainWin::TmpFolder, Folder.Path.c_str());
        Main->OpenWaveFile((std::string(TONALYX_FIXTURES) + "/automation/tone_1k_h3.wav").c_str());
        ASSERT_NE(Main->Wave(), nullptr);
        Boxes().Messages.clear();
        Boxes().Reply = TEngineHost::AnswerOk;
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Boxes().Reply = TEngineHost::AnswerOk;
    }
    void Run()
    {
        Main->Wave()->Rewind();
        Main->StartAnalyzer();
        for (int i = 0; i < 1000 && Main->GetRunState() != TMainWin::Stopped; ++i) Main->IdleAction(0);
        Pump();
    }
};

}  // namespace

// The same signal on both channels has no difference: a vertical line in
// the sound-stage image, a diagonal one in either Lissajous figure, drawn
// in the line colour on the screen.
TEST_F(TUtilityWindows, PhaseScopeDrawsIdenticalChannelsVerticalThenDiagonal)
{
    for (uint16_t format : {0, 1, 2}) {
        SCOPED_TRACE(format);
        State(Main).PhaseScopeOptions().DisplayFormat = format;
        Main->SendMessage(WM_COMMAND, CM_PHASESCOPE);
        Pump();
        TPhaseScope* scope = Main->PhaseScope();
        ASSERT_NE(scope, nullptr);
        EXPECT_EQ(scope->GetWindowText(), "Stereo Phase Scope");
        Main->Wave()->SetPosition(48000);
        scope->UpdateTrace();
        const auto& trace = scope->Trace();
        ASSERT_EQ(trace.size(), 1024u);
        const TRect pane = scope->GraphRect;
        const int w = pane.Width(), h = pane.Height();
        int spreadX = 0, spreadY = 0;
        for (const auto& p : trace) {
            const int px = p.X - pane.left, py = pane.bottom - p.Y;
            if (format == 0) {
                EXPECT_EQ(px, w / 2);
            } else {
                // The same fraction of the pane's width and height from its centre.
                EXPECT_NEAR(double(px - w / 2) / w, double(py - h / 2) / h, 2.0 / std::min(w, h));
            }
            spreadX = std::max(spreadX, std::abs(px - w / 2));
            spreadY = std::max(spreadY, std::abs(py - h / 2));
        }
        // The peak fills half the pane each way: 0.707 of it in the image's sum.
        EXPECT_GT(spreadY, h / 3);
        if (format != 0) {
            EXPECT_GT(spreadX, w / 3);
        }
        HDC dc = ::GetDC(scope->GetHandle());
        int lit = 0;
        for (size_t i = 0; i < trace.size(); i += 64)
            lit += ::GetPixel(dc, trace[i].X, trace[i].Y) == COLORREF(State(Main).PhaseScopeOptions().LineColor);
        ::ReleaseDC(scope->GetHandle(), dc);
        EXPECT_GE(lit, 12);
        if (format == 0) {
            EXPECT_TRUE(SaveWindowImage(scope->GetHandle(), std::string(TONALYX_SHOTS) + "/phase-scope.bmp"));
        }
        Main->SendMessage(WM_COMMAND, CM_PHASESCOPE);
        Pump();
        EXPECT_EQ(Main->PhaseScope(), nullptr);
    }
}

// Refused on one channel; a switch to one channel closes it with its message.
TEST_F(TUtilityWindows, PhaseScopeNeedsStereo)
{
    Main->SendMessage(WM_COMMAND, CM_PHASESCOPE);
    Pump();
    ASSERT_NE(Main->PhaseScope(), nullptr);
    State(Main).Settings().Format = TWaveFormat(48000, 1, 2);
    Main->PhaseScope()->UpdateLayout();
    Pump();
    EXPECT_EQ(Main->PhaseScope(), nullptr);
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text, "The Phase Scope utility requires stereo operation.  It will now be shutdown");
    Boxes().Messages.clear();
    Main->SendMessage(WM_COMMAND, CM_PHASESCOPE);
    Pump();
    EXPECT_EQ(Main->PhaseScope(), nullptr);
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text, "To use the Phase Scope, the analyzer must be set to Stereo operation");
}

// Each view opens its listing from its menu row and closes it again, from
// the row or the listing's close box; thumb tracking scrolls nothing.
TEST_F(TUtilityWindows, DataViewOfEachViewOpensScrollsAndCloses)
{
    Main->SendMessage(WM_COMMAND, CM_VIEWTIMESERIES);
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
    Main->SendMessage(WM_COMMAND, CM_VIEWPHASE);
    Pump();
    Run();
    struct {
        TPlotBase* View;
        UINT Command;
        const char* Caption;
        int Columns;
    } views[] = {
        {Main->SpectrumView(0), TSpectrumPlot::MenuViewData, "Spectral Data", 3},
        {Main->PhaseView(0), TPhasePlot::MenuViewData, "Phase Data", 3},
        {Main->TimeSeriesView(), TSeriesPlot::MenuViewData, "Time Series", 3},
    };
    for (auto& v : views) {
        SCOPED_TRACE(v.Caption);
        ASSERT_NE(v.View, nullptr);
        v.View->SendMessage(WM_COMMAND, v.Command);
        Pump();
        const TDataView* list = v.View->GetDataView();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->GetWindowText(), v.Caption);
        EXPECT_EQ(list->GetWindowRect().Width(), v.Columns * 80 + 26);
        HWND handle = list->GetHandle();
        ::SendMessageA(handle, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
        EXPECT_EQ(list->GetTopRow(), 0);
        ::SendMessageA(handle, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
        EXPECT_EQ(list->GetTopRow(), 1);
        ::SendMessageA(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_NE(v.View->GetDataView(), nullptr);
        Pump();
        EXPECT_EQ(v.View->GetDataView(), nullptr);
        v.View->SendMessage(WM_COMMAND, v.Command);
        ASSERT_NE(v.View->GetDataView(), nullptr);
        v.View->SendMessage(WM_COMMAND, v.Command);
        EXPECT_EQ(v.View->GetDataView(), nullptr);
    }
}

// OK with a new reach rebuilds the open delay finder at the block size that
// covers it; Cancel changes nothing.
TEST_F(TUtilityWindows, DelayFinderOptionsRebuildTheOpenFinder)
{
    Main->SendMessage(WM_COMMAND, CM_DELAYFINDER);
    Pump();
    ASSERT_NE(Main->DelayFinder(), nullptr);
    EXPECT_EQ(Main->DelayFinder()->GetFftSize(), 65536u);
    Main->Driver = [](TDialog&) { return IDCANCEL; };
    Main->SendMessage(WM_COMMAND, CM_DELAYFINDEROPTIONS);
    EXPECT_EQ(Main->DelayFinder()->GetFftSize(), 65536u);
    Main->Driver = [](TDialog& d) {
        if (!d.Create()) return IDCANCEL;
        d.SetItemText(TDelayFinderOptionsDialog::MaxDelayId, "92");
        d.CmOk();
        return d.GetHandle() ? IDCANCEL : IDOK;
    };
    Main->SendMessage(WM_COMMAND, CM_DELAYFINDEROPTIONS);
    EXPECT_EQ(Main->GetDelayFinderOptions().MaxDelayMsec, 92);
    EXPECT_EQ(Main->DelayFinder()->GetFftSize(), 16384u);
}

// Cancel leaves the running logger as it was, so nothing is reopened or
// truncated; OK with the box clear asks, and No leaves logging off.
TEST_F(TUtilityWindows, LoggingSetupCancelKeepsTheLogAndOkAsks)
{
    const std::string log = Folder.File("run.txt");
    std::snprintf(State(Main).Logging().LogFileName, sizeof State(Main).Logging().LogFileName, "%s", log.c_str());
    Main->SendMessage(WM_COMMAND, CM_DATALOGON);
    const TDataLog* logger = Main->GetDataLog();
    ASSERT_NE(logger, nullptr);
    // A spectrum to log: the records of the run sit in the file's buffer.
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
    Pump();
    Run();
    Main->Driver = [](TDialog&) { return IDCANCEL; };
    Main->SendMessage(WM_COMMAND, CM_DATALOGSETUP);
    EXPECT_EQ(Main->GetDataLog(), logger);
    // Reopened with Overwrite, the file would now be empty.
    Main->SendMessage(WM_COMMAND, CM_DATALOGOFF);
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Data Logging On: "), std::string::npos);
    // One record a second of the three-second file, after the header.
    const size_t dashes = text.find(std::string(129, '-') + "\n");
    ASSERT_NE(dashes, std::string::npos);
    EXPECT_GE(std::count(text.begin() + long(dashes), text.end(), '\n'), 3);

    Main->Driver = [](TDialog& d) {
        if (!d.Create()) return IDCANCEL;
        ::CheckDlgButton(d.GetHandle(), TDataLogDialog::EnableId, BST_UNCHECKED);
        ::CheckRadioButton(d.GetHandle(), TDataLogDialog::AppendId, TDataLogDialog::OverwriteId,
                           TDataLogDialog::AppendId);
        d.CmOk();
        return d.GetHandle() ? IDCANCEL : IDOK;
    };
    Boxes().Messages.clear();
    Boxes().Reply = TEngineHost::AnswerNo;
    Main->SendMessage(WM_COMMAND, CM_DATALOGSETUP);
    EXPECT_EQ(Main->GetDataLog(), nullptr);
    EXPECT_EQ(Main->GetLogging().OverwriteFlag, 0u);
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text, "Do you want to enable data logging now?");
    EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_YESNO | MB_ICONQUESTION));
}

// The delay finder and the Leq window after a run over the tone, for docs/.
TEST_F(TUtilityWindows, DelayFinderAndLeqWindowsAfterARun)
{
    Main->SendMessage(WM_COMMAND, CM_DELAYFINDER);
    Main->SendMessage(WM_COMMAND, CM_LEQ);
    Pump();
    ASSERT_NE(Main->DelayFinder(), nullptr);
    ASSERT_NE(Main->LeqWindow(), nullptr);
    Main->DelayFinder()->MoveWindow(10, 10, 360, 140, true);
    Main->LeqWindow()->MoveWindow(400, 10, 360, 300, true);
    Run();
    // A steady tone: its Leq is its median level, also after the update at
    // the file's end, which comes with no block of its own.
    const double leq = std::stod(Main->LeqWindow()->ValueText(1, 0));
    const double median = std::stod(Main->LeqWindow()->ValueText(7, 0));
    EXPECT_NE(leq, 0.0);
    EXPECT_NEAR(leq, median, 0.5);
    EXPECT_TRUE(SaveWindowImage(Main->DelayFinder()->GetHandle(), std::string(TONALYX_SHOTS) + "/delay-finder.bmp"));
    EXPECT_TRUE(SaveWindowImage(Main->LeqWindow()->GetHandle(), std::string(TONALYX_SHOTS) + "/leq.bmp"));
}

// Each utility window, open on its own, gets the spectra of every block.
TEST_F(TUtilityWindows, AUtilityWindowAloneGetsTheBlocks)
{
    for (const UINT command : {CM_DELAYFINDER, CM_LEQ, CM_PHASESCOPE}) {
        SCOPED_TRACE(command);
        Main->SendMessage(WM_COMMAND, command);
        Pump();
        Run();
        EXPECT_GT(Main->GetBlocksProcessed(), 0);
        Main->SendMessage(WM_COMMAND, command);
        Pump();
    }
}

// White noise whose left channel lags the right by 37 samples at 48 kHz.
TEST_F(TUtilityWindows, DelayFinderReadsTheLagOfNoise)
{
    Main->OpenWaveFile((std::string(TONALYX_FIXTURES) + "/utilities/noise_left_lags_37.wav").c_str());
    ASSERT_NE(Main->Wave(), nullptr);
    // 10 ms to cover: blocks of 4096, many of them in the two seconds.
    State(Main).DelayFinderOptions().MaxDelayMsec = 10;
    Main->SendMessage(WM_COMMAND, CM_DELAYFINDER);
    Pump();
    ASSERT_NE(Main->DelayFinder(), nullptr);
    Run();
    EXPECT_EQ(Main->DelayFinder()->DelayText(), " 0.771 msec");
}

// A run over steady tones, Leq averaging for ever and recalculated at the
// stop: each channel's Leq is numpy's level of its tone, flat and A weighted
// (left 1 kHz, right 100 Hz, both at half scale; leq_levels.txt's tone rows).
TEST_F(TUtilityWindows, LeqWindowShowsNumpysLevelsOfTones)
{
    Main->OpenWaveFile((std::string(TONALYX_FIXTURES) + "/utilities/tones_1k_100_half.wav").c_str());
    ASSERT_NE(Main->Wave(), nullptr);
    const auto rows = ReadFixture("leq_levels.txt");
    ASSERT_GE(rows.size(), 4u);
    State(Main).LeqOptions().Leq_Avg = TLeqData::AverageForever;
    State(Main).LeqOptions().RecalculationMode = 1;
    Main->SendMessage(WM_COMMAND, CM_LEQ);
    Pump();
    ASSERT_NE(Main->LeqWindow(), nullptr);
    for (uint16_t weighting : {0, 1}) {
        State(Main).LeqOptions().Leq_Weight = weighting;
        Run();
        for (int channel : {0, 1}) {
            const auto& row = rows[size_t(channel * 2 + weighting)];
            SCOPED_TRACE(testing::Message() << row[1] << " Hz, weighting " << weighting);
            const std::string shown = Main->LeqWindow()->ValueText(1, channel);
            ASSERT_FALSE(shown.empty());
            EXPECT_NEAR(std::stod(shown), row.back(), 0.1);
        }
    }
}

// Every block of a run over the stereo tone logged: the file read back has
// its header, one record per block in time order at numpy's peak frequency,
// and its last record holds the peaks the spectra showed at the end.
TEST_F(TUtilityWindows, DataLogReadsBackAsTheRunShowedIt)
{
    const std::string log = Folder.File("peaks.txt");
    LoggingSettings& logging = State(Main).Logging();
    std::snprintf(logging.LogFileName, sizeof logging.LogFileName, "%s", log.c_str());
    logging.IntervalFlag = 0;
    logging.DataType = TDataLog::PeakFrequencyAndAmplitude;
    State(Main).Settings().FFTsize = 16384;
    State(Main).Settings().SmoothingWindow = TSmoothing::Hanning;
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    Pump();
    Main->SendMessage(WM_COMMAND, CM_DATALOGON);
    ASSERT_NE(Main->GetDataLog(), nullptr);
    Run();
    const TSpectralData* shown[] = {State(Main).DisplayPrimary(), State(Main).DisplaySecondary()};
    ASSERT_NE(shown[1], nullptr);
    Main->SendMessage(WM_COMMAND, CM_DATALOGOFF);

    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1].rfind("Data Logging On: ", 0), 0u);
    EXPECT_EQ(lines[2], "Time\tFreq(Hz)\tLeft Amplitude\tRight Amplitude");
    EXPECT_EQ(lines[3], std::string(TDataLog::RuleLength, '-'));

    const auto reference = ReadFixture("automation/reference.txt");
    ASSERT_EQ(reference.size(), 1u);
    const double numpyPeak = reference[0][0], binWidth = reference[0][1];
    double lastTime = -1.0;
    std::vector<double> last;
    for (size_t i = 4; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        int h = 0, m = 0;
        double s = 0;
        char rest[200] = {};
        ASSERT_EQ(std::sscanf(lines[i].c_str(), "%d:%d:%lf\t%199[^\n]", &h, &m, &s, rest), 4);
        const double time = h * 3600.0 + m * 60.0 + s;
        EXPECT_GT(time, lastTime);
        EXPECT_LE(time, 3.0);
        lastTime = time;
        std::istringstream fields(rest);
        last.assign(std::istream_iterator<double>(fields), std::istream_iterator<double>());
        // Each channel's peak frequency and level, under the three-name column line.
        ASSERT_EQ(last.size(), 4u);
        EXPECT_NEAR(last[0], numpyPeak, binWidth / 2);
        EXPECT_NEAR(last[2], numpyPeak, binWidth / 2);
    }
    EXPECT_EQ(int(lines.size() - 4), Main->GetBlocksProcessed());
    float hz = 0, level = 0;
    shown[0]->FindNthPeak(shown[0]->GetLowIndex(), shown[0]->GetHighIndex(), &hz, &level, 0);
    EXPECT_NEAR(last[0], hz, 1e-4);
    EXPECT_NEAR(last[1], level, 1e-6);
    shown[1]->FindNthPeak(shown[1]->GetLowIndex(), shown[1]->GetHighIndex(), &hz, &level, 0);
    EXPECT_NEAR(last[2], hz, 1e-4);
    EXPECT_NEAR(last[3], level, 1e-6);
}
