// The stages of a THD+N versus frequency run after the capture (31 third-
// octave steps from 20 Hz at 48 kHz, 1 s each): building the test signal,
// finding the burst and the distortion of every step, on the signal itself
// as the capture. The counter "signal_s" is the signal's length, which the
// capture takes in real time; each stage's time is to be set against it.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/TWaveData.h"
#include "utilities/TThdFreqRun.h"

namespace {

struct TGoOn : TThdFreqRun::TProgress {
    bool Show(int, const char*) override { return false; }
};

THDFreqSettings DefaultRun()
{
    THDFreqSettings s;
    s.StepType = 2;
    return s;
}

void BM_BuildTestSignal(benchmark::State& state)
{
    THDFreqSettings s = DefaultRun();
    TGoOn goOn;
    TThdFreqRun run(s, goOn);
    std::string message;
    for (auto _ : state) run.BuildTestSignal(48000, 2, message);
    state.counters["signal_s"] = run.SignalSeconds();
}

void BM_Synchronize(benchmark::State& state)
{
    THDFreqSettings s = DefaultRun();
    TGoOn goOn;
    TThdFreqRun run(s, goOn);
    std::string message;
    run.BuildTestSignal(48000, 2, message);
    for (auto _ : state) run.Synchronize(*run.Signal);
    state.counters["signal_s"] = run.SignalSeconds();
}

void BM_ComputeDistortion(benchmark::State& state)
{
    THDFreqSettings s = DefaultRun();
    TGoOn goOn;
    TThdFreqRun run(s, goOn);
    std::string message;
    run.BuildTestSignal(48000, 2, message);
    run.Synchronize(*run.Signal);
    std::vector<TThdPoint> left, right;
    for (auto _ : state) run.ComputeDistortion(*run.Signal, left, right);
    state.counters["steps"] = double(left.size());
    state.counters["signal_s"] = run.SignalSeconds();
}

}  // namespace

BENCHMARK(BM_BuildTestSignal)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Synchronize)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ComputeDistortion)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
