// The spectrum view's cursors, markers, control bar, context menu and text
// export in a real main window under Xvfb, against numpy references.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "framework/TCheckBox.h"
#include "framework/TDib.h"
#include "framework/UiHelpers.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "resources/CommandIds.h"
#include "framework/TPopupMenu.h"
#include "tests/views/SpectrumScreen.h"
#include "tests/shell/TMainWinState.h"

namespace {

struct TReferenceBin {
    double Frequency;
    double Level;
};

// Bin -> (frequency, dB FS) of the tone's first block, from numpy.
std::map<int, TReferenceBin> ToneReference()
{
    std::map<int, TReferenceBin> bins;
    std::ifstream in(Fixture("spectrum_reference.txt"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        int bin;
        TReferenceBin b;
        std::istringstream(line) >> bin >> b.Frequency >> b.Level;
        bins[bin] = b;
    }
    return bins;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ItemEnabled(HMENU menu, UINT id)
{
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

// Runs the clipboard dump in a second process: CF_TEXT and the "Link" block.
void DumpClipboard(const std::string& text, const std::string& link = "")
{
    std::string command = std::string("\"") + CLIPBOARD_DUMP_EXE + "\" \"" + text + "\"";
    if (!link.empty()) command += " \"" + link + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    ASSERT_EQ(code, 0u);
}

struct TSpectrumCommands : TSpectrumScreen {
    std::map<int, TReferenceBin> Reference = ToneReference();

    TSpectrumPlot& OpenTone()
    {
        // The main window's texts come from this executable's string table.
        SetStringInstance(::GetModuleHandleA(nullptr));
        Open(1, 0);
        LoadTone("sine_1k_mono.wav");
        Main->CmRun();
        Pump();
        return *Main->SpectrumView(0);
    }
    // The client point of a frequency's column, halfway up the pane.
    static TPoint At(TSpectrumPlot& view, float frequency)
    {
        return TPoint(view.GraphRect.left + view.Scale.ColumnOf(frequency),
                      (view.GraphRect.top + view.GraphRect.bottom) / 2);
    }
};

}  // namespace

TEST_F(TSpectrumCommands, ContextMenuEnablersFollowMarkersAndPeakHold)
{
    TSpectrumPlot& view = OpenTone();
    State(Main).Markers() = MarkerSettings{};
    State(Main).Markers().MarkerEnable[1] = 1;
    TPopupMenu menu;
    view.FillContextMenu(menu);
    HMENU clear = nullptr;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[40] = {};
        ::GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        if (std::string(text) == "Clear Marker") clear = ::GetSubMenu(menu, i);
    }
    ASSERT_NE(clear, nullptr);
    auto open = [&](HMENU popup) { view.SendMessage(WM_INITMENUPOPUP, WPARAM(popup), 0); };
    open(menu);
    open(clear);
    EXPECT_FALSE(ItemEnabled(menu, TSpectrumPlot::MenuClearPeakHold));
    for (UINT id : {802u, 1520u, 818u, 820u, 860u, 1500u, 1501u}) EXPECT_TRUE(ItemEnabled(menu, id)) << id;
    for (int n = 0; n < 8; ++n) EXPECT_EQ(ItemEnabled(clear, 851 + n), n == 1) << n;
    EXPECT_TRUE(ItemEnabled(clear, TSpectrumPlot::MenuClearAllMarkers));

    State(Main).Markers().MarkerEnable[1] = 0;
    State(Main).Settings().PeakHold = 1;
    open(menu);
    open(clear);
    EXPECT_TRUE(ItemEnabled(menu, TSpectrumPlot::MenuClearPeakHold));
    EXPECT_FALSE(ItemEnabled(clear, TSpectrumPlot::MenuClearAllMarkers));
    State(Main).Settings().PeakHold = 0;
}

TEST_F(TSpectrumCommands, MenuSetsAndClearsMarkersAtTheClickedColumn)
{
    TSpectrumPlot& view = OpenTone();
    State(Main).Markers() = MarkerSettings{};
    view.MenuPoint = At(view, 1000.0f);
    view.SendMessage(WM_COMMAND, 813);
    view.SendMessage(WM_COMMAND, 823);
    EXPECT_EQ(Main->GetMarkers().MarkerEnable[2], 1u);
    EXPECT_EQ(Main->GetMarkers().MarkerEnable[7], 1u);
    EXPECT_FLOAT_EQ(Main->GetMarkers().MarkerFreq[2], view.GetXValue(view.MenuPoint));
    EXPECT_NEAR(Main->GetMarkers().MarkerFreq[2], 1000.0, 20.0);
    view.SendMessage(WM_COMMAND, 853);
    EXPECT_EQ(Main->GetMarkers().MarkerEnable[2], 0u);
    EXPECT_EQ(Main->GetMarkers().MarkerEnable[7], 1u);
    view.SendMessage(WM_COMMAND, TSpectrumPlot::MenuClearAllMarkers);
    EXPECT_EQ(Main->GetMarkers().MarkerEnable[7], 0u);
}

TEST_F(TSpectrumCommands, MarkersDrawTheirArrowsAndEachLabelType)
{
    TSpectrumPlot& view = OpenTone();
    view.Opts->MarkerColor = RGB(255, 0, 255);
    State(Main).Markers() = MarkerSettings{};
    const float frequencies[] = {200.0f, 1000.0f, 3000.0f, 8000.0f, 15000.0f};
    for (int n = 0; n < 5; ++n) {
        State(Main).Markers().MarkerEnable[n] = 1;
        State(Main).Markers().MarkerFreq[n] = frequencies[n];
        State(Main).Markers().LabelType[n] = uint32_t(n);
    }
    std::snprintf(State(Main).Markers().CustomLabel[4], sizeof Main->GetMarkers().CustomLabel[4], "Mains");
    view.Invalidate(true);
    view.UpdateWindow();
    Pump();
    Screenshot shot(view.GetHandle());
    TSpectralData& data = *State(Main).DisplayPrimary();
    const TRect pane = view.GraphRect;
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE(n);
        const TPoint tip = view.MarkerPoints[2][n];
        const int bin = data.GetIndex(frequencies[n]);
        const double level = data.GetDisplayValue(bin);
        const double h = std::clamp(std::trunc(pane.Height() * (level + 120.0) / 120.0), 1.0, double(pane.Height()));
        EXPECT_EQ(tip.x, pane.left + view.Scale.ColumnOf(frequencies[n]));
        EXPECT_EQ(tip.y, int(pane.bottom - h - 1));
        EXPECT_EQ(shot.At(tip.x, tip.y - 12), RGB(255, 0, 255));
        const TRect frame = view.MarkerRects[2][n];
        EXPECT_EQ(frame.IsEmpty(), n == 0);
        if (n > 0) {
            EXPECT_EQ(shot.At(frame.left + 1, frame.top), RGB(255, 0, 255));
            EXPECT_NEAR((frame.left + frame.right) / 2.0, tip.x, 1.0);
        }
    }
    // A frequency label is wider than a custom "Mains".
    EXPECT_GT(view.MarkerRects[2][1].Width(), view.MarkerRects[2][4].Width());
}

TEST_F(TSpectrumCommands, GrabbedCursorReadsTheToneLevelAndTrackCursorMovesOntoTheCurve)
{
    TSpectrumPlot& view = OpenTone();
    view.Opts->GrabCursorFlag = 1;
    // The column holding the tone's two loudest bins.
    const TPoint point = At(view, 1000.0f);
    const int b1 = int(view.Scale.BinAtColumn(point.x - view.GraphRect.left - 1));
    const int b2 = int(view.Scale.BinAtColumn(point.x - view.GraphRect.left));
    double expected = -999.0;
    for (int b = b1; b <= b2; ++b) expected = std::max(expected, Reference.at(b).Level);
    EXPECT_NEAR(view.GetYValue(point), expected, 0.1);
    EXPECT_EQ(view.YFormat, 2);

    view.TrackCursor(point);
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(view.GetHandle(), &cursor);
    const double h = std::trunc(view.GraphRect.Height() * (view.GetYValue(point) + 120.0) / 120.0);
    EXPECT_EQ(cursor.x, point.x);
    EXPECT_EQ(cursor.y, int(view.GraphRect.bottom - h));

    view.Opts->GrabCursorFlag = 0;
    EXPECT_NEAR(view.GetYValue(TPoint(point.x, view.GraphRect.top)), 0.0, 1e-4);
    EXPECT_EQ(view.GetHarmonicCount(At(view, 0.0f)), 0);
}

TEST_F(TSpectrumCommands, ControlBarZoomsAndKeepsThePlotRangeAboveZero)
{
    TSpectrumPlot& view = OpenTone();
    const int start = view.VisibleStart, end = view.VisibleEnd;
    view.SendMessage(WM_COMMAND, TSpectrumPlot::Zoom2XInId);
    EXPECT_EQ(view.VisibleStart, start + (end - start) / 4);
    EXPECT_FLOAT_EQ(view.Opts->StartFreq, State(Main).DisplayPrimary()->GetFrequency(view.VisibleStart));
    EXPECT_FALSE(view.Zoom2XOutButton->Grey);
    view.SendMessage(WM_COMMAND, TSpectrumPlot::ZoomFullId);
    EXPECT_TRUE(view.ZoomFullButton->Grey);

    // A drag within one column leaves the zoom armed.
    view.SendMessage(WM_COMMAND, TSpectrumPlot::ZoomInId);
    EXPECT_EQ(view.SelectMode, 1);
    const TPoint a = At(view, 1000.0f);
    view.SetSelection(TRect(a.x, a.y, a.x, a.y));
    EXPECT_EQ(view.SelectMode, 1);
    const TPoint b = At(view, 3000.0f);
    view.SetSelection(TRect(b.x, b.y, a.x, a.y));
    EXPECT_EQ(view.SelectMode, 0);
    EXPECT_NEAR(view.Opts->StartFreq, 1000.0, 20.0);
    EXPECT_NEAR(view.Opts->StopFreq, 3000.0, 50.0);

    view.PlotRangeEdit->SetText("0");
    char text[21] = {};
    view.PlotRangeEdit->GetText(text, sizeof text);
    EXPECT_STREQ(text, "0.1");
    EXPECT_FLOAT_EQ(view.Opts->PlotRange, 0.1f);
    view.PlotTopEdit->SetText("-20");
    EXPECT_FLOAT_EQ(view.Opts->PlotTop, -20.0f);
    EXPECT_FLOAT_EQ(view.PlotTopSpin->GetStep(), 5.0f);

    // Autoscale around the tone without the meter: its peak near -21 dB sets the top at -20.
    view.Opts->ShowPowerMeter = 0;
    view.SendMessage(WM_COMMAND, TSpectrumPlot::MenuAutoscale);
    EXPECT_FLOAT_EQ(view.Opts->PlotTop, -20.0f);
    EXPECT_GE(view.Opts->PlotRange, 1.0f);
}

TEST_F(TSpectrumCommands, CursorAndTextCopiesAreReadByASecondProcess)
{
    TSpectrumPlot& view = OpenTone();
    const int first = Reference.begin()->first;
    view.VisibleStart = first;
    view.VisibleEnd = first + 16;
    Main->GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(view.GetHandle()));
    Main->SendMessage(WM_COMMAND, CM_EDITCOPY);
    const std::string text = Folder.File("spectrum.txt"), link = Folder.File("link.bin");
    DumpClipboard(text, link);
    std::ifstream in(text, std::ios::binary);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, ";Freq(Hz)\t" + std::string(State(Main).DisplayPrimary()->GetAmplitudeUnitName()) + ": "
                        + State(Main).DisplayPrimary()->GetLabel() + "\r");
    int rows = 0;
    for (const auto& [bin, ref] : Reference) {
        ASSERT_TRUE(std::getline(in, line));
        double frequency = 0, level = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf\t%lf", &frequency, &level), 2) << line;
        EXPECT_NEAR(frequency, ref.Frequency, 0.0001);
        EXPECT_NEAR(level, ref.Level, 0.1) << "bin " << bin;
        EXPECT_EQ(line.back(), '\r');
        ++rows;
    }
    EXPECT_EQ(rows, 17);
    const std::string block = ReadFile(link);
    ASSERT_EQ(block.size(), 128u);
    EXPECT_EQ(block.substr(0, 23), std::string("Tonalyx\0Data\0Spectrum\0\0", 23));
    EXPECT_EQ(block.find_first_not_of('\0', 23), std::string::npos);

    // The measuring cursor's copy, byte for byte.
    view.XValue = 1000.5f;
    view.YValue = -21.25f;
    view.Tracking = 1;
    ::PostMessageA(view.GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(view.GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
    view.EvRButtonDown(0, At(view, 1000.0f));
    EXPECT_EQ(view.Tracking, 0);
    DumpClipboard(text);
    EXPECT_EQ(ReadFile(text), "Freq=\t1000.5000\r\nAmp=\t-21.2500\r\n");
}

TEST_F(TSpectrumCommands, TextFilesCarryTheHeaderOfEachModeAndOneCrLfALine)
{
    TSpectrumPlot& view = OpenTone();
    view.VisibleStart = 370;
    view.VisibleEnd = 373;
    const std::string unit = State(Main).DisplayPrimary()->GetAmplitudeUnitName();
    const struct {
        uint16_t Mode;
        std::string Header;
        int Columns;
    } cases[] = {{0, unit + ": Left", 2},
                 {1, unit + ": Right", 2},
                 {2, unit + ": Left\t" + unit + ": Right", 3},
                 {3, unit + ": Level", 2},
                 {10, unit + ": Level", 2},
                 {11, unit + ": Transfer Function\t" + unit + ": Coherence", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mode);
        State(Main).Settings().ChannelProcessing = c.Mode;
        const std::string path = Folder.File(("new_" + std::to_string(c.Mode) + ".txt").c_str());
        ASSERT_TRUE(view.WriteTextFile(path.c_str()));
        const std::string text = ReadFile(path);
        EXPECT_EQ(text.substr(0, text.find("\r\n")), ";Freq(Hz)\t" + c.Header);
        EXPECT_EQ(text.find("\r\r"), std::string::npos);
        int lines = 0;
        for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; ++at, ++lines)
            EXPECT_EQ(text[at - 1], '\r');
        EXPECT_EQ(lines, 5);
        const std::string last = text.substr(text.rfind('\n', text.size() - 2) + 1);
        EXPECT_EQ(std::count(last.begin(), last.end(), '\t'), c.Columns - 1) << last;
    }
    State(Main).Settings().ChannelProcessing = 0;
    // A file that cannot be written is reported with its path.
    const std::string missing = Folder.File("missing\\folder.txt");
    EXPECT_FALSE(view.WriteTextFile(missing.c_str()));
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "Failure Opening file: " + missing);
}

