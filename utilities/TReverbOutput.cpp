// What the reverberation window does with a result: .rvb files, printing,
// the clipboard, the plot switches, read-outs, the mouse and its menu.
#include "utilities/TReverb.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

#include "engine/TWaveData.h"
#include "framework/TClientDC.h"
#include "framework/TBitmap.h"
#include "framework/TClipboard.h"
#include "framework/TDib.h"
#include "framework/TMemoryDC.h"
#include "framework/THtmlHelp.h"
#include "framework/TPopupMenu.h"
#include "utilities/TReverbFile.h"
#include "utilities/TReverbHost.h"
#include "views/TViewHost.h"

namespace {

const char* const Filter = "Reverb Files (*.rvb)|*.rvb|";

const TMenuRow MenuRows[] = {
    {TReverb::MenuCopyText, "Copy as &Text"}, {TReverb::MenuCopyBitmap, "Copy As &Bitmap"}, {},
    {TReverb::MenuDecayStart, "Set Decay Start Time"}, {}, {TReverb::MenuProperties, "&Properties"},
    {TReverb::MenuHelp, "&Help"},
};
// Without Set Decay Start Time and its separator: results not from a segment.
const TMenuRow ShortMenuRows[] = {
    {TReverb::MenuCopyText, "Copy as &Text"}, {TReverb::MenuCopyBitmap, "Copy As &Bitmap"}, {},
    {TReverb::MenuProperties, "&Properties"}, {TReverb::MenuHelp, "&Help"},
};

std::string Formatted(const char* format, const std::string& name)
{
    char text[400];
    std::snprintf(text, sizeof text, format, name.c_str());
    return text;
}

}  // namespace

// ---- files ------------------------------------------------------------------------

void TReverb::CmLoad()
{
    if (DataChanged && !QuerySave()) return;
    TOpenSaveDialog::TData data;
    data.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    data.Filter = Filter;
    data.FileName = "*.rvb";
    data.DefExt = "rvb";
    data.InitialDir = Host.ReverbDialogFolder();
    if (Host.RunReverbFileDialog(data, "Open Reverb File", false) != IDOK) return;
    Host.KeepReverbDialogFolder(data.FileName.c_str());
    ReadReverbFile(data.FileName.c_str());
}

void TReverb::CmSave()
{
    if (Table.RowCount < 1) return;
    TOpenSaveDialog::TData data;
    // A new name is the usual choice: the file need not exist yet.
    data.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    data.Filter = Filter;
    data.FileName = "*.rvb";
    data.DefExt = "rvb";
    data.InitialDir = Host.ReverbDialogFolder();
    if (Host.RunReverbFileDialog(data, "Save Reverb File", true) != IDOK) return;
    Host.KeepReverbDialogFolder(data.FileName.c_str());
    WriteReverbFile(data.FileName.c_str());
}

bool TReverb::ReadReverbFile(const char* name)
{
    std::string path;
    if (!name || !Host.ResolveReverbPath(path, name)) return false;
    TReverbFile::TContents contents;
    switch (TReverbFile::Read(path, contents)) {
    case TReverbFile::TStatus::Ok:
        break;
    case TReverbFile::TStatus::OpenFailed:
        Message(Formatted("Failure opening reverb file: %s", path).c_str(), MB_OK);
        return false;
    case TReverbFile::TStatus::Invalid:
        Message(Formatted("Invalid reverb file: %s", path).c_str(), MB_OK);
        return false;
    case TReverbFile::TStatus::NoMemory:
        Message("Insufficient Memory to continue.  Please close some applications to free up memory.", MB_OK);
        return false;
    default:
        Message(Formatted("Error reading reverb file: %s", path).c_str(), MB_OK);
        return false;
    }
    // Only a sound file replaces what the window holds.
    FromSegment = ShowCutoffHint = 0;
    Table.BandCount = contents.BandCount;
    Table.RowCount = int32_t(contents.Rows.size());
    Table.Rows = std::move(contents.Rows);
    if (DisplayMode == TReverbLayout::NoData) DisplayMode = TReverbLayout::RtBars;
    Table.DecayLength = float(int(Table.Rows[size_t(Table.RowCount - 1)].Time + 0.5f));
    ReverbSettings o = Options();
    o.DisplayedDecayTime = Table.DecayLength;
    StoreOptions(o);
    Table.Geometry = TReverbData::LiveGeometry;
    Table.ComputeTiming(Format.SamplingRate);
    if (Table.RowCount > 1 && Table.Rows[1].Time > Table.Rows[0].Time)
        Table.HopTime = Table.Rows[1].Time - Table.Rows[0].Time;
    FileName = path;
    // What was just read is what the file holds.
    DataChanged = 0;
    Table.DecayStartTime = 0.0f;
    ApplySmoothing();
    ComputeReverbTimes();
    UpdateLayout();
    SelectTimeSpan(o.DisplayedDecayTime);
    return true;
}

