#pragma once
#include "dialogs/TViewOptionsDialog.h"

// "Spectrum Display Options": plot type, grids, bar, meters, amplitude axis,
// frequency span, colours and update interval of one spectrum view's record.
class TSpectrumOptsDialog : public TViewOptionsDialog {
public:
    enum : int {
        LineGraphId = IDC_VIEWOPTS_LINE_GRAPH, BarGraphId = IDC_VIEWOPTS_BAR_GRAPH,
        SteppedBarGraphId = IDC_VIEWOPTS_STEPPED_BAR_GRAPH, RmsLevelId = IDC_VIEWOPTS_RMS_LEVEL,
        PowerMeterId = IDC_VIEWOPTS_POWER_METER, OverlayControlsId = IDC_VIEWOPTS_OVERLAY_CONTROLS,
    };
    static constexpr int HelpContextId = 130;

    // scale: 0 linear, 1 logarithmic; low and high: the displayable frequencies.
    TSpectrumOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, SpectrumOpts* opts, uint16_t scale,
                        float low, float high, const char* caption);

protected:
    const TDialogBinding<TFields>& Binding() const override;
    TFields FieldsOfRecord() const override;
    TViewOptionsForm::TOutcome Store(const TFields& fields) override;
    void Defaults(TFields& fields) override;
    void ShowStates() override;

private:
    SpectrumOpts* Opts;
};
