// The time series view: construction, the bar's controls, layout, the
// visible range with its scroll bar, the data sources and new data.
#include "views/TSeriesPlot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "framework/LimitScroll.h"
#include "framework/TClientDC.h"
#include "framework/TComboBoxNonSort.h"
#include "framework/TEdit.h"
#include "framework/TFont.h"
#include "framework/TModule.h"
#include "framework/TScrollBar.h"
#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "views/TSeriesReader.h"
#include "views/TViewHost.h"

namespace {

// Each call on a child window is a round trip to the window system, and a
// button repaints at once on every state call: a layout, which sets most
// controls to what they already are, touches only those that change.
void ShowChild(TWindow& w, bool show)
{
    const bool shown = (::GetWindowLongA(w.GetHandle(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != show)
        w.Show(show ? SW_SHOW : SW_HIDE);
}

// Whether a child already stands at x, y, width by height in its parent;
// AnyHeight leaves the height out (a combo box's window is its closed height,
// whatever drop height it was placed with).
constexpr int AnyHeight = -1;
bool StandsAt(const TWindow& w, HWND parent, int x, int y, int width, int height)
{
    RECT r{};
    ::GetWindowRect(w.GetHandle(), &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r.left == x && r.top == y && r.right - r.left == width && (height == AnyHeight || r.bottom - r.top == height);
}

}  // namespace

void TSeriesPlot::SetButtonUp(ToolBtn& button, bool up)
{
    if (up && button.Grey)
        button.SetUp();
    else if (!up && !button.Grey)
        button.SetDown();
}

void TSeriesPlot::ClearHighlight(ToolBtn& button)
{
    if (button.Highlight)
        button.HighlightOff();
}

DEFINE_RESPONSE_TABLE1(TSeriesPlot, TSegmentPlot)
    EV_WM_SIZE
    EV_WM_LBUTTONDBLCLK
    EV_BN_CLICKED(TSeriesPlot::SelectId, CmSelect)
    EV_BN_CLICKED(TSeriesPlot::ZoomInId, CmZoomIn)
    EV_BN_CLICKED(TSeriesPlot::ZoomFullId, CmZoomFull)
    EV_BN_CLICKED(TSeriesPlot::AutoscaleId, CmAutoscale)
    EV_BN_CLICKED(TSeriesPlot::ZoomIn2xId, CmZoomIn2x)
    EV_BN_CLICKED(TSeriesPlot::ZoomOut2xId, CmZoomOut2x)
    EV_BN_CLICKED(TSeriesPlot::OptionsId, CmOptions)
    EV_EN_CHANGE(TSeriesPlot::PlotTopId, EvPlotTopChange)
    EV_CBN_SELCHANGE(TSeriesPlot::ChannelId, EvChannelChange)
    EV_EN_CHANGE(TSeriesPlot::OrderId, EvOrderChange)
    EV_COMMAND(TSeriesPlot::MenuCopyWave, CmCopyWave)
    EV_COMMAND(TSeriesPlot::MenuDtmf, CmDtmfAnalysis)
    EV_COMMAND(TSeriesPlot::MenuCopyText, CmCopyText)
    EV_COMMAND(TSeriesPlot::MenuProperties, CmOptions)
    EV_COMMAND(TSeriesPlot::MenuHelp, CmHelp)
    EV_COMMAND(TSeriesPlot::MenuAutoscale, CmAutoscale)
    EV_COMMAND(TSeriesPlot::MenuRt60, CmReverbSegment)
    EV_COMMAND(TSeriesPlot::MenuSpectrogram, CmSegmentSpectrogram)
    EV_COMMAND(TSeriesPlot::MenuSurface, CmSegmentSurface)
    EV_COMMAND(TSeriesPlot::MenuRmsLevel, CmRmsLevel)
    EV_COMMAND(TSeriesPlot::MenuCrestFactor, CmCrestFactor)
    EV_COMMAND(TSeriesPlot::MenuPsiTime, CmPsiTime)
    EV_COMMAND(TSeriesPlot::MenuEnvelope, CmEnvelope)
    EV_COMMAND(TSeriesPlot::MenuSchroeder, CmSchroeder)
    EV_COMMAND(TSeriesPlot::MenuCopyCursor, CopyCursorValues)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuCut, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuCopyWave, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuMute, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuFilter, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuPlay, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuAverageSpectrum, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuSpectrogram, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuSurface, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuRt60, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuDtmf, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuRmsLevel, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuPsiTime, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuCrestFactor, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuLeq, CeFileSelection)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuCopyText, CeCopyText)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuEnvelope, CeCopyText)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuSchroeder, CeCopyText)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuCopyBitmap, CeAlways)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuAutoscale, CeAlways)
    EV_COMMAND(TSeriesPlot::MenuViewData, CmViewData)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuViewData, CeDataView)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuProperties, CeAlways)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuHelp, CeAlways)
    EV_COMMAND_ENABLE(TSeriesPlot::MenuCopyCursor, CeAlways)
