#include "engine/TPlaybackRate.h"

#include <gtest/gtest.h>

TEST(TPlaybackRate, TypedRates)
{
    const struct {
        const char* text;
        uint32_t rate;
    } cases[] = {{"22050.9", 22050}, {"8000", 8000}, {" 11025", 11025}, {"abc", 0},  {"", 0},
                 {"-44100", 0},      {"1e12", 0},    {"nan", 0},        {"inf", 0}, {"0.5", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TPlaybackRate::Parse(c.text), c.rate) << c.text;
    EXPECT_EQ(TPlaybackRate::HalfSpeed(44101), 22050u);
    EXPECT_EQ(TPlaybackRate::DoubleSpeed(44100), 88200u);
}
