#include "views/TSpectrumPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/TChannelProcessing.h"
#include "engine/TSpectralData.h"
#include "framework/LimitScroll.h"
#include "framework/TButton.h"
#include "framework/TCheckBox.h"
#include "framework/TClientDC.h"
#include "framework/TDC.h"
#include "framework/TEdit.h"
#include "framework/TFont.h"
#include "framework/TModule.h"
#include "framework/ToolBtn.h"
#include "resources/StringIds.h"
#include "views/TOverlayData.h"
#include "views/TSpectralSource.h"
#include "views/TViewHost.h"

DEFINE_RESPONSE_TABLE1(TSpectrumPlot, TFrequencyPlot)
    EV_WM_SIZE
    EV_WM_LBUTTONDBLCLK
    EV_COMMAND(OptionsId, CmOptions)
    EV_COMMAND(LineId, CmLineGraph)
    EV_COMMAND(BarId, CmBarGraph)
    EV_COMMAND(StepBarId, CmStepBarGraph)
    EV_COMMAND(AutoScaleId, Autoscale)
    EV_EN_CHANGE(PlotTopId, PlotTopChanged)
    EV_EN_CHANGE(PlotRangeId, PlotRangeChanged)
    EV_EN_CHANGE(RpmId, RpmChanged)
    EV_COMMAND_RANGE(SlotButtonId, SlotButtonId + CompositeSlot, CmSlotButton)
    EV_COMMAND_RANGE(SlotButton2Id, SlotButton2Id + CompositeSlot, CmSlotButton)
    EV_COMMAND_RANGE(SlotCheckId, SlotCheckId + SlotCount - 1, CmSlotCheck)
    EV_COMMAND_RANGE(SlotCheck2Id, SlotCheck2Id + SlotCount - 1, CmSlotCheck)
    EV_COMMAND(OverlayOptionsId, CmOverlayOptions)
    EV_COMMAND(OverlayOptions2Id, CmOverlayOptions2)
    EV_COMMAND(PowerMeterToggleId, CmTogglePowerMeter)
    EV_COMMAND(OverlayToggleId, CmToggleOverlayControls)
    EV_COMMAND(MenuCopyText, CmCopyText)
    EV_COMMAND(MenuWriteText, SaveAsText)
    EV_COMMAND(MenuSaveBitmap, SaveAsBitmap)
    EV_COMMAND(MenuClearSpectrum, CmClearSpectrum)
    EV_COMMAND(MenuClearPeakHold, ClearPeakHold)
    EV_COMMAND(MenuAutoscale, Autoscale)
    EV_COMMAND(MenuMarkerOptions, CmMarkerOptions)
    EV_COMMAND(MenuInverseFFT, CmInverseFFT)
    EV_COMMAND(MenuCepstrum, CmCepstrum)
    EV_COMMAND(MenuBandwidth, CmBandwidth)
    EV_COMMAND_RANGE(MenuSmoothFirst, MenuSmoothLast, CmSmooth)
    EV_COMMAND_RANGE(MenuSetMarker1, MenuSetMarker6, CmSetMarker)
    EV_COMMAND_RANGE(MenuSetMarker7, MenuSetMarker8, CmSetMarker)
    EV_COMMAND_RANGE(MenuClearMarker1, MenuClearAllMarkers, CmClearMarker)
    EV_COMMAND_ENABLE_RANGE(MenuClearMarker1, MenuClearAllMarkers, CeClearMarker)
    EV_COMMAND(MenuProperties, CmOptions)
    EV_COMMAND(MenuHelp, CmHelp)
    EV_COMMAND(MenuViewData, CmViewData)
END_RESPONSE_TABLE;

namespace {

constexpr int MeterGap = 10;
constexpr int MeterWidth = 20;
// The meter's room right of the pane at the least.
constexpr int LeastMeterRoom = 70;
// Meter tick labels start clear of their 3-pixel ticks, so that a minus sign
// does not read as part of the tick.
constexpr int MeterLabelOffset = 9;

const char* const WeightingNames[] = {"Pwr", "Pwr A", "Pwr B", "Pwr C"};

}  // namespace

