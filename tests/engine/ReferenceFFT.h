#pragma once
// The transforms as the program has always computed them, written plainly:
// radix-2 decimation in frequency with the twiddles of each stage advanced by
// double-precision recurrences, then the bit-reversal permutation. The fast
// kernels must be at least as close as these results to the exact transform.
#include <cmath>
#include <utility>

namespace ReferenceFFT {

inline void ComplexFFT(float* x, int n, int direction)
{
    int m = 0;
    for (int size = 1; size != n && m < 20; size <<= 1)
        ++m;
    const bool forward = direction == 1;
    if (!forward) {
        const float scale = static_cast<float>(1.0 / n);
        for (int i = 0; i < 2 * n; ++i)
            x[i] *= scale;
    }

    const double theta = 6.28318530717958647692 / n;
    double stageCos = std::cos(theta);
    double stageSin = std::sin(theta);
    int span = n;
    for (int stage = 0; stage < m; ++stage) {
        const int half = span / 2;
        for (int i = 0; i < n; i += span) {
            float* a = x + 2 * i;
            float* b = x + 2 * (i + half);
            const float ar = a[0], ai = a[1];
            a[0] = ar + b[0];
            a[1] = ai + b[1];
            b[0] = ar - b[0];
            b[1] = ai - b[1];
        }
        if (stage != m - 1) {
            double wr = stageCos;
            double wi = stageSin;
            for (int j = 1; j < half; ++j) {
                const double wiSigned = forward ? -wi : wi;
                for (int i = j; i < n; i += span) {
                    float* a = x + 2 * i;
                    float* b = x + 2 * (i + half);
                    const double tr = static_cast<double>(a[0]) - b[0];
                    const double ti = static_cast<double>(a[1]) - b[1];
                    a[0] += b[0];
                    a[1] += b[1];
                    b[0] = static_cast<float>(tr * wr - ti * wiSigned);
                    b[1] = static_cast<float>(tr * wiSigned + ti * wr);
                }
                const double nextWr = wr * stageCos - wi * stageSin;
                wi = wr * stageSin + wi * stageCos;
                wr = nextWr;
            }
            const double nextCos = 1.0 - 2.0 * stageSin * stageSin;
            stageSin = 2.0 * stageSin * stageCos;
            stageCos = nextCos;
        }
        span = half;
    }

    int j = 0;
    for (int i = 0; i < n - 1; ++i) {
        if (i < j) {
            std::swap(x[2 * i], x[2 * j]);
            std::swap(x[2 * i + 1], x[2 * j + 1]);
        }
        int k = n / 2;
        while (j + 1 > k) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
}

inline void RealFFTSplit(float* x, int n, int direction)
{
    const int half = n / 2;
    const bool positive = direction > 0;
    const float f = direction == 1 ? 2.0f : 1.0f;
    const float x0 = x[0];
    const float x1 = x[1];
    x[0] = (x0 + x1) * f;
    x[1] = (x0 - x1) * f;
    if (half < 2)
        return;

    const double s = std::sin(6.28318530717958647692 / n);
    const double c = std::sqrt(1.0 - s * s);
    double wr = 1.0;
    double wi = 0.0;
    for (int i = 2; i <= half; i += 2) {
        const int j = n - i;
        const double nextWi = wi * c + wr * s;
        wr = wr * c - wi * s;
        wi = nextWi;
        const double a = x[i], b = x[j], p = x[i + 1], q = x[j + 1];
        const double t = positive ? wr * (p + q) - wi * (a - b) : -wr * (p + q) - wi * (a - b);
        const double u = positive ? -wi * (p + q) - wr * (a - b) : -wi * (p + q) + wr * (a - b);
        x[i] = static_cast<float>((a + b) + t);
        x[j] = static_cast<float>((a + b) - t);
        x[i + 1] = static_cast<float>(u + (p - q));
        x[j + 1] = static_cast<float>(u - (p - q));
    }
}

inline int RealFFT(float* x, int n, int direction)
{
    const int half = n / 2;
    if (direction == 1) {
        ComplexFFT(x, half, 1);
        RealFFTSplit(x, n, 1);
        return n;
    }
    RealFFTSplit(x, n, direction);
    ComplexFFT(x, half, direction);
    for (int i = 0; i < n; ++i)
        x[i] *= 0.25f;
    return n;
}

}  // namespace ReferenceFFT
