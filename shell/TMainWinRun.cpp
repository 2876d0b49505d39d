// Run control: starting and stopping the analyser in its three operating
// modes, and the sound ports' buffer notifications.
#include "shell/TMainWin.h"
#include "utilities/TLeqAnalysis.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include "base/TEngineHost.h"
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFile.h"
#include "automation/TMacro.h"
#include "framework/UiHelpers.h"
#include "generator/TSignalGenerator.h"
#include "resources/StringIds.h"
#include "views/TSpectrogram.h"
#include "views/TPhasePlot.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"
#include "views/TSeriesPlot.h"

namespace {

float TimeOfDaySeconds()
{
    TEngineHost::LocalTime t = TEngineHost::Get().Now();
    return float(t.Hour * 3600 + t.Minute * 60 + t.Second) + float(t.Millisecond / 10) * 0.01f;
}

}

uint32_t TMainWin::InputDeviceCount()
{
    return ::waveInGetNumDevs();
}

void TMainWin::ResetAveragers()
{
    Pipeline.ResetAveraging();
}

void TMainWin::LimitBlocks(int32_t count)
{
    BlockLimit = count > 0 ? count : 0;
    BlockLimitFlag = count > 0 ? 1 : 0;
}

void TMainWin::StartRecording()
{
    AppendHalt = 0;
    RunState = Recording;
    StartAnalyzer();
}

void TMainWin::PlayRecording()
{
    RunState = Playback;
    StartAnalyzer();
}

void TMainWin::ResetOverload()
{
    OverloadBlocks = 0;
    OverloadFlag = 0;
}

LRESULT TMainWin::EvDeviceChange(WPARAM, LPARAM)
{
    return 0;
}

void TMainWin::CmRun()
{
    if (MacroWindow() && MacroWindow()->ForwardEnterKey()) return;
    if (OpMode == PostProcess || (OpMode == RealTime && RunState == Stopped)) {
        RunRequest = 1;
        StartAnalyzer();
    }
}

// New recordings and history waves take the enabled channels' calibration.
static void SetWaveCalibration(TWaveData& wave, const CalibrationStruct& calibration)
{
    wave.SetCalibration(calibration.Left.IsEnabled ? calibration.Left.CalRatio : 1.0f,
                        calibration.Right.IsEnabled ? calibration.Right.CalRatio : 1.0f);
}

bool TMainWin::MakeRecording()
{
    const char* tmp = CurrentFolders[TmpFolder];
    std::unique_ptr<TWaveFile> wave;
    if (FileIO.WaveFileMode == 0) {
        // Sized in 64 bits: a long maximum time at a high rate must fail, not wrap to a short wave.
        const uint64_t frames = uint64_t(Settings.Format.SamplingRate) * uint64_t(std::max(FileIO.MaxRamRecordingTimeSecs, 0));
        if (frames <= UINT32_MAX) wave = std::make_unique<TWaveFile>(uint32_t(frames), Settings.Format, tmp);
    } else {
        wave = std::make_unique<TWaveFile>(Settings.Format, uint32_t(FileIO.MakeBackup), tmp);
    }
    const bool made = wave && !wave->Error;
    ReplaceWave(made ? std::move(wave) : nullptr);
    if (!made) {
        if (FileIO.WaveFileMode == 0)
            TEngineHost::Get().ShowMessage(
                "Insufficient memory available.  Reduce the \"Max Recording Time\" value under the <File><File "
                "I/O Options> menu or change to the \"Hard Disk\" recording method.",
                Caption, TEngineHost::MsgIconExclamation);
        return false;
    }
    SetWaveCalibration(*WaveFile, Calibration);
    return true;
}

void TMainWin::StartAnalyzer()
{
    CurrentTime = 0.0f;
    TriggerCount = 0;
    if (SoundInput && SoundInput->Quirks.settleDelay && !IsWin32s()) ::Sleep(DWORD(FileIO.DarlaDelay));
    if (RunState == Running) return;
    PrepareRun();
    // A run measures its own equivalent levels from its start.
    if (TLeqAnalysis* leq = LeqWindow(); leq && leq->GetHandle()) leq->Refresh();
    if (!StartRunOfMode()) return;
    SeriesViewStarted();
    RefreshRunDisplays();
    if (!MacroWindow()) IdleAction(0);
    if ((RunState == Running || RunState == Recording) && SoundInput && SoundInput->IsOpen()) SoundInput->Start();
    // Ports that start together were left paused until capture began.
    if (SignalGenerator()) SignalGenerator()->RestartOutput();
    const bool live = (OpMode == RealTime && RunState == Running) || RunState == Recording || RunState == Playback;
    if (live && HWindow) SetTimer(PaceTimer, PaceTimerMs);
}

