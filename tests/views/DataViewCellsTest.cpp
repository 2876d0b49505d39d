// The numeric data view's columns, headers, cells and captions per data
// type, amplitude scale and channel-processing mode.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "views/TDataViewCells.h"

using Cells = TDataViewCells;

TEST(TDataViewCells, HeadersPerTypeScaleAndMode)
{
    using H = std::array<std::string, 3>;
    const struct {
        Cells::Kind Type;
        uint16_t Scale, Mode;
        bool Rpm, Right;
        H Expected;
    } rows[] = {
        {Cells::Spectral, 0, 2, false, false, {"Hz", "level", "level"}},
        {Cells::Spectral, 1, 2, false, false, {"Hz", "dB", "dB"}},
        {Cells::Spectral, 1, 10, false, false, {"Hz", "coherence", "dB"}},
        {Cells::Spectral, 0, 11, false, false, {"Hz", "level", "coherence"}},
        {Cells::Spectral, 1, 12, true, false, {"Engine speed in revo", "dB", "coherence"}},
        {Cells::Phase, 1, 2, false, false, {"Hz", "degrees", "degrees"}},
        {Cells::TimeSeries, 0, 2, false, true, {"Milliseconds", "Value", "Value"}},
        {Cells::TimeSeries, 0, 2, true, false, {"RPM", "Value", ""}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.Type << " scale " << r.Scale << " mode " << r.Mode);
        Cells::THeaderInput in;
        in.Type = r.Type;
        in.AmplitudeScale = r.Scale;
        in.ChannelProcessing = r.Mode;
        in.RpmAxis = r.Rpm;
        // Cut to the 20 characters the header keeps.
        in.RpmLabel = "Engine speed in revolutions";
        in.RightChannel = r.Right;
        EXPECT_EQ(Cells::Header(in), r.Expected);
    }
}

TEST(TDataViewCells, CellTextsColumnsAndCaptions)
{
    EXPECT_EQ(Cells::ValueText(Cells::Spectral, -12.3456f, 1), "-12.35");
    EXPECT_EQ(Cells::ValueText(Cells::Spectral, 0.0123456f, 0), "0.012346");
    EXPECT_EQ(Cells::ValueText(Cells::Phase, -179.99994f, 1), "-179.9999");
    EXPECT_EQ(Cells::ValueText(Cells::TimeSeries, 50.0f, 1), "50.000000");
    EXPECT_EQ(Cells::FrequencyText(1000.5f), "1000.5000");
    EXPECT_EQ(Cells::TimeText(0.0208333), "0.020833");

    // A second column only for two results under one scaling.
    for (uint16_t mode = 1; mode <= 12; ++mode) {
        const bool two = mode == 2 || mode == 11 || mode == 12;
        EXPECT_EQ(Cells::SpectralColumns(mode, false), two ? 3 : 2) << mode;
        EXPECT_EQ(Cells::SpectralColumns(mode, true), 2) << mode;
    }

    EXPECT_EQ(Cells::Caption(Cells::Spectral, false, "Left"), "Spectral Data");
    EXPECT_EQ(Cells::Caption(Cells::Phase, false, nullptr), "Phase Data");
    EXPECT_EQ(Cells::Caption(Cells::TimeSeries, false, nullptr), "Time Series");
    EXPECT_EQ(Cells::Caption(Cells::Spectral, true, "Right Channel"), "Right Channel");
    EXPECT_EQ(Cells::Caption(Cells::Phase, true, nullptr), "Phase Data");
}
