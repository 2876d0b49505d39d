// DTMF analysis of a minute of 48 kHz keys, and one delay-finder
// measurement at N = 65536 beside FFTW's three transforms of that length
// (two forward, one inverse: the work the measurement cannot avoid).
// "ratio" is the time over the audio it stands for: the minute, or the
// analyser's 4096-frame block at 48 kHz that each measurement follows.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstdint>

#include "engine/DisplaySettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"
#include "utilities/TDelayCorrelator.h"
#include "utilities/TDtmfAnalysis.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr double BlockPeriod = 4096.0 / Rate;
constexpr double TwoPi = 6.283185307179586;

// Keys of 80 ms with 80 ms gaps, the sixteen in turn, for a minute.
void BM_DtmfMinute(benchmark::State& state)
{
    const double rows[] = {697, 770, 852, 941}, columns[] = {1209, 1336, 1477, 1633};
    const uint32_t frames = 60 * Rate;
    TWaveData wave(frames, TWaveFormat(Rate, 1, 2));
    const uint32_t tone = Rate * 80 / 1000;
    for (uint32_t i = 0; i < frames; ++i) {
        const uint32_t key = (i / (2 * tone)) % 16;
        const double t = double(i) / Rate;
        const double x = i % (2 * tone) < tone
                             ? 0.4 * std::sin(TwoPi * rows[key / 4] * t) + 0.4 * std::sin(TwoPi * columns[key % 4] * t)
                             : 0.0;
        wave.PutSample(int32_t(std::lround(x * 32767.0)), i, 0);
    }
    AnalysisSettingsStruct analysis;
    analysis.Format = TWaveFormat(Rate, 1, 2);
    size_t keys = 0;
    for (auto _ : state) {
        TDtmfAnalysis dtmf(analysis, DisplaySettingsStruct{});
        dtmf.Run(wave, 0, frames, [](int) { return TDtmfAnalysis::Poll::Continue; });
        keys = dtmf.Keys(0).size();
    }
    state.counters["keys"] = double(keys);
    state.counters["ratio"] = benchmark::Counter(60.0 * double(state.iterations()),
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DelayFinderMeasure(benchmark::State& state)
{
    AnalysisSettingsStruct analysis;
    analysis.Format = TWaveFormat(Rate, 2, 2);
    TDelayCorrelator correlator(analysis, DisplaySettingsStruct{}, 500);
    const uint32_t n = correlator.GetBlockSize();
    TSeriesData left(n, analysis.Format, 1, 0), right(n, analysis.Format, 1, 0);
    uint32_t seed = 36;
    for (uint32_t i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        left.PutSample(i, int32_t(seed >> 17) - 16384);
        right.PutSample(i, int32_t(seed >> 18));
    }
    for (auto _ : state) benchmark::DoNotOptimize(correlator.Measure(left, right));
    state.counters["N"] = n;
    state.counters["ratio"] = benchmark::Counter(BlockPeriod * double(state.iterations()),
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FftwThreeTransforms(benchmark::State& state)
{
    const int n = 65536;
    float* real = fftwf_alloc_real(size_t(n));
    fftwf_complex* spectrum = fftwf_alloc_complex(size_t(n / 2 + 1));
    const fftwf_plan forward = fftwf_plan_dft_r2c_1d(n, real, spectrum, FFTW_ESTIMATE);
    const fftwf_plan inverse = fftwf_plan_dft_c2r_1d(n, spectrum, real, FFTW_ESTIMATE);
    for (int i = 0; i < n; ++i) real[i] = float(std::sin(0.01 * i));
    for (auto _ : state) {
        fftwf_execute(forward);
        fftwf_execute(forward);
        fftwf_execute(inverse);
        benchmark::DoNotOptimize(real[0]);
    }
    state.counters["ratio"] = benchmark::Counter(BlockPeriod * double(state.iterations()),
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    fftwf_destroy_plan(forward);
    fftwf_destroy_plan(inverse);
    fftwf_free(spectrum);
    fftwf_free(real);
}

}  // namespace

BENCHMARK(BM_DtmfMinute)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DelayFinderMeasure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FftwThreeTransforms)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
