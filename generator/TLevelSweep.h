#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The level sweep: start and stop levels, the tone's frequency, sweep time.
class TLevelSweep : public TSignalDialog {
public:
    TLevelSweep(TWindow* parent, const char* resource, LevelSweepParams* params, int32_t nyquist, HFONT font,
                const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<LevelSweepParams>& Binding();

    LevelSweepParams* Params;
    int32_t Nyquist;
    std::unique_ptr<TEdit> StartEdit, StopEdit, TimeEdit, FrequencyEdit;
    std::unique_ptr<LimitScroll> StartSpin, StopSpin, TimeSpin, FrequencySpin;
};
