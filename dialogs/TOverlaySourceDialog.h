#pragma once
#include <cstdint>

#include "framework/TDialog.h"

// The choice between peak-hold and spectral data ("DIALOG_OVERLAY_SOURCE",
// "DIALOG_COPY_SPECTRUM_SOURCE" or "DIALOG_SELECT_SPECTRUM_SOURCE"): the
// choice is 1 for peak-hold data, 0 for spectral data, stored on OK only.
class TOverlaySourceDialog : public TDialog {
public:
    static constexpr int PeakHoldId = 201;
    static constexpr int SpectralId = 202;

    TOverlaySourceDialog(TWindow* parent, const char* templateName, uint32_t* choice);

    void SetupWindow() override;
    void CmOk() override;

private:
    uint32_t* Choice;
};
