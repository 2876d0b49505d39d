// The print job, its header and comment blocks, printer set-up, the
// configuration report and the Help and Window menus, in a real frame. A
// print dialog answers with an enhanced-metafile context standing in for
// the printer's; what was drawn is read back from the metafile's records.
#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include "base/THeadlessEngineHost.h"
#include "dialogs/TAnnotationDialog.h"
#include "dialogs/TConfigViewDialog.h"
#include "framework/TDialog.h"
#include "framework/THtmlHelp.h"
#include "framework/TListBox.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/StatusBar.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "utilities/TReverb.h"
#include "utilities/TTHDFreq.h"
#include "views/TPrintPage.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrumPlot.h"

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::vector<THeadlessEngineHost::Message>& Messages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

// A text or a line drawn into the metafile, in its logical units.
struct TDrawnText {
    std::string Text;
    POINT At;
    UINT Align;
};

struct TPageRecords {
    std::vector<TDrawnText> Texts;
    // Each MoveTo starts a polyline of the LineTo points after it.
    std::vector<std::vector<POINT>> Lines;
    TPageMetrics Metrics{};

    const TDrawnText* Find(const std::string& text) const
    {
        for (const TDrawnText& t : Texts)
            if (t.Text == text) return &t;
        return nullptr;
    }
    bool HasLine(const std::vector<POINT>& points) const
    {
        for (const auto& line : Lines) {
            if (line.size() != points.size()) continue;
            bool same = true;
            for (size_t i = 0; i < points.size(); ++i)
                same = same && line[i].x == points[i].x && line[i].y == points[i].y;
            if (same) return true;
        }
        return false;
    }
};

int CALLBACK Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto& page = *reinterpret_cast<TPageRecords*>(data);
    static UINT align = 0;
    switch (record->iType) {
    case EMR_SETTEXTALIGN:
        align = reinterpret_cast<const EMRSETTEXTALIGN*>(record)->iMode;
        break;
    case EMR_EXTTEXTOUTW: {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        std::string s;
        for (DWORD i = 0; i < text->emrtext.nChars; ++i) s += char(chars[i]);
        page.Texts.push_back({s, {text->emrtext.ptlReference.x, text->emrtext.ptlReference.y}, align});
        break;
    }
    case EMR_EXTTEXTOUTA: {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* chars = reinterpret_cast<const char*>(record) + text->emrtext.offString;
        page.Texts.push_back({std::string(chars, text->emrtext.nChars),
                              {text->emrtext.ptlReference.x, text->emrtext.ptlReference.y}, align});
        break;
    }
    case EMR_MOVETOEX: {
        const POINTL p = reinterpret_cast<const EMRMOVETOEX*>(record)->ptl;
        page.Lines.push_back({{p.x, p.y}});
        break;
    }
    case EMR_LINETO: {
        const POINTL p = reinterpret_cast<const EMRLINETO*>(record)->ptl;
        if (!page.Lines.empty()) page.Lines.back().push_back({p.x, p.y});
        break;
    }
    default: break;
    }
    return 1;
}

