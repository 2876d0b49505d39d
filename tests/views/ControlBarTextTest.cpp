// Texts of the transport bar and the spectrum view's button bar measured in
// the fonts they are drawn with, against the room their controls give them;
// and the overlay legend after the view's panes change.
#include "tests/views/SpectrumScreen.h"

#include <string>
#include <vector>

#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/TFont.h"
#include "resources/StringIds.h"
#include "shell/Toolbar.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSurfacePlot.h"
#include "tests/shell/TMainWinState.h"

namespace {

int TextExtent(HWND window, HFONT font, const std::string& text)
{
    HDC dc = ::GetDC(window);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return size.cx;
}

// A child's window rectangle in its parent's client coordinates.
RECT RectInParent(HWND child)
{
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Every visible child of a window that overlaps the columns [left, right)
// of its rows [0, bottom).
std::vector<int> ChildrenOver(HWND parent, int left, int right, int bottom)
{
    std::vector<int> ids;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = RectInParent(child);
        if (::IsWindowVisible(child) && r.left < right && left < r.right && r.top < bottom)
            ids.push_back(::GetDlgCtrlID(child));
    }
    return ids;
}

// Each entry of a drop-down list fits the list's text rectangle, with the
// pixel each side that the control draws it inset by.
void ExpectComboEntriesFit(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    const HFONT font = HFONT(::SendMessageA(combo, WM_GETFONT, 0, 0));
    const int room = info.rcItem.right - info.rcItem.left - 2;
    const int count = int(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    ASSERT_GT(count, 0);
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        ::SendMessageA(combo, CB_GETLBTEXT, i, LPARAM(text));
        EXPECT_LE(TextExtent(combo, font, text), room) << "combo " << ::GetDlgCtrlID(combo) << ": \"" << text << '"';
    }
}

// An edit field's text fits its formatting rectangle, the part of the field
// the control draws text in.
void ExpectEditTextFits(HWND edit, const std::string& text)
{
    RECT format{};
    ::SendMessageA(edit, EM_GETRECT, 0, LPARAM(&format));
    const HFONT font = HFONT(::SendMessageA(edit, WM_GETFONT, 0, 0));
    EXPECT_LE(TextExtent(edit, font, text), format.right - format.left)
        << "edit " << ::GetDlgCtrlID(edit) << ": \"" << text << '"';
}

}  // namespace

// The transport bar of each mode in the program's font and in a larger one:
// every list entry fits its drop-down, every painted label and read-out fits
// its box, and no control covers a box.
TEST_F(TSpectrumScreen, TransportBarTextsFitTheirControlsInAnyFont)
{
    // Controls of other windows keep the fonts they were given until the end.
    std::vector<std::unique_ptr<TFont>> oldFonts;
    for (const int mode : {TMainWin::RealTime, TMainWin::PostProcess, TMainWin::Recorder}) {
        Open(2, 2, mode);
        for (const int height : {15, 24}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", font " << height);
            oldFonts.push_back(Main->ReplaceMainFont(std::make_unique<TFont>("Arial", height)));
            Main->LayoutForMode();
            Pump();
            Toolbar& bar = *Main->GetTransportToolbar();
            for (TComboBoxNonSort* combo : {bar.AvgCombo.get(), bar.PeakCombo.get(), bar.ConfigCombo.get()})
                if (combo) ExpectComboEntriesFit(combo->GetHandle());
            struct Painted { int Id; std::string Widest; };
            const Painted painted[] = {{Toolbar::AveragingLabel, IDS_AVERAGING_LABEL_TEXT},
                                       {Toolbar::PeakHoldLabel, IDS_PEAK_HOLD_LABEL_TEXT},
                                       {Toolbar::TimeText, "00:00:00.000"}, {Toolbar::LengthText, "00:00:00.000"}};
            int boxes = 0;
            for (const Painted& p : painted) {
                const TControlRow::Box box = TControlRow::Find(bar.GetBoxes(), p.Id);
                if (box.Width() == 0) continue;
                ++boxes;
                EXPECT_LE(TextExtent(bar.GetHandle(), *Main->GetMainFont(), p.Widest), box.Width()) << p.Widest;
                EXPECT_TRUE(ChildrenOver(bar.GetHandle(), box.Left, box.Right, 1 << 20).empty()) << p.Widest;
            }
            EXPECT_EQ(boxes, mode == TMainWin::PostProcess ? 4 : 2);
        }
        Main->Destroy();
        Main.reset();
    }
}

