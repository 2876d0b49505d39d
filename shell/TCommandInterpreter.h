#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include "automation/TKeywordTable.h"

class TMainWin;

// Carries out one bracketed command of the command language on the main
// window: the door through which macro "Send " lines and DDE Execute strings
// reach the analyser. Keywords whose family has no body here answer 0, so a
// caller never takes them for done.
class TCommandInterpreter {
public:
    // The positive DDE acknowledgement.
    static constexpr uint32_t Done = 0x8000;

    explicit TCommandInterpreter(TMainWin& main) : Main(main) {}

    // Done or 0.
    uint32_t Execute(std::string_view command);
    // Whether a keyword has a body (its family is built).
    static bool HasBody(TKeyword keyword);

private:
    using TBody = uint32_t (TCommandInterpreter::*)(const std::string& argument, int value);
    struct TRow {
        TKeyword Keyword;
        TBody Body;
        int Value;   // what the body sets, for keywords that share a body
    };
    static const TRow* FindRow(TKeyword keyword);
    // A file name by the relative-name rule in a folder of section "Paths"
    // (TMainWin::Folder); nothing, after the owner's message, when the
    // joined path is too long for the program's paths.
    std::optional<std::string> ResolveIn(int folder, const std::string& name);
    // The open and close commands of the utility and result windows: value
    // is the window's ViewType; each acts only when the window is not yet as asked.
    uint32_t OpenUtility(const std::string&, int type);
    uint32_t CloseUtility(const std::string&, int type);

    // Each family's rows live beside its bodies, in its own file; its
    // Rows() gives them with their count.
    static const TRow RunTable[];
    static std::span<const TRow> RunRows();
    static const TRow SettingsTable[];
    static std::span<const TRow> SettingsRows();
    static const TRow EditTable[];
    static std::span<const TRow> EditRows();
    static const TRow SegmentsTable[];
    static std::span<const TRow> SegmentsRows();
    static const TRow PrintTable[];
    static std::span<const TRow> PrintRows();
    static const TRow CalibrationTable[];
    static std::span<const TRow> CalibrationRows();
    static const TRow DisplayTable[];
    static std::span<const TRow> DisplayRows();
    static const TRow GeneratorTable[];
    static std::span<const TRow> GeneratorRows();
    static const TRow SystemTable[];
    static std::span<const TRow> SystemRows();
    static const TRow WindowsTable[];
    static std::span<const TRow> WindowsRows();
    static const TRow ScalingTable[];
    static std::span<const TRow> ScalingRows();

    // Run control, transport and operating mode.
    uint32_t Run(const std::string&, int);
    uint32_t RunBlocks(const std::string& argument, int);
    uint32_t SingleStep(const std::string&, int);
    uint32_t Stop(const std::string&, int);
    uint32_t Rewind(const std::string&, int);
    uint32_t FastForward(const std::string&, int);
    uint32_t Record(const std::string&, int);
    uint32_t Play(const std::string&, int);
    uint32_t PlaySegment(const std::string& argument, int);
    uint32_t PauseRecorder(const std::string&, int);
    uint32_t ResumeRecorder(const std::string&, int);
    uint32_t GoToSample(const std::string& argument, int);
    uint32_t GoTo(const std::string& argument, int);
    uint32_t ResetAverage(const std::string&, int);
    uint32_t ForceTrigger(const std::string&, int);
    uint32_t ResetOverload(const std::string&, int);
    uint32_t Mode(const std::string&, int mode);

    // Analysis settings.
    uint32_t PeakHold(const std::string&, int value);
    uint32_t SetPeakHold(const std::string& argument, int);
    uint32_t AverageSize(const std::string& argument, int);
    uint32_t SetAverageSize(const std::string& argument, int);
    uint32_t SetAverageType(const std::string& argument, int);
    uint32_t SetAverageMode(const std::string& argument, int);
    uint32_t SetChannel(const std::string& argument, int);
    uint32_t FFTOverlap(const std::string& argument, int);
    uint32_t FFTSize(const std::string& argument, int);
    uint32_t SetSamplingRate(const std::string& argument, int);
    uint32_t SetSamplingPrecision(const std::string& argument, int);
    uint32_t SetDecimationRatio(const std::string& argument, int);
    uint32_t Window(const std::string&, int window);

    // Recording edits, filter, peak search band, generator and utility windows.
    uint32_t CopyTimeSegment(const std::string& argument, int);
    uint32_t CutTimeSegment(const std::string& argument, int);
    uint32_t MuteTimeSegment(const std::string& argument, int);
    uint32_t PasteTimeSegment(const std::string& argument, int);
    uint32_t ApplyFilter(const std::string& argument, int);
    uint32_t SetPeakSearchBandwidth(const std::string& argument, int);
    uint32_t StartGenerator(const std::string&, int);
    uint32_t StopGenerator(const std::string&, int);
    uint32_t ApplyDelayFinder(const std::string&, int);
    uint32_t SetDelay(const std::string& argument, int);
    uint32_t ResetLeq(const std::string&, int);

