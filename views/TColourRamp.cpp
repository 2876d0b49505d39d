#include "views/TColourRamp.h"

#include <algorithm>

TColourRamp::Table TColourRamp::Spectrum()
{
    constexpr int Segment = Size / 5;
    Table table{};
    for (int i = 0; i < Size; ++i) {
        const int k = i % Segment;
        const int up = static_cast<int>(5.0 * k * 1.28);
        const int down = static_cast<int>(255.0 - 5.0 * k * 1.28);
        switch (i / Segment) {
        case 0: table[i] = Rgb(0, 0, up); break;
        case 1: table[i] = Rgb(0, up, 255); break;
        case 2: table[i] = Rgb(0, 255, down); break;
        case 3: table[i] = Rgb(up, 255, 0); break;
        default: table[i] = Rgb(255, down, 0); break;
        }
    }
    return table;
}

void TColourRamp::Shift(Table& table, int intensity)
{
    if (intensity > 0) {
        for (int i = 0; i < Size; ++i)
            table[i] = table[std::min(i + intensity, Size - 1)];
    } else if (intensity < 0) {
        for (int i = Size - 1; i >= 0; --i)
            table[i] = table[std::max(i + intensity, 0)];
    }
}

int TColourRamp::StepIntensity(int intensity, int direction, int count)
{
    const int limit = count / 4;
    if (direction > 0 && intensity < limit)
        return intensity + 1;
    if (direction < 0 && intensity > -limit)
        return intensity - 1;
    return intensity;
}

int TColourRamp::Collapse(Table& table, const std::function<uint32_t(uint32_t)>& nearest)
{
    int kept = 0;
    for (int i = 0; i < Size; ++i) {
        const uint32_t colour = nearest(table[i]);
        if (kept > 0 && table[kept - 1] == colour)
            continue;
        table[kept++] = colour;
    }
    return kept;
}
