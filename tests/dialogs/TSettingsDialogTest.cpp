// The processing settings dialog on its template, with a test input port.
#include <functional>
#include <string>
#include "dialogs/TSettingsDialog.h"
#include "engine/TSmoothing.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using D = TSettingsDialog;

// A device that takes what Accepts says, at most Largest.
class TTestPortDialog : public TSettingsDialog {
public:
    using TSettingsDialog::TSettingsDialog;
    std::function<bool(uint32_t, uint16_t, uint16_t)> Accepts = [](uint32_t, uint16_t, uint16_t) { return true; };
    TWaveFormat Largest{44100, 2, 3};
    std::vector<uint32_t> Asked;

protected:
    bool InputAccepts(uint32_t rate, uint16_t bytes, uint16_t channels) override
    {
        Asked.push_back(rate);
        return Accepts(rate, bytes, channels);
    }
    TWaveFormat InputLargestFormat() override { return Largest; }
};

class SettingsDialog : public DialogTest {
protected:
    std::unique_ptr<TTestPortDialog> Open(bool locked = false)
    {
        auto dialog = std::make_unique<TTestPortDialog>(&Owner, Main, "DIALOG_SETTINGS", &Record, locked, 0);
        return dialog;
    }
    void Run(TTestPortDialog& d)
    {
        ASSERT_TRUE(d.Create());
        Boxes().Messages.clear();
    }
    AnalysisSettingsStruct Record;
};

}

