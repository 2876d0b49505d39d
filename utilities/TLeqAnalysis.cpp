#include "utilities/TLeqAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include "framework/TBrush.h"
#include "framework/TButton.h"
#include "framework/TClipboard.h"
#include "framework/TDC.h"
#include "framework/TFont.h"
#include "framework/TMDIClient.h"
#include "framework/TModule.h"
#include "resources/CommandIds.h"
#include "utilities/TUtilityHost.h"

DEFINE_RESPONSE_TABLE1(TLeqAnalysis, TWindow)
    EV_WM_SYSCOMMAND
    EV_WM_SIZE
    EV_BN_CLICKED(TLeqAnalysis::OptionsId, CmOptions)
    EV_BN_CLICKED(TLeqAnalysis::ResetId, CmReset)
    EV_BN_CLICKED(TLeqAnalysis::CopyId, CmCopy)
END_RESPONSE_TABLE;

namespace {

constexpr const char* Labels[] = {"LeqT:", "Leq:", "Lsel:", "Lpk:", "Lmax:", "Lmin:", "L10:", "L50:", "L90:"};
constexpr float TLeqData::Results::* Figures[] = {
    &TLeqData::Results::LeqT, &TLeqData::Results::Leq,  &TLeqData::Results::Lsel,
    &TLeqData::Results::Lpk,  &TLeqData::Results::Lmax, &TLeqData::Results::Lmin,
    &TLeqData::Results::L10,  &TLeqData::Results::L50,  &TLeqData::Results::L90};

}  // namespace

TLeqAnalysis::TLeqAnalysis(TMDIClient& parent, TUtilityHost& host, const char* caption)
    : TWindow(&parent, caption), Host(host)
{
    Attr.Style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    Attr.X = 300;
    Attr.Y = 200;
    Attr.W = 100;
    Attr.H = 60;
    OptionsButton = std::make_unique<TButton>(this, OptionsId, "Options...", 1, 1, 10, 10);
    ResetButton = std::make_unique<TButton>(this, ResetId, "Reset", 1, 1, 10, 10);
    CopyButton = std::make_unique<TButton>(this, CopyId, "Copy to Clipboard", 1, 1, 10, 10);
}

TLeqAnalysis::~TLeqAnalysis() = default;

void TLeqAnalysis::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    wc.hIcon = ::LoadIconA(GetModule()->GetInstance(), "ICON_UTILITY");
    if (const TBrush* brush = Host.GetFaceBrush()) wc.hbrBackground = *brush;
}

void TLeqAnalysis::SetupWindow()
{
    TWindow::SetupWindow();
    if (const TFont* font = Host.GetMainFont())
        for (TWindow* control : GetChildren()) control->SendMessage(WM_SETFONT, WPARAM(HFONT(*font)), TRUE);
    Rebuild();
    LayoutButtons();
}

void TLeqAnalysis::Rebuild()
{
    LeftBlock.reset();
    RightBlock.reset();
    LeftData.reset();
    RightData.reset();
    const AnalysisSettingsStruct& settings = Host.GetAnalysisSettings();
    const CalibrationStruct& calibration = Host.GetCalibration();
    auto build = [&](int channel, std::unique_ptr<TSeriesData>& block, std::unique_ptr<TLeqData>& data) {
        block = std::make_unique<TSeriesData>(TLeqData::BlockSize, settings.Format, 1, 0);
        data = std::make_unique<TLeqData>(Host.GetLeqOptions(), settings, Host.GetScaling(channel),
                                          channel == 0 ? &calibration.Left : &calibration.Right, 1.0f,
                                          TLeqData::WindowCapacity);
        if (block->Error || !data->IsReady()) {
            block.reset();
            data.reset();
        }
    };
    build(0, LeftBlock, LeftData);
    if (settings.Format.NumChannels == 2) build(1, RightBlock, RightData);
    StartTime = LastBlockTime = LastRecalculation = Host.GetCurrentTime();
}

void TLeqAnalysis::Refresh()
{
    Rebuild();
    Invalidate(true);
}

bool TLeqAnalysis::AcquireBlock()
{
    if (!LeftData || !LeftBlock) return false;
    const AnalysisSettingsStruct& settings = Host.GetAnalysisSettings();
    if (settings.Format.NumChannels == 2 && !RightBlock) return false;
    const float now = Host.GetCurrentTime();
    // Timed averaging paces itself; otherwise a block at most every 0.1 s of analysis time.
    if (!(settings.AverageType != 0 && settings.AverageSpeed != 0 && settings.AverageSpeed != 4)) {
        float dt = now - LastBlockTime;
        if (!(dt > 0.0f)) {
            dt = 0.001f;
            LastBlockTime = now;
        }
        if (dt <= MinBlockSpacing) return false;
        LastBlockTime = now;
    }
    if (StartTime == NoTime) StartTime = now;
    const float elapsed = now - StartTime;
    if (elapsed > 0.0f) {
        LeftData->SetElapsedTime(elapsed);
        if (RightData) RightData->SetElapsedTime(elapsed);
    }
    return Host.ReadSourceBlocks(0, *LeftBlock, RightBlock.get());
}

