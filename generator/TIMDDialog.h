#pragma once
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The IMD tone pair: one of two standard sets or a custom pair with its
// amplitude ratio.
class TIMDDialog : public TSignalDialog {
public:
    TIMDDialog(TWindow* parent, const char* resource, IMDParams* params, int32_t nyquist, HFONT font,
               const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<IMDParams>& Binding();

    IMDParams* Params;
    int32_t Nyquist;
};
