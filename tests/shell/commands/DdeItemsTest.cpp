// The DDE items on a main window object: every position's format by channel
// mode, the measures against numpy on a sox wave in Post Process, the
// settings and recording items against what sets them, and the utility
// windows' items in a real frame.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>
#include "automation/TDdeItemTable.h"
#include "engine/TChannelProcessing.h"
#include "engine/TSmoothing.h"
#include "tests/shell/commands/CommandTestMain.h"
#include "utilities/TLeqAnalysis.h"
#include "utilities/TTHDFreq.h"
#include "utilities/TThdFile.h"

namespace {

std::vector<double> Numbers(const std::string& text)
{
    std::vector<double> values;
    std::istringstream in(text);
    std::string field;
    while (std::getline(in, field, '\t')) values.push_back(std::stod(field));
    return values;
}

// One channel's line of automation/dde_items.txt.
struct TReference {
    double PeakHz[3], PeakDb[3], Flat, A, B, C, Thd, SegmentDb, SamplePercent;
};

std::array<TReference, 2> ReadReference()
{
    std::ifstream in(Fixture("automation/dde_items.txt"));
    std::string comment;
    std::getline(in, comment);
    std::array<TReference, 2> r{};
    for (TReference& c : r)
        in >> c.PeakHz[0] >> c.PeakHz[1] >> c.PeakHz[2] >> c.PeakDb[0] >> c.PeakDb[1] >> c.PeakDb[2] >> c.Flat >> c.A
            >> c.B >> c.C >> c.Thd >> c.SegmentDb >> c.SamplePercent;
    return r;
}

struct TDdeItems : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    std::array<TReference, 2> Ref = ReadReference();

    void SetUp() override
    {
        Main = NewQuietMain(Program);
    }

    // The sox wave (10 Hz bins at 4096 points, Hann, dB) in Post Process.
    void Open(uint16_t mode, const char* file = "automation/dde_items.wav", uint16_t channels = 2)
    {
        State(Main).Settings().SmoothingWindow = TSmoothing::Hanning;
        State(Main).Settings().ChannelProcessing = mode;
        // As a client's advise link does, asks for spectra with no view open.
        State(Main).DdeAdviseActive() = 1;
        for (ScalingStruct& s : State(Main).Scaling()) {
            s.FreqScaleType = DisplaySettingsStruct::LinearFrequency;
            s.StandardWeighting = 0;
        }
        OpenInPostProcess(*Main, file, TWaveFormat(40960, channels, 2), 4096, Folder.Path);
    }
    void RunToEnd()
    {
        Main->StartAnalyzer();
        ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
        for (int i = 0; i < 1000 && Main->GetRunState() != TMainWin::Stopped; ++i) Main->IdleAction(0);
        ASSERT_EQ(Main->GetRunState(), TMainWin::Stopped);
        ASSERT_GT(Main->GetBlocksProcessed(), 0);
    }
    std::string Text(int index) { return Main->DdeItemText(index).value_or("<none>"); }
};

// What a position answers: a pair of "%3.6f" (or "%3.2f") values, one
// value of a fixed format, an exact text, nothing, or a listing (not
// checked here).
enum class TKind { Pair, Pair2, Integer, Fixed4, Fixed6, Float, Leq, Text, Exact, None, Listing };

struct TPosition {
    int First, Last;
    TKind Kind;
    const char* Exact = nullptr;
};

const TPosition Positions[] = {
    {0, 9, TKind::Pair},        {10, 12, TKind::Listing},   {13, 20, TKind::Pair},
    {21, 21, TKind::Integer},   {22, 23, TKind::Fixed4},    {24, 24, TKind::Exact, "0"},
    {25, 28, TKind::Integer},   {29, 29, TKind::Exact, "Hanning"},
    {30, 41, TKind::Pair},      {42, 42, TKind::Pair2},     {43, 47, TKind::Listing},
    {48, 49, TKind::None},      {50, 52, TKind::Pair},      {53, 53, TKind::Fixed6},
    {54, 54, TKind::Exact, "0.000000"},                     {55, 56, TKind::None},
    {57, 57, TKind::Exact, "-1"},                           {58, 58, TKind::Exact, ""},
    {59, 60, TKind::None},      {61, 61, TKind::Exact, "5.0.26.34"},
    {62, 77, TKind::Integer},   {78, 79, TKind::Exact, ""}, {80, 81, TKind::Exact, "0"},
    {82, 97, TKind::Listing},   {98, 98, TKind::Exact, "N/A"},
    {99, 108, TKind::Exact, "  0.00"},                      {109, 111, TKind::Listing},
    {112, 115, TKind::Integer}, {116, 124, TKind::Listing}, {125, 125, TKind::Exact, "40960"},
    {126, 132, TKind::Pair},    {133, 135, TKind::None},    {136, 136, TKind::Integer},
    {137, 137, TKind::Exact, "40960"},                      {138, 153, TKind::Integer},
    {154, 155, TKind::Float},   {156, 160, TKind::None},    {-2, -1, TKind::None},
};

