// The configuration report's lines for mono and stereo, shared and
// independent channels, and the settings that add or drop lines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/TConfigurationReport.h"

namespace {

TConfigurationFacts Stereo()
{
    TConfigurationFacts f;
    f.OpMode = 2;
    f.WaveFile = "C:\\data\\tone.wav";
    f.Settings.Format = TWaveFormat(48000, 2, 2);
    f.Settings.FFTsize = 4096;
    f.Settings.DelayChannel = 1;
    f.Settings.DelayTimeMsec = 12.7f;
    f.Scaling[1].AmpScaleType = DisplaySettingsStruct::LinearAmplitude;
    f.Scaling[1].FreqScaleType = DisplaySettingsStruct::OctaveBands;
    f.Scaling[1].MicCompEnable = 1;
    std::strcpy(f.Scaling[1].MicCompFilename, "right.mic");
    f.InputDevice = "Line In";
    return f;
}

std::string Text(const TConfigurationFacts& f, int line) { return TConfigurationReport::Line(f, line).value_or("<none>"); }

}  // namespace

TEST(TConfigurationReport, StereoSharedChannelsReadAsTabled)
{
    const TConfigurationFacts f = Stereo();
    const std::vector<std::string> lines = TConfigurationReport::Lines(f);
    const std::vector<std::string> head = {"MODE:\tPost-Processing",
                                           "WAVE FILE:\tC:\\data\\tone.wav",
                                           "",
                                           "PROCESSING SETTINGS",
                                           "\tSampling Rate:\t48000 Hz",
                                           "\tSampling Precision:\t16 bits",
                                           "\tChannels:\t2",
                                           "\tFFT size:\t4096 pts",
                                           "\tDecimation Ratio:\t1",
                                           "\tAveraging Type:\tExponential",
                                           "\tAveraging Mode:\tFree Run (Blocks)",
                                           "\tAveraging Block Size:\t4",
                                           "\tPeak Hold:\tMedium",
                                           "\tSmoothing Window:\tHanning",
                                           "\tOverlap Percentage:\t75",
                                           "\tIndpendent Channels:\tDisabled",
                                           "\tChannel Processing:\tLeft channel only",
                                           "\tDelay Channel:\tRight",
                                           "\tDelay time\t12 milliseconds",
                                           "\tOverload Detection:\tOn",
                                           "\tExclude Overloaded data:\tNo",
                                           "",
                                           "SCALING",
                                           "\tAmplitude Axis:\tLogarithmic",
                                           "\tFrequency Axis:\tLogarithmic",
                                           "\tPower Spectral Density:\tDisabled",
                                           "\tSpectral Weighting:\tFlat",
                                           "\tTotal Power Weighting:\tFlat",
                                           "\tMicrophone Compensation Left:\tDisabled",
                                           "\tMicrophone Compensation Right:\tright.mic",
                                           "",
                                           "TRIGGERING",
                                           "\tTrigger Status:\tDisabled",
                                           "\tMode:\tRearm after trigger",
                                           "\tSource Channel:\tLeft",
                                           "\tTrigger Type:\tLevel",
                                           "\tTrigger Slope:\tPositive",
                                           "\tThreshold:\t25 percent",
                                           "\tDelay Type:\tPre-Trigger",
                                           "\tDelay Time:\t0.0 milliseconds",
                                           "",
                                           "CALIBRATION",
                                           "\tStatus:\tDisabled",
                                           "",
                                           "I/O DEVICES",
                                           "\tInput Device:\tLine In",
                                           "\tOutput Device:\tNone",
                                           "",
                                           "ACTIVE VIEWS",
                                           "",
                                           "ACTIVE UTILITIES"};
    EXPECT_EQ(lines, head);
    EXPECT_FALSE(TConfigurationReport::Line(f, 0));
    EXPECT_FALSE(TConfigurationReport::Line(f, 85));
}

