#include "engine/TWaveFile.h"
#include "engine/TWaveLayout.h"
#include "tests/engine/Fixture.h"
#include "tests/engine/RiffBuilder.h"
#include "tests/engine/TolerantFixtures.h"
#include "tests/engine/platform/WaveTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <utility>

namespace {

struct SoxCase {
    int bits, channels;
    uint32_t rate;
};

const SoxCase kSoxCases[] = {{8, 1, 8000},   {8, 2, 11025},  {16, 1, 22050},  {16, 2, 44100},
                             {24, 1, 48000}, {24, 2, 96000}, {32, 1, 176400}, {32, 2, 192000}};

TEST(TWaveFile, ReadsSoxFilesOfEveryWidthInMemoryAndThroughAWorkingCopy)
{
    TTempFolder temp;
    for (const SoxCase& c : kSoxCases) {
        const std::string name = "sox_" + std::to_string(c.bits) + "_" + std::to_string(c.channels) + "_" +
                                 std::to_string(c.rate);
        const auto want = ReadFixture("wav/" + name + ".txt");
        for (uint16_t mode : {0, 1}) {
            SCOPED_TRACE(name + (mode ? " disk" : " memory"));
            TWaveFile wave(WavFixture(name + ".wav").c_str(), mode, 1, temp.Path.c_str());
            ASSERT_EQ(wave.Error, 0u);
            EXPECT_EQ(wave.GetSampleRate(), c.rate);
            EXPECT_EQ(wave.GetChannels(), c.channels);
            EXPECT_EQ(wave.GetBytesPerSample(), c.bits / 8);
            EXPECT_EQ(wave.Changed, 0u);
            ExpectSamples(wave, want);
        }
    }
    EXPECT_TRUE(temp.Files().empty()) << "working copies are deleted with their waves";
}

TEST(TWaveFile, SkipsChunksAroundTheDataChunk)
{
    TWaveFile wave(WavFixture("chunks_16_2.wav").c_str(), 0, 0, nullptr);
    ASSERT_EQ(wave.Error, 0u);
    ExpectSamples(wave, ReadFixture("wav/chunks_16_2.txt"));
}

uint32_t Le32At(const ByteVector& file, size_t at)
{
    uint32_t v;
    std::memcpy(&v, &file[at], 4);
    return v;
}

// Writes the pattern as the wave module does, with the pad byte RIFF wants
// after odd data; the same bytes come out of a memory wave and of a new
// disk-backed one, and both read back. Calibrated twins go to the output
// folder, where sox and the wave module check them after this run.
TEST(TWaveFile, WritesTheBytesPythonsWaveModuleWritesWithThePadByte)
{
    TTempFolder temp;
    CreateDirectoryA(TONALYX_WAV_OUT, nullptr);
    CalibrationStruct cal = {};
    std::strcpy(cal.Left.ChannelName, "Mic");
    cal.Left.CalRatio = 3.5f;
    for (int bits : {8, 16, 24, 32}) {
        for (uint16_t channels : {1, 2}) {
            for (uint32_t frames : {64u, 63u}) {
                const std::string stem = "pattern_" + std::to_string(bits) + "_" + std::to_string(channels);
                const std::string name = stem + (frames == 64 ? "" : "_63") + ".wav";
                SCOPED_TRACE(name);
                const TWaveFormat format(32000, channels, static_cast<uint16_t>(bits / 8));
                const ByteVector pattern = PatternBytes(bits, channels, frames);
                const ByteVector want = ReadAll(WavFixture(name));
                ASSERT_EQ(Le32At(want, 4), want.size() - 8);

                TWaveFile memory(frames, format, temp.Path.c_str());
                ASSERT_EQ(memory.WriteStream(pattern.data(), static_cast<uint32_t>(pattern.size())), 1);
                memory.SetFileName((temp / "m.wav").c_str());
                ASSERT_EQ(memory.Save(), 1);
                EXPECT_EQ(ReadAll(temp / "m.wav"), want);

                {
                    TWaveFile disk(format, 0, temp.Path.c_str());
                    ASSERT_EQ(disk.Error, 0u);
                    ASSERT_EQ(disk.WriteStream(pattern.data(), static_cast<uint32_t>(pattern.size())), 1);
                    disk.SetFileName((temp / "d.wav").c_str());
                    ASSERT_EQ(disk.Save(), 1);
                }
                EXPECT_EQ(ReadAll(temp / "d.wav"), want);
                for (uint16_t mode : {0, 1}) {
                    TWaveFile again((temp / "d.wav").c_str(), mode, 1, temp.Path.c_str());
                    ASSERT_EQ(again.Error, 0u);
                    ASSERT_EQ(again.GetFrameCount(), frames);
                    ByteVector got(pattern.size());
                    again.SetPosition(0);
                    ASSERT_EQ(again.ReadStream(got.data(), static_cast<uint32_t>(got.size())), 1);
                    EXPECT_EQ(got, pattern);
                }

                const std::string out = std::string(TONALYX_WAV_OUT) + "\\" + stem + "_" + std::to_string(frames);
                memory.SetCalibrationData(cal);
                memory.SetFileName((out + "_memory.wav").c_str());
                ASSERT_EQ(memory.Save(), 1);
                TWaveFile disk(format, 0, temp.Path.c_str());
                ASSERT_EQ(disk.WriteStream(pattern.data(), static_cast<uint32_t>(pattern.size())), 1);
                disk.SetCalibrationData(cal);
                disk.SetFileName((out + "_disk.wav").c_str());
                ASSERT_EQ(disk.Save(), 1);
            }
        }
    }
    DeleteFileA((temp / "m.wav").c_str());
    DeleteFileA((temp / "d.wav").c_str());
    EXPECT_TRUE(temp.Files().empty());
}

// Files other programs leave with wrong sizes or chunks out of order open
// with the frames they hold, in memory, in place and through a working copy,
// and without a word; a save gives them sizes that agree with the file.
TEST(TWaveFile, OpensDamagedFilesWithTheFramesTheyHoldAndSavesThemWhole)
{
    TTempFolder temp;
    for (const char* fixture : kTolerantFixtures) {
        const std::string stem = std::string("tolerant_") + fixture;
        const auto want = ReadFixture("wav/" + stem + ".txt");
        const ByteVector original = ReadAll(WavFixture(stem + ".wav"));
        for (uint16_t mode : {0, 1}) {
            for (uint32_t copy : {0u, 1u}) {
                if (mode == 0 && copy)
                    continue;
                SCOPED_TRACE(stem + (mode ? (copy ? " working copy" : " in place") : " memory"));
                const std::string path = temp / "t.wav";
                WriteAll(path, original);
                HostMessages().clear();
                {
                    TWaveFile wave(path.c_str(), mode, copy, temp.Path.c_str());
                    ASSERT_EQ(wave.Error, 0u);
                    EXPECT_TRUE(HostMessages().empty());
                    EXPECT_EQ(wave.Changed, 0u);
                    ExpectSamples(wave, want);
                    EXPECT_EQ(ReadAll(path), original) << "opening changes nothing";
                    ASSERT_EQ(wave.Save(), 1);
                }
                const ByteVector saved = ReadAll(path);
                ASSERT_GE(saved.size(), 44u);
                EXPECT_EQ(Le32At(saved, 4), saved.size() - 8);
                const TWaveLayout layout = TWaveLayout::Parse(saved.data(), saved.size());
                EXPECT_EQ(layout.StatedDataSize, layout.DataSize);
                EXPECT_FALSE(layout.FormatAfterData);
                TWaveFile again(path.c_str(), 0, 0, nullptr);
                ASSERT_EQ(again.Error, 0u);
                ExpectSamples(again, want);
                DeleteFileA(path.c_str());
            }
        }
    }
    EXPECT_TRUE(temp.Files().empty());
}

CalibrationStruct SampleCalibration(const char* left, float ratio)
{
    CalibrationStruct c = {};
    std::strcpy(c.Filename, "C:\\cal\\mic.cal");
    std::strcpy(c.Left.ChannelName, left);
    std::strcpy(c.Right.ChannelName, "Right");
    std::strcpy(c.Left.LabelLinear, "Pa");
    c.Left.IsEnabled = 1;
    c.Left.CalRatio = ratio;
    c.Right.CalRatio = 1.0f;
    c.Reserved[519] = 0x5A;
    return c;
}

TEST(TWaveFile, CalibrationChunkRoundTripsAndStandardReadersIgnoreIt)
{
    TTempFolder temp;
    const std::string path = temp / "cal.wav";
    CopyFileA(WavFixture("pattern_16_2.wav").c_str(), path.c_str(), FALSE);
    const CalibrationStruct cal = SampleCalibration("Probe", 2.25f);
    {
        TWaveFile wave(path.c_str(), 0, 0, temp.Path.c_str());
        ASSERT_EQ(wave.Error, 0u);
        EXPECT_EQ(wave.HasCalibration(), 0u);
        wave.SetCalibrationData(cal);
        ASSERT_EQ(wave.Save(), 1);
    }
    const ByteVector file = ReadAll(path);
    EXPECT_EQ(CountTopLevelChunks(file, 0x66), 1);
    const TWaveLayout layout = TWaveLayout::Parse(file.data(), file.size());
    EXPECT_EQ(layout.RiffSize + 8 + sizeof(CalibrationStruct) + 8, file.size()) << "the chunk lies after the RIFF chunk";

    for (uint16_t mode : {0, 1}) {
        TWaveFile again(path.c_str(), mode, 1, temp.Path.c_str());
        ASSERT_EQ(again.Error, 0u);
        EXPECT_EQ(again.HasCalibration(), 1u);
        CalibrationStruct got;
        again.GetCalibrationData(got);
        EXPECT_EQ(std::memcmp(&got, &cal, sizeof cal), 0);
    }
}

TEST(TWaveFile, LegacyCalibrationIsConvertedAndShortChunksAreIgnored)
{
    TTempFolder temp;
    ByteVector record(1024, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&record[at], &v, 4); };
    auto putF = [&](size_t at, float v) { std::memcpy(&record[at], &v, 4); };
    put32(0, 1);
    std::strcpy(reinterpret_cast<char*>(&record[4]), "old.cal");
    putF(264, 94.0f);
    put32(272, 2);
    std::strcpy(reinterpret_cast<char*>(&record[276]), "Pa");
    putF(400, 0.25f);
    putF(404, 0.5f);
    putF(408, 1.5f);
    putF(412, 2.5f);
    std::strcpy(reinterpret_cast<char*>(&record[464]), "Rear");
    const ByteVector wave = ReadAll(WavFixture("pattern_16_1.wav"));
    ByteVector legacyId = {0x65, 0, 0, 0}, calId = {0x66, 0, 0, 0};
    auto raw = [](ByteVector id, const ByteVector& body) {
        Put32(id, static_cast<uint32_t>(body.size()));
        id.insert(id.end(), body.begin(), body.end());
        return id;
    };
    // A 0x66 chunk too short for a record is passed over for the legacy one.
    WriteAll(temp / "old.wav", Cat({wave, raw(calId, ByteVector(100, 0xEE)), raw(legacyId, record)}));