std::string Pattern(TKind kind, bool both)
{
    const std::string six = R"(-?\d+\.\d{6})", two = R"(-?\d+\.\d{2})";
    switch (kind) {
    case TKind::Pair: return both ? six + "\t" + six : six;
    case TKind::Pair2: return both ? two + "\t" + two : two;
    case TKind::Integer: return R"(-?\d+)";
    case TKind::Fixed4: return R"(-?\d+\.\d{4})";
    case TKind::Fixed6:
    case TKind::Float: return six;
    default: return "";
    }
}

}  // namespace

// Pair items give one value unless the mode shows two results of its own;
// the closed utility windows and the missing generator give their fixed texts.
TEST_F(TDdeItems, EveryPositionAnswersInItsFormat)
{
    // Every position up to the last item is in the table once.
    std::vector<int> seen(TDdeItemTable::Count, 0);
    for (const TPosition& p : Positions)
        for (int i = std::max(p.First, 0); i <= std::min(p.Last, TDdeItemTable::Count - 1); ++i) ++seen[i];
    for (int i = 0; i < TDdeItemTable::Count; ++i) EXPECT_EQ(seen[i], 1) << i;

    struct Mode {
        uint16_t mode;
        bool both;
    } modes[] = {{0, false}, {2, true}, {3, false}, {11, true}};
    for (const Mode& m : modes) {
        SetUp();
        Open(m.mode);
        RunToEnd();
        for (const TPosition& p : Positions) {
            for (int i = p.First; i <= p.Last; ++i) {
                SCOPED_TRACE("mode " + std::to_string(m.mode) + ", item " + std::to_string(i));
                const std::optional<std::string> text = Main->DdeItemText(i);
                switch (p.Kind) {
                case TKind::Listing: break;
                case TKind::None: EXPECT_FALSE(text) << *text; break;
                case TKind::Exact: EXPECT_EQ(text.value_or("<none>"), p.Exact); break;
                default:
                    ASSERT_TRUE(text);
                    EXPECT_TRUE(std::regex_match(*text, std::regex(Pattern(p.Kind, m.both)))) << *text;
                }
            }
        }
    }
}