// The amplitude fields show their widest values whole, and their labels lie
// clear of every control of the bar.
TEST_F(TSpectrumScreen, SpectrumBarFieldsShowTheirValuesWhole)
{
    Open(1, 0);
    TSpectrumPlot& view = *Main->SpectrumView(0);
    struct Case { float Top, Range; };
    for (const Case c : {Case{0.0f, 120.0f}, Case{-300.0f, 300.0f}, Case{100.0f, 60.0f}}) {
        view.Opts->PlotTop = c.Top;
        view.Opts->PlotRange = c.Range;
        view.UpdateLayout();
        for (TEdit* edit : {view.PlotTopEdit.get(), view.PlotRangeEdit.get()}) {
            char text[40] = {};
            ::GetWindowTextA(edit->GetHandle(), text, sizeof text);
            ExpectEditTextFits(edit->GetHandle(), text);
        }
    }
    for (const char* label : {IDS_PLOT_TOP_LABEL_TEXT, IDS_PLOT_RANGE_LABEL_TEXT}) {
        const TControlRow::Box box = view.BarFields.LabelBox(label);
        EXPECT_LE(TextExtent(view.GetHandle(), *view.Font, label), box.Width()) << label;
        EXPECT_TRUE(ChildrenOver(view.GetHandle(), box.Left, box.Right, view.ButtonBarHeight).empty()) << label;
    }
}

// Every view's bar in the program's font and in a larger one: each field is
// wide enough for its widest value, each painted label fits its box, and no
// control covers a label.
TEST_F(TSpectrumScreen, EveryViewsBarFieldsFitInAnyFont)
{
    Open(2, 2);
    Main->CreateSeriesView(nullptr);
    Main->CreateSurfaceView(TMainWin::ViewType::Surface, nullptr);
    Main->CreatePhaseView(TMainWin::ViewType::Phase, nullptr);
    Main->CreateSpectrogramView(TMainWin::ViewType::Spectrogram, nullptr);
    Pump();
    struct Bar {
        const char* Name;
        TPlotBase* View;
        TBarFields* Fields;
        std::vector<std::pair<TEdit*, std::vector<std::string>>> Edits;
        std::vector<const char*> Labels;
    };
    TSpectrumPlot& spectrum = *Main->SpectrumView(0);
    TSeriesPlot& series = *Main->TimeSeriesView();
    TSurfacePlot& surface = *Main->SurfaceView(0);
    TPhasePlot& phase = *Main->PhaseView(0);
    TSpectrogram& spectrogram = *Main->SpectrogramView(0);
    const char* top = IDS_PLOT_TOP_LABEL_TEXT;
    const char* range = IDS_PLOT_RANGE_LABEL_TEXT;
    const Bar bars[] = {
        {"spectrum", &spectrum, &spectrum.BarFields,
         {{spectrum.PlotTopEdit.get(), {"-300.00", "100.000"}}, {spectrum.PlotRangeEdit.get(), {"300.0"}}}, {top, range}},
        {"series", &series, &series.BarFields, {{series.PlotTopEdit.get(), {"-400.000"}}}, {top}},
        {"surface", &surface, &surface.BarFields,
         {{surface.PlotTopEdit.get(), {"-300.000"}}, {surface.PlotRangeEdit.get(), {"-200.0"}}}, {top, range}},
        {"phase", &phase, &phase.BarFields, {{phase.PlotTopEdit.get(), {"-180.0"}}}, {top}},
        {"spectrogram", &spectrogram, &spectrogram.BarFields,
         {{spectrogram.PlotTopEdit.get(), {"-300.000"}}, {spectrogram.PlotRangeEdit.get(), {"-200.0"}}}, {top, range}},
    };
    std::vector<std::unique_ptr<TFont>> oldFonts;
    for (const Bar& bar : bars) {
        for (const int height : {15, 24}) {
            SCOPED_TRACE(testing::Message() << bar.Name << ", font " << height);
            auto font = std::make_unique<TFont>("Arial", height);
            for (const auto& [edit, widest] : bar.Edits)
                edit->SendMessage(WM_SETFONT, WPARAM(HFONT(*font)), TRUE);
            oldFonts.push_back(std::move(bar.View->Font));
            bar.View->Font = std::move(font);
            bar.View->UpdateLayout();
            Pump();
            for (const auto& [edit, widest] : bar.Edits)
                for (const std::string& value : widest)
                    ExpectEditTextFits(edit->GetHandle(), value);
            for (const char* label : bar.Labels) {
                const TControlRow::Box box = bar.Fields->LabelBox(label);
                EXPECT_LE(TextExtent(bar.View->GetHandle(), *bar.View->Font, label), box.Width()) << label;
                EXPECT_TRUE(ChildrenOver(bar.View->GetHandle(), box.Left, box.Right, bar.View->ButtonBarHeight).empty())
                    << label;
            }
        }
    }
}

