// Level and distortion measures read off the averaged spectrum.
#include <algorithm>
#include <cmath>
#include <optional>

#include "base/TEngineHost.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TSpline.h"
#include "resources/StringIds.h"

namespace {

constexpr int kMaxRank = 10;
constexpr int kMaxHarmonic = 40;
// A harmonic counts once its largest bin stands this far (13 dB) above the
// mean noise floor: the largest of up to 161 bins of one block's noise alone
// passes it about once in three million.
constexpr double kHarmonicAboveFloor = 20.0;
constexpr int kPeakNeighbours = 5;
constexpr float kNoMaximum = -999999.0f;
constexpr float kNoMinimum = 1e14f;
constexpr double kBandwidthStep = 0.1;

float RatioPercent(double part, double whole)
{
    const double root = part > 0.0 ? std::sqrt(part) : 0.0;
    return static_cast<float>(100.0 * root / std::sqrt(whole));
}

}  // namespace

float TSpectralData::WindowPowerCorrection() const
{
    if (PSDFlag)
        return 1.0f;
    switch (WindowType) {
    case TSmoothing::Bartlett:
    case TSmoothing::Triangular: return static_cast<float>(std::pow(10.0, -0.125));
    case TSmoothing::Blackman: return static_cast<float>(std::pow(10.0, -0.23804));
    case TSmoothing::FlatTop: return static_cast<float>(std::pow(10.0, -0.534));
    case TSmoothing::Hamming: return static_cast<float>(std::pow(10.0, -0.1335));
    case TSmoothing::Hanning: return static_cast<float>(std::pow(10.0, -0.1755));
    case TSmoothing::Kaiser: return static_cast<float>(std::pow(10.0, -0.36));
    case TSmoothing::Parzen:
    case TSmoothing::Gaussian: return WindowPowerFromTable;
    default: return 1.0f;
    }
}

float TSpectralData::ComputeTotalPower(int first, int last, uint32_t scale, int16_t weighting)
{
    const bool bands = FrequencyScale == DisplaySettingsStruct::OctaveBands;
    const int lowBin = static_cast<int>(FrequencyToBin(LowFrequency));
    const int lastBin = static_cast<int>(Bins) - 1;
    double sum = 0.0;
    if (weighting == WeightAsDisplayed || weighting == static_cast<int16_t>(SpectrumWeighting)) {
        auto amplitude = [this](int index) {
            const double a = GetDisplayValue(index);
            return AmplitudeScale == DisplaySettingsStruct::DecibelAmplitude ? DBToAmplitude(static_cast<float>(a)) : a;
        };
        if (bands) {
            last = std::min(last, static_cast<int>(BandCount) - 1);
            for (int b = std::max(first, 0); b <= last; ++b) {
                const double a = amplitude(b);
                sum += a * a;
            }
        } else {
            last = std::min(last, lastBin);
            first = std::max(first, lowBin);
            sum = DisplayedPowerSum(first, last);
            if (sum < 0.0) {
                sum = 0.0;
                for (int k = first; k <= last; ++k) {
                    const double a = amplitude(k);
                    sum += a * a;
                }
            }
            sum *= WindowPowerCorrection();
        }
        if (sum <= 0.0)
            return 0.0f;
        return scale == 0 ? static_cast<float>(std::sqrt(sum)) : PowerToDB(static_cast<float>(sum));
    }

    const uint16_t type = (weighting >= WeightA && weighting <= WeightC) ? static_cast<uint16_t>(weighting) : 0;
    const CurveSlot slot = static_cast<CurveSlot>(type);
    if (type && Curves[slot].empty()) {
        const uint32_t previousError = Error;
        BuildWeightingCurve(slot, type);
        Error = previousError;  // an unbuilt curve only leaves this sum unweighted
    }
    const float* requested = type ? GetWeightingCurve(slot) : nullptr;
    const float* displayed = GetWeightingCurve(SpectrumCurve);
    if (bands) {
        if (Bands.empty())
            return NoWeightedPower;
        const int lastBand = static_cast<int>(BandCount) - 1;
        first = std::clamp(first, 0, lastBand);
        last = std::min(last, lastBand);
        if (last < 0)
            return NoWeightedPower;
        first = static_cast<int>(FrequencyToBin(Bands[first].LowerEdge));
        last = static_cast<int>(FrequencyToBin(Bands[last].UpperEdge));
    }
    first = std::max(first, lowBin);
    last = std::min(last, lastBin);
    if (!Averaged.empty()) {
        for (int k = first; k <= last; ++k) {
            double p = Averaged[k];
            if (displayed && displayed[k] != 0.0f)
                p /= static_cast<double>(displayed[k]) * displayed[k];
            if (requested)
                p *= static_cast<double>(requested[k]) * requested[k];
            sum += p;
        }
    }
    if (!bands)
        sum *= WindowPowerCorrection();
    float result = NoWeightedPower;
    if (sum > 0.0)
        result = scale == 0 ? static_cast<float>(std::sqrt(sum)) : PowerToDB(static_cast<float>(sum));
    if (scale != 0 && Calibrated() && !AnyResultFlag())
        result += RefUnitsOffset();
    return result;
}

