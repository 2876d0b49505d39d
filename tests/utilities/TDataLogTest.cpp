#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/TSmoothing.h"
#include "utilities/TDataLog.h"

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr uint32_t kRate = 48000;
constexpr uint32_t kN = 4096;

// A dB spectrum of a tone on bin k (amplitude a of full scale) with its
// second harmonic 40 dB down, so the distortion measures have something.
std::unique_ptr<TSpectralData> ToneSpectrum(int bin, double amplitude)
{
    AnalysisSettingsStruct a;
    a.Format = TWaveFormat(kRate, 2, 2);
    a.FFTsize = kN;
    a.AverageBlocks = 1;
    a.PeakHold = 0;
    a.SmoothingWindow = TSmoothing::Hanning;
    DisplaySettingsStruct d;
    d.FreqScaleType = DisplaySettingsStruct::LinearFrequency;
    auto s = std::make_unique<TSpectralData>(a, d, 0);
    for (uint32_t i = 0; i < kN; ++i) {
        const double x = amplitude * (std::sin(kTwoPi * bin * i / kN) + 0.01 * std::sin(kTwoPi * 2 * bin * i / kN));
        s->SetTimeSample(i, static_cast<float>(std::round(x * 32767.0)));
    }
    TSmoothing(kN, TSmoothing::Hanning).Apply(s->GetFFTBuffer(), 0, 0);
    s->ComputeSpectrum();
    s->Average(0);
    return s;
}

std::filesystem::path LogPath(const std::string& name)
{
    return std::filesystem::temp_directory_path() / ("tonalyx_datalog_" + name + ".txt");
}

LoggingSettings Settings(const std::string& name, uint16_t type)
{
    LoggingSettings s;
    const std::string path = LogPath(name).string();
    std::snprintf(s.LogFileName, sizeof s.LogFileName, "%s", path.c_str());
    s.IntervalFlag = 0;
    s.DataType = type;
    return s;
}

