#pragma once
#include <cstdint>

// The telephone keypad's tone pairs (one of four row tones plus one of four
// column tones per key) and the state of a key detector over a run of spectra.
// A plain object: the signal generator takes its tone pairs from it.
class TDTMFData {
public:
    static constexpr int ToneCount = 8;
    static constexpr int KeyStringSize = 1000;

    struct Tone {
        float Frequency;  // Hz
        float Level;      // dB
        int32_t Flag;
    };

    // threshold: dB a tone must reach to count; the two durations in ms.
    TDTMFData(float thresholdDb, int32_t minimumDigitMs, int32_t minimumSpaceMs);

    // The row or column tone of a key (letters A to D in either case); 0.0
    // for any other character.
    float GetRowFrequency(char key) const;
    float GetColumnFrequency(char key) const;

    float Threshold;
    int32_t MinimumDigit;
    int32_t MinimumSpace;
    int32_t DigitStart = 0;
    int32_t LastDigitEnd = 0;
    int32_t DigitDuration = 0;
    char CurrentKey = ' ';
    char KeyString[KeyStringSize] = {};
    // The rows 697, 770, 852 and 941 Hz, then the columns 1209, 1336, 1477 and 1633 Hz.
    Tone Tones[ToneCount];

private:
    // Row (0..3) and column (0..3) of a key; false for other characters.
    static bool Locate(char key, int& row, int& column);
};
