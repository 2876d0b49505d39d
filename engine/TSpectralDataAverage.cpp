// Averaging of successive spectra and the peak hold of display values.
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "base/TEngineHost.h"
#include "engine/TSpectralData.h"

namespace {

constexpr float kPeakHoldDecay = 2.0f;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void ReportRingFailure()
{
    TEngineHost::Get().ShowMessage("Insufficient memory for linear averaging - try using exponential average", "Error",
                                   TEngineHost::MsgIconStop);
}

}  // namespace

void TSpectralData::SetAveraging(float number, uint32_t type)
{
    AverageNumber = number;
    AverageType = type;
    AllocateLinearStorage();
}

// Only the table of slots is made here; each slot's spectra are allocated
// when a block first lands in it, so a short or idle average holds little.
void TSpectralData::AllocateLinearStorage()
{
    RingSlot = 0;
    StoredPower.clear();
    StoredComplex.clear();
    StoredPower.shrink_to_fit();
    StoredComplex.shrink_to_fit();
    if (AverageType != 1 || AverageNumber > static_cast<float>(MaxStoredSpectra))
        return;
    const float number = AverageNumber >= 1000.0f ? 998.0f : AverageNumber;
    const size_t slots = std::max<size_t>(1, number >= 1.0f ? static_cast<size_t>(number) : 1);
    try {
        StoredPower.resize(slots);
        StoredComplex.resize(slots);
    } catch (const std::exception&) {
        StoredPower.clear();
        StoredComplex.clear();
        ReportRingFailure();
        Error = 1;
    }
}

// The running average of types 0 and 2 over the first count bins, with the
// new spectrum x and the count c: the plain loops over the arrays let the
// compiler work on several bins at once.
void TSpectralData::RunningAverage(const float* spectrum, uint32_t count, double c)
{
    const double previous = c - 1.0;
    float* complex = AveragedComplex.data();
    float* power = Averaged.data();
    // The first block of an average, and every block without averaging, is
    // the average: the older values weigh nothing and the sums are exact.
    if (c == 1.0) {
        std::copy(spectrum, spectrum + 2 * count, complex);
        for (uint32_t k = 0; k < count; ++k) {
            const float p = spectrum[2 * k] * spectrum[2 * k] + spectrum[2 * k + 1] * spectrum[2 * k + 1];
            power[k] = MagnitudeAveragingFlag ? (p > 0.0f ? std::sqrt(p) : 0.0f) : p;
        }
        return;
    }
    for (uint32_t i = 0; i < 2 * count; ++i)
        complex[i] = static_cast<float>((previous * complex[i] + spectrum[i]) / c);
    if (MagnitudeAveragingFlag) {
        for (uint32_t k = 0; k < count; ++k) {
            const float p = spectrum[2 * k] * spectrum[2 * k] + spectrum[2 * k + 1] * spectrum[2 * k + 1];
            power[k] = static_cast<float>((previous * power[k] + (p > 0.0f ? std::sqrt(p) : 0.0f)) / c);
        }
        return;
    }
    for (uint32_t k = 0; k < count; ++k) {
        const float p = spectrum[2 * k] * spectrum[2 * k] + spectrum[2 * k + 1] * spectrum[2 * k + 1];
        power[k] = static_cast<float>((previous * power[k] + p) / c);
    }
}

bool TSpectralData::AllocateRingSlot(uint32_t slot)
{
    StoredPower[slot].reset(new (std::nothrow) float[Bins]());
    StoredComplex[slot].reset(new (std::nothrow) float[2 * size_t{Bins}]());
    if (StoredPower[slot] && StoredComplex[slot])
        return true;
    StoredPower[slot].reset();
    StoredComplex[slot].reset();
    ReportRingFailure();
    Error = 1;
    return false;
}

