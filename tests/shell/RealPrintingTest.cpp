// Printing for real: Wine's spooler, a CUPS queue of CUPS-PDF (started by
// scripts/cups-pdf-queue for these tests) and the PDF it writes, read back
// with poppler's pdfinfo and pdftotext. Skipped, saying why, where the
// scheduler could not run.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include "dialogs/TAnnotationDialog.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "tests/utilities/DecayWave.h"
#include "utilities/TReverb.h"
#include "utilities/TTHDFreq.h"
#include "views/TPrintPage.h"

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string Env(const char* name)
{
    char value[1024] = {};
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
    return n && n < sizeof value ? value : "";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs a shell command line of Linux programs on Linux paths, and waits for
// it by the status file it writes last: the handle Wine gives for a Linux
// process does not wait for it.
bool RunUnix(const std::string& commandLine, const std::string& scratch)
{
    const std::string status = scratch + "/status";
    ::DeleteFileA(("Z:" + status).c_str());
    std::string command = "/bin/sh -c \"" + commandLine + "; echo $? > '" + status + "'\"";
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                          &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    for (int i = 0; i < 600; ++i) {
        const std::string code = ReadFile("Z:" + status);
        if (!code.empty() && code.back() == '\n') return std::atoi(code.c_str()) == 0;
        ::Sleep(100);
    }
    return false;
}

struct TWord {
    double XMin, YMin, XMax, YMax;
    std::string Text;
};

// The words of a PDF's page in pdftotext's order, with their boxes in points.
std::vector<TWord> Words(const std::string& pdf, const std::string& scratch)
{
    const std::string out = scratch + "/words.html";
    RunUnix("/usr/bin/pdftotext -bbox '" + pdf + "' '" + out + "'", scratch);
    const std::string html = ReadFile("Z:" + out);
    std::vector<TWord> words;
    size_t at = 0;
    while ((at = html.find("<word ", at)) != std::string::npos) {
        TWord w{};
        auto number = [&](const char* key) {
            const size_t k = html.find(key, at);
            return std::atof(html.c_str() + k + std::strlen(key));
        };
        w.XMin = number("xMin=\"");
        w.YMin = number("yMin=\"");
        w.XMax = number("xMax=\"");
        w.YMax = number("yMax=\"");
        const size_t open = html.find('>', at) + 1;
        w.Text = html.substr(open, html.find("</word>", open) - open);
        for (const auto& [entity, c] : {std::pair<std::string, std::string>{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"},
                                        {"&quot;", "\""}, {"&apos;", "'"}})
            for (size_t e; (e = w.Text.find(entity)) != std::string::npos;) w.Text.replace(e, entity.size(), c);
        words.push_back(w);
        at = open;
    }
    return words;
}

// Confirms the annotation dialog an interactive job shows, on its real
// template, with the annotations as they stand.
class TPrintingMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    int AnnotationRuns = 0;

    int ExecuteDialog(TDialog& dialog) override
    {
        if (!dynamic_cast<TAnnotationDialog*>(&dialog)) return TMainWin::ExecuteDialog(dialog);
        ++AnnotationRuns;
        if (!dialog.Create()) return IDCANCEL;
        dialog.CmOk();
        return dialog.GetHandle() ? IDCANCEL : IDOK;
    }
};

// A frame that prints to Wine's default printer, the CUPS-PDF queue.
struct TRealPrinting : ::testing::Test {
    TTempFolder Folder;
    std::string Scratch;
    std::string PdfFolder;
    long FirstJob = 0;
    std::set<std::string> Before;
    // The PDFs the test printed, removed after it.
    std::vector<std::string> Made;
    std::unique_ptr<TPrintingMain> Main;

    void SetUp() override
    {
        const std::string cups = Env("TONALYX_CUPS_DIR");
        if (cups.empty()) GTEST_SKIP() << "no CUPS scheduler was started for this test (TONALYX_CUPS_DIR unset)";
        const std::string why = ReadFile("Z:" + cups + "/unavailable");
        if (!why.empty()) GTEST_SKIP() << "CUPS could not run here: " << why;
        FirstJob = std::atol(ReadFile("Z:" + cups + "/first-job").c_str());
        Scratch = cups;
        PdfFolder = ReadFile("Z:" + cups + "/pdf-folder");
        PdfFolder.erase(PdfFolder.find_last_not_of("\n") + 1);
        Before = Pdfs();
        WriteIni(Folder.File("Tonalyx.ini"), "[Main]\nShowSplashScreen=0\n[ViewStatus]\nSpectrumPlot=0\n");
        const std::string program = Folder.File("Tonalyx.exe");
        Main = std::make_unique<TPrintingMain>(nullptr, program.c_str(), nullptr, *new TClientMain);
        State(*Main).OpMode() = TMainWin::PostProcess;
        State(*Main).Settings().Format = TWaveFormat(48000, 2, 2);
        TPrintOptions& print = State(*Main).PrintOptions();
        std::strcpy(print.Annotation1, "Loudspeaker A");
        std::strcpy(print.Annotation2, "Room 2");
        print.MarginLeft = print.MarginRight = print.MarginTop = print.MarginBottom = 0.5f;
        print.EnableCommentBlock = 1;
        std::strcpy(print.Comment[0], "Measured at one metre");
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1000, 750, true);
        Pump();
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
        for (const std::string& pdf : Made) ::DeleteFileA(("Z:" + pdf).c_str());
    }

    // This scheduler's PDFs: "DOCUMENT-job_N.pdf" with N from its first job on.
    std::set<std::string> Pdfs() const
    {
        std::set<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA(("Z:" + PdfFolder + "/*-job_*.pdf").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = found.cFileName;
            const long job = std::atol(name.c_str() + name.rfind("-job_") + 5);
            if (job >= FirstJob && job < FirstJob + 100) names.insert(name);
        } while (::FindNextFileA(h, &found));
        ::FindClose(h);
        return names;
    }
    // The Linux path of the next PDF this scheduler writes, once whole.
    std::string NextPdf()
    {
        for (int i = 0; i < 300; ++i) {
            for (const std::string& name : Pdfs())
                if (!Before.count(name)) {
                    const std::string path = PdfFolder + "/" + name;
                    ::Sleep(500);
                    if (Info(path).find("Pages:") == std::string::npos) continue;
                    Before.insert(name);
                    Made.push_back(path);
                    return path;
                }
            ::Sleep(100);
        }
        return "";
    }
    std::string Info(const std::string& pdf)
    {
        RunUnix("/usr/bin/pdfinfo '" + pdf + "' > '" + Scratch + "/info.txt' 2>&1", Scratch);
        return ReadFile("Z:" + Scratch + "/info.txt");
    }
    // The printer's page as the program saw it: pixels, resolution, offsets.
    struct TDevice {
        TPageMetrics Metrics;
        int OffsetX, OffsetY;
    };
    TDevice Device() const
    {
        char name[256] = {};
        DWORD size = sizeof name;
        ::GetDefaultPrinterA(name, &size);
        HANDLE printer = nullptr;
        ::OpenPrinterA(name, &printer, nullptr);
        const LONG bytes = ::DocumentPropertiesA(nullptr, printer, name, nullptr, nullptr, 0);
        std::vector<char> buffer(size_t(std::max<LONG>(bytes, sizeof(DEVMODEA))));
        auto* mode = reinterpret_cast<DEVMODEA*>(buffer.data());
        ::DocumentPropertiesA(nullptr, printer, name, mode, nullptr, DM_OUT_BUFFER);
        ::ClosePrinter(printer);
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        mode->dmFields |= DM_ORIENTATION;
        HDC dc = ::CreateDCA(nullptr, name, nullptr, mode);
        TDevice d{{::GetDeviceCaps(dc, LOGPIXELSX), ::GetDeviceCaps(dc, LOGPIXELSY), ::GetDeviceCaps(dc, HORZRES),
                   ::GetDeviceCaps(dc, VERTRES)},
                  ::GetDeviceCaps(dc, PHYSICALOFFSETX), ::GetDeviceCaps(dc, PHYSICALOFFSETY)};
        ::DeleteDC(dc);
        return d;
    }
};

