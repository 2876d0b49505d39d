// Playback rates of the Edit menu's play commands.
#include "engine/TPlaybackRate.h"

#include <cmath>
#include <cstdlib>

uint32_t TPlaybackRate::Parse(const std::string& text)
{
    const double value = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(value) || value < 1.0 || value > double(UINT32_MAX))
        return 0;
    return static_cast<uint32_t>(std::trunc(value));
}
