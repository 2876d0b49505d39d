// The single-value readouts as the main window opens, closes and feeds them.
#include "shell/TMainWin.h"

#include "framework/TMDIClient.h"
#include "resources/CommandIds.h"
#include "utilities/TAnalysisView.h"
#include "utilities/TReadoutFormat.h"

namespace {

// Each readout's window pointer and "ViewStatus" flag by window type.
struct TReadoutSlot {
    TMainWin::ViewType Type;
    TAnalysisView* TMainWin::*Window;
    int32_t ViewStatusFlags::*Flag;
};
const TReadoutSlot ReadoutSlots[] = {
    {TMainWin::ViewType::Thd, &TMainWin::ThdWindow, &ViewStatusFlags::THD},
    {TMainWin::ViewType::Thdn, &TMainWin::ThdnWindow, &ViewStatusFlags::THD_N},
    {TMainWin::ViewType::Imd, &TMainWin::ImdWindow, &ViewStatusFlags::IMD},
    {TMainWin::ViewType::Snr, &TMainWin::SnrWindow, &ViewStatusFlags::SNR},
    {TMainWin::ViewType::Sinad, &TMainWin::SinadWindow, &ViewStatusFlags::SINAD},
    {TMainWin::ViewType::Sfdr, &TMainWin::SfdrWindow, &ViewStatusFlags::SFDR},
    {TMainWin::ViewType::NoiseFigure, &TMainWin::NoiseFigureWindow, &ViewStatusFlags::NF},
    {TMainWin::ViewType::PeakFrequency, &TMainWin::PeakFrequencyWindow, &ViewStatusFlags::PeakFreq},
    {TMainWin::ViewType::PeakAmplitude, &TMainWin::PeakAmplitudeWindow, &ViewStatusFlags::PeakAmp},
    {TMainWin::ViewType::TotalPower, &TMainWin::TotalPowerWindow, &ViewStatusFlags::TotalPwr},
};

const TReadoutSlot* SlotOf(TMainWin::ViewType type)
{
    for (const TReadoutSlot& slot : ReadoutSlots)
        if (slot.Type == type) return &slot;
    return nullptr;
}

}  // namespace

// The menu command of a readout; the noise figure's follows its order.
UINT TMainWin::ReadoutCommand(ViewType type) const
{
    if (type == ViewType::NoiseFigure) return NoiseFigureOrder == 7 ? CM_NOISEFIGURERIGHTLEFT : CM_NOISEFIGURELEFTRIGHT;
    return TReadoutFormat::Row(TReadoutFormat::KindOfWindowType(int(type))).Command;
}

void TMainWin::ReopenReadouts()
{
    for (const TReadoutSlot& slot : ReadoutSlots)
        if (ViewStatus.*slot.Flag) CreateViewWindow(slot.Type, IniPath);
}

void TMainWin::CloseReadouts()
{
    for (const TReadoutSlot& slot : ReadoutSlots) CloseReadout(slot.Type);
}

bool TMainWin::IsReadoutType(ViewType type)
{
    return SlotOf(type) != nullptr;
}

TAnalysisView* TMainWin::ReadoutWindow(ViewType type) const
{
    const TReadoutSlot* slot = SlotOf(type);
    return slot ? this->*slot->Window : nullptr;
}

void TMainWin::CreateReadout(ViewType type, const char* settingsFile)
{
    const TReadoutSlot* slot = SlotOf(type);
    if (!slot || this->*slot->Window || !GetClientWindow()) return;
    const TReadoutFormat::TMeasureKind kind = TReadoutFormat::KindOfWindowType(int(type));
    RECT rect;
    int showCommand = SW_SHOWNORMAL;
    GetInitialPlacement(rect, type, settingsFile, showCommand);
    auto* view = new TAnalysisView(*static_cast<TMDIClient*>(GetClientWindow()), *this,
                                   TReadoutFormat::Row(kind).Caption, kind);
    view->Attr.X = rect.left;
    view->Attr.Y = rect.top;
    view->Attr.W = rect.right - rect.left;
    view->Attr.H = rect.bottom - rect.top;
    this->*slot->Window = view;
    view->Create();
    if (showCommand == SW_SHOWMAXIMIZED) view->Show(SW_SHOWMAXIMIZED);
    ViewStatus.*slot->Flag = 1;
    SetMenuCheck(ReadoutCommand(type), true);
}

void TMainWin::CloseReadout(ViewType type)
{
    const TReadoutSlot* slot = SlotOf(type);
    if (!slot || !(this->*slot->Window)) return;
    TAnalysisView* view = this->*slot->Window;
    this->*slot->Window = nullptr;
    view->Destroy();
    delete view;
    ViewStatus.*slot->Flag = 0;
    SetMenuCheck(ReadoutCommand(type), false);
}

void TMainWin::ToggleReadout(ViewType type)
{
    if (ReadoutWindow(type)) CloseReadout(type);
    else CreateViewWindow(type, IniPath);
}

void TMainWin::CmNoiseFigure(UINT id)
{
    const uint16_t order = id == CM_NOISEFIGURERIGHTLEFT ? 7 : 6;
    if (NoiseFigureWindow) {
        CloseReadout(ViewType::NoiseFigure);
        SetMenuCheck(CM_NOISEFIGURELEFTRIGHT, false);
        SetMenuCheck(CM_NOISEFIGURERIGHTLEFT, false);
        if (id == 0 || order == NoiseFigureOrder) return;
    }
    if (id == 0) return;
    NoiseFigureOrder = order;
    CreateViewWindow(ViewType::NoiseFigure, IniPath);
}

void TMainWin::CeAlwaysEnabled(TCommandEnabler& ce)
{
    ce.Enable(true);
}

void TMainWin::RefreshReadouts()
{
    for (const TReadoutSlot& slot : ReadoutSlots)
        if (TAnalysisView* view = this->*slot.Window; view && view->GetHandle()) view->Invalidate(true);
}

TSpectralData* TMainWin::GetDisplayedResult(int index) const
{
    return index == 0 ? static_cast<TSpectralData*>(DisplayPrimary) : static_cast<TSpectralData*>(DisplaySecondary);
}

void TMainWin::ReadoutClosed(int type)
{
    // Through the message queue: the readout is still inside its own handler.
    if (!HWindow) return;
    PostMessage(WM_COMMAND, ReadoutCommand(ViewType(type)));
}

void TMainWin::ReadoutDestroyed(int type)
{
    SaveUtilityPlacements(ViewType(type), IniPath);
}
