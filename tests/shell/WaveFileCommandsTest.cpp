// The main window's commands that make a new wave or filter the open one:
// Decimate writes numpy's rendering to a new file and leaves the wave as it
// was, or writes nothing for a ratio below the lowest sampling rate; Merge
// opens the two sources as one untitled stereo wave or refuses them; and a
// filter cancelled by Esc or built from a missing response file leaves the
// wave and its undo as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/THeadlessEngineHost.h"
#include "engine/TWaveFile.h"
#include "framework/UiHelpers.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/engine/Fixture.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

THeadlessEngineHost& Host()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

// The 16-bit samples of channel c of a wave.
std::vector<int32_t> Samples(TWaveFile& wave, uint16_t c)
{
    std::vector<int32_t> v(wave.GetHighWaterMark());
    for (uint32_t i = 0; i < v.size(); ++i)
        v[i] = int32_t(wave.GetSample(i, c, 0));
    return v;
}

// A RIFF WAVE file read field by field, as another program reads it.
struct TRiff {
    uint16_t Channels = 0, Bits = 0;
    uint32_t Rate = 0;
    std::vector<int16_t> Data;
};

TRiff ReadRiff(const std::string& path)
{
    TRiff riff;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return riff;
    std::vector<uint8_t> bytes;
    uint8_t block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;)
        bytes.insert(bytes.end(), block, block + n);
    std::fclose(f);
    auto u32 = [&](size_t at) { return uint32_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24); };
    auto u16 = [&](size_t at) { return uint16_t(bytes[at] | bytes[at + 1] << 8); };
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(&bytes[8], "WAVE", 4)) return riff;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = u32(at + 4);
        if (at + 8 + size > bytes.size()) break;
        if (!std::memcmp(&bytes[at], "fmt ", 4)) {
            riff.Channels = u16(at + 10);
            riff.Rate = u32(at + 12);
            riff.Bits = u16(at + 22);
        } else if (!std::memcmp(&bytes[at], "data", 4)) {
            riff.Data.resize(size / 2);
            std::memcpy(riff.Data.data(), &bytes[at + 8], size / 2 * 2);
        }
        at += 8 + size + (size & 1);
    }
    return riff;
}

struct TWaveFileCommands : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);

    void SetUp() override
    {
        SetStringInstance(::GetModuleHandleA(nullptr));
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).FileIO().WaveFileMode = 0;
        for (int f : {TMainWin::WavFolder, TMainWin::TmpFolder}) {
            Main->SetConfiguredFolder(f, Folder.Path.c_str());
            Main->SetCurrentFolder(f, Folder.Path.c_str());
        }
        Host().Messages.clear();
    }
    void TearDown() override
    {
        if (Main->Wave()) Main->Wave()->Changed = 0;
        Main->ReplaceWave(nullptr);
    }

    // Makes the wave of the channels the open one, in the analysis format.
    void OpenWave(uint32_t rate, const std::vector<std::vector<double>>& channels)
    {
        const TWaveFormat format(rate, uint16_t(channels.size()), 2);
        const uint32_t frames = uint32_t(channels[0].size());
        Main->ReplaceWave(std::make_unique<TWaveFile>(frames, format, Folder.Path.c_str()));
        for (uint32_t i = 0; i < frames; ++i)
            for (uint16_t c = 0; c < channels.size(); ++c)
                Main->Wave()->PutSample(int32_t(channels[c][i]), i, c);
        Main->Wave()->Rewind();
        // As a file just opened.
        Main->Wave()->Changed = 0;
        State(Main).Settings().Format = format;
    }

    // A mono or stereo 16-bit file of a ramp, saved under name.
    std::string SaveWave(const char* name, uint32_t rate, uint32_t frames, uint16_t channels = 1, uint16_t bytes = 2)
    {
        TWaveFile wave(frames, TWaveFormat(rate, channels, bytes), Folder.Path.c_str());
        for (uint32_t i = 0; i < frames; ++i)
            for (uint16_t c = 0; c < channels; ++c)
                wave.PutSample(int32_t((i * 7 + c * 1000 + rate) % 20000) - 10000, i, c);
        const std::string path = Folder.File(name);
        wave.SetFileName(path.c_str());
        EXPECT_EQ(wave.Save(), 1);
        return path;
    }
};

}  // namespace

// 10,500 frames by 2: five blocks of 2,000 frames and the 500-frame
// remainder, 5,250 frames equal to numpy's 39-tap low pass (computed in
// double, truncated: within 1 LSB) and every second sample.
TEST_F(TWaveFileCommands, DecimateWritesNumpysRenderingAndLeavesTheWave)
{
    const auto fixture = ReadFixture("edit_decimate.txt");
    ASSERT_EQ(fixture.size(), 4u);
    OpenWave(8000, {fixture[0], fixture[1]});
    const std::vector<int32_t> before = Samples(*Main->Wave(), 0);
    const std::string path = Folder.File("decimated.wav");
    ASSERT_TRUE(Main->DecimateFile(path.c_str(), 2, 1));

    const TRiff riff = ReadRiff(path);
    EXPECT_EQ(riff.Channels, 2u);
    EXPECT_EQ(riff.Rate, 4000u);
    EXPECT_EQ(riff.Bits, 16u);
    ASSERT_EQ(riff.Data.size(), 2 * 5250u);
    for (size_t i = 0; i < 5250; ++i) {
        ASSERT_NEAR(riff.Data[2 * i], fixture[2][i], 1.0) << i;
        ASSERT_NEAR(riff.Data[2 * i + 1], fixture[3][i], 1.0) << i;
    }
    EXPECT_EQ(Samples(*Main->Wave(), 0), before);
    EXPECT_EQ(Main->Wave()->Changed, 0u);
}

