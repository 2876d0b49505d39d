// The DDE pokes and the DDE client link of a main window in this process,
// with a second program (dde_peer) that pokes into its server or serves the
// items it links to. Results are read where they land: the analysis blocks
// and spectra, the calibration record, the wave and the link's fields.
#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>
#include "base/THeadlessEngineHost.h"
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "framework/TClipboard.h"
#include "shell/TClientMain.h"
#include "shell/TDdeServer.h"
#include "shell/TMainWin.h"
#include "tests/engine/Fixture.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "views/TLinkClipboard.h"

namespace {

constexpr UINT Ack = 0x8000, Busy = 0x4000;

std::vector<THeadlessEngineHost::Message>& Messages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

std::string Unique(const char* name)
{
    return name + std::to_string(::GetCurrentProcessId());
}

// The first row of the pipeline's numpy reference: a 1 kHz tone's block of
// 4096 at 48 kHz, its peak bin and its level in dB through a Hann window.
struct TToneReference {
    uint32_t Fft, Bin;
    double Db;
};
TToneReference ToneReference()
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/pipeline/reference.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        double fft, hop, blocks, bin, hz, db;
        s >> fft >> hop >> blocks >> bin >> hz >> db;
        return {uint32_t(fft), uint32_t(bin), db};
    }
    return {};
}

// The 16-bit samples of the numpy tone.
std::vector<int16_t> Tone(uint32_t count, const std::string& folder)
{
    const std::string path = std::string(TONALYX_FIXTURES) + "/pipeline/tone_1k_48k.wav";
    TWaveFile wave(path.c_str(), TWaveFile::Memory, 0, folder.c_str());
    std::vector<int16_t> values(count);
    for (uint32_t i = 0; i < count; ++i) values[i] = int16_t(wave.GetSample(i, 0, 0));
    return values;
}

std::string Bytes(const std::vector<int16_t>& values)
{
    return std::string(reinterpret_cast<const char*>(values.data()), values.size() * 2);
}

