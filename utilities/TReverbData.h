#pragma once
#include <cstdint>
#include <vector>

// One analysis frame of a reverberation decay, stored in .rvb files exactly
// as held here.
struct DecayRow {
    static constexpr int Entries = 31;
    // Centre frequency of each entry in Hz; the wideband entry holds -999.
    float Frequency[Entries];
    // Level of each entry in dB, relative to row 0 once normalised.
    float Level[Entries];
    // The level after smoothing: what the plots draw and the times are read from.
    float Smoothed[Entries];
    // Seconds from the start of the analysed range.
    float Time;
};
static_assert(sizeof(DecayRow) == 94 * sizeof(float));

// The decay times of one entry: T10 ... T60 at index 0 ... 5.
struct ReverbResult {
    static constexpr int Depths = 6;
    float Frequency;
    float T[Depths];
    // 1 where the time was not read from the decay itself (derived or missing).
    int32_t Estimated[Depths];
};
static_assert(sizeof(ReverbResult) == 52);

// The decay table of a reverberation measurement and the times derived from
// it: the timing of a run, the frame geometry, the rows, their smoothing and
// the T10 to T60 per entry. The window holds one and draws it.
class TReverbData {
public:
    static constexpr int MaxEntries = DecayRow::Entries;
    static constexpr float WidebandFrequency = -999.0f;
    static constexpr float NoLevel = -999.0f;
    enum TSmoothingMethod : int32_t { NoSmoothing = 0, Averaging = 1, Schroeder = 2 };
    enum TExtrapolation : int32_t { Rt10 = 0, Rt20 = 1, Rt30 = 2 };
    // The averaging smoother's window.
    static constexpr float AveragingSeconds = 0.1f;

    struct TGeometry {
        uint32_t FftSize;
        int32_t OverlapPercent;
    };
    // A live run's frames, and a segment's by its sample rate.
    static constexpr TGeometry LiveGeometry{8192, 95};
    static TGeometry SegmentGeometry(uint32_t rate);
    // The analysed hop in frames.
    static uint32_t HopFrames(const TGeometry& g);

    // The excitation's parts and the decay after it, in seconds.
    float SyncStart = 0.8f;
    float SyncLength = 0.1f;
    float NoiseGap = 0.5f;
    float NoiseLength = 4.0f;
    float DecayLength = 10.0f;
    float TotalLength = 0.0f;
    float SyncTime = 0.0f;
    float DecayStartTime = 0.0f;
    TGeometry Geometry = LiveGeometry;
    float HopTime = 0.0f;
    int32_t RowCapacity = 0;
    int32_t BandCount = 0;
    int32_t RowCount = 0;
    std::vector<DecayRow> Rows;
    ReverbResult Results[MaxEntries] = {};

    // The live timing from DecayLength, then the hop and the row capacity at rate.
    void ComputeTiming(uint32_t rate);
    // A segment's timing: all decay, no excitation.
    void ComputeSegmentTiming(uint32_t rate, float duration);
    // RowCapacity fresh rows (no bands, no level); false when the memory
    // could not be had, leaving none.
    bool AllocateRows();
    // A row with no entry filled.
    static DecayRow EmptyRow();

    // Every entry's level relative to its level in row 0.
    void NormalizeDecay();
    // The smoothed levels from the levels; Schroeder integration needs the
    // times of the raw decay for its end and leaves Results computed.
    void ApplySmoothing(int32_t method, int32_t extrapolation);
    void ComputeReverbTimes(int32_t extrapolation);
    // The largest smoothed wideband level of all rows, at least 10 dB.
    float PeakWidebandLevel() const;
    // The time T10 ... T60 (index 0 ... 5) of an entry; 0 for another index.
    float ResultTime(int entry, int32_t index) const;

    // The time-span list: tenths of a second from 0.1 up to the decay length
    // and the tenths after it.
    static std::vector<int> TimeSpans(float decayLength);

private:
    void AverageSmoothing();
    void SchroederSmoothing(int32_t extrapolation);
    void Extrapolate(ReverbResult& r, int32_t extrapolation) const;
};
