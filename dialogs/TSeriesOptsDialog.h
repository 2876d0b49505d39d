#pragma once
#include <memory>
#include "dialogs/TViewOptionsDialog.h"

// "Time Series Display Options": scale, grids, bar, amplitude axis, channel,
// time span, zoom-out limit, colours and update interval of the time series
// view's record. In order tracking mode the times are entered in RPM.
class TSeriesOptsDialog : public TViewOptionsDialog {
public:
    enum : int {
        EnergyId = IDC_VIEWOPTS_ENERGY, AmplitudeId = IDC_VIEWOPTS_AMPLITUDE, MaxZoomOutId = IDC_VIEWOPTS_MAX_ZOOM_OUT,
        MaxZoomOutSpinId = IDC_VIEWOPTS_MAX_ZOOM_OUT_SPIN, StartTimeId = IDC_VIEWOPTS_START_TIME,
        StopTimeId = IDC_VIEWOPTS_STOP_TIME, StartLabelId = IDC_VIEWOPTS_START_LABEL,
        StopLabelId = IDC_VIEWOPTS_STOP_LABEL, MaxZoomOutLabelId = IDC_VIEWOPTS_MAX_ZOOM_OUT_LABEL,
        SpanLabelId = IDC_VIEWOPTS_SPAN_LABEL, ChannelId = IDC_VIEWOPTS_CHANNEL,
    };
    static constexpr int HelpContextId = 80;
    static const char* const ChannelNames[TViewOptionsForm::ChannelCount];

    // channels: of the analysis settings (1 or 2).
    TSeriesOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, SeriesOpts* opts, int channels,
                      bool orderTracking);

    void CmScale(UINT id);

protected:
    const TDialogBinding<TFields>& Binding() const override;
    TFields FieldsOfRecord() const override;
    TViewOptionsForm::TOutcome Store(const TFields& fields) override;
    void Defaults(TFields& fields) override;
    void ShowStates() override;
    void PrepareControls() override;

private:
    SeriesOpts* Opts;
    int Channels;
    bool OrderTracking;
    // The plot-top limits the scale radios set last.
    TViewOptionsForm::TLimits Limits;

    DECLARE_RESPONSE_TABLE(TSeriesOptsDialog);
};
