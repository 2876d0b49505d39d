// Import and Export of data files through the main window: exports of the
// wave module's stereo WAVs in every format (read back by numpy after this
// run) import again with Truncate as the same samples; the import's scaling,
// calibration and frame counts; files that are not data give one message
// and no wave; Cancel and unwritable targets leave no export behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/THeadlessEngineHost.h"
#include "dialogs/TProcessingStatusDialog.h"
#include "engine/TDataImport.h"
#include "engine/TWaveFile.h"
#include "framework/TGauge.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

THeadlessEngineHost& Host() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }

// A main window whose progress boxes a test may drive instead of running them modally.
class TDrivenMainWin : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::function<int(TDialog&)> Driver;
    int ExecuteDialog(TDialog& dialog) override { return Driver ? Driver(dialog) : dialog.Execute(); }
};

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

struct TDataFiles : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TDrivenMainWin> Main =
        std::make_unique<TDrivenMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);

    void SetUp() override
    {
        State(*Main).OpMode() = TMainWin::PostProcess;
        State(*Main).FileIO().WaveFileMode = 0;
        for (int f : {TMainWin::WavFolder, TMainWin::TmpFolder}) {
            Main->SetConfiguredFolder(f, Folder.Path.c_str());
            Main->SetCurrentFolder(f, Folder.Path.c_str());
        }
        Host().Messages.clear();
        Host().Reply = THeadlessEngineHost::AnswerOk;
    }
    void TearDown() override { CloseWave(); }
    void CloseWave()
    {
        if (Main->Wave()) Main->Wave()->Changed = 0;
        Main->ReplaceWave(nullptr);
    }
    // The stored samples of both channels of the open wave.
    std::vector<std::vector<int32_t>> Samples()
    {
        TWaveFile& wave = *Main->Wave();
        std::vector<std::vector<int32_t>> v(wave.GetFormat().NumChannels);
        for (uint16_t c = 0; c < v.size(); ++c)
            for (uint32_t i = 0; i < wave.GetHighWaterMark(); ++i)
                v[c].push_back(int32_t(wave.GetSample(i, c, 0)));
        return v;
    }
    // Imports the file with these options; the new wave's samples, none when no wave came.
    std::vector<std::vector<int32_t>> Import(const std::string& path, const ImportOptions& options)
    {
        CloseWave();
        State(*Main).ImportOptions() = options;
        if (!Main->ImportFile(path.c_str())) {
            EXPECT_EQ(Main->Wave(), nullptr);
            return {};
        }
        return Samples();
    }
};

}  // namespace

// numpy reads the exports this test leaves in the output folder
// (check_exported_data.py); here each that holds the values whole imports
// back, with Truncate, as the samples the wave module wrote.
TEST_F(TDataFiles, ExportsOfEveryFormatImportBackAsTheSamples)
{
    const std::string out = TONALYX_SHELL_OUT;
    for (int bits : {8, 16, 24}) {
        const std::string wav = std::string(TONALYX_FIXTURES) + "/wav/pattern_" + std::to_string(bits) + "_2.wav";
        CloseWave();
        Main->OpenWaveFile(wav.c_str());
        ASSERT_NE(Main->Wave(), nullptr) << wav;
        const auto samples = Samples();
        ASSERT_EQ(samples[0].size(), 64u);
        // The import holds samples to the width's range, which leaves out its
        // most negative code (-32768 of 16 bits).
        const TWaveFormat width = Main->Wave()->GetFormat();
        auto held = samples;
        for (auto& channel : held)
            for (int32_t& v : channel)
                v = std::clamp(v, width.MinValue, width.MaxValue);
        for (uint16_t format = 0; format < 6; ++format) {
            SCOPED_TRACE(std::to_string(bits) + " bits, format " + std::to_string(format));
            ExportOptions options;
            options.Right = 1;
            options.Format = format;
            State(*Main).ExportOptions() = options;
            const std::string path = out + "\\export_" + std::to_string(bits) + "_" + std::to_string(format) + ".dat";
            std::remove(path.c_str());
            Main->Wave()->Changed = 0;
            ASSERT_TRUE(Main->ExportFile(path.c_str()));
            EXPECT_TRUE(Host().Messages.empty());
            // Binary 8-bit holds unsigned codes, which Truncate puts around
            // silence; 16-bit holds wider waves scaled.
            if (format == TDataImport::Binary8 || (format == TDataImport::Binary16 && bits == 24)) continue;
            ImportOptions back;
            back.SourceType = format;
            back.Channels = 2;
            back.BytesPerSample = uint16_t(bits / 8);
            back.SamplingRate = 8000;
            back.ScalingOption = TDataImport::Truncate;
            const auto imported = Import(path, back);
            EXPECT_EQ(imported, held);
            CloseWave();
            Main->OpenWaveFile(wav.c_str());
            ASSERT_NE(Main->Wave(), nullptr);
        }
    }
}

