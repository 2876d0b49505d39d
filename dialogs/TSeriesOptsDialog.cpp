#include "dialogs/TSeriesOptsDialog.h"

#include "dialogs/TFieldText.h"
#include "framework/LimitScroll.h"

DEFINE_RESPONSE_TABLE1(TSeriesOptsDialog, TViewOptionsDialog)
    EV_BN_CLICKED_RANGE(TSeriesOptsDialog::EnergyId, TSeriesOptsDialog::AmplitudeId, CmScale)
END_RESPONSE_TABLE;

const char* const TSeriesOptsDialog::ChannelNames[TViewOptionsForm::ChannelCount] = {
    "Left Channel",     "Right Channel",   "Both Left & Right",   "Left minus Right",
    "Right minus Left", "Left plus Right", "Left vs Right (X/Y)", "Right vs Left (Y/X)",
};

namespace {

struct TLabel {
    int Id;
    const char* Rpm;
};
const TLabel RpmLabels[] = {
    {TSeriesOptsDialog::StartLabelId, "Start (RPM)"},
    {TSeriesOptsDialog::StopLabelId, "Stop (RPM)"},
    {TSeriesOptsDialog::MaxZoomOutLabelId, "Maximum Zoom Out (RPM)"},
    {TSeriesOptsDialog::SpanLabelId, "RPM Span"},
};

}  // namespace

TSeriesOptsDialog::TSeriesOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, SeriesOpts* opts,
                                     int channels, bool orderTracking)
    : TViewOptionsDialog(parent, host, templateName, "Time Series Display Options", HelpContextId, {}), Opts(opts),
      Channels(channels), OrderTracking(orderTracking),
      Limits(TViewOptionsForm::LimitsOf(TViewOptionsForm::TKind::Series, opts->AmpScaleType))
{
    AddLevelSpins(Limits);
    AddSpin(MaxZoomOutSpinId, MaxZoomOutId, TViewOptionsForm::MaxZoomOutSecs, TViewOptionsForm::MinZoomOutSecs, 1.0f);
    AddColour(LineColorId, LineSwatchId, &opts->LineColor);
    AddColour(BackgroundColorId, BackgroundSwatchId, &opts->BackgroundColor);
    AddColour(GridColorId, GridSwatchId, &opts->GridColor);
}

void TSeriesOptsDialog::PrepareControls()
{
    for (const char* name : ChannelNames) SendDlgItemMessage(ChannelId, CB_ADDSTRING, 0, LPARAM(name));
    if (OrderTracking)
        for (const TLabel& label : RpmLabels) SetItemText(label.Id, label.Rpm);
}

const TDialogBinding<TViewOptionsDialog::TFields>& TSeriesOptsDialog::Binding() const
{
    using D = TSeriesOptsDialog;
    using F = TFields;
    constexpr int n = TFieldText::NumberLength;
    static const TDialogBinding<F> binding = TDialogBinding<F>()
                                                 .Radio({D::AmplitudeId, D::EnergyId}, &F::AmpScale)
                                                 .Check(D::GridXId, &F::GridX)
                                                 .Check(D::GridYId, &F::GridY)
                                                 .Check(D::ToolbarId, &F::Toolbar)
                                                 .Check(D::GrabCursorId, &F::GrabCursor)
                                                 .Text(D::PlotTopId, &F::PlotTop, n)
                                                 .Text(D::PlotRangeId, &F::PlotRange, n)
                                                 .Selection(D::ChannelId, &F::Channel, TViewOptionsForm::ChannelCount)
                                                 .Text(D::StartTimeId, &F::Start, n)
                                                 .Text(D::StopTimeId, &F::Stop, n)
                                                 .Text(D::MaxZoomOutId, &F::MaxZoomOut, n)
                                                 .Radio({D::AsOftenId, D::AtIntervalsId}, &F::AtIntervals)
                                                 .Text(D::IntervalId, &F::Interval, n);
    return binding;
}

TViewOptionsDialog::TFields TSeriesOptsDialog::FieldsOfRecord() const
{
    return TViewOptionsForm::FieldsOf(*Opts, Channels, OrderTracking);
}

TViewOptionsForm::TOutcome TSeriesOptsDialog::Store(const TFields& fields)
{
    return TViewOptionsForm::Store(fields, *Opts, Limits, OrderTracking);
}

void TSeriesOptsDialog::Defaults(TFields& fields) { TViewOptionsForm::Defaults(fields, *Opts, Channels); }

void TSeriesOptsDialog::ShowStates()
{
    Enable({PlotRangeId, PlotRangeSpinId}, ::IsDlgButtonChecked(HWindow, EnergyId) == BST_CHECKED);
    Enable({ChannelId}, Channels != 1);
}

// A scale radio sets its own plot-top limits and texts.
void TSeriesOptsDialog::CmScale(UINT id)
{
    const uint16_t energy = id == UINT(EnergyId) ? 1 : 0;
    Limits = TViewOptionsForm::SeriesLimitsAfterRadio(energy);
    Spin(PlotTopSpinId)->SetRange(Limits.TopMax, Limits.TopMin);
    SetItemText(PlotTopId, energy ? "0.0" : "100.0");
    SetItemText(PlotRangeId,
                energy ? TViewOptionsForm::Format("%3.1f", double(Opts->PlotRange)).c_str()
                       : TViewOptionsForm::NotApplicable);
    Enable({PlotRangeId, PlotRangeSpinId}, energy != 0);
}
