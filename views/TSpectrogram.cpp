// The spectrogram window: construction, control bar, layout, resizing, live
// lines and the line history.
#include "views/TSpectrogram.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/TChannelProcessing.h"
#include "engine/TSpectralData.h"
#include "framework/TClientDC.h"
#include "framework/TModule.h"
#include "framework/UiHelpers.h"
#include "resources/StringIds.h"
#include "views/TSpectralSource.h"
#include "views/TViewHost.h"

DEFINE_RESPONSE_TABLE1(TSpectrogram, TSegmentPlot)
    EV_WM_SIZE
    EV_WM_LBUTTONDBLCLK
    EV_WM_TIMER
    EV_WM_PALETTECHANGED
    EV_WM_QUERYNEWPALETTE
    EV_COMMAND(TSpectrogram::SelectId, CmSelect)
    EV_COMMAND(TSpectrogram::AutoScaleId, CmAutoScale)
    EV_COMMAND(TSpectrogram::AutoScaleMenuId, CmAutoScale)
    EV_COMMAND(TSpectrogram::HelpId, CmHelp)
    EV_COMMAND(TSpectrogram::OptionsId, CmOptions)
    EV_COMMAND(TSpectrogram::PropertiesId, CmOptions)
    EV_COMMAND(TSpectrogram::CopySegmentId, CmCopyWave)
    EV_COMMAND(TSpectrogram::SegmentDtmfId, CmDtmfAnalysis)
    EV_COMMAND(TSpectrogram::ShowSegmentSeriesId, CmShowSegmentSeries)
    EV_COMMAND(TSpectrogram::ExpandSegmentId, CmExpandSpectrogram)
    EV_COMMAND(TSpectrogram::SegmentSurfaceId, CmSegmentSurface)
    EV_EN_CHANGE(TSpectrogram::PlotTopId, EvPlotTopChange)
    EV_EN_CHANGE(TSpectrogram::PlotRangeId, EvPlotRangeChange)
    EV_CHILD_NOTIFY_ALL_CODES(TSpectrogram::IntensityId, EvIntensityScroll)
    EV_COMMAND_ENABLE(TSpectrogram::CutSegmentId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::CopySegmentId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::MuteSegmentId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::FilterSegmentId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::PlaySegmentId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::ShowSegmentSeriesId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::AverageSegmentId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::ExpandSegmentId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::SegmentSurfaceId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::SegmentLeqId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::SegmentDtmfId, CeEditSegment)
    EV_COMMAND_ENABLE(TSpectrogram::AutoScaleMenuId, CeAlways)
    EV_COMMAND_ENABLE(TSpectrogram::PropertiesId, CeAlways)
    EV_COMMAND_ENABLE(TSpectrogram::HelpId, CeAlways)
    EV_COMMAND_ENABLE(TSpectrogram::CopyBitmapId, CeAlways)
    EV_COMMAND_ENABLE(TSpectrogram::CopyCursorId, CeAlways)
    EV_COMMAND_ENABLE(TSpectrogram::AnnotateId, CeAlways)
END_RESPONSE_TABLE;

int TSpectrogram::AnnotationCount = 0;

TSpectrogram::TSpectrogram(TMDIClient& parent, TViewHost* mainWin, const char* title, const TRect& placement,
                           ScalingStruct scaling, SpectrogramOpts* opts, TSpectralData* data, TSpectralData* data2,
                           int channel)
    : TSegmentPlot(parent, mainWin, title), Scaling(scaling), Opts(opts), Data(data), Data2(data2), Channel(channel)
{
    Attr.X = placement.left;
    Attr.Y = placement.top;
    Attr.W = placement.right;
    Attr.H = placement.bottom;

    auto tool = [this](int id, const char* up, const char* down, const char* grey, const char* tip) {
        return std::make_unique<ToolBtn>(this, id, up, down, grey, 0, 0, 28, 28, tip);
    };
    SelectButton = tool(SelectId, "SelectUp", "SelectDn", "SelectGry", "Select a time segment for editing");
    PlayButton = tool(PlayId, "SelectPlayUp", "SelectPlayDn", "SelectPlayGry",
                      "Playback currently selected time segment");
    FilterButton = tool(FilterId, "SelectFilterUp", "SelectFilterDn", "SelectFilterGry",
                        "Filter currently selected time segment");
    OptionsButton = tool(OptionsId, "OptionsUp", "OptionsDn", nullptr, "Set additional spectrogram display options");
    CreateAmplitudeFields(this, PlotTopId, PlotRangeId);
    AutoScaleButton = tool(AutoScaleId, "AutoScaleUp", "AutoScaleDn", "AutoGr", "Autoscale Spectrogram");
    IntensityBar = std::make_unique<TScrollBar>(this, IntensityId, 0, 0, 12, 20, false);

    LeftMargin = 76;
    RightMargin = 72;
    PaneGap = 20;
    XReadoutSize = TSize(78, 17);
    YReadoutSize = TSize(74, 17);
    XFormat = 2;
    YFormat = 201;
    std::strcpy(XUnit, " Hz");
    std::strcpy(YUnit, " Hz");
    // The view never scrolls: its panes take the scroll bar's room from the start.
    ScrollBarShown = 0;
}

