// The marker and file commands on a main window with its frame: markers of
// the spectrum views, and files opened by their final extension, saved,
// closed, deleted, decimated and merged by name, with answer 0 whenever the
// named file could not be read or written.
#include <fstream>
#include <string>
#include "automation/TMacro.h"
#include "engine/CalibrationStruct.h"
#include "tests/shell/commands/CommandTestMain.h"

namespace {

struct TFileCommands : TCommandTestMain {
    MarkerSettings& Markers() { return State(Main).Markers(); }
    void Copy(const char* fixture, const char* name)
    {
        ::CopyFileA(Fixture(fixture).c_str(), File(name).c_str(), FALSE);
    }
    // A calibration file whose left channel is on at a level of its own.
    void CalibrationFile(const char* name)
    {
        CalibrationStruct record = Main->GetCalibration();
        record.Left.IsEnabled = 1;
        record.Left.RefLevel = 2.5f;
        Main->WriteCalibrationFile(File(name).c_str(), record);
        State(Main).Calibration().Left.IsEnabled = 0;
        State(Main).Calibration().Left.RefLevel = 1.0f;
    }
    void Write(const char* name, const char* text) { std::ofstream(File(name), std::ios::binary) << text; }
    // Idle passes, with the posted messages between them, until done says so.
    template <class Done> bool IdleUntil(Done done)
    {
        for (int i = 0; i < 200 && !done(); ++i) {
            Main->IdleAction(0);
            Pump();
        }
        return done();
    }
};

using TCase = TCommandCase<TFileCommands>;
using T = TFileCommands;

}  // namespace

TEST_F(TFileCommands, MarkersTakeNumbersOneToEight)
{
    const TCase cases[] = {
        {"[Set Marker 1 1000]", nullptr, Done, [](T& t) { EXPECT_EQ(t.Markers().MarkerFreq[0], 1000.0f); }},
        // No range check on the frequency; marker 9 does not exist.
        {"[Set Marker 8 96000.5]", nullptr, Done, [](T& t) { EXPECT_EQ(t.Markers().MarkerFreq[7], 96000.5f); }},
        {"[Set Marker 9 100]", nullptr, 0, [](T& t) { EXPECT_EQ(t.Markers().MarkerFreq[7], 6000.0f); }},
        {"[Set Marker 0 100]", nullptr, 0, nullptr},
        {"[Show Marker 4]", nullptr, Done, [](T& t) { EXPECT_EQ(t.Markers().MarkerEnable[3], 1u); }},
        {"[Hide Marker 4]", [](T& t) { t.Markers().MarkerEnable[3] = 1; }, Done,
         [](T& t) { EXPECT_EQ(t.Markers().MarkerEnable[3], 0u); }},
        {"[Show Marker 9]", nullptr, 0, [](T& t) {
             for (uint32_t enabled : t.Markers().MarkerEnable) EXPECT_EQ(enabled, 0u);
         }},
        // The quick markers move only inside (0, Nyquist).
        {"[Marker2 1500]", [](T& t) { t.Open(); }, Done,
         [](T& t) { EXPECT_EQ(t.Markers().MarkerFreq[1], 1500.0f); }},
        {"[Marker2 30000]", [](T& t) { State(t.Main).Settings().Format.SamplingRate = 44100; }, Done,
         [](T& t) { EXPECT_EQ(t.Markers().MarkerFreq[1], 2000.0f); }},
        {"[Marker2 0]", nullptr, Done, [](T& t) { EXPECT_EQ(t.Markers().MarkerFreq[1], 2000.0f); }},
        {"[Marker6 22049]", [](T& t) { State(t.Main).Settings().Format.SamplingRate = 44100; }, Done,
         [](T& t) { EXPECT_EQ(t.Markers().MarkerFreq[5], 22049.0f); }},
    };
    RunCases(static_cast<T&>(*this), cases);
}

