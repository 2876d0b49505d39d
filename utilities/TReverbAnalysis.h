#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/TWaveFormat.h"
#include "utilities/TReverbData.h"

class TWaveData;

// The spectral steps of a reverberation run over recorded samples: the
// excitation to play, the synchronisation burst's arrival, the level check
// of the noise, and the decay table of 1/3-octave band levels.
class TReverbAnalysis {
public:
    // Told the progress of each step; answers false once the run is to stop.
    class TProgress {
    public:
        virtual ~TProgress() = default;
        virtual bool Progress(int percent, const char* text) = 0;
    };

    // The burst, the gap and the noise (words of a 16-bit wave image, from
    // its 44-byte header on) in format; null when the memory could not be had.
    static std::unique_ptr<TWaveData> BuildExcitation(const TReverbData& d, const TWaveFormat& format,
                                                      const uint8_t* noise, size_t noiseBytes);
    // The start of the block with the strongest 1 kHz tone in the first
    // 1.5 x SyncStart s; SyncStart when that lies over 0.5 s away from it,
    // or when none is found and previous does.
    static float FindSyncTime(TWaveData& captured, const TReverbData& d, float previous, TProgress& progress);

    struct TLevels {
        // The highest peak-meter value (0 to 100) of a block; -999 when none.
        int PeakMeter = -999;
        int Blocks = 0;
    };
    // Averages the second half of the noise into row 0 and rates its peaks.
    static TLevels EvaluateLevels(TWaveData& captured, TReverbData& d, TProgress& progress);
    // The peak-meter value of a peak 40 dB under full scale: a run whose
    // noise stays below it is too quiet to measure.
    static int LowLevelLimit(const TWaveFormat& format);
    static bool IsClipping(const TLevels& l) { return l.PeakMeter >= 100; }
    static bool IsTooLow(const TLevels& l, const TWaveFormat& format)
    {
        return l.Blocks == 0 || l.PeakMeter < LowLevelLimit(format);
    }

    // Fills the rows from offset + the excitation's end (offset -0.06 s live,
    // 0 for a segment) on, one frame a row; sets HopTime to the hop. False
    // when stopped.
    static bool AnalyzeDecay(TWaveData& captured, TReverbData& d, float offset, TProgress& progress);
    // A segment's whole analysis after its samples are in captured: timing,
    // rows, decay, normalisation, smoothing and times. False when stopped.
    static bool AnalyzeSegment(TWaveData& captured, TReverbData& d, int32_t smoothing, int32_t extrapolation,
                               TProgress& progress);
};
