// Overlay curves: reading, the spectrum and composite constructors,
// interpolation, the range maximum and writing.
#include "views/TOverlayData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "base/TEngineHost.h"
#include "engine/TSpectralData.h"
#include "resources/StringIds.h"
#include "views/TSpectralValues.h"

int TOverlayData::SearchStart = 0;

namespace {

// More than the largest file of points could need; the rest is never read.
constexpr size_t MaxFileBytes = size_t(64) << 20;

// A slot's file is read again at every layout of its view: one message for all.
void ShowFileMessage(const char* format, const char* path)
{
    char text[512];
    std::snprintf(text, sizeof text, format, path);
    TEngineHost::Get().ShowFileMessage(path, text, "", TEngineHost::MsgOk | TEngineHost::MsgIconStop);
}

void ShowNoMemory()
{
    TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgOk | TEngineHost::MsgIconStop);
}

bool ReadFileText(const char* path, std::string& text)
{
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    char buffer[65536];
    size_t n;
    while (text.size() < MaxFileBytes && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, std::min(n, MaxFileBytes - text.size()));
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    return !failed;
}

}  // namespace

TOverlayData::TOverlayData(const char* path, uint16_t frequencyScale, float offset, int nameOnly) : Offset(offset)
{
    if (!path || !*path)
        return;
    if (nameOnly) {
        ReadName(path);
        return;
    }
    BandMode = frequencyScale == 2 ? 1 : 0;
    if (Read(path))
        BuildSpline(SplineOff ? TSpline::Linear : TSpline::Cubic);
}

TOverlayData::TOverlayData(const TSpectralData* data, float offset, int usePeakHold) : Offset(offset)
{
    if (!data)
        return;
    const TSpectralValues grid(*data);
    if (TakeGrid(grid, usePeakHold != 0))
        BuildSpline(TSpline::Cubic);
}

TOverlayData::TOverlayData(const Grid* grid, float offset, int usePeakHold) : Offset(offset)
{
    if (grid && TakeGrid(*grid, usePeakHold != 0))
        BuildSpline(TSpline::Cubic);
}

TOverlayData::TOverlayData(const TSpectralData* data, const TOverlayData* const slots[SlotCurves],
                           CompositeSettings settings)
{
    if (!data)
        return;
    const TSpectralValues grid(*data);
    Compose(grid, slots, settings);
}

TOverlayData::TOverlayData(const Grid* grid, const TOverlayData* const slots[SlotCurves], CompositeSettings settings)
{
    if (grid)
        Compose(*grid, slots, settings);
}

void TOverlayData::Compose(const Grid& grid, const TOverlayData* const slots[SlotCurves],
                           const CompositeSettings& settings)
{
    if (!TakeGrid(grid, false))
        return;
    if (settings.CompositeType == CompositeSettings::Average)
        Average(slots, settings);
    else if (settings.CompositeType == CompositeSettings::Difference)
        Subtract(slots, settings);
    if (!Error)
        BuildSpline(TSpline::Cubic);
}

bool TOverlayData::TakeGrid(const Grid& grid, bool peakHold)
{
    BandMode = grid.Bands() ? 1 : 0;
    const int low = grid.LowIndex(), high = grid.HighIndex();
    if (high < low)
        return false;
    try {
        Points.reserve(size_t(high - low + 1) * (BandMode ? 6 : 2));
    } catch (const std::bad_alloc&) {
        ShowNoMemory();
        Error = 1;
        return false;
    }
    for (int i = low; i <= high; ++i) {
        const float f = grid.FrequencyOf(i), v = grid.ValueOf(i, peakHold);
        if (BandMode)
            Points.insert(Points.end(), {float(f * TOverlayFile::BandBelow), v, f, v,
                                         float(f * TOverlayFile::BandAbove), v});
        else
            Points.insert(Points.end(), {f, v});
    }
    Count = uint32_t(Points.size() / 2);
    return true;
}

void TOverlayData::BuildSpline(uint32_t mode)
{
    Spline = std::make_unique<TSpline>(Points.data(), Count, mode);
    Spline->ComputeCoefficients();
}

// Over amplitudes, not powers: 0 dB and -6.02 dB give the level of 0.75.
// Slots without a usable curve stay out of the mean.
void TOverlayData::Average(const TOverlayData* const slots[SlotCurves], const CompositeSettings& settings)
{
    const TOverlayData* used[SlotCurves];
    int n = 0;
    for (int s = 0; s < SlotCurves; ++s)
        if (settings.IncludeInAverage[s] == 1 && slots[s] && slots[s]->Usable())
            used[n++] = slots[s];
    if (n < 2) {
        Error = 1;
        return;
    }
    for (uint32_t i = 0; i < Count; ++i) {
        const float f = Points[2 * i];
        double sum = 0.0;
        for (int k = 0; k < n; ++k)
            sum += std::pow(10.0, 0.05 * used[k]->GetValue(f));
        const double mean = sum / n;
        Points[2 * i + 1] = mean > 0.0 ? float(20.0 * std::log10(mean)) : 0.0f;
    }
}