float TSpectralData::PowerAtFrequency(float frequency) const
{
    if (Averaged.empty())
        return 0.0f;
    const uint32_t k = FrequencyToBin(frequency);
    return (k >= 3 && k + 3 <= Bins) ? Averaged[k] : 0.0f;
}

void TSpectralData::FindPeakBins(int first, int last, int rank, uint32_t found[kMaxRank + 1]) const
{
    std::fill(found, found + kMaxRank + 1, 0u);
    first = std::max({first, static_cast<int>(FrequencyToBin(LowFrequency)), kPeakNeighbours});
    last = std::min(last, static_cast<int>(Bins) - 1 - kPeakNeighbours);
    for (int r = 0; r <= rank; ++r) {
        float best = -10000000.0f;
        for (int k = first; k <= last; ++k) {
            const float v = Averaged[k];
            if (v <= best || std::find(found, found + r, static_cast<uint32_t>(k)) != found + r)
                continue;
            bool isPeak = true;
            for (int j = 1; j <= kPeakNeighbours && isPeak; ++j)
                isPeak = v > Averaged[k - j] && v > Averaged[k + j];
            if (isPeak) {
                best = v;
                found[r] = static_cast<uint32_t>(k);
            }
        }
    }
}

void TSpectralData::FindNthPeak(int first, int last, float* frequency, float* value, int rank) const
{
    if (rank < 0 || rank > kMaxRank)
        return;
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands) {
        FindNthPeakBands(first, last, frequency, value, rank);
        return;
    }
    if (Averaged.empty())
        return;
    uint32_t found[kMaxRank + 1];
    FindPeakBins(first, last, rank, found);
    if (frequency)
        *frequency = BinToFrequency(found[rank]);
    if (value)
        *value = GetDisplayValue(static_cast<int>(found[rank]));
}

void TSpectralData::FindNthPeakBands(int first, int last, float* frequency, float* value, int rank) const
{
    if (BandValues.empty())
        return;
    first = std::max(first, GetFirstUsableBand());
    last = std::min(last, static_cast<int>(BandCount));
    int found[kMaxRank + 1] = {};
    for (int r = 0; r <= rank; ++r) {
        float best = NoLevel;
        for (int b = first; b < last; ++b) {
            const float v = GetDisplayValue(b);
            if (v > best && std::find(found, found + r, b) == found + r) {
                best = v;
                found[r] = b;
            }
        }
    }
    if (frequency)
        *frequency = GetBandCentre(found[rank]);
    if (value)
        *value = GetDisplayValue(found[rank]);
}

float TSpectralData::FindNthPeakInRange(float firstHz, float lastHz, int rank, uint32_t peakHold) const
{
    const int first = static_cast<int>(FrequencyToBin(firstHz));
    const int last = static_cast<int>(FrequencyToBin(lastHz));
    if (peakHold)
        return GetPeakHoldMaxFrequency(first, last);
    float frequency = 0.0f;
    FindNthPeak(first, last, &frequency, nullptr, rank);
    return frequency;
}

double TSpectralData::SkirtPower(uint32_t first, uint32_t last) const
{
    double sum = 0.0;
    for (uint32_t k = first; k <= last && k < Bins; ++k)
        sum += Averaged[k];
    return sum;
}