void TMainWin::PrepareRun()
{
    if (SoundInput) SoundInput->SetFormat(Settings.Format);
    if (SoundOutput) SoundOutput->SetFormat(Settings.Format);
    if (SoundOutput && SoundOutput->Quirks.leadIn && SignalGenerator()) SignalGenerator()->StopOutput();
    OverloadFlag = AppendHalt = OverloadBlocks = BlocksProcessed = InputLevelLeft = InputLevelRight = 0;
    UpdateHopSize();
    UpdateDelaySamples();
    TriggerOffset = 0;
    PartialFrames = 0;
    LivePacer.Reset();
    if (!WaveFile) HistoryWrapPosition = 0;
    if (!RunRequest) {
        AllocateSeriesBuffers();
        AllocateSpectralData();
    }
    SeriesLiveBlock = 1;
    for (TSeriesData* search : {TriggerSeriesLeft, TriggerSeriesRight})
        if (search) search->Clear();
    if (!RunRequest) ResetAveragers();
}

bool TMainWin::StartRunOfMode()
{
    switch (OpMode) {
    case RealTime:
        if (!OpenCaptureInput()) {
            RunState = Stopped;
            return false;
        }
        RunState = Running;
        StartGeneratorWithCapture(true);
        return true;
    case PostProcess:
        return StartPostProcessRun();
    case Recorder:
        if (RunState == Recording) {
            if (!OpenCaptureInput()) {
                RunState = Stopped;
                return false;
            }
            StartGeneratorWithCapture(false);
        } else if (RunState == Playback) {
            return StartRecorderPlayback();
        }
        return true;
    default:
        return true;
    }
}

bool TMainWin::StartPostProcessRun()
{
    if (!WaveFile) {
        TEngineHost::Get().ShowMessage(IDS_OPEN_WAVE_FIRST_TEXT, Caption, TEngineHost::MsgIconInformation);
        return false;
    }
    const uint32_t position = WaveFile->GetPosition();
    const uint32_t end = WaveFile->GetHighWaterMark();
    const uint32_t left = end > position ? end - position : 0;
    if (!SeriesLeft || left < SeriesLeft->GetLength()) {
        const char* text = position == 0
            ? "There are not enough data samples in the file to perform an FFT.  Either reduce the FFT size or "
              "Decimation Ratio or record additional data to increase the file size."
            : position >= end ? "You have reached the end of the file.  Please rewind and then run the analyzer."
                              : "You are close to the end of the file and there are not enough data samples to "
                                "perform an FFT";
        TEngineHost::Get().ShowMessage(text, Caption, TEngineHost::MsgIconInformation);
        RunState = Stopped;
        return false;
    }
    RunState = Running;
    return true;
}

bool TMainWin::StartRecorderPlayback()
{
    if (!WaveFile || !SoundOutput) {
        RunState = Stopped;
        return false;
    }
    if (WaveFile->GetPosition() == WaveFile->GetFrameCount()) WaveFile->Rewind();
    CurrentTime = PlaybackTimeOffset = WaveFile->GetPositionTime();
    SoundOutput->SetFormat(Settings.Format);
    // Playback that cannot start leaves the analyser stopped: the port has reported.
    if (!SoundOutput->Open(HWindow, 0) || !AllocateCaptureBlocks()) {
        SoundOutput->CloseDevice();
        RunState = Stopped;
        return false;
    }
    PostMessage(MM_WOM_DONE, 0, 0);
    return true;
}

int TMainWin::OpenCaptureInput()
{
    if (!SoundInput) return 0;
    if (InputDeviceCount() == 0) {
        TEngineHost::Get().ShowMessage("No Sound Cards were detected on your system.", Caption,
                                       TEngineHost::MsgIconStop);
        return 0;
    }
    if (!SoundInput->SetFormat(Settings.Format)) {
        TEngineHost::Get().ShowMessage(IDS_FORMAT_NOT_SUPPORTED_TEXT, Caption, TEngineHost::MsgIconStop);
        return 0;
    }
    if (!SoundInput->Open(HWindow, uint32_t(FileIO.DALSelfMonitor))) return 0;
    if (OpMode == RealTime) return OpenRealTimeCapture() ? 1 : 0;
    if (OpMode == Recorder) return OpenRecorderCapture() ? 1 : 0;
    return 1;
}