    TWaveFile file((temp / "old.wav").c_str(), 0, 0, nullptr);
    ASSERT_EQ(file.Error, 0u);
    ASSERT_EQ(file.HasCalibration(), 1u);
    CalibrationStruct c;
    file.GetCalibrationData(c);
    EXPECT_STREQ(c.Filename, "old.cal");
    EXPECT_EQ(c.Left.IsEnabled, 1u);
    EXPECT_EQ(c.Right.IsEnabled, 1u);
    EXPECT_FLOAT_EQ(c.Left.RefLevel, 94.0f);
    EXPECT_FLOAT_EQ(c.Right.RefLevel, 94.0f);
    EXPECT_EQ(c.Right.RefUnits, 2u);
    EXPECT_STREQ(c.Right.LabelLinear, "Pa");
    EXPECT_FLOAT_EQ(c.Left.PctFullScale, 0.25f);
    EXPECT_FLOAT_EQ(c.Right.PctFullScale, 0.5f);
    EXPECT_FLOAT_EQ(c.Left.CalRatio, 1.5f);
    EXPECT_FLOAT_EQ(c.Right.CalRatio, 2.5f);
    EXPECT_STREQ(c.Left.ChannelName, "Left");
    EXPECT_STREQ(c.Right.ChannelName, "Rear");
}

