#include "shell/Toolbar.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dialogs/TAveragingChoices.h"
#include "engine/TWaveFile.h"
#include "framework/TClientDC.h"
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
    // Controls are made at their least widths; SetupWindow places them from
    // the widths their texts take in the bar's font.
    auto button = [&](int id, const char* up, const char* down, const char* tip) {
        return std::make_unique<ToolBtn>(this, id, up, down, nullptr, 0, ButtonTop, ButtonWidth, ButtonHeight, tip);
    };
    auto combo = [&](int id, int w, int h) {
        return std::make_unique<TComboBoxNonSort>(this, id, 0, ComboTop, w, h, ComboStyle, 20);
    };
    switch (mode) {
    case TMainWin::RealTime:
        RunBtn = button(RunId, "RunUp", "RunDown", "Run analyzer");
        StopBtn = button(StopId, "StopUp", "StopDown", "Stop analyzer");
        AvgCombo = combo(AveragingId, AveragingWidth, 840);
        PeakCombo = combo(PeakHoldId, PeakHoldWidth, 200);
        ConfigCombo = combo(ConfigId, ConfigWidth, 840);
        break;
    case TMainWin::PostProcess:
        RunBtn = button(RunId, "RunUp", "RunDown", "Run analyzer");
        StopBtn = button(StopId, "StopUp", "StopDown", "Stop analyzer");
        RewindBtn = button(RewindId, "RwdUp", "RwdDown", "Rewind to beginning of file");
        AvgCombo = combo(AveragingId, AveragingWidth, 840);
        PeakCombo = combo(PeakHoldId, PeakHoldWidth, 200);
        PosScroll = std::make_unique<TScrollBar>(this, PositionId, 0, ScrollTop, 120, ScrollHeight, true);
        ConfigCombo = combo(ConfigId, ConfigWidth, 840);
        break;
    case TMainWin::Recorder:
        RecordBtn = button(RecordId, "RecUp", "RecDown", "Record wave file");
        PlayBtn = button(PlayId, "PlayUp", "PlayDown", "Playback wave file");
        RewindBtn = button(RewindId, "RwdUp", "RwdDown", "Rewind to beginning of file");
        ForwardBtn = button(ForwardId, "FwdUp", "FwdDown", "Move forward to end of file");
        StopBtn = button(StopId, "StopUp", "StopDown", "Stop recording");
        PosScroll = std::make_unique<TScrollBar>(this, PositionId, 0, ScrollTop, 145, ScrollHeight, true);
        ConfigCombo = combo(ConfigId, ConfigWidth, 840);
        break;
    default:
        break;
    }
}

std::vector<TControlRow::Item> Toolbar::RowItems(int comboChrome) const
{
    using Item = TControlRow::Item;
    std::vector<std::string> averaging(std::begin(TAveragingChoices::BlockCounts),
                                       std::end(TAveragingChoices::BlockCounts));
    averaging.insert(averaging.end(), std::begin(TAveragingChoices::Speeds), std::end(TAveragingChoices::Speeds));
    const std::vector<std::string> speeds(std::begin(TAveragingChoices::Speeds), std::end(TAveragingChoices::Speeds));
    // The widest time the read-outs show, hours and all.
    const std::vector<std::string> time{"00:00:00.000"};
    const Item avgLabel{AveragingLabel, 0, 0, {IDS_AVERAGING_LABEL_TEXT}, LabelGap};
    const Item avg{AveragingId, AveragingWidth, comboChrome, averaging, GroupGap};
    const Item peakLabel{PeakHoldLabel, 0, 0, {IDS_PEAK_HOLD_LABEL_TEXT}, LabelGap};
    const Item peak{PeakHoldId, PeakHoldWidth, comboChrome, speeds, GroupGap};
    const Item config{ConfigId, ConfigWidth, comboChrome, {"Load Configuration"}, 0};
    auto button = [](int id, bool last = false) { return Item{id, ButtonWidth, 0, {}, last ? GroupGap : ButtonGap}; };
    switch (Mode) {
    case TMainWin::RealTime:
        return {button(RunId), button(StopId, true), avgLabel, avg, peakLabel, peak, config};
    case TMainWin::PostProcess:
        return {button(RunId), button(StopId), button(RewindId, true), avgLabel, avg, peakLabel, peak,
                Item{TimeText, 0, ReadoutMargin, time, LabelGap}, Item{PositionId, 120, 0, {}, LabelGap},
                Item{LengthText, 0, ReadoutMargin, time, GroupGap}, config};
    case TMainWin::Recorder:
        return {button(RecordId), button(PlayId), button(RewindId), button(ForwardId), button(StopId, true),
                Item{TimeText, 0, ReadoutMargin, time, LabelGap}, Item{PositionId, 145, 0, {}, LabelGap},
                Item{LengthText, 0, ReadoutMargin, time, GroupGap}, config};
    default:
        return {};
    }
}

