// One analysis block of the pipeline, as the idle loop runs it per channel:
// SetTimeSample for every sample, window, transform, average, peak hold.
// dB amplitude scale; narrowband or one-third-octave bands.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"

namespace {

void BM_AnalysisBlock(benchmark::State& state)
{
    const uint32_t n = static_cast<uint32_t>(state.range(0));
    const uint16_t freqScale = state.range(1) ? 2 : 1;
    AnalysisSettingsStruct analysis;
    analysis.Format = TWaveFormat(48000, 1, 2);
    analysis.FFTsize = n;
    analysis.AverageBlocks = 4;
    analysis.PeakHold = 2;
    DisplaySettingsStruct display;
    display.AmpScaleType = 1;
    display.FreqScaleType = freqScale;
    display.OctaveNumber = 3;
    TSpectralData spectrum(analysis, display, 0);
    TSmoothing window(n, TSmoothing::Hanning);
    std::vector<float> block(n);
    for (uint32_t i = 0; i < n; ++i)
        block[i] = static_cast<float>(16000.0 * std::sin(0.37 * i) + 300.0 * std::cos(1.3 * i));
    for (auto _ : state) {
        for (uint32_t i = 0; i < n; ++i)
            spectrum.SetTimeSample(i, block[i]);
        window.Apply(spectrum.GetFFTBuffer(), freqScale, 0);
        spectrum.ComputeSpectrum();
        spectrum.Average(0);
        spectrum.UpdatePeakHold();
        benchmark::DoNotOptimize(spectrum.GetOverallLevel());
    }
}

}  // namespace

BENCHMARK(BM_AnalysisBlock)->ArgsProduct({{16384, 65536}, {0, 1}})->ArgNames({"fft", "bands"})->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
