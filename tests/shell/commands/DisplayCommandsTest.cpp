// The plot display commands: what they store in the view records with no
// view open, the displayed spectra they clear, the segment they set, and on
// a real frame the views they autoscale and copy.
#include <cmath>
#include <functional>
#include <string>
#include "engine/TSpectralData.h"
#include "framework/TMDIClient.h"
#include "tests/shell/commands/CommandTestMain.h"
#include "views/TSpectrumPlot.h"

namespace {

// The level at 1 kHz the first displayed result shows now, and holds.
float Level(const TMainWin& m)
{
    const TSpectralData* d = m.GetDisplayedResult(0);
    return d->GetDisplayValue(d->GetIndex(1000.0f));
}
float Held(const TMainWin& m)
{
    const TSpectralData* d = m.GetDisplayedResult(0);
    return d->GetPeakHoldValue(d->GetIndex(1000.0f));
}


struct TDisplayCommands : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        Main = NewQuietMain(Program);
    }
    void TearDown() override
    {
        if (Main && Main->Wave()) Main->Wave()->Changed = 0;
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    // The stereo sox tone in Post Process, each channel its own result.
    void Open()
    {
        State(Main).Settings().ChannelProcessing = 2;
        State(Main).Settings().IndependentScalingAndCalibration = 1;
        State(Main).Settings().PeakHold = 4;
        OpenInPostProcess(*Main, "automation/tone_1k_h3.wav", TWaveFormat(48000, 2, 2), 4096, Folder.Path);
    }
    // A 1 kHz block averaged and held by the first displayed result.
    void Analysed()
    {
        Open();
        TSpectralData* d = Main->GetDisplayedResult(0);
        ASSERT_NE(d, nullptr);
        for (uint32_t i = 0; i < d->GetFFTSize(); ++i)
            d->SetTimeSample(i, float(8000.0 * std::sin(2.0 * 3.141592653589793 * 1000.0 * i / 48000.0)));
        d->ComputeSpectrum();
        d->Average(0);
        d->UpdatePeakHold();
        ASSERT_GT(Level(*Main), -900.0f);
        ASSERT_GT(Held(*Main), -900.0f);
    }
    void Frame()
    {
        WriteIni(Folder.File("Tonalyx.ini"), FrameIni);
        SetUp();
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1200, 900, true);
        Pump();
    }
};

struct TCase {
    std::string Command;
    std::function<void(TDisplayCommands&)> Prepare;
    std::function<void(TMainWin&)> Check;
};

using T = TDisplayCommands;

}  // namespace

