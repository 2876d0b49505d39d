#pragma once
#include <memory>
#include <string>

#include "framework/TDialog.h"
#include "views/SpectrumOpts.h"
#include "resources/OverlayDialogRes.h"

class LimitScroll;
class TColorSwatch;
class TDialogHost;
class TEdit;

// The overlay slots of one channel ("DIALOG_OVERLAY"): each slot's legend
// (the name in its file), dB offset and trace colour, saving a slot to an
// overlay file and loading one into a slot, and the legend's width.
class TOverlayDialog : public TDialog {
public:
    static constexpr int Rows = SpectrumOpts::SlotCount;
    static constexpr int LegendId = IDC_OVERLAY_LEGEND;
    static constexpr int SaveId = IDC_OVERLAY_SAVE;
    static constexpr int LoadId = IDC_OVERLAY_LOAD;
    static constexpr int ColourId = IDC_OVERLAY_COLOUR;
    static constexpr int OffsetId = IDC_OVERLAY_OFFSET;
    static constexpr int OffsetSpinId = IDC_OVERLAY_OFFSET_SPIN;
    static constexpr int SwatchId = IDC_OVERLAY_SWATCH;
    static constexpr int LegendSizeId = IDC_OVERLAY_LEGEND_SIZE;
    static constexpr int DefaultsId = IDC_OVERLAY_DEFAULTS;
    static constexpr int HelpId = IDC_OVERLAY_HELP;
    static constexpr DWORD HelpContext = 120;
    static constexpr int MinLegendSize = 4;
    static constexpr int MaxLegendSize = 24;
    static constexpr float MaxOffset = 100.0f;

    // slotFolder is the folder of the slot files; frequencyScale is passed
    // to every curve the dialog reads.
    TOverlayDialog(TWindow* parent, TDialogHost& host, const char* templateName, SpectrumOpts* opts, int channel,
                   uint16_t frequencyScale, const char* slotFolder);
    ~TOverlayDialog() override;

    // A legend size typed into the field; "abc" reads as 0.
    static bool LegendSizeAccepted(const char* text);
    // An offset typed into a row; false outside -100..+100 dB.
    static bool OffsetAccepted(const char* text, float& offset);

    void SetupWindow() override;
    void CmOk() override;

    // The slot file of row 0-6.
    std::string SlotPath(int row) const;
    // Save and Load of a row once the file is chosen.
    bool SaveRow(int row, const char* path);
    bool LoadRow(int row, const char* path);

private:
    // The row's button of each run, by its id.
    void CmSave(UINT id);
    void CmLoad(UINT id);
    void CmColour(UINT id);
    void CmDefaults();
    void CmHelp();
    float& RowOffset(int row) { return Channel == 2 ? Opts->Offset2[row] : Opts->Offset1[row]; }

    TDialogHost& Host;
    SpectrumOpts* Opts;
    int Channel;
    uint16_t FrequencyScale;
    std::string SlotFolder;
    std::unique_ptr<TEdit> Offsets[Rows];
    std::unique_ptr<LimitScroll> Spins[Rows];
    std::unique_ptr<TColorSwatch> Swatches[Rows];

    DECLARE_RESPONSE_TABLE(TOverlayDialog);
};
