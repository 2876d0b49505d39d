#include "utilities/TDelayFinder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "framework/TBrush.h"
#include "framework/TButton.h"
#include "framework/TDC.h"
#include "framework/TEdit.h"
#include "framework/TFont.h"
#include "framework/TMDIClient.h"
#include "framework/TModule.h"
#include "resources/CommandIds.h"
#include "utilities/TUtilityHost.h"

DEFINE_RESPONSE_TABLE1(TDelayFinder, TWindow)
    EV_WM_SYSCOMMAND
    EV_WM_SIZE
    EV_BN_CLICKED(TDelayFinder::ApplyId, CmApplyDelay)
    EV_BN_CLICKED(TDelayFinder::OptionsId, CmOptions)
    EV_EN_CHANGE(TDelayFinder::DelayEditId, EvDelayEditChange)
END_RESPONSE_TABLE;

TDelayFinder::TDelayFinder(TMDIClient& parent, TUtilityHost& host, const char* caption)
    : TWindow(&parent, caption), Host(host)
{
    Attr.Style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    Attr.X = 300;
    Attr.Y = 200;
    Attr.W = 100;
    Attr.H = 60;
    ApplyButton = std::make_unique<TButton>(this, ApplyId, "Apply to Processing Delay -->", 1, 1, 10, 10);
    OptionsButton = std::make_unique<TButton>(this, OptionsId, "Options...", 1, 1, 10, 10);
    DelayEdit = std::make_unique<TEdit>(this, DelayEditId, "", 1, 1, 10, 10, EditLength);
}

TDelayFinder::~TDelayFinder() = default;

void TDelayFinder::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    wc.hIcon = ::LoadIconA(GetModule()->GetInstance(), "ICON_UTILITY");
    if (const TBrush* brush = Host.GetFaceBrush()) wc.hbrBackground = *brush;
}

void TDelayFinder::SetupWindow()
{
    TWindow::SetupWindow();
    if (const TFont* font = Host.GetMainFont())
        for (TWindow* control : GetChildren()) control->SendMessage(WM_SETFONT, WPARAM(HFONT(*font)), TRUE);
    Initialize();
    PlaceControls();
}

void TDelayFinder::ShowProcessingDelay()
{
    char text[40];
    std::snprintf(text, sizeof text, "%6.3f msec", double(Host.GetAnalysisSettings().DelayTimeMsec));
    DelayEdit->SetWindowText(text);
}

void TDelayFinder::Initialize()
{
    ShowProcessingDelay();
    const AnalysisSettingsStruct& settings = Host.GetAnalysisSettings();
    if (settings.Format.NumChannels != 2) {
        MessageBox("The Delay Finder utility requires stereo operation.  It will now be shutdown", "Tonalyx",
                   MB_OK | MB_ICONINFORMATION);
        // Closed through the queue: this handler still runs on the window.
        Host.UtilityClosed(*this);
        return;
    }
    Correlator.reset();
    LeftBlock.reset();
    RightBlock.reset();
    auto correlator =
        std::make_unique<TDelayCorrelator>(settings, Host.GetScaling(0), Host.GetDelayFinderOptions().MaxDelayMsec);
    const uint32_t n = correlator->GetBlockSize();
    std::unique_ptr<TSeriesData> left, right;
    if (correlator->IsReady()) {
        left = std::make_unique<TSeriesData>(n, settings.Format, 1, 0);
        right = std::make_unique<TSeriesData>(n, settings.Format, 1, 0);
    }
    if (!correlator->IsReady() || left->Error || right->Error) {
        MessageBox("Insufficient Memory to continue.  Please close some applications to free up memory.", "Tonalyx",
                   MB_OK);
        return;
    }
    Correlator = std::move(correlator);
    LeftBlock = std::move(left);
    RightBlock = std::move(right);
}

bool TDelayFinder::FetchBlocks()
{
    return LeftBlock && RightBlock && Host.ReadSourceBlocks(GetFftSize() / 2, *LeftBlock, RightBlock.get());
}

