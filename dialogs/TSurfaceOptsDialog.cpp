#include "dialogs/TSurfaceOptsDialog.h"

#include "dialogs/TFieldText.h"

DEFINE_RESPONSE_TABLE1(TSurfaceOptsDialog, TViewOptionsDialog)
    EV_BN_CLICKED_RANGE(TSurfaceOptsDialog::CustomSpanId, TSurfaceOptsDialog::FullSpanId, CmSpan)
END_RESPONSE_TABLE;

TSurfaceOptsDialog::TSurfaceOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, SurfaceOpts* opts,
                                       uint16_t scale, float low, float high, const char* caption)
    : TViewOptionsDialog(parent, host, templateName, caption, HelpContextId, {scale, low, high}), Opts(opts)
{
    AddLevelSpins(TViewOptionsForm::LimitsOf(TViewOptionsForm::TKind::Surface, scale));
    AddSpanSpins(low, high);
    AddColour(LineColorId, LineSwatchId, &opts->LineColor);
    AddColour(BackgroundColorId, BackgroundSwatchId, &opts->BackgroundColor);
}

const TDialogBinding<TViewOptionsDialog::TFields>& TSurfaceOptsDialog::Binding() const
{
    using D = TSurfaceOptsDialog;
    using F = TFields;
    constexpr int n = TFieldText::NumberLength;
    static const TDialogBinding<F> binding = TDialogBinding<F>()
                                                 .Check(D::ToolbarId, &F::Toolbar)
                                                 .Text(D::PlotTopId, &F::PlotTop, n)
                                                 .Text(D::PlotRangeId, &F::PlotRange, n)
                                                 .Radio({D::CustomSpanId, D::FullSpanId}, &F::FullSpan)
                                                 .Text(D::StartId, &F::Start, n)
                                                 .Text(D::StopId, &F::Stop, n)
                                                 .Radio({D::AsOftenId, D::AtIntervalsId}, &F::AtIntervals)
                                                 .Text(D::IntervalId, &F::Interval, n)
                                                 .Radio({D::GradientId, D::SolidId}, &F::ColorMode);
    return binding;
}

TViewOptionsDialog::TFields TSurfaceOptsDialog::FieldsOfRecord() const
{
    return TViewOptionsForm::FieldsOf(*Opts, Context);
}

TViewOptionsForm::TOutcome TSurfaceOptsDialog::Store(const TFields& fields)
{
    return TViewOptionsForm::Store(fields, *Opts, Context);
}

void TSurfaceOptsDialog::Defaults(TFields& fields) { TViewOptionsForm::Defaults(fields, *Opts); }

void TSurfaceOptsDialog::ShowStates()
{
    Enable({PlotRangeId, PlotRangeSpinId}, Context.Scale != 0);
    ShowSpanState();
}

void TSurfaceOptsDialog::CmSpan(UINT) { ChooseSpan("%3.2f"); }
