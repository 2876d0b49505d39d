#pragma once
#include <cstdint>
#include <string>
#include "engine/CalibrationStruct.h"

// The checks and read-outs of the decimate, gain adjust and DC offset
// dialogs without their windows. Each check answers the message of a
// refusal, or an empty text when the values may be stored.
class TWaveEditForm {
public:
    static constexpr float MinGainDb = -60.0f;
    static constexpr float MaxGainDb = 10.0f;
    static constexpr float MaxOffset = 32767.0f;

    // The typed ratio is checked as read, before it is narrowed to 16 bits.
    static std::string CheckRatio(const std::string& text, uint16_t& ratio);
    // A decimated file below the lowest sampling rate could not be opened again.
    static std::string CheckDecimatedRate(uint32_t oldRate, uint16_t ratio);
    static std::string CheckGains(double left, double right);
    static std::string CheckOffsets(double left, double right);
    // The new rate shown beside a typed ratio; a ratio out of range shows the old rate.
    static uint32_t NewRate(uint32_t oldRate, const std::string& ratioText);
    // The text of the DC offset dialog's unit line, from the left channel's calibration.
    static std::string OffsetUnitText(const CalibrationChannel& left);
};