END_RESPONSE_TABLE;

namespace {

// The bar's layout: 28-pixel buttons at y 1, two pixels apart within a
// group and sixteen between groups.
constexpr int ButtonSize = 28;
constexpr int FieldWidth = 44;
constexpr int SpinWidth = 12;
constexpr int ChannelGap = 20;
constexpr int ChannelWidth = 140;
constexpr int ChannelDropHeight = 200;
constexpr int FieldTextLimit = 20;

const char* const ChannelNames[] = {"Left Channel",     "Right Channel",    "Both Left & Right",
                                    "Left minus Right", "Right minus Left", "Left plus Right",
                                    "Left vs Right (X/Y)", "Right vs Left (Y/X)"};

// A field's text as a number: the leading decimal number, 0 when none.
double FieldValue(const TEdit& edit)
{
    char text[FieldTextLimit + 1] = {};
    edit.GetText(text, sizeof text);
    return std::strtod(text, nullptr);
}

}  // namespace

TSeriesPlot::TSeriesPlot(TMDIClient& parent, TViewHost* host, const char* caption, const TRect& placement,
                         SeriesOpts* opts)
    : TSegmentPlot(parent, host, caption), Opts(opts)
{
    Attr.X = placement.left;
    Attr.Y = placement.top;
    Attr.W = placement.right - placement.left;
    Attr.H = placement.bottom - placement.top;
    // The bar's controls paint themselves: a full repaint of the view
    // leaves them out instead of painting them again.
    Attr.Style |= WS_CLIPCHILDREN;

    auto button = [this](int id, const char* up, const char* down, const char* grey, const char* tip) {
        return std::make_unique<ToolBtn>(this, id, up, down, grey, 0, 0, ButtonSize, ButtonSize, tip);
    };
    SelectButton = button(SelectId, "SelectUp", "SelectDn", "SelectGry", "Select a time segment for editing");
    PlayButton = button(PlaySelectionId, "SelectPlayUp", "SelectPlayDn", "SelectPlayGry",
                        "Play currently selected time segment");
    FilterButton = button(FilterSelectionId, "SelectFilterUp", "SelectFilterDn", "SelectFilterGry",
                          "Filter currently selected time segment");
    ZoomInButton = button(ZoomInId, "ZoomInUp", "ZoomInDn", "ZoomInGry", "Zoom in along time axis");
    ZoomFullButton = button(ZoomFullId, "ZoomFullUp", "ZoomFullDn", "ZoomFullGry", "Zoom out to show entire data set");
    ZoomIn2xButton = button(ZoomIn2xId, "Zoom2XInUp", "Zoom2XInDn", "Zoom2XInGry", "Zoom in by a factor of 2x");
    ZoomOut2xButton = button(ZoomOut2xId, "Zoom2XOutUp", "Zoom2XOutDn", "Zoom2XOutGry", "Zoom out by a factor of 2x");
    OptionsButton = button(OptionsId, "OptionsUp", "OptionsDn", nullptr, "Set additional time series display options");
    PlotTopEdit = std::make_unique<TEdit>(this, PlotTopId, "", 0, 0, FieldWidth, 20, FieldTextLimit);
    PlotTopSpin = std::make_unique<LimitScroll>(this, PlotTopSpinId, 0, 0, SpinWidth, 20, nullptr, PlotTopEdit.get(),
                                                400.0f, -400.0f, 5.0f);
    AutoscaleButton = button(AutoscaleId, "AutoScaleUp", "AutoScaleDn", "AutoGr", "Autoscale Time Series display");
    ChannelCombo = std::make_unique<TComboBoxNonSort>(this, ChannelId, 0, 0, ChannelWidth, ChannelDropHeight,
                                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                                                      40);
    OrderEdit = std::make_unique<TEdit>(this, OrderId, "", 0, 0, FieldWidth, 16, FieldTextLimit);
    OrderSpin = std::make_unique<LimitScroll>(this, OrderSpinId, 0, 0, SpinWidth, 16, nullptr, OrderEdit.get(), 100.0f,
                                              0.0f, 1.0f);

    ButtonBarHeight = 30;
    TopInset = ButtonBarHeight + 20;
    LeftMargin = 72;
    RightMargin = 30;
    PaneGap = 20;
    XReadoutSize.cx = 112;
    YReadoutSize.cx = 60;
    XFormat = 4;
    YFormat = 2;
    std::strcpy(XUnit, " sec");
}

