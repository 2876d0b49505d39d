#include "shell/Toolbar2.h"

#include <string>
#include "framework/TDC.h"
#include "resources/CommandIds.h"
#include "shell/TMainWin.h"

DEFINE_RESPONSE_TABLE1(Toolbar2, TWindow)
    EV_BN_CLICKED_RANGE(CM_BUTTON_FILENEW, CM_BUTTON_LEQ, ButtonClicked)
    EV_WM_LBUTTONDBLCLK
END_RESPONSE_TABLE;

namespace {

using L = Toolbar2::Latch;
using F = ViewStatusFlags;
constexpr ViewType NoWindow = ViewType::MainWindow;

const std::array<Toolbar2::TButtonRow, Toolbar2::ButtonCount> ButtonRows{{
    {CM_BUTTON_FILENEW, "FileNew", true, "New Wave File", 3, CM_FILENEW, L::Never, nullptr, NoWindow},
    {CM_BUTTON_FILEOPEN, "FileOpen", true, "Open Wave File", 33, CM_FILEOPEN, L::Never, nullptr, NoWindow},
    {CM_BUTTON_FILESAVE, "FileSave", true, "Save Wave File", 63, CM_FILESAVE, L::Never, nullptr, NoWindow},
    {CM_BUTTON_PRINT, "Print", true, "Print", 101, CM_PRINT, L::Never, nullptr, NoWindow},
    {CM_BUTTON_TIMESERIES, "Series", false, "View Time Series Plot", 139, CM_VIEWTIMESERIES, L::ViewFlag,
     &F::TimeSeries, NoWindow},
    {CM_BUTTON_SPECTRUM, "Spectrum", false, "View Spectrum Plot", 169, CM_VIEWSPECTRUM, L::ViewFlag,
     &F::SpectrumPlot, NoWindow},
    {CM_BUTTON_PHASE, "Phase", false, "View Phase Plot", 199, CM_VIEWPHASE, L::ViewFlag, &F::PhasePlot, NoWindow},
    {CM_BUTTON_SPECTROGRAM, "Gram", false, "View Spectrogram Plot", 229, CM_VIEWSPECTROGRAM, L::ViewFlag,
     &F::Spectrogram, NoWindow},
    {CM_BUTTON_SURFACE, "Surface", false, "View 3-D Surface Plot", 259, CM_VIEWSURFACE, L::ViewFlag,
     &F::SurfacePlot, NoWindow},
    {CM_BUTTON_SETTINGS, "Settings", false, "Processing Settings", 297, CM_SETTINGS, L::Never, nullptr, NoWindow},
    {CM_BUTTON_SCALING, "Scaling", false, "Scaling Options", 327, CM_SCALING, L::Never, nullptr, NoWindow},
    {CM_BUTTON_CALIBRATION, "Calibrate", false, "Calibration", 357, CM_CALIBRATION, L::Never, nullptr, NoWindow},
    {CM_BUTTON_TRIGGER, "Trigger", false, "Triggering Options", 387, CM_TRIGGER, L::Never, nullptr, NoWindow},
    {CM_BUTTON_MARKERS, "Markers", false, "Marker Options", 417, CM_MARKERS, L::Never, nullptr, NoWindow},
    {CM_BUTTON_DEVICE, "Device", false, "Device Options", 447, CM_DEVICE, L::Never, nullptr, NoWindow},
    {CM_BUTTON_SIGNALGENERATOR, "Generate", false, "Signal Generator", 485, CM_SIGNALGENERATOR, L::Window, nullptr,
     ViewType::Generator},
    {CM_BUTTON_PEAKFREQUENCY, "PeakFreq", false, "Peak Frequency", 523, CM_PEAKFREQUENCY, L::Window, nullptr,
     ViewType::PeakFrequency},
    {CM_BUTTON_PEAKAMPLITUDE, "PeakAmp", false, "Peak Amplitude", 553, CM_PEAKAMPLITUDE, L::Window, nullptr,
     ViewType::PeakAmplitude},
    {CM_BUTTON_TOTALPOWER, "TotalPwr", false, "Total Power", 583, CM_TOTALPOWER, L::Window, nullptr,
     ViewType::TotalPower},
    {CM_BUTTON_THD, "THD_", false, "Total Harmonic Distortion", 621, CM_THD, L::Window, nullptr, ViewType::Thd},
    {CM_BUTTON_THDN, "THD_N_", false, "Total Harmonic Distortion + Noise", 651, CM_THDN, L::Window, nullptr,
     ViewType::Thdn},
    {CM_BUTTON_THDNVSFREQUENCY, "THDFreq", false, "THD+N vs Frequency", 681, CM_THDNVSFREQUENCY, L::Window, nullptr,
     ViewType::ThdFreq},
    {CM_BUTTON_IMD, "IMD_", false, "InterModulation Distortion", 719, CM_IMD, L::Window, nullptr, ViewType::Imd},
    {CM_BUTTON_SNR, "SNR_", false, "Signal to Noise Ratio", 749, CM_SNR, L::Window, nullptr, ViewType::Snr},
    {CM_BUTTON_DELAYFINDER, "Delay", true, "Delay Finder Utility", 885, CM_DELAYFINDER, L::Window, nullptr,
     ViewType::DelayFinder},
    {CM_BUTTON_REVERBTIME, "Reverb", false, "Reverberation Utility", 915, CM_REVERBTIME, L::Window, nullptr,
     ViewType::Reverb},
    {CM_BUTTON_PHASESCOPE, "PhaseScope", false, "Stereo Phase Scope", 945, CM_PHASESCOPE, L::Window, nullptr,
     ViewType::PhaseScope},
    {CM_BUTTON_MACROPROCESSOR, "Macro", false, "Macro Command Processor", 817, CM_MACROPROCESSOR, L::Window, nullptr,
     ViewType::Macro},
    {CM_BUTTON_DATALOGSETUP, "DataLog", false, "Data Logging Setup", 847, CM_DATALOGSETUP, L::DataLog, nullptr,
     NoWindow},
    {CM_BUTTON_LEQ, "Leq", false, "Equivalent Noise Levels (Leq)", 779, CM_LEQ, L::Window, nullptr, ViewType::Leq},
}};

}  // namespace