TSpectrumPlot::TSpectrumPlot(TMDIClient& parent, TViewHost* mainWin, const char* caption, const TRect& placement,
                             ScalingStruct scaling, SpectrumOpts* opts, TSpectralData* data, TSpectralData* data2,
                             int channel)
    : TFrequencyPlot(parent, mainWin, caption, opts->StartFreq, opts->StopFreq), Scaling(scaling), Opts(opts), Data(data), Data2(data2),
      Channel(channel)
{
    Attr.X = placement.left;
    Attr.Y = placement.top;
    Attr.W = placement.right;
    Attr.H = placement.bottom;

    auto tool = [this](int id, const char* up, const char* down, const char* grey, const char* tip) {
        return std::make_unique<ToolBtn>(this, id, up, down, grey, 0, 0, 28, 28, tip);
    };
    LineButton = tool(471, "GraphLineUp", "GraphLineDn", nullptr, "Display spectrum as line graph");
    BarButton = tool(472, "GraphBarUp", "GraphBarDn", nullptr, "Display spectrum as bar graph");
    StepBarButton = tool(473, "GraphStepBarUp", "GraphStepBarDn", nullptr, "Display spectrum as stepped bar graph");
    OptionsButton = tool(420, "OptionsUp", "OptionsDn", nullptr, "Set additional spectrum display options");
    PlotTopEdit = std::make_unique<TEdit>(this, 450, "", 0, 0, TBarFields::LeastEditWidth, TBarFields::Height, 20);
    PlotRangeEdit = std::make_unique<TEdit>(this, 452, "", 0, 0, TBarFields::LeastEditWidth, TBarFields::Height, 20);
    AutoScaleButton = tool(480, "AutoScaleUp", "AutoScaleDn", "AutoGr", "Autoscale current spectrum");
    PowerMeterToggle = std::make_unique<TButton>(this, 1410, "-", 0, 0, 10, 10);
    OverlayToggle = std::make_unique<TButton>(this, 1411, "-", 0, 0, 10, 10);
    RpmEdit = std::make_unique<TEdit>(this, 490, "", 0, 0, 44, 16, 20);
    PlotTopSpin = std::make_unique<LimitScroll>(this, PlotTopSpinId, 0, 0, 12, 20, nullptr, PlotTopEdit.get(), 300.0f,
                                                -300.0f, 5.0f);
    PlotRangeSpin = std::make_unique<LimitScroll>(this, PlotRangeSpinId, 0, 0, 12, 20, nullptr, PlotRangeEdit.get(),
                                                  200.0f, -200.0f, 5.0f);
    RpmSpin = std::make_unique<LimitScroll>(this, RpmSpinId, 0, 0, 12, 16, nullptr, RpmEdit.get(), 10000.0f, 0.0f,
                                            1.0f);
    for (int n = 0; n < SlotCount; ++n) {
        char label[8];
        std::snprintf(label, sizeof label, n == SlotCount - 1 ? "C" : "%d", n + 1);
        SlotButton[n] = std::make_unique<TButton>(this, 1201 + n, label, 0, 0, 14, 14);
        SlotCheck[n] = std::make_unique<TCheckBox>(this, 1221 + n, "", 0, 0, 14, 14);
        SlotButton2[n] = std::make_unique<TButton>(this, 1211 + n, label, 0, 0, 14, 14);
        SlotCheck2[n] = std::make_unique<TCheckBox>(this, 1231 + n, "", 0, 0, 14, 14);
    }
    OverlayOptionsButton = std::make_unique<TButton>(this, 1400, "Options...", 0, 0, 64, 18);
    OverlayOptionsButton2 = std::make_unique<TButton>(this, 1401, "Options...", 0, 0, 64, 18);

    ButtonBarHeight = 30;
    TopInset = 50;
    LeftMargin = 60;
    RightMargin = 40;
    PaneGap = 20;
    XReadoutSize.cx = 90;
    YReadoutSize.cx = 58;
    XFormat = 4;
    YFormat = 2;
    std::strcpy(XUnit, " Hz");
    if (Opts->ShowOverlayControls)
        RightMargin += Opts->OverlayLegendSize * 8;
    if (Opts->ShowPowerMeter)
        RightMargin += MeterRoom();
}

TSpectrumPlot::~TSpectrumPlot() = default;

bool TSpectrumPlot::PeakHoldOn() const
{
    return MainWin && MainWin->GetAnalysisSettings().PeakHold != 0;
}

void TSpectrumPlot::GetWindowClass(WNDCLASSA& wc)
{
    TPlotBase::GetWindowClass(wc);
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(instance, "ICON_SPECTRUM");
}

void TSpectrumPlot::SyncScale()
{
    Scale.AmpScaleType = Scaling.AmpScaleType;
    Scale.FreqScaleType = Scaling.FreqScaleType;
    Scale.PlotType = Opts->PlotType;
    Scale.PlotTop = Opts->PlotTop;
    Scale.PlotRange = Opts->PlotRange;
    Scale.StartFreq = Opts->StartFreq;
    Scale.StopFreq = Opts->StopFreq;
    Scale.LabelSpacing = Device().FrequencyLabelSpacing;
    Scale.MeasuresLabels = Device().MeasuresLabels;
    // Labels are spaced by their real size in the view's font, whatever font
    // the system substitutes for it.
    Scale.TextHeight = FontHeight;
    Scale.TextWidth = [this](const char* text) { return TextWidth(text); };
    Scale.XLabelLimit = Opts->ShowPowerMeter ? GraphRect.Width() + MeterGap - TSpectrumScale::LabelGap : 0;
    Scale.CepstrumFactor = 1.0f;
    if (CepstrumAxis && MainWin) {
        const double rate = MainWin->GetAnalysisSettings().Format.SamplingRate;
        if (rate > 0)
            Scale.CepstrumFactor = float(MainWin->GetAnalysisSettings().FFTsize * 1000.0 / rate / rate);
    }
}

void TSpectrumPlot::WriteAmplitudeFields()
{
    char text[40];
    if (Scaling.AmpScaleType == DisplaySettingsStruct::LinearAmplitude) {
        std::snprintf(text, sizeof text, "%3.3f", Opts->PlotTop);
        PlotTopEdit->SetText(text);
        PlotRangeEdit->SetText("N/A");
        PlotRangeEdit->EnableWindow(false);
        PlotRangeSpin->EnableWindow(false);
    } else {
        std::snprintf(text, sizeof text, "%3.2f", Opts->PlotTop);
        PlotTopEdit->SetText(text);
        std::snprintf(text, sizeof text, "%3.1f", Opts->PlotRange);
        PlotRangeEdit->SetText(text);
        PlotRangeEdit->EnableWindow(true);
        PlotRangeSpin->EnableWindow(true);
    }
}

void TSpectrumPlot::HighlightPlotType()
{
    ToolBtn* buttons[] = {LineButton.get(), BarButton.get(), StepBarButton.get()};
    for (int i = 0; i < 3; ++i)
        buttons[i]->SetHighlight(Opts->PlotType == i ? 1 : 0);
}

void TSpectrumPlot::SetCaptionFromData()
{
    if (!Data)
        return;
    SetCaptionFor("Spectrum", Data);
}

