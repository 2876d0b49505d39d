#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/TSpline.h"
#include "views/TOverlayFile.h"
#include "views/TSpectrumValues.h"

class TSpectralData;

// How the composite overlay of one pane is formed: the average of the
// included slots, or one slot subtracted from another.
struct CompositeSettings {
    enum Type : uint16_t { Average = 0, Difference = 1 };
    uint16_t CompositeType = Average;
    uint32_t IncludeInAverage[6] = {};
    // The slot subtracted, and the slot it is subtracted from (0-5).
    uint16_t DifferenceIndex[2] = {};
};

// One stored reference curve: (frequency, value) points with a spline
// through them, a name and an offset in dB added to every value it answers.
// Built from an overlay file, from the current spectrum, or as the composite
// of six slot curves on the spectrum's frequency grid.
class TOverlayData {
public:
    static constexpr int SlotCurves = 6;
    // A difference is held within +-this.
    static constexpr float DifferenceLimit = 200.0f;

    // The spectrum a curve takes its frequency grid and values from.
    using Grid = TSpectrumValues;

    // From a file; frequencyScale 2 stores band triples. With nameOnly only
    // the name is read.
    TOverlayData(const char* path, uint16_t frequencyScale, float offset, int nameOnly);
    // From the current spectrum (its held values with usePeakHold).
    TOverlayData(const TSpectralData* data, float offset, int usePeakHold);
    TOverlayData(const Grid* grid, float offset, int usePeakHold);
    // The composite of the slot curves (any may be null) on the spectrum's grid.
    TOverlayData(const TSpectralData* data, const TOverlayData* const slots[SlotCurves], CompositeSettings settings);
    TOverlayData(const Grid* grid, const TOverlayData* const slots[SlotCurves], CompositeSettings settings);
    TOverlayData(const TOverlayData&) = delete;
    TOverlayData& operator=(const TOverlayData&) = delete;

    // Reads and checks the file; 0 with Error set when it gives no usable curve.
    int Read(const char* path);
    void ReadName(const char* path);
    float GetValue(float frequency) const;
    // The largest stored value strictly between low and high, plus Offset;
    // calls for rising ranges resume where the last one stopped.
    float GetRangeMax(float low, float high) const;
    // 1 when written; 0 without points or when the file cannot be written.
    int Write(const char* path, const char* name);
    const char* GetName() const { return Name; }

    uint32_t Error = 0;
    uint32_t BandMode = 0;
    uint32_t Count = 0;
    // Count (frequency, value) float pairs; frequencies never decrease.
    std::vector<float> Points;
    std::unique_ptr<TSpline> Spline;
    char Name[TOverlayFile::NameSize] = {};
    float Offset = 0.0f;
    uint32_t SplineOff = 0;

private:
    bool TakeGrid(const Grid& grid, bool peakHold);
    void Compose(const Grid& grid, const TOverlayData* const slots[SlotCurves], const CompositeSettings& settings);
    void BuildSpline(uint32_t mode);
    void Average(const TOverlayData* const slots[SlotCurves], const CompositeSettings& settings);
    void Subtract(const TOverlayData* const slots[SlotCurves], const CompositeSettings& settings);
    bool Usable() const { return !Error && Count > 0 && Spline; }
    float FirstValue() const { return Points[1]; }
    float LastValue() const { return Points[2 * size_t(Count) - 1]; }

    // Where the range search resumes, shared by every curve: drawing sweeps
    // one curve at a time from left to right.
    static int SearchStart;
};
