// The program's DDE server under load: 21 conversations at once from this
// process and from a copy of it started as a second client, over ten
// thousand requests mixed with executes, advise links and the three pokes,
// every answer checked, and the server's memory and handles over the run.
#include "tests/automation/ProgramRun.h"
#include <ddeml.h>
#include <psapi.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include "engine/CalibrationStruct.h"

namespace {

const char* const LoadService = "TonalyxUnderLoad";
// How the second client learns its part: conversations, requests, result file.
const char* const ClientVariable = "TONALYX_DDE_LOAD_CLIENT";

std::map<std::string, std::vector<std::string>> LoadAdvised;

HDDEDATA CALLBACK LoadCallback(UINT type, UINT, HCONV, HSZ, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR);

// One DDEML instance per conversation, as separate client programs have.
struct TConversation {
    DWORD Instance = 0;
    HCONV Conversation = nullptr;
    std::map<std::string, HSZ> Names;

    explicit TConversation(const char* service)
    {
        if (::DdeInitializeA(&Instance, &LoadCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return;
        Conversation = ::DdeConnect(Instance, Name(service), Name("Data"), nullptr);
    }
    ~TConversation()
    {
        if (Conversation) ::DdeDisconnect(Conversation);
        for (auto& [text, handle] : Names) ::DdeFreeStringHandle(Instance, handle);
        if (Instance) ::DdeUninitialize(Instance);
    }
    TConversation(const TConversation&) = delete;
    TConversation& operator=(const TConversation&) = delete;

    HSZ Name(const std::string& text)
    {
        HSZ& handle = Names[text];
        if (!handle) handle = ::DdeCreateStringHandleA(Instance, text.c_str(), CP_WINANSI);
        return handle;
    }
    std::string NameOf(HSZ handle) const
    {
        char text[256] = {};
        ::DdeQueryStringA(Instance, handle, text, sizeof text, CP_WINANSI);
        return text;
    }
    // The item's text. A request sent before the server's late
    // acknowledgement of the previous one is answered with nothing under
    // Wine: it is sent again after a short wait.
    std::optional<std::string> Request(const std::string& item, int& retries)
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            HDDEDATA data = ::DdeClientTransaction(nullptr, 0, Conversation, Name(item), CF_TEXT, XTYP_REQUEST, 5000,
                                                   nullptr);
            Drain();
            if (data) {
                std::string text(::DdeGetData(data, nullptr, 0, 0), '\0');
                ::DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), DWORD(text.size()), 0);
                ::DdeFreeDataHandle(data);
                text.resize(strnlen(text.c_str(), text.size()));
                return text;
            }
            ++retries;
            Drain(20);
        }
        return std::nullopt;
    }
    // The transaction's flags: DDE_FACK when done. Sent once: an answer lost
    // to advise data that came first is a fault of the server's.
    DWORD Send(UINT type, const std::string& item, const std::string& bytes)
    {
        DWORD result = 0;
        HDDEDATA ok = ::DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                             DWORD(bytes.size()), Conversation, item.empty() ? nullptr : Name(item),
                                             CF_TEXT, type, 10000, &result);
        Drain();
        return ok ? result : 0;
    }
    bool Advise(const std::string& item, bool start)
    {
        return ::DdeClientTransaction(nullptr, 0, Conversation, Name(item), CF_TEXT,
                                      start ? XTYP_ADVSTART : XTYP_ADVSTOP, 5000, nullptr) != nullptr;
    }
    static void Drain(int ms = 0)
    {
        DrainMessages(ms);
    }
};

TConversation* Advising = nullptr;

