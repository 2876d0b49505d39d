// The spectrum view's overlays: the slot files of each pane, their traces,
// capture of the spectrum into a slot, the composite slot, the check boxes,
// the overlay options and the two panel toggles.
#include "views/TSpectrumPlot.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/TEngineHost.h"
#include "engine/TFolder.h"
#include "engine/TSpectralData.h"
#include "framework/TButton.h"
#include "framework/TCheckBox.h"
#include "framework/ToolBtn.h"
#include "views/TOverlayData.h"
#include "views/TViewHost.h"

namespace {

// The overlay-source dialog's last answer, for every capture of the run.
uint32_t OverlayChoice = 0;

CompositeSettings CompositeOf(const SpectrumOpts& o, int pane)
{
    CompositeSettings c;
    c.CompositeType = pane == 2 ? o.CompositeType2 : o.CompositeType1;
    const uint32_t* include = pane == 2 ? o.IncludeInAverage2 : o.IncludeInAverage1;
    const uint16_t* index = pane == 2 ? o.DifferenceIndex2 : o.DifferenceIndex1;
    std::copy_n(include, 6, c.IncludeInAverage);
    std::copy_n(index, 2, c.DifferenceIndex);
    return c;
}

void StoreComposite(SpectrumOpts& o, int pane, const CompositeSettings& c)
{
    (pane == 2 ? o.CompositeType2 : o.CompositeType1) = c.CompositeType;
    std::copy_n(c.IncludeInAverage, 6, pane == 2 ? o.IncludeInAverage2 : o.IncludeInAverage1);
    std::copy_n(c.DifferenceIndex, 2, pane == 2 ? o.DifferenceIndex2 : o.DifferenceIndex1);
}

// Writes a slot's file, making the overlay folder when it is missing; a file
// that still cannot be written is named with the reason.
bool WriteSlotFile(TOverlayData& curve, const std::string& path, const char* name)
{
    const bool folder = TFolder::MakeFor(path);
    const std::string folderReason = folder ? std::string() : TFolder::LastErrorText();
    errno = 0;
    if (curve.Write(path.c_str(), name))
        return true;
    const std::string reason = !folder ? folderReason : errno ? std::strerror(errno) : "the curve has no points";
    TEngineHost::Get().ShowMessage("Failure writing overlay file: " + path + "\r\n" + reason, "Tonalyx",
                                   TEngineHost::MsgOk | TEngineHost::MsgIconStop);
    return false;
}

}  // namespace

std::string TSpectrumPlot::SlotPath(int pane, int slot) const
{
    const char side = pane == 1 && Channel == 1 ? 'L' : 'R';
    const char* folder = MainWin ? MainWin->GetOverlayFolder() : "";
    char path[600];
    std::snprintf(path, sizeof path, "%s\\%c%d.ovl", folder ? folder : "", side, slot + 1);
    return path;
}

float TSpectrumPlot::SlotOffset(int pane, int slot) const
{
    return pane == 1 && Channel == 1 ? Opts->Offset1[slot] : Opts->Offset2[slot];
}

bool TSpectrumPlot::PaneUsable(int pane, int slot) const
{
    if (slot < 0 || slot >= SlotCount || (pane != 1 && pane != 2))
        return false;
    return pane == 1 ? Data != nullptr : PaneMode == 2 && Data2 != nullptr;
}

void TSpectrumPlot::LoadSlot(int pane, int slot)
{
    auto& curve = pane == 2 ? Overlay2[slot] : Overlay[slot];
    auto& points = pane == 2 ? OverlayPoints2[slot] : OverlayPoints[slot];
    int& count = pane == 2 ? OverlayCount2[slot] : OverlayCount[slot];
    const TRect& rect = pane == 2 ? PaneRect2 : PaneRect1;
    count = 0;
    curve = std::make_unique<TOverlayData>(SlotPath(pane, slot).c_str(), Scaling.FreqScaleType,
                                           SlotOffset(pane, slot), 0);
    points.assign(size_t(4 * std::max(rect.Width(), 0)), TCurvePoint{0, 0});
    count = BuildOverlayTrace(curve.get(), rect, points.data(), int(points.size()));
    points.resize(size_t(count));
    points.shrink_to_fit();
}

