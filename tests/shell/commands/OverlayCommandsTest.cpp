// The spectrum overlay commands on a main window with its frame: the slot
// settings they store for each channel's trace, the slot files they copy and
// rename, and the slots of open spectrum views they fill, show and compose.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include "tests/shell/commands/CommandTestMain.h"
#include "views/TOverlayData.h"

namespace {

struct TOverlayCommands : TCommandTestMain {
    SpectrumOpts& Opts(int view) { return State(Main).SpectrumOptions()[view]; }
    // The reference curve of the fixtures as a slot or named file.
    void Curve(const char* name) { ::CopyFileA(Fixture("views/overlay_curve.ovl").c_str(), File(name).c_str(), FALSE); }
    void Layout(uint32_t independent, uint16_t channelProcessing)
    {
        State(Main).Settings().IndependentScalingAndCalibration = independent;
        State(Main).Settings().ChannelProcessing = channelProcessing;
    }
    // A stereo tone analysed once, both channels in the first view.
    void Analysed()
    {
        Frame();
        Open();
        OpenView(ViewType::Spectrum);
        Main->CmRun();
    }
};

using TCase = TCommandCase<TOverlayCommands>;
using T = TOverlayCommands;

struct TTrace {
    int View, Pane;
};
constexpr TTrace Traces[] = {{0, 1}, {0, 2}, {1, 1}};

float Offset(T& t, TTrace tr, int slot) { return (tr.Pane == 2 ? t.Opts(tr.View).Offset2 : t.Opts(tr.View).Offset1)[slot]; }

// The highest level the curve stores between low and high.
float Highest(const TOverlayData& curve, float low, float high)
{
    float highest = -1e30f;
    for (size_t i = 0; i + 1 < curve.Points.size(); i += 2)
        if (curve.Points[i] > low && curve.Points[i] < high) highest = std::max(highest, curve.Points[i + 1]);
    return highest;
}

void ExpectDifference(T& t, TTrace tr, uint16_t a, uint16_t b)
{
    SCOPED_TRACE(std::to_string(tr.View) + "/" + std::to_string(tr.Pane));
    const SpectrumOpts& o = t.Opts(tr.View);
    EXPECT_EQ(tr.Pane == 2 ? o.CompositeType2 : o.CompositeType1, 1);
    const uint16_t* index = tr.Pane == 2 ? o.DifferenceIndex2 : o.DifferenceIndex1;
    EXPECT_EQ(index[0], a);
    EXPECT_EQ(index[1], b);
}

void ExpectInclude(const uint32_t* include, std::initializer_list<uint32_t> expected)
{
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), include))
        << include[0] << include[1] << include[2] << include[3] << include[4] << include[5];
}

}  // namespace