// A main window whose print dialogs hand out metafile contexts and whose
// help, launches and modal dialogs are recorded.
class TPrintingMainWin : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::vector<DWORD> DialogFlags;
    std::vector<LONG> OrientationsShown;
    bool CancelDialog = false;
    bool RealDialogs = false;
    std::vector<HENHMETAFILE> Pages;
    TPageMetrics Metrics{};
    std::vector<std::string> Launched;
    std::vector<std::string> ListedLines;

    int RunPrintDialog(TPrintDialog::TData& data, bool setupOnly) override
    {
        if (RealDialogs) return TMainWin::RunPrintDialog(data, setupOnly);
        DialogFlags.push_back(data.Flags);
        if (data.Flags & PD_RETURNDEFAULT && !(data.Flags & PD_RETURNDC)) {
            // The default printer, portrait.
            data.DevMode = ::GlobalAlloc(GHND, sizeof(DEVMODEA));
            auto* mode = static_cast<DEVMODEA*>(::GlobalLock(data.DevMode));
            std::strcpy(reinterpret_cast<char*>(mode->dmDeviceName), "Paper");
            mode->dmSize = sizeof(DEVMODEA);
            mode->dmOrientation = DMORIENT_PORTRAIT;
            mode->dmFields = DM_ORIENTATION;
            ::GlobalUnlock(data.DevMode);
            const char names[] = "drv\0Paper\0PORT:1\0";
            data.DevNames = ::GlobalAlloc(GHND, sizeof(DEVNAMES) + sizeof names);
            auto* n = static_cast<DEVNAMES*>(::GlobalLock(data.DevNames));
            n->wDriverOffset = sizeof(DEVNAMES);
            n->wDeviceOffset = sizeof(DEVNAMES) + 4;
            n->wOutputOffset = sizeof(DEVNAMES) + 10;
            std::memcpy(n + 1, names, sizeof names);
            ::GlobalUnlock(data.DevNames);
            return IDOK;
        }
        if (data.DevMode) {
            auto* mode = static_cast<DEVMODEA*>(::GlobalLock(data.DevMode));
            OrientationsShown.push_back(mode->dmOrientation);
            ::GlobalUnlock(data.DevMode);
        }
        if (CancelDialog) return IDCANCEL;
        data.Dc = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        Metrics = {::GetDeviceCaps(data.Dc, LOGPIXELSX), ::GetDeviceCaps(data.Dc, LOGPIXELSY),
                   ::GetDeviceCaps(data.Dc, HORZRES), ::GetDeviceCaps(data.Dc, VERTRES)};
        return IDOK;
    }
    void ReleasePrinterDC(HDC dc) override { Pages.push_back(::CloseEnhMetaFile(dc)); }
    void Launch(const std::string& commandLine) override { Launched.push_back(commandLine); }
    // The annotation dialog's answer, and a first title typed into it.
    int AnnotationAnswer = IDOK;
    std::string AnnotationTitle;
    int AnnotationRuns = 0;
    int ExecuteDialog(TDialog& dialog) override
    {
        if (dynamic_cast<TAnnotationDialog*>(&dialog)) {
            ++AnnotationRuns;
            if (!dialog.Create()) return -1;
            if (!AnnotationTitle.empty()) dialog.SetItemText(TAnnotationDialog::Title1Id, AnnotationTitle.c_str());
            if (AnnotationAnswer == IDOK) {
                dialog.SendMessage(WM_COMMAND, IDOK, 0);
                if (!dialog.GetHandle()) return IDOK;
            }
            dialog.Destroy();
            return IDCANCEL;
        }
        if (auto* config = dynamic_cast<TConfigViewDialog*>(&dialog)) {
            if (!config->Create()) return -1;
            for (int i = 0; i < config->List->GetCount(); ++i) {
                char text[400] = {};
                config->List->SendMessage(LB_GETTEXT, WPARAM(i), LPARAM(text));
                ListedLines.push_back(text);
            }
            config->Destroy();
        }
        return IDCANCEL;
    }
    TPageRecords Page(size_t index) const
    {
        TPageRecords page;
        page.Metrics = Metrics;
        ::EnumEnhMetaFile(nullptr, Pages.at(index), Collect, &page, nullptr);
        return page;
    }
    ~TPrintingMainWin() override
    {
        for (HENHMETAFILE page : Pages) ::DeleteEnhMetaFile(page);
    }
};

