// The THD+N versus frequency window's run: the stages, the full-duplex capture and the progress with Esc.
#include "utilities/TTHDFreq.h"

#include <cstdlib>
#include <cstring>

#include "base/TSettingsTable.h"
#include "engine/AnalysisSettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFile.h"
#include "framework/TApplication.h"
#include "framework/TClientDC.h"
#include "framework/TGauge.h"
#include "framework/TProfileFile.h"
#include "utilities/TThdFreqHost.h"
#include "views/TViewHost.h"

namespace {

constexpr const char* Product = "Tonalyx";
constexpr const char* AcquiringText = "Acquiring Data...";
// A device that has not filled the buffer this long after the signal's end has stalled.
constexpr DWORD StallMilliseconds = 3000;
// Meter values: 100 is full scale, 60 the least level the results hold good at.
constexpr int Clipping = 100;
constexpr int LeastLevel = 60;
constexpr uint32_t MeterBlock = 4096;

// The ports of one run, closed and deleted in order on every way out.
struct TDuplexPorts {
    std::unique_ptr<TSoundInput> Input;
    std::unique_ptr<TSoundOutput> Output;
    ~TDuplexPorts()
    {
        if (!Input && !Output) return;
        ::Sleep(250);
        if (Input) Input->Close();
        ::Sleep(100);
        if (Output) Output->Close();
    }
};

}  // namespace

void TTHDFreq::CmStart()
{
    Thd.StopForMeasurement();
    if (Changed && !QuerySave()) return;
    ResultFile.clear();
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    BeginProgress();
    Running = true;
    Overload = false;
    LevelTooLow = false;
    Run.Abort = false;
    Invalidate(true);
    UpdateWindow();
    Thd.SetMeasuring(true);

    Opts = Thd.GetThdFreqOptions();
    std::string message;
    if (!Run.BuildTestSignal(MainWin->GetAnalysisSettings().Format.SamplingRate,
                             MainWin->GetAnalysisSettings().Format.BytesPerSample, message)
        && !message.empty())
        MessageBox(message.c_str(), Product, MB_OK | MB_ICONSTOP);
    Thd.SetThdFreqOptions(Opts);
    Acquire();
    if (Capture) {
        Run.Synchronize(*Capture);
        Run.ComputeDistortion(*Capture, Left, Right);
    }
    EndProgress();

    Running = false;
    if (!Run.Abort) Changed = true;
    Thd.SetMeasuring(false);
    ::SetCursor(previous);
    UpdateLayout();
}

void TTHDFreq::Acquire()
{
    if (!Run.Signal || Run.Abort) return;
    const TThdFreqHost::TDuplexDevices devices = Thd.DuplexDevices();
    if (devices.HalfDuplex) {
        MessageBox("The Sound Card you are using does not support duplex operations.", Product, MB_OK | MB_ICONSTOP);
        Run.Abort = true;
        return;
    }
    TWaveData& signal = *Run.Signal;
    Capture = std::make_unique<TWaveData>(signal.GetFrameCount(), Run.Format);
    if (Capture->Error || !Capture->GetBuffer()) {
        Capture.reset();
        Run.Abort = true;
        return;
    }
    Capture->ClearBuffer();

    TDuplexPorts ports;
    ports.Input = std::make_unique<TSoundInput>(devices.Input);
    ports.Output = std::make_unique<TSoundOutput>(devices.Output);
    // Each port reports its own failure.
    if (!ports.Input->SetFormat(Run.Format) || !ports.Input->Open(nullptr, devices.SelfMonitor)
        || !ports.Output->SetFormat(Run.Format) || !ports.Output->Open(nullptr, devices.SelfMonitor)
        || !ports.Input->AddBuffer(Capture->GetBuffer(), Capture->GetBufferSize(), 0)
        || !ports.Output->WriteBuffer(signal.GetBuffer(), signal.GetBufferSize(), 0, 0)) {
        Run.Abort = true;
        return;
    }
    // Recording runs before the playback is released.
    ports.Input->Start();
    ports.Output->Restart();

    LevelTooLow = true;
    Thd.ShowInputPeaks(-999, -999, false);
    const int channels = Run.Format.NumChannels == 2 ? 2 : 1;
    std::unique_ptr<TSeriesData> meters[2];
    for (int c = 0; c < channels; ++c) meters[c] = std::make_unique<TSeriesData>(MeterBlock, Run.Format, 1, 0);
    const double duration = signal.GetDuration();
    const DWORD deadline = ::GetTickCount() + DWORD(duration * 1000.0) + StallMilliseconds;
    int peaks[2] = {-999, -999};
    for (uint32_t pass = 1; !ports.Input->IsBufferDone(0) && !Run.Abort; ++pass) {
        const uint32_t recorded = ports.Input->GetRecordedFrames();
        if (recorded > MeterBlock) {
            for (int c = 0; c < channels; ++c) {
                Capture->ReadFrames(meters[c]->GetSamplePtr(0), recorded - MeterBlock, MeterBlock, uint16_t(c));
                peaks[c] = meters[c]->GetPeakMagnitude();
                if (peaks[c] >= Clipping) {
                    Overload = true;
                    Run.Abort = true;
                }
                if (peaks[c] >= LeastLevel) LevelTooLow = false;
            }
            Thd.ShowInputPeaks(peaks[0], peaks[1], pass % 1000 == 0);
        }
        if (pass % 1000 == 0)
            Show(int(ports.Output->GetPlayedSeconds() * 100.0 / duration), AcquiringText);
        if (int(::GetTickCount() - deadline) > 0) {
            Run.Abort = true;
            MessageBox("The sound card stopped recording before the end of the test signal.  The measurement was "
                       "cancelled.",
                       Product, MB_OK | MB_ICONSTOP);
        }
    }
    if (LevelTooLow) Run.Abort = true;
    Thd.ShowInputPeaks(-999, -999, true);
    WriteDebugCapture();
}

