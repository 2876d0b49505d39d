// The time series view in a real main window under Xvfb: a sox wave read back
// from the screen against numpy, the bar, the mouse selection, the Edit
// menu's state, the context menus and the measuring copy.
#include "tests/views/SeriesScreen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "framework/LimitScroll.h"
#include "framework/TComboBoxNonSort.h"
#include "framework/TEdit.h"
#include "framework/TGdiObject.h"
#include "framework/TMDIChild.h"
#include "framework/TPopupMenu.h"
#include "framework/TScrollBar.h"
#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "tests/engine/Fixture.h"
#include "tests/framework/WindowImage.h"
#include "tests/views/PaperPixels.h"
#include "views/TSpectrumPlot.h"
#include "tests/shell/TMainWinState.h"

namespace {

// Whether column x of the shot holds a pixel of colour within one row of y.
bool HasPixelNear(const Screenshot& shot, int x, int y, COLORREF colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        if (shot.At(x, y + dy) == colour)
            return true;
    return false;
}

// Pixels other than the background in a rectangle of the shot.
int InkIn(const Screenshot& shot, const TRect& r, COLORREF background)
{
    int ink = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            ink += shot.At(x, y) != background;
    return ink;
}

// The submenu of the frame's menu bar that holds id.
HMENU SubmenuWith(HWND frame, UINT id)
{
    HMENU bar = ::GetMenu(frame);
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        HMENU sub = ::GetSubMenu(bar, i);
        if (sub && ::GetMenuState(sub, id, MF_BYCOMMAND) != UINT(-1))
            return sub;
    }
    return nullptr;
}

bool Enabled(HMENU menu, UINT id)
{
    const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
    return state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

// A small wave on the clipboard (or nothing).
void PutWaveOnClipboard(HWND owner, bool wave)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    if (wave) {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 64);
        ::SetClipboardData(CF_WAVE, block);
    }
    ::CloseClipboard();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_F(TSeriesScreen, BothChannelsOfAStereoWaveMatchNumpyColumnByColumn)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    ASSERT_EQ(Main->GetSeriesOptions().PlotChannel, BothChannels);
    ASSERT_EQ(view.PaneMode, 2);
    EXPECT_TRUE(::IsWindowEnabled(view.ChannelCombo->GetHandle()));
    EXPECT_EQ(view.ChannelCombo->GetSelIndex(), int(BothChannels));

    const auto rows = ReadFixture("series_view_screen.txt");
    ASSERT_EQ(rows.size(), 5u);
    ASSERT_EQ(int(rows[0][0]), GraphWidth);
    EXPECT_EQ(view.Range.First, int64_t(rows[0][1]));
    EXPECT_EQ(view.Range.Last, int64_t(rows[0][2]));

    Screenshot shot(view.GetHandle());
    const COLORREF line = Main->GetSeriesOptions().LineColor;
    const TRect panes[] = {view.PaneRect1, view.PaneRect2};
    for (int p = 0; p < 2; ++p) {
        const TRect& pane = panes[p];
        const auto& tops = rows[1 + 2 * p];
        const auto& bottoms = rows[2 + 2 * p];
        int misses = 0;
        // A polyline leaves out its last pixel: the last column may show only
        // the line that reaches it.
        for (int i = 0; i < GraphWidth - 1; ++i) {
            const int x = pane.left + i;
            // Column 0 carries the position line, which inverts the trace.
            const COLORREF colour = i == 0 ? 0xFFFFFF & ~line : line;
            const bool top = HasPixelNear(shot, x, RowOf(tops[size_t(i)], pane, 100.0), colour);
            const bool bottom = HasPixelNear(shot, x, RowOf(bottoms[size_t(i)], pane, 100.0), colour);
            if (!top || !bottom) {
                ADD_FAILURE() << "pane " << p + 1 << " column " << i << (top ? "" : " maximum")
                              << (bottom ? "" : " minimum");
                if (++misses > 10)
                    break;
            }
        }
    }

    // Titles over the panes, the tick labels left of them and under the
    // lower one, and the "Plot Top:" caption left of its field.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (const TRect& pane : panes) {
        const int centre = (pane.left + pane.right) / 2;
        EXPECT_GT(InkIn(shot, TRect(centre - 60, pane.top - view.FontHeight - 3, centre + 60, pane.top - 2), face), 20);
        EXPECT_GT(InkIn(shot, TRect(pane.left - 60, pane.top, pane.left - 4, pane.bottom), face), 100);
    }
    ASSERT_FALSE(view.Scale.TimeTicks.empty());
    for (const TAxisLabel& tick : view.Scale.TimeTicks)
        EXPECT_EQ(shot.At(view.PaneRect2.left + tick.Position, view.PaneRect2.bottom + 1), RGB(0, 0, 0));
    EXPECT_GT(InkIn(shot, TRect(view.PaneRect2.left, view.PaneRect2.bottom + 4, view.PaneRect2.right,
                                view.PaneRect2.bottom + 4 + view.FontHeight), face), 100);
    TRect field;
    ::GetWindowRect(view.PlotTopEdit->GetHandle(), &field);
    ::MapWindowPoints(nullptr, view.GetHandle(), reinterpret_cast<POINT*>(&field), 2);
    EXPECT_GT(InkIn(shot, TRect(field.left - 60, field.top, field.left - 3, field.bottom), face), 30);
    EXPECT_EQ(view.PlotTopEdit->GetText(), "100.000");
    for (const auto& m : Host().Messages) ADD_FAILURE() << m.Text;
    EXPECT_TRUE(SaveWindowImage(view.GetHandle(), std::string(TONALYX_SHOTS) + "/time-series.bmp"));
}

