// The readouts without a window: rows per channel-processing mode, unit
// texts, value texts without a result, and the text size.
#include <gtest/gtest.h>

#include "engine/DisplaySettingsStruct.h"
#include "utilities/TReadoutFormat.h"

using R = TReadoutFormat;

TEST(TReadoutFormat, RowsFollowTheChannelProcessing)
{
    const struct { R::TMeasureKind Kind; uint16_t Mode; int32_t TimeSwitch; int Rows; } cases[] = {
        {R::THD, 0, 0, 1},          {R::THD, 2, 0, 2},         {R::NoiseFigure, 2, 0, 1},
        {R::NoiseFigure, 11, 0, 2}, {R::TotalPower, 12, 0, 2}, {R::SNR, 3, 0, 1},
        {R::SINAD, 2, 1, 1},        {R::SINAD, 2, 5, 2},       {R::PeakFrequency, 10, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(R::Row(c.Kind).Caption) + " mode " + std::to_string(c.Mode));
        EXPECT_EQ(R::RowCount(c.Kind, c.Mode, c.TimeSwitch), c.Rows);
    }
}

TEST(TReadoutFormat, KindsWindowTypesAndCommands)
{
    const struct { int Type; R::TMeasureKind Kind; unsigned Command; const char* Caption; } cases[] = {
        {7, R::THD, 195, "THD"},           {8, R::THDN, 196, "THD+N"},
        {9, R::IMD, 197, "IMD"},           {10, R::SNR, 198, "SNR"},
        {16, R::SINAD, 288, "SINAD"},      {17, R::SFDR, 289, "SFDR"},
        {18, R::NoiseFigure, 290, "Noise Figure"}, {11, R::PeakFrequency, 199, "Peak Frequency"},
        {12, R::PeakAmplitude, 200, "Peak Amplitude"}, {13, R::TotalPower, 201, "Total Pwr"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(R::KindOfWindowType(c.Type), c.Kind);
        EXPECT_EQ(R::Row(c.Kind).Command, c.Command);
        EXPECT_STREQ(R::Row(c.Kind).Caption, c.Caption);
    }
    EXPECT_EQ(R::KindOfWindowType(14), R::KindCount);
}

TEST(TReadoutFormat, UnitsWithoutAResultAndValuesAtZero)
{
    DisplaySettingsStruct scaling;
    scaling.AmpScaleType = 0;
    scaling.TotalPowerWeighting = 1;
    const R::TChannel none{nullptr, &scaling, false};
    EXPECT_EQ(R::AmplitudeUnit(none), "");
    EXPECT_EQ(R::DbUnit(none), "dB");
    for (int k = 0; k < R::KindCount; ++k) EXPECT_EQ(R::ValueText(R::TMeasureKind(k), none, 3.0f), "0.0");
}

TEST(TReadoutFormat, TextSizeFromTheClientArea)
{
    const struct { int W, H, Rows; size_t Length; int CharWidth, CharHeight; bool Draw; } cases[] = {
        {120, 64, 1, 10, 10, 62, true},
        {120, 128, 2, 10, 10, 62, true},
        {120, 20, 1, 4, 20, 18, true},
        {60, 10, 1, 0, 20, 15, true},     // an empty text counts as one character; at least 15 high
        {2000, 700, 1, 1, 666, 698, false},
    };
    for (const auto& c : cases) {
        const R::TMetrics m = R::Metrics(c.W, c.H, c.Rows, c.Length);
        EXPECT_EQ(m.CharWidth, c.CharWidth);
        EXPECT_EQ(m.CharHeight, c.CharHeight);
        EXPECT_EQ(m.Draw, c.Draw);
    }
}
