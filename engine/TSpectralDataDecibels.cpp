// Conversions between levels in dB and powers or amplitudes. They run for
// every bin of every block, so instead of the C runtime's log10 and pow they
// use short series in double precision: ln x from the float's exponent and
// the atanh series of its mantissa, 10^(x/10) and 10^(x/20) as 2^y from the
// exponential series on [-ln 2 / 2, ln 2 / 2]. Both are within 1e-8 dB of
// the library's values before the result is rounded to a float, so the
// results differ from the library's by at most one rounding of the float.
// Inputs outside the series' ranges (zero, negative, subnormal or
// non-finite values, results beyond the normal float range) go to the
// library as before.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <emmintrin.h>

#include "engine/TSpectralData.h"

namespace {

constexpr double kLn2 = 0.693147180559945309417;
constexpr double kDBPerNeperOfPower = 4.34294481903251827651;  // 10 / ln 10
constexpr double kLog2Of10 = 3.32192809488736234787;

// Levels in dB whose powers or amplitudes round to zero or leave the normal
// float range: below the first the result is 0 exactly, between the two the
// library computes the subnormal result, above the overflow limit infinity.
constexpr float kAmplitudeZeroDB = -905.0f;
constexpr float kAmplitudeNormalDB = -758.0f;
constexpr float kAmplitudeOverflowDB = 770.0f;

bool IsNormalPositive(float x)
{
    const uint32_t exponent = std::bit_cast<uint32_t>(x) >> 23;  // the sign bit makes negatives large
    return exponent >= 1 && exponent <= 254;
}

// ln x for a normal positive x: e ln 2 + ln m with m in [sqrt(1/2), sqrt(2)),
// ln m = 2 atanh t, t = (m - 1) / (m + 1), |t| <= 0.1716; the series' first
// omitted term is below 7e-10.
double NaturalLog(float x)
{
    const uint32_t bits = std::bit_cast<uint32_t>(x);
    // Mantissas above sqrt(2) (0x3504F3) move down an octave, without a branch.
    const uint32_t high = (bits & 0x7FFFFFu) > 0x3504F3u ? 1u : 0u;
    const int exponent = static_cast<int>(bits >> 23) - 127 + static_cast<int>(high);
    const double m = std::bit_cast<float>(((bits & 0x7FFFFFu) | 0x3F800000u) - (high << 23));
    const double t = (m - 1.0) / (m + 1.0);
    const double t2 = t * t;
    const double series = t * (2.0 + t2 * (2.0 / 3.0 + t2 * (2.0 / 5.0 + t2 * (2.0 / 7.0 + t2 * (2.0 / 9.0)))));
    return exponent * kLn2 + series;
}

// 2^y for |y| <= 130: 2^n e^(f ln 2) with n the nearest integer; the
// series' first omitted term is below 1e-11 relative.
double PowerOfTwo(double y)
{
    const int n = static_cast<int>(y < 0.0 ? y - 0.5 : y + 0.5);
    const double f = (y - n) * kLn2;
    const double series =
        1.0 + f * (1.0 + f * (1.0 / 2 + f * (1.0 / 6 + f * (1.0 / 24 + f * (1.0 / 120 + f * (1.0 / 720
              + f * (1.0 / 5040 + f * (1.0 / 40320 + f * (1.0 / 362880)))))))));
    return series * std::bit_cast<double>(static_cast<uint64_t>(n + 1023) << 52);
}

// 10^(perDB dB): perDB is 0.1 for powers and 0.05 for amplitudes, whose
// level in amplitude dB is dB times levelScale (2 or 1, exact).
float FromDB(float dB, double perDB, float levelScale)
{
    const float level = dB * levelScale;
    if (level >= kAmplitudeNormalDB && level <= kAmplitudeOverflowDB)
        return static_cast<float>(PowerOfTwo(dB * (perDB * kLog2Of10)));
    if (level < kAmplitudeZeroDB)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, perDB * dB));
}

}  // namespace

float TSpectralData::PowerToDB(float power)
{
    if (IsNormalPositive(power))
        return static_cast<float>(kDBPerNeperOfPower * NaturalLog(power));
    return power <= 0.0f ? NoLevel : static_cast<float>(10.0 * std::log10(static_cast<double>(power)));
}

