#pragma once
#include "dialogs/TViewOptionsDialog.h"

// "Phase Display Options": grids, bar, the phase axis in degrees, frequency
// span, colours and update interval of one phase view's record.
class TPhaseOptsDialog : public TViewOptionsDialog {
public:
    static constexpr int HelpContextId = 100;

    TPhaseOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, PhaseOpts* opts, float low, float high,
                     const char* caption);

protected:
    const TDialogBinding<TFields>& Binding() const override;
    TFields FieldsOfRecord() const override;
    TViewOptionsForm::TOutcome Store(const TFields& fields) override;
    void Defaults(TFields& fields) override;

private:
    PhaseOpts* Opts;
};
