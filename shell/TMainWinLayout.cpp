// Frame layout, the rule for which views may open, the window factory and
// the derived hop and delay values.
#include "shell/TMainWin.h"

#include <cmath>
#include "engine/TChannelProcessing.h"
#include "framework/TMDIClient.h"

namespace {

constexpr int TransportToolbarHeight = 35;
constexpr int ButtonToolbarHeight = 31;
constexpr int StatusBarHeight = 26;

bool IsSecondChannelView(int type) { return type >= TMainWin::Spectrum2Type && type <= TMainWin::Phase2Type; }
bool IsChannelView(int type)
{
    return (type >= TMainWin::SpectrumType && type <= TMainWin::PhaseType) || IsSecondChannelView(type);
}

}

void TMainWin::EvSize(UINT sizeType, const TSize& size)
{
    TMDIFrame::EvSize(sizeType, size);
    const TRect client = GetClientRect();
    const int w = client.Width();
    const int h = client.Height();
    const int t1 = MainToolbarFlag ? TransportToolbarHeight : 0;
    // Room for the button toolbar only once it exists: no empty band under the transport bar.
    const int t2 = ButtonToolbarFlag && ButtonToolbar ? ButtonToolbarHeight : 0;
    const int s = StatusBarFlag ? StatusBarHeight : 0;
    if (TWindow* mdi = GetClientWindow()) {
        mdi->MoveWindow(0, t1 + t2, w, h - t1 - t2 - s + 1, true);
        mdi->Invalidate(true);
    }
    PlaceBars(w, h, t1, s);
}

int TMainWin::IsViewAllowed(int type) const
{
    if (Settings.IndependentScalingAndCalibration != 1 || !IsChannelView(type)) return 1;
    switch (TChannelProcessing::Of(Settings.ChannelProcessing).Views) {
    case TChannelProcessing::ViewSet::Both: return 1;
    case TChannelProcessing::ViewSet::SecondOnly: return IsSecondChannelView(type) ? 1 : 0;
    default: return IsSecondChannelView(type) ? 0 : 1;
    }
}

void TMainWin::CreateViewWindow(int type, const char* settingsFile)
{
    if (IsChannelView(type)
        && (!IsViewAllowed(type) || (IsSecondChannelView(type) && Settings.IndependentScalingAndCalibration != 1)))
        return;
    if (type == TimeSeriesType) CreateSeriesView(settingsFile);
    if (type == SpectrumType || type == Spectrum2Type) CreateSpectrumView(type, settingsFile);
    if (type == SpectrogramType || type == Spectrogram2Type) CreateSpectrogramView(type, settingsFile);
    if (type == MacroType) CreateMacroWindow(settingsFile);
    if (IsReadoutType(type)) CreateReadout(type, settingsFile);
    if (type == GeneratorType) CreateSignalGenerator(settingsFile);
    if (type == SurfaceType || type == Surface2Type) CreateSurfaceView(type, settingsFile);
    if (type == PhaseType || type == Phase2Type) CreatePhaseView(type, settingsFile);
}

void TMainWin::UpdateHopSize()
{
    Settings.HopSize = uint32_t(std::trunc((100 - Settings.OverlapPercent) * double(Settings.FFTsize) * 0.01));
    if (Settings.HopSize == 0) Settings.HopSize = 1;
}
