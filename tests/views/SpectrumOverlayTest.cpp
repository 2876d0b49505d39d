// The spectrum view's overlays in a real main window under Xvfb: capture into
// a slot file, a numpy-made curve drawn where the amplitude scale puts it,
// composites, and the overlay dialogs' rules.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "dialogs/TCompositeOverlayDialog.h"
#include "dialogs/TOverlayDialog.h"
#include "framework/TCheckBox.h"
#include "framework/UiHelpers.h"
#include "views/TOverlayData.h"
#include "tests/framework/WindowImage.h"
#include "tests/views/SpectrumScreen.h"
#include "tests/shell/TMainWinState.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TSpectrumOverlays : TSpectrumScreen {
    TSpectrumPlot& OpenTone()
    {
        // The main window's texts come from this executable's string table.
        SetStringInstance(::GetModuleHandleA(nullptr));
        Open(1, 0);
        Main->SetConfiguredFolder(TMainWin::OvlFolder, Folder.Path.c_str());
        LoadTone("sine_1k_mono.wav");
        Main->CmRun();
        Pump();
        return *Main->SpectrumView(0);
    }
};

}  // namespace

TEST_F(TSpectrumOverlays, CapturingSlotTwoWritesL3WithTheBinFrequenciesAndThePeakAtOneKilohertz)
{
    TSpectrumPlot& view = OpenTone();
    ASSERT_EQ(view.SlotCheck[2]->GetCheck(), UINT(BST_UNCHECKED));
    view.SlotButton[2]->SendMessage(BM_CLICK);
    Pump();
    EXPECT_EQ(view.SlotCheck[2]->GetCheck(), UINT(BST_CHECKED));
    EXPECT_EQ(view.Opts->Show1[2], 1u);
    EXPECT_GT(view.OverlayCount[2], view.GraphRect.Width() / 2);

    // Read back as plain text, against numpy's bin frequencies.
    std::istringstream in(ReadFile(Folder.File("L3.ovl")));
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, ";Overlay 3\r");
    std::ifstream ref(Fixture("spectrum_reference.txt"));
    std::map<int, double> binHz;
    while (std::getline(ref, line))
        if (!line.empty() && line[0] != '#') {
            int bin;
            double f;
            std::istringstream(line) >> bin >> f;
            binHz[bin] = f;
        }
    TSpectralData& data = *State(Main).DisplayPrimary();
    double peakHz = 0, peak = -1e9;
    int rows = 0;
    for (int bin = data.GetLowIndex(); std::getline(in, line); ++bin, ++rows) {
        double f, v;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf\t%lf", &f, &v), 2) << line;
        if (binHz.count(bin)) {
            EXPECT_NEAR(f, binHz[bin], 1e-3) << bin;
        }
        if (v > peak) peak = v, peakHz = f;
    }
    EXPECT_EQ(rows, data.GetHighIndex() - data.GetLowIndex() + 1);
    EXPECT_NEAR(peakHz, 1000.0, 44100.0 / 16384.0);

    // A second capture keeps the name the file has.
    std::ofstream(Folder.File("L3.ovl"), std::ios::binary) << ";Kept name\r\n1\t1\r\n2\t2\r\n3\t3\r\n";
    view.OverlaySourceDialog(1, 2, 1, 0);
    std::getline(std::istringstream(ReadFile(Folder.File("L3.ovl"))) >> std::ws, line);
    EXPECT_EQ(line, ";Kept name\r");
    // Peak-hold data asked for while peak hold is off capture nothing.
    std::remove(Folder.File("L4.ovl").c_str());
    view.OverlaySourceDialog(1, 3, 0, 1);
    EXPECT_FALSE(std::ifstream(Folder.File("L4.ovl")).good());
}

// A capture makes the overlay folder when it is missing; a file that still
// cannot be written is named with the reason, and the slot stays as it was.
TEST_F(TSpectrumOverlays, CaptureMakesAMissingFolderAndNamesAFileItCannotWrite)
{
    TSpectrumPlot& view = OpenTone();
    const std::string made = Folder.File("made\\deeper");
    Main->SetConfiguredFolder(TMainWin::OvlFolder, made.c_str());
    view.SlotButton[0]->SendMessage(BM_CLICK);
    Pump();
    EXPECT_TRUE(std::ifstream(made + "\\L1.ovl").good());
    EXPECT_EQ(view.SlotCheck[0]->GetCheck(), UINT(BST_CHECKED));

    std::ofstream(Folder.File("plain")) << "x";
    const std::string blocked = Folder.File("plain");
    Main->SetConfiguredFolder(TMainWin::OvlFolder, blocked.c_str());
    Host().Messages.clear();
    view.SlotButton[1]->SendMessage(BM_CLICK);
    Pump();
    ASSERT_EQ(Host().Messages.size(), 1u);
    const std::string start = "Failure writing overlay file: " + blocked + "\\L2.ovl\r\n";
    EXPECT_EQ(Host().Messages[0].Text.substr(0, start.size()), start) << Host().Messages[0].Text;
    EXPECT_GT(Host().Messages[0].Text.size(), start.size());
    EXPECT_EQ(view.SlotCheck[1]->GetCheck(), UINT(BST_UNCHECKED));
    EXPECT_EQ(view.Opts->Show1[1], 0u);
    EXPECT_EQ(view.OverlayCount[1], 0);
    std::remove((made + "\\L1.ovl").c_str());
    ::RemoveDirectoryA(made.c_str());
    ::RemoveDirectoryA(Folder.File("made").c_str());
}