    // Segment analyses, the reverberation and THD+N versus frequency
    // utilities, the result windows and data logging.
    uint32_t SetDataLoggingFile(const std::string& argument, int);
    uint32_t DataLogging(const std::string&, int on);
    uint32_t SegmentAnalysis(const std::string& argument, int analysis);
    uint32_t ReverbCommand(const std::string&, int command);
    uint32_t SaveReverb(const std::string& argument, int);
    uint32_t StartThdFreq(const std::string&, int);
    uint32_t SaveThdFreq(const std::string& argument, int);
    uint32_t PrintThdFreq(const std::string&, int);

    // Printing and the page's annotations and comments.
    uint32_t PrintViews(const std::string&, int kind);
    uint32_t SetAnnotation(const std::string& argument, int line);
    uint32_t CommentBlock(const std::string&, int enable);
    uint32_t SetComment(const std::string& argument, int line);
    // Compensation, calibration and trigger. Channel values are masks:
    // bit 0 left, bit 1 right.
    uint32_t SetMicCompensationFile(const std::string& argument, int channels);
    uint32_t MicCompensation(const std::string&, int channels);
    uint32_t NoMicCompensation(const std::string&, int channels);
    uint32_t TriggerEnable(const std::string&, int enable);
    uint32_t TriggerReArm(const std::string&, int mode);
    uint32_t TriggerThreshold(const std::string& argument, int);
    uint32_t Calibrate(const std::string&, int);
    uint32_t CalibrationEnable(const std::string&, int enable);
    uint32_t SaveCalibration(const std::string& argument, int);
    uint32_t LoadCalibration(const std::string& argument, int);
    uint32_t AmbientCompensate(const std::string&, int);
    uint32_t AmbientCompensateEnable(const std::string&, int);

    // Plot display.
    uint32_t SpectrumPlotType(const std::string&, int type);
    uint32_t AutoscaleSpectrum(const std::string&, int);
    uint32_t AutoscaleTimeSeries(const std::string&, int);
    uint32_t ClearSpectra(const std::string&, int peakHold);
    uint32_t PlotLevel(const std::string& argument, int level);
    uint32_t FrequencySpan(const std::string& argument, int kind);
    uint32_t SetTimeSegment(const std::string& argument, int);
    uint32_t CopyToClipboardAsBitmap(const std::string&, int);
    // Spectrum overlays, markers and files (TCommandInterpreterOverlay.cpp,
    // TCommandInterpreterFiles.cpp). The overlay rows give the channels a
    // body acts on.
    static const TRow OverlayTable[];
    static std::span<const TRow> OverlayRows();
    static const TRow FilesTable[];
    static std::span<const TRow> FilesRows();
    uint32_t SetOverlayOffset(const std::string& argument, int channels);
    uint32_t SetOverlayLegend(const std::string& argument, int channels);
    uint32_t FillOverlay(const std::string& argument, int channelsAndSource);
    uint32_t SetOverlayShown(const std::string& argument, int channelsAndShown);
    uint32_t SetupCompositeOverlay(const std::string& argument, int channels);
    uint32_t CopyOverlayFile(const std::string& argument, int channelsAndLoad);
    uint32_t SetMarker(const std::string& argument, int);
    uint32_t ShowMarker(const std::string& argument, int shown);
    uint32_t QuickMarker(const std::string& argument, int marker);
    uint32_t FileOpen(const std::string& argument, int);
    uint32_t FileSave(const std::string& argument, int);
    uint32_t FileClose(const std::string&, int);
    uint32_t FileDelete(const std::string& argument, int);
    uint32_t ExitApplication(const std::string&, int);
    uint32_t FileDecimate(const std::string& argument, int);
    uint32_t FileMerge(const std::string& argument, int);
    // Signal generator.
    uint32_t SaveGeneratorSignal(const std::string& argument, int);
    uint32_t SetGeneratorType(const std::string& argument, int);
    uint32_t SetGeneratorTone(const std::string& argument, int);
    uint32_t SetGeneratorWaveFile(const std::string& argument, int);
    uint32_t SetGeneratorLevel(const std::string& argument, int);

    // Devices, configuration files, the macro window and temporary files;
    // the device bodies take 1 for input, 0 for output.
    uint32_t SetDevice(const std::string& argument, int input);
    uint32_t LoadConfig(const std::string& argument, int);
    uint32_t SaveConfig(const std::string& argument, int);
    uint32_t OpenMacro(const std::string&, int);
    uint32_t CloseMacro(const std::string&, int);
    uint32_t OpenMacroFile(const std::string& argument, int);
    uint32_t StartMacro(const std::string&, int);
    uint32_t StopMacro(const std::string&, int);
    uint32_t UseTempFile(const std::string& argument, int);
    // Window and view arrangement: an operation of the main window by its
    // index, the frame's show command, and the first view of a kind.
    uint32_t WindowOperation(const std::string&, int operation);
    uint32_t ShowFrame(const std::string&, int showCommand);
    uint32_t OpenView(const std::string&, int family);
    uint32_t CloseView(const std::string&, int family);
    uint32_t RestoreView(const std::string&, int family);
    uint32_t MaximizeView(const std::string&, int family);

    // Spectrum scaling and weighting: one body, the command's row by index.
    uint32_t Scale(const std::string& argument, int command);

    TMainWin& Main;
};
