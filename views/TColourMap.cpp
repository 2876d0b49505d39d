#include "views/TColourMap.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t Pack(int r, int g, int b)
{
    return uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
}

int Red(uint32_t c) { return int(c & 0xFF); }
int Green(uint32_t c) { return int(c >> 8 & 0xFF); }
int Blue(uint32_t c) { return int(c >> 16 & 0xFF); }

// Each ramp segment of 40 entries steps by 6.4 (5 x 1.28); in integers the
// truncation is exact where the product is whole.
int Rise(int k) { return 32 * k / 5; }
int Fall(int k) { return (255 * 5 - 32 * k) / 5; }

uint32_t RampColour(int i)
{
    if (i < 40)
        return Pack(0, 0, Rise(i));
    if (i < 80)
        return Pack(0, Rise(i - 40), 255);
    if (i < 120)
        return Pack(0, 255, Fall(i - 80));
    if (i < 160)
        return Pack(Rise(i - 120), 255, 0);
    return Pack(255, Fall(i - 160), 0);
}

// min + i x (max - min) x 0.005, truncated; the numerator never goes below 0.
int Towards(int lo, int hi, int i)
{
    return (lo * 200 + i * (hi - lo)) / 200;
}

}  // namespace

TColourMap::TTable TColourMap::Build(uint32_t mode, uint32_t minColour, uint32_t maxColour)
{
    TTable table{};
    for (int i = 0; i < Size; ++i) {
        if (mode == Grey) {
            const int v = (25500 - 128 * i) / 100;
            table[size_t(i)] = Pack(v, v, v);
        } else if (mode == Custom) {
            table[size_t(i)] = Pack(Towards(Red(minColour), Red(maxColour), i),
                                    Towards(Green(minColour), Green(maxColour), i),
                                    Towards(Blue(minColour), Blue(maxColour), i));
        } else {
            table[size_t(i)] = RampColour(i);
        }
    }
    return table;
}

void TColourMap::ShiftIntensity(TTable& table, int intensity)
{
    if (intensity > 0) {
        for (int i = 0; i < Size; ++i)
            table[size_t(i)] = table[size_t(std::min(i + intensity, Size - 1))];
    } else if (intensity < 0) {
        for (int i = Size - 1; i >= 0; --i)
            table[size_t(i)] = table[size_t(std::max(i + intensity, 0))];
    }
}

int TColourMap::StepIntensity(int intensity, int direction, int count)
{
    const int limit = count / 4;
    if (direction > 0 && intensity < limit)
        return intensity + 1;
    if (direction < 0 && intensity > -limit)
        return intensity - 1;
    return intensity;
}

int TColourMap::CollapseRuns(TTable& table, const std::function<uint32_t(uint32_t)>& nearest)
{
    for (uint32_t& c : table)
        c = nearest(c);
    int kept = 1;
    for (int i = 1; i < Size; ++i)
        if (table[size_t(i)] != table[size_t(kept - 1)])
            table[size_t(kept++)] = table[size_t(i)];
    return kept;
}

uint32_t TColourMap::Background(uint32_t mode, uint32_t minColour)
{
    if (mode == Grey)
        return Pack(255, 255, 255);
    if (mode == Custom)
        return minColour & 0xFFFFFF;
    return Pack(0, 0, 0);
}

int TColourMap::IndexOf(float value, uint16_t ampScaleType, float top, float range, int count)
{
    if (count <= 0)
        return 0;
    double x;
    if (ampScaleType == 1) {
        if (!(range > 0.0f))
            return value >= top ? count - 1 : 0;
        x = count * (double(value) - top + range) / range;
    } else {
        const double full = top > 0.0f ? top : 1.0;
        x = count * double(value) / full;
    }
    if (!(x >= 0.0))
        return 0;
    return int(std::min(std::trunc(x), double(count - 1)));
}

float TColourMap::ValueOf(int index, uint16_t ampScaleType, float top, float range, int count)
{
    if (count <= 0)
        return 0.0f;
    if (ampScaleType == 1)
        return float(double(index) * range / count + top - range);
    if (ampScaleType == 0)
        return float(double(index) * top / count);
    return -999.0f;
}
