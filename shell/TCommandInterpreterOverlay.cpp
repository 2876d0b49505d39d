// The spectrum overlay commands: filling, showing and hiding slots, their
// offsets and legends, the composite overlay and the slot files.
#include "shell/TCommandInterpreter.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <sstream>
#include <utility>
#include <string>
#include <vector>
#include "engine/TChannelProcessing.h"
#include "engine/TFolder.h"
#include "shell/TMainWin.h"
#include "views/TOverlayData.h"
#include "views/TSpectrumPlot.h"

namespace {

// The channels an overlay row acts on.
enum TChannels { Left = 1, Right = 2, Both = 3 };
// Added to a fill row's channels when the slot takes the peak-hold spectrum.
constexpr int FromPeakHold = 4;
// Added to a show row's channels; the hide rows leave it out.
constexpr int Shown = 8;
// Added to a load row's channels: the named file is copied into the slot's.
constexpr int IntoSlot = 16;
constexpr int SlotCount = SpectrumOpts::SlotCount;

// A trace of a spectrum view: view 0 (first) or 1 (second), pane 1 or 2.
struct TTrace {
    int View;
    int Pane;
    bool operator==(const TTrace&) const = default;
};

// Where each channel is drawn: the left channel always in the first
// view's upper trace; the right one in the second view when each channel
// has its own scaling, else in the first view's upper trace when it is
// analysed alone and in its lower trace beside the left one.
TTrace RightTrace(const AnalysisSettingsStruct& s)
{
    if (s.IndependentScalingAndCalibration == 1) return {1, 1};
    return s.ChannelProcessing == TChannelProcessing::RightOnly ? TTrace{0, 1} : TTrace{0, 2};
}

std::vector<TTrace> TracesOf(int channels, const AnalysisSettingsStruct& s)
{
    std::vector<TTrace> traces;
    if (channels & Left) traces.push_back({0, 1});
    const TTrace right = RightTrace(s);
    if ((channels & Right) && !(traces.size() == 1 && traces[0] == right))
        traces.push_back(right);
    return traces;
}

// Acts on each of the channels' traces whose view is open.
template <class Act> void ForOpenTraces(TMainWin& main, int channels, Act act)
{
    for (const TTrace t : TracesOf(channels, main.GetAnalysisSettings()))
        if (TSpectrumPlot* view = main.SpectrumView(t.View)) act(*view, t.Pane);
}

// The slot files of a trace: "L" for the first view's upper trace, else "R".
char SideOf(TTrace trace)
{
    return trace.View == 0 && trace.Pane == 1 ? 'L' : 'R';
}

std::vector<std::string> Fields(const std::string& argument)
{
    std::istringstream in(argument);
    std::vector<std::string> fields;
    for (std::string field; in >> field;) fields.push_back(field);
    return fields;
}

// A slot number counted from 1, as an index: out of 1..7 it is the composite.
int ClampedSlot(const std::string& field)
{
    const uint16_t index = uint16_t(TKeywordTable::ReadInteger(field) - 1);
    return index >= SlotCount ? SlotCount - 1 : index;
}

// A slot number counted from 1, as an index; -1 out of 1..7.
int StrictSlot(const std::string& argument)
{
    const int32_t n = TKeywordTable::ReadInteger(argument);
    return n >= 1 && n <= SlotCount ? n - 1 : -1;
}

std::string SlotFile(const TMainWin& main, char side, int slot)
{
    char path[2 * TMainWin::PathSize];
    std::snprintf(path, sizeof path, "%s\\%c%d.ovl", main.ConfiguredFolder(TMainWin::OvlFolder), side, slot + 1);
    return path;
}

}  // namespace

