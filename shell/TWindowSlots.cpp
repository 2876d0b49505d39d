// The table of window kinds, their factories, and the windows open now.
#include "shell/TWindowSlots.h"

#include "automation/TMacro.h"
#include "framework/TMDIClient.h"
#include "generator/TSignalGenerator.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"
#include "utilities/TAnalysisView.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TLeqAnalysis.h"
#include "utilities/TPhaseScope.h"
#include "utilities/TReadoutFormat.h"
#include "utilities/TTHDFreq.h"
#include "utilities/TReverb.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

namespace {

using V = ViewType;
using F = ViewStatusFlags;

int ChannelOf(ViewType type) { return int(type) >= int(V::Spectrum2) ? 1 : 0; }

void PlaceAt(TWindow& window, const RECT& placement)
{
    window.Attr.X = placement.left;
    window.Attr.Y = placement.top;
    window.Attr.W = placement.right - placement.left;
    window.Attr.H = placement.bottom - placement.top;
}

std::unique_ptr<TWindow> MakeReadout(TMainWin& main, ViewType type, const RECT& placement, const char*)
{
    TMDIClient* client = main.GetClientWindow();
    if (!client) return nullptr;
    const TReadoutFormat::TMeasureKind kind = TReadoutFormat::KindOfWindowType(int(type));
    auto view = std::make_unique<TAnalysisView>(*client, main, TReadoutFormat::Row(kind).Caption, kind);
    PlaceAt(*view, placement);
    return view;
}

// A utility window on the main window's utility role.
template <class Utility>
std::unique_ptr<TWindow> MakeUtility(TMainWin& main, ViewType type, const RECT& placement, const char*)
{
    TMDIClient* client = main.GetClientWindow();
    if (!client) return nullptr;
    auto window = std::make_unique<Utility>(*client, main, TWindowSlots::KindOf(type)->Caption);
    PlaceAt(*window, placement);
    return window;
}

std::unique_ptr<TWindow> MakeMacroWindow(TMainWin& main, ViewType, const RECT& placement, const char*)
{
    TMDIClient* client = main.GetClientWindow();
    if (!client) return nullptr;
    auto window = std::make_unique<TMacro>(*client, main);
    PlaceAt(*window, placement);
    return window;
}

std::unique_ptr<TWindow> MakeReverb(TMainWin& main, ViewType, const RECT& placement, const char*)
{
    TMDIClient* client = main.GetClientWindow();
    if (!client) return nullptr;
    auto window = std::make_unique<TReverb>(*client, &main, main);
    PlaceAt(*window, placement);
    return window;
}

std::unique_ptr<TWindow> MakeThdFreq(TMainWin& main, ViewType, const RECT& placement, const char*)
{
    TMDIClient* client = main.GetClientWindow();
    if (!client) return nullptr;
    auto window = std::make_unique<TTHDFreq>(*client, main, main);
    PlaceAt(*window, placement);
    return window;
}

}  // namespace

// The factories that hand a view the records the main window keeps for it,
// and the table of every kind.
struct TWindowSlots::TFactories {
    static std::unique_ptr<TWindow> MakeSeriesView(TMainWin& main, ViewType type, const RECT& r, const char*)
    {
        TMDIClient* client = main.GetClientWindow();
        if (!client) return nullptr;
        return std::make_unique<TSeriesPlot>(*client, &main, TWindowSlots::KindOf(type)->Caption,
                                             TRect(r.left, r.top, r.right, r.bottom), &main.SeriesOptions);
    }

