#pragma once
#include "dialogs/TViewOptionsDialog.h"

// "3-D Surface Display Options": bar, amplitude axis, span, colours, solid
// or gradient drawing and update interval of one surface view's record.
class TSurfaceOptsDialog : public TViewOptionsDialog {
public:
    enum : int { SolidId = IDC_VIEWOPTS_SOLID, GradientId = IDC_VIEWOPTS_GRADIENT };
    static constexpr int HelpContextId = 180;

    TSurfaceOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, SurfaceOpts* opts, uint16_t scale,
                       float low, float high, const char* caption);

    void CmSpan(UINT id);

protected:
    const TDialogBinding<TFields>& Binding() const override;
    TFields FieldsOfRecord() const override;
    TViewOptionsForm::TOutcome Store(const TFields& fields) override;
    void Defaults(TFields& fields) override;
    void ShowStates() override;

private:
    SurfaceOpts* Opts;

    DECLARE_RESPONSE_TABLE(TSurfaceOptsDialog);
};