bool TMainWin::OpenRealTimeCapture()
{
    if (!AllocateCaptureBlocks()) return false;
    ReplaceWave(nullptr);
    if (FileIO.RealTimeWaveBufferEnableFlag == 1 && !MakeHistoryWave()) return false;
    for (int slot = 0; slot < 2; ++slot) {
        CaptureBlocks[slot]->ClearBuffer();
        if (!SoundInput->AddBuffer(CaptureBlocks[slot]->GetBuffer(), CaptureBlocks[slot]->GetBufferSize(), slot))
            return false;
        RecordTimeOffset = WaveFile ? WaveFile->GetPositionTime() : TimeOfDaySeconds();
    }
    return true;
}

bool TMainWin::MakeHistoryWave()
{
    const char* tmp = CurrentFolders[TmpFolder];
    HistoryWrapPosition = 0;
    std::unique_ptr<TWaveFile> wave;
    if (FileIO.WaveFileMode == 0) {
        const double frames = (FileIO.RealTimeWaveBufferLengthSecs - 1) * 1.1 * Settings.Format.SamplingRate;
        wave = std::make_unique<TWaveFile>(uint32_t(frames > 0 ? frames : 0), Settings.Format, tmp);
    } else {
        wave = std::make_unique<TWaveFile>(Settings.Format, uint32_t(FileIO.MakeBackup), tmp);
    }
    const bool made = !wave->Error;
    ReplaceWave(made ? std::move(wave) : nullptr);
    if (!made) return false;
    SetWaveCalibration(*WaveFile, Calibration);
    for (TSpectrogram* view : SpectrogramViews())
        if (view) view->UpdateToolButton();
    if (TimeSeriesView()) TimeSeriesView()->UpdateSelectButton();
    for (TSurfacePlot* surface : SurfaceViews())
        if (surface) surface->UpdateToolButton();
    return true;
}

bool TMainWin::OpenRecorderCapture()
{
    if (!WaveFile) {
        if (!MakeRecording()) return false;
        if (HWindow) SetWaveCaption(IDS_UNTITLED_TEXT);
    } else if (!ContinueRecording()) {
        return false;
    }
    RecordTimeOffset = WaveFile->GetPositionTime();
    if (!AllocateCaptureBlocks()) return false;
    for (int slot = 0; slot < 2; ++slot)
        SoundInput->AddBuffer(CaptureBlocks[slot]->GetBuffer(), CaptureBlocks[slot]->GetBufferSize(), slot);
    if (HWindow) {
        GetWindowText(SavedCaption, sizeof SavedCaption);
        char caption[2 * PathSize];
        std::snprintf(caption, sizeof caption, "%s - Recording...", Caption);
        SetCaption(caption);
    }
    return true;
}

bool TMainWin::ContinueRecording()
{
    // A memory recording near its end grows by a minute, or by as much of one as memory and
    // the largest wave file allow; one that has reached that size stops, keeping what it holds.
    if (FileIO.WaveFileMode == 0 && WaveFile->GetDuration() - WaveFile->GetPositionTime() < 1.0f) {
        const uint32_t room = WaveFile->MaxFrames() - std::min(WaveFile->GetFrameCount(), WaveFile->MaxFrames());
        if (room == 0) {
            SoundInput->Close();
            TEngineHost::Get().ShowMessage(TWaveFile::TooLargeText, Caption, TEngineHost::MsgIconExclamation);
            return false;
        }
        uint32_t increment = std::min(WaveFile->GetSampleRate() * 60, room);
        int tries = 0;
        while (!WaveFile->SetLength(WaveFile->GetFrameCount() + increment)) {
            increment /= 2;
            if (++tries == 11) {
                SoundInput->Close();
                TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, Caption, TEngineHost::MsgIconExclamation);
                return false;
            }
        }
    }
    if (FileIO.WaveFileMode == 1 && FileIO.MakeBackup == 0
        && TEngineHost::Get().ShowMessage(IDS_NO_BACKUP_WARNING_TEXT, Caption,
                                          TEngineHost::MsgYesNo | TEngineHost::MsgIconExclamation)
            == TEngineHost::AnswerNo)
        return false;
    WaveFile->Changed = 1;
    return true;
}

