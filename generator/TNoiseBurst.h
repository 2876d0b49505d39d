#pragma once
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The Noise Burst parameters: white or pink noise, burst and cycle times.
class TNoiseBurst : public TSignalDialog {
public:
    TNoiseBurst(TWindow* parent, const char* resource, NoiseBurstParams* params, HFONT font, const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<NoiseBurstParams>& Binding();

    NoiseBurstParams* Params;
};
