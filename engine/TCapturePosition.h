#pragma once
#include <cstdint>

// The capture position of a sound port between the driver's coarse reports.
// Drivers report 32-bit byte counts that wrap after 2^32 bytes; each port
// extends its count to 64 bits so that a capture may run for days.
class TCapturePosition {
public:
    // Forget the count (the device was opened or closed and starts at 0 again).
    void Reset();
    // The driver's count made continuous; call at least once per 2^31 bytes.
    uint64_t Extend(uint32_t raw);

    // Timing shared by every port: the mean interval between calls and the
    // last two distinct positions reported.
    struct TTiming {
        int32_t CallCount = 0;
        uint32_t ResetTick = 0;
        float MeanMs = 0.0f;
        uint64_t Previous = 0;
        uint64_t Last = 0;
        uint32_t Repeats = 0;
    };
    static TTiming Timing;
    // A device that opens again counts from 0: positions of an earlier capture
    // must not stand in for the new one's first reports.
    static void ForgetPositions();

    // Bytes captured by now: the previous report advanced by the time the
    // position has stood still, never past the last report.
    static uint64_t Estimate(uint64_t position, uint32_t now, uint32_t bytesPerSecond);

private:
    bool Started = false;
    uint32_t LastRaw = 0;
    uint64_t Extended = 0;
};