    // A spectral view of either channel, handed the engines it draws. The view
    // takes its rectangle as position and size; handing it the stored right and
    // bottom edges would widen it by its offset each time. Numbered views are
    // told their channel's number too.
    template <class View, class Opts, Opts (TMainWin::*Options)[2], bool Numbered>
    static std::unique_ptr<TWindow> MakeSpectralView(TMainWin& main, ViewType type, const RECT& r, const char*)
    {
        TMDIClient* client = main.GetClientWindow();
        if (!client) return nullptr;
        const int channel = ChannelOf(type);
        TSpectralData *data, *data2;
        main.ViewEngines(channel, main.GetDisplayedResult(0), main.GetDisplayedResult(1), data, data2);
        const TRect placement(r.left, r.top, r.right - r.left, r.bottom - r.top);
        const char* caption = TWindowSlots::KindOf(type)->Caption;
        Opts* opts = &(main.*Options)[channel];
        if constexpr (Numbered)
            return std::make_unique<View>(*client, &main, caption, placement, main.GetScaling(channel), opts, data,
                                          data2, channel + 1);
        else
            return std::make_unique<View>(*client, &main, caption, placement, main.GetScaling(channel), opts, data,
                                          data2);
    }

    // The generator keeps only its position: its size follows its layout.
    static std::unique_ptr<TWindow> MakeGenerator(TMainWin& main, ViewType, const RECT& placement,
                                                  const char* settingsFile)
    {
        auto generator = std::make_unique<TSignalGenerator>(&main, main.GeneratorHost,
                                                            uint32_t(main.GetOutputDeviceID()), settingsFile);
        generator->Attr.X = placement.left;
        generator->Attr.Y = placement.top;
        return generator;
    }

    static constexpr TFactory SpectrumView =
        MakeSpectralView<TSpectrumPlot, SpectrumOpts, &TMainWin::SpectrumOptions, true>;
    static constexpr TFactory SpectrogramView =
        MakeSpectralView<TSpectrogram, SpectrogramOpts, &TMainWin::SpectrogramOptions, true>;
    static constexpr TFactory SurfaceView =
        MakeSpectralView<TSurfacePlot, SurfaceOpts, &TMainWin::SurfaceOptions, false>;
    static constexpr TFactory PhaseView = MakeSpectralView<TPhasePlot, PhaseOpts, &TMainWin::PhaseOptions, false>;

    static const TKind KindTable[];
};