struct TDdeLink : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Service = Unique("TonalyxPoked");
    std::unique_ptr<TMainWin> Main;
    PROCESS_INFORMATION Server{};

    void SetUp() override
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n[DDE]\nServerName=" << Service << "\n";
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        // Real Time blocks take their time from the input port.
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(0));
        State(*Main).ViewStatus() = ViewStatusFlags{};
        State(*Main).OpMode() = TMainWin::PostProcess;
        for (int f : {TMainWin::WavFolder, TMainWin::TmpFolder}) {
            Main->SetConfiguredFolder(f, Folder.Path.c_str());
            Main->SetCurrentFolder(f, Folder.Path.c_str());
        }
        ASSERT_TRUE(Main->Create());
        State(*Main).OpMode() = TMainWin::RealTime;
        // A spectrum is computed only for someone who shows or serves it.
        State(*Main).ViewStatus().SpectrumPlot = 1;
        Analyse(2, 2, 4096);
        Messages().clear();
    }
    void TearDown() override
    {
        StopServer();
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    void Analyse(uint16_t channels, uint16_t width, uint32_t fft)
    {
        State(*Main).Settings().Format = TWaveFormat(48000, channels, width);
        State(*Main).Settings().FFTsize = fft;
        State(*Main).Settings().ChannelProcessing = channels == 2 ? 2 : 0;
        Main->ApplySettings(TMainWin::RefreshKind::Full);
        ASSERT_TRUE(Main->GetSeries(0));
    }
    // Handles this window's messages until the process ends or ms pass.
    bool Pump(HANDLE process, DWORD ms)
    {
        const DWORD start = ::GetTickCount();
        for (;;) {
            const DWORD left = ms - std::min(ms, ::GetTickCount() - start);
            const DWORD handles = process ? 1 : 0;
            if (process && ::MsgWaitForMultipleObjects(handles, &process, FALSE, left, QS_ALLINPUT) == WAIT_OBJECT_0)
                return true;
            if (!process) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
            if (::GetTickCount() - start >= ms) return false;
        }
    }
    PROCESS_INFORMATION StartPeer(const std::string& arguments)
    {
        std::string line = "\"" TONALYX_DDE_PEER "\" " + arguments;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        return pi;
    }
    // Pokes of bytes into this window's server, in turn, by a second program: their result flags.
    std::vector<UINT> Pokes(const std::vector<std::pair<const char*, std::string>>& pokes)
    {
        std::string arguments = "poke " + Service + " \"" + Folder.File("results.txt") + "\"";
        for (size_t i = 0; i < pokes.size(); ++i) {
            const std::string file = Folder.File(("poke" + std::to_string(i) + ".bin").c_str());
            std::ofstream(file, std::ios::binary) << pokes[i].second;
            arguments += std::string(" ") + pokes[i].first + " \"" + file + "\"";
        }
        PROCESS_INFORMATION pi = StartPeer(arguments);
        EXPECT_TRUE(Pump(pi.hProcess, 20000));
        DWORD code = 0;
        ::GetExitCodeProcess(pi.hProcess, &code);
        EXPECT_EQ(code, 0u);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        std::vector<UINT> results;
        std::ifstream in(Folder.File("results.txt"));
        for (UINT r; in >> r;) results.push_back(r);
        return results;
    }
    UINT Poke(const char* item, const std::string& bytes)
    {
        const std::vector<UINT> results = Pokes({{item, bytes}});
        return results.empty() ? ~0u : results[0];
    }
    // A second program serving the table's lines under the services; the log names its requests.
    std::string Log = Folder.File("requests.txt");
    void Serve(const std::string& table, const std::string& services)
    {
        const std::string file = Folder.File("table.txt");
        std::ofstream(file, std::ios::binary) << table;
        std::ofstream(Log, std::ios::trunc).close();
        Server = StartPeer("serve \"" + file + "\" \"" + Log + "\" " + services);
        // Registered once it takes a connection.
        DWORD instance = 0;
        ::DdeInitializeA(&instance, [](UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) -> HDDEDATA {
            return nullptr;
        }, APPCMD_CLIENTONLY, 0);
        const std::string first = services.substr(0, services.find(' '));
        const std::string topic = table.substr(2, table.find('\t', 2) - 2);
        HSZ s = ::DdeCreateStringHandleA(instance, first.c_str(), CP_WINANSI);
        HSZ t = ::DdeCreateStringHandleA(instance, topic.c_str(), CP_WINANSI);
        bool ready = false;
        for (int i = 0; i < 100 && !ready; ++i) {
            if (HCONV c = ::DdeConnect(instance, s, t, nullptr)) {
                ::DdeDisconnect(c);
                ready = true;
            } else {
                Pump(nullptr, 50);
            }
        }
        EXPECT_TRUE(ready) << first << " on " << topic;
        Pump(nullptr, 300);
        ::DdeFreeStringHandle(instance, s);
        ::DdeFreeStringHandle(instance, t);
        ::DdeUninitialize(instance);
    }
    void StopServer()
    {
        if (!Server.hProcess) return;
        ::PostThreadMessageA(Server.dwThreadId, WM_QUIT, 0, 0);
        EXPECT_TRUE(Pump(Server.hProcess, 5000));
        ::TerminateProcess(Server.hProcess, 1);
        // The ends of its conversations reach this window after it has gone.
        Pump(nullptr, 200);
        ::CloseHandle(Server.hThread);
        ::CloseHandle(Server.hProcess);
        Server = {};
    }
    std::vector<std::string> Requests()
    {
        std::vector<std::string> lines;
        std::ifstream in(Log);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    std::vector<int32_t> Block(int channel, uint32_t count)
    {
        std::vector<int32_t> values(count);
        for (uint32_t i = 0; i < count; ++i) values[i] = int32_t(Main->GetSeries(channel)->GetSample(i, 0));
        return values;
    }
    void PutLink(const std::string& service, const std::string& item)
    {
        TClipboard clipboard(Main->GetHandle());
        ASSERT_TRUE(clipboard.IsOpen());
        clipboard.EmptyClipboard();
        ASSERT_TRUE(TLinkClipboard::Put(clipboard, service.c_str(), item.c_str()));
    }
};

}  // namespace

