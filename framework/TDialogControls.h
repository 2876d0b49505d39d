#pragma once
#include <string>

// What a dialog binding asks of a dialog's controls, by control id: the text
// of an edit or list, the state of a check box or radio button, the entry
// selected in a list. Dialogs answer it from their windows; tests from a map.
class TDialogControls {
public:
    virtual ~TDialogControls() = default;

    // The control's text, cut to at most `length` characters.
    virtual std::string ControlText(int id, int length) const = 0;
    virtual void SetControlText(int id, const std::string& text) = 0;
    virtual bool ControlChecked(int id) const = 0;
    virtual void CheckControl(int id, bool checked) = 0;
    // The selected entry of a list, -1 for none; selecting -1 clears it.
    virtual int ControlSelection(int id) const = 0;
    virtual void SelectControl(int id, int index) = 0;
};