TSeriesPlot::~TSeriesPlot() = default;

std::vector<ToolBtn*> TSeriesPlot::Buttons() const
{
    return {SelectButton.get(),   PlayButton.get(),      FilterButton.get(),  ZoomInButton.get(),    ZoomFullButton.get(),
            ZoomIn2xButton.get(), ZoomOut2xButton.get(), OptionsButton.get(), AutoscaleButton.get()};
}

void TSeriesPlot::GetWindowClass(WNDCLASSA& wc)
{
    TPlotBase::GetWindowClass(wc);
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(instance, "ICON_TSERIES");
}

void TSeriesPlot::SetupWindow()
{
    ControlGuard = 1;
    TPlotBase::SetupWindow();
    const TFont* font = MainWin->GetMainFont();
    for (TWindow* w : {static_cast<TWindow*>(PlotTopEdit.get()), static_cast<TWindow*>(ChannelCombo.get()),
                       static_cast<TWindow*>(OrderEdit.get())})
        if (font)
            w->SendMessage(WM_SETFONT, WPARAM(HFONT(*font)), FALSE);
    for (const char* name : ChannelNames)
        ChannelCombo->AddString(name);
    ChannelCombo->SetSelIndex(Opts->PlotChannel);
    WritePlotTop();
    AllocTraceBuffers();
    SetTimeRange(Opts->StartTime, Opts->StopTime);
    OrderEdit->Show(SW_HIDE);
    OrderSpin->Show(SW_HIDE);
    ControlGuard = 0;
}

void TSeriesPlot::EvSize(UINT sizeType, const TSize& size)
{
    TPlotBase::EvSize(sizeType, size);
    PlaceButtons();
}


void TSeriesPlot::UpdateBackgroundBrush()
{
    TPlotBase::UpdateBackgroundBrush();
    for (ToolBtn* b : Buttons())
        b->LoadBitmaps();
}

// ---- data source ------------------------------------------------------------------

uint32_t TSeriesPlot::Source() const
{
    return MainWin->GetSeriesSource();
}

bool TSeriesPlot::IsStereo() const
{
    return MainWin->GetAnalysisSettings().Format.NumChannels == 2;
}

bool TSeriesPlot::HasWave() const
{
    return MainWin->GetWaveData() != nullptr;
}

const CalibrationChannel* TSeriesPlot::CalibrationOf(uint16_t channel) const
{
    const CalibrationStruct& c = MainWin->GetCalibration();
    return channel ? &c.Right : &c.Left;
}

TSeriesReader TSeriesPlot::Reader(uint16_t channel) const
{
    const int rms = int(Opts->DisplayMaxMinRangeAsRMS);
    if (Source() == WaveSource)
        return TSeriesReader(MainWin->GetWaveData(), channel, rms);
    return TSeriesReader(MainWin->GetSeriesBlock(channel), channel, rms);
}

TSeriesReader TSeriesPlot::Clock() const
{
    if (Source() == WaveSource)
        return TSeriesReader(MainWin->GetWaveData(), 0, 0);
    return TSeriesReader(MainWin->GetSeriesBlock(0), 0, 0);
}

uint32_t TSeriesPlot::GetDataLength() const
{
    const TSeriesData* left = MainWin->GetSeriesBlock(0);
    if (!left)
        return 0;
    uint64_t length = 0;
    switch (Source()) {
    case WaveSource:
        if (const TWaveData* wave = MainWin->GetWaveData())
            length = wave->GetHighWaterMark();
        break;
    case BlockSource: length = left->GetDecimatedLength(); break;
    case StripChartSource:
        length = uint64_t(MainWin->GetRealTimeBufferSeconds()) * MainWin->GetAnalysisSettings().Format.SamplingRate;
        break;
    default: break;
    }
    return length > 0 ? uint32_t(std::min<uint64_t>(length - 1, UINT32_MAX)) : 0;
}

