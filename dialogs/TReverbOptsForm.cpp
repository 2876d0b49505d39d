#include "dialogs/TReverbOptsForm.h"

#include <cstdlib>

namespace {

// Text that is no number reads as 0; one that is not finite is out of any range.
TDialogBindingBase::TReading Within(const std::string& text, double low, double high, const char* message)
{
    const double value = std::strtod(text.c_str(), nullptr);
    if (!(value >= low && value <= high)) return {0.0, message, 0};
    return {value, {}, 0};
}

}

TDialogBindingBase::TReading TReverbOptsForm::ReadMaxDecayTime(const std::string& text)
{
    return Within(text, 1.0, 30.0, "Maximum decay time must be between 1 and 30 seconds.");
}

TDialogBindingBase::TReading TReverbOptsForm::ReadPlotTop(const std::string& text)
{
    return Within(text, -200.0, 200.0, "Plot Top must be between -200 and +200");
}

TDialogBindingBase::TReading TReverbOptsForm::ReadPlotRange(const std::string& text)
{
    return Within(text, 10.0, 200.0, "Plot Range must be between 10 and 200");
}
