#include <gtest/gtest.h>

#include <string>

#include "generator/TOutputLevelRules.h"

namespace {

OutputLevelStruct Level(uint16_t units, float left, float right, float fs, uint16_t option = FullScaleTyped)
{
    OutputLevelStruct l{};
    l.OutputUnits = units;
    l.OutputLevel = left;
    l.OutputLevelR = right;
    l.FSLevel = fs;
    l.FSOption = option;
    return l;
}

}  // namespace

TEST(TOutputLevelRules, LevelsAreCheckedInTheirUnitsRange)
{
    struct TCase {
        OutputLevelStruct Record;
        const char* Message;
    } cases[] = {
        {Level(DbFullScaleUnits, 0.0f, -96.0f, 1.0f), ""},
        {Level(DbFullScaleUnits, 0.1f, 0.0f, 1.0f), "Output Level must be between 0.0 and -96 dB"},
        {Level(PercentFullScaleUnits, 0.0f, 50.0f, 1.0f), "Output Level must be between 0.0 and 100 percent"},
        {Level(PercentFullScaleUnits, 100.0f, 0.001f, 1.0f), ""},
        // The right level is checked after the left.
        {Level(PercentFullScaleUnits, 50.0f, 101.0f, 1.0f), "Output Level must be between 0.0 and 100 percent"},
        {Level(VoltsUnits, 2.0f, 2.0f, 2.0f), ""},
        {Level(VoltsUnits, 2.01f, 1.0f, 2.0f), "Output Level must be between 0.0 and 2.000000 volts"},
        {Level(MillivoltsUnits, 2000.0f, 1.0f, 2.0f), ""},
        {Level(MillivoltsUnits, 1.0f, 2001.0f, 2.0f), "Output Level must be between 0.0 and 2000.000000 millivolts"},
        {Level(DbvUnits, 0.0f, -95.9f, 1.0f), ""},
        {Level(DbvUnits, -96.0f, 0.0f, 1.0f), "Output Level must be between 0.000000 and -96.000000 dBV"},
        {Level(DbmvUnits, 60.0f, 0.0f, 1.0f), ""},
        {Level(DbmvUnits, 60.1f, 0.0f, 1.0f), "Output Level must be between 60.000000 and -36.000000 dBmV"},
        // 0.775 V rms at full scale is 0 dBu.
        {Level(DbuUnits, 0.0f, -95.0f, 0.775f), ""},
        {Level(DbuUnits, 0.01f, 0.0f, 0.775f), "Output Level must be between 0.000000 and -96.000000 dBu"},
        {Level(DbuUnits, 6.1f, 0.0f, 1.55f), "Output Level must be between 6.020600 and -89.979400 dBu"},
        {Level(VoltsUnits, 1.0f, 1.0f, 0.0f), "Full Scale Level must be greater than 0.0 volts"},
        {Level(VoltsUnits, 1.0f, 1.0f, -1.0f, FullScalePicked), "Full Scale Level must be greater than 0.0 volts"},
        // An unknown full scale is not checked, and counts as one volt.
        {Level(DbFullScaleUnits, -6.0f, -6.0f, 0.0f, FullScaleUnknown), ""},
        {Level(VoltsUnits, 1.0f, 1.5f, 0.0f, FullScaleUnknown), "Output Level must be between 0.0 and 1.000000 volts"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "units " << c.Record.OutputUnits << " " << c.Record.OutputLevel << " "
                                        << c.Record.OutputLevelR << " fs " << c.Record.FSLevel);
        EXPECT_EQ(TOutputLevelRules::Check(c.Record), c.Message);
    }
}

TEST(TOutputLevelRules, UnitsAndPresetsInListOrder)
{
    EXPECT_STREQ(TOutputLevelRules::Units[DbuUnits].Name, "dBu rms");
    EXPECT_EQ(TOutputLevelRules::Units[MillivoltsUnits].SpinMaximum, 100000.0f);
    EXPECT_STREQ(TOutputLevelRules::Units[PercentFullScaleUnits].LevelText, "100.0");
    EXPECT_STREQ(TOutputLevelRules::Presets[1].Volts, "4.945");
    EXPECT_STREQ(TOutputLevelRules::Presets[7].Name, "Sound Blaster 16 AWE32 - Max Volume (speaker out)");
}