// One row per field: what the user does before OK, and the message shown
// (the dialog stays open) or the record stored.
TEST_F(SettingsDialog, OkShowsTheFieldsMessageOrStoresIt)
{
    struct Row {
        const char* Name;
        bool PostProcess;
        std::function<void(AnalysisSettingsStruct&)> Stored;
        std::function<void(TDialog&)> Edit;
        const char* Message;
        unsigned Icon;
        std::function<void(const AnalysisSettingsStruct&, TDialog&)> Check;
    };
    const auto none = [](AnalysisSettingsStruct&) {};
    const Row rows[] = {
        {"decimation 0", false, none, [](TDialog& d) { Control::Type(d, D::DecimationId, "0"); },
         "Decimation Ratio must be between 1 and 50", MB_ICONINFORMATION, nullptr},
        {"decimation 51", false, none, [](TDialog& d) { Control::Type(d, D::DecimationId, "51"); },
         "Decimation Ratio must be between 1 and 50", MB_ICONINFORMATION, nullptr},
        {"decimation 50", false, none, [](TDialog& d) { Control::Type(d, D::DecimationId, "50"); }, nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) { EXPECT_EQ(s.DecimationRatio, 50); }},
        {"overlap 100", true, none, [](TDialog& d) { Control::Type(d, D::OverlapId, "100"); },
         "Overlap Percentage must be between 0 and 99%", MB_ICONSTOP,
         [](const AnalysisSettingsStruct&, TDialog& d) { EXPECT_EQ(Control::Text(d, D::OverlapId), "50"); }},
        {"overlap -1", true, none, [](TDialog& d) { Control::Type(d, D::OverlapId, "-1"); },
         "Overlap Percentage must be between 0 and 99%", MB_ICONSTOP,
         [](const AnalysisSettingsStruct&, TDialog& d) { EXPECT_EQ(Control::Text(d, D::OverlapId), "50"); }},
        {"overlap 99", true, none, [](TDialog& d) { Control::Type(d, D::OverlapId, "99"); }, nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) { EXPECT_EQ(s.OverlapPercent, 99); }},
        {"overlap outside Post Process", false, none, [](TDialog& d) { Control::Type(d, D::OverlapId, "100"); },
         nullptr, 0, [](const AnalysisSettingsStruct& s, TDialog&) { EXPECT_EQ(s.OverlapPercent, 75); }},
        {"delay 1000.5", false, [](AnalysisSettingsStruct& s) { s.Format.NumChannels = 2; },
         [](TDialog& d) { Control::Type(d, D::DelayId, "1000.5"); }, "Delay must be between 0 and 1,000 milliseconds",
         MB_ICONSTOP, nullptr},
        {"delay 1000.0", false, [](AnalysisSettingsStruct& s) { s.Format.NumChannels = 2; },
         [](TDialog& d) { Control::Type(d, D::DelayId, "1000.0"); }, nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) { EXPECT_EQ(s.DelayTimeMsec, 1000.0f); }},
        {"rate 0", false, none, [](TDialog& d) { Control::TypeInCombo(d, D::RateId, "0"); },
         "Sampling rate must be greater than zero", MB_ICONSTOP, nullptr},
        {"rate -5", false, none, [](TDialog& d) { Control::TypeInCombo(d, D::RateId, "-5"); },
         "Sampling rate must be greater than zero", MB_ICONSTOP, nullptr},
        {"rate 999", false, none, [](TDialog& d) { Control::TypeInCombo(d, D::RateId, "999"); },
         "Sampling rate must be between 1000 and 768000 Hz", MB_ICONSTOP, nullptr},
        {"rate typed 37000", false, none, [](TDialog& d) { Control::TypeInCombo(d, D::RateId, "37000"); }, nullptr,
         0, [](const AnalysisSettingsStruct& s, TDialog&) { EXPECT_EQ(s.Format.SamplingRate, 37000u); }},
        {"FFT size not in the list", false, [](AnalysisSettingsStruct& s) { s.FFTsize = 1000; }, nullptr, nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) { EXPECT_EQ(s.FFTsize, 32u); }},
        {"25 blocks", false, [](AnalysisSettingsStruct& s) { s.AverageBlocks = 25; }, nullptr, nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) { EXPECT_EQ(s.AverageBlocks, 1000000u); }},
        {"window 9 kept", false, [](AnalysisSettingsStruct& s) { s.SmoothingWindow = 9; }, nullptr, nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) { EXPECT_EQ(s.SmoothingWindow, 9); }},
        {"sound level meter", false, none,
         [](TDialog& d) {
             Control::Choose(d, D::AverageModeId, 1);
             Control::Choose(d, D::AverageTypeId, 2);
             Control::Choose(d, D::SpeedId, 3);
         },
         nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) {
             EXPECT_EQ(s.AverageMode, 1);
             EXPECT_EQ(s.AverageType, 0);
             EXPECT_EQ(s.AverageSpeed, 3);
             EXPECT_EQ(s.AverageBlocks, 4u);
         }},
        {"stereo", false, none, [](TDialog& d) { Control::Click(d, D::StereoId); }, nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) {
             EXPECT_EQ(s.Format.NumChannels, 2);
             EXPECT_EQ(s.ChannelProcessing, 2);
         }},
        {"24 bit", false, none, [](TDialog& d) { Control::Click(d, D::Bits24Id); }, nullptr, 0,
         [](const AnalysisSettingsStruct& s, TDialog&) {
             EXPECT_EQ(s.Format.BytesPerSample, 3);
             EXPECT_EQ(s.Format.MaxValue, 8388607);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        Record = AnalysisSettingsStruct{};
        row.Stored(Record);
        Main.PostProcess = row.PostProcess;
        auto dialog = Open();
        Run(*dialog);
        if (row.Edit) row.Edit(*dialog);
        const bool closed = Control::Ok(*dialog);
        EXPECT_EQ(closed, row.Message == nullptr);
        if (row.Message) {
            ASSERT_EQ(Boxes().Messages.size(), 1u);
            EXPECT_EQ(Boxes().Messages[0].Text, row.Message);
            EXPECT_EQ(Boxes().Messages[0].Caption, "Tonalyx");
            EXPECT_EQ(Boxes().Messages[0].Style, MB_OK | row.Icon);
        } else {
            EXPECT_TRUE(Boxes().Messages.empty());
        }
        if (row.Check) row.Check(Record, *dialog);
        if (!closed) dialog->Destroy();
    }
}

