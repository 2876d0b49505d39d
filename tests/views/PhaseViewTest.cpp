// The phase view in a real main window under Xvfb: a sox noise with the
// right channel two samples late, its transfer phase against numpy's.
#include "tests/views/SurfacePhaseScreen.h"

#include "engine/TSpectralData.h"
#include "tests/framework/WindowImage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include "tests/shell/TMainWinState.h"

namespace {

struct TPhaseScreen : TSurfacePhaseScreen {
    // numpy's phase of L * conj(R) per bin.
    std::map<uint32_t, double> Reference;

    TPhasePlot& OpenDelayedNoise()
    {
        for (const auto& row : ReadFixture("views/phase_reference.txt")) Reference[uint32_t(row.at(0))] = row.at(1);
        Open(false, 2, 8, 16384);
        Load("noise_delay_stereo.wav");
        TPhasePlot& view = *Main->PhaseView(0);
        view.MoveWindow(0, 0, 1100, 700, true);
        PumpViews();
        Main->CmRun();
        PumpViews();
        return view;
    }

    // The row a phase stands at in a pane from +180 to -180 degrees.
    static int RowOf(double degrees, const TRect& pane)
    {
        const int h = std::clamp(int(pane.Height() * (degrees + 180.0) / 360.0), 1, pane.Height());
        return pane.bottom - h;
    }
};

}  // namespace

TEST_F(TPhaseScreen, TransferPhaseOfADelayedChannelMatchesNumpy)
{
    TPhasePlot& view = OpenDelayedNoise();
    ASSERT_EQ(view.PaneMode, 1);
    const TRect pane = view.GraphRect;
    const Screenshot shot(view.GetHandle());
    int compared = 0;
    for (int c = 0; c + 1 < pane.Width(); ++c) {
        const auto ref = Reference.find(view.Scale.Columns[size_t(c)].Bin);
        if (ref == Reference.end()) continue;
        // The curve's vertex one column on carries this column's phase.
        const int x = pane.left + c + 1, y = RowOf(ref->second, pane);
        int nearest = 1 << 20;
        for (int row = pane.top; row < pane.bottom; ++row)
            if (shot.At(x, row) == view.Opts->LineColor) nearest = std::min(nearest, std::abs(row - y));
        EXPECT_LE(nearest, 1) << "bin " << ref->first;
        ++compared;
    }
    EXPECT_GE(compared, 10);
    EXPECT_TRUE(Host().Messages.empty());
    EXPECT_TRUE(SaveWindowImage(view.GetHandle(), std::string(TONALYX_SHOTS) + "/phase.bmp"));
}

TEST_F(TPhaseScreen, TrackCursorSnapsTheMouseOntoTheCurve)
{
    TPhasePlot& view = OpenDelayedNoise();
    const TRect pane = view.GraphRect;
    view.Opts->GrabCursorFlag = 1;
    for (int c = 0; c < pane.Width(); ++c) {
        const auto ref = Reference.find(view.Scale.Columns[size_t(c)].Bin);
        if (ref == Reference.end()) continue;
        // The pointer is the display's: a test beside this one may move it
        // between the snap and the read, so a stray read is taken again.
        TPoint at;
        for (int attempt = 0; attempt < 3; ++attempt) {
            view.TrackCursor(TPoint(pane.left + c, pane.top + 3));
            ::GetCursorPos(&at);
            view.ScreenToClient(at);
            if (at.x == pane.left + c) break;
        }
        EXPECT_EQ(at.x, pane.left + c);
        EXPECT_NEAR(at.y, RowOf(ref->second, pane), 1) << "bin " << ref->first;
        EXPECT_NEAR(view.GetYValue(at), ref->second, 0.01);
    }
}

TEST_F(TPhaseScreen, CopyAsTextReadByASecondProcessMatchesNumpyWithItsLink)
{
    TPhasePlot& view = OpenDelayedNoise();
    // The thirteen bins around 1 kHz that numpy's table holds.
    const uint32_t first = Reference.lower_bound(360)->first;
    view.VisibleStart = int(first);
    view.VisibleEnd = int(first) + 13;
    view.SendMessage(WM_COMMAND, TPhasePlot::MenuCopyText);

    const std::string text = Folder.File("phase.txt"), link = Folder.File("link.bin");
    std::string command = std::string("\"") + CLIPBOARD_DUMP_EXE + "\" \"" + text + "\" \"" + link + "\"";
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

    std::ifstream in(text, std::ios::binary);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, ";Freq(Hz)\tPhase (deg) " + std::string(State(Main).DisplayPrimary()->GetLabel()) + "\r");
    int rows = 0;
    for (uint32_t bin = first; std::getline(in, line); ++bin, ++rows) {
        double frequency = 0, degrees = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf\t%lf", &frequency, &degrees), 2) << line;
        EXPECT_NEAR(frequency, bin * 44100.0 / 16384.0, 0.0001);
        EXPECT_NEAR(degrees, Reference.at(bin), 0.01) << "bin " << bin;
    }
    EXPECT_EQ(rows, 13);

    // The link: the DDE server's service, its topic and item, then zeros.
    std::ifstream bytes(link, std::ios::binary);
    const std::string block{std::istreambuf_iterator<char>(bytes), std::istreambuf_iterator<char>()};
    ASSERT_EQ(block.size(), 128u);
    EXPECT_EQ(block.substr(0, 20), std::string("Tonalyx\0Data\0Phase\0\0", 20));
    EXPECT_EQ(block.find_first_not_of('\0', 20), std::string::npos);
}
