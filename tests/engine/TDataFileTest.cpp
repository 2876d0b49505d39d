// Data import and export: frames read from text and binary files, the
// examination and scaling, and exported frames against Python's bytes.
#include "engine/TDataExport.h"
#include "engine/TDataImport.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFormat.h"
#include "tests/engine/Fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

class TStringInput : public TDataImport::TInput {
public:
    explicit TStringInput(std::string bytes) : Bytes(std::move(bytes)) {}
    size_t Read(uint8_t* dest, size_t size) override
    {
        const size_t n = std::min(size, Bytes.size() - At);
        std::memcpy(dest, Bytes.data() + At, n);
        At += n;
        return n;
    }
    bool Rewind() override
    {
        At = 0;
        return true;
    }

private:
    std::string Bytes;
    size_t At = 0;
};

struct TImported {
    uint32_t Frames = 0;
    double Minimum = 0.0, Maximum = 0.0;
    std::vector<double> Left, Right;
};

// Examines, restarts and reads the examined frames as the conversion does.
TImported Import(const std::string& bytes, uint16_t type, uint16_t channels, uint32_t header = 0, int32_t size = 0)
{
    TStringInput input(bytes);
    TDataImport data(input, type, channels);
    TImported result;
    EXPECT_TRUE(data.Restart(header, size));
    const auto examined = data.Examine();
    result.Frames = examined.Frames;
    result.Minimum = examined.Minimum;
    result.Maximum = examined.Maximum;
    EXPECT_TRUE(data.Restart(header, size));
    for (uint32_t i = 0; i < examined.Frames; ++i) {
        const auto frame = data.ReadFrame();
        EXPECT_TRUE(frame.HasLeft) << i;
        result.Left.push_back(frame.Left);
        if (channels == 2) {
            EXPECT_TRUE(frame.HasRight) << i;
            result.Right.push_back(frame.Right);
        }
    }
    return result;
}

std::string FixtureBytes(const std::string& name)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/data/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

}  // namespace

