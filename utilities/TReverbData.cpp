// The reverberation decay table: timing, rows, smoothing and decay times.
#include "utilities/TReverbData.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

// Truncation toward zero of a non-negative real.
int32_t Trunc(double v)
{
    return static_cast<int32_t>(v);
}

}  // namespace

TReverbData::TGeometry TReverbData::SegmentGeometry(uint32_t rate)
{
    if (rate <= 32000) return {4096, 90};
    if (rate < 88200) return {8192, 95};
    if (rate < 120000) return {16384, 97};
    return {32768, 95};
}

uint32_t TReverbData::HopFrames(const TGeometry& g)
{
    return static_cast<uint32_t>(g.FftSize * (1.0 - 0.01 * g.OverlapPercent));
}

void TReverbData::ComputeTiming(uint32_t rate)
{
    SyncStart = 0.8f;
    SyncLength = 0.1f;
    NoiseGap = 0.5f;
    NoiseLength = DecayLength > 4.0f ? DecayLength : 4.0f;
    TotalLength = SyncStart + SyncLength + NoiseGap + NoiseLength + DecayLength;
    HopTime = float((100 - Geometry.OverlapPercent) * 0.01 * Geometry.FftSize / double(rate));
    RowCapacity = Trunc((DecayLength + 1.0) / HopTime);
}

void TReverbData::ComputeSegmentTiming(uint32_t rate, float duration)
{
    DecayLength = duration;
    SyncStart = SyncLength = NoiseGap = NoiseLength = 0.0f;
    TotalLength = DecayLength;
    HopTime = float(Geometry.FftSize * 0.01 * (100 - Geometry.OverlapPercent) / double(rate));
    RowCapacity = Trunc((DecayLength + 1.0) / HopTime);
}

DecayRow TReverbData::EmptyRow()
{
    DecayRow row;
    std::fill(std::begin(row.Frequency), std::end(row.Frequency), 0.0f);
    std::fill(std::begin(row.Level), std::end(row.Level), NoLevel);
    std::fill(std::begin(row.Smoothed), std::end(row.Smoothed), NoLevel);
    row.Time = 0.0f;
    return row;
}

bool TReverbData::AllocateRows()
{
    Rows.clear();
    RowCount = 0;
    BandCount = 0;
    try {
        Rows.assign(size_t(std::max(RowCapacity, 0)), EmptyRow());
        return true;
    } catch (const std::exception&) {
        Rows = std::vector<DecayRow>();
        return false;
    }
}

void TReverbData::NormalizeDecay()
{
    if (RowCount < 1) return;
    for (int e = 0; e < BandCount; ++e) {
        const float start = Rows[0].Level[e];
        for (int r = 0; r < RowCount; ++r)
            Rows[r].Level[e] -= start;
    }
}

void TReverbData::ApplySmoothing(int32_t method, int32_t extrapolation)
{
    for (int r = 0; r < RowCount; ++r)
        std::copy(std::begin(Rows[r].Level), std::end(Rows[r].Level), Rows[r].Smoothed);
    if (method == Averaging) AverageSmoothing();
    if (method == Schroeder) SchroederSmoothing(extrapolation);
}

// A forward power mean over 0.1 s. Every row is averaged the same way, the
// first included, so a drop between two rows is not shifted by the window.
void TReverbData::AverageSmoothing()
{
    const int length = std::clamp(Trunc(AveragingSeconds / HopTime), 2, 50);
    for (int e = 0; e < BandCount; ++e) {
        for (int r = 0; r + length < RowCount; ++r) {
            double sum = 0.0;
            for (int k = 0; k < length; ++k)
                sum += std::pow(10.0, 0.1 * Rows[r + k].Level[e]);
            Rows[r].Smoothed[e] = float(10.0 * std::log10(sum / length));
        }
    }
}