// Saves of a working file (in place, a temporary copy, a new file) leave one
// valid RIFF file with exactly one calibration chunk, however the data grew.
TEST(TWaveFile, SavingWorkingFilesKeepsOneValidFileWithOneCalibrationChunk)
{
    TTempFolder temp;
    const ByteVector frames = PatternBytes(16, 2, 64);
    for (uint32_t copy : {0u, 1u}) {
        SCOPED_TRACE(copy ? "temporary copy" : "in place");
        const std::string path = temp / "w.wav";
        const CalibrationStruct old = SampleCalibration("Old", 1.0f);
        WriteAll(path, Cat({ReadAll(WavFixture("pattern_16_2.wav")), ByteVector{0x66, 0, 0, 0, 0, 8, 0, 0},
                            ByteVector(reinterpret_cast<const uint8_t*>(&old),
                                       reinterpret_cast<const uint8_t*>(&old) + sizeof old)}));
        {
            TWaveFile wave(path.c_str(), 1, copy, temp.Path.c_str());
            ASSERT_EQ(wave.Error, 0u);
            wave.SetFileName(path.c_str());
            ASSERT_EQ(wave.PutSample(1234, 3, 1), 1);
            ASSERT_EQ(wave.Save(), 1);
            ASSERT_EQ(wave.Save(), 1);
            wave.SetPosition(64);
            ASSERT_EQ(wave.WriteStream(frames.data(), 32 * 4), 1) << "grows past the old end";
            wave.SetCalibrationData(SampleCalibration("New", 4.0f));
            ASSERT_EQ(wave.Save(), 1);
            EXPECT_EQ(wave.GetFrameCount(), 96u);
        }
        const ByteVector file = ReadAll(path);
        EXPECT_EQ(CountTopLevelChunks(file, 0x66), 1);
        TWaveFile check(path.c_str(), 0, 0, nullptr);
        ASSERT_EQ(check.Error, 0u);
        EXPECT_EQ(check.GetFrameCount(), 96u);
        EXPECT_EQ(check.GetSample(3, 1, 0), 1234.0f);
        EXPECT_EQ(check.GetSample(64 + 5, 0, 0), static_cast<float>(PatternSample(16, 5, 0)));
        CalibrationStruct c;
        check.GetCalibrationData(c);
        EXPECT_STREQ(c.Left.ChannelName, "New");
        DeleteFileA(path.c_str());
    }
    EXPECT_TRUE(temp.Files().empty());
}

