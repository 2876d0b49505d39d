// The spectrogram in a real main window: Post Process of sox's stepped tones
// read back from the screen against numpy, the cursor, two panes, wrap mode,
// the View menu and the main window's settings and rebuilds.
#include "tests/views/SpectrogramScreen.h"

#include <cmath>

#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "tests/framework/WindowImage.h"
#include "tests/shell/TMainWinState.h"

TEST_F(TSpectrogramScreen, SteppedTonesLineUpWithNumpyInEveryDirection)
{
    const TStepReference reference;
    ASSERT_EQ(reference.Blocks.size(), 63u);
    for (uint16_t direction = 0; direction < 4; ++direction) {
        SCOPED_TRACE(::testing::Message() << "direction " << direction);
        Open(1, 0, direction);
        Load("spectrogram_steps_mono.wav");
        RunToEnd();
        TSpectrogram& view = *Main->SpectrogramView(0);
        ASSERT_EQ(view.PaneMode, 1);
        ASSERT_NE(view.PaneBitmap, nullptr);
        EXPECT_GE(ExpectLinesMatch(view, view.GraphRect, 0, reference), 40);

        // The cursor on a line reads its time and the column's frequency.
        const TSpectrogramGeometry geometry(direction);
        const int line = 7, column = 300;
        const TCurvePoint at = geometry.WindowPixel(TSpectrogram::LinesPerStep * line, column, AsPane(view.GraphRect));
        const float time = view.History[TSpectrogram::LinesPerStep * line].Time;
        const float frequency = view.Scale.Columns[column].Frequency;
        const TPoint point(at.x, at.y);
        const bool timeAlongX = direction < 2;
        EXPECT_FLOAT_EQ(timeAlongX ? view.GetXValue(point) : view.GetYValue(point), time);
        EXPECT_FLOAT_EQ(timeAlongX ? view.GetYValue(point) : view.GetXValue(point), frequency);
        EXPECT_EQ(view.GetCursorAxis(), timeAlongX ? 1 : 0);
        EXPECT_TRUE(Host().Messages.empty());
        Main->Destroy();
        Main.reset();
    }
}

// sox's sweep from 20 Hz to 2 kHz over two seconds at 48 kHz, exponential
// (numpy's spectra of the fixture follow 20 x 100^(t/2) to within a bin),
// FFT 1024 at 75 % overlap: each line's brightest column stands at the
// sweep's frequency at the line's time, within a bin. Its picture is the one
// in docs/.
TEST_F(TSpectrogramScreen, ASweepRisesAlongItsLawLineByLine)
{
    Open(1, 0, 0);
    State(Main).Settings().Format = TWaveFormat(48000, 1, 2);
    State(Main).Settings().FFTsize = 1024;
    State(Main).Settings().OverlapPercent = 75;
    State(Main).SpectrogramOptions()[0].StopFreq = 2500.0f;
    Load("series_48k_mono.wav");
    RunToEnd();
    TSpectrogram& view = *Main->SpectrogramView(0);
    Screenshot shot(view.GetHandle());
    const double binWidth = 48000.0 / 1024;
    int compared = 0;
    for (int line = 0; line < view.GetHistoryLineCount() - 1; ++line) {
        const double time = view.History[TSpectrogram::LinesPerStep * line].Time;
        // Where the sweep has left the lowest bins and not yet faded out.
        if (time < 0.6 || time > 1.9)
            continue;
        SCOPED_TRACE(::testing::Message() << "line " << line << " at " << time << " s");
        const double hz = 20.0 * std::pow(100.0, time / 2.0);
        const int column = view.FindColumn(float(hz));
        const int bin = view.FindColumn(float(hz + binWidth)) - column;
        EXPECT_NEAR(PeakOfLine(view, shot, view.GraphRect, line).Column, column, bin);
        ++compared;
    }
    EXPECT_GE(compared, 200);
    EXPECT_TRUE(Host().Messages.empty());
    EXPECT_TRUE(SaveWindowImage(view.GetHandle(), std::string(TONALYX_SHOTS) + "/spectrogram.bmp"));
}