TSpectrogram::~TSpectrogram()
{
    if (HWindow)
        KillTimer(ResizeTimer);
}

void TSpectrogram::GetWindowClass(WNDCLASSA& wc)
{
    TPlotBase::GetWindowClass(wc);
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(instance, "ICON_SPECTROGRAM");
}

void TSpectrogram::SetupWindow()
{
    Updating = 1;
    TPlotBase::SetupWindow();
    if (const TFont* font = MainWin->GetMainFont())
        SetAmplitudeFieldsFont(*font);
    WriteAmplitudeFields(Scaling.AmpScaleType, Opts->PlotTop, Opts->PlotRange, true);
    TClientDC dc(HWindow);
    AmpReadoutBitmap = std::make_unique<TBitmap>(dc, XReadoutSize.cx, XReadoutSize.cy);
    AmpReadoutSaveBitmap = std::make_unique<TBitmap>(dc, XReadoutSize.cx, XReadoutSize.cy);
    BuildPalette();
    CreatePaneBitmaps();
    SetCaptionFromData();
    Updating = 0;
}

void TSpectrogram::SetCaptionFromData()
{
    if (!Data)
        return;
    SetCaptionFor("Spectrogram", Data);
}

bool TSpectrogram::RpmTags() const
{
    return MainWin->GetRpmLinkFlag() != 0;
}

void TSpectrogram::ApplyAxisFormats()
{
    const bool timeAlongX = Geometry().TimeAlongX();
    SelectAxis = timeAlongX ? 0 : 1;
    XFormat = timeAlongX ? 201 : 2;
    YFormat = timeAlongX ? 2 : 201;
    std::strcpy(XUnit, " Hz");
    std::strcpy(YUnit, " Hz");
    if (RpmTags()) {
        // The time axis reads RPM.
        int& format = timeAlongX ? XFormat : YFormat;
        format = 2;
        std::strcpy(timeAlongX ? XUnit : YUnit, " ");
    }
}

void TSpectrogram::UpdateLayout()
{
    if (!HWindow)
        return;
    Updating = 1;
    LineInterval.Reset();
    if (Opts->ShowToolbar == 1)
        ShowButtons();
    else
        HideButtons();
    LoadLogo();
    ShowTag = RpmTags() ? 1 : 0;
    const AnalysisSettingsStruct& settings = MainWin->GetAnalysisSettings();
    const bool stereo = settings.Format.NumChannels == 2;
    PaneMode = stereo ? TChannelProcessing::Of(settings.ChannelProcessing).Panes : 1;
    if (settings.IndependentScalingAndCalibration == 1)
        PaneMode = 1;
    WriteAmplitudeFields(Scaling.AmpScaleType, Opts->PlotTop, Opts->PlotRange, false);
    if (SelectButton->Highlight)
        SelectMode = 0;
    SelectButton->HighlightOff();
    if (MainWin->GetWaveData())
        SelectButton->SetUp();
    else
        SelectButton->SetDown();
    PlayButton->SetDown();
    FilterButton->SetDown();
    TPlotBase::UpdateLayout();
    ClearSelection();
    LoadLogo();
    ApplyAxisFormats();
    // The bar shows the intensity field only with a palette.
    BuildPalette();
    LayoutControlBar();
    CreatePaneBitmaps();
    AllocHistory();
    UpdateReadout();
    if (!KeepImage)
        ClearPaneBitmaps();
    Invalidate(true);
    UpdateWindow();
    SetCaptionFromData();
    Updating = 0;
}

