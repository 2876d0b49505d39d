#pragma once
#include <cstdint>
#include <string>
#include "engine/FilterSettings.h"

// The filter dialog's Start without its window: the checks in their order,
// each value stored as it passes; the first refusal ends it with its message.
class TFilterForm {
public:
    // Characters a number field is read with.
    static constexpr int FieldLength = 20;

    struct TFields {
        uint32_t Type = FilterSettings::LowPass;
        std::string Taps;
        std::string Gain;
        // Per type: the cutoff (low and high pass) or the centre and width.
        std::string Frequency;
        std::string Width;
        std::string FileName;
        bool Left = true;
        bool Right = false;
    };

    static std::string Store(const TFields& fields, int32_t nyquist, uint16_t channels, FilterSettings& settings);
    // The fields of the settings' values for their type.
    static void FieldsOf(const FilterSettings& settings, uint32_t type, std::string& frequency, std::string& width);
};
