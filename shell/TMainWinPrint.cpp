// Printing: the header and comment blocks around a printed plot, the print
// job of the active view or of a utility window's own Print button, printer
// set-up and the configuration report.
#include "shell/TMainWin.h"

#include <ctime>
#include <string>

#include "base/TSettingsTable.h"
#include "dialogs/TConfigViewDialog.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "dialogs/TConfigurationReport.h"
#include "framework/TCommandEnabler.h"
#include "framework/TFont.h"
#include "framework/TMDIClient.h"
#include "framework/TPrintDC.h"
#include "framework/TProfileFile.h"
#include "generator/TSignalGenerator.h"
#include "resources/StringIds.h"
#include "shell/TRunPause.h"
#include "views/PrintAbortDialog.h"
#include "views/TPlotBase.h"
#include "views/TPrintPage.h"

namespace {

TPageMetrics MetricsOf(const TDC& dc)
{
    return {dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY), dc.GetDeviceCaps(HORZRES),
            dc.GetDeviceCaps(VERTRES)};
}

// The blocks' 9-point Arial, selected for one routine; the font and the
// text alignment go back to what they were when it ends.
class TBlockText {
public:
    TBlockText(TDC& dc, const TPrintPage& page, UINT align, bool italic = false)
        : Dc(dc), Font("Arial", -page.TextHeight(), 0, 0, 0, FW_DONTCARE, 0, italic ? 1 : 0)
    {
        Dc.SelectObject(Font);
        Dc.SetTextAlign(align);
    }
    ~TBlockText()
    {
        Dc.SetTextAlign(TA_LEFT | TA_TOP);
        Dc.RestoreFont();
    }
    void Put(const TCurvePoint& at, const std::string& text)
    {
        Dc.TextOut(at.x, at.y, text.c_str(), int(text.size()));
    }
    void PutTabbed(const TCurvePoint& at, const std::string& text)
    {
        ::TabbedTextOutA(Dc, at.x, at.y, text.c_str(), int(text.size()), 0, nullptr, 50);
    }

private:
    TDC& Dc;
    TFont Font;
};

void Outline(TDC& dc, const TPaneRect& r)
{
    dc.MoveTo(r.left, r.top);
    dc.LineTo(r.right, r.top);
    dc.LineTo(r.right, r.bottom);
    dc.LineTo(r.left, r.bottom);
    dc.LineTo(r.left, r.top);
}

// Www Mmm dd hh:mm:ss yyyy, in English whatever the locale.
std::string PrintedTime()
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    if (!t)
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %04d", days[t->tm_wday % 7], months[t->tm_mon % 12],
                  t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec, t->tm_year + 1900);
    return text;
}

// What each view prints as: its document name, whether the settings lines
// head it, whether it lays itself out for the page, and the abort dialog's
// title when it is not the document name.
struct TPrintedView {
    ViewType Type;
    const char* Document;
    bool SettingsBlock;
    bool SelfLayout;
    const char* AbortTitle = nullptr;
};
constexpr TPrintedView PrintedViews[] = {
    {ViewType::TimeSeries, IDS_VIEW_TIME_SERIES_TEXT, false, true},
    {ViewType::Spectrum, IDS_VIEW_SPECTRUM_TEXT, true, true},
    {ViewType::Spectrum2, IDS_VIEW_SPECTRUM_TEXT, true, true},
    {ViewType::Spectrogram, IDS_VIEW_SPECTROGRAM_TEXT, true, false},
    {ViewType::Spectrogram2, IDS_VIEW_SPECTROGRAM_TEXT, true, false},
    {ViewType::Surface, IDS_VIEW_SURFACE_TEXT, true, false},
    {ViewType::Surface2, IDS_VIEW_SURFACE_TEXT, true, false},
    {ViewType::Phase, IDS_VIEW_PHASE_TEXT, true, false},
    {ViewType::Phase2, IDS_VIEW_PHASE_TEXT, true, false},
    {ViewType::ThdFreq, "THD+N vs Frequency Plot", false, false},
    {ViewType::Reverb, "Reverb Plot", false, false, "Reverberation Plot"},
};

// The printer's name from a device mode and its port from device names.
std::string DeviceNameOf(HGLOBAL devMode)
{
    std::string name;
    if (const auto* mode = devMode ? static_cast<const DEVMODEA*>(::GlobalLock(devMode)) : nullptr) {
        name.assign(reinterpret_cast<const char*>(mode->dmDeviceName),
                    strnlen(reinterpret_cast<const char*>(mode->dmDeviceName), CCHDEVICENAME));
        ::GlobalUnlock(devMode);
    }
    return name;
}

