// The Options commands of a main window on screen: what each hands its
// dialog, takes back and rebuilds, with the null sink's devices for Real Time.
#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include "dialogs/TCalibrationBasicDialog.h"
#include "dialogs/TCalibrationForm.h"
#include "dialogs/TDeviceDialog.h"
#include "dialogs/TMarkersDialog.h"
#include "dialogs/TScalingDialog.h"
#include "dialogs/TScalingIndependentDialog.h"
#include "dialogs/TSettingsDialog.h"
#include "dialogs/TTriggerDialog.h"
#include "base/THeadlessEngineHost.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/framework/WindowImage.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/sound/NullSinkTone.h"
#include "views/TSpectrumPlot.h"
#include "tests/shell/TMainWinState.h"

namespace {

using S = TSettingsDialog;

void Pump()
{
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    }
}

// A main window whose dialogs run modeless: the script acts on the dialog's
// controls, then OK is pressed (or Cancel when Confirm is false).
class TScriptedMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::function<void(TDialog&)> Script;
    bool Confirm = true;
    std::type_index LastDialog = typeid(void);

    int ExecuteDialog(TDialog& dialog) override
    {
        LastDialog = typeid(dialog);
        if (!dialog.Create()) return -1;
        if (Script) Script(dialog);
        Control::Press(dialog, Confirm ? IDOK : IDCANCEL);
        if (!dialog.GetHandle()) return Confirm ? IDOK : IDCANCEL;
        dialog.Destroy();
        return IDCANCEL;
    }
};

struct TOptionsCommands : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TScriptedMain> Main;
    uint32_t MonitorId = FindSoundDevice(true, "Monitor of Null Output");
    uint32_t NullId = FindSoundDevice(false, "Null Output");

    static THeadlessEngineHost& Boxes() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }

    void SetUp() override
    {
        ASSERT_NE(MonitorId, TSoundPort::NoDevice);
        ASSERT_NE(NullId, TSoundPort::NoDevice);
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TScriptedMain>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).FileIO().WaveFileMode = 0;
        Main->SetCurrentFolder(TMainWin::TmpFolder, Folder.Path.c_str());
        Main->SetCurrentFolder(TMainWin::WavFolder, Folder.Path.c_str());
    }
    // The frame on screen, with the spectrum views when spectrum is set.
    void Open(int opMode, uint16_t channels, uint16_t processing, uint32_t independent, bool spectrum)
    {
        State(Main).OpMode() = opMode;
        State(Main).Settings().Format = TWaveFormat(48000, channels, 2);
        State(Main).Settings().FFTsize = 4096;
        State(Main).Settings().ChannelProcessing = processing;
        State(Main).Settings().IndependentScalingAndCalibration = independent;
        State(Main).ViewStatus().SpectrumPlot = spectrum ? 1 : 0;
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1200, 900, true);
        Pump();
        Boxes().Messages.clear();
    }
    void TearDown() override
    {
        if (Main && Main->GetRunState() != TMainWin::Stopped) Main->StopAnalyzer();
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    // The message loop with its idle passes until count more blocks were processed.
    bool RunBlocks(int count)
    {
        const int target = Main->GetBlocksProcessed() + count;
        const DWORD end = ::GetTickCount() + 20000;
        while (Main->GetBlocksProcessed() < target && ::GetTickCount() < end) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            for (int i = 0; i < 100 && Main->IdleAction(0); ++i) {}
            ::Sleep(2);
        }
        return Main->GetBlocksProcessed() >= target;
    }
    static std::string ViewCaption(TWindow* view)
    {
        char text[128] = {};
        ::GetWindowTextA(view->GetHandle(), text, sizeof text);
        return text;
    }
};

}

// Names match in any letter case over at most 32 characters; no match and
// no name give the first device.
TEST_F(TOptionsCommands, DevicesAreFoundByNameAlsoByTheSettingsReader)
{
    EXPECT_EQ(Main->FindInputDeviceByName("Monitor of Null Output"), int32_t(MonitorId));
    EXPECT_EQ(Main->FindInputDeviceByName("MONITOR OF NULL output"), int32_t(MonitorId));
    EXPECT_EQ(Main->FindOutputDeviceByName("null output"), int32_t(NullId));
    EXPECT_EQ(Main->FindOutputDeviceByName("Null Output and more"), 0);
    EXPECT_EQ(Main->FindInputDeviceByName("Monitor"), 0);
    EXPECT_EQ(Main->FindInputDeviceByName(""), 0);
    EXPECT_EQ(Main->FindInputDeviceByName(nullptr), 0);

    const std::string ini = Folder.File("devices.ini");
    WriteIni(ini, "[Device]\nInputDeviceName=monitor of null output\nInputDeviceID=0\n"
                  "OutputDeviceName=\nOutputDeviceID=1\n");
    Main->ReadSettings(ini.c_str());
    EXPECT_EQ(Main->GetInputDeviceID(), int32_t(MonitorId));
    EXPECT_EQ(Main->GetOutputDeviceID(), 1);
}

