#pragma once
#include <memory>

#include "framework/ToolBtn.h"
#include "views/TPlotBase.h"

// A view in which a time segment of the wave is selected: the time series,
// the spectrogram and the 3-D surface. It holds the bar's Select, Play and
// Filter buttons and answers the commands all three share: the main
// window's edits and playback of the segment, and the time series of it.
class TSegmentPlot : public TPlotBase {
public:
    enum SegmentId {
        SelectId = 410, PlaySelectionId = 411, FilterSelectionId = 412, MenuCut = 801, MenuMute = 803,
        MenuFilter = 804, MenuPlay = 805, MenuAverageSpectrum = 807, MenuLeq = 810
    };

    using TPlotBase::TPlotBase;

    std::unique_ptr<ToolBtn> SelectButton;
    std::unique_ptr<ToolBtn> PlayButton;
    std::unique_ptr<ToolBtn> FilterButton;

protected:
    void CmCut();
    void CmCopyWave();
    void CmMute();
    void CmFilter();
    void CmPlay();
    // The bar's Play and Filter, while not grey.
    void CmPlaySelection();
    void CmFilterSelection();
    // The selected segment in the time series view.
    void CmShowSegmentSeries();
    // The DTMF keys of the selected segment.
    void CmDtmfAnalysis();
    // The analyses of the selected segment: its average spectrum, the
    // spectrogram and surface views filled from it, its Leq figures.
    void CmAverageSpectrum();
    void CmSegmentSpectrogram();
    void CmSegmentSurface();
    void CmSegmentLeq();

    DECLARE_RESPONSE_TABLE(TSegmentPlot);
};
