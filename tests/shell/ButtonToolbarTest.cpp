// The button toolbar in a real frame: its buttons at their places with their
// faces, the commands they run, the faces latched and greyed as windows,
// the wave and the mode change, and the bar shown and hidden.
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "dialogs/TSettingsDialog.h"
#include "engine/TWaveFile.h"
#include "framework/TDialog.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"
#include "shell/Toolbar2.h"
#include "tests/framework/WindowImage.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A frame whose modal dialogs end at once, recorded, and whose commands
// run from the bar can be recorded instead of run.
class TButtonsMainWin : public TMainWin {
public:
    using TMainWin::TMainWin;
    bool RecordCommands = false;
    std::vector<int> Commands;
    int SettingsDialogs = 0;

    void RunCommand(int commandId) override
    {
        if (RecordCommands) Commands.push_back(commandId);
        else TMainWin::RunCommand(commandId);
    }
    int ExecuteDialog(TDialog& dialog) override
    {
        if (dynamic_cast<TSettingsDialog*>(&dialog)) ++SettingsDialogs;
        return IDCANCEL;
    }
};

struct TButtonToolbar : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TButtonsMainWin> Main;

    void SetUp() override
    {
        WriteIni(Folder.File("Tonalyx.ini"), "[Main]\nShowSplashScreen=0\n[Mode]\nOpMode=2\n[ViewStatus]\nSpectrumPlot=0\n");
        Main = std::make_unique<TButtonsMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1100, 700, true);
        Pump();
        ASSERT_NE(Main->GetButtonToolbar(), nullptr);
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    ToolBtn& Button(int id) { return *Main->GetButtonToolbar()->Button(id); }
    bool Latched(int id) { return Button(id).Highlight != 0; }
    bool Grey(int id) { return Button(id).Grey != 0; }
    void Command(UINT id)
    {
        Main->SendMessage(WM_COMMAND, id);
        Pump();
    }
};

}  // namespace