TEST_F(TSeriesScreen, AMonoFormatForcesOnePaneAndGreysTheChannelCombo)
{
    Open();
    State(Main).SeriesOptions().PlotChannel = BothChannels;
    LoadWave("series_48k_mono.wav");
    TSeriesPlot& view = *View;
    EXPECT_EQ(view.PaneMode, 1);
    EXPECT_EQ(Main->GetSeriesOptions().PlotChannel, LeftChannel);
    EXPECT_EQ(view.ChannelCombo->GetSelIndex(), 0);
    EXPECT_FALSE(::IsWindowEnabled(view.ChannelCombo->GetHandle()));
    EXPECT_EQ(view.Trace[0].size(), 2u * GraphWidth);
    EXPECT_TRUE(view.Trace[1].empty());
}

TEST_F(TSeriesScreen, AMouseSelectionGivesTheTimesOfItsColumns)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    ASSERT_FALSE(view.SelectButton->Grey);
    EXPECT_TRUE(view.PlayButton->Grey);
    view.SelectButton->SendMessage(BM_CLICK);
    EXPECT_EQ(view.SelectButton->Highlight, 1);
    EXPECT_EQ(view.SelectMode, 1);

    const int x1 = view.GraphRect.left + 250, x2 = view.GraphRect.left + 600, y = view.PaneRect1.top + 40;
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y));
    view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y + 30));
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x2, y + 30));
    EXPECT_EQ(view.SelectButton->Highlight, 0);
    EXPECT_EQ(view.SelectMode, 0);
    EXPECT_FALSE(view.PlayButton->Grey);
    EXPECT_FALSE(view.FilterButton->Grey);

    float start = 0.0f, end = 0.0f;
    ASSERT_TRUE(Main->GetSelectedSegment(start, end));
    EXPECT_EQ(start, ColumnTime(250, 0, 95999, 48000));
    EXPECT_EQ(end, ColumnTime(600, 0, 95999, 48000));

    // The selection is marked by inverting its columns over both panes.
    Pump();
    Screenshot shot(view.GetHandle());
    const COLORREF inverted = 0xFFFFFF & ~Main->GetSeriesOptions().BackgroundColor;
    EXPECT_EQ(shot.At(x1 + 100, view.PaneRect1.top + 3), inverted);
    EXPECT_EQ(shot.At(x1 + 100, view.PaneRect2.bottom - 3), inverted);

    // Zoom in 2x halves the range around its centre and clears the selection.
    view.ZoomIn2xButton->SendMessage(BM_CLICK);
    EXPECT_EQ(view.Range.First, 95999 / 4);
    EXPECT_EQ(view.Range.Last, 95999 - 95999 / 4);
    EXPECT_TRUE(view.SelectionRect.IsEmpty());
    EXPECT_TRUE(view.PlayButton->Grey);
    ASSERT_TRUE(Main->GetSelectedSegment(start, end));
    EXPECT_EQ(start, 0.0f);
    EXPECT_EQ(end, 0.0f);
    // A page to the left past frame 0 keeps the width.
    view.SendMessage(WM_HSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(view.ScrollBar->GetHandle()));
    EXPECT_EQ(view.Range.First, 0);
    EXPECT_EQ(view.Range.Last, 95999 - 2 * (95999 / 4));
}