// The device dialog's choice re-creates the ports (the same choice leaves
// them); Real Time then shows a tone played into the sink. While it runs, a
// new averaging restarts it on the same port and format, a new rate on the
// same port reformatted.
TEST_F(TOptionsCommands, DevicesAndSettingsWhileRealTimeRuns)
{
    State(Main).InputDeviceID() = State(Main).OutputDeviceID() = 0;
    Open(TMainWin::RealTime, 1, 0, 0, true);
    const auto chooseSink = [this](TDialog& d) {
        Control::Choose(d, TDeviceDialog::InputListId, int(MonitorId));
        Control::Choose(d, TDeviceDialog::OutputListId, int(NullId));
    };
    Main->Script = chooseSink;
    Main->CmDevice();
    ASSERT_EQ(Main->GetInputDeviceID(), int32_t(MonitorId));
    EXPECT_EQ(Main->GetOutputDeviceID(), int32_t(NullId));
    EXPECT_EQ(Main->InputPort()->GetDeviceId(), MonitorId);
    EXPECT_EQ(Main->OutputPort()->GetDeviceId(), NullId);
    EXPECT_EQ(Main->InputPort()->GetSampleRate(), 48000u);
    EXPECT_EQ(Main->OutputPort()->GetSampleRate(), 48000u);
    // Ports that are kept keep a format of their own; new ones would take the settings'.
    TSoundInput* input = Main->InputPort();
    TSoundOutput* output = Main->OutputPort();
    input->SetFormat(8000, 1, 1);
    output->SetFormat(8000, 1, 1);
    Main->CmDevice();
    ASSERT_EQ(Main->InputPort(), input);
    ASSERT_EQ(Main->OutputPort(), output);
    EXPECT_EQ(input->GetSampleRate(), 8000u);
    EXPECT_EQ(output->GetSampleRate(), 8000u);
    input->SetFormat(Main->GetAnalysisSettings().Format);

    TTonePlayer tone(NullId, 48000, 3000.0);
    ASSERT_TRUE(tone.Ok);
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running) << (Boxes().Messages.empty() ? "" : Boxes().Messages[0].Text);
    ASSERT_TRUE(RunBlocks(8));
    EXPECT_NEAR(State(Main).SpectralLeft()->GetPeakFrequency(), 3000.0, 2 * State(Main).SpectralLeft()->GetBinWidth());

    Main->Script = [](TDialog& d) { Control::Choose(d, S::SpeedId, 9); };
    Main->CmSettings();
    EXPECT_EQ(Main->GetAnalysisSettings().AverageBlocks, 10u);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_EQ(Main->InputPort(), input);
    EXPECT_TRUE(Main->InputPort()->IsOpen());
    EXPECT_EQ(Main->InputPort()->GetSampleRate(), 48000u);

    Main->Script = [](TDialog& d) { Control::TypeInCombo(d, S::RateId, "44100"); };
    Main->CmSettings();
    EXPECT_EQ(Main->GetAnalysisSettings().Format.SamplingRate, 44100u);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_EQ(Main->InputPort(), input);
    EXPECT_TRUE(Main->InputPort()->IsOpen());
    EXPECT_EQ(Main->InputPort()->GetSampleRate(), 44100u);
    ASSERT_TRUE(RunBlocks(8));
    EXPECT_NEAR(State(Main).SpectralLeft()->GetPeakFrequency(), 3000.0, 2 * State(Main).SpectralLeft()->GetBinWidth());
    EXPECT_TRUE(Boxes().Messages.empty()) << Boxes().Messages[0].Text;
}

