// The THD+N versus frequency window: layout, mouse, commands, files and copies.
#include "utilities/TTHDFreq.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/TWaveData.h"
#include "framework/TButton.h"
#include "framework/TClientDC.h"
#include "framework/TClipboard.h"
#include "framework/TDib.h"
#include "framework/TFont.h"
#include "framework/TGauge.h"
#include "framework/THtmlHelp.h"
#include "framework/TMemoryDC.h"
#include "framework/TModule.h"
#include "framework/TPopupMenu.h"
#include "resources/CommandIds.h"
#include "utilities/TThdFile.h"
#include "utilities/TThdFreqHost.h"
#include "views/TOverlayData.h"
#include "views/TViewHost.h"
#include "views/TViewMenu.h"

namespace {

constexpr const char* Product = "Tonalyx";
constexpr const char* NoMemory = "Insufficient Memory to continue.  Please close some applications to free up memory.";

const TMenuRow ContextMenu[] = {
    {TTHDFreq::MenuCopyText, "Copy as &Text"},
    {TTHDFreq::MenuCopyBitmap, "Copy As &Bitmap"},
    {},
    {TTHDFreq::MenuProperties, "&Properties"},
    {TTHDFreq::MenuHelp, "&Help"},
};

// A file of more points than this is not one of ours.
constexpr size_t MaxFileSize = TThdFile::HeaderSize + 16u * 10'000'000u;

std::string Formatted(const char* format, const std::string& path)
{
    char text[600];
    std::snprintf(text, sizeof text, format, path.c_str());
    return text;
}

}  // namespace

DEFINE_RESPONSE_TABLE1(TTHDFreq, TPlotBase)
    EV_WM_SYSCOMMAND
    EV_WM_DESTROY
    EV_WM_LBUTTONDBLCLK
    EV_COMMAND(StartId, CmStart)
    EV_COMMAND(LoadId, CmLoad)
    EV_COMMAND(SaveId, CmSave)
    EV_COMMAND(PrintId, CmPrint)
    EV_COMMAND(OptionsId, CmOptions)
    EV_COMMAND(MenuCopyText, CopyAsText)
    EV_COMMAND(MenuCopyBitmap, CopyAsBitmap)
    EV_COMMAND(MenuProperties, CmOptions)
    EV_COMMAND(MenuHelp, CmHelp)
END_RESPONSE_TABLE;

TTHDFreq::TTHDFreq(TMDIClient& parent, TViewHost& host, TThdFreqHost& thd)
    : TPlotBase(parent, &host, Title), Thd(thd), Opts(thd.GetThdFreqOptions()), Run(Opts, *this)
{
    Opts.DwellTimeMSec = 1000;
    Thd.SetThdFreqOptions(Opts);
    Run.Format.Set(48000, uint16_t(Opts.NumChannels == 2 ? 2 : 1),
                   host.GetAnalysisSettings().Format.BytesPerSample);
    ButtonBarHeight = 38;
    TopInset = 58;
    BottomInset = 30;
    LeftMargin = 80;
    RightMargin = 80;
    PaneGap = 20;
    PaneMode = Opts.NumChannels == 2 ? 2 : 1;
    StartButton = std::make_unique<TButton>(this, StartId, "Start", 4, 4, 86, 30);
    Gauge = std::make_unique<TGauge>(this, "", GaugeId, 94, 20, 210, 14);
    Gauge->SetMargin(0);
    LoadButton = std::make_unique<TButton>(this, LoadId, "Load...", 0, 0, 86, 30);
    SaveButton = std::make_unique<TButton>(this, SaveId, "Save...", 0, 0, 86, 30);
    PrintButton = std::make_unique<TButton>(this, PrintId, "Print...", 0, 0, 86, 30);
    OptionsButton = std::make_unique<TButton>(this, OptionsId, "Options...", 0, 0, 86, 30);
}

TTHDFreq::~TTHDFreq() = default;

void TTHDFreq::GetWindowClass(WNDCLASSA& wc)
{
    TPlotBase::GetWindowClass(wc);
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(instance, "ICON_UTILITY");
    if (const TBrush* face = MainWin->GetFaceBrush()) wc.hbrBackground = HBRUSH(*face);
}

void TTHDFreq::SetupWindow()
{
    TPlotBase::SetupWindow();
    if (const TFont* font = MainWin->GetMainFont())
        for (TWindow* control : {static_cast<TWindow*>(StartButton.get()), static_cast<TWindow*>(Gauge.get()),
                                 static_cast<TWindow*>(LoadButton.get()), static_cast<TWindow*>(SaveButton.get()),
                                 static_cast<TWindow*>(PrintButton.get()), static_cast<TWindow*>(OptionsButton.get())})
            control->SendMessage(WM_SETFONT, WPARAM(HFONT(*font)), TRUE);
    Gauge->SetRange(0, 100);
    EndProgress();
    SetCaption(Title);
    UpdateLayout();
}

