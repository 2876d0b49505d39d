#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The triangle's frequency.
class TTriangular : public TSignalDialog {
public:
    TTriangular(TWindow* parent, const char* resource, TriangularParams* params, int32_t nyquist, HFONT font,
                const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    static const TDialogBinding<TriangularParams>& Binding();

    TriangularParams* Params;
    int32_t Nyquist;
    std::unique_ptr<TEdit> FrequencyEdit;
    std::unique_ptr<LimitScroll> FrequencySpin;
};