HDDEDATA CALLBACK LoadCallback(UINT type, UINT, HCONV, HSZ, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    if (type != XTYP_ADVDATA || !Advising) return nullptr;
    char text[1001] = {};
    ::DdeGetData(data, reinterpret_cast<BYTE*>(text), sizeof text - 1, 0);
    LoadAdvised[Advising->NameOf(item)].push_back(text);
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

// Items whose answers stay while the other client changes settings.
const std::pair<const char*, const char*> SteadyItems[] = {
    {"Sampling Rate", "44100"}, {"Mode", "1"}, {"Macro Status", "-1"}, {"Decimation Ratio", "1"}};

std::string Samples(size_t count)
{
    std::string bytes(count * 2, '\0');
    for (size_t i = 0; i < count; ++i) {
        const int16_t v = int16_t(std::lround(16000.0 * std::sin(2 * 3.14159265358979 * 1000.0 * double(i) / 48000.0)));
        std::memcpy(&bytes[2 * i], &v, 2);
    }
    return bytes;
}

class TDdeLoad : public TProgramRun {
protected:
    void SetUp() override
    {
        TProgramRun::SetUp();
        LoadAdvised.clear();
        Set("Mode", "OpMode", "1");
        Set("DDE", "ServerName", LoadService);
        Set("FileIO", "WaveFileMode", "0");
        Set("FileIO", "RealTimeWaveBufferEnableFlag", "1");
        Start();
        ASSERT_TRUE(Frame());
    }
    void TearDown() override
    {
        if (Process.hProcess) {
            EXPECT_EQ(Exit(), 0u);
        }
        TProgramRun::TearDown();
    }
    // The server's committed memory (Wine reports no private usage for
    // another process) and its handle count, 0 where Wine does not tell.
    std::pair<double, DWORD> Usage()
    {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        EXPECT_TRUE(::K32GetProcessMemoryInfo(Process.hProcess, &counters, sizeof counters));
        DWORD handles = 0;
        if (!::GetProcessHandleCount(Process.hProcess, &handles)) handles = 0;
        return {double(counters.PagefileUsage), handles};
    }
    // This test program again, as the second client (the disabled test below).
    PROCESS_INFORMATION StartClient(int conversations, int requests, const std::string& results)
    {
        char self[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, self, sizeof self);
        const std::string part = std::to_string(conversations) + " " + std::to_string(requests) + " " + results;
        ::SetEnvironmentVariableA(ClientVariable, part.c_str());
        std::string line = "\"" + std::string(self)
            + "\" --gtest_also_run_disabled_tests --gtest_filter=TDdeLoadClient.DISABLED_RequestsSteadyItems";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        ::SetEnvironmentVariableA(ClientVariable, nullptr);
        return pi;
    }
};

}  // namespace

// A further client: its conversations open at once (it says so in its
// result file), then, once the first client says go, requests round them,
// each answer checked.
TEST(TDdeLoadClient, DISABLED_RequestsSteadyItems)
{
    const char* part = std::getenv(ClientVariable);
    ASSERT_TRUE(part);
    int conversations = 0, requests = 0;
    char results[MAX_PATH] = {};
    ASSERT_EQ(std::sscanf(part, "%d %d %259[^\n]", &conversations, &requests, results), 3);
    std::vector<std::unique_ptr<TConversation>> open;
    for (int i = 0; i < conversations; ++i) {
        open.push_back(std::make_unique<TConversation>(LoadService));
        ASSERT_TRUE(open.back()->Conversation) << i;
    }
    std::ofstream(std::string(results) + ".open") << conversations;
    ASSERT_TRUE(WaitUntil([&] {
        TConversation::Drain();
        return std::ifstream(std::string(results) + ".go").good();
    }, 60000));
    int retries = 0, wrong = 0;
    for (int i = 0; i < requests; ++i) {
        const auto& [item, expected] = SteadyItems[i % std::size(SteadyItems)];
        const std::optional<std::string> text = open[size_t(i) % open.size()]->Request(item, retries);
        if (text != expected && !wrong++) std::printf("%s: %s\n", item, text.value_or("no data").c_str());
    }
    std::ofstream(results) << requests << " " << wrong << " " << retries;
    EXPECT_EQ(wrong, 0);
}

