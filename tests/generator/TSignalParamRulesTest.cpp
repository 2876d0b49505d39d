#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "generator/TSignalParamRules.h"

using R = TSignalParamRules;

TEST(TSignalParamRules, EachDialogsChecksInOrderWithTheirMessages)
{
    struct TCase {
        const char* Name;
        std::function<std::string()> Check;
        const char* Message;
    } cases[] = {
        {"burst equal to cycle", [] { return R::NoiseBurst(1000, 1000); }, "Burst time must be less than the cycle time."},
        {"burst 0", [] { return R::NoiseBurst(0, 0); }, "Burst time must be greater than 0"},
        {"cycle 0", [] { return R::NoiseBurst(10, 0); }, "Cycle time must be greater than 0"},
        {"burst ok", [] { return R::NoiseBurst(999, 1000); }, ""},
        {"tone off", [] { return R::Tone(false, -5.0f, 20.0f, 22050); }, ""},
        {"tone above", [] { return R::Tone(true, 22051.0f, 0.0f, 22050); }, "Frequency must be between 0 and 22050 Hz."},
        {"tone at 0 Hz", [] { return R::Tone(true, 0.0f, -96.0f, 22050); }, ""},
        {"tone too loud", [] { return R::Tone(true, 1000.0f, 0.5f, 22050); }, "Power must be between -96 and 0 dB."},
        {"sweep start", [] { return R::FreqSweep(-1.0f, 100.0f, 1000, 24000); },
         "Start Frequency must be between   0.00 and 24000.00 Hz."},
        {"sweep stop", [] { return R::FreqSweep(0.0f, 24000.5f, 1000, 24000); },
         "Stop Frequency must be between   0.00 and 24000.00 Hz."},
        {"sweep time", [] { return R::FreqSweep(0.0f, 0.0f, 600001, 24000); },
         "Sweep time must be between 1 and 600000 Milliseconds."},
        {"step size first", [] { return R::FreqStep(true, 0.0f, -1.0f, 0.0f, 0, 24000); },
         "The Step Size must be greater than zero."},
        {"octave steps ignore the size", [] { return R::FreqStep(false, 0.0f, 20.0f, 20000.0f, 1000, 24000); }, ""},
        {"step stop", [] { return R::FreqStep(true, 1.0f, 20.0f, 30000.0f, 1000, 24000); },
         "Stop Frequency must be between   0.00 and 24000.00 Hz."},
        {"step dwell", [] { return R::FreqStep(true, 1.0f, 20.0f, 200.0f, 0, 24000); },
         "Step time must be between 1 and 600000 Milliseconds."},
        {"level sweep +1 dB", [] { return R::LevelSweep(1.0f, 0.0f, 1000.0f, 1000, 22050); },
         "Start Level must be between   0.00 and -96.00 dB."},
        {"level sweep stop", [] { return R::LevelSweep(0.0f, -96.5f, 1000.0f, 1000, 22050); },
         "Stop Level must be between   0.00 and -96.00 dB."},
        {"level sweep frequency", [] { return R::LevelSweep(0.0f, -96.0f, 22050.5f, 1000, 22050); },
         "Signal Frequency must be between   0.00 and 22050.00 Hz."},
        {"level sweep time", [] { return R::LevelSweep(0.0f, -96.0f, 0.0f, 0, 22050); },
         "Sweep time must be between 1 and 600000 Milliseconds."},
        {"tone burst at 0 Hz", [] { return R::ToneBurst(0, 10, 20, 22050); }, "Frequency must be between 0 and 22050 Hz."},
        {"tone burst times", [] { return R::ToneBurst(22050, 20, 20, 22050); }, "Burst time must be less than the cycle time."},
        {"IMD standard set", [] { return R::IMD(false, -1.0f, -1.0f, 0.0f, 22050); }, ""},
        {"IMD low", [] { return R::IMD(true, 22050.0f, 5000.0f, 4.0f, 22050); }, "Low Frequency must be between 0.0 and 22050"},
        {"IMD high", [] { return R::IMD(true, 100.0f, 1000.0f, 4.0f, 22050); }, "High Frequency must be between 1000.0 and 22050"},
        {"IMD order", [] { return R::IMD(true, 3000.0f, 2000.0f, 4.0f, 22050); }, "High Frequency must be greater than the Low Frequency"},
        {"IMD ratio", [] { return R::IMD(true, 60.0f, 7000.0f, 10.5f, 22050); }, "Power Ratio must be between 1 and 10"},
        {"shape at 0 Hz", [] { return R::ShapeFrequency(0.0f, 22050); }, "Frequency must be between   0.00 and 22050.00 Hz."},
        {"shape at Nyquist", [] { return R::ShapeFrequency(22050.0f, 22050); }, ""},
        {"duty 0", [] { return R::DutyCycle(0); }, "Duty cycle must be between 1 and 99 Percent."},
        {"duty 99", [] { return R::DutyCycle(99); }, ""},
        {"pulse width", [] { return R::Pulse(21, 10000, 22050); }, "Pulse Width must be between 22 and 2200000 NanoSeconds."},
        {"pulse interval", [] { return R::Pulse(200, 220000001, 22050); },
         "Repitition interval must be between 22 and 220000000 NanoSeconds."},
        {"pulse order", [] { return R::Pulse(200, 200, 22050); }, "Pulse Width must be less than the repitition interval"},
        {"pulse without limit", [] { return R::Pulse(199, 10000, 0); }, "Pulse Width must be between 200 and 20000000 NanoSeconds."},
        {"pulse at a low rate", [] { return R::Pulse(250, 2500000001, 2000); },
         "Repitition interval must be between 250 and 2500000000 NanoSeconds."},
        {"DTMF tone", [] { return R::DTMF(0, 100, 0.0f); }, "Pulse Width must be between 1 and 10000 Milliseconds."},
        {"DTMF pause", [] { return R::DTMF(100, 10001, 0.0f); },
         "Interpulse Spacing Width must be between 1 and 10000 Milliseconds."},
        {"DTMF twist", [] { return R::DTMF(100, 100, -30.5f); }, "Twist must be between -30 and +30 dB"},
        {"DTMF ok", [] { return R::DTMF(1, 10000, 30.0f); }, ""},
    };
    for (const TCase& c : cases) EXPECT_EQ(c.Check(), c.Message) << c.Name;
}