// A file below the lowest sampling rate would not open again: nothing is written.
TEST_F(TWaveFileCommands, DecimateBelowTheLowestRateIsRefused)
{
    OpenWave(8000, {std::vector<double>(4000, 100.0)});
    const std::string path = Folder.File("decimated.wav");
    EXPECT_FALSE(Main->DecimateFile(path.c_str(), 9, 1));
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text,
              "A Decimation Ratio of 9 would give 888 Hz: the lowest sampling rate is 1000 Hz.");
    ASSERT_TRUE(Main->DecimateFile(path.c_str(), 8, 1));
    EXPECT_EQ(ReadRiff(path).Rate, 1000u);
}

TEST_F(TWaveFileCommands, MergeOpensTheSourcesAsOneUntitledStereoWave)
{
    const std::string left = SaveWave("left.wav", 8000, 8000), right = SaveWave("right.wav", 8000, 16000);
    for (int32_t mode : {0, 1}) {
        SCOPED_TRACE(mode ? "disk" : "memory");
        State(Main).FileIO().WaveFileMode = mode;
        State(Main).FileIO().MakeBackup = 1;
        ASSERT_TRUE(Main->MergeFiles(left.c_str(), right.c_str()));
        TWaveFile& merged = *Main->Wave();
        EXPECT_EQ(merged.IsDiskBased(), uint16_t(mode));
        EXPECT_EQ(merged.IsUntitled(), 1u);
        EXPECT_EQ(merged.Changed, 1u);
        EXPECT_EQ(Main->GetAnalysisSettings().Format.NumChannels, 2u);
        EXPECT_EQ(Main->GetAnalysisSettings().Format.SamplingRate, 8000u);
        TWaveFile l(left.c_str(), TWaveFile::Memory, 0, nullptr), r(right.c_str(), TWaveFile::Memory, 0, nullptr);
        std::vector<int32_t> shorter = Samples(r, 0);
        shorter.resize(8000);
        EXPECT_EQ(Samples(merged, 0), Samples(l, 0));
        EXPECT_EQ(Samples(merged, 1), shorter);
        merged.Changed = 0;
        Main->ReplaceWave(nullptr);
    }
    EXPECT_TRUE(Host().Messages.empty());

    struct Refusal {
        std::string left, right, message;
    };
    const Refusal refusals[] = {
        {left, SaveWave("stereo.wav", 8000, 100, 2), "Error: Input files must both be mono format"},
        {left, SaveWave("other_rate.wav", 11025, 100), "Error: Input files must have the same sampling rate"},
        {left, SaveWave("8bit.wav", 8000, 100, 1, 1), "Error: Input files must have the same sampling precision"},
        {Folder.File("missing.wav"), right, "Failure opening input file: " + Folder.File("missing.wav") + "\n"},
    };
    for (const Refusal& c : refusals) {
        SCOPED_TRACE(c.message);
        Host().Messages.clear();
        EXPECT_FALSE(Main->MergeFiles(c.left.c_str(), c.right.c_str()));
        EXPECT_EQ(Main->Wave(), nullptr);
        ASSERT_FALSE(Host().Messages.empty());
        EXPECT_EQ(Host().Messages.back().Text, c.message);
    }
}

TEST_F(TWaveFileCommands, CancelledOrUnbuildableFilterLeavesTheWaveAndItsUndo)
{
    std::vector<double> noise(3 * 8000);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = double(int32_t((i * 7919) % 40000) - 20000);
    OpenWave(8000, {noise});
    const std::vector<int32_t> original = Samples(*Main->Wave(), 0);
    State(Main).Filter() = FilterSettings{};
    State(Main).Filter().NumTaps = 101;

    // Esc waiting when the first block is done: cancelled and undone.
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(Main->FilterSegment(0.25f, 2.75f));
    EXPECT_EQ(Samples(*Main->Wave(), 0), original);
    EXPECT_EQ(Main->Wave()->Changed, 0u);

    // A mute, then a custom filter whose response file is missing: nothing
    // changes and Undo still takes back the mute.
    Main->Wave()->SaveUndo(TWaveFile::UndoOverwrite, 1.0f, 1.5f);
    Main->Wave()->SilenceTime(1.0f, 1.5f);
    const std::vector<int32_t> muted = Samples(*Main->Wave(), 0);
    State(Main).Filter().Type = FilterSettings::Custom;
    std::strcpy(State(Main).Filter().FilterFilename, Folder.File("missing.txt").c_str());
    Host().Messages.clear();
    EXPECT_FALSE(Main->FilterSegment(0.25f, 2.75f));
    EXPECT_FALSE(Host().Messages.empty());
    EXPECT_EQ(Samples(*Main->Wave(), 0), muted);
    float start = 0.0f, end = 0.0f;
    Main->Wave()->GetUndoRange(start, end);
    EXPECT_EQ(start, 1.0f);
    EXPECT_EQ(end, 1.5f);
    Main->Wave()->Undo();
    EXPECT_EQ(Samples(*Main->Wave(), 0), original);
}
