// The Calibration command and its two dialogs on their templates, over a main
// window whose file dialogs answer from a queue; levels measured from the
// numpy tones.
#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <cstring>
#include <deque>
#include <fstream>
#include <functional>
#include <string>
#include <typeindex>
#include "base/THeadlessEngineHost.h"
#include "dialogs/TCalibrationBasicDialog.h"
#include "dialogs/TCalibrationForm.h"
#include "dialogs/TCalibrationIndependentDialog.h"
#include "framework/TCommandEnabler.h"
#include "tests/engine/Fixture.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

using namespace Control;
template <typename T> T Value(T field) { return field; }

THeadlessEngineHost& Boxes() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }

bool Shown(const std::string& text)
{
    for (const auto& m : Boxes().Messages)
        if (m.Text == text) return true;
    return false;
}

// A main window whose dialogs run modeless through a script, then OK unless
// the script closed them; file dialogs answer from a queue (empty: Cancel).
class TCalibrationMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::function<void(TDialog&)> Script;
    std::type_index LastDialog = typeid(void);
    std::deque<std::string> Choices;
    std::vector<std::string> Titles;
    std::vector<DWORD> Flags;

    int ExecuteDialog(TDialog& dialog) override
    {
        LastDialog = typeid(dialog);
        if (!dialog.Create()) return -1;
        if (Script) Script(dialog);
        if (!dialog.GetHandle()) return IDOK;
        if (Ok(dialog)) return IDOK;
        dialog.Destroy();
        return IDCANCEL;
    }
    int RunFileDialog(TOpenSaveDialog::TData& data, const char* title, bool) override
    {
        Titles.push_back(title);
        Flags.push_back(data.Flags);
        const std::string choice = Choices.empty() ? "" : Choices.front();
        if (!Choices.empty()) Choices.pop_front();
        if (choice.empty()) return IDCANCEL;
        data.FileName = choice;
        return IDOK;
    }
};

std::string Tone(const char* name) { return std::string(TONALYX_FIXTURES) + "/calibration/" + name; }

// The ratio numpy gives 1 V rms at half scale.
double DefaultRatio()
{
    for (const auto& r : ReadFixture("calibration_ratio.txt"))
        if (r[0] == 1 && r[1] == 0 && r[2] == 1.0 && r[3] == 0.5) return r[4];
    return 0.0;
}

struct TCalibrationCommand : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TCalibrationMain> Main;

    void SetUp() override
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TCalibrationMain>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(*Main).ViewStatus() = ViewStatusFlags{};
        State(*Main).OpMode() = TMainWin::PostProcess;
        for (int f : {TMainWin::WavFolder, TMainWin::TmpFolder, TMainWin::CalFolder}) {
            Main->SetConfiguredFolder(f, Folder.Path.c_str());
            Main->SetCurrentFolder(f, Folder.Path.c_str());
        }
        ASSERT_TRUE(Main->Create());
        Boxes().Messages.clear();
        Boxes().Reply = TEngineHost::AnswerOk;
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    void Run(uint32_t independent, std::function<void(TDialog&)> script)
    {
        State(*Main).Settings().IndependentScalingAndCalibration = independent;
        Main->Script = std::move(script);
        Main->SendMessage(WM_COMMAND, CM_CALIBRATION, 0);
    }
};

}

TEST_F(TCalibrationCommand, F9OpensTheDialogOfTheScalingModeAndIsGreyForATemporaryWave)
{
    Run(0, nullptr);
    EXPECT_EQ(Main->LastDialog, std::type_index(typeid(TCalibrationBasicDialog)));
    Run(1, nullptr);
    EXPECT_EQ(Main->LastDialog, std::type_index(typeid(TCalibrationIndependentDialog)));

    TCommandEnabler before(CM_CALIBRATION), temporary(CM_CALIBRATION);
    Main->CeCalibration(before);
    Main->MarkTemporaryWave(true);
    Main->CeCalibration(temporary);
    EXPECT_TRUE(before.Enabled);
    EXPECT_FALSE(temporary.Enabled);
}