void TTHDFreq::UpdateLayout()
{
    Opts = Thd.GetThdFreqOptions();
    PaneMode = Opts.NumChannels == 2 ? 2 : 1;
    TPlotBase::UpdateLayout();
    if (!HWindow) return;
    SaveButton->EnableWindow(!Left.empty());
    PrintButton->EnableWindow(!Left.empty());
    HideScrollBar();
    CalcPaneRects();
    BuildScales();
    PlaceButtons();
    Invalidate(true);
    NewData(0.0f);
    SetCaption(ResultFile.empty() ? Title : (std::string(Title) + " - " + ResultFile).c_str());
}

TRect TTHDFreq::FirstPane() const
{
    return PaneMode == 2 ? PaneRect1 : GraphRect;
}

void TTHDFreq::BuildScales()
{
    const TRect pane = FirstPane();
    FreqScale = TThdFreqScale::FrequencyScale(pane.Width(), Opts.StartFreq, Opts.StopFreq, Opts.FreqScaleType);
    AmpScale = TThdFreqScale::AmplitudeScale(pane.Height(), Opts.PlotTop, Opts.PlotBottom, Opts.AmpScaleType);
    FreqTicks = TThdFreqScale::FrequencyTicks(FreqScale, Opts.StartFreq, Opts.StopFreq, Opts.FreqScaleType);
    AmpTicks = TThdFreqScale::AmplitudeTicks(AmpScale, Opts.PlotTop, Opts.PlotBottom, Opts.AmpScaleType);
}

void TTHDFreq::PlaceButtons()
{
    const TRect pane = FirstPane();
    const int x = pane.right + 6, width = RightMargin - 12, top = pane.top + 4;
    TButton* buttons[] = {LoadButton.get(), SaveButton.get(), PrintButton.get(), OptionsButton.get()};
    for (int i = 0; i < 4; ++i) buttons[i]->MoveWindow(x, top + 28 * i, width, 24, true);
}

float TTHDFreq::GetXValue(const TPoint& point)
{
    return TThdFreqScale::ColumnValue(FreqScale, point.x - FirstPane().left);
}

float TTHDFreq::GetYValue(const TPoint& point)
{
    const TRect pane = PaneMode == 2 && PaneRect2.Contains(point) ? PaneRect2 : FirstPane();
    return TThdFreqScale::RowValue(AmpScale, pane.bottom - point.y);
}

std::unique_ptr<TPopupMenu> TTHDFreq::BuildContextMenu() const
{
    return TViewMenu::Build(ContextMenu);
}

void TTHDFreq::EvRButtonDown(UINT, const TPoint& point)
{
    ShowViewMenus(point, false);
}

void TTHDFreq::EvLButtonDblClk(UINT, const TPoint& point)
{
    if (!Running && !FirstPane().Contains(point)) CmOptions();
}

void TTHDFreq::CmOptions()
{
    MainWin->RunCommand(CM_THDNVSFREQUENCYOPTIONS);
}

void TTHDFreq::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, MainWin->GetHelpPath(), HelpContext);
}

void TTHDFreq::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE) {
        if (QuerySave()) Thd.CloseThdFreqWindow();
        return;
    }
    DefaultProcessing();
}

void TTHDFreq::EvDestroy()
{
    Thd.ThdFreqWindowClosing();
    TPlotBase::EvDestroy();
}

int TTHDFreq::QuerySave()
{
    if (!Changed || !Opts.PromptToSave) return 1;
    switch (MessageBox("THD+N vs Frequency Data has changed.  Do you want to save it?", Product,
                       MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        // Going on only when the results were kept: a cancelled or failed save stops the close.
        return SaveWithDialog() ? 1 : 0;
    case IDNO:
        Changed = false;
        ResultFile.clear();
        return 1;
    default:
        return 0;
    }
}

int TTHDFreq::CompareToLimits(int channel)
{
    if (channel != 0 && channel != 1) return -1;
    const std::vector<TThdPoint>& points = channel == 0 ? Left : Right;
    if (points.empty()) return -1;
    const bool enabled = channel == 0 ? Opts.LimitEnableL : Opts.LimitEnableR;
    const char* file = channel == 0 ? Opts.LimitFilenameL : Opts.LimitFilenameR;
    if (!enabled || !file[0]) return -2;
    const TOverlayData limit(file, 1, 0.0f, 0);
    if (limit.Error) return -2;
    int result = 0;
    for (const TThdPoint& p : points)
        if (p.Thdn > limit.GetValue(p.Frequency)) result = 1;
    return result;
}

std::string TTHDFreq::ResultText() const
{
    std::string text;
    const bool two = Right.size() == Left.size() && !Right.empty();
    char line[128];
    for (size_t i = 0; i < Left.size(); ++i) {
        if (two)
            std::snprintf(line, sizeof line, "%f\t%f\t%f\r\n", Left[i].Frequency, Left[i].Thdn, Right[i].Thdn);
        else
            std::snprintf(line, sizeof line, "%f\t%f\r\n", Left[i].Frequency, Left[i].Thdn);
        text += line;
    }
    return text;
}

void TTHDFreq::CopyAsText()
{
    if (Left.empty()) return;
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen()) return;
    clipboard.EmptyClipboard();
    if (!clipboard.SetText(ResultText())) MessageBox(NoMemory, Product, MB_OK);
}

