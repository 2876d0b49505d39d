// The Options commands of the plot views: which view's record a command
// edits, the caption and data range its dialog gets, and the run around it.
#include "shell/TMainWin.h"

#include "dialogs/TPhaseOptsDialog.h"
#include "dialogs/TSeriesOptsDialog.h"
#include "dialogs/TSpectrogramOptsDialog.h"
#include "dialogs/TSpectrumOptsDialog.h"
#include "dialogs/TSurfaceOptsDialog.h"
#include "engine/TSpectralData.h"
#include "framework/TMDIClient.h"
#include "shell/TRunPause.h"
#include "views/TPlotBase.h"

namespace {

// A kind's dialog captions: first view (or none), second view, and either
// when the channels share their scaling.
struct TCaptions {
    const char* First;
    const char* Second;
    const char* Common;
};
constexpr TCaptions SpectrumCaptions{"Spectrum Plot Options - Left Channel", "Spectrum Plot Options - Right Channel",
                                     "Spectrum Plot Options"};
constexpr TCaptions PhaseCaptions{"Phase Plot Options - Left Channel", "Phase Plot Options - Right Channel",
                                  "Phase Plot Options"};
constexpr TCaptions SurfaceCaptions{"3-D Surface Plot Options - Left Channel",
                                    "3-D Surface Plot Options - Right Channel", "3-D Surface Plot Options"};
constexpr TCaptions SpectrogramCaptions{"Spectrogram Plot Options - Left Channel",
                                        "Spectrogram Plot Options - Right Channel", "Spectrogram Options"};

// The per-channel kinds and their routines, for a view's own command.
struct TOptionsKind {
    ViewType Family;
    void (TMainWin::*Run)(TPlotBase* view);
};
constexpr TOptionsKind OptionsKinds[] = {
    {ViewType::Spectrum, &TMainWin::RunSpectrumOptions},
    {ViewType::Phase, &TMainWin::RunPhaseOptions},
    {ViewType::Surface, &TMainWin::RunSurfaceOptions},
    {ViewType::Spectrogram, &TMainWin::RunSpectrogramOptions},
};

// The view a menu command edits: the one open member of the pair, or with
// both open the active one, the first when neither is active.
TPlotBase* ChosenView(TWindow* first, TWindow* second, const TMDIClient* client)
{
    if (!first || !second) return static_cast<TPlotBase*>(first ? first : second);
    const TWindow* active = client ? client->GetActiveMDIChild() : nullptr;
    return static_cast<TPlotBase*>(active == second ? second : first);
}

// The record a routine edits: the second only for the second view.
int RecordIndex(const TWindow* second, const TPlotBase* view)
{
    return view && view == second ? 1 : 0;
}

// The data range and amplitude scale the dialog checks against: the second
// view's from the data it shows, when it has its own.
TViewOptionsForm::TContext DataContext(const TSpectralData* left, const TSpectralData* secondary, int index)
{
    const TSpectralData* data = index == 1 && secondary ? secondary : left;
    TViewOptionsForm::TContext context;
    if (data) {
        context.Scale = data->GetAmplitudeScale();
        context.Low = data->GetLowFrequency();
        context.High = data->GetHighFrequency();
    }
    return context;
}

const char* CaptionOf(const TCaptions& captions, int index, bool independent)
{
    if (!independent) return captions.Common;
    return index == 1 ? captions.Second : captions.First;
}

}  // namespace

void TMainWin::CmSpectrumOptions()
{
    RunSpectrumOptions(ChosenView(Windows.Window(ViewType::Spectrum), Windows.Window(ViewType::Spectrum2),
                                  GetClientWindow()));
}

void TMainWin::CmPhaseOptions()
{
    RunPhaseOptions(ChosenView(Windows.Window(ViewType::Phase), Windows.Window(ViewType::Phase2), GetClientWindow()));
}

