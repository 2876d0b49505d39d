#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include "automation/TDdeItemTable.h"

class TMainWin;

// The texts of the DDE items as rows, one table per topic: the measures of
// the displayed results, the settings and run state, the utility windows
// and the recording, and the listings. TMainWin::DdeItemText walks the topics; a row's text
// is nothing when the item has no data.
class TDdeItemRows {
public:
    using TText = std::optional<std::string>;
    struct Row {
        TDdeItem Item;
        TText (*Text)(TMainWin&);
    };
    using Topic = std::span<const Row> (*)();

    static std::span<const Row> Measures();
    static std::span<const Row> SettingsAndState();
    static std::span<const Row> UtilitiesAndRecording();
    // The spectrum, phase, time series and wave segment listings.
    static std::span<const Row> Listings();

    // One value printed with a printf format of one double ("%3.6f", "%6.2f").
    static std::string Printed(const char* format, double value);
    static std::string Integer(long value);
    // Whether the pair items report the second displayed result as well: the
    // mode shows two results of its own and the second one exists.
    static bool ReportsBothResults(const TMainWin& main);
    // A scaled sample of the recording or the time series as the time-series
    // view shows it: percent of full scale on its linear axis while the
    // channel is uncalibrated, the channel's level on its dB axis.
    static float SeriesLevel(TMainWin& main, uint16_t channel, float sample);
};
