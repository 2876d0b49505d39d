#pragma once
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The Tone Burst parameters: frequency in whole hertz, burst and cycle times.
class TToneBurst : public TSignalDialog {
public:
    TToneBurst(TWindow* parent, const char* resource, ToneBurstParams* params, int32_t nyquist, HFONT font,
               const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<ToneBurstParams>& Binding();

    ToneBurstParams* Params;
    int32_t Nyquist;
};