void TSpectralData::Average(uint32_t normaliseBands)
{
    if (Error || TimeBuffer.empty() || Averaged.empty() || AveragedComplex.empty())
        return;
    const bool useRing = AverageType == 1 && AverageNumber <= static_cast<float>(MaxStoredSpectra);
    if (useRing) {
        if (AverageNumber < 0.0f)
            AverageNumber = 1.0f;
        else if (AverageNumber >= 1000.0f)
            AverageNumber = 998.0f;
    }
    // A number below 1 or not whole runs the ring over max(1, trunc(n)) slots.
    const int32_t whole = static_cast<int32_t>(std::trunc(AverageNumber));
    if (AverageType == 0 || AverageType == 2) {
        if (++AverageCount > AverageNumber)
            AverageCount = whole;
    } else if (AverageType == 1) {
        const int32_t limit = useRing ? static_cast<int32_t>(StoredPower.size()) : whole;
        const float bound = useRing ? static_cast<float>(limit) : AverageNumber;
        if (AverageCount < bound) {
            ++AverageCount;
            RingSlot = static_cast<uint32_t>(std::max(AverageCount - 1, 0));
        } else {
            AverageCount = limit;
            if (++RingSlot >= bound)
                RingSlot = 0;
        }
    }
    if (AverageCount < 1)
        AverageCount = 1;

    const uint32_t averagedBins = Bins - 1;  // the last bin is never averaged
    const double c = AverageCount;
    const float* x = TimeBuffer.data();
    auto powerTerm = [this](float re, float im) {
        const float p = re * re + im * im;
        if (!MagnitudeAveragingFlag)
            return p;
        return p > 0.0f ? std::sqrt(p) : 0.0f;
    };

    if (useRing) {
        const uint32_t slot = std::min<uint32_t>(RingSlot, static_cast<uint32_t>(StoredPower.size()) - 1);
        if (!StoredPower[slot] && !AllocateRingSlot(slot))
            return;
        float* storedPower = StoredPower[slot].get();
        float* storedComplex = StoredComplex[slot].get();
        for (uint32_t k = 0; k < averagedBins; ++k) {
            storedComplex[2 * k] = x[2 * k];
            storedComplex[2 * k + 1] = x[2 * k + 1];
            storedPower[k] = powerTerm(x[2 * k], x[2 * k + 1]);
        }
        std::fill(Averaged.begin(), Averaged.begin() + averagedBins, 0.0f);
        std::fill(AveragedComplex.begin(), AveragedComplex.begin() + 2 * averagedBins, 0.0f);
        for (size_t s = 0; s < StoredPower.size(); ++s) {
            if (!StoredPower[s])
                continue;
            const float* sp = StoredPower[s].get();
            const float* sc = StoredComplex[s].get();
            for (uint32_t k = 0; k < averagedBins; ++k) {
                Averaged[k] += sp[k];
                AveragedComplex[2 * k] += sc[2 * k];
                AveragedComplex[2 * k + 1] += sc[2 * k + 1];
            }
        }
        for (uint32_t k = 0; k < averagedBins; ++k) {
            Averaged[k] = static_cast<float>(Averaged[k] / c);
            AveragedComplex[2 * k] = static_cast<float>(AveragedComplex[2 * k] / c);
            AveragedComplex[2 * k + 1] = static_cast<float>(AveragedComplex[2 * k + 1] / c);
        }
    } else {
        RunningAverage(x, averagedBins, c);
        if (AverageType == 2) {
            for (uint32_t k = 0; k < averagedBins; ++k)
                Averaged[k] = powerTerm(AveragedComplex[2 * k], AveragedComplex[2 * k + 1]);
        }
    }

    const uint32_t lowBin = FrequencyToBin(LowFrequency);
    float largest = 0.0f;
    for (uint32_t k = 0; k < averagedBins; ++k) {
        if (k > lowBin && Averaged[k] > largest) {
            largest = Averaged[k];
            PeakBin = k;
        }
    }
    StoreBinLevels(averagedBins);
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands)
        ComputeBands(normaliseBands);
    OverallLevel = ComputeTotalPower(GetLowIndex(), GetHighIndex(), AmplitudeScale, static_cast<int16_t>(OverallWeighting));
}

// Seconds of the local calendar clock: it runs on through midnight, so hold
// times never wrap.
double TSpectralData::PeakHoldClock() const
{
    const TEngineHost::LocalTime t = TEngineHost::Get().Now();
    return static_cast<double>(DaysFromCivil(t.Year, t.Month, t.Day)) * 86400.0 + t.Hour * 3600.0 + t.Minute * 60.0
           + t.Second + t.Millisecond * 0.001;
}

