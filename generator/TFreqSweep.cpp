#include "generator/TFreqSweep.h"

#include "generator/TSignalParamRules.h"
#include "resources/FreqSweepRes.h"

namespace {
constexpr int StartId = IDC_FREQ_SWEEP_START, StartSpinId = IDC_FREQ_SWEEP_START_SPIN, StopId = IDC_FREQ_SWEEP_STOP,
    StopSpinId = IDC_FREQ_SWEEP_STOP_SPIN, TimeId = IDC_FREQ_SWEEP_TIME, TimeSpinId = IDC_FREQ_SWEEP_TIME_SPIN;
constexpr int LinearId = IDC_FREQ_SWEEP_LINEAR, LogarithmicId = IDC_FREQ_SWEEP_LOGARITHMIC,
    SingleId = IDC_FREQ_SWEEP_SINGLE, SweepBackId = IDC_FREQ_SWEEP_SWEEP_BACK, JumpBackId = IDC_FREQ_SWEEP_JUMP_BACK;
}

const TDialogBinding<FreqSweepParams>& TFreqSweep::Binding()
{
    static const TDialogBinding<FreqSweepParams> binding =
        TDialogBinding<FreqSweepParams>()
            .Number(StartId, &FreqSweepParams::FStartHz, "%6.2f", NumberLength, RealText)
            .Number(StopId, &FreqSweepParams::FStopHz, "%6.2f", NumberLength, RealText)
            .Number(TimeId, &FreqSweepParams::TimeMSec, nullptr, NumberLength, IntegerText)
            // A type no button shows is shown as none and stored as linear.
            .Radio({LinearId, LogarithmicId}, &FreqSweepParams::SweepType, {1, 2}, 0,
                   TDialogBindingBase::TFallback::StoredOnly)
            .Check(SingleId, &FreqSweepParams::SingleSweepFlag, true)
            // Any flag but 0 sweeps back.
            .Radio({SweepBackId, JumpBackId}, &FreqSweepParams::ReturnSweepFlag, {1, 0}, 0);
    return binding;
}

TFreqSweep::TFreqSweep(TWindow* parent, const char* resource, FreqSweepParams* params, int32_t nyquist, HFONT font,
                       const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 510), Params(params), Nyquist(nyquist),
      StartEdit(std::make_unique<TEdit>(this, StartId, 20)),
      StopEdit(std::make_unique<TEdit>(this, StopId, 20)),
      TimeEdit(std::make_unique<TEdit>(this, TimeId, 20)),
      StartSpin(std::make_unique<LimitScroll>(this, StartSpinId, nullptr, StartEdit.get(), float(nyquist), 0.0f,
                                              100.0f)),
      StopSpin(std::make_unique<LimitScroll>(this, StopSpinId, nullptr, StopEdit.get(), float(nyquist), 0.0f,
                                             100.0f)),
      TimeSpin(std::make_unique<LimitScroll>(this, TimeSpinId, nullptr, TimeEdit.get(),
                                             float(TSignalParamRules::MaxMilliseconds), 1.0f, 1000.0f))
{
}

void TFreqSweep::SetupWindow()
{
    TSignalDialog::SetupWindow();
    Binding().Fill(*this, *Params);
}

void TFreqSweep::CmOk()
{
    FreqSweepParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::FreqSweep(edited.FStartHz, edited.FStopHz, edited.TimeMSec, Nyquist))) return;
    *Params = edited;
    TSignalDialog::CmOk();
}
