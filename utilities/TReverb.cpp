// The reverberation window: construction, layout, selectors, the save
// question, the palette and the response table.
#include "utilities/TReverb.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/TWaveData.h"
#include "framework/TButton.h"
#include "framework/TClientDC.h"
#include "framework/TComboBoxNonSort.h"
#include "framework/TGauge.h"
#include "framework/TMDIClient.h"
#include "framework/TModule.h"
#include "framework/TScreenDC.h"
#include "utilities/TReverbHost.h"

DEFINE_RESPONSE_TABLE1(TReverb, TPlotBase)
    EV_WM_SYSCOMMAND
    EV_WM_SIZE
    EV_WM_LBUTTONDBLCLK
    EV_WM_RBUTTONDOWN
    EV_WM_QUERYNEWPALETTE
    EV_WM_PALETTECHANGED
    EV_BN_CLICKED(TReverb::StartId, CmStart)
    EV_BN_CLICKED(TReverb::RtPlotId, CmShowRtPlot)
    EV_BN_CLICKED(TReverb::DecayPlotId, CmShowDecayPlot)
    EV_BN_CLICKED(TReverb::SurfacePlotId, CmShowSurfacePlot)
    EV_BN_CLICKED(TReverb::LoadId, CmLoad)
    EV_BN_CLICKED(TReverb::SaveId, CmSave)
    EV_BN_CLICKED(TReverb::PrintId, CmPrint)
    EV_BN_CLICKED(TReverb::OptionsId, CmOptions)
    EV_CHILD_NOTIFY_ALL_CODES(TReverb::SelectorId, EvSelectorChange)
    EV_CHILD_NOTIFY_ALL_CODES(TReverb::TimeId, EvTimeChange)
    EV_COMMAND(TReverb::MenuCopyText, CmCopyText)
    EV_COMMAND(TReverb::MenuCopyBitmap, CmCopyBitmap)
    EV_COMMAND(TReverb::MenuDecayStart, CmDecayStart)
    EV_COMMAND(TReverb::MenuProperties, CmOptions)
    EV_COMMAND(TReverb::MenuHelp, CmHelp)
END_RESPONSE_TABLE;

namespace {

const char* const Caption = "Reverberation Time";
constexpr int ButtonBar = 38;
constexpr DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr UINT ListTextLimit = 20;

struct TButtonRow {
    int Id;
    const char* Text;
    int X, Y, W, H;
};
// The bar's buttons; the last four are stacked in the right margin by PlaceButtons.
const TButtonRow ButtonRows[] = {
    {TReverb::StartId, "Start", 4, 4, 86, 30},       {TReverb::RtPlotId, "Reverb Times", 94, 4, 86, 30},
    {TReverb::DecayPlotId, "Decay Plot", 184, 4, 86, 30}, {TReverb::SurfacePlotId, "3-D Surface", 274, 4, 86, 30},
    {TReverb::LoadId, "Load...", 0, 0, 68, 24},       {TReverb::SaveId, "Save...", 0, 0, 68, 24},
    {TReverb::PrintId, "Print...", 0, 0, 68, 24},     {TReverb::OptionsId, "Options...", 0, 0, 68, 24},
};
constexpr int StackedFirst = 4;
// The buttons that need data: Reverb Times, Decay Plot, 3-D Surface, Save, Print.
constexpr int DataButtons[] = {1, 2, 3, 5, 6};

const char* const RtNames[] = {"RT-10", "RT-20", "RT-30", "RT-40", "RT-50", "RT-60"};

// The colour ramp: black, blue, cyan, green, yellow, red in steps of 40.
COLORREF RampColour(int i)
{
    auto c = [](double v) { return int(v) & 0xFF; };
    if (i < 40) return RGB(0, 0, c(6.4 * i));
    if (i < 80) return RGB(0, c(6.4 * (i - 40)), 255);
    if (i < 120) return RGB(0, 255, c(255 - 6.4 * (i - 80)));
    if (i < 160) return RGB(c(6.4 * (i - 120)), 255, 0);
    return RGB(255, c(255 - 6.4 * (i - 160)), 0);
}

}  // namespace

TReverb::TReverb(TMDIClient& parent, TViewHost* viewHost, TReverbHost& host)
    : TPlotBase(parent, viewHost, Caption), Host(host)
{
    Attr.X = 300;
    Attr.Y = 200;
    Attr.W = 100;
    Attr.H = 60;
    ButtonBarHeight = ButtonBar;
    TopInset = ButtonBar + 20;
    BottomInset = 30;
    LeftMargin = 60;
    RightMargin = 80;
    PaneGap = 20;
    XReadoutSize = TSize(78, 17);
    YReadoutSize = TSize(58, 17);
    PaneMode = 1;
    for (size_t i = 0; i < std::size(ButtonRows); ++i) {
        const TButtonRow& b = ButtonRows[i];
        Buttons[i] = std::make_unique<TButton>(this, b.Id, b.Text, b.X, b.Y, b.W, b.H);
    }
    Progress = std::make_unique<TGauge>(this, "", ProgressId, 364, 20, 210, 14);
    TimeCombo = std::make_unique<TComboBoxNonSort>(this, TimeId, 364, 8, 100, 500, ListStyle, ListTextLimit);
    SelectorCombo = std::make_unique<TComboBoxNonSort>(this, SelectorId, 468, 8, 100, 500, ListStyle, ListTextLimit);
    Table.Geometry = TReverbData::LiveGeometry;
    Table.DecayLength = Host.ReverbOptionsRecord().MaxDecayTime;
    Table.ComputeTiming(Format.SamplingRate);
    Table.AllocateRows();
}

