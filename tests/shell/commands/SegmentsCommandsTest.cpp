// The segment analysis, utility and data-logging commands: the data log on
// a main window object, the segment analyses against numpy's peaks of a sox
// wave, and the utility and result windows in a real frame.
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include "automation/TDdeItemTable.h"
#include "engine/TSpectralData.h"
#include "tests/shell/commands/CommandTestMain.h"
#include "utilities/TDataLog.h"
#include "utilities/TReverb.h"
#include "utilities/TTHDFreq.h"
#include "views/TSpectrogram.h"
#include "views/TSurfacePlot.h"

namespace {

bool Told(const char* text)
{
    for (const auto& m : Messages())
        if (m.Text.find(text) != std::string::npos) return true;
    return false;
}

// numpy's averaged Hann peak of a segment of the fixture wave.
double ReferencePeak(double start, double stop)
{
    std::ifstream in(Fixture("automation/segments/peaks.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        double a, b, peak;
        if (s >> a >> b >> peak && a == start && b == stop) return peak;
    }
    ADD_FAILURE() << "no reference for " << start << " " << stop;
    return 0.0;
}

// The fixture's two tones (500 Hz to 2 s, 1500 Hz after) in Post Process at
// 8 kHz, FFT 1024 with the Hann window.
void OpenTwoTones(TMainWin& main, const std::string& folder)
{
    State(main).Settings().SmoothingWindow = 4;
    State(main).Settings().ChannelProcessing = 0;
    OpenInPostProcess(main, "automation/segments/two_tones_8k.wav", TWaveFormat(8000, 2, 2), 1024, folder);
}

// A main window object without a frame: the spectrum view counts as open,
// so the average fills the engines without drawing.
struct TSegmentCommands : ::testing::Test {
    TTempFolder Folder;
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        // A case of a table starts with the log of the one before stopped.
        TearDown();
        Main = NewQuietMain(Folder.File("Tonalyx.exe"));
        State(Main).ViewStatus().SpectrumPlot = 1;
        Main->SetConfiguredFolder(TMainWin::TxtFolder, Folder.Path.c_str());
    }
    void TearDown() override
    {
        if (Main && Main->GetDataLog()) Main->CmDataLogOff();
    }
};

using TCase = TCommandCase<TSegmentCommands>;

}  // namespace

TEST_F(TSegmentCommands, DataLoggingCommandsNameStartAndStopTheLog)
{
    const auto none = [](TSegmentCommands&) {};
    const auto logging = [](TSegmentCommands& t) {
        t.Main->SetLogFileName(t.Folder.File("running.txt").c_str());
        t.Main->CmDataLogOn();
        ASSERT_NE(t.Main->GetDataLog(), nullptr);
    };
    const auto logFile = [](TSegmentCommands& t) { return std::string(t.Main->GetLogging().LogFileName); };
    const TCase cases[] = {
        {"[Set DataLogging File run1.txt]", none, Done,
         [&](TSegmentCommands& t) { EXPECT_EQ(logFile(t), t.Folder.File("run1.txt")); }},
        {"[Set DataLogging File C:\\logs\\run2.txt]", none, Done,
         [&](TSegmentCommands& t) { EXPECT_EQ(logFile(t), "C:\\logs\\run2.txt"); }},
        // Three characters or fewer are taken as they stand.
        {"[Set DataLogging File a.t]", none, Done, [&](TSegmentCommands& t) { EXPECT_EQ(logFile(t), "a.t"); }},
        // The running log keeps its file, and the command is still done.
        {"[Set DataLogging File run3.txt]", logging, Done,
         [&](TSegmentCommands& t) { EXPECT_EQ(logFile(t), t.Folder.File("running.txt")); }},
        // A joined path past the field is refused whole, never cut.
        {"[Set DataLogging File " + std::string(200, 'n') + ".txt]",
         [](TSegmentCommands& t) { t.Main->SetConfiguredFolder(TMainWin::TxtFolder, (t.Folder.Path + "\\" + std::string(60, 'f')).c_str()); },
         0, [&](TSegmentCommands& t) {
             EXPECT_EQ(logFile(t), "datalog.txt");
             EXPECT_TRUE(Told("Failure opening file"));
         }},
        {"[Logging On]", [](TSegmentCommands& t) { t.Main->SetLogFileName(t.Folder.File("on.txt").c_str()); }, Done,
         [](TSegmentCommands& t) {
             ASSERT_NE(t.Main->GetDataLog(), nullptr);
             EXPECT_TRUE(Exists(t.Folder.File("on.txt")));
         }},
        // A second start leaves the running log as it is.
        {"[Logging On]", logging, Done, [](TSegmentCommands& t) {
             const TDataLog* first = t.Main->GetDataLog();
             EXPECT_EQ(t.Main->ExecuteCommand("[Enable DataLogging]"), Done);
             EXPECT_EQ(t.Main->GetDataLog(), first);
         }},
        {"[Enable Data", [](TSegmentCommands& t) { t.Main->SetLogFileName(t.Folder.File("part.txt").c_str()); }, Done,
         [](TSegmentCommands& t) { EXPECT_NE(t.Main->GetDataLog(), nullptr); }},
        {"[Disable DataLogging]", logging, Done, [](TSegmentCommands& t) {
             EXPECT_EQ(t.Main->GetDataLog(), nullptr);
             EXPECT_EQ(t.Main->DdeItemText(int(TDdeItem::FileClosed)).value_or(""), t.Folder.File("running.txt"));
         }},
        {"[Logging Off]", logging, Done, [](TSegmentCommands& t) { EXPECT_EQ(t.Main->GetDataLog(), nullptr); }},
        {"[Logging Off]", none, Done, [](TSegmentCommands& t) { EXPECT_EQ(t.Main->GetDataLog(), nullptr); }},
        {"[Logging On] ", none, 0, [](TSegmentCommands& t) { EXPECT_EQ(t.Main->GetDataLog(), nullptr); }},
    };
    RunCases(*this, cases);
}