std::string PortOf(HGLOBAL devNames)
{
    std::string port;
    if (const auto* names = devNames ? static_cast<const DEVNAMES*>(::GlobalLock(devNames)) : nullptr) {
        port = reinterpret_cast<const char*>(names) + names->wOutputOffset;
        ::GlobalUnlock(devNames);
    }
    return port;
}

constexpr DWORD PrintFlags =
    PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;

}  // namespace

void TMainWin::PrintUserInfo(TDC& dc)
{
    const TPrintPage page(MetricsOf(dc), PrintOptions);
    TBlockText text(dc, page, TA_RIGHT | TA_TOP, true);
    char line[128];
    std::snprintf(line, sizeof line, IDS_PRINTED_BY_TEXT, "Tonalyx");
    text.Put(page.UserInfoAt(0), line);
    text.Put(page.UserInfoAt(1), PrintedTime());
}

void TMainWin::PrintSettingsInfo(TDC& dc)
{
    TProfileFile ini(IniPath);
    if (TPrintPage::SwitchIs(TSettingsTable::ReadText(ini, IDS_SECTION_FILEIO_TEXT, "PrintSettingsInfo", "TRUE", 21),
                             "FALSE"))
        return;
    const TPrintPage page(MetricsOf(dc), PrintOptions);
    const auto lines = TPrintPage::SettingsLines(Settings.Format.SamplingRate, Settings.FFTsize,
                                                 Settings.AverageBlocks, Settings.SmoothingWindow);
    {
        TBlockText text(dc, page, TA_LEFT | TA_TOP);
        for (size_t k = 0; k < lines.size(); ++k)
            text.PutTabbed(page.SettingsAt(int(k)), lines[k]);
    }
    Outline(dc, page.HeaderBox());
}

void TMainWin::PrintTitle(TDC& dc)
{
    const TPrintPage page(MetricsOf(dc), PrintOptions);
    TBlockText text(dc, page, TA_CENTER | TA_TOP);
    text.Put(page.TitleAt(0), std::string(PrintOptions.Annotation1, strnlen(PrintOptions.Annotation1, 80)));
    text.Put(page.TitleAt(1), std::string(PrintOptions.Annotation2, strnlen(PrintOptions.Annotation2, 80)));
}

void TMainWin::PrintComments(TDC& dc)
{
    const TPrintPage page(MetricsOf(dc), PrintOptions);
    // A plot printed next keeps above the block.
    PrintOptions.MarginBottom = page.MarginBottomAboveComments();
    {
        TBlockText text(dc, page, TA_LEFT | TA_TOP);
        for (int k = 0; k < TPrintOptions::CommentCount; ++k)
            text.Put(page.CommentAt(k), std::string(PrintOptions.Comment[k], strnlen(PrintOptions.Comment[k], 256)));
    }
    Outline(dc, page.CommentBox());
}

void TMainWin::CmPrint() { PrintViews(true); }

void TMainWin::CePrint(TCommandEnabler& ce)
{
    ce.Enable(ViewStatus.TimeSeries || ViewStatus.PhasePlot || ViewStatus.SpectrumPlot || ViewStatus.Spectrogram ||
              ViewStatus.SurfacePlot);
}

int TMainWin::RunPrintDialog(TPrintDialog::TData& data, bool setupOnly)
{
    return TPrintDialog(this, data).Execute(setupOnly);
}

void TMainWin::ReleasePrinterDC(HDC dc) { TPrintDC owner(dc); }

void TMainWin::PrepareKeptPrinter(TPrintDialog::TData& data)
{
    if (PrinterDevMode && PrinterDevNames) {
        data.DevMode = PrinterDevMode;
        data.DevNames = PrinterDevNames;
        return;
    }
    // The default printer, turned to landscape, without a dialog.
    TPrintDialog::TData query;
    query.Flags = PD_RETURNDEFAULT;
    if (RunPrintDialog(query, false) != IDOK)
        return;
    if (auto* mode = query.DevMode ? static_cast<DEVMODEA*>(::GlobalLock(query.DevMode)) : nullptr) {
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        mode->dmFields |= DM_ORIENTATION;
        ::GlobalUnlock(query.DevMode);
    }
    KeepPrinterHandles(query);
    data.DevMode = PrinterDevMode;
    data.DevNames = PrinterDevNames;
}

