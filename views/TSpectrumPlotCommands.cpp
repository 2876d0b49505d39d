// The spectrum view's commands: the context menus and their enablers, the
// markers, clearing, help, and its values as text on the clipboard or in a file.
#include "views/TSpectrumPlot.h"

#include <cstdio>
#include <new>
#include <string>

#include "engine/TEngineHost.h"
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

struct TMenuRow {
    int Id;
    const char* Text;
};

const TMenuRow SetMarkerRows[] = {{811, "1"}, {812, "2"}, {813, "3"}, {814, "4"},
                                  {815, "5"}, {816, "6"}, {822, "7"}, {823, "8"}};
const TMenuRow SmoothRows[] = {{830, "None"},    {831, "3 bins"},  {832, "5 bins"},  {833, "7 bins"},
                               {834, "9 bins"},  {835, "11 bins"}, {836, "13 bins"}, {837, "15 bins"}};

// The copy's source for the whole run: 0 spectral data, 1 peak-hold data.
uint32_t CopySource = 0;

// The marker a set-marker command stands for, or -1.
int SetMarkerIndex(UINT id)
{
    if (id >= TSpectrumPlot::MenuSetMarker1 && id <= TSpectrumPlot::MenuSetMarker6)
        return int(id - TSpectrumPlot::MenuSetMarker1);
    if (id == TSpectrumPlot::MenuSetMarker7 || id == TSpectrumPlot::MenuSetMarker8)
        return int(id - TSpectrumPlot::MenuSetMarker7) + 6;
    return -1;
}

bool AlwaysEnabled(UINT id)
{
    return (id >= 801 && id <= 804) || (id >= 811 && id <= 816) || id == 818 || (id >= 820 && id <= 823)
           || (id >= 830 && id <= 837) || id == 860 || (id >= 1500 && id <= 1503) || id == 1520 || id == 1521;
}

}  // namespace

void TSpectrumPlot::FillContextMenu(HMENU handle)
{
    TMenu menu(handle);
    menu.AppendMenu(MF_STRING, MenuCopyText, "&Copy As Text");
    menu.AppendMenu(MF_STRING, MenuWriteText, "Write to &Text File...");
    menu.AppendMenu(MF_STRING, MenuCopyBitmap, "Copy As &Bitmap");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, MenuClearSpectrum, "Clear &Spectrum");
    menu.AppendMenu(MF_STRING, MenuClearPeakHold, "Clear &Peak Hold");
    menu.AppendMenu(MF_STRING, MenuAutoscale, "&Autoscale Spectrum");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, MenuInverseFFT, "&Inverse FFT");
    menu.AppendMenu(MF_STRING, MenuCepstrum, "Compute Cepstrum");
    menu.AppendMenu(MF_STRING, MenuBandwidth, "Bandwidth and &Q Factor");
    menu.AppendMenu(MF_SEPARATOR);
    HMENU set = ::CreatePopupMenu();
    for (const TMenuRow& row : SetMarkerRows)
        ::AppendMenuA(set, MF_STRING, row.Id, row.Text);
    menu.AppendMenu(MF_POPUP, UINT_PTR(set), "Set Marker");
    HMENU clear = ::CreatePopupMenu();
    for (int n = 0; n < MarkerSettings::Count; ++n) {
        char text[4];
        std::snprintf(text, sizeof text, "%d", n + 1);
        ::AppendMenuA(clear, MF_STRING, MenuClearMarker1 + n, text);
    }
    ::AppendMenuA(clear, MF_STRING, MenuClearAllMarkers, "All");
    menu.AppendMenu(MF_POPUP, UINT_PTR(clear), "Clear Marker");
    menu.AppendMenu(MF_STRING, MenuMarkerOptions, "Marker &Options...");
    menu.AppendMenu(MF_SEPARATOR);
    HMENU smooth = ::CreatePopupMenu();
    for (const TMenuRow& row : SmoothRows)
        ::AppendMenuA(smooth, MF_STRING, row.Id, row.Text);
    menu.AppendMenu(MF_POPUP, UINT_PTR(smooth), "Smooth Spectrum");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, MenuViewData, "&View Data Values");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, MenuProperties, "&Properties");
    menu.AppendMenu(MF_STRING, MenuHelp, "&Help");
}

