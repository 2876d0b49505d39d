#pragma once
#include <cstdint>
#include <memory>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSpectrumPipeline.h"

class TSeriesData;
class TSpectralData;
class TWaveData;

// Spectra of stored wave data at chosen times, through series blocks and
// engines of their own: the rebuild of a spectrogram or surface from the
// wave reads line after line without touching the running analysis. The
// engines average as the settings say, as the live lines did.
class TWaveSpectra {
public:
    // scaling holds the left and the right channel's display settings.
    TWaveSpectra(const AnalysisSettingsStruct& settings, const DisplaySettingsStruct* scaling,
                 const CalibrationStruct& calibration, float kaiserAlpha);
    ~TWaveSpectra();
    TWaveSpectra(const TWaveSpectra&) = delete;
    TWaveSpectra& operator=(const TWaveSpectra&) = delete;

    // False when a block or an engine could not be made.
    bool IsReady() const { return Ready; }
    // The spectra of the block centred on seconds; false when nothing could
    // be computed.
    bool ComputeAt(TWaveData& wave, float seconds);
    // The spectra of the block that starts at frame first (each channel
    // moved back by its delay).
    bool ComputeFrom(TWaveData& wave, int64_t first);
    // The results the first and second view of a kind draw, as the running
    // analysis hands them.
    TSpectralData* Primary() const { return Engines.Primary(); }
    TSpectralData* Secondary() const { return Engines.Secondary(); }

    // Reads blocks[channel] from frame first, each channel's read moved back
    // by its delay; frames before the wave's start read as silence. A null
    // block is skipped.
    static void ReadBlocks(TWaveData& wave, int64_t first, const uint32_t delays[2], TSeriesData* const blocks[2]);
    // The delay of each channel: the delayed one's in stereo, none in mono.
    static void ChannelDelays(const AnalysisSettingsStruct& settings, uint32_t delays[2]);
    // A block's samples into an engine's time buffer; either may be null.
    static void CopyBlock(TSpectralData* engine, const TSeriesData* block);
    // Frames in one analysis block.
    static uint32_t BlockFrames(const AnalysisSettingsStruct& settings)
    {
        return settings.FFTsize * settings.DecimationRatio;
    }

private:
    const AnalysisSettingsStruct& Settings;
    TSpectrumPipeline Engines;
    std::unique_ptr<TSeriesData> Blocks[2];
    bool Ready = false;
};
