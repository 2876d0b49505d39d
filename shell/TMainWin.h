#pragma once
#include <windows.h>
#include <ddeml.h>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include "engine/AnalysisSettingsStruct.h"
#include "dialogs/TCalibrationHost.h"
#include "engine/CalibrationStruct.h"
#include "engine/TDataExport.h"
#include "engine/TDataImport.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/FilterSettings.h"
#include "base/TEngineHost.h"
#include "engine/TSpectrumPipeline.h"
#include "engine/TriggerSettings.h"
#include "engine/TBlockPacer.h"
#include "framework/TBrush.h"
#include "framework/TCommandEnabler.h"
#include "framework/TDropInfo.h"
#include "framework/TFont.h"
#include "framework/TMDIFrame.h"
#include "framework/TOpenSaveDialog.h"
#include "framework/TPrintDialog.h"
#include "dialogs/TConfigurationReport.h"
#include "automation/TMacroHost.h"
#include "utilities/TThdFreqHost.h"
#include "engine/FileIOSettings.h"
#include "engine/LoggingSettings.h"
#include "shell/TDeferredMessages.h"
#include "views/MarkerSettings.h"
#include "views/PhaseOpts.h"
#include "views/SeriesOpts.h"
#include "views/SpectrogramOpts.h"
#include "views/SpectrumOpts.h"
#include "views/SurfaceOpts.h"
#include "shell/TPipelineMember.h"
#include "shell/TPipelineWindow.h"
#include "shell/TSettingsKeys.h"
#include "views/TPrintOptions.h"
#include "engine/DelayFinderSettings.h"
#include "engine/LeqSettings.h"
#include "automation/MacroSettings.h"
#include "engine/PhaseScopeSettingsStruct.h"
#include "engine/ReverbSettings.h"
#include "views/THDFreqSettings.h"
#include "shell/ViewStatusFlags.h"
#include "shell/TWindowSlots.h"
#include "utilities/TUtilityHost.h"
#include "views/TViewHost.h"
#include "dialogs/TDialogHost.h"
#include "shell/TMainWinGeneratorHost.h"
#include "utilities/TReverbHost.h"

class TCommandEnabler;
class TDialog;
class TSmoothing;
class TSoundInput;
class TSoundOutput;
class TWaveData;
class TWaveFile;
class TDelayFinder;
class TLeqAnalysis;
class TPhaseScope;
class TDataLog;
class TSeriesData;
class TSpectralData;
class TSignalGenerator;
class TSeriesPlot;
class TSpectrumPlot;
class TPhasePlot;
class TSpectrogram;
class TSurfacePlot;
class TMacro;
class TDC;
class TReverb;
class TAnalysisView;
class TTHDFreq;
struct CompositeSettings;
class Toolbar;
class Toolbar2;
class StatusBar;
class TAboutDialog;
class TDdeServer;
enum class TDdePokeItem : int;

