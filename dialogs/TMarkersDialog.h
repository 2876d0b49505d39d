#pragma once
#include <memory>
#include "framework/TDialog.h"
#include "views/MarkerSettings.h"
#include "resources/MarkersDialogRes.h"

class LimitScroll;
class TComboBox;
class TDialogHost;
class TEdit;

// "Markers": the eight frequency markers with their label styles, and
// whether they read the peak-hold trace. OK takes every row as typed; the
// spin bars only limit stepping.
class TMarkersDialog : public TDialog {
public:
    static constexpr int FrequencyId = IDC_MARKERS_FREQUENCY;    // + row
    static constexpr int SpinId = IDC_MARKERS_SPIN;         // + row
    static constexpr int EnableId = IDC_MARKERS_ENABLE;       // + row
    static constexpr int LabelTypeId = IDC_MARKERS_LABEL_TYPE;    // + row
    static constexpr int CustomLabelId = IDC_MARKERS_CUSTOM_LABEL;  // + row
    static constexpr int PeakHoldId = IDC_MARKERS_PEAK_HOLD;
    static constexpr int HelpId = IDC_MARKERS_HELP;
    static constexpr int HelpContext = 380;
    static constexpr int CustomLabelType = 4;
    static constexpr int FrequencyLength = 20;
    // The spin bars step within this range; typed values may lie outside it.
    static constexpr float SpinMaximum = 22000.0f;
    static constexpr const char* LabelTypes[5] = {"None", "Frequency", "Amplitude", "Frequency and Amplitude",
                                                  "Custom"};

    TMarkersDialog(TWindow* parent, TDialogHost& host, TResId templateName, MarkerSettings* markers);
    ~TMarkersDialog() override;

    void SetupWindow() override;
    void EvRowChange(UINT code);
    void CmOk() override;
    void CmHelp();

private:
    void EnableRows();

    TDialogHost& Host;
    MarkerSettings* Markers;
    std::unique_ptr<TComboBox> LabelLists[MarkerSettings::Count];
    std::unique_ptr<TEdit> Frequencies[MarkerSettings::Count];
    std::unique_ptr<LimitScroll> Spins[MarkerSettings::Count];

    DECLARE_RESPONSE_TABLE(TMarkersDialog);
};