TEST_F(TSegmentCommands, TheAverageSpectrumTakesTheGivenSegment)
{
    OpenTwoTones(*Main, Folder.Path);
    const double bin = 8000.0 / 1024;
    const auto peak = [&] { return State(Main).SpectralLeft()->GetPeakFrequency(); };
    // Each segment lies within one tone: the peak tells which part was averaged.
    EXPECT_EQ(Main->ExecuteCommand("[Compute Average Spectrum 1.0 1.8]"), Done);
    EXPECT_NEAR(peak(), ReferencePeak(1.0, 1.8), bin / 2);
    EXPECT_EQ(Main->ExecuteCommand("[Compute Average Spectrum\t2.5   3.5]"), Done);
    EXPECT_NEAR(peak(), ReferencePeak(2.5, 3.5), bin / 2);
    // Reversed bounds are the operation's to order.
    EXPECT_EQ(Main->ExecuteCommand("[Compute Average Spectrum 1.5 0]"), Done);
    EXPECT_NEAR(peak(), ReferencePeak(0.0, 1.5), bin / 2);
    EXPECT_TRUE(Messages().empty());
    // One number is the start and the stop reads as 0: here an empty segment.
    EXPECT_EQ(Main->ExecuteCommand("[Compute Average Spectrum 0]"), Done);
    EXPECT_TRUE(Told("You must first select a time segment."));
}