// A stereo file opened into a view laid out for one pane, and back: the slots
// and their legend follow the panes, and no legend text is left over the
// amplitude axis on the left.
TEST_F(TSpectrumScreen, OverlayLegendFollowsThePanes)
{
    Open(1, 0);
    TSpectrumPlot& view = *Main->SpectrumView(0);
    struct Step { uint16_t Channels, Processing; const char* Tone; int Panes; };
    for (const Step s : {Step{2, 2, "sine_1k_stereo.wav", 2}, Step{1, 0, "sine_1k_mono.wav", 1}}) {
        SCOPED_TRACE(s.Panes);
        State(Main).Settings().Format = TWaveFormat(44100, s.Channels, 2);
        State(Main).Settings().ChannelProcessing = s.Processing;
        Main->ReplaceWave(nullptr);
        LoadTone(s.Tone);
        ASSERT_EQ(view.PaneMode, s.Panes);
        const TRect panes[] = {view.PaneRect1, view.PaneRect2};
        for (int p = 0; p < 2; ++p) {
            for (int n = 0; n < TSpectrumPlot::SlotCount; ++n) {
                HWND check = (p == 0 ? view.SlotCheck[n] : view.SlotCheck2[n])->GetHandle();
                EXPECT_EQ(::IsWindowVisible(check) != 0, p < s.Panes) << "pane " << p << " slot " << n;
                if (p >= s.Panes) continue;
                const RECT r = RectInParent(check);
                EXPECT_GT(r.left, panes[p].right) << "pane " << p << " slot " << n;
                EXPECT_GE(r.top, panes[p].top) << "pane " << p << " slot " << n;
            }
        }
        Screenshot shot(view.GetHandle());
        int stray = 0;
        for (int y = 0; y < view.GraphRect.bottom; ++y)
            for (int x = 0; x < view.GraphRect.left; ++x)
                for (int n = 0; n + 1 < TSpectrumPlot::SlotCount; ++n)
                    if (shot.At(x, y) == view.Opts->OverlayColor[n]) ++stray;
        EXPECT_EQ(stray, 0);
    }
    // A slot's own name, drawn right of its check box, stays inside the view
    // in a larger font too.
    for (const int height : {15, 24}) {
        std::unique_ptr<TFont> old = std::move(view.Font);
        view.Font = std::make_unique<TFont>("Arial", height);
        view.UpdateLayout();
        Pump();
        const RECT r = RectInParent(view.SlotCheck[TSpectrumPlot::SlotCount - 1]->GetHandle());
        const int nameRight = r.left + 16 + TextExtent(view.GetHandle(), *view.Font, "Overlay 8");
        EXPECT_LE(nameRight, view.GetClientRect().right) << "font " << height;
        // The legend's buttons stand clear of the meter's widest tick label,
        // drawn 9 pixels right of the 20-pixel meter column 10 pixels right of the pane.
        const RECT button = RectInParent(view.SlotButton[0]->GetHandle());
        const int labelRight = view.PaneRect1.right + 10 + 20 + 9 + TextExtent(view.GetHandle(), *view.Font, "-120.0");
        EXPECT_LT(labelRight, button.left) << "font " << height;
        view.Font = std::move(old);
        view.UpdateLayout();
    }
}

// The transport bar's length read-out shows the length of the wave just
// opened at once, not the previous wave's until something repaints the bar.
TEST_F(TSpectrumScreen, TransportBarShowsTheLengthOfTheWaveJustOpened)
{
    Open(1, 0);
    State(Main).FileIO().WaveFileMode = 0;
    Main->SetConfiguredFolder(TMainWin::TmpFolder, Folder.Path.c_str());
    auto lengthPixels = [&] {
        Toolbar& bar = *Main->GetTransportToolbar();
        const TRect box = bar.LengthRect();
        Screenshot shot(bar.GetHandle());
        std::vector<COLORREF> pixels;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) pixels.push_back(shot.At(x, y));
        return pixels;
    };
    Main->OpenWaveFile(Fixture("sine_1k_mono.wav").c_str());
    Pump();
    const std::vector<COLORREF> twoSeconds = lengthPixels();
    Main->OpenWaveFile(Fixture("spectrogram_steps_mono.wav").c_str());
    Pump();
    const std::vector<COLORREF> shown = lengthPixels();
    Main->GetTransportToolbar()->Invalidate(true);
    Main->GetTransportToolbar()->UpdateWindow();
    Pump();
    const std::vector<COLORREF> repainted = lengthPixels();
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(repainted, twoSeconds);
    EXPECT_EQ(shown, repainted);
}
