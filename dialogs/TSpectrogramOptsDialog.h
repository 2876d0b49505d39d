#pragma once
#include "dialogs/TViewOptionsDialog.h"

// "Spectrogram Display Options": bar, amplitude axis, span, palette with its
// custom colours, scroll direction and kind, and update interval of one
// spectrogram view's record.
class TSpectrogramOptsDialog : public TViewOptionsDialog {
public:
    enum : int {
        GrayScaleId = IDC_VIEWOPTS_GRAY_SCALE, FullColorId = IDC_VIEWOPTS_FULL_COLOR,
        CustomColorsId = IDC_VIEWOPTS_CUSTOM_COLORS, ScrollRightId = IDC_VIEWOPTS_SCROLL_RIGHT,
        ScrollLeftId = IDC_VIEWOPTS_SCROLL_LEFT, ScrollDownId = IDC_VIEWOPTS_SCROLL_DOWN,
        ScrollUpId = IDC_VIEWOPTS_SCROLL_UP, SmoothScrollId = IDC_VIEWOPTS_SMOOTH_SCROLL,
        OverlappedScrollId = IDC_VIEWOPTS_OVERLAPPED_SCROLL,
    };
    static constexpr int HelpContextId = 160;

    TSpectrogramOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, SpectrogramOpts* opts,
                           uint16_t scale, float low, float high, const char* caption);

    void CmSpan(UINT id);
    void CmPalette(UINT id);

protected:
    const TDialogBinding<TFields>& Binding() const override;
    TFields FieldsOfRecord() const override;
    TViewOptionsForm::TOutcome Store(const TFields& fields) override;
    void Defaults(TFields& fields) override;
    void ShowStates() override;

private:
    SpectrogramOpts* Opts;

    DECLARE_RESPONSE_TABLE(TSpectrogramOptsDialog);
};