struct TPrinting : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::unique_ptr<TPrintingMainWin> Main;

    void Start(const char* extraIni = "")
    {
        WriteIni(Ini, (std::string("[Main]\nShowSplashScreen=0\n[ViewStatus]\nSpectrumPlot=0\n") + extraIni).c_str());
        Main = std::make_unique<TPrintingMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(*Main).OpMode() = TMainWin::PostProcess;
        State(*Main).Settings().Format = TWaveFormat(48000, 2, 2);
        State(*Main).Settings().FFTsize = 4096;
        State(*Main).Settings().AverageBlocks = 1000000;
        State(*Main).Settings().SmoothingWindow = 9;
        TPrintOptions& print = State(*Main).PrintOptions();
        std::strcpy(print.Annotation1, "Loudspeaker A");
        std::strcpy(print.Annotation2, "Room 2");
        print.MarginLeft = print.MarginRight = print.MarginTop = print.MarginBottom = 0.5f;
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1100, 850, true);
        Pump();
        Messages().clear();
    }
    void TearDown() override
    {
        THtmlHelp::SetEntry(nullptr);
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
};

}  // namespace

TEST_F(TPrinting, TheActiveSpectrumPrintsWithItsHeaderTitlesCommentsAndPlot)
{
    Start();
    TPrintOptions& print = State(*Main).PrintOptions();
    print.EnableCommentBlock = 1;
    std::strcpy(print.Comment[0], "First comment");
    std::strcpy(print.Comment[9], "Last comment");
    Main->CmViewSpectrum();
    Pump();
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    Main->PrintViews(false);
    // Silently on the default printer: one dialog call, no set-up shown.
    ASSERT_EQ(Main->DialogFlags.size(), 1u);
    EXPECT_TRUE(Main->DialogFlags[0] & PD_RETURNDEFAULT);
    EXPECT_FLOAT_EQ(Main->GetPrintOptions().MarginBottom, 0.5f);
    ASSERT_EQ(Main->Pages.size(), 1u);
    const TPageRecords page = Main->Page(0);
    const TPrintPage layout(page.Metrics, Main->GetPrintOptions());

    const TDrawnText* printedBy = page.Find("Printed by: Tonalyx");
    ASSERT_NE(printedBy, nullptr);
    EXPECT_EQ(printedBy->At.x, layout.UserInfoAt(0).x);
    EXPECT_EQ(printedBy->At.y, layout.UserInfoAt(0).y);
    EXPECT_EQ(printedBy->Align & TA_RIGHT, UINT(TA_RIGHT));
    // The settings lines, split at their tabs, left-aligned in the header box.
    const TDrawnText* sampling = page.Find("Sampling:");
    ASSERT_NE(sampling, nullptr);
    EXPECT_EQ(sampling->At.x, layout.SettingsAt(0).x);
    EXPECT_EQ(sampling->At.y, layout.SettingsAt(0).y);
    EXPECT_NE(page.Find("48000 Hz"), nullptr);
    EXPECT_NE(page.Find("Infinite"), nullptr);
    EXPECT_NE(page.Find("Gaussian"), nullptr);
    const TPaneRect box = layout.HeaderBox();
    EXPECT_TRUE(page.HasLine({{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom},
                              {box.left, box.bottom}, {box.left, box.top}}));
    // The annotations centred under each other.
    const TDrawnText* first = page.Find("Loudspeaker A");
    const TDrawnText* second = page.Find("Room 2");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->At.x, layout.TitleAt(0).x);
    EXPECT_EQ(second->At.y, layout.TitleAt(1).y);
    EXPECT_EQ(first->Align & TA_CENTER, UINT(TA_CENTER));
    // The comments over the bottom margin, in their box.
    const TDrawnText* comment = page.Find("Last comment");
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->At.y, layout.CommentAt(9).y);
    const TPaneRect comments = layout.CommentBox();
    EXPECT_TRUE(page.HasLine({{comments.left, comments.top}, {comments.right, comments.top},
                              {comments.right, comments.bottom}, {comments.left, comments.bottom},
                              {comments.left, comments.top}}));
    // The plot's frame stands above the comment block.
    TPrintOptions raised = Main->GetPrintOptions();
    raised.MarginBottom = layout.MarginBottomAboveComments();
    const TPaneRect frame = TPrintPage(page.Metrics, raised).PlotFrame();
    EXPECT_TRUE(page.HasLine({{frame.left, frame.top}, {frame.right, frame.top}, {frame.right, frame.bottom},
                              {frame.left, frame.bottom}, {frame.left, frame.top}}));
    EXPECT_NE(page.Find("Frequency (Hz)"), nullptr);
    EXPECT_TRUE(Messages().empty());
    // The view is back in its window's layout.
    EXPECT_EQ(Main->SpectrumView(0)->PrintMode, 0);
}

