#pragma once
#include "framework/TDialog.h"
#include "views/TOverlayData.h"
#include "resources/CompositeOverlayDialogRes.h"

// How the composite overlay of one channel is formed ("DIALOG_COMPOSITE"):
// the average of two or more slots, or one slot subtracted from another. The
// block is written on OK only, and only when it is usable.
class TCompositeOverlayDialog : public TDialog {
public:
    static constexpr int AverageId = IDC_COMPOSITE_AVERAGE;
    static constexpr int SubtractId = IDC_COMPOSITE_SUBTRACT;
    static constexpr int IncludeId = IDC_COMPOSITE_INCLUDE;     // 211-216
    static constexpr int SubtractedId = IDC_COMPOSITE_SUBTRACTED;  // 221-226
    static constexpr int FromId = IDC_COMPOSITE_FROM;        // 231-236
    static constexpr int HelpId = IDC_COMPOSITE_HELP;
    static constexpr DWORD HelpContext = 120;

    TCompositeOverlayDialog(TWindow* parent, const char* helpPath, const char* templateName,
                            CompositeSettings* settings);

    // The refusal of a composite, or null when it can be formed.
    static const char* Problem(const CompositeSettings& settings);

    void SetupWindow() override;
    void CmOk() override;

private:
    void EnableGroups();
    void CmOperation();
    void CmHelp();

    std::string HelpPath;
    CompositeSettings* Settings;

    DECLARE_RESPONSE_TABLE(TCompositeOverlayDialog);
};
