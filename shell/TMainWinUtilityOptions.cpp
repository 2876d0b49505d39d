// The measurement utilities' options commands and the data logging set-up:
// each runs its dialog on a copy, stores it at OK and tells what is open.
#include "shell/TMainWin.h"

#include "dialogs/TDataLogDialog.h"
#include "dialogs/TDelayFinderOptionsDialog.h"
#include "dialogs/TLeqOptionsDialog.h"
#include "engine/TSpectralData.h"
#include "shell/TRunPause.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TLeqAnalysis.h"

namespace {

// The band's upper limit when no spectrum tells the Nyquist frequency.
constexpr float NoSpectrumLimit = 10000.0f;

}  // namespace

void TMainWin::CmDelayFinderOptions()
{
    TRunPause pause(*this);
    DelayFinderSettings edited = DelayFinderOptions;
    TDelayFinderOptionsDialog dialog(this, *this, "DIALOG_DELAY_FINDER_OPTIONS", &edited);
    if (ExecuteDialog(dialog) != IDOK) return;
    const bool reach = edited.MaxDelayMsec != DelayFinderOptions.MaxDelayMsec;
    DelayFinderOptions = edited;
    TDelayFinder* finder = DelayFinder();
    if (!finder || !finder->GetHandle()) return;
    // A new reach needs a new block size.
    if (reach) finder->ClearDelay();
    finder->Invalidate(true);
}

void TMainWin::CmLeqOptions()
{
    TRunPause pause(*this);
    LeqSettings edited = LeqOptions;
    TLeqOptionsDialog dialog(this, *this, "DIALOG_LEQ_OPTIONS", &edited);
    if (ExecuteDialog(dialog) != IDOK) return;
    LeqOptions = edited;
    if (TLeqAnalysis* leq = LeqWindow(); leq && leq->GetHandle()) leq->Refresh();
}

// Logging goes on untouched while the dialog runs, so Cancel neither
// reopens nor truncates the log; OK starts a logger with the new settings.
void TMainWin::CmDataLogSetup()
{
    TRunPause pause(*this);
    LoggingSettings edited = Logging;
    const float limit = DisplayPrimary ? DisplayPrimary->GetNyquist() : NoSpectrumLimit;
    TDataLogDialog dialog(this, *this, "DIALOG_LOGGING", &edited, limit, DataLog != nullptr);
    if (ExecuteDialog(dialog) != IDOK) return;
    CmDataLogOff();
    Logging = edited;
    if (dialog.EnableLogging()
        || MessageBox("Do you want to enable data logging now?", "Tonalyx", MB_YESNO | MB_ICONQUESTION) == IDYES)
        CmDataLogOn();
}