// Each peak counts with the power of its whole skirt, so a tone between bins
// weighs what it would on a bin centre. Skirts never share a bin; the noise
// under a harmonic's skirt, at the mean level of the bins outside every skirt,
// stays noise, and a harmonic that does not stand out of it counts nothing.
bool TSpectralData::MeasureDistortion(DistortionPowers& p) const
{
    p = DistortionPowers();
    if (Averaged.empty() || PeakBin == 0 || PeakBin >= Bins)
        return false;
    const uint32_t lo = std::max<uint32_t>(FrequencyToBin(LowFrequency), 1);
    const uint32_t hi = std::min(FrequencyToBin(HighFrequency), Bins - 1);
    uint32_t s0 = 0, e0 = 0;
    FindPeakSkirt(PeakBin, &s0, &e0);
    p.Fundamental = SkirtPower(s0, e0);
    uint32_t outside = 0;
    for (uint32_t k = lo; k <= hi; ++k) {
        if (k < s0 || k > e0) {
            p.Residual += Averaged[k];
            ++outside;
        }
    }

    struct Skirt {
        uint32_t First, Last;
        double Power, Top;
    };
    std::vector<Skirt> harmonics;
    const double f1 = BinToFrequency(PeakBin);
    if (f1 > 1.0) {
        const int count = std::min(static_cast<int>(std::trunc(HighFrequency / f1)) + 1, kMaxHarmonic);
        int64_t counted = e0;
        for (int64_t h = 2; h <= count; ++h) {
            const int64_t centre = h * PeakBin;
            const int64_t first = std::max<int64_t>(centre - 2 * h, counted + 1);
            const int64_t last = std::min<int64_t>(centre + 2 * h, Bins - 1);
            if (first > last)
                continue;
            const auto top = std::max_element(Averaged.begin() + first, Averaged.begin() + last + 1);
            uint32_t s = 0, e = 0;
            FindPeakSkirt(static_cast<uint32_t>(top - Averaged.begin()), &s, &e);
            s = static_cast<uint32_t>(std::max<int64_t>(s, counted + 1));
            if (s > e)
                continue;
            harmonics.push_back({s, e, SkirtPower(s, e), *top});
            counted = e;
        }
    }
    double outsidePower = p.Residual;
    for (const Skirt& h : harmonics) {
        const uint32_t first = std::max(h.First, lo), last = std::min(h.Last, hi);
        if (first > last)
            continue;
        outsidePower -= SkirtPower(first, last);
        outside -= last - first + 1;
    }
    // Too few bins outside the skirts to stand for the noise: leakage, not noise, fills the range.
    const double floor = outside * 2 > hi - lo ? std::max(outsidePower, 0.0) / outside : 0.0;
    for (const Skirt& h : harmonics)
        if (h.Top > kHarmonicAboveFloor * floor)
            p.Harmonics += std::max(h.Power - floor * (h.Last - h.First + 1), 0.0);
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands && !BandValues.empty()) {
        // The bands' power outside the fundamental's band.
        const int own = FrequencyToBand(BinToFrequency(PeakBin));
        p.Fundamental = DBToPower(BandValues[own]);
        p.Residual = 0.0;
        for (int b = GetFirstUsableBand(); b <= GetLastBand(); ++b)
            if (b != own && BandValues[b] > NoLevel)
                p.Residual += DBToPower(BandValues[b]);
    }
    return true;
}

float TSpectralData::ComputeTHD() const
{
    DistortionPowers p;
    if (!MeasureDistortion(p) || p.Fundamental == 0.0 || BinToFrequency(PeakBin) <= 1.0)
        return 0.0f;
    return RatioPercent(p.Harmonics, p.Fundamental);
}

bool TSpectralData::SignalAndLargestSpurs(double& signal, double& spurs) const
{
    if (Averaged.empty())
        return false;
    uint32_t found[kMaxRank + 1];
    FindPeakBins(static_cast<int>(FrequencyToBin(LowFrequency)), static_cast<int>(Bins) - 1, kMaxRank, found);
    signal = PowerAtFrequency(BinToFrequency(found[0]));
    spurs = 0.0;
    for (int r = 1; r <= kMaxRank; ++r)
        spurs += PowerAtFrequency(BinToFrequency(found[r]));
    return true;
}