void TTHDFreq::CopyAsBitmap()
{
    const TRect client = GetClientRect();
    const int width = client.Width(), height = client.Height() - ButtonBarHeight;
    if (width <= 0 || height <= 0) return;
    TClientDC screen(HWindow);
    TBitmap picture(screen, width, height);
    {
        TMemoryDC memory(screen);
        memory.SelectObject(picture);
        memory.BitBlt(0, 0, width, height, screen, 0, ButtonBarHeight);
        memory.FrameRect(TRect(0, 0, width, height), HBRUSH(::GetStockObject(BLACK_BRUSH)));
    }
    // As a device-independent bitmap, which the clipboard copies.
    const TDib dib(HBITMAP(picture), 24);
    if (!dib.IsOK()) return;
    std::vector<uint8_t> packed(sizeof(BITMAPINFOHEADER) + size_t(dib.Pitch()) * dib.Height());
    std::memcpy(packed.data(), &dib.GetInfo().bmiHeader, sizeof(BITMAPINFOHEADER));
    std::memcpy(packed.data() + sizeof(BITMAPINFOHEADER), dib.GetBits(), packed.size() - sizeof(BITMAPINFOHEADER));
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen()) return;
    clipboard.EmptyClipboard();
    clipboard.SetBytes(CF_DIB, packed.data(), packed.size());
}

bool TTHDFreq::SaveFile(const std::string& name)
{
    if (Left.empty() || name.empty()) return false;
    const std::string path = Thd.ResolveThdPath(name);
    if (path.empty()) return false;
    TThdFile::TContents contents{Opts.StartFreq, Opts.StopFreq, Opts.PlotTop, Opts.PlotBottom, Left, Right};
    const std::vector<uint8_t> bytes = TThdFile::Encode(contents);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        MessageBox("Failure creating thd file", "", MB_OK);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        // No partial file stays behind to be taken for results.
        std::remove(path.c_str());
        MessageBox("Error writing thd file.", Product, MB_OK);
        return false;
    }
    Changed = false;
    ResultFile = path;
    UpdateLayout();
    return true;
}

bool TTHDFreq::LoadFile(const std::string& name)
{
    if (name.empty()) {
        UpdateLayout();
        return false;
    }
    const std::string path = Thd.ResolveThdPath(name);
    if (path.empty()) return false;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        MessageBox(Formatted("Failure opening thd file: %s", path).c_str(), Product, MB_OK);
        return false;
    }
    const std::streamoff size = in.tellg();
    std::vector<uint8_t> bytes;
    if (size >= 0 && size_t(size) <= MaxFileSize) {
        bytes.resize(size_t(size));
        in.seekg(0);
        in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!in) bytes.clear();
    }
    TThdFile::TContents file;
    switch (TThdFile::Decode(bytes, file)) {
    case TThdFile::Valid: break;
    case TThdFile::NoData:
        MessageBox(Formatted("File contains no thd data: %s", path).c_str(), Product, MB_OK);
        return false;
    default:
        MessageBox(Formatted("Invalid thd file: %s", path).c_str(), Product, MB_OK);
        return false;
    }
    if (file.StartFreq > 0) Opts.StartFreq = file.StartFreq;
    if (file.StopFreq > 0 && file.StopFreq > file.StartFreq) Opts.StopFreq = file.StopFreq;
    if (file.PlotTop > 0) Opts.PlotTop = file.PlotTop;
    if (file.PlotBottom > 0 && file.PlotBottom < file.PlotTop) Opts.PlotBottom = file.PlotBottom;
    Opts.NumChannels = file.Right.empty() ? 1 : 2;
    Thd.SetThdFreqOptions(Opts);
    Left = std::move(file.Left);
    Right = std::move(file.Right);
    ResultFile = path;
    UpdateLayout();
    return true;
}

void TTHDFreq::CmLoad()
{
    if (Changed && !QuerySave()) return;
    TOpenSaveDialog::TData data;
    data.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    data.Filter = "THD Files (*.thd)|*.thd|";
    data.DefExt = "thd";
    data.InitialDir = Thd.ThdFileFolder();
    if (Thd.RunThdFileDialog(data, "Open THD File", false) != IDOK) return;
    Thd.StoreThdFileFolder(data.FileName);
    LoadFile(data.FileName);
}

void TTHDFreq::CmSave()
{
    SaveWithDialog();
}

void TTHDFreq::PrintPlot(bool interactive)
{
    Thd.PrintThdFreqPlot(interactive);
}

bool TTHDFreq::SaveWithDialog()
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    data.Filter = "THD vs Frequency Data Files (*.thd)|*.thd|";
    data.DefExt = "thd";
    data.InitialDir = Thd.ThdFileFolder();
    data.FileName = ResultFile;
    if (Thd.RunThdFileDialog(data, "Save THD File", true) != IDOK) return false;
    Thd.StoreThdFileFolder(data.FileName);
    return SaveFile(data.FileName);
}