void Toolbar::PlaceControls()
{
    // A drop-down list's text sits in its item rectangle, inset a little more.
    int comboChrome = 0;
    for (TComboBoxNonSort* c : {AvgCombo.get(), PeakCombo.get(), ConfigCombo.get()}) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (c && ::GetComboBoxInfo(c->GetHandle(), &info))
            comboChrome = std::max<int>(comboChrome, c->GetWindowRect().Width() - (info.rcItem.right - info.rcItem.left)
                                                         + ComboTextInset);
    }
    TClientDC dc(HWindow);
    dc.SelectObject(*MainWin->GetMainFont());
    const TControlRow row([&](const char* text) { return dc.GetTextExtent(text).cx; });
    Boxes = row.Place(FirstLeft, RowItems(comboChrome));
    for (TWindow* w : std::initializer_list<TWindow*>{RunBtn.get(), StopBtn.get(), RewindBtn.get(), ForwardBtn.get(),
                                                      RecordBtn.get(), PlayBtn.get(), AvgCombo.get(), PeakCombo.get(),
                                                      ConfigCombo.get(), PosScroll.get()}) {
        if (!w || !w->GetHandle())
            continue;
        const TControlRow::Box box = TControlRow::Find(Boxes, w->GetId());
        const TRect now = w->GetWindowRect();
        POINT origin{now.left, now.top};
        ::ScreenToClient(HWindow, &origin);
        w->MoveWindow(box.Left, origin.y, box.Width(), now.Height(), true);
    }
    TextHeight = dc.GetTextExtent("0").cy;
}

TRect Toolbar::TextBox(int id) const
{
    const TControlRow::Box box = TControlRow::Find(Boxes, id);
    if (box.Width() <= 0)
        return TRect();
    return TRect(box.Left, TextTop - 1, box.Right, TextTop + std::max(TextHeight, ScrollHeight - 4) + 1);
}

void Toolbar::GetWindowClass(WNDCLASSA& wc)
{
    TWindow::GetWindowClass(wc);
    wc.style |= CS_DBLCLKS;
    wc.hbrBackground = *MainWin->GetFaceBrush();
}

void Toolbar::SetupWindow()
{
    TWindow::SetupWindow();
    for (TComboBoxNonSort* c : {AvgCombo.get(), PeakCombo.get(), ConfigCombo.get()})
        if (c)
            c->SendMessage(WM_SETFONT, WPARAM(HFONT(*MainWin->GetMainFont())), TRUE);
    PlaceControls();
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
    std::snprintf(pattern, sizeof pattern, "%s\\*.cfg", MainWin->CurrentFolder(TMainWin::CfgFolder));
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
    const AnalysisSettingsStruct& s = MainWin->GetAnalysisSettings();
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
    PeakCombo->SetSelIndex(MainWin->GetAnalysisSettings().PeakHold);
}

