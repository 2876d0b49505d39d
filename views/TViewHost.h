#pragma once
#include <cstdint>

struct AnalysisSettingsStruct;
struct CompositeSettings;
struct SpectrumOpts;
struct DisplaySettingsStruct;
struct CalibrationStruct;
struct DisplaySettingsStruct;
struct MarkerSettings;
struct TPrintOptions;
class TBrush;
class TFont;
class TPlotBase;
class TSeriesData;
class TSpectralData;
class TSpectrogram;
class TWaveData;

// What a view asks of the window that hosts it. The main window implements
// it; a view sees nothing else of the main window, so every view builds
// without the shell and is tested in a window over a small fake host. A view
// that needs more of its host adds an operation here, in its group, and the
// main window answers it.
class TViewHost {
public:
    enum OperatingMode { RealTime = 1, PostProcess = 2, Recorder = 3 };
    enum RunStates { Running = 1, Stopped = 2, Recording = 3, Playback = 4 };

    virtual ~TViewHost() = default;

    // Settings the views show.
    virtual const AnalysisSettingsStruct& GetAnalysisSettings() const = 0;
    virtual const MarkerSettings& GetMarkers() const = 0;
    virtual const TPrintOptions& GetPrintOptions() const = 0;
    // The INI file, for the switches a view reads as it draws ("HideLogo",
    // "PrintPlotTitle").
    virtual const char* GetIniPath() const = 0;
    // The DDE client's RPM link: 1 while time axes and titles show RPM.
    virtual int32_t GetRpmLinkFlag() const = 0;
    // The DDE client's frequency axis: true, with its name and unit, while
    // the linked program names the axis.
    virtual bool GetLinkAxis(const char*& name, const char*& unit) const = 0;

    // Fonts and brushes the host owns; null until it has made them.
    virtual const TFont* GetMainFont() const = 0;
    virtual const TBrush* GetFaceBrush() const = 0;

    // Run state and requests.
    virtual int32_t GetOpMode() const = 0;
    virtual int32_t GetRunState() const = 0;
    // 1 while a single-block run is asked for: views draw every block.
    virtual int32_t GetRunRequest() const = 0;

    // What the time series view shows, each null when absent: the open wave
    // or recording, the analysis block of a channel (0 left, 1 right) and
    // the left channel's spectrum.
    virtual TWaveData* GetWaveData() const = 0;
    virtual const TSeriesData* GetSeriesBlock(uint16_t channel) const = 0;
    virtual const TSpectralData* GetLeftSpectrum() const = 0;
    // The frame the capture has reached; false while nothing captures.
    virtual bool GetLastInputFrame(uint32_t& frame) const = 0;
    // Seconds of input the real-time buffer keeps.
    virtual uint32_t GetRealTimeBufferSeconds() const = 0;
    virtual const CalibrationStruct& GetCalibration() const = 0;
    virtual const char* GetHelpPath() const = 0;
    // 0 the wave data, 1 the analysis blocks, 2 the real-time buffer as a
    // strip chart.
    virtual uint32_t GetSeriesSource() const = 0;
    virtual void SetSeriesSource(uint32_t source) = 0;
    // 1 while the time series comes from the DDE client link.
    virtual int32_t GetDdeSeriesLink() const = 0;
    // The play and analysis position in seconds; setting it moves the wave's
    // position and the transport toolbar's readout with it.
    virtual float GetPositionTime() const = 0;
    virtual void SetPositionTime(float seconds) = 0;
    // The spectrum of the wave at a time, shown in the spectrum view.
    virtual void ReprocessSegment(float seconds) = 0;
    // A main-window command, as its menu item sends it.
    virtual void RunCommand(int commandId) = 0;
    // The time series' selected samples as text on the clipboard.
    virtual void CopyDataToClipboard() = 0;
    // The DDE client link's hooks for a cursor value and an order value.
    virtual void DdeLinkHook1(float value) = 0;
    virtual void DdeLinkHook2(float value) = 0;

