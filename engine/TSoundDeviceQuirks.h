#pragma once
#include "engine/TWaveFormat.h"

#include <cstdint>

// What a sound card's driver needs beyond the standard: rate models, capture
// position corrections, the lead-in buffer and the 20-bit form of 24-bit data.
// The flags come from a table of product names; everything else is arithmetic
// on them, so it lives apart from the device calls.
class TSoundDeviceQuirks {
public:
    enum TDirection : uint16_t { Output = 1, Input = 2 };

    uint32_t standardRates = 0;
    uint32_t quirkA = 1;  // the driver repeats a looped buffer
    uint32_t continuousRates = 0;
    uint32_t leadIn = 0;
    uint32_t settleDelay = 0;
    uint32_t positionOffset12000 = 0;
    uint32_t emuRates = 0;
    uint32_t extensible20Bit = 0;
    uint32_t quirkC = 0;
    uint32_t tapcoRates = 0;
    uint32_t quirkD = 0;  // input and output start together: output waits, paused, for capture
    uint32_t positionOffset8000 = 1;

    static constexpr uint32_t LeadInBytes = 10000;

    // Applies every matching row of the device table for the product name;
    // the continuous-rate row also moves the port's rate limits.
    void Apply(const char* productName, TDirection direction, TWaveFormat& minimum, TWaveFormat& maximum);

    // The rate a device is asked for when `rate` is requested.
    uint32_t NearestSupportedRate(uint32_t rate, uint32_t minimumRate, uint32_t maximumRate) const;

    // False when the device's fixed rate list excludes the rate, whatever its driver says.
    bool RateInFixedList(uint32_t rate) const;

    // Bytes the driver's capture position runs ahead of the data.
    uint64_t PositionCorrection(uint64_t position) const;

    // Valid bits declared for 3-byte samples on a given Windows platform code.
    uint16_t ValidBitsFor24(int platform) const;

    // Windows generation from the version information: 0..2 the 9x family
    // (95, 98, Me), 3 NT 4, 4 Windows 2000, 5 XP and every later NT.
    static int PlatformCode(uint32_t platformId, uint32_t major, uint32_t minor);
};