TEST_F(TFileCommands, FileOpenActsByTheFinalExtension)
{
    const TCase cases[] = {
        {"[File Open tone.wav]", [](T& t) { t.Copy("automation/tone_1k_h3.wav", "tone.wav"); }, Done, [](T& t) {
             ASSERT_NE(t.Main->Wave(), nullptr);
             EXPECT_EQ(t.Main->Wave()->FileName(), t.File("TONE.WAV"));
             EXPECT_EQ(t.Main->GetAnalysisSettings().Format.NumChannels, 2);
             EXPECT_EQ(t.Main->Paused, 500u);
         }},
        {"[File Open tone.wav]",
         [](T& t) {
             t.Copy("automation/tone_1k_h3.wav", "tone.wav");
             State(t.Main).OpMode() = TMainWin::RealTime;
         },
         Done, [](T& t) { EXPECT_EQ(t.Main->Wave(), nullptr); }},
        {"[File Open missing.wav]", nullptr, 0, [](T& t) {
             EXPECT_EQ(t.Main->Wave(), nullptr);
             EXPECT_EQ(Host().Messages.size(), 1u);
         }},
        // A point in a folder's name is no extension.
        {"", [](T& t) { t.Copy("automation/tone_1k_h3.wav", "run.mac.wav"); }, Done, [](T& t) {
             EXPECT_NE(t.Main->Wave(), nullptr);
             EXPECT_EQ(t.Main->MacroWindow(), nullptr);
         }},
        {"[File Open curve.ovl]", [](T& t) { t.Copy("views/overlay_curve.ovl", "curve.ovl"); }, Done, [](T& t) {
             EXPECT_EQ(t.Main->GetScaling(0).MicCompEnable, 1u);
             EXPECT_EQ(t.Main->GetScaling(1).MicCompEnable, 1u);
             EXPECT_EQ(std::string(t.Main->GetScaling(0).MicCompFilename), t.File("CURVE.OVL"));
             EXPECT_STREQ(t.Main->GetScaling(1).MicCompFilename, "");
         }},
        {"[File Open curve.mic]", [](T& t) { t.Copy("views/overlay_curve.ovl", "curve.mic"); }, Done, [](T& t) {
             EXPECT_EQ(std::string(t.Main->GetScaling(1).MicCompFilename), t.File("CURVE.MIC"));
             EXPECT_EQ(t.Main->GetScaling(1).MicCompEnable, 1u);
         }},
        {"[File Open missing.mic]", nullptr, 0, [](T& t) { EXPECT_EQ(t.Main->GetScaling(0).MicCompEnable, 0u); }},
        // A calibration is read, applied, and the analyser runs on.
        {"[File Open left.cal]",
         [](T& t) {
             t.CalibrationFile("left.cal");
             t.Open();
             t.Main->StartAnalyzer();
         },
         Done, [](T& t) {
             EXPECT_EQ(t.Main->GetCalibration().Left.RefLevel, 2.5f);
             EXPECT_EQ(std::string(t.Main->GetCalibration().Filename), t.File("LEFT.CAL"));
             EXPECT_EQ(t.Main->GetRunState(), TMainWin::Running);
         }},
        {"[File Open missing.cal]", [](T& t) { State(t.Main).Calibration().Left.IsEnabled = 1; }, 0, [](T& t) {
             EXPECT_EQ(t.Main->GetCalibration().Left.IsEnabled, 0u);
             EXPECT_EQ(Host().Messages.size(), 1u);
         }},
        {"[File Open response.flt]", [](T& t) { t.Write("response.flt", "100 0\n1000 -3\n"); }, Done, [](T& t) {
             EXPECT_EQ(t.Main->GetFilter().Type, FilterSettings::Custom);
             EXPECT_EQ(std::string(t.Main->GetFilter().FilterFilename), t.File("RESPONSE.FLT"));
         }},
        {"[File Open missing.flt]", nullptr, 0, [](T& t) { EXPECT_EQ(t.Main->GetFilter().Type, FilterSettings::LowPass); }},
        {"[File Open missing.cfg]", nullptr, 0, nullptr},
        {"[File Open notes.txt]", nullptr, Done, nullptr},
    };
    std::vector<TCase> all(std::begin(cases), std::end(cases));
    all[3].Command = "[File Open " + Folder.Path + "\\run.mac.wav]";
    RunCases(static_cast<T&>(*this), all);
}