float TSpectralData::AmplitudeToDB(float amplitude)
{
    if (IsNormalPositive(amplitude))
        return static_cast<float>(2.0 * kDBPerNeperOfPower * NaturalLog(amplitude));
    return amplitude <= 0.0f ? NoLevel : static_cast<float>(20.0 * std::log10(static_cast<double>(amplitude)));
}

float TSpectralData::DBToPower(float dB)
{
    return FromDB(dB, 0.1, 2.0f);
}

float TSpectralData::DBToAmplitude(float dB)
{
    return FromDB(dB, 0.05, 1.0f);
}

// Band mode shows band values only: the bins' levels are left to narrowband.
void TSpectralData::StoreBinLevels(uint32_t count)
{
    if (AmplitudeScale != DisplaySettingsStruct::DecibelAmplitude || FrequencyScale == DisplaySettingsStruct::OctaveBands
        || DBArray.empty())
        return;
    // Four bins at a time through NaturalLog's steps, the same operations in
    // the same order, so each level is the one PowerToDB gives; what this
    // makes of a power outside the series' range (zero, subnormal, negative
    // or non-finite) is replaced by PowerToDB's own level afterwards.
    const float* power = Averaged.data();
    float* level = DBArray.data();
    uint32_t k = 0;
    for (; k + 4 <= count; k += 4) {
        const __m128i bits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(power + k));
        const __m128i mantissa = _mm_and_si128(bits, _mm_set1_epi32(0x7FFFFF));
        const __m128i high = _mm_cmpgt_epi32(mantissa, _mm_set1_epi32(0x3504F3));  // -1 where above sqrt(2)
        const __m128i exponent = _mm_sub_epi32(_mm_sub_epi32(_mm_srli_epi32(bits, 23), _mm_set1_epi32(127)), high);
        const __m128 m = _mm_castsi128_ps(
            _mm_add_epi32(_mm_or_si128(mantissa, _mm_set1_epi32(0x3F800000)), _mm_slli_epi32(high, 23)));
        auto levels = [](__m128d m, __m128d e) {
            const __m128d one = _mm_set1_pd(1.0);
            const __m128d t = _mm_div_pd(_mm_sub_pd(m, one), _mm_add_pd(m, one));
            const __m128d t2 = _mm_mul_pd(t, t);
            __m128d series = _mm_mul_pd(t2, _mm_set1_pd(2.0 / 9.0));
            series = _mm_mul_pd(t2, _mm_add_pd(_mm_set1_pd(2.0 / 7.0), series));
            series = _mm_mul_pd(t2, _mm_add_pd(_mm_set1_pd(2.0 / 5.0), series));
            series = _mm_mul_pd(t2, _mm_add_pd(_mm_set1_pd(2.0 / 3.0), series));
            series = _mm_mul_pd(t, _mm_add_pd(_mm_set1_pd(2.0), series));
            const __m128d ln = _mm_add_pd(_mm_mul_pd(e, _mm_set1_pd(kLn2)), series);
            return _mm_cvtpd_ps(_mm_mul_pd(_mm_set1_pd(kDBPerNeperOfPower), ln));
        };
        const __m128 low = levels(_mm_cvtps_pd(m), _mm_cvtepi32_pd(exponent));
        const __m128 upper = levels(_mm_cvtps_pd(_mm_movehl_ps(m, m)),
                                    _mm_cvtepi32_pd(_mm_shuffle_epi32(exponent, _MM_SHUFFLE(1, 0, 3, 2))));
        _mm_storeu_ps(level + k, _mm_movelh_ps(low, upper));
    }
    for (; k < count; ++k)
        level[k] = PowerToDB(power[k]);
    for (k = 0; k < count; ++k)
        if (!IsNormalPositive(power[k]))
            level[k] = PowerToDB(power[k]);
    BinLevelsOfAverage = true;
}

// A displayed dB level is the level of the bin's power plus the unit offset,
// so its amplitude squared is the power times the offset's power: summed
// without a conversion per bin, within a float rounding of each level.
double TSpectralData::DisplayedPowerSum(int first, int last) const
{
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands || AmplitudeScale != DisplaySettingsStruct::DecibelAmplitude
        || CoherenceFlag || Averaged.empty()
        || (!PSDFlag && (!BinLevelsOfAverage || DBArray.empty())))
        return -1.0;
    double sum = 0.0;
    for (int k = first; k <= last; ++k)
        sum += std::max(Averaged[k], 0.0f);
    if (Calibrated() && !AnyResultFlag())
        sum *= DBToPower(RefUnitsOffset());
    return sum;
}
