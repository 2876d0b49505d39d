#pragma once
#include <cstdint>

struct CompositeSettings;
struct SpectrumOpts;
class TPlotBase;

// The dialogs the host runs for a view; each false when the user cancels.
class TViewDialogHost {
public:
    virtual ~TViewDialogHost() = default;

    // Peak-hold (1) or spectral (0) data, asked of the user on a dialog
    // template of the source choice.
    virtual bool ChooseSpectrumSource(TPlotBase& view, const char* templateName, uint32_t& choice) = 0;
    // A pane's composite settings on the composite dialog.
    virtual bool EditCompositeSettings(TPlotBase& view, CompositeSettings& settings) = 0;
    // The overlay slots of a channel (1 or 2) on the overlay dialog, over a
    // working copy of the view's options. With pause the analyser stops for
    // the dialog and runs again afterwards.
    virtual bool EditOverlaySettings(TPlotBase& view, SpectrumOpts& opts, int channel, uint16_t frequencyScale,
                                     bool pause) = 0;
    // The view's own options dialog over the view's own record (its Options
    // button, Properties entry and double click).
    virtual void EditViewOptions(TPlotBase& view) = 0;
};