// The import's own cases: rescaling, defined values with their calibration,
// headers, whole binary frames and a last line without a line feed.
TEST_F(TDataFiles, ImportScalesCalibratesAndCountsFrames)
{
    const std::string text = Folder.File("values.txt");
    WriteFile(text, "100\n150\n200\n");
    ImportOptions rescale;
    EXPECT_EQ(Import(text, rescale), (std::vector<std::vector<int32_t>>{{0, 16383, 32767}}));
    EXPECT_EQ(Main->GetCalibration().Left.IsEnabled, 0u);
    EXPECT_EQ(Main->GetAnalysisSettings().Format.SamplingRate, 11025u);

    const std::string half = Folder.File("half.txt");
    WriteFile(half, "0.5\n-0.25\n0\n");
    ImportOptions defined;
    defined.SourceType = TDataImport::AsciiFloat;
    defined.ScalingOption = TDataImport::DefinedValues;
    EXPECT_EQ(Import(half, defined), (std::vector<std::vector<int32_t>>{{32767, -16383, 0}}));
    const CalibrationStruct& calibration = Main->GetCalibration();
    EXPECT_EQ(calibration.Left.IsEnabled, 1u);
    EXPECT_FLOAT_EQ(float(calibration.Left.CalRatio), 0.5f);
    EXPECT_EQ(calibration.Right.IsEnabled, 1u);
    EXPECT_STREQ(calibration.Right.ChannelName, "Right");
    EXPECT_FLOAT_EQ(Main->Wave()->GetCalibration(1), 0.5f);

    struct Case {
        const char* name;
        std::string bytes;
        ImportOptions options;
        size_t frames;
    };
    ImportOptions stereo16;
    stereo16.SourceType = TDataImport::Binary16;
    stereo16.Channels = 2;
    stereo16.ScalingOption = TDataImport::Truncate;
    ImportOptions header = stereo16;
    header.SourceType = TDataImport::AsciiInteger;
    header.Channels = 1;
    header.HeaderPresent = 1;
    header.HeaderSize = 3;
    const Case cases[] = {
        {"10 bytes of 16-bit stereo", std::string("\x01\x00\x02\x00\x03\x00\x04\x00\x05\x00", 10), stereo16, 2},
        {"three lines, no final line feed", "1\n2\n3", header, 0},
        {"a header of three lines", "1\nx\ny\n4\n5\n", header, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Folder.File("case.dat");
        WriteFile(path, c.bytes);
        ImportOptions options = c.options;
        if (c.frames == 0) options.HeaderPresent = 0;
        const auto got = Import(path, options);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got[0].size(), c.frames ? c.frames : 3u);
    }
    EXPECT_TRUE(Host().Messages.empty());
}

