#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "utilities/TDTMFData.h"

TEST(TDTMFData, KeysGiveTheirRowAndColumnTones)
{
    const TDTMFData data(-20.0f, 20, 10);
    const std::string rows[4] = {"123Aa", "456Bb", "789Cc", "*0#Dd"};
    const float rowHz[4] = {697, 770, 852, 941};
    const std::string columns[4] = {"147*", "2580", "369#", "ABCDabcd"};
    const float columnHz[4] = {1209, 1336, 1477, 1633};
    for (int i = 0; i < 4; ++i) {
        for (char key : rows[i]) EXPECT_EQ(data.GetRowFrequency(key), rowHz[i]) << key;
        for (char key : columns[i]) EXPECT_EQ(data.GetColumnFrequency(key), columnHz[i]) << key;
    }
    for (char key : std::string("xE ,\x01")) {
        EXPECT_EQ(data.GetRowFrequency(key), 0.0f) << int(key);
        EXPECT_EQ(data.GetColumnFrequency(key), 0.0f) << int(key);
    }
    EXPECT_EQ(data.GetRowFrequency('\0'), 0.0f);
}

TEST(TDTMFData, StartsIdleWithItsParameters)
{
    const TDTMFData data(-35.5f, 20, 30);
    EXPECT_EQ(data.Threshold, -35.5f);
    EXPECT_EQ(data.MinimumDigit, 20);
    EXPECT_EQ(data.MinimumSpace, 30);
    EXPECT_EQ(data.DigitStart, 0);
    EXPECT_EQ(data.CurrentKey, ' ');
    EXPECT_EQ(data.KeyString[0], '\0');
    EXPECT_EQ(data.Tones[3].Frequency, 941.0f);
    EXPECT_EQ(data.Tones[4].Frequency, 1209.0f);
}

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

// The spectrum of one 512-sample block at 8 kHz holding the given tones
// (Hz, fraction of full scale), in dB on a linear axis as the analysis reads it.
std::unique_ptr<TSpectralData> PairSpectrum(std::initializer_list<std::pair<double, double>> tones)
{
    AnalysisSettingsStruct a;
    a.Format = TWaveFormat(8000, 1, 2);
    a.FFTsize = 512;
    a.AverageBlocks = 1;
    a.PeakHold = 0;
    a.SmoothingWindow = TSmoothing::Hanning;
    DisplaySettingsStruct d;
    d.AmpScaleType = DisplaySettingsStruct::DecibelAmplitude;
    d.FreqScaleType = DisplaySettingsStruct::LinearFrequency;
    auto s = std::make_unique<TSpectralData>(a, d, 0);
    for (uint32_t i = 0; i < 512; ++i) {
        double x = 0.0;
        for (auto [hz, amplitude] : tones) x += amplitude * std::sin(kTwoPi * hz * i / 8000.0);
        s->SetTimeSample(i, static_cast<float>(std::round(x * 32767.0)));
    }
    TSmoothing(512, TSmoothing::Hanning).Apply(s->GetFFTBuffer(), 0, 0);
    s->ComputeSpectrum();
    s->Average(0);
    return s;
}

std::string Keys(const TDTMFData& d)
{
    char buffer[TDTMFData::KeyStringSize];
    d.GetKeys(buffer);
    return buffer;
}

}  // namespace

// Blocks every 5 ms: a key held for the given time, then silence.
TEST(TDTMFData, KeysAreReportedOnceWhenTheyEndAfterTheMinimum)
{
    const auto five = PairSpectrum({{770, 0.3}, {1336, 0.3}});
    const auto quiet = PairSpectrum({{770, 0.001}, {1336, 0.001}});
    const auto rows = PairSpectrum({{697, 0.3}, {941, 0.3}});
    const auto silence = PairSpectrum({});
    struct Case {
        const char* what;
        const TSpectralData* key;
        int heldMs;
        const char* keys;
    } cases[] = {
        {"held 15 ms", five.get(), 15, ""},
        {"held 20 ms", five.get(), 20, "5"},
        {"held 200 ms", five.get(), 200, "5"},
        {"row-row pair", rows.get(), 200, ""},
        {"pair under the threshold", quiet.get(), 200, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TDTMFData d(-40.0f, 20, 20);
        int t = 50;
        int appended = 0;
        for (int held = 0; held <= c.heldMs; held += 5, t += 5) appended += d.ProcessSpectrum(c.key, t);
        for (int gap = 0; gap < 50; gap += 5, t += 5) appended += d.ProcessSpectrum(silence.get(), t);
        EXPECT_EQ(Keys(d), c.keys);
        EXPECT_EQ(appended, int(std::strlen(c.keys)));
    }
    TDTMFData d(-40.0f, 20, 20);
    EXPECT_FALSE(d.ProcessSpectrum(nullptr, 10));
    EXPECT_FALSE(d.ProcessSpectrum(five.get(), -1));
}

// A new key can start only more than the minimum space after the last one:
// a second key 25 ms long 10 ms after the first is left 10 ms and dropped.
TEST(TDTMFData, KeysNeedTheMinimumSpaceBetweenThem)
{
    const auto one = PairSpectrum({{697, 0.3}, {1209, 0.3}});
    const auto silence = PairSpectrum({});
    for (int gapMs : {10, 25}) {
        TDTMFData d(-40.0f, 20, 20);
        int t = 50;
        for (int key = 0; key < 2; ++key) {
            for (int held = 0; held <= 25; held += 5, t += 5) d.ProcessSpectrum(one.get(), t);
            for (int gap = 0; gap < gapMs; gap += 5, t += 5) d.ProcessSpectrum(silence.get(), t);
        }
        d.ProcessSpectrum(silence.get(), t);
        EXPECT_EQ(Keys(d), gapMs > 20 ? "11" : "1") << gapMs;
    }
}

TEST(TDTMFData, TheStringKeepsTheLast999Keys)
{
    const auto one = PairSpectrum({{697, 0.3}, {1209, 0.3}});
    const auto two = PairSpectrum({{697, 0.3}, {1336, 0.3}});
    const auto silence = PairSpectrum({});
    TDTMFData d(-40.0f, 20, 20);
    int t = 50;
    for (int key = 0; key < 1000; ++key) {
        const TSpectralData* s = key == 0 ? two.get() : one.get();
        for (int held = 0; held <= 25; held += 5, t += 5) d.ProcessSpectrum(s, t);
        for (int gap = 0; gap <= 25; gap += 5, t += 5) d.ProcessSpectrum(silence.get(), t);
    }
    EXPECT_EQ(Keys(d), std::string(999, '1'));
}