// Channel processing 0 to 2 opens the second spectrum view; switching the
// scaling mode closes and reopens the family with the members it allows,
// and common scaling gives the right channel the left's scales.
TEST_F(TOptionsCommands, SettingsReopenTheViewsTheChannelSetUpCallsFor)
{
    State(Main).Scaling()[0].AmpScaleType = 0;
    State(Main).Scaling()[1].AmpScaleType = 1;
    std::strcpy(State(Main).Scaling()[1].MicCompFilename, "right.mic");
    Open(TMainWin::PostProcess, 2, 0, 1, true);
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    ASSERT_EQ(Main->SpectrumView(1), nullptr);

    Main->Script = [](TDialog& d) { Control::Choose(d, S::ChannelProcessingId, 2); };
    Main->CmSettings();
    EXPECT_EQ(Main->GetAnalysisSettings().ChannelProcessing, 2);
    ASSERT_NE(Main->SpectrumView(1), nullptr);

    Main->SpectrumView(0)->SetCaption("before the switch");
    Main->Script = [](TDialog& d) { Control::Click(d, S::IndependentId); };
    Main->CmSettings();
    EXPECT_EQ(Main->GetAnalysisSettings().IndependentScalingAndCalibration, 0u);
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    EXPECT_NE(ViewCaption(Main->SpectrumView(0)), "before the switch");
    EXPECT_EQ(Main->SpectrumView(1), nullptr);
    EXPECT_EQ(Main->GetScaling(1).AmpScaleType, 0);
    EXPECT_STREQ(Main->GetScaling(1).MicCompFilename, "right.mic");

    Main->CmSettings();
    EXPECT_EQ(Main->GetAnalysisSettings().IndependentScalingAndCalibration, 1u);
    EXPECT_NE(Main->SpectrumView(0), nullptr);
    EXPECT_NE(Main->SpectrumView(1), nullptr);
    EXPECT_EQ(Main->GetViewStatus().SpectrumPlot, 1);
}

// Without engines (a failed allocation) OK still takes the settings and
// rebuilds them; Cancel takes nothing.
TEST_F(TOptionsCommands, SettingsOkWithoutEnginesAppliesAndCancelTakesNothing)
{
    Open(TMainWin::PostProcess, 1, 0, 0, false);
    Main->FreeSpectralData();
    ASSERT_EQ(State(Main).SpectralLeft(), nullptr);
    Main->Script = [](TDialog& d) {
        Control::Choose(d, S::FftSizeId, 6);
        Control::Choose(d, S::SpeedId, 9);
    };
    Main->CmSettings();
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 2048u);
    EXPECT_EQ(Main->GetAnalysisSettings().AverageBlocks, 10u);
    ASSERT_NE(State(Main).SpectralLeft(), nullptr);
    EXPECT_EQ(State(Main).SpectralLeft()->GetFFTSize(), 2048u);

    const AnalysisSettingsStruct before = Main->GetAnalysisSettings();
    Main->Script = [](TDialog& d) {
        Control::Choose(d, S::FftSizeId, 9);
        Control::Type(d, S::DecimationId, "4");
    };
    Main->Confirm = false;
    Main->CmSettings();
    EXPECT_EQ(std::memcmp(&State(Main).Settings(), &before, sizeof before), 0);
}

// Common scaling: after OK and after Cancel alike the right record equals
// the left but for its file. Independent scaling runs the per-channel dialog.
TEST_F(TOptionsCommands, ScalingKeepsTheChannelsTogetherInCommonMode)
{
    Open(TMainWin::PostProcess, 2, 2, 0, true);
    std::strcpy(State(Main).Scaling()[1].MicCompFilename, "right.mic");
    Main->Script = [](TDialog& d) {
        Control::Click(d, TScalingDialog::LinearAmplitudeId);
        Control::Click(d, TScalingDialog::PowerWeightingIds[2]);
    };
    Main->CmScaling();
    EXPECT_EQ(Main->LastDialog, typeid(TScalingDialog));
    EXPECT_EQ(Main->GetScaling(0).AmpScaleType, 0);
    EXPECT_EQ(Main->GetScaling(0).TotalPowerWeighting, 2);
    EXPECT_EQ(Main->GetScaling(1).AmpScaleType, 0);
    EXPECT_EQ(Main->GetScaling(1).TotalPowerWeighting, 2);
    EXPECT_STREQ(Main->GetScaling(1).MicCompFilename, "right.mic");

    State(Main).Scaling()[1].StandardWeighting = 3;
    Main->Script = [](TDialog& d) { Control::Click(d, TScalingDialog::LogAmplitudeId); };
    Main->Confirm = false;
    Main->CmScaling();
    EXPECT_EQ(Main->GetScaling(0).AmpScaleType, 0);
    EXPECT_EQ(Main->GetScaling(1).StandardWeighting, 0);
    EXPECT_STREQ(Main->GetScaling(1).MicCompFilename, "right.mic");

    State(Main).Settings().IndependentScalingAndCalibration = 1;
    Main->Confirm = true;
    Main->Script = [](TDialog& d) { Control::Choose(d, TScalingIndependentDialog::AmplitudeIds[1], 1); };
    Main->CmScaling();
    EXPECT_EQ(Main->LastDialog, typeid(TScalingIndependentDialog));
    EXPECT_EQ(Main->GetScaling(0).AmpScaleType, 0);
    EXPECT_EQ(Main->GetScaling(1).AmpScaleType, 1);
}