void TSpectrumPlot::LoadOverlays()
{
    if (Updating)
        return;
    TEngineWait wait;
    SyncScale();
    for (int pane = 1; pane <= 2; ++pane) {
        auto* curves = pane == 2 ? Overlay2 : Overlay;
        auto* points = pane == 2 ? OverlayPoints2 : OverlayPoints;
        int* counts = pane == 2 ? OverlayCount2 : OverlayCount;
        const bool present = pane == 1 || PaneMode == 2;
        for (int n = 0; n < SlotCount; ++n) {
            curves[n].reset();
            points[n].clear();
            counts[n] = 0;
        }
        if (!present)
            continue;
        // The composite's file first, so that its slot reads what the others hold now.
        BuildCompositeOverlay(pane);
        for (int n = 0; n < SlotCount; ++n)
            if (ShowFlags(pane)[n])
                LoadSlot(pane, n);
    }
    // Shows the lower pane's slot controls in two panes only.
    PlaceOverlayControls();
}

int TSpectrumPlot::BuildOverlayTrace(TOverlayData* overlay, const TRect& pane, TCurvePoint* points, int capacity)
{
    const int width = pane.Width();
    if (!Data || !overlay || !points || width <= 0 || int(Scale.ColumnBins.size()) < width)
        return 0;
    if (Scaling.AmpScaleType == DisplaySettingsStruct::LinearAmplitude && Opts->PlotTop <= 0.0f)
        Opts->PlotTop = 1.0f;
    SyncScale();
    const bool coherence = IsCoherencePane(pane);
    const int paneHeight = pane.Height();
    auto height = [&](float v) { return Scale.ValueToHeight(v, paneHeight, coherence); };
    int count = 0;
    auto emit = [&](int column, int h) {
        if (count < capacity)
            points[count++] = TCurvePoint{pane.left + column - 1, pane.bottom - h};
    };
    const bool bands = Scaling.FreqScaleType == DisplaySettingsStruct::OctaveBands;
    if (bands && (Opts->PlotType == TSpectrumScale::BarGraph || Opts->PlotType == TSpectrumScale::StepBarGraph)) {
        // A staircase with a step at each band edge.
        uint32_t previousBin = Scale.BinAtColumn(0);
        int previous = height(overlay->GetValue(Data->GetFrequency(int(previousBin))));
        emit(0, previous);
        for (int i = 1; i < width; ++i) {
            const uint32_t bin = Scale.BinAtColumn(i);
            if (bin == previousBin && i != width - 1)
                continue;
            const int h = height(overlay->GetValue(Data->GetFrequency(int(bin))));
            emit(i, previous);
            emit(i, h);
            previous = h;
            previousBin = bin;
        }
        return count;
    }
    // One point per column, running one column behind the values.
    float previousFrequency = 0.0f;
    int previous = 0;
    for (int i = 0; i < width; ++i) {
        const float f = Scale.FrequencyAtColumn(i);
        const int h = height(bands ? overlay->GetValue(f) : overlay->GetRangeMax(previousFrequency, f));
        if (i == 0) {
            emit(0, h);
            previous = h;
        }
        emit(i, previous);
        previous = h;
        previousFrequency = f;
    }
    return count;
}

void TSpectrumPlot::DrawOverlays(TDC& dc, const TRect& pane, const TRect& update)
{
    const bool lower = PaneMode == 2 && pane == PaneRect2;
    const uint32_t* shown = lower ? Opts->Show2 : Opts->Show1;
    for (int n = 0; n < SlotCount; ++n) {
        if (!shown[n])
            continue;
        const auto& points = lower ? OverlayPoints2[n] : OverlayPoints[n];
        DrawCurve(dc, pane, update, points.data(), lower ? OverlayCount2[n] : OverlayCount[n], Opts->OverlayColor[n],
                  n);
    }
}

void TSpectrumPlot::RepaintOverlays()
{
    if (!HWindow)
        return;
    InvalidateRect(PaneMode == 2 ? GraphRect : PaneRect1, false);
    UpdateWindow();
    RECT client;
    ::GetClientRect(HWindow, &client);
    InvalidateRect(TRect(GraphRect.right + RightMargin / 4, GraphRect.top, client.right, GraphRect.bottom), true);
}

