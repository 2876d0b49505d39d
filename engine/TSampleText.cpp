// Lines of the time series copied as text.
#include "engine/TSampleText.h"

#include <cstdio>

namespace {

void AppendNumber(std::string& text, double value)
{
    // "%3.4f" of the largest float takes 46 characters.
    char field[64];
    const int n = std::snprintf(field, sizeof field, "%3.4f", value);
    if (n > 0)
        text.append(field, static_cast<size_t>(n) < sizeof field ? static_cast<size_t>(n) : sizeof field - 1);
}

}

void TSampleText::AppendLine(std::string& text, float seconds, float left, float right, uint16_t channels,
                             int combine)
{
    AppendNumber(text, double(seconds) * 1000.0);
    text += '\t';
    switch (combine) {
    case Sum:
        AppendNumber(text, left + right);
        break;
    case LeftMinusRight:
        AppendNumber(text, left - right);
        break;
    case RightMinusLeft:
        AppendNumber(text, right - left);
        break;
    default:
        AppendNumber(text, left);
        if (channels == 2) {
            text += '\t';
            AppendNumber(text, right);
        }
    }
    text += "\r\n";
}