bool TReverb::WriteReverbFile(const char* name)
{
    std::string path;
    if (Table.RowCount < 1 || !name || !Host.ResolveReverbPath(path, name)) return false;
    switch (TReverbFile::Write(path, Table.BandCount, Table.Rows.data(), Table.RowCount)) {
    case TReverbFile::TStatus::Ok:
        break;
    case TReverbFile::TStatus::OpenFailed:
        Message("Failure creating reverb file", MB_OK, nullptr);
        return false;
    default:
        Message("Error writing reverb file.", MB_OK);
        return false;
    }
    DataChanged = FromSegment = ShowCutoffHint = 0;
    FileName = path;
    UpdateLayout();
    return true;
}

// ---- printing ---------------------------------------------------------------------

void TReverb::CmPrint()
{
    Host.PrintReverbPlot();
}

void TReverb::PrintExtraHeader(TDC& dc)
{
    PrintMethods(dc, TRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)));
}

void TReverb::PrintMethods(TDC& dc, const TRect& page)
{
    static const char* const Extrapolations[] = {"Extrapolation Method: RT 10", "Extrapolation Method: RT 20",
                                                 "Extrapolation Method: RT 30"};
    static const char* const Smoothings[] = {"Smoothing Method: None", "Smoothing Method: Averaging",
                                             "Smoothing Method: Schroeder"};
    const ReverbSettings o = Options();
    const TPrintOptions& margins = MainWin->GetPrintOptions();
    const int px = dc.GetDeviceCaps(LOGPIXELSX), py = dc.GetDeviceCaps(LOGPIXELSY);
    const int left = page.left + int(px * margins.MarginLeft);
    const int right = page.right - int(px * margins.MarginRight);
    const int top = page.top + int(py * margins.MarginTop);
    const int height = py * 9 / 72;
    const TFont font("Arial", -height);
    dc.SelectObject(font);
    const UINT oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(left, top, Extrapolations[std::clamp(o.ExtrapolationMethod, 0, 2)]);
    dc.TextOut(left, int(top + 1.1 * height), Smoothings[std::clamp(o.SmoothingMethod, 0, 2)]);
    dc.SetTextAlign(oldAlign);
    dc.RestoreFont();
    const int bottom = top + int(0.75 * py);
    DrawLine(dc, left, top, right, top);
    DrawLine(dc, right, top, right, bottom);
    DrawLine(dc, right, bottom, left, bottom);
    DrawLine(dc, left, bottom, left, top);
}

void TReverb::CmOptions()
{
    Host.ShowReverbOptions();
}

void TReverb::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.HelpFile(), HelpContext);
}

// ---- clipboard --------------------------------------------------------------------

void TReverb::CopyAsText()
{
    if (Table.RowCount < 1 || DisplayMode == TReverbLayout::NoData) return;
    const ReverbSettings o = Options();
    const std::string text = TReverbLayout::Text(DisplayMode, Table, o.DisplayedRTTime, o.DisplayedDecayBand);
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen()) return;
    clipboard.EmptyClipboard();
    if (!clipboard.SetText(text))
        Message("Insufficient Memory to continue.  Please close some applications to free up memory.", MB_OK);
}