void TMainWin::StopAnalyzer()
{
    if (SoundInput && SoundInput->Quirks.settleDelay && !IsWin32s()) ::Sleep(DWORD(FileIO.DarlaDelay));
    uint32_t newest = WaveFile ? WaveFile->GetPosition() : 0;
    if (RunState == Recording || (OpMode == RealTime && RunState == Running && WaveFile)) {
        const int slot = SoundInput && SoundInput->IsOpen() ? SoundInput->GetActiveInputSlot() : -1;
        TWaveData* block = slot >= 0 && slot < 2 ? CaptureBlocks[slot] : nullptr;
        if (block && WaveFile
            && (!Trigger.Enable
                || block->TestTrigger(Trigger, 0, block->GetFrameCount(), uint16_t(Trigger.Channel)))) {
            const uint32_t frames = SoundInput->GetSlotRecordedFrames(slot);
            WaveFile->WriteStream(block->GetBuffer(), block->FramesToBytes(frames));
            newest = WaveFile->GetPosition();
        }
        if (RunState == Recording && HWindow && SavedCaption[0]) SetCaption(SavedCaption);
    }
    const int previous = RunState;
    RunState = Stopped;
    // The figures of the whole run, or of its last interval.
    if (TLeqAnalysis* leq = LeqWindow(); leq && leq->GetHandle() && previous != Stopped) leq->Update(true);
    if (HWindow) KillTimer(PaceTimer);
    if (SoundInput) SoundInput->CloseDevice();
    if (SoundOutput) SoundOutput->CloseDevice();
    if (SignalGenerator()) SignalGenerator()->StopOutput();

    if (OpMode == RealTime && WaveFile && HistoryWrapPosition != 0) {
        auto unrolled = FileIO.WaveFileMode == 0
            ? std::make_unique<TWaveFile>(WaveFile->GetFrameCount(), WaveFile->GetFormat(), CurrentFolders[TmpFolder])
            : std::make_unique<TWaveFile>(WaveFile->GetFormat(), 0, CurrentFolders[TmpFolder]);
        if (!unrolled->Error) {
            // The older lap (after the newest capture) first, the newest capture last.
            const uint32_t q = newest;
            const uint32_t w = HistoryWrapPosition;
            const uint32_t older = w > q ? w - q : 0;
            if (older) TWaveFile::CopyFrames(WaveFile.get(), unrolled.get(), q, 0, older);
            if (q) TWaveFile::CopyFrames(WaveFile.get(), unrolled.get(), 0, older, q);
            unrolled->SetPosition(unrolled->GetHighWaterMark());
            ReplaceWave(std::move(unrolled));
            HistoryWrapPosition = 0;
        }
        SetWaveCalibration(*WaveFile, Calibration);
        // The lines' times were the capture's; now they are the wave's.
        if (!DdeClientLink) {
            if (TSurfacePlot* surface = SurfaceView(0) ? SurfaceView(0) : SurfaceView(1))
                surface->ShiftHistoryTimes(WaveFile->GetDuration() - CurrentTime);
            for (TSpectrogram* view : SpectrogramViews())
                if (view) view->ShiftHistoryTimes(WaveFile->GetDuration() - CurrentTime);
        }
    }
    if (TSurfacePlot* surface = SurfaceView(0) ? SurfaceView(0) : SurfaceView(1))
        surface->UpdateReadout();
    for (TSpectrogram* view : SpectrogramViews())
        if (view) view->UpdateReadout();
    if (previous != Stopped && !RunRequest && WaveFile) SeriesViewStopped();
    if (!RunRequest) {
        FreeCaptureBlocks();
        OverloadFlag = 0;
    }
    RefreshRunDisplays();
    UpdateButtonToolbar();
    for (TPhasePlot* view : PhaseViews())
        if (view && view->GetHandle())
            view->NewData(0.0f);
    // The spectrum views space their redraws in time: the last block may not
    // have been drawn yet.
    for (TSpectrumPlot* view : SpectrumViews())
        if (view && view->GetHandle())
            view->NewData(0.0f);
    BlockLimitFlag = 0;
}

LRESULT TMainWin::EvWaveBufferDone(WPARAM, LPARAM)
{
    if ((RunState == Stopped && !PlaybackActive) || !SoundInput || !SoundOutput) return 0;
    const bool singleShotDone = Trigger.Enable && TriggerCount > 0 && Trigger.Mode == TriggerSettings::StopOnTrigger;

    if (OpMode == RealTime && RunState == Running) {
        if (singleShotDone) {
            StopAnalyzer();
            return 0;
        }
        TakeRealTimeBuffers();
    } else if (OpMode == Recorder) {
        if (singleShotDone) StopAnalyzer();
        if (RunState == Recording) TakeRecordedBuffers();
        if (RunState == Playback) RefillPlaybackBuffers();
    }
    if (PlaybackActive && SoundOutput->IsBufferDone(0)) EndSegmentPlayback();
    return 0;
}