TEST_F(TSpectrogramScreen, BothChannelsShowInTwoPanes)
{
    const TStepReference reference;
    Open(2, 2, 0);
    Load("spectrogram_steps_stereo.wav");
    RunToEnd();
    TSpectrogram& view = *Main->SpectrogramView(0);
    ASSERT_EQ(view.PaneMode, 2);
    ASSERT_NE(view.PaneBitmap2, nullptr);
    EXPECT_GE(ExpectLinesMatch(view, view.PaneRect1, 0, reference), 40);
    EXPECT_GE(ExpectLinesMatch(view, view.PaneRect2, 1, reference), 40);
    // The amplitude under a line's peak, read back from its pixel.
    Screenshot shot(view.GetHandle());
    const TLinePeak peak = PeakOfLine(view, shot, view.PaneRect2, 3);
    const TCurvePoint at = TSpectrogramGeometry(0).WindowPixel(6, peak.Column, AsPane(view.PaneRect2));
    EXPECT_FLOAT_EQ(view.GetPixelAmplitude(TPoint(at.x, at.y)),
                    DbOfBand(peak.Index, view.ColourCount));
}

TEST_F(TSpectrogramScreen, ASelectionAcrossTheWrapPositionIsRefused)
{
    Open(1, 0, 0, TSpectrogram::WrapImage);
    Load("spectrogram_steps_mono.wav");
    TSpectrogram& view = *Main->SpectrogramView(0);
    // Room for 40 lines: the 63 blocks wrap once.
    view.MoveWindow(0, 0, 80 + view.LeftMargin + view.RightMargin + 8, 500, true);
    Pump();
    ASSERT_EQ(view.History.Count(), 80);
    RunToEnd();
    ASSERT_GT(view.WrapPos, 10);
    const int x = view.GraphRect.right - 1 - view.WrapPos;
    const auto select = [&](int from, int to) {
        view.SelectionRect = TRect(from, view.GraphRect.top, to, view.GraphRect.bottom);
        float start = 0, end = 0;
        view.GetSelectedSegment(start, end);
        return std::pair{start, end};
    };
    const auto [start, end] = select(x - 10, x + 10);
    EXPECT_GT(start, end);
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "Spectrogram View: The selected time segment cannot cross the scroll boundary.  "
                                       "Please reselect the time segment.");
    // Inside the newer lap: oldest first, no message.
    Host().Messages.clear();
    const auto [first, last] = select(x + 4, view.GraphRect.right - 2);
    EXPECT_LT(first, last);
    EXPECT_TRUE(Host().Messages.empty());
}

TEST_F(TSpectrogramScreen, ViewMenuAndCloseBoxOpenAndCloseTheViews)
{
    Independent = true;
    Open(2, 2, 0);
    ASSERT_NE(Main->SpectrogramView(1), nullptr);
    EXPECT_TRUE(::GetMenuState(Main->GetMenu(), CM_VIEWSPECTROGRAM, MF_BYCOMMAND) & MF_CHECKED);
    // One of two goes alone, keeping the flag.
    Main->SpectrogramView(1)->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(Main->SpectrogramView(1), nullptr);
    EXPECT_EQ(Main->GetViewStatus().Spectrogram, 1);
    // The last one closes as the menu does.
    Main->SpectrogramView(0)->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(Main->SpectrogramView(0), nullptr);
    EXPECT_EQ(Main->GetViewStatus().Spectrogram, 0);
    EXPECT_FALSE(::GetMenuState(Main->GetMenu(), CM_VIEWSPECTROGRAM, MF_BYCOMMAND) & MF_CHECKED);
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTROGRAM);
    ASSERT_NE(Main->SpectrogramView(0), nullptr);
    ASSERT_NE(Main->SpectrogramView(1), nullptr);
    EXPECT_EQ(Main->SpectrogramView(1)->Data, State(Main).DisplaySecondary());
    // Only the left channel's result: the second view may not stay.
    State(Main).Settings().ChannelProcessing = 0;
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    EXPECT_EQ(Main->SpectrogramView(1), nullptr);
    ASSERT_NE(Main->SpectrogramView(0), nullptr);
    EXPECT_EQ(Main->SpectrogramView(0)->Data, State(Main).DisplayPrimary());
}

