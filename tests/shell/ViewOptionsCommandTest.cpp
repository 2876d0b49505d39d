// The Options commands of the plot views over real views: which record a
// command or a view's own command edits, with which caption, what the view
// is told after OK, and the run around the dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include "base/THeadlessEngineHost.h"
#include "dialogs/TViewOptionsDialog.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "views/TPlotBase.h"
#include "views/TSpectrogram.h"
#include "views/TSurfacePlot.h"

namespace {

THeadlessEngineHost& Boxes() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }

// A main window whose dialogs run modeless through a script and end with OK
// (or Cancel); the analyser's run and the history rebuilds are counted.
class TOptionsMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::function<void(TDialog&)> Script;
    bool Cancel = false;
    std::string Caption;
    int RunStateInDialog = 0;
    int Starts = 0, Stops = 0, Rebuilds = 0, Recomputes = 0;

    int ExecuteDialog(TDialog& dialog) override
    {
        if (!dialog.Create()) return -1;
        char text[128] = {};
        ::GetWindowTextA(dialog.GetHandle(), text, sizeof text);
        Caption = text;
        RunStateInDialog = GetRunState();
        if (Script) Script(dialog);
        if (!Cancel && Control::Ok(dialog)) return IDOK;
        dialog.Destroy();
        return IDCANCEL;
    }
    void StartAnalyzer() override
    {
        ++Starts;
        State(*this).RunState() = Running;
    }
    void StopAnalyzer() override
    {
        ++Stops;
        State(*this).RunState() = Stopped;
    }
    void RebuildSpectrogram(TSpectrogram&) override { ++Rebuilds; }
    void RecomputeSurface(TPlotBase&) override { ++Recomputes; }
};

// Types a plot top the record does not hold, so the stored record shows
// which one the dialog edited, and a span inside any data's range.
std::function<void(TDialog&)> TypeTop(const char* top)
{
    return [top](TDialog& d) {
        Control::Type(d, TViewOptionsDialog::PlotTopId, top);
        Control::Type(d, TViewOptionsDialog::StartId, "100");
        Control::Type(d, TViewOptionsDialog::StopId, "1000");
    };
}

struct TViewOptionsCommand : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::unique_ptr<TOptionsMain> Main;

    void SetUp() override
    {
        std::ofstream(Ini) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TOptionsMain>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(*Main).ViewStatus() = ViewStatusFlags{};
        State(*Main).OpMode() = TMainWin::PostProcess;
        State(*Main).Settings().IndependentScalingAndCalibration = 1;
        ASSERT_TRUE(Main->Create());
        Boxes().Messages.clear();
        Boxes().Reply = TEngineHost::AnswerOk;
        Main->Script = TypeTop("-7");
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    void Open(ViewType type) { State(*Main).Windows().Open(type, Ini.c_str()); }
    TWindow* Window(ViewType type) { return State(*Main).Windows().Window(type); }
    void Activate(ViewType type)
    {
        Main->GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(Window(type)->GetHandle()), 0);
    }
    void Command(int id) { Main->SendMessage(WM_COMMAND, id, 0); }
};

}  // namespace

TEST_F(TViewOptionsCommand, SpectrumMenuCommandEditsTheRecordOfTheViewInSight)
{
    // No view: the first record, nothing told.
    Command(CM_SPECTRUMOPTIONS);
    EXPECT_EQ(Main->Caption, "Spectrum Plot Options - Left Channel");
    EXPECT_EQ(Main->GetSpectrumOptions(0).PlotTop, -7.0f);

    // Only the second view: its own record, with the right channel's caption.
    Open(ViewType::Spectrum2);
    Main->Script = TypeTop("-8");
    Command(CM_SPECTRUMOPTIONS);
    EXPECT_EQ(Main->Caption, "Spectrum Plot Options - Right Channel");
    EXPECT_EQ(Main->GetSpectrumOptions(1).PlotTop, -8.0f);
    EXPECT_EQ(Main->GetSpectrumOptions(0).PlotTop, -7.0f);

    // Both open and a utility active: the first.
    Open(ViewType::Spectrum);
    Open(ViewType::Thd);
    Activate(ViewType::Thd);
    Main->Script = TypeTop("-9");
    Command(CM_SPECTRUMOPTIONS);
    EXPECT_EQ(Main->Caption, "Spectrum Plot Options - Left Channel");
    EXPECT_EQ(Main->GetSpectrumOptions(0).PlotTop, -9.0f);

    // The second active, with common scaling: the plain caption, the second record.
    Activate(ViewType::Spectrum2);
    State(*Main).Settings().IndependentScalingAndCalibration = 0;
    Main->Script = TypeTop("-10");
    Command(CM_SPECTRUMOPTIONS);
    EXPECT_EQ(Main->Caption, "Spectrum Plot Options");
    EXPECT_EQ(Main->GetSpectrumOptions(1).PlotTop, -10.0f);
    EXPECT_EQ(Main->GetSpectrumOptions(0).PlotTop, -9.0f);
}

