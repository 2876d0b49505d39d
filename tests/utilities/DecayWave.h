// A decaying test tone for the reverberation window's tests.
#pragma once
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

// A 16-bit mono 48 kHz file: tones at 250 Hz to 8 kHz under one envelope of
// T60 t60, 1.5 x T60 + 0.2 s long.
inline void WriteDecay(const std::string& path, double t60)
{
    constexpr double Pi = 3.14159265358979323846;
    const uint32_t rate = 48000, frames = uint32_t((1.5 * t60 + 0.2) * rate);
    std::string out = "RIFF";
    auto put = [&out](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(char(v >> (8 * i)));
    };
    put(36 + 2 * frames, 4);
    out += "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(2 * rate, 4), put(2, 2), put(16, 2);
    out += "data";
    put(2 * frames, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        double x = 0.0;
        for (int k = 0; k < 6; ++k)
            x += std::sin(2 * Pi * 250.0 * std::pow(2.0, k) * t + k);
        put(uint32_t(int16_t(30000.0 / 6 * x * std::pow(10.0, -3.0 * t / t60))), 2);
    }
    std::ofstream(path, std::ios::binary) << out;
}
