#pragma once
#include <string>
#include "framework/TDialog.h"
#include "resources/CalculatedResultsDialogRes.h"

// A read-only box with the text result of a segment analysis
// ("DIALOG_CALCULATED_RESULTS"); its second button copies the text to the
// clipboard and leaves the box open.
class TCalculatedResultsDialog : public TDialog {
public:
    static constexpr int TextId = IDC_RESULTS_TEXT;
    static constexpr int CopyId = IDC_RESULTS_COPY;

    TCalculatedResultsDialog(TWindow* parent, const char* caption, const char* text);

    void SetupWindow() override;
    void CmCopy();

private:
    std::string Caption;
    std::string Text;

    DECLARE_RESPONSE_TABLE(TCalculatedResultsDialog);
};
