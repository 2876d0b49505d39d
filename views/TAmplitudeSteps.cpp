#include "views/TAmplitudeSteps.h"

double TAmplitudeSteps::Decibel(double span)
{
    static const struct { double Bound, Step; } Table[] = {
        {0.11, 0.01}, {1.01, 0.1}, {2.01, 0.2}, {5.01, 0.5}, {10.01, 1}, {20.01, 2}, {50.01, 5}};
    for (const auto& row : Table)
        if (span <= row.Bound)
            return row.Step;
    return 10.0;
}

const char* TAmplitudeSteps::LinearFormat(double step)
{
    if (step < 0.0001) return "%3.1e";
    if (step < 0.001) return "%1.4f";
    if (step < 0.01) return "%1.3f";
    if (step < 0.1) return "%1.2f";
    if (step == 10.0) return "%3.2f";
    if (step == 100.0) return "%3.1f";
    if (step >= 1000.0) return "%3.0f";
    return "%3.2f";
}
