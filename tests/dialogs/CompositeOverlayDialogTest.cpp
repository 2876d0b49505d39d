// The composite overlay dialog on its template.
#include <algorithm>
#include <iterator>
#include "dialogs/TCompositeOverlayDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using C = TCompositeOverlayDialog;

class CompositeOverlay : public DialogTest {
protected:
    CompositeSettings Settings;
};

}

TEST_F(CompositeOverlay, AverageShowsAndStoresTheCurvesIncludedOnlyByOne)
{
    const uint32_t shown[6] = {1, 2, 0, 1, 0, 0};
    std::copy(std::begin(shown), std::end(shown), Settings.IncludeInAverage);
    Settings.DifferenceIndex[0] = 4;
    C d(&Owner, "help.chm", "DIALOG_COMPOSITE", &Settings);
    ASSERT_TRUE(d.Create());
    EXPECT_TRUE(Control::Checked(d, C::AverageId));
    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Control::Checked(d, C::IncludeId + n), shown[n] == 1);
        EXPECT_TRUE(Control::Enabled(d, C::IncludeId + n));
        EXPECT_FALSE(Control::Enabled(d, C::SubtractedId + n));
    }
    Control::Click(d, C::IncludeId + 1);
    Control::Click(d, C::IncludeId + 3);
    ASSERT_TRUE(Control::Ok(d));
    const uint32_t stored[6] = {1, 1, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(stored), std::end(stored), Settings.IncludeInAverage));
    EXPECT_EQ(Settings.CompositeType, CompositeSettings::Average);
    EXPECT_EQ(Settings.DifferenceIndex[0], 4u);
}

TEST_F(CompositeOverlay, FewerThanTwoCurvesAreRefusedAndTheRecordKept)
{
    Settings.IncludeInAverage[0] = Settings.IncludeInAverage[1] = 1;
    C d(&Owner, "help.chm", "DIALOG_COMPOSITE", &Settings);
    ASSERT_TRUE(d.Create());
    Control::Click(d, C::IncludeId);
    EXPECT_FALSE(Control::Ok(d));
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text, "At least 2 overlays must be selected for averaging");
    EXPECT_EQ(Settings.IncludeInAverage[0], 1u);
    d.Destroy();
}