// Presses OK on the print dialog of this thread once it shows.
class TConfirmPrintDialog {
public:
    TConfirmPrintDialog() : Owner(::GetCurrentThreadId()), Worker([this] { Run(); }) {}
    ~TConfirmPrintDialog()
    {
        Stop = true;
        Worker.join();
    }
    std::atomic<bool> Pressed{false};

private:
    void Run()
    {
        for (int i = 0; i < 300 && !Pressed && !Stop; ++i) {
            ::Sleep(100);
            ::EnumThreadWindows(Owner, [](HWND w, LPARAM self) -> BOOL {
                char cls[32] = {};
                ::GetClassNameA(w, cls, sizeof cls);
                if (std::string(cls) != "#32770" || !::IsWindowVisible(w) || !::GetDlgItem(w, IDOK)) return TRUE;
                ::PostMessageA(w, WM_COMMAND, IDOK, 0);
                reinterpret_cast<TConfirmPrintDialog*>(self)->Pressed = true;
                return FALSE;
            }, LPARAM(this));
        }
    }
    DWORD Owner;
    std::atomic<bool> Stop{false};
    std::thread Worker;
};

const TWord* Find(const std::vector<TWord>& words, const std::string& text, size_t from = 0)
{
    for (size_t i = from; i < words.size(); ++i)
        if (words[i].Text == text) return &words[i];
    return nullptr;
}