TEST_F(TSeriesScreen, EditMenuFollowsTheActiveViewTheWaveTheSelectionTheClipboardAndTheMode)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    HMENU edit = SubmenuWith(Main->GetHandle(), CM_EDITCUT);
    ASSERT_NE(edit, nullptr);
    auto openMenu = [&] { Main->SendMessage(WM_INITMENUPOPUP, WPARAM(edit), 1); };

    struct Case {
        const char* what;
        bool selection, waveOnClipboard, realTime, viewActive, waveOpen;
        bool cut, copy, pasteInsert, pasteOver, filter, play, selectAll;
    };
    const Case cases[] = {
        {"selection", true, false, false, true, true, true, true, false, false, true, true, true},
        {"no selection", false, false, false, true, true, false, false, false, false, false, false, true},
        {"wave on the clipboard", false, true, false, true, true, false, false, true, true, false, false, true},
        {"real time", true, true, true, true, true, true, true, false, true, true, true, true},
        {"no view active", true, true, false, false, true, false, false, false, false, false, false, true},
        {"no wave", true, true, false, true, false, false, false, false, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        State(Main).OpMode() = c.realTime ? TMainWin::RealTime : TMainWin::PostProcess;
        view.ClearSelection();
        if (c.selection) {
            view.SelectAll();
            ASSERT_TRUE(view.HasSelection());
        }
        PutWaveOnClipboard(Main->GetHandle(), c.waveOnClipboard);
        std::unique_ptr<TWaveFile> kept = c.waveOpen ? nullptr : Main->ReplaceWave(nullptr);
        // No view active: the view is there but the active child is another window.
        TMDIChild other(*Main->GetClientWindow(), "Other");
        if (!c.viewActive) {
            other.Create();
            Main->GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(other.GetHandle()));
        }
        ASSERT_EQ(Main->GetClientWindow()->GetActiveMDIChild() == &view, c.viewActive);
        openMenu();
        EXPECT_EQ(Enabled(edit, CM_EDITCUT), c.cut);
        EXPECT_EQ(Enabled(edit, CM_EDITMUTE), c.cut);
        EXPECT_EQ(Enabled(edit, CM_EDITGAINADJUST), c.cut);
        EXPECT_EQ(Enabled(edit, CM_EDITDCOFFSET), c.cut);
        EXPECT_EQ(Enabled(edit, CM_EDITCOPY), c.copy);
        EXPECT_EQ(Enabled(edit, CM_EDITPASTEINSERT), c.pasteInsert);
        EXPECT_EQ(Enabled(edit, CM_EDITPASTEOVER), c.pasteOver);
        EXPECT_EQ(Enabled(edit, CM_EDITFILTER), c.filter);
        EXPECT_EQ(Enabled(edit, CM_PLAY), c.play);
        EXPECT_EQ(Enabled(edit, CM_EDITSELECTALL), c.selectAll);
        EXPECT_FALSE(Enabled(edit, CM_EDITUNDO));
        if (kept)
            Main->ReplaceWave(std::move(kept));
        if (!c.viewActive) {
            other.Destroy();
            Main->GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(view.GetHandle()));
        }
    }
    PutWaveOnClipboard(Main->GetHandle(), false);

    // With the first spectrum view active the selection query answers false;
    // Copy follows the spectrum view, Cut stays grey.
    Main->CmViewSpectrum();
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    Main->GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(Main->SpectrumView(0)->GetHandle()));
    float start = 1.0f, end = 2.0f;
    EXPECT_FALSE(Main->GetSelectedSegment(start, end));
    EXPECT_EQ(start, 1.0f);
    EXPECT_EQ(end, 2.0f);
    openMenu();
    EXPECT_TRUE(Enabled(edit, CM_EDITCOPY));
    EXPECT_FALSE(Enabled(edit, CM_EDITCUT));

    // Opening the menu stops a running analyser (Cut and Mute's enabler).
    Main->GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(view.GetHandle()));
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
    openMenu();
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
}

