// The spectrum view's commands: the context menus and their enablers, the
// markers, clearing, help, and its values as text on the clipboard or in a file.
#include "views/TSpectrumPlot.h"

#include <cstdio>
#include <new>
#include <string>

#include "base/TEngineHost.h"
#include "engine/TSpectralData.h"
#include "framework/TClipboard.h"
#include "framework/TCommandEnabler.h"
#include "framework/TFileSaveDialog.h"
#include "framework/THtmlHelp.h"
#include "framework/TMDIClient.h"
#include "framework/TPopupMenu.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "views/TLinkClipboard.h"
#include "views/TSpectralValues.h"
#include "views/TSpectrumText.h"
#include "views/TViewHost.h"

namespace {

const TMenuRow SetMarkerRows[] = {{811, "1"}, {812, "2"}, {813, "3"}, {814, "4"},
                                  {815, "5"}, {816, "6"}, {822, "7"}, {823, "8"}};
const TMenuRow ClearMarkerRows[] = {{851, "1"}, {852, "2"}, {853, "3"}, {854, "4"}, {855, "5"},
                                    {856, "6"}, {857, "7"}, {858, "8"}, {859, "All"}};
const TMenuRow SmoothRows[] = {{830, "None"},    {831, "3 bins"},  {832, "5 bins"},  {833, "7 bins"},
                               {834, "9 bins"},  {835, "11 bins"}, {836, "13 bins"}, {837, "15 bins"}};
const TMenuRow ContextMenu[] = {
    {TSpectrumPlot::MenuCopyText, "&Copy As Text"},
    {TSpectrumPlot::MenuWriteText, "Write to &Text File..."},
    {TSpectrumPlot::MenuCopyBitmap, "Copy As &Bitmap"},
    {},
    {TSpectrumPlot::MenuClearSpectrum, "Clear &Spectrum"},
    {TSpectrumPlot::MenuClearPeakHold, "Clear &Peak Hold"},
    {TSpectrumPlot::MenuAutoscale, "&Autoscale Spectrum"},
    {},
    {TSpectrumPlot::MenuInverseFFT, "&Inverse FFT"},
    {TSpectrumPlot::MenuCepstrum, "Compute Cepstrum"},
    {TSpectrumPlot::MenuBandwidth, "Bandwidth and &Q Factor"},
    {},
    {0, "Set Marker", SetMarkerRows},
    {0, "Clear Marker", ClearMarkerRows},
    {TSpectrumPlot::MenuMarkerOptions, "Marker &Options..."},
    {},
    {0, "Smooth Spectrum", SmoothRows},
    {},
    {TSpectrumPlot::MenuViewData, "&View Data Values"},
    {},
    {TSpectrumPlot::MenuProperties, "&Properties"},
    {TSpectrumPlot::MenuHelp, "&Help"},
};

// The copy's source for the whole run: 0 spectral data, 1 peak-hold data.
uint32_t CopySource = 0;

bool AlwaysEnabled(UINT id)
{
    return (id >= 801 && id <= 804) || (id >= 811 && id <= 816) || id == 818 || (id >= 820 && id <= 823)
           || (id >= 830 && id <= 837) || id == 860 || (id >= 1500 && id <= 1503) || id == 1520 || id == 1521;
}

}  // namespace

void TSpectrumPlot::FillContextMenu(HMENU menu)
{
    TViewMenu::Fill(menu, ContextMenu);
}

std::unique_ptr<TPopupMenu> TSpectrumPlot::BuildContextMenu() const
{
    return TViewMenu::Build(ContextMenu);
}

void TSpectrumPlot::EvRButtonDown(UINT, const TPoint& point)
{
    if (!Tracking)
        MenuPoint = point;
    ShowViewMenus(point, false);
}

void TSpectrumPlot::EvRButtonUp(UINT, const TPoint&)
{
}

void TSpectrumPlot::EvLButtonDblClk(UINT, const TPoint& point)
{
    if (!GraphRect.Contains(point))
        CmOptions();
}

void TSpectrumPlot::EvCommandEnable(TCommandEnabler& ce)
{
    const UINT id = ce.GetId();
    if (id == MenuViewData) {
        CeDataView(ce);
    } else if (AlwaysEnabled(id)) {
        ce.Enable(CanCopy() != 0);
    } else if (id == MenuClearPeakHold) {
        ce.Enable(PeakHoldOn());
    } else {
        TPlotBase::EvCommandEnable(ce);
    }
}

LRESULT TSpectrumPlot::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    // Menu commands act on the spectrum: without one none is handled.
    if (!hWndCtl && !Data)
        return 0;
    return TPlotBase::EvCommand(id, hWndCtl, notifyCode);
}

void TSpectrumPlot::CmSetMarker(UINT id)
{
    // Markers 7 and 8 came later than the run of the first six.
    const int marker = id >= MenuSetMarker7 ? int(id - MenuSetMarker7) + 6 : int(id - MenuSetMarker1);
    MainWin->SetMarker(marker, true, Scale.FrequencyAtColumn(MenuPoint.x - GraphRect.left));
    InvalidateRect(GraphRect, true);
}