TEST_F(TCalibrationCommand, LabelsFollowEveryUnitAndDisplayType)
{
    Run(0, [](TDialog& d) {
        for (int u = 0; u < TCalibrationForm::UnitCount; ++u) {
            const uint32_t code = TCalibrationForm::Units[u].Code;
            Choose(d, IDC_CALIBRATION_UNITS, u);
            EXPECT_EQ(Count(d, IDC_CALIBRATION_CONVERSION), code == UnitAcceleration ? 9 : 1);
            EXPECT_EQ(Enabled(d, IDC_CALIBRATION_CONVERSION), code == UnitAcceleration);
            for (int type = 0; type < 3; ++type) {
                SCOPED_TRACE(TCalibrationForm::Units[u].Text + std::string(" ") + std::to_string(type));
                Choose(d, IDC_CALIBRATION_LABEL_TYPE, type);
                const TCalibrationForm::TLabels expected = TCalibrationForm::LabelsOf(code, 0, type);
                EXPECT_EQ(Text(d, IDC_CALIBRATION_LINEAR), expected.Linear);
                EXPECT_EQ(Text(d, IDC_CALIBRATION_LOG), expected.Log);
            }
        }
        Choose(d, IDC_CALIBRATION_UNITS, TCalibrationForm::IndexOfCode(TCalibrationForm::Units, 12, UnitPsi));
        Choose(d, IDC_CALIBRATION_LABEL_TYPE, 0);
        EXPECT_EQ(Text(d, IDC_CALIBRATION_LINEAR), "Pressure (psi) Peak");
        Choose(d, IDC_CALIBRATION_UNITS, TCalibrationForm::IndexOfCode(TCalibrationForm::Units, 12, UnitCustom));
        EXPECT_EQ(Text(d, IDC_CALIBRATION_LINEAR), "");
        EXPECT_EQ(Text(d, IDC_CALIBRATION_LOG), "");
        Choose(d, IDC_CALIBRATION_UNITS, TCalibrationForm::IndexOfCode(TCalibrationForm::Units, 12, UnitAcceleration));
        Choose(d, IDC_CALIBRATION_CONVERSION, 2);
        Choose(d, IDC_CALIBRATION_LABEL_TYPE, 1);
        EXPECT_EQ(Text(d, IDC_CALIBRATION_LINEAR), "Velocity (in/sec) rms");
        EXPECT_EQ(Text(d, IDC_CALIBRATION_LOG), "Velocity (in/sec dB) rms");
        d.Destroy();
    });
}

