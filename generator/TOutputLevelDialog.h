#pragma once
#include <memory>

#include "framework/LimitScroll.h"
#include "framework/TComboBox.h"
#include "framework/TEdit.h"
#include "generator/SignalParams.h"
#include "generator/TSignalDialog.h"

// The generator's output level: both channels' levels, their unit, and the
// sound card's full-scale voltage (typed in, unknown, or from a list of
// cards). Edits a copy of the generator's level record; the caller copies it
// back after OK.
class TOutputLevelDialog : public TSignalDialog {
public:
    TOutputLevelDialog(TWindow* parent, const char* resource, OutputLevelStruct* level, HFONT font,
                       const char* helpFile);

    // The option and the three levels; the unit and card lists are filled
    // and read beside it.
    static const TDialogBinding<OutputLevelStruct>& Binding();

    void SetupWindow() override;
    // Stores every field into the record, then checks it.
    bool CanClose() override;
    virtual void FullScaleOptionChanged();
    virtual void CardChanged();
    virtual void UnitsChanged();

private:
    // All seven units, or only the two full-scale ones.
    void FillUnits(bool all, int selected);
    uint16_t SelectedOption() const;

    OutputLevelStruct* Level;
    std::unique_ptr<TEdit> LeftEdit, RightEdit, FullScaleEdit;
    std::unique_ptr<LimitScroll> LeftSpin, RightSpin;
    std::unique_ptr<TComboBox> UnitList, CardList;

    DECLARE_RESPONSE_TABLE(TOutputLevelDialog);
};