TEST_F(TPrinting, ALowerCaseFalseDropsTheSettingsButNotTheTitleOrPrinter)
{
    Start("[FileIO]\nPrintSettingsInfo=false\n");
    Main->CmViewSpectrum();
    Pump();
    Main->PrintViews(false);
    ASSERT_EQ(Main->Pages.size(), 1u);
    const TPageRecords page = Main->Page(0);
    EXPECT_EQ(page.Find("Sampling:"), nullptr);
    const TPaneRect box = TPrintPage(page.Metrics, Main->GetPrintOptions()).HeaderBox();
    EXPECT_FALSE(page.HasLine({{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom},
                               {box.left, box.bottom}, {box.left, box.top}}));
    EXPECT_NE(page.Find("Printed by: Tonalyx"), nullptr);
    EXPECT_NE(page.Find("Loudspeaker A"), nullptr);
    EXPECT_EQ(page.Find("First comment"), nullptr);
}

TEST_F(TPrinting, AnInteractiveJobPrintsTheAnnotationsConfirmedAndNothingAfterCancel)
{
    Start();
    Main->CmViewSpectrum();
    Pump();
    Main->AnnotationTitle = "Loudspeaker B";
    Main->AnnotationAnswer = IDCANCEL;
    Main->PrintViews(true);
    EXPECT_EQ(Main->AnnotationRuns, 1);
    ASSERT_EQ(Main->Pages.size(), 1u);
    EXPECT_TRUE(Main->Page(0).Texts.empty());
    EXPECT_STREQ(Main->GetPrintOptions().Annotation1, "Loudspeaker A");

    Main->AnnotationAnswer = IDOK;
    Main->PrintViews(true);
    EXPECT_EQ(Main->AnnotationRuns, 2);
    ASSERT_EQ(Main->Pages.size(), 2u);
    const TPageRecords page = Main->Page(1);
    EXPECT_NE(page.Find("Loudspeaker B"), nullptr);
    EXPECT_EQ(page.Find("Loudspeaker A"), nullptr);
    // A silent job asks nothing.
    Main->PrintViews(false);
    EXPECT_EQ(Main->AnnotationRuns, 2);
}

TEST_F(TPrinting, TheFirstInteractivePrintProposesTheDefaultPrinterInLandscapeAndKeepsIt)
{
    Start();
    // No view active: the dialogs run, nothing is printed.
    Main->PrintViews(true);
    ASSERT_EQ(Main->DialogFlags.size(), 2u);
    EXPECT_EQ(Main->DialogFlags[0], DWORD(PD_RETURNDEFAULT));
    EXPECT_EQ(Main->OrientationsShown, (std::vector<LONG>{DMORIENT_LANDSCAPE}));
    ASSERT_EQ(Main->Pages.size(), 1u);
    EXPECT_TRUE(Main->Page(0).Texts.empty());
    HGLOBAL kept = Main->KeptPrinterMode();
    ASSERT_NE(kept, nullptr);
    EXPECT_NE(Main->KeptPrinterNames(), nullptr);
    // The next job and the set-up start from the kept printer.
    Main->CancelDialog = true;
    Main->PrintViews(true);
    Main->CmPrinterSetup();
    EXPECT_EQ(Main->DialogFlags.size(), 4u);
    EXPECT_EQ(Main->KeptPrinterMode(), kept);
}

