// The generator window: its controls and layouts, the signal-type lists,
// the parameter and level dialogs, the settings, and its closing.
#include "generator/TSignalGenerator.h"

#include <cstring>
#include <initializer_list>
#include <string>

#include "base/TEngineHost.h"
#include "framework/TDC.h"
#include "framework/TFont.h"
#include "framework/TModule.h"
#include "generator/TDTMFSignalDialog.h"
#include "generator/TFreqStep.h"
#include "generator/TFreqSweep.h"
#include "generator/TGeneratorHost.h"
#include "generator/TGeneratorSettings.h"
#include "generator/TIMDDialog.h"
#include "generator/TLevelSweep.h"
#include "generator/TNoiseBurst.h"
#include "generator/TOutputLevelDialog.h"
#include "framework/TProfileFile.h"
#include "generator/TPulse.h"
#include "generator/TSawtooth.h"
#include "generator/TSignalTypes.h"
#include "generator/TSquare.h"
#include "generator/TToneBurst.h"
#include "generator/TTones.h"
#include "generator/TTriangular.h"
#include "generator/TWaveDialog.h"

namespace {

constexpr char Caption[] = "Signal Generator";
constexpr int ListStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// The stopped layout: control id, x, y, width and height.
const struct {
    int Id, X, Y, W, H;
} StoppedLayout[] = {
    {TSignalGenerator::RunId, 4, 4, 106, 26},          {TSignalGenerator::StopId, 4, 4, 42, 26},
    {TSignalGenerator::LevelId, 116, 4, 90, 26},       {TSignalGenerator::LeftDetailsId, 116, 36, 90, 23},
    {TSignalGenerator::RightDetailsId, 116, 64, 90, 23}, {TSignalGenerator::LeftTypeId, 20, 36, 90, 400},
    {TSignalGenerator::RightTypeId, 20, 64, 90, 400},  {TSignalGenerator::VolumeId, 100, 16, 18, 69},
};

}  // namespace

DEFINE_RESPONSE_TABLE1(TSignalGenerator, TWindow)
    EV_COMMAND(RunId, StartOutput)
    EV_COMMAND(StopId, StopOutput)
    EV_COMMAND(LeftDetailsId, CmEditLeft)
    EV_COMMAND(RightDetailsId, CmEditRight)
    EV_COMMAND(LevelId, CmOutputLevel)
    EV_CBN_SELCHANGE(LeftTypeId, CmLeftTypeChanged)
    EV_CBN_SELCHANGE(RightTypeId, CmRightTypeChanged)
    EV_CHILD_NOTIFY(RightTypeId, CBN_SETFOCUS, CmRightTypeFocus)
    EV_CHILD_NOTIFY_ALL_CODES(VolumeId, WriteVolume)
    EV_WM_SETFOCUS
    EV_MESSAGE(MM_WOM_DONE, EvOutputDone)
    EV_WM_SYSCOMMAND
    EV_WM_DESTROY
END_RESPONSE_TABLE;

TSignalGenerator::TSignalGenerator(TWindow* parent, TGeneratorHost& host, uint32_t deviceId,
                                   const char* settingsFile)
    : TWindow(parent, Caption), Host(host), Sources(host), Synth(Sources), DeviceId(deviceId)
{
    Attr.Style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    Attr.X = 300;
    Attr.Y = 200;
    Attr.W = StoppedWidth;
    Attr.H = StoppedHeight;
    RunButton = std::make_unique<TButton>(this, RunId, "Run", 4, 4, 106, 26);
    StopButton = std::make_unique<TButton>(this, StopId, "Stop", 4, 4, 42, 26);
    LevelButton = std::make_unique<TButton>(this, LevelId, "Level", 116, 4, 90, 26);
    LeftDetailsButton = std::make_unique<TButton>(this, LeftDetailsId, "Details...", 116, 36, 90, 23);
    RightDetailsButton = std::make_unique<TButton>(this, RightDetailsId, "Details...", 116, 64, 90, 23);
    LeftTypeList = std::make_unique<TComboBoxNonSort>(this, LeftTypeId, 20, 36, 90, 400, ListStyle, 20);
    RightTypeList = std::make_unique<TComboBoxNonSort>(this, RightTypeId, 20, 64, 90, 400, ListStyle, 20);
    VolumeBar = std::make_unique<TScrollBar>(this, VolumeId, 100, 16, 18, 69, false);
    LoadSettings(settingsFile);
}