TEST_F(TFileCommands, WaveFilesAreSavedClosedDeletedDecimatedAndMerged)
{
    const std::string longName = std::string(256 - Folder.Path.size(), 'x') + ".wav";
    const TCase cases[] = {
        {"[File Save saved.wav]", [](T& t) { t.Open(); }, Done, [](T& t) {
             const TWaveFile saved(t.File("saved.wav").c_str(), TWaveFile::Memory, 0, t.Folder.Path.c_str());
             EXPECT_EQ(saved.Error, 0u);
             EXPECT_EQ(saved.GetFrameCount(), t.Main->Wave()->GetFrameCount());
             EXPECT_EQ(t.Main->GetTitle(), std::string(t.Main->ProgramCaption()) + " [" + t.File("saved.wav") + "]");
         }},
        // While the recorder's append is halted the analyser is not stopped.
        {"[File Save paused.wav]",
         [](T& t) {
             t.Open();
             t.Main->StartAnalyzer();
             t.Main->HaltAppend();
         },
         Done, [](T& t) {
             EXPECT_TRUE(Exists(t.File("paused.wav")));
             EXPECT_EQ(t.Main->GetRunState(), TMainWin::Running);
         }},
        {"[File Save " + longName + "]", [](T& t) { t.Open(); }, 0, [](T&) {
             EXPECT_EQ(Host().Messages.size(), 1u);
         }},
        {"[File Save nowhere\\saved.wav]", [](T& t) { t.Open(); }, 0,
         [](T& t) { EXPECT_FALSE(Exists(t.File("nowhere\\saved.wav"))); }},
        {"[File Save saved.wav]", nullptr, Done, [](T& t) { EXPECT_FALSE(Exists(t.File("saved.wav"))); }},
        // A changed wave closes without the question.
        {"[File Close]",
         [](T& t) {
             t.Open();
             t.Main->Wave()->Changed = 1;
         },
         Done, [](T& t) {
             EXPECT_EQ(t.Main->Wave(), nullptr);
             EXPECT_TRUE(Host().Messages.empty());
         }},
        {"[File Delete gone.wav]", [](T& t) { t.Copy("automation/tone_1k_h3.wav", "gone.wav"); }, Done,
         [](T& t) { EXPECT_FALSE(Exists(t.File("gone.wav"))); }},
        {"[File Delete gone.wav]", nullptr, Done, nullptr},
        {"[File Decimate half.wav 2]", [](T& t) { t.Open(); }, Done, [](T& t) {
             const TWaveFile half(t.File("half.wav").c_str(), TWaveFile::Memory, 0, t.Folder.Path.c_str());
             ASSERT_EQ(half.Error, 0u);
             EXPECT_EQ(half.GetFormat().SamplingRate, 24000u);
             EXPECT_EQ(half.GetFrameCount(), t.Main->Wave()->GetFrameCount() / 2);
         }},
        {"[File Decimate half.wav 0]", [](T& t) { t.Open(); }, 0, [](T& t) { EXPECT_FALSE(Exists(t.File("half.wav"))); }},
        {"[File Decimate half.wav 2]", nullptr, Done, [](T& t) { EXPECT_FALSE(Exists(t.File("half.wav"))); }},
        {"[File Merge a.wav b.wav]",
         [](T& t) {
             t.Copy("calibration/one_second_mono.wav", "a.wav");
             t.Copy("calibration/one_second_mono.wav", "b.wav");
         },
         Done, [](T& t) {
             ASSERT_NE(t.Main->Wave(), nullptr);
             EXPECT_EQ(t.Main->Wave()->GetFormat().NumChannels, 2);
         }},
        {"[File Merge a.wav b.wav]", [](T& t) { t.Copy("calibration/one_second_mono.wav", "a.wav"); }, 0,
         [](T& t) { EXPECT_EQ(t.Main->Wave(), nullptr); }},
        // With a wave open nothing is merged.
        {"[File Merge a.wav b.wav]",
         [](T& t) {
             t.Open();
             t.Copy("calibration/one_second_mono.wav", "a.wav");
             t.Copy("calibration/one_second_mono.wav", "b.wav");
         },
         Done, [](T& t) { EXPECT_EQ(t.Main->Wave()->GetFormat().NumChannels, 2); EXPECT_TRUE(Host().Messages.empty()); }},
    };
    RunCases(static_cast<T&>(*this), cases);
}

// The running macro's own line opens another macro: the first stops at that
// line, and the second is loaded and runs from its first line. Then the
// windows that open for a file, and the exit.
TEST_F(TFileCommands, FramedCommandsHandOverToMacrosWindowsAndTheExit)
{
    Frame();
    Write("first.mac", "Send [File Open second.mac]\r\nSend [Set Marker 8 111]\r\n");
    Write("second.mac", "Send [Set Marker 5 1234]\r\nSend [Set Marker 6 2345]\r\n");
    ASSERT_EQ(Main->ExecuteCommand("[File Open first.mac]"), Done);
    ASSERT_NE(Main->MacroWindow(), nullptr);
    EXPECT_TRUE(IdleUntil([&] { return Markers().MarkerFreq[5] == 2345.0f; }));
    EXPECT_EQ(Markers().MarkerFreq[4], 1234.0f);
    EXPECT_EQ(Markers().MarkerFreq[7], 6000.0f);
    EXPECT_EQ(std::string(Main->GetMacroOptions().MacroFilename), File("SECOND.MAC"));

    // A missing script is refused from a running macro's line as well.
    Write("third.mac", "Send [File Open missing.mac]\r\nSend [Set Marker 8 111]\r\n");
    Host().Messages.clear();
    ASSERT_EQ(Main->ExecuteCommand("[File Open third.mac]"), Done);
    IdleUntil([&] { return !Main->IsMacroRunning(); });
    EXPECT_EQ(Markers().MarkerFreq[7], 6000.0f);
    EXPECT_FALSE(Host().Messages.empty());

    // The THD+N and reverberation windows open for their files, which they
    // refuse with their messages.
    for (const char* command : {"[File Open missing.thd]", "[File Open missing.rvb]"}) {
        SCOPED_TRACE(command);
        Host().Messages.clear();
        EXPECT_EQ(Main->ExecuteCommand(command), 0u);
        EXPECT_FALSE(Host().Messages.empty());
    }
    EXPECT_NE(Main->ThdFreqWindow(), nullptr);
    EXPECT_NE(Main->ReverbWindow(), nullptr);

    // The frame closes once the answer has gone.
    EXPECT_EQ(Main->ExecuteCommand("[Exit Application]"), Done);
    EXPECT_NE(Main->GetHandle(), nullptr);
    Pump();
    EXPECT_EQ(Main->GetHandle(), nullptr);
}