TEST_F(TDdeLoad, TwentyOneConversationsAnswerEveryRequestWithFlatMemory)
{
    // Two further clients of 7 conversations each, and 7 here: 21, the last
    // one past the server's table of 20.
    const int clients = 2, clientConversations = 7, clientRequests = 3600;
    const int ownConversations = 7, warmUp = 600, ownOperations = 3000;
    std::vector<PROCESS_INFORMATION> others;
    std::vector<std::string> results;
    for (int n = 0; n < clients; ++n) {
        results.push_back(Folder.File("client" + std::to_string(n) + ".txt"));
        others.push_back(StartClient(clientConversations, clientRequests, results.back()));
    }
    for (const std::string& r : results)
        ASSERT_TRUE(WaitUntil([&] { return std::ifstream(r + ".open").good(); }, 20000)) << r;
    std::vector<std::unique_ptr<TConversation>> own;
    for (int i = 0; i < ownConversations; ++i) {
        own.push_back(std::make_unique<TConversation>(LoadService));
        ASSERT_TRUE(own.back()->Conversation) << i;
    }
    TConversation& last = *own.back();
    int retries = 0;
    EXPECT_EQ(last.Request("Sampling Rate", retries), "44100");

    TConversation& advising = *own.front();
    Advising = &advising;
    for (const char* item : {"FFT Count", "FFT Size", "Peak Frequency"}) ASSERT_TRUE(advising.Advise(item, true));

    const std::string block = Samples(4096);
    const std::string wave = Samples(480);
    const std::string calibration(sizeof(CalibrationStruct), '\0');
    std::string fftSize = "16384", peakHold = "2";
    int requests = 0, requestsAfterWarmUp = 0, wrong = 0, pokes = 0;
    std::pair<double, DWORD> warm{}, end{};
    const DWORD started = ::GetTickCount();
    for (int i = 0; i < ownOperations; ++i) {
        if (i == warmUp) {
            // Warmed up: the other clients start their requests.
            warm = Usage();
            requestsAfterWarmUp = -requests;
            for (const std::string& r : results) std::ofstream(r + ".go") << 1;
        }
        TConversation& c = *own[size_t(i) % own.size()];
        // Settings change by executes; the next requests must see them.
        if (i % 100 == 0) {
            fftSize = fftSize == "4096" ? "8192" : "4096";
            ASSERT_TRUE(c.Send(XTYP_EXECUTE, "", "[Set FFT Size " + fftSize + "]" + '\0') & DDE_FACK) << i;
        } else if (i % 100 == 50) {
            peakHold = peakHold == "4" ? "0" : "4";
            const std::string command = peakHold == "4" ? "[Peak Hold On]" : "[Set Peak Hold Sometimes]";
            ASSERT_TRUE(c.Send(XTYP_EXECUTE, "", command + '\0') & DDE_FACK) << i;
        } else if (i % 100 == 25) {
            // A block to analyse (and advise), a calibration record, a recording.
            const char* item = i % 300 == 25 ? "TimeSeriesData" : i % 300 == 125 ? "CalibrationData" : "WaveData";
            const std::string& bytes = i % 300 == 25 ? block : i % 300 == 125 ? calibration : wave;
            ASSERT_TRUE(c.Send(XTYP_POKE, item, bytes) & DDE_FACK) << item << " " << i;
            ++pokes;
        } else {
            const auto& [item, expected] = SteadyItems[size_t(i) % std::size(SteadyItems)];
            const bool setting = i % 3 == 0;
            const std::string want = setting ? (i % 2 ? peakHold : fftSize) : expected;
            const std::optional<std::string> text = c.Request(setting ? (i % 2 ? "Peak Hold" : "FFT Size") : item,
                                                              retries);
            ++requests;
            if (text != want && !wrong++) std::printf("%d: %s\n", i, text.value_or("no data").c_str());
        }
    }
    requestsAfterWarmUp += requests;
    const DWORD ownMs = ::GetTickCount() - started;

    int others_done = 0, others_wrong = 0, others_retries = 0;
    for (size_t n = 0; n < others.size(); ++n) {
        EXPECT_TRUE(WaitUntil([&] {
            TConversation::Drain();
            return ::WaitForSingleObject(others[n].hProcess, 0) == WAIT_OBJECT_0;
        }, 60000));
        DWORD code = 1;
        ::GetExitCodeProcess(others[n].hProcess, &code);
        ::CloseHandle(others[n].hThread);
        ::CloseHandle(others[n].hProcess);
        EXPECT_EQ(code, 0u) << n;
        int done = 0, bad = -1, again = 0;
        std::ifstream(results[n]) >> done >> bad >> again;
        EXPECT_EQ(done, clientRequests) << n;
        EXPECT_EQ(bad, 0) << n;
        others_done += done;
        others_wrong += std::max(bad, 0);
        others_retries += again;
    }
    end = Usage();
    const DWORD allMs = ::GetTickCount() - started;
    Advising = nullptr;
    for (const char* item : {"FFT Count", "FFT Size", "Peak Frequency"}) advising.Advise(item, false);

    EXPECT_EQ(wrong, 0);
    EXPECT_GE(requests + others_done, 10000);
    // Every analysed poke was advised, with the settings as they were.
    EXPECT_GE(int(LoadAdvised["FFT Count"].size()), pokes / 3);
    ASSERT_FALSE(LoadAdvised["FFT Size"].empty());
    EXPECT_EQ(LoadAdvised["FFT Size"].back(), fftSize);
    EXPECT_EQ(last.Request("FFT Size", retries), fftSize);

    // The system keeps a copy of each answer's data (Wine never frees it on
    // the server's side); beyond that the server stays as it was.
    const int answered = requestsAfterWarmUp + others_done;
    const double perRequest = (end.first - warm.first) / answered;
    std::printf("DDE load: %d requests (%d here, %d from %d other clients), %d executes, %d pokes in %lu ms (%lu ms "
                "here); %d requests sent again after no answer\n",
                requests + others_done, requests, others_done, clients, 2 * ownOperations / 100, pokes, allMs, ownMs,
                retries + others_retries);
    const auto handles = [](DWORD count) { return count ? std::to_string(count) : std::string("(not reported)"); };
    std::printf("server after warm-up: %.0f KB committed, handles %s; after %d more requests: %.0f KB, handles %s "
                "(%.1f bytes per request)\n",
                warm.first / 1024, handles(warm.second).c_str(), answered, end.first / 1024,
                handles(end.second).c_str(), perRequest);
    EXPECT_LT(perRequest, 128.0);
    if (warm.second && end.second) {
        EXPECT_LE(end.second, warm.second + 16);
    }
}
