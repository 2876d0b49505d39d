#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "dialogs/TViewOptionsForm.h"
#include "framework/TDialog.h"
#include "framework/TDialogBinding.h"
#include "resources/ViewOptionsDialogRes.h"

class LimitScroll;
class TColorSwatch;
class TDialogHost;
class TEdit;

// What the five view options dialogs share: a working copy of the view's
// record, colour buttons whose swatches show the record's colours (a chosen
// colour is stored at once), spin bars over the number fields, the update
// interval radios, OK's checks through the form, Defaults and Help. Each kind
// binds its controls, checks its record and says what Defaults shows.
class TViewOptionsDialog : public TDialog {
public:
    enum : int {
        DefaultsId = IDC_VIEWOPTS_DEFAULTS, HelpId = IDC_VIEWOPTS_HELP, GridXId = IDC_VIEWOPTS_GRID_X,
        GridYId = IDC_VIEWOPTS_GRID_Y, ToolbarId = IDC_VIEWOPTS_TOOLBAR, GrabCursorId = IDC_VIEWOPTS_GRAB_CURSOR,
        PlotTopId = IDC_VIEWOPTS_PLOT_TOP, PlotTopSpinId = IDC_VIEWOPTS_PLOT_TOP_SPIN,
        PlotRangeId = IDC_VIEWOPTS_PLOT_RANGE, PlotRangeSpinId = IDC_VIEWOPTS_PLOT_RANGE_SPIN,
        StartId = IDC_VIEWOPTS_START, StartSpinId = IDC_VIEWOPTS_START_SPIN, StopId = IDC_VIEWOPTS_STOP,
        StopSpinId = IDC_VIEWOPTS_STOP_SPIN, AsOftenId = IDC_VIEWOPTS_AS_OFTEN,
        AtIntervalsId = IDC_VIEWOPTS_AT_INTERVALS, IntervalSpinId = IDC_VIEWOPTS_INTERVAL_SPIN,
        IntervalId = IDC_VIEWOPTS_INTERVAL,
        MarkerColorId = IDC_VIEWOPTS_MARKER_COLOR, LineColorId = IDC_VIEWOPTS_LINE_COLOR,
        BackgroundColorId = IDC_VIEWOPTS_BACKGROUND_COLOR, GridColorId = IDC_VIEWOPTS_GRID_COLOR,
        PeakColorId = IDC_VIEWOPTS_PEAK_COLOR, MinCustomColorId = IDC_VIEWOPTS_MIN_CUSTOM_COLOR,
        MaxCustomColorId = IDC_VIEWOPTS_MAX_CUSTOM_COLOR, GridSwatchId = IDC_VIEWOPTS_GRID_SWATCH,
        BackgroundSwatchId = IDC_VIEWOPTS_BACKGROUND_SWATCH, LineSwatchId = IDC_VIEWOPTS_LINE_SWATCH,
        MarkerSwatchId = IDC_VIEWOPTS_MARKER_SWATCH, PeakSwatchId = IDC_VIEWOPTS_PEAK_SWATCH,
        MinCustomSwatchId = IDC_VIEWOPTS_MIN_CUSTOM_SWATCH, MaxCustomSwatchId = IDC_VIEWOPTS_MAX_CUSTOM_SWATCH,
        FullSpanId = IDC_VIEWOPTS_FULL_SPAN, CustomSpanId = IDC_VIEWOPTS_CUSTOM_SPAN,
    };
    using TFields = TViewOptionsForm::TFields;

    ~TViewOptionsDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();
    void CmHelp();
    void CmColour(UINT id);
    void CmInterval(UINT id);

protected:
    TViewOptionsDialog(TWindow* parent, TDialogHost& host, TResId templateName, const char* caption,
                       int helpContext, const TViewOptionsForm::TContext& context);

    // Built by the kinds' constructors: a colour button over a record field,
    // and a spin bar over its edit field.
    void AddColour(int buttonId, int swatchId, uint32_t* colour);
    void AddSpin(int spinId, int editId, float maximum, float minimum, float step);
    // The plot top and range spins within the kind's limits, and the
    // frequency span's start and stop spins within the data's range.
    void AddLevelSpins(const TViewOptionsForm::TLimits& limits);
    void AddSpanSpins(float low, float high);
    LimitScroll* Spin(int spinId) const;
    void Enable(std::initializer_list<int> ids, bool enable);
    void ShowSwatches();
    // The span radios of the spectrogram and surface: Custom keeps a start
    // and stop inside the data's range, Full Span shows that range.
    void ChooseSpan(const char* format);
    void ShowSpanState();

    virtual const TDialogBinding<TFields>& Binding() const = 0;
    virtual TFields FieldsOfRecord() const = 0;
    virtual TViewOptionsForm::TOutcome Store(const TFields& fields) = 0;
    virtual void Defaults(TFields& fields) = 0;
    // Enables what the shown fields leave usable (the range in a linear scale, the span).
    virtual void ShowStates() {}
    // Lists and labels the template leaves to the dialog, made before the record is shown.
    virtual void PrepareControls() {}

    TDialogHost& Host;
    const TViewOptionsForm::TContext Context;

private:
    struct TColourButton {
        int ButtonId;
        uint32_t* Colour;
        std::unique_ptr<TColorSwatch> Swatch;
    };
    struct TSpinBar {
        std::unique_ptr<TEdit> Edit;
        std::unique_ptr<LimitScroll> Bar;
    };
    void ShowIntervalState();

    std::string Caption;
    int HelpContext;
    std::vector<TColourButton> Colours;
    std::vector<TSpinBar> Spins;

    DECLARE_RESPONSE_TABLE(TViewOptionsDialog);
};
