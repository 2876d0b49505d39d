// Spin, autoscale and marker label rules of the spectrum view.
#include "views/TSpectrumControls.h"

#include <algorithm>
#include <cstdio>

TSpectrumControls::Spin TSpectrumControls::PlotTopSpin(float value, bool decibels)
{
    if (decibels)
        return {5.0f, 2, 300.0f, -300.0f};
    // The power of ten below the value, with a tenth's allowance above it;
    // bounds compared as the float a typed "1.1" becomes.
    static const struct {
        float Upto;
        float Step;
    } Steps[] = {{1e-7f, 1e-8f}, {1.1e-6f, 1e-7f}, {1.1e-5f, 1e-6f}, {1.1e-4f, 1e-5f}, {1.1e-3f, 1e-4f},
                 {1.1e-2f, 1e-3f}, {0.11f, 1e-2f},  {1.1f, 0.1f},     {11.0f, 1.0f},    {110.0f, 10.0f},
                 {1.1e3f, 100.0f}, {1.1e4f, 1e3f},  {1.1e5f, 1e4f},   {1.1e6f, 1e5f},   {1.1e7f, 1e6f},
                 {1.1e8f, 1e7f}};
    float step = 1e8f;
    for (const auto& s : Steps)
        if (value <= s.Upto) {
            step = s.Step;
            break;
        }
    int precision = 7;
    if (step >= 1000.0f) precision = 0;
    else if (step >= 100.0f) precision = 1;
    else if (step >= 10.0f) precision = 2;
    else if (step >= 1.0f) precision = 3;
    else if (step >= 0.1f) precision = 4;
    else if (step >= 0.01f) precision = 5;
    else if (step >= 0.001f) precision = 6;
    return {step, precision, 1e7f, 1e-9f};
}

TSpectrumControls::Spin TSpectrumControls::PlotRangeSpin()
{
    return {5.0f, 2, 300.0f, MinPlotRange};
}

void TSpectrumControls::AutoscaleToRange(bool decibels, float top, float bottom, float& plotTop, float& plotRange)
{
    if (!decibels) {
        plotTop = top;
        return;
    }
    plotTop = std::clamp(top, -MaxDbTop, MaxDbTop);
    const float span = top - bottom;
    if (span > MaxDbRange)
        plotRange = MaxDbRange;
    else if (span < 1.0f)
        plotRange = NarrowDbRange;
    else
        plotRange = span;
}

std::string TSpectrumControls::MarkerLabel(uint32_t type, float frequency, float value, bool decibels,
                                           const char* custom)
{
    char text[96] = {};
    switch (type) {
    case FrequencyLabel:
        std::snprintf(text, sizeof text, "%3.2f Hz", frequency);
        break;
    case ValueLabel:
        std::snprintf(text, sizeof text, decibels ? "%3.2f dB" : "%3.2f", value);
        break;
    case BothLabel:
        std::snprintf(text, sizeof text, decibels ? "%3.2f Hz/%3.2f dB" : "%3.2f Hz/%3.2f", frequency, value);
        break;
    case CustomLabel:
        std::snprintf(text, sizeof text, "%.30s", custom ? custom : "");
        break;
    default:
        break;
    }
    return text[0] ? text : " ";
}