void TSpectrumPlot::SetupWindow()
{
    Updating = 1;
    LayoutBusy = 0;
    TPlotBase::SetupWindow();
    const TFont* font = MainWin->GetMainFont();
    auto setFont = [&](const auto& w) {
        if (font && w && w->GetHandle())
            w->SendMessage(WM_SETFONT, WPARAM(HFONT(*font)), TRUE);
    };
    setFont(PlotTopEdit);
    setFont(PlotRangeEdit);
    setFont(OverlayOptionsButton);
    setFont(OverlayOptionsButton2);
    setFont(PowerMeterToggle);
    setFont(OverlayToggle);
    setFont(RpmEdit);
    for (int n = 0; n < SlotCount; ++n) {
        setFont(SlotButton[n]);
        setFont(SlotButton2[n]);
    }
    WriteAmplitudeFields();
    AllocTraceBuffers();
    SetFrequencyRange(Opts->StartFreq, Opts->StopFreq);
    HighlightPlotType();
    for (int n = 0; n < SlotCount; ++n) {
        SlotCheck[n]->SendMessage(BM_SETCHECK, Opts->Show1[n] ? BST_CHECKED : BST_UNCHECKED);
        SlotCheck2[n]->SendMessage(BM_SETCHECK, Opts->Show2[n] ? BST_CHECKED : BST_UNCHECKED);
    }
    RpmEdit->Show(SW_HIDE);
    RpmSpin->Show(SW_HIDE);
    SetCaptionFromData();
    Updating = 0;
    LoadOverlays();
}

void TSpectrumPlot::EvSize(UINT sizeType, const TSize& size)
{
    TPlotBase::EvSize(sizeType, size);
    PlaceToolbar();
    PlaceOverlayControls();
}


void TSpectrumPlot::PlaceToolbar()
{
    if (!Opts->ShowToolbar || !HWindow)
        return;
    const struct {
        ToolBtn* Button;
        int X;
    } places[] = {{ZoomInButton.get(), 2},   {Zoom2XInButton.get(), 32}, {Zoom2XOutButton.get(), 62},
                  {ZoomFullButton.get(), 92}, {LineButton.get(), 129},  {StepBarButton.get(), 159},
                  {BarButton.get(), 189},     {OptionsButton.get(), 226}, {AutoScaleButton.get(), 263}};
    for (const auto& p : places) {
        p.Button->MoveWindow(p.X, 1, 28, 28, false);
        p.Button->Invalidate(true);
        p.Button->UpdateWindow();
    }
    if (Font)
        BarFields.Place(263 + 28 + 9, ButtonBarHeight / 2 - 10,
                        {{IDS_PLOT_TOP_LABEL_TEXT, PlotTopEdit.get(), {"-300.00", "100.000"}, PlotTopSpin.get()},
                         {IDS_PLOT_RANGE_LABEL_TEXT, PlotRangeEdit.get(), {"300.0"}, PlotRangeSpin.get()}},
                        *Font);
    if (ZoomInButton->Highlight) {
        ZoomInButton->HighlightOff();
        SelectMode = 0;
    }
    const int rpmX = GraphRect.Width() / 2 + 54;
    const int rpmWidth = RpmEdit->FittingWidth({"99999.999"}, TBarFields::LeastEditWidth);
    RpmEdit->MoveWindow(rpmX, ButtonBarHeight + 2, rpmWidth, 16, true);
    RpmSpin->MoveWindow(rpmX + rpmWidth + 2, ButtonBarHeight + 2, 12, 16, true);
    RECT client;
    ::GetClientRect(HWindow, &client);
    InvalidateRect(TRect(0, 0, client.right, ButtonBarHeight), true);
}

void TSpectrumPlot::PlaceOverlayControls()
{
    if (!HWindow)
        return;
    const int lowerShow = Opts->ShowOverlayControls && PaneMode == 2 ? SW_SHOW : SW_HIDE;
    const int upperShow = Opts->ShowOverlayControls ? SW_SHOW : SW_HIDE;
    for (int n = 0; n < SlotCount; ++n) {
        SlotButton[n]->Show(upperShow);
        SlotCheck[n]->Show(upperShow);
        SlotButton2[n]->Show(lowerShow);
        SlotCheck2[n]->Show(lowerShow);
    }
    OverlayOptionsButton->Show(upperShow);
    OverlayOptionsButton2->Show(lowerShow);
    // A page lists the overlays beside where the check boxes stand, shown or not.
    if (!Opts->ShowOverlayControls && Device().WindowParts)
        return;
    const int meter = Opts->ShowPowerMeter ? MeterRoom() : 0;
    const int x = PaneRect1.right + 8 + meter;
    auto place = [&](const std::unique_ptr<TButton>* buttons, const std::unique_ptr<TCheckBox>* checks,
                     TButton& options, int top) {
        int row = top + 22;
        for (int n = 0; n < SlotCount; ++n, row += 16) {
            buttons[n]->MoveWindow(x - 1, row - 1, 14, 14, true);
            checks[n]->MoveWindow(x + 16, row, 14, 14, true);
        }
        options.MoveWindow(GraphRect.right + 4 + meter, row, 64, 18, true);
    };
    place(SlotButton, SlotCheck, *OverlayOptionsButton, PaneRect1.top);
    if (PaneMode == 2)
        place(SlotButton2, SlotCheck2, *OverlayOptionsButton2, PaneRect2.top);
}

void TSpectrumPlot::ShowButtonBar(int show)
{
    for (TWindow* w : std::initializer_list<TWindow*>{
             ZoomInButton.get(), ZoomFullButton.get(), Zoom2XInButton.get(), Zoom2XOutButton.get(), LineButton.get(),
             BarButton.get(), StepBarButton.get(), OptionsButton.get(), PlotTopEdit.get(), PlotRangeEdit.get(),
             PlotTopSpin.get(), PlotRangeSpin.get(), AutoScaleButton.get()})
        w->Show(show);
}

void TSpectrumPlot::ShowButtons()
{
    Opts->ShowToolbar = 1;
    ShowButtonBar(SW_SHOW);
    ButtonBarHeight = 30;
    TopInset = 50;
    PlaceToolbar();
}

void TSpectrumPlot::HideButtons()
{
    Opts->ShowToolbar = 0;
    ShowButtonBar(SW_HIDE);
    ButtonBarHeight = 0;
    TopInset = 20;
}