uint32_t TCommandInterpreter::SetOverlayOffset(const std::string& argument, int channels)
{
    const auto fields = Fields(argument);
    if (fields.size() < 2) return Done;
    const int slot = ClampedSlot(fields[0]);
    double offset = TKeywordTable::ReadNumber(fields[1]);
    if (offset < -200.0 || offset > 200.0) offset = 0.0;
    if (channels == Both) {
        for (int view = 0; view < 2; ++view)
            for (int trace = 1; trace <= 2; ++trace) Main.SetOverlayOffset(view, trace, slot, float(offset));
    } else {
        for (const TTrace t : TracesOf(channels, Main.GetAnalysisSettings()))
            Main.SetOverlayOffset(t.View, t.Pane, slot, float(offset));
    }
    Main.ReloadOverlays();
    return Done;
}

uint32_t TCommandInterpreter::SetOverlayLegend(const std::string& argument, int channels)
{
    const auto fields = Fields(argument);
    if (fields.size() < 2) return Done;
    const int slot = ClampedSlot(fields[0]);
    // Each file keeps its curve and takes the word as its name; both
    // channels may share one file.
    std::vector<std::pair<std::string, int>> files;
    if (channels & Left) files.push_back({SlotFile(Main, 'L', slot), 0});
    if (channels & Right) files.push_back({SlotFile(Main, SideOf(RightTrace(Main.GetAnalysisSettings())), slot), 1});
    bool written = true;
    for (const auto& [path, channel] : files) {
        TOverlayData curve(path.c_str(), Main.GetScaling(channel).FreqScaleType, 0.0f, 0);
        if (curve.Error || !curve.Write(path.c_str(), fields[1].c_str())) written = false;
    }
    Main.ReloadOverlays();
    return written ? Done : 0;
}

uint32_t TCommandInterpreter::FillOverlay(const std::string& argument, int channelsAndSource)
{
    const int slot = StrictSlot(argument);
    if (slot < 0) return Done;
    const int source = channelsAndSource & FromPeakHold ? 1 : 0;
    ForOpenTraces(Main, channelsAndSource & Both,
                  [&](TSpectrumPlot& view, int pane) { view.OverlaySourceDialog(pane, slot, 0, source); });
    return Done;
}

uint32_t TCommandInterpreter::SetOverlayShown(const std::string& argument, int channelsAndShown)
{
    const int slot = StrictSlot(argument);
    if (slot < 0) return Done;
    const bool shown = (channelsAndShown & Shown) != 0;
    ForOpenTraces(Main, channelsAndShown & Both, [&](TSpectrumPlot& view, int pane) {
        if (shown) view.ShowOverlay(pane, slot);
        else view.HideOverlay(pane, slot);
    });
    return Done;
}

uint32_t TCommandInterpreter::SetupCompositeOverlay(const std::string& argument, int channels)
{
    const auto fields = Fields(argument);
    CompositeSettings setup;
    if (!fields.empty() && TKeywordTable::EqualsNoCase(fields[0], "SUB")) setup.CompositeType = CompositeSettings::Difference;
    const uint32_t defaultInclude[6] = {1, 1, 0, 0, 0, 0};
    std::copy(std::begin(defaultInclude), std::end(defaultInclude), setup.IncludeInAverage);
    // The composite averages the slots flagged 1.
    if (setup.CompositeType == CompositeSettings::Average && fields.size() >= 7)
        for (int n = 0; n < 6; ++n) setup.IncludeInAverage[n] = TKeywordTable::ReadInteger(fields[size_t(n) + 1]) == 1 ? 1 : 0;
    setup.DifferenceIndex[0] = 0;
    setup.DifferenceIndex[1] = 1;
    if (setup.CompositeType == CompositeSettings::Difference && fields.size() >= 3)
        for (int n = 0; n < 2; ++n)
            setup.DifferenceIndex[n] = uint16_t(std::clamp(TKeywordTable::ReadInteger(fields[size_t(n) + 1]) - 1, 0, 5));

    // Stored in every trace the channels may be drawn in ...
    const AnalysisSettingsStruct& s = Main.GetAnalysisSettings();
    std::vector<TTrace> stored;
    if (channels & Left) stored.push_back({0, 1});
    if (channels & Right) {
        stored.push_back({0, 2});
        stored.push_back({1, 1});
        if (RightTrace(s) == TTrace{0, 1} && !(channels & Left)) stored.push_back({0, 1});
    }
    for (const TTrace t : stored) Main.SetCompositeSetup(t.View, t.Pane, setup);
    // ... and shown in those they are drawn in now.
    ForOpenTraces(Main, channels, [](TSpectrumPlot& view, int pane) { view.CompositeDialog(pane, 0); });
    return Done;
}