void TSpectrogram::LayoutControlBar()
{
    if (!Opts->ShowToolbar || !HWindow)
        return;
    const struct {
        ToolBtn* Button;
        int X;
    } buttons[] = {{SelectButton.get(), 2},
                   {PlayButton.get(), 32},
                   {FilterButton.get(), 62},
                   {OptionsButton.get(), 106},
                   {AutoScaleButton.get(), 138}};
    for (const auto& b : buttons) {
        b.Button->MoveWindow(b.X, 1, 28, 28, false);
        b.Button->Invalidate(true);
        b.Button->UpdateWindow();
    }
    if (Font)
        BarFields.Place(138 + 28 + 9, ButtonBarHeight / 2 - 10,
                        {{IDS_PLOT_TOP_LABEL_TEXT, PlotTopEdit.get(), {"-300.000", "-300.0"}, PlotTopSpin.get()},
                         {IDS_PLOT_RANGE_LABEL_TEXT, PlotRangeEdit.get(), {"-200.0", "N/A"}, PlotRangeSpin.get()},
                         {IDS_INTENSITY_LABEL_TEXT, nullptr, {}, IntensityBar.get(), Palette != nullptr}},
                        *Font);
    for (ToolBtn* b : {SelectButton.get(), PlayButton.get(), FilterButton.get()})
        if (b->Highlight) {
            b->HighlightOff();
            SelectMode = 0;
        }
    InvalidateRect(TRect(0, 0, GetClientRect().right, ButtonBarHeight), true);
}

void TSpectrogram::ShowControlBar(int show)
{
    for (TWindow* w : std::initializer_list<TWindow*>{SelectButton.get(), PlayButton.get(), FilterButton.get(),
                                                      OptionsButton.get(), PlotTopEdit.get(), PlotTopSpin.get(),
                                                      PlotRangeEdit.get(), PlotRangeSpin.get(),
                                                      AutoScaleButton.get(), IntensityBar.get()})
        if (w->GetHandle())
            w->Show(show);
}

void TSpectrogram::HideButtons()
{
    Opts->ShowToolbar = 0;
    ButtonBarHeight = 0;
    TopInset = 20;
    ShowControlBar(SW_HIDE);
    if (HWindow)
        Invalidate(true);
}

void TSpectrogram::ShowButtons()
{
    Opts->ShowToolbar = 1;
    ButtonBarHeight = 30;
    TopInset = 50;
    ShowControlBar(SW_SHOW);
    if (HWindow)
        Invalidate(true);
    LayoutControlBar();
}

void TSpectrogram::EvSize(UINT sizeType, const TSize& size)
{
    TWindow::EvSize(sizeType, size);
    if (sizeType == SIZE_MINIMIZED)
        return;
    // A new size keeps the picture, stretched along the frequency axis,
    // until the rebuild from the file replaces it.
    KeepImage = true;
    UpdateLayout();
    KeepImage = false;
    if (MainWin->GetRunState() != TViewHost::Running) {
        KillTimer(ResizeTimer);
        SetTimer(ResizeTimer, ResizeDelay);
    }
    ClearSelection();
}

void TSpectrogram::EvTimer(UINT timerId)
{
    if (timerId != ResizeTimer)
        return;
    KillTimer(ResizeTimer);
    MainWin->RebuildSpectrogram(*this);
}


void TSpectrogram::SetData(TSpectralData* data, TSpectralData* data2)
{
    Data = data;
    Data2 = data2;
}

void TSpectrogram::SetViewSettings(ScalingStruct scaling)
{
    Scaling = scaling;
}

void TSpectrogram::UpdateToolButton()
{
    if (!MainWin->GetWaveData())
        return;
    SelectButton->HighlightOff();
    SelectButton->SetUp();
}

