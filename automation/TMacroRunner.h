#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include "automation/TMacroRunnerHost.h"

// Runs a macro one line per call: labels, jumps with a return stack, one
// loop level, waits, commands for the interpreter and the output file. The
// text and everything outside the runner come through the host.
class TMacroRunner {
public:
    enum TLineClass {
        Unrecognized = -1,
        Blank = 0,      // also comments (";" first)
        GoTo = 1,
        Label = 2,
        Loop = 3,
        Wait = 4,
        Send = 5,
        Output = 6,
        SetOutputFile = 7,
        OutputComment = 8,
        Return = 9,
        MacroEnd = 10,
    };
    enum TErrorKind { UnrecognizedCommand = 0, CommandRefused = 1, UnknownItem = 2, OutputUnopened = 3 };

    static constexpr int LineSize = 256;
    static constexpr int TextSize = 260;
    static constexpr int LabelCount = 10;
    static constexpr int StackSize = 10;

    // Takes nothing from the host yet: the holder calls ResetRunner once it is set up.
    explicit TMacroRunner(TMacroRunnerHost& host);
    ~TMacroRunner();
    TMacroRunner(const TMacroRunner&) = delete;
    TMacroRunner& operator=(const TMacroRunner&) = delete;

    // Start from the first line; stop where the runner stands.
    void CmRun();
    void CmStop();
    // One line: nothing while stopped.
    void ExecuteStep();
    // Preparation of a run, also after a file was loaded.
    void Rewind();
    void ResetRunner();
    void ScanLabels();

    bool IsRunning() const { return Running; }
    int CurrentLine() const { return Line; }
    bool IsWaiting() const { return Waiting; }
    const std::string& OutputFileName() const { return OutputName; }

    // The line's class; trims it in place first.
    static TLineClass ClassifyLine(std::string& line);
    // Trailing line ends, tabs and blanks off, leading blanks off, at most 256 characters.
    static void TrimLine(std::string& line);
    // The first "AutoDateTime" in text becomes the time as "%04d_%02d_%02d_%02d%02d%02d".
    static void ExpandAutoDateTime(std::string& text, const TEngineHost::LocalTime& now);

private:
    void ReportError(TErrorKind kind);
    void NextLine() { ++Line; }
    void StepGoTo();
    void StepReturn();
    void StepLoop();
    void StepWait();
    void StepSend();
    void StepOutput();
    void StepOutputComment();
    void StepSetOutputFile();
    // Clock waits on a whole-number time: hour * 100 + minute, or minute * 60 + second.
    void BeginClockWait(int target, int now);
    void CheckClockWait(int now);
    bool BeginDateWait(const std::string& date);
    void EndWait();
    void PushReturn(int line);
    // Text after a statement word, at most TextSize - 1 characters.
    std::string Rest(size_t wordLength) const;
    // False, with the macro stopped and its message shown, when the file
    // cannot be opened.
    bool OpenOutputFile();
    void CloseOutputFile();
    bool WriteOutput(const std::string& text);

    TMacroRunnerHost& Host;
    bool Running = false;
    int Line = 0;
    int LineTotal = 0;
    std::string Text;

    bool Waiting = false;
    uint32_t Deadline = 0;
    int ClockStart = 0;
    int ClockTarget = 0;
    bool ClockPassed = false;
    int64_t DateTarget = 0;

    int LoopStart = 0;
    int LoopCount = 0;
    int LoopIteration = 0;

    struct TLabel {
        std::string Name;
        int Line = 0;
    };
    TLabel Labels[LabelCount];
    int LabelsStored = 0;
    int Stack[StackSize];
    int StackTop = -1;

    struct TFileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, TFileCloser> OutputFile;
    std::string OutputName;
    // Why the output file could not be opened, for its message.
    std::string OutputProblem;
};
