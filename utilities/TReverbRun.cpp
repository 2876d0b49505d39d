// The reverberation measurement: a live run through the window's own sound
// ports, the segment analysis, and the progress display that polls Esc.
#include "utilities/TReverb.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveData.h"
#include "framework/TClientDC.h"
#include "framework/TComboBoxNonSort.h"
#include "framework/TFont.h"
#include "framework/TGauge.h"
#include "framework/TModule.h"
#include "utilities/TReverbAnalysis.h"
#include "utilities/TReverbHost.h"

// The analysis steps' progress shown in the window; false once Esc stops the run.
class TReverbProgress : public TReverbAnalysis::TProgress {
public:
    explicit TReverbProgress(TReverb& window) : Window(window) {}
    bool Progress(int percent, const char* text) override { return Window.SetProgress(percent, text); }

private:
    TReverb& Window;
};

namespace {

// Frames the level meter reads of the newest recording.
constexpr uint32_t MeterFrames = 2048;
// The live run starts its decay this much before the noise ends.
constexpr float LiveDecayOffset = -0.06f;
constexpr float MinSegmentSeconds = 0.2f;
constexpr float MaxSegmentSeconds = 30.0f;

class TWaitCursor {
public:
    TWaitCursor() : Old(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { ::SetCursor(Old); }

private:
    HCURSOR Old;
};

}  // namespace

void TReverb::ShowProgress()
{
    Progress->SetValue(0);
    Progress->Show(SW_SHOW);
    ProgressText.clear();
}

bool TReverb::SetProgress(int percent, const char* text)
{
    if (Progress->GetHandle()) {
        Progress->SetValue(percent);
        Progress->UpdateWindow();
        RECT r;
        ::GetWindowRect(Progress->GetHandle(), &r);
        ::MapWindowPoints(nullptr, HWindow, reinterpret_cast<POINT*>(&r), 2);
        TClientDC dc(HWindow);
        const TRect strip(r.left, r.top - 18, r.right, r.top - 14 + 16);
        if (const HBRUSH brush = Host.UtilityBrush()) dc.FillRect(strip, brush);
        const HFONT font = Host.ControlFont();
        const TFont controlFont(font, false);
        if (font) dc.SelectObject(controlFont);
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        dc.TextOut(r.left, r.top - 16, text);
        dc.SetBkMode(oldMode);
        if (font) dc.RestoreFont();
    }
    ProgressText = text;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) CancelRequested = 1;
    return !CancelRequested;
}

void TReverb::HideProgress()
{
    Progress->SetValue(0);
    Progress->Show(SW_HIDE);
    ProgressText.clear();
    // The text strip over the gauge.
    if (HWindow) InvalidateRect(TRect(362, 0, 576, 20), true);
}

void TReverb::SelectResultDisplay()
{
    if (CancelRequested) DisplayMode = TReverbLayout::NoData;
    else if (DisplayMode == TReverbLayout::NoData) DisplayMode = TReverbLayout::RtBars;
}

void TReverb::ApplySmoothing()
{
    const TWaitCursor wait;
    const ReverbSettings o = Options();
    Table.ApplySmoothing(o.SmoothingMethod, o.ExtrapolationMethod);
}

void TReverb::ComputeReverbTimes()
{
    const TWaitCursor wait;
    Table.ComputeReverbTimes(Options().ExtrapolationMethod);
}

