// A view host for tests: settings the test sets, fonts and a brush of its
// own, and a record of the views that asked to close. Views built over it
// need neither the shell nor a main window.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "framework/TBrush.h"
#include "framework/TFont.h"
#include "views/MarkerSettings.h"
#include "views/TPrintOptions.h"
#include "views/TViewHost.h"

class TFakeViewHost : public TViewHost {
public:
    const AnalysisSettingsStruct& GetAnalysisSettings() const override { return Settings; }
    const MarkerSettings& GetMarkers() const override { return Markers; }
    const TPrintOptions& GetPrintOptions() const override { return PrintOptions; }
    const char* GetIniPath() const override { return IniPath.c_str(); }
    int32_t GetRpmLinkFlag() const override { return RpmLinkFlag; }
    bool GetLinkAxis(const char*& name, const char*& unit) const override
    {
        name = LinkAxisName.c_str();
        unit = LinkAxisUnit.c_str();
        return !LinkAxisName.empty();
    }
    const TFont* GetMainFont() const override { return &MainFont; }
    const TBrush* GetFaceBrush() const override { return &FaceBrush; }
    int32_t GetOpMode() const override { return OpMode; }
    int32_t GetRunState() const override { return RunState; }
    int32_t GetRunRequest() const override { return RunRequest; }
    void ViewClosed(TPlotBase& view) override { Closed.push_back(&view); }
    TSpectralData* GetDisplayedResult(int) const override { return nullptr; }
    const DisplaySettingsStruct& GetScaling(int channel) const override { return Scaling[channel & 1]; }
    bool IsChannelCalibrated(int) const override { return false; }
    float GetNoiseFigure() const override { return 0.0f; }
    float GetCurrentTime() const override { return 0.0f; }
    void ReadoutClosed(int) override {}
    void ReadoutDestroyed(int) override {}
    TWaveData* GetWaveData() const override { return Wave; }
    const TSeriesData* GetSeriesBlock(uint16_t channel) const override { return Blocks[channel ? 1 : 0]; }
    const TSpectralData* GetLeftSpectrum() const override { return nullptr; }
    bool GetLastInputFrame(uint32_t& frame) const override
    {
        frame = InputFrame;
        return Capturing;
    }
    uint32_t GetRealTimeBufferSeconds() const override { return BufferSeconds; }
    const CalibrationStruct& GetCalibration() const override { return Calibration; }
    const char* GetHelpPath() const override { return HelpPath.c_str(); }
    uint32_t GetSeriesSource() const override { return SeriesSource; }
    void SetSeriesSource(uint32_t source) override { SeriesSource = source; }
    int32_t GetDdeSeriesLink() const override { return DdeSeriesLink; }
    float GetPositionTime() const override { return PositionTime; }
    void SetPositionTime(float seconds) override { PositionTime = seconds; }
    void ReprocessSegment(float seconds) override { Reprocessed.push_back(seconds); }
    void AnalyzeDtmfSegment() override { ++DtmfAnalyses; }
    int32_t GetDdeClientLink() const override { return DdeClientLink; }
    float GetRpmTag() const override { return RpmTag; }
    float GetRpmPerLine() const override { return RpmPerLine; }
    const char* GetDdeServiceName() const override { return ServiceName.c_str(); }
    void ZoomToSegment(float start, float end) override { Zoomed.push_back({start, end}); }
    void RecomputeSurface(TPlotBase& view) override { Recomputed.push_back(&view); }
    void ComputeReverbOfSelection() override { ++ReverbRequests; }
    void AverageSpectrumOfSegment(bool, float, float) override { SegmentRequests.push_back("average"); }
    void ShowSegmentSpectrogram(bool, float, float) override { SegmentRequests.push_back("spectrogram"); }
    void ShowSegmentSurface(bool, float, float) override { SegmentRequests.push_back("surface"); }
    void SpectrogramOfSegment(TSpectrogram*, float, float) override { SegmentRequests.push_back("expand spectrogram"); }
    void SurfaceOfSegment(TSurfacePlot*, float, float) override { SegmentRequests.push_back("expand surface"); }
    void LeqOfSegment() override { SegmentRequests.push_back("leq"); }
    void RunCommand(int commandId) override { Commands.push_back(commandId); }
    void SetMarker(int index, bool enable, float frequency) override
    {
        Markers.MarkerEnable[index & 7] = enable ? 1 : 0;
        if (enable)
            Markers.MarkerFreq[index & 7] = frequency;
    }
    const char* GetOverlayFolder() const override { return OverlayFolder.c_str(); }
    bool ComputeTimeSeriesAutoscale(uint16_t, uint32_t, uint32_t, float&, float&) override { return false; }
    bool ComputeSpectrumAutoscale(const TSpectralData*, int, int, float&, float&) override { return false; }
    bool ChooseSpectrumSource(TPlotBase&, const char* templateName, uint32_t& choice) override
    {
        SourceTemplates.push_back(templateName);
        if (SourceAnswer >= 0)
            choice = uint32_t(SourceAnswer);
        return SourceAnswer >= 0;
    }
    bool EditCompositeSettings(TPlotBase&, CompositeSettings&) override { return false; }
    bool EditOverlaySettings(TPlotBase&, SpectrumOpts&, int, uint16_t, bool) override { return false; }
    void EditViewOptions(TPlotBase& view) override { OptionsEdited.push_back(&view); }
    void GetRpmTable(float& start, float& step, int32_t& count) const override
    {
        start = RpmStart;
        step = RpmPerLine;
        count = RpmEntries;
    }
    void CopyDataToClipboard() override { ++TextCopies; }
    void DdeLinkHook1(float value) override { Hooked.push_back(value); }
    void DdeLinkHook2(float value) override { Hooked.push_back(value); }
    bool IsTriggerEnabled() const override { return TriggerEnabled; }
    void RebuildSpectrogram(TSpectrogram& view) override { Rebuilt.push_back(&view); }
    void RmsLevelOfSegment() override { Readouts.push_back("rms"); }
    void CrestFactor() override { Readouts.push_back("crest"); }
    void PsiTimeLevel() override { Readouts.push_back("psi"); }
    void EnergyTimeCurve() override { Readouts.push_back("envelope"); }
    void SchroederIntegration() override { Readouts.push_back("schroeder"); }
    void InverseFFT() override { Readouts.push_back("inverse"); }
    void ComputeCepstrum() override { Readouts.push_back("cepstrum"); }
    void PeakBandwidth(float low, float high) override { Bandwidths.push_back({low, high}); }
    void SmoothSpectra(int width) override { Smoothings.push_back(width); }

