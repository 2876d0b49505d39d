// Frame layout, the rule for which views may open, the window factory and
// the derived hop and delay values.
#include "shell/TMainWin.h"

#include <cmath>
#include "framework/TMDIClient.h"

namespace {

constexpr int TransportToolbarHeight = 35;
constexpr int ButtonToolbarHeight = 31;
constexpr int StatusBarHeight = 26;

bool IsSecondChannelView(int type) { return type >= 22 && type <= 25; }
bool IsChannelView(int type) { return (type >= 2 && type <= 5) || IsSecondChannelView(type); }

}

void TMainWin::EvSize(UINT sizeType, const TSize& size)
{
    TMDIFrame::EvSize(sizeType, size);
    const TRect client = GetClientRect();
    const int w = client.Width();
    const int h = client.Height();
    const int t1 = MainToolbarFlag ? TransportToolbarHeight : 0;
    const int t2 = ButtonToolbarFlag ? ButtonToolbarHeight : 0;
    const int s = StatusBarFlag ? StatusBarHeight : 0;
    if (TWindow* mdi = GetClientWindow()) {
        mdi->MoveWindow(0, t1 + t2, w, h - t1 - t2 - s + 1, true);
        mdi->Invalidate(true);
    }
    // The button toolbar (0, t1, w, t2) moves and repaints here once it exists.
    PlaceBars(w, h, t1, s);
}

int TMainWin::IsViewAllowed(int type) const
{
    if (Settings.IndependentScalingAndCalibration != 1 || !IsChannelView(type)) return 1;
    const bool second = IsSecondChannelView(type);
    switch (Settings.ChannelProcessing) {
    case 1: return second ? 1 : 0;
    case 2:
    case 11:
    case 12: return 1;
    default: return second ? 0 : 1;
    }
}

void TMainWin::CreateViewWindow(int type, const char* settingsFile)
{
    if (IsChannelView(type)
        && (!IsViewAllowed(type) || (IsSecondChannelView(type) && Settings.IndependentScalingAndCalibration != 1)))
        return;
    if (type == 2 || type == 22) CreateSpectrumView(type, settingsFile);
    if (type == 6) CreateSignalGenerator(settingsFile);
    // Each other type's window is created, placed and shown here as its class
    // lands; a created window sets its "ViewStatus" flag and, for a utility,
    // checks its menu item.
}

void TMainWin::UpdateHopSize()
{
    Settings.HopSize = uint32_t(std::trunc((100 - Settings.OverlapPercent) * double(Settings.FFTsize) * 0.01));
    if (Settings.HopSize == 0) Settings.HopSize = 1;
}