void TReverb::CmStart()
{
    FromSegment = ShowCutoffHint = 0;
    Host.StopAnalyzerForRun();
    if (DataChanged && !QuerySave()) return;
    FileName.clear();
    const TWaitCursor wait;
    ShowProgress();
    Busy = 1;
    CancelRequested = 0;
    UpdateLayout();
    Host.EnableFrame(false);

    Format = TWaveFormat(Host.RunSampleRate(), 1, 2);
    Table.Geometry = TReverbData::LiveGeometry;
    Table.DecayStartTime = 0.0f;
    Table.DecayLength = Options().MaxDecayTime;
    Table.ComputeTiming(Format.SamplingRate);
    if (!Table.AllocateRows()) CancelRequested = 1;

    BuildExcitation();
    AcquireResponse();
    TReverbProgress progress(*this);
    if (!CancelRequested && Captured)
        Table.SyncTime = TReverbAnalysis::FindSyncTime(*Captured, Table, Table.SyncTime, progress);
    EvaluateLevels();
    Table.RowCount = 0;
    if (!CancelRequested && Captured) {
        TReverbAnalysis::AnalyzeDecay(*Captured, Table, LiveDecayOffset, progress);
        Table.NormalizeDecay();
        ApplySmoothing();
        ComputeReverbTimes();
    }
    SelectResultDisplay();
    HideProgress();

    Busy = 0;
    if (!CancelRequested) DataChanged = 1;
    Host.EnableFrame(true);
    ReverbSettings o = Options();
    o.DisplayedDecayTime = Table.DecayLength;
    StoreOptions(o);
    UpdateLayout();
    SelectTimeSpan(o.DisplayedDecayTime);
}

void TReverb::BuildExcitation()
{
    Excitation.reset();
    if (CancelRequested) return;
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    const uint8_t* noise = nullptr;
    size_t bytes = 0;
    if (HRSRC found = ::FindResourceA(instance, "PINKWAVE", "PinkWave")) {
        if (HGLOBAL loaded = ::LoadResource(instance, found)) {
            noise = static_cast<const uint8_t*>(::LockResource(loaded));
            bytes = ::SizeofResource(instance, found);
        }
    }
    Excitation = TReverbAnalysis::BuildExcitation(Table, Format, noise, bytes);
    if (!Excitation) CancelRequested = 1;
}

void TReverb::AcquireResponse()
{
    if (CancelRequested || !Excitation) return;
    if (Host.RunInputDevice() == Host.RunOutputDevice() && !Host.DeviceIsFullDuplex()) {
        Message("The Sound Card you are using does not support duplex operations.", MB_OK | MB_ICONSTOP);
        CancelRequested = 1;
        return;
    }
    FromSegment = 0;
    Captured = std::make_unique<TWaveData>(uint32_t(Table.TotalLength * 1.1 * Format.SamplingRate), Format);
    if (Captured->Error) {
        Captured.reset();
        CancelRequested = 1;
        return;
    }
    auto input = std::make_unique<TSoundInput>(uint32_t(Host.RunInputDevice()));
    auto output = std::make_unique<TSoundOutput>(uint32_t(Host.RunOutputDevice()));
    input->SetFormat(Format);
    output->SetFormat(Format);
    if (!input->Open(nullptr, Host.RunPortOption()) || !output->Open(nullptr, Host.RunPortOption()) ||
        !input->AddBuffer(Captured->GetBuffer(), Captured->GetBufferSize(), 0) ||
        !output->WriteBuffer(Excitation->GetBuffer(), Excitation->GetBufferSize(), 0, 0)) {
        CancelRequested = 1;
        return;
    }
    input->Start();
    output->Restart();
    Host.ShowRunLevel(-999);
    TSeriesData meter(MeterFrames, Format, 1, 0);
    // A device that never hands its buffer back ends the run after its length and a margin.
    const DWORD limit = ::GetTickCount() + DWORD((Table.TotalLength * 1.1f + 10.0f) * 1000);
    while (!input->IsBufferDone(0) && !CancelRequested && int32_t(::GetTickCount() - limit) < 0) {
        ::Sleep(100);
        Host.ShowRunning(true);
        const uint32_t recorded = uint32_t(input->GetRecordedSeconds() * Format.SamplingRate);
        if (recorded > MeterFrames && recorded <= Captured->GetFrameCount()) {
            Captured->ReadFrames(meter.GetSamplePtr(0), recorded - MeterFrames, MeterFrames, 0);
            Host.ShowRunLevel(meter.GetPeakMagnitude());
        }
        SetProgress(int(output->GetPlayedSeconds() * 100 / Table.TotalLength), "Acquiring Data...");
    }
    Host.ShowRunLevel(-999);
    Host.ShowRunning(false);
    ::Sleep(250);
    input->CloseDevice();
    ::Sleep(100);
    output->CloseDevice();
}