TEST_F(TSegmentCommands, UtilityCommandsWithoutTheirWindowDoNothing)
{
    for (const char* command : {"[Start Reverb]", "[Save Reverb x.rvb]", "[Set Reverb View Decay]",
                                "[Start THDvsFreq]", "[Save THDvsFreq x.thd]", "[Print THDvsFreq]",
                                "[Close THD Utility]"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Main->ExecuteCommand(command), Done);
    }
    EXPECT_EQ(Main->ReverbWindow(), nullptr);
    EXPECT_EQ(Main->ThdFreqWindow(), nullptr);
    EXPECT_FALSE(Exists(Folder.File("x.rvb")));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TSegmentCommands, AmbientCompensationIsMeasuredFromTheCaptureAndUsed)
{
    Main->SetConfiguredFolder(TMainWin::MicFolder, Folder.Path.c_str());
    // Nothing captured yet: nothing measured, nothing written.
    EXPECT_EQ(Main->ExecuteCommand("[Ambient Compensate]"), Done);
    EXPECT_FALSE(Exists(Folder.File("AmbientLeft.mic")));

    State(Main).OpMode() = TMainWin::RealTime;
    State(Main).Settings().Format = TWaveFormat(8000, 2, 2);
    State(Main).Settings().FFTsize = 1024;
    State(Main).Settings().ChannelProcessing = 2;
    Main->ApplySettings(TMainWin::RefreshKind::Full);
    ASSERT_TRUE(Main->AllocateCaptureBlocks());
    // A low hum in both capture blocks stands for the room.
    for (int slot = 0; slot < 2; ++slot) {
        auto* block = const_cast<TWaveData*>(Main->CaptureBlock(slot));
        for (uint32_t i = 0; i < block->GetFrameCount(); ++i)
            for (uint16_t c = 0; c < 2; ++c) block->PutSample(int32_t(3000 * std::sin(0.2 * i)) + 7, i, c);
    }
    EXPECT_EQ(Main->ExecuteCommand("[Ambient Compensate]"), Done);
    for (int channel = 0; channel < 2; ++channel) {
        const std::string file = Folder.File(channel ? "AmbientRight.mic" : "AmbientLeft.mic");
        SCOPED_TRACE(file);
        EXPECT_TRUE(Exists(file));
        EXPECT_EQ(Main->GetScaling(channel).MicCompEnable, 1u);
        EXPECT_EQ(std::string(Main->GetScaling(channel).MicCompFilename), file);
    }
    EXPECT_TRUE(Messages().empty());
}

namespace {

// A real frame over the two tones, printing into metafiles, whose sound
// card cannot play and record at once: a measurement stops before it plays.
class TFrameMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    int Printed = 0;
    bool DeviceIsFullDuplex() override { return false; }
    TDuplexDevices DuplexDevices() override
    {
        TDuplexDevices devices;
        devices.HalfDuplex = true;
        return devices;
    }
    int RunPrintDialog(TPrintDialog::TData& data, bool) override
    {
        data.Dc = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        return IDOK;
    }
    void ReleasePrinterDC(HDC dc) override
    {
        ++Printed;
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc));
    }
};

// One frame for the suite, as a frame takes seconds to make under Wine;
// each test closes what it opened.
struct TUtilityCommands : ::testing::Test {
    static inline std::unique_ptr<TTempFolder> Folder;
    static inline std::unique_ptr<TFrameMain> Main;

    static void SetUpTestSuite()
    {
        Folder = std::make_unique<TTempFolder>();
        WriteIni(Folder->File("Tonalyx.ini"), FrameIni);
        Main = std::make_unique<TFrameMain>(nullptr, Folder->File("Tonalyx.exe").c_str(), nullptr, *new TClientMain);
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(0));
        Main->ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1000, 760, true);
        OpenTwoTones(*Main, Folder->Path);
        Pump();
    }
    static void TearDownTestSuite()
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
        Folder.reset();
    }
    void SetUp() override { Messages().clear(); }
};

}  // namespace

