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

using ViewType = TMainWin::ViewType;

bool IsSecondChannelView(ViewType type) { return type >= ViewType::Spectrum2 && type <= ViewType::Phase2; }
bool IsChannelView(ViewType type)
{
    return (type >= ViewType::Spectrum && type <= ViewType::Phase) || IsSecondChannelView(type);
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

int TMainWin::IsViewAllowed(ViewType type) const
{
    if (Settings.IndependentScalingAndCalibration != 1 || !IsChannelView(type)) return 1;
    switch (TChannelProcessing::Of(Settings.ChannelProcessing).Views) {
    case TChannelProcessing::ViewSet::Both: return 1;
    case TChannelProcessing::ViewSet::SecondOnly: return IsSecondChannelView(type) ? 1 : 0;
    default: return IsSecondChannelView(type) ? 0 : 1;
    }
}

void TMainWin::CreateViewWindow(ViewType type, const char* settingsFile)
{
    if (IsChannelView(type)
        && (!IsViewAllowed(type) || (IsSecondChannelView(type) && Settings.IndependentScalingAndCalibration != 1)))
        return;
    if (type == ViewType::TimeSeries) CreateSeriesView(settingsFile);
    if (type == ViewType::Spectrum || type == ViewType::Spectrum2) CreateSpectrumView(type, settingsFile);
    if (type == ViewType::Spectrogram || type == ViewType::Spectrogram2) CreateSpectrogramView(type, settingsFile);
    if (type == ViewType::Macro) CreateMacroWindow(settingsFile);
    if (IsReadoutType(type)) CreateReadout(type, settingsFile);
    if (type == ViewType::Generator) CreateSignalGenerator(settingsFile);
    if (type == ViewType::Surface || type == ViewType::Surface2) CreateSurfaceView(type, settingsFile);
    if (type == ViewType::Phase || type == ViewType::Phase2) CreatePhaseView(type, settingsFile);
}

void TMainWin::UpdateHopSize()
{
    Settings.HopSize = uint32_t(std::trunc((100 - Settings.OverlapPercent) * double(Settings.FFTsize) * 0.01));
    if (Settings.HopSize == 0) Settings.HopSize = 1;
}
