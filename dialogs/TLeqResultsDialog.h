#pragma once
#include <string>
#include "engine/LeqSettings.h"
#include "framework/TDialog.h"
#include "resources/LeqResultsDialogRes.h"

// "Equivalent Noise Levels": the prepared reports of a segment's Leq
// analysis, left and right channel, with a button that copies both.
class TLeqResultsDialog : public TDialog {
public:
    enum : int { LeftId = IDC_LEQRES_LEFT, RightId = IDC_LEQRES_RIGHT, CopyId = IDC_LEQRES_COPY };

    TLeqResultsDialog(TWindow* parent, TResId templateName, const LeqSettings& options, std::string left,
                      std::string right);

    void SetupWindow() override;
    void CmCopy();
    // What the copy puts on the clipboard.
    std::string CopyText() const { return Left + "\r\n\r\n" + Right; }

private:
    // Kept with the reports they were worked out with.
    LeqSettings Options;
    std::string Left, Right;

    DECLARE_RESPONSE_TABLE(TLeqResultsDialog);
};
