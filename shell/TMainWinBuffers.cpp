// The analysis buffers of the main window: series blocks, spectral engines
// with their display results, capture blocks and the memory estimate.
#include "shell/TMainWin.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include "engine/TEngineHost.h"
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "resources/StringIds.h"

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

// The calibration kind of the combined engine by channel-processing mode.
int CombinedCalibrationKind(uint16_t mode)
{
    switch (mode) {
    case 3: return 0;
    case 6:
    case 7: return 2;
    case 10: return 3;
    default: return 1;
    }
}

}

uint16_t TMainWin::EffectiveChannelProcessing() const
{
    return Settings.Format.NumChannels == 2 ? Settings.ChannelProcessing : 0;
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
    DisplayPrimary = DisplaySecondary = nullptr;
    for (TSpectralData** spectral : {&SpectralLeft, &SpectralRight, &SpectralCombined, &SpectralAux}) {
        delete *spectral;
        *spectral = nullptr;
    }
}

void TMainWin::BuildDerivedCalibration(int kind, CalibrationChannel& block) const
{
    std::memset(&block, 0, sizeof block);
    block.IsEnabled = 1;
    block.RefLevel = 1.0f;
    block.ConversionType = 4;
    block.CalRatio = 1.0f;
    block.PctFullScale = 1.0f;
    std::snprintf(block.LabelLinear, sizeof block.LabelLinear, "%s", IDS_UNIT_PERCENT_FULL_SCALE_TEXT);
    std::snprintf(block.LabelLog, sizeof block.LabelLog, "%s", IDS_UNIT_RELATIVE_DB_TEXT);
    switch (kind) {
    case 0:
    case 2:
        if (Calibration.Left.IsEnabled) {
            block.ConversionType = Calibration.Left.ConversionType;
            std::memcpy(block.LabelLinear, Calibration.Left.LabelLinear, sizeof block.LabelLinear);
            std::memcpy(block.LabelLog, Calibration.Left.LabelLog, sizeof block.LabelLog);
        }
        break;
    case 1:
        std::snprintf(block.LabelLinear, sizeof block.LabelLinear, "Relative Gain");
        std::snprintf(block.LabelLog, sizeof block.LabelLog, "Relative Gain (dB)");
        break;
    case 3:
        std::snprintf(block.LabelLinear, sizeof block.LabelLinear, "Coherence");
        std::snprintf(block.LabelLog, sizeof block.LabelLog, "Coherence");
        break;
    default:
        break;
    }
}

void TMainWin::AllocateSpectralData()
{
    TEngineWait wait;
    FreeSpectralData();
    const bool stereo = Settings.Format.NumChannels == 2;
    const uint16_t mode = EffectiveChannelProcessing();
    // Whatever happens below, the views are handed what exists now.
    struct THandOver {
        TMainWin* Main;
        ~THandOver() { Main->SetViewEngines(Main->DisplayPrimary, Main->DisplaySecondary); }
    } handOver{this};

    auto create = [&](TSpectralData*& target, const DisplaySettingsStruct& display, uint32_t loadCompensation,
                      const CalibrationChannel& calibration) {
        auto* spectral = new (std::nothrow) TSpectralData(Settings, display, loadCompensation);
        if (!spectral || spectral->Error) {
            delete spectral;
            ReportNoMemory(Caption);
            return false;
        }
        spectral->SetCalibration(&calibration);
        target = spectral;
        return true;
    };
    if (!create(SpectralLeft, Scaling[0], 1, Calibration.Left)) return;
    DisplayPrimary = SpectralLeft;
    if (stereo) {
        if (!create(SpectralRight, Scaling[1], 1, Calibration.Right)) return;
        DisplaySecondary = SpectralRight;
    }
    if (mode >= 3 && mode <= 12) {
        CalibrationChannel derived;
        BuildDerivedCalibration(CombinedCalibrationKind(mode), derived);
        if (!create(SpectralCombined, Scaling[0], 0, derived)) return;
        if (mode >= 11) {
            BuildDerivedCalibration(3, derived);
            if (!create(SpectralAux, Scaling[0], 0, derived)) return;
        }
    }

    const char* left = Calibration.Left.ChannelName;
    const char* right = Calibration.Right.ChannelName;
    auto label = [](char* target, const char* format, const char* a, const char* b) {
        std::snprintf(target, sizeof PrimaryLabel, format, a, b);
    };
    switch (mode) {
    case 0:
        label(PrimaryLabel, "%s%s", left, "");
        DisplayPrimary = SpectralLeft;
        DisplaySecondary = nullptr;
        break;
    case 1:
        label(SecondaryLabel, "%s%s", right, "");
        DisplayPrimary = DisplaySecondary = SpectralRight;
        break;
    case 2:
        label(PrimaryLabel, "%s%s", left, "");
        label(SecondaryLabel, "%s%s", right, "");
        DisplayPrimary = SpectralLeft;
        DisplaySecondary = SpectralRight;
        break;
    case 3: label(PrimaryLabel, "Average of %s and %s", left, right); break;
    case 4:
    case 8:
    case 11: label(PrimaryLabel, mode == 4 ? "Real Transfer Function (%s/%s)" : "Complex Transfer Function (%s/%s)",
                   left, right); break;
    case 5:
    case 9:
    case 12: label(PrimaryLabel, mode == 5 ? "Real Transfer Function (%s/%s)" : "Complex Transfer Function (%s/%s)",
                   right, left); break;
    case 6: label(PrimaryLabel, "Cross Spectrum (%s/%s)", left, right); break;
    case 7: label(PrimaryLabel, "Cross Spectrum (%s/%s)", right, left); break;
    case 10: std::snprintf(PrimaryLabel, sizeof PrimaryLabel, "Coherence Function"); break;
    default:
        PrimaryLabel[0] = SecondaryLabel[0] = '\0';
        DisplayPrimary = SpectralLeft;
        DisplaySecondary = SpectralRight;
        break;
    }
    if (mode >= 3 && mode <= 12) {
        DisplayPrimary = SpectralCombined;
        DisplaySecondary = mode >= 11 ? SpectralAux : SpectralCombined;
        // One engine shows in both places up to mode 10: it keeps the result's name.
        if (mode >= 11)
            std::snprintf(SecondaryLabel, sizeof SecondaryLabel, "Coherence Function");
        else
            std::memcpy(SecondaryLabel, PrimaryLabel, sizeof SecondaryLabel);
    }
    UpdateDelaySamples();
    if (DisplayPrimary) DisplayPrimary->SetLabel(PrimaryLabel);
    if (DisplaySecondary) DisplaySecondary->SetLabel(SecondaryLabel);
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
    // With the delay finder open, n becomes ten of its FFT blocks here once the utility exists.
    if (LeqWindow && n < 8192) n = 8192;
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
