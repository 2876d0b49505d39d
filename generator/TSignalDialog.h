#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/TDialog.h"
#include "framework/TDialogBinding.h"
#include "resources/SignalDialogRes.h"

// What the generator's dialogs share: set-up over their parent with the
// program's dialog font on Win32s, the Help button's context, numbers read
// from edit fields as the user typed them, and the box that reports a value
// out of range while the dialog stays open.
class TSignalDialog : public TDialog {
public:
    static constexpr int HelpId = IDC_SIGNAL_HELP;
    // Characters of a numeric field that are read.
    static constexpr int NumberLength = 19;

    TSignalDialog(TWindow* parent, const char* resource, HFONT font, const char* helpFile, DWORD helpContext);

    void SetupWindow() override;
    virtual void CmHelp();

protected:
    // The leading decimal number of a field's text; 0 when none. Never
    // refused here: the rules look at the values together once read.
    static TDialogBindingBase::TReading RealText(const std::string& text);
    static TDialogBindingBase::TReading IntegerText(const std::string& text);
    // The number of a field's first 19 characters.
    float ReadReal(int id) const;
    int32_t ReadInteger(int id) const;
    // A number written with a printf format.
    void WriteReal(int id, const char* format, double value);
    void WriteInteger(int id, const char* format, long value);
    void LimitText(int id, int characters);
    bool IsChecked(int id) const { return IsItemChecked(id) == BST_CHECKED; }
    // Shows a refusal (product caption, OK, icon as given) and answers false;
    // an empty message passes.
    bool Accept(const std::string& message, UINT icon = 0);

    HFONT Font;
    std::string HelpFile;
    DWORD HelpContext;

    DECLARE_RESPONSE_TABLE(TSignalDialog);
};