TEST_F(TSeriesScreen, ContextMenuRulesFollowTheSourceAndTheSelection)
{
    Open(TMainWin::PostProcess, "[SeriesOpts]\nShowPSITimeMenu=1\n");
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    // Rule A: the wave data with a selection; rule B: a selection, or the analysis blocks.
    const UINT ruleA[] = {TSeriesPlot::MenuCut, TSeriesPlot::MenuCopyWave, TSeriesPlot::MenuMute,
                          TSeriesPlot::MenuFilter, TSeriesPlot::MenuPlay, TSeriesPlot::MenuAverageSpectrum,
                          TSeriesPlot::MenuSpectrogram, TSeriesPlot::MenuSurface, TSeriesPlot::MenuRt60,
                          TSeriesPlot::MenuDtmf, TSeriesPlot::MenuRmsLevel, TSeriesPlot::MenuPsiTime,
                          TSeriesPlot::MenuCrestFactor};
    const UINT ruleB[] = {TSeriesPlot::MenuCopyText, TSeriesPlot::MenuEnvelope, TSeriesPlot::MenuSchroeder};
    const UINT always[] = {TSeriesPlot::MenuCopyBitmap, TSeriesPlot::MenuAutoscale, TSeriesPlot::MenuViewData,
                           TSeriesPlot::MenuProperties, TSeriesPlot::MenuHelp};
    struct Case {
        const char* what;
        uint32_t source;
        bool selection, a, b;
    };
    const Case cases[] = {{"post process, selection", WaveSource, true, true, true},
                          {"post process, none", WaveSource, false, false, false},
                          {"real time, selection", BlockSource, true, false, true},
                          {"real time, none", BlockSource, false, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        State(Main).SeriesLiveBlock() = int32_t(WaveSource);
        view.ClearSelection();
        if (c.selection)
            view.SelectAll();
        State(Main).SeriesLiveBlock() = int32_t(c.source);
        auto menu = view.BuildContextMenu();
        view.SendMessage(WM_INITMENUPOPUP, WPARAM(HMENU(*menu)), 0);
        for (UINT id : ruleA)
            EXPECT_EQ(Enabled(*menu, id), c.a) << id;
        for (UINT id : ruleB)
            EXPECT_EQ(Enabled(*menu, id), c.b) << id;
        for (UINT id : always)
            EXPECT_TRUE(Enabled(*menu, id)) << id;
        EXPECT_EQ(::GetMenuState(*menu, TSeriesPlot::MenuViewData, MF_BYCOMMAND) & MF_CHECKED, 0u);
    }
    State(Main).SeriesLiveBlock() = int32_t(WaveSource);

    // "Compute PSI Time" only while the INI asks for it, read each time.
    ::WritePrivateProfileStringA("SeriesOpts", "ShowPSITimeMenu", "0", Main->GetIniPath());
    auto menu = view.BuildContextMenu();
    EXPECT_EQ(::GetMenuState(*menu, TSeriesPlot::MenuPsiTime, MF_BYCOMMAND), UINT(-1));
    EXPECT_NE(::GetMenuState(*menu, TSeriesPlot::MenuCrestFactor, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(::GetMenuItemCount(*menu), 27);
}

TEST_F(TSeriesScreen, TheMeasuringCopyIsReadByASecondProcess)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    const TRect pane = view.PaneRect1;
    const int x = pane.left + 400, y = pane.top + pane.Height() / 4;
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ASSERT_EQ(view.Tracking, 1);
    // The readouts: the column's time, and the row on the -100 .. 100 axis.
    const float time = ColumnTime(400, 0, 95999, 48000);
    const int h = pane.Height();
    const float level = float(2.0 * 100.0 * (pane.bottom - 1 - y - h / 2) / h);
    EXPECT_EQ(view.XValue, time);
    EXPECT_FLOAT_EQ(view.YValue, level);

    auto copied = [&] {
        const std::string out = Folder.File("clipboard.txt");
        std::string command = std::string("\"") + CLIPBOARD_DUMP_EXE + "\" \"" + out + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        ::WaitForSingleObject(pi.hProcess, 20000);
        DWORD code = 1;
        ::GetExitCodeProcess(pi.hProcess, &code);
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
        EXPECT_EQ(code, 0u);
        return ReadFile(out);
    };
    char expected[128];
    std::snprintf(expected, sizeof expected, "Time=\t%5.4f\r\nLevel=\t%5.4f\r\n", double(time), double(view.YValue));
    view.CopyCursorValues();
    EXPECT_EQ(copied(), expected);

    // Values far beyond a readout's width are copied whole.
    view.XValue = 3.0e38f;
    view.YValue = -1.0e30f;
    view.CopyCursorValues();
    std::snprintf(expected, sizeof expected, "Time=\t%5.4f\r\nLevel=\t%5.4f\r\n", double(3.0e38f), double(-1.0e30f));
    const std::string big = copied();
    EXPECT_EQ(big, expected);
    EXPECT_GT(big.size(), 80u);
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TEST_F(TSeriesScreen, DoubleClickMovesThePositionAndShowsItsSpectrum)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    const int x = view.GraphRect.left + 500;
    view.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, view.PaneRect1.top + 20));
    const float t = ColumnTime(500, 0, 95999, 48000);
    EXPECT_EQ(view.DrawnPosition, t);
    // The spectrum at that time: the analysis position is half a block on.
    EXPECT_NEAR(Main->TimePosition(), t, 1e-4);
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    Main->SpectrumView(0)->MoveWindow(0, 820, 300, 120, true);
    Pump();
    // The line stands where the click put it, two columns wide, in both panes.
    const int column = view.TimeToColumn(view.DrawnPosition);
    EXPECT_EQ(column, 500);
    ASSERT_GE(column, 0);
    Screenshot shot(view.GetHandle());
    const COLORREF inverted = 0xFFFFFF & ~Main->GetSeriesOptions().BackgroundColor;
    EXPECT_EQ(shot.At(view.GraphRect.left + column - 1, view.PaneRect1.top + 2), inverted);
    EXPECT_EQ(shot.At(view.GraphRect.left + column - 1, view.PaneRect2.bottom - 2), inverted);
    EXPECT_EQ(shot.At(view.GraphRect.left + column - 3, view.PaneRect1.top + 2), Main->GetSeriesOptions().BackgroundColor);
}

