#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The square wave's frequency and duty cycle.
class TSquare : public TSignalDialog {
public:
    TSquare(TWindow* parent, const char* resource, SquareParams* params, int32_t nyquist, HFONT font,
            const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<SquareParams>& Binding();

    SquareParams* Params;
    int32_t Nyquist;
    std::unique_ptr<TEdit> FrequencyEdit, DutyEdit;
    std::unique_ptr<LimitScroll> FrequencySpin, DutySpin;
};
