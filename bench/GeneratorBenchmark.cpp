// The signal block of the generator, built as the window builds it (block
// allocation and both channels), for three signals at two formats. The
// counter "ratio" is the build time over the signal's duration: seconds of
// building per second of signal, which the library prints as a time.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "generator/TGeneratorSettings.h"
#include "generator/TSignalSources.h"
#include "generator/TSignalSynthesizer.h"

namespace {

class TQuietSources : public TSignalSources {
public:
    bool QueryWave(const char*, TWaveFormat&, uint32_t&) override { return false; }
    std::unique_ptr<TWaveData> LoadWave(const char*) override { return nullptr; }
    void Progress(int) override {}
    void Report(const std::string&, unsigned) override {}
};

SignalParams Signal(int kind)
{
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    TGeneratorSettings::Defaults(left, right, level);
    switch (kind) {
    case 0:
        left.SigType = Tone1kSignal;
        break;
    case 1:
        left.SigType = MultipleTonesSignal;
        for (int i = 0; i < SignalParams::ToneCount; ++i) left.Tones[i] = {1, 500.0f * (i + 1), -3.0f * i, 0.0f};
        TGeneratorSettings::DeriveToneAmplitudes(left);
        break;
    default:
        left.SigType = FreqSweepSignal;
        left.FreqSweep = {20.0f, 20000.0f, 10000, 2, 0, 0};
        break;
    }
    return left;
}

void BM_BuildSignal(benchmark::State& state)
{
    const SignalParams params = Signal(int(state.range(0)));
    const TWaveFormat format = state.range(1) ? TWaveFormat(192000, 2, 3) : TWaveFormat(48000, 2, 2);
    TQuietSources sources;
    TSignalSynthesizer synth(sources);
    const double amplitude[2] = {0.5, 0.5};
    double seconds = 0.0;
    for (auto _ : state) {
        std::unique_ptr<TWaveData> block = synth.AllocateSignal(params, params, format);
        synth.BuildChannels(*block, params, params, amplitude);
        seconds = block->GetDuration();
        benchmark::DoNotOptimize(block->GetBuffer());
    }
    state.counters["signal_s"] = seconds;
    state.counters["ratio"] = benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
    static const char* const names[] = {"1 kHz tone", "ten tones", "10 s log sweep"};
    state.SetLabel(std::string(names[state.range(0)]) + (state.range(1) ? ", 192 kHz 24-bit" : ", 48 kHz 16-bit"));
}

}  // namespace

BENCHMARK(BM_BuildSignal)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