TEST_F(TSpectrumCommands, CopyAsBitmapTakesTheClientBelowTheButtonsFramedAndSaveWritesIt)
{
    TSpectrumPlot& view = OpenTone();
    view.SendMessage(WM_COMMAND, TSpectrumPlot::MenuCopyBitmap);
    const TRect client = view.GetClientRect();
    ASSERT_TRUE(::OpenClipboard(view.GetHandle()));
    HBITMAP copied = HBITMAP(::GetClipboardData(CF_BITMAP));
    ASSERT_NE(copied, nullptr);
    BITMAP info{};
    ::GetObjectA(copied, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, client.Width());
    EXPECT_EQ(info.bmHeight, client.Height() - view.ButtonBarHeight);
    // The one-pixel black frame at each edge; the pane's frame inside it.
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, copied);
    const int w = info.bmWidth, h = info.bmHeight;
    for (POINT p : {POINT{0, 0}, POINT{w - 1, 0}, POINT{w - 1, h - 1}, POINT{0, h - 1}, POINT{w / 2, 0},
                    POINT{0, h / 2}, POINT{w - 1, h / 2}, POINT{w / 2, h - 1}})
        EXPECT_EQ(::GetPixel(memory, p.x, p.y) & 0xFFFFFF, 0u) << p.x << "," << p.y;
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    ::CloseClipboard();
    // The same picture as a BMP file under a new name.
    const std::string file = Folder.File("view.bmp");
    ASSERT_TRUE(view.WriteBitmapFile(file.c_str()));
    TDib written(file.c_str());
    ASSERT_TRUE(written.IsOK());
    EXPECT_EQ(written.Width(), client.Width());
    EXPECT_EQ(written.Height(), client.Height() - view.ButtonBarHeight);
}
