#include "engine/TSegmentFilter.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveFilter.h"
#include "engine/TWaveLayout.h"
#include "engine/TWaveSummary.h"
#include "tests/engine/Fixture.h"
#include "tests/engine/platform/WaveTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace {

// 8,000 Hz keeps the edit times below exact in frames (0.125 s = 1,000 frames).
const TWaveFormat kFormat(8000, 1, 2);

std::vector<int16_t> Frames(TWaveFile& wave)
{
    std::vector<int16_t> v(wave.GetHighWaterMark());
    for (uint32_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<int16_t>(wave.GetSample(i, 0, 0));
    return v;
}

std::unique_ptr<TWaveFile> MakeWave(bool disk, const TTempFolder& temp)
{
    const ByteVector frames = PatternBytes(16, 1, 8000);
    std::unique_ptr<TWaveFile> wave = disk ? std::make_unique<TWaveFile>(kFormat, 0, temp.Path.c_str())
                                           : std::make_unique<TWaveFile>(8000, kFormat, temp.Path.c_str());
    wave->WriteStream(frames.data(), static_cast<uint32_t>(frames.size()));
    wave->Rewind();
    return wave;
}

class TWaveFileEdit : public testing::TestWithParam<bool> {
protected:
    TTempFolder temp;
};

TEST_P(TWaveFileEdit, CutAndUndoRestoreTheFramesAndTheMark)
{
    auto wave = MakeWave(GetParam(), temp);
    const auto before = Frames(*wave);
    ASSERT_EQ(wave->Cut(0.25f, 0.5f), 1);
    EXPECT_EQ(wave->GetHighWaterMark(), 6000u);
    EXPECT_EQ(wave->GetSample(2000, 0, 0), before[4000]);
    EXPECT_EQ(wave->GetUndoOperation(), TWaveFile::UndoCut);
    wave->Undo();
    EXPECT_EQ(Frames(*wave), before);
    EXPECT_EQ(wave->IsUndoAvailable(), 0u);
}

TEST_P(TWaveFileEdit, PasteInsertKeepsEveryFrameAndUndoRemovesExactlyTheInsert)
{
    auto wave = MakeWave(GetParam(), temp);
    const auto before = Frames(*wave);
    ASSERT_EQ(wave->CopyToClipboard(0.0f, 0.125f), 1);
    ASSERT_EQ(wave->PasteInsert(0.5f), 1);
    const auto after = Frames(*wave);
    ASSERT_EQ(after.size(), 9000u);
    for (uint32_t i = 0; i < 4000; ++i)
        ASSERT_EQ(after[i], before[i]) << i;
    for (uint32_t i = 0; i < 1000; ++i)
        ASSERT_EQ(after[4000 + i], before[i]) << i;
    for (uint32_t i = 4000; i < 8000; ++i)
        ASSERT_EQ(after[i + 1000], before[i]) << i;
    wave->Undo();
    EXPECT_EQ(Frames(*wave), before);
}

TEST_P(TWaveFileEdit, PasteOverAndUndoRestoreTheRange)
{
    auto wave = MakeWave(GetParam(), temp);
    const auto before = Frames(*wave);
    ASSERT_EQ(wave->CopyToClipboard(0.0f, 0.25f), 1);
    ASSERT_EQ(wave->PasteOver(0.75f), 1);
    EXPECT_EQ(wave->GetSample(6000 + 17, 0, 0), before[17]);
    EXPECT_EQ(wave->GetHighWaterMark(), 8000u);
    wave->Undo();
    EXPECT_EQ(Frames(*wave), before);
}

// The min/max summary of the frames as they are now, built from nothing,
// and the extremes of a range computed here from the same frames.
TWaveSummary Rebuilt(TWaveFile& wave, std::vector<uint8_t>& frames)
{
    const TWaveFormat f = wave.GetFormat();
    const uint32_t n = wave.GetFrameCount();
    frames.assign(size_t(n) * f.BytesPerFrame(), 0);
    std::vector<uint8_t> channel(size_t(n) * f.BytesPerSample);
    for (uint16_t c = 0; c < f.NumChannels; ++c) {
        EXPECT_EQ(wave.ReadFrames(channel.data(), 0, n, c), 1);
        for (uint32_t i = 0; i < n; ++i)
            std::memcpy(&frames[size_t(i) * f.BytesPerFrame() + c * f.BytesPerSample], &channel[size_t(i) * f.BytesPerSample],
                        f.BytesPerSample);
    }
    TWaveSummary fresh;
    fresh.Reset(f, n);
    EXPECT_TRUE(fresh.Refresh([&](uint32_t frame, uint32_t) { return frames.data() + size_t(frame) * f.BytesPerFrame(); }));
    return fresh;
}

// After the step, the kept summary equals a rebuilt one, and GetMinMax over
// ranges with their ends off the block boundaries equals the frames' extremes.
void ExpectSummaryOfFrames(TWaveFile& wave)
{
    std::vector<uint8_t> frames;
    const TWaveSummary fresh = Rebuilt(wave, frames);
    ASSERT_TRUE(wave.RefreshSummary());
    EXPECT_TRUE(wave.GetSummary().SameAs(fresh));
    const uint32_t n = wave.GetFrameCount();
    const uint32_t bpf = wave.GetFormat().BytesPerFrame();
    for (uint32_t from : {0u, 3u, 700u}) {
        const uint32_t to = n - 1 - from / 2;
        for (uint16_t c = 0; c < wave.GetChannels(); ++c) {
            int32_t hi = INT32_MIN, lo = INT32_MAX;
            for (uint32_t i = from; i < to; ++i) {
                const int32_t v = Decode(&frames[size_t(i) * bpf + c * 2], 2);
                hi = std::max(hi, v);
                lo = std::min(lo, v);
            }
            float max = 0, min = 0;
            wave.GetMinMax(from, to, &max, &min, c, 0, 0);
            EXPECT_EQ(max, float(hi)) << from << " channel " << c;
            EXPECT_EQ(min, float(lo)) << from << " channel " << c;
        }
    }
}

// Every edit of the wave and its undo, in memory and on the working file,
// keep the summary as a fresh build from the frames would make it.
TEST_P(TWaveFileEdit, SummaryKeptAcrossEditsAndUndoEqualsOneBuiltFromScratch)
{
    const TWaveFormat stereo(8000, 2, 2);
    const uint32_t frames = 80000;  // two levels of blocks and a partial last block
    const ByteVector pattern = PatternBytes(16, 2, frames);
    auto wave = GetParam() ? std::make_unique<TWaveFile>(stereo, 0, temp.Path.c_str())
                           : std::make_unique<TWaveFile>(frames, stereo, temp.Path.c_str());
    wave->WriteStream(pattern.data(), static_cast<uint32_t>(pattern.size()));
    wave->Rewind();
    ExpectSummaryOfFrames(*wave);
    struct TStep {
        const char* Name;
        std::function<void(TWaveFile&)> Apply;
    };
    const std::vector<int16_t> loud(5000, 32767);
    const TStep steps[] = {
        {"cut", [](TWaveFile& w) { ASSERT_EQ(w.Cut(0.5f, 1.75f), 1); }},
        {"undo of the cut", [](TWaveFile& w) { w.Undo(); }},
        {"paste insert", [](TWaveFile& w) {
             ASSERT_EQ(w.CopyToClipboard(0.1f, 0.5f), 1);
             ASSERT_EQ(w.PasteInsert(2.0f), 1);
         }},
        {"undo of the insert", [](TWaveFile& w) { w.Undo(); }},
        {"paste over", [](TWaveFile& w) { ASSERT_EQ(w.PasteOver(6.0f), 1); }},
        {"mute", [](TWaveFile& w) { w.SilenceTime(1.0f, 3.0f); }},
        // Gain, DC offset and the filter write their blocks back this way.
        {"channel written back", [&](TWaveFile& w) { ASSERT_EQ(w.WriteFrames(loud.data(), 30001, 5000, 1), 1); }},
        {"one sample", [](TWaveFile& w) { ASSERT_EQ(w.PutSample(-32767, 77, 0), 1); }},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Name);
        step.Apply(*wave);
        ExpectSummaryOfFrames(*wave);
    }
}

