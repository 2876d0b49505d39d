#include "generator/TFreqSweep.h"

#include "generator/TSignalParamRules.h"
#include "resources/FreqSweepRes.h"

namespace {
constexpr int StartId = IDC_FREQ_SWEEP_START, StartSpinId = IDC_FREQ_SWEEP_START_SPIN, StopId = IDC_FREQ_SWEEP_STOP,
    StopSpinId = IDC_FREQ_SWEEP_STOP_SPIN, TimeId = IDC_FREQ_SWEEP_TIME, TimeSpinId = IDC_FREQ_SWEEP_TIME_SPIN;
constexpr int LinearId = IDC_FREQ_SWEEP_LINEAR, LogarithmicId = IDC_FREQ_SWEEP_LOGARITHMIC,
    SingleId = IDC_FREQ_SWEEP_SINGLE, SweepBackId = IDC_FREQ_SWEEP_SWEEP_BACK, JumpBackId = IDC_FREQ_SWEEP_JUMP_BACK;
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
    WriteReal(StartId, "%6.2f", Params->FStartHz);
    WriteReal(StopId, "%6.2f", Params->FStopHz);
    WriteInteger(TimeId, "%ld", Params->TimeMSec);
    const int32_t type = Params->SweepType;
    CheckRadioButton(LinearId, LogarithmicId, type == 1 ? LinearId : type == 2 ? LogarithmicId : 0);
    CheckItem(SingleId, Params->SingleSweepFlag == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(SweepBackId, JumpBackId, Params->ReturnSweepFlag ? SweepBackId : JumpBackId);
}

void TFreqSweep::CmOk()
{
    const float start = ReadReal(StartId), stop = ReadReal(StopId);
    const int32_t time = ReadInteger(TimeId);
    if (!Accept(TSignalParamRules::FreqSweep(start, stop, time, Nyquist))) return;
    Params->FStartHz = start;
    Params->FStopHz = stop;
    Params->TimeMSec = time;
    Params->SweepType = IsChecked(LogarithmicId) ? 2 : 1;
    Params->SingleSweepFlag = IsChecked(SingleId) ? 1 : 0;
    Params->ReturnSweepFlag = IsChecked(JumpBackId) ? 0 : 1;
    TSignalDialog::CmOk();
}
