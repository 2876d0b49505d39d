#include "engine/TWaveSpectra.h"

#include <algorithm>
#include <new>

#include "engine/TSeriesData.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"

TWaveSpectra::TWaveSpectra(const AnalysisSettingsStruct& settings, const DisplaySettingsStruct* scaling,
                           const CalibrationStruct& calibration, float kaiserAlpha)
    : Settings(settings), Engines(settings, scaling, calibration)
{
    const uint32_t n = BlockFrames(settings);
    const bool stereo = settings.Format.NumChannels == 2;
    for (int k = 0; k < (stereo ? 2 : 1); ++k) {
        Blocks[k].reset(new (std::nothrow)
                            TSeriesData(n, settings.Format, settings.DecimationRatio, settings.ApplyLowPassFilter));
        if (!Blocks[k] || Blocks[k]->Error)
            return;
    }
    if (!Engines.Build())
        return;
    Engines.ShapeWindow(kaiserAlpha);
    Ready = Engines.Window() != nullptr;
}

TWaveSpectra::~TWaveSpectra() = default;

void TWaveSpectra::ChannelDelays(const AnalysisSettingsStruct& settings, uint32_t delays[2])
{
    delays[0] = delays[1] = 0;
    if (settings.Format.NumChannels == 2)
        delays[settings.DelayChannel == 1 ? 1 : 0] = settings.DelaySamples;
}

void TWaveSpectra::ReadBlocks(TWaveData& wave, int64_t first, const uint32_t delays[2], TSeriesData* const blocks[2])
{
    for (uint16_t k = 0; k < 2; ++k) {
        TSeriesData* block = blocks[k];
        if (!block || block->Error)
            continue;
        const uint32_t n = block->GetLength();
        const int64_t start = first - delays[k];
        uint32_t skip = 0;
        if (start < 0) {
            block->Clear();
            skip = uint32_t(std::min<int64_t>(-start, n));
        }
        if (skip < n)
            wave.ReadFrames(block->GetSamplePtr(skip), uint32_t(start + skip), n - skip, k);
        block->Decimate();
    }
}

bool TWaveSpectra::ComputeAt(TWaveData& wave, float seconds)
{
    const int64_t half = BlockFrames(Settings) / 2;
    return ComputeFrom(wave, int64_t(wave.TimeToFrame(std::max(seconds, 0.0f))) - half);
}

bool TWaveSpectra::ComputeFrom(TWaveData& wave, int64_t first)
{
    if (!Ready)
        return false;
    uint32_t delays[2];
    ChannelDelays(Settings, delays);
    TSeriesData* const blocks[2] = {Blocks[0].get(), Blocks[1].get()};
    ReadBlocks(wave, first, delays, blocks);
    CopyBlock(Engines.Left(), Blocks[0].get());
    CopyBlock(Engines.Right(), Blocks[1].get());
    return Engines.Compute();
}

void TWaveSpectra::CopyBlock(TSpectralData* engine, const TSeriesData* block)
{
    if (!engine || !block)
        return;
    if (float* time = engine->GetFFTBuffer())
        block->ReadSamples(time, engine->GetFFTSize());
}
