#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "dialogs/TAveragingChoices.h"
#include "dialogs/TProcessingSettingsForm.h"
#include "base/TEngineHost.h"

namespace {

using Form = TProcessingSettingsForm;

// Fields as the dialog shows a default record, which OK stores unchanged.
Form::TFields FieldsOf(const AnalysisSettingsStruct& s)
{
    Form::TFields f;
    f.FftIndex = Form::FftSizeIndex(s.FFTsize);
    f.Decimation = std::to_string(s.DecimationRatio);
    f.LowPass = s.ApplyLowPassFilter != 0;
    f.AverageMode = s.AverageMode;
    f.AverageType = s.AverageType;
    f.SpeedIndex = TAveragingChoices::BlockCountIndex(s.AverageBlocks);
    f.SpeedText = TAveragingChoices::BlockCounts[f.SpeedIndex];
    f.PeakHold = s.PeakHold;
    f.Window = s.SmoothingWindow;
    f.Overlap = std::to_string(s.OverlapPercent);
    f.ChannelProcessing = s.ChannelProcessing;
    f.Delay = "0.000";
    f.LeftDelayed = s.DelayChannel == 0;
    f.RightDelayed = s.DelayChannel == 1;
    f.OverloadDetection = s.EnableOverloadDetection != 0;
    return f;
}

}

TEST(TProcessingSettingsForm, FftSizesAndBlockCountsFindTheirEntries)
{
    const std::pair<uint32_t, int> sizes[] = {{32, 0}, {16384, 9}, {1048576, 15}, {1000, 0}, {0, 0}, {2097152, 0}};
    for (auto [size, index] : sizes) {
        SCOPED_TRACE(size);
        EXPECT_EQ(Form::FftSizeIndex(size), index);
    }
    EXPECT_EQ(Form::FftSize(-1), 0u);
    EXPECT_EQ(Form::FftSize(16), 0u);

    const std::pair<uint32_t, int> blocks[] = {{1, 0}, {4, 3}, {15, 10}, {1000, 28}, {25, 29}, {1000000, 29}, {0, 29}};
    for (auto [count, index] : blocks) {
        SCOPED_TRACE(count);
        EXPECT_EQ(TAveragingChoices::BlockCountIndex(count), index);
    }
    EXPECT_EQ(TAveragingChoices::BlocksOf("Infinite"), TAveragingChoices::InfiniteBlocks);
    EXPECT_EQ(TAveragingChoices::BlocksOf("300"), 300u);
    EXPECT_EQ(TAveragingChoices::BlocksOf("Slow"), 0u);
}

TEST(TProcessingSettingsForm, RateListHoldsTheAcceptedRatesAndTheStoredOne)
{
    auto all = [](uint32_t) { return true; };
    auto upTo48k = [](uint32_t rate) { return rate <= 48000; };
    std::vector<uint32_t> list = Form::RateList(44100, false, all);
    EXPECT_EQ(list, std::vector<uint32_t>(std::begin(Form::Rates), std::end(Form::Rates)));
    list = Form::RateList(37000, false, upTo48k);
    EXPECT_EQ(list, (std::vector<uint32_t>{4000, 5512, 6000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100,
                                           48000, 37000}));
    EXPECT_EQ(Form::RateList(96000, false, upTo48k).back(), 96000u);
    EXPECT_EQ(Form::RateList(96000, true, all), std::vector<uint32_t>{96000});
}

// Read-outs against the fixture script's exact arithmetic.
TEST(TProcessingSettingsForm, ReadoutsMatchTheReference)
{
    std::ifstream in(TONALYX_FIXTURES "/dialogs/settings_readouts.txt");
    ASSERT_TRUE(in.good());
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> parts;
        std::stringstream fields(line);
        for (std::string part; std::getline(fields, part, '|');) parts.push_back(part);
        ASSERT_EQ(parts.size(), 5u) << line;
        std::string rate, decimation, overlap;
        uint32_t points = 0;
        std::stringstream(parts[0]) >> rate >> points >> decimation >> overlap;
        SCOPED_TRACE(parts[0]);
        for (bool post : {true, false}) {
            Form::TReadouts r;
            ASSERT_TRUE(Form::Readouts(rate, Form::FftSizeIndex(points), decimation, overlap, post, r));
            EXPECT_EQ(r.Resolution, parts[1]);
            EXPECT_EQ(r.Limit, parts[2]);
            EXPECT_EQ(r.Time, parts[post ? 3 : 4]);
        }
        ++rows;
    }
    EXPECT_EQ(rows, 6);
}

TEST(TProcessingSettingsForm, ReadoutsWaitForARateASizeAndADecimation)
{
    Form::TReadouts r{"a", "b", "c"};
    EXPECT_FALSE(Form::Readouts("44100", 9, "", "75", true, r));
    EXPECT_FALSE(Form::Readouts("", 9, "1", "75", true, r));
    EXPECT_FALSE(Form::Readouts("-44100", 9, "1", "75", true, r));
    EXPECT_FALSE(Form::Readouts("44100", -1, "1", "75", true, r));
    EXPECT_EQ(r.Resolution, "a");
}