// The Recorder appends blocks as they are captured, drawn between blocks:
// to a wave of the recording's length in memory, or a growing working file.
TEST_P(TWaveFileEdit, SummaryFollowsRecorderAppends)
{
    const TWaveFormat stereo(8000, 2, 2);
    const uint32_t block = 3001, blocks = 20;
    auto wave = GetParam() ? std::make_unique<TWaveFile>(stereo, 0, temp.Path.c_str())
                           : std::make_unique<TWaveFile>(block * blocks, stereo, temp.Path.c_str());
    const ByteVector pattern = PatternBytes(16, 2, block * blocks);
    for (uint32_t b = 0; b < blocks; ++b) {
        SCOPED_TRACE(b);
        ASSERT_EQ(wave->WriteStream(pattern.data() + size_t(b) * block * 4, block * 4), 1);
        if (b % 4 == 1)
            ExpectSummaryOfFrames(*wave);
    }
    ExpectSummaryOfFrames(*wave);
}

INSTANTIATE_TEST_SUITE_P(MemoryAndDisk, TWaveFileEdit, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Disk" : "Memory"; });

TEST(TWaveFileClipboard, PastingADifferentFormatIsRefusedAndChangesNothing)
{
    TTempFolder temp;
    TWaveFile stereo(800, TWaveFormat(8000, 2, 2), temp.Path.c_str());
    const ByteVector frames = PatternBytes(16, 2, 800);
    stereo.WriteStream(frames.data(), static_cast<uint32_t>(frames.size()));
    ASSERT_EQ(stereo.CopyToClipboard(0.0f, 0.05f), 1);

    auto mono = MakeWave(false, temp);
    ASSERT_EQ(mono->Cut(0.0f, 0.125f), 1);
    const auto before = Frames(*mono);
    HostMessages().clear();
    ASSERT_EQ(stereo.CopyToClipboard(0.0f, 0.05f), 1);
    EXPECT_EQ(mono->PasteInsert(0.0f), 0);
    EXPECT_EQ(mono->PasteOver(0.0f), 0);
    ASSERT_EQ(HostMessages().size(), 2u);
    EXPECT_EQ(HostMessages()[0].Text, "Files are of differing formats.  Cannot perform edit.");
    EXPECT_EQ(HostMessages()[0].Style, TEngineHost::MsgIconStop);
    EXPECT_EQ(Frames(*mono), before);
    EXPECT_EQ(mono->GetUndoOperation(), TWaveFile::UndoCut);
    EXPECT_EQ(mono->IsUndoAvailable(), 1u);
}

// The clipboard block is a whole RIFF file: exactly the temporary file's size,
// read here and by a second process.
TEST(TWaveFileClipboard, ImageIsAValidRiffThatAnotherProcessReads)
{
    TTempFolder temp;
    auto wave = MakeWave(true, temp);
    ASSERT_EQ(wave->CopyToClipboard(0.125f, 0.25f), 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE block = GetClipboardData(TWaveFile::ClipboardFormat);
    ASSERT_NE(block, nullptr);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(block));
    const TWaveLayout layout = TWaveLayout::Parse(bytes, GlobalSize(block));
    EXPECT_EQ(layout.Status, TWaveLayout::Valid);
    EXPECT_EQ(layout.DataSize, 2000u);
    EXPECT_EQ(GlobalSize(block), 44u + 2000u);
    GlobalUnlock(block);
    CloseClipboard();

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --gtest_filter=TWaveFileClipboard.ReaderProcess";
    SetEnvironmentVariableA("TONALYX_CLIPBOARD_FRAMES", "1000");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    SetEnvironmentVariableA("TONALYX_CLIPBOARD_FRAMES", nullptr);
    EXPECT_EQ(code, 0u);
}

// Puts bytes on the clipboard as CF_WAVE, or empties it when there are none.
void PutWaveImage(const ByteVector& bytes)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (!bytes.empty()) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        SetClipboardData(TWaveFile::ClipboardFormat, block);
    }
    CloseClipboard();
}

