// Overlay curves: the file reader's cases, interpolation against scipy and
// numpy, the range maximum, composites and writing back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/THeadlessEngineHost.h"
#include "resources/StringIds.h"
#include "views/TOverlayData.h"

namespace {

THeadlessEngineHost& Host()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

std::string Fixture(const char* name)
{
    return std::string(TONALYX_FIXTURES) + "/views/" + name;
}

struct TOverlayFiles : ::testing::Test {
    std::filesystem::path Folder = std::filesystem::temp_directory_path()
                                   / ("overlay_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                                      + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());

    void SetUp() override
    {
        std::filesystem::create_directories(Folder);
        Host().Messages.clear();
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    std::string Write(const char* name, const std::string& text)
    {
        const std::string path = (Folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static std::string Points(int n, int fallAt = -1)
    {
        std::string text;
        for (int i = 0; i < n; ++i) {
            const int f = i == fallAt ? 1 : 100 + 10 * i;
            text += std::to_string(f) + "\t" + std::to_string(-i) + "\n";
        }
        return text;
    }
};

// A spectrum grid of n indexes 100 Hz apart, every value v.
class TFlatGrid final : public TSpectrumValues {
public:
    TFlatGrid(int n, float v, bool bands = false) : N(n), V(v), Banded(bands) {}
    int LowIndex() const override { return 1; }
    int HighIndex() const override { return N; }
    float FrequencyOf(int index) const override { return 100.0f * index; }
    float ValueOf(int, bool peak) const override { return peak ? V + 10.0f : V; }
    bool Bands() const override { return Banded; }

private:
    int N;
    float V;
    bool Banded;
};

}  // namespace

TEST_F(TOverlayFiles, ReaderCases)
{
    const struct {
        const char* Name;
        std::string Text;
        uint32_t Error;
        uint32_t Count;
        const char* Message;
        const char* CurveName;
        uint32_t SplineOff;
    } cases[] = {
        {"name and spline off", ";My curve\r\n;SPLINE OFF\r\n100\t1\r\n200\t2\r\n300\t3\r\n", 0, 3, nullptr,
         "My curve", 1},
        {"long name cut to 23", ";abcdefghijklmnopqrstuvwxyz\n" + Points(3), 0, 3, nullptr, "abcdefghijklmnopqrstuvw", 0},
        {"tab ends the name", ";left\tright\n" + Points(3), 0, 3, nullptr, "left", 0},
        {"later name line wins", ";first\n" + Points(2) + ";second\n300\t1\n", 0, 3, nullptr, "second", 0},
        {"bad line ends the data", Points(4) + "oops\n1000\t1\n", 0, 4, nullptr, "", 0},
        {"infinite value ends the data", Points(3) + "400\tinf\n500\t1\n", 0, 3, nullptr, "", 0},
        // The rest of a line past 127 characters is a line of its own, and no pair.
        {"long line read in pieces", ";n\n100\t1\n200\t2\n300\t3" + std::string(140, ' ') + "\n400\t4\n", 0, 3,
         nullptr, "n", 0},
        {"equal frequencies accepted", "100\t1\n100\t2\n200\t3\n", 0, 3, nullptr, "", 0},
        {"two points refused", "100\t1\n200\t2\n", 1, 0, IDS_MICCOMP_TOO_FEW_TEXT, "", 0},
        {"fall in 50 points refused", Points(50, 20), 1, 0, IDS_MICCOMP_NOT_ASCENDING_TEXT, "", 0},
        {"fall in 500 points cuts", Points(500, 300), 0, 300, nullptr, "", 0},
        {"cut below three points refused", Points(120, 2), 1, 0, IDS_MICCOMP_TOO_FEW_TEXT, "", 0},
        {"negative first frequency", "-5\t1\n100\t1\n200\t2\n", 1, 0, IDS_MICCOMP_NOT_ASCENDING_TEXT, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Host().Messages.clear();
        const std::string path = Write("case.ovl", c.Text);
        TOverlayData curve(path.c_str(), 1, 0.0f, 0);
        EXPECT_EQ(curve.Error, c.Error);
        EXPECT_STREQ(curve.GetName(), c.CurveName);
        EXPECT_EQ(curve.SplineOff, c.SplineOff);
        if (!c.Error) {
            EXPECT_EQ(curve.Count, c.Count);
            EXPECT_TRUE(Host().Messages.empty());
        } else {
            EXPECT_EQ(curve.GetValue(150.0f), 0.0f);
            ASSERT_EQ(Host().Messages.size(), 1u);
            char expected[512];
            std::snprintf(expected, sizeof expected, c.Message, path.c_str());
            EXPECT_EQ(Host().Messages[0].Text, expected);
            EXPECT_EQ(Host().Messages[0].Style, TEngineHost::MsgIconStop);
        }
    }
}

TEST_F(TOverlayFiles, MissingFileAndNameOnly)
{
    TOverlayData missing((Folder / "none.ovl").string().c_str(), 1, 3.0f, 0);
    EXPECT_EQ(missing.Error, 1u);
    EXPECT_EQ(missing.GetValue(100.0f), 0.0f);
    EXPECT_TRUE(Host().Messages.empty());

    // A ";SPLINE" line that is not ";SPLINE OFF" is skipped by the name reader.
    const std::string path = Write("named.ovl", ";SPLINE X\n;Slot name\n100\t1\n;late\n");
    TOverlayData named(path.c_str(), 1, 0.0f, 1);
    EXPECT_STREQ(named.GetName(), "Slot name");
    EXPECT_EQ(named.Count, 0u);
}

TEST_F(TOverlayFiles, InterpolationMatchesScipyAndNumpy)
{
    const std::string cubicPath = Fixture("overlay_curve.ovl");
    const std::string linearPath = Write("linear.ovl", ";SPLINE OFF\r\n" + Read(cubicPath));
    TOverlayData cubic(cubicPath.c_str(), 1, 0.0f, 0);
    TOverlayData linear(linearPath.c_str(), 1, 2.5f, 0);
    ASSERT_EQ(cubic.Error, 0u);
    ASSERT_EQ(linear.Error, 0u);
    EXPECT_STREQ(cubic.GetName(), "Reference curve");
    std::ifstream ref(Fixture("overlay_reference.txt"));
    std::string line;
    int rows = 0;
    while (std::getline(ref, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        double f, spline, interp;
        std::istringstream(line) >> f >> spline >> interp;
        SCOPED_TRACE(f);
        EXPECT_NEAR(cubic.GetValue(float(f)), spline, 2e-3);
        EXPECT_NEAR(linear.GetValue(float(f)), interp + 2.5, 1e-4);
        ++rows;
    }
    EXPECT_EQ(rows, 42);
}

TEST_F(TOverlayFiles, RangeMaxSweepsAndFallsBack)
{
    const std::string path = Write("r.ovl", "100\t1\n200\t5\n300\t2\n400\t9\n500\t3\n");
    TOverlayData curve(path.c_str(), 1, 1.0f, 0);
    ASSERT_EQ(curve.Error, 0u);
    // Ends held, then a left-to-right sweep, then a range below the last.
    EXPECT_FLOAT_EQ(curve.GetRangeMax(50.0f, 150.0f), 2.0f);
    EXPECT_FLOAT_EQ(curve.GetRangeMax(150.0f, 250.0f), 6.0f);
    EXPECT_FLOAT_EQ(curve.GetRangeMax(250.0f, 450.0f), 10.0f);
    EXPECT_FLOAT_EQ(curve.GetRangeMax(450.0f, 600.0f), 4.0f);
    EXPECT_FLOAT_EQ(curve.GetRangeMax(150.0f, 250.0f), 6.0f);
    // No point strictly inside: the value at the high end.
    EXPECT_FLOAT_EQ(curve.GetRangeMax(210.0f, 290.0f), curve.GetValue(290.0f));
}

TEST_F(TOverlayFiles, BandTriplesWriteBackWithoutOffset)
{
    const std::string path = Write("bands.ovl", ";Bands\n100\t-10\n200\t-20\n400\t-30\n800\t-40\n");
    TOverlayData curve(path.c_str(), 2, 6.0f, 0);
    ASSERT_EQ(curve.Error, 0u);
    ASSERT_EQ(curve.Count, 12u);
    EXPECT_FLOAT_EQ(curve.Points[0], float(100.0f * 0.99999));
    EXPECT_FLOAT_EQ(curve.Points[4], float(100.0f * 1.00001));
    EXPECT_NEAR(curve.GetValue(200.0f), -14.0f, 1e-4);

    const std::string out = (Folder / "out.ovl").string();
    ASSERT_EQ(curve.Write(out.c_str(), "Bands again"), 1);
    TOverlayData again(out.c_str(), 2, 6.0f, 0);
    ASSERT_EQ(again.Count, 12u);
    EXPECT_STREQ(again.GetName(), "Bands again");
    // Reloaded with its offset, the curve stands where it stood: once shifted.
    for (float f : {100.0f, 200.0f, 400.0f, 800.0f})
        EXPECT_NEAR(again.GetValue(f), curve.GetValue(f), 1e-4) << f;
    std::string text = Read(out);
    std::erase(text, '\r');
    EXPECT_EQ(text, ";Bands again\n100.000000\t-10.000000\n200.000000\t-20.000000\n400.000000\t-30.000000\n"
                    "800.000000\t-40.000000\n");
}

TEST_F(TOverlayFiles, SpectrumCurveAndComposites)
{
    const TFlatGrid zero(8, 0.0f), half(8, -6.0206f), low(8, -150.0f), high(8, 100.0f);
    TOverlayData a(&zero, 0.0f, 0), b(&half, 0.0f, 0), c(&low, 0.0f, 0), d(&high, 0.0f, 0);
    TOverlayData peak(&zero, 0.0f, 1);
    EXPECT_EQ(a.Count, 8u);
    EXPECT_FLOAT_EQ(peak.GetValue(300.0f), 10.0f);
    const TFlatGrid banded(4, 1.0f, true);
    TOverlayData bands(&banded, 0.0f, 0);
    EXPECT_EQ(bands.Count, 12u);

    const TOverlayData* slots[6] = {&a, &b, nullptr, &c, &d, nullptr};
    const TFlatGrid grid(8, 0.0f);
    CompositeSettings average;
    average.IncludeInAverage[0] = average.IncludeInAverage[1] = 1;
    TOverlayData mean(&grid, slots, average);
    ASSERT_EQ(mean.Error, 0u);
    for (uint32_t i = 0; i < mean.Count; ++i)
        EXPECT_NEAR(mean.Points[2 * i + 1], -2.499, 1e-3);

    // A missing slot stays out of the mean; one usable slot fails it.
    average.IncludeInAverage[2] = 1;
    EXPECT_NEAR(TOverlayData(&grid, slots, average).GetValue(300.0f), -2.499, 1e-3);
    average.IncludeInAverage[1] = 0;
    EXPECT_EQ(TOverlayData(&grid, slots, average).Error, 1u);

    CompositeSettings diff;
    diff.CompositeType = CompositeSettings::Difference;
    const struct {
        uint16_t Subtracted, From;
        uint32_t Error;
        float Value;
    } diffs[] = {{4, 3, 0, -200.0f}, {3, 4, 0, 200.0f}, {1, 0, 0, 6.0206f}, {1, 1, 1, 0.0f}, {2, 0, 1, 0.0f},
                 {6, 0, 1, 0.0f}};
    for (const auto& t : diffs) {
        SCOPED_TRACE(testing::Message() << t.Subtracted << " from " << t.From);
        diff.DifferenceIndex[0] = t.Subtracted;
        diff.DifferenceIndex[1] = t.From;
        TOverlayData r(&grid, slots, diff);
        EXPECT_EQ(r.Error, t.Error);
        EXPECT_NEAR(r.GetValue(300.0f), t.Value, 1e-3);
    }
}
