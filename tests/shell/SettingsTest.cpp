#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <limits>
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

// A main window object (no window) whose program sits in a folder of its own.
struct TSettingsFixture : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::string Config = Folder.File("setup.cfg");

    std::unique_ptr<TMainWin> NewMainWin(const char* argument = nullptr)
    {
        return std::make_unique<TMainWin>(nullptr, Program.c_str(), argument, *new TClientMain);
    }
    std::string Value(const std::string& file, const char* section, const char* key)
    {
        char text[512];
        ::GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, file.c_str());
        return text;
    }
};

}

TEST_F(TSettingsFixture, FreshWindowState)
{
    auto w = NewMainWin();
    EXPECT_EQ(w->GetRunState(), TMainWin::Stopped);
    EXPECT_EQ(w->GetOpMode(), TMainWin::RealTime);
    EXPECT_EQ(w->GetDataSource(), 1);
    EXPECT_FLOAT_EQ(w->GetCalibration().Left.CalRatio, 1.0f);
    EXPECT_FLOAT_EQ(w->GetCalibration().Right.CalRatio, 1.0f);
    EXPECT_STREQ(w->GetCalibration().Left.ChannelName, "Left");
    EXPECT_STREQ(w->GetCalibration().Right.ChannelName, "Right");
    EXPECT_TRUE(w->IsMainToolbarShown());
    EXPECT_TRUE(w->IsButtonToolbarShown());
    EXPECT_TRUE(w->IsStatusBarShown());
    EXPECT_EQ(w->GetNoiseFigureOrder(), 6);
    EXPECT_EQ(State(w).Smoothing(), nullptr);
    EXPECT_EQ(w->InputPort(), nullptr);
    EXPECT_EQ(w->Wave(), nullptr);
    EXPECT_EQ(w->SpectrumView(0), nullptr);
    EXPECT_EQ(w->GetStatusBar(), nullptr);
    EXPECT_EQ(w->GetAnalysisSettings().FFTsize, 16384u);
    EXPECT_EQ(w->GetAnalysisSettings().Format.SamplingRate, 44100u);
    EXPECT_STREQ(w->CurrentFolder(TMainWin::MacroFolder), "..\\.\\macro");
    EXPECT_STREQ(w->GetMacroOptions().OutputFilename, "..\\.\\macro\\macro_output.txt");
    EXPECT_EQ(w->GetViewStatus().SpectrumPlot, 1);
}

TEST_F(TSettingsFixture, PathsFollowTheProgram)
{
    struct Case { const char* Program; const char* Ini; const char* Help; };
    const Case cases[] = {
        {"C:\\Tools\\Tonalyx.exe", "C:\\Tools\\Tonalyx.ini", "C:\\Tools\\Tonalyx.chm"},
        {"C:\\My.Tools\\Tonalyx", "C:\\My.Tools\\Tonalyx.ini", "C:\\My.Tools\\Tonalyx.chm"},
        {"C:\\T\\analyser.program", "C:\\T\\analyser.ini", "C:\\T\\analyser.chm"},
    };
    for (const Case& c : cases) {
        TMainWin w(nullptr, c.Program, nullptr, *new TClientMain);
        EXPECT_STREQ(w.GetModulePath(), c.Program);
        EXPECT_STREQ(w.GetIniPath(), c.Ini);
        EXPECT_STREQ(w.GetHelpPath(), c.Help);
    }
}

TEST_F(TSettingsFixture, CommandLineFile)
{
    struct Case { const char* Argument; const char* File; };
    const Case cases[] = {
        {nullptr, ""},
        {"c:\\my files\\take one.wav", "C:\\MY FILES\\TAKE ONE.WAV"},
        {"C:\\Bin\\tonalyx.exe d:\\a.cfg", "D:\\A.CFG"},
        {"C:\\Bin\\Tonalyx.exe", ""},   // nothing after the name: nothing read beyond it
    };
    for (const Case& c : cases) {
        auto w = NewMainWin(c.Argument);
        EXPECT_STREQ(w->GetCommandLineFile(), c.File) << (c.Argument ? c.Argument : "(none)");
    }
}

TEST_F(TSettingsFixture, FreshFileHoldsEveryKeyInOrderWithItsDefault)
{
    auto w = NewMainWin();
    w->WriteSettings(w->GetIniPath());
    ExpectDefaultFile(Ini);
}