void TMainWin::TakeRealTimeBuffers()
{
    for (int slot = 0; slot < 2; ++slot) {
        TWaveData* block = CaptureBlocks[slot];
        if (!block || !SoundInput->IsBufferDone(slot)) continue;
        const uint32_t frames = SoundInput->GetSlotRecordedFrames(slot);
        PartialFrames = IsWin32s() ? 0 : block->GetFrameCount() - frames;
        SoundInput->AddBuffer(block->GetBuffer(), block->GetBufferSize(), slot);
        if (WaveFile) {
            WaveFile->WriteStream(block->GetBuffer(), block->FramesToBytes(frames));
            const float ring = float(FileIO.RealTimeWaveBufferLengthSecs - 1);
            if (WaveFile->GetPosition() > block->TimeToFrame(ring)) {
                HistoryWrapPosition = WaveFile->GetPosition();
                WaveFile->Rewind();
            }
        }
    }
}

void TMainWin::TakeRecordedBuffers()
{
    int written = 1;
    for (int slot = 0; slot < 2; ++slot) {
        TWaveData* block = CaptureBlocks[slot];
        if (!block || !SoundInput->IsBufferDone(slot)) continue;
        int triggered = 1;
        if (Trigger.Enable && !(TriggerCount > 0 && Trigger.Mode == TriggerSettings::RunOn))
            triggered = block->TestTrigger(Trigger, 0, block->GetFrameCount(), uint16_t(Trigger.Channel));
        if (ForceTrigger) {
            triggered = 1;
            ForceTrigger = 0;
        }
        if (triggered) {
            uint32_t frames = SoundInput->GetSlotRecordedFrames(slot);
            PartialFrames = block->GetFrameCount() - frames;
            if (IsWin32s()) frames = block->GetFrameCount();
            if (WaveFile && !AppendHalt)
                written = WaveFile->WriteStream(block->GetBuffer(), block->FramesToBytes(frames));
        }
        if (written) SoundInput->AddBuffer(block->GetBuffer(), block->GetBufferSize(), slot);
    }
    if (!written) StopAnalyzer();
    if (WaveFile && FileIO.WaveFileMode == 1
        && uint64_t(WaveFile->GetPositionBytes()) > uint64_t(uint32_t(FileIO.MaxDiskRecordingSizeBytes)))
        ContinueInNewRecording();
}

void TMainWin::RefillPlaybackBuffers()
{
    int last = 0;
    for (int slot = 0; slot < 2; ++slot) {
        TWaveData* block = CaptureBlocks[slot];
        if (!block || !WaveFile || !SoundOutput->IsBufferDone(slot)) continue;
        last = WaveFile->ReadStream(block->GetBuffer(), block->GetBufferSize());
        int triggered = 1;
        if (Trigger.Enable && last)
            triggered = block->TestTrigger(Trigger, 0, block->GetFrameCount(), uint16_t(Trigger.Channel));
        if (ForceTrigger) {
            triggered = 1;
            ForceTrigger = 0;
        }
        if (Trigger.Enable && TriggerCount > 0 && Trigger.Mode == TriggerSettings::RunOn) triggered = 1;
        if (!triggered) {
            if (!MacroWindow()) IdleAction(0);
            PostMessage(MM_WOM_DONE, 0, 0);
        } else if (last) {
            SoundOutput->WriteBuffer(block->GetBuffer(), block->GetBufferSize(), slot, 0);
            SoundOutput->Restart();
        }
    }
    if (!last && SoundOutput->AllBuffersDone()) StopAnalyzer();
}

void TMainWin::EndSegmentPlayback()
{
    PlaybackActive = 0;
    SoundOutput->CloseDevice();
    PlaybackCopy.reset();
}

std::string TMainWin::RecordingFileName(const char* folder, const TEngineHost::LocalTime& t)
{
    char stem[2 * PathSize];
    std::snprintf(stem, sizeof stem, "%s\\recording_%04d_%02d_%02d_%02d%02d%02d", folder, t.Year, t.Month, t.Day, t.Hour,
                  t.Minute, t.Second);
    std::string name = std::string(stem) + ".wav";
    for (int n = 2; ::GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
        name = std::string(stem) + "_" + std::to_string(n) + ".wav";
    return name;
}

void TMainWin::ContinueInNewRecording()
{
    StopAnalyzer();
    if (!WaveFile) return;
    if (WaveFile->IsUntitled())
        WaveFile->SetFileName(RecordingFileName(CurrentFolders[WavFolder], TEngineHost::Get().Now()).c_str());
    IncludeCalibrationIn(*WaveFile);
    if (HWindow) SetCaption(IDS_SAVING_WAVE_TEXT);
    // A failed save keeps the wave: it is then the only copy of the recording.
    if (WaveFile->SaveAs() != 1) return;
    ReplaceWave(nullptr);
    RunState = Recording;
    StartAnalyzer();
}
