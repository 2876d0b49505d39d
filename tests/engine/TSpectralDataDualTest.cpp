#include <gtest/gtest.h>

#include <random>

#include "tests/engine/Fixture.h"
#include "tests/engine/SpectralTestSupport.h"

namespace {

constexpr uint32_t kRate = 48000;

struct TChannels {
    TChannels(uint32_t n, uint32_t blocks, uint16_t peakHold = 0)
        : Left(Analysis(kRate, n, TSmoothing::Hanning, 0, blocks), Display(1), 0),
          Right(Analysis(kRate, n, TSmoothing::Hanning, 0, blocks), Display(1), 0),
          Result(Analysis(kRate, n, TSmoothing::Hanning, 0, blocks, peakHold), Display(1), 0)
    {
    }
    TSpectralData Left, Right, Result;
};

// Right is left through the filter (or independent noise); blocks follow on
// from each other so the filter runs across block edges.
std::vector<std::vector<double>> NoiseBlocks(uint32_t n, uint32_t blocks, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(0.0, 0.1);
    std::vector<std::vector<double>> out(blocks, std::vector<double>(n));
    for (auto& block : out)
        for (double& v : block)
            v = normal(random);
    return out;
}

std::vector<std::vector<double>> Filter(const std::vector<std::vector<double>>& blocks, const std::vector<double>& taps)
{
    std::vector<double> flat;
    for (const auto& b : blocks)
        flat.insert(flat.end(), b.begin(), b.end());
    std::vector<std::vector<double>> out(blocks.size(), std::vector<double>(blocks[0].size()));
    for (size_t i = 0; i < flat.size(); ++i) {
        double y = 0.0;
        for (size_t t = 0; t < taps.size() && t <= i; ++t)
            y += taps[t] * flat[i - t];
        out[i / blocks[0].size()][i % blocks[0].size()] = y;
    }
    return out;
}

void TransformBoth(TChannels& c, const std::vector<double>& left, const std::vector<double>& right)
{
    Transform(c.Left, left, TSmoothing::Hanning);
    Transform(c.Right, right, TSmoothing::Hanning);
}

// One block of the coherence road: the cross spectrum is averaged by
// magnitude, then set against both channels' averaged powers.
void CoherenceBlock(TChannels& c, const std::vector<double>& left, const std::vector<double>& right)
{
    TransformBoth(c, left, right);
    c.Result.ComputeCrossSpectrum(c.Left.GetSpectrumBuffer(), c.Right.GetSpectrumBuffer());
    c.Result.Average(1);
    c.Left.Average(0);
    c.Right.Average(0);
    c.Result.ComputeCoherence(c.Left.GetMagnitudes(), c.Right.GetMagnitudes());
}

TEST(TSpectralDataDual, IdenticalChannels)
{
    TChannels c(1024, 1);
    auto x = Tone(1024, 50, 0.5, 0.7);
    AddTo(x, Tone(1024, 120, 0.2, 2.0));
    TransformBoth(c, x, x);
    c.Left.Average(0);
    c.Right.Average(0);
    c.Result.ComputeCrossSpectrum(c.Left.GetSpectrumBuffer(), c.Right.GetSpectrumBuffer());
    for (uint32_t k : {50u, 120u}) {
        EXPECT_NEAR(c.Result.GetSpectrumBuffer()[2 * k], c.Left.GetMagnitudes()[k], 1e-6) << k;
        EXPECT_NEAR(c.Result.GetSpectrumBuffer()[2 * k + 1], 0.0, 1e-6) << k;
    }
    c.Result.Average(0);
    c.Result.ComputeCoherence(c.Left.GetMagnitudes(), c.Right.GetMagnitudes());
    EXPECT_NEAR(c.Result.GetDisplayValue(50), 1.0, 1e-4);
    EXPECT_NEAR(c.Result.GetDisplayValue(121), 1.0, 1e-3);

    TChannels ratio(1024, 1);
    TransformBoth(ratio, x, x);
    ratio.Left.Average(0);
    ratio.Right.Average(0);
    ratio.Result.AverageChannels(ratio.Left.GetSpectrumBuffer(), ratio.Right.GetSpectrumBuffer());
    ratio.Result.Average(0);
    EXPECT_NEAR(ratio.Result.GetDisplayValue(50), ratio.Left.GetDisplayValue(50), 1e-4);
    ratio.Result.ComputeTransferRatio(ratio.Left.GetMagnitudes(), ratio.Right.GetMagnitudes(),
                                      ratio.Left.GetAverageComplex(), ratio.Right.GetAverageComplex());
    EXPECT_NEAR(ratio.Result.GetDisplayValue(50), 0.0, 1e-4);
}

TEST(TSpectralDataDual, HalfAmplitudeRightGivesSixDecibels)
{
    TChannels c(1024, 1);
    const auto x = Tone(1024, 80, 0.5);
    TransformBoth(c, x, Tone(1024, 80, 0.25));
    c.Left.Average(0);
    c.Right.Average(0);
    c.Result.ComputeCrossSpectrum(c.Left.GetSpectrumBuffer(), c.Right.GetSpectrumBuffer());
    c.Result.Average(0);
    c.Result.ComputeTransferRatio(c.Left.GetMagnitudes(), c.Right.GetMagnitudes(), c.Left.GetAverageComplex(),
                                  c.Right.GetAverageComplex());
    EXPECT_NEAR(c.Result.GetMagnitudes()[80], 4.0, 1e-4);
    EXPECT_NEAR(c.Result.GetDisplayValue(80), 6.0206, 1e-3);
}

// White noise through a known FIR: the real transfer function (ratio of
// powers) and the complex one (cross spectrum over reference power) both give
// |H|^2, and the coherence of a linear system is 1.
TEST(TSpectralDataDual, TransferAndCoherenceOfAFilter)
{
    const auto rows = ReadFixture("spectral_transfer.txt");
    const uint32_t n = static_cast<uint32_t>(rows[0][0]);
    const std::vector<double>& response = rows[2];
    const uint32_t blocks = 64;
    const auto left = NoiseBlocks(n, blocks, 5);
    const auto right = Filter(left, rows[1]);

    TChannels ratio(n, blocks), cross(n, blocks), coherence(n, blocks);
    for (uint32_t b = 0; b < blocks; ++b) {
        TransformBoth(ratio, left[b], right[b]);
        ratio.Left.Average(0);
        ratio.Right.Average(0);
        ratio.Result.ComputeCrossSpectrum(ratio.Right.GetSpectrumBuffer(), ratio.Left.GetSpectrumBuffer());
        ratio.Result.Average(0);
        ratio.Result.ComputeTransferRatio(ratio.Right.GetMagnitudes(), ratio.Left.GetMagnitudes(),
                                          ratio.Right.GetAverageComplex(), ratio.Left.GetAverageComplex());

        TransformBoth(cross, left[b], right[b]);
        cross.Result.ComputeCrossSpectrum(cross.Right.GetSpectrumBuffer(), cross.Left.GetSpectrumBuffer());
        cross.Result.Average(0);
        cross.Left.Average(0);
        cross.Right.Average(0);
        cross.Result.ComputeTransferFromCross(cross.Left.GetMagnitudes());

        CoherenceBlock(coherence, left[b], right[b]);
    }
    int checked = 0;
    for (uint32_t k = 2; k < n / 2 - 1; ++k) {
        if (response[k] < 0.01)
            continue;
        ++checked;
        const double expected = 10 * std::log10(response[k]);
        EXPECT_NEAR(ratio.Result.GetDisplayValue(k), expected, 0.3) << k;
        EXPECT_NEAR(cross.Result.GetDisplayValue(k), expected, 0.3) << k;
        EXPECT_NEAR(coherence.Result.GetDisplayValue(k), 1.0, 0.02) << k;
    }
    EXPECT_GT(checked, 100);
}

TEST(TSpectralDataDual, CoherenceOfIndependentNoiseIsSmall)
{
    const uint32_t n = 1024, blocks = 64;
    const auto left = NoiseBlocks(n, blocks, 7);
    const auto right = NoiseBlocks(n, blocks, 8);
    TChannels c(n, blocks);
    for (uint32_t b = 0; b < blocks; ++b)
        CoherenceBlock(c, left[b], right[b]);
    // |coherence|^2 of independent signals averages about 1 / blocks.
    double sum = 0.0;
    for (uint32_t k = 2; k < n / 2 - 1; ++k)
        sum += c.Result.GetMagnitudes()[k];
    EXPECT_LT(sum / (n / 2 - 3), 3.0 / blocks);
}

// Zero reference power takes the bin below's value; with peak hold on, a bin
// only rises.
TEST(TSpectralDataDual, ZeroReferenceAndHeldResults)
{
    TChannels c(64, 1, 1);
    std::vector<double> cross(64, 0.0);
    for (int k = 0; k < 32; ++k)
        cross[2 * k] = 2.0;
    PutSpectrum(c.Result, cross);
    c.Result.Average(0);
    std::vector<float> reference(32, 1.0f);
    reference[0] = 0.0f;
    reference[6] = 0.5f;
    reference[7] = 0.0f;
    reference[9] = 2.0f;
    // Average left power 4 in every bin; the ratios are 0 (bin 0), 16, 16 and 1.
    c.Result.ComputeTransferFromCross(reference.data());
    const float* held = c.Result.GetMagnitudes();
    EXPECT_FLOAT_EQ(held[0], 4.0f);
    EXPECT_FLOAT_EQ(held[6], 16.0f);
    EXPECT_FLOAT_EQ(held[7], 16.0f);
    EXPECT_FLOAT_EQ(held[9], 4.0f);

    TChannels off(64, 1);
    PutSpectrum(off.Result, cross);
    off.Result.Average(0);
    off.Result.ComputeTransferFromCross(reference.data());
    const float* t = off.Result.GetMagnitudes();
    EXPECT_FLOAT_EQ(t[0], 0.0f);
    EXPECT_FLOAT_EQ(t[7], 16.0f);
    EXPECT_FLOAT_EQ(t[9], 1.0f);
}

}  // namespace