void TMainWin::CmSurfaceOptions()
{
    RunSurfaceOptions(ChosenView(Windows.Window(ViewType::Surface), Windows.Window(ViewType::Surface2),
                                 GetClientWindow()));
}

void TMainWin::CmSpectrogramOptions()
{
    RunSpectrogramOptions(ChosenView(Windows.Window(ViewType::Spectrogram), Windows.Window(ViewType::Spectrogram2),
                                     GetClientWindow()));
}

void TMainWin::EditViewOptions(TPlotBase& view)
{
    for (const TOptionsKind& kind : OptionsKinds)
        if (Windows.Window(kind.Family) == &view || Windows.Window(SecondChannel(kind.Family)) == &view) {
            (this->*kind.Run)(&view);
            return;
        }
}

void TMainWin::CmTimeSeriesOptions()
{
    TRunPause pause(*this);
    SeriesOpts edited = SeriesOptions;
    TSeriesOptsDialog dialog(this, *this, "DIALOG_TSERIES", &edited, Settings.Format.NumChannels, RpmLinkFlag != 0);
    if (ExecuteDialog(dialog) == IDOK) SetSeriesOptions(edited);
}

void TMainWin::RunSpectrumOptions(TPlotBase* view)
{
    TRunPause pause(*this);
    const int index = RecordIndex(Windows.Window(ViewType::Spectrum2), view);
    const TViewOptionsForm::TContext c = DataContext(SpectralLeft, DisplaySecondary, index);
    SpectrumOpts edited = SpectrumOptions[index];
    TSpectrumOptsDialog dialog(this, *this, "DIALOG_SPECTRUM", &edited, c.Scale, c.Low, c.High,
                               CaptionOf(SpectrumCaptions, index, Settings.IndependentScalingAndCalibration != 0));
    if (ExecuteDialog(dialog) == IDOK) SetSpectrumOptions(index, edited);
}

void TMainWin::RunPhaseOptions(TPlotBase* view)
{
    TRunPause pause(*this);
    const int index = RecordIndex(Windows.Window(ViewType::Phase2), view);
    const TViewOptionsForm::TContext c = DataContext(SpectralLeft, DisplaySecondary, index);
    PhaseOpts edited = PhaseOptions[index];
    TPhaseOptsDialog dialog(this, *this, "DIALOG_PHASE", &edited, c.Low, c.High,
                            CaptionOf(PhaseCaptions, index, Settings.IndependentScalingAndCalibration != 0));
    if (ExecuteDialog(dialog) == IDOK) SetPhaseOptions(index, edited);
}

void TMainWin::RunSurfaceOptions(TPlotBase* view)
{
    TRunPause pause(*this);
    const int index = RecordIndex(Windows.Window(ViewType::Surface2), view);
    const TViewOptionsForm::TContext c = DataContext(SpectralLeft, DisplaySecondary, index);
    SurfaceOpts edited = SurfaceOptions[index];
    TSurfaceOptsDialog dialog(this, *this, "DIALOG_SURFACE", &edited, c.Scale, c.Low, c.High,
                              CaptionOf(SurfaceCaptions, index, Settings.IndependentScalingAndCalibration != 0));
    if (ExecuteDialog(dialog) == IDOK) SetSurfaceOptions(index, edited);
}

void TMainWin::RunSpectrogramOptions(TPlotBase* view)
{
    TRunPause pause(*this);
    const int index = RecordIndex(Windows.Window(ViewType::Spectrogram2), view);
    const TViewOptionsForm::TContext c = DataContext(SpectralLeft, DisplaySecondary, index);
    SpectrogramOpts edited = SpectrogramOptions[index];
    TSpectrogramOptsDialog dialog(this, *this, "DIALOG_SPECTROGRAM", &edited, c.Scale, c.Low, c.High,
                                  CaptionOf(SpectrogramCaptions, index,
                                            Settings.IndependentScalingAndCalibration != 0));
    if (ExecuteDialog(dialog) == IDOK) SetSpectrogramOptions(index, edited);
}
