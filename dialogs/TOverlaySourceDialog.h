#pragma once
#include <cstdint>

#include "framework/TDialog.h"
#include "resources/OverlaySourceDialogRes.h"

// The choice between peak-hold and spectral data ("DIALOG_OVERLAY_SOURCE",
// "DIALOG_COPY_SPECTRUM_SOURCE" or "DIALOG_SELECT_SPECTRUM_SOURCE"): the
// choice is 1 for peak-hold data, 0 for spectral data, stored on OK only.
class TOverlaySourceDialog : public TDialog {
public:
    static constexpr int PeakHoldId = IDC_SPECTRUM_SOURCE_PEAK_HOLD;
    static constexpr int SpectralId = IDC_SPECTRUM_SOURCE_SPECTRAL;

    TOverlaySourceDialog(TWindow* parent, const char* templateName, uint32_t* choice);

    void SetupWindow() override;
    void CmOk() override;

private:
    uint32_t* Choice;
};