TEST_F(TSettingsFixture, IniOnlyKeysStayInTheProgramsFile)
{
    auto w = NewMainWin();
    w->WriteSettings(Config.c_str());
    std::vector<TIniLine> config = ReadIniLines(Config);
    std::vector<TIniLine> ini = ReadIniLines(Ini);
    auto iniOnly = [](const TIniLine& l) {
        return l.Section == "Main" || l.Section == "Paths" || l.Section == "FileIO"
            || (l.Section == "Settings" && l.Key == "SamplingRateCorrectionFactor")
            || (l.Section == "ViewStatus" && l.Key == "HideApplicationWindow")
            || (l.Section == "Logging" && l.Key == "VantorFlag");
    };
    for (const TIniLine& l : config) EXPECT_FALSE(iniOnly(l)) << l.Section << "/" << l.Key;
    for (const TIniLine& l : ini) EXPECT_TRUE(iniOnly(l)) << l.Section << "/" << l.Key;
    EXPECT_EQ(ini.size(), 1u + 11u + 12u + 1u + 1u + 1u);
    EXPECT_EQ(config.size() + ini.size(), sizeof ExpectedKeys / sizeof ExpectedKeys[0]);

    // Reading a configuration takes the INI-only values from the program's file.
    ::WritePrivateProfileStringA("FileIO", "MakeBackup", "0", Ini.c_str());
    ::WritePrivateProfileStringA("FileIO", "MakeBackup", "7", Config.c_str());
    w->ReadSettings(Config.c_str());
    EXPECT_EQ(w->GetFileIO().MakeBackup, 0);
}

TEST_F(TSettingsFixture, RoundTripOfEveryType)
{
    auto w = NewMainWin();
    State(w).Logging().DataType = 65535;                          // i16 written unsigned
    State(w).SeriesOptions().ThresholdMarkPercentage = -5;        // i32 signed
    State(w).Markers().MarkerFreq[3] = 1234.567f;                 // "%6.2f"
    State(w).ReverbOptions().MaxDecayTime = 2.25f;                // "%6.1f"
    State(w).Settings().DelayTimeMsec = 0.125f;                   // "%f"
    State(w).SpectrumOptions()[1].LineColor = 0x00FF00;           // colour
    State(w).PhaseScopeOptions().BackgroundColor = 0x123456;
    std::strcpy(State(w).PrintOptions().Comment[9], "last comment");
    std::strcpy(State(w).Logging().LogFileName, "C:\\logs\\run.txt");
    State(w).Settings().Format.Set(48000, 2, 3);
    State(w).Trigger().TriggerSlope = 1;
    State(w).OpMode() = TMainWin::Recorder;
    State(w).Calibration().Right.CalRatio = 2.5f;
    std::strcpy(State(w).Calibration().Right.ChannelName, "Mic");
    std::strcpy(State(w).Scaling()[1].MicCompFilename, "right.mic");
    w->WriteSettings(Config.c_str());

    EXPECT_EQ(Value(Config, "Logging", "DataType"), "65535");
    EXPECT_EQ(Value(Config, "SeriesOpts", "ThresholdMarkPercentage"), "-5");
    EXPECT_EQ(Value(Config, "Markers", "MarkerFreq3"), "1234.57");
    EXPECT_EQ(Value(Config, "ReverbOpts", "MaxDecayTime"), "2.2");
    EXPECT_EQ(Value(Config, "Settings", "DelayTimeMsec"), "0.125000");
    EXPECT_EQ(Value(Config, "SpectrumOpts2", "LineColor"), "65280");

    auto r = NewMainWin();
    r->ReadSettings(Config.c_str());
    EXPECT_EQ(r->GetLogging().DataType, 65535);
    EXPECT_EQ(r->GetSeriesOptions().ThresholdMarkPercentage, -5);
    EXPECT_FLOAT_EQ(r->GetMarkers().MarkerFreq[3], 1234.57f);
    EXPECT_FLOAT_EQ(r->GetReverbOptions().MaxDecayTime, 2.2f);
    EXPECT_FLOAT_EQ(r->GetAnalysisSettings().DelayTimeMsec, 0.125f);
    EXPECT_EQ(r->GetSpectrumOptions(1).LineColor, 0x00FF00u);
    EXPECT_EQ(r->GetPhaseScopeOptions().BackgroundColor, 0x123456u);
    EXPECT_STREQ(r->GetPrintOptions().Comment[9], "last comment");
    EXPECT_STREQ(r->GetLogging().LogFileName, "C:\\logs\\run.txt");
    EXPECT_EQ(r->GetAnalysisSettings().Format.SamplingRate, 48000u);
    EXPECT_EQ(r->GetAnalysisSettings().Format.NumChannels, 2);
    EXPECT_EQ(r->GetAnalysisSettings().Format.BitsPerSample, 24);
    EXPECT_EQ(r->GetTrigger().TriggerSlope, 1);
    EXPECT_EQ(r->GetOpMode(), TMainWin::Recorder);
    EXPECT_FLOAT_EQ(r->GetCalibration().Right.CalRatio, 2.5f);
    EXPECT_STREQ(r->GetCalibration().Right.ChannelName, "Mic");
    EXPECT_STREQ(r->GetScaling(1).MicCompFilename, "right.mic");

    // A second write of what was read gives the same file.
    std::string again = Folder.File("again.cfg");
    r->WriteSettings(again.c_str());
    std::vector<TIniLine> a = ReadIniLines(Config), b = ReadIniLines(again);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Key, b[i].Key);
        EXPECT_EQ(a[i].Value, b[i].Value) << a[i].Section << "/" << a[i].Key;
    }
}

