// The surface view's object: construction, control bar, layout, resize
// wait, colour table, column table, pane images and the line history.
#include "views/TSurfacePlot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/TChannelProcessing.h"
#include "engine/TSpectralData.h"
#include "framework/LimitScroll.h"
#include "framework/TClientDC.h"
#include "framework/TEdit.h"
#include "framework/TMemoryDC.h"
#include "framework/TModule.h"
#include "framework/TPalette.h"
#include "framework/TScrollBar.h"
#include "framework/ToolBtn.h"
#include "resources/StringIds.h"
#include "views/TRampPalette.h"
#include "views/TSpectralSource.h"
#include "views/TViewHost.h"

DEFINE_RESPONSE_TABLE1(TSurfacePlot, TSegmentPlot)
    EV_WM_SIZE
    EV_WM_TIMER
    EV_WM_LBUTTONDBLCLK
    EV_WM_PALETTECHANGED
    EV_WM_QUERYNEWPALETTE
    EV_COMMAND(SelectId, CmSelect)
    EV_COMMAND(OptionsId, CmOptions)
    EV_COMMAND(AutoScaleId, CmAutoscale)
    EV_EN_CHANGE(PlotTopId, EvTopChange)
    EV_EN_CHANGE(PlotRangeId, EvRangeChange)
    EV_CHILD_NOTIFY_ALL_CODES(IntensityId, EvIntensity)
    EV_COMMAND(MenuCopyWave, CmCopyWave)
    EV_COMMAND(MenuDtmf, CmDtmfAnalysis)
    EV_COMMAND(MenuTimeSeries, CmShowSegmentSeries)
    EV_COMMAND(MenuSpectrogram, CmSegmentSpectrogram)
    EV_COMMAND(MenuExpandSurface, CmExpandSurface)
    EV_COMMAND(MenuAutoscale, CmAutoscale)
    EV_COMMAND(MenuProperties, CmOptions)
    EV_COMMAND(MenuHelp, CmHelp)
    EV_COMMAND_ENABLE(MenuCut, CeFileSelection)
    EV_COMMAND_ENABLE(MenuCopyWave, CeFileSelection)
    EV_COMMAND_ENABLE(MenuMute, CeFileSelection)
    EV_COMMAND_ENABLE(MenuFilter, CeFileSelection)
    EV_COMMAND_ENABLE(MenuPlay, CeFileSelection)
    EV_COMMAND_ENABLE(MenuTimeSeries, CeFileSelection)
    EV_COMMAND_ENABLE(MenuAverageSpectrum, CeFileSelection)
    EV_COMMAND_ENABLE(MenuSpectrogram, CeFileSelection)
    EV_COMMAND_ENABLE(MenuExpandSurface, CeFileSelection)
    EV_COMMAND_ENABLE(MenuLeq, CeFileSelection)
    EV_COMMAND_ENABLE(MenuDtmf, CeFileSelection)
    EV_COMMAND_ENABLE(MenuAutoscale, CeAlways)
    EV_COMMAND_ENABLE(MenuProperties, CeAlways)
    EV_COMMAND_ENABLE(MenuHelp, CeAlways)
    EV_COMMAND_ENABLE(MenuCopyBitmap, CeAlways)
    EV_COMMAND_ENABLE(MenuCopyCursor, CeAlways)
END_RESPONSE_TABLE;

