// The spectrum view's control-bar rules, autoscale limits, marker labels and
// text export, without a window.
#include <gtest/gtest.h>

#include <string>

#include "engine/TAutoscaleLimits.h"
#include "views/TSpectrumControls.h"
#include "views/TSpectrumText.h"

namespace {

// Indexes 0..n-1 at 10.5 Hz each; values -index (display) or +index (held).
class TRamp final : public TSpectrumValues {
public:
    explicit TRamp(float scale = 1.0f) : Scale(scale) {}
    int LowIndex() const override { return 0; }
    int HighIndex() const override { return 99; }
    float FrequencyOf(int index) const override { return 10.5f * index; }
    float ValueOf(int index, bool peak) const override { return Scale * (peak ? index : -index); }
    bool Bands() const override { return false; }

private:
    float Scale;
};

}  // namespace

TEST(TSpectrumControls, PlotTopSpinStepsAndPrecisions)
{
    const struct {
        float Value;
        float Step;
        int Precision;
    } cases[] = {{1e-9f, 1e-8f, 7}, {1e-6f, 1e-7f, 7}, {0.0005f, 1e-4f, 7}, {0.005f, 1e-3f, 6}, {0.05f, 0.01f, 5},
                 {1.0f, 0.1f, 4},   {1.1f, 0.1f, 4},   {1.2f, 1.0f, 3},     {11.0f, 1.0f, 3},   {50.0f, 10.0f, 2},
                 {500.0f, 100.0f, 1}, {5000.0f, 1000.0f, 0}, {1.1e8f, 1e7f, 0}, {2e8f, 1e8f, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        const auto spin = TSpectrumControls::PlotTopSpin(c.Value, false);
        EXPECT_FLOAT_EQ(spin.Step, c.Step);
        EXPECT_EQ(spin.Precision, c.Precision);
        EXPECT_FLOAT_EQ(spin.Maximum, 1e7f);
        EXPECT_FLOAT_EQ(spin.Minimum, 1e-9f);
    }
    const auto db = TSpectrumControls::PlotTopSpin(-20.0f, true);
    EXPECT_EQ(db.Step, 5.0f);
    EXPECT_EQ(db.Precision, 2);
    EXPECT_EQ(db.Maximum, 300.0f);
    EXPECT_EQ(db.Minimum, -300.0f);
    EXPECT_FLOAT_EQ(TSpectrumControls::ClampPlotRange(0.0f), 0.1f);
    EXPECT_FLOAT_EQ(TSpectrumControls::ClampPlotRange(-5.0f), 0.1f);
    EXPECT_FLOAT_EQ(TSpectrumControls::ClampPlotRange(60.0f), 60.0f);
    EXPECT_FLOAT_EQ(TSpectrumControls::PlotRangeSpin().Minimum, 0.1f);
}

TEST(TSpectrumControls, AutoscaleLimitsAndRange)
{
    const struct {
        float Max, Min;
        uint16_t Scale;
        bool Ok;
        float Top, Bottom;
    } cases[] = {
        {-3.2f, -87.5f, 1, true, 0.0f, -90.0f},
        {0.004f, 0.0035f, 1, true, 0.05f, -0.04f},
        {370.0f, 1.0f, 0, true, 400.0f, -1.0f},
        {0.37f, 0.0f, 0, true, 1.0f, -1.0f},
        {5.0f, 5.0f, 1, false, -1.0f, -1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Max << " " << c.Min);
        float top = -1.0f, bottom = -1.0f;
        EXPECT_EQ(TAutoscaleLimits::Spectrum(c.Max, c.Min, c.Scale, top, bottom), c.Ok);
        EXPECT_NEAR(top, c.Top, 1e-6);
        EXPECT_NEAR(bottom, c.Bottom, 1e-6);
    }
    // The time series: a level on the dB axis, a peak on the linear one.
    const struct {
        float Value;
        uint16_t Scale;
        float Top, Bottom;
    } series[] = {
        {-3.2f, 1, 0.0f, -100.0f}, {-13.0f, 1, -10.0f, -110.0f}, {4.5f, 1, 10.0f, -90.0f}, {0.0f, 1, 0.0f, -100.0f},
        {50.0f, 0, 60.0f, -1.0f},  {370.0f, 0, 400.0f, -1.0f},   {0.37f, 0, 1.0f, -1.0f},  {0.0f, 0, 1.0f, -1.0f},
        {7.0f, 2, -1.0f, -1.0f},
    };
    for (const auto& c : series) {
        SCOPED_TRACE(testing::Message() << "series " << c.Value << " scale " << c.Scale);
        float top = -1.0f, bottom = -1.0f;
        TAutoscaleLimits::TimeSeries(c.Value, c.Scale, top, bottom);
        EXPECT_NEAR(top, c.Top, 1e-5);
        EXPECT_NEAR(bottom, c.Bottom, 1e-5);
    }
    float top = 0.0f, range = 120.0f;
    TSpectrumControls::AutoscaleToRange(true, -10.0f, -10.5f, top, range);
    EXPECT_EQ(range, 10.0f);
    TSpectrumControls::AutoscaleToRange(true, 400.0f, -20.0f, top, range);
    EXPECT_EQ(top, 300.0f);
    EXPECT_EQ(range, 200.0f);
    TSpectrumControls::AutoscaleToRange(false, 2.0f, 0.0f, top, range);
    EXPECT_EQ(top, 2.0f);
    EXPECT_EQ(range, 200.0f);
}

TEST(TSpectrumControls, MarkerLabels)
{
    const struct {
        uint32_t Type;
        bool Db;
        const char* Custom;
        const char* Text;
    } cases[] = {{0, true, "x", " "},           {1, true, "x", "1000.50 Hz"},
                 {2, true, "x", "-12.35 dB"},   {2, false, "x", "-12.35"},
                 {3, true, "x", "1000.50 Hz/-12.35 dB"}, {3, false, "x", "1000.50 Hz/-12.35"},
                 {4, true, "Mains", "Mains"},   {4, true, "", " "}};
    for (const auto& c : cases)
        EXPECT_EQ(TSpectrumControls::MarkerLabel(c.Type, 1000.5f, -12.345f, c.Db, c.Custom), c.Text) << c.Type;
}

TEST(TSpectrumText, ClipboardAndFileLayouts)
{
    const TRamp data, data2(2.0f);
    EXPECT_EQ(TSpectrumText::Clipboard("dB", "Left", 2, 3, data, nullptr, false),
              ";Freq(Hz)\tdB: Left\r\n21.0000\t-2.000000\r\n31.5000\t-3.000000\r\n");
    EXPECT_EQ(TSpectrumText::Clipboard("dB", "Left", 4, 4, data, &data2, true),
              ";Freq(Hz)\tdB: Left\r\n42.0000\t4.000000\t8.000000\r\n");

    const struct {
        int Mode;
        bool Second;
        const char* Text;
    } files[] = {
        {0, false, ";Freq(Hz)\tdB: Left\r\n10.5000\t-1.000000\r\n"},
        {1, false, ";Freq(Hz)\tdB: Right\r\n10.5000\t-1.000000\r\n"},
        {2, true, ";Freq(Hz)\tdB: Left\tdB: Right\r\n10.5000\t-1.000000\t-2.000000\r\n"},
        {2, false, ";Freq(Hz)\tdB: Left\tdB: Right\r\n10.5000\t-1.000000\t0.000000\r\n"},
        {3, true, ";Freq(Hz)\tdB: Level\r\n10.5000\t-1.000000\r\n"},
        {10, false, ";Freq(Hz)\tdB: Level\r\n10.5000\t-1.000000\r\n"},
        {11, true, ";Freq(Hz)\tdB: Transfer Function\tdB: Coherence\r\n10.5000\t-1.000000\t-2.000000\r\n"},
        {12, true, ";Freq(Hz)\tdB: Transfer Function\tdB: Coherence\r\n10.5000\t-1.000000\t-2.000000\r\n"},
    };
    for (const auto& f : files)
        EXPECT_EQ(TSpectrumText::File(f.Mode, "dB", 1, 1, data, f.Second ? &data2 : nullptr), f.Text) << f.Mode;

    // Lines of huge values are not cut to 80 bytes.
    const TRamp huge(1e30f);
    const std::string text = TSpectrumText::Clipboard("V", std::string(200, 'x').c_str(), 99, 99, huge, &huge, false);
    EXPECT_EQ(text.find('x' + std::string(79, 'x')), std::string::npos);
    const size_t line = text.find("\r\n") + 2;
    EXPECT_GT(text.size() - line, 80u);
    EXPECT_EQ(text.substr(text.size() - 9), ".000000\r\n");
}