TEST_F(SettingsDialog, ReadoutsFollowTheFields)
{
    Record.Format.SamplingRate = 44100;
    Record.FFTsize = 16384;
    Record.DecimationRatio = 1;
    Record.OverlapPercent = 75;
    for (bool post : {true, false}) {
        SCOPED_TRACE(post ? "Post Process" : "Real Time");
        Main.PostProcess = post;
        auto d = Open();
        Run(*d);
        EXPECT_EQ(Control::Text(*d, D::ResolutionId), "2.692 Hz");
        EXPECT_EQ(Control::Text(*d, D::LimitId), "22050.000 Hz");
        EXPECT_EQ(Control::Text(*d, D::TimeId), post ? "92.88 (msecs)" : "371.52 (msecs)");
        EXPECT_EQ(Control::Enabled(*d, D::OverlapId), post);
        // A changed field changes them; an empty decimation leaves them.
        Control::Choose(*d, D::RateId, Control::Selection(*d, D::RateId) + 1);
        EXPECT_EQ(Control::Text(*d, D::RateId), "48000");
        EXPECT_EQ(Control::Text(*d, D::LimitId), "24000.000 Hz");
        Control::Type(*d, D::DecimationId, "");
        EXPECT_EQ(Control::Text(*d, D::LimitId), "24000.000 Hz");
        Control::Type(*d, D::DecimationId, "4");
        EXPECT_EQ(Control::Text(*d, D::LimitId), "6000.000 Hz");
        EXPECT_TRUE(Control::Enabled(*d, D::LowPassId));
        Control::Type(*d, D::DecimationId, "1");
        EXPECT_FALSE(Control::Enabled(*d, D::LowPassId));
        d->Destroy();
    }
}

TEST_F(SettingsDialog, ListsShowTheRecord)
{
    Record.Format.SamplingRate = 37000;
    Record.SmoothingWindow = TSmoothing::Kaiser;
    Record.PeakHold = 3;
    auto d = Open();
    d->Accepts = [](uint32_t rate, uint16_t, uint16_t) { return rate <= 48000; };
    Run(*d);
    EXPECT_EQ(Control::Entries(*d, D::RateId),
              (std::vector<std::string>{"4000", "5512", "6000", "8000", "11025", "12000", "16000", "22050", "24000",
                                        "32000", "44100", "48000", "37000"}));
    EXPECT_EQ(Control::Text(*d, D::RateId), "37000");
    EXPECT_EQ(Control::Entries(*d, D::WindowId),
              (std::vector<std::string>{"Bartlett", "Blackman", "Flat top", "Hamming", "Hanning", "Kaiser", "Parzen",
                                        "Triangular", "Uniform"}));
    EXPECT_EQ(Control::Text(*d, D::WindowId), "Kaiser");
    EXPECT_EQ(Control::Count(*d, D::FftSizeId), 16);
    EXPECT_EQ(Control::Entry(*d, D::FftSizeId, 15), "1048576");
    EXPECT_EQ(Control::Text(*d, D::FftSizeId), "16384");
    EXPECT_EQ(Control::Text(*d, D::PeakHoldId), "Slow");
    EXPECT_EQ(Control::Count(*d, D::SpeedId), 30);
    EXPECT_EQ(Control::Text(*d, D::SpeedId), "4");
    EXPECT_EQ(Control::Count(*d, D::ChannelProcessingId), 13);
    EXPECT_EQ(Control::Entry(*d, D::ChannelProcessingId, 12), "Complex Transfer (R/L) and Coherence");
    // Mono: the channel options are off and show the left channel.
    EXPECT_TRUE(Control::Checked(*d, D::MonoId));
    EXPECT_EQ(Control::Selection(*d, D::ChannelProcessingId), 0);
    for (int id : {D::IndependentId, D::ChannelProcessingId, D::DelayId, D::LeftDelayId, D::RightDelayId})
        EXPECT_FALSE(Control::Enabled(*d, id)) << id;
    Control::Click(*d, D::StereoId);
    EXPECT_EQ(Control::Text(*d, D::ChannelProcessingId), "Both Left and Right");
    EXPECT_TRUE(Control::Enabled(*d, D::DelayId));
    Control::Choose(*d, D::ChannelProcessingId, 6);
    Control::Click(*d, D::MonoId);
    EXPECT_EQ(Control::Text(*d, D::ChannelProcessingId), "Left channel only");
    EXPECT_FALSE(Control::Enabled(*d, D::DelayId));
    // Sound Level Meter lists the speeds and sets the type to exponential.
    Control::Choose(*d, D::AverageTypeId, 1);
    Control::Choose(*d, D::AverageModeId, 1);
    EXPECT_EQ(Control::Entries(*d, D::SpeedId),
              (std::vector<std::string>{"Off", "Fast", "Medium", "Slow", "Forever"}));
    EXPECT_EQ(Control::Selection(*d, D::AverageTypeId), 0);
    d->Destroy();
}