float TSeriesPlot::FrameToTime(uint32_t frame) const
{
    return Source() <= StripChartSource ? Clock().FrameToTime(frame) : 0.0f;
}

uint32_t TSeriesPlot::TimeToFrame(float seconds) const
{
    return Source() <= StripChartSource ? Clock().TimeToFrame(seconds) : 0;
}

float TSeriesPlot::StartOfRange() const
{
    return FrameToTime(uint32_t(Range.First));
}

float TSeriesPlot::EndOfRange() const
{
    return FrameToTime(uint32_t(Range.Last));
}

void TSeriesPlot::SyncScale()
{
    Scale.AmpScaleType = Opts->AmpScaleType;
    Scale.PlotTop = Opts->PlotTop;
    Scale.PlotRange = Opts->PlotRange;
    Scale.DdeLink = MainWin->GetDdeSeriesLink() == 1;
    Scale.TimeLabelSpacing = Device().TimeLabelSpacing;
    Scale.AmplitudeLabelSpacing = Device().AmplitudeLabelSpacing;
    Scale.Calibration[0] = CalibrationOf(0);
    Scale.Calibration[1] = CalibrationOf(1);
}

// ---- the bar ----------------------------------------------------------------------

void TSeriesPlot::WritePlotTop()
{
    char text[64];
    std::snprintf(text, sizeof text, Opts->AmpScaleType == TSeriesScale::DecibelAxis ? "%3.1f" : "%3.3f",
                  double(Opts->PlotTop));
    ControlGuard = 1;
    PlotTopEdit->SetText(text);
    ControlGuard = 0;
}

void TSeriesPlot::PlaceButtons()
{
    if (!Opts->ShowToolbar || !HWindow)
        return;
    const std::pair<ToolBtn*, int> places[] = {
        {SelectButton.get(), 2},     {PlayButton.get(), 32},       {FilterButton.get(), 62},
        {ZoomInButton.get(), 106},   {ZoomIn2xButton.get(), 136},  {ZoomOut2xButton.get(), 166},
        {ZoomFullButton.get(), 196}, {OptionsButton.get(), 240},   {AutoscaleButton.get(), 277}};
    for (const auto& [b, x] : places) {
        if (StandsAt(*b, HWindow, x, 1, ButtonSize, ButtonSize))
            continue;
        b->MoveWindow(x, 1, ButtonSize, ButtonSize, false);
        b->Invalidate(true);
        b->UpdateWindow();
    }
    const int y = ButtonBarHeight / 2 - 10;
    if (Font)
        BarFields.Place(277 + ButtonSize + 9, y,
                        {{IDS_PLOT_TOP_LABEL_TEXT, PlotTopEdit.get(), {"-400.000", "-400.0"}, PlotTopSpin.get()}}, *Font);
    // Moving a combo box costs milliseconds even to where it stands: only when it moves.
    const int comboX = BarFields.Right() + ChannelGap;
    if (!StandsAt(*ChannelCombo, HWindow, comboX, y, ChannelWidth, AnyHeight))
        ChannelCombo->MoveWindow(comboX, y, ChannelWidth, ChannelDropHeight, true);
    EndSelectMode();
    PlaceOrderField();
    RECT client;
    ::GetClientRect(HWindow, &client);
    InvalidateRect(TRect(0, 0, client.right, ButtonBarHeight), true);
}

void TSeriesPlot::PlaceOrderField()
{
    const int x = GraphRect.Width() / 2 + 54;
    const int width = OrderEdit->FittingWidth({"99999.999"}, FieldWidth);
    const int y = ButtonBarHeight + 2;
    if (!StandsAt(*OrderEdit, HWindow, x, y, width, 16))
        OrderEdit->MoveWindow(x, y, width, 16, true);
    if (!StandsAt(*OrderSpin, HWindow, x + width + 2, y, SpinWidth, 16))
        OrderSpin->MoveWindow(x + width + 2, y, SpinWidth, 16, true);
}

