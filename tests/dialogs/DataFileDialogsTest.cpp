// The import and export option dialogs on their templates: shown from the
// record, the header and units controls reacting as typed and chosen, OK
// storing in order, a one-channel export, and Help at their topics.
#include <gtest/gtest.h>

#include "dialogs/TFileExportDialog.h"
#include "dialogs/TFileImportDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

class DataFileDialogs : public DialogTest {};

}  // namespace

TEST_F(DataFileDialogs, ImportShowsReactsAndStores)
{
    using D = TFileImportDialog;
    ImportOptions options;
    D d(&Owner, Main, "DIALOG_IMPORT", &options);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Entries(d, D::SourceTypeId).size(), 6u);
    EXPECT_EQ(Control::Text(d, D::RateId), "11025");
    EXPECT_EQ(Control::Selection(d, D::PrecisionId), 1);
    EXPECT_TRUE(Control::Checked(d, D::NoHeaderId));
    EXPECT_TRUE(Control::Checked(d, D::RescaleId));
    EXPECT_FALSE(Control::Enabled(d, D::DataValueId));
    EXPECT_EQ(Control::Text(d, D::DataValueId), "1.0000");

    Control::Type(d, D::HeaderSizeId, "44");
    EXPECT_TRUE(Control::Checked(d, D::HeaderId));
    EXPECT_FALSE(Control::Checked(d, D::NoHeaderId));
    Control::Choose(d, D::SourceTypeId, 3);
    EXPECT_EQ(Control::Text(d, D::HeaderUnitId), "Bytes (binary file)");
    Control::Click(d, D::DefinedId);
    EXPECT_TRUE(Control::Enabled(d, D::UnitsId));
    Control::Choose(d, D::UnitsId, 5);
    EXPECT_EQ(Control::Text(d, D::LinearLabelId), "");
    EXPECT_EQ(Control::Text(d, D::LogLabelId), "");
    Control::Choose(d, D::UnitsId, 2);
    EXPECT_EQ(Control::Text(d, D::LogLabelId), "SPL (dB ref 20uPA)");

    Control::Type(d, D::RateId, "0");
    EXPECT_FALSE(Control::Ok(d));
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text, "Sampling rate must be greater than zero");
    EXPECT_EQ(options.SourceType, 3);
    Control::Type(d, D::RateId, "48000");
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(options.SamplingRate, 48000u);
    EXPECT_EQ(options.HeaderPresent, 1u);
    EXPECT_EQ(options.HeaderSize, 44);
    EXPECT_EQ(options.ScalingOption, 2);
    EXPECT_EQ(options.Units, 8);
    EXPECT_STREQ(options.LinearLabel, "Pascals");
}

TEST_F(DataFileDialogs, ExportOfOneChannelAndHelp)
{
    using D = TFileExportDialog;
    ExportOptions options;
    options.Right = 1;
    D mono(&Owner, Main, "DIALOG_EXPORT", 1, &options);
    ASSERT_TRUE(mono.Create());
    EXPECT_TRUE(Control::Checked(mono, D::LeftId));
    EXPECT_FALSE(Control::Checked(mono, D::RightId));
    EXPECT_FALSE(Control::Enabled(mono, D::RightId));
    ExpectHelp(mono, D::HelpId, D::HelpContext);
    Control::Type(mono, D::RatioId, "65537");
    EXPECT_FALSE(Control::Ok(mono));
    EXPECT_EQ(Boxes().Messages.back().Text, "Decimation Ratio must be between 1 and 50");
    Control::Type(mono, D::RatioId, "4");
    ASSERT_TRUE(Control::Ok(mono));
    EXPECT_EQ(options.Right, 0u);
    EXPECT_EQ(options.DecimationRatio, 4);

    ImportOptions record;
    TFileImportDialog import(&Owner, Main, "DIALOG_IMPORT", &record);
    ASSERT_TRUE(import.Create());
    ExpectHelp(import, TFileImportDialog::HelpId, TFileImportDialog::HelpContext);
}