void TReverb::CopyAsBitmap()
{
    RECT client;
    ::GetClientRect(HWindow, &client);
    const int width = client.right, height = client.bottom - ButtonBarHeight;
    if (width <= 0 || height <= 0) return;
    TClientDC dc(HWindow);
    TBitmap picture(dc, width, height);
    {
        TMemoryDC memory(dc);
        memory.SelectObject(picture);
        memory.BitBlt(0, 0, width, height, dc, 0, ButtonBarHeight);
        memory.MoveTo(0, 0);
        memory.LineTo(width - 1, 0);
        memory.LineTo(width - 1, height - 1);
        memory.LineTo(0, height - 1);
        memory.LineTo(0, 0);
        memory.RestoreBitmap();
    }
    // As a device-independent bitmap, which the clipboard also offers as CF_BITMAP.
    const TDib dib{static_cast<HBITMAP>(picture)};
    if (!dib.IsOK()) return;
    const BITMAPINFOHEADER& header = dib.GetInfo().bmiHeader;
    // 24 bits a pixel: no colour table after the header.
    const size_t infoBytes = header.biSize;
    const size_t bitsBytes = size_t(dib.Pitch()) * size_t(dib.Height());
    std::string packed(infoBytes + bitsBytes, '\0');
    std::memcpy(packed.data(), &dib.GetInfo(), infoBytes);
    std::memcpy(packed.data() + infoBytes, dib.GetBits(), bitsBytes);
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen()) return;
    clipboard.EmptyClipboard();
    clipboard.SetBytes(CF_DIB, packed.data(), packed.size());
}

// ---- mouse and read-outs ----------------------------------------------------------

float TReverb::GetXValue(const TPoint& point)
{
    return TReverbLayout::XValue(DisplayMode, Graph(), Table, Options().DisplayedDecayTime, point.x);
}

float TReverb::GetYValue(const TPoint& point)
{
    const ReverbSettings o = Options();
    return TReverbLayout::YValue(DisplayMode, Graph(), o.DisplayedDecayTime, o.PlotTop, o.PlotRange, point.y);
}

void TReverb::EvLButtonDown(UINT keys, const TPoint& point)
{
    if (DisplayMode == TReverbLayout::RtBars || DisplayMode == TReverbLayout::DecayCurve)
        TPlotBase::EvLButtonDown(keys, point);
}

void TReverb::EvLButtonUp(UINT keys, const TPoint& point)
{
    if (DisplayMode == TReverbLayout::RtBars || DisplayMode == TReverbLayout::DecayCurve)
        TPlotBase::EvLButtonUp(keys, point);
}

void TReverb::EvMouseMove(UINT keys, const TPoint& point)
{
    if (DisplayMode == TReverbLayout::RtBars || DisplayMode == TReverbLayout::DecayCurve)
        TPlotBase::EvMouseMove(keys, point);
}

std::unique_ptr<TPopupMenu> TReverb::BuildContextMenu() const
{
    return FromSegment ? TViewMenu::Build(MenuRows) : TViewMenu::Build(ShortMenuRows);
}

void TReverb::EvRButtonDown(UINT, const TPoint& point)
{
    MenuPoint = point;
    ShowViewMenus(point, false);
}

void TReverb::EvLButtonDblClk(UINT, const TPoint& point)
{
    if (Busy) return;
    const TReverbLayout::TGraph g = Graph();
    if (!g.Contains(point.x, point.y)) {
        CmOptions();
        return;
    }
    const int entry = TReverbLayout::ClickedEntry(DisplayMode, g, Table.BandCount, point.x, point.y);
    if (entry < 0) return;
    ReverbSettings o = Options();
    o.DisplayedDecayBand = entry;
    StoreOptions(o);
    CmShowDecayPlot();
}