TEST_F(TSettingsFixture, TextsAreCutToTheirField)
{
    WriteIni(Config, "[Markers]\nCustomLabel2=abcdefghijklmnopqrstuvwxyz0123456789\n"
                     "[MacroOpts]\nBtnLabel_1=twenty characters!!\n");
    auto w = NewMainWin();
    w->ReadSettings(Config.c_str());
    EXPECT_STREQ(w->GetMarkers().CustomLabel[2], "abcdefghijklmnopqrstuvwxyz012");
    EXPECT_STREQ(w->GetMacroOptions().BtnLabel[0], "twenty char");
}

TEST_F(TSettingsFixture, ReadRulesAndClamps)
{
    struct Case {
        const char* Section;
        const char* Key;
        const char* Text;
        std::function<double(TMainWin&)> Field;
        double Expected;
    };
    auto fft = [](TMainWin& w) { return double(w.GetAnalysisSettings().FFTsize); };
    auto disk = [](TMainWin& w) { return double(w.GetFileIO().MaxDiskRecordingSizeBytes); };
    auto correction = [](TMainWin& w) { return double(w.GetAnalysisSettings().SamplingRateCorrectionFactor); };
    const Case cases[] = {
        {"Settings", "FFTsize", "1000", fft, 16384},
        {"Settings", "FFTsize", "0", fft, 16384},
        {"Settings", "FFTsize", "16", fft, 16384},
        {"Settings", "FFTsize", "2097152", fft, 16384},
        {"Settings", "FFTsize", "-8", fft, 16384},
        {"Settings", "FFTsize", "32", fft, 32},
        {"Settings", "FFTsize", "1048576", fft, 1048576},
        {"Settings", "FFTsize", "4096xyz", fft, 4096},
        {"Settings", "DecimationRatio", "0", [](TMainWin& w) { return double(w.GetAnalysisSettings().DecimationRatio); }, 1},
        {"Settings", "DecimationRatio", "51", [](TMainWin& w) { return double(w.GetAnalysisSettings().DecimationRatio); }, 1},
        {"Settings", "DecimationRatio", "50", [](TMainWin& w) { return double(w.GetAnalysisSettings().DecimationRatio); }, 50},
        {"Settings", "OverlapPercent", "100", [](TMainWin& w) { return double(w.GetAnalysisSettings().OverlapPercent); }, 75},
        {"Settings", "OverlapPercent", "99", [](TMainWin& w) { return double(w.GetAnalysisSettings().OverlapPercent); }, 99},
        {"Settings", "OverlapPercent", "-1", [](TMainWin& w) { return double(w.GetAnalysisSettings().OverlapPercent); }, 75},
        {"Settings", "SmoothingWindow", "10", [](TMainWin& w) { return double(w.GetAnalysisSettings().SmoothingWindow); }, 4},
        {"Settings", "SmoothingWindow", "9", [](TMainWin& w) { return double(w.GetAnalysisSettings().SmoothingWindow); }, 9},
        {"Settings", "ChannelProcessing", "13", [](TMainWin& w) { return double(w.GetAnalysisSettings().ChannelProcessing); }, 0},
        {"Settings", "ChannelProcessing", "12", [](TMainWin& w) { return double(w.GetAnalysisSettings().ChannelProcessing); }, 12},
        {"Settings", "NumChannels", "3", [](TMainWin& w) { return double(w.GetAnalysisSettings().Format.NumChannels); }, 1},
        {"Settings", "NumChannels", "70000", [](TMainWin& w) { return double(w.GetAnalysisSettings().Format.NumChannels); }, 1},
        {"ViewStatus", "NoiseFigurePolarity", "7", [](TMainWin& w) { return double(w.GetNoiseFigureOrder()); }, 7},
        {"FileIO", "RealTimeWaveBufferLengthSecs", "1", [](TMainWin& w) { return double(w.GetFileIO().RealTimeWaveBufferLengthSecs); }, 60},
        {"FileIO", "RealTimeWaveBufferLengthSecs", "2", [](TMainWin& w) { return double(w.GetFileIO().RealTimeWaveBufferLengthSecs); }, 2},
        {"FileIO", "MaxDiskRecordingSizeBytes", "500", disk, 1000000},
        {"FileIO", "MaxDiskRecordingSizeBytes", "-1", disk, 2000000000},
        {"FileIO", "MaxDiskRecordingSizeBytes", "2100000000", disk, 2000000000},
        {"FileIO", "MaxDiskRecordingSizeBytes", "99999999999", disk, 2000000000},
        {"FileIO", "MaxDiskRecordingSizeBytes", "1500000", disk, 1500000},
        {"LEQ", "LeqT_RefTimeSec", "0", [](TMainWin& w) { return double(w.GetLeqOptions().LeqT_RefTimeSec); }, 3600},
        {"LEQ", "UpdateIntervalSec", "0", [](TMainWin& w) { return double(w.GetLeqOptions().UpdateIntervalSec); }, 1.0},
        {"LEQ", "UpdateIntervalSec", "-2", [](TMainWin& w) { return double(w.GetLeqOptions().UpdateIntervalSec); }, -2.0},
        {"LEQ", "Lpk_Avg", "3", [](TMainWin& w) { return double(w.GetLeqOptions().Lpk_Avg); }, 0},
        {"Trigger", "Threshold", "12abc", [](TMainWin& w) { return double(w.GetTrigger().Threshold); }, 12},
        {"Trigger", "Threshold", "abc", [](TMainWin& w) { return double(w.GetTrigger().Threshold); }, 0},
        {"Trigger", "DelayMsec", "1,5", [](TMainWin& w) { return double(w.GetTrigger().DelayMsec); }, 1.0},
        {"SpectrumOpts", "LineColor", "16711680", [](TMainWin& w) { return double(w.GetSpectrumOptions(0).LineColor); }, 0xFF0000},
        {"Settings", "SamplingRateCorrectionFactor", "nan", correction, 1.0},
        {"Settings", "SamplingRateCorrectionFactor", "inf", correction, 1.0},
        {"Settings", "SamplingRateCorrectionFactor", "0", correction, 1.0},
        {"Settings", "SamplingRateCorrectionFactor", "-1", correction, 1.0},
        {"Settings", "SamplingRateCorrectionFactor", "1e39", correction, 1.0},
        {"Settings", "SamplingRateCorrectionFactor", "1e8", correction, 1.0},
        {"Settings", "SamplingRateCorrectionFactor", "2.5", correction, 1.0},
        {"Settings", "SamplingRateCorrectionFactor", "0.5", correction, 0.5},
        {"Settings", "SamplingRateCorrectionFactor", "1.0001", correction, double(1.0001f)},
        {"Settings", "SamplingRateCorrectionFactor", "2", correction, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Section) + "/" + c.Key + "=" + c.Text);
        ::DeleteFileA(Ini.c_str());
        ::WritePrivateProfileStringA(c.Section, c.Key, c.Text, Ini.c_str());
        auto w = NewMainWin();
        EXPECT_DOUBLE_EQ(c.Field(*w), c.Expected);
    }
}