// In the order the windows open at start-up.
// clang-format off
const TWindowSlots::TKind TWindowSlots::TFactories::KindTable[] = {
    {V::TimeSeries, V::TimeSeries, V::TimeSeries, &F::TimeSeries, CM_VIEWTIMESERIES, IDS_VIEW_TIME_SERIES_TEXT,
     "Time Series", {10, 10, -130, -290, true, true}, true, false, false, MakeSeriesView},
    {V::Spectrum, V::Spectrum, V::Spectrum2, &F::SpectrumPlot, CM_VIEWSPECTRUM, IDS_VIEW_SPECTRUM_TEXT,
     "Spectrum", {0, 0, -140, -300, true, true}, true, false, false, SpectrumView},
    {V::Spectrum2, V::Spectrum, V::Spectrum2, &F::SpectrumPlot, CM_VIEWSPECTRUM, IDS_VIEW_SPECTRUM2_TEXT,
     "Spectrum2", {20, 20, -120, -280, true, true}, true, false, false, SpectrumView},
    {V::Spectrogram, V::Spectrogram, V::Spectrogram2, &F::Spectrogram, CM_VIEWSPECTROGRAM, IDS_VIEW_SPECTROGRAM_TEXT,
     "Spectrogram", {80, 80, -60, -220, true, true}, true, false, false, SpectrogramView},
    {V::Spectrogram2, V::Spectrogram, V::Spectrogram2, &F::Spectrogram, CM_VIEWSPECTROGRAM,
     IDS_VIEW_SPECTROGRAM2_TEXT, "Spectrogram2", {100, 100, -40, -200, true, true}, true, false, false,
     SpectrogramView},
    {V::Generator, V::Generator, V::Generator, &F::SignalGenerator, CM_SIGNALGENERATOR, nullptr,
     "Signal Generator", {400, 200, 100, 100, false, false}, true, true, false, MakeGenerator},
    {V::Thd, V::Thd, V::Thd, &F::THD, CM_THD, nullptr, "THD", {160, 360, 120, 84, false, false}, false, false, true,
     MakeReadout},
    {V::Thdn, V::Thdn, V::Thdn, &F::THD_N, CM_THDN, nullptr, "THD_N", {180, 380, 120, 84, false, false}, false, false,
     true, MakeReadout},
    {V::Imd, V::Imd, V::Imd, &F::IMD, CM_IMD, nullptr, "IMD", {200, 400, 120, 84, false, false}, false, false, true,
     MakeReadout},
    {V::Snr, V::Snr, V::Snr, &F::SNR, CM_SNR, nullptr, "SNR", {220, 420, 120, 84, false, false}, false, false, true,
     MakeReadout},
    {V::Sinad, V::Sinad, V::Sinad, &F::SINAD, CM_SINAD, nullptr, "SINAD", {230, 430, 120, 84, false, false}, false,
     false, true, MakeReadout},
    {V::Sfdr, V::Sfdr, V::Sfdr, &F::SFDR, CM_SFDR, nullptr, "SFDR", {240, 430, 120, 84, false, false}, false, false,
     true, MakeReadout},
    {V::NoiseFigure, V::NoiseFigure, V::NoiseFigure, &F::NF, CM_NOISEFIGURELEFTRIGHT, nullptr, "NF",
     {250, 435, 120, 84, false, false}, false, false, true, MakeReadout},
    {V::PeakFrequency, V::PeakFrequency, V::PeakFrequency, &F::PeakFreq, CM_PEAKFREQUENCY, nullptr, "Peak Freq",
     {100, 300, 120, 84, false, false}, false, false, true, MakeReadout},
    {V::PeakAmplitude, V::PeakAmplitude, V::PeakAmplitude, &F::PeakAmp, CM_PEAKAMPLITUDE, nullptr, "Peak Amp",
     {120, 320, 120, 84, false, false}, false, false, true, MakeReadout},
    {V::TotalPower, V::TotalPower, V::TotalPower, &F::TotalPwr, CM_TOTALPOWER, nullptr, "Total Pwr",
     {140, 340, 120, 84, false, false}, false, false, true, MakeReadout},
    {V::DelayFinder, V::DelayFinder, V::DelayFinder, &F::DelayFinder, CM_DELAYFINDER, "Delay Finder", "Delay Finder",
     {240, 440, 160, 84, false, false}, true, false, true, MakeUtility<TDelayFinder>},
    {V::Leq, V::Leq, V::Leq, &F::LeqAnalysis, CM_LEQ, "Leq Analysis", "Leq Analysis", {300, 500, 160, 160, false, false},
     true, false, true, MakeUtility<TLeqAnalysis>},
    {V::PhaseScope, V::PhaseScope, V::PhaseScope, &F::PhaseScope, CM_PHASESCOPE, "Stereo Phase Scope", "Phase Scope",
     {70, 80, 400, 400, false, false}, true, false, true, MakeUtility<TPhaseScope>},
    {V::Macro, V::Macro, V::Macro, &F::Macro, CM_MACROPROCESSOR, nullptr, "Macro Processor",
     {780, 110, 1000, 300, false, false}, false, false, false, MakeMacroWindow},
    {V::Reverb, V::Reverb, V::Reverb, &F::Reverb, CM_REVERBTIME, nullptr, "Reverb",
     {50, 64, 600, 400, false, false}, true, false, false, MakeReverb},
    {V::Surface, V::Surface, V::Surface2, &F::SurfacePlot, CM_VIEWSURFACE, IDS_VIEW_SURFACE_TEXT, "3-D Surface",
     {120, 120, -20, -180, true, true}, true, false, false, SurfaceView},
    {V::Surface2, V::Surface, V::Surface2, &F::SurfacePlot, CM_VIEWSURFACE, IDS_VIEW_SURFACE2_TEXT, "3-D Surface2",
     {140, 140, 0, -160, true, true}, true, false, false, SurfaceView},
    {V::Phase, V::Phase, V::Phase2, &F::PhasePlot, CM_VIEWPHASE, IDS_VIEW_PHASE_TEXT, "Phase",
     {40, 40, -100, -260, true, true}, true, false, false, PhaseView},
    {V::Phase2, V::Phase, V::Phase2, &F::PhasePlot, CM_VIEWPHASE, IDS_VIEW_PHASE2_TEXT, "Phase2",
     {60, 60, -80, -240, true, true}, true, false, false, PhaseView},
    {V::ThdFreq, V::ThdFreq, V::ThdFreq, &F::THD_vs_Freq, CM_THDNVSFREQUENCY, nullptr, "THD_Freq",
     {20, 20, 800, 600, false, false}, true, false, false, MakeThdFreq},
};
// clang-format on