TEST_F(TButtonToolbar, ThirtyButtonsStandAtTheirPlacesWithTheirFacesAndRunTheirCommands)
{
    const struct {
        int Id;
        int Left;
        int Command;
        bool HasGrey;
        const char* Tip;
    } expected[] = {
        {201, 3, CM_FILENEW, true, "New Wave File"},
        {202, 33, CM_FILEOPEN, true, "Open Wave File"},
        {203, 63, CM_FILESAVE, true, "Save Wave File"},
        {204, 101, CM_PRINT, true, "Print"},
        {301, 139, CM_VIEWTIMESERIES, false, "View Time Series Plot"},
        {302, 169, CM_VIEWSPECTRUM, false, "View Spectrum Plot"},
        {303, 199, CM_VIEWPHASE, false, "View Phase Plot"},
        {304, 229, CM_VIEWSPECTROGRAM, false, "View Spectrogram Plot"},
        {305, 259, CM_VIEWSURFACE, false, "View 3-D Surface Plot"},
        {401, 297, CM_SETTINGS, false, "Processing Settings"},
        {402, 327, CM_SCALING, false, "Scaling Options"},
        {403, 357, CM_CALIBRATION, false, "Calibration"},
        {404, 387, CM_TRIGGER, false, "Triggering Options"},
        {405, 417, CM_MARKERS, false, "Marker Options"},
        {406, 447, CM_DEVICE, false, "Device Options"},
        {501, 485, CM_SIGNALGENERATOR, false, "Signal Generator"},
        {502, 523, CM_PEAKFREQUENCY, false, "Peak Frequency"},
        {503, 553, CM_PEAKAMPLITUDE, false, "Peak Amplitude"},
        {504, 583, CM_TOTALPOWER, false, "Total Power"},
        {505, 621, CM_THD, false, "Total Harmonic Distortion"},
        {506, 651, CM_THDN, false, "Total Harmonic Distortion + Noise"},
        {507, 681, CM_THDNVSFREQUENCY, false, "THD+N vs Frequency"},
        {508, 719, CM_IMD, false, "InterModulation Distortion"},
        {509, 749, CM_SNR, false, "Signal to Noise Ratio"},
        {510, 885, CM_DELAYFINDER, true, "Delay Finder Utility"},
        {511, 915, CM_REVERBTIME, false, "Reverberation Utility"},
        {512, 945, CM_PHASESCOPE, false, "Stereo Phase Scope"},
        {513, 817, CM_MACROPROCESSOR, false, "Macro Command Processor"},
        {514, 847, CM_DATALOGSETUP, false, "Data Logging Setup"},
        {515, 779, CM_LEQ, false, "Equivalent Noise Levels (Leq)"},
    };
    Toolbar2& bar = *Main->GetButtonToolbar();
    EXPECT_TRUE(bar.IsSetUp());
    // Under the transport bar, across the frame.
    RECT barRect, transport, client;
    ::GetWindowRect(bar.GetHandle(), &barRect);
    ::GetWindowRect(Main->GetTransportToolbar()->GetHandle(), &transport);
    ::GetClientRect(Main->GetHandle(), &client);
    EXPECT_EQ(barRect.top, transport.bottom - 1);
    EXPECT_EQ(barRect.right - barRect.left, client.right);
    Main->RecordCommands = true;
    for (const auto& e : expected) {
        SCOPED_TRACE(e.Id);
        ToolBtn* button = bar.Button(e.Id);
        ASSERT_NE(button, nullptr);
        RECT r;
        ::GetWindowRect(button->GetHandle(), &r);
        EXPECT_EQ(r.left - barRect.left, e.Left);
        EXPECT_EQ(r.top - barRect.top, 2);
        EXPECT_EQ(r.right - r.left, 28);
        EXPECT_EQ(r.bottom - r.top, 28);
        EXPECT_STREQ(button->TipText, e.Tip);
        // Every face the script drew is in the program's resources.
        EXPECT_TRUE(button->UpBitmap && button->DownBitmap);
        EXPECT_EQ(button->GreyBitmap != nullptr, e.HasGrey);
        EXPECT_EQ(button->Width, 28);
        Main->Commands.clear();
        button->SendMessage(BM_CLICK);
        Pump();
        EXPECT_EQ(Main->Commands, std::vector<int>{e.Command});
    }
    EXPECT_EQ(bar.Button(999), nullptr);
}

