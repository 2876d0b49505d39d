#pragma once
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The DTMF parameters: the keys as typed, tone and pause lengths, twist and
// repetition.
class TDTMFSignalDialog : public TSignalDialog {
public:
    TDTMFSignalDialog(TWindow* parent, const char* resource, DTMFParams* params, HFONT font, const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<DTMFParams>& Binding();

    DTMFParams* Params;
};