TEST(TDataImport, FramesOfTextFiles)
{
    struct Case {
        const char* name;
        std::string bytes;
        uint16_t type, channels;
        std::vector<double> left, right;
    };
    const std::string longLine = std::string(300, '7') + "\n";
    const Case cases[] = {
        {"three lines", "1\n-2\n3\n", TDataImport::AsciiInteger, 1, {1, -2, 3}, {}},
        {"no final line feed", "1\n-2\n3", TDataImport::AsciiInteger, 1, {1, -2, 3}, {}},
        {"CR LF, text after the number, blank lines at the end", "  12abc\r\n+7\r\n\r\n  \n", TDataImport::AsciiInteger,
         1, {12, 7}, {}},
        {"floats", "1.5\n-2.25e2\n.5\n", TDataImport::AsciiFloat, 1, {1.5, -225, 0.5}, {}},
        {"a long line in pieces of 255", longLine, TDataImport::AsciiInteger, 1, {2147483647, 2147483647}, {}},
        {"pairs over line ends", "1,2\n 3,\n\t4\n-5,6\n", TDataImport::AsciiInteger, 2, {1, 3, -5}, {2, 4, 6}},
        {"float pairs", "1.25,-2\n3e1,4.5\n", TDataImport::AsciiFloat, 2, {1.25, 30}, {-2, 4.5}},
        {"a last pair without a line end", "1,2\n3,4", TDataImport::AsciiInteger, 2, {1, 3}, {2, 4}},
        {"a line of exactly 255 characters", std::string(255, '5') + "\n6\n", TDataImport::AsciiInteger, 1,
         {2147483647, 6}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TImported got = Import(c.bytes, c.type, c.channels);
        EXPECT_EQ(got.Frames, c.left.size());
        EXPECT_EQ(got.Left, c.left);
        EXPECT_EQ(got.Right, c.right);
    }
    // The first piece of the long line is 255 digits, the second 45 and the line feed.
    EXPECT_EQ(Import(longLine, TDataImport::AsciiInteger, 1).Frames, 2u);
}

TEST(TDataImport, HeadersAreSkippedAsLinesOrBytes)
{
    const TImported text = Import("10\n20\n30\n40\n50\n", TDataImport::AsciiInteger, 1, 1, 3);
    EXPECT_EQ(text.Left, (std::vector<double>{40, 50}));
    // Without the flag, or with a size of zero, nothing is skipped.
    EXPECT_EQ(Import("10\n20\n", TDataImport::AsciiInteger, 1, 0, 3).Frames, 2u);
    EXPECT_EQ(Import("10\n20\n", TDataImport::AsciiInteger, 1, 1, 0).Frames, 2u);
    // A header longer than the file leaves nothing.
    EXPECT_EQ(Import("10\n20\n", TDataImport::AsciiInteger, 1, 1, 9).Frames, 0u);

    // numpy's files: 44 bytes of noise, then the values.
    // The rows of values; the rows naming a file read as empty ones.
    std::vector<std::vector<double>> expected;
    for (auto& row : ReadFixture("data/import_binary.txt"))
        if (!row.empty())
            expected.push_back(std::move(row));
    std::ifstream list(std::string(TONALYX_FIXTURES) + "/data/import_binary.txt");
    std::string line;
    size_t row = 0;
    while (std::getline(list, line)) {
        if (line.empty() || line[0] == '#' || !std::isalpha(static_cast<unsigned char>(line[0])))
            continue;
        std::istringstream fields(line);
        std::string name;
        uint16_t type = 0, channels = 0;
        fields >> name >> type >> channels;
        SCOPED_TRACE(name);
        const std::vector<double>& values = expected.at(row++);
        const TImported got = Import(FixtureBytes(name), type, channels, 1, 44);
        ASSERT_EQ(got.Frames, values.size() / channels);
        for (size_t i = 0; i < got.Frames; ++i) {
            ASSERT_EQ(got.Left[i], values[i * channels]) << i;
            if (channels == 2) {
                ASSERT_EQ(got.Right[i], values[i * channels + 1]) << i;
            }
        }
    }
    EXPECT_EQ(row, 4u);
}

TEST(TDataImport, BinaryCountsWholeValuesAndStereoWholeFrames)
{
    // Five 16-bit values in 10 bytes: two stereo frames, the fifth value dropped.
    const std::string bytes("\x01\x00\x02\x00\xff\xff\x04\x80\x05\x00", 10);
    const TImported got = Import(bytes, TDataImport::Binary16, 2);
    EXPECT_EQ(got.Frames, 2u);
    EXPECT_EQ(got.Left, (std::vector<double>{1, -1}));
    EXPECT_EQ(got.Right, (std::vector<double>{2, -32764}));
    // A value cut short by the end is no value.
    EXPECT_EQ(Import(std::string("\x01\x00\x02", 3), TDataImport::Binary16, 1).Frames, 1u);
    EXPECT_EQ(Import("", TDataImport::Binary32, 1).Frames, 0u);
}

TEST(TDataImport, RangeHoldsZeroButForBinaryFloat)
{
    const TImported text = Import("100\n200\n150\n", TDataImport::AsciiInteger, 1);
    EXPECT_EQ(text.Minimum, 0.0);
    EXPECT_EQ(text.Maximum, 200.0);
    const float values[] = {100.0f, 200.0f};
    const TImported binary =
        Import(std::string(reinterpret_cast<const char*>(values), sizeof values), TDataImport::BinaryFloat, 1);
    EXPECT_EQ(binary.Minimum, 100.0);
    EXPECT_EQ(binary.Maximum, 200.0);
    // An empty file or one of zeros: -1 .. 1.
    for (const char* zeros : {"", "0\n0\n"}) {
        const TImported flat = Import(zeros, TDataImport::AsciiInteger, 1);
        EXPECT_EQ(flat.Minimum, -1.0);
        EXPECT_EQ(flat.Maximum, 1.0);
    }
}

TEST(TDataImport, ScalingIntoSamples)
{
    const TWaveFormat w16(44100, 1, 2), w8(44100, 1, 1);
    // Automatic: 0 .. 200 onto -32767 .. 32767.
    const auto rescale = TDataImport::Scale(TDataImport::Rescale, 0.0, 200.0, w16);
    EXPECT_EQ(rescale.Multiplier, float(65534.0 / 200.0));
    EXPECT_EQ(rescale.Offset, 100.0f);
    // Truncate: the value itself around silence, held to the range.
    const auto truncate = TDataImport::Scale(TDataImport::Truncate, 0.0, 200.0, w8);
    // Defined values: the peak maps to the largest sample.
    const auto defined = TDataImport::Scale(TDataImport::DefinedValues, -0.25, 0.5, w16);
    EXPECT_EQ(defined.Multiplier, float(32767 / 0.5));
    EXPECT_EQ(defined.Offset, 0.0f);

    struct Case {
        double value;
        const TDataImport::TScale& scale;
        const TWaveFormat& format;
        int32_t sample;
    };
    const Case cases[] = {
        {200, rescale, w16, 32767}, {100, rescale, w16, 0},     {0, rescale, w16, -32767},
        {0, truncate, w8, 127},     {200, truncate, w8, 255},   {-300, truncate, w8, 0},
        {1.9, truncate, w16, 1},    {-1.9, truncate, w16, -1},  {0.5, defined, w16, 32767},
        {-0.25, defined, w16, -16383}, {1.0e300, truncate, w16, 32767},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TDataImport::ConvertSample(c.value, c.scale, c.format), c.sample) << c.value;
}

// Defined values: data value 1 equals 1 Volt on data of peak 0.5 puts the
// data value at twice full scale, 0.5 Volt per full scale, in both channels.
TEST(TDataImport, CalibrationOfDefinedValues)
{
    const TWaveFormat w16(44100, 1, 2);
    ImportOptions options;
    options.ScalingOption = TDataImport::DefinedValues;
    CalibrationStruct record{};
    std::snprintf(record.Filename, sizeof record.Filename, "old.cal");
    std::snprintf(record.Left.ChannelName, sizeof record.Left.ChannelName, "Left");
    TDataImport::Calibrate(options, TDataImport::Scale(options.ScalingOption, -0.25, 0.5, w16), w16, record);
    EXPECT_STREQ(record.Filename, "");
    for (const CalibrationChannel* c : {&record.Left, &record.Right}) {
        EXPECT_EQ(uint32_t(c->IsEnabled), 1u);
        EXPECT_FLOAT_EQ(float(c->PctFullScale), 2.0f);
        EXPECT_FLOAT_EQ(float(c->CalRatio), 0.5f);
        EXPECT_EQ(uint32_t(c->RefUnits), uint32_t(UnitVolts));
        EXPECT_STREQ(c->LabelLinear, "Volts");
        EXPECT_STREQ(c->LabelLog, "dBV");
    }
    EXPECT_STREQ(record.Right.ChannelName, "Right");
    // Any other option turns calibration off in both channels.
    options.ScalingOption = TDataImport::Rescale;
    TDataImport::Calibrate(options, TDataImport::TScale{}, w16, record);
    EXPECT_EQ(uint32_t(record.Left.IsEnabled), 0u);
    EXPECT_EQ(uint32_t(record.Right.IsEnabled), 0u);
}

// Text that is not data, a value that is not finite or a file without a
// frame refuses the whole file, naming the line (or binary value).
TEST(TDataImport, FilesThatAreNotDataAreRefused)
{
    using R = TDataImport::TRefusal;
    const float nan = std::nanf(""), one = 1.0f;
    std::string floats(reinterpret_cast<const char*>(&one), 4);
    floats.append(reinterpret_cast<const char*>(&nan), 4);
    struct Case {
        const char* name;
        std::string bytes;
        uint16_t type, channels;
        uint32_t header;
        R refusal;
        uint32_t where;
    };
    const Case cases[] = {
        {"words", "1\nabc\n3\n", TDataImport::AsciiInteger, 1, 0, R::NotANumber, 2},
        {"a blank line before data", "1\n\n3\n", TDataImport::AsciiFloat, 1, 0, R::NotANumber, 2},
        {"1;2 as a pair", "1,2\n1;2\n", TDataImport::AsciiInteger, 2, 0, R::NotAPair, 2},
        {"a pair cut after its comma", "1,2\n1,", TDataImport::AsciiInteger, 2, 0, R::NotAPair, 2},
        {"a word as a pair", "\n\nx,1\n", TDataImport::AsciiFloat, 2, 0, R::NotAPair, 3},
        {"nan", "0.5\nnan\n", TDataImport::AsciiFloat, 1, 0, R::NotFinite, 2},
        {"1e400", "1e400\n", TDataImport::AsciiFloat, 1, 0, R::NotFinite, 1},
        {"1e400 in a pair", "1,1e400\n", TDataImport::AsciiFloat, 2, 0, R::NotFinite, 1},
        {"a binary float not finite", floats, TDataImport::BinaryFloat, 1, 0, R::NotFinite, 2},
        {"empty", "", TDataImport::AsciiInteger, 1, 0, R::NoData, 0},
        {"blank lines only", "\n \n", TDataImport::AsciiInteger, 1, 0, R::NoData, 0},
        {"header past the end", "1\n2\n", TDataImport::AsciiInteger, 1, 5, R::NoData, 0},
        {"one value of a stereo binary frame", std::string("\x01\x00", 2), TDataImport::Binary16, 2, 0, R::NoData, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStringInput input(c.bytes);
        TDataImport data(input, c.type, c.channels);
        ASSERT_TRUE(data.Restart(c.header != 0, int32_t(c.header)));
        const auto examined = data.Examine();
        EXPECT_EQ(examined.Refusal, c.refusal);
        EXPECT_EQ(examined.Where, c.where);
        EXPECT_EQ(examined.Frames, 0u);
        EXPECT_FALSE(TDataImport::RefusalText(examined, "C:\\data\\in.txt").empty());
    }
    // The header's lines count: the refused line is the file's own line.
    TStringInput input("header\n1\nx\n");
    TDataImport data(input, TDataImport::AsciiInteger, 1);
    data.Restart(1, 1);
    const auto examined = data.Examine();
    EXPECT_EQ(TDataImport::RefusalText(examined, "in.txt"), "in.txt\nLine 3 holds no number: nothing was imported.");
}

// Frames in every format and width equal the bytes Python's formatting and
// struct packing give; what is written reads back through the import.
TEST(TDataExport, FramesMatchPythonAndReadBack)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/data/export_frames.txt");
    std::string line;
    int cases = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        int format = 0, width = 0, count = 0;
        fields >> format >> width >> count;
        float values[2] = {};
        for (int c = 0; c < count; ++c) {
            double v;
            fields >> v;
            values[c] = float(v);
        }
        std::string hex;
        fields >> hex;
        SCOPED_TRACE(line);
        std::string out;
        TDataExport::AppendFrame(out, values, count, uint16_t(format), uint16_t(width));
        EXPECT_EQ(Hex(out), hex);
        ++cases;

        // Text, and binary holding the values whole, read back as the same values.
        auto whole = [&](float v) {
            switch (format) {
            case TDataImport::AsciiInteger: return v == std::trunc(v) && std::fabs(v) < 2.0e9f;
            case TDataImport::Binary16: return width <= 2 && v == std::trunc(v) && std::fabs(v) <= 32767.0f;
            case TDataImport::Binary32: return v == std::trunc(v) && std::fabs(v) < 2.0e9f;
            default: return format != TDataImport::Binary8;
            }
        };
        if (whole(values[0]) && (count == 1 || whole(values[1]))) {
            const TImported back = Import(out, uint16_t(format), uint16_t(count));
            ASSERT_EQ(back.Frames, 1u);
            const double tolerance = format == TDataImport::AsciiFloat ? 5e-7 : 0.0;
            EXPECT_NEAR(back.Left[0], values[0], tolerance);
            if (count == 2) {
                EXPECT_NEAR(back.Right[0], values[1], tolerance);
            }
        }
    }
    EXPECT_EQ(cases, 6 * 4 * 8);
}

