#pragma once
#include <cstdint>
#include <string>

struct CalibrationChannel;

// The calibration dialogs without their windows: the lists and the codes
// their entries carry, the unit labels, what one channel's controls store
// and the checks of a measured level.
class TCalibrationForm {
public:
    struct TChoice {
        const char* Text;
        uint32_t Code;
    };
    static constexpr int UnitCount = 12;
    static const TChoice Units[UnitCount];
    // The conversions of an acceleration; any other unit has only NoConversion.
    static constexpr int ConversionCount = 9;
    static const TChoice Conversions[ConversionCount];
    static constexpr TChoice NoConversion{"N/A", 0};
    // The level type and "Display Values As" lists: index = code.
    static constexpr int LevelTypeCount = 3;
    static const char* const LevelTypes[LevelTypeCount];

    static constexpr int HelpContext = 750;
    static constexpr const char* NegativeLevelMessage = "The Reference Signal Level cannot be less than zero";
    static constexpr const char* OverloadMessage =
        "The calibration signal is overloading the input.\r"
        "Reduce the calibration signal level or decrease the sound card input gain and recalibrate.";
    static constexpr const char* TooLowMessage =
        "The calibration signal level is too low for accurate calibration.\r\r"
        "Increase the calibration signal level, preamp gain, or input sensitivity (gain)\r"
        "of your sound card and restart the calibration procedure.";
    static constexpr const char* OpenFailureMessage = "Failure opening wave file.  Please check the file and try again.";
    static constexpr const char* ShortFileMessage = "The selected wave file must have at least 2 seconds of data.";
    static constexpr const char* StereoMessage =
        "To calibrate the right channel you must first set the analyzer to dual channel (Stereo) operation.";
    // Shortest wave file a level is measured from, in seconds.
    static constexpr float ShortestFile = 2.0f;

    // What one channel's controls hold; a list without a selection is -1.
    struct TEntry {
        int Unit = -1;          // index in Units
        std::string Level;
        int LevelType = -1;
        int Conversion = -1;    // index in the conversion list shown
        std::string LabelLinear, LabelLog;
        int LabelType = -1;
        std::string Detected;   // percent of full scale
        bool Enabled = false;
        std::string Name;
    };

    // Whether the unit converts its spectrum (acceleration does).
    static bool HasConversions(uint32_t unit);
    // The code of the entry at index of the conversion list the unit shows.
    static uint32_t ConversionCodeAt(uint32_t unit, int index);
    // The index of code in choices; -1 when no entry carries it.
    static int IndexOfCode(const TChoice* choices, int count, uint32_t code);
    // 0 none, 1 velocity, 2 displacement.
    static uint32_t IntegrationTypeOf(uint32_t conversion);

    struct TLabels {
        std::string Linear, Log;
    };
    // The labels of a unit, conversion and display type (0 peak, 1 rms, 2 p-p).
    static TLabels LabelsOf(uint32_t unit, uint32_t conversion, int labelType);

    // The entry into block; false, and nothing stored, when the level is
    // negative in a linear unit.
    static bool Store(const TEntry& entry, CalibrationChannel& block);
    // The block as its controls show it (the conversion index within the
    // list its unit shows).
    static TEntry EntryOf(const CalibrationChannel& block);
    // The controls' defaults: 1.0 V rms, 50 percent, enabled.
    static TEntry Defaults(const char* name);

    // A measured fraction of full scale.
    static bool Overloads(float level);
    static bool IsTooLow(float level);
};
