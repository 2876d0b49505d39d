// The macro runner: statements, waits, labels, the return stack, the loop
// and the output file.
#include "automation/TMacroRunner.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include "automation/TKeywordTable.h"

namespace {

bool Starts(const std::string& text, const char* word)
{
    return TKeywordTable::StartsWithNoCase(text, word);
}

// Statement words in the order they are tested; the last that matches decides.
struct TStatementWord {
    const char* Word;
    TMacroRunner::TLineClass Class;
};
constexpr TStatementWord StatementWords[] = {
    {"Wait", TMacroRunner::Wait},
    {"Loop", TMacroRunner::Loop},
    {"Label ", TMacroRunner::Label},
    {"GoTo ", TMacroRunner::GoTo},
    {"Send ", TMacroRunner::Send},
    {"SetOutputFile ", TMacroRunner::SetOutputFile},
    {"OutputCo", TMacroRunner::OutputComment},
    {"Output ", TMacroRunner::Output},
    {"Return", TMacroRunner::Return},
    {"MacroEnd", TMacroRunner::MacroEnd},
};

const char* const ErrorTexts[] = {
    "Macro Command Processor: Unrecognized command \"%s\" at line %d",
    "Macro Command Processor: DDE Execute command \"%s\" at line %d cannot be processed",
    "Macro Command Processor: DDE Request item \"%s\" at line %d is unrecognized",
    "Macro Command Processor: Output file \"%s\" at line %d cannot be opened: %s",
};

// Ticks of a wait of seconds, kept below half the tick range so that the
// signed distance to the deadline stays meaningful across the counter's wrap.
uint32_t WaitTicks(double seconds)
{
    const double ms = seconds * 1000.0;
    if (!(ms > 0.0)) return 0;
    return ms >= 2147483647.0 ? 2147483647u : uint32_t(ms);
}

// Item texts end their lines with "\r\n"; the file is written in text mode,
// which would make each of them "\r\r\n".
std::string WithPlainLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

}  // namespace

TMacroRunner::TMacroRunner(TMacroRunnerHost& host) : Host(host)
{
    std::fill(std::begin(Stack), std::end(Stack), -1);
}

TMacroRunner::~TMacroRunner() = default;

void TMacroRunner::TrimLine(std::string& line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == '\t')) line.pop_back();
    while (!line.empty() && line.back() == ' ') line.pop_back();
    const size_t first = line.find_first_not_of(' ');
    line.erase(0, first == std::string::npos ? line.size() : first);
    if (line.size() > size_t(LineSize)) line.resize(LineSize);
}

TMacroRunner::TLineClass TMacroRunner::ClassifyLine(std::string& line)
{
    if (line.empty()) return Blank;
    TrimLine(line);
    if (line.empty()) return Blank;
    TLineClass result = line[0] == ';' ? Blank : Unrecognized;
    for (const TStatementWord& w : StatementWords)
        if (Starts(line, w.Word)) result = w.Class;
    return result;
}

void TMacroRunner::ExpandAutoDateTime(std::string& text, const TEngineHost::LocalTime& now)
{
    static const std::string Word = "AutoDateTime";
    const size_t at = text.find(Word);
    if (at == std::string::npos) return;
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d_%02d_%02d_%02d%02d%02d", now.Year, now.Month, now.Day, now.Hour,
                  now.Minute, now.Second);
    text.replace(at, Word.size(), stamp);
}

void TMacroRunner::ResetRunner()
{
    CloseOutputFile();
    OutputName = Host.OptionsOutputName();
    Text.clear();
    LineTotal = 0;
    Line = 0;
    Waiting = false;
    Deadline = 0;
    ClockStart = ClockTarget = 0;
    ClockPassed = false;
    DateTarget = 0;
    LoopStart = LoopCount = LoopIteration = 0;
    for (TLabel& l : Labels) l = TLabel{};
    LabelsStored = 0;
    std::fill(std::begin(Stack), std::end(Stack), -1);
    StackTop = -1;
}

void TMacroRunner::ScanLabels()
{
    const int count = Host.LineCount();
    for (int i = 0; i < count; ++i) {
        std::string line = Host.Line(i);
        if (ClassifyLine(line) != Label || !Starts(line, "Label ")) continue;
        Labels[LabelsStored] = TLabel{line.substr(6, TextSize - 1), i};
        // An eleventh label takes the place of the first.
        LabelsStored = (LabelsStored + 1) % LabelCount;
    }
}

void TMacroRunner::Rewind()
{
    ResetRunner();
    ScanLabels();
    LineTotal = Host.LineCount();
    Host.ScrollToTop();
    Line = 0;
}