TSignalGenerator::~TSignalGenerator()
{
    SaveSettings(Host.IniPath().c_str());
    // The port goes before the block it may still be playing.
    OutputPort.reset();
    Signal.reset();
}

void TSignalGenerator::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    wc.hIcon = ::LoadIconA(GetModule()->GetInstance(), "ICON_UTILITY");
    if (Host.BackgroundBrush()) wc.hbrBackground = Host.BackgroundBrush();
}

void TSignalGenerator::SetupWindow()
{
    TWindow::SetupWindow();
    const HINSTANCE instance = GetModule()->GetInstance();
    const HRSRC info = ::FindResourceA(instance, "PINKWAVE", "PinkWave");
    PinkWaveResource = info ? ::LoadResource(instance, info) : nullptr;
    const void* pink = PinkWaveResource ? ::LockResource(PinkWaveResource) : nullptr;
    if (pink)
        Synth.SetPinkWave(static_cast<const uint8_t*>(pink), ::SizeofResource(instance, info));
    else
        MessageBox("Failure Loading Resources - insufficient memory.", Caption, MB_OK | MB_ICONSTOP);
    const std::initializer_list<TWindow*> fonted = {RunButton.get(), StopButton.get(), LevelButton.get(),
                                                    LeftDetailsButton.get(), RightDetailsButton.get(),
                                                    LeftTypeList.get(), RightTypeList.get()};
    for (TWindow* control : fonted) control->SendMessage(WM_SETFONT, WPARAM(Host.DialogFont()), TRUE);
    FillTypeList(*LeftTypeList);
    FillTypeList(*RightTypeList);
    EnableButtons(Idle);
    VolumeBar->SetRange(0, 99);
    OutputPort = std::make_unique<TSoundOutput>(DeviceId);
    OutputPort->CloseDevice();
    EnableDetailButtons();
    BuildSignal();
    LayoutControls();
    if (!RefusedMessage.empty())
        TEngineHost::Get().ShowMessage(RefusedMessage, "Tonalyx", TEngineHost::MsgIconExclamation);
    RefusedMessage.clear();
}

void TSignalGenerator::Paint(TDC& dc, bool, TRect&)
{
    TFont font(Host.DialogFont(), false);
    if (Host.DialogFont()) dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_LEFT);
    dc.TextOut(6, 40, "L");
    dc.TextOut(6, 68, "R");
    dc.RestoreFont();
}

bool TSignalGenerator::Stereo() const
{
    return Host.AnalyserFormat().NumChannels != 1;
}

bool TSignalGenerator::RightEditable() const
{
    return Stereo() && !Host.ChannelsLocked();
}

void TSignalGenerator::FillTypeList(TComboBoxNonSort& list)
{
    list.ClearList();
    const bool right = &list == RightTypeList.get();
    if (right && Stereo() && Host.ChannelsLocked()) {
        list.AddString("N/A");
        list.SetSelIndex(0);
    } else {
        const int32_t selected = right ? Right.SigType : Left.SigType;
        for (int i = 0; i < SignalTypeCount; ++i) {
            const int32_t code = TSignalTypes::ListCode(i);
            const int index = list.AddString(TSignalTypes::ListName(code));
            list.SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(code));
            if (code == selected) list.SetSelIndex(index);
        }
    }
    list.EnableWindow(true);
}

void TSignalGenerator::EnableDetailButtons()
{
    LeftDetailsButton->EnableWindow(TSignalTypes::HasDetails(Left.SigType));
    RightDetailsButton->EnableWindow(RightEditable() && TSignalTypes::HasDetails(Right.SigType));
}

void TSignalGenerator::EnableButtons(int state)
{
    RunButton->SendMessage(BM_SETSTATE, state == Playing);
    StopButton->SendMessage(BM_SETSTATE, state != Playing);
}

void TSignalGenerator::LayoutControls()
{
    const TRect place = GetWindowRect();
    const bool playing = IsPlaying();
    for (const auto& c : StoppedLayout)
        if (TWindow* control = ChildWithId(c.Id)) {
            if (!playing) control->MoveWindow(c.X, c.Y, c.W, c.H, false);
            const bool shown = c.Id == StopId ? playing : !playing && c.Id != VolumeId;
            control->Show(shown ? SW_SHOW : SW_HIDE);
        }
    SetCaption(playing ? "" : Caption);
    MoveWindow(place.left, place.top, playing ? PlayingWidth : StoppedWidth, playing ? PlayingHeight : StoppedHeight,
               false);
    Invalidate(true);
}