// With "DebugFlag" set the capture is kept as debug.wav in the "thd" folder.
void TTHDFreq::WriteDebugCapture()
{
    TProfileFile ini(MainWin->GetIniPath());
    if (std::atoi(TSettingsTable::ReadText(ini, "THDFreqOpts", "DebugFlag", "0", 21).c_str()) == 0 || !Capture)
        return;
    const std::string path = Thd.ResolveThdPath("debug.wav");
    if (path.empty()) return;
    TWaveFile debug(Capture->GetFrameCount(), Capture->GetFormat(), Thd.TemporaryFolder().c_str());
    if (debug.Error) return;
    debug.Rewind();
    debug.WriteStream(Capture->GetBuffer(), Capture->GetBufferSize());
    debug.SetFileName(path.c_str());
    debug.Save();
}

void TTHDFreq::BeginProgress()
{
    Gauge->SetValue(0);
    Gauge->SetRange(0, 100);
    Gauge->Show(SW_SHOW);
    Show(0, "");
}

void TTHDFreq::EndProgress()
{
    Gauge->SetValue(0);
    Gauge->Show(SW_HIDE);
    Show(0, "");
}

bool TTHDFreq::Show(int percent, const char* text)
{
    if (!HWindow) return Run.Abort;
    Gauge->SetValue(percent);
    Gauge->UpdateWindow();
    if (ProgressText != text) {
        const TRect gauge = Gauge->GetWindowRect();
        TPoint corner(gauge.left, gauge.top);
        ScreenToClient(corner);
        const TRect strip(corner.x, corner.y - 16 - 2, corner.x + gauge.Width(), corner.y - 16 + gauge.Height() + 2);
        TClientDC dc(HWindow);
        if (const TBrush* face = MainWin->GetFaceBrush()) dc.FillRect(strip, HBRUSH(*face));
        if (Font) dc.SelectObject(*Font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        dc.TextOut(strip.left, strip.top, text);
        ProgressText = text;
    }
    if (PollEscape()) Run.Abort = true;
    return Run.Abort;
}

bool TTHDFreq::PollEscape()
{
    bool escape = false;
    HWND main = GetApplication() && GetApplication()->GetMainWindow() ? GetApplication()->GetMainWindow()->GetHandle()
                                                                       : nullptr;
    for (HWND window : {HWindow, main}) {
        MSG msg;
        if (window && ::PeekMessageA(&msg, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) && msg.message == WM_KEYDOWN
            && msg.wParam == VK_ESCAPE)
            escape = true;
    }
    return escape;
}
