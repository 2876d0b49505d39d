#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The sawtooth's frequency and slope.
class TSawtooth : public TSignalDialog {
public:
    TSawtooth(TWindow* parent, const char* resource, SawtoothParams* params, int32_t nyquist, HFONT font,
              const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<SawtoothParams>& Binding();

    SawtoothParams* Params;
    int32_t Nyquist;
    std::unique_ptr<TEdit> FrequencyEdit;
    std::unique_ptr<LimitScroll> FrequencySpin;
};
