// The DDE listing items on a main window object: spectra, phase, the analysis
// blocks and the recording, against numpy and Python's wave module on sox
// tones analysed one block in Post Process.
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "tests/shell/commands/CommandTestMain.h"
#include "views/TSeriesScale.h"

namespace {

// A listing's lines, each split at its tabs; the text must end with CR LF
// and hold no other line ends.
std::vector<std::vector<double>> Lines(const std::string& text)
{
    std::vector<std::vector<double>> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "unended line at " << start;
        if (end == std::string::npos) break;
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        std::vector<double> columns;
        std::istringstream in(line);
        for (std::string cell; std::getline(in, cell, '\t');) columns.push_back(std::stod(cell));
        lines.push_back(columns);
        start = end + 2;
    }
    return lines;
}

struct TReference {
    double BinWidth = 0;
    // Per channel: bin -> {level dB, phase degrees}.
    std::map<int, std::pair<double, double>> Bins[2];
    // frame -> {left %, right %}.
    std::map<int, std::pair<double, double>> Frames;

    TReference()
    {
        std::ifstream in(Fixture("automation/listing_reference.txt"));
        std::string line;
        std::getline(in, line);
        in >> BinWidth;
        while (std::getline(in, line)) {
            std::istringstream row(line);
            if (line.rfind("frame", 0) == 0) {
                std::string word;
                int frame = 0;
                double left = 0, right = 0;
                row >> word >> frame >> left >> right;
                Frames[frame] = {left, right};
            } else if (!line.empty()) {
                int channel = 0, bin = 0;
                double level = 0, phase = 0;
                row >> channel >> bin >> level >> phase;
                Bins[channel][bin] = {level, phase};
            }
        }
    }
};

struct TDdeListings : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    TReference Reference;

    void SetUp() override
    {
        Main = NewQuietMain(Program);
    }

    // The file opened in Post Process and its first block analysed with a
    // Hann window, levels in dB.
    void Analyse(const char* file, uint16_t channels, uint16_t mode, uint32_t fftSize)
    {
        State(Main).Settings().ChannelProcessing = mode;
        State(Main).Settings().SmoothingWindow = TSmoothing::Hanning;
        State(Main).Settings().PeakHold = 4;
        for (DisplaySettingsStruct& s : State(Main).Scaling()) s.AmpScaleType = DisplaySettingsStruct::DecibelAmplitude;
        // The views that want spectra and phase: without them the blocks are not transformed.
        State(Main).ViewStatus().SpectrumPlot = 1;
        State(Main).ViewStatus().PhasePlot = 1;
        ASSERT_NO_FATAL_FAILURE(OpenInPostProcess(*Main, file, TWaveFormat(48000, channels, 2), fftSize, Folder.Path));
        ASSERT_EQ(Main->ExecuteCommand("[Single Step]"), Done);
        ASSERT_EQ(Main->GetBlocksProcessed(), 1);
    }
    std::string Text(TDdeItem item)
    {
        const std::optional<std::string> text = Main->DdeItemText(int(item));
        EXPECT_TRUE(text) << int(item);
        return text.value_or("");
    }
    bool NoData(TDdeItem item) { return !Main->DdeItemText(int(item)); }
};

}  // namespace

