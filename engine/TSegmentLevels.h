#pragma once
#include <cstdint>
#include <string>

#include "engine/CalibrationStruct.h"

class TWaveData;

// The one-shot level readouts of a segment of the wave: RMS level, crest
// factor and the PSI time level, measured over the scaled samples of each
// channel, and the texts the results box shows. A mono wave measures its
// left channel and leaves the right one at 0.
class TSegmentLevels {
public:
    // Pounds per square inch in a pascal.
    static constexpr double PsiPerPascal = 1.4503774389728312e-4;
    // The dB shown for no level (a crest factor or RMS of 0).
    static constexpr float NoLevel = -999.9f;

    // What a segment's frames [first, last) hold per channel (0 left, 1 right).
    struct TChannel {
        float MeanSquare = 0.0f;
        float Rms = 0.0f;
        float Peak = 0.0f;
        float SumOfMagnitudes = 0.0f;
    };

    TSegmentLevels(TWaveData& wave, float start, float end);

    bool IsStereo() const { return Stereo; }
    const TChannel& Channel(int channel) const { return Channels[channel == 1 ? 1 : 0]; }
    float Seconds() const { return Duration; }
    // Peak over RMS; 0 for a silent or empty segment.
    float Crest(int channel) const;

    // The results box texts; log maps a channel's linear level to its dB
    // display unit (the main window's calibration).
    template <class Log>
    std::string RmsText(const CalibrationStruct& calibration, Log log) const
    {
        return FormatRms(calibration, {log(0, Channels[0].Rms), log(1, Channels[1].Rms)});
    }
    std::string CrestText() const;
    template <class Log>
    std::string PsiText(Log log) const
    {
        return FormatPsi({log(0, PsiTime(0)), log(1, PsiTime(1))});
    }

    // The PSI time level needs a left channel calibrated to sound pressure.
    static bool IsPressureCalibrated(const CalibrationChannel& channel);
    // The linear and logarithmic unit names of a channel's levels.
    static void UnitNames(const CalibrationChannel& channel, std::string& linear, std::string& log);

    float Psi(int channel) const { return float(PsiPerPascal * Channel(channel).SumOfMagnitudes); }
    float PsiTime(int channel) const { return Psi(channel) * Duration; }

private:
    struct TPair {
        float Left, Right;
    };
    std::string FormatRms(const CalibrationStruct& calibration, TPair db) const;
    std::string FormatPsi(TPair db) const;

    TChannel Channels[2];
    float Duration = 0.0f;
    bool Stereo = false;
};