// Only the device's largest format is offered; a locked format is shown
// and stored as it is, and nothing is asked of the device at OK.
TEST_F(SettingsDialog, FormatButtonsFollowTheDeviceAndTheLock)
{
    Record.Format.Set(48000, 2, 3);
    {
        auto d = Open();
        d->Largest = TWaveFormat(44100, 1, 1);
        Run(*d);
        EXPECT_TRUE(Control::Checked(*d, D::MonoId));
        EXPECT_FALSE(Control::Enabled(*d, D::StereoId));
        EXPECT_TRUE(Control::Checked(*d, D::Bits8Id));
        EXPECT_FALSE(Control::Checked(*d, D::Bits24Id));
        EXPECT_FALSE(Control::Enabled(*d, D::Bits16Id));
        EXPECT_FALSE(Control::Enabled(*d, D::Bits24Id));
        d->Destroy();
    }
    {
        auto d = Open();
        d->Largest = TWaveFormat(44100, 2, 2);
        Run(*d);
        EXPECT_TRUE(Control::Checked(*d, D::StereoId));
        EXPECT_TRUE(Control::Enabled(*d, D::Bits16Id));
        EXPECT_FALSE(Control::Enabled(*d, D::Bits24Id));
        d->Destroy();
    }
    auto d = Open(true);
    d->Accepts = [](uint32_t, uint16_t, uint16_t) { return false; };
    Run(*d);
    EXPECT_EQ(Control::Entries(*d, D::RateId), std::vector<std::string>{"48000"});
    EXPECT_TRUE(d->Asked.empty());
    for (int id : {D::RateId, D::Bits8Id, D::Bits16Id, D::Bits24Id, D::MonoId, D::StereoId})
        EXPECT_FALSE(Control::Enabled(*d, id)) << id;
    EXPECT_TRUE(Control::Checked(*d, D::Bits24Id));
    EXPECT_TRUE(Control::Ok(*d));
    EXPECT_TRUE(Boxes().Messages.empty());
    EXPECT_TRUE(d->Asked.empty());
    EXPECT_EQ(Record.Format.SamplingRate, 48000u);
    EXPECT_EQ(Record.Format.NumChannels, 2);
    EXPECT_EQ(Record.Format.BytesPerSample, 3);
}

// Wine takes every rate, so a test port refuses one: No keeps the dialog
// and the record, Yes takes the rate.
TEST_F(SettingsDialog, ARefusedRateIsAskedAbout)
{
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        Record = AnalysisSettingsStruct{};
        auto d = Open();
        d->Accepts = [](uint32_t rate, uint16_t, uint16_t) { return rate != 37000; };
        Run(*d);
        Boxes().Reply = answer;
        Control::TypeInCombo(*d, D::RateId, "37000");
        Control::Type(*d, D::DecimationId, "2");
        const bool closed = Control::Ok(*d);
        ASSERT_EQ(Boxes().Messages.size(), 1u);
        EXPECT_EQ(Boxes().Messages[0].Text, D::RateQuestion);
        EXPECT_EQ(Boxes().Messages[0].Caption, "Tonalyx");
        EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(closed, answer == IDYES);
        EXPECT_EQ(Record.Format.SamplingRate, answer == IDYES ? 37000u : 44100u);
        EXPECT_EQ(Record.DecimationRatio, answer == IDYES ? 2 : 1);
        if (!closed) d->Destroy();
    }
}