TEST_F(TSeriesScreen, APrintedPageTakesItsMarginsAndBuildsItsTraces)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    TPrintOptions options{};
    options.MarginLeft = 0.5f;
    options.MarginRight = 0.25f;
    options.MarginTop = 1.0f;
    options.MarginBottom = 0.75f;
    HDC meta = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(meta, nullptr);
    {
        TDC dc(meta);
        const int px = dc.GetDeviceCaps(LOGPIXELSX), py = dc.GetDeviceCaps(LOGPIXELSY);
        view.PrintMode = 1;
        view.PreparePrintLayout(dc, options);
        const TRect graph(int(px * 0.75 + int(px * 0.5)), int(py * 1.2 + int(py * 1.0)),
                          int(dc.GetDeviceCaps(HORZRES) - int(px * 0.25) - px * 0.5),
                          int(dc.GetDeviceCaps(VERTRES) - int(py * 0.75) - py * 0.5));
        EXPECT_EQ(view.GraphRect, graph);
        // Two panes of one height, half a graph apart less half an inch.
        EXPECT_EQ(view.PaneRect1.top, graph.top);
        EXPECT_EQ(view.PaneRect1.bottom, graph.bottom - (graph.Height() / 2 + py / 2));
        EXPECT_EQ(view.PaneRect2.bottom, graph.bottom);
        EXPECT_EQ(view.PaneRect2.Height(), view.PaneRect1.Height());
        // The traces are built for the page: two points a column, inside their panes.
        const TRect panes[] = {view.PaneRect1, view.PaneRect2};
        for (int p = 0; p < 2; ++p) {
            ASSERT_EQ(view.Trace[p].size(), 2u * size_t(graph.Width()));
            for (const TCurvePoint& point : view.Trace[p]) {
                ASSERT_GE(point.x, panes[p].left);
                ASSERT_LT(point.x, panes[p].right);
                ASSERT_GT(point.y, panes[p].top);
                ASSERT_LT(point.y, panes[p].bottom);
            }
        }
        TRect page(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        view.Paint(dc, true, page);
        view.PrintMode = 0;
    }
    HENHMETAFILE drawn = ::CloseEnhMetaFile(meta);
    ENHMETAHEADER header{};
    ::GetEnhMetaFileHeader(drawn, sizeof header, &header);
    // The page holds the titles, axes, grid and both traces in pieces of 256 points.
    EXPECT_GT(header.nRecords, 2u * (2u * 1000u / 255u));
    ::DeleteEnhMetaFile(drawn);
    view.UpdateLayout();
}