TEST_F(TSettingsFixture, RightChannelOfAnOlderFile)
{
    // Type ids other than 102 mean the right channel copies the left one and
    // takes its own name, level and ratio (and compensation file) from the
    // left sections.
    WriteIni(Config,
             "[Calibration]\nRefLevel=3.5\nLabelLog=dBu\nPctFullScaleRight=0.25\nRightChannelName=Mic R\n"
             "[CalibrationR]\nRefLevel=9\n"
             "[Scaling]\nOctaveNumber=6\nMicCompFilenameLeft=l.mic\nMicCompFilenameRight=r.mic\n"
             "[Scaling2]\nOctaveNumber=12\n");
    auto w = NewMainWin();
    w->ReadSettings(Config.c_str());
    EXPECT_FLOAT_EQ(w->GetCalibration().Right.RefLevel, 3.5f);
    EXPECT_STREQ(w->GetCalibration().Right.LabelLog, "dBu");
    EXPECT_FLOAT_EQ(w->GetCalibration().Right.PctFullScale, 0.25f);
    EXPECT_FLOAT_EQ(w->GetCalibration().Right.CalRatio, 1.0f);
    EXPECT_STREQ(w->GetCalibration().Right.ChannelName, "Mic R");
    EXPECT_EQ(w->GetScaling(1).OctaveNumber, 6);
    EXPECT_STREQ(w->GetScaling(1).MicCompFilename, "r.mic");

    ::WritePrivateProfileStringA("CalibrationR", "CalibrationStructTypeID", "102", Config.c_str());
    ::WritePrivateProfileStringA("Scaling2", "ScalingStructTypeID", "102", Config.c_str());
    w->ReadSettings(Config.c_str());
    EXPECT_FLOAT_EQ(w->GetCalibration().Right.RefLevel, 9.0f);
    EXPECT_STREQ(w->GetCalibration().Right.ChannelName, "Right");
    EXPECT_EQ(w->GetScaling(1).OctaveNumber, 12);
}