// The clipboard's wave as a new one, as Paste Insert with no wave open makes
// it: untitled, changed, of the image's format and samples as sox decodes
// them, and nothing left in the working folder once it is closed.
TEST(TWaveFileClipboard, NewWaveFromTheClipboardImage)
{
    for (const char* name : {"sox_8_2_11025", "sox_24_1_48000"}) {
        const auto want = ReadFixture(std::string("wav/") + name + ".txt");
        PutWaveImage(ReadAll(WavFixture(std::string(name) + ".wav")));
        for (uint16_t mode : {TWaveFile::Memory, TWaveFile::Disk}) {
            SCOPED_TRACE(std::string(name) + (mode ? " disk" : " memory"));
            TTempFolder temp;
            {
                TWaveFile wave(TWaveFile::TFromClipboard{}, mode, temp.Path.c_str());
                ASSERT_EQ(wave.Error, 0u);
                EXPECT_EQ(wave.IsUntitled(), 1u);
                EXPECT_EQ(wave.Changed, 1u);
                EXPECT_EQ(wave.IsDiskBased(), mode);
                EXPECT_EQ(wave.FileName(), "");
                ExpectSamples(wave, want);
            }
            EXPECT_TRUE(temp.Files().empty());
        }
    }
}

// No wave on the clipboard, or an image that is no wave: no wave, no file left.
TEST(TWaveFileClipboard, NoNewWaveWithoutAWaveImage)
{
    const ByteVector notAWave(100, 'x');
    for (const ByteVector& image : {ByteVector{}, notAWave}) {
        PutWaveImage(image);
        for (uint16_t mode : {TWaveFile::Memory, TWaveFile::Disk}) {
            SCOPED_TRACE(std::to_string(image.size()) + (mode ? " disk" : " memory"));
            TTempFolder temp;
            HostMessages().clear();
            {
                TWaveFile wave(TWaveFile::TFromClipboard{}, mode, temp.Path.c_str());
                EXPECT_EQ(wave.Error, 1u);
            }
            EXPECT_TRUE(temp.Files().empty());
            // An empty clipboard ends silently; an image that is no wave says so.
            EXPECT_EQ(HostMessages().size(), image.empty() ? 0u : 1u);
        }
    }
}