    // What the spectrogram asks besides: the trigger (its time divisions
    // need a free-running time) and its rebuild from the wave file.
    virtual bool IsTriggerEnabled() const = 0;
    virtual void RebuildSpectrogram(TSpectrogram& view) = 0;

    // The user closes view from its close box. The host keeps what it keeps
    // of a closing view and may destroy it: the view touches nothing of
    // itself after this call.
    virtual void ViewClosed(TPlotBase& view) = 0;

    // What the single-value readouts measure and show.
    // The first (0) or second (1) displayed result; null when there is none.
    virtual TSpectralData* GetDisplayedResult(int index) const = 0;
    // A channel's display settings (0 left, 1 right) and whether its calibration is on.
    virtual const DisplaySettingsStruct& GetScaling(int channel) const = 0;
    virtual bool IsChannelCalibrated(int channel) const = 0;
    virtual float GetNoiseFigure() const = 0;
    // The analysis time of the block just processed, in seconds.
    virtual float GetCurrentTime() const = 0;
    // The user closes the readout of a window type from its close box; as
    // with ViewClosed, the readout touches nothing of itself afterwards.
    virtual void ReadoutClosed(int windowType) = 0;
    // A readout of a window type is being destroyed: its placement is kept.
    virtual void ReadoutDestroyed(int windowType) = 0;

    // What the surface and phase views ask besides.
    // 1 while the DDE client link to a partner program's service runs.
    virtual int32_t GetDdeClientLink() const = 0;
    // The newest RPM value of the DDE link, and the RPM one surface line stands for.
    virtual float GetRpmTag() const = 0;
    virtual float GetRpmPerLine() const = 0;
    // The service name the DDE server registers, for the "Link" block.
    virtual const char* GetDdeServiceName() const = 0;
    // The time series view shows start..end of the wave.
    virtual void ZoomToSegment(float start, float end) = 0;
    // A surface view is drawn again from the wave, line by line.
    virtual void RecomputeSurface(TPlotBase& view) = 0;

    // What the spectrum view asks besides.
    // Marker index 0-7 on or off at a frequency (off keeps the frequency);
    // every view shows the change.
    virtual void SetMarker(int index, bool enable, float frequency) = 0;
    // The folder of the overlay slot files (section "Paths", key "ovl").
    virtual const char* GetOverlayFolder() const = 0;
    // The display limits of a spectrum's range first..last; false when
    // there are none. On a linear scale only top is written.
    // The limits the time series takes on autoscale, over frames first to
    // last of a channel; false, leaving both unchanged, when there is no data.
    virtual bool ComputeTimeSeriesAutoscale(uint16_t channel, uint32_t first, uint32_t last, float& top,
                                            float& bottom) = 0;
    virtual bool ComputeSpectrumAutoscale(const TSpectralData* spectrum, int first, int last, float& top,
                                          float& bottom) = 0;
    // Peak-hold (1) or spectral (0) data, asked of the user on a dialog
    // template of the source choice; false when the user cancels.
    virtual bool ChooseSpectrumSource(TPlotBase& view, const char* templateName, uint32_t& choice) = 0;
    // A pane's composite settings on the composite dialog; false when cancelled.
    virtual bool EditCompositeSettings(TPlotBase& view, CompositeSettings& settings) = 0;
    // The overlay slots of a channel (1 or 2) on the overlay dialog, over a
    // working copy of the view's options; false when cancelled. With pause
    // the analyser stops for the dialog and runs again afterwards.
    virtual bool EditOverlaySettings(TPlotBase& view, SpectrumOpts& opts, int channel, uint16_t frequencyScale,
                                     bool pause) = 0;
    // The RPM table of the DDE link: first value, step and number of entries.
    virtual void GetRpmTable(float& start, float& step, int32_t& count) const = 0;
};
