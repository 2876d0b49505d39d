#pragma once
#include <cstdint>

class TPlotBase;
class TSeriesData;
class TSpectrogram;
class TSurfacePlot;
class TWaveData;

// The wave and the analysis blocks a view reads, and the work a view asks to
// be done over the wave.
class TWaveAccessHost {
public:
    virtual ~TWaveAccessHost() = default;

    // Each null when absent: the open wave or recording, and the analysis
    // block of a channel (0 left, 1 right).
    virtual TWaveData* GetWaveData() const = 0;
    virtual const TSeriesData* GetSeriesBlock(uint16_t channel) const = 0;
    // The frame the capture has reached; false while nothing captures.
    virtual bool GetLastInputFrame(uint32_t& frame) const = 0;
    // Seconds of input the real-time buffer keeps.
    virtual uint32_t GetRealTimeBufferSeconds() const = 0;
    // 0 the wave data, 1 the analysis blocks, 2 the real-time buffer as a
    // strip chart.
    virtual uint32_t GetSeriesSource() const = 0;
    virtual void SetSeriesSource(uint32_t source) = 0;
    // The time series' selected samples as text on the clipboard.
    virtual void CopyDataToClipboard() = 0;
    // The time series view shows start..end of the wave.
    virtual void ZoomToSegment(float start, float end) = 0;
    // The spectrum of the wave at a time, shown in the spectrum view.
    virtual void ReprocessSegment(float seconds) = 0;
    // The DTMF keys of the active view's selected segment, reported in a message.
    virtual void AnalyzeDtmfSegment() = 0;
    // The spectrogram's rebuild from the wave, and a surface view drawn
    // again from the wave, line by line.
    virtual void RebuildSpectrogram(TSpectrogram& view) = 0;
    virtual void RecomputeSurface(TPlotBase& view) = 0;
    // Analyses over a segment of the wave: the active view's selection, or
    // start and end in seconds when useGiven. The mean spectrum in the
    // spectrum views; the open spectrogram or surface views filled from it;
    // one given view filled; the Leq figures of the selection.
    virtual void AverageSpectrumOfSegment(bool useGiven, float start, float end) = 0;
    virtual void ShowSegmentSpectrogram(bool useGiven, float start, float end) = 0;
    virtual void ShowSegmentSurface(bool useGiven, float start, float end) = 0;
    virtual void SpectrogramOfSegment(TSpectrogram* view, float start, float end) = 0;
    virtual void SurfaceOfSegment(TSurfacePlot* view, float start, float end) = 0;
    virtual void LeqOfSegment() = 0;
    // The reverberation times of the active view's selected segment, in
    // the reverberation window.
    virtual void ComputeReverbOfSelection() = 0;
    // The limits the time series takes on autoscale, over frames first to
    // last of a channel; false, leaving both unchanged, when there is no data.
    virtual bool ComputeTimeSeriesAutoscale(uint16_t channel, uint32_t first, uint32_t last, float& top,
                                            float& bottom) = 0;
};