TEST_F(TPrinting, WithoutAPrinterTheJobEndsSilently)
{
    Start();
    Main->RealDialogs = true;
    Main->CmViewSpectrum();
    Pump();
    Main->PrintViews(false);
    EXPECT_TRUE(Main->Pages.empty());
    EXPECT_EQ(Main->KeptPrinterMode(), nullptr);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TPrinting, TheConfigurationIsListedAndPrintedInOrder)
{
    Start();
    Main->CmViewSpectrum();
    Pump();
    const std::vector<std::string> report = TConfigurationReport::Lines(Main->ConfigurationFacts());
    ASSERT_GT(report.size(), 40u);
    EXPECT_EQ(report[0], "MODE:\tPost-Processing");
    char line[200];
    EXPECT_EQ(Main->GetConfigurationLine(62, line, sizeof line), 0);
    EXPECT_EQ(Main->GetConfigurationLine(63, line, sizeof line), 1);
    EXPECT_STREQ(line, "\tSpectrum");
    Main->CmViewConfiguration();
    EXPECT_EQ(Main->ListedLines, report);
    Main->CmPrintConfiguration();
    ASSERT_EQ(Main->Pages.size(), 1u);
    // Tabbed lines print as their pieces, in the report's order.
    std::vector<std::string> printed;
    // (An empty piece after a tab, as of a device without a name, draws nothing.)
    for (const TDrawnText& t : Main->Page(0).Texts)
        if (!t.Text.empty()) printed.push_back(t.Text);
    std::vector<std::string> expected;
    for (const std::string& l : report) {
        size_t start = 0;
        while (start <= l.size()) {
            const size_t tab = l.find('\t', start);
            const std::string piece = l.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            if (!piece.empty()) expected.push_back(piece);
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
    }
    EXPECT_EQ(printed, expected);
}

namespace {
struct THelpCall {
    HWND Owner;
    std::string File;
    UINT Command;
    DWORD_PTR Data;
};
std::vector<THelpCall> HelpCalls;
HWND WINAPI RecordHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR data)
{
    HelpCalls.push_back({owner, file ? file : "", command, data});
    return nullptr;
}
}  // namespace

TEST_F(TPrinting, HelpCommandsCallTheViewerAndTheTextViewer)
{
    Start();
    HelpCalls.clear();
    THtmlHelp::SetEntry(RecordHelp);
    const struct {
        UINT Command;
        UINT HelpCommand;
        DWORD_PTR Data;
    } cases[] = {{CM_HELPCONTENTS, 1, 0}, {CM_HELPSEARCH, 2, 0}, {CM_HELPAPPNOTES, 15, 1030}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        HelpCalls.clear();
        Main->SendMessage(WM_COMMAND, c.Command);
        ASSERT_EQ(HelpCalls.size(), 1u);
        EXPECT_EQ(HelpCalls[0].Owner, Main->GetHandle());
        EXPECT_EQ(HelpCalls[0].File, Folder.File("Tonalyx.chm"));
        EXPECT_EQ(HelpCalls[0].Command, c.HelpCommand);
        EXPECT_EQ(HelpCalls[0].Data, c.Data);
    }
    Main->SendMessage(WM_COMMAND, CM_RELEASENOTES);
    Main->SendMessage(WM_COMMAND, CM_LICENSEAGREEMENT);
    EXPECT_EQ(Main->Launched, (std::vector<std::string>{"notepad.exe " + Folder.File("readme.txt"),
                                                        "notepad.exe " + Folder.File("disclaim.txt")}));
}

