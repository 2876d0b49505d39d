#pragma once

// The readouts and transforms a view's context menu asks for: level
// readouts of the active view's selected segment, transforms of the time
// series into the analysis blocks, and readouts and transforms of the
// displayed spectra.
class TReadoutHost {
public:
    virtual ~TReadoutHost() = default;

    // RMS level, crest factor and PSI time level of the selected segment,
    // each shown in the results box.
    virtual void RmsLevelOfSegment() = 0;
    virtual void CrestFactor() = 0;
    virtual void PsiTimeLevel() = 0;
    // The envelope and the Schroeder integral of the selected segment (or of
    // the analysis blocks the time series shows), shown in the time series.
    virtual void EnergyTimeCurve() = 0;
    virtual void SchroederIntegration() = 0;
    // The displayed spectra back into the time series, or folded into
    // their cepstrum.
    virtual void InverseFFT() = 0;
    virtual void ComputeCepstrum() = 0;
    // Peak frequency, -3 dB bandwidth and Q between low and high Hz, in a message.
    virtual void PeakBandwidth(float low, float high) = 0;
    // The displayed spectra smoothed over width bins (1 puts them back).
    virtual void SmoothSpectra(int width) = 0;
};