// A file opened from disk, worked on in place or through a copy: an insert
// at its start that moves every frame keeps them all.
TEST(TWaveFileWorking, InsertAtTheStartOfAnOpenedFileKeepsEveryFrame)
{
    const auto want = ReadFixture("wav/sox_16_2_44100.txt");
    for (uint32_t copy : {0u, 1u}) {
        SCOPED_TRACE(copy ? "copy" : "in place");
        TTempFolder temp;
        const std::string name = temp / "opened.wav";
        ASSERT_TRUE(CopyFileA(WavFixture("sox_16_2_44100.wav").c_str(), name.c_str(), FALSE));
        TWaveFile wave(name.c_str(), TWaveFile::Disk, copy, temp.Path.c_str());
        ASSERT_EQ(wave.Error, 0u);
        const float second = 1.0f / 44100;
        ASSERT_EQ(wave.CopyToClipboard(15.5f * second, 38.5f * second), 1);
        ASSERT_EQ(wave.PasteInsert(0.0f), 1);
        ASSERT_EQ(wave.GetHighWaterMark(), 123u);
        std::vector<uint8_t> got(123 * 2);
        ASSERT_EQ(wave.ReadFrames(got.data(), 0, 123, 0), 1);
        for (uint32_t i = 0; i < 123; ++i) {
            const double expected = i < 23 ? want[15 + i][0] : want[i - 23][0];
            ASSERT_EQ(Decode(&got[2 * i], 2), int32_t(expected)) << i;
        }
    }
}

ByteVector RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    ByteVector bytes(n);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

