#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The pulse's width and repetition interval in microseconds, and whether a
// single pulse is sent.
class TPulse : public TSignalDialog {
public:
    TPulse(TWindow* parent, const char* resource, PulseParams* params, int32_t nyquist, HFONT font,
           const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<PulseParams>& Binding();

    PulseParams* Params;
    int32_t Nyquist;
    std::unique_ptr<TEdit> WidthEdit, IntervalEdit;
    std::unique_ptr<LimitScroll> WidthSpin, IntervalSpin;
};