// The MDI frame and the single owner of every setting and of all analysis
// state, all of it private. Other subsystems hold a pointer to it, read the
// state through its accessors and change it through its commands and
// setters; the views see it only as their host, the settings dialogs and the
// macro window as theirs.
class TMainWin : public TMDIFrame,
                 public TUtilityHost,
                 public TDialogHost,
                 public TCalibrationHost,
                 public TMacroHost,
                 public TThdFreqHost,
                 public TReverbHost {
    // The tests set up the window's state through it.
    friend class TMainWinState;
    // The window table opens views on the records it hands them and keeps
    // their ViewStatus flags.
    friend class TWindowSlots;

public:
    static constexpr int PathSize = 260;
    static constexpr int FolderCount = 11;
    // Indexes of ConfiguredFolders and CurrentFolders (keys of section "Paths").
    enum Folder { WavFolder, TmpFolder, CfgFolder, CalFolder, MicFolder, OvlFolder,
                  TxtFolder, RvbFolder, ThdFolder, MacroFolder, FilterFolder };
    // The keys of section "Paths", in Folder order.
    static constexpr const char* const* FolderKeys = TSettingsKeys::FolderKeys;
    // How far ApplySettings touches the plot views: a full refresh, none of
    // them, or a refresh that recomputes the spectrogram and surface history.
    enum class RefreshKind { Full, KeepViews, RecomputeHistory };
    using ViewType = ::ViewType;
    static constexpr int SecondChannelOffset = int(ViewType::Spectrum2) - int(ViewType::Spectrum);
    // The right channel's view of a left channel's view type.
    static constexpr ViewType SecondChannel(ViewType first) { return ViewType(int(first) + SecondChannelOffset); }

    TMainWin(TWindow* parent, const char* programPath, const char* commandLineArg, TMDIClient& client,
             TModule* module = nullptr);
    ~TMainWin() override;

    // Settings: every key of the settings files. INI-only keys always go to
    // and come from IniPath, all others from fileName.
    void ReadSettings(const char* fileName);
    void WriteSettings(const char* fileName);
private:
    TSettingsFields SettingsFields();
public:
    // DelaySamples from the sampling rate and DelayTimeMsec.
    void UpdateDelaySamples();

    // Life cycle.
    void SetupWindow() override;
    bool CanClose() override;
    void EvDestroy();
    void CmExit();
    void EvDropFiles(TDropInfo drop);
    void EvSysColorChange();
    void AttachWindowMenu();
    // The caption of the main window's message boxes.
    static constexpr const char* Product = "Tonalyx";
    const char* GetClassName() override { return "Tonalyx"; }
    void GetWindowClass(WNDCLASSA& wc) override;

    // Opens a start-up or dropped file by its extension: a macro file runs in
    // the macro window, a wave file opens, a configuration file loads.
    void OpenStartupFile(const char* name);

    // Operations of the run control and the File menu that start-up and
    // shutdown call.
    virtual void StartAnalyzer();
    virtual void StopAnalyzer();
    virtual void OpenWaveFile(const char* path);
    // Every open, paste, merge, recording and close puts its wave (or none)
    // here; the wave it replaces is handed back, deleted unless kept.
    std::unique_ptr<TWaveFile> ReplaceWave(std::unique_ptr<TWaveFile> wave);
    // The steps of a wave just made the open one: its calibration, the
    // analysis format and channel processing, the start, the views, the
    // caption "program [captionName]", and Post Process after Real Time.
    void TakeOpenedWave(const char* captionName);
    // An untitled wave just made (merged, imported) the open one: its
    // calibration, the analysis format with the mode kept, the bars and the
    // caption "program [Untitled]".
    void TakeUntitledWave(std::unique_ptr<TWaveFile> wave, const TWaveFormat& format);
    // 1 when no wave file is open any more, 0 when the user kept it.
    virtual int CloseWaveFile();
    // False when nothing was loaded (the file missing or holding no settings).
    virtual bool LoadConfiguration(const char* path);
    virtual void AddRecentFile(const char* path);
    virtual void RunMacroFile(const char* path);

    // The open wave (null when none) and the sound ports.
    TWaveFile* Wave() const { return WaveFile.get(); }
    TSoundInput* InputPort() const { return SoundInput.get(); }
    TSoundOutput* OutputPort() const { return SoundOutput.get(); }
    // The ports of new devices: the device dialog, a configuration load, start-up.
    void ReplaceInputPort(std::unique_ptr<TSoundInput> port);
    void ReplaceOutputPort(std::unique_ptr<TSoundOutput> port);
    const char* GetModulePath() const { return ModulePath; }
    const char* GetCommandLineFile() const { return CommandLineFile; }

    // The time the wave is at, seconds from its start, as shown and played from.
    float TimePosition() const { return CurrentTime; }
    void SetTimePosition(float time) { CurrentTime = time; }
    // The segment being played and whether it plays; the run's capture blocks.
    TWaveData* PlaybackSegment() const { return PlaybackCopy.get(); }
    bool IsPlaybackActive() const { return PlaybackActive != 0; }
    const TWaveData* CaptureBlock(int slot) const { return CaptureBlocks[slot]; }

    // Windows: the open window of each kind, by its type.
    TSeriesPlot* TimeSeriesView() const;
    TSpectrumPlot* SpectrumView(int channel) const;
    TPhasePlot* PhaseView(int channel) const;
    TSpectrogram* SpectrogramView(int channel) const;
    TSurfacePlot* SurfaceView(int channel) const;
    // Both channels' views of a kind, either null when it is not open.
    std::array<TSpectrumPlot*, 2> SpectrumViews() const { return {SpectrumView(0), SpectrumView(1)}; }
    std::array<TPhasePlot*, 2> PhaseViews() const { return {PhaseView(0), PhaseView(1)}; }
    std::array<TSpectrogram*, 2> SpectrogramViews() const { return {SpectrogramView(0), SpectrogramView(1)}; }
    std::array<TSurfacePlot*, 2> SurfaceViews() const { return {SurfaceView(0), SurfaceView(1)}; }
    TMacro* MacroWindow() const;
    TReverb* ReverbWindow() const;
    TDelayFinder* DelayFinder() const;
    TLeqAnalysis* LeqWindow() const;
    TPhaseScope* PhaseScope() const;
    // The data log, while logging is on.
    const TDataLog* GetDataLog() const { return DataLog.get(); }
    void CmDataLogOn();
    void CmDataLogOff();
    void CmDataLogView();
    // The file the next log goes to; a path longer than PathSize - 1 is cut there.
    void SetLogFileName(const char* path);
    void CeDataLogOn(TCommandEnabler& ce);
    void CeDataLogOff(TCommandEnabler& ce);
    // Hands the block just analysed to the data log.
    void UpdateDataLog();
    TSignalGenerator* SignalGenerator() const;
    // The first channel's type of a view kind, or its second channel's.
    static constexpr ViewType OfChannel(ViewType first, int channel)
    {
        return channel == 1 ? SecondChannel(first) : first;
    }
    const char* PrimaryLabel() const { return Pipeline.PrimaryLabel(); }
    const char* SecondaryLabel() const { return Pipeline.SecondaryLabel(); }
    // The frame's bars, null until made and while hidden.
    Toolbar* GetTransportToolbar() const { return TransportToolbar.get(); }
    StatusBar* GetStatusBar() const { return StatusBarWindow.get(); }
    Toolbar2* GetButtonToolbar() const { return ButtonToolbar.get(); }
    bool IsWindowOpen(ViewType type) const { return Windows.IsOpen(type); }
    // The font of the controls made from now on; the old one is handed back,
    // as the controls made before still use it.
    std::unique_ptr<TFont> ReplaceMainFont(std::unique_ptr<TFont> font) { MainFont.swap(font); return font; }

    // The program's caption (INI key "Caption"), before the wave's name in the frame's title.
    const char* ProgramCaption() const { return Caption; }
    // The frame's title naming the wave: "<program caption> [<name>]".
    void SetWaveCaption(const char* name);
    // The frame's title kept over a long operation that shows its own, and put back.
    void KeepCaption() { ::GetWindowTextA(GetHandle(), SavedCaption, sizeof SavedCaption); }
    void RestoreCaption() { SetCaption(SavedCaption); }
    // Each Folder as the settings give it and as the file dialogs last left it.
    const char* ConfiguredFolder(int folder) const { return ConfiguredFolders[folder]; }
    const char* CurrentFolder(int folder) const { return CurrentFolders[folder]; }
    // A path longer than PathSize - 1 is cut there.
    void SetConfiguredFolder(int folder, const char* path);
    void SetCurrentFolder(int folder, const char* path);
    // A wave the automation opened as a temporary file: closing deletes it,
    // and its calibration stays as it is.
    bool IsTemporaryWave() const { return TemporaryWaveFile != 0; }
    void MarkTemporaryWave(bool temporary) { TemporaryWaveFile = temporary ? 1 : 0; }
    // An entry of the client link's tables: its key, a second value and a
    // block of global memory (null for none).
    struct RpmEntry {
        float Rpm;
        int32_t Value;
        HGLOBAL Block;
    };
    static constexpr int RpmEntryCapacity = 1000;
    // Bar flags (section "Toolbars"): main toolbar, button toolbar, status bar.
    bool IsMainToolbarShown() const { return MainToolbarFlag != 0; }
    bool IsButtonToolbarShown() const { return ButtonToolbarFlag != 0; }
    bool IsStatusBarShown() const { return StatusBarFlag != 0; }

    // Run control, sound buffers, idle-time processing, frame layout,
    // analysis buffers and the spectral pipeline. Live blocks (capture,
    // playback) are taken one hop apart; the timer wakes the waiting message
    // loop to look again while the analyser runs on a live source.
    static constexpr UINT_PTR PaceTimer = 0x7A01;
    static constexpr UINT PaceTimerMs = 5;
    bool LiveBlockDue();

    void CmRun();
    void ResetAveragers();
    // What the transport toolbar and the command language change of a run:
    // the block limit of the next run, the Recorder's append halt, a start
    // of recording or of playing the recording, a forced trigger and the
    // overload indication.
    void LiftBlockLimit() { BlockLimitFlag = 0; }
    // A count of 0 or less lifts the limit and forgets the count.
    void LimitBlocks(int32_t count);
    void HaltAppend() { AppendHalt = 1; }
    void ResumeAppend() { AppendHalt = 0; }
    void StartRecording();
    void PlayRecording();
    void ForceNextTrigger() { ForceTrigger = 1; }
    void ResetOverload();
    // Whether any DDE client holds an advise link on a served item.
    void SetDdeAdviseActive(bool active) { DdeAdviseActive = active ? 1 : 0; }
    LRESULT EvDeviceChange(WPARAM, LPARAM);
    // 1 when the input port is open with both capture blocks queued.
    int OpenCaptureInput();
    // The phases of a start: the run's counters and buffers; the start of
    // the operating mode's run (false when it did not start); Post Process
    // on the open wave; the Recorder's playback.
    void PrepareRun();
    bool StartRunOfMode();
    bool StartPostProcessRun();
    bool StartRecorderPlayback();
    // The phases of opening capture: Real Time's blocks and history wave,
    // the Recorder's new or continued recording.
    bool OpenRealTimeCapture();
    bool MakeHistoryWave();
    bool OpenRecorderCapture();
    bool ContinueRecording();
    LRESULT EvWaveBufferDone(WPARAM, LPARAM);
    // The buffer handler's work per run kind: capture in Real Time, a
    // recording, the Recorder's playback, and the end of a played segment.
    void TakeRealTimeBuffers();
    void TakeRecordedBuffers();
    void RefillPlaybackBuffers();
    void EndSegmentPlayback();
    // A disk recording past its size limit is saved and recording goes on in a new wave.
    void ContinueInNewRecording();
    // "recording_<date and time>.wav" in folder; a name already taken (two
    // recordings within one second) gets "_2", "_3", ... before ".wav".
    static std::string RecordingFileName(const char* folder, const TEngineHost::LocalTime& t);
    bool IdleAction(long idleCount) override;
    // The idle handler's phases: whether a block is there to analyse (false
    // also after stopping at the end of the data); filling and analysing it
    // free-running or at a trigger (false when no data could be read); and
    // the bookkeeping after a block.
    bool IdleBlockReady();
    bool AnalyseFreeRunningBlock();
    bool AnalyseTriggeredBlock();
    void FinishIdlePass();
    // 1 when both blocks (either may be null) were filled from the data source.
    int FillSeriesBlocks(TSeriesData* left, TSeriesData* right, uint32_t offset);
    void AnalyseSeriesBlocks();
    void DetectOverload(TSeriesData* left, TSeriesData* right);
    void CopySeriesToSpectral(TSpectralData* spectral, TSeriesData* series);

    void EvSize(UINT sizeType, const TSize& size);
    int IsViewAllowed(ViewType type) const;
    void CreateViewWindow(ViewType type, const char* settingsFile);
    void UpdateHopSize();

    void AllocateSeriesBuffers();
    void FreeSeriesBuffers();
    void AllocateSpectralData();
    void FreeSpectralData();
    bool AllocateCaptureBlocks();
    void FreeCaptureBlocks();
    void BuildDerivedCalibration(int kind, CalibrationChannel& block) const;
    bool CheckMemory(const AnalysisSettingsStruct& current, const AnalysisSettingsStruct& next);
    // The channel-processing mode the engines run: a mono format runs mode 0.
    uint16_t EffectiveChannelProcessing() const;

    int ComputeSpectra(TSpectralData* left, TSpectralData* right, TSpectralData* combined, TSpectralData* aux);
    int UpdateAveragingRate();
    void UpdateCurrentTime();
    void UpdateViewTimes();
    void RefreshAllViews();
    float GetNoiseFigure() const override;
    void StartPlayback(float start, float end, uint32_t rate, int loop);
    void ReprocessSegment(float time) override;
    void AnalyzeDtmfSegment() override;
    bool ReadSourceBlocks(uint32_t lead, TSeriesData& left, TSeriesData* right) override;
    void SetProcessingDelay(uint16_t delayedChannel, float milliseconds) override;
    void UtilityClosed(const TWindow& window) override;
    void ApplySettings(RefreshKind refreshKind);
    // Closes the views that the channel set-up no longer allows.
    void CloseDisallowedViews();
    void ApplyUtilitySettings();
    // Each open spectrum view takes its channel's scaling, its stored range and the layout for the new engines.
    void ApplySpectrumViewSettings();
    // The phase views likewise; the surface views their scaling and layout, and lose their history.
    void ApplyPhaseViewSettings();
    void ApplySurfaceViewSettings();

    // One door per settings change (TMainWinChanges.cpp). Each refuses a
    // value its rule refuses (false, nothing changed); otherwise it stops the
    // analyser, stores, applies and runs the analyser again when it was
    // running. Averaging and peak hold change the running engines in place.
    bool SetFftSize(uint32_t size);
    bool SetWindowType(uint16_t type);
    // From mono to stereo the channel processing becomes "both channels" and
    // the open views get their second channel's window.
    bool SetFormat(uint32_t rate, uint16_t channels, uint16_t bytesPerSample);
    bool SetChannelProcessing(uint16_t mode);
    // Both at once, as a wave just opened or merged asks: one stop, apply and restart.
    bool SetFormatAndChannelProcessing(uint32_t rate, uint16_t channels, uint16_t bytesPerSample, uint16_t mode);
    bool SetDecimationRatio(uint16_t ratio);
    bool SetOverlapPercent(uint16_t percent);
    bool SetAverageBlocks(uint32_t blocks);
    bool SetAverageType(uint16_t type);
    bool SetAverageSpeed(uint16_t speed);
    bool SetPeakHold(uint16_t mode);
    // Which averaging number the bar and the engines read: blocks or timed.
    bool SetAverageMode(uint16_t mode);
    // Whether a whole processing record passes every rule of the setters above.
    static bool IsValidProcessingSettings(const AnalysisSettingsStruct& record);
    // The FFT window for the stored size and type, with the INI's Kaiser alpha.
    void ShapeWindow();

    // Hands (primary, secondary) to every open view: (null, null) before the
    // engines are freed, the new results after every rebuild.
    virtual void SetViewEngines(TSpectralData* primary, TSpectralData* secondary);
    // Seams over the platform for the memory check and the device count.
    virtual uint64_t AvailablePhysicalMemory();
    virtual uint32_t InputDeviceCount();

    // What the views ask of their host.
    const AnalysisSettingsStruct& GetAnalysisSettings() const override { return Settings; }
    const MarkerSettings& GetMarkers() const override { return Markers; }
    const TPrintOptions& GetPrintOptions() const override { return PrintOptions; }
    const char* GetIniPath() const override { return IniPath; }
    int32_t GetRpmLinkFlag() const override { return RpmLinkFlag; }
    bool GetLinkAxis(const char*& name, const char*& unit) const override;
    const TFont* GetMainFont() const override { return MainFont.get(); }
    const TBrush* GetFaceBrush() const override { return FaceBrush.get(); }
    int32_t GetOpMode() const override { return OpMode; }
    int32_t GetRunState() const override { return RunState; }
    int32_t GetRunRequest() const override { return RunRequest; }
    void ViewClosed(TPlotBase& view) override;
    TWaveData* GetWaveData() const override;
    const TSeriesData* GetSeriesBlock(uint16_t channel) const override;
    const TSpectralData* GetLeftSpectrum() const override { return SpectralLeft; }
    bool GetLastInputFrame(uint32_t& frame) const override;
    uint32_t GetRealTimeBufferSeconds() const override;
    const CalibrationStruct& GetCalibration() const override { return Calibration; }
    const char* GetHelpPath() const override { return HelpPath; }
    uint32_t GetSeriesSource() const override { return uint32_t(SeriesLiveBlock); }
    void SetSeriesSource(uint32_t source) override { SeriesLiveBlock = int32_t(source); }
    int32_t GetDdeSeriesLink() const override { return DdeSeriesLink; }
    float GetPositionTime() const override { return CurrentTime; }
    void SetPositionTime(float seconds) override;
    void RunCommand(int commandId) override;
    // The DDE client link takes no cursor or order values from the views.
    void DdeLinkHook1(float) override {}
    void DdeLinkHook2(float) override {}

    // The state other windows and the tests read; each changes only through
    // the main window's own commands and setters.
    const TSpectrumPipeline& GetPipeline() const { return Pipeline; }
    TSeriesData* GetSeries(int channel) const { return channel == 1 ? SeriesRight : SeriesLeft; }
    const TriggerSettings& GetTrigger() const { return Trigger; }
    const FileIOSettings& GetFileIO() const { return FileIO; }
    const ViewStatusFlags& GetViewStatus() const { return ViewStatus; }
    const SpectrumOpts& GetSpectrumOptions(int channel) const { return SpectrumOptions[channel == 1 ? 1 : 0]; }
    const PhaseOpts& GetPhaseOptions(int channel) const { return PhaseOptions[channel == 1 ? 1 : 0]; }
    const SpectrogramOpts& GetSpectrogramOptions(int channel) const
    {
        return SpectrogramOptions[channel == 1 ? 1 : 0];
    }
    const SurfaceOpts& GetSurfaceOptions(int channel) const { return SurfaceOptions[channel == 1 ? 1 : 0]; }
    const SeriesOpts& GetSeriesOptions() const { return SeriesOptions; }
    const FilterSettings& GetFilter() const { return Filter; }
    const LoggingSettings& GetLogging() const { return Logging; }
    const DelayFinderSettings& GetDelayFinderOptions() const override { return DelayFinderOptions; }
    const LeqSettings& GetLeqOptions() const override { return LeqOptions; }
    const ReverbSettings& GetReverbOptions() const { return ReverbOptions; }
    const THDFreqSettings& GetThdFreqOptions() const override { return ThdFreqOptions; }
    const PhaseScopeSettingsStruct& GetPhaseScopeOptions() const override { return PhaseScopeOptions; }
    const MacroSettings& GetMacroOptions() const { return MacroOptions; }
    int32_t GetInputDeviceID() const { return InputDeviceID; }
    int32_t GetOutputDeviceID() const { return OutputDeviceID; }
    int32_t GetOverloadFlag() const { return OverloadFlag; }
    int32_t GetOverloadBlocks() const { return OverloadBlocks; }
    int32_t GetBlocksProcessed() const { return BlocksProcessed; }
    int32_t GetInputLevel(int channel) const { return channel == 1 ? InputLevelRight : InputLevelLeft; }
    int32_t GetBlockLimit() const { return BlockLimit; }
    bool IsBlockLimitSet() const { return BlockLimitFlag != 0; }
    int32_t GetTriggerCount() const { return TriggerCount; }
    bool IsAppendHalted() const { return AppendHalt != 0; }
    int32_t GetDataSource() const { return DataSource; }
    bool IsGeneratorLocked() const { return GeneratorLocked != 0; }
    uint16_t GetNoiseFigureOrder() const { return NoiseFigureOrder; }
    bool IsApplicationHidden() const { return ApplicationHidden != 0; }
    bool IsDdeAdviseActive() const { return DdeAdviseActive != 0; }
    TDdeServer* GetDdeServer() const { return DdeServer.get(); }
    float GetGainAdjustDb(int channel) const { return channel == 1 ? GainAdjustRightDb : GainAdjustLeftDb; }

    // The time series view (TMainWinSeries.cpp): the view type 1 window
    // (through the window table), the segment it zooms to and the run
    // control's steps on it.
    void CreateSeriesView(const char* settingsFile) { Windows.Open(ViewType::TimeSeries, settingsFile); }
    void ZoomToSegment(float start, float end) override;
    // At a start: the view keeps its range and shows the analysis blocks.
    void SeriesViewStarted();
    // At a stop: the view goes back to the wave data.
    void SeriesViewStopped();

    // The Edit menu (TMainWinEdit.cpp): the selection of the active view,
    // the enablers and the steps the edit commands share.
    // True when the active window is one of the views that select a time
    // segment; start and end are then its selection (0 and 0 for none).
    bool GetSelectedSegment(float& start, float& end);
    void CeEditCut(TCommandEnabler& ce);
    void CeEditCopy(TCommandEnabler& ce);
    void CeEditGainAdjust(TCommandEnabler& ce);
    void CeEditPasteInsert(TCommandEnabler& ce);
    void CeEditPasteOver(TCommandEnabler& ce);
    void CeEditFilter(TCommandEnabler& ce);
    void CePlay(TCommandEnabler& ce);
    void CeEditUndo(TCommandEnabler& ce);
    void CeEditSelectAll(TCommandEnabler& ce);
    void CeEditPasteLink(TCommandEnabler& ce);
    // False when the user declines changing a disk wave without a backup.
    bool ConfirmDiskEdit();
    void StopBeforeEdit();
    // The views of the wave after an edit; the transport toolbar first when asked.
    void RefreshViewsAfterEdit(bool toolbar);
    // False, with the message, when the segment is empty.
    bool RequireSegment(float start, float end);

    // The surface and phase views (TMainWinSurfacePhase.cpp): their windows
    // (through the window table), what they ask of their host, and the
    // rebuild of a surface from the wave.
    void CreateSurfaceView(ViewType type, const char* settingsFile) { Windows.Open(type, settingsFile); }
    void CreatePhaseView(ViewType type, const char* settingsFile) { Windows.Open(type, settingsFile); }
    void RecomputeSurface(TPlotBase& view) override;

    // Analyses over a marked segment of the open wave (TMainWinSegment.cpp):
    // the active view's selection, or start and end in seconds when useGiven.
    // The mean spectrum of the segment's blocks in the spectrum views.
    void AverageSpectrumOfSegment(bool useGiven, float start, float end) override;
    // Every open spectrogram (surface) view filled with lines from the segment.
    void ShowSegmentSpectrogram(bool useGiven, float start, float end) override;
    void ShowSegmentSurface(bool useGiven, float start, float end) override;
    // One view filled, each of its history lines a block of the segment.
    void SpectrogramOfSegment(TSpectrogram* view, float start, float end) override;
    void SurfaceOfSegment(TSurfacePlot* view, float start, float end) override;
    // The Leq figures of the active view's selection, one text per channel
    // (the right one empty in mono) kept for the results.
    void LeqOfSegment() override;
    const std::string& GetSegmentLeqText(int channel) const { return SegmentLeqTexts[channel ? 1 : 0]; }
private:
    // The segment to analyse, ordered; false when there is none (with the
    // message when it is empty).
    bool TakeSegment(bool useGiven, float& start, float& end);
    // Both ends moved back by half of blockFrames; false when nothing is left.
    bool CentreSegment(float& start, float& end, uint32_t blockFrames) const;
    // Frames between the lines of a fill, with the note when the segment
    // has fewer frames than lines.
    uint32_t SegmentLineStep(float start, float end, uint32_t lines);
    void ActivateView(TWindow* view);
public:
    // What the spectrum view asks of its host.
    void SetMarker(int index, bool enable, float frequency) override;
    const char* GetOverlayFolder() const override { return ConfiguredFolders[OvlFolder]; }
    bool ComputeTimeSeriesAutoscale(uint16_t channel, uint32_t first, uint32_t last, float& top,
                                    float& bottom) override;
    bool ComputeSpectrumAutoscale(const TSpectralData* spectrum, int first, int last, float& top,
                                  float& bottom) override;
    bool ChooseSpectrumSource(TPlotBase& view, const char* templateName, uint32_t& choice) override;
    bool EditCompositeSettings(TPlotBase& view, CompositeSettings& settings) override;
    bool EditOverlaySettings(TPlotBase& view, SpectrumOpts& opts, int channel, uint16_t frequencyScale,
                             bool pause) override;
    void GetRpmTable(float& start, float& step, int32_t& count) const override
    {
        start = RpmStart;
        step = RpmStep;
        count = RpmEntryCount;
    }
    // The results the view of index 0 (first) or 1 (second) of a kind draws.
    void ViewEngines(int index, TSpectralData* primary, TSpectralData* secondary, TSpectralData*& data,
                     TSpectralData*& data2) const;
    // The Kaiser window's alpha: the whole part of the program INI's "KaiserAlpha".
    float KaiserAlpha() const;
    int32_t GetDdeClientLink() const override { return DdeClientLink; }
    float GetRpmTag() const override;
    float GetRpmPerLine() const override { return RpmStep; }
    const char* GetDdeServiceName() const override;
    // The Edit menu's commands (TMainWinEditCommands.cpp).
    void CmEditCut();
    void CmEditCopy();
    // The selected samples as text (CF_TEXT) with the "Link" description.
    void CopyDataToClipboard() override;
    void CmEditPasteInsert();
    // Paste Insert with no wave open: the clipboard's wave opens untitled;
    // false, with no wave kept, when it cannot be written or read back.
    bool PasteAsNewWave();
    void CmEditPasteOver();
    void CmEditUndo();
    void CmEditMute();
    void CmEditGainAdjust();
    void CmEditDCOffset();
    void CmEditFilter();
    void CmEditSelectAll();
    void CmPlay();
    void CmPlayLoop();
    void CmPlayHalfSpeed();
    void CmPlayDoubleSpeed();
    void CmPlayArbitrarySpeed();
    // Kept for the program run; 0 until Arbitrary Speed is first used.
    uint32_t GetArbitraryPlaybackRate() const { return ArbitraryPlaybackRate; }

    // Printing (TMainWinPrint.cpp): the blocks around a printed plot, each
    // into a printer context inside a started page; the print job of the
    // active view (interactive: the print dialog, else the default printer
    // silently); printer set-up; the configuration report, viewed and printed.
    void PrintUserInfo(TDC& dc);
    void PrintSettingsInfo(TDC& dc);
    void PrintTitle(TDC& dc);
    // Raises MarginBottom over the comment block; the job puts it back.
    void PrintComments(TDC& dc);
    void CmPrint();
    void CePrint(TCommandEnabler& ce);
    void PrintViews(bool interactive);
    // The same job for the window of that type, active or not (a utility
    // window's own Print button).
    void PrintView(ViewType type, bool interactive);
    void CmPrinterSetup();
    // The print dialogs; IDOK with the chosen printer's context in data.Dc.
    virtual int RunPrintDialog(TPrintDialog::TData& data, bool setupOnly);
    // Ends a printer context a print dialog gave, once its job is done.
    virtual void ReleasePrinterDC(HDC dc);
    void CmViewConfiguration();
    void CmPrintConfiguration();
    // The page's texts as the command language sets them (TMainWinAnnotations.cpp):
    // annotation line 0 or 1 and comment line 0 to 9 keep what fits their field.
    void SetAnnotation(int line, std::string_view text);
    void SetCommentLine(int line, std::string_view text);
    void EnableCommentBlock(bool enable);
    // The print annotations and margins (TMainWinOptionDialogs.cpp); true
    // when the dialog ended with OK.
    void CmAnnotations();
    bool RunAnnotationDialog();
    // The measurement utilities' display options (menu commands 293, 296
    // and 306): each edits a copy, kept and told to the open window on OK.
    void CmReverbOptions();
    void CmPhaseScopeOptions();
    void CmTHDNvsFrequencyOptions();
    // How recordings are held (menu command 115), refused while a file is
    // open outside Real Time; and the default folders (175), written to the
    // settings file however the dialog ends.
    void CmFileIOOptions();
    void CeFileIOOptions(TCommandEnabler& ce) { ce.Enable(true); }
    void CmSetPaths();
    // A configuration report line by number (1 when it exists), cut to size.
    int GetConfigurationLine(int line, char* text, size_t size) const;
    static constexpr int GetConfigurationLineCount() { return TConfigurationReport::LineCount; }
    TConfigurationFacts ConfigurationFacts() const;
    // The printer kept between jobs (device mode and names), null until the first.
    HGLOBAL KeptPrinterMode() const { return PrinterDevMode; }
    HGLOBAL KeptPrinterNames() const { return PrinterDevNames; }
private:
    void PrepareKeptPrinter(TPrintDialog::TData& data);
    void KeepPrinterHandles(const TPrintDialog::TData& data);
    void PrintJob(bool interactive, const ViewType* only);
    // The page of the window of type only, or of the active view without one.
    void PrintOneView(TDC& dc, const std::string& device, const std::string& port, const ViewType* only);
    void PrintConfiguration(TDC& dc, const std::string& device, const std::string& port);
public:

    // The Help menu (TMainWinHelp.cpp).
    void CmHelpContents();
    void CmHelpSearch();
    void CmHelpAppNotes();
    void CmRunDemoMacro();
    void CmReleaseNotes();
    void CmGoToWebsite();
    void CmLicenseAgreement();
    void CmAbout();
    // A file beside the help file.
    std::string HelpFolderFile(const char* name) const;
    // Starts a program (the text viewer, the browser) without waiting for it.
    virtual void Launch(const std::string& commandLine);

    // The Window menu, the bars and the menu bar, the views' button bars
    // (TMainWinWindowMenu.cpp); the macro interpreter calls the same.
    void CmCascade();
    void CmTileVertical();
    void CmTileHorizontal();
    void CmArrangeIcons();
    void CeWindowArrange(TCommandEnabler& ce);
    void CmToggleMainToolbar();
    void CmToggleSecondaryToolbar();
    void CmToggleStatusBar();
    void HideMainToolbar();
    void ShowMainToolbar();
    void HideSecondaryToolbar();
    void ShowSecondaryToolbar();
    void HideStatusBar();
    void ShowStatusBar();
    void UpdateBarMenuChecks();
    void HideMenu();
    void ShowMenu();
    void HidePlotToolbars();
    void ShowPlotToolbars();
    // The command language's arrangement of the frame and its windows
    // (TMainWinWindowCommands.cpp). Hiding sets the hidden flag and hides the
    // frame, then each open utility window that goes with it; showing undoes
    // both. The first window of a view kind is opened or closed through the
    // kind's toggle, or shown with a show command; a kind not open is left.
    void HideApplication();
    void ShowApplication();
    void OpenFirstView(ViewType family);
    void CloseFirstView(ViewType family);
    void ShowFirstView(ViewType family, int showCommand);
    // Both channels' spectrum scaling as the command language sets it
    // (TMainWinScaling.cpp): stored, and applied when apply is set.
    void SetSpectrumScaling(const ScalingStruct& left, const ScalingStruct& right, bool apply);
    void CmDelayFinder();
    void CmLeq();
    // The utilities' options and the logging set-up (TMainWinUtilityOptions.cpp).
    void CmDelayFinderOptions();
    void CmLeqOptions();
    void CmDataLogSetup();
    void CmCloseAllUtilities();
    void CeCloseAllUtilities(TCommandEnabler& ce);
private:
    void ArrangeChildren(UINT message, WPARAM how);
    // The button toolbar (TMainWinButtonToolbar.cpp): made at set-up; its
    // faces recomputed, or recomputed and repainted whole.
    void CreateButtonToolbar();
    void UpdateButtonToolbar();
    void RefreshButtonToolbar();
    void SetBarFlag(int32_t& flag, bool shown);
    void SetPlotToolbars(bool shown);
public:

    // View and Mode menus, the spectrum views, the transport toolbar and the
    // status bar as the main window drives them (TMainWinViewMenu.cpp). The
    // View menu's toggles are the window table's.
    void CmViewTimeSeries() { Windows.Toggle(ViewType::TimeSeries); }
    void CmViewSpectrum() { Windows.Toggle(ViewType::Spectrum); }
    void CmViewPhase() { Windows.Toggle(ViewType::Phase); }
    void CmViewSpectrogram() { Windows.Toggle(ViewType::Spectrogram); }
    void CmViewSurface() { Windows.Toggle(ViewType::Surface); }
    void CmClearAllViews();
    void CmCloseAllViews();
    void CeAnyViewOpen(TCommandEnabler& ce);
    void CmModeRealTime();
    void CmModePostProcess();
    void CmModeRecorder();
    void CmAccelRun();
    void CmAccelStop();
    void CmAccelPlay();
    void CmAccelRewind();
    void UpdateViewMenuChecks();
    void SetMenuCheck(UINT id, bool checked);
    void UpdateModeMenuChecks();
    void LayoutForMode();
    void OpenSecondChannelViews();
    void RepaintSpectrumViews();
    void MarkSeriesSelection();
    bool MacroRunning() const { return IsMacroRunning(); }
    void ReopenViews();
    void CreateStatusBar();
    // Moves the bars that exist: the transport toolbar t1 high at the top,
    // the button toolbar t2 high under it, the status bar s high at the
    // bottom of a width x height client.
    void PlaceBars(int width, int height, int t1, int t2, int s);
    void RefreshRunDisplays();
    void UpdateToolbarReadouts();

    // The toolbar read-outs follow the blocks of a run at most this often: an
    // analysis faster than real time would spend its time redrawing them (the
    // position scroll bar alone takes milliseconds to paint under Wine).
    static constexpr uint32_t ReadoutIntervalMs = 100;
    void PaceToolbarReadouts();
    // The status bar's level panes likewise: an overload shows at once.
    void PaceStatusMeter(bool overloadChanged);
    void RefreshStatusBar(int which);
    void NotifyViewsNewData(float time);
    void HandViewsEngines(TSpectralData* primary, TSpectralData* secondary);
    void DestroyViewsAndBars();

    // The spectrogram views (TMainWinSpectrogram.cpp): opened through the
    // window table for types 3 and 23, given their settings after a change
    // (kind 0 starts their history again, kind 2 recomputes it from the
    // wave), and rebuilt from the wave over a span of their history.
    void CreateSpectrogramView(ViewType type, const char* settingsFile) { Windows.Open(type, settingsFile); }
    void ApplySpectrogramViewSettings(RefreshKind refreshKind);
    void RecomputeSpectrogram(TSpectrogram* view, float start, float end);
    bool IsTriggerEnabled() const override { return Trigger.Enable != 0; }
    void RebuildSpectrogram(TSpectrogram& view) override;

    // Type ids of the right channel's calibration and scaling blocks; 102 is
    // the layout that stores them in sections of their own.
    static constexpr int32_t CurrentStructTypeId = TSettingsKeys::CurrentStructTypeId;

    // File menu, recent files, configuration files, window placements and
    // calibration files.
    static constexpr UINT LoadConfigRequest = 0x4C9;
    void CmFileNew();
    void CmFileOpen();
    void CmFileClose();
    void CmFileSave();
    void CmFileSaveAs();
    void CmFileDelete();
    void CeFileNew(TCommandEnabler& ce);
    void CeWaveFileCommand(TCommandEnabler& ce);
    void CeFileDelete(TCommandEnabler& ce);
    // Saves the open wave; false when it was not saved (a failed write or a
    // cancelled Save As dialog), so that nothing that discards it goes on.
    bool SaveWave();
    bool SaveWaveAs();
    void CmRecentFile1() { OpenRecentFile(1); }
    void CmRecentFile2() { OpenRecentFile(2); }
    void CmRecentFile3() { OpenRecentFile(3); }
    void CmRecentFile4() { OpenRecentFile(4); }
    void CeRecentFile(TCommandEnabler& ce);
    void OpenRecentFile(int key);
    void BuildRecentFileMenu();
    void CmLoadConfiguration();
    void CmSaveConfiguration();
    LRESULT EvLoadConfigRequest(WPARAM, LPARAM lParam);
    // False when the file could not be written.
    bool SaveConfiguration(const char* path);
    void SaveUtilityPlacements(ViewType type, const char* fileName);
    int RestoreWindowPlacement(ViewType type, const char* fileName);
    void GetInitialPlacement(RECT& rect, ViewType type, const char* fileName, int& showCommand);
    // The window that a placement type names, or null when it is not open.
    virtual HWND PlacementWindow(ViewType type);
    bool ReadCalibrationFile(const char* fileName, CalibrationStruct& record) override;
    bool WriteCalibrationFile(const char* fileName, CalibrationStruct& record) override;
    void ComputeCalibrationRatio(CalibrationStruct& record) override;
    // A fresh recording of the input, one second plus a block's margin, with
    // the generator playing when one is open; 0 when the port fails or the
    // recording does not complete within twice its time plus 2 s.
    int AcquireCalibrationSignal(uint16_t channel, TWaveData* capture) override;
    // The level of the strongest line into the channel's PctFullScale.
    void MeasureCalibrationLevel(uint16_t channel, TWaveData* source, CalibrationStruct& record) override;
    uint16_t AnalysisChannels() const override { return Settings.Format.NumChannels; }
    TDialogHost& DialogHost() override { return *this; }
    float LevelToDisplayUnits(uint16_t channel, float level);
    // Gives the open wave the factors of the enabled calibration channels.
    void ApplyWaveCalibration();
    // A wave about to be written carries the calibration record when a
    // channel is calibrated and the files are to include it.
    void IncludeCalibrationIn(TWaveFile& wave) const;
    // After the Open command: asks whether to keep calibration for a wave
    // without calibration data, and acts on the answer.
    void QueryCalibration();
    // The common file dialogs; IDOK with the chosen path in data.FileName.
    virtual int RunFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save);
    // The calibration question; the chosen button id, 0 after Esc.
    virtual uint32_t AskCalibrationChoice();
    // name, or the folder and name when name is relative; false (with
    // "Failure opening file: %s") when the joined path does not fit.
    bool ResolvePath(char* resolved, const char* folder, const char* name);
    // Makes the folder of a file about to be written when it is missing; false,
    // with a message naming the file and the reason, when it cannot be written.
    bool ReadyToWrite(const char* file);
    // Keeps the folder of a chosen file as the current folder of its kind.
    void StoreCurrentFolder(int folder, const char* path);
    // File dialogs hand over names of fewer than FileNameSize characters;
    // a longer choice is refused with a message, never cut.
    static constexpr int FileNameSize = 256;
    bool FitsFileBuffer(const std::string& path);
    const char* GetLastConfigFile() const { return LastConfigFile; }
    // The folder the configuration dialogs start in.
    std::string LastConfigFolder() const;
    // Placement/Special of a configuration: 1 tile horizontally, 2 tile
    // vertically, 3 cascade, each after maximising the frame.
    void ArrangeWindows(int arrangement);

    // Automation: the command interpreter, the DDE server, the macro window
    // and the single-value readouts.
    // A bracketed command from a DDE Execute transaction: 0x8000 or 0.
    uint32_t DdeExecuteCommand(HDDEDATA data);
    // The same for a command already read.
    uint32_t ExecuteCommand(std::string_view command) override;
    // Execute and poke transactions are answered busy while a modal dialog,
    // a print job, a blocking run or another command holds the program.
    bool AutomationBusy() const;
    void InitDdeServer();
    void ShutdownDdeServer();
    void PostDdeAdviseAll();
    void PostDdeAdvise(TDdeItem item) override;
    int DdeFindItem(HSZ item) const;
    int DdeIsServedItem(HSZ topic, HSZ item) const;
    int DdeAcceptConnect(HSZ topic, HSZ service) const;
    HDDEDATA DdeWildConnect(HSZ topic, HSZ service, UINT format);
    HDDEDATA DdeRequestItem(uint16_t index);
    // The poke items (TMainWinDdePoke.cpp): 0x8000 done, 0x4000 busy (not
    // Real Time), 0 not done. Poked values are 16-bit and converted to the
    // analysis format.
    HDDEDATA DdePoke(HCONV conversation, HDDEDATA data, TDdePokeItem item);
    HDDEDATA DdePokeTimeSeries(HDDEDATA data);
    HDDEDATA DdePokeCalibration(HDDEDATA data);
    HDDEDATA DdePokeWave(HDDEDATA data);
    // The DDE client link (TMainWinDdeLink.cpp): Paste Link, the simple hot
    // link, the acquisition program's link and its description.
    void CmEditPasteLink();
    void DdeAdviseLink(const char* server, const char* topic, const char* item);
    void DdeLinkTimeSeries();
    void DdeLinkReadDetails(HCONV conversation, const char* item);
    // One request of up to 1,000 ms; the reply into reply, cut to size and
    // terminated; false, with a message and reply untouched, on failure.
    bool DdeLinkRequestItem(HCONV conversation, const char* item, char* reply, size_t size);
    // Link data along a frequency axis are acknowledged and not used.
    HDDEDATA DdeLinkData(HCONV conversation, HDDEDATA data);
    void DdeLinkClearTables();
    // One of the link's own conversations ended.
    void DdeLinkDisconnected();
    // Points the link reaches and leaves to the linked program: the surface
    // and file rebuilds that a live link replaces, and the clipboard's text
    // just before an acquisition link.
    void DdeLinkHook3() {}
    void DdeLinkHook4() {}
    void DdeLinkHook5(HANDLE) {}
    // The partner test program's service, asked for its test settings.
    static constexpr const char* PartnerService = "TonalyxTestPartner";
    static constexpr int LinkNameSize = 256;
    static constexpr int LinkLabelSize = 40;
    // Index of a link name: three (server, topic, item) triples.
    enum LinkName { LinkServer1, LinkTopic1, LinkItem1, LinkServer2, LinkTopic2, LinkItem2, LinkServer3,
                    LinkTopic3, LinkItem3, LinkNameCount };
    int32_t GetDdeLinkMode() const { return DdeLinkMode; }
    bool IsDdeLinkAxisFrequency() const { return DdeLinkAxisFlag != 0; }
    int32_t GetDdeLinkPoints() const { return DdeLinkPoints; }
    int32_t GetDdeLinkRateValue() const { return DdeLinkRateValue; }
    const char* GetDdeLinkLabel(int which) const;
    const RpmEntry& GetDdeLinkEntry(int table, int index) const { return (table ? DdeLinkEntries : RpmEntries)[index]; }
    // The text of a DDE item, nothing when it has no data.
    std::optional<std::string> DdeItemText(int index) override;
    // The name of the wave closed last, once: the next call finds it empty.
    std::string TakeLastClosedFile();
    // The time segment that the wave-segment listings cover: an empty one
    // first becomes the time series view's visible range.
    std::pair<float, float> ListedTimeSegment();
    static constexpr UINT AdviseAllRequest = WM_USER + 0x4D1;
    bool DeferAdvise();
    LRESULT EvAdviseAllRequest(WPARAM, LPARAM);
    // Message boxes of a command served inside a DDE Execute wait for the
    // transaction's answer; they are shown from the message loop.
    static constexpr UINT ShowKeptMessagesRequest = WM_USER + 0x4D2;
    LRESULT EvShowKeptMessages(WPARAM, LPARAM);
    // The frame's message boxes, kept while a DDE Execute is served.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
    // The band, in Hz, that the DDE peak items search.
    float GetPeakSearchLow() const { return PeakSearchLow; }
    float GetPeakSearchHigh() const { return PeakSearchHigh; }
    void SetPeakSearchBand(float low, float high)
    {
        PeakSearchLow = low;
        PeakSearchHigh = high;
    }
    // The time segment, in seconds of the recording, that the DDE segment items measure.
    float GetTimeSegmentStart() const { return TimeSegmentStart; }
    float GetTimeSegmentEnd() const { return TimeSegmentEnd; }
    // A new, empty recording in the analysis format; false (nothing kept) when it cannot be made.
    bool MakeRecording();
    // The macro window (menu command 294) and what it asks of the main window.
    void CmMacroProcessor();
    // What the device, configuration, macro and temporary-file commands ask
    // of the main window (TMainWinSystemCommands.cpp). A device chosen anew
    // gets a new port in the analysis format, the generator following the
    // output; the analyser runs again when it ran.
    void SelectSoundDevice(bool input, int32_t index);
    virtual uint32_t OutputDeviceCount();
    // Loads a macro file into the macro window (opened when closed), running
    // it when asked; 0 when the file could not be loaded. From inside the
    // window's own step the load waits for the message loop, so that the
    // script is not replaced under the running line and a run starts at its
    // first line; 1 is answered then.
    int OpenMacroScript(const std::string& path, bool run);
    static constexpr UINT MacroScriptRequest = WM_USER + 0x4D3;
    LRESULT EvMacroScriptRequest(WPARAM, LPARAM);
    // The script waiting for the step to end, empty when none waits.
    const std::string& PendingMacroFile() const { return PendingMacroScript; }
    // Opens a wave that closing deletes, kept out of the caption; false when
    // no wave was opened from path (the open one kept or the file refused).
    bool OpenTemporaryWave(const char* path);
