// Request and advise times of the program's DDE server, seen from this
// second program: a single value and the "Spectrum" listing at FFT 65536
// (median and 99th percentile, with the listing's size), and the advises of
// 20 links after each analysed block against the block period. The program
// runs in Real Time; each block is a poked time series.
#include <windows.h>
#include <ddeml.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "resources/CommandIds.h"

namespace {

const char* const Service = "TonalyxBenchmark";
constexpr uint32_t Rate = 48000;
constexpr uint32_t FFTSize = 65536;

int AdviseCount = 0;

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    if (type != XTYP_ADVDATA) return nullptr;
    ++AdviseCount;
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

void Drain(int ms = 0)
{
    const DWORD end = ::GetTickCount() + DWORD(ms);
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        if (ms) ::Sleep(2);
    } while (int32_t(::GetTickCount() - end) < 0);
}

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return 1000.0 * double(t.QuadPart) / double(frequency.QuadPart);
}

struct TStats {
    double Median, P99;
};

TStats Stats(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, size_t(std::ceil(0.99 * double(ms.size()))) - 1)]};
}

class TClient {
public:
    TClient() { ::DdeInitializeA(&Instance, &Callback, APPCMD_CLIENTONLY, 0); }
    ~TClient()
    {
        if (Conversation) ::DdeDisconnect(Conversation);
        for (auto& [name, handle] : Names) ::DdeFreeStringHandle(Instance, handle);
        ::DdeUninitialize(Instance);
    }
    HSZ Name(const std::string& text)
    {
        HSZ& h = Names[text];
        if (!h) h = ::DdeCreateStringHandleA(Instance, text.c_str(), CP_WINANSI);
        return h;
    }
    bool Connect()
    {
        for (int i = 0; i < 300 && !Conversation; ++i) {
            Conversation = ::DdeConnect(Instance, Name(Service), Name("Data"), nullptr);
            if (!Conversation) ::Sleep(100);
        }
        return Conversation != nullptr;
    }
    // The request's time in ms and its size in bytes; -1 when nothing came.
    // Wine answers a request sent before the late acknowledgement of the
    // previous one with nothing: the time between requests lets it arrive.
    std::pair<double, size_t> Request(const std::string& item)
    {
        HSZ name = Name(item);
        for (int attempt = 0; attempt < 10; ++attempt) {
            const double start = Now();
            HDDEDATA data = ::DdeClientTransaction(nullptr, 0, Conversation, name, CF_TEXT, XTYP_REQUEST, 10000,
                                                   nullptr);
            const double ms = Now() - start;
            Drain(20);
            if (data) {
                const size_t size = ::DdeGetData(data, nullptr, 0, 0);
                ::DdeFreeDataHandle(data);
                return {ms, size};
            }
        }
        return {-1.0, 0};
    }
    // Sent again, like a request, when it finds the conversation busy.
    bool Transact(UINT type, const std::string& item, const std::string& bytes)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            DWORD result = 0;
            HDDEDATA ok = ::DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                                 DWORD(bytes.size()), Conversation,
                                                 item.empty() ? nullptr : Name(item), CF_TEXT, type, 20000, &result);
            if (ok) return (result & DDE_FACK) != 0;
            Drain(20);
        }
        return false;
    }
    bool Advise(const std::string& item)
    {
        return ::DdeClientTransaction(nullptr, 0, Conversation, Name(item), CF_TEXT, XTYP_ADVSTART, 5000, nullptr);
    }

    DWORD Instance = 0;
    HCONV Conversation = nullptr;
    std::map<std::string, HSZ> Names;
};

std::string Block()
{
    std::string bytes(FFTSize * 2, '\0');
    for (uint32_t i = 0; i < FFTSize; ++i) {
        const int16_t v = int16_t(std::lround(16000.0 * std::sin(2 * 3.14159265358979 * 1000.0 * i / Rate)));
        std::memcpy(&bytes[2 * i], &v, 2);
    }
    return bytes;
}

// Poke round trips (the block analysed and, with links, advised) until every
// expected advise has come: their times in ms.
std::vector<double> BlockTimes(TClient& client, const std::string& block, int links, int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        AdviseCount = 0;
        const double start = Now();
        if (!client.Transact(XTYP_POKE, "TimeSeriesData", block)) return {};
        while (AdviseCount < links && Now() - start < 5000) Drain();
        ms.push_back(Now() - start);
        Drain(20);
    }
    return ms;
}

}  // namespace