TEST_F(TSeriesScreen, OnPaperTheTracesAreBoldOnWhiteWithGreyGrids)
{
    Open();
    SeriesOpts& options = State(Main).SeriesOptions();
    options.BackgroundColor = RGB(255, 255, 224);
    options.GridColor = RGB(0, 160, 0);
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    std::map<COLORREF, int> paper = PaperPixels(view);
    EXPECT_EQ(paper[options.BackgroundColor], 0);
    EXPECT_EQ(paper[options.GridColor], 0);
    EXPECT_EQ(paper[RGB(192, 192, 192)], 0);
    EXPECT_GT(paper[RGB(128, 128, 128)], view.GraphRect.Height());
    EXPECT_GT(paper[options.LineColor], 4 * view.GraphRect.Width());
}

TEST_F(TSeriesScreen, RedrawsAndTheViewMenuHoldTheGdiObjectsFlat)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    auto redraw = [&](float time) {
        View->NewData(time);
        View->Invalidate(true);
        View->UpdateWindow();
    };
    redraw(0.0f);
    const long before = TGdiObject::LiveObjects();
    for (int frame = 1; frame <= 200; ++frame) {
        redraw(frame * 0.1f);
        ASSERT_EQ(TGdiObject::LiveObjects(), before) << frame;
    }

    // The View menu closes the view (keeping its placement) and opens it again there.
    auto toggle = [&] {
        Main->SendMessage(WM_COMMAND, CM_VIEWTIMESERIES);
        Pump();
    };
    RECT placed;
    ::GetWindowRect(View->GetHandle(), &placed);
    toggle();
    ASSERT_EQ(Main->TimeSeriesView(), nullptr);
    EXPECT_EQ(Main->GetViewStatus().TimeSeries, 0);
    EXPECT_EQ(::GetMenuState(::GetMenu(Main->GetHandle()), CM_VIEWTIMESERIES, MF_BYCOMMAND) & MF_CHECKED, 0u);
    const long closed = TGdiObject::LiveObjects();
    toggle();
    ASSERT_NE(Main->TimeSeriesView(), nullptr);
    EXPECT_EQ(Main->GetViewStatus().TimeSeries, 1);
    EXPECT_NE(::GetMenuState(::GetMenu(Main->GetHandle()), CM_VIEWTIMESERIES, MF_BYCOMMAND) & MF_CHECKED, 0u);
    RECT reopened;
    ::GetWindowRect(Main->TimeSeriesView()->GetHandle(), &reopened);
    EXPECT_EQ(reopened.left, placed.left);
    EXPECT_EQ(reopened.right, placed.right);
    EXPECT_EQ(reopened.bottom, placed.bottom);
    const long open = TGdiObject::LiveObjects();
    for (int cycle = 0; cycle < 10; ++cycle) {
        toggle();
        ASSERT_EQ(TGdiObject::LiveObjects(), closed) << "closed, cycle " << cycle;
        toggle();
        ASSERT_EQ(TGdiObject::LiveObjects(), open) << "open, cycle " << cycle;
    }
    View = Main->TimeSeriesView();
}