TEST(TWaveFile, MalformedFilesAreRefusedWithAMessageAndLeftAlone)
{
    TTempFolder temp;
    const ByteVector fmt = Chunk("fmt ", Fmt(1, 2, 44100, 4, 16));
    const ByteVector data = Chunk("data", ByteVector(16, 0x33));
    const ByteVector good = Riff({fmt, data});
    const std::pair<const char*, ByteVector> cases[] = {
        {"truncated header", ByteVector(good.begin(), good.begin() + 20)},
        {"zero channels", Riff({Chunk("fmt ", Fmt(1, 0, 44100, 4, 16)), data})},
        {"float", Riff({Chunk("fmt ", Fmt(3, 1, 44100, 4, 32)), data})},
        {"ADPCM", Riff({Chunk("fmt ", Fmt(2, 1, 44100, 256, 4, 20)), data})},
        {"no data chunk", Riff({fmt})},
        {"odd chunk without its pad", Riff({Chunk("LIST", ByteVector(3, 1), false), fmt, data})},
    };
    for (const auto& [name, file] : cases) {
        for (uint16_t mode : {0, 1}) {
            SCOPED_TRACE(std::string(name) + (mode ? " disk" : " memory"));
            const std::string path = temp / "bad.wav";
            WriteAll(path, file);
            HostMessages().clear();
            {
                TWaveFile wave(path.c_str(), mode, 0, temp.Path.c_str());
                EXPECT_EQ(wave.Error, 1u);
            }
            ASSERT_EQ(HostMessages().size(), 1u);
            EXPECT_EQ(HostMessages()[0].Text, "The wave file format is invalid");
            EXPECT_EQ(ReadAll(path), file);
            EXPECT_EQ(temp.Files().size(), 1u);
        }
    }
}

// A rate outside 1,000 to 768,000 Hz would reach the sound driver: such a
// file is refused with a message that names it and its rate.
TEST(TWaveFile, FilesAtARateOutsideTheValidOnesAreRefusedWithTheRate)
{
    TTempFolder temp;
    const std::string path = temp / "rate.wav";
    WriteAll(path, ReadAll(WavFixture("rate_ffffffff_16_1.wav")));
    for (uint16_t mode : {0, 1}) {
        SCOPED_TRACE(mode ? "disk" : "memory");
        HostMessages().clear();
        {
            TWaveFile wave(path.c_str(), mode, 0, temp.Path.c_str());
            EXPECT_EQ(wave.Error, 1u);
        }
        ASSERT_EQ(HostMessages().size(), 1u);
        EXPECT_EQ(HostMessages()[0].Text,
                  "The sampling rate of " + path + ", 4294967295 Hz, is not one from 1000 to 768000 Hz.");
    }
}