// Zoom-in and Select latch the bar into a mouse mode; a layout ends it.
void TSeriesPlot::EndSelectMode()
{
    if (ZoomInButton->Highlight || SelectButton->Highlight) {
        ClearHighlight(*ZoomInButton);
        ClearHighlight(*SelectButton);
        SelectMode = 0;
    }
}

void TSeriesPlot::HideButtons()
{
    Opts->ShowToolbar = 0;
    ButtonBarHeight = 0;
    TopInset = ButtonBarHeight + 20;
    for (ToolBtn* b : Buttons())
        ShowChild(*b, false);
    ShowChild(*PlotTopEdit, false);
    ShowChild(*PlotTopSpin, false);
    ShowChild(*ChannelCombo, false);
}

void TSeriesPlot::ShowButtons()
{
    Opts->ShowToolbar = 1;
    ButtonBarHeight = 30;
    TopInset = ButtonBarHeight + 20;
    for (ToolBtn* b : Buttons())
        ShowChild(*b, true);
    ShowChild(*PlotTopEdit, true);
    ShowChild(*PlotTopSpin, true);
    ShowChild(*ChannelCombo, true);
    PlaceButtons();
}

// ---- layout -----------------------------------------------------------------------

void TSeriesPlot::UpdateLayout()
{
    if (!HWindow)
        return;
    if (Opts->ShowToolbar == 1)
        ShowButtons();
    else
        HideButtons();
    XFormat = MainWin->GetAnalysisSettings().Format.SamplingRate <= 48000 ? 4 : 6;

    ControlGuard = 1;
    if (!IsStereo()) {
        SetPaneMode(1);
        Opts->PlotChannel = LeftChannel;
        ChannelCombo->SetSelIndex(0);
        ChannelCombo->EnableWindow(false);
    } else {
        ChannelCombo->EnableWindow(true);
        ChannelCombo->SetSelIndex(Opts->PlotChannel);
        SetPaneMode(Opts->PlotChannel == BothChannels ? 2 : 1);
    }
    ControlGuard = 0;
    if (float(FieldValue(*PlotTopEdit)) != Opts->PlotTop)
        WritePlotTop();
    EndSelectMode();

    std::strcpy(XUnit, Source() == BlockSource ? " msec" : " sec");
    if (IsXY()) {
        std::strcpy(XUnit, " ");
        if (Opts->AmpScaleType == TSeriesScale::DecibelAxis)
            Opts->AmpScaleType = TSeriesScale::LinearAxis;
    }
    if (MainWin->GetDdeSeriesLink() == 1) {
        ShowChild(*OrderEdit, true);
        ShowChild(*OrderSpin, true);
        char text[64];
        std::snprintf(text, sizeof text, "%6.3f", double(Opts->OrderNumber));
        ControlGuard = 1;
        OrderEdit->SetText(text);
        ControlGuard = 0;
        if (const TSpectralData* spectrum = MainWin->GetLeftSpectrum()) {
            OrderSpin->SetStep(spectrum->GetBinWidth());
            OrderSpin->SetRange(spectrum->GetHighFrequency(), spectrum->GetLowFrequency());
        }
        OrderSpin->SetPrecision(3);
    } else {
        ShowChild(*OrderEdit, false);
        ShowChild(*OrderSpin, false);
    }

    TPlotBase::UpdateLayout();
    PlaceOrderField();
    // Selections are of the wave data, taken while nothing runs.
    ClearHighlight(*SelectButton);
    SetButtonUp(*SelectButton, HasWave() && MainWin->GetRunState() == TViewHost::Stopped);

    LoadLogo();
    AllocTraceBuffers();
    // The whole view is painted below: the traces are built, not drawn twice.
    if (!::IsIconic(HWindow))
        BuildTraces();
    ClearSelection();
    // Everything is drawn afresh, the position line at the current position.
    DrawnPosition = NoPosition;
    Invalidate(true);
    UpdateWindow();
}

void TSeriesPlot::UpdateSelectButton()
{
    if (!HasWave())
        return;
    SelectButton->HighlightOff();
    SelectButton->SetUp();
}

// ---- visible range ----------------------------------------------------------------

void TSeriesPlot::FitRange()
{
    const int64_t length = GetDataLength();
    Range.Fit(length, TimeToFrame(Opts->MaxZoomOutTime));
    // X/Y plots show the whole analysis block; the strip chart its whole buffer.
    if (IsXY()) {
        const TSeriesData* left = MainWin->GetSeriesBlock(0);
        Range.First = 0;
        Range.Last = left ? left->GetDecimatedLength() : 0;
    } else if (Source() == StripChartSource) {
        Range.First = 0;
        Range.Last = length;
    }
}