// Backward integration from where the raw decay's T60 ends.
void TReverbData::SchroederSmoothing(int32_t extrapolation)
{
    ComputeReverbTimes(extrapolation);
    for (int e = 0; e < BandCount; ++e) {
        int m = Trunc((Results[e].T[5] + 0.1) / HopTime);
        if (m >= RowCount || m < 1) m = RowCount - 1;
        if (m < 0) continue;
        double total = 0.0;
        for (int r = 0; r <= m; ++r)
            total += std::pow(10.0, 0.05 * Rows[r].Level[e]);
        if (total <= 0.0) total = 1.0;
        const float floor = Rows[m].Level[e];
        double sum = 0.0;
        for (int r = m; r >= 0; --r) {
            sum += std::pow(10.0, 0.05 * Rows[r].Level[e]);
            const float v = float(20.0 * std::log10(sum / total));
            if (v > floor) Rows[r].Smoothed[e] = v;
        }
    }
    ComputeReverbTimes(extrapolation);
}

void TReverbData::ComputeReverbTimes(int32_t extrapolation)
{
    for (ReverbResult& r : Results) {
        r.Frequency = 0.0f;
        std::fill(std::begin(r.T), std::end(r.T), -1.0f);
        std::fill(std::begin(r.Estimated), std::end(r.Estimated), 1);
    }
    if (RowCount < 1) return;
    int ref = 0;
    if (RowCount > 1) {
        const float step = Rows[1].Time - Rows[0].Time;
        if (step > 0.0f) ref = std::clamp(Trunc(DecayStartTime / step + 0.5), 0, RowCount - 1);
    }
    for (int i = 0; i < RowCount; ++i) {
        for (int e = 0; e < BandCount; ++e) {
            ReverbResult& r = Results[e];
            r.Frequency = Rows[i].Frequency[e];
            const float drop = Rows[ref].Smoothed[e] - Rows[i].Smoothed[e];
            const float dt = Rows[i].Time - Rows[ref].Time;
            for (int d = 0; d < ReverbResult::Depths; ++d) {
                if (r.T[d] < 0.0f && drop >= 10.0f * (d + 1)) {
                    r.T[d] = dt;
                    r.Estimated[d] = 0;
                }
            }
        }
    }
    for (int e = 0; e < BandCount; ++e)
        Extrapolate(Results[e], extrapolation);
}

// Times the decay did not reach, from those it did; times beyond what the
// decay could hold count as none.
void TReverbData::Extrapolate(ReverbResult& r, int32_t extrapolation) const
{
    float* t = r.T;
    if (t[0] >= DecayLength) t[0] = 0.0f;
    if (t[1] >= DecayLength) t[1] = 2.0f * t[0];
    switch (extrapolation) {
    case Rt10:
        for (int d = 1; d < ReverbResult::Depths; ++d)
            t[d] = float(d + 1) * t[0];
        break;
    case Rt20:
        if (t[1] < 0.0f) t[1] = 2.0f * t[0];
        t[2] = 1.5f * t[1];
        t[3] = 2.0f * t[1];
        t[4] = 2.5f * t[1];
        t[5] = 3.0f * t[1];
        break;
    case Rt30:
        if (t[1] < 0.0f) t[1] = 2.0f * t[0];
        if (t[2] < 0.0f) t[2] = 1.5f * t[1];
        t[3] = 1.33333f * t[2];
        t[4] = 1.66666f * t[2];
        t[5] = 2.0f * t[2];
        break;
    default:
        break;
    }
    for (int d = 0; d < ReverbResult::Depths; ++d)
        if (t[d] >= 2.0f * DecayLength || t[d] < 0.0f) t[d] = 0.0f;
}

float TReverbData::PeakWidebandLevel() const
{
    float peak = 10.0f;
    if (BandCount < 1) return peak;
    for (int r = 0; r < RowCount; ++r)
        peak = std::max(peak, Rows[r].Smoothed[BandCount - 1]);
    return peak;
}

float TReverbData::ResultTime(int entry, int32_t index) const
{
    if (entry < 0 || entry >= MaxEntries || index < 0 || index >= ReverbResult::Depths) return 0.0f;
    return Results[entry].T[index];
}

std::vector<int> TReverbData::TimeSpans(float decayLength)
{
    std::vector<int> spans;
    for (int s = 0; s < decayLength + 0.1f; ++s)
        for (int t = 0; t < 10; ++t)
            if (10 * s + t > 0) spans.push_back(10 * s + t);
    return spans;
}