TEST_F(TOverlayCommands, OffsetsAndCompositeSetupsGoToEachChannelsTrace)
{
    const TCase cases[] = {
        // Out of +-200 dB the offset is 0; a slot out of 1..7 is the composite.
        {"[Set Overlay Offset 3 250]",
         [](T& t) {
             for (TTrace tr : Traces) (tr.Pane == 2 ? t.Opts(tr.View).Offset2 : t.Opts(tr.View).Offset1)[2] = 5.0f;
         },
         Done, [](T& t) { for (TTrace tr : Traces) EXPECT_EQ(Offset(t, tr, 2), 0.0f); }},
        {"[Set Overlay Offset 9 -6]", nullptr, Done, [](T& t) {
             for (TTrace tr : Traces) EXPECT_EQ(Offset(t, tr, 6), -6.0f);
             EXPECT_EQ(t.Opts(1).Offset2[6], -6.0f);
         }},
        {"[Set Overlay Offset 0 -6]", nullptr, Done, [](T& t) { EXPECT_EQ(Offset(t, {0, 1}, 6), -6.0f); }},
        // The right channel's trace: the second view with a scaling of its own ...
        {"[Set Right Overlay Offset 2 -3.5]", [](T& t) { t.Layout(1, 2); }, Done, [](T& t) {
             EXPECT_EQ(Offset(t, {1, 1}, 1), -3.5f);
             EXPECT_EQ(Offset(t, {0, 1}, 1), 0.0f);
             EXPECT_EQ(Offset(t, {0, 2}, 1), 0.0f);
         }},
        // ... the first view's upper trace when it is analysed alone ...
        {"[Set Right Overlay Offset 2 -3.5]", [](T& t) { t.Layout(0, 1); }, Done, [](T& t) {
             EXPECT_EQ(Offset(t, {0, 1}, 1), -3.5f);
             EXPECT_EQ(Offset(t, {0, 2}, 1), 0.0f);
             EXPECT_EQ(Offset(t, {1, 1}, 1), 0.0f);
         }},
        // ... and its lower trace beside the left channel.
        {"[Set Right Overlay Offset 2 -3.5]", [](T& t) { t.Layout(0, 2); }, Done, [](T& t) {
             EXPECT_EQ(Offset(t, {0, 2}, 1), -3.5f);
             EXPECT_EQ(Offset(t, {0, 1}, 1), 0.0f);
         }},
        {"[Set Left Overlay Offset 4 12]", [](T& t) { t.Layout(1, 2); }, Done, [](T& t) {
             EXPECT_EQ(Offset(t, {0, 1}, 3), 12.0f);
             EXPECT_EQ(Offset(t, {1, 1}, 3), 0.0f);
         }},
        // A missing field changes nothing.
        {"[Set Left Overlay Offset 4]", nullptr, Done, [](T& t) { EXPECT_EQ(Offset(t, {0, 1}, 3), 0.0f); }},
        // The difference slots are clamped to 1..6.
        {"[Setup Composite Overlay SUB 4 9]", nullptr, Done, [](T& t) {
             for (TTrace tr : Traces) ExpectDifference(t, tr, 3, 5);
         }},
        // Fewer than six flags keep the default list.
        {"[Setup Composite Overlay avg 0 0 1]",
         [](T& t) {
             t.Opts(0).CompositeType1 = 1;
             std::fill_n(t.Opts(0).IncludeInAverage1, 6, 0u);
         },
         Done, [](T& t) {
             EXPECT_EQ(t.Opts(0).CompositeType1, 0);
             ExpectInclude(t.Opts(0).IncludeInAverage1, {1, 1, 0, 0, 0, 0});
             ExpectInclude(t.Opts(1).IncludeInAverage1, {1, 1, 0, 0, 0, 0});
         }},
        {"[Setup Left Composite Overlay AVG 0 1 1 0 0 1]", nullptr, Done, [](T& t) {
             ExpectInclude(t.Opts(0).IncludeInAverage1, {0, 1, 1, 0, 0, 1});
             ExpectInclude(t.Opts(0).IncludeInAverage2, {1, 1, 0, 0, 0, 0});
             ExpectInclude(t.Opts(1).IncludeInAverage1, {1, 1, 0, 0, 0, 0});
         }},
        // The right channel alone in the first view's upper trace takes it too.
        {"[Setup Right Composite Overlay SUB 3 1]", [](T& t) { t.Layout(0, 1); }, Done, [](T& t) {
             for (TTrace tr : Traces) ExpectDifference(t, tr, 2, 0);
         }},
        {"[Setup Right Composite Overlay SUB 3 1]", [](T& t) { t.Layout(1, 2); }, Done, [](T& t) {
             ExpectDifference(t, {0, 2}, 2, 0);
             ExpectDifference(t, {1, 1}, 2, 0);
             EXPECT_EQ(t.Opts(0).CompositeType1, 0);
         }},
    };
    RunCases(static_cast<T&>(*this), cases);
}