void TMacroRunner::CmRun()
{
    Rewind();
    Line = 0;
    Running = true;
    Host.RunStateChanged();
    if (Host.OverwriteOutput()) std::remove(OutputName.c_str());
}

void TMacroRunner::CmStop()
{
    Running = false;
    Line = 0;
    Host.HighlightLine(Line);
    Host.RunStateChanged();
    CloseOutputFile();
}

void TMacroRunner::ReportError(TErrorKind kind)
{
    Host.HighlightLine(Line);
    // Lines are counted from 1 for the reader; the output file's message names
    // the file and the system's reason instead of the line's text.
    char text[2 * TextSize + 400];
    if (kind == OutputUnopened)
        std::snprintf(text, sizeof text, ErrorTexts[kind], OutputName.c_str(), Line + 1, OutputProblem.c_str());
    else
        std::snprintf(text, sizeof text, ErrorTexts[kind], Text.c_str(), Line + 1);
    Host.ShowError(text);
    CmStop();
}

void TMacroRunner::ExecuteStep()
{
    if (!Running || Line < 0) return;
    if (Line >= LineTotal) {
        CmStop();
        return;
    }
    if (Line == 0) Host.ScrollToTop();
    Text = Host.Line(Line);
    switch (ClassifyLine(Text)) {
    case Blank:
    case Label:
        NextLine();
        break;
    case GoTo:
        StepGoTo();
        break;
    case Return:
        StepReturn();
        break;
    case Loop:
        StepLoop();
        break;
    case Wait:
        StepWait();
        break;
    case Send:
        StepSend();
        break;
    case Output:
        StepOutput();
        break;
    case OutputComment:
        StepOutputComment();
        break;
    case SetOutputFile:
        StepSetOutputFile();
        break;
    case MacroEnd:
        CmStop();
        break;
    case Unrecognized:
        ReportError(UnrecognizedCommand);
        break;
    }
    // An error or a stop has already shown the line where the runner stands.
    if (Running) Host.HighlightLine(Line);
}

std::string TMacroRunner::Rest(size_t wordLength) const
{
    return Text.size() > wordLength ? Text.substr(wordLength, TextSize - 1) : std::string();
}

void TMacroRunner::PushReturn(int line)
{
    StackTop = (StackTop + 1) % StackSize;
    Stack[StackTop] = line;
}

void TMacroRunner::StepGoTo()
{
    const std::string name = Rest(5);
    int target = -1;
    for (const TLabel& l : Labels)
        if (!l.Name.empty() && l.Name == name) target = l.Line;
    if (target < 0) {
        NextLine();
        return;
    }
    PushReturn(Line + 1);
    Line = std::min(target, LineTotal - 1);
}

void TMacroRunner::StepReturn()
{
    if (StackTop < 0) {
        NextLine();
        return;
    }
    const int entry = Stack[StackTop];
    --StackTop;
    if (entry < 0 || entry > LineTotal) {
        NextLine();
        return;
    }
    Line = entry;
}

void TMacroRunner::StepLoop()
{
    if (Starts(Text, "Loop ")) {
        LoopCount = TKeywordTable::ReadInteger(Rest(5));
        LoopIteration = 1;
        LoopStart = Line;
        NextLine();
        return;
    }
    if (TKeywordTable::EqualsNoCase(Text, "LoopEnd")) {
        if (LoopIteration < LoopCount) {
            ++LoopIteration;
            Line = LoopStart + 1;
            return;
        }
        LoopStart = LoopCount = LoopIteration = 0;
    }
    NextLine();
}

void TMacroRunner::EndWait()
{
    Waiting = false;
    NextLine();
}

void TMacroRunner::BeginClockWait(int target, int now)
{
    Waiting = true;
    ClockTarget = target;
    ClockStart = now;
    ClockPassed = now > target;
}

void TMacroRunner::CheckClockWait(int now)
{
    // Before the start time again: the day has turned.
    if (now < ClockStart) ClockPassed = false;
    if (ClockTarget <= 1 && now <= 1) ClockPassed = false;
    if (!ClockPassed && now >= ClockTarget) EndWait();
}

bool TMacroRunner::BeginDateWait(const std::string& date)
{
    if (date.size() != 10) return false;
    const int month = TKeywordTable::ReadInteger(date.substr(0, 2));
    const int day = TKeywordTable::ReadInteger(date.substr(3, 2));
    const int year = TKeywordTable::ReadInteger(date.substr(6, 4));
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < 2000) return false;
    std::tm midnight{};
    midnight.tm_year = year - 1900;
    midnight.tm_mon = month - 1;
    midnight.tm_mday = day;
    midnight.tm_isdst = 0;
    DateTarget = int64_t(std::mktime(&midnight));
    Waiting = true;
    return true;
}