TEST_F(TDdeLink, PokedTimeSeriesFillsTheBlocksAndIsAnalysedInEveryFormat)
{
    // Blocks of the smallest FFT size, 32: values 100, 200, 300, ... in 16 bits.
    const uint32_t n = 32;
    Analyse(2, 2, n);
    ASSERT_EQ(Main->GetSeries(0)->GetDecimatedLength(), n);
    struct Case {
        const char* name;
        uint32_t count;
        bool oddByte;
        uint32_t step;  // of the values the blocks take, the right one starting at the second
    } cases[] = {
        {"fft size", n, false, 1},
        {"twice the fft size", 2 * n, false, 2},
        {"longer than the buffer", 2 * n + 8, false, 1},
        {"odd-sized", 5, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int16_t> values(c.count);
        for (uint32_t i = 0; i < c.count; ++i) values[i] = int16_t(100 * (i + 1));
        std::vector<int32_t> left(n, 0), right(n, 0);
        for (uint32_t j = 0; j < n; ++j) {
            // Past the poked values the blocks hold silence, the right channel's last one included.
            if (j * c.step < c.count) left[j] = values[j * c.step];
            if (j * c.step + 1 < c.count) right[j] = values[j * c.step + 1];
        }
        EXPECT_EQ(Poke("TimeSeriesData", Bytes(values) + (c.oddByte ? "\x7F" : "")), Ack);
        EXPECT_EQ(Block(0, n), left);
        EXPECT_EQ(Block(1, n), right);
        EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    }

    // A tone arrives at numpy's level whatever the width it is analysed in.
    const TToneReference tone = ToneReference();
    const std::string bytes = Bytes(Tone(tone.Fft, Folder.Path));
    for (uint16_t width : {1, 2, 3}) {
        SCOPED_TRACE(std::to_string(8 * width) + " bits");
        Analyse(1, width, tone.Fft);
        EXPECT_EQ(Poke("TimeSeriesData", bytes), Ack);
        const TSpectralData* left = Main->GetLeftSpectrum();
        ASSERT_TRUE(left);
        EXPECT_EQ(left->GetPeakIndex(), tone.Bin);
        EXPECT_NEAR(left->GetPeakFrequency(), 1000.0, left->GetBinWidth());
        EXPECT_NEAR(left->GetDisplayValue(int(tone.Bin)), tone.Db, width == 1 ? 0.3 : 0.05);
        EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TDdeLink, OnlyAWholeCalibrationRecordIsTaken)
{
    // numpy's ratio for 1 V rms (type 1, volts) at half scale.
    std::vector<double> ratio;
    for (const auto& r : ReadFixture("calibration_ratio.txt"))
        if (r[0] == 1 && r[1] == 0 && r[2] == 1.0 && r[3] == 0.5) ratio = r;
    ASSERT_FALSE(ratio.empty());
    CalibrationStruct record = Main->GetCalibration();
    record.Left.IsEnabled = 1;
    record.Left.RefType = 1;
    record.Left.RefUnits = 0;
    record.Left.RefLevel = 1.0f;
    record.Left.PctFullScale = 0.5f;
    record.Left.CalRatio = 0.0f;
    const std::string whole(reinterpret_cast<const char*>(&record), sizeof record);
    const CalibrationStruct before = Main->GetCalibration();
    EXPECT_EQ(Pokes({{"CalibrationData", whole.substr(0, sizeof record - 1)}, {"CalibrationData", whole + '\0'}}),
              (std::vector<UINT>{0, 0}));
    EXPECT_EQ(std::memcmp(&Main->GetCalibration(), &before, sizeof before), 0);
    EXPECT_EQ(Poke("CalibrationData", whole), Ack);
    EXPECT_EQ(Main->GetCalibration().Left.IsEnabled, 1u);
    EXPECT_NEAR(Main->GetCalibration().Left.CalRatio, ratio[4], 1e-5 * ratio[4]);
}

TEST_F(TDdeLink, PokedWaveReplacesTheRecordingOnlyWhenItIsKept)
{
    const std::vector<int16_t> values = {32767, -32767, 1, -1, 12345, -256, 0, 77};
    const std::string bytes = Bytes(values);
    struct Case {
        uint16_t mode, channels, width;
    } cases[] = {{TWaveFile::Memory, 1, 2}, {TWaveFile::Memory, 2, 3}, {TWaveFile::Disk, 2, 2}, {TWaveFile::Disk, 1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " mode, " + std::to_string(c.channels) + " channels, "
                     + std::to_string(8 * c.width) + " bits");
        Analyse(c.channels, c.width, 4096);
        State(*Main).FileIO().WaveFileMode = c.mode;
        State(*Main).FileIO().RealTimeWaveBufferEnableFlag = 1;
        ASSERT_EQ(Poke("WaveData", bytes), Ack);
        TWaveFile* wave = Main->Wave();
        ASSERT_TRUE(wave);
        ASSERT_EQ(wave->GetFrameCount(), values.size() / c.channels);
        EXPECT_EQ(wave->GetFormat().BytesPerSample, c.width);
        for (size_t i = 0; i < values.size(); ++i) {
            // 16-bit full scale to the width's: 24 bits spans +/- 8388607.
            const double scale = c.width == 3 ? 8388607.0 / 32767.0 : 1.0;
            EXPECT_EQ(wave->GetSample(uint32_t(i / c.channels), uint16_t(i % c.channels), 0),
                      float(std::round(values[i] * scale)))
                << i;
        }
    }
    // Without the Real Time wave buffer nothing is stored and the recording stays.
    TWaveFile* kept = Main->Wave();
    State(*Main).FileIO().RealTimeWaveBufferEnableFlag = 0;
    EXPECT_EQ(Poke("WaveData", bytes), 0u);
    EXPECT_EQ(Main->Wave(), kept);
}

TEST_F(TDdeLink, OutsideRealTimeEveryPokeIsBusyAndChangesNothing)
{
    Analyse(1, 2, 32);
    const std::vector<int32_t> block = Block(0, 8);
    const CalibrationStruct calibration = Main->GetCalibration();
    const TWaveFile* wave = Main->Wave();
    for (int32_t mode : {TMainWin::PostProcess, TMainWin::Recorder}) {
        SCOPED_TRACE(mode);
        State(*Main).OpMode() = mode;
        EXPECT_EQ(Pokes({{"TimeSeriesData", Bytes({1, 2, 3, 4, 5, 6, 7, 8})},
                         {"CalibrationData", std::string(sizeof(CalibrationStruct), '\0')},
                         {"WaveData", Bytes({1, 2, 3, 4})}}),
                  (std::vector<UINT>{Busy, Busy, Busy}));
        EXPECT_EQ(Block(0, 8), block);
        EXPECT_EQ(std::memcmp(&Main->GetCalibration(), &calibration, sizeof calibration), 0);
        EXPECT_EQ(Main->Wave(), wave);
    }
    State(*Main).OpMode() = TMainWin::RealTime;
    EXPECT_EQ(Poke("OtherData", Bytes({1, 2})), 0u);
}

TEST_F(TDdeLink, PasteLinkTakesAnotherProgramsLiveData)
{
    const TToneReference tone = ToneReference();
    std::ofstream(Folder.File("tone.bin"), std::ios::binary) << Bytes(Tone(tone.Fft, Folder.Path));
    Analyse(1, 2, tone.Fft);
    const std::string source = Unique("LinkSource");
    Serve("A\tData\tTimeSeriesData\t@" + Folder.File("tone.bin") + "\n", source);

    // Outside Real Time Paste Link does nothing.
    PutLink(source, "TimeSeriesData");
    State(*Main).OpMode() = TMainWin::PostProcess;
    Main->CmEditPasteLink();
    Pump(nullptr, 500);
    EXPECT_NE(Main->GetLeftSpectrum()->GetPeakIndex(), tone.Bin);
    EXPECT_EQ(Main->GetDdeServer()->LinkConversation(0), nullptr);

    State(*Main).OpMode() = TMainWin::RealTime;
    Main->CmEditPasteLink();
    EXPECT_TRUE(Messages().empty()) << Messages()[0].Text;
    ASSERT_NE(Main->GetDdeServer()->LinkConversation(0), nullptr);
    const DWORD start = ::GetTickCount();
    while (Main->GetLeftSpectrum()->GetPeakIndex() != tone.Bin && ::GetTickCount() - start < 5000) Pump(nullptr, 50);
    EXPECT_EQ(Main->GetLeftSpectrum()->GetPeakIndex(), tone.Bin);
    EXPECT_NEAR(Main->GetLeftSpectrum()->GetDisplayValue(int(tone.Bin)), tone.Db, 0.05);

    // An unrelated client's end leaves the link. (Wine 8 tells a client
    // nothing when its server ends a conversation, so the reset at the
    // linked program's end is not seen here.)
    State(*Main).DdeClientLink() = 1;
    EXPECT_EQ(Poke("OtherData", Bytes({1})), 0u);
    EXPECT_EQ(Main->GetDdeClientLink(), 1);
    EXPECT_NE(Main->GetDdeServer()->LinkConversation(0), nullptr);
    StopServer();

    // A refused connection and an unavailable item say so.
    PutLink(Unique("NoSuchSource"), "TimeSeriesData");
    Main->CmEditPasteLink();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "Failure linking to " + Unique("NoSuchSource"));
    const std::string other = Unique("OtherSource");
    Serve("A\tData\tTimeSeriesData\t1\n", other);
    PutLink(other, "Spectrum");
    Main->CmEditPasteLink();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].Text,
              "The following DDE data is not available:\rServer: " + other + "\rTopic: Data\rItem: Spectrum");
}

