// The zoom buttons and scroll bar of the spectrum and phase views.
#include "views/TFrequencyPlot.h"

#include <algorithm>

#include "engine/TSpectralData.h"
#include "framework/TScrollBar.h"

DEFINE_RESPONSE_TABLE1(TFrequencyPlot, TPlotBase)
    EV_COMMAND(ZoomInId, CmZoomIn)
    EV_COMMAND(ZoomFullId, CmZoomFull)
    EV_COMMAND(Zoom2XInId, CmZoom2XIn)
    EV_COMMAND(Zoom2XOutId, CmZoom2XOut)
END_RESPONSE_TABLE;

TFrequencyPlot::TFrequencyPlot(TMDIClient& parent, TViewHost* mainWin, const char* title, float& startFreq,
                               float& stopFreq)
    : TPlotBase(parent, mainWin, title), StartFreq(startFreq), StopFreq(stopFreq)
{
    auto tool = [this](int id, const char* up, const char* down, const char* grey, const char* tip) {
        return std::make_unique<ToolBtn>(this, id, up, down, grey, 0, 0, 28, 28, tip);
    };
    ZoomInButton = tool(ZoomInId, "ZoomInUp", "ZoomInDn", "ZoomInGry", "Zoom in along frequency axis");
    ZoomFullButton = tool(ZoomFullId, "ZoomFullUp", "ZoomFullDn", "ZoomFullGry", "Zoom out to show full frequency span");
    Zoom2XInButton = tool(Zoom2XInId, "Zoom2XInUp", "Zoom2XInDn", "Zoom2XInGry", "Zoom in by a factor of 2x");
    Zoom2XOutButton = tool(Zoom2XOutId, "Zoom2XOutUp", "Zoom2XOutDn", "Zoom2XOutGry", "Zoom out by a factor of 2x");
}

TFrequencyZoom TFrequencyPlot::Zoom() const
{
    const TSpectralData* data = ZoomData();
    return {data->GetLowIndex(), data->GetHighIndex(), SmallestZoomSpan()};
}

void TFrequencyPlot::ShowVisibleRange()
{
    const TSpectralData* data = ZoomData();
    const TFrequencyZoom zoom = Zoom();
    if (zoom.Hold(VisibleStart, VisibleEnd)) {
        HideScrollBar();
        ZoomInButton->SetUp();
        Zoom2XInButton->SetUp();
        Zoom2XOutButton->SetDown();
        ZoomFullButton->SetDown();
    } else {
        ShowScrollBar();
        if (ScrollBar && ScrollBar->GetHandle())
            ScrollBar->SetPosition(zoom.ScrollPosition(VisibleStart));
        for (ToolBtn* b : {ZoomInButton.get(), Zoom2XInButton.get(), Zoom2XOutButton.get(), ZoomFullButton.get()})
            b->SetUp();
    }
    if (VisibleStart == zoom.Low)
        StartFreq = data->GetLowFrequency();
    if (VisibleEnd == zoom.High)
        StopFreq = data->GetHighFrequency();
    StopFreq = std::min(StopFreq, data->GetHighFrequency());
    StartFreq = std::max(StartFreq, data->GetLowFrequency());
}

void TFrequencyPlot::ResetScrollRange()
{
    ScrollRange = ZoomData() ? Zoom().ScrollRange(VisibleStart, VisibleEnd) : 0;
}

void TFrequencyPlot::ScrollNotify(UINT code)
{
    if (!ZoomData() || code > SB_THUMBPOSITION || !ScrollBar)
        return;
    Zoom().ScrollTo(ScrollBar->GetPosition(), VisibleStart, VisibleEnd);
    ApplyVisibleBins();
}

void TFrequencyPlot::ApplyVisibleBins()
{
    StartFreq = ZoomData()->GetFrequency(VisibleStart);
    StopFreq = ZoomData()->GetFrequency(VisibleEnd);
    UpdateLayout();
}

void TFrequencyPlot::CancelZoomSelection()
{
    if (ZoomInButton->Highlight) {
        ZoomInButton->HighlightOff();
        SelectMode = 0;
    }
}

void TFrequencyPlot::CmZoomIn()
{
    if (!ZoomData() || ZoomInButton->Grey)
        return;
    if (ZoomInButton->Highlight) {
        CancelZoomSelection();
        return;
    }
    SelectAxis = 0;
    SelectMode = 1;
    ZoomInButton->HighlightOn();
}

void TFrequencyPlot::CmZoom2XIn()
{
    if (ZoomData() && !Zoom2XInButton->Grey && Zoom().ZoomIn(VisibleStart, VisibleEnd))
        ApplyVisibleBins();
}

void TFrequencyPlot::CmZoom2XOut()
{
    if (ZoomData() && !Zoom2XOutButton->Grey && Zoom().ZoomOut(VisibleStart, VisibleEnd))
        ApplyVisibleBins();
}

void TFrequencyPlot::CmZoomFull()
{
    if (ZoomData() && !ZoomFullButton->Grey && Zoom().ZoomFull(VisibleStart, VisibleEnd))
        ApplyVisibleBins();
}
