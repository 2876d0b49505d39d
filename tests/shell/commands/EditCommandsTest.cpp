// The recording edit, filter, peak search band, processing delay and
// utility window commands on a real frame in Post Process of the stereo sox
// tone (1 kHz at 0.5, its third harmonic at 0.005, 3 s at 48 kHz).
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "engine/TWaveFile.h"
#include "tests/shell/commands/CommandTestMain.h"
#include "utilities/TDelayFinder.h"

namespace {

constexpr uint32_t Rate = 48000;
const std::string Tone = Fixture("automation/tone_1k_h3.wav");

std::vector<int32_t> Samples(TWaveFile& wave, uint16_t channel)
{
    std::vector<int32_t> v(wave.GetHighWaterMark());
    for (uint32_t i = 0; i < v.size(); ++i) v[i] = int32_t(wave.GetSample(i, channel, 0));
    return v;
}

std::vector<int32_t> Slice(const std::vector<int32_t>& v, size_t from, size_t to)
{
    return {v.begin() + ptrdiff_t(from), v.begin() + ptrdiff_t(to)};
}

// The amplitude of one frequency over frames [from, to), by a plain DFT sum.
double Amplitude(const std::vector<int32_t>& v, size_t from, size_t to, double frequency)
{
    double re = 0.0, im = 0.0;
    for (size_t i = from; i < to; ++i) {
        const double phase = 2.0 * std::numbers::pi * frequency * double(i) / Rate;
        re += v[i] * std::cos(phase);
        im += v[i] * std::sin(phase);
    }
    return 2.0 * std::hypot(re, im) / double(to - from) / 32768.0;
}

// The clipboard emptied, or holding a CF_WAVE block of these bytes.
void SetClipboardWave(const std::string* bytes)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    if (bytes) {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes->size());
        std::memcpy(::GlobalLock(block), bytes->data(), bytes->size());
        ::GlobalUnlock(block);
        ::SetClipboardData(CF_WAVE, block);
    }
    ::CloseClipboard();
}

// One frame for the whole suite (making and destroying one takes seconds
// under Wine); each test starts with the tone freshly opened and no utility
// window open.
struct TEditCommands : ::testing::Test {
    static inline std::unique_ptr<TTempFolder> Folder;
    static inline std::unique_ptr<TMainWin> Main;
    std::vector<int32_t> Left;  // the tone's left channel as the file holds it

    static void SetUpTestSuite()
    {
        Folder = std::make_unique<TTempFolder>();
        Main = NewQuietMain(Folder->File("Tonalyx.exe"));
        State(Main).FileIO().WaveFileMode = TWaveFile::Memory;
        Main->SetConfiguredFolder(TMainWin::WavFolder, Folder->Path.c_str());
        ASSERT_TRUE(Main->Create());
        Pump();
    }
    static void TearDownTestSuite()
    {
        if (Main && Main->Wave()) Main->Wave()->Changed = 0;
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
        Folder.reset();
    }
    void SetUp() override
    {
        ASSERT_TRUE(Main && Main->GetHandle());
        for (auto [type, toggle] : {std::pair{ViewType::Generator, &TMainWin::CmSignalGenerator},
                                    std::pair{ViewType::PhaseScope, &TMainWin::CmPhaseScope},
                                    std::pair{ViewType::DelayFinder, &TMainWin::CmDelayFinder},
                                    std::pair{ViewType::Leq, &TMainWin::CmLeq}})
            if (Main->IsWindowOpen(type)) (Main.get()->*toggle)();
        if (Main->Wave()) Main->Wave()->Changed = 0;
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).Filter() = FilterSettings{};
        Main->SetConfiguredFolder(TMainWin::TmpFolder, Folder->Path.c_str());
        Main->OpenWaveFile(Tone.c_str());
        Pump();
        ASSERT_NE(Main->Wave(), nullptr);
        ASSERT_EQ(Main->Wave()->GetFrameCount(), 3 * Rate);
        Left = Samples(*Main->Wave(), 0);
        Host().Messages.clear();
    }
    uint32_t Send(const std::string& command)
    {
        const uint32_t answer = Main->ExecuteCommand(command);
        Pump();
        return answer;
    }
};

}  // namespace

