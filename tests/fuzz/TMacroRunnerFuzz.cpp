// libFuzzer entry point over the macro runner: the input is a macro text,
// run for a bounded number of steps against a host that writes no files.
#include "automation/TMacroRunner.h"

#include <cstdlib>
#include <string>
#include <vector>
#include "automation/TDdeItemTable.h"
#include "automation/TKeywordTable.h"

namespace {

class TFuzzHost : public TMacroRunnerHost {
public:
    std::vector<std::string> Lines;
    uint32_t Tick = 0xFFFFFF00u;
    int Minute = 0;

    int LineCount() override { return int(Lines.size()); }
    std::string Line(int index) override
    {
        if (index < 0 || index >= int(Lines.size())) std::abort();
        return Lines[size_t(index)];
    }
    void ScrollToTop() override {}
    void HighlightLine(int line) override
    {
        if (line < 0 || line > int(Lines.size())) std::abort();
    }
    void RunStateChanged() override {}
    uint32_t ExecuteCommand(const std::string& command) override
    {
        return TKeywordTable::Parse(command) ? 0x8000 : 0;
    }
    int FindItem(const std::string& name) override { return TDdeItemTable::Find(name); }
    std::optional<std::string> RequestItem(int index) override
    {
        if (index < 0 || index >= TDdeItemTable::Count) std::abort();
        return std::string("1.0\r\n");
    }
    void CloseMacroWindow() override {}
    std::string OptionsOutputName() override { return std::string(); }
    std::string ResolveOutputName(const std::string&) override { return std::string(); }
    bool OverwriteOutput() override { return false; }
    void OutputFileClosed(const std::string&) override {}
    void MakeFolderFor(const std::string&) override {}
    void ShowError(const std::string&) override {}
    uint32_t TickCount() override { return Tick += 997; }
    TEngineHost::LocalTime LocalNow() override
    {
        ++Minute;
        return {2024, 1, 1, (Minute / 60) % 24, Minute % 60, Minute % 60, 0};
    }
    int64_t CalendarNow() override { return 1700000000 + Minute * 60; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TFuzzHost host;
    std::string line;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            host.Lines.push_back(line);
            line.clear();
        } else {
            line += char(data[i]);
        }
    }
    host.Lines.push_back(line);
    TMacroRunner runner(host);
    runner.ResetRunner();
    runner.CmRun();
    for (int step = 0; step < 2000 && runner.IsRunning(); ++step) {
        runner.ExecuteStep();
        if (runner.CurrentLine() < 0 || runner.CurrentLine() > int(host.Lines.size())) std::abort();
    }
    return 0;
}