// Both channels' levels and phases at the bins around each tone, every
// bin's frequency, and the same values through the one-channel, peak-hold,
// zoomed and marked listings.
TEST_F(TDdeListings, SpectraAndPhaseMatchNumpy)
{
    Analyse("automation/listing_tones.wav", 2, 2, 4096);
    const TSpectralData* left = Main->GetDisplayedResult(0);
    ASSERT_TRUE(left && Main->GetDisplayedResult(1));
    const int low = left->GetLowIndex();

    const auto spectrum = Lines(Text(TDdeItem::Spectrum));
    ASSERT_EQ(int(spectrum.size()), left->GetHighIndex() - low + 1);
    for (size_t i = 0; i < spectrum.size(); ++i) {
        ASSERT_EQ(spectrum[i].size(), 3u) << i;
        ASSERT_NEAR(spectrum[i][0], double(low + int(i)) * Reference.BinWidth, 1e-3) << i;
    }
    const auto phase = Lines(Text(TDdeItem::Phase));
    ASSERT_EQ(phase.size(), spectrum.size());
    const auto peakHold = Lines(Text(TDdeItem::PeakHoldSpectrum));
    ASSERT_EQ(peakHold.size(), spectrum.size());
    for (int channel = 0; channel < 2; ++channel) {
        for (const auto& [bin, expected] : Reference.Bins[channel]) {
            SCOPED_TRACE("channel " + std::to_string(channel) + " bin " + std::to_string(bin));
            const std::vector<double>& line = spectrum[size_t(bin - low)];
            EXPECT_NEAR(line[1 + channel], expected.first, 0.05);
            EXPECT_NEAR(peakHold[size_t(bin - low)][1 + channel], expected.first, 0.05);
            EXPECT_NEAR(std::remainder(phase[size_t(bin - low)][1 + channel] - expected.second, 360.0), 0.0, 0.5);
        }
    }

    // One channel: the right listing is the right column, on its own.
    const auto right = Lines(Text(TDdeItem::SpectrumRight));
    ASSERT_EQ(right.size(), spectrum.size());
    for (size_t i = 0; i < right.size(); i += 97) EXPECT_EQ(right[i], (std::vector{spectrum[i][0], spectrum[i][2]}));

    // The zoom and the markers cover their bins only; reversed markers none.
    State(Main).SpectrumOptions()[0].StartFreq = 900.0f;
    State(Main).SpectrumOptions()[0].StopFreq = 1100.0f;
    State(Main).PhaseOptions()[0].StartFreq = 2000.0f;
    State(Main).PhaseOptions()[0].StopFreq = 3000.0f;
    State(Main).Markers().MarkerFreq[0] = 2400.0f;
    State(Main).Markers().MarkerFreq[1] = 2600.0f;
    const struct {
        TDdeItem Item;
        double From, To;
        size_t Columns;
    } ranges[] = {
        {TDdeItem::ZoomedSpectrum, 900, 1100, 3},   {TDdeItem::ZoomedPeakHoldSpectrumLeft, 900, 1100, 2},
        {TDdeItem::ZoomedPhase, 2000, 3000, 3},     {TDdeItem::MarkedSpectrum, 2400, 2600, 3},
        {TDdeItem::MarkedPhaseRight, 2400, 2600, 2},
    };
    for (const auto& r : ranges) {
        SCOPED_TRACE(int(r.Item));
        const auto lines = Lines(Text(r.Item));
        ASSERT_GT(lines.size(), 2u);
        EXPECT_NEAR(lines.front()[0], r.From, Reference.BinWidth);
        EXPECT_NEAR(lines.back()[0], r.To, Reference.BinWidth);
        EXPECT_EQ(lines.front().size(), r.Columns);
    }
    const auto marked = Lines(Text(TDdeItem::MarkedSpectrum));
    const size_t first = size_t(left->GetIndex(2400.0f) - low);
    for (size_t i = 0; i < marked.size(); ++i) EXPECT_EQ(marked[i], spectrum[first + i]);

    std::swap(State(Main).Markers().MarkerFreq[0], State(Main).Markers().MarkerFreq[1]);
    for (TDdeItem item : {TDdeItem::MarkedSpectrum, TDdeItem::MarkedPhaseLeft, TDdeItem::MarkedPeakHoldSpectrumRight})
        EXPECT_EQ(Text(item), "") << int(item);
}

// One channel analysed: the spectral listings give two columns and the right
// channel's items have no data; the time series still has both blocks.
TEST_F(TDdeListings, OneChannelListsTwoColumnsAndNoRight)
{
    Analyse("automation/listing_tones.wav", 2, 0, 4096);
    EXPECT_EQ(Lines(Text(TDdeItem::Spectrum)).front().size(), 2u);
    // The blocks' listing goes by the right block alone: it is there.
    EXPECT_EQ(Lines(Text(TDdeItem::TimeSeries)).front().size(), 3u);
    for (TDdeItem item : {TDdeItem::SpectrumRight, TDdeItem::PhaseRight, TDdeItem::ZoomedPeakHoldSpectrumRight})
        EXPECT_TRUE(NoData(item)) << int(item);
}

// Far more bins than a 16-bit line count held.
TEST_F(TDdeListings, ASpectrumAt262144PointsHasEveryLine)
{
    Analyse("automation/listing_long.wav", 1, 0, 262144);
    const TSpectralData* left = Main->GetDisplayedResult(0);
    ASSERT_TRUE(left);
    const std::string text = Text(TDdeItem::Spectrum);
    const auto lines = Lines(text);
    ASSERT_EQ(int(lines.size()), left->GetHighIndex() - left->GetLowIndex() + 1);
    EXPECT_GT(lines.size(), 65536u);
    const double bin = 48000.0 / 262144;
    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 2u) << i;
        ASSERT_NEAR(lines[i][0], double(left->GetLowIndex() + int(i)) * bin, 1e-3) << i;
    }
}