void TDelayFinder::Update()
{
    if (!Correlator || !FetchBlocks()) return;
    DelayMsec = Correlator->Measure(*LeftBlock, *RightBlock);
    TRect area = GetClientRect();
    area.bottom = std::max(area.top, area.bottom - 25);
    InvalidateRect(area, true);
    UpdateWindow();
}

float TDelayFinder::GetDelayInUnits() const
{
    const DelayFinderSettings& options = Host.GetDelayFinderOptions();
    return TDelayCorrelator::ToUnits(DelayMsec, options.DisplayUnits, options.SpeedOfSound);
}

void TDelayFinder::ClearDelay()
{
    Initialize();
    DelayMsec = 0.0f;
    Invalidate(true);
}

std::string TDelayFinder::DelayText() const
{
    static const char* const Formats[] = {"%6.3f msec", "%6.3f ft", "%6.3f m"};
    const uint16_t unit = Host.GetDelayFinderOptions().DisplayUnits;
    char text[48];
    std::snprintf(text, sizeof text, unit < 3 ? Formats[unit] : Formats[0], double(GetDelayInUnits()));
    return text;
}

void TDelayFinder::Paint(TDC& dc, bool, TRect&)
{
    const TRect client = GetClientRect();
    const std::string text = DelayText();
    const int count = int(std::max<size_t>(text.size(), 1)) + 2;
    const int height = std::max(int(client.Height()) - 28, 15);
    const int width = int(client.Width()) / count;
    if (height > 500 || width > 500) return;
    TFont font("Arial", height, width, 0, 0, FW_NORMAL);
    dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.TextOut(int(client.Width()) / 2, int(client.top) + 2, text.c_str(), int(text.size()));
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.RestoreFont();
    dc.MoveTo(int(client.left), int(client.bottom) - 27);
    dc.LineTo(int(client.right), int(client.bottom) - 27);
}

void TDelayFinder::PlaceControls()
{
    if (!GetHandle()) return;
    const int top = int(GetClientRect().bottom) - 22;
    OptionsButton->SetWindowPos(nullptr, 2, top, 60, 20, SWP_NOZORDER);
    ApplyButton->SetWindowPos(nullptr, 66, top, 180, 20, SWP_NOZORDER);
    DelayEdit->SetWindowPos(nullptr, 250, top, 78, 20, SWP_NOZORDER);
}

void TDelayFinder::EvSize(UINT sizeType, const TSize& size)
{
    const TRect client = GetClientRect();
    if (sizeType != SIZE_MINIMIZED && (client.Width() < MinWidth || client.Height() < MinHeight)) {
        const TRect window = GetWindowRect();
        const int width = client.Width() < MinWidth ? MinWidth : int(window.Width());
        const int height = client.Height() < MinHeight ? MinHeight : int(window.Height());
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    } else {
        TWindow::EvSize(sizeType, size);
    }
    Invalidate(true);
    PlaceControls();
}

void TDelayFinder::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE) {
        Host.UtilityClosed(*this);
        return;
    }
    DefaultProcessing();
}

void TDelayFinder::CmApplyDelay()
{
    Host.SetProcessingDelay(DelayMsec >= 0.0f ? 1 : 0, std::fabs(DelayMsec));
    ShowProcessingDelay();
}

void TDelayFinder::CmOptions()
{
    Host.RunCommand(CM_DELAYFINDEROPTIONS);
}

// Any change of the text, the program's own included: the delayed channel stays.
void TDelayFinder::EvDelayEditChange()
{
    // The leading number of the text; no number, or none finite, reads 0.
    const double typed = std::strtod(DelayEdit->GetWindowText().substr(0, EditLength).c_str(), nullptr);
    const float ms = std::isfinite(typed) ? float(std::clamp(typed, 0.0, 1000.0)) : 0.0f;
    Host.SetProcessingDelay(Host.GetAnalysisSettings().DelayChannel, ms);
}
