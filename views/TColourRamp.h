#pragma once
#include <array>
#include <cstdint>
#include <functional>

// The 200 colours of amplitude that the spectrogram and the surface paint
// with, lowest level first, as Windows colour values (0x00bbggrr).
class TColourRamp {
public:
    static constexpr int Size = 200;
    using Table = std::array<uint32_t, Size>;

    // Black through blue, cyan, green and yellow to red: five runs of 40
    // entries, each component stepping by 6.4 and truncated.
    static Table Spectrum();
    // Moves every level towards the top colour by intensity entries (towards
    // the bottom colour when negative); the end colour repeats.
    static void Shift(Table& table, int intensity);
    // One step of an intensity control: up (+1) or down (-1), within a
    // quarter of count colours either way.
    static int StepIntensity(int intensity, int direction, int count);
    // Each entry mapped through nearest (the display's nearest colour), the
    // first of each run of equal neighbours kept and packed down; returns
    // how many are kept.
    static int Collapse(Table& table, const std::function<uint32_t(uint32_t)>& nearest);

    static uint32_t Rgb(int red, int green, int blue)
    {
        return uint32_t(red & 0xFF) | uint32_t(green & 0xFF) << 8 | uint32_t(blue & 0xFF) << 16;
    }
};