void TMacroRunner::StepWait()
{
    const TEngineHost::LocalTime now = Host.LocalNow();
    const int hourMinute = now.Hour * 100 + now.Minute;
    const int minuteSecond = now.Minute * 60 + now.Second;
    if (Starts(Text, "WaitSeconds ")) {
        if (!Waiting) {
            Waiting = true;
            Deadline = Host.TickCount() + WaitTicks(TKeywordTable::ReadNumber(Rest(12)));
        } else if (int32_t(Host.TickCount() - Deadline) >= 0) {
            EndWait();
        }
    } else if (Starts(Text, "WaitClock ")) {
        if (!Waiting) BeginClockWait(TKeywordTable::ReadInteger(Rest(10)), hourMinute);
        else CheckClockWait(hourMinute);
    } else if (Starts(Text, "WaitTopOfHour")) {
        if (!Waiting) {
            const int next = (hourMinute / 100) * 100 + 100;
            BeginClockWait(next > 2300 ? 0 : next, hourMinute);
        } else {
            CheckClockWait(hourMinute);
        }
    } else if (Starts(Text, "WaitTopOfMinute")) {
        if (!Waiting) {
            const int next = (minuteSecond / 60) * 60 + 60;
            BeginClockWait(next >= 3600 ? 0 : next, minuteSecond);
        } else {
            CheckClockWait(minuteSecond);
        }
    } else if (Starts(Text, "WaitDate ")) {
        if (!Waiting) {
            if (!BeginDateWait(Rest(9))) ReportError(UnrecognizedCommand);
        } else if (Host.CalendarNow() >= DateTarget) {
            EndWait();
        }
    } else if (Starts(Text, "Wait ")) {
        ReportError(UnrecognizedCommand);
    }
    // Any other "Wait..." line holds the macro until it is stopped.
}

void TMacroRunner::StepSend()
{
    std::string command = Rest(5);
    TrimLine(command);
    ExpandAutoDateTime(command, Host.LocalNow());
    if (TKeywordTable::EqualsNoCase(command, "[Close Macro]")) {
        CmStop();
        Host.CloseMacroWindow();
        return;
    }
    if (Host.ExecuteCommand(command) == 0) {
        ReportError(CommandRefused);
        return;
    }
    NextLine();
}

void TMacroRunner::StepOutput()
{
    std::string name = Rest(7);
    TrimLine(name);
    int index = Host.FindItem(name);
    if (index < 0) {
        // Item 0's name alone also stands for it, whatever follows.
        if (!Starts(name, "Peak Frequency")) {
            ReportError(UnknownItem);
            return;
        }
        index = 0;
    }
    if (const std::optional<std::string> value = Host.RequestItem(index))
        if (!WriteOutput(WithPlainLineEnds(*value))) return;
    NextLine();
}

void TMacroRunner::StepOutputComment()
{
    if (Starts(Text, "OutputComment ")) {
        std::string comment = Rest(14);
        ExpandAutoDateTime(comment, Host.LocalNow());
        if (!WriteOutput(comment)) return;
    }
    NextLine();
}

void TMacroRunner::StepSetOutputFile()
{
    std::string name = Rest(14);
    TrimLine(name);
    ExpandAutoDateTime(name, Host.LocalNow());
    CloseOutputFile();
    OutputName = Host.ResolveOutputName(name);
    if (Host.OverwriteOutput()) std::remove(OutputName.c_str());
    // Opened at once, so that a file that cannot be written stops the macro here.
    if (!OpenOutputFile()) return;
    NextLine();
}

bool TMacroRunner::OpenOutputFile()
{
    if (OutputFile || OutputName.empty()) return true;
    Host.MakeFolderFor(OutputName);
    errno = 0;
    OutputFile.reset(std::fopen(OutputName.c_str(), "at+"));
    if (OutputFile) return true;
    OutputProblem = errno ? std::strerror(errno) : "unknown error";
    ReportError(OutputUnopened);
    return false;
}

void TMacroRunner::CloseOutputFile()
{
    if (!OutputFile) return;
    OutputFile.reset();
    Host.OutputFileClosed(OutputName);
}

bool TMacroRunner::WriteOutput(const std::string& text)
{
    if (!OpenOutputFile()) return false;
    // No output file named: the value goes nowhere, as before.
    if (!OutputFile) return true;
    std::fputs(text.c_str(), OutputFile.get());
    std::fputs("\n", OutputFile.get());
    return true;
}
