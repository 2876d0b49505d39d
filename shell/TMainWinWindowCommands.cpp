// What the command language does to the frame and its windows: hiding and
// showing the application, and the first window of each view kind.
#include "shell/TMainWin.h"

namespace {

// Hidden and shown one by one with the frame, in this order; the views, the
// macro, Leq, reverberation and THD+N-versus-frequency windows are not.
constexpr ViewType HiddenWithFrame[] = {
    ViewType::Generator,     ViewType::Thd,           ViewType::Thdn,       ViewType::Imd,
    ViewType::Snr,           ViewType::Sinad,         ViewType::Sfdr,       ViewType::NoiseFigure,
    ViewType::PeakFrequency, ViewType::PeakAmplitude, ViewType::TotalPower, ViewType::DelayFinder,
    ViewType::PhaseScope};

}  // namespace

void TMainWin::HideApplication()
{
    ApplicationHidden = 1;
    Show(SW_MINIMIZE);
    Show(SW_HIDE);
    for (ViewType type : HiddenWithFrame)
        if (TWindow* window = Windows.Window(type)) window->Show(SW_HIDE);
}

void TMainWin::ShowApplication()
{
    ApplicationHidden = 0;
    Show(SW_RESTORE);
    for (ViewType type : HiddenWithFrame)
        if (TWindow* window = Windows.Window(type)) window->Show(SW_RESTORE);
}

// Only the first window decides. With just the second channel's window left
// open, the toggle would close it: the first is opened beside it instead.
void TMainWin::OpenFirstView(ViewType family)
{
    if (Windows.IsOpen(family)) return;
    if (Windows.FamilyOpen(family)) CreateViewWindow(family, IniPath);
    else Windows.Toggle(family);
}

void TMainWin::CloseFirstView(ViewType family)
{
    if (Windows.IsOpen(family)) Windows.Toggle(family);
}

void TMainWin::ShowFirstView(ViewType family, int showCommand)
{
    if (TWindow* view = Windows.Window(family)) view->Show(showCommand);
}
