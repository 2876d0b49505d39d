#pragma once
#include <cstdint>

#include "views/TColourRamp.h"

// The spectrogram's three colour modes over the 200 levels of the colour
// ramp: the ramp itself, grey from white down to black, or two colours of
// the user's from the lowest level to the highest; and the colour of an
// empty picture, that of the lowest level.
class TSpectrogramColours {
public:
    enum Mode : uint32_t { Ramp = 0, Grey = 1, Custom = 2 };

    // Any other mode is the ramp.
    static TColourRamp::Table Build(uint32_t mode, uint32_t minColour, uint32_t maxColour);
    static uint32_t Background(uint32_t mode, uint32_t minColour);
};