template <class F> void TSignalGenerator::WhileStopped(F action)
{
    const bool playing = IsPlaying();
    StopOutput();
    action();
    if (playing) StartOutput();
}

void TSignalGenerator::SetSignalType(const char* name, int channel)
{
    if (!name || !OutputPort) return;
    SignalParams& params = channel == 1 ? Right : Left;
    WhileStopped([&] {
        TSignalTypes::CodeOfName(name, params.SigType);
        Silenced[channel == 1 ? 1 : 0] = false;
        FillTypeList(channel == 1 ? *RightTypeList : *LeftTypeList);
        BuildSignal();
        EnableDetailButtons();
    });
}

void TSignalGenerator::SetTone(float frequency, float levelDb, int channel)
{
    SignalParams& params = channel == 1 ? Right : Left;
    for (ToneParams& tone : params.Tones) tone.ToneEnable = 0;
    const float nyquist = float(Host.AnalyserFormat().SamplingRate) / 2;
    ToneParams& first = params.Tones[0];
    first.FreqHz = frequency > nyquist ? nyquist : frequency > 0.0f ? frequency : 0.0f;
    first.PwrDB = levelDb > 0.0f ? 0.0f : levelDb > -96.0f ? levelDb : -96.0f;
    TGeneratorSettings::DeriveToneAmplitudes(params);
    first.ToneEnable = 1;
    SetSignalType(TSignalTypes::ListName(MultipleTonesSignal), channel);
}

void TSignalGenerator::GetSignalDescription(int channel, char* text) const
{
    if (!text) return;
    const int32_t code = channel == 0 ? Left.SigType : channel == 1 ? Right.SigType : WhiteNoiseSignal;
    std::strcpy(text, TSignalTypes::ReportName(code));
}

int TSignalGenerator::EditSignalParameters(SignalParams& p)
{
    if (!OutputPort) return 0;
    StopOutput();
    const int32_t nyquist = int32_t(OutputPort->GetSampleRate() / 2);
    const HFONT font = Host.DialogFont();
    const std::string help = Host.HelpPath();
    const char* h = help.c_str();
    std::unique_ptr<TDialog> dialog;
    switch (p.SigType) {
    case NoiseBurstSignal:
        dialog = std::make_unique<TNoiseBurst>(this, "SIGNAL_NOISE_BURST", &p.NoiseBurst, font, h);
        break;
    case FreqSweepSignal:
        dialog = std::make_unique<TFreqSweep>(this, "SIGNAL_FREQ_SWEEP", &p.FreqSweep, nyquist, font, h);
        break;
    case FreqStepSignal:
        dialog = std::make_unique<TFreqStep>(this, "SIGNAL_FREQ_STEP", &p.FreqStep, nyquist, font, h);
        break;
    case LevelSweepSignal:
        dialog = std::make_unique<TLevelSweep>(this, "SIGNAL_LEVEL_SWEEP", &p.LevelSweep, nyquist, font, h);
        break;
    case MultipleTonesSignal:
        dialog = std::make_unique<TTones>(this, "SIGNAL_TONES", p.Tones, nyquist, font, h);
        break;
    case ToneBurstSignal:
        dialog = std::make_unique<TToneBurst>(this, "SIGNAL_TONE_BURST", &p.ToneBurst, nyquist, font, h);
        break;
    case IMDTonesSignal:
        dialog = std::make_unique<TIMDDialog>(this, "SIGNAL_IMD", &p.IMD, nyquist, font, h);
        break;
    case SawtoothSignal:
        dialog = std::make_unique<TSawtooth>(this, "SIGNAL_SAWTOOTH", &p.Sawtooth, nyquist, font, h);
        break;
    case TriangularSignal:
        dialog = std::make_unique<TTriangular>(this, "SIGNAL_TRIANGULAR", &p.Triangular, nyquist, font, h);
        break;
    case PulseSignal:
        dialog = std::make_unique<TPulse>(this, "SIGNAL_PULSE", &p.Pulse, nyquist, font, h);
        break;
    case SquareSignal:
        dialog = std::make_unique<TSquare>(this, "SIGNAL_SQUARE", &p.Square, nyquist, font, h);
        break;
    case UserDefinedSignal:
        dialog = std::make_unique<TWaveDialog>(this, "SIGNAL_GET_WAVEFILE", Host.WaveFolder().c_str(),
                                               p.UserDefined.WaveFileName, &p.UserDefined.RepeatFlag, font, h);
        break;
    case DTMFSignal:
        dialog = std::make_unique<TDTMFSignalDialog>(this, "SIGNAL_DTMF", &p.DTMF, font, h);
        break;
    default:
        break;
    }
    if (dialog && dialog->Execute() != IDOK) return 0;
    Silenced[&p == &Right ? 1 : 0] = false;
    BuildSignal();
    return 1;
}