float TSpectralData::ComputeTHDN() const
{
    DistortionPowers p;
    if (!MeasureDistortion(p) || p.Fundamental <= 0.0)
        return 0.0f;
    // The residual holds the harmonics; one above the analysed range still counts.
    return RatioPercent(std::max(p.Residual, p.Harmonics), p.Fundamental);
}

float TSpectralData::ComputeSNR() const
{
    DistortionPowers p;
    if (!MeasureDistortion(p))
        return 0.0f;
    const double noise = std::max(p.Residual - p.Harmonics, 0.0);
    return PowerToDB(static_cast<float>(p.Fundamental)) - PowerToDB(static_cast<float>(noise));
}

float TSpectralData::ComputeSINAD() const
{
    DistortionPowers p;
    if (!MeasureDistortion(p))
        return 0.0f;
    return PowerToDB(static_cast<float>(p.Fundamental + p.Residual)) - PowerToDB(static_cast<float>(p.Residual));
}

void TSpectralData::FindPeakSkirt(uint32_t peakBin, uint32_t* firstBin, uint32_t* lastBin) const
{
    const int bins = static_cast<int>(Bins);
    const int peak = static_cast<int>(std::min(peakBin, Bins - 1));
    int e = std::min(peak + 5, bins - 1);
    int s = std::max(peak - 5, 3);
    if (!Averaged.empty()) {
        double m = Averaged[s];
        for (int k = s - 1; k > 3; --k) {
            if (Averaged[k] <= m) {
                s = k;
                m = Averaged[k];
            }
            if (Averaged[k] > 2.0 * m)
                break;
        }
        m = Averaged[e];
        for (int k = e + 1; k < bins; ++k) {
            if (Averaged[k] <= m) {
                e = k;
                m = Averaged[k];
            }
            if (Averaged[k] > 2.0 * m)
                break;
        }
    }
    if (firstBin)
        *firstBin = static_cast<uint32_t>(s);
    if (lastBin)
        *lastBin = static_cast<uint32_t>(e);
}

float TSpectralData::ComputeSFDR() const
{
    if (Averaged.empty())
        return 0.0f;
    uint32_t s = 0, e = 0;
    FindPeakSkirt(PeakBin, &s, &e);
    float best = -999999.9f;
    uint32_t spur = 0;
    auto consider = [&](uint32_t k) {
        if (Averaged[k] > best) {
            best = Averaged[k];
            spur = k;
        }
    };
    for (uint32_t k = 4; k < s; ++k)
        consider(k);
    for (uint32_t k = e; k < Bins; ++k)
        consider(k);
    return PowerToDB(Averaged[PeakBin]) - PowerToDB(Averaged[spur]);
}

// Power of a display value: dB values convert back, linear amplitudes square.
float TSpectralData::DisplayValueToPower(float value) const
{
    if (AmplitudeScale == DisplaySettingsStruct::DecibelAmplitude)
        return DBToPower(value);
    if (FrequencyScale != DisplaySettingsStruct::OctaveBands && PSDFlag && PSDUnits == 0)
        return value;
    return value * value;
}

float TSpectralData::ComputeIMD() const
{
    if (Averaged.empty())
        return 0.0f;
    const double fa = BinToFrequency(PeakBin);
    const int peak = static_cast<int>(PeakBin);
    const int high = static_cast<int>(FrequencyToBin(HighFrequency));
    int second = peak;
    float best = -9999.0f;
    for (int k = static_cast<int>(FrequencyToBin(LowFrequency)); k < high; ++k) {
        if (std::abs(k - peak) <= 3)
            continue;
        const float v = GetDisplayValue(k);
        if (v > best) {
            best = v;
            second = k;
        }
    }
    const double fb = BinToFrequency(static_cast<uint32_t>(second));
    auto level = [this](double f) {
        const int k = static_cast<int>(FrequencyToBin(static_cast<float>(f)));
        return static_cast<double>(DisplayValueToPower(RangeMaxValue(k - 3, k + 3)));
    };
    const double pa = level(fa);
    const double pb = level(fb);
    if (pa == 0.0 || pb == 0.0 || pa + pb == 0.0)
        return 0.0f;
    const double products[] = {fb + fa,         fb - fa,         fb + 2 * fa,          fb - 2 * fa,         2 * (fb + fa),
                               2 * fb + fa,     2 * fb - fa,     2 * fa + 2 * fb,      2 * fb - 2 * fa};
    double sum = 0.0;
    for (double f : products) {
        const uint32_t k = FrequencyToBin(static_cast<float>(f));
        if (f > 0.0 && k > 0 && k + 3 < Bins)
            sum += level(f);
    }
    return RatioPercent(sum, pa + pb);
}

