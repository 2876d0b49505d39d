// Every keyword of the command language from outside the program: one table
// of commands with valid arguments, sent by DDE Execute from this process to
// a copy of the program; answers, the items, windows and files they change,
// each family's rejects and the INI file after "[Exit Application]".
#include "tests/automation/ProgramRun.h"
#include "tests/automation/DdeClient.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include "automation/TKeywordTable.h"

namespace {

constexpr uint32_t Done = 0x8000;

// What a row checks after its answer: an item's text, a window of a class
// (and caption) open or gone, a file there or gone.
enum class TCheck : uint8_t { None, Item, Opened, Closed, Written, Deleted };
// A keyword's own row; a keyword that needs a sound device, which the test
// machine lacks: its answer and whether it says so depend on the state of
// the ports, and what it says is one of the sound messages; a set-up row
// that brings the state a later row needs; a rejected command (answer 0).
enum class TRole : uint8_t { Keyword, NoDevice, Setup, Reject };

bool IsNoDeviceMessage(const std::string& text)
{
    return text == "Cannot access the sound board because a Sound driver is not installed.  Use the driver option "
                   "in Control Panel to install a driver"
        || text == "The Sound Board is in use by another application (e.g. Sound Recorder).  Either interrupt the "
                   "application or wait until the device is free and then try again.";
}

struct TRow {
    const char* Command;
    TCheck Check = TCheck::None;
    // The item, the window class ("class|caption") or the file name.
    const char* Subject = nullptr;
    // The item's text; "{F}" stands for the run's folder.
    const char* Expected = nullptr;
    TRole Role = TRole::Keyword;
};

constexpr TRow Item(const char* command, const char* item, const char* text, TRole role = TRole::Keyword)
{
    return {command, TCheck::Item, item, text, role};
}
constexpr TRow NoDevice(const char* command)
{
    return {command, TCheck::None, nullptr, nullptr, TRole::NoDevice};
}
constexpr TRow Setup(const char* command)
{
    return {command, TCheck::None, nullptr, nullptr, TRole::Setup};
}
constexpr TRow Reject(const char* command, const char* item = nullptr, const char* text = nullptr)
{
    return {command, item ? TCheck::Item : TCheck::None, item, text, TRole::Reject};
}
constexpr TRow Opened(const char* command, const char* window, TRole role = TRole::Keyword)
{
    return {command, TCheck::Opened, window, nullptr, role};
}
constexpr TRow Closed(const char* command, const char* window, TRole role = TRole::Keyword)
{
    return {command, TCheck::Closed, window, nullptr, role};
}
constexpr TRow Written(const char* command, const char* file)
{
    return {command, TCheck::Written, file, nullptr, TRole::Keyword};
}
constexpr TRow Deleted(const char* command, const char* file)
{
    return {command, TCheck::Deleted, file, nullptr, TRole::Keyword};
}

// The run starts in Post Process with tone.wav (3 s of a 1 kHz tone, stereo,
// 48 kHz) open, every folder the run's own, and the files named below in it.
// Rows stand in keyword order; "[Exit Application]" ends the table.
const TRow Rows[] = {
    // Run control, transport and operating mode.
    {"[Run]"},
    Setup("[Go To 0]"),
    {"[Run 2]"},
    Reject("[Run 0]"),
    Setup("[Go To 0]"),
    {"[Single Step]"},
    {"[Stop]"},
    {"[Rewind]"},
    {"[Fast Forward]"},
    NoDevice("[Record]"),
    NoDevice("[Play]"),
    NoDevice("[Play Segment 0 0.1]"),
    {"[Pause Recorder]"},
    {"[Resume Recorder]"},
    Item("[Go To Sample 4800]", "Current Sample", "4800"),
    Item("[Go To 0.5]", "Current Time", "0.5000"),
    Reject("[Go To -1]", "Current Time", "0.5000"),
    {"[Reset Average]"},
    {"[Trigger]"},
    Item("[Reset Overload]", "Overload Count", "0"),
    // Analysis settings.
    Item("[Peak Hold On]", "Peak Hold", "4"),
    Item("[Peak Hold Off]", "Peak Hold", "0"),
    Item("[Enable Peak Hold]", "Peak Hold", "4"),
    Item("[Disable Peak Hold]", "Peak Hold", "0"),
    Item("[Set Peak Hold Medium]", "Peak Hold", "2"),
    Item("[Average Size 4]", "Average Size", "4"),
    Item("[Set Average Size 8]", "Average Size", "8"),
    Item("[Set Average Type Linear]", "Average Type", "1"),
    Item("[Set Average Mode Meter]", "Average Mode", "1"),
    Setup("[Set Average Mode Blocks]"),
    {"[Set Channel Both]"},
    Item("[FFT Overlap 25]", "FFT Overlap", "25"),
    Item("[Set FFT Overlap 50]", "FFT Overlap", "50"),
    Item("[FFT Size 2048]", "FFT Size", "2048"),
    Item("[Set FFT Size 1024]", "FFT Size", "1024"),
    Reject("[Set FFT Size 1000]", "FFT Size", "1024"),
    Item("[Mode Real Time]", "Mode", "1"),
    Item("[Mode Recorder]", "Mode", "3"),
    Item("[Mode Post Processing]", "Mode", "2"),
    Item("[Set Sampling Rate 44100]", "Sampling Rate", "44100"),
    {"[Set Sampling Precision 16]"},
    Item("[Set Decimation Ratio 2]", "Decimation Ratio", "2"),
    Reject("[Set Decimation Ratio 51]", "Decimation Ratio", "2"),
    Setup("[Set Decimation Ratio 1]"),
    Setup("[File Open tone.wav]"),
    Item("[Window Bartlett]", "Smoothing Window", "Bartlett"),
    Item("[Window Blackman]", "Smoothing Window", "Blackman"),
    Item("[Window Flat Top]", "Smoothing Window", "Flat top"),
    Item("[Window Hamming]", "Smoothing Window", "Hamming"),
    Item("[Window Hanning]", "Smoothing Window", "Hanning"),
    Item("[Window Kaiser]", "Smoothing Window", "Kaiser"),
    Item("[Window Parzen]", "Smoothing Window", "Parzen"),
    Item("[Window Triangular]", "Smoothing Window", "Triangular"),
    Item("[Window Uniform]", "Smoothing Window", "Uniform"),
    // Recording edits, filter, peak search, generator and utility windows.
    Item("[Copy Time Segment 0 0.5]", "Total Samples", "144000"),
    Item("[Cut Time Segment 0 0.5]", "Total Samples", "120000"),
    Item("[Mute Time Segment 0 0.1]", "Total Samples", "120000"),
    Item("[Paste Time Segment 0]", "Total Samples", "144000"),
    {"[Apply Filter 0 0.1]"},
    {"[Set Peak Search Bandwidth 100 5000]"},
    Opened("[Open Generator]", "SignalGeneratorClass"),
    Closed("[Close Generator]", "SignalGeneratorClass"),
    Setup("[Open Generator]"),
    NoDevice("[Start Generator]"),
    {"[Stop Generator]"},
    Setup("[Close Generator]"),
    Opened("[Open PhaseScope]", "PhaseScopePlotClass"),
    Closed("[Close PhaseScope]", "PhaseScopePlotClass"),
    Opened("[Open DelayFinder]", "DelayFinderClass"),
    Closed("[Close DelayFinder]", "DelayFinderClass"),
    Setup("[Open DelayFinder]"),
    {"[Apply DelayFinder]"},
    Setup("[Close DelayFinder]"),
    {"[Set Delay -2.5]"},
    Opened("[Open Leq]", "LeqAnalysisClass"),
    Closed("[Close Leq]", "LeqAnalysisClass"),
    Setup("[Open Leq]"),
    {"[Reset Leq]"},
    Setup("[Close Leq]"),
    // Overlays, on a spectrum of the tone.
    Setup("[File Close]"),
    Setup("[File Open tone.wav]"),
    Setup("[Open Spectrum]"),
    Setup("[Run 4]"),
    Setup("[Set Overlay 1]"),
    {"[Set Overlay Offset 3 -6]"},
    {"[Set Left Overlay Offset 3 -6]"},
    {"[Set Right Overlay Offset 3 -6]"},
    {"[Set Overlay Legend 1 both]"},
    {"[Set Left Overlay Legend 1 left]"},
    {"[Set Right Overlay Legend 1 right]"},
    Written("[Set Overlay From Peak Hold 2]", "L2.ovl"),
    Written("[Set Left Overlay From Peak Hold 3]", "L3.ovl"),
    Written("[Set Right Overlay From Peak Hold 3]", "R3.ovl"),
    Written("[Set Overlay 4]", "R4.ovl"),
    Written("[Set Left Overlay 5]", "L5.ovl"),
    Written("[Set Right Overlay 5]", "R5.ovl"),
    {"[Show Overlay 1]"},
    {"[Show Left Overlay 2]"},
    {"[Show Right Overlay 2]"},
    {"[Hide Overlay 1]"},
    {"[Hide Left Overlay 2]"},
    {"[Hide Right Overlay 2]"},
    {"[Setup Composite Overlay AVG 1 1 0 0 0 0]"},
    {"[Setup Left Composite Overlay SUB 1 2]"},
    {"[Setup Right Composite Overlay SUB 1 2]"},
    Written("[Save Left Overlay File 1 left1.ovl]", "left1.ovl"),
    Written("[Save Right Overlay File 1 right1.ovl]", "right1.ovl"),
    {"[Load Left Overlay File 2 left1.ovl]"},
    {"[Load Right Overlay File 2 right1.ovl]"},
    Reject("[Load Left Overlay File 2 missing.ovl]"),
    // Markers and files.
    {"[Set Marker 1 1000]"},
    Reject("[Set Marker 9 1000]"),
    {"[Show Marker 1]"},
    {"[Hide Marker 1]"},
    {"[Marker1 1000]"},
    {"[Marker2 2000]"},
    {"[Marker3 3000]"},
    {"[Marker4 4000]"},
    {"[Marker5 5000]"},
    {"[Marker6 6000]"},
    Setup("[File Close]"),
    Item("[File Open tone.wav]", "Total Samples", "144000"),
    Written("[File Save saved.wav]", "saved.wav"),
    Item("[File Close]", "Total Samples", "0"),
    Deleted("[File Delete saved.wav]", "saved.wav"),
    Setup("[File Open tone.wav]"),
    Written("[File Decimate half.wav 2]", "half.wav"),
    Setup("[File Close]"),
    Item("[File Merge left.wav right.wav]", "Total Samples", "4800"),
    Setup("[File Close]"),
    Setup("[File Open tone.wav]"),
    // Windows.
    {"[Hide Window]"},
    {"[Show Window]"},
    {"[Minimize Window]"},
    {"[Restore Window]"},
    {"[Maximize Window]"},
    {"[Cascade Windows]"},
    {"[Tile Windows Vertical]"},
    {"[Tile Windows Horizontal]"},
    // Data logging.
    {"[Set DataLogging File items.log]"},
    Item("[Enable DataLogging]", "Logging Status", "1"),
    Item("[Disable DataLogging]", "Logging Status", "0"),
    Item("[Logging On]", "Logging Status", "1"),
    Item("[Logging Off]", "Logging Status", "0"),
    // Scaling and weighting; the channels share their scaling.
    Item("[Set Amplitude Scaling Type Log]", "Amplitude Axis Scaling Right", "1"),
    Item("[Set Left Amplitude Scaling Type Linear]", "Amplitude Axis Scaling Right", "0"),
    Item("[Set Right Amplitude Scaling Type Log]", "Amplitude Axis Scaling Left", "1"),
    Item("[Set Frequency Scaling Type Log]", "Frequency Axis Scaling Right", "1"),
    Item("[Set Left Frequency Scaling Type Octave]", "Frequency Axis Scaling Right", "2"),
    Item("[Set Right Frequency Scaling Type Linear]", "Frequency Axis Scaling Left", "0"),
    {"[Set Octave 3]"},
    {"[Set Left Octave 6]"},
    {"[Set Right Octave 12]"},
    Item("[Set Spectrum Weighting A]", "Spectrum Weighting Right", "1"),
    Item("[Set Left Spectrum Weighting B]", "Spectrum Weighting Right", "2"),
    Item("[Set Right Spectrum Weighting C]", "Spectrum Weighting Left", "3"),
    Item("[Set Total Power Weighting A]", "Total Power Weighting Right", "1"),
    Item("[Set Left Total Power Weighting B]", "Total Power Weighting Right", "2"),
    Item("[Set Right Total Power Weighting C]", "Total Power Weighting Left", "3"),
    Item("[Set PSD Type 1]", "PSD Type Right", "1"),
    Item("[Set Left PSD Type 0]", "PSD Type Right", "0"),
    Item("[Set Right PSD Type 1]", "PSD Type Left", "1"),
    Item("[Enable PSD]", "PSD Right", "1"),
    Setup("[Disable PSD]"),
    Item("[Enable Left PSD]", "PSD Right", "1"),
    Setup("[Disable PSD]"),
    Item("[Enable Right PSD]", "PSD Left", "1"),
    Item("[Disable PSD]", "PSD Right", "0"),
    Setup("[Enable PSD]"),
    Item("[Disable Left PSD]", "PSD Right", "0"),
    Setup("[Enable PSD]"),
    Item("[Disable Right PSD]", "PSD Left", "0"),
    // Compensation, trigger and calibration.
    Item("[Set Mic Compensation File flat.mic]", "Mic Compensation File Right", "{F}\\flat.mic"),
    Item("[Set Left Mic Compensation File left.mic]", "Mic Compensation File Left", "{F}\\left.mic"),
    Item("[Set Right Mic Compensation File right.mic]", "Mic Compensation File Right", "{F}\\right.mic"),
    Reject("[Set Left Mic Compensation File missing.mic]", "Mic Compensation File Left", "{F}\\left.mic"),
    Setup("[Disable Mic Compensation]"),
    Item("[Enable Mic Compensation]", "Mic Compensation Right", "1"),
    Setup("[Disable Mic Compensation]"),
    Item("[Enable Left Mic Compensation]", "Mic Compensation Right", "1"),
    Setup("[Disable Mic Compensation]"),
    Item("[Enable Right Mic Compensation]", "Mic Compensation Left", "1"),
    Item("[Disable Mic Compensation]", "Mic Compensation Right", "0"),
    Setup("[Enable Mic Compensation]"),
    Item("[Disable Left Mic Compensation]", "Mic Compensation Right", "0"),
    Setup("[Enable Mic Compensation]"),
    Item("[Disable Right Mic Compensation]", "Mic Compensation Left", "0"),
    Item("[MicCompensation Enable]", "Mic Compensation Right", "1"),
    Item("[MicCompensation Disable]", "Mic Compensation Left", "0"),
    {"[Trigger On]"},
    {"[Trigger Off]"},
    {"[Trigger ReArm On]"},
    {"[Trigger ReArm Off]"},
    {"[Trigger Threshold 50]"},
    // Plot display.
    {"[Set Spectrum Bar Graph]"},
    {"[Set Spectrum Stepped Bar Graph]"},
    {"[Set Spectrum Line Graph]"},
    {"[Autoscale Spectrum]"},
    {"[Autoscale Time Series]"},
    {"[Clear Spectrum]"},
    {"[Clear Peak Hold]"},
    {"[Compute Average Spectrum 0 1]"},
    {"[Compute Reverb 0 0.2]"},
    Opened("[Build Spectrogram 0 1]", "SpectrogramPlotClass"),
    Opened("[Build Surface 0 1]", "SurfacePlotClass"),
    {"[Set Spectrum Plot Top 20]"},
    {"[Set Spectrum Plot Range 80]"},
    {"[Set Time Series Plot Top 1]"},
    {"[Set Time Series Plot Range 2]"},
    {"[Set Phase Plot Top 90]"},
    {"[Set Phase Plot Range 180]"},
    {"[Set Spectrogram Plot Top 10]"},
    {"[Set Spectrogram Plot Range 70]"},
    {"[Set Surface Plot Top 0]"},
    {"[Set Surface Plot Range 60]"},
    {"[Spectrum Freq Span 20 20000]"},
    {"[Phase Freq Span 100 10000]"},
    {"[Spectrogram Freq Span 0 8000]"},
    {"[Surface Freq Span 50 5000]"},
    {"[Set Time Segment 0.5 1.5]"},
    {"[Copy to Clipboard as Bitmap]"},
    // Devices and calibration.
    {"[Set Input Device 1]"},
    {"[Set Output Device 1]"},
    Reject("[Set Input Device ]"),
    NoDevice("[Calibrate]"),
    {"[Enable Calibration]"},
    {"[Disable Calibration]"},
    Written("[Save Calibration saved.cal]", "saved.cal"),
    {"[Load Calibration saved.cal]"},
    Setup("[Save Config setup.cfg]"),
    Item("[Load Config setup.cfg]", "FFT Size", "1024"),
    Written("[Save Config saved.cfg]", "saved.cfg"),
    // Views.
    Opened("[Open Time Series]", "TimeSeriesPlotClass"),
    Closed("[Close Time Series]", "TimeSeriesPlotClass"),
    {"[Restore Time Series]"},
    {"[Maximize Time Series]"},
    Opened("[Open Spectrum]", "SpectrumPlotClass"),
    Closed("[Close Spectrum]", "SpectrumPlotClass"),
    {"[Restore Spectrum]"},
    {"[Maximize Spectrum]"},
    Opened("[Open Phase]", "PhasePlotClass"),
    Closed("[Close Phase]", "PhasePlotClass"),
    {"[Restore Phase]"},
    {"[Maximize Phase]"},
    Opened("[Open Spectrogram]", "SpectrogramPlotClass"),
    Closed("[Close Spectrogram]", "SpectrogramPlotClass"),
    {"[Restore Spectrogram]"},
    {"[Maximize Spectrogram]"},
    Opened("[Open Surface]", "SurfacePlotClass"),
    Closed("[Close Surface]", "SurfacePlotClass"),
    {"[Restore Surface]"},
    {"[Maximize Surface]"},
    // Printing with no view open prints nothing; the page's texts.
    {"[Print Time Series]"},
    {"[Print Spectrum]"},
    {"[Print Phase]"},
    {"[Print Spectrogram]"},
    {"[Print 3D Surface]"},
    {"[Set Annotation Line1 first]"},
    {"[Set Annotation Line2 second]"},
    {"[Enable Comment Block]"},
    {"[Disable Comment Block]"},
    {"[Set Comment Line1 c1]"},
    {"[Set Comment Line2 c2]"},
    {"[Set Comment Line3 c3]"},
    {"[Set Comment Line4 c4]"},
    {"[Set Comment Line5 c5]"},
    {"[Set Comment Line6 c6]"},
    {"[Set Comment Line7 c7]"},
    {"[Set Comment Line8 c8]"},
    {"[Set Comment Line9 c9]"},
    {"[Set Comment Line10 c10]"},
    // The generator.
    Setup("[Open Generator]"),
    Written("[Save Generator Signal as Wave generated.wav]", "generated.wav"),
    Item("[Set Generator Type left Pink Noise]", "Signal Generator Type Left", "1"),
    Item("[Set Generator Tone right 1000 -6]", "Signal Generator Type Right", "4"),
    Item("[Set Generator Wave File left left.wav]", "Signal Generator Type Left", "13"),
    {"[Set Generator Level left -10]"},
    Setup("[Close Generator]"),
    // Reverberation and THD+N versus frequency: measured only while open.
    Opened("[Open Reverb]", "ReverbClass"),
    Closed("[Close Reverb]", "ReverbClass"),
    {"[Start Reverb]"},
    {"[Save Reverb decay.rvb]"},
    {"[Set Reverb View Time]"},
    {"[Set Reverb View Decay]"},
    {"[Set Reverb View Surface]"},
    Opened("[Open THDvsFreq]", "THDFreqClass"),
    Closed("[Close THDvsFreq]", "THDFreqClass"),
    {"[Start THDvsFreq]"},
    {"[Save THDvsFreq sweep.thd]"},
    {"[Print THDvsFreq]"},
    // The macro window.
    Item("[Open Macro]", "Macro Status", "0"),
    Item("[Close Macro]", "Macro Status", "-1"),
    Item("[Open Macro File waiting.mac]", "Macro Status", "0"),
    Item("[Start Macro]", "Macro Status", "1"),
    Item("[Stop Macro]", "Macro Status", "0"),
    Setup("[Close Macro]"),
    // Result windows.
    Opened("[Open THD_N Utility]", "AnalysisViewClass|THD+N"),
    Closed("[Close THD_N Utility]", "AnalysisViewClass|THD+N"),
    Opened("[Open THD Utility]", "AnalysisViewClass|THD"),
    Closed("[Close THD Utility]", "AnalysisViewClass|THD"),
    Opened("[Open IMD Utility]", "AnalysisViewClass|IMD"),
    Closed("[Close IMD Utility]", "AnalysisViewClass|IMD"),
    Opened("[Open SNR Utility]", "AnalysisViewClass|SNR"),
    Closed("[Close SNR Utility]", "AnalysisViewClass|SNR"),
    Opened("[Open Total Power Utility]", "AnalysisViewClass|Total Pwr"),
    Closed("[Close Total Power Utility]", "AnalysisViewClass|Total Pwr"),
    Opened("[Open Peak Freq Utility]", "AnalysisViewClass|Peak Frequency"),
    Closed("[Close Peak Freq Utility]", "AnalysisViewClass|Peak Frequency"),
    Opened("[Open Peak Amp Utility]", "AnalysisViewClass|Peak Amplitude"),
    Closed("[Close Peak Amp Utility]", "AnalysisViewClass|Peak Amplitude"),
    // Bars.
    {"[Hide Menu]"},
    {"[Show Menu]"},
    {"[Hide Toolbar]"},
    {"[Show Toolbar]"},
    {"[Hide Toolbar2]"},
    {"[Show Toolbar2]"},
    {"[Hide Statusbar]"},
    {"[Show Statusbar]"},
    {"[Hide Plot Toolbars]"},
    {"[Show Plot Toolbars]"},
    // A temporary wave and ambient compensation.
    Reject("[UseTempFile tone.wav]"),
    Setup("[File Close]"),
    Item("[UseTempFile tone.wav,0,0,0,0]", "Total Samples", "144000"),
    NoDevice("[Ambient Compensate]"),
    Item("[Ambient Compensate Enable]", "Mic Compensation File Left", "{F}\\AmbientLeft.mic"),
    Item("[Ambient Compensate Disable]", "Mic Compensation Left", "0"),
    Reject("[No Such Command]"),
    {"[Exit Application]"},
};

bool IsKeywordRow(const TRow& row)
{
    return row.Role == TRole::Keyword || row.Role == TRole::NoDevice;
}

std::string Replaced(std::string text, const std::string& folder)
{
    if (const size_t at = text.find("{F}"); at != std::string::npos) text.replace(at, 3, folder);
    return text;
}

}  // namespace

