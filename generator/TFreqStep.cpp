#include "generator/TFreqStep.h"

#include "generator/TSignalParamRules.h"
#include "resources/FreqStepRes.h"

namespace {
constexpr int StartId = IDC_FREQ_STEP_START, StartSpinId = IDC_FREQ_STEP_START_SPIN, StopId = IDC_FREQ_STEP_STOP,
    StopSpinId = IDC_FREQ_STEP_STOP_SPIN, SingleId = IDC_FREQ_STEP_SINGLE;
constexpr int StepBackId = IDC_FREQ_STEP_STEP_BACK, JumpBackId = IDC_FREQ_STEP_JUMP_BACK,
    DwellId = IDC_FREQ_STEP_DWELL, LinearId = IDC_FREQ_STEP_LINEAR, OctaveId = IDC_FREQ_STEP_OCTAVE;
constexpr int StepSizeId = IDC_FREQ_STEP_STEP_SIZE, FractionId = IDC_FREQ_STEP_FRACTION;

const struct {
    const char* Name;
    int32_t Fraction;
} Fractions[] = {{"1/1 Octave", 1},   {"1/3 Octave", 3},   {"1/6 Octave", 6},   {"1/9 Octave", 9},
                 {"1/12 Octave", 12}, {"1/24 Octave", 24}, {"1/48 Octave", 48}, {"1/96 Octave", 96}};
}

const TDialogBinding<FreqStepParams>& TFreqStep::Binding()
{
    static const TDialogBinding<FreqStepParams> binding =
        TDialogBinding<FreqStepParams>()
            .Number(StartId, &FreqStepParams::FStartHz, "%6.2f", NumberLength, RealText)
            .Number(StopId, &FreqStepParams::FStopHz, "%6.2f", NumberLength, RealText)
            .Number(DwellId, &FreqStepParams::DwellTimeMSec, nullptr, NumberLength, IntegerText)
            .Number(StepSizeId, &FreqStepParams::StepSize, "%6.2f", NumberLength, RealText)
            .Radio({LinearId, OctaveId}, &FreqStepParams::StepType, {1, 2})
            .Check(SingleId, &FreqStepParams::SingleStepFlag, true)
            // Any flag but 0 steps back.
            .Radio({StepBackId, JumpBackId}, &FreqStepParams::ReturnStepFlag, {1, 0}, 0);
    return binding;
}

DEFINE_RESPONSE_TABLE1(TFreqStep, TSignalDialog)
    EV_BN_CLICKED(LinearId, StepTypeChanged)
    EV_BN_CLICKED(OctaveId, StepTypeChanged)
END_RESPONSE_TABLE;

TFreqStep::TFreqStep(TWindow* parent, const char* resource, FreqStepParams* params, int32_t nyquist, HFONT font,
                     const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 515), Params(params), Nyquist(nyquist),
      StartEdit(std::make_unique<TEdit>(this, StartId, 20)),
      StopEdit(std::make_unique<TEdit>(this, StopId, 20)),
      StartSpin(std::make_unique<LimitScroll>(this, StartSpinId, nullptr, StartEdit.get(), float(nyquist), 0.0f,
                                              100.0f)),
      StopSpin(std::make_unique<LimitScroll>(this, StopSpinId, nullptr, StopEdit.get(), float(nyquist), 0.0f,
                                             100.0f)),
      FractionList(std::make_unique<TComboBox>(this, FractionId))
{
}

void TFreqStep::SetupWindow()
{
    TSignalDialog::SetupWindow();
    LimitText(DwellId, 20);
    LimitText(StepSizeId, 20);
    Binding().Fill(*this, *Params);
    for (const auto& f : Fractions) {
        const int index = FractionList->AddString(f.Name);
        FractionList->SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(f.Fraction));
        if (f.Fraction == Params->OctaveNumber) FractionList->SetSelIndex(index);
    }
    StepTypeChanged();
}

void TFreqStep::StepTypeChanged()
{
    const bool linear = IsChecked(LinearId), octave = IsChecked(OctaveId);
    ::EnableWindow(GetDlgItem(StepSizeId), linear || !octave);
    FractionList->EnableWindow(octave || !linear);
}

void TFreqStep::CmOk()
{
    FreqStepParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::FreqStep(IsChecked(LinearId), edited.StepSize, edited.FStartHz, edited.FStopHz,
                                            edited.DwellTimeMSec, Nyquist)))
        return;
    // The list holds fractions, not the indexes of its entries.
    const int selected = FractionList->GetSelIndex();
    if (selected >= 0) edited.OctaveNumber = int32_t(FractionList->SendMessage(CB_GETITEMDATA, WPARAM(selected)));
    *Params = edited;
    TSignalDialog::CmOk();
}