TEST(TProcessingSettingsForm, ATypedRateMustBeAboveZero)
{
    for (const char* text : {"0", "-5", "abc", "", "-4294967295"}) {
        SCOPED_TRACE(text);
        uint32_t rate = 123;
        const Form::TVerdict v = Form::CheckRate(text, rate);
        EXPECT_FALSE(v.Passed);
        EXPECT_EQ(v.Message, "Sampling rate must be greater than zero");
        EXPECT_EQ(v.Style, TEngineHost::MsgIconStop);
        EXPECT_EQ(rate, 123u);
    }
    uint32_t rate = 0;
    EXPECT_TRUE(Form::CheckRate("37000 Hz", rate).Passed);
    EXPECT_EQ(rate, 37000u);
}

// Rates the settings door would refuse are refused in the dialog, with a message.
TEST(TProcessingSettingsForm, ATypedRateMustBeOneTheWaveFormatTakes)
{
    const struct {
        const char* Text;
        bool Passed;
    } cases[] = {{"999", false}, {"1000", true}, {"768000", true}, {"768001", false}, {"4000000", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        uint32_t rate = 123;
        const Form::TVerdict v = Form::CheckRate(c.Text, rate);
        EXPECT_EQ(v.Passed, c.Passed);
        if (c.Passed) continue;
        EXPECT_EQ(v.Message, "Sampling rate must be between 1000 and 768000 Hz");
        EXPECT_EQ(v.Style, TEngineHost::MsgIconStop);
        EXPECT_EQ(rate, 123u);
    }
}

// Each check in its order: the fields before a refusal are stored, the ones
// after it are not.
TEST(TProcessingSettingsForm, OkChecksInOrderAndStoresWhatPassed)
{
    struct Case {
        const char* Name;
        void (*Edit)(Form::TFields&);
        Form::TField Failed;
        const char* Message;
        unsigned Style;
    };
    const Case cases[] = {
        {"decimation 0", [](Form::TFields& f) { f.Decimation = "0"; }, Form::TField::Decimation,
         "Decimation Ratio must be between 1 and 50", TEngineHost::MsgIconInformation},
        {"decimation 51", [](Form::TFields& f) { f.Decimation = "51"; }, Form::TField::Decimation,
         "Decimation Ratio must be between 1 and 50", TEngineHost::MsgIconInformation},
        {"decimation 50", [](Form::TFields& f) { f.Decimation = "50"; }, Form::TField::None, "", 0},
        {"overlap 100", [](Form::TFields& f) { f.Overlap = "100"; }, Form::TField::Overlap,
         "Overlap Percentage must be between 0 and 99%", TEngineHost::MsgIconStop},
        {"overlap -1", [](Form::TFields& f) { f.Overlap = "-1"; }, Form::TField::Overlap,
         "Overlap Percentage must be between 0 and 99%", TEngineHost::MsgIconStop},
        {"overlap 99", [](Form::TFields& f) { f.Overlap = "99"; }, Form::TField::None, "", 0},
        {"delay 1000.5", [](Form::TFields& f) { f.Delay = "1000.5"; }, Form::TField::Delay,
         "Delay must be between 0 and 1,000 milliseconds", TEngineHost::MsgIconStop},
        {"delay -0.001", [](Form::TFields& f) { f.Delay = "-0.001"; }, Form::TField::Delay,
         "Delay must be between 0 and 1,000 milliseconds", TEngineHost::MsgIconStop},
        {"delay 1000.0", [](Form::TFields& f) { f.Delay = "1000.0"; }, Form::TField::None, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        AnalysisSettingsStruct record;
        Form::TFields f = FieldsOf(record);
        f.FftIndex = 10;
        f.PeakHold = 4;
        f.Independent = true;
        c.Edit(f);
        const Form::TOutcome out = Form::Store(f, true, record);
        EXPECT_EQ(out.Failed, c.Failed);
        EXPECT_EQ(out.Verdict.Message, c.Message);
        EXPECT_EQ(out.Verdict.Style, c.Style);
        EXPECT_EQ(record.FFTsize, 32768u);
        EXPECT_EQ(record.PeakHold, c.Failed == Form::TField::Decimation ? 2 : 4);
        EXPECT_EQ(record.IndependentScalingAndCalibration,
                  c.Failed == Form::TField::None || c.Failed == Form::TField::Delay ? 1u : 0u);
    }
}

TEST(TProcessingSettingsForm, OkStoresAveragingWindowAndOverlapByMode)
{
    AnalysisSettingsStruct record;
    Form::TFields f = FieldsOf(record);
    f.AverageMode = AnalysisSettingsStruct::TimedAveraging;
    f.AverageType = 2;
    f.SpeedIndex = 3;
    f.SpeedText = "Slow";
    f.Window = -1;
    record.SmoothingWindow = 9;
    f.Overlap = "200";
    ASSERT_EQ(Form::Store(f, false, record).Failed, Form::TField::None);
    EXPECT_EQ(record.AverageType, 0);
    EXPECT_EQ(record.AverageSpeed, 3);
    EXPECT_EQ(record.AverageBlocks, 4u);
    EXPECT_EQ(record.SmoothingWindow, 9);
    EXPECT_EQ(record.OverlapPercent, 75);

    f = FieldsOf(record);
    f.AverageMode = AnalysisSettingsStruct::BlockAveraging;
    f.AverageType = 1;
    f.SpeedIndex = 29;
    f.SpeedText = "Infinite";
    f.Overlap = "0";
    f.Delay = "12.5";
    f.RightDelayed = true;
    f.LeftDelayed = false;
    ASSERT_EQ(Form::Store(f, true, record).Failed, Form::TField::None);
    EXPECT_EQ(record.AverageType, 1);
    EXPECT_EQ(record.AverageBlocks, 1000000u);
    EXPECT_EQ(record.OverlapPercent, 0);
    EXPECT_EQ(record.DelayTimeMsec, 12.5f);
    EXPECT_EQ(record.DelayChannel, 1);
}

// The format's derived values follow the chosen width.
TEST(TProcessingSettingsForm, OkDerivesTheFormat)
{
    AnalysisSettingsStruct record;
    record.Format.SamplingRate = 96000;
    record.Format.NumChannels = 2;
    record.Format.BytesPerSample = 3;
    ASSERT_EQ(Form::Store(FieldsOf(record), false, record).Failed, Form::TField::None);
    EXPECT_EQ(record.Format.BitsPerSample, 24);
    EXPECT_EQ(record.Format.MaxValue, 8388607);
    EXPECT_EQ(record.Format.MinValue, -8388607);
    EXPECT_EQ(record.Format.SamplingRate, 96000u);
}

TEST(TProcessingSettingsForm, FieldsOfARecordStoreItBackUnchanged)
{
    AnalysisSettingsStruct timed;
    timed.FFTsize = 4096;
    timed.DecimationRatio = 3;
    timed.ApplyLowPassFilter = 0;
    timed.AverageMode = AnalysisSettingsStruct::TimedAveraging;
    timed.PeakHold = 4;
    timed.SmoothingWindow = 1;
    timed.OverlapPercent = 75;
    timed.IndependentScalingAndCalibration = 1;
    timed.ChannelProcessing = 12;
    timed.DelayTimeMsec = 12.25f;
    timed.DelayChannel = 1;
    timed.EnableOverloadDetection = 0;
    timed.ExcludeOverloadFlag = 1;
    for (const AnalysisSettingsStruct& record : {AnalysisSettingsStruct{}, timed}) {
        SCOPED_TRACE(record.AverageMode);
        TProcessingSettingsForm::TFields f = TProcessingSettingsForm::FieldsOf(record);
        EXPECT_NE(f.LeftDelayed, f.RightDelayed);
        AnalysisSettingsStruct stored = record;
        stored.FFTsize = 32;
        stored.DecimationRatio = 9;
        stored.OverlapPercent = 1;
        stored.DelayTimeMsec = 900.0f;
        stored.ChannelProcessing = 0;
        stored.PeakHold = 0;
        ASSERT_EQ(TProcessingSettingsForm::Store(f, true, stored).Failed, TProcessingSettingsForm::TField::None);
        EXPECT_EQ(stored.FFTsize, record.FFTsize);
        EXPECT_EQ(stored.DecimationRatio, record.DecimationRatio);
        EXPECT_EQ(stored.ApplyLowPassFilter, record.ApplyLowPassFilter);
        EXPECT_EQ(stored.AverageMode, record.AverageMode);
        EXPECT_EQ(stored.PeakHold, record.PeakHold);
        EXPECT_EQ(stored.SmoothingWindow, record.SmoothingWindow);
        EXPECT_EQ(stored.OverlapPercent, record.OverlapPercent);
        EXPECT_EQ(stored.IndependentScalingAndCalibration, record.IndependentScalingAndCalibration);
        EXPECT_EQ(stored.ChannelProcessing, record.ChannelProcessing);
        EXPECT_EQ(stored.DelayTimeMsec, record.DelayTimeMsec);
        EXPECT_EQ(stored.DelayChannel, record.DelayChannel);
        EXPECT_EQ(stored.EnableOverloadDetection, record.EnableOverloadDetection);
        EXPECT_EQ(stored.ExcludeOverloadFlag, record.ExcludeOverloadFlag);
    }
    AnalysisSettingsStruct unknownMode;
    unknownMode.ChannelProcessing = TProcessingSettingsForm::ChannelModeCount;
    EXPECT_EQ(TProcessingSettingsForm::FieldsOf(unknownMode).ChannelProcessing, -1);
}