void TSpectrumPlot::OverlaySourceDialog(int pane, int slot, int ask, int source)
{
    if (!PaneUsable(pane, slot))
        return;
    TEngineWait wait;
    int chosen = source == 1 ? 1 : 0;
    if (PeakHoldOn() && ask == 1 && source == 0) {
        if (!MainWin->ChooseSpectrumSource(*this, "DIALOG_OVERLAY_SOURCE", OverlayChoice))
            return;
        chosen = OverlayChoice == 1 ? 1 : 0;
    }
    if (chosen == 1 && !PeakHoldOn())
        return;
    const std::string path = SlotPath(pane, slot);
    TOverlayData curve(pane == 2 ? Data2 : Data, SlotOffset(pane, slot), chosen);
    // The slot keeps the name its file has; a new slot file takes the default.
    char name[TOverlayFile::NameSize];
    const TOverlayData previous(path.c_str(), 0, 0.0f, 1);
    if (!previous.Error && previous.GetName()[0])
        std::snprintf(name, sizeof name, "%s", previous.GetName());
    else
        std::snprintf(name, sizeof name, "Overlay %d", slot + 1);
    // A slot whose file was not written keeps its tick and its curve.
    if (!WriteSlotFile(curve, path, name))
        return;
    if (SlotCheckOf(pane, slot).GetCheck() != BST_CHECKED) {
        SlotCheckOf(pane, slot).SetCheck(BST_CHECKED);
        ShowFlags(pane)[slot] = 1;
    }
    LoadOverlays();
    RepaintOverlays();
}

void TSpectrumPlot::CompositeDialog(int pane, int ask)
{
    if (!PaneUsable(pane, CompositeSlot))
        return;
    if (ask == 1) {
        CompositeSettings edited = CompositeOf(*Opts, pane);
        if (!MainWin->EditCompositeSettings(*this, edited))
            return;
        StoreComposite(*Opts, pane, edited);
    }
    if (SlotCheckOf(pane, CompositeSlot).GetCheck() != BST_CHECKED) {
        SlotCheckOf(pane, CompositeSlot).SetCheck(BST_CHECKED);
        ShowFlags(pane)[CompositeSlot] = 1;
    }
    BuildCompositeOverlay(pane);
    UpdateOverlay(pane, CompositeSlot);
}

void TSpectrumPlot::BuildCompositeOverlay(int pane)
{
    if (!PaneUsable(pane, CompositeSlot) || !ShowFlags(pane)[CompositeSlot])
        return;
    // Only the slots the composite takes are read; settings that cannot form
    // one read none, and a composite that cannot be formed leaves the last
    // one's file as it was.
    const CompositeSettings settings = CompositeOf(*Opts, pane);
    bool wanted[TOverlayData::SlotCurves] = {};
    int count = 0;
    for (int n = 0; n < TOverlayData::SlotCurves; ++n) {
        wanted[n] = settings.CompositeType == CompositeSettings::Average ? settings.IncludeInAverage[n] == 1
                    : settings.CompositeType == CompositeSettings::Difference
                        ? n == settings.DifferenceIndex[0] || n == settings.DifferenceIndex[1]
                        : false;
        count += wanted[n] ? 1 : 0;
    }
    const bool known = settings.CompositeType == CompositeSettings::Average
                       || settings.CompositeType == CompositeSettings::Difference;
    if (known && count < 2)
        return;
    std::unique_ptr<TOverlayData> slots[TOverlayData::SlotCurves];
    const TOverlayData* inputs[TOverlayData::SlotCurves] = {};
    for (int n = 0; n < TOverlayData::SlotCurves; ++n) {
        if (!wanted[n])
            continue;
        slots[n] = std::make_unique<TOverlayData>(SlotPath(pane, n).c_str(), Scaling.FreqScaleType,
                                                  SlotOffset(pane, n), 0);
        inputs[n] = slots[n].get();
    }
    TOverlayData composite(pane == 2 ? Data2 : Data, inputs, settings);
    if (composite.Error)
        return;
    const std::string path = SlotPath(pane, CompositeSlot);
    const TOverlayData previous(path.c_str(), 0, 0.0f, 1);
    composite.Write(path.c_str(), previous.GetName());
}