TSurfacePlot::TSurfacePlot(TMDIClient& parent, TViewHost* mainWin, const char* title, const TRect& placement,
                           ScalingStruct scaling, SurfaceOpts* opts, TSpectralData* data, TSpectralData* data2)
    : TSegmentPlot(parent, mainWin, title), Scaling(scaling), Opts(opts), Data(data), Data2(data2)
{
    Attr.X = placement.left;
    Attr.Y = placement.top;
    Attr.W = placement.right;
    Attr.H = placement.bottom;

    auto tool = [this](int id, const char* up, const char* down, const char* grey, const char* tip) {
        return std::make_unique<ToolBtn>(this, id, up, down, grey, 0, 0, 28, 28, tip);
    };
    SelectButton = tool(SelectId, "SelectUp", "SelectDn", "SelectGry", "Select a time segement for editing");
    PlayButton = tool(PlayId, "SelectPlayUp", "SelectPlayDn", "SelectPlayGry", "Playback selected time segment");
    FilterButton = tool(FilterId, "SelectFilterUp", "SelectFilterDn", "SelectFilterGry", "Filter selected time segment");
    OptionsButton = tool(OptionsId, "OptionsUp", "OptionsDn", nullptr, "Set additional 3-D surface display options");
    CreateAmplitudeFields(this, PlotTopId, PlotRangeId);
    AutoScaleButton = tool(AutoScaleId, "AutoScaleUp", "AutoScaleDn", "AutoGr", "Autoscale 3-D Surface");
    IntensityBar = std::make_unique<TScrollBar>(this, IntensityId, 0, 0, 12, 20, false);

    ButtonBarHeight = 30;
    LeftMargin = 76;
    RightMargin = 72;
    // Room under the panes for the tick labels and the axis title below them.
    BottomInset = 36;
    PaneGap = 20;
    XReadoutSize.cx = 78;
    YReadoutSize.cx = 74;
    std::strcpy(XUnit, " Hz");
    XFormat = 2;
    YFormat = 201;
    SelectAxis = 1;
}

TSurfacePlot::~TSurfacePlot() = default;

void TSurfacePlot::GetWindowClass(WNDCLASSA& wc)
{
    TPlotBase::GetWindowClass(wc);
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(instance, "ICON_SURFACE");
}

void TSurfacePlot::SyncScale()
{
    Scale.AmpScaleType = Scaling.AmpScaleType;
    Scale.FreqScaleType = Scaling.FreqScaleType;
    Scale.PlotTop = Opts->PlotTop;
    Scale.PlotRange = Opts->PlotRange;
    Scale.UseFullSpan = Opts->UseFullSpan != 0;
    Scale.StartFreq = Opts->StartFreq;
    Scale.StopFreq = Opts->StopFreq;
    Scale.LinesPerStep = LinesPerStep;
}

// A field the user is typing into keeps its text while it reads as the
// value stored: rewriting it would move the caret.
void TSurfacePlot::SetCaptionFromData()
{
    if (!Data)
        return;
    SetCaptionFor("3D Surface", Data);
}

void TSurfacePlot::SetupWindow()
{
    Updating = 1;
    TPlotBase::SetupWindow();
    if (const TFont* font = MainWin->GetMainFont())
        SetAmplitudeFieldsFont(*font);
    WriteAmplitudeFields(Scaling.AmpScaleType, Opts->PlotTop, Opts->PlotRange, false);
    TClientDC screen(HWindow);
    AmpReadoutBitmap = std::make_unique<TBitmap>(screen, AmpReadoutSize.cx, AmpReadoutSize.cy);
    AmpReadoutSaveBitmap = std::make_unique<TBitmap>(screen, AmpReadoutSize.cx, AmpReadoutSize.cy);
    BuildPalette();
    CreatePaneBitmaps();
    SetCaptionFromData();
    Updating = 0;
}

void TSurfacePlot::EvSize(UINT sizeType, const TSize& size)
{
    TPlotBase::EvSize(sizeType, size);
    if (sizeType != SIZE_MINIMIZED && MainWin->GetRunState() != TViewHost::Running) {
        KillTimer(ResizeTimer);
        SetTimer(ResizeTimer, ResizeDelay);
    }
    ClearSelection();
}

void TSurfacePlot::EvTimer(UINT timerId)
{
    if (timerId != ResizeTimer)
        return;
    KillTimer(ResizeTimer);
    MainWin->RecomputeSurface(*this);
}

