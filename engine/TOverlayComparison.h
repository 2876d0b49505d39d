#pragma once
#include <cstdint>
#include <functional>

// The pass/fail test of a displayed spectrum against a stored overlay curve
// that the DDE items "Compare ... To Overlay n" serve, and how those items
// name their side, source and slot.
class TOverlayComparison {
public:
    // The answers, sent as "%d".
    enum Answer : int { Above = 0, NotAbove = 1, Both = 2, BadSlot = -1, NoData = -2 };
    static constexpr uint16_t SlotCount = 7;
    static bool IsValidSlot(uint16_t slot) { return slot >= 1 && slot <= SlotCount; }

    // Over indexes first .. last - 1: Above when the spectrum's value lies
    // over the overlay's at every one, NotAbove when at none (equal counts
    // as not above), Both when it does at some, NoData for an empty range.
    static int Compare(uint32_t first, uint32_t last, const std::function<float(uint32_t)>& spectrum,
                       const std::function<float(uint32_t)>& overlay);

    // What one of the sixteen items asks: side 0 left or 1 right, the peak
    // hold or the spectrum, the slot 1 to 4 and the marker pair bounding the
    // range (markers 2 x (slot - 1) and the next).
    struct TRequest {
        uint16_t Side;
        bool PeakHold;
        uint16_t Slot;
        int FirstMarker;
    };
    static constexpr int FirstItem = 138;
    static constexpr int ItemCount = 16;
    static TRequest Request(int item);
};
