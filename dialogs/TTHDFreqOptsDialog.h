#pragma once
#include <memory>
#include <string>
#include "dialogs/TColorButtons.h"
#include "framework/TDialog.h"
#include "resources/UtilityOptionsDialogRes.h"
#include "views/THDFreqSettings.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "THD+N vs Frequency Options": the sweep, the signal levels, the plot's
// scales and colours and the limit files of the two channels, on the record
// it is given (the main window's working copy). OK stores every field or,
// when a check fails, none.
class TTHDFreqOptsDialog : public TDialog {
public:
    enum : int {
        StartId = IDC_THDFREQOPTS_START, StartSpinId = IDC_THDFREQOPTS_START_SPIN, StopId = IDC_THDFREQOPTS_STOP,
        StopSpinId = IDC_THDFREQOPTS_STOP_SPIN, ChannelsId = IDC_THDFREQOPTS_CHANNELS,
        LevelLeftId = IDC_THDFREQOPTS_LEVEL_LEFT, LevelRightId = IDC_THDFREQOPTS_LEVEL_RIGHT,
        LinearId = IDC_THDFREQOPTS_LINEAR, OctaveId = IDC_THDFREQOPTS_OCTAVE, StepId = IDC_THDFREQOPTS_STEP,
        OctaveListId = IDC_THDFREQOPTS_OCTAVE_LIST, WeightingId = IDC_THDFREQOPTS_WEIGHTING,
        BackgroundId = IDC_UTILOPTS_BACKGROUND, LineId = IDC_UTILOPTS_LINE, GridId = IDC_UTILOPTS_GRID,
        LimitColourId = IDC_THDFREQOPTS_LIMIT_COLOR, PlotTopId = IDC_THDFREQOPTS_PLOT_TOP,
        PlotBottomId = IDC_THDFREQOPTS_PLOT_BOTTOM, AmpScaleId = IDC_THDFREQOPTS_AMP_SCALE,
        FreqScaleId = IDC_THDFREQOPTS_FREQ_SCALE, LimitLeftId = IDC_THDFREQOPTS_LIMIT_LEFT,
        LimitRightId = IDC_THDFREQOPTS_LIMIT_RIGHT, FileLeftId = IDC_THDFREQOPTS_FILE_LEFT,
        FileRightId = IDC_THDFREQOPTS_FILE_RIGHT, SelectLeftId = IDC_THDFREQOPTS_SELECT_LEFT,
        SelectRightId = IDC_THDFREQOPTS_SELECT_RIGHT, EditLeftId = IDC_THDFREQOPTS_EDIT_LEFT,
        EditRightId = IDC_THDFREQOPTS_EDIT_RIGHT, PromptToSaveId = IDC_THDFREQOPTS_PROMPT_TO_SAVE,
        DefaultsId = IDC_UTILOPTS_DEFAULTS, HelpId = IDC_UTILOPTS_HELP,
    };
    static constexpr int HelpContext = 745;
    static constexpr float SpinStep = 100.0f;
    // The kind of file the host keeps the last limit file's folder for.
    static constexpr const char* LimitFileKind = "limit";

    // halfRate: half the sampling rate in Hz, the highest stop frequency.
    TTHDFreqOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, THDFreqSettings* record,
                       int halfRate);
    ~TTHDFreqOptsDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmColour(UINT id);
    void CmStepType();
    void CmLimitCheck();
    // The channel's buttons, by id: left first, then right.
    void CmSelectFile(UINT id);
    void CmEditFile(UINT id);
    void CmDefaults();
    void CmHelp();

protected:
    // Starts the text editor; tests record the command line instead.
    virtual void Launch(const std::string& commandLine);

private:
    void EnableDependents();

    TDialogHost& Host;
    THDFreqSettings* Record;
    int HalfRate;
    TColorButtons<THDFreqSettings> Colours;
    std::unique_ptr<TEdit> Start, Stop;
    std::unique_ptr<LimitScroll> StartSpin, StopSpin;

    DECLARE_RESPONSE_TABLE(TTHDFreqOptsDialog);
};
