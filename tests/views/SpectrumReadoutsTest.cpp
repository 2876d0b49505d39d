// The DDE items that compare a displayed spectrum with an overlay slot
// between a marker pair, on a tone analysed in a real main window, with
// numpy-made overlay files; the smoothing's refusal of a linear axis; and
// the cepstrum of a numpy-made echo.
#include <windows.h>

#include <string>

#include "engine/TSpectralData.h"

#include "automation/TDdeItemTable.h"
#include "framework/UiHelpers.h"
#include "tests/views/SpectrumScreen.h"

namespace {

struct TSpectrumReadouts : TSpectrumScreen {
    void OpenTone()
    {
        SetStringInstance(::GetModuleHandleA(nullptr));
        Open(1, 0);
        LoadTone("sine_1k_mono.wav");
        Main->CmRun();
        Pump();
        Main->SetConfiguredFolder(TMainWin::OvlFolder, Folder.Path.c_str());
    }
    void PutOverlay(const char* fixture, const char* slotFile)
    {
        ASSERT_TRUE(::CopyFileA(Fixture(fixture).c_str(), Folder.File(slotFile).c_str(), FALSE));
    }
    std::string Item(TDdeItem item) { return Main->DdeItemText(int(item)).value_or("none"); }
};

}  // namespace

TEST_F(TSpectrumReadouts, OverlayComparisonItemsAnswerForTheirSlots)
{
    OpenTone();
    ASSERT_NE(Main->GetDisplayedResult(0), nullptr);
    PutOverlay("compare_below.ovl", "L1.ovl");
    PutOverlay("compare_above.ovl", "L2.ovl");
    PutOverlay("compare_crossing.ovl", "L3.ovl");
    MarkerSettings& markers = State(Main).Markers();
    // Pairs 0-1 and 2-3 span 500 Hz to 5 kHz (one given high end first), 4-5 as well.
    const float pairs[] = {500.0f, 5000.0f, 5000.0f, 500.0f, 500.0f, 5000.0f, 3000.0f, 3000.0f};
    for (int i = 0; i < 8; ++i) markers.MarkerFreq[i] = pairs[i];
    State(Main).Settings().PeakHold = 0;

    EXPECT_EQ(Item(TDdeItem::CompareLeftSpectrumToOverlay1), "0");
    EXPECT_EQ(Item(TDdeItem::CompareLeftSpectrumToOverlay2), "1");
    EXPECT_EQ(Item(TDdeItem::CompareLeftSpectrumToOverlay3), "2");
    // No file for slot 4: -1; the peak hold while it is off: -2.
    EXPECT_EQ(Item(TDdeItem::CompareLeftSpectrumToOverlay4), "-1");
    EXPECT_EQ(Item(TDdeItem::CompareLeftPeakHoldToOverlay1), "-2");
    // A mono tone has no second spectrum.
    EXPECT_EQ(Item(TDdeItem::CompareRightSpectrumToOverlay1), "-2");
    // An empty range and slots out of range.
    PutOverlay("compare_below.ovl", "L4.ovl");
    EXPECT_EQ(Item(TDdeItem::CompareLeftSpectrumToOverlay4), "-2");
    EXPECT_EQ(Main->CompareSpectrumToOverlay(0, 0, 0, 10, 20), -1);
    EXPECT_EQ(Main->CompareSpectrumToOverlay(0, 0, 8, 10, 20), -1);
    EXPECT_EQ(Main->CompareSpectrumToOverlay(0, 0, 1, 20, 10), -2);
}

TEST_F(TSpectrumReadouts, SmoothingRefusesALinearAmplitudeAxis)
{
    OpenTone();
    State(Main).Scaling()[0].AmpScaleType = DisplaySettingsStruct::LinearAmplitude;
    Host().Messages.clear();
    Main->SmoothSpectra(5);
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text,
              "This feature requires narrowband frequency scaling and logarithmic amplitude scaling.");
}

// Noise with an echo 221 samples (5 ms) later: the cepstrum's largest value
// past the lowest quefrencies lies at that delay, and the axis turns to time.
TEST_F(TSpectrumReadouts, CepstrumOfAnEchoPeaksAtItsDelay)
{
    SetStringInstance(::GetModuleHandleA(nullptr));
    Open(1, 0);
    LoadTone("echo_5ms.wav");
    Main->CmRun();
    Pump();
    TSpectralData* spectrum = Main->GetDisplayedResult(0);
    ASSERT_NE(spectrum, nullptr);
    Main->ComputeCepstrum();
    int peak = 0;
    float top = -1e9f;
    for (int i = 50; i < 4000; ++i)
        if (spectrum->GetDisplayValue(i) > top) {
            top = spectrum->GetDisplayValue(i);
            peak = i;
        }
    EXPECT_NEAR(peak, 221, 1);
    ASSERT_NE(Main->SpectrumView(0), nullptr);
    EXPECT_STREQ(Main->SpectrumView(0)->XUnit, " msec");
}
