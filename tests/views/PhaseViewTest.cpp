// The phase view in a real main window under Xvfb: a sox noise with the
// right channel two samples late, its transfer phase against numpy's.
#include "tests/views/SurfacePhaseScreen.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

struct TPhaseScreen : TSurfacePhaseScreen {
    // numpy's phase of L * conj(R) per bin.
    std::map<uint32_t, double> Reference;

    TPhasePlot& OpenDelayedNoise()
    {
        for (const auto& row : ReadFixture("views/phase_reference.txt")) Reference[uint32_t(row.at(0))] = row.at(1);
        Open(false, 2, 8, 16384);
        Load("noise_delay_stereo.wav");
        TPhasePlot& view = *Main->PhaseViews[0];
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
}

TEST_F(TPhaseScreen, TrackCursorSnapsTheMouseOntoTheCurve)
{
    TPhasePlot& view = OpenDelayedNoise();
    const TRect pane = view.GraphRect;
    view.Opts->GrabCursorFlag = 1;
    for (int c = 0; c < pane.Width(); ++c) {
        const auto ref = Reference.find(view.Scale.Columns[size_t(c)].Bin);
        if (ref == Reference.end()) continue;
        view.TrackCursor(TPoint(pane.left + c, pane.top + 3));
        TPoint at;
        ::GetCursorPos(&at);
        view.ScreenToClient(at);
        EXPECT_EQ(at.x, pane.left + c);
        EXPECT_NEAR(at.y, RowOf(ref->second, pane), 1) << "bin " << ref->first;
        EXPECT_NEAR(view.GetYValue(at), ref->second, 0.01);
    }
}
