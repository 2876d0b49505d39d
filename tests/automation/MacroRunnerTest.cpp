// The macro runner over a fake window and analyser: statements, jumps, the
// loop, waits on a fake clock, errors and the output file.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "automation/TDdeItemTable.h"
#include "automation/TMacroRunner.h"

namespace {

class TFakeHost : public TMacroRunnerHost {
public:
    std::vector<std::string> Lines;
    std::vector<std::string> Sent;
    std::vector<std::string> Errors;
    std::vector<std::string> Closed;
    // Commands the interpreter refuses.
    std::vector<std::string> Refused;
    std::string ItemText = "1000.000000";
    std::string OutputName;
    bool Overwrite = true;
    int CloseRequests = 0;
    int Highlighted = -1;
    uint32_t Tick = 0;
    TEngineHost::LocalTime Now{2024, 5, 17, 14, 30, 0, 0};
    int64_t Calendar = 0;

    int LineCount() override { return int(Lines.size()); }
    std::string Line(int index) override { return Lines.at(size_t(index)); }
    void ScrollToTop() override {}
    void HighlightLine(int line) override { Highlighted = line; }
    void RunStateChanged() override {}
    uint32_t ExecuteCommand(const std::string& command) override
    {
        Sent.push_back(command);
        for (const std::string& r : Refused)
            if (r == command) return 0;
        return 0x8000;
    }
    int FindItem(const std::string& name) override { return TDdeItemTable::Find(name); }
    std::optional<std::string> RequestItem(int) override { return ItemText; }
    void CloseMacroWindow() override { ++CloseRequests; }
    std::string OptionsOutputName() override { return OutputName; }
    std::string ResolveOutputName(const std::string& name) override { return name; }
    bool OverwriteOutput() override { return Overwrite; }
    void OutputFileClosed(const std::string& name) override { Closed.push_back(name); }
    void MakeFolderFor(const std::string& file) override
    {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
    }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    uint32_t TickCount() override { return Tick; }
    TEngineHost::LocalTime LocalNow() override { return Now; }
    int64_t CalendarNow() override { return Calendar; }
};

struct TRunner : ::testing::Test {
    TFakeHost Host;
    TMacroRunner Runner{Host};
    std::filesystem::path Folder = std::filesystem::temp_directory_path()
        / (std::string("tonalyx_macro_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());

    void SetUp() override
    {
        std::filesystem::create_directories(Folder);
        Host.OutputName = (Folder / "out.txt").string();
        Runner.ResetRunner();
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    // Runs until the macro stops or steps run out; the steps taken.
    int Run(std::vector<std::string> lines, int limit = 1000)
    {
        Host.Lines = std::move(lines);
        Runner.CmRun();
        int steps = 0;
        while (Runner.IsRunning() && steps < limit) {
            Runner.ExecuteStep();
            ++steps;
        }
        return steps;
    }
    // The output file as text (the platform's line ends read as "\n"); a
    // doubled carriage return would survive as "\r".
    std::string Output() const
    {
        std::ifstream in(Host.OutputName);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

}  // namespace

TEST(TMacroRunnerLines, ClassifiesAndTrims)
{
    const struct { const char* Line; int Class; const char* Trimmed; } cases[] = {
        {"", TMacroRunner::Blank, ""},
        {"   \t\r\n", TMacroRunner::Blank, ""},
        {"Hello\t \r\n", TMacroRunner::Unrecognized, "Hello\t"},
        {"; Send [Run]", TMacroRunner::Blank, "; Send [Run]"},
        {"  send [run]  \r\n", TMacroRunner::Send, "send [run]"},
        {"Send", TMacroRunner::Unrecognized, "Send"},
        {"GoTo Start", TMacroRunner::GoTo, "GoTo Start"},
        {"Label Start", TMacroRunner::Label, "Label Start"},
        {"Loop 3", TMacroRunner::Loop, "Loop 3"},
        {"LoopEnd", TMacroRunner::Loop, "LoopEnd"},
        {"WaitSeconds 2.5", TMacroRunner::Wait, "WaitSeconds 2.5"},
        {"Output Peak Frequency", TMacroRunner::Output, "Output Peak Frequency"},
        {"OutputComment x", TMacroRunner::OutputComment, "OutputComment x"},
        {"OutputCommentary", TMacroRunner::OutputComment, "OutputCommentary"},
        {"SetOutputFile a.txt", TMacroRunner::SetOutputFile, "SetOutputFile a.txt"},
        {"Return", TMacroRunner::Return, "Return"},
        {"MACROEND", TMacroRunner::MacroEnd, "MACROEND"},
        {"Hello", TMacroRunner::Unrecognized, "Hello"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        std::string line = c.Line;
        EXPECT_EQ(TMacroRunner::ClassifyLine(line), c.Class);
        if (*c.Line) {
            EXPECT_EQ(line, c.Trimmed);
        }
    }
    std::string longLine(400, 'x');
    TMacroRunner::TrimLine(longLine);
    EXPECT_EQ(longLine.size(), 256u);
}

TEST(TMacroRunnerLines, ExpandsTheFirstAutoDateTime)
{
    std::string text = "log_AutoDateTime_AutoDateTime.txt";
    TMacroRunner::ExpandAutoDateTime(text, {2024, 3, 7, 9, 5, 2, 0});
    EXPECT_EQ(text, "log_2024_03_07_090502_AutoDateTime.txt");
    std::string lower = "autodatetime";
    TMacroRunner::ExpandAutoDateTime(lower, {2024, 3, 7, 9, 5, 2, 0});
    EXPECT_EQ(lower, "autodatetime");
}

TEST_F(TRunner, LoopRunsItsBodyCountTimesAndAtLeastOnce)
{
    for (const auto& [count, sends] : {std::pair{"3", 3}, {"1", 1}, {"0", 1}, {"x", 1}}) {
        SCOPED_TRACE(count);
        Host.Sent.clear();
        Run({std::string("Loop ") + count, "Send [Run]", "; comment", "LoopEnd", "Send [Stop]"});
        EXPECT_EQ(int(Host.Sent.size()), sends + 1);
        EXPECT_EQ(Host.Sent.back(), "[Stop]");
        EXPECT_TRUE(Host.Errors.empty());
    }
}

TEST_F(TRunner, GoToCallsALabelAndReturnComesBack)
{
    Run({"GoTo Sub", "Send [Stop]", "MacroEnd", "Label Sub", "Send [Run]", "Return", "Send [Never]"});
    EXPECT_EQ(Host.Sent, (std::vector<std::string>{"[Run]", "[Stop]"}));
    EXPECT_TRUE(Host.Errors.empty());

    // Label names keep their case; a missing label or an empty stack go on silently.
    Host.Sent.clear();
    Run({"GoTo sub", "Return", "Send [Stop]", "Label Sub", "Send [Run]"});
    EXPECT_EQ(Host.Sent, (std::vector<std::string>{"[Stop]", "[Run]"}));
    EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(TRunner, AnEleventhLabelReplacesTheFirst)
{
    std::vector<std::string> lines = {"GoTo L0", "GoTo L10", "MacroEnd"};
    for (int i = 0; i <= 10; ++i) {
        lines.push_back("Label L" + std::to_string(i));
        lines.push_back("Send [" + std::to_string(i) + "]");
        lines.push_back("Return");
    }
    Run(lines);
    EXPECT_EQ(Host.Sent, (std::vector<std::string>{"[10]"}));
}

TEST_F(TRunner, EndsAtMacroEndOrAtTheLastLine)
{
    EXPECT_EQ(Run({"MacroEnd", "Send [Run]"}), 1);
    EXPECT_TRUE(Host.Sent.empty());
    EXPECT_EQ(Run({"Send [Run]"}), 2);
    EXPECT_FALSE(Runner.IsRunning());
    EXPECT_EQ(Runner.CurrentLine(), 0);
}

TEST_F(TRunner, ErrorsShowTheLineAndStopTheMacro)
{
    Host.Refused = {"[Nope]"};
    const struct { std::vector<std::string> Lines; const char* Message; } cases[] = {
        {{"Hello"}, "Macro Command Processor: Unrecognized command \"Hello\" at line 1"},
        {{"; ok", "Send"}, "Macro Command Processor: Unrecognized command \"Send\" at line 2"},
        {{"Send [Run]", "  Send [Nope]  "},
         "Macro Command Processor: DDE Execute command \"Send [Nope]\" at line 2 cannot be processed"},
        {{"Output Peak Frequency", "Output Peak Nothing"},
         "Macro Command Processor: DDE Request item \"Output Peak Nothing\" at line 2 is unrecognized"},
        {{"Wait 5"}, "Macro Command Processor: Unrecognized command \"Wait 5\" at line 1"},
        {{"WaitDate 2/3/2005"}, "Macro Command Processor: Unrecognized command \"WaitDate 2/3/2005\" at line 1"},
        {{"WaitDate 13/01/2005"}, "Macro Command Processor: Unrecognized command \"WaitDate 13/01/2005\" at line 1"},
        {{"WaitDate 01/01/1999"}, "Macro Command Processor: Unrecognized command \"WaitDate 01/01/1999\" at line 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        Host.Errors.clear();
        Host.Sent.clear();
        Run(c.Lines);
        ASSERT_EQ(Host.Errors.size(), 1u);
        EXPECT_EQ(Host.Errors[0], c.Message);
        EXPECT_FALSE(Runner.IsRunning());
        EXPECT_EQ(Runner.CurrentLine(), 0);
    }
}

TEST_F(TRunner, CloseMacroStopsAndAsksForTheWindowToClose)
{
    Run({"Send [close macro]", "Send [Run]"});
    EXPECT_TRUE(Host.Sent.empty());
    EXPECT_EQ(Host.CloseRequests, 1);
    EXPECT_FALSE(Runner.IsRunning());
}

TEST_F(TRunner, WaitSecondsHoldsUntilItsDeadlineAlsoAcrossTheTickWrap)
{
    for (uint32_t start : {1000u, 0xFFFFF000u}) {
        SCOPED_TRACE(start);
        Host.Tick = start;
        Host.Sent.clear();
        Host.Lines = {"WaitSeconds 2.5", "Send [Run]"};
        Runner.CmRun();
        Runner.ExecuteStep();
        EXPECT_TRUE(Runner.IsWaiting());
        Host.Tick = start + 2499;
        for (int i = 0; i < 3; ++i) Runner.ExecuteStep();
        EXPECT_TRUE(Host.Sent.empty());
        Host.Tick = start + 2500;
        Runner.ExecuteStep();
        Runner.ExecuteStep();
        EXPECT_EQ(Host.Sent, std::vector<std::string>{"[Run]"});
    }
}

TEST_F(TRunner, ClockWaitsEndAtTheirTimeOfDay)
{
    using T = TEngineHost::LocalTime;
    const struct {
        const char* Line;
        T Start;
        std::vector<T> Before;
        T At;
    } cases[] = {
        {"WaitClock 0", {2024, 5, 17, 23, 50, 0, 0}, {{2024, 5, 17, 23, 59, 59, 0}}, {2024, 5, 18, 0, 0, 0, 0}},
        {"WaitClock 1200", {2024, 5, 17, 13, 0, 0, 0},
         {{2024, 5, 17, 13, 1, 0, 0}, {2024, 5, 17, 23, 59, 0, 0}, {2024, 5, 18, 11, 59, 0, 0}},
         {2024, 5, 18, 12, 0, 0, 0}},
        {"WaitClock 1530", {2024, 5, 17, 15, 0, 0, 0}, {{2024, 5, 17, 15, 29, 59, 0}}, {2024, 5, 17, 15, 30, 0, 0}},
        {"WaitTopOfMinute", {2024, 5, 17, 14, 59, 30, 0}, {{2024, 5, 17, 14, 59, 59, 0}}, {2024, 5, 17, 15, 0, 0, 0}},
        {"WaitTopOfMinute", {2024, 5, 17, 14, 10, 30, 0}, {{2024, 5, 17, 14, 10, 59, 0}}, {2024, 5, 17, 14, 11, 0, 0}},
        {"WaitTopOfHour", {2024, 5, 17, 23, 10, 0, 0}, {{2024, 5, 17, 23, 59, 0, 0}}, {2024, 5, 18, 0, 0, 0, 0}},
        {"WaitTopOfHour", {2024, 5, 17, 14, 10, 0, 0}, {{2024, 5, 17, 14, 59, 0, 0}}, {2024, 5, 17, 15, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        Host.Sent.clear();
        Host.Lines = {c.Line, "Send [Run]"};
        Host.Now = c.Start;
        Runner.CmRun();
        Runner.ExecuteStep();
        for (const T& t : c.Before) {
            Host.Now = t;
            Runner.ExecuteStep();
            ASSERT_TRUE(Runner.IsWaiting());
        }
        Host.Now = c.At;
        Runner.ExecuteStep();
        EXPECT_FALSE(Runner.IsWaiting());
        Runner.ExecuteStep();
        EXPECT_EQ(Host.Sent, std::vector<std::string>{"[Run]"});
    }
}

TEST_F(TRunner, WaitDateWaitsForLocalMidnightOfThatDate)
{
    std::tm day{};
    day.tm_year = 2030 - 1900;
    day.tm_mon = 2;
    day.tm_mday = 2;   // 30 February 2030 is 2 March
    const int64_t midnight = int64_t(std::mktime(&day));
    Host.Lines = {"WaitDate 02/30/2030", "Send [Run]"};
    Host.Calendar = midnight - 1;
    Runner.CmRun();
    Runner.ExecuteStep();
    Runner.ExecuteStep();
    EXPECT_TRUE(Runner.IsWaiting());
    Host.Calendar = midnight;
    Runner.ExecuteStep();
    Runner.ExecuteStep();
    EXPECT_EQ(Host.Sent, std::vector<std::string>{"[Run]"});
    EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(TRunner, OtherWaitLinesHoldTheMacroUntilItIsStopped)
{
    EXPECT_EQ(Run({"WaitSeconds", "Send [Run]"}, 50), 50);
    EXPECT_TRUE(Runner.IsRunning());
    Runner.CmStop();
    EXPECT_TRUE(Host.Sent.empty());
    EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(TRunner, OutputWritesItemsAndCommentsOneLineEach)
{
    Host.ItemText = "1.000000\t2.000000\r\n3.000000\t4.000000\r\n";
    Run({"OutputComment Start AutoDateTime", "Output Spectrum", "Output peak frequency x", "OutputCommentary"});
    EXPECT_EQ(Output(), "Start 2024_05_17_143000\n1.000000\t2.000000\n3.000000\t4.000000\n\n"
                        "1.000000\t2.000000\n3.000000\t4.000000\n\n");
    EXPECT_EQ(Host.Closed, std::vector<std::string>{Host.OutputName});
}

TEST_F(TRunner, OverwriteStartsAFreshOutputFileAndAppendKeepsIt)
{
    Run({"OutputComment one"});
    Run({"OutputComment two"});
    EXPECT_EQ(Output(), "two\n");
    Host.Overwrite = false;
    Run({"OutputComment three"});
    EXPECT_EQ(Output(), "two\nthree\n");
}

// A file where a folder should be: neither the folder nor the file can be
// made. The macro stops at the line that needed the file, saying which file.
TEST_F(TRunner, AnOutputFileThatCannotBeOpenedStopsTheMacroAtItsLine)
{
    std::ofstream(Folder / "plain") << "x";
    const std::string blocked = (Folder / "plain" / "out.txt").string();
    const std::string options = Host.OutputName;
    const struct { const char* Name; std::string OptionsName; std::vector<std::string> Lines; } cases[] = {
        {"SetOutputFile", options, {"OutputComment a", "SetOutputFile " + blocked, "OutputComment b"}},
        {"the options' file at its first Output", blocked, {"; nothing yet", "Output FFT Size", "OutputComment b"}},
        {"the options' file at its first comment", blocked, {"; nothing yet", "OutputComment b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Host.Errors.clear();
        Host.OutputName = c.OptionsName;
        std::filesystem::remove(options);
        Run(c.Lines);
        ASSERT_EQ(Host.Errors.size(), 1u);
        const std::string prefix = "Macro Command Processor: Output file \"" + blocked + "\" at line 2 cannot be opened: ";
        EXPECT_EQ(Host.Errors[0].substr(0, prefix.size()), prefix) << Host.Errors[0];
        EXPECT_GT(Host.Errors[0].size(), prefix.size());
        EXPECT_FALSE(Runner.IsRunning());
        EXPECT_EQ(Runner.CurrentLine(), 0);
        EXPECT_FALSE(std::filesystem::exists(blocked));
    }
    // A missing folder is made: the file appears there.
    Host.OutputName = options;
    Host.Errors.clear();
    const std::filesystem::path made = Folder / "new" / "deeper" / "out.txt";
    Run({"SetOutputFile " + made.string(), "OutputComment b"});
    EXPECT_TRUE(Host.Errors.empty());
    std::ifstream in(made);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "b");
}

TEST_F(TRunner, SetOutputFileSwitchesFilesAndOverwritesTheNamedOne)
{
    const std::string other = (Folder / "other_AutoDateTime.txt").string();
    const std::string expanded = (Folder / "other_2024_05_17_143000.txt").string();
    std::ofstream(expanded) << "old\n";
    Run({"OutputComment a", "SetOutputFile " + other, "OutputComment b"});
    EXPECT_EQ(Output(), "a\n");
    std::ifstream in(expanded);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "b");
    EXPECT_EQ(Host.Closed, (std::vector<std::string>{Host.OutputName, expanded}));
}