TReverb::~TReverb() = default;

void TReverb::GetWindowClass(WNDCLASSA& wc)
{
    TPlotBase::GetWindowClass(wc);
    wc.hbrBackground = Host.UtilityBrush();
    wc.hIcon = ::LoadIconA(GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr), "ICON_UTILITY");
}

void TReverb::SetupWindow()
{
    TPlotBase::SetupWindow();
    if (const HFONT font = Host.ControlFont()) {
        for (auto& b : Buttons)
            b->SendMessage(WM_SETFONT, WPARAM(font), FALSE);
        for (TWindow* w : {static_cast<TWindow*>(Progress.get()), static_cast<TWindow*>(TimeCombo.get()),
                           static_cast<TWindow*>(SelectorCombo.get())})
            w->SendMessage(WM_SETFONT, WPARAM(font), FALSE);
    }
    Progress->SetRange(0, 100);
    HideProgress();
    SetCaption(Caption);
    FillTimeCombo(Host.ReverbOptionsRecord().DisplayedDecayTime, 0.05);
    PlaceButtons();
    BuildPalette();
}

TReverbLayout::TGraph TReverb::Graph() const
{
    return {GraphRect.left, GraphRect.top, GraphRect.right, GraphRect.bottom};
}

ReverbSettings TReverb::Options() const
{
    return Host.ReverbOptionsRecord();
}

void TReverb::StoreOptions(const ReverbSettings& options)
{
    Host.SetReverbView(options);
}

int TReverb::Message(const char* text, UINT type, const char* caption)
{
    return Host.MessageBox(text, caption, type);
}

void TReverb::EvSize(UINT sizeType, const TSize& size)
{
    TPlotBase::EvSize(sizeType, size);
}

void TReverb::UpdateLayout()
{
    TPlotBase::UpdateLayout();
    if (DisplayMode >= TReverbLayout::NoData && DisplayMode <= TReverbLayout::Surface) {
        const bool data = DisplayMode != TReverbLayout::NoData;
        BottomInset = DisplayMode == TReverbLayout::RtBars || DisplayMode == TReverbLayout::Surface ? 45 : 30;
        for (int i : DataButtons)
            if (Buttons[i]->GetHandle()) Buttons[i]->EnableWindow(data);
    }
    CalcPaneRects();
    HideScrollBar();
    SetPaneMode(1);
    if (!HWindow) return;
    PlaceButtons();
    FillSelectors();
    BuildPalette();
    Invalidate(true);
    NewData(0.0f);
    SetCaptionFromFile();
}

void TReverb::SetCaptionFromFile()
{
    if (FileName.empty()) SetCaption(Caption);
    else SetCaption((std::string(Caption) + " - " + FileName).c_str());
}

void TReverb::FillTimeCombo(float shown, double rounding)
{
    TimeCombo->ClearList();
    const int wanted = int(shown * 10 + rounding);
    int index = 0, selected = -1;
    for (int v : TReverbData::TimeSpans(Table.DecayLength)) {
        char text[32];
        std::snprintf(text, sizeof text, "%d.%d seconds", v / 10, v % 10);
        TimeCombo->AddString(text);
        TimeCombo->SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(v));
        if (v == wanted) selected = index;
        ++index;
    }
    if (selected >= 0) TimeCombo->SetSelIndex(selected);
}

void TReverb::SelectTimeSpan(float shown)
{
    const int wanted = int(shown * 10 + 0.01);
    for (int i = 0; i < TimeCombo->GetCount(); ++i)
        if (int(TimeCombo->SendMessage(CB_GETITEMDATA, WPARAM(i))) == wanted) TimeCombo->SetSelIndex(i);
}

