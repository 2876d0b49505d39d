#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "utilities/TDTMFData.h"

// DTMF analysis of a segment of a recording, one key sequence per channel,
// in two passes: the first finds the loudest keypad-band peak of the whole
// segment (the reference 20 dB above the detectors' threshold), the second
// runs the detectors over spectra 1 % of a block apart.
class TDtmfAnalysis {
public:
    enum class Poll { Continue, EndPass, EndAll };
    // Called before each block with the pass's progress in percent.
    using Progress = std::function<Poll(int percent)>;

    static constexpr float KeypadLowHz = 600.0f;
    static constexpr float KeypadHighHz = 1700.0f;
    static constexpr float NoPeak = -99.9f;
    static constexpr float ThresholdBelowPeak = 20.0f;
    static constexpr int32_t MinimumDigitMs = 20;
    static constexpr int32_t MinimumSpaceMs = 20;

    // Block length by sampling rate: about 64 ms of signal.
    static uint32_t FftSize(uint32_t samplingRate);
    // Frames between detection spectra: 1 % of a block.
    static uint32_t DetectionStep(uint32_t fftSize);

    // The main window's analysis and first display settings; the analysis
    // narrows them to dB spectra on a linear axis with a Hanning window.
    TDtmfAnalysis(const AnalysisSettingsStruct& analysis, const DisplaySettingsStruct& display);

    // Analyses frames from startFrame of every channel of wave; false when
    // the engines could not be had.
    bool Run(TWaveData& wave, uint32_t startFrame, uint32_t frames, const Progress& progress);

    int ChannelCount() const { return Channels; }
    float ReferenceLevel(int channel) const { return Reference[channel]; }
    std::string Keys(int channel) const;
    // "DTMF keys = ..." for one channel, both sequences for two.
    std::string Message() const;

private:
    enum class PassEnd { Done, Pass, All };
    bool Analyse(TWaveData& wave, int channel, uint32_t frame);
    PassEnd RunPass(TWaveData& wave, uint32_t startFrame, uint32_t step, uint32_t blocks, const Progress& progress,
                    const std::function<void(int channel, uint32_t frame)>& take);

    AnalysisSettingsStruct Settings;
    DisplaySettingsStruct Display;
    int Channels = 1;
    float Reference[2] = {NoPeak, NoPeak};
    std::unique_ptr<TDTMFData> Detectors[2];
    std::unique_ptr<TSpectralData> Spectra[2];
    std::unique_ptr<TSmoothing> Window;
    std::unique_ptr<TSeriesData> Block;
};