// Each view's Options button and Properties entry edit its own record, the
// second views' the second records.
TEST_F(TViewOptionsCommand, EachViewsOwnCommandEditsItsOwnRecord)
{
    const struct {
        ViewType Type;
        int Index;
        const char* Caption;
        std::function<float(const TMainWin&)> Top;
    } rows[] = {
        {ViewType::Spectrum, 0, "Spectrum Plot Options - Left Channel",
         [](const TMainWin& m) { return m.GetSpectrumOptions(0).PlotTop; }},
        {ViewType::Spectrum2, 1, "Spectrum Plot Options - Right Channel",
         [](const TMainWin& m) { return m.GetSpectrumOptions(1).PlotTop; }},
        {ViewType::Phase2, 1, "Phase Plot Options - Right Channel",
         [](const TMainWin& m) { return m.GetPhaseOptions(1).PlotTop; }},
        {ViewType::Surface2, 1, "3-D Surface Plot Options - Right Channel",
         [](const TMainWin& m) { return m.GetSurfaceOptions(1).PlotTop; }},
        {ViewType::Spectrogram, 0, "Spectrogram Plot Options - Left Channel",
         [](const TMainWin& m) { return m.GetSpectrogramOptions(0).PlotTop; }},
        {ViewType::Spectrogram2, 1, "Spectrogram Plot Options - Right Channel",
         [](const TMainWin& m) { return m.GetSpectrogramOptions(1).PlotTop; }},
    };
    for (const auto& row : rows) Open(row.Type);
    for (const auto& row : rows)
        for (int id : {int(TSpectrogram::OptionsId), int(TSpectrogram::PropertiesId)}) {
            SCOPED_TRACE(testing::Message() << int(row.Type) << " " << id);
            Main->Caption.clear();
            Main->Script = TypeTop(id == TSpectrogram::OptionsId ? "-3" : "-4");
            Window(row.Type)->SendMessage(WM_COMMAND, id, 0);
            EXPECT_EQ(Main->Caption, row.Caption);
            EXPECT_EQ(row.Top(*Main), id == TSpectrogram::OptionsId ? -3.0f : -4.0f);
        }
}

// The history is rebuilt only for a new span, bar or amplitude axis; a
// fraction of a hertz is no new span, and colours only repaint.
TEST_F(TViewOptionsCommand, SpectrogramAndSurfaceRebuildOnlyWhatChanged)
{
    Open(ViewType::Spectrogram);
    Open(ViewType::Surface);
    SpectrogramOpts g = Main->GetSpectrogramOptions(0);
    g.UseFullSpan = 0;
    g.StartFreq = 100.2f;
    Main->SetSpectrogramOptions(0, g);
    EXPECT_EQ(Main->Rebuilds, 1);
    g.StartFreq = 100.7f;
    g.MinCustomColor = RGB(1, 2, 3);
    g.ColorMode = 2;
    Main->SetSpectrogramOptions(0, g);
    EXPECT_EQ(Main->Rebuilds, 1);
    EXPECT_EQ(Main->GetSpectrogramOptions(0).MinCustomColor, RGB(1, 2, 3));
    g.Direction = 2;
    Main->SetSpectrogramOptions(0, g);
    EXPECT_EQ(Main->Rebuilds, 1);
    g.PlotRange = 80.0f;
    Main->SetSpectrogramOptions(0, g);
    EXPECT_EQ(Main->Rebuilds, 2);

    SurfaceOpts s = Main->GetSurfaceOptions(0);
    s.Intensity = 40;
    s.IntervalSecs = 9.0f;
    Main->SetSurfaceOptions(0, s);
    EXPECT_EQ(Main->Recomputes, 0);
    EXPECT_EQ(Main->GetSurfaceOptions(0).Intensity, 40u);
    s.LineColor = RGB(9, 9, 9);
    Main->SetSurfaceOptions(0, s);
    EXPECT_EQ(Main->Recomputes, 1);
}

// The analyser stops for the dialog and runs again after OK and Cancel;
// Cancel drops the working copy, colours included.
TEST_F(TViewOptionsCommand, RunStopsForTheDialogAndCancelKeepsTheRecord)
{
    Open(ViewType::Phase);
    State(*Main).PhaseOptions()[0].BackgroundColor = RGB(1, 1, 1);
    Main->Script = [](TDialog& d) {
        Control::Press(d, TViewOptionsDialog::DefaultsId);
        Control::Type(d, TViewOptionsDialog::PlotTopId, "90");
        Control::Type(d, TViewOptionsDialog::StartId, "100");
        Control::Type(d, TViewOptionsDialog::StopId, "1000");
    };
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        State(*Main).RunState() = TMainWin::Running;
        Main->Starts = Main->Stops = 0;
        Main->Cancel = cancel;
        Command(CM_PHASEOPTIONS);
        EXPECT_EQ(Main->RunStateInDialog, TMainWin::Stopped);
        EXPECT_EQ(Main->Stops, 1);
        EXPECT_EQ(Main->Starts, 1);
        EXPECT_EQ(Main->GetPhaseOptions(0).PlotTop, cancel ? 180.0f : 90.0f);
        EXPECT_EQ(Main->GetPhaseOptions(0).BackgroundColor, cancel ? RGB(1, 1, 1) : RGB(0, 255, 255));
    }
}

// The time series options with the view closed store the record only.
TEST_F(TViewOptionsCommand, TimeSeriesOptionsStoreTheRecord)
{
    Main->Script = TypeTop("50");
    Command(CM_TIMESERIESOPTIONS);
    EXPECT_EQ(Main->Caption, "Time Series Display Options");
    EXPECT_EQ(Main->GetSeriesOptions().PlotTop, 50.0f);
}