TEST_F(TSettingsFixture, CaptionPhaseScopeAndTriggerWordsAreFixedOnRead)
{
    WriteIni(Ini, "[Main]\nCaption=Something else\n");
    auto w = NewMainWin();
    EXPECT_STREQ(w->ProgramCaption(), "Tonalyx");
    State(w).PhaseScopeOptions().Unused2 = 99;
    State(w).PhaseScopeOptions().Unused4 = 1.0f;
    State(w).Trigger().StartState = 5;
    w->ReadSettings(Config.c_str());
    EXPECT_EQ(w->GetPhaseScopeOptions().Unused2, 6);
    EXPECT_FLOAT_EQ(w->GetPhaseScopeOptions().Unused4, 100.0f);
    EXPECT_EQ(w->GetTrigger().StartState, 0u);
}

TEST_F(TSettingsFixture, DevicesByNameOrId)
{
    UINT inputs = ::waveInGetNumDevs();
    WriteIni(Config, "[Device]\nInputDeviceName=No Such Device Anywhere\nOutputDeviceID=-1\n");
    auto w = NewMainWin();
    w->ReadSettings(Config.c_str());
    EXPECT_EQ(w->GetInputDeviceID(), 0);
    EXPECT_EQ(w->GetOutputDeviceID(), int32_t(::waveOutGetNumDevs()) - 1);
    WriteIni(Config, "[Device]\nInputDeviceID=1000\n");
    w->ReadSettings(Config.c_str());
    EXPECT_EQ(w->GetInputDeviceID(), int32_t(inputs) - 1);
    if (inputs > 0) {
        WAVEINCAPSA caps{};
        ::waveInGetDevCapsA(inputs - 1, &caps, sizeof caps);
        std::string name = caps.szPname;
        for (char& ch : name) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        ::WritePrivateProfileStringA("Device", "InputDeviceName", name.c_str(), Config.c_str());
        w->ReadSettings(Config.c_str());
        EXPECT_EQ(w->GetInputDeviceID(), int32_t(inputs) - 1);
    }
}

