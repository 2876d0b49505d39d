#pragma once
#include "dialogs/TColorButtons.h"
#include "framework/TDialog.h"
#include "resources/UtilityOptionsDialogRes.h"
#include "engine/ReverbSettings.h"

class TDialogHost;

// "Reverberation Display Options": colours, plot scale, the longest decay
// measured, smoothing and extrapolation, on the record it is given (the
// main window's working copy). OK stores each field as it passes its check.
class TReverbOptsDialog : public TDialog {
public:
    enum : int {
        BackgroundId = IDC_UTILOPTS_BACKGROUND, BarId = IDC_REVERBOPTS_BAR, DecayId = IDC_REVERBOPTS_DECAY,
        GridId = IDC_UTILOPTS_GRID, SurfaceId = IDC_REVERBOPTS_SURFACE, MaxDecayId = IDC_REVERBOPTS_MAX_DECAY,
        PlotTopId = IDC_REVERBOPTS_PLOT_TOP, PlotRangeId = IDC_REVERBOPTS_PLOT_RANGE,
        SmoothNoneId = IDC_REVERBOPTS_SMOOTH_NONE, SmoothAverageId = IDC_REVERBOPTS_SMOOTH_AVERAGE,
        SmoothSchroederId = IDC_REVERBOPTS_SMOOTH_SCHROEDER, Rt10Id = IDC_REVERBOPTS_RT10,
        Rt20Id = IDC_REVERBOPTS_RT20, Rt30Id = IDC_REVERBOPTS_RT30, DefaultsId = IDC_UTILOPTS_DEFAULTS,
        HelpId = IDC_UTILOPTS_HELP,
    };
    static constexpr int HelpContext = 650;

    TReverbOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, ReverbSettings* record);

    void SetupWindow() override;
    void CmOk() override;
    void CmColour(UINT id);
    void CmDefaults();
    void CmHelp();

private:
    TDialogHost& Host;
    ReverbSettings* Record;
    TColorButtons<ReverbSettings> Colours;

    DECLARE_RESPONSE_TABLE(TReverbOptsDialog);
};
