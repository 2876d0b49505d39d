#pragma once
#include <cstdint>
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

    // Each family's rows live beside its bodies, in its own file; its
    // Rows() gives them with their count.
    static const TRow RunTable[];
    static std::span<const TRow> RunRows();
    static const TRow SettingsTable[];
    static std::span<const TRow> SettingsRows();
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
