// Idle-time processing: one analysis block per call of the message loop's
// idle hook, read from the capture blocks or from the wave.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstring>
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFile.h"
#include "automation/TMacro.h"
#include "generator/TSignalGenerator.h"
#include "engine/TWaveSpectra.h"
#include "framework/UiHelpers.h"
#include "shell/StatusBar.h"
#include "views/TSeriesPlot.h"

namespace {

// Puts the Trigger "Enable" setting back on every way out of a pass.
struct TTriggerOverride {
    uint32_t& Enable;
    uint32_t Saved;
    TTriggerOverride(uint32_t& enable, bool clear) : Enable(enable), Saved(enable)
    {
        if (clear) Enable = 0;
    }
    ~TTriggerOverride() { Enable = Saved; }
};

// count frames of one channel of wave from frame start into block; frames
// before the start of the wave read as silence.
void ReadChannel(TWaveData& wave, TSeriesData& block, int64_t start, uint32_t count, uint16_t channel)
{
    uint32_t skip = 0;
    if (start < 0) {
        skip = uint32_t(std::min<int64_t>(-start, count));
        block.Clear();
    }
    if (skip < count) wave.ReadFrames(block.GetSamplePtr(skip), uint32_t(start + skip), count - skip, channel);
}

}

// A live source (capture, playback) has work only when a block is due; until
// then the loop waits for the next message (the sound port's notifications or
// the pace timer). Post Process walks the file as fast as it can.
bool TMainWin::IdleAction(long idleCount)
{
    if (MacroWindow()) MacroWindow()->ExecuteStep();
    // A running macro asks for the next idle pass at once.
    const bool result = TMDIFrame::IdleAction(idleCount) || IsMacroRunning();
    if (RunState == Stopped || !SoundInput || !SoundOutput) return result;
    if (!IdleBlockReady()) return result;
    TTriggerOverride pass(Trigger.Enable, TriggerCount > 0 && Trigger.Mode == TriggerSettings::RunOn);
    if (!(Trigger.Enable ? AnalyseTriggeredBlock() : AnalyseFreeRunningBlock())) {
        // A pass without data still follows the port's time, so that playback
        // near the end of a recording reaches its stop.
        UpdateCurrentTime();
        return result || OpMode == PostProcess;
    }
    FinishIdlePass();
    return true;
}

bool TMainWin::LiveBlockDue()
{
    // The trigger keeps its own advance rule.
    if (Trigger.Enable) return true;
    const uint32_t hop = Settings.DecimationRatio * Settings.HopSize;
    if (RunState == Playback) {
        UpdateCurrentTime();
        return LivePacer.Due(WaveFile->TimeToFrame(CurrentTime), 0, hop, DueFrame);
    }
    return LivePacer.Due(SoundInput->GetInterpolatedFrame(), uint64_t(Settings.FFTsize) * Settings.DecimationRatio,
                         hop, DueFrame);
}

bool TMainWin::IdleBlockReady()
{
    const uint32_t block = Settings.FFTsize * Settings.DecimationRatio;
    switch (OpMode) {
    case RealTime:
        return SoundInput->GetRecordedFrames() >= block && LiveBlockDue();
    case PostProcess:
        if (!WaveFile) return false;
        if (WaveFile->GetPosition() > WaveFile->GetHighWaterMark() - block) {
            WaveFile->SeekEnd();
            CurrentTime = WaveFile->GetPositionTime();
            StopAnalyzer();
            UpdateToolbarReadouts();
            return false;
        }
        return true;
    case Recorder:
        if (RunState == Recording && WaveFile && !WaveFile->IsDiskBased() && WaveFile->GetDuration() < CurrentTime) {
            CurrentTime = WaveFile->GetDuration();
            StopAnalyzer();
            return false;
        }
        if (RunState == Playback) {
            if (!WaveFile) return false;
            if (CurrentTime > WaveFile->GetHighWaterTime()) {
                CurrentTime = WaveFile->GetHighWaterTime();
                StopAnalyzer();
                return false;
            }
        }
        return (RunState != Recording && RunState != Playback) || LiveBlockDue();
    default:
        return true;
    }
}