void TLeqAnalysis::Update(bool final)
{
    if (AcquireBlock()) {
        LeftData->AddSpectrum(*LeftBlock);
        if (RightData && RightBlock) RightData->AddSpectrum(*RightBlock);
    }
    const LeqSettings& options = Host.GetLeqOptions();
    bool recalculate = false;
    if (options.RecalculationMode == 1) {
        recalculate = final;
    } else if (options.RecalculationMode == 0) {
        const float now = Host.GetCurrentTime();
        float dt = now - LastRecalculation;
        if (!(dt > 0.0f)) {
            dt = 0.001f;
            LastRecalculation = now;
        }
        if (dt >= options.UpdateIntervalSec) {
            recalculate = true;
            LastRecalculation = now;
        }
    }
    if (!recalculate) return;
    // An interval without a block (the last update after a file's end) keeps
    // the figures of the one before rather than showing an empty interval.
    for (TLeqData* data : {LeftData.get(), RightData.get()})
        if (data && data->GetCount() > 0) {
            data->Compute();
            data->Reset();
        }
    TRect area = GetClientRect();
    area.bottom = std::max(area.top, area.bottom - 25);
    InvalidateRect(area, true);
    UpdateWindow();
}

std::string TLeqAnalysis::ValueText(int row, int channel) const
{
    const TLeqData* data = Data(channel);
    if (!data || row < 0 || row >= int(std::size(Figures))) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%6.2f", double(data->GetResults().*Figures[row]));
    return text;
}

void TLeqAnalysis::Paint(TDC& dc, bool, TRect&)
{
    const TRect client = GetClientRect();
    const int height = std::max((int(client.Height()) - 28) / 9, 15);
    size_t widest = 1;
    for (int row = 0; row < 9; ++row)
        widest = std::max(widest, std::string(Labels[row]).size() + ValueText(row, 0).size() + ValueText(row, 1).size());
    const int width = int(client.Width()) / int(widest + 6);
    if (height > 500 || width > 500) return;
    TFont font("Arial", height, width, 0, 0, FW_NORMAL);
    dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    const int leftX = RightData ? int(client.Width()) / 3 : int(client.Width()) / 2;
    for (int row = 0; row < 9; ++row) {
        const int y = int(client.top) + 4 + row * height;
        dc.TextOut(2, y, Labels[row]);
        const std::string left = ValueText(row, 0), right = ValueText(row, 1);
        dc.TextOut(leftX, y, left.c_str(), int(left.size()));
        if (RightData) dc.TextOut(2 * int(client.Width()) / 3, y, right.c_str(), int(right.size()));
    }
    dc.RestoreFont();
    dc.MoveTo(int(client.left), int(client.bottom) - 27);
    dc.LineTo(int(client.right), int(client.bottom) - 27);
}

std::string TLeqAnalysis::CopyText() const
{
    const LeqSettings& options = Host.GetLeqOptions();
    const std::string left = LeftData ? TLeqData::ReportText(LeftData->GetResults(), options, false) : "";
    const std::string right = RightData ? TLeqData::ReportText(RightData->GetResults(), options, true) : "";
    return left + "\r\n\r\n" + right;
}

void TLeqAnalysis::CmCopy()
{
    TClipboard clipboard(GetHandle());
    if (!clipboard.IsOpen()) return;
    clipboard.EmptyClipboard();
    if (!clipboard.SetText(CopyText()))
        MessageBox("Insufficient Memory to continue.  Please close some applications to free up memory.", "", MB_OK);
}

void TLeqAnalysis::CmOptions()
{
    Host.RunCommand(CM_LEQOPTIONS);
}

void TLeqAnalysis::CmReset()
{
    Refresh();
}

void TLeqAnalysis::LayoutButtons()
{
    if (!GetHandle()) return;
    const int top = int(GetClientRect().bottom) - 22;
    OptionsButton->SetWindowPos(nullptr, 2, top, 60, 20, SWP_NOZORDER);
    ResetButton->SetWindowPos(nullptr, 66, top, 60, 20, SWP_NOZORDER);
    CopyButton->SetWindowPos(nullptr, 130, top, 120, 20, SWP_NOZORDER);
}

void TLeqAnalysis::EvSize(UINT sizeType, const TSize& size)
{
    const TRect client = GetClientRect();
    if (sizeType != SIZE_MINIMIZED && (client.Width() < MinWidth || client.Height() < MinHeight)) {
        const TRect window = GetWindowRect();
        const int width = int(window.Width()) + std::max(MinWidth - int(client.Width()), 0);
        const int height = int(window.Height()) + std::max(MinHeight - int(client.Height()), 0);
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    } else {
        TWindow::EvSize(sizeType, size);
    }
    Invalidate(true);
    LayoutButtons();
}

void TLeqAnalysis::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE) {
        Host.UtilityClosed(*this);
        return;
    }
    DefaultProcessing();
}
