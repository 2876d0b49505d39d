#pragma once
#include <string>
#include "framework/TDialogBinding.h"

// The reverberation display options' rules: each field read as the runtime
// reads a number and refused outside its range with the dialog's message.
class TReverbOptsForm {
public:
    // Characters each field is read with.
    static constexpr int FieldLength = 79;

    static TDialogBindingBase::TReading ReadMaxDecayTime(const std::string& text);
    static TDialogBindingBase::TReading ReadPlotTop(const std::string& text);
    static TDialogBindingBase::TReading ReadPlotRange(const std::string& text);
};
