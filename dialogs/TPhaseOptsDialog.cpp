#include "dialogs/TPhaseOptsDialog.h"

#include "dialogs/TFieldText.h"

TPhaseOptsDialog::TPhaseOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, PhaseOpts* opts,
                                   float low, float high, const char* caption)
    : TViewOptionsDialog(parent, host, templateName, caption, HelpContextId, {0, low, high}), Opts(opts)
{
    AddLevelSpins(TViewOptionsForm::LimitsOf(TViewOptionsForm::TKind::Phase, 0));
    AddSpanSpins(low, high);
    AddColour(BackgroundColorId, BackgroundSwatchId, &opts->BackgroundColor);
    AddColour(LineColorId, LineSwatchId, &opts->LineColor);
    AddColour(GridColorId, GridSwatchId, &opts->GridColor);
    AddColour(MarkerColorId, MarkerSwatchId, &opts->MarkerColor);
}

const TDialogBinding<TViewOptionsDialog::TFields>& TPhaseOptsDialog::Binding() const
{
    using D = TPhaseOptsDialog;
    using F = TFields;
    constexpr int n = TFieldText::NumberLength;
    static const TDialogBinding<F> binding = TDialogBinding<F>()
                                                 .Check(D::GridXId, &F::GridX)
                                                 .Check(D::GridYId, &F::GridY)
                                                 .Check(D::ToolbarId, &F::Toolbar)
                                                 .Text(D::PlotTopId, &F::PlotTop, n)
                                                 .Text(D::PlotRangeId, &F::PlotRange, n)
                                                 .Text(D::StartId, &F::Start, n)
                                                 .Text(D::StopId, &F::Stop, n)
                                                 .Check(D::GrabCursorId, &F::GrabCursor)
                                                 .Radio({D::AsOftenId, D::AtIntervalsId}, &F::AtIntervals)
                                                 .Text(D::IntervalId, &F::Interval, n);
    return binding;
}

TViewOptionsDialog::TFields TPhaseOptsDialog::FieldsOfRecord() const { return TViewOptionsForm::FieldsOf(*Opts); }

TViewOptionsForm::TOutcome TPhaseOptsDialog::Store(const TFields& fields)
{
    return TViewOptionsForm::Store(fields, *Opts, Context);
}

void TPhaseOptsDialog::Defaults(TFields& fields) { TViewOptionsForm::Defaults(fields, *Opts); }