TEST_F(SettingsDialog, LargeFftSizesAskTheMemoryCheck)
{
    for (int index : {11, 12}) {
        SCOPED_TRACE(index);
        Main.MemoryAsked.clear();
        Main.AllowMemory = false;
        auto d = Open();
        Run(*d);
        Control::Choose(*d, D::FftSizeId, index);
        const bool closed = Control::Ok(*d);
        EXPECT_EQ(closed, index == 11);
        EXPECT_EQ(Main.MemoryAsked.size(), index == 11 ? 0u : 1u);
        if (closed) continue;
        EXPECT_EQ(Main.MemoryAsked[0].FFTsize, 131072u);
        Main.AllowMemory = true;
        EXPECT_TRUE(Control::Ok(*d));
        EXPECT_EQ(Record.FFTsize, 131072u);
    }
}

// Defaults fills the controls and stores nothing; OK then stores them, the
// block count from the block list even when the meter speeds were shown.
TEST_F(SettingsDialog, DefaultsStoreNothingUntilOk)
{
    Record.Format.Set(48000, 2, 3);
    Record.FFTsize = 1024;
    Record.AverageMode = 1;
    Record.AverageSpeed = 3;
    Record.AverageType = 0;
    Record.SmoothingWindow = 9;
    Record.ChannelProcessing = 6;
    Record.OverlapPercent = 10;
    Main.PostProcess = true;
    const AnalysisSettingsStruct before = Record;
    auto d = Open();
    Run(*d);
    Control::Press(*d, D::DefaultsId);
    EXPECT_EQ(std::memcmp(&Record, &before, sizeof Record), 0);
    EXPECT_EQ(Control::Text(*d, D::SpeedId), "4");
    EXPECT_EQ(Control::Text(*d, D::WindowId), "Hanning");
    EXPECT_EQ(Control::Text(*d, D::RateId), "44100");
    EXPECT_EQ(Control::Text(*d, D::DelayId), "0.0");
    EXPECT_TRUE(Control::Checked(*d, D::RightDelayId));
    ASSERT_TRUE(Control::Ok(*d));
    EXPECT_EQ(Record.Format.SamplingRate, 44100u);
    EXPECT_EQ(Record.Format.NumChannels, 1);
    EXPECT_EQ(Record.Format.BytesPerSample, 2);
    EXPECT_EQ(Record.FFTsize, 8192u);
    EXPECT_EQ(Record.AverageMode, 0);
    EXPECT_EQ(Record.AverageBlocks, 4u);
    EXPECT_EQ(Record.PeakHold, 2);
    EXPECT_EQ(Record.SmoothingWindow, TSmoothing::Hanning);
    EXPECT_EQ(Record.OverlapPercent, 50);
    EXPECT_EQ(Record.ChannelProcessing, 0);
    EXPECT_EQ(Record.DelayChannel, 1);
    EXPECT_EQ(Record.EnableOverloadDetection, 1u);
}

TEST_F(SettingsDialog, HelpOpensItsContext)
{
    auto d = Open();
    Run(*d);
    ExpectHelp(*d, D::HelpId, 240);
    d->Destroy();
}

// The spin bars step their fields within the dialog's limits, the delay by
// one sample period.
TEST_F(SettingsDialog, SpinBarsStepTheirFields)
{
    Record.Format.Set(48000, 2, 2);
    Record.DecimationRatio = 50;
    Record.OverlapPercent = 0;
    Main.PostProcess = true;
    auto d = Open();
    Run(*d);
    const struct {
        int Spin, Field;
        UINT Code;
        const char* Text;
    } steps[] = {
        {D::DecimationSpinId, D::DecimationId, SB_LINEUP, "50"},
        {D::DecimationSpinId, D::DecimationId, SB_LINEDOWN, "49"},
        {D::OverlapSpinId, D::OverlapId, SB_LINEDOWN, "0"},
        {D::OverlapSpinId, D::OverlapId, SB_LINEUP, "1"},
        {D::DelaySpinId, D::DelayId, SB_LINEUP, "0.021"},
        {D::DelaySpinId, D::DelayId, SB_LINEUP, "0.042"},
        {D::DelaySpinId, D::DelayId, SB_LINEDOWN, "0.021"},
    };
    for (const auto& s : steps) {
        Control::Spin(*d, s.Spin, s.Code);
        EXPECT_EQ(Control::Text(*d, s.Field), s.Text) << s.Spin;
    }
    // 48000 / 2 / 49.
    EXPECT_EQ(Control::Text(*d, D::LimitId), "489.796 Hz");
    d->Destroy();
}