namespace {

// The values of an ASCII integer export, frame by frame.
std::vector<std::vector<double>> ExportedText(TWaveData& wave, const ExportOptions& options, int* steps = nullptr)
{
    TDataExport exporter(wave, options);
    EXPECT_TRUE(exporter.Good());
    std::string out;
    int n = 0;
    while (!exporter.Finished()) {
        EXPECT_TRUE(exporter.Step(out));
        ++n;
    }
    if (steps)
        *steps = n;
    std::vector<std::vector<double>> frames;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<double> frame;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            frame.push_back(std::stod(field));
        frames.push_back(frame);
    }
    return frames;
}

}  // namespace

// Ratio 4 over 10,000 frames in steps of 8,192: 2,500 frames equal to one
// scipy filtering of the whole recording, so nothing shows at the step's
// join; the tone at twice the new Nyquist frequency is down by over 40 dB
// away from the end.
TEST(TDataExport, DecimatedExportIsOneStream)
{
    const auto rows = ReadFixture("data/export_decimated.txt");
    ASSERT_EQ(rows.size(), 4u);
    const uint32_t frames = uint32_t(rows[0].size());
    TWaveData wave(frames, TWaveFormat(48000, 2, 2));
    for (uint32_t i = 0; i < frames; ++i)
        for (uint16_t c = 0; c < 2; ++c)
            wave.PutSample(int32_t(rows[c][i]), i, c);
    ExportOptions options;
    options.Right = 1;
    options.DecimationRatio = 4;
    int steps = 0;
    const auto got = ExportedText(wave, options, &steps);
    EXPECT_EQ(steps, 2);
    ASSERT_EQ(got.size(), 2500u);
    ASSERT_EQ(rows[2].size(), 2500u);
    double tone = 0.0;
    for (size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].size(), 2u);
        ASSERT_NEAR(got[i][0], rows[2][i], 1.0) << i;
        ASSERT_NEAR(got[i][1], rows[3][i], 1.0) << i;
        // The low-pass runs into the silence after the recording's end.
        if (i + TSeriesData::FilterTaps / 4 < got.size())
            tone = std::max(tone, std::fabs(got[i][1]));
    }
    EXPECT_LT(20.0 * std::log10(tone / 20000.0), -40.0);
}

