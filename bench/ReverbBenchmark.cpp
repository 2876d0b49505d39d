// The reverberation analysis of a 30 s segment at 44.1 and 192 kHz, as the
// window runs it (decay table, normalisation, averaging, times). The counter
// "ratio" is the analysis time over the segment's duration.
#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/TWaveData.h"
#include "utilities/TReverbAnalysis.h"

namespace {

struct TGoOn : TReverbAnalysis::TProgress {
    bool Progress(int, const char*) override { return true; }
};

void BM_AnalyzeSegment(benchmark::State& state)
{
    const uint32_t rate = uint32_t(state.range(0));
    const uint32_t frames = 30 * rate;
    TWaveData wave(frames, TWaveFormat(rate, 1, 2));
    for (uint32_t i = 0; i < frames; ++i)
        wave.PutSample(int32_t(20000.0 * std::exp(-6.9 * i / double(rate)) * std::sin(0.37 * i)), i, 0);
    TGoOn goOn;
    int rows = 0;
    for (auto _ : state) {
        TReverbData d;
        TReverbAnalysis::AnalyzeSegment(wave, d, TReverbData::Averaging, TReverbData::Rt20, goOn);
        rows = d.RowCount;
    }
    state.counters["rows"] = rows;
    state.counters["ratio"] = benchmark::Counter(30.0 * double(state.iterations()),
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_AnalyzeSegment)->Arg(44100)->Arg(192000)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