TEST_F(TDdeLink, AcquisitionLinkReadsTheSeriesDescriptionAndThePartnersSettings)
{
    const std::string longLabel(600, 'L');
    struct Case {
        const char* name;
        const char* item2;
        const char* base;
        bool partner;
        const char* points;
        const char* rate;
        const char* xUnits;
        int32_t expectedPoints, expectedRate;
    } cases[] = {
        {"dotted item, partner orders", "Ch1.Info", "Ch1.", true, "0", "0", "Hz", 128, 11025},
        {"item without a dot, no partner", "Info", "I", false, "24000", "2", "s", 48000, 24000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A service of its own each time: Wine keeps a client's conversations
        // with a program that has ended, and refuses a new one to its name.
        const std::string acquisition = Unique("Acquisition") + "_" + std::to_string(&c - cases);
        const std::string b = c.base;
        std::string table = "A\tSeries\tCh1.TimeSeriesData\t1\nA\tInfo\t" + std::string(c.item2) + "\t1\n"
            "R\tInfo\t" + b + "points\t" + c.points + "\nR\tInfo\t" + b + "rate\t" + c.rate + "\n"
            "R\tInfo\t" + b + "xLabel\t" + longLabel + "\nR\tInfo\t" + b + "xUnits\t" + c.xUnits + "\n"
            "R\tInfo\t" + b + "yUnits\t" + longLabel + "\n";
        // The second time no y label is served.
        if (c.partner) table += "R\tInfo\t" + b + "yLabel\tAcceleration\n";
        std::string services = acquisition;
        if (c.partner) {
            table += "R\tMain\tActiveTestAsLongFileName\tC:\\tests\\run 1.tst\n"
                     "R\tC:\\tests\\run 1.tst\tOrderTracking\tyes\n"
                     "R\tC:\\tests\\run 1.tst\tStartingTrigger\t1500\n"
                     "R\tC:\\tests\\run 1.tst\tTriggerIncrement\t0\n"
                     "R\tC:\\tests\\run 1.tst\tXAxisUnits\tRPM\n"
                     "R\tC:\\tests\\run 1.tst\tYAxisUnits\t" + longLabel + "\n";
            services += std::string(" ") + TMainWin::PartnerService;
        }
        Serve(table, services);
        const char* names[] = {acquisition.c_str(), "Series", "Ch1.TimeSeriesData", acquisition.c_str(), "Info",
                               c.item2, "", "", ""};
        for (int i = 0; i < TMainWin::LinkNameCount; ++i)
            std::snprintf(State(*Main).DdeLinkNames()[i], TMainWin::LinkNameSize, "%s", names[i]);
        State(*Main).DdeLinkMode() = 1;
        Main->DdeLinkTimeSeries();

        std::vector<std::string> expected;
        for (const char* name : {"points", "rate", "xLabel", "xUnits", "yLabel", "yUnits"})
            expected.push_back("Info\t" + b + name);
        if (c.partner) {
            expected.push_back("Main\tActiveTestAsLongFileName");
            for (const char* name : {"OrderTracking", "StartingTrigger", "TriggerIncrement", "XAxisUnits", "YAxisUnits"})
                expected.push_back(std::string("C:\\tests\\run 1.tst\t") + name);
        }
        EXPECT_EQ(Requests(), expected);
        if (c.partner) {
            EXPECT_TRUE(Messages().empty()) << Messages()[0].Text;
        } else {
            ASSERT_EQ(Messages().size(), 1u);
            EXPECT_EQ(Messages()[0].Text, "DDE item not available:Item: IyLabel");
        }
        EXPECT_EQ(Main->GetDdeClientLink(), 1);
        EXPECT_EQ(Main->GetDdeLinkPoints(), c.expectedPoints);
        EXPECT_EQ(Main->GetDdeLinkRateValue(), c.expectedRate);
        EXPECT_EQ(Main->IsDdeLinkAxisFrequency(), std::string(c.xUnits) == "Hz");
        if (c.partner) {
            EXPECT_EQ(Main->GetRpmLinkFlag(), 1);
            float start, step;
            int32_t count;
            Main->GetRpmTable(start, step, count);
            EXPECT_EQ(start, 600.0f);
            EXPECT_EQ(step, 100.0f);
            EXPECT_EQ(count, 0);
            EXPECT_STREQ(Main->GetDdeLinkLabel(0), "RPM");
            EXPECT_STREQ(Main->GetDdeLinkLabel(1), "");
            EXPECT_EQ(std::string(Main->GetDdeLinkLabel(2)), longLabel.substr(0, TMainWin::LinkLabelSize - 1));
            EXPECT_STREQ(Main->GetDdeLinkLabel(3), "");
            // Along frequency, poked series are the link's and leave the blocks alone.
            const std::vector<int32_t> block = Block(0, 8);
            EXPECT_EQ(Poke("TimeSeriesData", Bytes({1, 2, 3, 4, 5, 6, 7, 8})), Ack);
            EXPECT_EQ(Block(0, 8), block);
        } else {
            EXPECT_EQ(Main->GetRpmLinkFlag(), 0);
            // Each label within its field, whatever the reply's length.
            EXPECT_EQ(std::string(Main->GetDdeLinkLabel(0)), longLabel.substr(0, 63));
            EXPECT_STREQ(Main->GetDdeLinkLabel(1), "s");
            // Unanswered, the y label keeps what the partner's units left in it.
            EXPECT_EQ(std::string(Main->GetDdeLinkLabel(2)), longLabel.substr(0, TMainWin::LinkLabelSize - 1));
            EXPECT_EQ(std::string(Main->GetDdeLinkLabel(3)), longLabel.substr(0, TMainWin::LinkLabelSize - 1));
        }
        StopServer();
    }
}
