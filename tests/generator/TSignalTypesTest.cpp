#include <gtest/gtest.h>

#include <set>
#include <string>

#include "generator/TSignalTypes.h"
#include "tests/generator/GeneratorTestSupport.h"

TEST(TSignalTypes, ListsHoldTheSeventeenNamesWithFreqStepNinth)
{
    const char* const order[] = {"White Noise", "Pink Noise", "Noise Burst", "1 kHz Tone", "Multiple Tones",
                                 "Tone Burst", "IMD Test Tones", "Freq Sweep", "Freq Step", "Level Sweep",
                                 "Sawtooth", "Triangular", "Pulse", "Square", "User Defined", "DTMF",
                                 "Digital Zero"};
    std::set<int32_t> codes;
    for (int i = 0; i < SignalTypeCount; ++i) {
        EXPECT_STREQ(TSignalTypes::ListName(TSignalTypes::ListCode(i)), order[i]);
        codes.insert(TSignalTypes::ListCode(i));
    }
    EXPECT_EQ(codes.size(), size_t(SignalTypeCount));
    EXPECT_EQ(TSignalTypes::ListCode(8), FreqStepSignal);
}

TEST(TSignalTypes, ReportNamesAndDetails)
{
    EXPECT_STREQ(TSignalTypes::ReportName(IMDTonesSignal), "IMD Tones");
    EXPECT_STREQ(TSignalTypes::ReportName(SquareSignal), "Squarewave");
    EXPECT_STREQ(TSignalTypes::ReportName(FreqStepSignal), "Frequency Step");
    EXPECT_STREQ(TSignalTypes::ReportName(99), "White Noise");
    for (int32_t code : {0, 1, 3, 15}) EXPECT_FALSE(TSignalTypes::HasDetails(code)) << code;
    for (int32_t code : {2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}) EXPECT_TRUE(TSignalTypes::HasDetails(code)) << code;
}

TEST(TSignalTypes, NamesMatchInAnyCaseOverTheWholeText)
{
    int32_t code = PulseSignal;
    EXPECT_TRUE(TSignalTypes::CodeOfName("noise", code));
    EXPECT_EQ(code, WhiteNoiseSignal);
    EXPECT_TRUE(TSignalTypes::CodeOfName("FREQ STEP", code));
    EXPECT_EQ(code, FreqStepSignal);
    EXPECT_TRUE(TSignalTypes::CodeOfName("imd test tones", code));
    EXPECT_EQ(code, IMDTonesSignal);
    for (const char* other : {"Freq", "Noise ", "IMD Tones", "", "Squarewave"}) {
        EXPECT_FALSE(TSignalTypes::CodeOfName(other, code)) << other;
        EXPECT_EQ(code, IMDTonesSignal);
    }
    EXPECT_FALSE(TSignalTypes::CodeOfName(nullptr, code));
}

TEST(TSignalTypes, OneShotKindsPlayOnce)
{
    struct TCase {
        int32_t Type;
        void (*Set)(SignalParams&);
        bool Continuous;
    } cases[] = {
        {UserDefinedSignal, [](SignalParams& p) { p.UserDefined.RepeatFlag = 0; }, false},
        {UserDefinedSignal, [](SignalParams&) {}, true},
        {FreqStepSignal, [](SignalParams& p) { p.FreqStep.SingleStepFlag = 1; }, false},
        {FreqSweepSignal, [](SignalParams& p) { p.FreqSweep.SingleSweepFlag = 1; }, false},
        {FreqSweepSignal, [](SignalParams&) {}, true},
        {DTMFSignal, [](SignalParams&) {}, false},
        {DTMFSignal, [](SignalParams& p) { p.DTMF.RepeatFlag = 1; }, true},
        {PulseSignal, [](SignalParams& p) { p.Pulse.OneShotFlag = 1; }, false},
        {Tone1kSignal, [](SignalParams& p) { p.Pulse.OneShotFlag = 1; }, true},
    };
    for (const TCase& c : cases) {
        SignalParams p = DefaultSignal(c.Type);
        c.Set(p);
        EXPECT_EQ(TSignalTypes::IsContinuous(p), c.Continuous) << c.Type;
    }
}