void TSpectrumPlot::SetFrequencyRange(float start, float stop)
{
    if (Data) {
        // Within what the data can show; an empty range shows all of it.
        start = std::max(start, Data->GetLowFrequency());
        stop = std::min(stop, Data->GetHighFrequency());
        if (stop <= start) {
            start = Data->GetLowFrequency();
            stop = Data->GetHighFrequency();
        }
        VisibleStart = Data->GetIndex(start);
        VisibleEnd = Data->GetIndex(stop);
    }
    Opts->StartFreq = start;
    Opts->StopFreq = stop;
    UpdateLayout();
}

void TSpectrumPlot::ResetVisibleRange()
{
    if (!Data)
        return;
    ShowVisibleRange();
    BuildColumnMap();
    BuildXLabels();
    BuildYLabels();
    BuildCoherenceLabels();
}

void TSpectrumPlot::UpdateBackgroundBrush()
{
    TPlotBase::UpdateBackgroundBrush();
    for (ToolBtn* b : {ZoomInButton.get(), ZoomFullButton.get(), Zoom2XInButton.get(), Zoom2XOutButton.get(),
                       LineButton.get(), BarButton.get(), StepBarButton.get(), OptionsButton.get(),
                       AutoScaleButton.get()})
        b->LoadBitmaps();
    Invalidate(true);
}

void TSpectrumPlot::PreparePrintLayout(TDC& dc, TPrintOptions options)
{
    const int px = dc.GetDeviceCaps(LOGPIXELSX);
    const int py = dc.GetDeviceCaps(LOGPIXELSY);
    // Room inside the margins for the header box and titles above, the
    // amplitude labels to the left, the meter and legend to the right and
    // the frequency labels below.
    const TRect page = TPlotDevice::PageArea(dc, options);
    GraphRect = TRect(page.left + int(px * 0.75), page.top + int(py * 1.2), page.right - int(px * 1.5),
                      page.bottom - int(py * 0.5));
    PaneRect1 = GraphRect;
    PaneRect2 = GraphRect;
    if (PaneMode == 2) {
        PaneRect1.bottom -= GraphRect.Height() / 2 + py / 2;
        PaneRect2.top = PaneRect2.bottom - PaneRect1.Height();
    }
    PlaceScrollBar();
    ResetVisibleRange();
    AllocTraceBuffers();
    LoadOverlays();
    UpdateCurves(dc);
}

void TSpectrumPlot::UpdateLayout()
{
    if (!HWindow)
        return;
    LayoutBusy = 1;
    if (Opts->ShowToolbar == 1)
        ShowButtons();
    else
        HideButtons();
    PaneGap = 20;
    RightMargin = 40 + (Opts->ShowOverlayControls ? LegendTextRoom() : 0) + (Opts->ShowPowerMeter ? MeterRoom() : 0);
    BottomInset = AxisRoom();
    const AnalysisSettingsStruct& settings = MainWin->GetAnalysisSettings();
    const TChannelProcessing::Row& processing = TChannelProcessing::Of(settings.ChannelProcessing);
    const bool stereo = settings.Format.NumChannels == 2;
    int mode = stereo ? processing.Panes : 1;
    if (settings.IndependentScalingAndCalibration == 1)
        mode = 1;
    PaneMode = mode;
    Updating = 1;
    WriteAmplitudeFields();
    HighlightPlotType();
    const bool coherence = processing.CoherenceIn == TChannelProcessing::CoherencePane::Whole;
    PlotTopEdit->EnableWindow(!coherence);
    PlotTopSpin->EnableWindow(!coherence);
    if (coherence) {
        PlotRangeEdit->EnableWindow(false);
        PlotRangeSpin->EnableWindow(false);
    }
    if (MainWin->GetRpmLinkFlag() != 1) {
        RpmEdit->Show(SW_HIDE);
        RpmSpin->Show(SW_HIDE);
    } else {
        char text[40];
        std::snprintf(text, sizeof text, "%6.3f", Opts->rpm);
        RpmEdit->SetText(text);
        RpmEdit->Show(SW_SHOW);
        RpmSpin->Show(SW_SHOW);
        float start = 0.0f, step = 0.0f;
        int32_t count = 0;
        MainWin->GetRpmTable(start, step, count);
        RpmSpin->SetStep(step);
        RpmSpin->SetPrecision(3);
        RpmSpin->SetRange(start + float(count) * step, start);
    }
    Updating = 0;
    SyncScale();
    TPlotBase::UpdateLayout();
    DrawnTick = 0;
    // The bar's fields and the overlay slots follow the panes, so that the
    // legend, drawn beside its slots, never lands where another layout put them.
    PlaceToolbar();
    PlaceOverlayControls();
    RECT client;
    ::GetClientRect(HWindow, &client);
    PowerMeterToggle->MoveWindow(GraphRect.right + 16, client.bottom - 12, 10, 10, true);
    OverlayToggle->MoveWindow(GraphRect.right + RightMargin - 12, client.bottom - 12, 10, 10, true);
    PowerMeterToggle->SetWindowText(Opts->ShowPowerMeter ? "-" : "+");
    OverlayToggle->SetWindowText(Opts->ShowOverlayControls ? "-" : "+");
    if (ZoomInButton->Highlight) {
        ZoomInButton->HighlightOff();
        SelectMode = 0;
    }
    AllocTraceBuffers();
    NewData(0.0f);
    LoadOverlays();
    SetCaptionFromData();
    LoadLogo();
    Invalidate(true);
    UpdateWindow();
    LayoutBusy = 0;
}

bool TSpectrumPlot::IsCoherencePane(const TRect& pane) const
{
    switch (TChannelProcessing::Of(MainWin->GetAnalysisSettings().ChannelProcessing).CoherenceIn) {
    case TChannelProcessing::CoherencePane::Whole:
        return true;
    case TChannelProcessing::CoherencePane::Lower:
        return PaneMode == 2 && pane == PaneRect2;
    default:
        return false;
    }
}