bool TMainWin::AnalyseFreeRunningBlock()
{
    if (!FillSeriesBlocks(SeriesLeft, SeriesRight, 0)) return false;
    AnalyseSeriesBlocks();
    return true;
}

bool TMainWin::AnalyseTriggeredBlock()
{
    if (!FillSeriesBlocks(TriggerSeriesLeft, TriggerSeriesRight, TriggerOffset)) return false;
    const uint32_t delay =
        TriggerSeriesLeft ? TriggerSeriesLeft->TimeToSample(0.001f * Trigger.DelayMsec / Settings.DecimationRatio) : 0;
    const uint32_t preDelay = Trigger.DelayType == 0 ? delay : 0;
    const uint32_t postDelay = Trigger.DelayType == 1 ? delay : 0;
    TSeriesData* search = Trigger.Channel == 1 ? TriggerSeriesRight : TriggerSeriesLeft;
    uint32_t index = 0;
    int found = 0;
    if (search && SeriesLeft) found = search->FindTrigger(Trigger, preDelay, preDelay + SeriesLeft->GetLength(), &index);
    TriggerOffset = found ? index : 0;
    if (ForceTrigger) {
        found = 1;
        index = 0;
        ForceTrigger = 0;
    }
    if (!found) return true;
    ++TriggerCount;
    const int64_t start = int64_t(index) - preDelay + postDelay;
    const uint32_t length = SeriesLeft ? SeriesLeft->GetLength() : 0;
    const int32_t silence = Settings.Format.SilenceValue;
    auto copy = [&](TSeriesData* from, TSeriesData* to) {
        if (!from || !to) return;
        for (uint32_t i = 0; i < length; ++i) {
            const int64_t at = start + i;
            const float sample = at >= 0 ? from->GetSample(uint32_t(at), 0) : 0.0f;
            to->PutSample(i, int32_t(sample + float(silence)));
        }
    };
    copy(TriggerSeriesLeft, SeriesLeft);
    copy(TriggerSeriesRight, SeriesRight);
    AnalyseSeriesBlocks();
    if (SignalGenerator() && Trigger.StartSigGenOnTrigger && !SignalGenerator()->IsPlaying())
        SignalGenerator()->StartOutput();
    return true;
}

void TMainWin::FinishIdlePass()
{
    if (RunRequest) {
        StopAnalyzer();
        RunRequest = 0;
    }
    if (Trigger.Enable && TriggerCount > 0 && Trigger.Mode == TriggerSettings::StopOnTrigger) StopAnalyzer();
    if (OpMode == PostProcess && WaveFile) WaveFile->Advance(Settings.DecimationRatio * Settings.HopSize);
    ++BlocksProcessed;
    PostDdeAdviseAll();
    if (BlockLimitFlag && BlocksProcessed >= BlockLimit) StopAnalyzer();
    PaceToolbarReadouts();
}

