#pragma once
#include <memory>

#include "framework/ToolBtn.h"
#include "views/TFrequencyZoom.h"
#include "views/TPlotBase.h"

class TSpectralData;

// A view of spectral data along frequency, zoomed and scrolled over the
// data's indexes: the spectrum and phase views. It holds the bar's four zoom
// buttons and answers them and the scroll bar; the visible frequencies live
// in the view's options record.
class TFrequencyPlot : public TPlotBase {
public:
    enum ZoomId { ZoomInId = 401, ZoomFullId = 402, Zoom2XInId = 403, Zoom2XOutId = 404 };

    // startFreq and stopFreq: the visible range in the view's options record.
    TFrequencyPlot(TMDIClient& parent, TViewHost* mainWin, const char* title, float& startFreq, float& stopFreq);

    void ResetScrollRange() override;
    void ScrollNotify(UINT code) override;

    std::unique_ptr<ToolBtn> ZoomInButton;
    std::unique_ptr<ToolBtn> ZoomFullButton;
    std::unique_ptr<ToolBtn> Zoom2XInButton;
    std::unique_ptr<ToolBtn> Zoom2XOutButton;

protected:
    // The data zoomed over, null for none.
    virtual TSpectralData* ZoomData() const = 0;
    // Zooming in stops at spans of this many indexes or fewer.
    virtual int SmallestZoomSpan() const = 0;
    // Needs ZoomData.
    TFrequencyZoom Zoom() const;
    // The visible indexes held to the data: the scroll bar and the zoom
    // buttons show where they stand, and the frequencies follow the data's
    // ends. Needs ZoomData.
    void ShowVisibleRange();
    // The visible indexes changed: the frequencies follow and the view is laid out again.
    void ApplyVisibleBins();
    // A zoom drag armed by Zoom In is called off.
    void CancelZoomSelection();

    void CmZoomIn();
    void CmZoomFull();
    void CmZoom2XIn();
    void CmZoom2XOut();

    float& StartFreq;
    float& StopFreq;

    DECLARE_RESPONSE_TABLE(TFrequencyPlot);
};