TEST_F(TEditCommands, EditsActOnTheTimeRangeTheyName)
{
    // Copy leaves the wave as it is; its half second pastes back at 2 s.
    EXPECT_EQ(Send("[Copy Time Segment 0.5 1.0]"), Done);
    EXPECT_EQ(Samples(*Main->Wave(), 0), Left);
    EXPECT_EQ(Send("[Paste Time Segment 2]"), Done);
    std::vector<int32_t> pasted = Slice(Left, 0, 2 * Rate);
    pasted.insert(pasted.end(), Left.begin() + Rate / 2, Left.begin() + Rate);
    pasted.insert(pasted.end(), Left.begin() + 2 * Rate, Left.end());
    EXPECT_EQ(Samples(*Main->Wave(), 0), pasted);

    // Cut takes the half second out again.
    EXPECT_EQ(Send("[Cut Time Segment 2 2.5]"), Done);
    EXPECT_EQ(Samples(*Main->Wave(), 0), Left);

    // Mute silences only its range.
    EXPECT_EQ(Send("[Mute Time Segment 1 1.5]"), Done);
    const std::vector<int32_t> muted = Samples(*Main->Wave(), 0);
    EXPECT_EQ(Slice(muted, 0, Rate), Slice(Left, 0, Rate));
    EXPECT_EQ(Slice(muted, Rate, Rate * 3 / 2), std::vector<int32_t>(Rate / 2, 0));
    EXPECT_EQ(Slice(muted, Rate * 3 / 2, 3 * Rate), Slice(Left, Rate * 3 / 2, 3 * Rate));

    // A single number, or none, is acknowledged and changes nothing.
    for (const char* command : {"[Cut Time Segment 0.5]", "[Mute Time Segment 0.5]", "[Apply Filter 0.5]",
                                "[Paste Time Segment ]", "[Copy Time Segment x]"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Send(command), Done);
        EXPECT_EQ(Samples(*Main->Wave(), 0), muted);
    }
}

TEST_F(TEditCommands, FilterTakesTheHarmonicOutOfItsRangeOnly)
{
    // The default filter: a low pass at 2 kHz.
    EXPECT_EQ(Send("[Apply Filter 0.5 1.5]"), Done);
    const std::vector<int32_t> filtered = Samples(*Main->Wave(), 0);
    EXPECT_EQ(Slice(filtered, 0, Rate / 2), Slice(Left, 0, Rate / 2));
    EXPECT_EQ(Slice(filtered, Rate * 3 / 2, 3 * Rate), Slice(Left, Rate * 3 / 2, 3 * Rate));
    // Inside, past the filter's start-up: the 3 kHz harmonic 30 dB down, the 1 kHz tone kept.
    const size_t from = Rate * 6 / 10, to = Rate * 14 / 10;
    EXPECT_NEAR(Amplitude(Left, from, to, 3000.0), 0.005, 0.0005);
    EXPECT_LT(Amplitude(filtered, from, to, 3000.0), 0.005 * 0.03);
    EXPECT_NEAR(Amplitude(filtered, from, to, 1000.0), 0.5, 0.5 * 0.06);
    EXPECT_EQ(Main->Wave()->Changed, 1u);
}

