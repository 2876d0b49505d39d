// The print and annotation commands: the plot views printed one job each,
// and the annotation and comment lines the printed page carries.
#include "shell/TCommandInterpreter.h"

#include <windows.h>
#include <array>
#include <iterator>
#include "framework/TMDIClient.h"
#include "shell/TMainWin.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

namespace {
using K = TKeyword;
using I = TCommandInterpreter;

// The views a print command prints, in order; null where one is not open.
enum TPrintedKind : int { TimeSeriesViews, SpectrumViews, PhaseViews, SpectrogramViews, SurfaceViews };
using TPrintedViews = std::array<TWindow*, 2> (*)(const TMainWin& main);
const TPrintedViews PrintedViews[] = {
    [](const TMainWin& m) { return std::array<TWindow*, 2>{m.TimeSeriesView(), nullptr}; },
    [](const TMainWin& m) { return std::array<TWindow*, 2>{m.SpectrumView(0), m.SpectrumView(1)}; },
    [](const TMainWin& m) { return std::array<TWindow*, 2>{m.PhaseView(0), m.PhaseView(1)}; },
    [](const TMainWin& m) { return std::array<TWindow*, 2>{m.SpectrogramView(0), m.SpectrogramView(1)}; },
    [](const TMainWin& m) { return std::array<TWindow*, 2>{m.SurfaceView(0), m.SurfaceView(1)}; },
};
}  // namespace

const TCommandInterpreter::TRow TCommandInterpreter::PrintTable[] = {
    {K::PrintTimeSeries, &I::PrintViews, TimeSeriesViews},
    {K::PrintSpectrum, &I::PrintViews, SpectrumViews},
    {K::PrintPhase, &I::PrintViews, PhaseViews},
    {K::PrintSpectrogram, &I::PrintViews, SpectrogramViews},
    {K::Print3DSurface, &I::PrintViews, SurfaceViews},
    {K::SetAnnotationLine1, &I::SetAnnotation, 0},
    {K::SetAnnotationLine2, &I::SetAnnotation, 1},
    {K::EnableCommentBlock, &I::CommentBlock, 1},
    {K::DisableCommentBlock, &I::CommentBlock, 0},
    {K::SetCommentLine1, &I::SetComment, 0},
    {K::SetCommentLine2, &I::SetComment, 1},
    {K::SetCommentLine3, &I::SetComment, 2},
    {K::SetCommentLine4, &I::SetComment, 3},
    {K::SetCommentLine5, &I::SetComment, 4},
    {K::SetCommentLine6, &I::SetComment, 5},
    {K::SetCommentLine7, &I::SetComment, 6},
    {K::SetCommentLine8, &I::SetComment, 7},
    {K::SetCommentLine9, &I::SetComment, 8},
    {K::SetCommentLine10, &I::SetComment, 9},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::PrintRows()
{
    return {PrintTable, std::size(PrintTable)};
}

uint32_t TCommandInterpreter::PrintViews(const std::string&, int kind)
{
    // The job prints the active view on the default printer, without a dialog.
    for (TWindow* view : PrintedViews[kind](Main)) {
        if (!view || !view->GetHandle()) continue;
        if (TMDIClient* client = Main.GetClientWindow()) client->SendMessage(WM_MDIACTIVATE, WPARAM(view->GetHandle()));
        Main.PrintViews(false);
    }
    return Done;
}

uint32_t TCommandInterpreter::SetAnnotation(const std::string& argument, int line)
{
    Main.SetAnnotation(line, argument);
    return Done;
}

uint32_t TCommandInterpreter::CommentBlock(const std::string&, int enable)
{
    Main.EnableCommentBlock(enable != 0);
    return Done;
}

uint32_t TCommandInterpreter::SetComment(const std::string& argument, int line)
{
    Main.SetCommentLine(line, argument);
    return Done;
}
