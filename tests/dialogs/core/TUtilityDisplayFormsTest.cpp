// The reverberation and THD+N versus frequency display options' checks.
#include <gtest/gtest.h>
#include <cstring>
#include "dialogs/TReverbOptsForm.h"
#include "dialogs/TThdFreqOptsForm.h"

TEST(TReverbOptsForm, EachFieldIsReadWithinItsRange)
{
    using Rule = TDialogBindingBase::TReading (*)(const std::string&);
    const char* const decay = "Maximum decay time must be between 1 and 30 seconds.";
    const char* const top = "Plot Top must be between -200 and +200";
    const char* const range = "Plot Range must be between 10 and 200";
    const struct {
        Rule Read;
        const char* Text;
        double Value;
        const char* Refusal;
    } cases[] = {
        {TReverbOptsForm::ReadMaxDecayTime, "30", 30.0, ""},
        {TReverbOptsForm::ReadMaxDecayTime, "1", 1.0, ""},
        {TReverbOptsForm::ReadMaxDecayTime, "30.5", 0.0, decay},
        {TReverbOptsForm::ReadMaxDecayTime, "0.9", 0.0, decay},
        {TReverbOptsForm::ReadMaxDecayTime, "abc", 0.0, decay},
        {TReverbOptsForm::ReadMaxDecayTime, "nan", 0.0, decay},
        {TReverbOptsForm::ReadPlotTop, "-200", -200.0, ""},
        {TReverbOptsForm::ReadPlotTop, "abc", 0.0, ""},
        {TReverbOptsForm::ReadPlotTop, "200.1", 0.0, top},
        {TReverbOptsForm::ReadPlotTop, "-inf", 0.0, top},
        {TReverbOptsForm::ReadPlotRange, "10", 10.0, ""},
        {TReverbOptsForm::ReadPlotRange, "9", 0.0, range},
        {TReverbOptsForm::ReadPlotRange, "201", 0.0, range},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const TDialogBindingBase::TReading r = c.Read(c.Text);
        EXPECT_EQ(r.Refusal, c.Refusal);
        EXPECT_EQ(r.Value, c.Value);
        EXPECT_EQ(r.Style, 0u);
    }
}

namespace {

TThdFreqOptsForm::TFields Accepted()
{
    TThdFreqOptsForm::TFields f;
    f.PlotTop = "10";
    f.PlotBottom = "0.001";
    f.StartFreq = "20";
    f.StopFreq = "20000";
    f.SignalLevelL = "-6";
    f.SignalLevelR = "0";
    f.StepSize = "100";
    f.StepType = TThdFreqOptsForm::LinearSteps;
    f.Channels = 1;
    f.Octave = 5;
    f.Weighting = 1;
    f.AmpScale = 0;
    f.FreqScale = 0;
    f.LimitEnableL = true;
    f.PromptToSave = false;
    f.LimitFileL = "C:\\limits\\left limit.ovl";
    return f;
}

}