// Clears one marker, or every marker for the last id of the run.
void TSpectrumPlot::CmClearMarker(UINT id)
{
    for (int n = 0; n < MarkerSettings::Count; ++n)
        if (id == MenuClearAllMarkers || int(id - MenuClearMarker1) == n)
            MainWin->SetMarker(n, false, 0.0f);
    InvalidateRect(GraphRect, true);
}

// A clear-marker item is available while a marker it clears is set.
void TSpectrumPlot::CeClearMarker(TCommandEnabler& ce)
{
    const UINT id = ce.GetId();
    const MarkerSettings& markers = MainWin->GetMarkers();
    bool on = false;
    for (int n = 0; n < MarkerSettings::Count; ++n)
        if (markers.MarkerEnable[n] && (id == MenuClearAllMarkers || int(id - MenuClearMarker1) == n))
            on = true;
    ce.Enable(on);
}

void TSpectrumPlot::CmCopyText()
{
    MainWin->RunCommand(CM_EDITCOPY);
}

void TSpectrumPlot::CmClearSpectrum()
{
    if (!Data)
        return;
    Data->ResetAverages();
    if (Data2)
        Data2->ResetAverages();
    NewData(0.0f);
    Invalidate(true);
}

void TSpectrumPlot::CmMarkerOptions()
{
    MainWin->RunCommand(CM_MARKERS);
}

void TSpectrumPlot::CmInverseFFT()
{
    MainWin->InverseFFT();
}

void TSpectrumPlot::CmCepstrum()
{
    MainWin->ComputeCepstrum();
}

void TSpectrumPlot::CmBandwidth()
{
    MainWin->PeakBandwidth(StartFreq, StopFreq);
}

// "None", "3 bins" ... "15 bins": widths 1, 3 ... 15.
void TSpectrumPlot::CmSmooth(UINT id)
{
    MainWin->SmoothSpectra(int(2 * (id - MenuSmoothFirst) + 1));
}

void TSpectrumPlot::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, MainWin->GetHelpPath(), HelpContext);
}

void TSpectrumPlot::ClearPeakHold()
{
    if (!Data)
        return;
    Data->ResetPeakHold();
    if (Data2)
        Data2->ResetPeakHold();
    NewData(0.0f);
    // The held curve drawn last is forgotten, so the next erase leaves the new one alone.
    for (int k = 0; k < 2; ++k) {
        for (int i = 0; i < CurveCount[k] && i < int(PeakPoints[k].size()); ++i)
            PeakPoints[k][size_t(i)].y = 0;
        for (int i = 0; i < CurveCount[k] && i < int(PrevPeakPoints[k].size()); ++i)
            PrevPeakPoints[k][size_t(i)].y = 0;
    }
    Invalidate(true);
}

void TSpectrumPlot::CopyCursorValues()
{
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    char text[128];
    std::snprintf(text, sizeof text, "Freq=\t%5.4f\r\nAmp=\t%5.4f\r\n", XValue, YValue);
    clipboard.SetText(text);
}

void TSpectrumPlot::CopyAsText()
{
    if (!Data)
        return;
    if (!PeakHoldOn()) {
        CopySource = 0;
    } else {
        if (!MainWin->ChooseSpectrumSource(*this, "DIALOG_COPY_SPECTRUM_SOURCE", CopySource))
            return;
    }
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    TEngineWait wait;
    try {
        const TSpectralValues first(*Data);
        const TSpectralValues second(Data2 ? *Data2 : *Data);
        const std::string text = TSpectrumText::Clipboard(Data->GetAmplitudeUnitName(), Data->GetLabel(),
                                                          VisibleStart, VisibleEnd, first, Data2 ? &second : nullptr,
                                                          CopySource == 1);
        if (!clipboard.SetText(text)) {
            MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    } catch (const std::bad_alloc&) {
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    TLinkClipboard::Put(clipboard, "Tonalyx", "Spectrum");
}

void TSpectrumPlot::SaveAsText()
{
    if (!Data)
        return;
    TOpenSaveDialog::TData file;
    file.Filter = "Text Files (*.txt)|*.txt|";
    file.FilterIndex = 1;
    file.FileName = "*.txt";
    file.DefExt = "txt";
    // A new name may be given: only the folder must exist.
    file.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (TFileSaveDialog(this, file, "Save Text File").Execute() != IDOK)
        return;
    WriteTextFile(file.FileName.c_str());
}

bool TSpectrumPlot::WriteTextFile(const char* path)
{
    if (!Data)
        return false;
    TEngineWait wait;
    std::string text;
    try {
        const TSpectralValues first(*Data);
        const TSpectralValues second(Data2 ? *Data2 : *Data);
        text = TSpectrumText::File(MainWin->GetAnalysisSettings().ChannelProcessing, Data->GetAmplitudeUnitName(),
                                   VisibleStart, VisibleEnd, first, Data2 ? &second : nullptr);
    } catch (const std::bad_alloc&) {
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // Binary: each line already ends in one CR LF.
    FILE* f = std::fopen(path, "wb");
    bool written = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (f && std::fclose(f) != 0)
        written = false;
    if (!written) {
        if (f)
            std::remove(path);
        char message[400];
        std::snprintf(message, sizeof message, IDS_OPEN_DATA_FILE_FAILED_TEXT, path);
        TEngineHost::Get().ShowMessage(message, "Tonalyx", TEngineHost::MsgOk | TEngineHost::MsgIconExclamation);
    }
    return written;
}