void TSurfacePlot::UpdateLayout()
{
    if (!HWindow)
        return;
    Updating = 1;
    LastLineTime = 0.0f;
    if (Opts->ShowToolbar == 1)
        ShowButtons();
    else
        HideButtons();
    LoadLogo();
    ShowTag = MainWin->GetRpmLinkFlag() ? 1 : 0;
    const AnalysisSettingsStruct& settings = MainWin->GetAnalysisSettings();
    const bool stereo = settings.Format.NumChannels == 2;
    PaneMode = stereo ? TChannelProcessing::Of(settings.ChannelProcessing).Panes : 1;
    if (settings.IndependentScalingAndCalibration == 1)
        PaneMode = 1;
    WriteAmplitudeFields(Scaling.AmpScaleType, Opts->PlotTop, Opts->PlotRange, false);
    if (SelectButton->Highlight) {
        SelectButton->HighlightOff();
        SelectMode = 0;
    }
    if (MainWin->GetWaveData())
        SelectButton->SetUp();
    else
        SelectButton->SetDown();
    PlayButton->SetDown();
    FilterButton->SetDown();
    SyncScale();
    TPlotBase::UpdateLayout();
    ClearSelection();
    SelectAxis = 1;
    XFormat = 2;
    YFormat = 201;
    YUnit[0] = '\0';
    if (MainWin->GetRpmLinkFlag())
        YFormat = 2;
    LoadLogo();
    LayoutControlBar();
    BuildPalette();
    CreatePaneBitmaps();
    AllocHistory();
    UpdateReadout();
    ClearPaneBitmaps();
    Invalidate(true);
    UpdateWindow();
    SetCaptionFromData();
    Updating = 0;
}

void TSurfacePlot::LayoutControlBar()
{
    if (!Opts->ShowToolbar || !HWindow)
        return;
    const struct {
        ToolBtn* Button;
        int X;
    } places[] = {{SelectButton.get(), 2},   {PlayButton.get(), 32},      {FilterButton.get(), 62},
                  {OptionsButton.get(), 106}, {AutoScaleButton.get(), 136}};
    for (const auto& p : places) {
        p.Button->MoveWindow(p.X, 1, 28, 28, false);
        p.Button->Invalidate(true);
        p.Button->UpdateWindow();
    }
    if (Font)
        BarFields.Place(136 + 28 + 9, ButtonBarHeight / 2 - 10,
                        {{IDS_PLOT_TOP_LABEL_TEXT, PlotTopEdit.get(), {"-300.000", "-300.0"}, PlotTopSpin.get()},
                         {IDS_PLOT_RANGE_LABEL_TEXT, PlotRangeEdit.get(), {"-200.0", "N/A"}, PlotRangeSpin.get()},
                         {IDS_INTENSITY_LABEL_TEXT, nullptr, {}, IntensityBar.get(), Opts->ColorMode == 0}},
                        *Font);
    IntensityBar->Show(Opts->ColorMode == 1 ? SW_HIDE : SW_SHOW);
    for (ToolBtn* b : {SelectButton.get(), PlayButton.get(), FilterButton.get()})
        if (b->Highlight) {
            b->HighlightOff();
            SelectMode = 0;
        }
    InvalidateRect(TRect(0, 0, GetClientRect().right, ButtonBarHeight), true);
}

void TSurfacePlot::ShowButtonBar(int show)
{
    for (TWindow* w : std::initializer_list<TWindow*>{
             SelectButton.get(), PlayButton.get(), FilterButton.get(), OptionsButton.get(), AutoScaleButton.get(),
             PlotTopEdit.get(), PlotTopSpin.get(), PlotRangeEdit.get(), PlotRangeSpin.get(), IntensityBar.get()})
        w->Show(show);
}

void TSurfacePlot::ShowButtons()
{
    Opts->ShowToolbar = 1;
    ButtonBarHeight = 30;
    TopInset = 50;
    ShowButtonBar(SW_SHOW);
    if (Opts->ColorMode == 1)
        IntensityBar->Show(SW_HIDE);
    LayoutControlBar();
}

void TSurfacePlot::HideButtons()
{
    Opts->ShowToolbar = 0;
    ButtonBarHeight = 0;
    TopInset = 20;
    ShowButtonBar(SW_HIDE);
}