TEST(TThdFreqOptsForm, OkChecksInOrderAndStoresNothingUntilAllPass)
{
    const char* const stopMessage = "Stop Frequency must be less than 24000.00 Hz (one half of the sampling rate).";
    const struct {
        const char* Name;
        void (*Change)(TThdFreqOptsForm::TFields&);
        const char* Message;
        const char* Caption;
    } cases[] = {
        {"as typed", [](auto&) {}, "", ""},
        {"start 9.995", [](auto& f) { f.StartFreq = "9.995"; }, "", ""},
        {"start equal to stop", [](auto& f) { f.StartFreq = f.StopFreq = "1000"; }, "", ""},
        {"stop at half the rate", [](auto& f) { f.StopFreq = "24000"; }, "", ""},
        {"no step in octaves", [](auto& f) { f.StepSize = "0"; f.StepType = TThdFreqOptsForm::OctaveSteps; }, "", ""},
        {"top 0", [](auto& f) { f.PlotTop = "0"; }, "Plot Top must be between 0.00001 and 100 percent", ""},
        {"top 100.5", [](auto& f) { f.PlotTop = "100.5"; }, "Plot Top must be between 0.00001 and 100 percent", ""},
        {"bottom abc", [](auto& f) { f.PlotBottom = "abc"; }, "Plot Bottom must be between 0.00001 and 100 percent",
         ""},
        {"bottom equal to top", [](auto& f) { f.PlotBottom = "10"; }, "Plot Bottom must be less than the Plot Top", ""},
        {"left level +1", [](auto& f) { f.SignalLevelL = "1"; }, "The Signal level must be between 0.0 and -100 dBfs",
         ""},
        {"right level -100.5", [](auto& f) { f.SignalLevelR = "-100.5"; },
         "The Signal level must be between 0.0 and -100 dBfs", ""},
        {"no linear step", [](auto& f) { f.StepSize = "0"; }, "The Step Size must be greater than zero.", "Tonalyx"},
        {"start 9.9", [](auto& f) { f.StartFreq = "9.9"; }, "Start Frequency cannot be less than 10 Hz.", "Tonalyx"},
        {"start above stop", [](auto& f) { f.StartFreq = "1000.5"; f.StopFreq = "1000"; },
         "Start Frequency must be less than the stop frequency.", "Tonalyx"},
        {"stop 24000.5", [](auto& f) { f.StopFreq = "24000.5"; }, stopMessage, "Tonalyx"},
        {"stop inf", [](auto& f) { f.StopFreq = "inf"; }, stopMessage, "Tonalyx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TThdFreqOptsForm::TFields f = Accepted();
        c.Change(f);
        THDFreqSettings record;
        const THDFreqSettings before = record;
        const TThdFreqOptsForm::TOutcome out = TThdFreqOptsForm::Store(f, record, 24000);
        EXPECT_EQ(out.Message, c.Message);
        EXPECT_STREQ(out.Caption, c.Caption);
        EXPECT_EQ(out.Stored, *c.Message == '\0');
        if (!out.Stored) {
            EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
            continue;
        }
        EXPECT_EQ(record.StartFreq, float(std::strtod(f.StartFreq.c_str(), nullptr)));
        EXPECT_EQ(record.StopFreq, float(std::strtod(f.StopFreq.c_str(), nullptr)));
        EXPECT_EQ(record.StepType, f.StepType);
    }
}

TEST(TThdFreqOptsForm, ChoicesAndFilesAreStoredAndShownBack)
{
    THDFreqSettings record;
    ASSERT_TRUE(TThdFreqOptsForm::Store(Accepted(), record, 22050).Stored);
    EXPECT_EQ(record.PlotTop, 10.0f);
    EXPECT_EQ(record.PlotBottom, 0.001f);
    EXPECT_EQ(record.SignalLevelL, -6.0f);
    EXPECT_EQ(record.StepSizeHz, 100.0f);
    EXPECT_EQ(record.NumChannels, 2);
    EXPECT_EQ(record.OctaveNumber, 24);
    EXPECT_EQ(record.StandardWeighting, 1u);
    EXPECT_EQ(record.AmpScaleType, 0u);
    EXPECT_EQ(record.FreqScaleType, 0u);
    EXPECT_EQ(record.LimitEnableL, 1u);
    EXPECT_EQ(record.LimitEnableR, 0u);
    EXPECT_EQ(record.PromptToSave, 0u);
    EXPECT_STREQ(record.LimitFilenameL, "C:\\limits\\left limit.ovl");

    const TThdFreqOptsForm::TFields shown = TThdFreqOptsForm::FieldsOf(record);
    EXPECT_EQ(shown.PlotTop, "10.0000");
    EXPECT_EQ(shown.PlotBottom, "0.00100");
    EXPECT_EQ(shown.StartFreq, " 20.00");
    EXPECT_EQ(shown.SignalLevelL, "  -6.0");
    EXPECT_EQ(shown.Channels, 1);
    EXPECT_EQ(shown.Octave, 5);
    EXPECT_EQ(shown.LimitFileL, "C:\\limits\\left limit.ovl");

    // A long name is cut to the edit's 255 characters; no list entry means no change.
    TThdFreqOptsForm::TFields f = Accepted();
    f.LimitFileR = std::string(300, 'r');
    f.Channels = f.Octave = f.Weighting = f.StepType = -1;
    ASSERT_TRUE(TThdFreqOptsForm::Store(f, record, 22050).Stored);
    EXPECT_EQ(std::string(record.LimitFilenameR), std::string(255, 'r'));
    EXPECT_EQ(record.NumChannels, 2);
    EXPECT_EQ(record.OctaveNumber, 24);
    EXPECT_EQ(record.StepType, TThdFreqOptsForm::LinearSteps);
}

TEST(TThdFreqOptsForm, DefaultsAreOctaveStepsWithoutLimits)
{
    const TThdFreqOptsForm::TFields d = TThdFreqOptsForm::Defaults();
    EXPECT_EQ(d.StepType, TThdFreqOptsForm::OctaveSteps);
    EXPECT_EQ(TThdFreqOptsForm::OctaveNumbers[d.Octave], 3);
    EXPECT_EQ(d.Channels, 0);
    EXPECT_EQ(d.Weighting, 0);
    EXPECT_EQ(d.AmpScale, 1);
    EXPECT_EQ(d.FreqScale, 1);
    EXPECT_FALSE(d.LimitEnableL || d.LimitEnableR);
    EXPECT_TRUE(d.PromptToSave);
    EXPECT_TRUE(d.LimitFileL.empty() && d.LimitFileR.empty());
    EXPECT_EQ(std::strtod(d.PlotTop.c_str(), nullptr), 10.0);
    EXPECT_EQ(std::strtod(d.StartFreq.c_str(), nullptr), 20.0);
    EXPECT_EQ(std::strtod(d.StopFreq.c_str(), nullptr), 20000.0);
}