TEST_F(TPrinting, WindowCommandsArrangeViewsAndFollowTheViewFlags)
{
    Start();
    TCommandEnabler none(CM_TILEVERTICAL);
    Main->CeWindowArrange(none);
    EXPECT_FALSE(none.Enabled);
    Main->CmViewSpectrum();
    Main->CmViewTimeSeries();
    Pump();
    TWindow* spectrum = Main->SpectrumView(0);
    TWindow* series = Main->TimeSeriesView();
    ASSERT_TRUE(spectrum && series);
    TCommandEnabler some(CM_TILEVERTICAL);
    Main->CeWindowArrange(some);
    EXPECT_TRUE(some.Enabled);
    auto placeOf = [](TWindow* w) {
        RECT r;
        ::GetWindowRect(w->GetHandle(), &r);
        return r;
    };
    Main->SendMessage(WM_COMMAND, CM_TILEVERTICAL);
    RECT a = placeOf(spectrum), b = placeOf(series);
    // Side by side, of one height.
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.bottom - a.top, b.bottom - b.top);
    EXPECT_NE(a.left, b.left);
    Main->SendMessage(WM_COMMAND, CM_TILEHORIZONTAL);
    a = placeOf(spectrum), b = placeOf(series);
    EXPECT_EQ(a.left, b.left);
    EXPECT_NE(a.top, b.top);
    Main->SendMessage(WM_COMMAND, CM_CASCADE);
    a = placeOf(spectrum), b = placeOf(series);
    EXPECT_NE(a.left, b.left);
    EXPECT_NE(a.top, b.top);
}