void TSeriesPlot::ResetVisibleRange()
{
    FitRange();
    const int64_t length = GetDataLength();
    if (IsXY() || Source() == StripChartSource) {
        for (ToolBtn* b : {ZoomInButton.get(), ZoomFullButton.get(), ZoomIn2xButton.get(), ZoomOut2xButton.get(),
                           SelectButton.get()})
            SetButtonUp(*b, false);
        HideScrollBar();
    } else if (Range.ShowsAll(length)) {
        HideScrollBar();
        SetButtonUp(*ZoomInButton, true);
        SetButtonUp(*ZoomIn2xButton, true);
    } else {
        ShowScrollBar();
        if (ScrollBar && ScrollBar->GetHandle())
            ScrollBar->SetPosition(Source() == BlockSource ? int(std::min<int64_t>(Range.First, INT32_MAX))
                                                           : Range.ThumbPosition(length));
        for (ToolBtn* b : {ZoomInButton.get(), ZoomIn2xButton.get(), ZoomOut2xButton.get(), ZoomFullButton.get()})
            SetButtonUp(*b, true);
    }
    BuildColumnTable();
    BuildTimeTicks();
    BuildAmplitudeTicks();
    Opts->StartTime = PixelToTime(GraphRect.left);
    Opts->StopTime = PixelToTime(GraphRect.right);
}

void TSeriesPlot::ResetScrollRange()
{
    // The analysis blocks scroll by frames; the wave by steps of the thumb's
    // scale, whatever its length. A visible bar repaints at every change of
    // range, so the base sets the final one at once.
    ScrollRange = Source() == BlockSource ? int(std::min<int64_t>(Range.ScrollLimit(GetDataLength()), INT32_MAX))
                                          : TSeriesRange::ThumbScale;
}

void TSeriesPlot::PlaceScrollBar()
{
    TPlotBase::PlaceScrollBar();
    if (!ScrollBar)
        return;
    // The analysis blocks scroll by frames: a page is half the width.
    if (Source() == BlockSource) {
        ScrollBar->PageMagnitude = int(std::min<int64_t>(Range.Width() / 2, INT32_MAX));
        return;
    }
    const int64_t length = GetDataLength();
    if (length > 0) {
        ScrollBar->LineMagnitude = 1;
        ScrollBar->PageMagnitude = Range.PageStep(length);
    }
}

void TSeriesPlot::ScrollNotify(UINT code)
{
    ClearSelection();
    if (code > SB_THUMBPOSITION || !ScrollBar)
        return;
    const int64_t length = GetDataLength();
    if (Source() == BlockSource) {
        const int64_t width = Range.Width();
        Range.First = ScrollBar->GetPosition();
        Range.Last = Range.First + width;
        Range.KeepInside(length);
    } else if (Source() <= StripChartSource) {
        Range.Scroll(int(code), ScrollBar->GetPosition(), length);
    }
    UpdateLayout();
}

void TSeriesPlot::SetTimeRange(float start, float end)
{
    if (!(start < end))
        return;
    const TSeriesReader clock = Clock();
    if (!clock.HasData())
        return;
    const int64_t length = GetDataLength();
    Range.First = clock.TimeToFrame(start);
    Range.Last = clock.TimeToFrame(end);
    if (Range.First > length)
        Range.First = 0;
    if (Range.Last > length)
        Range.Last = length;
}

void TSeriesPlot::SaveTimeRange()
{
    SavedRange = Range;
}

void TSeriesPlot::RestoreTimeRange()
{
    ClearSelection();
    Range = SavedRange;
}

// ---- new data ---------------------------------------------------------------------

void TSeriesPlot::NewData(float time)
{
    RefreshDataView();
    if (Opts->IntervalFlag && time > 0.0f) {
        if (time < LastUpdateTime + Opts->IntervalSecs) {
            // A restarted run begins below the last accepted time.
            if (time < LastUpdateTime)
                LastUpdateTime = 0.0f;
            return;
        }
        LastUpdateTime = time;
    }
    if (PointCapacity == 0 || !HWindow || ::IsIconic(HWindow))
        return;
    TClientDC dc(HWindow);
    UpdateTraces(dc);
}