void TSpectrumPlot::RetraceOverlays()
{
    SyncScale();
    for (int pane = 1; pane <= (PaneMode == 2 ? 2 : 1); ++pane) {
        const TRect& rect = pane == 2 ? PaneRect2 : PaneRect1;
        for (int n = 0; n < SlotCount; ++n) {
            TOverlayData* curve = (pane == 2 ? Overlay2 : Overlay)[n].get();
            auto& points = (pane == 2 ? OverlayPoints2 : OverlayPoints)[n];
            int& count = (pane == 2 ? OverlayCount2 : OverlayCount)[n];
            if (!curve)
                continue;
            points.assign(size_t(4 * std::max(rect.Width(), 0)), TCurvePoint{0, 0});
            count = BuildOverlayTrace(curve, rect, points.data(), int(points.size()));
            points.resize(size_t(count));
        }
    }
}

void TSpectrumPlot::UpdateOverlay(int pane, int slot)
{
    if (!PaneUsable(pane, slot))
        return;
    if (SlotCheckOf(pane, slot).GetCheck() != BST_CHECKED) {
        ShowFlags(pane)[slot] = 0;
        (pane == 2 ? Overlay2 : Overlay)[slot].reset();
        (pane == 2 ? OverlayPoints2 : OverlayPoints)[slot].clear();
        (pane == 2 ? OverlayCount2 : OverlayCount)[slot] = 0;
    } else {
        ShowFlags(pane)[slot] = 1;
        SyncScale();
        LoadSlot(pane, slot);
    }
    if (slot == CompositeSlot)
        LoadOverlays();
    RepaintOverlays();
}

void TSpectrumPlot::TickSlot(int pane, int slot)
{
    // Ticking a slot is a load the user asked for: its file reports its problem again.
    TEngineHost::Get().ForgetFileMessages(SlotPath(pane, slot));
    UpdateOverlay(pane, slot);
}

void TSpectrumPlot::ShowOverlay(int pane, int slot)
{
    if ((pane != 1 && pane != 2) || slot < 0 || slot >= SlotCount)
        return;
    SlotCheckOf(pane, slot).SetCheck(BST_CHECKED);
    ShowFlags(pane)[slot] = 1;
    UpdateOverlay(pane, slot);
}

void TSpectrumPlot::HideOverlay(int pane, int slot)
{
    if ((pane != 1 && pane != 2) || slot < 0 || slot >= SlotCount)
        return;
    SlotCheckOf(pane, slot).SetCheck(BST_UNCHECKED);
    ShowFlags(pane)[slot] = 0;
    UpdateOverlay(pane, slot);
}

void TSpectrumPlot::CmSlotButton(UINT id)
{
    const int pane = int(id) >= SlotButton2Id ? 2 : 1;
    const int slot = int(id) - (pane == 2 ? SlotButton2Id : SlotButtonId);
    if (slot == CompositeSlot)
        CompositeDialog(pane, 1);
    else
        OverlaySourceDialog(pane, slot, 1, 0);
}

void TSpectrumPlot::CmSlotCheck(UINT id)
{
    const int pane = int(id) >= SlotCheck2Id ? 2 : 1;
    TickSlot(pane, int(id) - (pane == 2 ? SlotCheck2Id : SlotCheckId));
}

void TSpectrumPlot::CmOverlayOptions()
{
    SpectrumOpts edited = *Opts;
    if (!MainWin->EditOverlaySettings(*this, edited, Channel, Scaling.FreqScaleType, false))
        return;
    *Opts = edited;
    UpdateLayout();
    LoadOverlays();
    Invalidate(true);
}

void TSpectrumPlot::CmOverlayOptions2()
{
    SpectrumOpts edited = *Opts;
    if (!MainWin->EditOverlaySettings(*this, edited, 2, Scaling.FreqScaleType, true))
        return;
    *Opts = edited;
    UpdateLayout();
    LoadOverlays();
    Invalidate(true);
}

void TSpectrumPlot::CmTogglePowerMeter()
{
    if (Updating || LayoutBusy)
        return;
    Opts->ShowPowerMeter = Opts->ShowPowerMeter ? 0 : 1;
    UpdateLayout();
    ZoomInButton->SetFocus();
}

void TSpectrumPlot::CmToggleOverlayControls()
{
    if (Updating || LayoutBusy)
        return;
    Opts->ShowOverlayControls = Opts->ShowOverlayControls ? 0 : 1;
    UpdateLayout();
    ZoomInButton->SetFocus();
}
