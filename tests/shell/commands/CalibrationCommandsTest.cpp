// The compensation, calibration and trigger commands on a main window object:
// each command's answer and what it leaves in the scaling, trigger and
// calibration records, the run and the files.
#include <functional>
#include <string>
#include "tests/shell/commands/CommandTestMain.h"

namespace {

struct TCalibrationCommands : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Mic = Folder.File("mic");
    std::string Cal = Folder.File("cal");
    std::unique_ptr<TMainWin> Main;
    // Blocks analysed before the command: a restart counts from 0 again.
    int32_t Blocks = 0;

    void SetUp() override
    {
        Main = NewQuietMain(Program);
        ::CreateDirectoryA(Mic.c_str(), nullptr);
        ::CreateDirectoryA(Cal.c_str(), nullptr);
        Main->SetConfiguredFolder(TMainWin::MicFolder, Mic.c_str());
        Main->SetConfiguredFolder(TMainWin::CalFolder, Cal.c_str());
        // A compensation curve in the overlay format the spectra read.
        ::CopyFileA(TONALYX_FIXTURES "/views/overlay_curve.ovl", (Mic + "\\flat.mic").c_str(), FALSE);
    }
    // The stereo sox tone running in Post Process, a few blocks analysed.
    void Running()
    {
        ASSERT_NO_FATAL_FAILURE(
            OpenInPostProcess(*Main, "automation/tone_1k_h3.wav", TWaveFormat(48000, 2, 2), 4096, Folder.Path));
        Main->StartAnalyzer();
        ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
        for (int i = 0; i < 3; ++i) Main->IdleAction(0);
        Blocks = Main->GetBlocksProcessed();
        ASSERT_GT(Blocks, 1);
    }
    void Independent() { State(Main).Settings().IndependentScalingAndCalibration = 1; }
    // A .cal file written through the profile functions, not through ours.
    std::string CalFile(const char* name, const char* refLevel)
    {
        const std::string path = Cal + "\\" + name;
        ::WritePrivateProfileStringA("Calibration", "RefLevel", refLevel, path.c_str());
        ::WritePrivateProfileStringA("Calibration", "PctFullScaleLeft", "0.25", path.c_str());
        return path;
    }
};

struct TCase {
    std::string Command;
    std::function<void(TCalibrationCommands&)> Prepare;
    uint32_t Answer;
    std::function<void(TCalibrationCommands&, TMainWin&)> Check;
};

using T = TCalibrationCommands;

void ExpectMic(const TMainWin& m, uint32_t left, uint32_t right)
{
    EXPECT_EQ(m.GetScaling(0).MicCompEnable, left);
    EXPECT_EQ(m.GetScaling(1).MicCompEnable, right);
}

}  // namespace