TEST_F(TSpectrogramScreen, SettingsClearTheHistoryAndAWindowChangeRecomputesIt)
{
    Open(1, 0, 0);
    Load("spectrogram_steps_mono.wav");
    RunToEnd();
    TSpectrogram& view = *Main->SpectrogramView(0);
    const float newest = view.History[0].Time;
    ASSERT_GT(newest, 2.5f);
    const int lines = view.FindHistoryIndex(view.GetHistoryMinTime());
    ASSERT_GT(lines, 50);

    // A new window: the same lines computed again from the wave.
    Screenshot before(view.GetHandle());
    const TLinePeak peak = PeakOfLine(view, before, view.GraphRect, 5);
    State(Main).Settings().SmoothingWindow = TSmoothing::Blackman;
    Main->ApplySettings(TMainWin::RefreshKind::RecomputeHistory);
    Pump();
    EXPECT_EQ(view.History[0].Time, newest);
    Screenshot after(view.GetHandle());
    EXPECT_NEAR(PeakOfLine(view, after, view.GraphRect, 5).Column, peak.Column, 1);
    EXPECT_EQ(view.FindHistoryIndex(view.GetHistoryMinTime()), lines);

    // A new FFT size: the lines no longer fit, the picture starts again.
    State(Main).Settings().FFTsize = 8192;
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    Pump();
    EXPECT_EQ(view.GetHistoryMaxTime(), 0.0f);
    Screenshot cleared(view.GetHandle());
    EXPECT_EQ(PeakOfLine(view, cleared, view.GraphRect, 5).Index, 0);
}

TEST_F(TSpectrogramScreen, AResizedViewIsRebuiltOnceFromTheWave)
{
    Open(1, 0, 0);
    Load("spectrogram_steps_mono.wav");
    RunToEnd();
    TSpectrogram& view = *Main->SpectrogramView(0);
    const float newest = view.History[0].Time;
    // Narrower by 100 pixels, then wider again, within 500 ms: the picture
    // stays at its newest edge meanwhile, and one rebuild redraws it all.
    view.MoveWindow(0, 0, 1000, 760, true);
    view.MoveWindow(0, 0, 1050, 700, true);
    Screenshot kept(view.GetHandle());
    EXPECT_GT(PeakOfLine(view, kept, view.GraphRect, 4).Index, 100);
    EXPECT_EQ(view.History[0].Time, newest);
    const DWORD end = ::GetTickCount() + 1500;
    while (::GetTickCount() < end) Pump();
    const TStepReference reference;
    EXPECT_GE(ExpectLinesMatch(view, view.GraphRect, 0, reference), 40);
    EXPECT_EQ(Main->GetWindowText().find(IDS_REBUILDING_DISPLAY_TEXT), std::string::npos);
}

TEST_F(TSpectrogramScreen, AConfigurationReopensTheViewAtItsPlace)
{
    Open(1, 0, 3);
    Main->SpectrogramView(0)->MoveWindow(30, 40, 700, 500, true);
    const std::string file = Folder.File("spectrogram.cfg");
    Main->SaveConfiguration(file.c_str());
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTROGRAM);
    ASSERT_EQ(Main->SpectrogramView(0), nullptr);
    State(Main).SpectrogramOptions()[0].Direction = 0;
    Main->LoadConfiguration(file.c_str());
    ASSERT_NE(Main->SpectrogramView(0), nullptr);
    EXPECT_EQ(Main->GetViewStatus().Spectrogram, 1);
    EXPECT_EQ(Main->GetSpectrogramOptions(0).Direction, 3);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ASSERT_TRUE(Main->SpectrogramView(0)->GetWindowPlacement(placement));
    EXPECT_EQ(TRect(placement.rcNormalPosition), TRect(30, 40, 730, 540));
}