    AnalysisSettingsStruct Settings;
    DisplaySettingsStruct Scaling[2];
    MarkerSettings Markers;
    TPrintOptions PrintOptions{};
    // A file nobody writes: every switch a view reads keeps its default.
    std::string IniPath;
    std::string OverlayFolder;
    // The source dialog's answer: 0 or 1, or -1 for Cancel; the templates asked for.
    int SourceAnswer = 0;
    std::vector<std::string> SourceTemplates;
    float RpmStart = 0.0f;
    int32_t RpmEntries = 0;
    int32_t RpmLinkFlag = 0;
    std::string LinkAxisName, LinkAxisUnit;
    int32_t OpMode = PostProcess;
    int32_t RunState = Stopped;
    int32_t RunRequest = 0;
    TFont MainFont{"Arial", 15};
    TBrush FaceBrush{TColor(192, 192, 192)};
    std::vector<TPlotBase*> Closed;
    // What the time series view shows.
    TWaveData* Wave = nullptr;
    const TSeriesData* Blocks[2] = {};
    uint32_t SeriesSource = 0;
    uint32_t InputFrame = 0;
    bool Capturing = false;
    uint32_t BufferSeconds = 60;
    CalibrationStruct Calibration{};
    std::string HelpPath;
    float PositionTime = 0.0f;
    std::vector<float> Reprocessed;
    int DtmfAnalyses = 0;
    // What the surface and phase views read and ask.
    int32_t DdeSeriesLink = 0;
    int32_t DdeClientLink = 0;
    float RpmTag = 0.0f;
    float RpmPerLine = 0.0f;
    std::string ServiceName = "Tonalyx";
    std::vector<std::pair<float, float>> Zoomed;
    int ReverbRequests = 0;
    // The segment analyses the view entries asked for, in order.
    std::vector<std::string> SegmentRequests;
    std::vector<TPlotBase*> Recomputed;
    // What the spectrogram asks besides, and the DDE link's hooks it calls.
    bool TriggerEnabled = false;
    std::vector<TSpectrogram*> Rebuilt;
    std::vector<float> Hooked;
    std::vector<int> Commands;
    // The views whose own options command ran.
    std::vector<TPlotBase*> OptionsEdited;
    int TextCopies = 0;
    // The readouts and transforms asked for, by name; the bandwidth ranges and smoothing widths.
    std::vector<std::string> Readouts;
    std::vector<std::pair<float, float>> Bandwidths;
    std::vector<int> Smoothings;
};