void TSignalGenerator::CmLeftTypeChanged()
{
    const int index = LeftTypeList->GetSelIndex();
    if (index < 0) return;
    Left.SigType = int32_t(LeftTypeList->SendMessage(CB_GETITEMDATA, WPARAM(index)));
    if (!OutputPort) return;
    WhileStopped([this] {
        EditSignalParameters(Left);
        EnableDetailButtons();
    });
}

void TSignalGenerator::CmRightTypeChanged()
{
    const int index = RightTypeList->GetSelIndex();
    if (!RightEditable() || index < 0) return;
    Right.SigType = int32_t(RightTypeList->SendMessage(CB_GETITEMDATA, WPARAM(index)));
    if (!OutputPort) return;
    WhileStopped([this] {
        EditSignalParameters(Right);
        EnableDetailButtons();
    });
}

void TSignalGenerator::CmRightTypeFocus()
{
    const char* text = nullptr;
    if (Host.ChannelsLocked())
        text = "The Right channel is currently \"Locked\" to the Left channel.  To unlock the right channel\n"
               "uncheck the <Utilities><Lock Signal Generator Channels> menu.";
    else if (!Stereo())
        text = "The analyzer is currently setup for single channel operation (mono).  To generate separate signals "
               "for each channel\nyou must change the main analyzer settings to stereo format - this is controlled "
               "under the <Options><Settings> menu.";
    if (!text) return;
    // Focus leaves the list first, or closing the box would give it back and ask again.
    SetFocus();
    MessageBox(text, "Tonalyx", MB_OK | MB_ICONINFORMATION);
}

void TSignalGenerator::CmEditLeft()
{
    WhileStopped([this] { EditSignalParameters(Left); });
}

void TSignalGenerator::CmEditRight()
{
    WhileStopped([this] { EditSignalParameters(Right); });
}

void TSignalGenerator::CmOutputLevel()
{
    WhileStopped([this] {
        OutputLevelStruct copy = Level;
        TOutputLevelDialog dialog(this, "SIGNAL_LEVEL", &copy, Host.DialogFont(), Host.HelpPath().c_str());
        if (dialog.Execute() != IDOK) return;
        Level = copy;
        Silenced[0] = Silenced[1] = false;
        BuildSignal();
    });
}

void TSignalGenerator::EvSetFocus(HWND)
{
    if (!OutputPort) return;
    VolumeBar->SetPosition(99 - (OutputPort->HasVolume() ? OutputPort->GetVolume(0) : 0));
}

void TSignalGenerator::WriteVolume(UINT)
{
    const int volume = 99 - VolumeBar->GetPosition();
    if (OutputPort && OutputPort->HasVolume()) OutputPort->SetVolume(volume, volume);
}

void TSignalGenerator::EvSysCommand(UINT command, const TPoint&)
{
    if ((command & 0xFFF0) != SC_CLOSE) {
        DefaultProcessing();
        return;
    }
    Host.SavePlacement();
    Host.CloseGenerator();
}

void TSignalGenerator::EvDestroy()
{
    Host.SavePlacement();
    TWindow::EvDestroy();
}

void TSignalGenerator::LoadSettings(const char* fileName)
{
    TProfileFile file(fileName ? fileName : "");
    const uint32_t rate = ConfiguredRate() ? ConfiguredRate() : Host.AnalyserFormat().SamplingRate;
    const TGeneratorSettings::TRefusals refusals = TGeneratorSettings::Load(file, Left, Right, Level, rate / 2.0);
    Silenced[0] = refusals.Channel[0];
    Silenced[1] = refusals.Channel[1];
    RefusedMessage = refusals.Message();
}

void TSignalGenerator::SaveSettings(const char* fileName)
{
    TProfileFile file(fileName ? fileName : "");
    TGeneratorSettings::Save(file, Left, Right, Level);
}