// Markers: stored and every open view repainted. Trigger: copied back on OK
// only. Calibration: greyed while a temporary wave file is open.
TEST_F(TOptionsCommands, MarkersTriggerAndTheCalibrationItem)
{
    Open(TMainWin::PostProcess, 1, 0, 0, true);
    Pump();
    HWND view = Main->SpectrumView(0)->GetHandle();
    ASSERT_FALSE(::GetUpdateRect(view, nullptr, FALSE));
    Main->Script = [](TDialog& d) { Control::Click(d, TMarkersDialog::EnableId + 2); };
    Main->CmMarkers();
    EXPECT_EQ(Main->GetMarkers().MarkerEnable[2], 1u);
    EXPECT_TRUE(::GetUpdateRect(view, nullptr, FALSE));

    Main->Script = [](TDialog& d) { Control::Type(d, TTriggerDialog::ThresholdId, "60"); };
    Main->Confirm = false;
    Main->CmTrigger();
    EXPECT_EQ(Main->GetTrigger().Threshold, 25u);
    Main->Confirm = true;
    Main->CmTrigger();
    EXPECT_EQ(Main->GetTrigger().Threshold, 60u);

    HMENU options = nullptr;
    for (int i = 0; !options && i < ::GetMenuItemCount(Main->GetMenu()); ++i) {
        HMENU popup = ::GetSubMenu(Main->GetMenu(), i);
        if (popup && ::GetMenuState(popup, CM_CALIBRATION, MF_BYCOMMAND) != UINT(-1)) options = popup;
    }
    ASSERT_NE(options, nullptr);
    for (const bool temporary : {true, false}) {
        Main->MarkTemporaryWave(temporary);
        Main->SendMessage(WM_INITMENUPOPUP, WPARAM(options), 0);
        EXPECT_EQ((::GetMenuState(options, CM_CALIBRATION, MF_BYCOMMAND) & MF_GRAYED) != 0, temporary);
    }
}

// A -6.02 dBFS tone played into the sink measures half of full scale from its
// monitor, through the capture alone and through the dialog's button.
TEST_F(TOptionsCommands, CalibrationMeasuresTheLiveInput)
{
    Open(TMainWin::RealTime, 2, 0, 0, false);
    Main->TakeDevices(int32_t(MonitorId), int32_t(NullId));
    TTonePlayer tone(NullId, 48000, 1000.0, 0.5, 0.5);
    ASSERT_TRUE(tone.Ok);
    ::Sleep(300);

    TWaveData capture;
    ASSERT_EQ(Main->AcquireCalibrationSignal(2, &capture), 1);
    EXPECT_EQ(capture.GetFrameCount(), 48000u + 32768u);
    CalibrationStruct record{};
    Main->MeasureCalibrationLevel(2, &capture, record);
    EXPECT_NEAR(record.Left.PctFullScale, 0.5, 0.02);
    EXPECT_NEAR(record.Right.PctFullScale, 0.5, 0.02);

    Main->Script = [](TDialog& d) {
        Control::Press(d, IDC_CALIBRATION_DEFAULTS);
        Control::Press(d, IDC_CALIBRATION_MEASURE_INPUT);
        EXPECT_NEAR(std::stod(Control::Text(d, IDC_CALIBRATION_LEFT_DETECTED)), 50.0, 2.0);
        EXPECT_TRUE(Control::Checked(d, IDC_CALIBRATION_ENABLE));
        ::RedrawWindow(d.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        EXPECT_TRUE(SaveWindowImage(d.GetHandle(), std::string(TONALYX_SHOTS) + "/calibration.bmp"));
    };
    Main->SendMessage(WM_COMMAND, CM_CALIBRATION, 0);
    EXPECT_EQ(Main->LastDialog, std::type_index(typeid(TCalibrationBasicDialog)));
    EXPECT_NEAR(Main->GetCalibration().Right.PctFullScale, 0.5, 0.02);
    EXPECT_NEAR(Main->GetCalibration().Left.CalRatio, std::sqrt(2.0) / Main->GetCalibration().Left.PctFullScale, 1e-3);
    EXPECT_TRUE(Boxes().Messages.empty());
}

TEST_F(TOptionsCommands, CalibrationCaptureOfTheRightChannelInMonoFailsAtOnce)
{
    Open(TMainWin::RealTime, 1, 0, 0, false);
    TWaveData capture;
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(Main->AcquireCalibrationSignal(1, &capture), 0);
    EXPECT_LT(::GetTickCount() - start, 100u);
    EXPECT_EQ(capture.GetFrameCount(), 0u);
}