void TSpectrumPlot::AllocTraceBuffers()
{
    CurveCapacity = 4 * std::max(GraphRect.Width(), 0);
    for (int i = 0; i < 2; ++i) {
        CurveCount[i] = PeakCount[i] = PrevCurveCount[i] = PrevPeakCount[i] = 0;
        for (auto* buffer : {&CurvePoints[i], &PrevCurvePoints[i], &PeakPoints[i], &PrevPeakPoints[i]})
            buffer->assign(size_t(CurveCapacity), TCurvePoint{0, 0});
    }
}

void TSpectrumPlot::BuildColumnMap()
{
    if (!Data)
        return;
    SyncScale();
    Scale.BuildColumnMap(GraphRect.Width(), TSpectralSource(*Data));
}

void TSpectrumPlot::BuildXLabels()
{
    if (!Data)
        return;
    SyncScale();
    Scale.BuildXLabels(GraphRect.Width());
}

void TSpectrumPlot::BuildYLabels()
{
    if (!Data)
        return;
    SyncScale();
    Scale.BuildYLabels(PaneMode == 1 ? GraphRect.Height() : PaneRect1.Height());
}

void TSpectrumPlot::BuildCoherenceLabels()
{
    if (!Data)
        return;
    Scale.BuildCoherenceLabels(PaneMode == 1 ? GraphRect.Height() : PaneRect1.Height());
}

void TSpectrumPlot::SetCepstrumAxis(int flag)
{
    if (flag == CepstrumAxis)
        return;
    CepstrumAxis = flag;
    std::strcpy(XUnit, flag == 1 ? " msec" : " Hz");
    UpdateLayout();
}

void TSpectrumPlot::SetScaling(ScalingStruct scaling)
{
    Scaling = scaling;
}

void TSpectrumPlot::SetData(TSpectralData* data, TSpectralData* data2)
{
    Data = data;
    Data2 = data2;
    DataViewSource(data);
}

// The legend keeps its stored width, eight pixels a character, and never
// less than a slot's own name needs in the view's font.
int TSpectrumPlot::LegendTextRoom() const
{
    return std::max(Opts->OverlayLegendSize * 8, TextWidth("Overlay 8") + 4);
}

// The meter column, its ticks and the widest tick label in the view's font,
// with a gap before the legend.
int TSpectrumPlot::MeterRoom() const
{
    return std::max(LeastMeterRoom, MeterGap + MeterWidth + MeterLabelOffset + TextWidth("-300.0") + 6);
}

// Under the scroll bar: the tick labels three pixels down, then the axis
// title clear of them, each as tall as the font really draws.
int TSpectrumPlot::AxisRoom() const
{
    if (!HWindow || !Font)
        return BottomInset;
    TClientDC dc(HWindow);
    dc.SelectObject(*Font);
    const int height = int(dc.GetTextExtent("0").cy);
    return std::max(FontHeight + 2, height) + 3 + height + 3;
}

int TSpectrumPlot::TextWidth(const char* text) const
{
    if (!HWindow || !Font)
        return 0;
    TClientDC dc(HWindow);
    dc.SelectObject(*Font);
    return dc.GetTextExtent(text).cx;
}

const TFont& TSpectrumPlot::UnderlinedFont()
{
    LOGFONTA lf{};
    lf.lfHeight = FontHeight;
    lf.lfUnderline = 1;
    std::strcpy(lf.lfFaceName, "Arial");
    return Gdi.Font(lf);
}

void TSpectrumPlot::FillBand(TDC& dc, int left, int right, int y1, int y2, COLORREF colour)
{
    if (y1 != y2)
        dc.FillRect(TRect(left, std::min(y1, y2), right, std::max(y1, y2)), Gdi.Brush(colour));
}

void TSpectrumPlot::PaintGraph(TDC& dc, bool erase, TRect& update)
{
    if (!Device().WindowParts || update.top > ButtonBarHeight)
        return;
    TPlotBase::PaintGraph(dc, erase, update);
    if (Opts->ShowToolbar && Font)
        BarFields.PaintLabels(dc, *Font);
}

void TSpectrumPlot::FillPaneBackground(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Device().FillsPanes || !pane.Touches(update))
        return;
    FillBand(dc, pane.left, pane.right, pane.top, pane.bottom, Opts->BackgroundColor);
}

void TSpectrumPlot::PaintTitle(TDC& dc, const TRect& pane, const TRect& update, const char* label)
{
    char text[128];
    if (MainWin->GetRpmLinkFlag() == 1)
        std::snprintf(text, sizeof text, "RPM = %6.3f", Opts->rpm);
    else
        std::snprintf(text, sizeof text, "%s", label ? label : "");
    if (!ShowsTitle() || update.top >= pane.top)
        return;
    const int y = pane.top - FontHeight - 3;
    if (Scaling.SpectralDensityFlag == 1) {
        DrawText(dc, pane.right, y, Scaling.SpectralDensityType == 0 ? "PSD: Units^2/Hz" : "PSD: Units/sqrt(Hz)",
                 TA_RIGHT | TA_TOP);
        if (Opts->ShowRMSLevel)
            DrawText(dc, LeftMargin + pane.Width() / 2, y, text, TA_CENTER | TA_TOP);
        else
            DrawText(dc, pane.left, y, text, TA_LEFT | TA_TOP);
    } else if (Opts->ShowRMSLevel) {
        DrawText(dc, pane.right, y, text, TA_RIGHT | TA_TOP);
    } else {
        DrawText(dc, pane.left + pane.Width() / 2, y, text, TA_CENTER | TA_TOP);
    }
}

void TSpectrumPlot::PaintLevelReadout(TDC& dc, TSpectralData* data, const TRect& pane, const TRect& update)
{
    if (!data || !Opts->ShowRMSLevel || update.top >= pane.top)
        return;
    const bool decibels = Scaling.AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    const float power =
        data->ComputeTotalPower(VisibleStart, VisibleEnd, decibels ? 1 : 0, TSpectralData::WeightAsDisplayed);
    char text[64];
    std::snprintf(text, sizeof text, "%s =%1.2f", WeightingNames[std::min<int>(Scaling.StandardWeighting, 3)],
                  double(power));
    DrawText(dc, pane.left, pane.top - FontHeight - 3, text, TA_LEFT | TA_TOP);
}

