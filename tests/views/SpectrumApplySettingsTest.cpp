// Applying changed FFT size, channels and sampling rate with spectrum views
// open: the views hold the rebuilt engines, and the refresh kind decides
// whether they take the new layout.
#include "tests/views/SpectrumScreen.h"

#include <cmath>
#include <vector>
#include "tests/shell/TMainWinState.h"

namespace {

struct TSettingsChange {
    int Kind;
    uint32_t Fft;
    uint16_t Channels;
    uint32_t Rate;
    uint16_t Processing;
};

struct TApplySettingsScreen : TSpectrumScreen {
    static constexpr double LeftHz = 1000.0;
    static constexpr double RightHz = 2000.0;

    void Apply(const TSettingsChange& c)
    {
        State(Main).Settings().FFTsize = c.Fft;
        State(Main).Settings().Format = TWaveFormat(c.Rate, c.Channels, 2);
        State(Main).Settings().ChannelProcessing = c.Processing;
        Main->ApplySettings(TMainWin::RefreshKind(c.Kind));
        Pump();
    }

    // Two seconds in the current format, 1 kHz on the left and 2 kHz on the
    // right at a tenth of full scale; the spectra of its middle are computed
    // into the main engines, which the open views draw.
    void ProcessTones()
    {
        const TWaveFormat format = Main->GetAnalysisSettings().Format;
        const uint32_t frames = 2 * format.SamplingRate;
        Main->ReplaceWave(nullptr);
        Main->ReplaceWave(std::make_unique<TWaveFile>(frames, format, Folder.Path.c_str()));
        for (uint32_t i = 0; i < frames; ++i)
            for (uint16_t k = 0; k < format.NumChannels; ++k) {
                const double f = k == 0 ? LeftHz : RightHz;
                Main->Wave()->PutSample(int32_t(std::lround(3277.0 * std::sin(2 * 3.141592653589793 * f * i / format.SamplingRate))),
                                          i, k);
            }
        Main->ReprocessSegment(1.0f);
        Pump();
    }

    // The view shows its stored range, cut to what the new engine covers,
    // and its column map addresses that engine's bins.
    static void ExpectRangeWithin(const TSpectrumPlot& view, const SpectrumOpts& before, const TSpectralData& data)
    {
        EXPECT_FLOAT_EQ(view.Opts->StartFreq, std::max(before.StartFreq, data.GetLowFrequency()));
        EXPECT_FLOAT_EQ(view.Opts->StopFreq, std::min(before.StopFreq, data.GetHighFrequency()));
        ASSERT_FALSE(view.Scale.ColumnBins.empty());
        EXPECT_LE(int(view.Scale.ColumnBins.back().Bin), data.GetIndexCount() - 1);
    }
};

}  // namespace

TEST_F(TApplySettingsScreen, OneViewTakesEachRebuildAndKindOneLeavesItsLayout)
{
    Open(1, 0);
    const TSettingsChange changes[] = {
        {0, 4096, 1, 44100, 0},    // a smaller FFT
        {2, 4096, 2, 44100, 2},    // stereo, both channels: two panes
        {0, 8192, 2, 22050, 2},    // a lower rate: the stored stop lies above the top
        {1, 2048, 1, 48000, 0},    // kind 1: the view keeps its layout
        {2, 16384, 1, 48000, 0},   // a larger FFT
        {0, 1024, 2, 8000, 4},     // a combined result in one pane
    };
    for (const TSettingsChange& c : changes) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Kind << ", FFT " << c.Fft << ", " << c.Channels
                                        << " ch, " << c.Rate << " Hz, mode " << c.Processing);
        TSpectrumPlot& view = *Main->SpectrumView(0);
        const std::vector<TColumnEntry> columns = view.Scale.ColumnBins;
        const int panes = view.PaneMode;
        const SpectrumOpts opts = *view.Opts;
        Apply(c);
        ASSERT_EQ(Main->SpectrumView(0), &view);
        ASSERT_NE(State(Main).DisplayPrimary(), nullptr);
        EXPECT_EQ(view.Data, State(Main).DisplayPrimary());
        EXPECT_EQ(view.Data2, State(Main).DisplaySecondary());
        EXPECT_EQ(view.Data->GetFFTSize(), c.Fft);
        if (c.Kind == 1) {
            EXPECT_EQ(view.PaneMode, panes);
            EXPECT_EQ(view.Opts->StartFreq, opts.StartFreq);
            EXPECT_EQ(view.Opts->StopFreq, opts.StopFreq);
            ASSERT_EQ(view.Scale.ColumnBins.size(), columns.size());
            for (size_t i = 0; i < columns.size(); ++i) ASSERT_EQ(view.Scale.ColumnBins[i].Bin, columns[i].Bin) << i;
            // Drawing the new engines through the old map stays within them.
            ProcessTones();
            continue;
        }
        const bool twoPanes = c.Channels == 2 && c.Processing == 2;
        EXPECT_EQ(view.PaneMode, twoPanes ? 2 : 1);
        ExpectRangeWithin(view, opts, *view.Data);
        ProcessTones();
        if (twoPanes) {
            ExpectToneAt(view, view.PaneRect1, *State(Main).DisplayPrimary(), LeftHz);
            ExpectToneAt(view, view.PaneRect2, *State(Main).DisplaySecondary(), RightHz);
        } else if (c.Processing == 0) {
            ExpectToneAt(view, view.GraphRect, *State(Main).DisplayPrimary(), LeftHz);
        }
    }
}

TEST_F(TApplySettingsScreen, IndependentViewsEachTakeTheirChannelAndCloseWhenNotAllowed)
{
    Independent = true;
    Open(2, 2);
    ASSERT_NE(Main->SpectrumView(1), nullptr);
    TSpectrumPlot& first = *Main->SpectrumView(0);
    TSpectrumPlot& second = *Main->SpectrumView(1);

    for (const TSettingsChange& c : {TSettingsChange{0, 4096, 2, 48000, 2}, TSettingsChange{2, 8192, 2, 22050, 2}}) {
        SCOPED_TRACE(c.Kind);
        const SpectrumOpts before[2] = {*first.Opts, *second.Opts};
        Apply(c);
        ASSERT_EQ(Main->SpectrumView(0), &first);
        ASSERT_EQ(Main->SpectrumView(1), &second);
        EXPECT_EQ(first.Data, State(Main).SpectralLeft());
        EXPECT_EQ(second.Data, State(Main).SpectralRight());
        EXPECT_EQ(first.Data2, nullptr);
        EXPECT_EQ(second.Data2, nullptr);
        EXPECT_EQ(first.PaneMode, 1);
        EXPECT_EQ(second.PaneMode, 1);
        ExpectRangeWithin(first, before[0], *State(Main).SpectralLeft());
        ExpectRangeWithin(second, before[1], *State(Main).SpectralRight());
        ProcessTones();
        ExpectToneAt(first, first.GraphRect, *State(Main).SpectralLeft(), LeftHz);
        ExpectToneAt(second, second.GraphRect, *State(Main).SpectralRight(), RightHz);
    }

    // Mono leaves no right channel: the second view closes, the first goes on.
    Apply({1, 4096, 1, 44100, 2});
    EXPECT_EQ(Main->SpectrumView(1), nullptr);
    ASSERT_EQ(Main->SpectrumView(0), &first);
    EXPECT_EQ(first.Data, State(Main).SpectralLeft());
    EXPECT_EQ(Main->GetViewStatus().SpectrumPlot, 1);
    ProcessTones();
}