// A slot file that cannot be used says so once however often the view lays
// itself out, and again when the user ticks the slot anew.
TEST_F(TSpectrumOverlays, ABadSlotFileSaysSoOncePerTick)
{
    TSpectrumPlot& view = OpenTone();
    std::ofstream(Folder.File("L1.ovl")) << "100\t1\n200\t2\n";
    Host().Messages.clear();
    view.SlotCheck[0]->SendMessage(BM_CLICK);
    Pump();
    ASSERT_EQ(view.SlotCheck[0]->GetCheck(), UINT(BST_CHECKED));
    for (int i = 0; i < 3; ++i) {
        view.MoveWindow(0, 0, 1000 + 20 * i, 700, true);
        view.LoadOverlays();
        Pump();
    }
    EXPECT_EQ(Host().Messages.size(), 1u);
    view.SlotCheck[0]->SendMessage(BM_CLICK);
    view.SlotCheck[0]->SendMessage(BM_CLICK);
    Pump();
    EXPECT_EQ(Host().Messages.size(), 2u);
}

TEST_F(TSpectrumOverlays, ANumpyCurveIsDrawnAtTheHeightTheScalePredicts)
{
    TSpectrumPlot& view = OpenTone();
    const std::string curve = ReadFile(Fixture("overlay_draw.ovl"));
    std::ofstream(Folder.File("L1.ovl"), std::ios::binary) << curve;
    view.Opts->OverlayColor[0] = RGB(0, 200, 0);
    view.ShowOverlay(1, 0);
    view.Invalidate(true);
    view.UpdateWindow();
    Pump();
    EXPECT_EQ(view.SlotCheck[0]->GetCheck(), UINT(BST_CHECKED));
    Screenshot shot(view.GetHandle());
    const TRect pane = view.GraphRect;
    // numpy's points, read back from the fixture: checked at the columns of their own frequencies.
    std::istringstream in(curve);
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        double f, v;
        if (std::sscanf(line.c_str(), "%lf\t%lf", &f, &v) != 2 || f < 40.0 || f > 15000.0) continue;
        const int x = pane.left + view.Scale.ColumnOf(float(f)) + 1;
        const int expected = pane.bottom - int(std::trunc(pane.Height() * (v + 120.0) / 120.0));
        int best = 1 << 30;
        for (int y = pane.top; y < pane.bottom; ++y)
            if (shot.At(x, y) == RGB(0, 200, 0)) best = std::min(best, std::abs(y - expected));
        EXPECT_LE(best, 2) << f << " Hz, " << v << " dB";
        ++checked;
    }
    EXPECT_GT(checked, 25);
    // The legend shows the file's name.
    view.HideOverlay(1, 0);
    EXPECT_EQ(view.Opts->Show1[0], 0u);
    EXPECT_EQ(view.OverlayCount[0], 0);
}

TEST_F(TSpectrumOverlays, CompositeFileIsRebuiltOnlyWhenItCanBeFormed)
{
    TSpectrumPlot& view = OpenTone();
    std::ofstream(Folder.File("L1.ovl"), std::ios::binary) << ";a\n10\t0\n20000\t0\n30000\t0\n";
    std::ofstream(Folder.File("L2.ovl"), std::ios::binary) << ";b\n10\t-6.0206\n20000\t-6.0206\n30000\t-6.0206\n";
    view.Opts->CompositeType1 = 0;
    const uint32_t include[6] = {1, 1, 0, 0, 0, 0};
    std::copy_n(include, 6, view.Opts->IncludeInAverage1);
    view.ShowOverlay(1, TSpectrumPlot::CompositeSlot);
    TOverlayData composite(Folder.File("L7.ovl").c_str(), 1, 0.0f, 0);
    ASSERT_EQ(composite.Error, 0u);
    EXPECT_NEAR(composite.GetValue(1000.0f), -2.499, 1e-3);

    // Slot 2's file goes: one usable slot fails the average, the file stays.
    std::remove(Folder.File("L2.ovl").c_str());
    const std::string before = ReadFile(Folder.File("L7.ovl"));
    view.BuildCompositeOverlay(1);
    EXPECT_EQ(ReadFile(Folder.File("L7.ovl")), before);
}