TEST_F(TSettingsFixture, DelaySamplesRound)
{
    auto w = NewMainWin();
    struct Case { uint32_t Rate; float Msec; uint32_t Samples; };
    const Case cases[] = {{44100, 0.0f, 0}, {44100, 10.0f, 441}, {48000, 0.0104f, 0}, {48000, 0.0105f, 1},
                          {8000, -5.0f, 0}, {192000, 1.0e9f, UINT32_MAX}};
    for (const Case& c : cases) {
        State(w).Settings().Format.SamplingRate = c.Rate;
        State(w).Settings().DelayTimeMsec = c.Msec;
        w->UpdateDelaySamples();
        EXPECT_EQ(w->GetAnalysisSettings().DelaySamples, c.Samples) << c.Rate << " " << c.Msec;
    }
}

TEST_F(TSettingsFixture, ValuesOutOfRangeKeepTheirDefaultsAndOnlySaneValuesAreWritten)
{
    // Each key with a text no dialog would store, and the default it keeps.
    struct Case {
        const char* Section;
        const char* Key;
        const char* Text;
        std::function<double(TMainWin&)> Field;
        double Default;
    };
    auto rate = [](TMainWin& w) { return double(w.GetAnalysisSettings().Format.SamplingRate); };
    auto opMode = [](TMainWin& w) { return double(w.GetOpMode()); };
    auto peakHold = [](TMainWin& w) { return double(w.GetAnalysisSettings().PeakHold); };
    auto top = [](TMainWin& w) { return double(w.GetSpectrumOptions(0).PlotTop); };
    auto range = [](TMainWin& w) { return double(w.GetSpectrumOptions(1).PlotRange); };
    auto legend = [](TMainWin& w) { return double(w.GetSpectrumOptions(0).OverlayLegendSize); };
    const Case cases[] = {
        {"Settings", "SamplingRate", "4294967295", rate, 44100},
        {"Settings", "SamplingRate", "-1", rate, 44100},
        {"Settings", "SamplingRate", "999", rate, 44100},
        {"Settings", "SamplingRate", "768001", rate, 44100},
        {"Settings", "SamplingRate", "nan", rate, 44100},
        {"Mode", "OpMode", "7", opMode, 1},
        {"Mode", "OpMode", "-1", opMode, 1},
        {"Mode", "OpMode", "0", opMode, 1},
        {"Settings", "PeakHold", "65535", peakHold, 2},
        {"Settings", "PeakHold", "5", peakHold, 2},
        {"Settings", "AverageBlocks", "2147483647", [](TMainWin& w) { return double(w.GetAnalysisSettings().AverageBlocks); }, 4},
        {"Settings", "AverageBlocks", "0", [](TMainWin& w) { return double(w.GetAnalysisSettings().AverageBlocks); }, 4},
        {"Settings", "AverageSpeed", "4294967295", [](TMainWin& w) { return double(w.GetAnalysisSettings().AverageSpeed); }, 0},
        {"Settings", "DelayTimeMsec", "inf", [](TMainWin& w) { return double(w.GetAnalysisSettings().DelayTimeMsec); }, 0},
        {"Settings", "DelayTimeMsec", "1000.1", [](TMainWin& w) { return double(w.GetAnalysisSettings().DelayTimeMsec); }, 0},
        {"Trigger", "Channel", "2147483647", [](TMainWin& w) { return double(w.GetTrigger().Channel); }, 0},
        {"Trigger", "Threshold", "101", [](TMainWin& w) { return double(w.GetTrigger().Threshold); }, 25},
        {"Trigger", "DelayMsec", "nan", [](TMainWin& w) { return double(w.GetTrigger().DelayMsec); }, 0},
        {"SpectrumOpts", "OverlayLegendSize", "-8", legend, 8},
        {"SpectrumOpts", "OverlayLegendSize", "65528", legend, 8},
        {"SpectrumOpts", "PlotTop", "inf", top, 0},
        {"SpectrumOpts", "PlotTop", "nan", top, 0},
        {"SpectrumOpts", "PlotTop", "1e39", top, 0},
        {"SpectrumOpts2", "PlotRange", "nan", range, 120},
        {"SpectrumOpts2", "PlotRange", "0", range, 120},
        {"SpectrumOpts2", "PlotRange", "-inf", range, 120},
        {"SpectrumOpts", "Offset1_3", "101", [](TMainWin& w) { return double(w.GetSpectrumOptions(0).Offset1[2]); }, 0},
        {"PhaseOpts", "PlotRange", "1e-9", [](TMainWin& w) { return double(w.GetPhaseOptions(0).PlotRange); }, 360},
        {"SpectrogramOpts", "IntervalSecs", "3601", [](TMainWin& w) { return double(w.GetSpectrogramOptions(0).IntervalSecs); }, 2},
        {"SeriesOpts", "PlotChannel", "8", [](TMainWin& w) { return double(w.GetSeriesOptions().PlotChannel); }, 0},
        {"Scaling2", "StandardWeighting", "4", [](TMainWin& w) { return double(w.GetScaling(1).StandardWeighting); }, 0},
        {"ViewStatus", "NoiseFigurePolarity", "70000", [](TMainWin& w) { return double(w.GetNoiseFigureOrder()); }, 6},
        {"ViewStatus", "SpectrumPlot", "2", [](TMainWin& w) { return double(w.GetViewStatus().SpectrumPlot); }, 1},
        {"SpectrumOpts", "LineColor", "16777216", [](TMainWin& w) { return double(w.GetSpectrumOptions(0).LineColor); }, 0xFF0000},
        {"Markers", "MarkerFreq2", "1e39", [](TMainWin& w) { return double(w.GetMarkers().MarkerFreq[2]); }, 3000},
        {"ReverbOpts", "MaxDecayTime", "0.9", [](TMainWin& w) { return double(w.GetReverbOptions().MaxDecayTime); }, 10},
        {"THDFreqOpts", "PlotBottom", "0", [](TMainWin& w) { return double(w.GetThdFreqOptions().PlotBottom); }, 0.001},
        {"DelayFinderOpts", "MaxDelayMsec", "1001", [](TMainWin& w) { return double(w.GetDelayFinderOptions().MaxDelayMsec); }, 500},
        {"LEQ", "UpdateIntervalSec", "nan", [](TMainWin& w) { return double(w.GetLeqOptions().UpdateIntervalSec); }, 1},
        {"Calibration", "CalRatioLeft", "inf", [](TMainWin& w) { return double(w.GetCalibration().Left.CalRatio); }, 1},
        {"PrintOpts", "MarginTop", "nan", [](TMainWin& w) { return double(w.GetPrintOptions().MarginTop); }, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Section) + "/" + c.Key + "=" + c.Text);
        ::DeleteFileA(Ini.c_str());
        ::WritePrivateProfileStringA(c.Section, c.Key, c.Text, Ini.c_str());
        auto w = NewMainWin();
        EXPECT_FLOAT_EQ(float(c.Field(*w)), float(c.Default));
    }

    // All of them in one INI at once, read and written back as at exit: the
    // Python check reads the written file and finds only the defaults, no NaN.
    ::DeleteFileA(Ini.c_str());
    for (const Case& c : cases) ::WritePrivateProfileStringA(c.Section, c.Key, c.Text, Ini.c_str());
    auto w = NewMainWin();
    w->WriteSettings(w->GetIniPath());
    const std::string written = std::string(TONALYX_SHELL_OUT) + "\\bad_values.ini";
    ASSERT_TRUE(::CopyFileA(Ini.c_str(), written.c_str(), FALSE));
    for (const TIniLine& l : ReadIniLines(written)) {
        EXPECT_EQ(l.Value.find("nan"), std::string::npos) << l.Section << "/" << l.Key;
        EXPECT_EQ(l.Value.find("inf"), std::string::npos) << l.Section << "/" << l.Key;
    }
    EXPECT_EQ(Value(written, "Settings", "SamplingRate"), "44100");
    EXPECT_EQ(Value(written, "SpectrumOpts", "PlotTop"), "0.000000");
    EXPECT_EQ(Value(written, "SpectrumOpts", "OverlayLegendSize"), "8");
}

TEST_F(TSettingsFixture, NothingNonFiniteIsWritten)
{
    auto w = NewMainWin();
    State(w).SpectrumOptions()[0].PlotTop = std::numeric_limits<float>::infinity();
    State(w).PhaseOptions()[1].PlotRange = std::numeric_limits<float>::quiet_NaN();
    State(w).Markers().MarkerFreq[0] = -std::numeric_limits<float>::infinity();
    w->WriteSettings(Config.c_str());
    EXPECT_EQ(Value(Config, "SpectrumOpts", "PlotTop"), "0.000000");
    EXPECT_EQ(Value(Config, "PhaseOpts2", "PlotRange"), "360.000000");
    EXPECT_EQ(Value(Config, "Markers", "MarkerFreq0"), "1000.00");
}