void TOverlayData::Subtract(const TOverlayData* const slots[SlotCurves], const CompositeSettings& settings)
{
    const uint16_t a = settings.DifferenceIndex[0], b = settings.DifferenceIndex[1];
    if (a >= SlotCurves || b >= SlotCurves || a == b || !slots[a] || !slots[b] || !slots[a]->Usable()
        || !slots[b]->Usable()) {
        Error = 1;
        return;
    }
    for (uint32_t i = 0; i < Count; ++i) {
        const float f = Points[2 * i];
        Points[2 * i + 1] = std::clamp(slots[b]->GetValue(f) - slots[a]->GetValue(f), -DifferenceLimit,
                                       DifferenceLimit);
    }
}

int TOverlayData::Read(const char* path)
{
    std::string text;
    if (!ReadFileText(path, text)) {
        Error = 1;
        return 0;
    }
    TOverlayFile file;
    try {
        file = TOverlayFile::Parse(text.data(), text.size(), BandMode != 0);
    } catch (const std::bad_alloc&) {
        ShowNoMemory();
        Error = 1;
        return 0;
    }
    std::memcpy(Name, file.Name, sizeof Name);
    SplineOff = file.SplineOff;
    if (file.Result != TOverlayFile::Usable) {
        ShowFileMessage(file.Result == TOverlayFile::TooFew ? IDS_MICCOMP_TOO_FEW_TEXT : IDS_MICCOMP_NOT_ASCENDING_TEXT,
                        path);
        Error = 1;
        return 0;
    }
    Points = std::move(file.Points);
    Points.shrink_to_fit();
    Count = uint32_t(Points.size() / 2);
    return 1;
}

void TOverlayData::ReadName(const char* path)
{
    std::string text;
    if (!ReadFileText(path, text)) {
        Error = 1;
        return;
    }
    const std::string name = TOverlayFile::ParseName(text.data(), text.size());
    std::snprintf(Name, sizeof Name, "%s", name.c_str());
}

float TOverlayData::GetValue(float frequency) const
{
    if (!Usable())
        return 0.0f;
    if (frequency <= Points[0])
        return FirstValue() + Offset;
    if (frequency >= Points[2 * size_t(Count) - 2])
        return LastValue() + Offset;
    return Spline->Evaluate(frequency) + Offset;
}

float TOverlayData::GetRangeMax(float low, float high) const
{
    if (!Usable())
        return 0.0f;
    const float first = Points[0], last = Points[2 * size_t(Count) - 2];
    if (low <= first)
        return FirstValue() + Offset;
    if (low >= last)
        return LastValue() + Offset;
    if (high <= first)
        return FirstValue() + Offset;
    if (high >= last)
        return LastValue() + Offset;
    if (SearchStart < 0 || uint32_t(SearchStart) >= Count)
        SearchStart = 0;
    float largest = -999.0f;
    bool found = false;
    for (uint32_t i = uint32_t(SearchStart); i < Count; ++i) {
        const float f = Points[2 * i];
        if (f > high)
            break;
        if (f > low && f < high) {
            if (!found)
                SearchStart = int(i) - 1;
            found = true;
            largest = std::max(largest, Points[2 * i + 1]);
        }
    }
    if (found)
        return largest + Offset;
    SearchStart = 0;
    return GetValue(high);
}

int TOverlayData::Write(const char* path, const char* name)
{
    std::snprintf(Name, sizeof Name, "%s", name ? name : "");
    if (Count == 0 || !path)
        return 0;
    // A band curve is written as its band centres, the middle of each triple;
    // neither kind carries the offset, which the reader adds again.
    std::vector<float> centres;
    const float* pairs = Points.data();
    uint32_t count = Count;
    if (BandMode) {
        for (uint32_t i = 1; i < Count; i += 3)
            centres.insert(centres.end(), {Points[2 * i], Points[2 * i + 1]});
        pairs = centres.data();
        count = uint32_t(centres.size() / 2);
    }
    const std::string text = TOverlayFile::Format(Name, int(SplineOff), pairs, count);
    FILE* f = std::fopen(path, "w");
    if (!f)
        return 0;
    const bool written = std::fputs(text.c_str(), f) >= 0;
    return std::fclose(f) == 0 && written ? 1 : 0;
}