void TSpectrumPlot::InvalidateLevelReadout(const TRect& pane)
{
    InvalidateRect(TRect(pane.left + 20, pane.top - FontHeight - 3, pane.left + pane.Width() / 2, pane.top - 3), true);
}

TRect TSpectrumPlot::MeterColumn(const TRect& pane) const
{
    return TRect(pane.right + MeterGap, pane.top, pane.right + MeterGap + MeterWidth, pane.bottom);
}

void TSpectrumPlot::PaintPowerMeterFrame(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Opts->ShowPowerMeter)
        return;
    if (!TRect(pane.right + MeterGap, 0, pane.right + RightMargin, 30000).Touches(update))
        return;
    const TRect column = MeterColumn(pane);
    TRect frame = column.InflatedBy(1, 1);
    frame.bottom += GetScrollBarHeight();
    Draw3DFrame(dc, frame, Device().FrameWidth);
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const TAxisLabel& label : Scale.YLabels) {
        const int y = column.top + label.Position;
        dc.MoveTo(column.right + 1, y);
        dc.LineTo(column.right + 4, y);
        if (label.Text[0]) {
            char text[11] = {};
            std::memcpy(text, label.Text, 10);
            DrawText(dc, column.right + MeterLabelOffset, y - FontHeight / 2, text, TA_LEFT | TA_TOP);
        }
    }
    if (PaneMode == 1 || pane == PaneRect2)
        DrawText(dc, column.left, column.bottom + GetScrollBarHeight() + 3,
                 WeightingNames[std::min<int>(Scaling.TotalPowerWeighting, 3)], TA_LEFT | TA_TOP);
    if (Device().FillsPanes)
        FillBand(dc, column.left, column.right, column.top, column.bottom, Opts->BackgroundColor);
}

void TSpectrumPlot::PaintPowerMeterBar(TDC& dc, const TRect& pane, TSpectralData* data, int height, int peakHeight)
{
    if (!Opts->ShowPowerMeter || !data)
        return;
    const TRect column = MeterColumn(pane);
    const int top = std::max(column.Height() - 2, 1);
    height = std::clamp(height, 1, top);
    peakHeight = std::clamp(peakHeight, 1, top);
    const int base = column.bottom - 1;
    if (PeakHoldOn())
        FillBand(dc, column.left + 2, column.right - 2, base - peakHeight, base, Opts->PeakColor);
    FillBand(dc, column.left + 2, column.right - 2, base - height, base, Opts->LineColor);
}

void TSpectrumPlot::UpdatePowerMeter(TDC& dc, const TRect& pane, TSpectralData* data, int& height, int& peakHeight)
{
    if (!Opts->ShowPowerMeter || !data)
        return;
    const TRect column = MeterColumn(pane);
    const float level = data->GetOverallLevel();
    const float peak = PeakHoldOn() ? data->GetOverallLevelPeak() : TSpectralData::NoLevel;
    const bool hasPeak = peak >= -999.0f;
    const int newHeight = Scale.MeterHeight(level, column.Height());
    const int newPeak = hasPeak ? std::max(Scale.MeterHeight(peak, column.Height()), newHeight) : newHeight;
    const int base = column.bottom - 1;
    const int left = column.left + 2, right = column.right - 2;
    const int oldHeight = std::max(height, 1);
    const int oldPeak = std::max(peakHeight, 1);
    if (hasPeak)
        FillBand(dc, left, right, base - oldPeak, base - newPeak,
                 newPeak > oldPeak ? Opts->PeakColor : Opts->BackgroundColor);
    if (newHeight > oldHeight)
        FillBand(dc, left, right, base - oldHeight, base - newHeight, Opts->LineColor);
    else if (newHeight < oldHeight)
        FillBand(dc, left, right, base - (hasPeak ? newPeak : oldHeight), base - newHeight,
                 hasPeak ? Opts->PeakColor : Opts->BackgroundColor);
    height = newHeight;
    peakHeight = newPeak;
}

void TSpectrumPlot::PaintAmplitudeAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Data || update.left > pane.left)
        return;
    const bool coherence = IsCoherencePane(pane);
    const auto& labels = coherence ? Scale.CoherenceLabels : Scale.YLabels;
    const char* title = coherence ? "Coherence" : Data->GetAmplitudeUnitName();
    const TPlotDevice& device = Device();
    DrawText(dc, device.UnitTitleX(dc, pane), (pane.top + pane.bottom) / 2 + 6, title, TA_CENTER | TA_TOP,
             &RotatedFont());
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const TAxisLabel& label : labels) {
        const int y = pane.top + label.Position;
        dc.MoveTo(pane.left - 3, y);
        dc.LineTo(pane.left, y);
        if (label.Text[0]) {
            char text[11] = {};
            std::memcpy(text, label.Text, 10);
            DrawText(dc, pane.left - device.LabelGap, y - FontHeight / 2, text, TA_RIGHT | TA_TOP);
        }
    }
}

void TSpectrumPlot::PaintFrequencyAxis(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Data)
        return;
    const int y0 = pane.bottom + GetScrollBarHeight();
    if (update.bottom <= pane.bottom)
        return;
    const TPlotDevice& device = Device();
    dc.SelectObject(Gdi.Pen(TColor::Black));
    for (const TAxisLabel& label : Scale.XLabels) {
        const int x = pane.left + label.Position;
        dc.MoveTo(x, y0);
        dc.LineTo(x, y0 + 3);
        if (label.Text[0]) {
            char text[11] = {};
            std::memcpy(text, label.Text, 10);
            DrawText(dc, x, y0 + device.LabelDrop, text, TA_CENTER | TA_TOP);
        }
    }
    char title[160];
    const char* linkName = nullptr;
    const char* linkUnit = nullptr;
    if (CepstrumAxis)
        std::snprintf(title, sizeof title, "Quefrency (msec)");
    else if (MainWin->GetLinkAxis(linkName, linkUnit))
        std::snprintf(title, sizeof title, "%s %s", linkName, linkUnit);
    else
        std::snprintf(title, sizeof title, "%s %s", IDS_AXIS_FREQUENCY_TEXT, "(Hz)");
    const TRect client = GetClientRect();
    const TPoint at =
        device.AxisTitleAt(pane, y0, FontHeight, TPoint(client.right / 2, client.bottom - FontHeight - 2));
    DrawText(dc, at.x, at.y, title, TA_CENTER | TA_TOP);
}