// The analysis blocks in percent of full scale: the first FFT size samples
// and the time series view's visible part; the recording over the time
// segment, which an empty segment takes from the view.
TEST_F(TDdeListings, TimeSeriesAndWaveSegmentMatchTheWaveModule)
{
    Analyse("automation/listing_tones.wav", 2, 2, 4096);
    const auto series = Lines(Text(TDdeItem::TimeSeries));
    ASSERT_EQ(series.size(), 4096u);
    for (const auto& [frame, expected] : Reference.Frames) {
        SCOPED_TRACE(frame);
        if (frame >= 4096) break;
        EXPECT_NEAR(series[size_t(frame)][0], frame / 48000.0, 1e-6);
        EXPECT_NEAR(series[size_t(frame)][1], expected.first, 2e-3);
        EXPECT_NEAR(series[size_t(frame)][2], expected.second, 2e-3);
    }

    State(Main).SeriesOptions().StartTime = float(Reference.Frames.begin()->first) / 48000.0f;
    State(Main).SeriesOptions().StopTime = 0.1259765625f;
    State(Main).TimeSegmentStart() = State(Main).TimeSegmentEnd() = 0.0f;
    const auto zoomed = Lines(Text(TDdeItem::ZoomedTimeSeriesRight));
    const auto segment = Lines(Text(TDdeItem::WaveSegment));
    ASSERT_EQ(segment.size(), Reference.Frames.size());
    EXPECT_EQ(zoomed.size(), Reference.Frames.size());
    size_t line = 0;
    for (const auto& [frame, expected] : Reference.Frames) {
        SCOPED_TRACE(frame);
        const std::vector<double>& l = segment[line++];
        ASSERT_EQ(l.size(), 3u);
        EXPECT_NEAR(l[0], frame / 48000.0, 1e-6);
        EXPECT_NEAR(l[1], expected.first, 2e-3);
        EXPECT_NEAR(l[2], expected.second, 2e-3);
    }
    // The view's range became the segment: moving the view keeps it.
    EXPECT_FLOAT_EQ(State(Main).TimeSegmentEnd(), 0.1259765625f);
    State(Main).SeriesOptions().StopTime = 0.5f;
    EXPECT_EQ(Lines(Text(TDdeItem::WaveSegmentRight)).size(), Reference.Frames.size());
    EXPECT_EQ(Lines(Text(TDdeItem::WaveSegmentLeft)).front().size(), 2u);

    // On the time series' dB scale each sample is its level in dB of full scale.
    State(Main).SeriesOptions().AmpScaleType = TSeriesScale::DecibelAxis;
    const auto levels = Lines(Text(TDdeItem::WaveSegment));
    ASSERT_EQ(levels.size(), Reference.Frames.size());
    line = 0;
    for (const auto& [frame, expected] : Reference.Frames) {
        SCOPED_TRACE(frame);
        const std::vector<double>& l = levels[line++];
        if (expected.first != 0.0) {
            EXPECT_NEAR(l[1], 20 * std::log10(std::fabs(expected.first) / 100), 1e-3);
        }
        if (expected.second != 0.0) {
            EXPECT_NEAR(l[2], 20 * std::log10(std::fabs(expected.second) / 100), 1e-3);
        }
    }
    State(Main).SeriesOptions().AmpScaleType = TSeriesScale::LinearAxis;

    // A reversed segment lists nothing.
    State(Main).TimeSegmentStart() = 0.3f;
    State(Main).TimeSegmentEnd() = 0.2f;
    State(Main).SeriesOptions().StartTime = 0.3f;
    State(Main).SeriesOptions().StopTime = 0.2f;
    EXPECT_EQ(Text(TDdeItem::WaveSegment), "");
    EXPECT_EQ(Text(TDdeItem::ZoomedTimeSeries), "");
}

TEST_F(TDdeListings, AMonoRecordingHasNoRightSegmentAndNoRecordingNone)
{
    EXPECT_TRUE(NoData(TDdeItem::WaveSegment));
    EXPECT_TRUE(NoData(TDdeItem::Spectrum));
    Analyse("automation/listing_long.wav", 1, 0, 4096);
    State(Main).TimeSegmentStart() = 1.0f;
    State(Main).TimeSegmentEnd() = 1.001f;
    EXPECT_TRUE(NoData(TDdeItem::WaveSegmentRight));
    const auto lines = Lines(Text(TDdeItem::WaveSegment));
    ASSERT_EQ(lines.size(), 48u);
    EXPECT_EQ(lines.front().size(), 2u);
}