TEST_F(TButtonToolbar, FacesFollowTheViewsUtilitiesWaveAndMode)
{
    EXPECT_TRUE(Grey(CM_BUTTON_FILESAVE));
    EXPECT_TRUE(Grey(CM_BUTTON_PRINT));
    for (const Toolbar2::TButtonRow& row : Toolbar2::Rows()) EXPECT_FALSE(Latched(row.Id)) << row.Id;

    // A view opened from the menu latches its button and ungreys Print at once.
    Command(CM_VIEWSPECTRUM);
    EXPECT_TRUE(Latched(CM_BUTTON_SPECTRUM));
    EXPECT_FALSE(Grey(CM_BUTTON_PRINT));
    Command(CM_VIEWTIMESERIES);
    EXPECT_TRUE(Latched(CM_BUTTON_TIMESERIES));
    // The frame as the docs show it: the bar with two views' buttons latched.
    EXPECT_TRUE(SaveWindowImage(Main->GetHandle(), std::string(TONALYX_SHOTS) + "/button-toolbar.bmp"));
    const struct {
        UINT Command;
        int Button;
    } utilities[] = {{CM_THD, CM_BUTTON_THD},
                     {CM_PEAKFREQUENCY, CM_BUTTON_PEAKFREQUENCY},
                     {CM_SIGNALGENERATOR, CM_BUTTON_SIGNALGENERATOR},
                     {CM_MACROPROCESSOR, CM_BUTTON_MACROPROCESSOR},
                     {CM_LEQ, CM_BUTTON_LEQ},
                     {CM_DATALOGON, CM_BUTTON_DATALOGSETUP}};
    for (const auto& u : utilities) {
        SCOPED_TRACE(u.Command);
        Command(u.Command);
        EXPECT_TRUE(Latched(u.Button));
    }
    // Greying and latching change faces only: the others stay up.
    EXPECT_FALSE(Latched(CM_BUTTON_PHASE));
    EXPECT_FALSE(Latched(CM_BUTTON_SETTINGS));

    Command(CM_VIEWSPECTRUM);
    EXPECT_FALSE(Latched(CM_BUTTON_SPECTRUM));
    EXPECT_FALSE(Grey(CM_BUTTON_PRINT));
    Command(CM_VIEWTIMESERIES);
    EXPECT_TRUE(Grey(CM_BUTTON_PRINT));
    Command(CM_CLOSEALLUTILITIES);
    Command(CM_DATALOGOFF);
    for (const auto& u : utilities) {
        SCOPED_TRACE(u.Command);
        EXPECT_FALSE(Latched(u.Button));
    }

    // Save follows the wave, but never in Real Time, where the history wave exists.
    Main->OpenWaveFile((std::string(TONALYX_FIXTURES) + "/wav/pattern_16_2.wav").c_str());
    Pump();
    ASSERT_NE(Main->Wave(), nullptr);
    EXPECT_FALSE(Grey(CM_BUTTON_FILESAVE));
    Command(CM_MODEREALTIME);
    Main->ReplaceWave(std::make_unique<TWaveFile>(4800, TWaveFormat(48000, 2, 2), Folder.Path.c_str()));
    EXPECT_TRUE(Grey(CM_BUTTON_FILESAVE));
    // A greyed button still sends its command, which finds nothing to do.
    Main->RecordCommands = true;
    Button(CM_BUTTON_FILESAVE).SendMessage(BM_CLICK);
    EXPECT_EQ(Main->Commands, std::vector<int>{CM_FILESAVE});
}

TEST_F(TButtonToolbar, ADoubleClickOnTheBarOpensTheSettings)
{
    Toolbar2& bar = *Main->GetButtonToolbar();
    EXPECT_TRUE(::GetClassLongA(bar.GetHandle(), GCL_STYLE) & CS_DBLCLKS);
    // Between the Device and Signal Generator buttons.
    bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(480, 15));
    EXPECT_EQ(Main->SettingsDialogs, 1);
}

TEST_F(TButtonToolbar, TheMenuAndTheMacroOperationsShowAndHideTheBar)
{
    HWND bar = Main->GetButtonToolbar()->GetHandle();
    auto clientTop = [this] {
        RECT r;
        ::GetWindowRect(Main->GetClientWindow()->GetHandle(), &r);
        POINT p{r.left, r.top};
        ::ScreenToClient(Main->GetHandle(), &p);
        return int(p.y);
    };
    const int shown = clientTop();
    EXPECT_TRUE(::IsWindowVisible(bar));
    EXPECT_TRUE(::GetMenuState(Main->GetMenu(), CM_TOGGLESECONDARYTOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    Command(CM_TOGGLESECONDARYTOOLBAR);
    EXPECT_FALSE(::IsWindowVisible(bar));
    EXPECT_FALSE(Main->IsButtonToolbarShown());
    EXPECT_FALSE(::GetMenuState(Main->GetMenu(), CM_TOGGLESECONDARYTOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    // The views take the band the bar leaves.
    EXPECT_EQ(clientTop(), shown - 31);
    Main->ShowSecondaryToolbar();
    EXPECT_TRUE(::IsWindowVisible(bar));
    EXPECT_EQ(clientTop(), shown);
    Main->HideSecondaryToolbar();
    EXPECT_FALSE(::IsWindowVisible(bar));
}