TEST_F(TDdeItems, MeasuresMatchNumpy)
{
    const double none = NAN;
    const TReference& l = Ref[0];
    const TReference& r = Ref[1];
    struct Case {
        int item;
        double left, right, tolerance;
    } cases[] = {
        {0, l.PeakHz[0], r.PeakHz[0], 0.01},    {1, l.PeakDb[0], r.PeakDb[0], 0.05},
        {30, l.PeakHz[0], r.PeakHz[0], 0.01},   {31, l.PeakHz[1], r.PeakHz[1], 0.01},
        {32, l.PeakHz[2], none, 0.01},          {36, l.PeakDb[0], r.PeakDb[0], 0.05},
        {37, l.PeakDb[1], r.PeakDb[1], 0.05},   {38, l.PeakDb[2], none, 0.05},
        // No spectrum weighting: the displayed weighting is flat.
        {2, l.Flat, r.Flat, 0.05},              {50, l.Flat, r.Flat, 0.05},
        // The A and C tables hold 0.1 dB steps; the B table is coarser, 0.26 dB
        // off the formula at 100 Hz.
        {3, l.A, r.A, 0.1},                     {4, l.B, r.B, 0.3},
        {5, l.C, r.C, 0.1},
        {42, l.SegmentDb, r.SegmentDb, 0.01},
        // Markers 1 and 2 at 950 and 1050 Hz, 3 at 100 Hz, 4 at 3 kHz.
        {15, l.PeakDb[1], r.PeakDb[0], 0.05},   {16, l.PeakDb[2], none, 0.05},
        {126, l.PeakHz[0], none, 0.01},         {127, l.PeakDb[0], none, 0.05},
        {128, l.PeakDb[0], none, 0.05},         {129, l.PeakDb[0], none, 0.05},
        {130, l.PeakDb[0], none, 0.05},         {131, l.PeakDb[0], none, 0.05},
        {132, l.PeakDb[0], none, 0.05},
    };
    Open(TChannelProcessing::BothChannels);
    for (auto [marker, frequency] : {std::pair{0, 950.0f}, {1, 1050.0f}, {2, 100.0f}, {3, 3000.0f}})
        State(Main).Markers().MarkerFreq[marker] = frequency;
    State(Main).TimeSegmentStart() = 0.25f;
    State(Main).TimeSegmentEnd() = 0.75f;
    RunToEnd();
    for (const Case& c : cases) {
        const std::string text = Text(c.item);
        SCOPED_TRACE("item " + std::to_string(c.item) + ": " + text);
        const std::vector<double> values = Numbers(text);
        ASSERT_EQ(values.size(), 2u);
        EXPECT_NEAR(values[0], c.left, c.tolerance);
        if (!std::isnan(c.right)) {
            EXPECT_NEAR(values[1], c.right, c.tolerance);
        }
    }

    // The peak-search band leaves the left's 1 kHz tone out.
    State(Main).PeakSearchLow() = 50.0f;
    State(Main).PeakSearchHigh() = 500.0f;
    const std::vector<double> band = Numbers(Text(0));
    ASSERT_EQ(band.size(), 2u);
    EXPECT_NEAR(band[0], l.PeakHz[1], 0.01);
    EXPECT_NEAR(band[1], r.PeakHz[0], 0.01);
    EXPECT_NEAR(Numbers(Text(1))[0], l.PeakDb[1], 0.05);

    // THD within 2 %: the analyser takes the noise floor off the harmonic,
    // and the left's 100 Hz tone raises that floor.
    const std::vector<double> thd = Numbers(Text(6));
    ASSERT_EQ(thd.size(), 2u);
    EXPECT_NEAR(thd[0], l.Thd, 0.02 * l.Thd);
    EXPECT_NEAR(thd[1], r.Thd, 0.02 * r.Thd);

    // The recording's samples at its position, in percent of full scale on
    // the time series' linear axis, in dB on its dB axis.
    ASSERT_EQ(Main->ExecuteCommand("[Go To Sample 1234]"), 0x8000u);
    EXPECT_EQ(Text(136), "1234");
    EXPECT_NEAR(std::stod(Text(154)), l.SamplePercent, 0.01);
    EXPECT_NEAR(std::stod(Text(155)), r.SamplePercent, 0.01);
    State(Main).SeriesOptions().AmpScaleType = 1;
    EXPECT_NEAR(std::stod(Text(155)), 20 * std::log10(std::fabs(r.SamplePercent) / 100), 0.01);

    // Total powers in percent of full scale where the channel's scale is linear.
    SetUp();
    State(Main).Scaling()[0].AmpScaleType = DisplaySettingsStruct::LinearAmplitude;
    Open(TChannelProcessing::BothChannels);
    RunToEnd();
    const std::vector<double> power = Numbers(Text(2));
    ASSERT_EQ(power.size(), 2u);
    EXPECT_NEAR(power[0], 100 * std::pow(10.0, l.Flat / 20), 0.2);
    EXPECT_NEAR(power[1], r.Flat, 0.05);
}