// Every command of the family is acknowledged; an argument that cannot be
// used changes nothing.
TEST_F(TDisplayCommands, CommandsStoreTheViewSettings)
{
    const auto none = [](T&) {};
    const auto series = [](T& t) {
        State(t.Main).SeriesOptions().StartTime = 0.5f;
        State(t.Main).SeriesOptions().StopTime = 4.0f;
    };
    const TCase cases[] = {
        // Graph styles reach both spectrum records with no view open.
        {"[Set Spectrum Bar Graph]", none, [](TMainWin& m) {
             EXPECT_EQ(m.GetSpectrumOptions(0).PlotType, 1);
             EXPECT_EQ(m.GetSpectrumOptions(1).PlotType, 1);
         }},
        {"[Set Spectrum Stepped Bar Graph]", none, [](TMainWin& m) { EXPECT_EQ(m.GetSpectrumOptions(1).PlotType, 2); }},
        {"[Set Spectrum Line Graph]", [](T& t) { State(t.Main).SpectrumOptions()[0].PlotType = 2; },
         [](TMainWin& m) { EXPECT_EQ(m.GetSpectrumOptions(0).PlotType, 0); }},
        // Tops and ranges within what each options dialog accepts.
        {"[Set Spectrum Plot Top 20]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).PlotTop, 20.0f); }},
        {"[Set Spectrum Plot Top 500]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).PlotTop, 0.0f); }},
        {"[Set Spectrum Plot Range 80.5]", none,
         [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).PlotRange, 80.5f); }},
        {"[Set Spectrum Plot Range 0]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).PlotRange, 120.0f); }},
        {"[Set Spectrum Plot Range 1e39]", none,
         [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).PlotRange, 120.0f); }},
        {"[Set Time Series Plot Top 50]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSeriesOptions().PlotTop, 50.0f); }},
        {"[Set Time Series Plot Range 30]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSeriesOptions().PlotRange, 30.0f); }},
        {"[Set Phase Plot Top 90]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetPhaseOptions(0).PlotTop, 90.0f); }},
        {"[Set Phase Plot Top 200]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetPhaseOptions(0).PlotTop, 180.0f); }},
        {"[Set Phase Plot Range 180]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetPhaseOptions(0).PlotRange, 180.0f); }},
        {"[Set Spectrogram Plot Top -10]", none,
         [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSpectrogramOptions(0).PlotTop, -10.0f); }},
        {"[Set Spectrogram Plot Range 90]", none,
         [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSpectrogramOptions(0).PlotRange, 90.0f); }},
        {"[Set Surface Plot Top -20]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSurfaceOptions(0).PlotTop, -20.0f); }},
        {"[Set Surface Plot Range 100]", none,
         [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSurfaceOptions(0).PlotRange, 100.0f); }},
        // Only the first view's record.
        {"[Set Surface Plot Range 100]", none,
         [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSurfaceOptions(1).PlotRange, 60.0f); }},
        // Spans: whole hertz, negatives as 0, a reversed or missing stop keeps the stored span.
        {"[Spectrum Freq Span 20 20000]", none, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).StartFreq, 20.0f);
             EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).StopFreq, 20000.0f);
         }},
        {"[Spectrum Freq Span 5000 100]", none, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).StartFreq, 5.0f);
             EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).StopFreq, 22000.0f);
         }},
        {"[Phase Freq Span 100]", none, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetPhaseOptions(0).StartFreq, PhaseOpts{}.StartFreq);
             EXPECT_FLOAT_EQ(m.GetPhaseOptions(0).StopFreq, PhaseOpts{}.StopFreq);
         }},
        {"[Phase Freq Span 100.9 2000]", none, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetPhaseOptions(0).StartFreq, 100.0f);
             EXPECT_FLOAT_EQ(m.GetPhaseOptions(0).StopFreq, 2000.0f);
         }},
        {"[Spectrogram Freq Span -10 8000]", none, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetSpectrogramOptions(0).StartFreq, 0.0f);
             EXPECT_FLOAT_EQ(m.GetSpectrogramOptions(0).StopFreq, 8000.0f);
             EXPECT_EQ(m.GetSpectrogramOptions(0).UseFullSpan, 0u);
         }},
        {"[Surface Freq Span 300 300]", none, [](TMainWin& m) { EXPECT_EQ(m.GetSurfaceOptions(0).UseFullSpan, 1u); }},
        {"[Surface Freq Span 300 3000]", none, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetSurfaceOptions(0).StartFreq, 300.0f);
             EXPECT_FLOAT_EQ(m.GetSurfaceOptions(0).StopFreq, 3000.0f);
             EXPECT_EQ(m.GetSurfaceOptions(0).UseFullSpan, 0u);
         }},
        // The time segment: the series span only when ordered, the main window's always.
        {"[Set Time Segment 2.5 1.0]", series, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetSeriesOptions().StartTime, 0.5f);
             EXPECT_FLOAT_EQ(m.GetSeriesOptions().StopTime, 4.0f);
             EXPECT_FLOAT_EQ(m.GetTimeSegmentStart(), 2.5f);
             EXPECT_FLOAT_EQ(m.GetTimeSegmentEnd(), 1.0f);
         }},
        {"[Set Time Segment -1 3]", series, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetSeriesOptions().StartTime, 0.0f);
             EXPECT_FLOAT_EQ(m.GetSeriesOptions().StopTime, 3.0f);
             EXPECT_FLOAT_EQ(m.GetTimeSegmentStart(), 0.0f);
             EXPECT_FLOAT_EQ(m.GetTimeSegmentEnd(), 3.0f);
         }},
        {"[Set Time Segment 1 1e39]", series, [](TMainWin& m) {
             EXPECT_FLOAT_EQ(m.GetSeriesOptions().StopTime, 4.0f);
             EXPECT_FLOAT_EQ(m.GetTimeSegmentEnd(), 0.0f);
         }},
        {"[Set Time Segment 2]", series, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetTimeSegmentStart(), 0.0f); }},
        // Views that are not open are skipped.
        {"[Autoscale Spectrum]", none, [](TMainWin& m) { EXPECT_FLOAT_EQ(m.GetSpectrumOptions(0).PlotTop, 0.0f); }},
        {"[Autoscale Time Series]", none, [](TMainWin&) {}},
        {"[Copy to Clipboard as Bitmap]", none, [](TMainWin&) {}},
        // Clearing the displayed spectra: the averages or the held peaks, not both.
        {"[Clear Spectrum]", [](T& t) { t.Analysed(); }, [](TMainWin& m) {
             EXPECT_LT(Level(m), -900.0f);
             EXPECT_GT(Held(m), -900.0f);
         }},
        {"[Clear Peak Hold]", [](T& t) { t.Analysed(); }, [](TMainWin& m) {
             EXPECT_GT(Level(m), -900.0f);
             EXPECT_LT(Held(m), -900.0f);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Command);
        TearDown();
        SetUp();
        c.Prepare(*this);
        EXPECT_EQ(Main->ExecuteCommand(c.Command), Done);
        c.Check(*Main);
    }
}

// On a real frame: autoscale moves the open spectrum view's top to the data,
// and only the first view of a kind, when active, is copied as a bitmap.
TEST_F(TDisplayCommands, ViewsAreAutoscaledAndCopied)
{
    Frame();
    Analysed();
    Main->CmViewSpectrum();
    Pump();
    const auto views = Main->SpectrumViews();
    ASSERT_NE(views[0], nullptr);
    ASSERT_NE(views[1], nullptr);
    State(Main).SpectrumOptions()[0].PlotTop = 150.0f;
    EXPECT_EQ(Main->ExecuteCommand("[Autoscale Spectrum]"), Done);
    EXPECT_LT(Main->GetSpectrumOptions(0).PlotTop, 150.0f);

    const auto copied = [&](TWindow* active) {
        Main->GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(active->GetHandle()));
        Pump();
        EXPECT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        ::CloseClipboard();
        EXPECT_EQ(Main->ExecuteCommand("[Copy to Clipboard as Bitmap]"), Done);
        return ::IsClipboardFormatAvailable(CF_BITMAP) != 0;
    };
    EXPECT_TRUE(copied(views[0]));
    EXPECT_FALSE(copied(views[1]));
}
