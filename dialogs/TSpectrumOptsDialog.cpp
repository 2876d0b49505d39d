#include "dialogs/TSpectrumOptsDialog.h"

#include "dialogs/TFieldText.h"

TSpectrumOptsDialog::TSpectrumOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                         SpectrumOpts* opts, uint16_t scale, float low, float high,
                                         const char* caption)
    : TViewOptionsDialog(parent, host, templateName, caption, HelpContextId, {scale, low, high}), Opts(opts)
{
    AddLevelSpins(TViewOptionsForm::LimitsOf(TViewOptionsForm::TKind::Spectrum, scale));
    AddSpanSpins(low, high);
    AddColour(BackgroundColorId, BackgroundSwatchId, &opts->BackgroundColor);
    AddColour(PeakColorId, PeakSwatchId, &opts->PeakColor);
    AddColour(LineColorId, LineSwatchId, &opts->LineColor);
    AddColour(GridColorId, GridSwatchId, &opts->GridColor);
    AddColour(MarkerColorId, MarkerSwatchId, &opts->MarkerColor);
}

const TDialogBinding<TViewOptionsDialog::TFields>& TSpectrumOptsDialog::Binding() const
{
    using D = TSpectrumOptsDialog;
    using F = TFields;
    constexpr int n = TFieldText::NumberLength;
    static const TDialogBinding<F> binding =
        TDialogBinding<F>()
            .Radio({D::LineGraphId, D::BarGraphId, D::SteppedBarGraphId}, &F::PlotType)
            .Check(D::GridXId, &F::GridX)
            .Check(D::GridYId, &F::GridY)
            .Check(D::ToolbarId, &F::Toolbar)
            .Check(D::PowerMeterId, &F::PowerMeter)
            .Check(D::RmsLevelId, &F::RmsLevel)
            .Check(D::OverlayControlsId, &F::OverlayControls)
            .Text(D::PlotTopId, &F::PlotTop, n)
            .Text(D::PlotRangeId, &F::PlotRange, n)
            .Text(D::StartId, &F::Start, n)
            .Text(D::StopId, &F::Stop, n)
            .Check(D::GrabCursorId, &F::GrabCursor)
            .Radio({D::AsOftenId, D::AtIntervalsId}, &F::AtIntervals)
            .Text(D::IntervalId, &F::Interval, n);
    return binding;
}

TViewOptionsDialog::TFields TSpectrumOptsDialog::FieldsOfRecord() const
{
    return TViewOptionsForm::FieldsOf(*Opts, Context);
}

TViewOptionsForm::TOutcome TSpectrumOptsDialog::Store(const TFields& fields)
{
    return TViewOptionsForm::Store(fields, *Opts, Context);
}

void TSpectrumOptsDialog::Defaults(TFields& fields) { TViewOptionsForm::Defaults(fields, *Opts, Context.Scale); }

// The linear scale has no range to set.
void TSpectrumOptsDialog::ShowStates() { Enable({PlotRangeId, PlotRangeSpinId}, Context.Scale != 0); }