TEST(TDataExport, ChannelsStepsAndRefusals)
{
    TWaveData wave(3, TWaveFormat(8000, 2, 2));
    const int32_t samples[3][2] = {{-123, 45}, {32767, -32767}, {0, 7}};
    for (uint32_t i = 0; i < 3; ++i)
        for (uint16_t c = 0; c < 2; ++c)
            wave.PutSample(samples[i][c], i, c);
    ExportOptions both;
    both.Right = 1;
    const auto all = ExportedText(wave, both);
    ASSERT_EQ(all.size(), 3u);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(all[i], (std::vector<double>{double(samples[i][0]), double(samples[i][1])}));
    ExportOptions right;
    right.Left = 0;
    right.Right = 1;
    EXPECT_EQ(ExportedText(wave, right)[1], std::vector<double>{-32767});
    ExportOptions none;
    none.Left = 0;
    EXPECT_TRUE(ExportedText(wave, none).empty());

    // An 8-bit wave writes its stored bytes: what the import reads as 0 .. 255.
    TWaveData bytes(3, TWaveFormat(8000, 1, 1));
    for (uint32_t i = 0; i < 3; ++i)
        bytes.PutSample(int32_t(i * 127), i, 0);
    ExportOptions binary8;
    binary8.Format = TDataImport::Binary8;
    TDataExport exporter(bytes, binary8);
    std::string out;
    ASSERT_TRUE(exporter.Step(out));
    EXPECT_EQ(Hex(out), "007ffe");

    // 32-bit waves and ratios outside 1 .. 50 are refused.
    ExportOptions ratio;
    ratio.DecimationRatio = 51;
    EXPECT_FALSE(TDataExport::Refusal(TWaveFormat(8000, 1, 2), ratio).empty());
    EXPECT_FALSE(TDataExport::Refusal(TWaveFormat(8000, 1, 4), ExportOptions{}).empty());
    EXPECT_TRUE(TDataExport::Refusal(TWaveFormat(8000, 1, 3), ExportOptions{}).empty());
    TWaveData wide(3, TWaveFormat(8000, 1, 4));
    EXPECT_FALSE(TDataExport(wide, ExportOptions{}).Good());
}