void TSurfacePlot::UpdateBackgroundBrush()
{
    TPlotBase::UpdateBackgroundBrush();
    for (ToolBtn* b : {SelectButton.get(), PlayButton.get(), FilterButton.get(), OptionsButton.get(),
                       AutoScaleButton.get()})
        b->LoadBitmaps();
    Invalidate(true);
}

void TSurfacePlot::BuildPalette()
{
    if (!HWindow)
        return;
    Palette.reset();
    TRampPalette::TResult ramp = TRampPalette::Build(HWindow, int32_t(Opts->Intensity), Colours);
    if (ramp.NoMemory)
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK | MB_ICONEXCLAMATION);
    Palette = std::move(ramp.Palette);
    ColourCount = ramp.Count;
    FirstSlot = TRampPalette::FirstSlot(HWindow);
}

void TSurfacePlot::ResetVisibleRange()
{
    if (!Data)
        return;
    HideScrollBar();
    SyncScale();
    double lo, hi;
    Scale.Range(TSpectralSource(*Data), lo, hi);
    VisibleStart = Data->GetIndex(float(lo));
    VisibleEnd = Data->GetIndex(float(hi));
    BuildColumnTable();
    BuildFrequencyTicks();
    BuildAmplitudeTicks();
}

void TSurfacePlot::ResetScrollRange()
{
    ScrollRange = 0;
}

void TSurfacePlot::BuildColumnTable()
{
    if (!Data)
        return;
    SyncScale();
    const TRect pane = PaneMode == 2 ? PaneRect2 : GraphRect;
    Scale.BuildColumns(pane.Width(), pane.Height(), TSpectralSource(*Data));
}

void TSurfacePlot::BuildFrequencyTicks()
{
    if (!Data)
        return;
    SyncScale();
    Scale.BuildFrequencyTicks(GraphRect.Width(), TSpectralSource(*Data));
}

void TSurfacePlot::BuildAmplitudeTicks()
{
    if (!Data)
        return;
    SyncScale();
    Scale.BuildAmplitudeTicks(GraphRect.Height());
}

int TSurfacePlot::ColumnForFrequency(float frequency) const
{
    return Data ? Scale.ColumnForFrequency(frequency) : TSurfaceScale::NoColumn;
}

TBitmap* TSurfacePlot::PaneImage(const TRect& pane) const
{
    return PaneMode == 2 && pane == PaneRect2 ? PaneBitmap2.get() : PaneBitmap.get();
}

void TSurfacePlot::FillSolid(TDC& dc, const TRect& rect, COLORREF colour)
{
    // An opaque empty text fills with any colour, a palette index too, and
    // makes no brush.
    const TColor old = dc.SetBkColor(colour);
    dc.ExtTextOut(rect.left, rect.top, ETO_OPAQUE, &rect, "", 0);
    dc.SetBkColor(old);
}