TEST_F(TOverlayCommands, SlotFilesAreCopiedAndRenamedByName)
{
    // A name joined to the overlay folder that would pass 259 characters.
    const std::string longName = std::string(256 - Folder.Path.size(), 'x') + ".ovl";
    ASSERT_GT(Folder.Path.size() + 1 + longName.size(), 259u);
    const TCase cases[] = {
        {"[Save Left Overlay File 2 copy.ovl]", [](T& t) { t.Curve("L2.ovl"); }, Done, [](T& t) {
             EXPECT_EQ(Contents(t.File("copy.ovl")), Contents(Fixture("views/overlay_curve.ovl")));
             EXPECT_EQ(t.Main->Paused, 500u);
         }},
        // A name with a drive is taken as it is; slot 9 is slot 7.
        {"", [](T& t) { t.Curve("R7.ovl"); }, Done, [](T& t) {
             EXPECT_EQ(Contents(t.File("drive.ovl")), Contents(Fixture("views/overlay_curve.ovl")));
         }},
        {"[Save Left Overlay File 5 none.ovl]", nullptr, 0, [](T& t) { EXPECT_FALSE(Exists(t.File("none.ovl"))); }},
        {"[Load Right Overlay File 1 curve.ovl]", [](T& t) { t.Curve("curve.ovl"); }, Done, [](T& t) {
             EXPECT_EQ(Contents(t.File("R1.ovl")), Contents(Fixture("views/overlay_curve.ovl")));
             EXPECT_FALSE(Exists(t.File("L1.ovl")));
         }},
        // The right channel alone draws from the "L" files.
        {"[Load Right Overlay File 1 curve.ovl]", [](T& t) { t.Curve("curve.ovl"); t.Layout(0, 1); }, Done, [](T& t) {
             EXPECT_TRUE(Exists(t.File("L1.ovl")));
             EXPECT_FALSE(Exists(t.File("R1.ovl")));
         }},
        {"[Load Left Overlay File 1 " + longName + "]", nullptr, 0, [](T& t) {
             EXPECT_FALSE(Exists(t.File("L1.ovl")));
             ASSERT_EQ(Host().Messages.size(), 1u);
             EXPECT_EQ(Host().Messages[0].Text.rfind("Failure opening file: ", 0), 0u);
         }},
        {"[Load Left Overlay File 1]", nullptr, Done, nullptr},
        // The legend renames the curve and keeps its points.
        {"[Set Left Overlay Legend 1 Mains]", [](T& t) { t.Curve("L1.ovl"); }, Done, [](T& t) {
             TOverlayData renamed(t.File("L1.ovl").c_str(), 0, 0.0f, 0);
             TOverlayData original(Fixture("views/overlay_curve.ovl").c_str(), 0, 0.0f, 0);
             EXPECT_STREQ(renamed.GetName(), "Mains");
             EXPECT_EQ(renamed.Points, original.Points);
         }},
        {"[Set Overlay Legend 9 Both]", [](T& t) { t.Curve("L7.ovl"); t.Curve("R7.ovl"); }, Done, [](T& t) {
             EXPECT_STREQ(TOverlayData(t.File("L7.ovl").c_str(), 0, 0.0f, 1).GetName(), "Both");
             EXPECT_STREQ(TOverlayData(t.File("R7.ovl").c_str(), 0, 0.0f, 1).GetName(), "Both");
         }},
        {"[Set Right Overlay Legend 3 Nothing]", nullptr, 0, [](T& t) { EXPECT_FALSE(Exists(t.File("R3.ovl"))); }},
    };
    // The drive case needs the folder in its command.
    std::vector<TCase> all(std::begin(cases), std::end(cases));
    all[1].Command = "[Save Right Overlay File 9 " + File("drive.ovl") + "]";
    RunCases(static_cast<T&>(*this), all);
}