void TSpectrumPlot::PaintHorizontalGrid(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Opts->GridYEnabled || !pane.Touches(update))
        return;
    const auto& labels = IsCoherencePane(pane) ? Scale.CoherenceLabels : Scale.YLabels;
    dc.SelectObject(Gdi.Pen(Device().Grid(Opts->GridColor)));
    for (const TAxisLabel& label : labels) {
        const int y = pane.top + label.Position;
        dc.MoveTo(pane.left, y);
        dc.LineTo(pane.right, y);
    }
}

void TSpectrumPlot::PaintVerticalGrid(TDC& dc, const TRect& pane, const TRect& update)
{
    if (!Opts->GridXEnabled || !pane.Touches(update))
        return;
    dc.SelectObject(Gdi.Pen(Device().Grid(Opts->GridColor)));
    for (const TAxisLabel& label : Scale.XLabels) {
        const int x = pane.left + label.Position;
        dc.MoveTo(x, pane.top);
        dc.LineTo(x, pane.bottom);
    }
}

void TSpectrumPlot::PaintOverlayLegend(TDC& dc, bool, const TRect& pane, const TRect& update)
{
    // The window labels its overlay check boxes; a page lists the overlays shown.
    const bool window = Device().WindowParts;
    if (!Data || update.right < pane.right || (window && !Opts->ShowOverlayControls))
        return;
    const bool lower = PaneMode == 2 && pane == PaneRect2;
    if (window && !lower) {
        DrawText(dc, pane.right + RightMargin / 2 + (Opts->ShowPowerMeter ? 40 : 0), pane.top - FontHeight,
                 "Overlays", TA_CENTER | TA_TOP, &UnderlinedFont());
    }
    TCheckBox* first = (lower ? SlotCheck2[0] : SlotCheck[0]).get();
    if (!first || !first->GetHandle() || (window && !::IsWindowVisible(first->GetHandle())))
        return;
    RECT r;
    ::GetWindowRect(first->GetHandle(), &r);
    POINT origin{r.left, r.top};
    ::ScreenToClient(HWindow, &origin);
    const uint32_t* shown = lower ? Opts->Show2 : Opts->Show1;
    for (int n = 0; n < SlotCount; ++n) {
        if (!window && !shown[n])
            continue;
        // The name of the slot's file; empty while the slot has none.
        const TOverlayData named(SlotPath(lower ? 2 : 1, n).c_str(), 0, 0.0f, 1);
        const char* text = named.GetName();
        const TColor old = dc.SetTextColor(Opts->OverlayColor[n]);
        DrawText(dc, origin.x + 16, origin.y + n * 16 + FontHeight / 2 - 8, text, TA_LEFT | TA_TOP);
        dc.SetTextColor(old);
    }
}

void TSpectrumPlot::DrawCurve(TDC& dc, const TRect& pane, const TRect& update, const TCurvePoint* points, int count,
                              COLORREF colour, int penIndex)
{
    if (!points || count <= 0 || !pane.Touches(update))
        return;
    static_assert(sizeof(TCurvePoint) == sizeof(TPoint));
    const TPoint* p = reinterpret_cast<const TPoint*>(points);
    const TPlotDevice& device = Device();
    if (device.FillsBars && Opts->PlotType == 1 && Scaling.FreqScaleType == DisplaySettingsStruct::OctaveBands
        && penIndex < 0) {
        const TBrush& brush = Gdi.Brush(colour);
        for (int i = 0; i + 3 < count; i += 3)
            dc.FillRect(TRect(p[i + 1].x + 1, p[i + 1].y, p[i + 3].x - 1, p[i + 3].y), brush);
        return;
    }
    dc.SelectObject(
        Gdi.Pen(device.Ink(dc, device.Visible(colour)), device.CurveWidth, device.CurveStyle(dc, penIndex)));
    if (!device.HalvesCurves) {
        dc.Polyline(p, count);
        return;
    }
    const int half = count / 2;
    if (half > 0)
        dc.Polyline(p, half);
    dc.Polyline(p + std::max(half - 1, 0), count - std::max(half - 1, 0));
}