TEST(TConfigurationReport, IndependentChannelsLabelEachChannel)
{
    TConfigurationFacts f = Stereo();
    f.Settings.IndependentScalingAndCalibration = 1;
    f.Scaling[0].SpectralDensityFlag = 1;
    f.Scaling[1].SpectralDensityFlag = 1;
    f.Scaling[1].SpectralDensityType = 1;
    f.Scaling[1].StandardWeighting = 1;
    f.Scaling[1].TotalPowerWeighting = 3;
    f.Calibration.Right.IsEnabled = 1;
    std::strcpy(f.Calibration.Right.LabelLinear, "Pa");
    const struct {
        int Line;
        const char* Text;
    } cases[] = {{17, "\tIndpendent Channels:\tEnabled"},
                 {25, "\tAmplitude Axis Left:\tLogarithmic"},
                 {26, "\tAmplitude Axis Right:\tLinear"},
                 {27, "\tFrequency Axis Left:\tLogarithmic"},
                 {28, "\tFrequency Axis Right:\t1/3 Octave"},
                 {29, "\tPSD Left:\tEnabled"},
                 {30, "\tPSD Right:\tEnabled"},
                 {31, "\tPSD Type Left:\tUnits^2/Hz"},
                 {32, "\tPSD Type Right:\tUnits/Sqrt Hz"},
                 {33, "\tSpectral Weighting Left:\tFlat"},
                 {35, "\tSpectral Weighting Right:\tA"},
                 {36, "\tTotal Power Weighting Right:\tC"},
                 {51, "\tStatus Left:\tDisabled"},
                 {52, "\tStatus Right:\tEnabled"},
                 // The left channel uncalibrated: no left units, whatever the right.
                 {54, "<none>"},
                 {55, "\tUnits Right:\tPa"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(Text(f, c.Line), c.Text);
    }
    // Shared again: the right channel's lines go.
    f.Settings.IndependentScalingAndCalibration = 0;
    for (int line : {26, 28, 30, 32, 35, 36, 52, 55}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(TConfigurationReport::Line(f, line));
    }
    EXPECT_EQ(Text(f, 31), "\tPSD Type:\tUnits^2/Hz");
}

TEST(TConfigurationReport, MonoDropsTheDelayAndTheRightGenerator)
{
    TConfigurationFacts f = Stereo();
    f.Settings.Format = TWaveFormat(44100, 1, 2);
    f.WaveFile.clear();
    f.Generator = std::array<std::string, 2>{"Sine 1000 Hz", "Pink noise"};
    for (int line : {2, 19, 20, 70}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(TConfigurationReport::Line(f, line));
    }
    EXPECT_EQ(Text(f, 38), "\tMicrophone Compensation Right:\tDisabled");
    EXPECT_EQ(Text(f, 69), "\tSignal Generator\tSine 1000 Hz");
    // No wave file: the mode line runs straight into the blank line.
    const auto lines = TConfigurationReport::Lines(f);
    EXPECT_EQ(lines[0], "MODE:\tPost-Processing");
    EXPECT_EQ(lines[1], "");
    f.Settings.Format = TWaveFormat(44100, 2, 2);
    EXPECT_EQ(Text(f, 69), "\tSignal Generator Left\tSine 1000 Hz");
    EXPECT_EQ(Text(f, 70), "\tSignal Generator Right\tPink noise");
}

TEST(TConfigurationReport, SettingsThatAddOrReplaceLines)
{
    TConfigurationFacts f = Stereo();
    EXPECT_FALSE(TConfigurationReport::Line(f, 10));
    f.Settings.DecimationRatio = 2;
    f.Settings.ApplyLowPassFilter = 0;
    EXPECT_EQ(Text(f, 10), "\tLow Pass Filter:\tDisabled");
    f.Settings.AverageMode = AnalysisSettingsStruct::TimedAveraging;
    f.Settings.AverageSpeed = 4;
    f.Settings.AverageType = 2;
    EXPECT_EQ(Text(f, 12), "\tAveraging Mode:\tSound Level Meter");
    EXPECT_EQ(Text(f, 13), "\tAveraging Speed:\tForever");
    EXPECT_EQ(Text(f, 11), "\tAveraging Type:\tVector");
    f.Settings.EnableOverloadDetection = 0;
    EXPECT_EQ(Text(f, 21), "\tOverload Detection:\tOff");
    EXPECT_FALSE(TConfigurationReport::Line(f, 22));
    f.HasWindow = false;
    EXPECT_FALSE(TConfigurationReport::Line(f, 15));
    f.Trigger.Mode = TriggerSettings::RunOn;
    f.Trigger.DelayMsec = 2.25f;
    EXPECT_EQ(Text(f, 42), "\tMode:\tRun after trigger");
    EXPECT_EQ(Text(f, 48), "\tDelay Time:\t2.2 milliseconds");
    f.Views[TConfigurationFacts::Surface] = true;
    f.Utilities[TConfigurationFacts::DistortionVsFrequency] = true;
    f.Utilities[TConfigurationFacts::PeakFrequency] = true;
    EXPECT_EQ(Text(f, 65), "\t3-D Surface");
    EXPECT_EQ(Text(f, 71), "\tPeak Frequency");
    EXPECT_EQ(Text(f, 84), "\tDistortion vs Frequency");
    // A device name is cut at 32 characters.
    f.OutputDevice = std::string(40, 'x');
    EXPECT_EQ(Text(f, 59), "\tOutput Device:\t" + std::string(32, 'x'));
}

TEST(TConfigurationReport, ValuesOutsideTheirCodesSayUnknown)
{
    TConfigurationFacts f = Stereo();
    f.OpMode = 4;
    f.Settings.ChannelProcessing = 13;
    f.Settings.SmoothingWindow = 12;
    f.Trigger.TriggerType = 7;
    EXPECT_EQ(Text(f, 1), "MODE:\tUnknown (4)");
    EXPECT_EQ(Text(f, 18), "\tChannel Processing:\tUnknown (13)");
    EXPECT_EQ(Text(f, 15), "\tSmoothing Window:\tUnknown (12)");
    EXPECT_EQ(Text(f, 44), "\tTrigger Type:\tUnknown (7)");
}