void TSpectrogram::NewSpectrum(float time)
{
    if (!Data || !HWindow)
        return;
    if (!LineInterval.Accept(Opts->IntervalFlag != 0, Opts->IntervalSecs, time))
        return;
    // Going back in the file starts the picture again, this line included.
    if (Opts->ScrollType == ScrollImage && History.Count() > 0 && time < History[0].Time
        && MainWin->GetOpMode() == TViewHost::PostProcess) {
        UpdateLayout();
        ClearHistory();
    }
    ClearSelection();
    if (Opts->ScrollType == ScrollImage)
        WrapPos = 0;
    for (int pane = 0; pane < (TwoPanes() ? 2 : 1); ++pane)
        AddSpectrumLine(Image(pane), PaneData(pane), ImageRect(pane));
    PushHistoryLine(time);
    if (Opts->ScrollType == WrapImage)
        WrapPos = TSpectrogramGeometry::NextWrapPosition(WrapPos, LinesPerStep, History.Count());
    // The labels at most once a second, for each view on its own.
    if (ReadoutClock.Due(static_cast<long long>(std::time(nullptr))))
        UpdateReadout();
}

void TSpectrogram::AllocHistory()
{
    History.Resize(Geometry().TimeLength(AsPane(GraphRect), AsPane(PaneRect1), PaneMode));
}

void TSpectrogram::PushHistoryLine(float time)
{
    if (History.Count() == 0 || !Data)
        return;
    const float tag = RpmTags() ? MainWin->GetRpmTag() : 0.0f;
    const int line = WrapPos / LinesPerStep;
    if (Opts->ScrollType == ScrollImage)
        History.Push(time, tag, 0.0f, 0.0f);
    else
        History.SetLine(line, time, tag);
    SetLevelsFrom(line, Data);
}

void TSpectrogram::SetHistoryRecord(int line, float time)
{
    History.SetLine(line, time, RpmTags() ? MainWin->GetRpmTag() : 0.0f);
}

float TSpectrogram::GetHistoryTime(int line) const
{
    return History.LineValue(line, RpmTags());
}

void TSpectrogram::SetLevelsFrom(int line, TSpectralData* data)
{
    if (!data)
        return;
    const TFrequencyBand band = Band();
    const TSpectralSource source(*data);
    const int first = source.IndexOf(band.Low);
    const int last = source.IndexOf(band.High);
    History.SetLevels(line, source.LargestPeak(first, last), source.Smallest(first, last));
}

void TSpectrogram::DrawSpectrumLine(int line, TSpectralData* data, TSpectralData* data2)
{
    if (!data)
        return;
    ClearSelection();
    const int row = LinesPerStep * line;
    DrawLineAt(row, PaneBitmap.get(), data);
    if (TwoPanes())
        DrawLineAt(row, PaneBitmap2.get(), data2);
    SetLevelsFrom(line, data);
}

TFrequencyBand TSpectrogram::Band() const
{
    if (!Data)
        return {Opts->StartFreq, Opts->StopFreq};
    return TSpectrogramScale::DisplayedBand(Opts->UseFullSpan != 0, Opts->StartFreq, Opts->StopFreq,
                                            Data->GetLowFrequency(), Data->GetHighFrequency());
}

void TSpectrogram::UpdateReadout()
{
    if (History.Count() == 0 || !HWindow)
        return;
    const THistoryRecord& newest = History[0];
    // The oldest edge is labelled with the oldest line drawn, also while the
    // lines fill only part of the image.
    const THistoryRecord& oldest = History[History.OldestLineRow()];
    if (RpmTags()) {
        auto tag = [](char (&text)[20], float value) {
            std::snprintf(text, sizeof text, "%6.2f", double(value));
            if (std::strtod(text, nullptr) == 0.0)
                text[0] = '\0';
        };
        tag(StartTimeText, newest.Tag);
        tag(EndTimeText, oldest.Tag);
    } else {
        std::snprintf(StartTimeText, sizeof StartTimeText, "%s", FormatTime(newest.Time, true, false));
        std::snprintf(EndTimeText, sizeof EndTimeText, "%s", FormatTime(oldest.Time, true, false));
    }
    if (Geometry().TimeAlongX()) {
        InvalidateRect(TRect(GraphRect.left, GraphRect.bottom, GraphRect.right, GraphRect.bottom + 6), true);
        InvalidateRect(TRect(GraphRect.left - LeftMargin / 2, GraphRect.bottom, GraphRect.right + LeftMargin / 2,
                             GraphRect.bottom + BottomInset),
                       true);
    } else {
        InvalidateRect(TRect(GraphRect.left - LeftMargin, GraphRect.top - FontHeight / 2, GraphRect.left,
                             GraphRect.bottom + FontHeight / 2),
                       true);
    }
    UpdateWindow();
}