private:
    std::string PendingMacroScript;
    bool PendingMacroRun = false;
public:
    // The utility windows' toggles (TMainWinUtilities.cpp); each always enabled.
    void CmReverbTime();
    void CmPhaseScope();
    void CeMacroProcessor(TCommandEnabler& ce) { ce.Enable(true); }
    void CeReverbTime(TCommandEnabler& ce) { ce.Enable(true); }
    void CePhaseScope(TCommandEnabler& ce) { ce.Enable(true); }
    void CeTHDNvsFrequency(TCommandEnabler& ce) { ce.Enable(true); }
    bool IsMacroRunning() const;
    MacroSettings& MacroOptionsRecord() override { return MacroOptions; }
    std::string ResolveMacroPath(const std::string& name) override;
    std::string LastFileFolder() override;
    void StoreLastFileFolder(const std::string& path) override;
    void MacroOutputFileClosed(const std::string& name) override;
    const char* HelpFile() override { return HelpPath; }
    HFONT ControlFont() override { return MainFont ? HFONT(*MainFont) : nullptr; }
    HBRUSH UtilityBrush() override { return FaceBrush ? HBRUSH(*FaceBrush) : nullptr; }
    void MacroWindowClosing() override;
    void CloseMacroWindow() override;
    int RunMacroFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save) override;
    // The reverberation window (TMainWinReverb.cpp): the segment analysis
    // of the time series' selection or of given bounds (flag 1), and what
    // the window asks of the main window.
    void AnalyzeReverbSegment(int useGivenBounds, float start, float stop);
    void ComputeReverbOfSelection() override { AnalyzeReverbSegment(0, 0.0f, 0.0f); }
    const ReverbSettings& ReverbOptionsRecord() const override { return ReverbOptions; }
    void SetReverbView(const ReverbSettings& options) override;
    void StopAnalyzerForRun() override;
    int32_t RunInputDevice() const override { return InputDeviceID; }
    int32_t RunOutputDevice() const override { return OutputDeviceID; }
    uint32_t RunPortOption() const override { return uint32_t(FileIO.DALSelfMonitor); }
    bool DeviceIsFullDuplex() override;
    uint32_t RunSampleRate() override;
    void ShowRunLevel(int32_t level) override;
    void ShowRunning(bool running) override;
    void EnableFrame(bool enable) override { EnableWindow(enable); }
    bool ResolveReverbPath(std::string& resolved, const char* name) override;
    std::string ReverbDialogFolder() override { return CurrentFolders[RvbFolder]; }
    void KeepReverbDialogFolder(const char* chosenPath) override { StoreCurrentFolder(RvbFolder, chosenPath); }
    int RunReverbFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save) override
    {
        return RunFileDialog(data, title, save);
    }
    void ShowReverbOptions() override;
    void PrintReverbPlot() override;
    void CloseReverbWindow() override { Windows.Toggle(ViewType::Reverb); }
    // The readout windows (menu commands 195 to 201 and 288 to 291).
    void CmTHD() { Windows.Toggle(ViewType::Thd); }
    void CmTHDN() { Windows.Toggle(ViewType::Thdn); }
    void CmIMD() { Windows.Toggle(ViewType::Imd); }
    void CmSNR() { Windows.Toggle(ViewType::Snr); }
    void CmSINAD() { Windows.Toggle(ViewType::Sinad); }
    void CmSFDR() { Windows.Toggle(ViewType::Sfdr); }
    void CmPeakFrequency() { Windows.Toggle(ViewType::PeakFrequency); }
    void CmPeakAmplitude() { Windows.Toggle(ViewType::PeakAmplitude); }
    void CmTotalPower() { Windows.Toggle(ViewType::TotalPower); }
    void CmNoiseFigure(UINT id);
    void CmNoiseFigureLeftRight() { CmNoiseFigure(290); }
    void CmNoiseFigureRightLeft() { CmNoiseFigure(291); }
    void CeAlwaysEnabled(TCommandEnabler& ce);
    // The THD+N versus frequency window (menu command 305) and what it asks
    // of the main window (TMainWinThdFreq.cpp).
    void CmTHDNvsFrequency();
    TTHDFreq* ThdFreqWindow() const;
    void SetThdFreqOptions(const THDFreqSettings& options) override;
    TDuplexDevices DuplexDevices() override;
    void StopForMeasurement() override;
    void SetMeasuring(bool measuring) override;
    void ShowInputPeaks(int left, int right, bool refresh) override;
    std::string TemporaryFolder() override;
    std::string ResolveThdPath(const std::string& name) override;
    std::string ThdFileFolder() override;
    void StoreThdFileFolder(const std::string& path) override;
    int RunThdFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save) override;
    void ThdFreqWindowClosing() override;
    void CloseThdFreqWindow() override;
    void PrintThdFreqPlot(bool interactive) override;
    // The menu command of a window kind; the noise figure's follows its order.
    UINT ViewCommand(ViewType type) const;
    // The readout window of a type, null when it is not open or not a readout.
    TAnalysisView* ReadoutWindow(ViewType type) const;
    void RefreshReadouts();
    void CloseReadouts();
    // What the readouts ask of their host.
    TSpectralData* GetDisplayedResult(int index) const override;
    const DisplaySettingsStruct& GetScaling(int channel) const override { return Scaling[channel == 1 ? 1 : 0]; }
    bool IsChannelCalibrated(int channel) const override
    {
        return (channel == 1 ? Calibration.Right : Calibration.Left).IsEnabled != 0;
    }
    float GetCurrentTime() const override { return CurrentTime; }
    void ReadoutClosed(int type) override;
    void ReadoutDestroyed(int type) override;

    // What the compensation, calibration, trigger and plot display commands
    // change (TMainWinCalibrationDisplay.cpp). Compensation: channels is a
    // mask (bit 0 left, bit 1 right); a file given for a masked channel
    // becomes its compensation file; then the settings are applied.
    void SetMicCompensation(unsigned channels, bool enable, std::array<const char*, 2> files = {});
    // Stores the trigger record and shows it on the status bar.
    void SetTrigger(const TriggerSettings& trigger);
    // Both channels' calibration on or off, the analyser stopped over the
    // change; nothing when both already are.
    void SetCalibrationEnabled(bool enabled);
    // The left channel calibrated from the live input; false when the capture failed.
    bool CalibrateLeftFromInput();
    // A .cal file (relative to the calibration folder) read and applied with
    // the analyser stopped over it; false when it could not be read.
    bool LoadCalibration(const char* name);
    // The calibration in use written to a .cal file, which it then names.
    bool SaveCalibration(const char* name) { return WriteCalibrationFile(name, Calibration); }
    // The displayed spectra's averages (or peak hold) started again, the
    // spectrum views refreshed.
    void ClearDisplayedSpectra(bool peakHold);
    // The wave segment, in seconds as given, that the segment items measure.
    void SetTimeSegment(float start, float end);

    // Options commands for acquisition and analysis settings (TMainWinOptions.cpp).
    // Each stops the analyser, runs its dialog, takes what OK gave and runs
    // the analyser again when it was running.
    void CmSettings();
    void CmScaling();
    void CmMarkers();
    void CmTrigger();
    void CmDevice();
    void CmCalibration();
    void CeCalibration(TCommandEnabler& ce);
    // The door for the whole processing record a dialog's OK gave: refused
    // (false, nothing changed) unless every field passes its setter's rule;
    // otherwise one stop, then everything the record touches (engines, the
    // two-channel views, the input port's format, the scaling mode's views,
    // the bars and the spectrum views), then the run again.
    bool SetProcessingSettings(const AnalysisSettingsStruct& edited);
    // New ports for the devices whose index changed.
    void TakeDevices(int32_t input, int32_t output);
    // Repaints the open spectrum, phase, spectrogram and surface views.
    void InvalidateAllViews();
    // The index of the wave input (output) device whose name matches over at
    // most 32 characters in any letter case; 0 when none does.
    int32_t FindInputDeviceByName(const char* name);
    int32_t FindOutputDeviceByName(const char* name);
    // Options commands for the plot views (TMainWinViewOptions.cpp). Each
    // stops the analyser, runs its dialog on a working copy of the record of
    // the view it chose (or was given), stores it through its door on OK and
    // runs the analyser again after OK and Cancel alike.
    void CmTimeSeriesOptions();
    void CmSpectrumOptions();
    void CmPhaseOptions();
    void CmSurfaceOptions();
    void CmSpectrogramOptions();
    void RunSpectrumOptions(TPlotBase* view);
    void RunPhaseOptions(TPlotBase* view);
    void RunSurfaceOptions(TPlotBase* view);
    void RunSpectrogramOptions(TPlotBase* view);
    // A view's own options command: the routine of its kind, with it.
    void EditViewOptions(TPlotBase& view) override;
    // The doors for the view records: each stores the record of the first
    // (index 0) or second view of its kind and tells that view, if open, what
    // changed.
    void SetSeriesOptions(const SeriesOpts& opts);
    void SetSpectrumOptions(int index, const SpectrumOpts& opts);
    void SetPhaseOptions(int index, const PhaseOpts& opts);
    void SetSurfaceOptions(int index, const SurfaceOpts& opts);
    void SetSpectrogramOptions(int index, const SpectrogramOpts& opts);
    // Runs a settings dialog modally; tests drive the dialog instead.
    virtual int ExecuteDialog(TDialog& dialog);
    // What the settings dialogs ask of the main window.
    bool IsPostProcessing() const override { return OpMode == PostProcess; }
    bool HasInputPort() const override { return SoundInput != nullptr; }
    bool MemoryAllows(const AnalysisSettingsStruct& next) override { return CheckMemory(Settings, next); }
    std::string CurrentFolder(const char* kind) const override;
    void KeepFolder(const char* kind, const char* chosenPath) override;
    const char* HelpFilePath() const override { return HelpPath; }

    // File menu commands that make a new wave (TMainWinWaveFiles.cpp).
    // DecimateFile writes a new file and leaves the open wave as it was;
    // MergeFiles opens the merged, untitled wave. False when nothing was made.
    void CmFileDecimate();
    void CmFileMerge();
    void CeFileDecimate(TCommandEnabler& ce);
    void CeFileMerge(TCommandEnabler& ce);
    bool DecimateFile(const char* path, uint16_t ratio, uint32_t filter);
    bool MergeFiles(const char* left, const char* right);
    // Takes the key messages waiting for the frame; true when one was Esc.
    bool EscapePending();
    // Import and Export of data files (TMainWinDataFiles.cpp). ImportFile
    // makes the new, untitled wave of a data file with the import's options;
    // ExportFile writes the open wave into a data file with the export's.
    // False when nothing was made.
    void CmFileImport();
    void CmFileExport();
    void CeFileImport(TCommandEnabler& ce);
    void CeFileExport(TCommandEnabler& ce);
    bool ImportFile(const char* path);
    bool ExportFile(const char* path);
    // The options of the last import and export, kept for the program run.
    const ImportOptions& GetImportOptions() const { return DataImportOptions; }
    const ExportOptions& GetExportOptions() const { return DataExportOptions; }