void TMainWin::KeepPrinterHandles(const TPrintDialog::TData& data)
{
    auto keep = [](HGLOBAL& kept, HGLOBAL returned) {
        if (!returned || returned == kept)
            return;
        if (kept)
            ::GlobalFree(kept);
        kept = returned;
    };
    keep(PrinterDevMode, data.DevMode);
    keep(PrinterDevNames, data.DevNames);
}

void TMainWin::PrintViews(bool interactive)
{
    PrintJob(interactive, nullptr);
}

void TMainWin::PrintView(ViewType type, bool interactive)
{
    PrintJob(interactive, &type);
}

void TMainWin::PrintJob(bool interactive, const ViewType* only)
{
    if (RunState != Stopped)
        StopAnalyzer();
    TPrintDialog::TData data;
    data.Flags = PrintFlags;
    if (interactive)
        PrepareKeptPrinter(data);
    else
        data.Flags |= PD_RETURNDEFAULT;
    const bool chosen = RunPrintDialog(data, false) == IDOK && data.Dc;
    if (chosen) {
        // The page's titles and comments are confirmed before anything spools.
        if (!interactive || RunAnnotationDialog()) {
            TDC dc(data.Dc);
            PrintOneView(dc, DeviceNameOf(data.DevMode), PortOf(data.DevNames), only);
        }
        ReleasePrinterDC(data.Dc);
    }
    // A silent job takes the default printer's handles only while none are kept.
    if (interactive || !PrinterDevMode)
        KeepPrinterHandles(data);
    else {
        if (data.DevMode && data.DevMode != PrinterDevMode)
            ::GlobalFree(data.DevMode);
        if (data.DevNames && data.DevNames != PrinterDevNames)
            ::GlobalFree(data.DevNames);
    }
}

void TMainWin::PrintOneView(TDC& dc, const std::string& device, const std::string& port, const ViewType* only)
{
    TMDIClient* client = GetClientWindow();
    const HWND active = client ? HWND(client->SendMessage(WM_MDIGETACTIVE)) : nullptr;
    const TPrintedView* printed = nullptr;
    TPlotBase* view = nullptr;
    for (const TPrintedView& row : PrintedViews) {
        TWindow* window = Windows.Window(row.Type);
        if (window && (only ? row.Type == *only : active && window->GetHandle() == active)) {
            printed = &row;
            view = static_cast<TPlotBase*>(window);
            break;
        }
    }
    if (!view)
        return;
    EnableWindow(false);
    PrintAbortDialog::ClearUserAbort();
    const float marginBottom = PrintOptions.MarginBottom;
    {
        PrintAbortDialog abort(this, "ABORTDIALOG", printed->AbortTitle ? printed->AbortTitle : printed->Document,
                               device.c_str(), port.c_str());
        abort.Create();
        dc.SetAbortProc(AbortProc);
        DOCINFOA info{};
        info.cbSize = sizeof info;
        info.lpszDocName = printed->Document;
        dc.StartDoc(info);
        dc.StartPage();
        PrintUserInfo(dc);
        if (printed->SettingsBlock)
            PrintSettingsInfo(dc);
        PrintTitle(dc);
        view->PrintExtraHeader(dc);
        if (PrintOptions.EnableCommentBlock)
            PrintComments(dc);
        view->PrintPlot(dc, printed->SelfLayout);
        dc.EndPage();
        dc.EndDoc();
        PrintOptions.MarginBottom = marginBottom;
        EnableWindow(true);
        abort.Destroy();
    }
}

void TMainWin::CmPrinterSetup()
{
    if (RunState == Running)
        StopAnalyzer();
    TPrintDialog::TData data;
    data.Flags = PrintFlags;
    PrepareKeptPrinter(data);
    RunPrintDialog(data, true);
    if (data.Dc)
        ReleasePrinterDC(data.Dc);
    KeepPrinterHandles(data);
}