float TSpectralData::RangeMaxValue(int first, int last) const
{
    if (first == last - 1 || first < 0)
        return GetDisplayValue(last);
    if (last < first)
        return kNoMaximum;
    float largest = kNoMaximum;
    float offset;
    if (BinLevelsShown(offset) && last < static_cast<int>(Bins)) {
        for (int i = first; i <= last; ++i)
            largest = std::max(largest, DBArray[i] + offset);
        return largest;
    }
    for (int i = first; i <= last; ++i)
        largest = std::max(largest, GetDisplayValue(i));
    return largest;
}

void TSpectralData::FindMinimum(int first, int last, float* frequency, float* value) const
{
    float smallest = kNoMinimum;
    float where;
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands) {
        first = std::max(first, 0);
        last = std::min(last, static_cast<int>(BandCount));
        int band = 0;
        for (int b = first; b < last; ++b) {
            const float v = GetDisplayValue(b);
            if (v < smallest) {
                smallest = v;
                band = b;
            }
        }
        where = GetBandCentre(band);
    } else {
        first = std::max(first, static_cast<int>(FrequencyToBin(LowFrequency)));
        last = std::min(last, static_cast<int>(Bins) - 1);
        int bin = first;
        float offset;
        const bool levels = BinLevelsShown(offset);
        for (int k = first; k <= last; ++k) {
            const float v = levels ? DBArray[k] + offset : GetDisplayValue(k);
            if (v < smallest) {
                smallest = v;
                bin = k;
            }
        }
        where = BinToFrequency(static_cast<uint32_t>(bin));
    }
    if (frequency)
        *frequency = where;
    if (value)
        *value = smallest;
}

float TSpectralData::ComputeBandwidth(float firstHz, float lastHz, uint32_t peakHold) const
{
    if (Averaged.empty() || (peakHold && PeakHold.empty()))
        return 0.0f;
    const uint32_t first = FrequencyToBin(firstHz);
    const uint32_t last = FrequencyToBin(lastHz);
    std::vector<FreqPoint> points;
    try {
        for (uint32_t k = first; k <= last; ++k) {
            const float y = peakHold ? DBToPower(PeakHold[std::min<size_t>(k, PeakHold.size() - 1)].Value) : Averaged[k];
            points.push_back({GetFrequency(static_cast<int>(k)), y});
        }
    } catch (const std::exception&) {
        TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgIconStop);
        return 0.0f;
    }
    const TSpline spline(reinterpret_cast<const float*>(points.data()), static_cast<uint32_t>(points.size()), TSpline::Cubic);
    const double peak = FindNthPeakInRange(firstHz, lastHz, 0, peakHold);
    const double half = 0.5 * spline.Evaluate(static_cast<float>(peak));
    // The first frequency from the peak towards the limit where the curve
    // falls to half the peak's power; none when it stays above up to the limit.
    auto halfPowerPoint = [&](double step, double limit) -> std::optional<double> {
        for (double x = peak; step < 0.0 ? x > limit : x < limit; x += step) {
            if (spline.Evaluate(static_cast<float>(x)) <= half)
                return x;
        }
        return std::nullopt;
    };
    // An edge beyond the range leaves the width unknown: a part of it (or a
    // difference with an edge at 0 Hz) would read as a real figure.
    const std::optional<double> upper = halfPowerPoint(kBandwidthStep, lastHz);
    const std::optional<double> lower = halfPowerPoint(-kBandwidthStep, firstHz);
    if (!upper || !lower || !std::isfinite(*upper - *lower))
        return 0.0f;
    return static_cast<float>(*upper - *lower);
}

float TSpectralData::ComputeQFactor(float firstHz, float lastHz, uint32_t peakHold) const
{
    if (Averaged.empty())
        return 0.0f;
    const float bandwidth = ComputeBandwidth(firstHz, lastHz, peakHold);
    if (bandwidth <= 0.0f)
        return 0.0f;
    return FindNthPeakInRange(firstHz, lastHz, 0, peakHold) / bandwidth;
}