private:
    ImportOptions DataImportOptions;
    ExportOptions DataExportOptions;
public:

    // Readouts and transforms the views' context menus start: the level
    // readouts of the selected segment (TMainWinSegmentLevels.cpp), the
    // transforms into the time series and of the displayed spectra
    // (TMainWinTransforms.cpp), and the spectrum readouts, the overlay
    // comparison and the ambient capture (TMainWinSpectrumReadouts.cpp).
    void RmsLevelOfSegment() override;
    void CrestFactor() override;
    void PsiTimeLevel() override;
    void EnergyTimeCurve() override;
    void SchroederIntegration() override;
    void InverseFFT() override;
    void ComputeCepstrum() override;
    void PeakBandwidth(float low, float high) override;
    void SmoothSpectra(int width) override;
    // Displayed spectrum of a side (0 first, 1 second) against overlay slot
    // 1 to 7 over indexes first .. last - 1: 0 above everywhere, 1 nowhere
    // above, 2 both, -1 a bad slot or overlay file, -2 no data.
    int CompareSpectrumToOverlay(uint16_t side, int usePeakHold, uint16_t slot, uint32_t first, uint32_t last);
    // Averages the last capture blocks into the compensation files
    // "AmbientLeft.mic" and "AmbientRight.mic" and compensates with them.
    void CaptureAmbient();
