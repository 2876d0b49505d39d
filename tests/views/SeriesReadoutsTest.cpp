// The time series view's readout and transform entries on a numpy-made
// stereo segment selected with Select All: the RMS level and crest factor texts in
// the results box, the PSI time level refused without pressure
// calibration, and the envelope and Schroeder integral in the analysis
// blocks against scipy's analytic signal and numpy's reversed sums.
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/TSeriesData.h"
#include "tests/engine/Fixture.h"
#include "tests/views/SeriesScreen.h"

namespace {

// The results box's caption and text, closed once read.
std::string ResultCaption, ResultText;

BOOL CALLBACK FindResults(HWND window, LPARAM found)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK ReadAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindResults, LPARAM(&dialog));
    if (!dialog) return;
    ::KillTimer(nullptr, timer);
    char text[1024] = {};
    ::GetWindowTextA(dialog, text, sizeof text);
    ResultCaption = text;
    ::GetDlgItemTextA(dialog, 310, text, sizeof text);
    ResultText = text;
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

struct TSeriesReadouts : TSeriesScreen {
    std::vector<std::vector<double>> Want = ReadFixture("views/segment_levels_results.txt");

    void SetUp() override
    {
        ASSERT_EQ(Want.size(), 6u);
        Open();
        LoadWave("segment_levels.wav");
        SelectAll();
    }
    // Select All marks the first 1997 of the 2000 frames, the range numpy measured.
    void SelectAll()
    {
        View->SelectAll();
        float start = 0.0f, end = 0.0f;
        ASSERT_TRUE(Main->GetSelectedSegment(start, end));
        ASSERT_EQ(Main->Wave()->TimeToFrame(start), 0u);
        ASSERT_EQ(Main->Wave()->TimeToFrame(end), 1997u);
    }
    void Entry(UINT id)
    {
        ResultCaption.clear();
        ResultText.clear();
        ::SetTimer(nullptr, 0, 50, ReadAndClose);
        View->SendMessage(WM_COMMAND, id, 0);
    }
};

std::string Printed(const char* format, double a, double b, double c, double d)
{
    char text[300];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

}  // namespace

TEST_F(TSeriesReadouts, RmsAndCrestFactorOfTheSegmentMatchNumpy)
{
    Entry(TSeriesPlot::MenuRmsLevel);
    EXPECT_EQ(ResultCaption, "RMS Level");
    const double l = Want[0][0], r = Want[1][0];
    EXPECT_EQ(ResultText, Printed("Left:\t%6.4f\tPercent Full Scale\t(%6.2f dBFS)\rRight:\t%6.4f\tPercent Full "
                                  "Scale\t(%6.2f dBFS)",
                                  l, 20 * std::log10(l), r, 20 * std::log10(r)));

    Entry(TSeriesPlot::MenuCrestFactor);
    EXPECT_EQ(ResultCaption, "Crest Factor");
    const double cl = Want[0][2], cr = Want[1][2];
    EXPECT_EQ(ResultText, Printed("Left:\t%6.2f\t(%6.2f dB)\rRight:\t%6.2f\t(%6.2f dB)", cl, 20 * std::log10(cl), cr,
                                  20 * std::log10(cr)));

    // Uncalibrated: refused with its message, no results box.
    Host().Messages.clear();
    Main->PsiTimeLevel();
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "The analyzer must be calibrated to SPL or Pascals to use this function.");
}

TEST_F(TSeriesReadouts, EnvelopeAndSchroederOfTheSegmentMatchScipyAndNumpy)
{
    View->SendMessage(WM_COMMAND, TSeriesPlot::MenuEnvelope, 0);
    EXPECT_EQ(Main->GetSeriesSource(), 1u);
    for (int c = 0; c < 2; ++c) {
        const TSeriesData* block = Main->GetSeries(c);
        ASSERT_NE(block, nullptr);
        ASSERT_EQ(block->GetLength(), Want[2 + size_t(c)].size());
        for (size_t i = 0; i < Want[2 + size_t(c)].size(); ++i)
            ASSERT_NEAR(block->GetSample(uint32_t(i), 0), Want[2 + size_t(c)][i], 2.0) << c << " " << i;
    }

    // Back to the wave, as a stop of the analyser leaves the view.
    Main->SeriesViewStopped();
    Pump();
    SelectAll();
    View->SendMessage(WM_COMMAND, TSeriesPlot::MenuSchroeder, 0);
    for (int c = 0; c < 2; ++c) {
        const TSeriesData* block = Main->GetSeries(c);
        ASSERT_NE(block, nullptr);
        for (size_t i = 0; i < Want[4 + size_t(c)].size(); ++i)
            ASSERT_NEAR(block->GetSample(uint32_t(i), 0), Want[4 + size_t(c)][i], 1.0) << c << " " << i;
    }
    EXPECT_TRUE(Host().Messages.empty());
}