int main()
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string dir = std::string(folder) + "tonalyx_dde_benchmark_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir.c_str(), nullptr);
    const std::string exe = dir + "\\Tonalyx.exe", ini = dir + "\\Tonalyx.ini";
    if (!::CopyFileA(TONALYX_EXE, exe.c_str(), FALSE)) {
        std::printf("no program at %s\n", TONALYX_EXE);
        return 1;
    }
    ::WritePrivateProfileStringA("Main", "ShowSplashScreen", "0", ini.c_str());
    ::WritePrivateProfileStringA("Mode", "OpMode", "1", ini.c_str());
    ::WritePrivateProfileStringA("DDE", "ServerName", Service, ini.c_str());
    std::string line = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
        std::printf("the program did not start\n");
        return 1;
    }
    int status = 1;
    {
        TClient client;
        const std::string block = Block();
        const bool connected = client.Connect();
        const bool set = connected && client.Transact(XTYP_EXECUTE, "", std::string("[Set FFT Size 65536]") + '\0');
        const bool poked = set && client.Transact(XTYP_POKE, "TimeSeriesData", block);
        if (poked) {
            Drain(100);
            std::vector<double> single, spectrum;
            size_t singleSize = 0, spectrumSize = 0;
            for (int i = 0; i < 500; ++i) {
                const auto [ms, size] = client.Request("Peak Frequency");
                if (ms >= 0) single.push_back(ms), singleSize = size;
            }
            for (int i = 0; i < 200; ++i) {
                const auto [ms, size] = client.Request("Spectrum");
                if (ms >= 0) spectrum.push_back(ms), spectrumSize = size;
            }
            const char* items[] = {"Peak Frequency", "Peak Amplitude", "Total Power", "Total Power A",
                                   "Total Power B", "Total Power C", "THD", "THD+N", "IMD", "SNR", "FFT Count",
                                   "Current Time", "Peak Hold", "FFT Overlap", "FFT Size", "Average Size",
                                   "Smoothing Window", "SINAD", "SFDR", "Sampling Rate"};
            const std::vector<double> bare = BlockTimes(client, block, 0, 40);
            int links = 0;
            for (const char* item : items) links += client.Advise(item) ? 1 : 0;
            const std::vector<double> advised = BlockTimes(client, block, links, 40);
            std::printf("answered: %zu single values, %zu spectra, %zu and %zu blocks\n", single.size(),
                        spectrum.size(), bare.size(), advised.size());
            if (single.size() > 100 && spectrum.size() > 20 && !bare.empty() && !advised.empty()) {
                const TStats s = Stats(single), l = Stats(spectrum), b = Stats(bare), a = Stats(advised);
                std::printf("request \"Peak Frequency\" (%zu bytes), %zu requests: median %.3f ms, 99th percentile "
                            "%.3f ms\n", singleSize, single.size(), s.Median, s.P99);
                std::printf("request \"Spectrum\" at FFT %u (%zu bytes), %zu requests: median %.3f ms, 99th "
                            "percentile %.3f ms\n", FFTSize, spectrumSize, spectrum.size(), l.Median, l.P99);
                std::printf("poked block analysed: median %.3f ms without links; with %d advise links, until "
                            "every advise arrived: median %.3f ms, 99th percentile %.3f ms\n", b.Median, links,
                            a.Median, a.P99);
                const double advise = a.Median - b.Median;
                for (const auto& [fft, overlap] : {std::pair{4096u, 0.5}, std::pair{16384u, 0.75}, std::pair{FFTSize, 0.5}}) {
                    const double period = 1000.0 * fft * (1.0 - overlap) / Rate;
                    std::printf("advising %d links: %.3f ms; block period at FFT %u, %.0f %% overlap: %.1f ms "
                                "(%.1f %% of it)\n", links, advise, fft, 100 * overlap, period,
                                100.0 * advise / period);
                }
                status = 0;
            }
        }
        if (status) std::printf("the program's DDE server did not answer\n");
    }
    ::EnumWindows([](HWND h, LPARAM pid) -> BOOL {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        char name[32] = {};
        ::GetClassNameA(h, name, sizeof name);
        if (owner == DWORD(pid) && std::strcmp(name, "Tonalyx") == 0) ::PostMessageA(h, WM_COMMAND, CM_EXIT, 0);
        return TRUE;
    }, LPARAM(pi.dwProcessId));
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 9);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::DeleteFileA(exe.c_str());
    ::DeleteFileA(ini.c_str());
    ::RemoveDirectoryA(dir.c_str());
    return status;
}