void Toolbar::AveragingChosen(UINT code)
{
    if (code != CBN_SELCHANGE || !AvgCombo)
        return;
    const int index = AvgCombo->GetSelIndex();
    if (index < 0)
        return;
    if (MainWin->GetAnalysisSettings().AverageMode == AnalysisSettingsStruct::BlockAveraging) {
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
    if (index < 0 || index == MainWin->GetAnalysisSettings().PeakHold)
        return;
    MainWin->SetPeakHold(uint16_t(index));
}

void Toolbar::ConfigChosen(UINT code)
{
    if (code != CBN_SELCHANGE || !Ready || !ConfigCombo || ConfigCombo->GetSelIndex() <= 0)
        return;
    if (MainWin->GetRunState() != TMainWin::Stopped)
        MainWin->StopAnalyzer();
    char name[260] = {};
    ConfigCombo->GetWindowText(name, sizeof name);
    std::snprintf(ConfigPath, sizeof ConfigPath, "%s\\%s.cfg", MainWin->CurrentFolder(TMainWin::CfgFolder), name);
    MainWin->PostMessage(TMainWin::LoadConfigRequest, 0, LPARAM(ConfigPath));
}

void Toolbar::CmRun()
{
    MainWin->LiftBlockLimit();
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
    if (!MainWin->Wave())
        return;
    if (MainWin->GetRunState() != TMainWin::Stopped)
        MainWin->StopAnalyzer();
    MainWin->Wave()->Rewind();
    MainWin->SetTimePosition(0.0f);
    AfterPositionChange();
}

void Toolbar::CmForward()
{
    if (MainWin->GetOpMode() != TMainWin::Recorder || !MainWin->Wave())
        return;
    if (MainWin->GetRunState() != TMainWin::Stopped)
        MainWin->StopAnalyzer();
    MainWin->Wave()->SeekEnd();
    MainWin->SetTimePosition(MainWin->Wave()->GetHighWaterTime());
    AfterPositionChange();
}

void Toolbar::CmRecord()
{
    if (MainWin->GetOpMode() != TMainWin::Recorder || MainWin->GetRunState() == TMainWin::Recording)
        return;
    if (MainWin->GetRunState() == TMainWin::Playback)
        MainWin->StopAnalyzer();
    if (!MainWin->Wave())
        MainWin->SendMessage(WM_COMMAND, CM_FILENEW);
    MainWin->StartRecording();
}

void Toolbar::CmPlay()
{
    if (MainWin->GetRunState() == TMainWin::Playback)
        return;
    if (MainWin->GetRunState() == TMainWin::Recording)
        MainWin->StopAnalyzer();
    if (MainWin->GetOpMode() != TMainWin::Recorder || !MainWin->Wave())
        return;
    MainWin->PlayRecording();
}

void Toolbar::PositionScrolled(UINT)
{
    TWaveFile* wave = MainWin->Wave();
    if (!wave || MainWin->GetOpMode() == TMainWin::RealTime || !PosScroll)
        return;
    const int p = PosScroll->GetPosition();
    if (p == 0) {
        wave->Rewind();
        MainWin->SetTimePosition(0.0f);
    } else {
        const float t = 0.001f * p * wave->GetHighWaterTime();
        wave->SetPositionTime(t);
        MainWin->SetTimePosition(t);
    }
    AfterPositionChange();
}

TRect Toolbar::TimeRect() const
{
    return TextBox(TimeText);
}

TRect Toolbar::LengthRect() const
{
    return TextBox(LengthText);
}

void Toolbar::UpdateDisplay(int times, int length)
{
    if (MainWin->GetOpMode() == TMainWin::RealTime || !HWindow)
        return;
    int position = 0;
    if (TWaveFile* wave = MainWin->Wave()) {
        const float total = wave->GetHighWaterTime();
        if (total > 0.0f)
            position = int(uint16_t(1000.0f * MainWin->TimePosition() / total));
    }
    // A moved thumb redraws the scroll bar, which under Wine takes longer
    // than several analysis blocks: a run moves it a second after its start
    // and each second after, and its stop puts it where the data ended.
    const uint32_t now = ::GetTickCount();
    const bool running = MainWin->GetRunState() != TMainWin::Stopped;
    if (running && !PositionRunning)
        PositionTick = now;
    PositionRunning = running;
    const bool due = !running || now - PositionTick >= PositionIntervalMs;
    if (due && PosScroll && PosScroll->GetHandle() && PosScroll->GetPosition() != position) {
        PosScroll->SetPosition(position);
        PositionTick = now;
    }
    if (times)
        PaintNow(TimeRect());
    if (length)
        PaintNow(LengthRect());
}

void Toolbar::UpdateButtons()
{
    const int state = MainWin->GetRunState();
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
        SetClassLong(GCLP_HBRBACKGROUND, LONG_PTR(HBRUSH(*MainWin->GetFaceBrush())));
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
    dc.SelectObject(*MainWin->GetMainFont());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = ::GetTextAlign(dc);
    auto text = [&](int id, UINT align, const char* s) {
        const TControlRow::Box box = TControlRow::Find(Boxes, id);
        if (box.Width() <= 0)
            return;
        const int inset = id == TimeText || id == LengthText ? ReadoutMargin / 2 : 0;
        ::SetTextAlign(dc, align | TA_TOP);
        ::TextOutA(dc, align == TA_RIGHT ? box.Right - inset : box.Left + inset, TextTop, s, int(std::strlen(s)));
    };
    const float length = MainWin->Wave() ? MainWin->Wave()->GetHighWaterTime() : 0.0f;
    char time[40], total[40];
    std::snprintf(time, sizeof time, "%s", FormatTime(MainWin->TimePosition(), true, false));
    std::snprintf(total, sizeof total, "%s", FormatTime(length, true, false));
    text(AveragingLabel, TA_LEFT, IDS_AVERAGING_LABEL_TEXT);
    text(PeakHoldLabel, TA_LEFT, IDS_PEAK_HOLD_LABEL_TEXT);
    text(TimeText, TA_RIGHT, time);
    text(LengthText, TA_LEFT, total);
    ::SetTextAlign(dc, oldAlign);
    ::SetBkMode(dc, oldMode);
}