std::vector<std::string> Lines(const std::string& name)
{
    std::ifstream in(LogPath(name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

size_t Fields(const std::string& line)
{
    return std::count(line.begin(), line.end(), '\t') + 1;
}

struct Fixture {
    std::unique_ptr<TSpectralData> Left = ToneSpectrum(93, 0.5);
    std::unique_ptr<TSpectralData> Right = ToneSpectrum(200, 0.25);
    TLeqData::Results Leq;
    TDataLog::Block Block(bool two, float time = 1.5f)
    {
        TDataLog::Block b;
        b.Left = Left.get();
        b.Right = Right.get();
        b.OpMode = 2;
        b.Time = time;
        b.ChannelProcessing = two ? 2 : 0;
        b.Delay = 0.25f;
        b.LeqLeft = &Leq;
        b.LeqRight = &Leq;
        b.MarkerFrequencies = {1000.0f, 2000.0f};
        return b;
    }
};

}  // namespace

// Every data type's column line and record shape, one and two channels:
// the header (ctime line, column line, rule) and a record of the right
// number of fields after its time stamp.
TEST(TDataLog, ColumnLinesAndRecordShapesOfEveryType)
{
    Fixture f;
    const int bins = f.Left->GetHighIndex() - f.Left->GetLowIndex() + 1;
    const struct {
        uint16_t type;
        const char* one;
        const char* two;
        size_t oneFields, twoFields;  // values after the time stamp
    } cases[] = {
        {0, "Time\tPeak Freq(Hz)", "Time\tLeft Freq(Hz)\tRight Freq(Hz)", 1, 2},
        {1, "Time\tAmplitude", "Time\tLeft Amplitude\tRight Amplitude", 1, 2},
        {2, "Time\tFreq(Hz)\tAmplitude", "Time\tFreq(Hz)\tLeft Amplitude\tRight Amplitude", 2, 4},
        {3, "Time\tPower Level", "Time\tLeft Power Level\tRight Power Level", 1, 2},
        {5, "Time\tTHD (%)", "Time\tLeft THD (%)\tRight THD (%)", 1, 2},
        {6, "Time\tTHD+N (%)", "Time\tLeft THD+N (%)\tRight THD+N (%)", 1, 2},
        {7, "Time\tIMD (%)", "Time\tLeft IMD (%)\tRight IMD (%)", 1, 2},
        {8, "Time\tSNR (dB)", "Time\tLeft SNR (dB)\tRight SNR (dB)", 1, 2},
        {9, "Time\tSINAD (dB)", "Time\tLeft SINAD (dB)\tRight SINAD (dB)", 1, 2},
        {10, "Time\tNoise Figure (dB)", "Time\tNoise Figure (dB)", 1, 1},
        {11, "Time\tDelay", "Time\tDelay", 1, 1},
        {12, "Time\tLeqT\tLeq\tLsel\tLpk\tLmax\tLmin\tL10\tL50\tL90",
         "Time\tLeqT\tLeq\tLsel\tLpk\tLmax\tLmin\tL10\tL50\tL90\t\tLeqT\tLeq\tLsel\tLpk\tLmax\tLmin\tL10\tL50\tL90", 9,
         19},
        {13, "Time\tFreq (Hz) THD (%)", "Time\tLeft Freq (Hz) THD (%)\tRight Freq (Hz) THD (%)", 2, 4},
        {14, "Time\tFreq (Hz) THD+N (%)", "Time\tLeft Freq (Hz) THD+N (%)\tRight Freq (Hz) THD+N (%)", 2, 4},
        {16, "Time\tPower Flat\tPwr A\tPwr B\tPwr C",
         "Time\tLeft Power Flat\tPwr A\tPwr B\tPwr C\tRight Power Flat\tPwr A\tPwr B\tPwr C", 4, 8},
        {17, "Time\tMkr 1000.00Hz\tMkr 2000.00Hz\t",
         "Time\tLeft Mkr 1000.00Hz\tLeft Mkr 2000.00Hz\tRight Mkr 1000.00Hz\tRight Mkr 2000.00Hz\t", 3, 5},
        {4, nullptr, nullptr, size_t(bins) + 1, 2 * size_t(bins) + 2},
    };
    for (const auto& c : cases) {
        for (bool two : {false, true}) {
            SCOPED_TRACE(testing::Message() << "type " << c.type << (two ? " stereo" : " mono"));
            const std::string name = "shape";
            {
                TDataLog log(Settings(name, c.type), nullptr);
                log.WriteRecord(f.Block(two));
            }
            const auto lines = Lines(name);
            ASSERT_EQ(lines.size(), 5u);
            EXPECT_EQ(lines[0], "");
            EXPECT_EQ(lines[1].rfind("Data Logging On: ", 0), 0u);
            if (c.one) EXPECT_EQ(lines[2], two ? c.two : c.one);
            else EXPECT_EQ(Fields(lines[2]) - 1, two ? 2 * size_t(bins) + 2 : size_t(bins) + 1);
            EXPECT_EQ(lines[3], std::string(129, '-'));
            EXPECT_EQ(lines[4].rfind("00:00:01.500\t", 0), 0u);
            EXPECT_EQ(Fields(lines[4]) - 1, two ? c.twoFields : c.oneFields) << lines[4].substr(0, 80);
        }
    }
}

TEST(TDataLog, ThresholdMissingSourcesAndMarkers)
{
    Fixture f;
    {
        LoggingSettings s = Settings("threshold", TDataLog::PeakAmplitude);
        s.Threshold = -3.0f;  // the left tone reads -6 dB
        TDataLog log(s, nullptr);
        log.WriteRecord(f.Block(false));
    }
    EXPECT_EQ(Lines("threshold").size(), 4u);  // the header only

    // Lines after the header's blank line, date line, column line and rule.
    auto records = [&](uint16_t type, bool two, auto change) {
        {
            TDataLog log(Settings("sources", type), nullptr);
            TDataLog::Block b = f.Block(two);
            change(b);
            log.WriteRecord(b);
        }
        return int(Lines("sources").size()) - 4;
    };
    EXPECT_EQ(records(TDataLog::TimeDelay, false, [](TDataLog::Block& b) { b.Delay.reset(); }), 0);
    EXPECT_EQ(records(TDataLog::LeqValues, true, [](TDataLog::Block& b) { b.LeqRight = nullptr; }), 0);
    EXPECT_EQ(records(TDataLog::LeqValues, false, [](TDataLog::Block& b) { b.LeqRight = nullptr; }), 1);
    // No column line and no records.
    EXPECT_EQ(records(TDataLog::Unused, false, [](TDataLog::Block&) {}), -1);
    EXPECT_EQ(records(TDataLog::PeakFrequency, true, [](TDataLog::Block& b) { b.Right = nullptr; }), 0);
    EXPECT_EQ(records(TDataLog::MarkerLevels, true, [](TDataLog::Block& b) { b.MarkerFrequencies.clear(); }), 1);
    EXPECT_EQ(Lines("sources").back(), "00:00:01.500\tNo Markers Enabled!");
}

// One record per interval; a rewind outside Real Time restarts the
// schedule, and in Real Time midnight wraps it.
TEST(TDataLog, IntervalsRewindsAndMidnight)
{
    Fixture f;
    LoggingSettings s = Settings("interval", TDataLog::PeakFrequency);
    s.IntervalFlag = 1;
    s.IntervalSecs = 1.0f;
    s.IncludeHeaderFlag = 0;
    {
        TDataLog log(s, nullptr);
        for (int i = 0; i <= 50; ++i) log.WriteRecord(f.Block(false, i * 0.1f));
        EXPECT_NEAR(log.GetLastLogTime(), 5.0f, 0.01f);
        for (int i = 0; i <= 25; ++i) log.WriteRecord(f.Block(false, i * 0.1f));
    }
    std::vector<std::string> times;
    for (const auto& line : Lines("interval")) times.push_back(line.substr(0, 8));
    EXPECT_EQ(times, (std::vector<std::string>{"00:00:01", "00:00:02", "00:00:03", "00:00:04", "00:00:05",
                                               "00:00:01", "00:00:02"}));

    s.IntervalSecs = 5.0f;
    {
        TDataLog log(s, nullptr);
        for (float t = 86390.0f; t < 86400.0f; t += 1.0f) {
            TDataLog::Block b = f.Block(false, t);
            b.OpMode = TDataLog::RealTime;
            log.WriteRecord(b);
        }
        for (float t = 0.0f; t <= 12.0f; t += 1.0f) {
            TDataLog::Block b = f.Block(false, t);
            b.OpMode = TDataLog::RealTime;
            log.WriteRecord(b);
        }
    }
    times.clear();
    for (const auto& line : Lines("interval")) times.push_back(line.substr(0, 12));
    EXPECT_EQ(times, (std::vector<std::string>{"23:59:55.000", "00:00:00.000", "00:00:05.000", "00:00:10.000"}));
}

TEST(TDataLog, OpenAndWriteFailuresAreReportedOnce)
{
    Fixture f;
    std::vector<std::string> messages;
    auto report = [&](const std::string& text, const std::string& caption) { messages.push_back(caption + ": " + text); };
    LoggingSettings s = Settings("unused", TDataLog::PeakFrequency);
    std::snprintf(s.LogFileName, sizeof s.LogFileName, "%s", "/nonexistent/folder/log.txt");
    {
        TDataLog log(s, report);
        EXPECT_FALSE(log.IsOpen());
        log.WriteRecord(f.Block(false));
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Tonalyx: Failure opening log file: /nonexistent/folder/log.txt");

    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    messages.clear();
    std::snprintf(s.LogFileName, sizeof s.LogFileName, "%s", "/dev/full");
    {
        TDataLog log(s, report);
        for (int i = 0; i < 5; ++i) log.WriteRecord(f.Block(false, float(i)));
        EXPECT_TRUE(log.HasFailed());
    }
    EXPECT_EQ(messages, std::vector<std::string>{"Error: Error writing to data log file."});
}

TEST(TDataLog, TimeTexts)
{
    EXPECT_EQ(TDataLog::TimeText(0.0f), "00:00:00.000");
    EXPECT_EQ(TDataLog::TimeText(3723.25f), "01:02:03.250");
    EXPECT_EQ(TDataLog::TimeText(-61.5f), "-00:01:01.500");
}