void TReverb::FillSelectors()
{
    if (!TimeCombo->GetHandle()) return;
    if (Busy) {
        TimeCombo->Show(SW_HIDE);
        SelectorCombo->Show(SW_HIDE);
        return;
    }
    const ReverbSettings o = Options();
    FillTimeCombo(o.DisplayedDecayTime, 0.01);
    switch (DisplayMode) {
    case TReverbLayout::NoData:
        TimeCombo->Show(SW_HIDE);
        SelectorCombo->Show(SW_HIDE);
        break;
    case TReverbLayout::RtBars:
        SelectorCombo->ClearList();
        for (const char* name : RtNames)
            SelectorCombo->AddString(name);
        SelectorCombo->SetSelIndex(o.DisplayedRTTime);
        TimeCombo->Show(SW_SHOW);
        SelectorCombo->Show(SW_SHOW);
        break;
    case TReverbLayout::DecayCurve:
        SelectorCombo->ClearList();
        for (int e = 0; e < Table.BandCount && Table.RowCount > 0; ++e) {
            char text[32];
            if (e == Table.BandCount - 1) std::snprintf(text, sizeof text, "Wideband");
            else std::snprintf(text, sizeof text, "%d Hz", int(Table.Rows[0].Frequency[e]));
            SelectorCombo->AddString(text);
        }
        SelectorCombo->SetSelIndex(o.DisplayedDecayBand);
        TimeCombo->Show(SW_SHOW);
        SelectorCombo->Show(SW_SHOW);
        break;
    case TReverbLayout::Surface:
        TimeCombo->Show(SW_SHOW);
        SelectorCombo->Show(SW_HIDE);
        break;
    default:
        break;
    }
}

void TReverb::PlaceButtons()
{
    for (int i = StackedFirst; i < int(std::size(ButtonRows)); ++i) {
        if (!Buttons[i]->GetHandle()) continue;
        Buttons[i]->MoveWindow(GraphRect.right + 6, GraphRect.top + 4 + 28 * (i - StackedFirst), RightMargin - 12, 24,
                               true);
    }
}

int TReverb::QuerySave()
{
    if (!DataChanged || FromSegment) return 1;
    switch (Message("Reverberation Data has changed.  Do you want to save it?", MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        CmSave();
        return DataChanged ? 0 : 1;
    case IDNO:
        DataChanged = 0;
        FileName.clear();
        return 1;
    default:
        return 0;
    }
}

void TReverb::BuildPalette()
{
    Palette.reset();
    for (int i = 0; i < ColorCount; ++i)
        ColorMap[i] = RampColour(i);
    TScreenDC screen;
    if (!(screen.GetDeviceCaps(RASTERCAPS) & RC_PALETTE)) return;
    const int size = screen.GetDeviceCaps(SIZEPALETTE);
    const int reserved = screen.GetDeviceCaps(NUMRESERVED);
    if (size - reserved < ColorCount) return;
    std::vector<PALETTEENTRY> entries(static_cast<size_t>(size));
    ::GetSystemPaletteEntries(screen, 0, UINT(size), entries.data());
    for (int i = 0; i < ColorCount; ++i) {
        PALETTEENTRY& e = entries[size_t(reserved / 2 + i)];
        e.peRed = GetRValue(ColorMap[i]);
        e.peGreen = GetGValue(ColorMap[i]);
        e.peBlue = GetBValue(ColorMap[i]);
        e.peFlags = PC_RESERVED;
        ColorMap[i] = PALETTEINDEX(reserved / 2 + i);
    }
    Palette = std::make_unique<TPalette>(entries.data(), size);
}

void TReverb::BeginCursorDraw(TDC& dc)
{
    if (!Palette) return;
    dc.SelectObject(*Palette, false);
    dc.RealizePalette();
}

void TReverb::EndCursorDraw(TDC& dc)
{
    if (Palette) dc.RestorePalette();
}

bool TReverb::EvQueryNewPalette()
{
    if (!Palette) return false;
    TClientDC dc(HWindow);
    dc.SelectObject(*Palette, false);
    const bool changed = dc.RealizePalette() > 0;
    dc.RestorePalette();
    if (changed) Invalidate(false);
    return true;
}

void TReverb::EvPaletteChanged(HWND changer)
{
    if (changer != HWindow) EvQueryNewPalette();
}

void TReverb::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE) {
        if (QuerySave()) Host.CloseReverbWindow();
        return;
    }
    DefaultProcessing();
}

void TReverb::ShowMode(int32_t mode)
{
    if (DisplayMode == TReverbLayout::NoData) return;
    DisplayMode = mode;
    UpdateLayout();
}

void TReverb::EvSelectorChange(UINT code)
{
    if (code != CBN_SELCHANGE) return;
    const int i = SelectorCombo->GetSelIndex();
    if (i < 0) return;
    ReverbSettings o = Options();
    if (DisplayMode == TReverbLayout::RtBars) o.DisplayedRTTime = i;
    else if (DisplayMode == TReverbLayout::DecayCurve) o.DisplayedDecayBand = i;
    StoreOptions(o);
    UpdateLayout();
}

void TReverb::EvTimeChange(UINT code)
{
    if (code != CBN_SELCHANGE) return;
    const int i = TimeCombo->GetSelIndex();
    if (i < 0) return;
    ReverbSettings o = Options();
    o.DisplayedDecayTime = float(int(TimeCombo->SendMessage(CB_GETITEMDATA, WPARAM(i)))) * 0.1f;
    StoreOptions(o);
    UpdateLayout();
}
