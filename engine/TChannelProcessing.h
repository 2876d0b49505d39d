#pragma once
#include <cstdint>

#include "engine/AnalysisSettingsStruct.h"

// The thirteen channel-processing modes ("ChannelProcessing" of the settings)
// as one table: which engines a mode needs, what it computes, how its results
// are labelled and shown. The pipeline and the views read it; nothing else
// decides by mode number.
class TChannelProcessing {
public:
    // The numbers the settings files store.
    enum Mode : uint16_t {
        LeftOnly = 0,
        RightOnly = 1,
        BothChannels = 2,
        AverageOfChannels = 3,
        RealTransferLeftRight = 4,
        RealTransferRightLeft = 5,
        CrossLeftRight = 6,
        CrossRightLeft = 7,
        ComplexTransferLeftRight = 8,
        ComplexTransferRightLeft = 9,
        Coherence = 10,
        TransferCoherenceLeftRight = 11,
        TransferCoherenceRightLeft = 12,
    };
    static constexpr uint16_t ModeCount = 13;
    static bool IsValid(uint16_t mode) { return mode < ModeCount; }
    // The mode the engines run: a mono format runs the left channel only.
    static uint16_t Effective(const AnalysisSettingsStruct& settings)
    {
        return settings.Format.NumChannels == 2 ? settings.ChannelProcessing : uint16_t(LeftOnly);
    }

    // What one block computes. "First" and "second" are the left and right
    // channels, exchanged when a row is Swapped.
    enum class Computation {
        None,               // an unknown mode computes nothing
        Single,             // the first channel alone
        Both,               // each channel on its own
        Average,            // the per-bin average of the two spectra
        RealTransfer,       // averaged first over averaged second, through the cross spectrum
        Cross,              // the cross spectrum
        ComplexTransfer,    // the averaged cross spectrum over the second's averaged spectrum
        Coherence,          // coherence of the two channels
        TransferCoherence,  // complex transfer into the combined engine, coherence into the auxiliary
    };
    // The engines whose results the views draw.
    enum class Result { None, Left, Right, Combined, Aux };
    // Unit labels of a derived result (CalibrationChannel of the combined and
    // auxiliary engines), numbered as the kinds of the derived calibration.
    enum class DerivedUnits { None = -1, AverageUnits = 0, TransferUnits = 1, CrossUnits = 2, CoherenceUnits = 3 };
    // Which views may open while each channel has its own scaling.
    enum class ViewSet { FirstOnly, SecondOnly, Both };
    // Where a spectrum view draws coherence (0 to 1 instead of levels).
    enum class CoherencePane { None, Whole, Lower };

    // A label is Format printed with channel names; Format null keeps the
    // label the result had.
    enum class Names { None, First, Second, FirstSecond };
    struct Label {
        const char* Format;
        Names Arguments;
    };

    struct Row {
        Computation Compute;
        bool Swapped;
        bool NeedsRight;
        bool NeedsCombined;
        bool NeedsAux;
        DerivedUnits CombinedUnits;
        Label PrimaryLabel;
        Label SecondaryLabel;
        Result Primary;
        Result Secondary;
        ViewSet Views;
        int Panes;                   // panes of a spectrum view that shows both results
        CoherencePane CoherenceIn;
    };

    // The row of a mode; any value beyond the table has the row of an unknown mode.
    static const Row& Of(uint16_t mode);
    // Whether the mode shows two results of its own (each channel, or transfer
    // and coherence), each in its pane.
    static bool ShowsTwoResults(uint16_t mode) { return Of(mode).Panes == 2; }
};
