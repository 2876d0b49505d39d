// The import and export dialogs' rules: the labels each unit brings and the
// checks of the sampling rate and the header size.
#include "dialogs/TDataFileForm.h"

#include <gtest/gtest.h>

#include <string>

TEST(TDataFileForm, UnitsSetBothLabels)
{
    struct Case {
        uint16_t code;
        const char *linear, *log;
    };
    const Case cases[] = {{0, "Volts", "dBV"}, {1, "Millivolts", "dBmV"}, {3, "Acceleration (G)", "Acceleration (G dB)"},
                          {8, "Pascals", "SPL (dB ref 20uPA)"}, {11, "Pascals", "SPL (dB ref 1uPA)"}, {4, "", ""},
                          {7, "", ""}};
    for (const Case& c : cases) {
        EXPECT_STREQ(TDataFileForm::LinearLabel(c.code), c.linear) << c.code;
        EXPECT_STREQ(TDataFileForm::LogLabel(c.code), c.log) << c.code;
    }
    EXPECT_EQ(TDataFileForm::UnitsIndex(11), 3);
    EXPECT_EQ(TDataFileForm::UnitsIndex(2), -1);
}

TEST(TDataFileForm, RateAndHeaderChecks)
{
    uint32_t rate = 7;
    EXPECT_EQ(TDataFileForm::CheckRate("0", rate), "Sampling rate must be greater than zero");
    EXPECT_EQ(TDataFileForm::CheckRate("abc", rate), "Sampling rate must be greater than zero");
    EXPECT_EQ(rate, 7u);
    EXPECT_EQ(TDataFileForm::CheckRate(" 48000Hz", rate), "");
    EXPECT_EQ(rate, 48000u);
    int32_t size = 1;
    EXPECT_EQ(TDataFileForm::CheckHeaderSize("-1", true, size), "Header Size cannot be less than zero");
    EXPECT_EQ(size, 1);
    EXPECT_EQ(TDataFileForm::CheckHeaderSize("-1", false, size), "");
    EXPECT_EQ(TDataFileForm::CheckHeaderSize("44", true, size), "");
    EXPECT_EQ(size, 44);
}

// OK stores in order: a refused rate keeps the source type already stored
// and nothing after it; the controls' entries map onto the record.
TEST(TDataFileForm, ImportFieldsStoreInOrder)
{
    ImportOptions options;
    auto fields = TDataFileForm::FieldsOf(options);
    EXPECT_EQ(fields.DataValue, "1.0000");
    EXPECT_EQ(fields.Scaling, 1);
    fields.SourceType = TDataImport::Binary16;
    fields.Rate = "0";
    fields.ChannelIndex = 1;
    EXPECT_EQ(TDataFileForm::Store(fields, options), "Sampling rate must be greater than zero");
    EXPECT_EQ(options.SourceType, TDataImport::Binary16);
    EXPECT_EQ(options.Channels, 1);
    fields.Rate = "48000";
    fields.PrecisionIndex = 2;
    fields.Header = 1;
    fields.HeaderSize = "44";
    fields.Scaling = 2;
    fields.DataValue = "0.5";
    fields.UnitsIndex = 3;
    EXPECT_EQ(TDataFileForm::Store(fields, options), "");
    EXPECT_EQ(options.SamplingRate, 48000u);
    EXPECT_EQ(options.Channels, 2);
    EXPECT_EQ(options.BytesPerSample, 3);
    EXPECT_EQ(options.HeaderPresent, 1u);
    EXPECT_EQ(options.HeaderSize, 44);
    EXPECT_EQ(options.ScalingOption, TDataImport::DefinedValues);
    EXPECT_EQ(options.DataValue, 0.5f);
    EXPECT_EQ(options.Units, 11);
}

TEST(TDataFileForm, ExportFieldsAndTheRatioCheckedBeforeNarrowing)
{
    ExportOptions options;
    auto fields = TDataFileForm::FieldsOf(options);
    fields.Format = TDataImport::BinaryFloat;
    fields.Left = 0;
    fields.Right = 1;
    fields.Ratio = "65537";
    EXPECT_EQ(TDataFileForm::Store(fields, 2, options), "Decimation Ratio must be between 1 and 50");
    EXPECT_EQ(options.DecimationRatio, 1);
    EXPECT_EQ(options.Format, TDataImport::BinaryFloat);
    EXPECT_EQ(options.Right, 1u);
    // One analysis channel exports the left, whatever the boxes say.
    fields.Ratio = "4";
    EXPECT_EQ(TDataFileForm::Store(fields, 1, options), "");
    EXPECT_EQ(options.Left, 1u);
    EXPECT_EQ(options.Right, 0u);
    EXPECT_EQ(options.DecimationRatio, 4);
}