TEST_F(TCalibrationCommands, CommandsAnswerAndAct)
{
    const auto none = [](T&) {};
    const auto bothOn = [](T& t) { State(t.Main).Scaling()[0].MicCompEnable = State(t.Main).Scaling()[1].MicCompEnable = 1; };
    const std::string longName = std::string(250, 'n') + ".mic";
    const TCase cases[] = {
        // Compensation files: relative to the compensation folder, both or one channel.
        {"[Set Mic Compensation File flat.mic]", none, Done, [](T& t, TMainWin& m) {
             ExpectMic(m, 1, 1);
             EXPECT_EQ(std::string(m.GetScaling(0).MicCompFilename), t.Mic + "\\flat.mic");
             EXPECT_EQ(std::string(m.GetScaling(1).MicCompFilename), t.Mic + "\\flat.mic");
         }},
        // A name with a drive is used as it is.
        {"[Set Mic Compensation File " + Folder.File("mic\\flat.mic") + "]", none, Done, [](T& t, TMainWin& m) {
             EXPECT_EQ(std::string(m.GetScaling(0).MicCompFilename), t.Mic + "\\flat.mic");
         }},
        // Only its own channel, even while the channels share their scaling.
        {"[Set Left Mic Compensation File flat.mic]", none, Done, [](T& t, TMainWin& m) {
             ExpectMic(m, 1, 0);
             EXPECT_EQ(std::string(m.GetScaling(0).MicCompFilename), t.Mic + "\\flat.mic");
             EXPECT_STREQ(m.GetScaling(1).MicCompFilename, "");
         }},
        {"[Set Right Mic Compensation File-flat.mic]", none, Done, [](T& t, TMainWin& m) {
             ExpectMic(m, 0, 1);
             EXPECT_EQ(std::string(m.GetScaling(1).MicCompFilename), t.Mic + "\\flat.mic");
         }},
        // A file that is not there, and a joined path over 259 characters, change nothing.
        {"[Set Mic Compensation File absent.mic]", none, 0, [](T&, TMainWin& m) {
             ExpectMic(m, 0, 0);
             EXPECT_STREQ(m.GetScaling(0).MicCompFilename, "");
         }},
        {"[Set Mic Compensation File " + longName + "]", none, 0, [](T&, TMainWin& m) { ExpectMic(m, 0, 0); }},
        // The switches: one channel is both while shared, its own when independent.
        {"[Enable Mic Compensation]", none, Done, [](T&, TMainWin& m) { ExpectMic(m, 1, 1); }},
        {"[Enable Left Mic Compensation]", none, Done, [](T&, TMainWin& m) { ExpectMic(m, 1, 1); }},
        {"[Enable Left Mic Compensation]", [](T& t) { t.Independent(); }, Done, [](T&, TMainWin& m) { ExpectMic(m, 1, 0); }},
        {"[Enable Right Mic", [](T& t) { t.Independent(); }, Done, [](T&, TMainWin& m) { ExpectMic(m, 0, 1); }},
        {"[Disable Right Mic Compensation]", bothOn, Done, [](T&, TMainWin& m) { ExpectMic(m, 0, 0); }},
        {"[Disable Left Mic Compensation]", [=](T& t) { bothOn(t); t.Independent(); }, Done,
         [](T&, TMainWin& m) { ExpectMic(m, 0, 1); }},
        {"[Disable Mic Compensation]", bothOn, Done, [](T&, TMainWin& m) { ExpectMic(m, 0, 0); }},
        {"[MicCompensation Enable]", none, Done, [](T&, TMainWin& m) { ExpectMic(m, 1, 1); }},
        {"[miccompensation disable]", bothOn, Done, [](T&, TMainWin& m) { ExpectMic(m, 0, 0); }},
        {"[MicCompensation Enable", none, 0, [](T&, TMainWin& m) { ExpectMic(m, 0, 0); }},
        // Ambient compensation names the two files the capture writes.
        {"[Ambient Compensate Enable]", [](T& t) {
             for (const char* f : {"\\AmbientLeft.mic", "\\AmbientRight.mic"})
                 ::CopyFileA((t.Mic + "\\flat.mic").c_str(), (t.Mic + f).c_str(), FALSE);
         }, Done, [](T& t, TMainWin& m) {
             ExpectMic(m, 1, 1);
             EXPECT_EQ(std::string(m.GetScaling(0).MicCompFilename), t.Mic + "\\AmbientLeft.mic");
             EXPECT_EQ(std::string(m.GetScaling(1).MicCompFilename), t.Mic + "\\AmbientRight.mic");
         }},
        {"[Ambient Compensate Enable]", [](T& t) { ::DeleteFileA((t.Mic + "\\AmbientRight.mic").c_str()); }, 0,
         [](T&, TMainWin& m) { ExpectMic(m, 0, 0); }},
        {"[Ambient Compensate Disable]", bothOn, Done, [](T&, TMainWin& m) { ExpectMic(m, 0, 0); }},
        // Without capture blocks there is nothing to measure.
        {"[Ambient Compensate]", none, Done, [](T&, TMainWin& m) { ExpectMic(m, 0, 0); }},
        // The trigger.
        {"[Trigger On]", none, Done, [](T&, TMainWin& m) { EXPECT_EQ(m.GetTrigger().Enable, 1u); }},
        {"[Trigger Off]", [](T& t) { State(t.Main).Trigger().Enable = 1; }, Done,
         [](T&, TMainWin& m) { EXPECT_EQ(m.GetTrigger().Enable, 0u); }},
        {"[Trigger ReArm Off]", none, Done, [](T&, TMainWin& m) { EXPECT_EQ(m.GetTrigger().Mode, 1u); }},
        {"[Trigger ReArm On]", [](T& t) { State(t.Main).Trigger().Mode = 1; }, Done,
         [](T&, TMainWin& m) { EXPECT_EQ(m.GetTrigger().Mode, 0u); }},
        {"[Trigger Threshold 40]", none, Done, [](T&, TMainWin& m) { EXPECT_EQ(m.GetTrigger().Threshold, 40u); }},
        {"[Trigger Threshold -5]", none, Done, [](T&, TMainWin& m) { EXPECT_EQ(m.GetTrigger().Threshold, 0u); }},
        {"[Trigger Threshold 250]", none, Done, [](T&, TMainWin& m) { EXPECT_EQ(m.GetTrigger().Threshold, 100u); }},
        // Calibration on and off: a change stops, applies and restarts; no change leaves the run alone.
        {"[Enable Calibration]", [](T& t) {
             t.Running();
             State(t.Main).Calibration().Left.IsEnabled = State(t.Main).Calibration().Right.IsEnabled = 1;
         }, Done, [](T& t, TMainWin& m) {
             EXPECT_EQ(m.GetRunState(), TMainWin::Running);
             EXPECT_EQ(m.GetBlocksProcessed(), t.Blocks);
         }},
        {"[Enable Calibration]", [](T& t) { t.Running(); }, Done, [](T& t, TMainWin& m) {
             EXPECT_EQ(m.GetCalibration().Left.IsEnabled, 1u);
             EXPECT_EQ(m.GetCalibration().Right.IsEnabled, 1u);
             EXPECT_EQ(m.GetRunState(), TMainWin::Running);
             EXPECT_LT(m.GetBlocksProcessed(), t.Blocks);
         }},
        {"[Disable Calibration]", [](T& t) { t.Running(); State(t.Main).Calibration().Right.IsEnabled = 1; }, Done,
         [](T& t, TMainWin& m) {
             EXPECT_EQ(m.GetCalibration().Left.IsEnabled, 0u);
             EXPECT_EQ(m.GetCalibration().Right.IsEnabled, 0u);
             EXPECT_EQ(m.GetRunState(), TMainWin::Running);
             EXPECT_LT(m.GetBlocksProcessed(), t.Blocks);
         }},
        {"[Disable Cal", [](T& t) { t.Running(); }, Done,
         [](T& t, TMainWin& m) { EXPECT_EQ(m.GetBlocksProcessed(), t.Blocks); }},
        // Calibration files, relative to the calibration folder.
        {"[Save Calibration saved.cal]", [](T& t) { State(t.Main).Calibration().Left.RefLevel = 3.5f; }, Done,
         [](T& t, TMainWin& m) {
             char text[32] = {};
             ::GetPrivateProfileStringA("Calibration", "RefLevel", "", text, sizeof text, (t.Cal + "\\saved.cal").c_str());
             EXPECT_FLOAT_EQ(std::stof(text), 3.5f);
             EXPECT_EQ(std::string(m.GetCalibration().Filename), t.Cal + "\\saved.cal");
         }},
        // A folder that cannot be made: a file of that name is in the way.
        {"[Save Calibration " + Folder.File("blocked\\saved.cal") + "]",
         [](T& t) { std::ofstream(t.Folder.File("blocked")) << "x"; }, 0, [](T&, TMainWin&) {}},
        {"[Save Calibration " + std::string(260, 'c') + ".cal]", none, 0, [](T&, TMainWin&) {}},
        // A load is applied: the wave takes the new ratio and the run goes on.
        {"[Load Calibration good.cal]", [](T& t) {
             t.CalFile("good.cal", "2.0");
             t.Running();
             State(t.Main).Calibration().Left.IsEnabled = 1;
         }, Done, [](T& t, TMainWin& m) {
             EXPECT_EQ(std::string(m.GetCalibration().Filename), t.Cal + "\\good.cal");
             EXPECT_FLOAT_EQ(m.GetCalibration().Left.RefLevel, 2.0f);
             EXPECT_NE(m.GetCalibration().Left.CalRatio, 1.0f);
             EXPECT_FLOAT_EQ(m.Wave()->GetCalibration(0), m.GetCalibration().Left.CalRatio);
             EXPECT_EQ(m.GetRunState(), TMainWin::Running);
             EXPECT_LT(m.GetBlocksProcessed(), t.Blocks);
         }},
        {"[Load Calibration absent.cal]", [](T& t) { State(t.Main).Calibration().Left.IsEnabled = 1; }, 0,
         [](T&, TMainWin& m) {
             EXPECT_EQ(m.GetCalibration().Left.IsEnabled, 0u);
             ASSERT_EQ(Messages().size(), 1u);
             EXPECT_NE(Messages()[0].Text.find("absent.cal"), std::string::npos);
         }},
        {"[Load Calibration " + std::string(260, 'c') + ".cal]", none, 0, [](T&, TMainWin&) {}},
        {"[Load Calibration ]", none, 0, [](T&, TMainWin&) {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Command.substr(0, 60));
        SetUp();
        c.Prepare(*this);
        Messages().clear();
        EXPECT_EQ(Main->ExecuteCommand(c.Command), c.Answer);
        c.Check(*this, *Main);
        if (Main->Wave()) Main->Wave()->Changed = 0;
    }
}
