// The spectrum against an overlay curve, and the DDE items that ask for it.
#include "engine/TOverlayComparison.h"

int TOverlayComparison::Compare(uint32_t first, uint32_t last, const std::function<float(uint32_t)>& spectrum,
                                const std::function<float(uint32_t)>& overlay)
{
    bool above = false, notAbove = false;
    for (uint32_t i = first; i < last; ++i) {
        if (overlay(i) < spectrum(i))
            above = true;
        else
            notAbove = true;
    }
    if (above && notAbove)
        return Both;
    if (above)
        return Above;
    return notAbove ? NotAbove : NoData;
}

// Items 138 to 153 in runs of four slots: left spectrum, left peak hold,
// right spectrum, right peak hold.
TOverlayComparison::TRequest TOverlayComparison::Request(int item)
{
    const int n = item - FirstItem;
    const uint16_t slot = uint16_t(n % 4 + 1);
    return {uint16_t(n / 8), (n / 4) % 2 == 1, slot, 2 * (slot - 1)};
}