// An empty data chunk is an empty wave, as a new recording is; the program
// refuses to open one as a document (see the File menu).
TEST(TWaveFile, AnEmptyDataChunkIsAnEmptyWave)
{
    TTempFolder temp;
    const std::string path = temp / "empty.wav";
    WriteAll(path, Riff({Chunk("fmt ", Fmt(1, 2, 44100, 4, 16)), Chunk("data", {})}));
    for (uint16_t mode : {0, 1}) {
        HostMessages().clear();
        TWaveFile wave(path.c_str(), mode, 1, temp.Path.c_str());
        EXPECT_EQ(wave.Error, 0u);
        EXPECT_EQ(wave.GetFrameCount(), 0u);
        EXPECT_EQ(wave.GetChannels(), 2);
        EXPECT_TRUE(HostMessages().empty());
        EXPECT_EQ(wave.Save(), 1);
    }
    const ByteVector saved = ReadAll(path);
    EXPECT_EQ(saved.size(), 44u);
    EXPECT_EQ(Le32At(saved, 4), 36u);
}

// A calibration chunk that the program could not have written is refused
// with a message naming the file; the wave itself opens, without calibration.
TEST(TWaveFile, CalibrationChunksOfNonsenseAreRefused)
{
    TTempFolder temp;
    const ByteVector wave = ReadAll(WavFixture("pattern_16_1.wav"));
    auto chunk = [](const ByteVector& record) {
        ByteVector c = {0x66, 0, 0, 0};
        Put32(c, static_cast<uint32_t>(record.size()));
        c.insert(c.end(), record.begin(), record.end());
        return c;
    };
    auto withFloat = [](size_t at, float value) {
        const CalibrationStruct good = SampleCalibration("Mic", 2.0f);
        ByteVector record(reinterpret_cast<const uint8_t*>(&good),
                          reinterpret_cast<const uint8_t*>(&good) + sizeof good);
        std::memcpy(&record[at], &value, 4);
        return record;
    };
    const std::pair<const char*, ByteVector> cases[] = {
        {"no zero byte anywhere", ByteVector(sizeof(CalibrationStruct), 0x41)},
        {"NaN level", withFloat(offsetof(CalibrationStruct, Left) + offsetof(CalibrationChannel, RefLevel), NAN)},
        {"infinite full scale",
         withFloat(offsetof(CalibrationStruct, Right) + offsetof(CalibrationChannel, PctFullScale), INFINITY)},
    };
    for (const auto& [name, record] : cases) {
        SCOPED_TRACE(name);
        const std::string path = temp / "cal.wav";
        WriteAll(path, Cat({wave, chunk(record)}));
        for (uint16_t mode : {0, 1}) {
            HostMessages().clear();
            TWaveFile file(path.c_str(), mode, 1, temp.Path.c_str());
            ASSERT_EQ(file.Error, 0u);
            EXPECT_EQ(file.HasCalibration(), 0u);
            EXPECT_EQ(file.GetFrameCount(), 64u);
            ASSERT_EQ(HostMessages().size(), 1u);
            EXPECT_EQ(HostMessages()[0].Text, "The calibration data in " + path +
                                                  " is invalid.  The current calibration is kept.");
        }
    }
}

TEST(TWaveFile, SilenceOnADiskWaveKeepsToEvenFrames)
{
    TTempFolder temp;
    TWaveFile wave(WavFixture("pattern_16_1.wav").c_str(), 1, 1, temp.Path.c_str());
    ASSERT_EQ(wave.Error, 0u);
    wave.SilenceFrames(3, 10);
    for (uint32_t f = 2; f < 11; ++f)
        EXPECT_EQ(wave.GetSample(f, 0, 0), f >= 4 && f <= 9 ? 0.0f : static_cast<float>(PatternSample(16, f, 0)))
            << f;
}

TEST(TWaveFile, ThePinkWaveResourceLoadsAllButItsLastThousandBytes)
{
    TWaveFile pink(GetModuleHandleA(nullptr), "PINKWAVE");
    ASSERT_EQ(pink.Error, 0u);
    const ByteVector file = ReadAll(std::string(TONALYX_RESOURCES) + "/PinkNoise.wav");
    ASSERT_GT(file.size(), 1044u);
    EXPECT_EQ(pink.IsDiskBased(), 2);
    EXPECT_EQ(pink.GetSampleRate(), 44100u);
    ASSERT_EQ(pink.GetBufferSize(), (file.size() - 44 - 1000) & ~size_t(1));
    EXPECT_EQ(std::memcmp(pink.GetBuffer(), file.data() + 44, pink.GetBufferSize()), 0);
    EXPECT_EQ(pink.Changed, 0u);
}

}  // namespace
