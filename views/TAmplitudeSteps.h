#pragma once

// The spin settings of an amplitude field for the value typed into it.
struct TPlotTopSpin {
    float Step;
    int Decimals;
    float Maximum;
    float Minimum;
};

// The tick rules the amplitude axes share: the step of a dB span and the
// printf format of a linear step.
class TAmplitudeSteps {
public:
    // The dB step for a span: 0.01 dB up to 0.11 dB, through 0.1, 0.2, 0.5,
    // 1, 2 and 5 dB, 10 dB beyond 50 dB.
    static double Decibel(double span);
    // The format of linear tick labels a step apart.
    static const char* LinearFormat(double step);
};