TEST_F(TCalibrationCommand, NegativeLevelInALinearUnitKeepsTheDialogOpenAndStoresNothing)
{
    State(*Main).Calibration().Left.RefLevel = 2.0f;
    const CalibrationStruct before = Main->GetCalibration();
    bool stayedOpen = false;
    Run(0, [&](TDialog& d) {
        Choose(d, IDC_CALIBRATION_UNITS, 0);  // Volts
        Type(d, IDC_CALIBRATION_LEVEL, "-10");
        stayedOpen = !Ok(d);
        d.Destroy();
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(Shown(TCalibrationForm::NegativeLevelMessage));
    EXPECT_EQ(std::memcmp(&before, &Main->GetCalibration(), sizeof before), 0);

    Boxes().Messages.clear();
    Run(0, [](TDialog& d) {
        Choose(d, IDC_CALIBRATION_UNITS, TCalibrationForm::IndexOfCode(TCalibrationForm::Units, 12, UnitDbv));
        Type(d, IDC_CALIBRATION_LEVEL, "-10");
    });
    EXPECT_TRUE(Boxes().Messages.empty());
    EXPECT_FLOAT_EQ(Value(Main->GetCalibration().Left.RefLevel), -10.0f);
    EXPECT_EQ(Value(Main->GetCalibration().Right.RefUnits), uint32_t(UnitDbv));
}

TEST_F(TCalibrationCommand, DefaultsAndOkStoreOneVoltRmsAtHalfScaleOnBothChannels)
{
    for (uint32_t independent : {0u, 1u}) {
        SCOPED_TRACE(independent);
        State(*Main).Calibration() = CalibrationStruct{};
        Run(independent, [](TDialog& d) { Press(d, IDC_CALIBRATION_DEFAULTS); });
        const CalibrationStruct& c = Main->GetCalibration();
        for (const CalibrationChannel* block : {&c.Left, &c.Right}) {
            EXPECT_FLOAT_EQ(Value(block->RefLevel), 1.0f);
            EXPECT_EQ(Value(block->RefUnits), uint32_t(UnitVolts));
            EXPECT_EQ(Value(block->RefType), 1);
            EXPECT_FLOAT_EQ(Value(block->PctFullScale), 0.5f);
            EXPECT_EQ(Value(block->IsEnabled), 1u);
            EXPECT_STREQ(block->LabelLinear, "Volts rms");
            EXPECT_STREQ(block->LabelLog, "dBV rms");
            EXPECT_NEAR(Value(block->CalRatio), DefaultRatio(), 1e-5);
        }
        EXPECT_STREQ(c.Left.ChannelName, "Left");
        EXPECT_STREQ(c.Right.ChannelName, "Right");
    }
    EXPECT_NEAR(DefaultRatio(), 2.828427, 1e-6);
}

TEST_F(TCalibrationCommand, WaveFileMeasurementShowsTheLevelOrSaysWhyNot)
{
    Main->Choices = {Tone("one_second_mono.wav"), Tone("half_scale_stereo.wav"), Tone("clipped_mono.wav")};
    Run(0, [](TDialog& d) {
        Press(d, IDC_CALIBRATION_MEASURE_FILE);
        EXPECT_TRUE(Shown(TCalibrationForm::ShortFileMessage));
        EXPECT_TRUE(Enabled(d, IDC_CALIBRATION_MEASURE_FILE));
        EXPECT_TRUE(Enabled(d, IDC_CALIBRATION_MEASURE_INPUT));

        Press(d, IDC_CALIBRATION_MEASURE_FILE);
        EXPECT_NEAR(std::stod(Text(d, IDC_CALIBRATION_LEFT_DETECTED)), 50.0, 0.5);
        EXPECT_NEAR(std::stod(Text(d, IDC_CALIBRATION_RIGHT_DETECTED)), 50.0, 0.5);
        EXPECT_TRUE(Checked(d, IDC_CALIBRATION_ENABLE));

        Boxes().Messages.clear();
        Press(d, IDC_CALIBRATION_MEASURE_FILE);
        EXPECT_TRUE(Shown(TCalibrationForm::OverloadMessage));
        EXPECT_EQ(Text(d, IDC_CALIBRATION_LEFT_DETECTED), "100.0000");
    });
    EXPECT_EQ(Main->Titles, (std::vector<std::string>{"Open Wave File", "Open Wave File", "Open Wave File"}));
    EXPECT_EQ(Value(Main->GetCalibration().Right.PctFullScale), 1.0f);
}

TEST_F(TCalibrationCommand, LoadingAMissingFileLeavesEnableClear)
{
    State(*Main).Calibration().Left.IsEnabled = 1;
    Main->Choices = {Folder.File("missing.cal")};
    Run(0, [](TDialog& d) {
        Press(d, IDC_CALIBRATION_LOAD);
        EXPECT_FALSE(Checked(d, IDC_CALIBRATION_ENABLE));
    });
    EXPECT_EQ(Value(Main->GetCalibration().Left.IsEnabled), 0u);
    EXPECT_EQ(Main->Titles, std::vector<std::string>{"Open Calibration File"});
}

TEST_F(TCalibrationCommand, SavingUnderANewNameWritesACalibrationFile)
{
    const std::string saved = std::string(TONALYX_SHELL_OUT) + "\\saved.cal";
    ::DeleteFileA(saved.c_str());
    Main->Choices = {saved};
    Run(1, [](TDialog& d) {
        Press(d, IDC_CALIBRATION_DEFAULTS);
        Choose(d, IDC_CALIBRATION_RIGHT_UNITS, TCalibrationForm::IndexOfCode(TCalibrationForm::Units, 12, UnitDbu));
        Press(d, IDC_CALIBRATION_SAVE);
    });
    ASSERT_EQ(Main->Flags.size(), 1u);
    EXPECT_EQ(Main->Flags[0] & OFN_FILEMUSTEXIST, 0u);
    EXPECT_NE(::GetFileAttributesA(saved.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_STREQ(Main->GetCalibration().Filename, saved.c_str());
}

TEST_F(TCalibrationCommand, IndependentChannelsKeepTheirOwnUnitsAndMeasurements)
{
    State(*Main).Settings().Format = TWaveFormat(44100, 1, 2);
    CalibrationStruct& start = State(*Main).Calibration();
    start.Left.RefLevel = 2.0f;
    start.Left.RefUnits = UnitPascalsAir;
    start.Left.RefType = 0;
    start.Left.PctFullScale = 0.25f;
    start.Left.IsEnabled = 1;
    std::strcpy(start.Left.LabelLinear, "Pascals peak");
    std::strcpy(start.Left.LabelLog, "SPL (dB re 20uPA) peak");
    std::strcpy(start.Left.ChannelName, "Mic");
    const CalibrationChannel left = start.Left;
    Main->Choices = {Tone("half_scale_stereo.wav")};
    Run(1, [](TDialog& d) {
        Press(d, IDC_CALIBRATION_RIGHT_MEASURE_INPUT);
        EXPECT_TRUE(Shown(TCalibrationForm::StereoMessage));
        Choose(d, IDC_CALIBRATION_RIGHT_UNITS, TCalibrationForm::IndexOfCode(TCalibrationForm::Units, 12, UnitDbv));
        Choose(d, IDC_CALIBRATION_RIGHT_LABEL_TYPE, 1);
        Type(d, IDC_CALIBRATION_RIGHT_LEVEL, "-6");
        Press(d, IDC_CALIBRATION_RIGHT_MEASURE_FILE);
        EXPECT_TRUE(Checked(d, IDC_CALIBRATION_RIGHT_ENABLE));
        EXPECT_EQ(Text(d, IDC_CALIBRATION_LEFT_LINEAR), "Pascals peak");
        EXPECT_EQ(Text(d, IDC_CALIBRATION_RIGHT_LINEAR), "Volts rms");
    });
    const CalibrationStruct& c = Main->GetCalibration();
    CalibrationChannel expectedLeft = left;
    ComputeCalibrationRatio(State(*Main).Calibration());
    expectedLeft.CalRatio = c.Left.CalRatio;
    EXPECT_EQ(std::memcmp(&expectedLeft, &c.Left, sizeof expectedLeft), 0);
    EXPECT_NEAR(Value(c.Left.CalRatio), 2.0 / 0.25, 1e-4);
    EXPECT_EQ(Value(c.Right.RefUnits), uint32_t(UnitDbv));
    EXPECT_NEAR(Value(c.Right.PctFullScale), 0.5, 0.005);
    EXPECT_NEAR(Value(c.Right.CalRatio), std::sqrt(2.0) * std::pow(10.0, -6.0 / 20) / c.Right.PctFullScale, 1e-4);
}
