#include "views/TSpectrogramColours.h"

namespace {

int Red(uint32_t c) { return int(c & 0xFF); }
int Green(uint32_t c) { return int(c >> 8 & 0xFF); }
int Blue(uint32_t c) { return int(c >> 16 & 0xFF); }

// min + i x (max - min) x 0.005, truncated; the numerator never goes below 0.
int Towards(int lo, int hi, int i)
{
    return (lo * 200 + i * (hi - lo)) / 200;
}

}  // namespace

TColourRamp::Table TSpectrogramColours::Build(uint32_t mode, uint32_t minColour, uint32_t maxColour)
{
    if (mode != Grey && mode != Custom)
        return TColourRamp::Spectrum();
    TColourRamp::Table table{};
    for (int i = 0; i < TColourRamp::Size; ++i) {
        if (mode == Grey) {
            // 255 - 1.28 i, truncated.
            const int v = (25500 - 128 * i) / 100;
            table[size_t(i)] = TColourRamp::Rgb(v, v, v);
        } else {
            table[size_t(i)] = TColourRamp::Rgb(Towards(Red(minColour), Red(maxColour), i),
                                                Towards(Green(minColour), Green(maxColour), i),
                                                Towards(Blue(minColour), Blue(maxColour), i));
        }
    }
    return table;
}

uint32_t TSpectrogramColours::Background(uint32_t mode, uint32_t minColour)
{
    if (mode == Grey)
        return TColourRamp::Rgb(255, 255, 255);
    if (mode == Custom)
        return minColour & 0xFFFFFF;
    return TColourRamp::Rgb(0, 0, 0);
}
