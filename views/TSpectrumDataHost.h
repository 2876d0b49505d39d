#pragma once

struct DisplaySettingsStruct;
class TSpectralData;

// The spectra and measures the spectrum views and the readouts show.
class TSpectrumDataHost {
public:
    virtual ~TSpectrumDataHost() = default;

    // The left channel's spectrum; null when absent.
    virtual const TSpectralData* GetLeftSpectrum() const = 0;
    // The first (0) or second (1) displayed result; null when there is none.
    virtual TSpectralData* GetDisplayedResult(int index) const = 0;
    // A channel's display settings (0 left, 1 right) and whether its calibration is on.
    virtual const DisplaySettingsStruct& GetScaling(int channel) const = 0;
    virtual bool IsChannelCalibrated(int channel) const = 0;
    virtual float GetNoiseFigure() const = 0;
    // The display limits of a spectrum's range first..last; false when
    // there are none. On a linear scale only top is written.
    virtual bool ComputeSpectrumAutoscale(const TSpectralData* spectrum, int first, int last, float& top,
                                          float& bottom) = 0;
};
