#include "shell/Toolbar.h"

#include <cstdio>
#include <cstring>

#include "dialogs/TAveragingChoices.h"
#include "engine/TWaveFile.h"
#include "framework/TDC.h"
#include "framework/UiHelpers.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/TMainWin.h"

DEFINE_RESPONSE_TABLE1(Toolbar, TWindow)
    EV_CHILD_NOTIFY(Toolbar::RunId, BN_CLICKED, CmRun)
    EV_CHILD_NOTIFY(Toolbar::StopId, BN_CLICKED, CmStop)
    EV_CHILD_NOTIFY(Toolbar::RewindId, BN_CLICKED, CmRewind)
    EV_CHILD_NOTIFY(Toolbar::ForwardId, BN_CLICKED, CmForward)
    EV_CHILD_NOTIFY(Toolbar::RecordId, BN_CLICKED, CmRecord)
    EV_CHILD_NOTIFY(Toolbar::PlayId, BN_CLICKED, CmPlay)
    EV_CHILD_NOTIFY_ALL_CODES(Toolbar::AveragingId, AveragingChosen)
    EV_CHILD_NOTIFY_ALL_CODES(Toolbar::PeakHoldId, PeakHoldChosen)
    EV_CHILD_NOTIFY_ALL_CODES(Toolbar::PositionId, PositionScrolled)
    EV_CHILD_NOTIFY_ALL_CODES(Toolbar::ConfigId, ConfigChosen)
    EV_WM_LBUTTONDBLCLK
    EV_WM_LBUTTONDOWN
    EV_WM_RBUTTONDOWN
END_RESPONSE_TABLE;

namespace {

const DWORD ComboStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST;
// The buffer whose address the configuration load message carries.
char ConfigPath[260];

}  // namespace

Toolbar::Toolbar(TWindow* parent, TMainWin* mainWin, int mode) : TWindow(parent, ""), Mode(mode), MainWin(mainWin)
{
    // Clipping the children keeps a read-out's refresh from repainting the
    // position scroll bar beside it, a redraw that costs more than the block.
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN;
    auto button = [&](int id, int x, const char* up, const char* down, const char* tip) {
        return std::make_unique<ToolBtn>(this, id, up, down, nullptr, x, 1, 40, 32, tip);
    };
    auto combo = [&](int id, int x, int w, int h) {
        return std::make_unique<TComboBoxNonSort>(this, id, x, 6, w, h, ComboStyle, 20);
    };
    switch (mode) {
    case TMainWin::RealTime:
        RunBtn = button(RunId, 2, "RunUp", "RunDown", "Run analyzer");
        StopBtn = button(StopId, 44, "StopUp", "StopDown", "Stop analyzer");
        AvgCombo = combo(AveragingId, 126, 66, 840);
        PeakCombo = combo(PeakHoldId, 266, 70, 200);
        ConfigCombo = combo(ConfigId, 360, 240, 840);
        break;
    case TMainWin::PostProcess:
        RunBtn = button(RunId, 2, "RunUp", "RunDown", "Run analyzer");
        StopBtn = button(StopId, 44, "StopUp", "StopDown", "Stop analyzer");
        RewindBtn = button(RewindId, 86, "RwdUp", "RwdDown", "Rewind to beginning of file");
        AvgCombo = combo(AveragingId, 166, 66, 840);
        PeakCombo = combo(PeakHoldId, 306, 70, 200);
        PosScroll = std::make_unique<TScrollBar>(this, PositionId, 460, 8, 120, 18, true);
        ConfigCombo = combo(ConfigId, 665, 240, 840);
        break;
    case TMainWin::Recorder:
        RecordBtn = button(RecordId, 2, "RecUp", "RecDown", "Record wave file");
        PlayBtn = button(PlayId, 44, "PlayUp", "PlayDown", "Playback wave file");
        RewindBtn = button(RewindId, 86, "RwdUp", "RwdDown", "Rewind to beginning of file");
        ForwardBtn = button(ForwardId, 128, "FwdUp", "FwdDown", "Move forward to end of file");
        StopBtn = button(StopId, 170, "StopUp", "StopDown", "Stop recording");
        PosScroll = std::make_unique<TScrollBar>(this, PositionId, 292, 8, 145, 18, true);
        ConfigCombo = combo(ConfigId, 528, 240, 840);
        break;
    default:
        break;
    }
}