// The first word of a run of words in pdftotext's order that spells text on
// one line; null when the page holds none.
const TWord* Phrase(const std::vector<TWord>& words, const std::string& text)
{
    std::vector<std::string> parts;
    std::istringstream pieces(text);
    for (std::string part; pieces >> part;) parts.push_back(part);
    for (size_t i = 0; i + parts.size() <= words.size(); ++i) {
        size_t k = 0;
        while (k < parts.size() && words[i + k].Text == parts[k] && std::fabs(words[i + k].YMin - words[i].YMin) < 1.0)
            ++k;
        if (k == parts.size()) return &words[i];
    }
    return nullptr;
}

}  // namespace

TEST_F(TRealPrinting, TheSpectrumPrintsSilentlyOnTheDefaultPrinter)
{
    // Wine lists the queue as its default printer, on its CUPS port.
    char name[256] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(::GetDefaultPrinterA(name, &size));
    EXPECT_STREQ(name, "TonalyxPDF");
    HANDLE printer = nullptr;
    ASSERT_TRUE(::OpenPrinterA(name, &printer, nullptr));
    DWORD needed = 0;
    ::GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> details(needed);
    ASSERT_TRUE(::GetPrinterA(printer, 2, details.data(), needed, &needed));
    ::ClosePrinter(printer);
    EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_2A*>(details.data())->pPortName, "CUPS:TonalyxPDF");
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
    Pump();
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    Main->PrintViews(false);
    EXPECT_EQ(Main->AnnotationRuns, 0);
    EXPECT_FLOAT_EQ(Main->GetPrintOptions().MarginBottom, 0.5f);
    const std::string pdf = NextPdf();
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << PdfFolder;
    EXPECT_NE(pdf.find("/Spectrum-job_"), std::string::npos) << pdf;
    // The default printer as it is set up: A4, upright.
    const std::string info = Info(pdf);
    EXPECT_NE(info.find("Title:           Spectrum"), std::string::npos) << info;
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    EXPECT_NE(info.find("Page rot:        0"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    const std::vector<TWord> words = Words(pdf, Scratch);
    for (const char* word : {"Sampling:", "Tonalyx", "Loudspeaker", "metre", "Frequency"})
        EXPECT_NE(Find(words, word), nullptr) << word;
}

TEST_F(TRealPrinting, TheConfirmedPrintDialogPrintsTheSpectrumOnALandscapePage)
{
    const TDevice device = Device();
    EXPECT_EQ(device.Metrics.DpiX, 300);
    EXPECT_GT(device.Metrics.Width, device.Metrics.Height);
    // One block of a 1 kHz tone in the view.
    Main->OpenWaveFile((std::string(TONALYX_FIXTURES) + "/pipeline/tone_1k_48k.wav").c_str());
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
    Pump();
    Main->CmRun();
    Pump();
    {
        TConfirmPrintDialog confirm;
        Main->PrintViews(true);
        Pump();
        EXPECT_TRUE(confirm.Pressed);
    }
    EXPECT_EQ(Main->AnnotationRuns, 1);
    EXPECT_FLOAT_EQ(Main->GetPrintOptions().MarginBottom, 0.5f);
    const std::string pdf = NextPdf();
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << PdfFolder;
    const std::string info = Info(pdf);
    EXPECT_NE(info.find("Title:           Spectrum"), std::string::npos) << info;
    EXPECT_NE(info.find("Page rot:        90"), std::string::npos) << info;

    // The words' boxes in points on the turned page, against the layout's pixels.
    const std::vector<TWord> words = Words(pdf, Scratch);
    const TPrintPage layout(device.Metrics, Main->GetPrintOptions());
    const double toPoints = 72.0 / device.Metrics.DpiX;
    // "Printed by: Tonalyx" on one line, ending at the right margin.
    const TWord* printed = Find(words, "Printed");
    const TWord* tonalyx = Find(words, "Tonalyx");
    ASSERT_TRUE(printed && tonalyx);
    EXPECT_NEAR(printed->YMin, tonalyx->YMin, 1.0);
    EXPECT_NEAR(tonalyx->XMax, (device.OffsetX + layout.UserInfoAt(0).x) * toPoints, 2.0);
    // The settings lines from the header box's left, the annotation centred.
    const TWord* sampling = Find(words, "Sampling:");
    ASSERT_NE(sampling, nullptr);
    EXPECT_NEAR(sampling->XMin, (device.OffsetX + layout.SettingsAt(0).x) * toPoints, 2.0);
    const TWord* loudspeaker = Find(words, "Loudspeaker");
    const TWord* a = Find(words, "A");
    ASSERT_TRUE(loudspeaker && a);
    EXPECT_NEAR((loudspeaker->XMin + a->XMax) / 2, (device.OffsetX + layout.TitleAt(0).x) * toPoints, 2.0);
    // The comment at the foot, the plot between.
    const TWord* metre = Find(words, "metre");
    const TWord* frequency = Find(words, "Frequency");
    ASSERT_TRUE(metre && frequency);
    EXPECT_GT(metre->YMin, frequency->YMin);
    EXPECT_GT(frequency->YMin, sampling->YMin);
    // The page as the docs show it.
    EXPECT_TRUE(RunUnix("/usr/bin/pdftoppm -png -r 50 -singlefile '" + pdf + "' '" + TONALYX_SHOTS + "/spectrum-printout'",
                        Scratch));
}

TEST_F(TRealPrinting, TheConfigurationPrintoutHoldsTheReportLinesInOrder)
{
    Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
    Pump();
    const std::vector<std::string> report = TConfigurationReport::Lines(Main->ConfigurationFacts());
    {
        TConfirmPrintDialog confirm;
        Main->CmPrintConfiguration();
        Pump();
        EXPECT_TRUE(confirm.Pressed);
    }
    const std::string pdf = NextPdf();
    ASSERT_FALSE(pdf.empty());
    // The report's words, in order, among the page's words read top to bottom.
    std::vector<TWord> words = Words(pdf, Scratch);
    std::stable_sort(words.begin(), words.end(), [](const TWord& x, const TWord& y) {
        return std::lround(x.YMin) != std::lround(y.YMin) ? x.YMin < y.YMin : x.XMin < y.XMin;
    });
    std::vector<std::string> expected;
    for (const std::string& line : report) {
        std::istringstream pieces(line);
        std::string word;
        while (pieces >> word) expected.push_back(word);
    }
    size_t next = 0;
    for (const TWord& w : words)
        if (next < expected.size() && w.Text == expected[next]) ++next;
    EXPECT_EQ(next, expected.size()) << "missing from the page: " << (next < expected.size() ? expected[next] : "");
}

// The window's silent print: both channels' panes one above the other, the
// amplitude decades of the file's range in each and the frequency decades on
// a logarithmic axis, under the page's header; the window keeps its scales.
TEST_F(TRealPrinting, TheThdPlusNWindowPrintsBothPanesWithTheirScales)
{
    Main->SetConfiguredFolder(TMainWin::ThdFolder, Folder.Path.c_str());
    ASSERT_TRUE(::CopyFileA(TONALYX_FIXTURES "/utilities/thdfreq_two.thd", Folder.File("two.thd").c_str(), FALSE));
    Main->CmTHDNvsFrequency();
    TTHDFreq* window = Main->ThdFreqWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->LoadFile("two.thd"));
    Pump();
    const auto frequencyTicks = window->FrequencyTicks();
    const auto amplitudeTicks = window->AmplitudeTicks();
    window->PrintPlot(false);
    Pump();
    EXPECT_EQ(Main->AnnotationRuns, 0);
    const std::string pdf = NextPdf();
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << PdfFolder;
    const std::string info = Info(pdf);
    EXPECT_NE(info.find("Title:           THD+N vs Frequency Plot"), std::string::npos) << info;
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;

    const std::vector<TWord> words = Words(pdf, Scratch);
    for (const char* word : {"Printed", "Tonalyx", "Loudspeaker", "metre"}) EXPECT_NE(Find(words, word), nullptr) << word;
    const TWord* left = Phrase(words, "THD+N vs Frequency - Left");
    const TWord* right = Phrase(words, "THD+N vs Frequency - Right");
    const TWord* axis = Phrase(words, "Frequency (Hz)");
    ASSERT_TRUE(left && right && axis);
    EXPECT_GT(right->YMin, left->YMin);
    EXPECT_GT(axis->YMin, right->YMin);
    EXPECT_GT(left->YMin, Find(words, "Loudspeaker")->YMax);
    // The file's 10 % to 0.001 %: each decade once per pane, the top above the bottom.
    // Searched from the captions on: the header's date holds numbers too.
    const size_t leftStart = size_t(left - words.data()), rightStart = size_t(right - words.data());
    for (const char* decade : {"10", "1", "0.1", "0.01", "0.001"}) {
        SCOPED_TRACE(decade);
        const TWord* upper = Find(words, decade, leftStart);
        ASSERT_TRUE(upper && upper < right);
        const TWord* lower = Find(words, decade, rightStart);
        ASSERT_NE(lower, nullptr);
        EXPECT_GT(lower->YMin, right->YMin);
    }
    EXPECT_LT(Find(words, "10", leftStart)->YMin, Find(words, "0.001", leftStart)->YMin);
    // 20 Hz to 20 kHz: equal steps between the decades.
    const TWord* hundred = Find(words, "100", rightStart);
    const TWord* thousand = Find(words, "1.0k", rightStart);
    const TWord* tenThousand = Find(words, "10.0k", rightStart);
    ASSERT_TRUE(hundred && thousand && tenThousand);
    const auto centre = [](const TWord* w) { return (w->XMin + w->XMax) / 2; };
    const double decade = centre(thousand) - centre(hundred);
    EXPECT_GT(decade, 100.0);
    EXPECT_NEAR(centre(tenThousand) - centre(thousand), decade, 2.0);
    ASSERT_TRUE(Find(words, "20", rightStart) && Find(words, "20.0k", rightStart));
    EXPECT_NEAR(centre(Find(words, "20.0k", rightStart)) - centre(Find(words, "20", rightStart)), 3 * decade, 3.0);

    // The page's scales were the printer's; the window's are back to the screen's.
    ASSERT_EQ(window->FrequencyTicks().size(), frequencyTicks.size());
    for (size_t i = 0; i < frequencyTicks.size(); ++i)
        EXPECT_EQ(window->FrequencyTicks()[i].Offset, frequencyTicks[i].Offset) << i;
    ASSERT_EQ(window->AmplitudeTicks().size(), amplitudeTicks.size());
    for (size_t i = 0; i < amplitudeTicks.size(); ++i)
        EXPECT_EQ(window->AmplitudeTicks()[i].Offset, amplitudeTicks[i].Offset) << i;
}