private:
    bool SelectedWaveSegment(float& start, float& end);
    void ShowCalculatedResults(const char* caption, const std::string& text);
    uint32_t MakeSegmentBlocks(uint32_t& first);
    void ReadSegmentBlocks(uint32_t first, uint32_t count);
    void ShowTransformedSeries();
    static std::string AmbientName();
    // The bandwidth readout's source, kept for the program run: 0 the spectrum, 1 the peak hold.
    uint32_t BandwidthSource = 0;
public:

    // Edits of a segment's samples (TMainWinSampleEdits.cpp): each keeps an
    // undo copy of the segment and answers whether the wave changed. The
    // gain and DC offset values stay for the program run.
    bool GainAdjustSegment(float start, float end);
    bool DCOffsetSegment(float start, float end);
    // Gain and offset in sample units over [start, end) of both channels.
    bool AdjustSegment(float start, float end, double leftGain, double rightGain, double leftOffset,
                       double rightOffset, const char* caption);
    // The filter dialog on a working copy of Filter; true when Start stored it.
    bool RunFilterDialog();
    // Filters [start, end) with Filter; Esc or a click cancels and undoes.
    bool FilterSegment(float start, float end);
    // Whether a left click waits for the frame (it stays in the queue).
    bool ClickPending();

    // The signal generator window and its Utilities commands (TMainWinGenerator.cpp).
    void CmSignalGenerator() { Windows.Toggle(ViewType::Generator); }
    void CmSaveSignalToWave();
    void CeSaveSignalToWave(TCommandEnabler& ce);
    void CmLockGeneratorChannels();
    // Destroys the generator window (which writes its settings) and deletes it.
    void CloseSignalGenerator() { Windows.Close(ViewType::Generator); }
    // The generator's start beside capture, unless it waits for the trigger;
    // in Real Time not on one device that cannot play while it records, and
    // after "DuplexDelay" on a lead-in output device.
    void StartGeneratorWithCapture(bool realTime);
    // The length multiplier of a saved signal; IDOK when one was chosen.
    virtual int RunSignalLengthDialog(int32_t& multiplier);

    // What the command language's overlay and marker commands change
    // (TMainWinOverlaySlots.cpp). A view is 0 (first) or 1 (second), a trace
    // 1 or 2, a slot 0-6 and a marker 0-7. Open views see the stored
    // settings at once; ReloadOverlays has them read their slot files again.
    void SetOverlayOffset(int view, int trace, int slot, float offset);
    void SetCompositeSetup(int view, int trace, const CompositeSettings& setup);
    void ReloadOverlays();
    // A marker's frequency with a new look of the spectrum views (the first
    // only unless bothViews); shown or hidden with a new layout of both.
    void MoveMarker(int marker, float frequency, bool bothViews);
    void ShowMarker(int marker, bool shown);

    // What the command language's file commands do (TMainWinFileCommands.cpp);
    // each false when its file could not be read or written, after the
    // message of the operation that found it.
    bool LoadConfigurationFile(const char* path);
    // Reads the record, applies it and runs the analyser again when it ran.
    bool TakeCalibrationFile(const char* path);
    // Compensation curves of the left and right channels (an empty name
    // leaves that channel without one), both switched on.
    bool UseCompensationFiles(const char* left, const char* right);
    bool UseFilterResponseFile(const char* path);
    // Saves the open wave under path; the analyser is left running while
    // the recorder's append is halted.
    bool SaveWaveTo(const char* path);
    // Closes the open wave without the question about its changes.
    void DiscardWave();
    // The wait after a command that lets the caller's next command find
    // windows and files settled.
    virtual void PauseAfterCommand(uint32_t milliseconds) { ::Sleep(milliseconds); }

