#pragma once
#include <cstdint>
#include <string>

// The range checks of the generator's parameter dialogs, in the order each
// dialog applies them. Every check returns the message of the first value
// that fails, or an empty text when all pass. nyquist is half the output
// port's rate in whole hertz; reals are compared as the floats read.
class TSignalParamRules {
public:
    static constexpr int32_t MaxMilliseconds = 600000;
    static constexpr int32_t MaxKeyMilliseconds = 10000;
    static constexpr float MinToneDb = -96.0f;

    static std::string NoiseBurst(int32_t burstMs, int32_t cycleMs);
    // One row of the tone list; rows that are off pass.
    static std::string Tone(bool enabled, float frequency, float levelDb, int32_t nyquist);
    static std::string FreqSweep(float start, float stop, int32_t timeMs, int32_t nyquist);
    static std::string FreqStep(bool linear, float stepSize, float start, float stop, int32_t dwellMs,
                                int32_t nyquist);
    static std::string LevelSweep(float startDb, float stopDb, float frequency, int32_t timeMs, int32_t nyquist);
    static std::string ToneBurst(int32_t frequency, int32_t burstMs, int32_t cycleMs, int32_t nyquist);
    // The standard sets take no check.
    static std::string IMD(bool custom, float low, float high, float ratio, int32_t nyquist);
    // Sawtooth, triangle and square: above 0 Hz, up to the Nyquist limit.
    static std::string ShapeFrequency(float frequency, int32_t nyquist);
    static std::string DutyCycle(int32_t percent);
    static std::string Pulse(int32_t widthUs, int32_t intervalUs, int32_t nyquist);
    static std::string DTMF(int32_t toneMs, int32_t pauseMs, float twistDb);

    // The pulse width's bounds in microseconds: one sample period (200 us
    // without a Nyquist limit) up to 100,000 of them; the interval may be
    // 100 times longer.
    static int64_t PulseMinimum(int32_t nyquist);
    static int64_t PulseMaximum(int32_t nyquist) { return 100000 * PulseMinimum(nyquist); }
};