TEST_F(TPrinting, BarTogglesAndMenuOperationsKeepTheChecksAndMenus)
{
    Start();
    auto checked = [this](UINT id) {
        return (::GetMenuState(Main->GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    Main->HideMainToolbar();
    EXPECT_FALSE(Main->IsMainToolbarShown());
    EXPECT_FALSE(checked(CM_TOGGLEMAINTOOLBAR));
    EXPECT_FALSE(::IsWindowVisible(Main->GetTransportToolbar()->GetHandle()));
    Main->SendMessage(WM_COMMAND, CM_TOGGLEMAINTOOLBAR);
    EXPECT_TRUE(Main->IsMainToolbarShown());
    EXPECT_TRUE(checked(CM_TOGGLEMAINTOOLBAR));
    Main->SendMessage(WM_COMMAND, CM_TOGGLESTATUSBAR);
    EXPECT_FALSE(Main->IsStatusBarShown());
    EXPECT_FALSE(checked(CM_TOGGLESTATUSBAR));
    EXPECT_FALSE(::IsWindowVisible(Main->GetStatusBar()->GetHandle()));
    Main->ShowStatusBar();
    EXPECT_TRUE(checked(CM_TOGGLESTATUSBAR));

    // The menu again after hiding it: recent files, the Window list and the checks.
    Main->AddRecentFile(Folder.File("take.wav").c_str());
    Main->CmViewSpectrum();
    Pump();
    Main->HideMenu();
    EXPECT_EQ(Main->GetMenu(), nullptr);
    Main->ShowMenu();
    HMENU menu = Main->GetMenu();
    ASSERT_NE(menu, nullptr);
    char text[300] = {};
    ::GetMenuStringA(menu, CM_RECENTFILE1, text, sizeof text, MF_BYCOMMAND);
    EXPECT_NE(std::string(text).find("take.wav"), std::string::npos) << text;
    EXPECT_TRUE(checked(CM_VIEWSPECTRUM));
    EXPECT_TRUE(checked(CM_MODEPOSTPROCESS));
    EXPECT_TRUE(checked(CM_TOGGLESTATUSBAR));
    // The MDI client lists its windows in the Window menu it was given again.
    Main->CmViewTimeSeries();
    Pump();
    bool listed = false;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (!sub || ::GetMenuState(sub, CM_CASCADE, MF_BYCOMMAND) == UINT(-1)) continue;
        for (int j = 0; j < ::GetMenuItemCount(sub); ++j) {
            char item[200] = {};
            ::GetMenuStringA(sub, UINT(j), item, sizeof item, MF_BYPOSITION);
            listed = listed || std::string(item).find("Time Series") != std::string::npos;
        }
    }
    EXPECT_TRUE(listed);
}

// The Print buttons of the THD+N and reverberation windows run the same job
// for their own window, active or not: no settings block, their document's
// own header lines, and the plot.
TEST_F(TPrinting, UtilityWindowsPrintThemselvesThroughTheJob)
{
    Start();
    for (int f : {TMainWin::ThdFolder, TMainWin::TmpFolder, TMainWin::RvbFolder})
        Main->SetConfiguredFolder(f, Folder.Path.c_str());
    ASSERT_TRUE(::CopyFileA(TONALYX_FIXTURES "/utilities/thdfreq_two.thd", Folder.File("two.thd").c_str(), FALSE));
    Main->CmTHDNvsFrequency();
    TTHDFreq* thd = Main->ThdFreqWindow();
    ASSERT_NE(thd, nullptr);
    ASSERT_TRUE(thd->LoadFile("two.thd"));
    Main->CmViewSpectrum();
    Pump();
    const auto press = [](TWindow* window, int id) {
        ::SendMessageA(window->GetHandle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       LPARAM(::GetDlgItem(window->GetHandle(), id)));
    };
    press(thd, TTHDFreq::PrintId);
    ASSERT_EQ(Main->Pages.size(), 1u);
    TPageRecords page = Main->Page(0);
    EXPECT_NE(page.Find("Printed by: Tonalyx"), nullptr);
    EXPECT_NE(page.Find("Loudspeaker A"), nullptr);
    EXPECT_EQ(page.Find("Sampling:"), nullptr);
    EXPECT_NE(page.Find("Frequency (Hz)"), nullptr);
    EXPECT_NE(page.Find("THD+N %"), nullptr);
    // The left and the right curve, each one polyline through its three points.
    int curves = 0;
    ::EnumEnhMetaFile(
        nullptr, Main->Pages[0],
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM count) -> int {
            if (record->iType == EMR_POLYLINE16 && reinterpret_cast<const EMRPOLYLINE16*>(record)->cpts == 3)
                ++*reinterpret_cast<int*>(count);
            return 1;
        },
        &curves, nullptr);
    EXPECT_EQ(curves, 2);
    EXPECT_EQ(thd->PrintMode, 0);
    EXPECT_TRUE(::IsWindowEnabled(Main->GetHandle()));

    // A decaying 1 kHz tone analysed as a segment, then its window's Print.
    const uint32_t rate = 48000, frames = rate;
    std::ofstream wav(Folder.File("decay.wav"), std::ios::binary);
    const auto put = [&wav](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) wav.put(char(v >> (8 * i)));
    };
    wav << "RIFF";
    put(36 + 2 * frames, 4);
    wav << "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(2 * rate, 4), put(2, 2), put(16, 2);
    wav << "data";
    put(2 * frames, 4);
    for (uint32_t i = 0; i < frames; ++i)
        put(uint32_t(int16_t(20000 * std::sin(2 * 3.141592653589793 * 1000 * i / rate) * std::pow(10.0, -3.0 * i / (0.5 * rate)))), 2);
    wav.close();
    Main->OpenWaveFile(Folder.File("decay.wav").c_str());
    Main->AnalyzeReverbSegment(1, 0.0f, 0.9f);
    TReverb* reverb = Main->ReverbWindow();
    ASSERT_NE(reverb, nullptr);
    ASSERT_GT(reverb->Data().RowCount, 0);
    Messages().clear();
    press(reverb, TReverb::PrintId);
    ASSERT_EQ(Main->Pages.size(), 2u);
    page = Main->Page(1);
    // The method lines at the page's margins, in their box below the footer's line.
    const TDrawnText* extrapolation = page.Find("Extrapolation Method: RT 20");
    const TDrawnText* smoothing = page.Find("Smoothing Method: Averaging");
    ASSERT_TRUE(extrapolation && smoothing);
    const int px = page.Metrics.DpiX, py = page.Metrics.DpiY;
    EXPECT_EQ(extrapolation->At.x, px / 2);
    EXPECT_EQ(extrapolation->At.y, py / 2);
    EXPECT_EQ(smoothing->At.x, px / 2);
    EXPECT_GT(smoothing->At.y, extrapolation->At.y);
    EXPECT_NE(page.Find("Loudspeaker A"), nullptr);
    EXPECT_NE(page.Find("Time (seconds)"), nullptr);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(reverb->PrintMode, 0);
}