// The Print button's job: the print dialog and the annotations confirmed,
// then the smoothing and extrapolation of the options in a box at the top
// left margin, above the bar chart's title, axis and wideband bar.
TEST_F(TRealPrinting, TheReverberationPrintoutHoldsTheTwoMethodLines)
{
    ReverbSettings& o = State(*Main).ReverbOptions();
    o.ExtrapolationMethod = TReverbData::Rt30;
    o.SmoothingMethod = TReverbData::Schroeder;
    for (int f : {TMainWin::TmpFolder, TMainWin::RvbFolder}) Main->SetConfiguredFolder(f, Folder.Path.c_str());
    WriteDecay(Folder.File("decay.wav"), 1.0);
    Main->OpenWaveFile(Folder.File("decay.wav").c_str());
    ASSERT_NE(Main->Wave(), nullptr);
    Main->AnalyzeReverbSegment(1, 0.0f, 1.7f);
    Pump();
    TReverb* reverb = Main->ReverbWindow();
    ASSERT_NE(reverb, nullptr);
    reverb->CmShowRtPlot();
    Pump();
    const TDevice device = Device();
    {
        TConfirmPrintDialog confirm;
        reverb->CmPrint();
        Pump();
        EXPECT_TRUE(confirm.Pressed);
    }
    EXPECT_EQ(Main->AnnotationRuns, 1);
    const std::string pdf = NextPdf();
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << PdfFolder;
    const std::string info = Info(pdf);
    EXPECT_NE(info.find("Title:           Reverb Plot"), std::string::npos) << info;
    EXPECT_NE(info.find("Page rot:        90"), std::string::npos) << info;

    const std::vector<TWord> words = Words(pdf, Scratch);
    const TWord* extrapolation = Phrase(words, "Extrapolation Method: RT 30");
    const TWord* smoothing = Phrase(words, "Smoothing Method: Schroeder");
    const TWord* title = Phrase(words, "Reverberation Time versus Frequency");
    ASSERT_TRUE(extrapolation && smoothing && title);
    const double toPoints = 72.0 / device.Metrics.DpiX;
    const double margin = (device.OffsetX + device.Metrics.DpiX * Main->GetPrintOptions().MarginLeft) * toPoints;
    EXPECT_NEAR(extrapolation->XMin, margin, 3.0);
    EXPECT_NEAR(smoothing->XMin, margin, 3.0);
    EXPECT_GT(smoothing->YMin, extrapolation->YMax);
    EXPECT_GT(title->YMin, smoothing->YMax);
    for (const char* text : {"Frequency (Hz)", "Loudspeaker A", "Measured at one metre"})
        EXPECT_NE(Phrase(words, text), nullptr) << text;
    EXPECT_NE(Find(words, "Wide"), nullptr);
}
