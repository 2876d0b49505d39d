#include "generator/TSignalParamRules.h"

#include <cstdarg>
#include <cstdio>

namespace {

std::string Format(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string FrequencyRange(const char* what, float frequency, int32_t nyquist)
{
    if (frequency >= 0.0f && frequency <= float(nyquist)) return {};
    return Format("%s Frequency must be between %6.2f and %6.2f Hz.", what, 0.0, double(nyquist));
}

std::string Milliseconds(const char* what, int32_t ms)
{
    if (ms >= 1 && ms <= TSignalParamRules::MaxMilliseconds) return {};
    return Format("%s time must be between %ld and %ld Milliseconds.", what, 1L,
                  long(TSignalParamRules::MaxMilliseconds));
}

}  // namespace

std::string TSignalParamRules::NoiseBurst(int32_t burstMs, int32_t cycleMs)
{
    if (burstMs < 1) return "Burst time must be greater than 0";
    if (cycleMs < 1) return "Cycle time must be greater than 0";
    if (burstMs >= cycleMs) return "Burst time must be less than the cycle time.";
    return {};
}

std::string TSignalParamRules::Tone(bool enabled, float frequency, float levelDb, int32_t nyquist)
{
    if (!enabled) return {};
    if (!(frequency >= 0.0f && frequency <= float(nyquist)))
        return Format("Frequency must be between 0 and %ld Hz.", long(nyquist));
    if (!(levelDb >= MinToneDb && levelDb <= 0.0f))
        return Format("Power must be between %d and %d dB.", int(MinToneDb), 0);
    return {};
}

std::string TSignalParamRules::FreqSweep(float start, float stop, int32_t timeMs, int32_t nyquist)
{
    std::string message = FrequencyRange("Start", start, nyquist);
    if (message.empty()) message = FrequencyRange("Stop", stop, nyquist);
    if (message.empty()) message = Milliseconds("Sweep", timeMs);
    return message;
}

std::string TSignalParamRules::FreqStep(bool linear, float stepSize, float start, float stop, int32_t dwellMs,
                                        int32_t nyquist)
{
    if (linear && !(stepSize > 0.0f)) return "The Step Size must be greater than zero.";
    std::string message = FrequencyRange("Start", start, nyquist);
    if (message.empty()) message = FrequencyRange("Stop", stop, nyquist);
    if (message.empty()) message = Milliseconds("Step", dwellMs);
    return message;
}

std::string TSignalParamRules::LevelSweep(float startDb, float stopDb, float frequency, int32_t timeMs,
                                          int32_t nyquist)
{
    if (!(startDb >= MinToneDb && startDb <= 0.0f))
        return Format("Start Level must be between %6.2f and %6.2f dB.", 0.0, double(MinToneDb));
    if (!(stopDb >= MinToneDb && stopDb <= 0.0f))
        return Format("Stop Level must be between %6.2f and %6.2f dB.", 0.0, double(MinToneDb));
    if (!(frequency >= 0.0f && frequency <= float(nyquist)))
        return Format("Signal Frequency must be between %6.2f and %6.2f Hz.", 0.0, double(nyquist));
    return Milliseconds("Sweep", timeMs);
}

std::string TSignalParamRules::ToneBurst(int32_t frequency, int32_t burstMs, int32_t cycleMs, int32_t nyquist)
{
    if (frequency <= 0 || frequency > nyquist) return Format("Frequency must be between 0 and %ld Hz.", long(nyquist));
    return NoiseBurst(burstMs, cycleMs);
}

std::string TSignalParamRules::IMD(bool custom, float low, float high, float ratio, int32_t nyquist)
{
    if (!custom) return {};
    if (!(low > 0.0f && low < float(nyquist)))
        return Format("Low Frequency must be between 0.0 and %ld", long(nyquist));
    if (!(high > 1000.0f && high < float(nyquist)))
        return Format("High Frequency must be between 1000.0 and %ld", long(nyquist));
    if (!(high > low)) return "High Frequency must be greater than the Low Frequency";
    if (!(ratio >= 1.0f && ratio <= 10.0f)) return "Power Ratio must be between 1 and 10";
    return {};
}

std::string TSignalParamRules::ShapeFrequency(float frequency, int32_t nyquist)
{
    if (frequency > 0.0f && frequency <= float(nyquist)) return {};
    return Format("Frequency must be between %6.2f and %6.2f Hz.", 0.0, double(nyquist));
}

std::string TSignalParamRules::DutyCycle(int32_t percent)
{
    if (percent >= 1 && percent <= 99) return {};
    return Format("Duty cycle must be between %ld and %ld Percent.", 1L, 99L);
}

int64_t TSignalParamRules::PulseMinimum(int32_t nyquist)
{
    return nyquist > 0 ? 1000000 / (2 * int64_t(nyquist)) : 200;
}

std::string TSignalParamRules::Pulse(int32_t widthUs, int32_t intervalUs, int32_t nyquist)
{
    const long long minimum = PulseMinimum(nyquist);
    const long long maximum = PulseMaximum(nyquist);
    if (widthUs < minimum || widthUs > maximum)
        return Format("Pulse Width must be between %lld and %lld NanoSeconds.", minimum, maximum);
    if (intervalUs < minimum || intervalUs > 100 * maximum)
        return Format("Repitition interval must be between %lld and %lld NanoSeconds.", minimum, 100 * maximum);
    if (widthUs >= intervalUs) return "Pulse Width must be less than the repitition interval";
    return {};
}

std::string TSignalParamRules::DTMF(int32_t toneMs, int32_t pauseMs, float twistDb)
{
    if (toneMs < 1 || toneMs > MaxKeyMilliseconds)
        return Format("Pulse Width must be between %ld and %ld Milliseconds.", 1L, long(MaxKeyMilliseconds));
    if (pauseMs < 1 || pauseMs > MaxKeyMilliseconds)
        return Format("Interpulse Spacing Width must be between %ld and %ld Milliseconds.", 1L,
                      long(MaxKeyMilliseconds));
    if (!(twistDb >= -30.0f && twistDb <= 30.0f)) return "Twist must be between -30 and +30 dB";
    return {};
}
