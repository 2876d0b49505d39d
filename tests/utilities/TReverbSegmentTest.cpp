// The segment analysis against decays of known T60 that numpy's ISO 3382
// evaluation confirms (tests/fixtures/make_reverb_fixtures.py).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "engine/TWaveData.h"
#include "tests/engine/Fixture.h"
#include "utilities/TReverbAnalysis.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Full24 = 8388607.0;

struct TGoOn : TReverbAnalysis::TProgress {
    bool Progress(int, const char*) override { return true; }
};

// The fixture script's decay, sample for sample.
std::unique_ptr<TWaveData> Decay(uint32_t rate, double t60)
{
    std::vector<double> centres;
    for (int k = -10;; ++k) {
        const double f = 1000.0 * std::pow(10.0, k / 10.0);
        if (f > 20000.0 || f > 0.45 * rate) break;
        centres.push_back(f);
    }
    const uint32_t n = uint32_t((1.5 * t60 + 0.2) * rate);
    auto wave = std::make_unique<TWaveData>(n, TWaveFormat(rate, 1, 3));
    const double gain = 0.9 / double(centres.size());
    for (uint32_t i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        double x = 0.0;
        for (size_t k = 0; k < centres.size(); ++k)
            x += std::sin(2.0 * Pi * centres[k] * t + 0.7 * double(k));
        x *= gain * std::pow(10.0, -3.0 * t / t60);
        wave->PutSample(int32_t(std::trunc(x * Full24)), i, 0);
    }
    return wave;
}

TEST(TReverbSegment, T60OfExponentialDecaysWithinThreeHops)
{
    const auto rows = ReadFixture("reverb_decays.txt");
    ASSERT_EQ(rows.size(), 15u);
    std::map<double, double> worst;
    for (const auto& row : rows) {
        const uint32_t rate = uint32_t(row[0]);
        const double t60 = row[1];
        const std::unique_ptr<TWaveData> wave = Decay(rate, t60);
        TReverbData d;
        TGoOn goOn;
        ASSERT_TRUE(TReverbAnalysis::AnalyzeSegment(*wave, d, TReverbData::NoSmoothing, TReverbData::Rt20, goOn));
        ASSERT_GT(d.BandCount, 20);
        EXPECT_FLOAT_EQ(d.Rows[0].Frequency[d.BandCount - 1], TReverbData::WidebandFrequency);
        for (int32_t smoothing : {TReverbData::Averaging, TReverbData::Schroeder}) {
            for (int32_t method : {TReverbData::Rt20, TReverbData::Rt30}) {
                SCOPED_TRACE(testing::Message() << rate << " Hz, T60 " << t60 << " s, smoothing " << smoothing
                                                << ", method " << method);
                const double reference = method == TReverbData::Rt20 ? row[2] : row[3];
                d.ApplySmoothing(smoothing, method);
                d.ComputeReverbTimes(method);
                for (int e = 0; e < d.BandCount; ++e) {
                    const float f = d.Rows[0].Frequency[e];
                    // Bands from 250 Hz up that hold a tone, and the wideband entry.
                    if (f > 0.0f && (f < 240.0f || f > std::min(20000.0f, 0.45f * rate) + 1.0f)) continue;
                    const double measured = d.Results[e].T[5];
                    EXPECT_NEAR(measured, reference, 3.0 * d.HopTime) << f << " Hz";
                    worst[t60] = std::max(worst[t60], 100.0 * std::fabs(measured / reference - 1.0));
                }
            }
        }
    }
    for (const auto& [t60, percent] : worst)
        std::printf("T60 %.1f s: worst deviation %.2f %%\n", t60, percent);
    EXPECT_LT(worst[3.0], 1.0);
}

}  // namespace
