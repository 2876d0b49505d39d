#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TChannelProcessing.h"

class TSmoothing;
class TSpectralData;

// The spectral engines of the analysis and the FFT window they share: built
// for the current settings and channel-processing mode, they turn one block
// of time samples into spectra. The settings records stay with their owner
// and are read as they are at each call.
class TSpectrumPipeline {
public:
    // The four engines a block is computed with: the pipeline's own, or the
    // temporaries of a rebuild over stored data.
    struct TEngines {
        TSpectralData* Left = nullptr;
        TSpectralData* Right = nullptr;
        TSpectralData* Combined = nullptr;
        TSpectralData* Aux = nullptr;
    };

    // Speeds of timed averaging: off, fast, medium, slow, forever.
    static constexpr uint16_t AverageSpeedCount = 5;
    static constexpr size_t LabelSize = 256;

    // scaling holds the left and the right channel's display settings.
    TSpectrumPipeline(const AnalysisSettingsStruct& settings, const DisplaySettingsStruct* scaling,
                      const CalibrationStruct& calibration);
    ~TSpectrumPipeline();
    TSpectrumPipeline(const TSpectrumPipeline&) = delete;
    TSpectrumPipeline& operator=(const TSpectrumPipeline&) = delete;

    // The mode the engines run (mono runs the left channel only).
    uint16_t Mode() const { return TChannelProcessing::Effective(Settings); }

    // Frees the engines, then creates those the mode needs with their
    // calibration and names the display results. False when an engine could
    // not be created: the ones before it stay, with the results set so far.
    bool Build();
    void Free();

    TSpectralData* Left() const { return Engines[LeftEngine].get(); }
    TSpectralData* Right() const { return Engines[RightEngine].get(); }
    TSpectralData* Combined() const { return Engines[CombinedEngine].get(); }
    TSpectralData* Aux() const { return Engines[AuxEngine].get(); }
    TEngines Own() const { return {Left(), Right(), Combined(), Aux()}; }
    // The results the first and the second view of each kind draw (borrowed).
    TSpectralData* Primary() const { return PrimaryResult; }
    TSpectralData* Secondary() const { return SecondaryResult; }
    const char* PrimaryLabel() const { return PrimaryText.c_str(); }
    const char* SecondaryLabel() const { return SecondaryText.c_str(); }

    // The FFT window: absent until first shaped. kaiserAlpha counts for the Kaiser window only.
    TSmoothing* Window() const { return Taper.get(); }
    void AdoptWindow(std::unique_ptr<TSmoothing> window);
    void ShapeWindow(float kaiserAlpha);

    // One block through the mode's steps; false when an engine the mode
    // needs, or the window, is missing.
    bool Compute(const TEngines& engines);
    bool Compute() { return Compute(Own()); }

    // Every existing engine averages number blocks of type.
    void SetAveraging(float number, uint16_t type);
    // Back to the stored block count and type.
    void RestoreAveraging();
    void ResetAveraging();
    void SetPeakHold(uint16_t mode);
    // The averaging number of timed averaging at a speed, dt seconds after the last block.
    static float TimedAveragingNumber(uint16_t speed, float dt, uint16_t mode);

    // The calibration block of a derived result: percent of full scale, or
    // the units of the left channel, of a gain or of a coherence.
    static void BuildDerivedCalibration(TChannelProcessing::DerivedUnits units, const CalibrationChannel& left,
                                        CalibrationChannel& block);

private:
    enum EngineIndex { LeftEngine, RightEngine, CombinedEngine, AuxEngine, EngineCount };

    bool Create(EngineIndex index, const DisplaySettingsStruct& display, uint32_t loadCompensation,
                const CalibrationChannel& calibration);
    TSpectralData* ResultOf(TChannelProcessing::Result result) const;
    void NameResults(const TChannelProcessing::Row& row);

    const AnalysisSettingsStruct& Settings;
    const DisplaySettingsStruct* Scaling;
    const CalibrationStruct& Calibration;
    std::unique_ptr<TSpectralData> Engines[EngineCount];
    std::unique_ptr<TSmoothing> Taper;
    TSpectralData* PrimaryResult = nullptr;
    TSpectralData* SecondaryResult = nullptr;
    std::string PrimaryText;
    std::string SecondaryText;
};