std::span<const TWindowSlots::TKind> TWindowSlots::Kinds()
{
    return TFactories::KindTable;
}

const TWindowSlots::TKind* TWindowSlots::KindOf(ViewType type)
{
    for (const TKind& kind : TFactories::KindTable)
        if (kind.Type == type) return &kind;
    return nullptr;
}

ViewType TWindowSlots::Partner(ViewType type)
{
    const TKind* kind = KindOf(type);
    return kind ? kind->Partner : type;
}

TWindow* TWindowSlots::Window(ViewType type) const
{
    const size_t index = size_t(type);
    return index < Slots.size() ? Slots[index].get() : nullptr;
}

bool TWindowSlots::FamilyOpen(ViewType type) const
{
    const TKind* kind = KindOf(type);
    return kind && (IsOpen(kind->Family) || IsOpen(kind->Partner));
}

bool TWindowSlots::AnyUsesSpectra() const
{
    for (const TKind& kind : TFactories::KindTable)
        if (kind.UsesSpectra && IsOpen(kind.Type)) return true;
    return false;
}

void TWindowSlots::Open(ViewType type, const char* settingsFile)
{
    const TKind* kind = KindOf(type);
    if (!kind || IsOpen(type)) return;
    RECT placement;
    int showCommand = SW_SHOWNORMAL;
    Main.GetInitialPlacement(placement, type, settingsFile, showCommand);
    std::unique_ptr<TWindow> made = kind->Make(Main, type, placement, settingsFile);
    if (!made) return;
    // The slot holds the window before it is created: creation reaches back for it.
    TWindow& window = *made;
    Slot(type) = std::move(made);
    window.Create();
    if (showCommand == SW_SHOWMAXIMIZED || (kind->ShowsStoredState && showCommand != SW_SHOWNORMAL))
        window.Show(showCommand);
    Main.ViewStatus.*kind->Flag = 1;
    Main.SetMenuCheck(Main.ViewCommand(type), true);
    Main.UpdateButtonToolbar();
}

void TWindowSlots::Close(ViewType type)
{
    const TKind* kind = KindOf(type);
    if (!kind || !IsOpen(type)) return;
    if (kind->KeepsPlacement) Main.SaveUtilityPlacements(type, Main.GetIniPath());
    const std::unique_ptr<TWindow> window = std::move(Slot(type));
    window->Destroy();
    const bool open = FamilyOpen(type);
    Main.ViewStatus.*kind->Flag = open ? 1 : 0;
    Main.SetMenuCheck(Main.ViewCommand(type), open);
    Main.UpdateButtonToolbar();
}

void TWindowSlots::Toggle(ViewType type)
{
    const TKind* kind = KindOf(type);
    if (!kind) return;
    const ViewType members[2] = {kind->Family, Partner(kind->Family)};
    const bool close = FamilyOpen(type);
    for (int m = 0; m < (members[1] == members[0] ? 1 : 2); ++m) {
        if (close) Close(members[m]);
        else Main.CreateViewWindow(members[m], Main.GetIniPath());
    }
    Main.ViewStatus.*kind->Flag = FamilyOpen(type) ? 1 : 0;
    Main.UpdateViewMenuChecks();
    if (Main.GetTransportToolbar()) Main.GetTransportToolbar()->Invalidate(true);
    Main.RefreshButtonToolbar();
}

void TWindowSlots::Closed(const TWindow& window)
{
    for (const TKind& kind : TFactories::KindTable) {
        if (Window(kind.Type) != &window) continue;
        if (kind.Partner != kind.Family && IsOpen(kind.Family) && IsOpen(kind.Partner)) Close(kind.Type);
        else Toggle(kind.Type);
        return;
    }
}

void TWindowSlots::Discard(ViewType type)
{
    if (Window(type)) Slot(type).reset();
}
