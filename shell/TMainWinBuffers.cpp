// The analysis buffers of the main window: series blocks, spectral engines
// with their display results, capture blocks and the memory estimate.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cmath>
#include "engine/TChannelProcessing.h"
#include "base/TEngineHost.h"
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TWaveData.h"
#include "resources/StringIds.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TLeqAnalysis.h"

namespace {

void ReportNoMemory(const char* caption)
{
    TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, caption, TEngineHost::MsgOk);
}

uint32_t TriggerDelayFrames(const AnalysisSettingsStruct& settings, const TriggerSettings& trigger)
{
    double frames = std::trunc(double(settings.Format.SamplingRate) * trigger.DelayMsec * 0.001);
    return frames > 0 ? uint32_t(frames) : 0;
}

}

uint16_t TMainWin::EffectiveChannelProcessing() const
{
    return Pipeline.Mode();
}

void TMainWin::FreeSeriesBuffers()
{
    for (TSeriesData** series : {&SeriesLeft, &SeriesRight, &TriggerSeriesLeft, &TriggerSeriesRight}) {
        delete *series;
        *series = nullptr;
    }
}

void TMainWin::AllocateSeriesBuffers()
{
    TEngineWait wait;
    FreeSeriesBuffers();
    const bool stereo = Settings.Format.NumChannels == 2;
    const uint32_t block = Settings.FFTsize * Settings.DecimationRatio;
    const uint32_t search = 2 * (block + TriggerDelayFrames(Settings, Trigger));
    struct Row {
        TSeriesData** Target;
        uint32_t Frames;
        bool Wanted;
    };
    const Row rows[] = {{&SeriesLeft, block, true}, {&SeriesRight, block, stereo},
                        {&TriggerSeriesLeft, search, true}, {&TriggerSeriesRight, search, stereo}};
    for (const Row& row : rows) {
        if (!row.Wanted) continue;
        auto* series = new (std::nothrow)
            TSeriesData(row.Frames, Settings.Format, Settings.DecimationRatio, Settings.ApplyLowPassFilter);
        if (!series || series->Error) {
            delete series;
            ReportNoMemory(Caption);
            return;
        }
        *row.Target = series;
    }
    for (TSeriesData* series : {SeriesLeft, SeriesRight})
        if (series) series->SetCalibration(1.0f);
    if (Calibration.Left.IsEnabled && SeriesLeft) SeriesLeft->SetCalibration(Calibration.Left.CalRatio);
    if (Calibration.Right.IsEnabled && SeriesRight) SeriesRight->SetCalibration(Calibration.Right.CalRatio);
}

void TMainWin::FreeSpectralData()
{
    SetViewEngines(nullptr, nullptr);
    Pipeline.Free();
}

void TMainWin::BuildDerivedCalibration(int kind, CalibrationChannel& block) const
{
    TSpectrumPipeline::BuildDerivedCalibration(TChannelProcessing::DerivedUnits(kind), Calibration.Left, block);
}

void TMainWin::AllocateSpectralData()
{
    TEngineWait wait;
    FreeSpectralData();
    const bool built = Pipeline.Build();
    UpdateDelaySamples();
    // Whatever was built, the views are handed what exists now.
    SetViewEngines(DisplayPrimary, DisplaySecondary);
    if (!built) ReportNoMemory(Caption);
}

void TMainWin::SetViewEngines(TSpectralData* primary, TSpectralData* secondary)
{
    // The first view of each kind takes (primary, secondary), or with
    // independent scaling the first (primary) and the second (secondary).
    HandViewsEngines(primary, secondary);
}

void TMainWin::FreeCaptureBlocks()
{
    for (TWaveData*& block : CaptureBlocks) {
        delete block;
        block = nullptr;
    }
}

bool TMainWin::AllocateCaptureBlocks()
{
    FreeCaptureBlocks();
    const uint32_t rate = Settings.Format.SamplingRate;
    const uint64_t delay = Settings.DelaySamples;
    uint64_t n = uint64_t(Settings.FFTsize) * Settings.DecimationRatio + 4 * delay;
    const bool leadIn = SoundInput && SoundInput->Quirks.leadIn;
    if (FileIO.AllowSplitBuffers == 0 || (leadIn && rate == 11025)) n *= 10;
    if (Trigger.Enable) n = 2 * n + TriggerDelayFrames(Settings, Trigger);
    if (OpMode == RealTime) {
        if (FileIO.RealTimeIOBufferSizeSecs < 1) FileIO.RealTimeIOBufferSizeSecs = 1;
        const uint64_t io = uint64_t(rate) * uint32_t(FileIO.RealTimeIOBufferSizeSecs);
        if (io > n) n = io;
    } else {
        if (FileIO.RecordIOBufferSizeSecs < 1) FileIO.RecordIOBufferSizeSecs = 1;
        const uint64_t io = uint64_t(rate) * uint32_t(FileIO.RecordIOBufferSizeSecs);
        if (io > n) n = io + 4 * delay;
    }
    if (Windows.IsOpen(ViewType::Leq) && n < 8192) n = 8192;
    // The delay finder reads one and a half of its blocks back from the capture position.
    if (const TDelayFinder* finder = DelayFinder()) n = std::max<uint64_t>(n, 10ull * finder->GetFftSize());
    if (n % 16384 == 0) n += 1000;
    if (n % 2) n += 1;
    if (SoundInput && SoundInput->Quirks.quirkC) {
        const uint32_t q = 4800 / Settings.Format.BytesPerFrame();
        n = (n / q + 1) * 4800;
    }
    for (TWaveData*& block : CaptureBlocks) {
        block = n <= UINT32_MAX ? new (std::nothrow) TWaveData(uint32_t(n), Settings.Format) : nullptr;
        if (!block || block->Error) {
            delete block;
            block = nullptr;
            ReportNoMemory(Caption);
            return false;
        }
    }
    return true;
}

bool TMainWin::CheckMemory(const AnalysisSettingsStruct& current, const AnalysisSettingsStruct& next)
{
    auto estimate = [](const AnalysisSettingsStruct& s) {
        const uint64_t channels = s.Format.NumChannels;
        const uint64_t fft = s.FFTsize;
        const uint64_t width = s.Format.BytesPerSample;
        const uint64_t ratio = s.DecimationRatio;
        return 16 * channels * fft + channels * fft * width * ratio + 8 * fft * channels * width * ratio * s.DelaySamples;
    };
    const uint64_t now = estimate(current);
    const uint64_t wanted = estimate(next);
    if (now > wanted || wanted - now <= AvailablePhysicalMemory()) return true;
    TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgOk);
    return false;
}

uint64_t TMainWin::AvailablePhysicalMemory()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return ::GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0;
}
