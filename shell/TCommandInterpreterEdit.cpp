// The recording edit commands (copy, cut, mute, paste and filter a time
// range), the band of the peak search, the processing delay, and the opening,
// closing, starting and resetting of the generator and the utility windows.
#include "shell/TCommandInterpreter.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <sstream>
#include <utility>
#include "engine/TWaveFile.h"
#include "generator/TSignalGenerator.h"
#include "shell/TMainWin.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TLeqAnalysis.h"

namespace {

// The first two blank-separated fields of an argument read as numbers, or
// nothing when it has fewer.
std::optional<std::pair<double, double>> TwoNumbers(const std::string& argument)
{
    std::istringstream fields(argument);
    std::string first, second;
    if (!(fields >> first >> second)) return std::nullopt;
    return std::pair{TKeywordTable::ReadNumber(first), TKeywordTable::ReadNumber(second)};
}

// A time in seconds as the wave edits take it: a number beyond the float
// range at its end rather than undefined.
float Seconds(double value)
{
    return float(std::clamp(value, -3.0e38, 3.0e38));
}

// The window kinds the open and close commands act on, each with the main
// window's toggle that opens it when closed and closes it when open.
struct TUtilityWindow {
    ViewType Type;
    void (TMainWin::*Toggle)();
};
constexpr TUtilityWindow UtilityWindows[] = {
    {ViewType::Generator, &TMainWin::CmSignalGenerator},
    {ViewType::PhaseScope, &TMainWin::CmPhaseScope},
    {ViewType::DelayFinder, &TMainWin::CmDelayFinder},
    {ViewType::Leq, &TMainWin::CmLeq},
};

// The toggle called only when the window is not yet as asked.
void MakeOpen(TMainWin& main, int type, bool open)
{
    for (const TUtilityWindow& window : UtilityWindows)
        if (int(window.Type) == type && main.IsWindowOpen(window.Type) != open) (main.*window.Toggle)();
}

constexpr double WholeBandHigh = 9999999.0;
constexpr double MaxDelayMs = 1000.0;

}  // namespace

uint32_t TCommandInterpreter::CopyTimeSegment(const std::string& argument, int)
{
    const auto range = TwoNumbers(argument);
    if (range && Main.Wave()) Main.Wave()->CopyToClipboard(Seconds(range->first), Seconds(range->second));
    return Done;
}

uint32_t TCommandInterpreter::CutTimeSegment(const std::string& argument, int)
{
    const auto range = TwoNumbers(argument);
    if (!range) return Done;
    if (Main.Wave()) Main.Wave()->Cut(Seconds(range->first), Seconds(range->second));
    Main.RefreshViewsAfterEdit(true);
    return Done;
}

uint32_t TCommandInterpreter::MuteTimeSegment(const std::string& argument, int)
{
    const auto range = TwoNumbers(argument);
    if (!range) return Done;
    if (Main.Wave()) Main.Wave()->SilenceTime(Seconds(range->first), Seconds(range->second));
    Main.RefreshViewsAfterEdit(false);
    return Done;
}

uint32_t TCommandInterpreter::PasteTimeSegment(const std::string& argument, int)
{
    std::istringstream fields(argument);
    std::string time;
    if (!(fields >> time)) return Done;
    if (Main.Wave()) {
        Main.Wave()->PasteInsert(Seconds(TKeywordTable::ReadNumber(time)));
    } else {
        // The clipboard's wave opens untitled; one that cannot be written to
        // its temporary file or read back is never kept.
        if (Main.GetOpMode() == TMainWin::RealTime) return 0;
        Main.StopBeforeEdit();
        if (!Main.PasteAsNewWave()) return 0;
    }
    Main.RefreshViewsAfterEdit(true);
    return Done;
}

uint32_t TCommandInterpreter::ApplyFilter(const std::string& argument, int)
{
    if (const auto range = TwoNumbers(argument)) Main.FilterSegment(Seconds(range->first), Seconds(range->second));
    return Done;
}

uint32_t TCommandInterpreter::SetPeakSearchBandwidth(const std::string& argument, int)
{
    double low = 0.0, high = WholeBandHigh;
    if (const auto band = TwoNumbers(argument)) {
        low = band->first >= 0.0 ? std::min(band->first, WholeBandHigh) : 0.0;
        high = band->second > low && band->second < WholeBandHigh ? band->second : WholeBandHigh;
    }
    Main.SetPeakSearchBand(float(low), float(high));
    return Done;
}

uint32_t TCommandInterpreter::OpenUtility(const std::string&, int type)
{
    MakeOpen(Main, type, true);
    return Done;
}

uint32_t TCommandInterpreter::CloseUtility(const std::string&, int type)
{
    MakeOpen(Main, type, false);
    return Done;
}

uint32_t TCommandInterpreter::StartGenerator(const std::string&, int)
{
    if (TSignalGenerator* generator = Main.SignalGenerator()) generator->StartOutput();
    return Done;
}

uint32_t TCommandInterpreter::StopGenerator(const std::string&, int)
{
    if (TSignalGenerator* generator = Main.SignalGenerator()) generator->StopOutput();
    return Done;
}

uint32_t TCommandInterpreter::ApplyDelayFinder(const std::string&, int)
{
    if (TDelayFinder* finder = Main.DelayFinder()) finder->CmApplyDelay();
    return Done;
}

uint32_t TCommandInterpreter::SetDelay(const std::string& argument, int)
{
    // The sign says which channel is delayed: the right one from 0 up.
    const double ms = std::clamp(TKeywordTable::ReadNumber(argument), -MaxDelayMs, MaxDelayMs);
    Main.SetProcessingDelay(ms >= 0.0 ? 1 : 0, float(std::fabs(ms)));
    return Done;
}

uint32_t TCommandInterpreter::ResetLeq(const std::string&, int)
{
    if (TLeqAnalysis* leq = Main.LeqWindow()) leq->Refresh();
    return Done;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::EditTable[] = {
    {K::CopyTimeSegment, &I::CopyTimeSegment, 0},
    {K::CutTimeSegment, &I::CutTimeSegment, 0},
    {K::MuteTimeSegment, &I::MuteTimeSegment, 0},
    {K::PasteTimeSegment, &I::PasteTimeSegment, 0},
    {K::ApplyFilter, &I::ApplyFilter, 0},
    {K::SetPeakSearchBandwidth, &I::SetPeakSearchBandwidth, 0},
    {K::OpenGenerator, &I::OpenUtility, int(ViewType::Generator)},
    {K::CloseGenerator, &I::CloseUtility, int(ViewType::Generator)},
    {K::StartGenerator, &I::StartGenerator, 0},
    {K::StopGenerator, &I::StopGenerator, 0},
    {K::OpenPhaseScope, &I::OpenUtility, int(ViewType::PhaseScope)},
    {K::ClosePhaseScope, &I::CloseUtility, int(ViewType::PhaseScope)},
    {K::OpenDelayFinder, &I::OpenUtility, int(ViewType::DelayFinder)},
    {K::CloseDelayFinder, &I::CloseUtility, int(ViewType::DelayFinder)},
    {K::ApplyDelayFinder, &I::ApplyDelayFinder, 0},
    {K::SetDelay, &I::SetDelay, 0},
    {K::OpenLeq, &I::OpenUtility, int(ViewType::Leq)},
    {K::CloseLeq, &I::CloseUtility, int(ViewType::Leq)},
    {K::ResetLeq, &I::ResetLeq, 0},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::EditRows()
{
    return {EditTable, std::size(EditTable)};
}