uint64_t WaveFileSize(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// A wave's frames up to its high-water mark, as raw bytes.
ByteVector RawFrames(TWaveFile& wave)
{
    ByteVector bytes(static_cast<size_t>(wave.GetHighWaterMark()) * wave.GetFormat().BytesPerFrame());
    wave.Rewind();
    if (!bytes.empty()) {
        EXPECT_EQ(wave.ReadStream(bytes.data(), static_cast<uint32_t>(bytes.size())), 1);
    }
    return bytes;
}

std::unique_ptr<TWaveFile> WaveOf(bool disk, TWaveFormat format, const ByteVector& bytes, const TTempFolder& temp)
{
    const uint32_t frames = static_cast<uint32_t>(bytes.size() / format.BytesPerFrame());
    auto wave = disk ? std::make_unique<TWaveFile>(format, 0, temp.Path.c_str())
                     : std::make_unique<TWaveFile>(frames, format, temp.Path.c_str());
    EXPECT_EQ(wave->WriteStream(bytes.data(), static_cast<uint32_t>(bytes.size())), 1);
    wave->Rewind();
    return wave;
}

// Inserts longer than one block of moved frames, on either side of the block
// size, at the start, middle and end of a wave: the working file holds the
// same frames as the wave in memory, and undo gives the original back.
TEST(TWaveFileWorking, PasteInsertOfAnyLengthMatchesTheMemoryForm)
{
    const uint32_t kFrames = 10000;
    const struct {
        uint16_t bytes, channels;
    } formats[] = {{2, 1}, {2, 2}, {3, 1}, {3, 2}};
    const uint32_t inserts[] = {1, 4095, 4096, 4097, 100000};
    const uint32_t places[] = {0, kFrames / 2, kFrames};
    TTempFolder temp;
    for (const auto& f : formats) {
        const TWaveFormat format(8000, f.channels, f.bytes);
        const ByteVector original = RandomBytes(size_t(kFrames) * format.BytesPerFrame(), f.bytes * 10 + f.channels);
        for (uint32_t n : inserts) {
            const ByteVector clip = RandomBytes(size_t(n) * format.BytesPerFrame(), n);
            for (uint32_t d : places) {
                SCOPED_TRACE(testing::Message() << f.bytes * 8 << " bit, " << f.channels << " channels, " << n
                                                << " frames at " << d);
                ByteVector want(original.begin(), original.begin() + d * format.BytesPerFrame());
                want.insert(want.end(), clip.begin(), clip.end());
                want.insert(want.end(), original.begin() + d * format.BytesPerFrame(), original.end());
                for (bool disk : {false, true}) {
                    SCOPED_TRACE(disk ? "disk" : "memory");
                    auto wave = WaveOf(disk, format, original, temp);
                    ASSERT_EQ(WaveOf(false, format, clip, temp)->CopyToClipboard(0.0f, 1e6f), 1);
                    ASSERT_EQ(wave->PasteInsert(static_cast<float>(d) / 8000), 1);
                    ASSERT_EQ(wave->GetHighWaterMark(), kFrames + n);
                    ASSERT_TRUE(RawFrames(*wave) == want);
                    wave->Undo();
                    ASSERT_TRUE(RawFrames(*wave) == original);
                }
            }
        }
    }
}

// A wave file of that many frames whose bytes are zero except for the parts
// given (offset in the file, bytes), written sparse: gigabytes take no room.
void WriteSparseWave(const std::string& name, const TWaveFormat& format, uint32_t frames,
                     const std::vector<std::pair<uint64_t, ByteVector>>& parts)
{
    const uint32_t bytes = frames * format.BytesPerFrame();
    const auto header = TWaveLayout::Header(format, bytes);
    WriteAll(name, ByteVector(header.begin(), header.end()));
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(TWaveLayout::HeaderSize) + bytes + (bytes & 1);
    ASSERT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    for (const auto& [offset, part] : parts) {
        LARGE_INTEGER at;
        at.QuadPart = LONGLONG(offset);
        DWORD written = 0;
        ASSERT_TRUE(SetFilePointerEx(h, at, nullptr, FILE_BEGIN) &&
                    WriteFile(h, part.data(), DWORD(part.size()), &written, nullptr) && written == part.size());
    }
    CloseHandle(h);
}

ByteVector Interleaved(TWaveFile& wave, uint32_t start, uint32_t count)
{
    ByteVector bytes(size_t(count) * wave.GetFormat().BytesPerFrame());
    EXPECT_EQ(wave.ReadInterleaved(bytes.data(), start, count), 1);
    return bytes;
}

// An insert that would take the working file past the RIFF limit is refused
// whole: frames, length, file and undo record stay as they were. The file is
// sparse, so its 4 GB take no room.
TEST(TWaveFileWorking, InsertPastTheLargestFileLeavesTheWaveAsItWas)
{
    TTempFolder temp;
    const TWaveFormat format(8000, 1, 2);
    const uint32_t frames = TWaveLayout::MaxFrames(TWaveLayout::HeaderSize, 2) - 5000;
    const std::string name = temp / "large.wav";
    const ByteVector last = RandomBytes(200, 7);
    WriteSparseWave(name, format, frames, {{TWaveLayout::HeaderSize + uint64_t(frames) * 2 - last.size(), last}});
    const uint64_t size = WaveFileSize(name);
    TWaveFile wave(name.c_str(), TWaveFile::Disk, 0, temp.Path.c_str());
    ASSERT_EQ(wave.Error, 0u);
    ASSERT_EQ(WaveOf(false, format, RandomBytes(20000, 3), temp)->CopyToClipboard(0.0f, 1e6f), 1);
    HostMessages().clear();
    EXPECT_EQ(wave.PasteInsert((frames - 50) / 8000.0f), 0);
    ASSERT_EQ(HostMessages().size(), 1u);
    EXPECT_EQ(HostMessages()[0].Text, "The wave would be larger than a wave file can hold.  Nothing was inserted.");
    EXPECT_EQ(wave.Error, 0u);
    EXPECT_EQ(wave.IsUndoAvailable(), 0u);
    EXPECT_EQ(wave.GetFrameCount(), frames);
    EXPECT_EQ(wave.GetHighWaterMark(), frames);
    EXPECT_EQ(WaveFileSize(name), size);
    EXPECT_EQ(Interleaved(wave, frames - 100, 100), last);

    // A memory wave is refused the same way, before it asks for the memory.
    TWaveFile memory(16, format, temp.Path.c_str());
    HostMessages().clear();
    EXPECT_EQ(TWaveFile::CopyFrames(&wave, &memory, frames - 100, frames + 4950, 100), 0);
    ASSERT_EQ(HostMessages().size(), 1u);
    EXPECT_EQ(HostMessages()[0].Text, "The wave would be larger than a wave file can hold.  Nothing was inserted.");
    EXPECT_EQ(memory.GetFrameCount(), 16u);
}

// A recording that reaches the RIFF limit takes the frames that fit and
// refuses the rest before writing any of them; what it holds saves as a valid wave.
TEST(TWaveFileWorking, AppendsStopAtTheRiffLimitAndTheWaveStaysValid)
{
    TTempFolder temp;
    const TWaveFormat format(192000, 2, 3);
    const uint32_t limit = TWaveLayout::MaxFrames(TWaveLayout::HeaderSize, 6);
    const std::string name = temp / "night.wav";
    WriteSparseWave(name, format, limit - 100, {});
    const ByteVector tail = RandomBytes(6 * 100, 11);
    {
        TWaveFile wave(name.c_str(), TWaveFile::Disk, 0, temp.Path.c_str());
        ASSERT_EQ(wave.Error, 0u);
        wave.SeekEnd();
        EXPECT_EQ(wave.WriteStream(RandomBytes(6 * 101, 5).data(), 6 * 101), 0);
        EXPECT_EQ(wave.GetFrameCount(), limit - 100);
        EXPECT_EQ(WaveFileSize(name), TWaveLayout::HeaderSize + uint64_t(limit - 100) * 6);
        EXPECT_EQ(wave.WriteStream(tail.data(), uint32_t(tail.size())), 1);
        EXPECT_EQ(wave.GetFrameCount(), limit);
        ASSERT_EQ(wave.Save(), 1);
    }
    TWaveFile again(name.c_str(), TWaveFile::Disk, 0, temp.Path.c_str());
    ASSERT_EQ(again.Error, 0u);
    EXPECT_EQ(again.GetFrameCount(), limit);
    EXPECT_EQ(Interleaved(again, limit - 100, 100), tail);
    ByteVector riff(4);
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    DWORD got = 0;
    ASSERT_TRUE(SetFilePointer(h, 4, nullptr, FILE_BEGIN) == 4 && ReadFile(h, riff.data(), 4, &got, nullptr));
    CloseHandle(h);
    uint32_t riffSize;
    std::memcpy(&riffSize, riff.data(), 4);
    EXPECT_EQ(riffSize, TWaveLayout::RiffSizeFor(TWaveLayout::HeaderSize, uint64_t(limit) * 6));
}

// A wave whose frames lie beyond 2 GB: read there, edited there and undone,
// saved with its calibration chunk after the data, and read back. (Saving it
// as another file is a copy of the whole file, gigabytes written: left out.)
TEST(TWaveFileWorking, AWaveBeyondTwoGigabytesIsReadEditedAndSaved)
{
    TTempFolder temp;
    const TWaveFormat format(48000, 2, 3);
    const uint32_t frames = 360'100'000;  // 2,160,600,000 bytes of frames
    const uint32_t at = 360'000'000;      // 7,500 s: 2,160,000,044 bytes into the file
    const ByteVector known = RandomBytes(6 * 24'000, 21);
    const std::string name = temp / "long.wav";
    WriteSparseWave(name, format, frames, {{TWaveLayout::HeaderSize + uint64_t(at) * 6, known}});
    CalibrationStruct cal = {};
    std::strcpy(cal.Left.ChannelName, "Mic");
    cal.Left.CalRatio = 3.5f;
    cal.Right.CalRatio = 1.0f;
    {
        TWaveFile wave(name.c_str(), TWaveFile::Disk, 0, temp.Path.c_str());
        ASSERT_EQ(wave.Error, 0u);
        ASSERT_EQ(wave.GetFrameCount(), frames);
        EXPECT_EQ(Interleaved(wave, at, 24'000), known);
        EXPECT_EQ(wave.GetSample(at + 1, 1, 0), float(Decode(&known[6 + 3], 3)));

        wave.SaveUndo(TWaveFile::UndoOverwrite, 7500.0f, 7500.5f);
        const ByteVector other = RandomBytes(3 * 1000, 22);
        ASSERT_EQ(wave.WriteFrames(other.data(), at + 100, 1000, 1), 1);
        ASSERT_EQ(wave.PutSample(-1234, at + 5, 0), 1);
        EXPECT_EQ(wave.GetSample(at + 5, 0, 0), -1234.0f);
        EXPECT_EQ(wave.GetSample(at + 100 + 999, 1, 0), float(Decode(&other[3 * 999], 3)));
        wave.Undo();
        EXPECT_EQ(Interleaved(wave, at, 24'000), known);

        ASSERT_EQ(wave.PutSample(4321, frames - 1, 1), 1);
        wave.SetCalibrationData(cal);
        ASSERT_EQ(wave.Save(), 1);
    }
    EXPECT_EQ(WaveFileSize(name), TWaveLayout::HeaderSize + uint64_t(frames) * 6 + 8 + sizeof cal);
    TWaveFile again(name.c_str(), TWaveFile::Disk, 0, temp.Path.c_str());
    ASSERT_EQ(again.Error, 0u);
    ASSERT_EQ(again.GetFrameCount(), frames);
    EXPECT_EQ(Interleaved(again, at, 24'000), known);
    EXPECT_EQ(again.GetSample(frames - 1, 1, 0), 4321.0f);
    ASSERT_EQ(again.HasCalibration(), 1u);
    CalibrationStruct got;
    again.GetCalibrationData(got);
    EXPECT_STREQ(got.Left.ChannelName, "Mic");
    EXPECT_EQ(got.Left.CalRatio, 3.5f);
}

// Run only as the second process of the test above.
TEST(TWaveFileClipboard, ReaderProcess)
{
    const char* frames = std::getenv("TONALYX_CLIPBOARD_FRAMES");
    if (!frames)
        GTEST_SKIP() << "started by ImageIsAValidRiffThatAnotherProcessReads";
    TTempFolder temp;
    TWaveFile wave(1000, kFormat, temp.Path.c_str());
    ASSERT_EQ(wave.PasteOver(0.0f), 1);
    ASSERT_EQ(wave.GetHighWaterMark(), static_cast<uint32_t>(std::atoi(frames)));
    for (uint32_t i = 0; i < 1000; ++i)
        ASSERT_EQ(wave.GetSample(i, 0, 0), static_cast<float>(PatternSample(16, 1000 + i, 0))) << i;
}

}  // namespace

namespace {

// The working-file forms of the frame operations answer as the memory forms do.
TEST(TWaveFileWorking, FrameOperationsMatchTheMemoryForms)
{
    TTempFolder temp;
    const std::string name = WavFixture("sox_24_2_96000.wav");
    TWaveFile memory(name.c_str(), 0, 0, nullptr);
    TWaveFile disk(name.c_str(), 1, 1, temp.Path.c_str());
    ASSERT_EQ(memory.Error + disk.Error, 0u);
    memory.SetCalibration(2.0f, 0.5f);
    disk.SetCalibration(2.0f, 0.5f);
    const uint32_t ranges[][2] = {{0, 100}, {10, 37}, {99, 100}, {60, 120}};
    for (const auto& r : ranges) {
        for (uint16_t channel : {0, 1}) {
            SCOPED_TRACE(testing::Message() << r[0] << ".." << r[1] << " channel " << channel);
            for (int rms : {0, 1}) {
                float maxM = -1, minM = -1, maxD = -1, minD = -1;
                memory.GetMinMax(r[0], r[1], &maxM, &minM, channel, 1, rms);
                disk.GetMinMax(r[0], r[1], &maxD, &minD, channel, 1, rms);
                EXPECT_EQ(maxM, maxD);
                EXPECT_EQ(minM, minD);
            }
            EXPECT_EQ(memory.MeanSquare(r[0], r[1], channel), disk.MeanSquare(r[0], r[1], channel));
            EXPECT_EQ(memory.SumOfMagnitudes(r[0], r[1], channel), disk.SumOfMagnitudes(r[0], r[1], channel));
            const uint32_t count = r[1] - r[0];
            std::vector<uint8_t> a(count * 3, 1), b(count * 3, 2);
            EXPECT_EQ(memory.ReadFrames(a.data(), r[0], count, channel), disk.ReadFrames(b.data(), r[0], count, channel));
            EXPECT_EQ(a, b);
            EXPECT_EQ(memory.GetSample(r[0], channel, 1), disk.GetSample(r[0], channel, 1));
        }
    }
}

// The filter over a working file writes what it writes in memory, frame for
// frame: one-second blocks and a last block of the one last frame, a segment
// past the high-water mark (left by a cut) that stays where it was, the
// position kept, an unchosen channel and the frames before the segment as
// they were.
TEST(TWaveFileWorking, FilterWritesWhatItWritesInMemory)
{
    struct Case {
        uint16_t Channels;
        uint16_t Width;
        int32_t Taps;
        uint32_t Left;
        uint32_t Right;
    };
    const Case cases[] = {{2, 2, 999, 1, 0}, {2, 3, 101, 1, 1}, {1, 1, 39, 1, 1}, {2, 4, 101, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Channels << " channels, " << 8 * c.Width << " bits, " << c.Taps
                                        << " taps");
        TTempFolder temp;
        const TWaveFormat format(1000, c.Channels, c.Width);
        const uint32_t frames = 3700;
        ByteVector input(size_t{frames} * format.BytesPerFrame());
        uint32_t seed = 12345;
        for (uint8_t& b : input)
            b = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 23);
        TWaveFile memory(frames, format, temp.Path.c_str());
        TWaveFile disk(format, 0, temp.Path.c_str());
        FilterSettings settings;
        settings.NumTaps = c.Taps;
        settings.LPCutoffHz = 150;
        std::vector<ByteVector> results;
        ByteVector cut(input.size());
        for (TWaveFile* wave : {&memory, &disk}) {
            ASSERT_EQ(wave->WriteStream(input.data(), static_cast<uint32_t>(input.size())), 1);
            TWaveFile::DeleteFrames(wave, frames - 300, frames - 100);
            ASSERT_EQ(wave->ReadInterleaved(cut.data(), 0, frames), 1);
            wave->SetPosition(77);
            TWaveFilter filter(format, settings);
            const uint32_t first = frames - 2001;
            ASSERT_TRUE(TSegmentFilter::Run(filter, *wave, first, 2001, c.Left, c.Right, {}, {}));
            EXPECT_EQ(wave->GetPosition(), 77u);
            EXPECT_EQ(wave->GetHighWaterMark(), frames - 200);
            EXPECT_EQ(wave->GetFrameCount(), frames);
            ByteVector got(input.size());
            ASSERT_EQ(wave->ReadInterleaved(got.data(), 0, frames), 1);
            results.push_back(got);
        }
        EXPECT_EQ(results[0], results[1]);
        // Chosen channels changed within the segment only; the others not at all.
        const uint32_t frameBytes = format.BytesPerFrame();
        for (uint16_t ch = 0; ch < c.Channels; ++ch) {
            const bool chosen = ch == 0 ? c.Left : c.Right;
            bool changedBefore = false, changedWithin = false;
            for (uint32_t f = 0; f < frames; ++f) {
                const size_t at = size_t{f} * frameBytes + size_t{ch} * c.Width;
                const bool differs = std::memcmp(&results[0][at], &cut[at], c.Width) != 0;
                if (f < frames - 2001)
                    changedBefore = changedBefore || differs;
                else
                    changedWithin = changedWithin || differs;
            }
            EXPECT_FALSE(changedBefore) << "channel " << ch;
            EXPECT_EQ(changedWithin, chosen) << "channel " << ch;
        }
    }
}

TEST(TWaveFileWorking, SaveAsDeliversTheRecordingAndEmptiesTheObject)
{
    TTempFolder temp;
    const ByteVector frames = PatternBytes(16, 2, 300);
    TWaveFile recording(TWaveFormat(32000, 2, 2), 0, temp.Path.c_str());
    ASSERT_EQ(recording.WriteStream(frames.data(), static_cast<uint32_t>(frames.size())), 1);
    const std::string target = temp / "recording.wav";
    recording.SetFileName(target.c_str());
    ASSERT_EQ(recording.SaveAs(), 1);
    EXPECT_EQ(recording.GetFrameCount(), 0u);
    EXPECT_EQ(recording.FileName(), "");
    EXPECT_EQ(temp.Files(), std::vector<std::string>{"recording.wav"}) << "the working file became the recording";
    TWaveFile check(target.c_str(), 0, 0, nullptr);
    ASSERT_EQ(check.Error, 0u);
    ASSERT_EQ(check.GetBufferSize(), frames.size());
    EXPECT_EQ(std::memcmp(check.GetBuffer(), frames.data(), frames.size()), 0);
}

TEST(TWaveFileWorking, FailedSaveAsKeepsTheRecordingForALaterSave)
{
    TTempFolder temp;
    const ByteVector frames = PatternBytes(16, 2, 300);
    TWaveFile recording(TWaveFormat(32000, 2, 2), 0, temp.Path.c_str());
    ASSERT_EQ(recording.WriteStream(frames.data(), static_cast<uint32_t>(frames.size())), 1);
    HostMessages().clear();
    recording.SetFileName((temp / "missing\\recording.wav").c_str());
    EXPECT_EQ(recording.SaveAs(), 0);
    ASSERT_NE(recording.Error, 0u) << "the failure shows in the error flag";
    ASSERT_FALSE(HostMessages().empty());
    EXPECT_EQ(HostMessages().back().Text, "Failure writing wave file.");
    ASSERT_EQ(temp.Files().size(), 1u) << "the working file is kept";
    EXPECT_EQ(recording.GetHighWaterMark(), 300u);
    EXPECT_EQ(recording.GetSample(299, 1, 0), static_cast<float>(PatternSample(16, 299, 1)));

    const std::string target = temp / "recording.wav";
    recording.SetFileName(target.c_str());
    ASSERT_EQ(recording.SaveAs(), 1);
    TWaveFile check(target.c_str(), 0, 0, nullptr);
    ASSERT_EQ(check.Error, 0u);
    ASSERT_EQ(check.GetBufferSize(), frames.size());
    EXPECT_EQ(std::memcmp(check.GetBuffer(), frames.data(), frames.size()), 0);
}

}  // namespace
