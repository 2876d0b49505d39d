#pragma once
#include <array>
#include <cstdint>
#include <functional>

// The 200-colour amplitude map of the spectrogram and the 3-D surface: the
// ramps of the three colour modes, the intensity shift, the reduction to the
// colours a display without a palette shows, and the rule that turns an
// amplitude into a map index. Colours are packed as the platform's COLORREF
// (0x00BBGGRR). Index 0 is the lowest amplitude.
class TColourMap {
public:
    static constexpr int Size = 200;
    enum Mode : uint32_t { Ramp = 0, Grey = 1, Custom = 2 };
    using TTable = std::array<uint32_t, Size>;

    // Black, blue, cyan, green, yellow, red (Ramp); white to black (Grey);
    // minColour towards maxColour (Custom). Any other mode is the ramp.
    static TTable Build(uint32_t mode, uint32_t minColour, uint32_t maxColour);
    // A positive shift moves every amplitude towards the high end of the
    // map: entry i takes entry i + intensity, held at the ends.
    static void ShiftIntensity(TTable& table, int intensity);
    // One step of the intensity control: up (+1) or down (-1), within a
    // quarter of count either way.
    static int StepIntensity(int intensity, int direction, int count);
    // Maps every entry through nearest and keeps the first of each run of
    // equal neighbours, packed down; returns the number kept.
    static int CollapseRuns(TTable& table, const std::function<uint32_t(uint32_t)>& nearest);
    // The colour of a cleared image: that of index 0 in each mode.
    static uint32_t Background(uint32_t mode, uint32_t minColour);

    // The map index of a displayed value among count colours: a dB scale
    // spans top - range .. top, a linear one 0 .. top (a top not above 0
    // counts as 1). Clamped to 0 .. count - 1.
    static int IndexOf(float value, uint16_t ampScaleType, float top, float range, int count);
    // The value an index stands for, the inverse of IndexOf at the index's
    // low edge; -999 for an unknown scale type.
    static float ValueOf(int index, uint16_t ampScaleType, float top, float range, int count);
};
