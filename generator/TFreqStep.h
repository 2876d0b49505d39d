#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TComboBox.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The frequency steps: start and stop frequencies, linear steps of a size in
// hertz or fractional-octave steps, dwell time, once or continuously,
// jumping or stepping back.
class TFreqStep : public TSignalDialog {
public:
    TFreqStep(TWindow* parent, const char* resource, FreqStepParams* params, int32_t nyquist, HFONT font,
              const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;
    // A click on Linear or Octave enables the step size or the fraction list.
    virtual void StepTypeChanged();

private:
    static const TDialogBinding<FreqStepParams>& Binding();

    FreqStepParams* Params;
    int32_t Nyquist;
    std::unique_ptr<TEdit> StartEdit, StopEdit;
    std::unique_ptr<LimitScroll> StartSpin, StopSpin;
    std::unique_ptr<TComboBox> FractionList;

    DECLARE_RESPONSE_TABLE(TFreqStep);
};