void TReverb::EvaluateLevels()
{
    if (CancelRequested || !Captured) return;
    TReverbProgress progress(*this);
    const TReverbAnalysis::TLevels levels = TReverbAnalysis::EvaluateLevels(*Captured, Table, progress);
    if (CancelRequested) return;
    if (TReverbAnalysis::IsClipping(levels)) {
        Message("The detected signal is overloading (clipping) the input.\rReduce the amplifier volume or "
                "decrease the sound card input gain and repeat the measurement.",
                MB_OK | MB_ICONINFORMATION);
        CancelRequested = 1;
    } else if (TReverbAnalysis::IsTooLow(levels, Format)) {
        Message("The detected signal is to low for accurate measurements.\rIncrease the amplifier volume or "
                "increase the sound card input gain and repeat the measurement.",
                MB_OK | MB_ICONINFORMATION);
        CancelRequested = 1;
    }
}

void TReverb::AnalyzeSegment(TWaveData* wave, float start, float stop)
{
    if (!wave) return;
    if (DataChanged && !QuerySave()) return;
    FileName.clear();
    Format = wave->GetFormat();
    // Both ends inside the file: a start beyond its end leaves an empty span.
    const uint32_t frames = wave->GetFrameCount();
    const uint32_t first = std::min(wave->TimeToFrame(start), frames);
    const uint32_t last = std::max(std::min(wave->TimeToFrame(stop), frames), first);
    const float span = float(double(last - first) / Format.SamplingRate);
    const char* refusal = nullptr;
    if (span < MinSegmentSeconds)
        refusal = "The selected time segment is too short.  It must be at least 0.2 second in duration.";
    else if (span > MaxSegmentSeconds)
        refusal = "The selected time segment is too long.  It cannot be greater than 30.0 seconds in duration.";
    if (refusal) {
        Message(refusal, MB_OK | MB_ICONSTOP);
        FromSegment = ShowCutoffHint = Busy = 0;
        return;
    }
    const TWaitCursor wait;
    ShowProgress();
    FromSegment = Busy = 1;
    ShowCutoffHint = CancelRequested = 0;
    UpdateLayout();
    Captured = std::make_unique<TWaveData>(last - first, Format);
    if (Captured->Error) {
        Captured.reset();
        Busy = 0;
        HideProgress();
        return;
    }
    Host.EnableFrame(false);
    for (uint32_t f = first; f < last; ++f)
        Captured->PutSample(int32_t(wave->GetSample(f, 0, 0)), f - first, 0);

    const ReverbSettings settings = Options();
    TReverbProgress progress(*this);
    if (!TReverbAnalysis::AnalyzeSegment(*Captured, Table, settings.SmoothingMethod, settings.ExtrapolationMethod,
                                         progress))
        CancelRequested = 1;
    SelectResultDisplay();
    HideProgress();
    Busy = 0;
    if (!CancelRequested) DataChanged = 1;
    Host.EnableFrame(true);

    ReverbSettings o = Options();
    o.DisplayedDecayTime = Table.DecayLength + 0.1f;
    o.DisplayedDecayBand = Table.BandCount - 1;
    const float peak = Table.PeakWidebandLevel();
    ShowCutoffHint = peak > 20.0f ? 1 : 0;
    o.PlotTop = float(int(peak * 0.1f) * 10 + 10);
    StoreOptions(o);
    UpdateLayout();
    CmShowDecayPlot();
}

void TReverb::SetDecayStart()
{
    if (!Captured) return;
    const float t = GetXValue(MenuPoint);
    const int64_t s = std::max<int64_t>(int64_t(Captured->TimeToFrame(t)) - Table.Geometry.FftSize / 2, 0);
    if (s >= Captured->GetFrameCount()) return;
    const uint32_t frames = Captured->GetFrameCount() - uint32_t(s);
    TWaveData part(frames, Format);
    if (part.Error) return;
    for (uint32_t f = 0; f < frames; ++f)
        part.PutSample(int32_t(Captured->GetSample(uint32_t(s) + f, 0, 0)), f, 0);
    AnalyzeSegment(&part, 0.0f, part.GetDuration());
}