// Files that are not data: one message naming the file, no wave, the
// calibration as it was.
TEST_F(TDataFiles, FilesThatAreNotDataGiveOneMessageAndNoWave)
{
    State(*Main).Calibration().Left.IsEnabled = 1;
    State(*Main).Calibration().Left.CalRatio = 3.0f;
    ImportOptions mono;
    mono.ScalingOption = TDataImport::DefinedValues;
    ImportOptions stereo = mono;
    stereo.Channels = 2;
    ImportOptions floats = mono;
    floats.SourceType = TDataImport::AsciiFloat;
    ImportOptions header = mono;
    header.HeaderPresent = 1;
    header.HeaderSize = 9;
    struct Case {
        const char* name;
        std::string bytes;
        const ImportOptions& options;
    };
    const Case cases[] = {
        {"words", "1\nword\n", mono},        {"1;2", "1;2\n", stereo},   {"1,", "1,2\n1,\n", stereo},
        {"nan", "1\nnan\n", floats},         {"1e400", "1e400\n", floats}, {"empty", "", mono},
        {"header past the end", "1\n2\n", header},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Folder.File("bad.txt");
        WriteFile(path, c.bytes);
        Host().Messages.clear();
        EXPECT_TRUE(Import(path, c.options).empty());
        ASSERT_EQ(Host().Messages.size(), 1u);
        EXPECT_NE(Host().Messages[0].Text.find(path), std::string::npos) << Host().Messages[0].Text;
        EXPECT_EQ(Main->GetCalibration().Left.IsEnabled, 1u);
        EXPECT_FLOAT_EQ(float(Main->GetCalibration().Left.CalRatio), 3.0f);
    }
    // A file that cannot be opened.
    Host().Messages.clear();
    EXPECT_TRUE(Import(Folder.File("missing.txt"), mono).empty());
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "Failure Opening file: " + Folder.File("missing.txt"));
}

// Cancel answered Yes deletes the partial export; No lets it finish. A
// target that cannot be opened gives one message and no export.
TEST_F(TDataFiles, CancelAndUnwritableTargetsLeaveNoExport)
{
    const uint32_t frames = 40000;
    Main->ReplaceWave(std::make_unique<TWaveFile>(frames, TWaveFormat(8000, 1, 2), Folder.Path.c_str()));
    for (uint32_t i = 0; i < frames; ++i) Main->Wave()->PutSample(int32_t(i % 100), i, 0);
    Main->Wave()->Changed = 0;
    ASSERT_EQ(Main->Wave()->GetHighWaterMark(), frames);
    const std::string path = Folder.File("out.txt");
    int steps = 0;
    Main->Driver = [&](TDialog& d) {
        auto& box = static_cast<TProcessingStatusDialog&>(d);
        EXPECT_TRUE(d.Create());
        // One step written, then Cancel.
        MSG msg;
        while (d.GetHandle() && box.GetGauge()->GetValue() == 0 && ::GetMessageA(&msg, nullptr, 0, 0))
            ::DispatchMessageA(&msg);
        ++steps;
        EXPECT_TRUE(Exists(path));
        if (d.GetHandle()) ::SendMessageA(d.GetHandle(), WM_COMMAND, IDCANCEL, 0);
        while (d.GetHandle() && ::GetMessageA(&msg, nullptr, 0, 0)) ::DispatchMessageA(&msg);
        return box.GetResult();
    };
    Host().Reply = THeadlessEngineHost::AnswerYes;
    EXPECT_FALSE(Main->ExportFile(path.c_str()));
    EXPECT_EQ(steps, 1);
    EXPECT_FALSE(Exists(path));
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "Are you sure you want to cancel exporting?");

    Host().Reply = THeadlessEngineHost::AnswerNo;
    EXPECT_TRUE(Main->ExportFile(path.c_str()));
    ASSERT_TRUE(Exists(path));
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    int lines = 0;
    for (int c; (c = std::fgetc(f)) != EOF;) lines += c == '\n';
    std::fclose(f);
    EXPECT_EQ(lines, int(frames));

    Main->Driver = nullptr;
    // A target that cannot be opened (a read-only file is writable to the
    // root user these tests run as, so a missing folder stands for it).
    const std::string nowhere = Folder.File("no folder\\out.txt");
    Host().Messages.clear();
    EXPECT_FALSE(Main->ExportFile(nowhere.c_str()));
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "Failure opening export file");
    EXPECT_FALSE(Exists(nowhere));

    // A wave of 4-byte samples is refused before any file is made.
    Main->ReplaceWave(std::make_unique<TWaveFile>(100u, TWaveFormat(8000, 1, 4), Folder.Path.c_str()));
    Host().Messages.clear();
    EXPECT_FALSE(Main->ExportFile(Folder.File("wide.txt").c_str()));
    EXPECT_EQ(Host().Messages.size(), 1u);
    EXPECT_FALSE(Exists(Folder.File("wide.txt")));
}