TEST_F(TSeriesScreen, ZoomToSegmentAndTheLiveThrottle)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    State(Main).Settings().FFTsize = 4096;
    State(Main).Settings().DecimationRatio = 1;
    Main->ZoomToSegment(0.5f, 1.0f);
    EXPECT_EQ(View->Range.First, 24000);
    EXPECT_EQ(View->Range.Last, 48000);
    // An empty segment is one block long.
    Main->ZoomToSegment(1.0f, 0.0f);
    EXPECT_EQ(View->Range.First, 48000);
    EXPECT_EQ(View->Range.Last, 48000 + 4096);
    EXPECT_FLOAT_EQ(Main->GetSeriesOptions().StartTime, 1.0f);

    // With the throttle on, blocks at 0.00, 0.05 and 0.12 s draw at 0.00 and
    // 0.12 only; a time before the last accepted one is a new run.
    State(Main).SeriesOptions().IntervalFlag = 1;
    State(Main).SeriesOptions().IntervalSecs = 0.1f;
    struct Step {
        float time, accepted;
    };
    const Step steps[] = {{0.0f, 0.0f}, {0.05f, 0.0f}, {0.12f, 0.12f}, {0.2f, 0.12f}, {0.05f, 0.0f}, {0.07f, 0.0f},
                          {0.11f, 0.11f}};
    for (const Step& s : steps) {
        View->NewData(s.time);
        EXPECT_EQ(View->LastUpdateTime, s.accepted) << s.time;
    }
}

// Autoscale against numpy's peak of the visible frames (70.8 % of full scale
// in both channels): 80 on the linear axis, the sum of the channels' tops for
// Left plus Right, and on the dB axis a 100 dB range from a multiple of 10.
TEST_F(TSeriesScreen, AutoscaleFitsTheAxisToTheVisiblePeak)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    State(Main).SeriesOptions().AmpScaleType = 0;
    State(Main).SeriesOptions().PlotRange = 123.0f;
    view.SendMessage(WM_COMMAND, TSeriesPlot::MenuAutoscale);
    EXPECT_FLOAT_EQ(Main->GetSeriesOptions().PlotTop, 80.0f);
    EXPECT_FLOAT_EQ(Main->GetSeriesOptions().PlotRange, 123.0f);
    char text[32] = {};
    view.PlotTopEdit->GetText(text, sizeof text);
    EXPECT_STREQ(text, "80.000");

    State(Main).SeriesOptions().PlotChannel = 5;
    view.SendMessage(WM_COMMAND, TSeriesPlot::MenuAutoscale);
    EXPECT_FLOAT_EQ(Main->GetSeriesOptions().PlotTop, 160.0f);

    State(Main).SeriesOptions().PlotChannel = BothChannels;
    State(Main).SeriesOptions().AmpScaleType = 1;
    view.SendMessage(WM_COMMAND, TSeriesPlot::MenuAutoscale);
    const float top = Main->GetSeriesOptions().PlotTop;
    EXPECT_FLOAT_EQ(std::fmod(top, 10.0f), 0.0f) << top;
    EXPECT_FLOAT_EQ(Main->GetSeriesOptions().PlotRange, 100.0f);
}

// The Plot Top field shows its widest values whole in either scale, and the
// spin and the channel list lie right of it.
TEST_F(TSeriesScreen, PlotTopFieldShowsItsValuesWhole)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    TSeriesPlot& view = *View;
    struct Case { int Scale; float Top; };
    for (const Case c : {Case{0, -400.0f}, Case{0, 100.0f}, Case{1, -400.0f}}) {
        State(Main).SeriesOptions().AmpScaleType = c.Scale;
        State(Main).SeriesOptions().PlotTop = c.Top;
        view.UpdateLayout();
        HWND field = view.PlotTopEdit->GetHandle();
        char text[32] = {};
        ::GetWindowTextA(field, text, sizeof text);
        RECT format{};
        ::SendMessageA(field, EM_GETRECT, 0, LPARAM(&format));
        HDC dc = ::GetDC(field);
        HGDIOBJ old = ::SelectObject(dc, HFONT(::SendMessageA(field, WM_GETFONT, 0, 0)));
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(field, dc);
        EXPECT_LE(size.cx, format.right - format.left) << text;

        RECT edit, spin, combo;
        ::GetWindowRect(field, &edit);
        ::GetWindowRect(view.PlotTopSpin->GetHandle(), &spin);
        ::GetWindowRect(view.ChannelCombo->GetHandle(), &combo);
        EXPECT_LE(edit.right, spin.left) << text;
        EXPECT_LE(spin.right, combo.left) << text;
    }
}
