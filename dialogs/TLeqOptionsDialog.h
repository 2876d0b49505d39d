#pragma once
#include "engine/LeqSettings.h"
#include "framework/TDialog.h"
#include "resources/LeqOptionsDialogRes.h"

class TDialogHost;

// "Equivalent Noise Level Options": weighting and averaging of each figure
// group, the Leq(t) reference time, and whether the figures are worked out
// at intervals or when the analyser stops.
class TLeqOptionsDialog : public TDialog {
public:
    enum : int {
        ReferenceId = IDC_LEQOPT_REFERENCE, FirstWeightingId = IDC_LEQOPT_WEIGHT_LEQT,
        FirstAveragingId = IDC_LEQOPT_AVG_LEQT, PeakAveragingId = IDC_LEQOPT_AVG_LPK, IntervalId = IDC_LEQOPT_INTERVAL,
        AtIntervalsId = IDC_LEQOPT_AT_INTERVALS, AtStopId = IDC_LEQOPT_AT_STOP, DefaultsId = IDC_LEQOPT_DEFAULTS,
        HelpId = IDC_LEQOPT_HELP,
    };
    static constexpr int HelpContext = 865;

    TLeqOptionsDialog(TWindow* parent, TDialogHost& host, TResId templateName, LeqSettings* options);

    void SetupWindow() override;
    void CmOk() override;
    void CmIntervalMode();
    void CmDefaults();
    void CmHelp();

private:
    TDialogHost& Host;
    LeqSettings* Options;

    DECLARE_RESPONSE_TABLE(TLeqOptionsDialog);
};