private:
    // The rule the edit enablers share, with the view's query (TMainWinEdit.cpp).
    void EnableByActiveView(TCommandEnabler& ce, int (TPlotBase::*query)(), bool seriesNeedsWave);
    bool ClipboardHoldsWave(TCommandEnabler& ce);
    float CopiedValue(float value, uint16_t channel);
    bool PasteViewActive();
    // Stops, reads the selection and refuses an empty one with its message.
    bool SegmentToPlay(float& start, float& end);
    void PlayAtNearestRate(uint32_t requested);
    void TakeCommandLineFile(const char* argument);
    void CreateFaceBrush();
    void SetStartupMenuChecks();
    void ReadDevice(TProfile& file, bool input);
    void WriteDevice(TProfile& file, bool input);
    // The phases of loading a configuration: the file found and holding
    // settings, the undo copy, the settings taken and applied, the views it
    // names reopened, its wave opened and its windows arranged.
    bool FindConfiguration(const char* path, char (&name)[PathSize]);
    void SaveUndoConfiguration(const char* name);
    void TakeConfiguredSettings(const char* name);
    void ReopenConfiguredViews(const char* name);
    void OpenConfiguredWave(const char* name);
    // Real Time left for Post Process or the Recorder: the buffered data
    // kept as an untitled wave or dropped, as the user answers.
    void LeaveRealTime(int mode);

    // The window's state, in the order it is built (and torn down in reverse).
    // Engine objects: the FFT window and the spectral engines belong to the
    // pipeline and these members name them; the sound ports, the open wave,
    // the capture blocks and the analysis blocks.
    TPipelineWindow Smoothing{Pipeline};
    std::unique_ptr<TSoundOutput> SoundOutput;
    std::unique_ptr<TSoundInput> SoundInput;
    std::unique_ptr<TWaveFile> WaveFile;
    TWaveData* CaptureBlocks[2] = {};
    std::unique_ptr<TDataLog> DataLog;
    TSeriesData* SeriesLeft = nullptr;
    TSeriesData* SeriesRight = nullptr;
    TSeriesData* TriggerSeriesLeft = nullptr;
    TSeriesData* TriggerSeriesRight = nullptr;
    TPipelineMember<TSpectralData, &TSpectrumPipeline::Left> SpectralLeft{Pipeline};
    TPipelineMember<TSpectralData, &TSpectrumPipeline::Right> SpectralRight{Pipeline};
    TPipelineMember<TSpectralData, &TSpectrumPipeline::Combined> SpectralCombined{Pipeline};
    TPipelineMember<TSpectralData, &TSpectrumPipeline::Aux> SpectralAux{Pipeline};
    TPipelineMember<TSpectralData, &TSpectrumPipeline::Primary> DisplayPrimary{Pipeline};
    TPipelineMember<TSpectralData, &TSpectrumPipeline::Secondary> DisplaySecondary{Pipeline};
    int32_t GeneratorLocked = 0;

    // Paths: the program, the start-up file, the settings file and the help
    // file beside the program.
    char ModulePath[PathSize] = {};
    char CommandLineFile[PathSize] = {};
    char IniPath[PathSize] = {};
    char HelpPath[PathSize] = {};

    // Playback and time.
    float PlaybackTimeOffset = 0.0f;
    float RecordTimeOffset = 0.0f;
    float CurrentTime = 0.0f;
    int32_t PlaybackActive = 0;
    std::unique_ptr<TWaveData> PlaybackCopy;

    // Windows: the open window of each kind, the frame's bars, font and
    // brush, and the start-up splash, modeless over the frame.
    TWindowSlots Windows{*this};
    uint16_t NoiseFigureOrder = 6;   // 6 left vs right, 7 right vs left
    std::unique_ptr<Toolbar> TransportToolbar;
    std::unique_ptr<Toolbar2> ButtonToolbar;
    std::unique_ptr<StatusBar> StatusBarWindow;
    std::unique_ptr<TFont> MainFont;
    std::unique_ptr<TBrush> FaceBrush;
    std::unique_ptr<TAboutDialog> Splash;

    // Run control.
    int32_t InputDeviceID = 0;
    int32_t OutputDeviceID = 0;
    int32_t OpMode = RealTime;
    int32_t RunState = Stopped;
    int32_t RunRequest = 0;
    int32_t OverloadFlag = 0;
    int32_t AppendHalt = 0;
    int32_t BlocksProcessed = 0;
    int32_t InputLevelLeft = 0;
    int32_t InputLevelRight = 0;
    int32_t BlockLimit = 0;
    int32_t BlockLimitFlag = 0;
    int32_t TriggerCount = 0;

    // View and utility flags (section "ViewStatus") and the hidden start.
    ViewStatusFlags ViewStatus;
    int32_t ApplicationHidden = 0;

    // Settings records, and the spectral engines and the FFT window built for them.
    char Caption[256] = "Tonalyx";
    TriggerSettings Trigger;
    FileIOSettings FileIO;
    AnalysisSettingsStruct Settings;
    ScalingStruct Scaling[2];            // left ("Scaling"), right ("Scaling2")
    CalibrationStruct Calibration{};
    TSpectrumPipeline Pipeline{Settings, Scaling, Calibration};
    char ConfiguredFolders[FolderCount][PathSize] = {};
    char CurrentFolders[FolderCount][PathSize] = {};
    // The limit file last chosen in the THD+N options; its folder is where
    // the next choice starts (the overlay folder until one is chosen).
    std::string LimitFilePath;
    int32_t DataSource = 1;              // 1 real-time buffer, 0 file
    TPrintOptions PrintOptions{};
    HGLOBAL PrinterDevMode = nullptr;
    HGLOBAL PrinterDevNames = nullptr;
    int32_t TemporaryWaveFile = 0;

    // The DDE client link: its axis and its RPM table.
    int32_t DdeAdviseActive = 0;
    int32_t DdeClientLink = 0;
    int32_t DdeLinkAxisFlag = 0;
    char DdeLinkAxisName[64] = {};
    char DdeLinkAxisUnit[64] = {};
    int32_t RpmLinkFlag = 0;
    float RpmStart = 0.0f;
    float RpmStep = 0.0f;
    int32_t RpmEntryCount = 0;
    RpmEntry RpmEntries[RpmEntryCapacity] = {};
    RpmEntry DdeLinkEntries[RpmEntryCapacity] = {};
    int32_t DdeLinkMode = 1;             // channels of the acquisition link
    char DdeLinkNames[LinkNameCount][LinkNameSize] = {};
    int32_t DdeLinkPoints = 0;
    int32_t DdeLinkRateValue = 0;
    char DdeLinkYName[LinkLabelSize] = {};
    char DdeLinkYUnit[LinkLabelSize] = {};
    int32_t PokedBlockShown = 0;         // a poked block was shown since the last poked wave

    // The views' and utilities' options, and the bar flags.
    MarkerSettings Markers;
    SpectrumOpts SpectrumOptions[2];
    PhaseOpts PhaseOptions[2];
    SpectrogramOpts SpectrogramOptions[2];
    SurfaceOpts SurfaceOptions[2];
    SeriesOpts SeriesOptions;
    FilterSettings Filter;
    LoggingSettings Logging;
    DelayFinderSettings DelayFinderOptions;
    LeqSettings LeqOptions;
    ReverbSettings ReverbOptions;
    THDFreqSettings ThdFreqOptions;
    PhaseScopeSettingsStruct PhaseScopeOptions;
    MacroSettings MacroOptions;
    int32_t MainToolbarFlag = 1;
    int32_t ButtonToolbarFlag = 1;
    int32_t StatusBarFlag = 1;

    // A run's bookkeeping: shared by start, the buffer handler and the idle
    // handler; the live blocks' pacer and the frame the next one is taken at.
    int32_t OverloadBlocks = 0;
    int32_t ForceTrigger = 0;
    int32_t SeriesLiveBlock = 1;
    char SavedCaption[PathSize] = {};
    // The texts of the last Leq of a segment, left and right.
    std::array<std::string, 2> SegmentLeqTexts;
    uint32_t TriggerOffset = 0;
    uint32_t PartialFrames = 0;
    uint32_t HistoryWrapPosition = 0;
    TBlockPacer LivePacer;
    uint64_t DueFrame = 0;
    int32_t DdeSeriesLink = 0;           // 1 while the time series comes from the DDE client link
    mutable std::string DdeServiceName;
    uint32_t ArbitraryPlaybackRate = 0;
    uint32_t ReadoutTick = 0;
    uint32_t MeterTick = 0;

    // Files, automation and the edits' values kept for the program run.
    char LastClosedFile[PathSize] = {};
    char LastConfigFile[PathSize] = {};
    int InitialShowCommand = SW_SHOWNORMAL;   // of the frame's saved placement
    int32_t CommandDepth = 0;
    std::unique_ptr<TDdeServer> DdeServer;
    int32_t AdvisePending = 0;
    TDeferredMessages* DeferredMessages = nullptr;
    std::vector<TDeferredMessages::TMessage> KeptMessages;
    float PeakSearchLow = 0.0f;
    float PeakSearchHigh = 9999999.0f;
    float TimeSegmentStart = 0.0f;
    float TimeSegmentEnd = 0.0f;
    float GainAdjustLeftDb = 0.0f;
    float GainAdjustRightDb = 0.0f;
    float DCOffsetLeft = 0.0f;
    float DCOffsetRight = 0.0f;
    TMainWinGeneratorHost GeneratorHost{*this};

    DECLARE_RESPONSE_TABLE(TMainWin);
};

// The main window, for the code that reaches it without a window pointer
// (the command interpreter and the DDE server).
extern TMainWin* MainWindow;