void Toolbar::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    wc.style |= CS_DBLCLKS;
    wc.hbrBackground = *MainWin->FaceBrush;
}

void Toolbar::SetupWindow()
{
    TWindow::SetupWindow();
    for (TComboBoxNonSort* c : {AvgCombo.get(), PeakCombo.get(), ConfigCombo.get()})
        if (c)
            c->SendMessage(WM_SETFONT, WPARAM(HFONT(*MainWin->MainFont)), TRUE);
    if (PosScroll) {
        PosScroll->SetRange(0, 1000);
        PosScroll->LineMagnitude = 10;
        PosScroll->PageMagnitude = 100;
    }
    SetMode();
    Ready = 1;
}

void Toolbar::SetMode()
{
    switch (Mode) {
    case TMainWin::RealTime:
        FillPeakHoldList();
        FillAveragingList();
        FillConfigList();
        break;
    case TMainWin::PostProcess:
        FillAveragingList();
        FillPeakHoldList();
        FillConfigList();
        UpdateDisplay(1, 1);
        break;
    case TMainWin::Recorder:
        FillConfigList();
        UpdateDisplay(1, 1);
        break;
    default:
        break;
    }
}

void Toolbar::FillConfigList()
{
    if (!ConfigCombo)
        return;
    ConfigCombo->ClearList();
    ConfigCombo->AddString("Load Configuration");
    char pattern[300];
    std::snprintf(pattern, sizeof pattern, "%s\\*.cfg", MainWin->CurrentFolders[TMainWin::CfgFolder]);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const size_t length = std::strlen(found.cFileName);
            if (length > 4) {
                found.cFileName[length - 4] = '\0';
                ConfigCombo->AddString(found.cFileName);
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ConfigCombo->SetSelIndex(0);
}

void Toolbar::FillAveragingList()
{
    if (!AvgCombo)
        return;
    AvgCombo->ClearList();
    const AnalysisSettingsStruct& s = MainWin->Settings;
    if (s.AverageMode == AnalysisSettingsStruct::BlockAveraging) {
        for (const char* text : TAveragingChoices::BlockCounts)
            AvgCombo->AddString(text);
        AvgCombo->SetSelIndex(TAveragingChoices::BlockCountIndex(s.AverageBlocks));
    } else {
        for (const char* text : TAveragingChoices::Speeds)
            AvgCombo->AddString(text);
        AvgCombo->SetSelIndex(s.AverageSpeed);
    }
}

void Toolbar::FillPeakHoldList()
{
    if (!PeakCombo)
        return;
    PeakCombo->ClearList();
    for (const char* text : TAveragingChoices::Speeds)
        PeakCombo->AddString(text);
    PeakCombo->SetSelIndex(MainWin->Settings.PeakHold);
}

void Toolbar::AveragingChosen(UINT code)
{
    if (code != CBN_SELCHANGE || !AvgCombo)
        return;
    const int index = AvgCombo->GetSelIndex();
    if (index < 0)
        return;
    if (MainWin->Settings.AverageMode == AnalysisSettingsStruct::BlockAveraging) {
        MainWin->SetAverageBlocks(TAveragingChoices::BlocksOf(AvgCombo->GetString(index)));
    } else {
        MainWin->SetAverageSpeed(uint16_t(index));
    }
}

void Toolbar::PeakHoldChosen(UINT code)
{
    if (code != CBN_SELCHANGE || !PeakCombo)
        return;
    const int index = PeakCombo->GetSelIndex();
    if (index < 0 || index == MainWin->Settings.PeakHold)
        return;
    MainWin->SetPeakHold(uint16_t(index));
}

void Toolbar::ConfigChosen(UINT code)
{
    if (code != CBN_SELCHANGE || !Ready || !ConfigCombo || ConfigCombo->GetSelIndex() <= 0)
        return;
    if (MainWin->RunState != TMainWin::Stopped)
        MainWin->StopAnalyzer();
    char name[260] = {};
    ConfigCombo->GetWindowText(name, sizeof name);
    std::snprintf(ConfigPath, sizeof ConfigPath, "%s\\%s.cfg", MainWin->CurrentFolders[TMainWin::CfgFolder], name);
    MainWin->PostMessage(TMainWin::LoadConfigRequest, 0, LPARAM(ConfigPath));
}

void Toolbar::CmRun()
{
    MainWin->BlockLimitFlag = 0;
    MainWin->StartAnalyzer();
}

void Toolbar::CmStop()
{
    MainWin->StopAnalyzer();
}

void Toolbar::AfterPositionChange()
{
    UpdateDisplay(1, 0);
    MainWin->MarkSeriesSelection();
}

void Toolbar::CmRewind()
{
    if (!MainWin->WaveFile)
        return;
    if (MainWin->RunState != TMainWin::Stopped)
        MainWin->StopAnalyzer();
    MainWin->WaveFile->Rewind();
    MainWin->CurrentTime = 0.0f;
    AfterPositionChange();
}

void Toolbar::CmForward()
{
    if (MainWin->OpMode != TMainWin::Recorder || !MainWin->WaveFile)
        return;
    if (MainWin->RunState != TMainWin::Stopped)
        MainWin->StopAnalyzer();
    MainWin->WaveFile->SeekEnd();
    MainWin->CurrentTime = MainWin->WaveFile->GetHighWaterTime();
    AfterPositionChange();
}

void Toolbar::CmRecord()
{
    if (MainWin->OpMode != TMainWin::Recorder || MainWin->RunState == TMainWin::Recording)
        return;
    if (MainWin->RunState == TMainWin::Playback)
        MainWin->StopAnalyzer();
    if (!MainWin->WaveFile)
        MainWin->SendMessage(WM_COMMAND, CM_FILENEW);
    MainWin->AppendHalt = 0;
    MainWin->RunState = TMainWin::Recording;
    MainWin->StartAnalyzer();
}

void Toolbar::CmPlay()
{
    if (MainWin->RunState == TMainWin::Playback)
        return;
    if (MainWin->RunState == TMainWin::Recording)
        MainWin->StopAnalyzer();
    if (MainWin->OpMode != TMainWin::Recorder || !MainWin->WaveFile)
        return;
    MainWin->RunState = TMainWin::Playback;
    MainWin->StartAnalyzer();
}

void Toolbar::PositionScrolled(UINT)
{
    TWaveFile* wave = MainWin->WaveFile;
    if (!wave || MainWin->OpMode == TMainWin::RealTime || !PosScroll)
        return;
    const int p = PosScroll->GetPosition();
    if (p == 0) {
        wave->Rewind();
        MainWin->CurrentTime = 0.0f;
    } else {
        const float t = 0.001f * p * wave->GetHighWaterTime();
        wave->SetPositionTime(t);
        MainWin->CurrentTime = t;
    }
    AfterPositionChange();
}

TRect Toolbar::TimeRect() const
{
    if (MainWin->OpMode == TMainWin::PostProcess)
        return TRect(382, 5, 463, 22);
    if (MainWin->OpMode == TMainWin::Recorder)
        return TRect(220, 5, 295, 22);
    return TRect();
}

TRect Toolbar::LengthRect() const
{
    if (MainWin->OpMode == TMainWin::PostProcess)
        return TRect(585, 5, 668, 22);
    if (MainWin->OpMode == TMainWin::Recorder)
        return TRect(439, 5, 510, 22);
    return TRect();
}

void Toolbar::UpdateDisplay(int times, int length)
{
    if (MainWin->OpMode == TMainWin::RealTime || !HWindow)
        return;
    int position = 0;
    if (TWaveFile* wave = MainWin->WaveFile) {
        const float total = wave->GetHighWaterTime();
        if (total > 0.0f)
            position = int(uint16_t(1000.0f * MainWin->CurrentTime / total));
    }
    // Setting the thumb redraws the scroll bar even where it stays.
    if (PosScroll && PosScroll->GetHandle() && PosScroll->GetPosition() != position)
        PosScroll->SetPosition(position);
    if (times)
        InvalidateRect(TimeRect(), true);
    if (length)
        InvalidateRect(LengthRect(), true);
    UpdateWindow();
}

void Toolbar::UpdateButtons()
{
    const int state = MainWin->RunState;
    auto latch = [](const std::unique_ptr<ToolBtn>& b, bool on) {
        if (b)
            b->SetHighlight(on ? 1 : 0);
    };
    if (Mode == TMainWin::RealTime || Mode == TMainWin::PostProcess) {
        latch(RunBtn, state == TMainWin::Running);
        latch(StopBtn, state != TMainWin::Running);
    } else if (Mode == TMainWin::Recorder) {
        latch(RecordBtn, state == TMainWin::Recording);
        latch(PlayBtn, state == TMainWin::Playback);
        latch(StopBtn, state == TMainWin::Stopped);
    }
}

void Toolbar::EvSysColorChange()
{
    if (HWindow)
        SetClassLong(GCLP_HBRBACKGROUND, LONG_PTR(HBRUSH(*MainWin->FaceBrush)));
    for (ToolBtn* b : {RunBtn.get(), StopBtn.get(), RewindBtn.get(), ForwardBtn.get(), RecordBtn.get(), PlayBtn.get()})
        if (b)
            b->LoadBitmaps();
}

void Toolbar::EvLButtonDown(UINT, const TPoint&)
{
    MainWin->ResetAveragers();
}

void Toolbar::EvRButtonDown(UINT, const TPoint&)
{
    MainWin->ResetAveragers();
}

void Toolbar::EvLButtonDblClk(UINT, const TPoint&)
{
    MainWin->SendMessage(WM_COMMAND, CM_SETTINGS);
}

void Toolbar::Paint(TDC& dc, bool, TRect&)
{
    dc.SelectObject(*MainWin->MainFont);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = ::GetTextAlign(dc);
    auto text = [&](int x, UINT align, const char* s) {
        ::SetTextAlign(dc, align | TA_TOP);
        ::TextOutA(dc, x, 9, s, int(std::strlen(s)));
    };
    const float length = MainWin->WaveFile ? MainWin->WaveFile->GetHighWaterTime() : 0.0f;
    char time[40], total[40];
    std::snprintf(time, sizeof time, "%s", FormatTime(MainWin->CurrentTime, true, false));
    std::snprintf(total, sizeof total, "%s", FormatTime(length, true, false));
    switch (Mode) {
    case TMainWin::RealTime:
        text(122, TA_RIGHT, IDS_AVERAGING_LABEL_TEXT);
        text(202, TA_LEFT, IDS_PEAK_HOLD_LABEL_TEXT);
        break;
    case TMainWin::PostProcess:
        text(162, TA_RIGHT, IDS_AVERAGING_LABEL_TEXT);
        text(242, TA_LEFT, IDS_PEAK_HOLD_LABEL_TEXT);
        text(455, TA_RIGHT, time);
        text(586, TA_LEFT, total);
        break;
    case TMainWin::Recorder:
        text(286, TA_RIGHT, time);
        text(446, TA_LEFT, total);
        break;
    default:
        break;
    }
    ::SetTextAlign(dc, oldAlign);
    ::SetBkMode(dc, oldMode);
}
