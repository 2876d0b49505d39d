#include "engine/TCalibrationLevel.h"

#include <algorithm>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"

namespace {

AnalysisSettingsStruct MeasurementSettings(TWaveFormat format)
{
    AnalysisSettingsStruct a;
    a.Format = format;
    a.FFTsize = TCalibrationLevel::BlockSize;
    a.DecimationRatio = 1;
    a.AverageBlocks = 1000;
    a.AverageType = TSpectralData::ExponentialAveraging;
    a.PeakHold = 0;
    a.SmoothingWindow = TSmoothing::FlatTop;
    a.OverlapPercent = 50;
    a.HopSize = TCalibrationLevel::Step;
    a.ChannelProcessing = 2;
    a.SamplingRateCorrectionFactor = 1.0f;
    return a;
}

DisplaySettingsStruct MeasurementDisplay()
{
    DisplaySettingsStruct d;
    d.AmpScaleType = DisplaySettingsStruct::LinearAmplitude;
    d.FreqScaleType = DisplaySettingsStruct::LinearFrequency;
    d.OctaveNumber = 3;
    return d;
}

// The strongest line in percent of full scale, as a fraction; clipping reads 1.0.
float LevelOf(const TSpectralData& spectrum, int peakMagnitude)
{
    if (peakMagnitude >= 100) return TCalibrationLevel::Overload;
    return spectrum.GetDisplayValue(int(spectrum.GetPeakIndex())) * 0.01f;
}

}

int64_t TCalibrationLevel::BlockCount(uint32_t frames, uint32_t samplingRate)
{
    // Signed: a source shorter than its rate must give no blocks, not a huge count.
    return (int64_t(frames) - int64_t(samplingRate)) / int64_t(BlockSize) * 2 - 2;
}

void TCalibrationLevel::Measure(uint16_t channel, TWaveData& source, CalibrationStruct& record)
{
    const TWaveFormat format = source.GetFormat();
    const AnalysisSettingsStruct analysis = MeasurementSettings(format);
    const DisplaySettingsStruct display = MeasurementDisplay();

    TSeriesData leftBlock(BlockSize, format, 1, 0), rightBlock(BlockSize, format, 1, 0);
    TSeriesData* blocks[2] = {&leftBlock, &rightBlock};
    const TSmoothing window(BlockSize, TSmoothing::FlatTop);
    TSpectralData left(analysis, display, 0), right(analysis, display, 0);
    TSpectralData* spectra[2] = {&left, &right};
    if (leftBlock.Error || rightBlock.Error || window.Error || left.Error || right.Error) return;

    int peaks[2] = {0, 0};
    const uint16_t stereo = format.NumChannels == 2 ? 1 : 0;
    uint32_t start = format.SamplingRate;
    for (int64_t b = 0; b < BlockCount(source.GetFrameCount(), format.SamplingRate); ++b, start += Step)
        for (uint16_t k = 0; k < 2; ++k) {
            source.ReadFrames(blocks[k]->GetSamplePtr(0), start, BlockSize, uint16_t(k & stereo));
            peaks[k] = std::max(peaks[k], blocks[k]->GetPeakMagnitude());
            TSpectralData& spectrum = *spectra[k];
            for (uint32_t i = 0; i < BlockSize; ++i) spectrum.SetTimeSample(i, blocks[k]->GetSample(i, 0));
            window.Apply(spectrum.GetFFTBuffer(), DisplaySettingsStruct::LinearFrequency, 0);
            spectrum.ComputeSpectrum();
            spectrum.Average(0);
        }
    if (channel == 0 || channel == 2) record.Left.PctFullScale = LevelOf(left, peaks[0]);
    if (channel == 1 || channel == 2) record.Right.PctFullScale = LevelOf(right, peaks[1]);
}