void TSurfacePlot::CreatePaneBitmap(std::unique_ptr<TBitmap>& bitmap, const TRect& pane)
{
    bitmap.reset();
    const int w = pane.Width(), h = pane.Height();
    if (w < 1 || w > LargestImageWidth || h < 1 || h > LargestImageHeight)
        return;
    TClientDC screen(HWindow);
    bitmap = std::make_unique<TBitmap>(screen, w, h);
    if (!bitmap->IsValid()) {
        bitmap.reset();
        MessageBox(IDS_NO_MEMORY_TEXT, "Warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    TMemoryDC memory(screen);
    memory.SelectObject(*bitmap);
    FillSolid(memory, TRect(0, 0, w + 1, h + 1), Opts->BackgroundColor);
}

void TSurfacePlot::CreatePaneBitmaps()
{
    if (!HWindow)
        return;
    if (PaneMode == 2) {
        CreatePaneBitmap(PaneBitmap, PaneRect1);
        CreatePaneBitmap(PaneBitmap2, PaneRect2);
    } else {
        CreatePaneBitmap(PaneBitmap, GraphRect);
        PaneBitmap2.reset();
    }
}

void TSurfacePlot::ClearPaneBitmaps()
{
    TClientDC screen(HWindow);
    for (TBitmap* bitmap : {PaneBitmap.get(), PaneBitmap2.get()}) {
        if (!bitmap)
            continue;
        TMemoryDC memory(screen);
        memory.SelectObject(*bitmap);
        FillSolid(memory, TRect(0, 0, bitmap->Width() + 1, bitmap->Height() + 1), Opts->BackgroundColor);
    }
}

// The history keeps the lines that still fit the pane, so that the rebuild
// after a resize has their times to read the wave at.
void TSurfacePlot::AllocHistory()
{
    History.Resize((PaneMode == 2 ? PaneRect2 : GraphRect).Height());
}

void TSurfacePlot::ClearHistory()
{
    History.Clear();
}

void TSurfacePlot::SetViewSettings(ScalingStruct scaling)
{
    Scaling = scaling;
}

void TSurfacePlot::SetSpectralData(TSpectralData* data, TSpectralData* data2)
{
    Data = data;
    Data2 = data2;
}

void TSurfacePlot::NewSpectrum(float time)
{
    if (!Data || !HWindow)
        return;
    if (Opts->IntervalFlag) {
        if (LastLineTime + Opts->IntervalSecs > time) {
            if (time < LastLineTime)
                LastLineTime = 0.0f;
            return;
        }
        LastLineTime = time;
    }
    ClearSelection();
    if (PaneMode == 2) {
        AddSpectrumLine(PaneBitmap.get(), Data, PaneRect1);
        AddSpectrumLine(PaneBitmap2.get(), Data2, PaneRect2);
    } else {
        AddSpectrumLine(PaneBitmap.get(), Data, GraphRect);
    }
    PushHistoryLine(time);
    UpdateReadout();
}

void TSurfacePlot::LineLevels(TSpectralData* data, float& peak, float& minimum)
{
    SyncScale();
    const TSpectralSource source(*data);
    double lo, hi;
    Scale.Range(source, lo, hi);
    const int first = data->GetIndex(float(lo));
    const int last = data->GetIndex(float(hi));
    peak = source.LargestPeak(first, last);
    minimum = source.Smallest(first, last);
}

void TSurfacePlot::PushHistoryLine(float t)
{
    if (History.Empty())
        return;
    // Going back in the file starts the view afresh.
    if (t < History[0].Time && MainWin->GetOpMode() == TViewHost::PostProcess) {
        UpdateLayout();
        History.Clear();
    }
    float peak, minimum;
    LineLevels(Data, peak, minimum);
    History.Push(t, MainWin->GetRpmLinkFlag() ? MainWin->GetRpmTag() : 0.0f, peak, minimum);
}

void TSurfacePlot::DrawSpectrumLine(TSpectralData* data, TSpectralData* data2)
{
    if (!data || !HWindow)
        return;
    ClearSelection();
    if (PaneMode == 2) {
        AddSpectrumLine(PaneBitmap.get(), data, PaneRect1);
        AddSpectrumLine(PaneBitmap2.get(), data2, PaneRect2);
    } else {
        AddSpectrumLine(PaneBitmap.get(), data, GraphRect);
    }
    float peak, minimum;
    LineLevels(data, peak, minimum);
    History.PushLevels(peak, minimum);
}

void TSurfacePlot::SetHistoryRecord(uint32_t line, float time)
{
    History.SetLine(int(line), time, MainWin->GetRpmLinkFlag() ? MainWin->GetRpmTag() : 0.0f);
}

void TSurfacePlot::ShiftHistoryTimes(float offset)
{
    History.ShiftTimes(offset);
}

uint32_t TSurfacePlot::GetHistoryLineCount() const
{
    return History.Empty() ? 0 : uint32_t(History.LineCount());
}

float TSurfacePlot::GetHistoryMinTime() const
{
    return History.Empty() ? 0.0f : History.MinTime(History[0].Time);
}

float TSurfacePlot::GetHistoryMaxTime() const
{
    return History.MaxTime();
}

int32_t TSurfacePlot::FindHistoryIndex(float time) const
{
    return History.FindLine(time);
}

float TSurfacePlot::GetHistoryTime(int32_t line) const
{
    return History.LineValue(line, MainWin->GetRpmLinkFlag() != 0);
}
