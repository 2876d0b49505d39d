// A view's picture outside its window: drawn on a printed page, copied to
// the clipboard or written to a bitmap file.
#include "views/TPlotBase.h"

#include <utility>

#include "framework/TClientDC.h"
#include "framework/TClipboard.h"
#include "framework/TDC.h"
#include "framework/TDib.h"
#include "framework/TFileSaveDialog.h"
#include "framework/TMemoryDC.h"
#include "framework/TProfileFile.h"
#include "base/TSettingsTable.h"
#include "resources/StringIds.h"
#include "views/TPrintPage.h"
#include "views/TViewHost.h"

namespace {

void Outline(TDC& dc, int left, int top, int right, int bottom)
{
    dc.MoveTo(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

TPageMetrics MetricsOf(const TDC& dc)
{
    return {dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY), dc.GetDeviceCaps(HORZRES),
            dc.GetDeviceCaps(VERTRES)};
}

}  // namespace

void TPlotBase::PrintPlot(TDC& dc, bool selfLayout)
{
    const TRect client = GetClientRect();
    const TPrintOptions options = MainWin->GetPrintOptions();
    const TPrintPage page(MetricsOf(dc), options);
    const TPaneRect frame = page.PlotFrame();
    Outline(dc, frame.left, frame.top, frame.right, frame.bottom);

    const int oldMode = dc.SetMapMode(MM_ANISOTROPIC);
    if (!selfLayout && client.Width() > 0 && client.Height() > 0) {
        dc.SetWindowExt(TSize(client.right, client.bottom));
        dc.SetViewportExt(TSize(frame.Width(), frame.Height()));
        dc.SetViewportOrg(TPoint(frame.left, frame.top));
    }
    const int printHeight = page.PlotFontHeight(selfLayout, client.Height());
    std::unique_ptr<TFont> screenFont = std::exchange(Font, std::make_unique<TFont>("Arial", printHeight));
    const int screenHeight = std::exchange(FontHeight, printHeight);
    PrintMode = 1;
    PreparePrintLayout(dc, options);
    TRect update = client;
    Paint(dc, true, update);
    PrintMode = 0;
    PrintLogo(dc);

    dc.SetViewportOrg(TPoint(0, 0));
    dc.SetMapMode(oldMode);
    Font = std::move(screenFont);
    FontHeight = screenHeight;
    Invalidate(true);
    if (selfLayout)
        UpdateLayout();
}

void TPlotBase::PrintLogo(TDC& dc)
{
    // On paper the logo needs "HideLogo" to read FALSE; any other word keeps it off.
    TProfileFile ini(MainWin->GetIniPath());
    if (!TPrintPage::SwitchIs(TSettingsTable::ReadText(ini, IDS_SECTION_FILEIO_TEXT, "HideLogo", "FALSE", 21), "FALSE"))
        return;
    LoadLogo();
    if (!Logo || !Logo->IsValid())
        return;
    const int w = int(0.05 * PaneRect1.Width());
    const int h = int(0.05 * PaneRect1.Height());
    const TRect place(PaneRect1.right - w - 4, PaneRect1.top + 4, PaneRect1.right - 4, PaneRect1.top + h + 4);
    TMemoryDC memory(dc);
    memory.SelectObject(*Logo);
    const int oldMode = dc.SetStretchBltMode(WHITEONBLACK);
    dc.StretchBlt(place, memory, TRect(0, 0, Logo->Width(), Logo->Height()));
    dc.SetStretchBltMode(oldMode);
}

std::unique_ptr<TBitmap> TPlotBase::PictureBelowButtons()
{
    TRect r = GetClientRect();
    r.bottom -= ButtonBarHeight;
    if (r.Width() <= 0 || r.Height() <= 0)
        return nullptr;
    TClientDC screen(HWindow);
    auto bitmap = std::make_unique<TBitmap>(screen, r.Width(), r.Height());
    TMemoryDC memory(screen);
    memory.SelectObject(*bitmap);
    memory.BitBlt(0, 0, r.Width(), r.Height(), screen, 0, ButtonBarHeight);
    memory.SelectStockObject(BLACK_PEN);
    Outline(memory, 0, 0, r.Width() - 1, r.Height() - 1);
    memory.RestoreObjects();
    return bitmap;
}

void TPlotBase::CopyAsBitmap()
{
    std::unique_ptr<TBitmap> picture = PictureBelowButtons();
    if (!picture)
        return;
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    clipboard.SetBitmap(*picture);
}

void TPlotBase::SaveAsBitmap()
{
    TOpenSaveDialog::TData file;
    file.Filter = "Bitmap Files (*.bmp)|*.bmp|";
    file.FilterIndex = 1;
    file.FileName = "*.bmp";
    file.DefExt = "bmp";
    // A new name may be given: only the folder must exist.
    file.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (TFileSaveDialog(this, file, "Select Bitmap File").Execute() != IDOK)
        return;
    WriteBitmapFile(file.FileName.c_str());
}

bool TPlotBase::WriteBitmapFile(const char* path)
{
    std::unique_ptr<TBitmap> picture = PictureBelowButtons();
    return picture && TDib(HBITMAP(*picture)).WriteFile(path);
}
