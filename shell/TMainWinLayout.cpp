// Frame layout, the rule for which views may open, the window factory, the
// open windows by kind and the derived hop and delay values.
#include "shell/TMainWin.h"

#include <cmath>
#include "automation/TMacro.h"
#include "engine/TChannelProcessing.h"
#include "framework/TMDIClient.h"
#include "generator/TSignalGenerator.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TLeqAnalysis.h"
#include "utilities/TPhaseScope.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

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
    PlaceBars(w, h, t1, t2, s);
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
    Windows.Open(type, settingsFile);
}

TSeriesPlot* TMainWin::TimeSeriesView() const { return Windows.View<TSeriesPlot>(ViewType::TimeSeries); }
TSpectrumPlot* TMainWin::SpectrumView(int channel) const
{
    return Windows.View<TSpectrumPlot>(OfChannel(ViewType::Spectrum, channel));
}
TPhasePlot* TMainWin::PhaseView(int channel) const
{
    return Windows.View<TPhasePlot>(OfChannel(ViewType::Phase, channel));
}
TSpectrogram* TMainWin::SpectrogramView(int channel) const
{
    return Windows.View<TSpectrogram>(OfChannel(ViewType::Spectrogram, channel));
}
TSurfacePlot* TMainWin::SurfaceView(int channel) const
{
    return Windows.View<TSurfacePlot>(OfChannel(ViewType::Surface, channel));
}
TMacro* TMainWin::MacroWindow() const { return Windows.View<TMacro>(ViewType::Macro); }
TDelayFinder* TMainWin::DelayFinder() const { return Windows.View<TDelayFinder>(ViewType::DelayFinder); }
TLeqAnalysis* TMainWin::LeqWindow() const { return Windows.View<TLeqAnalysis>(ViewType::Leq); }
TPhaseScope* TMainWin::PhaseScope() const { return Windows.View<TPhaseScope>(ViewType::PhaseScope); }
TSignalGenerator* TMainWin::SignalGenerator() const { return Windows.View<TSignalGenerator>(ViewType::Generator); }

void TMainWin::UpdateHopSize()
{
    Settings.HopSize = uint32_t(std::trunc((100 - Settings.OverlapPercent) * double(Settings.FFTsize) * 0.01));
    if (Settings.HopSize == 0) Settings.HopSize = 1;
}