void TSpectrumPlot::Paint(TDC& dc, bool erase, TRect& requested)
{
    if (CurveCapacity == 0 || !Data)
        return;
    TRect update = Device().Clip(requested);
    TPlotBase::Paint(dc, erase, update);
    SyncScale();
    const int panes = PaneMode == 2 ? 2 : 1;
    for (int i = 0; i < panes; ++i) {
        const TRect pane = panes == 1 ? GraphRect : (i == 0 ? PaneRect1 : PaneRect2);
        TSpectralData* data = PaneData(i);
        FillPaneBackground(dc, pane, update);
        PaintTitle(dc, pane, update, data ? data->GetLabel() : "");
        if (panes == 1) {
            PaintVerticalGrid(dc, pane, update);
            PaintHorizontalGrid(dc, pane, update);
            PaintAmplitudeAxis(dc, pane, update);
            PaintFrequencyAxis(dc, pane, update);
        } else if (i == 0) {
            PaintAmplitudeAxis(dc, pane, update);
            PaintVerticalGrid(dc, pane, update);
            PaintHorizontalGrid(dc, pane, update);
        } else {
            PaintAmplitudeAxis(dc, pane, update);
            PaintFrequencyAxis(dc, pane, update);
            PaintVerticalGrid(dc, pane, update);
            PaintHorizontalGrid(dc, pane, update);
        }
        PaintPowerMeterFrame(dc, pane, update);
        PaintPowerMeterBar(dc, pane, data, DrawnMeterHeight[i], DrawnMeterPeakHeight[i]);
        if (PeakHoldOn())
            DrawCurve(dc, pane, update, PrevPeakPoints[i].data(), PrevPeakCount[i], Opts->PeakColor, -2);
        DrawCurve(dc, pane, update, PrevCurvePoints[i].data(), PrevCurveCount[i], Opts->LineColor, -1);
        if (Opts->PlotType == 1 && Scaling.FreqScaleType == DisplaySettingsStruct::OctaveBands) {
            PaintVerticalGrid(dc, pane, update);
            PaintHorizontalGrid(dc, pane, update);
        }
        PaintOverlayLegend(dc, erase, pane, update);
        DrawOverlays(dc, pane, update);
        const int row = MarkerRow(pane);
        DrawMarkers(dc, data, MarkerPoints[row], MarkerRects[row], pane, update);
        PaintLevelReadout(dc, data, pane, update);
    }
    PaintLogo(dc, LogoRect, update);
}

void TSpectrumPlot::UpdateCurves(TDC& dc)
{
    if (!Data)
        return;
    if (Opts->PlotType == 1 && Scaling.FreqScaleType == DisplaySettingsStruct::OctaveBands) {
        UpdateBandBars(dc);
        return;
    }
    UpdatePanes(dc, false);
}

void TSpectrumPlot::UpdateBandBars(TDC& dc)
{
    UpdatePanes(dc, true);
}

// Erases the previous curves, draws the new ones and the grid, then the
// markers, level readout and power meter of each pane. Bars on a band axis
// are cleared and redrawn whole, under the grid and clipped to the pane.
void TSpectrumPlot::UpdatePanes(TDC& dc, bool bandBars)
{
    SyncScale();
    const int panes = PaneMode == 2 ? 2 : 1;
    const int peakStyle = bandBars ? -1 : -2;
    const int clipMargin = bandBars ? 0 : 1;
    const TRect everything(-30000, -30000, 30000, 30000);
    for (int i = 0; i < panes; ++i) {
        const TRect pane = panes == 1 ? GraphRect : (i == 0 ? PaneRect1 : PaneRect2);
        TSpectralData* data = PaneData(i);
        if (!data)
            continue;
        const TSpectralSource source(*data);
        const bool coherence = IsCoherencePane(pane);
        const TPaneRect paneRect{pane.left, pane.top, pane.right, pane.bottom};
        const int saved = dc.SaveDC();
        dc.IntersectClipRect(TRect(pane.left, pane.top, pane.right + clipMargin, pane.bottom + clipMargin));
        const int row = MarkerRow(pane);
        EraseMarkers(dc, MarkerPoints[row], MarkerRects[row], pane);
        CurveCount[i] = Scale.BuildCurve(source, paneRect, CurvePoints[i].data(), CurveCapacity, false, coherence);
        PeakCount[i] = PeakHoldOn() ? Scale.BuildCurve(source, paneRect, PeakPoints[i].data(), CurveCapacity, true, coherence) : 0;
        DrawCurve(dc, pane, everything, PrevPeakPoints[i].data(), PrevPeakCount[i], Opts->BackgroundColor, peakStyle);
        DrawCurve(dc, pane, everything, PrevCurvePoints[i].data(), PrevCurveCount[i], Opts->BackgroundColor, -1);
        if (!bandBars) {
            PaintVerticalGrid(dc, pane, everything);
            PaintHorizontalGrid(dc, pane, everything);
        }
        DrawCurve(dc, pane, everything, PeakPoints[i].data(), PeakCount[i], Opts->PeakColor, peakStyle);
        DrawCurve(dc, pane, everything, CurvePoints[i].data(), CurveCount[i], Opts->LineColor, -1);
        if (bandBars) {
            PaintVerticalGrid(dc, pane, everything);
            PaintHorizontalGrid(dc, pane, everything);
        }
        DrawOverlays(dc, pane, everything);
        DrawMarkers(dc, data, MarkerPoints[row], MarkerRects[row], pane, everything);
        dc.RestoreDC(saved);
        if (Opts->ShowRMSLevel && Device().Erasable)
            InvalidateLevelReadout(pane);
        UpdatePowerMeter(dc, pane, data, MeterHeight[i], MeterPeakHeight[i]);
        DrawnMeterHeight[i] = MeterHeight[i];
        DrawnMeterPeakHeight[i] = MeterPeakHeight[i];
    }
    for (int i = 0; i < panes; ++i) {
        std::copy_n(CurvePoints[i].begin(), CurveCount[i], PrevCurvePoints[i].begin());
        PrevCurveCount[i] = CurveCount[i];
        std::copy_n(PeakPoints[i].begin(), PeakCount[i], PrevPeakPoints[i].begin());
        PrevPeakCount[i] = PeakCount[i];
    }
}

void TSpectrumPlot::NewData(float time)
{
    RefreshDataView();
    if (!Data)
        return;
    // The interval spaces redraws in the wall clock's time, not the data's: a
    // file analysed many times faster than real time is redrawn no more often
    // than live input, and the analysis does not wait on the drawing. The run's
    // last block is drawn when it stops (time 0).
    if (Opts->IntervalFlag && time > 0.0f && MainWin->GetRunRequest() == 0) {
        const DWORD now = ::GetTickCount();
        if (DrawnTick && now - DrawnTick < DWORD(std::max(Opts->IntervalSecs, 0.0f) * 1000.0f))
            return;
        DrawnTick = now;
    }
    if (CurveCapacity > 0 && HWindow && !::IsIconic(HWindow)) {
        TClientDC dc(HWindow);
        UpdateCurves(dc);
    }
}
