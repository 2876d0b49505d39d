#include "generator/TLevelSweep.h"

#include "generator/TSignalParamRules.h"
#include "resources/LevelSweepRes.h"

namespace {
constexpr int StartId = IDC_LEVEL_SWEEP_START, StartSpinId = IDC_LEVEL_SWEEP_START_SPIN,
    StopId = IDC_LEVEL_SWEEP_STOP, StopSpinId = IDC_LEVEL_SWEEP_STOP_SPIN, TimeId = IDC_LEVEL_SWEEP_TIME,
    TimeSpinId = IDC_LEVEL_SWEEP_TIME_SPIN;
constexpr int FrequencyId = IDC_LEVEL_SWEEP_FREQUENCY, FrequencySpinId = IDC_LEVEL_SWEEP_FREQUENCY_SPIN;
}

const TDialogBinding<LevelSweepParams>& TLevelSweep::Binding()
{
    static const TDialogBinding<LevelSweepParams> binding =
        TDialogBinding<LevelSweepParams>()
            .Number(StartId, &LevelSweepParams::StartDB, "%6.2f", NumberLength, RealText)
            .Number(StopId, &LevelSweepParams::StopDB, "%6.2f", NumberLength, RealText)
            .Number(FrequencyId, &LevelSweepParams::FreqHz, "%6.2f", NumberLength, RealText)
            .Number(TimeId, &LevelSweepParams::TimeMSec, nullptr, NumberLength, IntegerText);
    return binding;
}

TLevelSweep::TLevelSweep(TWindow* parent, const char* resource, LevelSweepParams* params, int32_t nyquist,
                         HFONT font, const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 500), Params(params), Nyquist(nyquist),
      StartEdit(std::make_unique<TEdit>(this, StartId, 20)),
      StopEdit(std::make_unique<TEdit>(this, StopId, 20)),
      TimeEdit(std::make_unique<TEdit>(this, TimeId, 20)),
      FrequencyEdit(std::make_unique<TEdit>(this, FrequencyId, 20)),
      StartSpin(std::make_unique<LimitScroll>(this, StartSpinId, nullptr, StartEdit.get(), 0.0f,
                                              TSignalParamRules::MinToneDb, 1.0f)),
      StopSpin(std::make_unique<LimitScroll>(this, StopSpinId, nullptr, StopEdit.get(), 0.0f,
                                             TSignalParamRules::MinToneDb, 1.0f)),
      TimeSpin(std::make_unique<LimitScroll>(this, TimeSpinId, nullptr, TimeEdit.get(),
                                             float(TSignalParamRules::MaxMilliseconds), 1.0f, 1000.0f)),
      FrequencySpin(std::make_unique<LimitScroll>(this, FrequencySpinId, nullptr, FrequencyEdit.get(),
                                                  float(nyquist), 1.0f, 100.0f))
{
}

void TLevelSweep::SetupWindow()
{
    TSignalDialog::SetupWindow();
    Binding().Fill(*this, *Params);
}

void TLevelSweep::CmOk()
{
    LevelSweepParams edited = *Params;
    Binding().Collect(*this, edited);
    if (!Accept(TSignalParamRules::LevelSweep(edited.StartDB, edited.StopDB, edited.FreqHz, edited.TimeMSec, Nyquist)))
        return;
    *Params = edited;
    TSignalDialog::CmOk();
}
