#pragma once
#include <cstdint>

class TSpectralData;

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

    // Takes one analysed block (dB display values) at time ms; true when it
    // ended a key that lasted long enough and appended it.
    bool ProcessSpectrum(const TSpectralData* spectrum, int32_t timeMs);
    // Copies the key string into buffer, which holds KeyStringSize bytes.
    void GetKeys(char* buffer) const;

    float Threshold;
    int32_t MinimumDigit;
    int32_t MinimumSpace;
    int32_t DigitStart = 0;
    int32_t LastDigitEnd = 0;
    int32_t DigitDuration = 0;
    char CurrentKey = ' ';
    // The key of the running digit's valid blocks.
    char DigitKey = ' ';
    char KeyString[KeyStringSize] = {};
    // The rows 697, 770, 852 and 941 Hz, then the columns 1209, 1336, 1477 and 1633 Hz.
    Tone Tones[ToneCount];

private:
    // Flags the two strongest tones; false when there are not two above -999.9.
    bool FlagStrongestPair();
    // The key of the flagged row and column tone, ' ' for two rows or two columns.
    char FlaggedKey() const;
    void AppendKey(char key);

    // Row (0..3) and column (0..3) of a key; false for other characters.
    static bool Locate(char key, int& row, int& column);
    static char KeyAt(int row, int column);
};