TConfigurationFacts TMainWin::ConfigurationFacts() const
{
    TConfigurationFacts f;
    f.OpMode = OpMode;
    if (WaveFile)
        f.WaveFile = WaveFile->FileName();
    f.Settings = Settings;
    f.Scaling = {Scaling[0], Scaling[1]};
    f.Trigger = Trigger;
    f.Calibration = Calibration;
    f.HasWindow = static_cast<TSmoothing*>(Smoothing) != nullptr;
    auto deviceName = [](const TSoundPort& port) {
        char name[33] = {};
        port.GetDeviceCaps(name);
        return std::string(name);
    };
    if (SoundInput)
        f.InputDevice = deviceName(*SoundInput);
    if (SoundOutput)
        f.OutputDevice = deviceName(*SoundOutput);
    using F = TConfigurationFacts;
    f.Views[F::TimeSeries] = Windows.IsOpen(ViewType::TimeSeries);
    f.Views[F::Spectrum] = Windows.IsOpen(ViewType::Spectrum);
    f.Views[F::Phase] = Windows.IsOpen(ViewType::Phase);
    f.Views[F::Surface] = Windows.IsOpen(ViewType::Surface);
    f.Views[F::Spectrogram] = Windows.IsOpen(ViewType::Spectrogram);
    if (const TSignalGenerator* generator = SignalGenerator()) {
        std::array<std::string, 2> descriptions;
        for (int channel = 0; channel < 2; ++channel) {
            char text[128] = {};
            generator->GetSignalDescription(channel, text);
            descriptions[size_t(channel)] = text;
        }
        f.Generator = descriptions;
    }
    const ViewType utilities[F::UtilityCount] = {
        ViewType::PeakFrequency, ViewType::PeakAmplitude, ViewType::TotalPower, ViewType::Thd,
        ViewType::Thdn,          ViewType::Imd,           ViewType::Snr,        ViewType::Sinad,
        ViewType::Sfdr,          ViewType::NoiseFigure,   ViewType::DelayFinder, ViewType::Reverb,
        ViewType::Macro,         ViewType::ThdFreq};
    for (int u = 0; u < F::UtilityCount; ++u)
        f.Utilities[size_t(u)] = Windows.IsOpen(utilities[u]);
    return f;
}

int TMainWin::GetConfigurationLine(int line, char* text, size_t size) const
{
    if (!text || size == 0)
        return 0;
    const std::optional<std::string> found = TConfigurationReport::Line(ConfigurationFacts(), line);
    if (!found)
        return 0;
    std::snprintf(text, size, "%s", found->c_str());
    return 1;
}

void TMainWin::CmPrintConfiguration()
{
    if (RunState != Stopped)
        StopAnalyzer();
    TPrintDialog::TData data;
    data.Flags = PrintFlags;
    data.DevMode = PrinterDevMode;
    data.DevNames = PrinterDevNames;
    if (RunPrintDialog(data, false) == IDOK && data.Dc) {
        {
            TDC dc(data.Dc);
            PrintConfiguration(dc, DeviceNameOf(data.DevMode), PortOf(data.DevNames));
        }
        ReleasePrinterDC(data.Dc);
    }
    KeepPrinterHandles(data);
}

void TMainWin::PrintConfiguration(TDC& dc, const std::string& device, const std::string& port)
{
    EnableWindow(false);
    PrintAbortDialog::ClearUserAbort();
    PrintAbortDialog abort(this, "ABORTDIALOG", "Configuration Parameters", device.c_str(), port.c_str());
    abort.Create();
    dc.SetAbortProc(AbortProc);
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = IDS_VIEW_TIME_SERIES_TEXT;
    dc.StartDoc(info);
    dc.StartPage();
    const int width = dc.GetDeviceCaps(HORZRES);
    const int height = dc.GetDeviceCaps(LOGPIXELSY) * 11 / 72;
    TFont font("Arial", -height);
    dc.SelectObject(font);
    const int tabs[2] = {width / 8, width / 2};
    const int left = width / 10;
    int y = 2 * height;
    for (const std::string& line : TConfigurationReport::Lines(ConfigurationFacts())) {
        ::TabbedTextOutA(dc, left, y, line.c_str(), int(line.size()), 2, tabs, 0);
        y += height;
    }
    dc.RestoreFont();
    dc.EndPage();
    dc.EndDoc();
    EnableWindow(true);
    abort.Destroy();
}

void TMainWin::CmViewConfiguration()
{
    TRunPause pause(*this);
    TConfigViewDialog dialog(this, "DIALOG_CONFIG_VIEW", TConfigurationReport::Lines(ConfigurationFacts()), HelpPath,
                             [this] { CmPrintConfiguration(); });
    ExecuteDialog(dialog);
}