void TSpectralData::UpdatePeakHold()
{
    if (Error || PeakHold.empty())
        return;
    double now = 0.0;
    double expiry = 0.0;
    if (PeakHoldMode != 0) {
        now = PeakHoldClock();
        switch (PeakHoldMode) {
        case 1: expiry = now + 1.0; break;
        case 2: expiry = now + 5.0; break;
        case 3: expiry = now + 10.0; break;
        case 4: expiry = std::numeric_limits<double>::infinity(); break;  // forever
        default: expiry = now; break;
        }
        const bool bands = FrequencyScale == DisplaySettingsStruct::OctaveBands;
        const size_t count = bands ? (BandValues.empty() ? 0 : BandCount) : (Averaged.empty() ? 0 : Bins);
        // Narrowband dB values are the bins' levels, plus the unit offset when
        // calibrated: read straight from the dB array, as GetDisplayValue does.
        const bool levels = !bands && AmplitudeScale == DisplaySettingsStruct::DecibelAmplitude && !PSDFlag && !CoherenceFlag && !DBArray.empty();
        const bool offset = Calibrated() && !AnyResultFlag();
        const float unitOffset = RefUnitsOffset();
        auto display = [&](size_t i) {
            if (!levels)
                return GetDisplayValue(static_cast<int>(i));
            return offset ? DBArray[i] + unitOffset : DBArray[i];
        };
        for (size_t i = 0; i < std::min(count, PeakHold.size()); ++i) {
            const float v = display(i);
            HeldPeak& held = PeakHold[i];
            if (v >= held.Value) {
                held = {v, expiry};
            } else if (now > held.Expiry) {
                held.Value = std::max(held.Value - kPeakHoldDecay, v);
            }
        }
    }
    if (OverallLevel > OverallLevelPeak) {
        OverallLevelPeak = OverallLevel;
        OverallLevelPeakExpiry = expiry;
    } else if (now > OverallLevelPeakExpiry) {
        OverallLevelPeak = std::max(OverallLevelPeak - kPeakHoldDecay, OverallLevel);
    }
}

void TSpectralData::SetPeakHoldMode(uint16_t mode)
{
    PeakHoldMode = mode;
    ResetPeakHold();
}

void TSpectralData::ResetAverages()
{
    AverageCount = 0;
    ClearTimeBuffer(0, FFTSize);
    std::fill(AveragedComplex.begin(), AveragedComplex.end(), 0.0f);
    std::fill(Averaged.begin(), Averaged.end(), 0.0f);
    std::fill(DBArray.begin(), DBArray.end(), NoLevel);
    BinLevelsOfAverage = true;
    std::fill(BandValues.begin(), BandValues.end(), NoLevel);
    // An empty slot counts as zeros, so the stored spectra are given back.
    for (auto& slot : StoredPower)
        slot.reset();
    for (auto& slot : StoredComplex)
        slot.reset();
    OverallLevel = NoLevel;
}

void TSpectralData::ResetPeakHold()
{
    std::fill(PeakHold.begin(), PeakHold.end(), HeldPeak{NoLevel, 0.0});
    OverallLevelPeak = NoLevel;
    OverallLevelPeakExpiry = 0.0;
}

void TSpectralData::ResetAll()
{
    ResetAverages();
    ResetPeakHold();
}

uint32_t TSpectralData::GetPeakIndex() const
{
    if (FrequencyScale != DisplaySettingsStruct::OctaveBands)
        return PeakBin;
    uint32_t peak = 0;
    float largest = NoLevel;
    const int last = GetLastBand();
    for (int b = GetFirstUsableBand(); b <= last && static_cast<uint32_t>(b) < BandCount; ++b) {
        const float v = GetDisplayValue(b);
        if (v > largest) {
            largest = v;
            peak = static_cast<uint32_t>(b);
        }
    }
    return peak;
}

float TSpectralData::GetPeakFrequency() const
{
    return FrequencyScale == DisplaySettingsStruct::OctaveBands ? GetBandCentre(static_cast<int>(GetPeakIndex())) : BinToFrequency(PeakBin);
}

float TSpectralData::GetPeakHoldValue(int index) const
{
    if (PeakHold.empty() || index < 0)
        return NoLevel;
    const size_t count = FrequencyScale == DisplaySettingsStruct::OctaveBands ? std::min<size_t>(BandCount, PeakHold.size()) : PeakHold.size();
    const size_t i = std::min(static_cast<size_t>(index), count - 1);
    const float v = PeakHold[i].Value;
    return CoherenceFlag ? DBToAmplitude(v) : v;
}

float TSpectralData::GetPeakHoldMax(int first, int last) const
{
    if (PeakHold.empty())
        return NoLevel;
    if (first == last - 1 || first < 0)
        return GetPeakHoldValue(last);
    if (last < first)
        return -999999.0f;
    float largest = -999999.0f;
    for (int i = first; i <= last; ++i)
        largest = std::max(largest, GetPeakHoldValue(i));
    return largest;
}

float TSpectralData::GetPeakHoldMaxFrequency(int first, int last) const
{
    if (PeakHold.empty())
        return 0.0f;
    if (first == last - 1 || first < 0)
        return GetFrequency(last);
    if (last < first)
        return -999999.0f;
    float largest = -999999.0f;
    int where = first;
    for (int i = first; i <= last; ++i) {
        const float v = GetPeakHoldValue(i);
        if (v > largest) {
            largest = v;
            where = i;
        }
    }
    return GetFrequency(where);
}
