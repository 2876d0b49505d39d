// Forward real FFT: our kernel against FFTW (FFTW_ESTIMATE, single precision).
// The run ends with a table of both times and their ratio per size.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstdio>
#include <chrono>
#include <vector>

#include "engine/FFT.h"

namespace {


std::vector<float> TestSignal(int n)
{
    std::vector<float> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = static_cast<float>(std::sin(0.37 * i) + 0.25 * std::cos(1.3 * i));
    return x;
}

void BM_RealFFT(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<float> input = TestSignal(n);
    std::vector<float> data(n);
    for (auto _ : state) {
        state.PauseTiming();
        data = input;
        state.ResumeTiming();
        RealFFT(data.data(), n, 1);
        benchmark::DoNotOptimize(data.data());
    }
}

void BM_FFTW(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    float* in = fftwf_alloc_real(n);
    fftwf_complex* out = fftwf_alloc_complex(n / 2 + 1);
    fftwf_plan plan = fftwf_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE);
    const std::vector<float> input = TestSignal(n);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.begin(), input.end(), in);
        state.ResumeTiming();
        fftwf_execute(plan);
        benchmark::DoNotOptimize(out);
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
}

// Times one size of one kernel without the per-iteration copy, for the table.
template <typename Fn>
double MeasureNs(Fn transform)
{
    using clock = std::chrono::steady_clock;
    int reps = 1;
    for (;;) {
        const auto t0 = clock::now();
        for (int r = 0; r < reps; ++r)
            transform();
        const double s = std::chrono::duration<double>(clock::now() - t0).count();
        if (s > 0.2)
            return s * 1e9 / reps;
        reps *= 2;
    }
}

void PrintRatioTable()
{
    std::printf("\n%8s %14s %14s %8s\n", "n", "RealFFT ns", "FFTW ns", "ratio");
    for (int n : {1024, 4096, 16384, 65536}) {
        std::vector<float> data = TestSignal(n);
        const double ours = MeasureNs([&] {
            RealFFT(data.data(), n, 1);
            RealFFT(data.data(), n, -1);
        }) / 2.0;
        float* in = fftwf_alloc_real(n);
        fftwf_complex* out = fftwf_alloc_complex(n / 2 + 1);
        fftwf_plan plan = fftwf_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE);
        std::vector<float> input = TestSignal(n);
        std::copy(input.begin(), input.end(), in);
        const double theirs = MeasureNs([&] { fftwf_execute(plan); });
        fftwf_destroy_plan(plan);
        fftwf_free(in);
        fftwf_free(out);
        std::printf("%8d %14.0f %14.0f %8.2f\n", n, ours, theirs, ours / theirs);
    }
}

}  // namespace

BENCHMARK(BM_RealFFT)->Arg(1024)->Arg(4096)->Arg(16384)->Arg(65536);
BENCHMARK(BM_FFTW)->Arg(1024)->Arg(4096)->Arg(16384)->Arg(65536);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintRatioTable();
    return 0;
}
