// The segment commands of the time series, spectrogram and surface views.
#include "views/TSegmentPlot.h"

#include "resources/CommandIds.h"
#include "views/TViewHost.h"

DEFINE_RESPONSE_TABLE1(TSegmentPlot, TPlotBase)
    EV_COMMAND(PlaySelectionId, CmPlaySelection)
    EV_COMMAND(FilterSelectionId, CmFilterSelection)
    EV_COMMAND(MenuCut, CmCut)
    EV_COMMAND(MenuMute, CmMute)
    EV_COMMAND(MenuFilter, CmFilter)
    EV_COMMAND(MenuPlay, CmPlay)
    EV_COMMAND(MenuAverageSpectrum, CmAverageSpectrum)
    EV_COMMAND(MenuLeq, CmSegmentLeq)
END_RESPONSE_TABLE;

void TSegmentPlot::CmCut()
{
    MainWin->RunCommand(CM_EDITCUT);
}

void TSegmentPlot::CmCopyWave()
{
    MainWin->RunCommand(CM_EDITCOPY);
}

void TSegmentPlot::CmMute()
{
    MainWin->RunCommand(CM_EDITMUTE);
}

void TSegmentPlot::CmFilter()
{
    MainWin->RunCommand(CM_EDITFILTER);
}

void TSegmentPlot::CmPlay()
{
    MainWin->RunCommand(CM_PLAY);
}

void TSegmentPlot::CmPlaySelection()
{
    if (!PlayButton->Grey)
        CmPlay();
}

void TSegmentPlot::CmFilterSelection()
{
    if (!FilterButton->Grey)
        CmFilter();
}

void TSegmentPlot::CmDtmfAnalysis()
{
    MainWin->AnalyzeDtmfSegment();
}

void TSegmentPlot::CmShowSegmentSeries()
{
    float start, end;
    GetSelectedSegment(start, end);
    MainWin->ZoomToSegment(start, end);
}

void TSegmentPlot::CmAverageSpectrum()
{
    MainWin->AverageSpectrumOfSegment(false, 0.0f, 0.0f);
}

void TSegmentPlot::CmSegmentSpectrogram()
{
    MainWin->ShowSegmentSpectrogram(false, 0.0f, 0.0f);
}

void TSegmentPlot::CmSegmentSurface()
{
    MainWin->ShowSegmentSurface(false, 0.0f, 0.0f);
}

void TSegmentPlot::CmSegmentLeq()
{
    MainWin->LeqOfSegment();
}