uint32_t TCommandInterpreter::CopyOverlayFile(const std::string& argument, int channelsAndLoad)
{
    const auto fields = Fields(argument);
    if (fields.size() < 2) return Done;
    const int slot = std::clamp(TKeywordTable::ReadInteger(fields[0]), 1, SlotCount) - 1;
    const std::optional<std::string> named = ResolveIn(TMainWin::OvlFolder, fields[1]);
    if (!named) return 0;
    const int channels = channelsAndLoad & Both;
    const std::string slotFile = SlotFile(Main, SideOf(TracesOf(channels, Main.GetAnalysisSettings())[0]), slot);
    const bool load = (channelsAndLoad & IntoSlot) != 0;
    const std::string& from = load ? *named : slotFile;
    const std::string& to = load ? slotFile : *named;
    TFolder::MakeFor(to);
    if (!::CopyFileA(from.c_str(), to.c_str(), FALSE)) return 0;
    if (load) Main.ReloadOverlays();
    return Done;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::OverlayTable[] = {
    {K::SetOverlayOffset, &I::SetOverlayOffset, Both},
    {K::SetLeftOverlayOffset, &I::SetOverlayOffset, Left},
    {K::SetRightOverlayOffset, &I::SetOverlayOffset, Right},
    {K::SetOverlayLegend, &I::SetOverlayLegend, Both},
    {K::SetLeftOverlayLegend, &I::SetOverlayLegend, Left},
    {K::SetRightOverlayLegend, &I::SetOverlayLegend, Right},
    {K::SetOverlayFromPeakHold, &I::FillOverlay, Both + FromPeakHold},
    {K::SetLeftOverlayFromPeakHold, &I::FillOverlay, Left + FromPeakHold},
    {K::SetRightOverlayFromPeakHold, &I::FillOverlay, Right + FromPeakHold},
    {K::SetOverlay, &I::FillOverlay, Both},
    {K::SetLeftOverlay, &I::FillOverlay, Left},
    {K::SetRightOverlay, &I::FillOverlay, Right},
    {K::ShowOverlay, &I::SetOverlayShown, Both + Shown},
    {K::ShowLeftOverlay, &I::SetOverlayShown, Left + Shown},
    {K::ShowRightOverlay, &I::SetOverlayShown, Right + Shown},
    {K::HideOverlay, &I::SetOverlayShown, Both},
    {K::HideLeftOverlay, &I::SetOverlayShown, Left},
    {K::HideRightOverlay, &I::SetOverlayShown, Right},
    {K::SetupCompositeOverlay, &I::SetupCompositeOverlay, Both},
    {K::SetupLeftCompositeOverlay, &I::SetupCompositeOverlay, Left},
    {K::SetupRightCompositeOverlay, &I::SetupCompositeOverlay, Right},
    {K::SaveLeftOverlayFile, &I::CopyOverlayFile, Left},
    {K::SaveRightOverlayFile, &I::CopyOverlayFile, Right},
    {K::LoadLeftOverlayFile, &I::CopyOverlayFile, Left + IntoSlot},
    {K::LoadRightOverlayFile, &I::CopyOverlayFile, Right + IntoSlot},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::OverlayRows()
{
    return {OverlayTable, std::size(OverlayTable)};
}