TEST_F(TEditCommands, PasteWithoutAWaveOpensTheClipboardsWaveOrKeepsNone)
{
    ASSERT_EQ(Send("[Copy Time Segment 0.5 1.0]"), Done);
    Main->ReplaceWave(nullptr);

    // Nothing to paste from: Real Time, an empty clipboard, a block that is
    // no wave, a temporary folder that cannot be made.
    const std::string junk = "RIFF junk that is no wave at all";
    const std::string notAFolder = Folder->File("plain.txt");
    ::CloseHandle(::CreateFileA(notAFolder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    struct TRefusal {
        const char* What;
        std::function<void()> Prepare;
    };
    const TRefusal refusals[] = {
        {"real time", [&] { State(Main).OpMode() = TMainWin::RealTime; }},
        {"empty clipboard", [&] { SetClipboardWave(nullptr); }},
        {"no wave", [&] { SetClipboardWave(&junk); }},
        {"no temporary folder", [&] { Main->SetConfiguredFolder(TMainWin::TmpFolder, (notAFolder + "\\tmp").c_str()); }},
    };
    std::string wave;
    {
        // The copied wave, as the clipboard holds it, for the cases after each refusal.
        ASSERT_TRUE(::OpenClipboard(nullptr));
        HGLOBAL block = ::GetClipboardData(CF_WAVE);
        ASSERT_NE(block, nullptr);
        wave.assign(static_cast<const char*>(::GlobalLock(block)), ::GlobalSize(block));
        ::GlobalUnlock(block);
        ::CloseClipboard();
    }
    for (const TRefusal& r : refusals) {
        SCOPED_TRACE(r.What);
        SetClipboardWave(&wave);
        r.Prepare();
        EXPECT_EQ(Send("[Paste Time Segment 0]"), 0u);
        EXPECT_EQ(Main->Wave(), nullptr);
        State(Main).OpMode() = TMainWin::PostProcess;
        Main->SetConfiguredFolder(TMainWin::TmpFolder, Folder->Path.c_str());
    }

    // The copy opens as a changed, untitled wave in its own format.
    SetClipboardWave(&wave);
    State(Main).Settings().Format = TWaveFormat(8000, 1, 1);
    EXPECT_EQ(Send("[Paste Time Segment 0]"), Done);
    ASSERT_NE(Main->Wave(), nullptr);
    EXPECT_EQ(Samples(*Main->Wave(), 0), Slice(Left, Rate / 2, Rate));
    EXPECT_EQ(Main->Wave()->Changed, 1u);
    EXPECT_EQ(Main->Wave()->IsUntitled(), 1u);
    const TWaveFormat& format = Main->GetAnalysisSettings().Format;
    EXPECT_EQ(format.SamplingRate, Rate);
    EXPECT_EQ(format.NumChannels, 2);
    EXPECT_EQ(format.BytesPerSample, 2);
    EXPECT_FLOAT_EQ(Main->TimePosition(), 0.0f);
    EXPECT_NE(Main->GetWindowText().find("[Untitled]"), std::string::npos);
}

TEST_F(TEditCommands, PeakSearchBandAndDelayKeepTheirRanges)
{
    struct TBand {
        const char* Command;
        float Low, High;
    };
    const TBand bands[] = {
        {"[Set Peak Search Bandwidth 100 2000]", 100.0f, 2000.0f},
        {"[Set Peak Search Bandwidth 500 100]", 500.0f, 9999999.0f},
        {"[Set Peak Search Bandwidth -5 2000]", 0.0f, 2000.0f},
        {"[Set Peak Search Bandwidth 500]", 0.0f, 9999999.0f},
        {"[Set Peak Search Bandwidth 20 1e300]", 20.0f, 9999999.0f},
    };
    for (const TBand& b : bands) {
        SCOPED_TRACE(b.Command);
        Main->SetPeakSearchBand(1.0f, 2.0f);
        EXPECT_EQ(Send(b.Command), Done);
        EXPECT_EQ(Main->GetPeakSearchLow(), b.Low);
        EXPECT_EQ(Main->GetPeakSearchHigh(), b.High);
    }

    struct TDelay {
        const char* Command;
        uint16_t Channel;
        float Ms;
        uint32_t Samples;
    };
    const TDelay delays[] = {
        {"[Set Delay -2.5]", 0, 2.5f, 120},
        {"[Set Delay 5000]", 1, 1000.0f, Rate},
        {"[Set Delay 0]", 1, 0.0f, 0},
        {"[Set Delay -1e300]", 0, 1000.0f, Rate},
        {"[Set Delay]", 1, 0.0f, 0},
    };
    for (const TDelay& d : delays) {
        SCOPED_TRACE(d.Command);
        State(Main).Settings().DelayChannel = 0;
        State(Main).Settings().DelayTimeMsec = 7.0f;
        EXPECT_EQ(Send(d.Command), Done);
        EXPECT_EQ(Main->GetAnalysisSettings().DelayChannel, d.Channel);
        EXPECT_EQ(Main->GetAnalysisSettings().DelayTimeMsec, d.Ms);
        EXPECT_EQ(Main->GetAnalysisSettings().DelaySamples, d.Samples);
    }
}

TEST_F(TEditCommands, WindowCommandsOpenAndCloseTheirWindowOnly)
{
    using V = ViewType;
    struct TStep {
        const char* Command;
        V Type;
        bool Open;
    };
    const TStep steps[] = {
        {"[Open Generator]", V::Generator, true},
        {"[Open PhaseScope]", V::PhaseScope, true},
        {"[Open DelayFinder]", V::DelayFinder, true},
        {"[Open Leq]", V::Leq, true},
        {"[Open Leq]", V::Leq, true},  // already open: stays open
        {"[Close Generator]", V::Generator, false},
        {"[Close PhaseScope]", V::PhaseScope, false},
        {"[Close DelayFinder]", V::DelayFinder, false},
        {"[Close Leq]", V::Leq, false},
        {"[Open Gen", V::Generator, true},  // a leading part of the keyword
    };
    for (const TStep& s : steps) {
        SCOPED_TRACE(s.Command);
        EXPECT_EQ(Send(s.Command), Done);
        EXPECT_EQ(Main->IsWindowOpen(s.Type), s.Open);
    }
    // "[Start Generator]" is matched whole only.
    EXPECT_EQ(Send("[Start Gen"), 0u);
    EXPECT_EQ(Send("[Stop Generator]"), Done);
    EXPECT_TRUE(Main->IsWindowOpen(V::Generator));
}

TEST_F(TEditCommands, UtilityCommandsReachTheOpenWindows)
{
    // Closed windows: acknowledged, nothing changes.
    State(Main).Settings().DelayTimeMsec = 7.0f;
    for (const char* command : {"[Apply DelayFinder]", "[Reset Leq]", "[Start Generator]", "[Stop Generator]"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Send(command), Done);
    }
    EXPECT_EQ(Main->GetAnalysisSettings().DelayTimeMsec, 7.0f);

    // The delay finder's measured delay (none yet: 0 ms) becomes the processing delay.
    ASSERT_EQ(Send("[Open DelayFinder]"), Done);
    ASSERT_NE(Main->DelayFinder(), nullptr);
    EXPECT_EQ(Send("[Apply DelayFinder]"), Done);
    EXPECT_EQ(Main->GetAnalysisSettings().DelayTimeMsec, Main->DelayFinder()->GetDelayMsec());
    EXPECT_EQ(Main->GetAnalysisSettings().DelayChannel, 1);

    // In mono the phase scope says why it stays closed; the command still succeeds.
    Main->ReplaceWave(nullptr);
    State(Main).Settings().Format = TWaveFormat(Rate, 1, 2);
    EXPECT_EQ(Send("[Open PhaseScope]"), Done);
    EXPECT_FALSE(Main->IsWindowOpen(ViewType::PhaseScope));
    ASSERT_FALSE(Host().Messages.empty());
    EXPECT_NE(Host().Messages.back().Text.find("Stereo"), std::string::npos);
}
