#include "dialogs/TSpectrogramOptsDialog.h"

#include "dialogs/TFieldText.h"

DEFINE_RESPONSE_TABLE1(TSpectrogramOptsDialog, TViewOptionsDialog)
    EV_BN_CLICKED_RANGE(TSpectrogramOptsDialog::CustomSpanId, TSpectrogramOptsDialog::FullSpanId, CmSpan)
    EV_BN_CLICKED_RANGE(TSpectrogramOptsDialog::GrayScaleId, TSpectrogramOptsDialog::CustomColorsId, CmPalette)
END_RESPONSE_TABLE;

TSpectrogramOptsDialog::TSpectrogramOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                               SpectrogramOpts* opts, uint16_t scale, float low, float high,
                                               const char* caption)
    : TViewOptionsDialog(parent, host, templateName, caption, HelpContextId, {scale, low, high}), Opts(opts)
{
    AddLevelSpins(TViewOptionsForm::LimitsOf(TViewOptionsForm::TKind::Spectrogram, scale));
    AddSpanSpins(low, high);
    AddColour(MinCustomColorId, MinCustomSwatchId, &opts->MinCustomColor);
    AddColour(MaxCustomColorId, MaxCustomSwatchId, &opts->MaxCustomColor);
}

const TDialogBinding<TViewOptionsDialog::TFields>& TSpectrogramOptsDialog::Binding() const
{
    using D = TSpectrogramOptsDialog;
    using F = TFields;
    constexpr int n = TFieldText::NumberLength;
    static const TDialogBinding<F> binding =
        TDialogBinding<F>()
            .Check(D::ToolbarId, &F::Toolbar)
            .Text(D::PlotTopId, &F::PlotTop, n)
            .Text(D::PlotRangeId, &F::PlotRange, n)
            .Radio({D::CustomSpanId, D::FullSpanId}, &F::FullSpan)
            .Text(D::StartId, &F::Start, n)
            .Text(D::StopId, &F::Stop, n)
            .Radio({D::FullColorId, D::GrayScaleId, D::CustomColorsId}, &F::ColorMode)
            .Radio({D::ScrollLeftId, D::ScrollRightId, D::ScrollUpId, D::ScrollDownId}, &F::Direction)
            .Radio({D::SmoothScrollId, D::OverlappedScrollId}, &F::ScrollType)
            .Radio({D::AsOftenId, D::AtIntervalsId}, &F::AtIntervals)
            .Text(D::IntervalId, &F::Interval, n);
    return binding;
}

TViewOptionsDialog::TFields TSpectrogramOptsDialog::FieldsOfRecord() const
{
    return TViewOptionsForm::FieldsOf(*Opts);
}

TViewOptionsForm::TOutcome TSpectrogramOptsDialog::Store(const TFields& fields)
{
    return TViewOptionsForm::Store(fields, *Opts, Context);
}

void TSpectrogramOptsDialog::Defaults(TFields& fields) { TViewOptionsForm::Defaults(fields, *Opts); }

void TSpectrogramOptsDialog::ShowStates() { ShowSpanState(); }

void TSpectrogramOptsDialog::CmSpan(UINT) { ChooseSpan("%3.0f"); }

// The custom colours are for the custom palette only.
void TSpectrogramOptsDialog::CmPalette(UINT)
{
    Enable({MinCustomColorId, MaxCustomColorId}, ::IsDlgButtonChecked(HWindow, CustomColorsId) == BST_CHECKED);
}