int TMainWin::FillSeriesBlocks(TSeriesData* left, TSeriesData* right, uint32_t offset)
{
    const uint32_t n = left ? left->GetLength() : 0;
    const bool trig = Trigger.Enable != 0;
    const uint32_t span = trig
        ? (TriggerSeriesLeft ? TriggerSeriesLeft->TimeToSample(0.001f * Trigger.DelayMsec / Settings.DecimationRatio) : 0)
            + Settings.DecimationRatio * Settings.FFTsize + offset
        : n;
    uint32_t delays[2] = {0, 0};
    if (Settings.Format.NumChannels == 2) delays[Settings.DelayChannel == 1 ? 1 : 0] = Settings.DelaySamples;
    TSeriesData* blocks[2] = {left, right};

    const bool capture = OpMode == RealTime || (OpMode == Recorder && RunState == Recording);
    if (capture) {
        int slot = 0;
        uint32_t p = 0;
        if (!SoundInput) return 0;
        if (trig ? !SoundInput->GetInterpolatedPosition(slot, p, span, 1) : !SoundInput->SlotOfFrame(DueFrame, slot, p))
            return 0;
        bool split = FileIO.AllowSplitBuffers != 0;
        if (SoundInput->Quirks.leadIn && (Settings.Format.SamplingRate == 11025 || IsWin32s())) split = false;
        if (p < Settings.FFTsize + n && !split) return 0;
        TWaveData* current = CaptureBlocks[slot & 1];
        TWaveData* previous = CaptureBlocks[(slot + 1) & 1];
        if (!current || !previous) return 0;
        const uint32_t valid = previous->GetFrameCount() - std::min(PartialFrames, previous->GetFrameCount());
        for (uint16_t k = 0; k < 2; ++k) {
            TSeriesData* block = blocks[k];
            if (!block) continue;
            const uint32_t d = delays[k];
            if (p >= d + n) {
                current->ReadFrames(block->GetSamplePtr(0), p - n - d, n, k);
            } else if (!split) {
                return 0;
            } else if (d < p) {
                const uint32_t older = n - (p - d);
                previous->ReadFrames(block->GetSamplePtr(0), valid >= older ? valid - older : 0, older, k);
                current->ReadFrames(block->GetSamplePtr(older), 0, p - d, k);
            } else {
                const uint32_t back = (d - p) + n;
                previous->ReadFrames(block->GetSamplePtr(0), valid >= back ? valid - back : 0, n, k);
            }
        }
    } else if (OpMode == PostProcess) {
        if (!WaveFile) return 0;
        if (trig) WaveFile->Advance(span - Settings.DecimationRatio * Settings.FFTsize);
        const uint64_t remaining = uint64_t(WaveFile->GetHighWaterMark()) - std::min(WaveFile->GetPosition(), WaveFile->GetHighWaterMark());
        if (remaining < uint64_t(delays[0]) + n + delays[1]) return 0;
        for (uint16_t k = 0; k < 2; ++k)
            if (blocks[k]) ReadChannel(*WaveFile, *blocks[k], int64_t(WaveFile->GetPosition()) - delays[k], n, k);
    } else if (OpMode == Recorder && RunState == Playback) {
        if (!WaveFile) return 0;
        const uint32_t f = trig ? WaveFile->TimeToFrame(CurrentTime) : uint32_t(DueFrame);
        if (uint64_t(WaveFile->GetHighWaterMark()) < uint64_t(f) + delays[0] + n + delays[1]) return 0;
        for (uint16_t k = 0; k < 2; ++k)
            if (blocks[k]) ReadChannel(*WaveFile, *blocks[k], int64_t(f) - delays[k], n, k);
    } else {
        return 0;
    }
    for (TSeriesData* block : blocks)
        if (block) block->Decimate();
    DetectOverload(left, right);
    return 1;
}

void TMainWin::DetectOverload(TSeriesData* left, TSeriesData* right)
{
    if (!Settings.EnableOverloadDetection) return;
    const int32_t previousLeft = InputLevelLeft, previousRight = InputLevelRight;
    const int32_t previousOverload = OverloadFlag;
    if (left) {
        InputLevelLeft = left->GetPeakMagnitude();
        OverloadFlag = InputLevelLeft >= 100 ? 1 : 0;
    }
    if (!OverloadFlag && right) {
        InputLevelRight = right->GetPeakMagnitude();
        OverloadFlag = InputLevelRight >= 100 ? 1 : 0;
    }
    if (OverloadFlag) ++OverloadBlocks;
    if (InputLevelLeft != previousLeft || InputLevelRight != previousRight || OverloadFlag != previousOverload)
        PaceStatusMeter(OverloadFlag != previousOverload);
}

void TMainWin::CopySeriesToSpectral(TSpectralData* spectral, TSeriesData* series)
{
    TWaveSpectra::CopyBlock(spectral, series);
}

// Spectra of the filled series blocks, unless an overloaded block is to be
// left out, and the views told of them.
void TMainWin::AnalyseSeriesBlocks()
{
    if (OverloadFlag && Settings.ExcludeOverloadFlag) {
        // An overloaded block is shown, not analysed.
        if (TimeSeriesView()) TimeSeriesView()->NewData(0.0f);
        return;
    }
    CopySeriesToSpectral(SpectralLeft, SeriesLeft);
    CopySeriesToSpectral(SpectralRight, SeriesRight);
    if (!ComputeSpectra(SpectralLeft, SpectralRight, SpectralCombined, SpectralAux))
        return;
    UpdateViewTimes();
    RefreshAllViews();
    UpdateDataLog();
}