TEST_F(TDdeItems, SettingsItemsFollowTheirSettings)
{
    using TSet = std::function<void(TMainWin&)>;
    struct Case {
        int item;
        TSet set;
        std::string expected;
    } cases[] = {
        {21, [](TMainWin& m) { State(m).BlocksProcessed() = 12; }, "12"},
        {22, [](TMainWin& m) { m.SetTimePosition(1.23456f); }, "1.2346"},
        {25, [](TMainWin& m) { State(m).Settings().PeakHold = 3; }, "3"},
        {26, [](TMainWin& m) { State(m).Settings().OverlapPercent = 75; }, "75"},
        {27, [](TMainWin& m) { State(m).Settings().FFTsize = 65536; }, "65536"},
        {28, [](TMainWin& m) { State(m).Settings().AverageBlocks = 1000; }, "1000"},
        {28, [](TMainWin& m) { State(m).Settings().AverageBlocks = 5000; }, "1001"},
        {29, [](TMainWin& m) { State(m).Settings().SmoothingWindow = TSmoothing::WindowCount; }, ""},
        {62, [](TMainWin& m) { State(m).Settings().AverageType = 2; }, "2"},
        {63, [](TMainWin& m) { State(m).Settings().AverageMode = 1; }, "1"},
        {64, [](TMainWin& m) { State(m).Settings().DecimationRatio = 8; }, "8"},
        {65, [](TMainWin& m) { State(m).OpMode() = TMainWin::PostProcess; }, "2"},
        {112, [](TMainWin& m) { State(m).OverloadFlag() = 1; }, "1"},
        {113, [](TMainWin& m) { State(m).OverloadBlocks() = 70000; }, "70000"},
        {125, [](TMainWin& m) { State(m).Settings().Format = TWaveFormat(96000, 2, 3); }, "96000"},
        {78, [](TMainWin& m) { std::strcpy(State(m).Scaling()[0].MicCompFilename, "C:\\mic\\left.mic"); },
         "C:\\mic\\left.mic"},
        // A name that fills its field whole is read within the field.
        {79, [](TMainWin& m) { std::memset(State(m).Scaling()[1].MicCompFilename, 'x', 260); }, std::string(260, 'x')},
        // The settings commands answer through the items, each changing what
        // a row above set.
        {27, [](TMainWin& m) { m.ExecuteCommand("[Set FFT Size 8192]"); }, "8192"},
        {25, [](TMainWin& m) { m.ExecuteCommand("[Set Peak Hold forever]"); }, "4"},
        {62, [](TMainWin& m) { m.ExecuteCommand("[Set Average Type Linear]"); }, "1"},
        {63, [](TMainWin& m) { m.ExecuteCommand("[Set Average Mode Blocks]"); }, "0"},
        {29, [](TMainWin& m) { m.ExecuteCommand("[Window Flat Top]"); }, "Flat top"},
        {65, [](TMainWin& m) { m.ExecuteCommand("[Mode Recorder]"); }, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("item " + std::to_string(c.item) + " " + c.expected.substr(0, 20));
        c.set(*Main);
        EXPECT_EQ(Text(c.item), c.expected);
    }

    // Each channel's scaling record answers its own item.
    using S = DisplaySettingsStruct;
    struct Scaling {
        int left;
        std::function<void(S&, uint16_t)> set;
    } scalings[] = {
        {66, [](S& s, uint16_t v) { s.AmpScaleType = v; }},
        {68, [](S& s, uint16_t v) { s.FreqScaleType = v; }},
        {70, [](S& s, uint16_t v) { s.StandardWeighting = v; }},
        {72, [](S& s, uint16_t v) { s.SpectralDensityFlag = v; }},
        {74, [](S& s, uint16_t v) { s.SpectralDensityType = v; }},
        {76, [](S& s, uint16_t v) { s.MicCompEnable = v; }},
        {114, [](S& s, uint16_t v) { s.TotalPowerWeighting = v; }},
    };
    for (const Scaling& s : scalings) {
        SCOPED_TRACE("item " + std::to_string(s.left));
        s.set(State(Main).Scaling()[0], 1);
        s.set(State(Main).Scaling()[1], 2);
        EXPECT_EQ(Text(s.left), "1");
        EXPECT_EQ(Text(s.left + 1), "2");
    }
}

TEST_F(TDdeItems, RecordingItemsWithAndWithoutARecording)
{
    // Nothing open: zeros, the no-level text and no samples.
    EXPECT_EQ(Text(23), "0.0000");
    EXPECT_EQ(Text(136), "0");
    EXPECT_EQ(Text(137), "0");
    EXPECT_EQ(Text(42), "-999.00");
    EXPECT_FALSE(Main->DdeItemText(154));
    EXPECT_FALSE(Main->DdeItemText(155));

    // The whole stereo file; an empty time segment measures nothing.
    Open(TChannelProcessing::BothChannels);
    EXPECT_EQ(Text(23), "1.0000");
    EXPECT_EQ(Text(137), "40960");
    EXPECT_EQ(Text(42), "-999.00\t-999.00");

    // A mono recording has no right sample, and one value of power.
    SetUp();
    Open(TChannelProcessing::LeftOnly, "pipeline/tone_1k_48k.wav", 1);
    State(Main).TimeSegmentEnd() = 0.5f;
    EXPECT_TRUE(Main->DdeItemText(154));
    EXPECT_FALSE(Main->DdeItemText(155));
    EXPECT_TRUE(std::regex_match(Text(42), std::regex(R"(-\d+\.\d\d)"))) << Text(42);
}

// Logging's items: on, the time of its last record, and the log's name once
// as the closed file when it stops.
TEST_F(TDdeItems, DataLogItemsFollowLogging)
{
    const std::string log = Folder.File("items.log");
    std::snprintf(State(Main).Logging().LogFileName, sizeof State(Main).Logging().LogFileName, "%s", log.c_str());
    Open(TChannelProcessing::LeftOnly);
    Main->CmDataLogOn();
    ASSERT_TRUE(Main->GetDataLog());
    RunToEnd();
    EXPECT_EQ(Text(24), "1");
    EXPECT_TRUE(std::regex_match(Text(98), std::regex(R"(00:00:0\d\.\d{3})"))) << Text(98);
    Main->CmDataLogOff();
    EXPECT_EQ(Text(24), "0");
    EXPECT_EQ(Text(98), "N/A");
    EXPECT_EQ(Text(58), log);
    EXPECT_EQ(Text(58), "");
}

namespace {

// The frame made for real, for the utility windows.
struct TDdeUtilityItems : TDdeItems {
    void SetUp() override
    {
        WriteIni(Folder.File("Tonalyx.ini"), FrameIni);
        TDdeItems::SetUp();
        ASSERT_TRUE(Main->Create());
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
};

}  // namespace

TEST_F(TDdeUtilityItems, LeqDelayFinderAndThdCurveItems)
{
    Open(TChannelProcessing::BothChannels);
    Main->CmLeq();
    Main->CmDelayFinder();
    ASSERT_TRUE(Main->LeqWindow());
    ASSERT_TRUE(Main->DelayFinder());
    RunToEnd();

    // Nine lines of left and right figures, each the item of its own figure.
    ASSERT_TRUE(Main->LeqWindow()->Data(1));
    const std::string all = Text(99);
    std::vector<std::string> lines;
    for (size_t start = 0, end; start <= all.size(); start = end + 2) {
        end = all.find("\r\n", start);
        if (end == std::string::npos) end = all.size();
        lines.push_back(all.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 9u) << all;
    for (int row = 0; row < 9; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(std::regex_match(lines[row], std::regex(R"( *-?\d+\.\d\d\t *-?\d+\.\d\d)"))) << lines[row];
        EXPECT_EQ(Text(100 + row), lines[row]);
    }
    EXPECT_TRUE(std::regex_match(Text(54), std::regex(R"(-?\d+\.\d{6})"))) << Text(54);

    // A two-channel curve of 40 points: whole lines while they fit 999 bytes.
    TThdFile::TContents curve;
    curve.StartFreq = 20.0f;
    curve.StopFreq = 20000.0f;
    curve.PlotTop = 10.0f;
    curve.PlotBottom = 0.001f;
    for (int i = 0; i < 40; ++i) {
        curve.Left.push_back({20.0f * float(i + 1), 0.01f * float(i)});
        curve.Right.push_back({20.0f * float(i + 1), 0.5f});
    }
    const std::string thd = Folder.File("curve.thd");
    const std::vector<uint8_t> bytes = TThdFile::Encode(curve);
    std::ofstream(thd, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    EXPECT_FALSE(Main->DdeItemText(133));
    EXPECT_FALSE(Main->DdeItemText(134));
    Main->CmTHDNvsFrequency();
    ASSERT_TRUE(Main->ThdFreqWindow());
    EXPECT_FALSE(Main->DdeItemText(133));
    EXPECT_EQ(Text(134), "-1");
    ASSERT_TRUE(Main->ThdFreqWindow()->LoadFile(thd));
    const std::string text = Text(133);
    EXPECT_LE(text.size(), 999u);
    EXPECT_GT(text.size(), 999u - 40);
    EXPECT_EQ(text.substr(0, 34), "20.000000\t0.000000\t0.500000\r\n40.00");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    // No limit file loaded.
    EXPECT_EQ(Text(134), "-2");
    EXPECT_EQ(Text(135), "-2");
}
