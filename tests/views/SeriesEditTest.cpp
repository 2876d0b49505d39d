// The Edit menu's commands on a wave open in the time series view, the
// segment chosen with the mouse as a user chooses it.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "tests/views/SeriesScreen.h"

namespace {

struct TSeriesEdit : TSeriesScreen {
    // Frames first .. last - 1 of the mouse selection over columns 250 .. 600.
    uint32_t First = 0, Last = 0;

    void Select()
    {
        View->SelectButton->SendMessage(BM_CLICK);
        const int x1 = View->GraphRect.left + 250, x2 = View->GraphRect.left + 600, y = View->PaneRect1.top + 40;
        View->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y));
        View->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y + 30));
        View->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x2, y + 30));
        float start = 0.0f, end = 0.0f;
        ASSERT_TRUE(Main->GetSelectedSegment(start, end));
        First = Main->WaveFile->TimeToFrame(start);
        Last = Main->WaveFile->TimeToFrame(end);
        ASSERT_LT(First, Last);
    }
    std::vector<int16_t> Channel(uint16_t channel)
    {
        std::vector<int16_t> samples(Main->WaveFile->GetHighWaterMark());
        Main->WaveFile->ReadFrames(samples.data(), 0, uint32_t(samples.size()), channel);
        return samples;
    }
    void Command(int id) { Main->SendMessage(WM_COMMAND, id, 0); }
};

// Where two channels part: empty when equal, else the sizes and first difference.
std::string Difference(const std::vector<int16_t>& a, const std::vector<int16_t>& b)
{
    const auto d = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (d.first == a.end() && d.second == b.end()) return "";
    return std::to_string(a.size()) + " / " + std::to_string(b.size()) + " frames, first difference at " +
           std::to_string(d.first - a.begin()) + " (" + std::to_string(*d.first) + " vs " + std::to_string(*d.second) + ")";
}

// Presses OK in the modal dialog a command opens.
void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ::GetActiveWindow();
    if (!dialog) return;
    ::KillTimer(nullptr, timer);
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST_F(TSeriesEdit, CutUndoPasteMuteAndGainChangeExactlyTheSelectedFrames)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    Select();
    const std::vector<int16_t> left = Channel(0), right = Channel(1);

    Command(CM_EDITCUT);
    std::vector<int16_t> expected = left;
    expected.erase(expected.begin() + First, expected.begin() + Last);
    EXPECT_EQ(Difference(Channel(0), expected), "");
    Command(CM_EDITUNDO);
    EXPECT_EQ(Difference(Channel(0), left), "");
    EXPECT_EQ(Difference(Channel(1), right), "");

    // Copy, then paste at the position: the segment inserted whole, nothing lost.
    Select();
    Command(CM_EDITCOPY);
    Main->CurrentTime = 0.0f;
    Command(CM_EDITPASTEINSERT);
    expected = left;
    expected.insert(expected.begin(), left.begin() + First, left.begin() + Last);
    EXPECT_EQ(Difference(Channel(0), expected), "");
    Command(CM_EDITUNDO);
    EXPECT_EQ(Difference(Channel(0), left), "");

    Select();
    Command(CM_EDITMUTE);
    expected = left;
    std::fill(expected.begin() + First, expected.begin() + Last, int16_t(0));
    EXPECT_EQ(Difference(Channel(0), expected), "");
    Command(CM_EDITUNDO);
    EXPECT_EQ(Difference(Channel(0), left), "");

    // +6 dB: floor(x * 10^0.3 + 0.5), held at full scale (+-32767).
    Select();
    Main->GainAdjustLeftDb = 6.0f;
    Main->GainAdjustRightDb = 6.0f;
    ::SetTimer(nullptr, 0, 50, PressOk);
    Command(CM_EDITGAINADJUST);
    const float gain = float(std::pow(10.0, 0.3));
    expected = right;
    for (uint32_t i = First; i < Last; ++i)
        expected[i] = int16_t(std::clamp(std::floor(double(gain * float(right[i])) + 0.5), -32767.0, 32767.0));
    EXPECT_EQ(Difference(Channel(1), expected), "");
}