void TSpectrumPlot::EvRButtonDown(UINT, const TPoint& point)
{
    TPoint screen = point;
    ClientToScreen(screen);
    if (Tracking) {
        if (TWindow* client = GetParent())
            client->SendMessage(WM_MDIACTIVATE, WPARAM(HWindow));
        TPopupMenu menu;
        menu.AppendMenu(MF_STRING, MenuCopyCursor, "Copy measurement cursor Values to clipboard");
        menu.AppendMenu(MF_STRING, MenuCopyBitmap, "Copy to clipboard as Bitmap");
        if (menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, screen, HWindow) == MenuCopyCursor)
            CopyCursorValues();
        EvLButtonUp(0, point);
        return;
    }
    MenuPoint = point;
    if (!GetPaneRect(point).Contains(point))
        return;
    if (TWindow* client = GetParent())
        client->SendMessage(WM_MDIACTIVATE, WPARAM(HWindow));
    TPopupMenu menu;
    FillContextMenu(menu);
    menu.TrackPopupMenu(0, screen, HWindow);
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
    if (AlwaysEnabled(id)) {
        ce.Enable(CanCopy() != 0);
    } else if (id == MenuClearPeakHold) {
        ce.Enable(PeakHoldOn());
    } else if (id >= MenuClearMarker1 && id <= MenuClearAllMarkers) {
        const MarkerSettings& markers = MainWin->GetMarkers();
        bool on = false;
        for (int n = 0; n < MarkerSettings::Count; ++n)
            if (markers.MarkerEnable[n] && (id == MenuClearAllMarkers || int(id - MenuClearMarker1) == n))
                on = true;
        ce.Enable(on);
    } else {
        TPlotBase::EvCommandEnable(ce);
    }
}

LRESULT TSpectrumPlot::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode)
{
    if (RunOverlayCommand(id))
        return 1;
    if (!hWndCtl) {
        // Menu commands act on the spectrum: without one none is handled.
        if (!Data)
            return 0;
        if (RunMenuCommand(id))
            return 1;
    }
    return TPlotBase::EvCommand(id, hWndCtl, notifyCode);
}

bool TSpectrumPlot::RunMenuCommand(UINT id)
{
    const int marker = SetMarkerIndex(id);
    if (marker >= 0) {
        MainWin->SetMarker(marker, true, Scale.FrequencyAtColumn(MenuPoint.x - GraphRect.left));
        InvalidateRect(GraphRect, true);
        return true;
    }
    if (id >= MenuClearMarker1 && id <= MenuClearAllMarkers) {
        for (int n = 0; n < MarkerSettings::Count; ++n)
            if (id == MenuClearAllMarkers || int(id - MenuClearMarker1) == n)
                MainWin->SetMarker(n, false, 0.0f);
        InvalidateRect(GraphRect, true);
        return true;
    }
    switch (id) {
    case MenuCopyText:
        MainWin->RunCommand(CM_EDITCOPY);
        return true;
    case MenuClearSpectrum:
        Data->ResetAverages();
        if (Data2)
            Data2->ResetAverages();
        NewData(0.0f);
        Invalidate(true);
        return true;
    case MenuClearPeakHold:
        ClearPeakHold();
        return true;
    case MenuAutoscale:
        Autoscale();
        return true;
    case MenuMarkerOptions:
        MainWin->RunCommand(CM_MARKERS);
        return true;
    case MenuProperties:
        CmOptions();
        return true;
    case MenuHelp:
        THtmlHelp::ShowContext(HWindow, MainWin->GetHelpPath(), HelpContext);
        return true;
    case MenuWriteText:
        SaveAsText();
        return true;
    default:
        return false;
    }
}

void TSpectrumPlot::ClearPeakHold()
{
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