// The table holds every keyword once, in the keyword table's order but for
// "[Exit Application]", which ends it; each row's command is read as its keyword.
TEST(TKeywordRows, HoldEveryKeywordOnceInOrder)
{
    std::vector<TKeyword> keywords;
    for (const TRow& row : Rows) {
        const auto parsed = TKeywordTable::Parse(row.Command);
        if (!IsKeywordRow(row)) continue;
        ASSERT_TRUE(parsed) << row.Command;
        keywords.push_back(parsed->Keyword);
    }
    ASSERT_EQ(keywords.back(), TKeyword::ExitApplication);
    keywords.pop_back();
    std::vector<TKeyword> expected;
    for (const TKeywordTable::TEntry& e : TKeywordTable{}) 
        if (e.Id != TKeyword::ExitApplication) expected.push_back(e.Id);
    EXPECT_EQ(keywords.size(), expected.size());
    for (size_t i = 0; i < std::min(keywords.size(), expected.size()); ++i)
        ASSERT_EQ(keywords[i], expected[i]) << i << ": " << TKeywordTable::Entry(expected[i]).Text;
}

namespace {

// The windows of a process, top-level and below, as "class|caption".
std::vector<std::string> WindowsOf(DWORD pid)
{
    struct Search { DWORD Pid; std::vector<std::string> Found; } search{pid, {}};
    static const WNDENUMPROC add = [](HWND h, LPARAM l) -> BOOL {
        char cls[64] = {}, text[128] = {};
        ::GetClassNameA(h, cls, sizeof cls);
        ::GetWindowTextA(h, text, sizeof text);
        reinterpret_cast<Search*>(l)->Found.push_back(std::string(cls) + "|" + text);
        return TRUE;
    };
    ::EnumWindows([](HWND h, LPARAM l) -> BOOL {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner != reinterpret_cast<Search*>(l)->Pid) return TRUE;
        add(h, l);
        ::EnumChildWindows(h, add, l);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// A window of the process of a class, and of a caption when the subject
// names one after "|".
bool HasWindow(DWORD pid, const std::string& subject)
{
    const bool captioned = subject.find('|') != std::string::npos;
    for (const std::string& w : WindowsOf(pid))
        if (captioned ? w == subject : w.substr(0, w.find('|')) == subject) return true;
    return false;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Where a macro file of the table ends and the next begins: the macro
// commands that stop the macro that sends them.
bool EndsMacro(const TRow& row)
{
    if (!IsKeywordRow(row)) return false;
    const auto parsed = TKeywordTable::Parse(row.Command);
    return parsed && (parsed->Keyword == TKeyword::CloseMacro || parsed->Keyword == TKeyword::OpenMacroFile ||
                      parsed->Keyword == TKeyword::StopMacro);
}

// A copy of the program in a folder of its own, with the files the table
// names, every folder of "Paths" that folder.
class TTableCopy {
public:
    TTestFolder Folder;
    PROCESS_INFORMATION Process{};
    std::string Service;

    explicit TTableCopy(const std::string& service) : Service(service)
    {
        const std::string ini = Folder.File("Tonalyx.ini");
        auto set = [&](const char* section, const char* key, const std::string& value) {
            ::WritePrivateProfileStringA(section, key, value.c_str(), ini.c_str());
        };
        EXPECT_TRUE(::CopyFileA(TONALYX_EXE, Folder.File("Tonalyx.exe").c_str(), FALSE));
        std::string tone = std::string(TONALYX_FIXTURES) + "/automation/tone_1k_h3.wav";
        EXPECT_TRUE(::CopyFileA(tone.c_str(), Folder.File("tone.wav").c_str(), FALSE));
        const std::string curve = std::string(TONALYX_FIXTURES) + "/views/overlay_curve.ovl";
        for (const char* mic : {"flat.mic", "left.mic", "right.mic", "AmbientLeft.mic", "AmbientRight.mic"})
            EXPECT_TRUE(::CopyFileA(curve.c_str(), Folder.File(mic).c_str(), FALSE));
        WriteMonoWave(Folder.File("left.wav"), 4800);
        WriteMonoWave(Folder.File("right.wav"), 4800);
        std::ofstream(Folder.File("waiting.mac")) << "WaitSeconds 30\n";
        set("Main", "ShowSplashScreen", "0");
        for (const char* key : {"Wav", "Tmp", "cfg", "cal", "mic", "ovl", "txt", "rvb", "thd", "macro", "filter"})
            set("Paths", key, Folder.Path);
        set("MacroOpts", "OutputFilename", Folder.File("out.txt"));
        set("Mode", "OpMode", "2");
        set("DDE", "ServerName", Service);
        set("Settings", "FFTsize", "1024");
    }
    ~TTableCopy()
    {
        if (!Process.hProcess) return;
        if (::WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(Process.hProcess, 9);
        ::WaitForSingleObject(Process.hProcess, 5000);
        ::CloseHandle(Process.hProcess);
        ::CloseHandle(Process.hThread);
    }
    void Start(const std::string& file)
    {
        const std::string exe = Folder.File("Tonalyx.exe");
        std::string commandLine = "\"" + exe + "\" \"" + Folder.File(file) + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        ASSERT_TRUE(::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     Folder.Path.c_str(), &si, &Process));
    }
    HWND Frame(int ms = 20000)
    {
        HWND frame = nullptr;
        WaitUntil([&] { return (frame = FindWindowOf(Process.dwProcessId, "Tonalyx")) != nullptr; }, ms);
        return frame;
    }
    HWND Box() { return FindWindowOf(Process.dwProcessId, "#32770"); }
    // The text of the message box shown now, closed with the given button.
    std::string TakeBox(int button = IDOK)
    {
        HWND box = Box();
        if (!box) return "";
        const std::string text = MessageBoxText(box);
        ::PostMessageA(box, WM_COMMAND, button, 0);
        WaitUntil([&] { return !Box(); }, 5000);
        return text;
    }
    bool Exited(int ms) { return ::WaitForSingleObject(Process.hProcess, DWORD(ms)) == WAIT_OBJECT_0; }
    std::string Ini(const char* section, const char* key)
    {
        char text[512] = {};
        ::GetPrivateProfileStringA(section, key, "", text, sizeof text, Folder.File("Tonalyx.ini").c_str());
        return text;
    }
};

// Keys the table's commands leave in the INI file that the program writes as it exits.
void ExpectStoredSettings(TTableCopy& copy)
{
    const struct { const char* Section; const char* Key; const char* Value; } keys[] = {
        {"Settings", "FFTsize", "1024"},
        {"Settings", "OverlapPercent", "50"},
        {"Settings", "AverageBlocks", "8"},
        {"Settings", "PeakHold", "2"},
        {"Settings", "SmoothingWindow", "8"},
        {"Trigger", "Threshold", "50"},
        {"PrintOpts", "Annotation1", "first"},
        {"PrintOpts", "Comment10", "c10"},
        {"Markers", "MarkerFreq5", "6000.00"},
    };
    for (const auto& k : keys) EXPECT_EQ(copy.Ini(k.Section, k.Key), k.Value) << k.Section << "/" << k.Key;
}

// The macro files of the table: the rows up to each macro command that ends
// its sender, each row's item written to the segment's output file.
std::vector<std::string> MacroFiles(std::vector<std::vector<std::string>>& expectedOutput, const std::string& folder)
{
    std::vector<std::string> files(1);
    expectedOutput.assign(1, {});
    for (const TRow& row : Rows) {
        if (row.Role == TRole::Reject) continue;
        // Only a macro run from outside can close its own window and go on.
        if (row.Role == TRole::Setup && std::string(row.Command) == "[Close Macro]") continue;
        files.back() += std::string("Send ") + row.Command + "\n";
        if (row.Check == TCheck::Item && std::string(row.Subject) != "Macro Status") {
            files.back() += std::string("Output ") + row.Subject + "\n";
            expectedOutput.back().push_back(Replaced(row.Expected, folder));
        }
        if (EndsMacro(row)) {
            files.back() += "OutputComment not reached\n";
            files.emplace_back();
            expectedOutput.emplace_back();
        }
    }
    return files;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class TKeywordRun : public ::testing::Test {
protected:
    TDdeClient Client;

    // Sends every row to the copy by DDE Execute and checks answers and effects.
    void SendByDde(TTableCopy& copy, HCONV data)
    {
        const DWORD pid = copy.Process.dwProcessId;
        double executing = 0;
        const auto begun = std::chrono::steady_clock::now();
        for (const TRow& row : Rows) {
            SCOPED_TRACE(row.Command);
            const auto start = std::chrono::steady_clock::now();
            const bool acked = Client.Execute(data, row.Command, 60000);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            executing += ms;
            if (row.Role != TRole::NoDevice) {
                EXPECT_EQ(acked, row.Role != TRole::Reject) << "flags " << std::hex << Client.LastResult;
            }
            if (std::string(row.Command) == "[Exit Application]") break;
            // A refused command shows its message once it has been answered.
            if (!acked) WaitUntil([&] { return copy.Box() != nullptr; }, 500);
            Client.Drain(20);
            while (copy.Box()) {
                const std::string text = copy.TakeBox();
                if (!(row.Role == TRole::NoDevice && IsNoDeviceMessage(text))) ADD_FAILURE() << "message: " << text;
            }
            switch (row.Check) {
            case TCheck::None:
                break;
            case TCheck::Item:
                EXPECT_EQ(Client.Request(data, row.Subject).value_or("no data"),
                          Replaced(row.Expected, copy.Folder.Path)) << row.Subject;
                break;
            case TCheck::Opened:
            case TCheck::Closed: {
                const bool open = row.Check == TCheck::Opened;
                EXPECT_TRUE(WaitUntil([&] { return HasWindow(pid, row.Subject) == open; }, 2000))
                    << row.Subject << " among " << ::testing::PrintToString(WindowsOf(pid));
                break;
            }
            case TCheck::Written:
                EXPECT_TRUE(Exists(copy.Folder.File(row.Subject))) << row.Subject;
                break;
            case TCheck::Deleted:
                EXPECT_FALSE(Exists(copy.Folder.File(row.Subject))) << row.Subject;
                break;
            }
        }
        std::printf("%zu commands in %.1f s, %.1f s of it waiting for their answers\n", std::size(Rows),
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count(), executing / 1000);
    }
};

}  // namespace

TEST_F(TKeywordRun, EveryKeywordByDdeExecuteAndByMacroSendLines)
{
    // The macro copy runs its first file while this process drives the other copy.
    TTableCopy macroCopy("TonalyxMacroTable");
    std::vector<std::vector<std::string>> expectedOutput;
    const std::vector<std::string> macros = MacroFiles(expectedOutput, macroCopy.Folder.Path);
    for (size_t i = 0; i < macros.size(); ++i)
        std::ofstream(macroCopy.Folder.File("part" + std::to_string(i) + ".mac"))
            << "SetOutputFile part" << i << ".txt\n" << (i == 0 ? "Send [File Open tone.wav]\n" : "") << macros[i];
    macroCopy.Start("part0.mac");

    TTableCopy ddeCopy("TonalyxDdeTable");
    ddeCopy.Start("tone.wav");
    ASSERT_TRUE(ddeCopy.Frame());
    HCONV data = nullptr;
    WaitUntil([&] { return (data = Client.Connect(ddeCopy.Service, "Data")) != nullptr; }, 10000);
    ASSERT_TRUE(data);
    const auto started = std::chrono::steady_clock::now();
    SendByDde(ddeCopy, data);
    ::DdeDisconnect(data);
    EXPECT_TRUE(ddeCopy.Exited(15000));
    std::printf("DDE pass: %.1f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    ExpectStoredSettings(ddeCopy);

    // Each macro file runs to the command that stops it; the next is started
    // by "[File Open" from here, which runs a script from its first line.
    ASSERT_TRUE(macroCopy.Frame());
    HCONV macroData = nullptr;
    WaitUntil([&] { return (macroData = Client.Connect(macroCopy.Service, "Data")) != nullptr; }, 10000);
    ASSERT_TRUE(macroData);
    for (size_t i = 0; i < macros.size(); ++i) {
        SCOPED_TRACE("part" + std::to_string(i) + ".mac");
        if (i > 0) {
            ASSERT_TRUE(Client.Execute(macroData, "[File Open part" + std::to_string(i) + ".mac]"));
        }
        const bool last = i + 1 == macros.size();
        auto ended = [&] {
            if (last) return macroCopy.Exited(0);
            const std::string status = Client.Request(macroData, "Macro Status").value_or("");
            return status == "0" || status == "-1";
        };
        // The commands that need a sound device say so and the macro goes on;
        // "[Exit Application]" from a running macro asks before it stops the macro.
        const std::string exitQuestion = "A Macro is currently running.  Are you sure you want to close it?";
        ASSERT_TRUE(WaitUntil([&] {
            if (macroCopy.Box()) {
                const std::string text = macroCopy.TakeBox(last ? IDYES : IDOK);
                if (!IsNoDeviceMessage(text) && !(last && text == exitQuestion)) ADD_FAILURE() << "message: " << text;
            }
            return ended();
        }, 180000)) << ReadText(macroCopy.Folder.File("part" + std::to_string(i) + ".txt"));
        if (!last) {
            EXPECT_EQ(Lines(ReadText(macroCopy.Folder.File("part" + std::to_string(i) + ".txt"))),
                      expectedOutput[i]);
        }
    }
    ::DdeDisconnect(macroData);
    EXPECT_TRUE(macroCopy.Exited(15000));
    EXPECT_EQ(Lines(ReadText(macroCopy.Folder.File("part" + std::to_string(macros.size() - 1) + ".txt"))),
              expectedOutput.back());
    ExpectStoredSettings(macroCopy);
    std::printf("Macro pass done: %.1f s after the start\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
}