TEST_F(TOverlayCommands, OpenViewsFillShowHideAndComposeTheirSlots)
{
    // The levels of the tone's fundamental and third harmonic, from numpy.
    std::ifstream reference(Fixture("automation/reference.txt"));
    std::string comment;
    std::getline(reference, comment);
    double peak = 0, binWidth = 0, thdPercent = 0;
    reference >> peak >> binWidth >> thdPercent;
    ASSERT_GT(thdPercent, 0.0);
    const double harmonicDb = -20.0 * std::log10(thdPercent / 100.0);

    const TCase cases[] = {
        {"[Set Left Overlay 1]", [](T& t) { t.Analysed(); }, Done, [harmonicDb](T& t) {
             EXPECT_EQ(t.Opts(0).Show1[0], 1u);
             EXPECT_FALSE(Exists(t.File("R1.ovl")));
             TOverlayData stored(t.File("L1.ovl").c_str(), 0, 0.0f, 0);
             ASSERT_EQ(stored.Error, 0u);
             // The Hann window's scalloping at 1 kHz (a third of a bin off) costs 0.6 dB.
             EXPECT_NEAR(Highest(stored, 950, 1050) - Highest(stored, 2950, 3050), harmonicDb - 0.6, 0.5);
         }},
        {"[Set Overlay 2]", [](T& t) { t.Analysed(); }, Done, [](T& t) {
             EXPECT_TRUE(Exists(t.File("L2.ovl")));
             EXPECT_TRUE(Exists(t.File("R2.ovl")));
         }},
        // Without peak hold there is no held spectrum to store.
        {"[Set Left Overlay From Peak Hold 1]",
         [](T& t) {
             State(t.Main).Settings().PeakHold = 0;
             t.Analysed();
         },
         Done,
         [](T& t) { EXPECT_FALSE(Exists(t.File("L1.ovl"))); }},
        {"[Set Overlay 8]", [](T& t) { t.Analysed(); }, Done, [](T& t) { EXPECT_FALSE(Exists(t.File("L7.ovl"))); }},
        {"[Show Overlay 2]", [](T& t) { t.Analysed(); t.Curve("L2.ovl"); t.Curve("R2.ovl"); }, Done, [](T& t) {
             EXPECT_EQ(t.Opts(0).Show1[1], 1u);
             EXPECT_EQ(t.Opts(0).Show2[1], 1u);
         }},
        {"[Show Overlay 0]", [](T& t) { t.Analysed(); }, Done, [](T& t) {
             for (int n = 0; n < SpectrumOpts::SlotCount; ++n) EXPECT_EQ(t.Opts(0).Show1[n] + t.Opts(0).Show2[n], 0u);
         }},
        {"[Show Right Overlay 2]",
         [](T& t) {
             t.Analysed();
             t.Layout(0, 1);
             t.Curve("L2.ovl");
         },
         Done, [](T& t) {
             EXPECT_EQ(t.Opts(0).Show1[1], 1u);
             EXPECT_EQ(t.Opts(0).Show2[1], 0u);
         }},
        {"[Hide Left Overlay 2]",
         [](T& t) {
             t.Analysed();
             t.Curve("L2.ovl");
             ASSERT_EQ(t.Main->ExecuteCommand("[Show Overlay 2]"), Done);
         },
         Done, [](T& t) {
             EXPECT_EQ(t.Opts(0).Show1[1], 0u);
             EXPECT_EQ(t.Opts(0).Show2[1], 1u);
         }},
        // The composite of two equal curves is shown and written.
        {"[Setup Left Composite Overlay SUB 1 2]",
         [](T& t) {
             t.Analysed();
             t.Curve("L1.ovl");
             t.Curve("L2.ovl");
         },
         Done, [](T& t) {
             EXPECT_EQ(t.Opts(0).Show1[6], 1u);
             TOverlayData composite(t.File("L7.ovl").c_str(), 0, 0.0f, 0);
             ASSERT_EQ(composite.Error, 0u);
             EXPECT_NEAR(composite.GetValue(1000.0f), 0.0f, 1e-3);
         }},
    };
    RunCases(static_cast<T&>(*this), cases);
}
