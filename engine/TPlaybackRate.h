#pragma once
#include <cstdint>
#include <string>

// The sampling rates the Edit menu's playback commands ask for: the same
// samples played faster or slower, pitch and duration changing together.
class TPlaybackRate {
public:
    // What Arbitrary Speed offers before it was first used.
    static constexpr uint32_t DefaultArbitraryRate = 11025;

    static uint32_t HalfSpeed(uint32_t rate) { return rate / 2; }
    static uint32_t DoubleSpeed(uint32_t rate) { return rate > UINT32_MAX / 2 ? UINT32_MAX : rate * 2; }
    // The typed rate as a number truncated toward zero ("22050.9" plays at
    // 22050); text that is no number, a negative or a value beyond 32 bits is 0.
    static uint32_t Parse(const std::string& text);
};
