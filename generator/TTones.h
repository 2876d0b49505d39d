#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The Multiple Tones list: ten rows of on, frequency and level.
class TTones : public TSignalDialog {
public:
    TTones(TWindow* parent, const char* resource, ToneParams* tones, int32_t nyquist, HFONT font,
           const char* helpFile);

    void SetupWindow() override;
    void CmOk() override;

private:
    using TRows = ToneParams[SignalParams::ToneCount];
    static const TDialogBinding<TRows>& Binding();

    ToneParams* Tones;
    int32_t Nyquist;
    std::unique_ptr<TEdit> FrequencyEdits[SignalParams::ToneCount], LevelEdits[SignalParams::ToneCount];
    std::unique_ptr<LimitScroll> FrequencySpins[SignalParams::ToneCount], LevelSpins[SignalParams::ToneCount];
};
