#include "generator/TLevelSweep.h"

#include "generator/TSignalParamRules.h"
#include "resources/LevelSweepRes.h"

namespace {
constexpr int StartId = IDC_LEVEL_SWEEP_START, StartSpinId = IDC_LEVEL_SWEEP_START_SPIN,
    StopId = IDC_LEVEL_SWEEP_STOP, StopSpinId = IDC_LEVEL_SWEEP_STOP_SPIN, TimeId = IDC_LEVEL_SWEEP_TIME,
    TimeSpinId = IDC_LEVEL_SWEEP_TIME_SPIN;
constexpr int FrequencyId = IDC_LEVEL_SWEEP_FREQUENCY, FrequencySpinId = IDC_LEVEL_SWEEP_FREQUENCY_SPIN;
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
    WriteReal(StartId, "%6.2f", Params->StartDB);
    WriteReal(StopId, "%6.2f", Params->StopDB);
    WriteReal(FrequencyId, "%6.2f", Params->FreqHz);
    WriteInteger(TimeId, "%ld", Params->TimeMSec);
}

void TLevelSweep::CmOk()
{
    const float start = ReadReal(StartId), stop = ReadReal(StopId), frequency = ReadReal(FrequencyId);
    const int32_t time = ReadInteger(TimeId);
    if (!Accept(TSignalParamRules::LevelSweep(start, stop, frequency, time, Nyquist))) return;
    *Params = {start, stop, frequency, time};
    TSignalDialog::CmOk();
}
