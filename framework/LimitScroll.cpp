#include "framework/LimitScroll.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// The edit field is read as at most this many characters.
constexpr int ReadLimit = 19;
}

LimitScroll::LimitScroll(TWindow* parent, int resourceId, TModule* module, TWindow* edit, float maximum,
                         float minimum, float step)
    : TScrollBar(parent, resourceId, module), Edit(edit), Maximum(maximum), Minimum(minimum), Step(step)
{
    SetPrecision(0);
}

LimitScroll::LimitScroll(TWindow* parent, int id, int x, int y, int w, int h, TModule* module, TWindow* edit,
                         float maximum, float minimum, float step)
    : TScrollBar(parent, id, x, y, w, h, false, module), Edit(edit), Maximum(maximum), Minimum(minimum), Step(step)
{
    SetPrecision(0);
}

void LimitScroll::SetPrecision(int decimals)
{
    static const char* const Fixed[] = {"%1.0f", "%1.1f", "%1.2f", "%1.3f", "%1.4f",
                                        "%1.5f", "%1.6f", "%1.7f", "%1.8f", "%1.9f"};
    if (decimals < 0)
        Format = Fixed[0];
    else if (decimals < 10)
        Format = Fixed[decimals];
    else
        Format = "%1.1e";
}

void LimitScroll::SetStep(float step)
{
    if (step != 0.0f)
        Step = step;
}

void LimitScroll::SetRange(float maximum, float minimum)
{
    if (maximum > minimum) {
        Maximum = maximum;
        Minimum = minimum;
    }
}

double LimitScroll::ReadValue() const
{
    char text[ReadLimit + 1] = {};
    if (Edit && Edit->GetHandle())
        Edit->GetWindowText(text, sizeof text);
    return std::strtod(text, nullptr);
}

void LimitScroll::WriteValue(double value)
{
    if (!Edit || !Edit->GetHandle())
        return;
    const int length = std::snprintf(nullptr, 0, Format, value);
    if (length < 0)
        return;
    std::string text(size_t(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), Format, value);
    Edit->SetWindowText(text.c_str());
}

void LimitScroll::StepUp()
{
    double value = ReadValue() + Step;
    if (value >= Maximum)
        value = Maximum;
    WriteValue(value);
}

void LimitScroll::StepDown()
{
    double value = ReadValue() - Step;
    if (value <= Minimum)
        value = Minimum;
    WriteValue(value);
}
