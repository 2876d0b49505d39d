#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The frequency sweep: start and stop frequencies, sweep time, linear or
// logarithmic, once or continuously, jumping or sweeping back.
class TFreqSweep : public TSignalDialog {
public:
    TFreqSweep(TWindow* parent, const char* resource, FreqSweepParams* params, int32_t nyquist, HFONT font,
               const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<FreqSweepParams>& Binding();

    FreqSweepParams* Params;
    int32_t Nyquist;
    std::unique_ptr<TEdit> StartEdit, StopEdit, TimeEdit;
    std::unique_ptr<LimitScroll> StartSpin, StopSpin, TimeSpin;
};