TEST(TOverlayDialogRules, LegendSizesOffsetsAndCompositeRefusals)
{
    for (const char* size : {"4", "24", "8"}) EXPECT_TRUE(TOverlayDialog::LegendSizeAccepted(size)) << size;
    for (const char* size : {"3", "25", "abc", ""}) EXPECT_FALSE(TOverlayDialog::LegendSizeAccepted(size)) << size;
    float offset = 0.0f;
    EXPECT_TRUE(TOverlayDialog::OffsetAccepted("-100", offset));
    EXPECT_TRUE(TOverlayDialog::OffsetAccepted("100", offset));
    EXPECT_FALSE(TOverlayDialog::OffsetAccepted("100.5", offset));
    EXPECT_FALSE(TOverlayDialog::OffsetAccepted("150", offset));

    CompositeSettings subtract;
    subtract.CompositeType = CompositeSettings::Difference;
    subtract.DifferenceIndex[0] = subtract.DifferenceIndex[1] = 0;
    EXPECT_STREQ(TCompositeOverlayDialog::Problem(subtract), "Cannot Subtract an overlay from itself");
    subtract.DifferenceIndex[1] = 3;
    EXPECT_EQ(TCompositeOverlayDialog::Problem(subtract), nullptr);
    CompositeSettings average;
    average.IncludeInAverage[1] = 1;
    EXPECT_STREQ(TCompositeOverlayDialog::Problem(average), "At least 2 overlays must be selected for averaging");
    average.IncludeInAverage[4] = 1;
    EXPECT_EQ(TCompositeOverlayDialog::Problem(average), nullptr);
}

TEST_F(TSpectrumOverlays, LoadIntoRowThreeOfChannelTwoReplacesR3AndResetsItsOffset)
{
    TSpectrumPlot& view = OpenTone();
    std::ofstream(Folder.File("R3.ovl"), std::ios::binary) << ";old\n1\t1\n2\t2\n3\t3\n";
    const std::string source = Folder.File("source.ovl");
    std::ofstream(source, std::ios::binary) << ";Loaded curve\n100\t-10\n200\t-20\n300\t-30\n";
    SpectrumOpts opts = *view.Opts;
    opts.Offset2[2] = 12.0f;
    TOverlayDialog dialog(&view, *Main, "DIALOG_OVERLAY", &opts, 2, 1, Folder.Path.c_str());
    ASSERT_TRUE(dialog.Create());
    char text[32] = {};
    ::GetDlgItemTextA(dialog.GetHandle(), TOverlayDialog::OffsetId + 2, text, sizeof text);
    EXPECT_STREQ(text, " 12.00");
    ::GetDlgItemTextA(dialog.GetHandle(), TOverlayDialog::LegendId + 2, text, sizeof text);
    EXPECT_STREQ(text, "old");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog.GetHandle(), TOverlayDialog::LoadId + 6)));
    ASSERT_TRUE(dialog.LoadRow(2, source.c_str()));
    ::GetDlgItemTextA(dialog.GetHandle(), TOverlayDialog::OffsetId + 2, text, sizeof text);
    EXPECT_STREQ(text, "0.0");
    TOverlayData slot(Folder.File("R3.ovl").c_str(), 1, 0.0f, 0);
    EXPECT_STREQ(slot.GetName(), "Loaded curve");
    EXPECT_NEAR(slot.GetValue(200.0f), -20.0, 1e-4);
    // Save writes the slot to a new file name under the row's legend.
    const std::string saved = Folder.File("saved_new.ovl");
    ::SetDlgItemTextA(dialog.GetHandle(), TOverlayDialog::OffsetId + 2, "150");
    ASSERT_TRUE(dialog.SaveRow(2, saved.c_str()));
    EXPECT_EQ(ReadFile(saved).substr(0, 14), ";Loaded curve\r");
    dialog.Destroy(IDCANCEL);
}

// The picture in docs/: markers with labels and two overlays over the tone.
TEST_F(TSpectrumOverlays, PictureWithMarkersAndTwoOverlays)
{
    TSpectrumPlot& view = OpenTone();
    view.SlotButton[0]->SendMessage(BM_CLICK);
    Pump();
    std::ofstream(Folder.File("L2.ovl"), std::ios::binary) << ReadFile(Fixture("overlay_draw.ovl"));
    view.ShowOverlay(1, 1);
    view.Opts->Offset1[0] = -10.0f;
    view.LoadOverlays();
    State(Main).Markers() = MarkerSettings{};
    const struct {
        float Frequency;
        uint32_t Label;
    } markers[] = {{1000.0f, 3}, {100.0f, 1}, {5000.0f, 4}};
    for (int n = 0; n < 3; ++n) {
        State(Main).Markers().MarkerEnable[n] = 1;
        State(Main).Markers().MarkerFreq[n] = markers[n].Frequency;
        State(Main).Markers().LabelType[n] = markers[n].Label;
    }
    std::snprintf(State(Main).Markers().CustomLabel[2], sizeof Main->GetMarkers().CustomLabel[2], "Reference");
    view.Invalidate(true);
    view.UpdateWindow();
    Pump();
    EXPECT_GT(view.OverlayCount[0], 0);
    EXPECT_GT(view.OverlayCount[1], 0);

    EXPECT_TRUE(SaveWindowImage(view.GetHandle(), std::string(TONALYX_SHOTS) + "/spectrum-overlays.bmp"));
}
