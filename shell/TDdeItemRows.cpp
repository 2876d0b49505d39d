// What the DDE item rows of every topic share: number formats, the rule for
// a second value and the time-series scaling of samples.
#include "shell/TDdeItemRows.h"

#include <cmath>
#include <cstdio>
#include "engine/TChannelProcessing.h"
#include "shell/TMainWin.h"
#include "views/TSeriesScale.h"

std::string TDdeItemRows::Printed(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string TDdeItemRows::Integer(long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ld", value);
    return text;
}

bool TDdeItemRows::ReportsBothResults(const TMainWin& main)
{
    return TChannelProcessing::ShowsTwoResults(main.GetAnalysisSettings().ChannelProcessing)
           && main.GetDisplayedResult(1) != nullptr;
}

float TDdeItemRows::SeriesLevel(TMainWin& main, uint16_t channel, float sample)
{
    const CalibrationStruct& calibration = main.GetCalibration();
    const bool calibrated = (channel == 1 ? calibration.Right : calibration.Left).IsEnabled != 0;
    switch (main.GetSeriesOptions().AmpScaleType) {
    case TSeriesScale::LinearAxis: return calibrated ? sample : sample * 100.0f;
    case TSeriesScale::DecibelAxis: return main.LevelToDisplayUnits(channel, std::fabs(sample));
    default: return sample;
    }
}
