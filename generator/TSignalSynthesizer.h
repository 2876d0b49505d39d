#pragma once
#include <cstdint>
#include <memory>

#include "engine/TWaveData.h"
#include "engine/TWaveFormat.h"
#include "generator/SignalParams.h"
#include "generator/TRuntimeRandom.h"

class TSignalSources;
class TChannelWriter;

// The generator's signal block as pure computation: its format, its length
// for each waveform code, the output level as a peak amplitude, and the
// builders that fill one channel each. The generator window decides when to
// build and plays the result.
//
// Conventions every builder shares: R is the block's rate, N its frame count;
// a tone waveform x in -1..+1 becomes floor(A x 0.99 x (max - silence) x x +
// silence + d + 0.5) with d from Dither, and the phase of frame j at f Hz is
// (j + 1) x 6.283185308 x f / R; a frequency sweep sums its frames' steps of
// 6.283185308 x f(j) / R instead. Noise, shapes, pulses and user files scale
// their deviation from silence by A, without dither. Every sample is rounded
// to the nearest step once, when it is stored (TChannelWriter). Parameters
// no dialog would accept (periods below one frame, negative times, unknown
// types) leave the channel silent instead of reaching a division or a cast.
class TSignalSynthesizer {
public:
    static constexpr double TwoPi = 6.283185308;
    // Lengths are held within this, so that doubling one cannot overflow; a
    // length near it is refused when the block is allocated.
    static constexpr int64_t FrameLimit = int64_t(1) << 60;
    // The largest block: it lives in memory whole and goes to the sound card
    // as one buffer, whose size the sound interfaces hold in 32 bits.
    static constexpr uint64_t MaxSignalBytes = 0x7FFFFFFF;

    explicit TSignalSynthesizer(TSignalSources& sources, TRuntimeRandom& random = TRuntimeRandom::Shared());

    // The "PINKWAVE" resource: a whole RIFF WAVE file of 16-bit pink noise
    // (nullptr when it could not be loaded). The bytes must outlive the builds.
    void SetPinkWave(const uint8_t* bytes, uint32_t size);
    uint32_t GetPinkWaveSize() const { return PinkSize; }

    // The block's format: the analyser's width and channels (one when
    // locked) at generatorRate, or the analyser's rate when that is 0 or not
    // a valid rate (TWaveFormat::IsValidRate); 3-byte samples become 2 when
    // narrow24. User-defined files give their rate and width; two files of
    // different rates are reported.
    TWaveFormat ChooseFormat(TWaveFormat analyser, bool locked, uint32_t generatorRate, bool narrow24,
                             const SignalParams& left, const SignalParams& right);

    // A block long enough for both channels (the right one counts only in a
    // two-channel format), of an even frame count, silent; null, after string
    // 70 was reported, when it is too long to hold or cannot be allocated.
    std::unique_ptr<TWaveData> AllocateSignal(const SignalParams& left, const SignalParams& right,
                                              TWaveFormat format);
    // Builds channel 0 from left and, in a two-channel block, channel 1 from
    // right; a channel whose amplitude is not within 0 < A <= 1 stays silent.
    void BuildChannels(TWaveData& block, const SignalParams& left, const SignalParams& right,
                       const double amplitude[2]);
    // The builder of the record's waveform code.
    void Build(TWaveData& block, const SignalParams& params, uint16_t channel, double amplitude);

    // Frames one channel needs, never negative.
    int64_t GetSignalLength(const SignalParams& params, TWaveFormat format);
    // A cycle of n frames repeated past one second: the smallest multiple of
    // n above R; n <= 0 gives R; n >= R stays.
    static int64_t FitToCycles(int64_t n, TWaveFormat format);
    // n cut to whole periods of a tone, even.
    static int64_t TrimToWholePeriods(int64_t n, TWaveFormat format, float frequency);
    // Steps of a frequency step signal (at least 1); firstBand gets the
    // first band index of octave steps, -1 for linear steps.
    static int64_t CountFreqSteps(const SignalParams& params, int32_t* firstBand);

    // Peak amplitude of channel 0 or 1 as a fraction of full scale, 0 < A <= 1,
    // or 0 (silence) for a level that is no finite number, an unknown unit or
    // an amplitude not above zero. A voltage unit with a full-scale level of
    // 0 or below sets it to 1.0 volt.
    static double GetChannelAmplitude(OutputLevelStruct& level, int channel);

    // One triangular dither value in -1..+1 sample steps.
    float Dither();

    // The builders, one per waveform code (SignalParams.h).
    void BuildWhiteNoise(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildPinkNoise(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildWhiteNoiseBurst(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildPinkNoiseBurst(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildTone1k(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildMultipleTones(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildToneBurst(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildIMDTones(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildFreqSweep(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildLevelSweep(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildSawtooth(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildTriangular(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildPulse(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildSquare(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildUserDefined(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildDTMF(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildDigitalZero(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);
    void BuildFreqStep(TWaveData& block, SignalParams params, uint16_t channel, double amplitude);

    // count x rate / per, truncated toward zero and held within +/- FrameLimit:
    // times in milliseconds or microseconds as frames, exactly.
    static int64_t ScaleFrames(int64_t count, int64_t rate, int64_t per);
    // trunc(R / f), the period of a shape; 0 when that is below one frame or no number.
    static int64_t PeriodFrames(uint32_t rate, float frequency);

private:
    // The gauge at every thousandth frame.
    void Progress(uint32_t frame, uint32_t frames);
    // One noise value in -32768..32766 (white) or a pink sample; the pink
    // index advances with every call.
    double NextWhite();
    double NextPink(uint32_t& index, uint32_t loop);
    // The pink signal's length: the resource's samples less 20.
    int64_t PinkFrames() const;
    // Samples of the pink loop, which the resource holds from its 23rd data sample on.
    uint32_t PinkLoopLength() const;
    void BuildNoiseBurst(TWaveData& block, const SignalParams& params, uint16_t channel, double amplitude, bool pink);
    // Characters of the key string, and the frames of one pass through it.
    static int64_t KeyCount(const DTMFParams& dtmf);
    static int64_t DTMFPassFrames(const DTMFParams& dtmf, uint32_t rate);
    // The tone formula over a waveform x in -1..+1, before its rounding.
    double ToneSample(const TChannelWriter& out, double amplitude, double x);

    TSignalSources& Sources;
    TRuntimeRandom& Random;
    const uint8_t* Pink = nullptr;
    uint32_t PinkSize = 0;
};
