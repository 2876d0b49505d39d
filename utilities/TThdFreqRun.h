#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/TWaveFormat.h"
#include "views/THDFreqSettings.h"

class TWaveData;

// One result of a THD+N run: the frequency of the step's spectral peak (not
// the nominal step frequency) and its THD+N in percent; 8 bytes as stored.
struct TThdPoint {
    float Frequency = 0.0f;
    float Thdn = 0.0f;
};
static_assert(sizeof(TThdPoint) == 8);

// The stepped-sine measurement without the sound card: the step plan, the
// test signal (a 1 kHz burst on the left channel, a gap, then one steady tone
// per step), the search for the burst in a capture and the THD+N of every
// step. The sound ports and the window around it belong to the caller.
class TThdFreqRun {
public:
    // Progress of a stage; answers true when the user asked to cancel.
    class TProgress {
    public:
        virtual ~TProgress() = default;
        virtual bool Show(int percent, const char* text) = 0;
    };

    static constexpr float LeadTime = 1.0f;
    static constexpr float GapTime = 1.0f;
    // The burst spans 1.1 blocks of the synchronisation search.
    static constexpr uint32_t SyncBlock = 4096;
    static constexpr double BurstFrames = 1.1 * SyncBlock;
    static constexpr double BurstFrequency = 1000.0;
    // The lowest rate the run plays at, whatever the analyser's.
    static constexpr uint32_t MinRate = 22050;
    // Below this start frequency steps last twice as long and blocks are doubled.
    static constexpr float LowStart = 19.0f;

    // Steps of the plan (at least 1); firstIndex, when not null, gets the
    // first band index of a fractional-octave plan or -1. A step size or
    // octave fraction of 0 or less is replaced in the settings.
    static int StepCount(THDFreqSettings& settings, int* firstIndex);
    // Tone frequency of step i of the plan whose first index StepCount gave.
    static double StepFrequency(const THDFreqSettings& settings, int i, int firstIndex);
    // Every step's frequency, in the order they are played.
    static std::vector<double> StepFrequencies(THDFreqSettings& settings);
    // Linear amplitude of a channel's level (0 left, 1 right); levels above
    // 0 dBFS give 1.0.
    static double LevelAmplitude(const THDFreqSettings& settings, int channel);
    // The block size the steps are analysed with.
    static uint32_t FFTSizeFor(uint32_t rate, float startFrequency);
    static uint32_t TestRate(uint32_t analyserRate) { return analyserRate < MinRate ? MinRate : analyserRate; }
    // Triangular dither in -1 .. 1 LSB.
    static double Dither();

    TThdFreqRun(THDFreqSettings& settings, TProgress& progress);
    ~TThdFreqRun();
    TThdFreqRun(const TThdFreqRun&) = delete;
    TThdFreqRun& operator=(const TThdFreqRun&) = delete;

    // Sets the format and the timing and builds the signal. A stop frequency
    // above half the rate fills message and gives false, as does a signal
    // too large to hold (with an empty message); both set the abort flag.
    bool BuildTestSignal(uint32_t analyserRate, uint16_t bytesPerSample, std::string& message);
    // The steps from startFrame on, each exactly one dwell long.
    void FillSteppedSine(TWaveData& signal, uint32_t startFrame);
    // The time of the burst in a capture of the signal: SyncTime.
    void Synchronize(TWaveData& capture);
    // Each step's THD+N in the capture, from the steps after SyncTime; a
    // cancel keeps the points computed so far, the others zero.
    void ComputeDistortion(TWaveData& capture, std::vector<TThdPoint>& left, std::vector<TThdPoint>& right);
    // Length of the signal in seconds for the current settings and format.
    double SignalSeconds() const;

    TWaveFormat Format{48000, 1, 2};
    float BurstTime = 0.1f;
    float SyncTime = 0.0f;
    bool Abort = false;
    std::unique_ptr<TWaveData> Signal;

private:
    bool ShowProgress(int percent, const char* text);

    THDFreqSettings& Settings;
    TProgress& Progress;
};
