// Our real FFT against FFTW's (FFTW_ESTIMATE, single precision): the forward
// transform against r2c and the inverse against c2r, each in its own column,
// with the plain radix-2 algorithm (the tests' reference) for comparison.
//
// Natively FFTW runs beside us. The Windows build has no FFTW: it prints our
// columns, and with --fftw FILE it reads the FFTW times that a native run wrote
// with --save-fftw FILE on the same machine and prints the ratios.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "engine/FFT.h"
#include "engine/TFFTKernelSet.h"
#include "engine/TFFTPlan.h"
#include "engine/TSplitPlan.h"
#include "tests/engine/ReferenceFFT.h"

#ifdef TONALYX_WITH_FFTW
#include <fftw3.h>
#endif

namespace {

constexpr int kSizes[] = {1024, 4096, 16384, 65536, 1048576};

std::vector<float> TestSignal(int n)
{
    std::vector<float> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = static_cast<float>(std::sin(0.37 * i) + 0.25 * std::cos(1.3 * i));
    return x;
}

// Nanoseconds per call: the best of several batches of at least 20 ms, so
// that other work on the machine shows as little as possible.
template <typename Fn>
double BestNs(Fn&& call)
{
    using clock = std::chrono::steady_clock;
    int reps = 1;
    for (;;) {
        const auto t0 = clock::now();
        for (int r = 0; r < reps; ++r)
            call();
        if (std::chrono::duration<double>(clock::now() - t0).count() > 0.02)
            break;
        reps *= 2;
    }
    double best = 1e300;
    for (int batch = 0; batch < 7; ++batch) {
        const auto t0 = clock::now();
        for (int r = 0; r < reps; ++r)
            call();
        best = std::min(best, std::chrono::duration<double>(clock::now() - t0).count() * 1e9 / reps);
    }
    return best;
}

// An in-place transform destroys its input: each call starts from a fresh
// copy, and the time of the copy alone is taken off.
template <typename Fn>
double InPlaceNs(const std::vector<float>& input, std::vector<float>& work, Fn&& transform)
{
    const double copy = BestNs([&] { std::memcpy(work.data(), input.data(), input.size() * sizeof(float)); });
    const double both = BestNs([&] {
        std::memcpy(work.data(), input.data(), input.size() * sizeof(float));
        transform();
    });
    return std::max(both - copy, 0.0);
}

struct Times {
    double forward = 0.0, inverse = 0.0;
};

Times Ours(int n, void (*method)(float*, int, int))
{
    const std::vector<float> signal = TestSignal(n);
    std::vector<float> spectrum = signal;
    RealFFT(spectrum.data(), n, 1);
    std::vector<float> work(n);
    Times t;
    t.forward = InPlaceNs(signal, work, [&] { method(work.data(), n, 1); });
    t.inverse = InPlaceNs(spectrum, work, [&] { method(work.data(), n, -1); });
    return t;
}

void Fast(float* x, int n, int direction)
{
    RealFFT(x, n, direction);
}

void Plain(float* x, int n, int direction)
{
    ReferenceFFT::RealFFT(x, n, direction);
}

#ifdef TONALYX_WITH_FFTW
Times Fftw(int n)
{
    float* real = fftwf_alloc_real(n);
    fftwf_complex* complex = fftwf_alloc_complex(n / 2 + 1);
    const fftwf_plan r2c = fftwf_plan_dft_r2c_1d(n, real, complex, FFTW_ESTIMATE);
    const fftwf_plan c2r = fftwf_plan_dft_c2r_1d(n, complex, real, FFTW_ESTIMATE);
    const std::vector<float> signal = TestSignal(n);
    std::copy(signal.begin(), signal.end(), real);
    Times t;
    t.forward = BestNs([&] { fftwf_execute(r2c); });
    // c2r destroys its input, as ours does.
    fftwf_execute(r2c);
    std::vector<float> spectrum(reinterpret_cast<float*>(complex), reinterpret_cast<float*>(complex) + n + 2);
    const double copy = BestNs([&] { std::memcpy(complex, spectrum.data(), spectrum.size() * sizeof(float)); });
    const double both = BestNs([&] {
        std::memcpy(complex, spectrum.data(), spectrum.size() * sizeof(float));
        fftwf_execute(c2r);
    });
    t.inverse = std::max(both - copy, 0.0);
    fftwf_destroy_plan(r2c);
    fftwf_destroy_plan(c2r);
    fftwf_free(real);
    fftwf_free(complex);
    return t;
}
#endif

std::map<int, Times> ReadFftwTimes(const char* path)
{
    std::map<int, Times> times;
    if (FILE* f = std::fopen(path, "r")) {
        int n;
        Times t;
        while (std::fscanf(f, "%d %lf %lf", &n, &t.forward, &t.inverse) == 3)
            times[n] = t;
        std::fclose(f);
    }
    return times;
}

void PrintMemory()
{
    const int n = 1048576;
    const size_t complexTables = TFFTPlan::ForSize(n / 2)->MemoryBytes();
    const size_t splitTables = TSplitPlan::ForSize(n)->MemoryBytes();
    std::printf("tables of a %d-point real transform: %.2f MiB complex stages + %.2f MiB split = %.2f MiB\n", n,
                complexTables / 1048576.0, splitTables / 1048576.0, (complexTables + splitTables) / 1048576.0);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* readFftw = nullptr;
    const char* saveFftw = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--fftw") == 0)
            readFftw = argv[++i];
        else if (std::strcmp(argv[i], "--save-fftw") == 0)
            saveFftw = argv[++i];
    }
    std::map<int, Times> fftw = readFftw ? ReadFftwTimes(readFftw) : std::map<int, Times>{};
#ifdef TONALYX_WITH_FFTW
    for (int n : kSizes)
        fftw[n] = Fftw(n);
    if (saveFftw) {
        if (FILE* f = std::fopen(saveFftw, "w")) {
            for (const auto& [n, t] : fftw)
                std::fprintf(f, "%d %.1f %.1f\n", n, t.forward, t.inverse);
            std::fclose(f);
        }
    }
#else
    (void)saveFftw;
#endif

    std::printf("kernels: %s; times in microseconds; ratio = RealFFT / FFTW\n", TFFTKernelSet::Best().Name);
    std::printf("%8s | %9s %9s %9s %6s | %9s %9s %9s %6s\n", "n", "plain fwd", "RealFFT", "FFTW r2c", "ratio",
                "plain inv", "RealFFT", "FFTW c2r", "ratio");
    for (int n : kSizes) {
        const Times plain = Ours(n, Plain);
        const Times fast = Ours(n, Fast);
        const auto found = fftw.find(n);
        const Times theirs = found != fftw.end() ? found->second : Times{};
        auto ratio = [](double ours, double reference) { return reference > 0.0 ? ours / reference : 0.0; };
        std::printf("%8d | %9.2f %9.2f %9.2f %6.2f | %9.2f %9.2f %9.2f %6.2f\n", n, plain.forward / 1e3,
                    fast.forward / 1e3, theirs.forward / 1e3, ratio(fast.forward, theirs.forward), plain.inverse / 1e3,
                    fast.inverse / 1e3, theirs.inverse / 1e3, ratio(fast.inverse, theirs.inverse));
    }
    PrintMemory();
    return 0;
}