const std::array<Toolbar2::TButtonRow, Toolbar2::ButtonCount>& Toolbar2::Rows() { return ButtonRows; }

Toolbar2::Toolbar2(TMainWin* mainWin) : TWindow(mainWin, ""), MainWin(mainWin)
{
    Attr.Style = WS_CHILD | WS_VISIBLE;
    for (size_t i = 0; i < ButtonRows.size(); ++i) {
        const TButtonRow& row = ButtonRows[i];
        const std::string face = row.Face;
        Buttons[i] = std::make_unique<ToolBtn>(this, row.Id, (face + "Up").c_str(), (face + "Dn").c_str(),
                                               row.HasGrey ? (face + "Gr").c_str() : nullptr, 0, 0, ButtonSize,
                                               ButtonSize, row.Tip);
    }
}

void Toolbar2::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    wc.style |= CS_DBLCLKS;
    wc.hbrBackground = *MainWin->GetFaceBrush();
}

void Toolbar2::SetupWindow()
{
    TWindow::SetupWindow();
    LayoutButtons();
    Refresh();
    SetUp = 1;
}

void Toolbar2::LayoutButtons()
{
    for (size_t i = 0; i < ButtonRows.size(); ++i)
        if (Buttons[i] && Buttons[i]->GetHandle())
            Buttons[i]->MoveWindow(ButtonRows[i].Left, ButtonTop, ButtonSize, ButtonSize, false);
    Invalidate(true);
}

void Toolbar2::Refresh()
{
    UpdateButtons();
    Invalidate(true);
}

void Toolbar2::UpdateButtons()
{
    const ViewStatusFlags& status = MainWin->GetViewStatus();
    SetGrey(CM_BUTTON_FILESAVE, MainWin->GetOpMode() == TMainWin::RealTime || !MainWin->Wave());
    SetGrey(CM_BUTTON_PRINT, !(status.TimeSeries || status.SpectrumPlot || status.PhasePlot || status.Spectrogram
                               || status.SurfacePlot));
    for (const TButtonRow& row : ButtonRows) {
        bool latched = false;
        switch (row.LatchedBy) {
        case Latch::Never: continue;
        case Latch::ViewFlag: latched = status.*row.Flag != 0; break;
        case Latch::Window: latched = MainWin->IsWindowOpen(row.Window); break;
        case Latch::DataLog: latched = MainWin->GetDataLog() != nullptr; break;
        }
        SetButtonLatched(row.Id, latched ? 1 : 0);
    }
}

ToolBtn* Toolbar2::Button(int id) const
{
    for (size_t i = 0; i < ButtonRows.size(); ++i)
        if (ButtonRows[i].Id == id) return Buttons[i].get();
    return nullptr;
}

// Only a face that changes is repainted: the bar is recomputed on every
// settings change and window opened or closed.
void Toolbar2::SetButtonLatched(int id, int on)
{
    ToolBtn* button = Button(id);
    if (!button || button->Highlight == (on == 1 ? 1 : 0)) return;
    button->SetHighlight(on);
}

void Toolbar2::SetGrey(int id, bool grey)
{
    ToolBtn* button = Button(id);
    if (!button || (button->Grey != 0) == grey) return;
    if (grey) button->SetDown();
    else button->SetUp();
}

void Toolbar2::ButtonClicked(UINT id)
{
    for (const TButtonRow& row : ButtonRows)
        if (UINT(row.Id) == id) MainWin->RunCommand(int(row.Command));
}

void Toolbar2::EvLButtonDblClk(UINT, const TPoint&) { MainWin->CmSettings(); }

void Toolbar2::EvSysColorChange()
{
    if (HWindow) SetClassLong(GCLP_HBRBACKGROUND, LONG_PTR(HBRUSH(*MainWin->GetFaceBrush())));
    for (const std::unique_ptr<ToolBtn>& button : Buttons)
        if (button) button->LoadBitmaps();
}

// A frame in the context's own pen; its bottom line lies just below the client area.
void Toolbar2::Paint(TDC& dc, bool, TRect&)
{
    const TRect r = GetClientRect();
    ::MoveToEx(dc, r.left, r.top, nullptr);
    ::LineTo(dc, r.right - 1, r.top);
    ::LineTo(dc, r.right - 1, r.bottom);
    ::LineTo(dc, r.left, r.bottom);
    ::LineTo(dc, r.left, r.top);
}