TEST_F(TUtilityCommands, ResultWindowsOpenAndCloseOnlyWhenNeeded)
{
    struct TKind {
        const char* Name;
        ViewType Type;
    };
    const TKind kinds[] = {{"THD_N", ViewType::Thdn},         {"THD", ViewType::Thd},
                           {"IMD", ViewType::Imd},            {"SNR", ViewType::Snr},
                           {"Total Power", ViewType::TotalPower}, {"Peak Freq", ViewType::PeakFrequency},
                           {"Peak Amp", ViewType::PeakAmplitude}};
    for (const TKind& k : kinds) {
        SCOPED_TRACE(k.Name);
        const std::string open = std::string("[Open ") + k.Name + " Utility]";
        const std::string close = std::string("[Close ") + k.Name + " Utility]";
        // Twice each: a second open or close leaves the window as the first did.
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(Main->ExecuteCommand(open), Done);
            EXPECT_TRUE(Main->IsWindowOpen(k.Type));
        }
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(Main->ExecuteCommand(close), Done);
            EXPECT_FALSE(Main->IsWindowOpen(k.Type));
        }
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TUtilityCommands, ReverbCommandsAnalyseShowSaveAndClose)
{
    EXPECT_EQ(Main->ExecuteCommand("[Open Reverb]"), Done);
    TReverb* reverb = Main->ReverbWindow();
    ASSERT_NE(reverb, nullptr);
    // Nothing measured yet: nothing to write, and the macro hears of it.
    EXPECT_EQ(Main->ExecuteCommand("[Save Reverb " + Folder->File("empty.rvb") + "]"), 0u);
    EXPECT_FALSE(Exists(Folder->File("empty.rvb")));

    EXPECT_EQ(Main->ExecuteCommand("[Compute Reverb 1.0 3.5]"), Done);
    EXPECT_TRUE(reverb->IsFromSegment());
    EXPECT_GT(reverb->Data().RowCount, 0);
    const struct {
        const char* Command;
        int32_t Mode;
    } views[] = {{"[Set Reverb View Decay]", TReverbLayout::DecayCurve},
                 {"[Set Reverb View Surface]", TReverbLayout::Surface},
                 {"[Set Reverb View Time]", TReverbLayout::RtBars}};
    for (const auto& v : views) {
        EXPECT_EQ(Main->ExecuteCommand(v.Command), Done);
        EXPECT_EQ(reverb->GetDisplayMode(), v.Mode) << v.Command;
    }
    // The name follows "[Save Reverb" after any one character.
    EXPECT_EQ(Main->ExecuteCommand("[Save Reverb_" + Folder->File("hall.rvb") + "]"), Done);
    EXPECT_TRUE(Exists(Folder->File("hall.rvb")));
    EXPECT_FALSE(reverb->IsDataChanged());
    EXPECT_EQ(Main->ExecuteCommand("[Start Reverb]"), Done);
    EXPECT_TRUE(Told("does not support duplex operations"));
    EXPECT_FALSE(reverb->IsFromSegment());
    EXPECT_EQ(Main->ExecuteCommand("[Close Reverb]"), Done);
    EXPECT_EQ(Main->ReverbWindow(), nullptr);
}

TEST_F(TUtilityCommands, ThdFreqCommandsOpenPrintAndClose)
{
    EXPECT_EQ(Main->ExecuteCommand("[Open THDvsFreq]"), Done);
    ASSERT_NE(Main->ThdFreqWindow(), nullptr);
    // No points to store: refused, no file.
    EXPECT_EQ(Main->ExecuteCommand("[Save THDvsFreq " + Folder->File("sweep.thd") + "]"), 0u);
    EXPECT_FALSE(Exists(Folder->File("sweep.thd")));
    EXPECT_EQ(Main->ExecuteCommand("[Print THDvsFreq]"), Done);
    EXPECT_EQ(Main->Printed, 1);
    // The default sweep does not fit the 8 kHz analyser: the start ends at its check.
    EXPECT_EQ(Main->ExecuteCommand("[Start THDvsFreq]"), Done);
    EXPECT_TRUE(Told("The Stop Frequency must be less than"));
    EXPECT_EQ(Main->ExecuteCommand("[Close THDvsFreq]"), Done);
    EXPECT_EQ(Main->ThdFreqWindow(), nullptr);
}

TEST_F(TUtilityCommands, SpectrogramAndSurfaceAreBuiltFromTheGivenSegment)
{
    // The lines stand at their blocks' centres, between the bounds.
    const float tolerance = 1024.0f / 8000.0f;
    EXPECT_EQ(Main->ExecuteCommand("[Build Spectrogram 1.0 3.5]"), Done);
    const TSpectrogram* spectrogram = Main->SpectrogramView(0);
    ASSERT_NE(spectrogram, nullptr);
    EXPECT_NEAR(spectrogram->GetHistoryMinTime(), 1.0f, tolerance);
    EXPECT_NEAR(spectrogram->GetHistoryMaxTime(), 3.5f, tolerance);
    // The surface's argument begins right after the keyword's blank.
    EXPECT_EQ(Main->ExecuteCommand("[Build Surface 0.5 2.0]"), Done);
    const TSurfacePlot* surface = Main->SurfaceView(0);
    ASSERT_NE(surface, nullptr);
    EXPECT_NEAR(surface->GetHistoryMinTime(), 0.5f, tolerance);
    EXPECT_NEAR(surface->GetHistoryMaxTime(), 2.0f, tolerance);
    EXPECT_TRUE(Messages().empty());
}
