// The key detector: one analysed block at a time.
#include "utilities/TDTMFData.h"

#include "engine/TSpectralData.h"

bool TDTMFData::FlagStrongestPair()
{
    int strongest[2] = {-1, -1};
    for (int pass = 0; pass < 2; ++pass) {
        float best = -999.9f;
        for (int i = 0; i < ToneCount; ++i) {
            if (Tones[i].Flag || Tones[i].Level <= best) continue;
            best = Tones[i].Level;
            strongest[pass] = i;
        }
        if (strongest[pass] < 0) return false;
        Tones[strongest[pass]].Flag = 1;
    }
    return Tones[strongest[0]].Level >= Threshold && Tones[strongest[1]].Level >= Threshold;
}

char TDTMFData::FlaggedKey() const
{
    int row = -1, column = -1, flagged = 0;
    for (int i = 0; i < ToneCount; ++i) {
        if (!Tones[i].Flag) continue;
        ++flagged;
        (i < 4 ? row : column) = i % 4;
    }
    return flagged == 2 && row >= 0 && column >= 0 ? KeyAt(row, column) : ' ';
}

bool TDTMFData::ProcessSpectrum(const TSpectralData* spectrum, int32_t timeMs)
{
    if (!spectrum || timeMs < 0 || LastDigitEnd < 0) return false;
    // A time before the last key (a new pass over the data) lets the next key start at once.
    if (timeMs < LastDigitEnd) LastDigitEnd = timeMs - 100;
    for (Tone& tone : Tones) {
        tone.Level = spectrum->GetDisplayValue(spectrum->GetIndex(tone.Frequency));
        tone.Flag = 0;
    }
    const bool loudPair = FlagStrongestPair();
    CurrentKey = FlaggedKey();
    if (loudPair && CurrentKey != ' ') {
        if (DigitStart == 0) {
            if (LastDigitEnd + MinimumSpace < timeMs) {
                DigitStart = timeMs;
                DigitDuration = 0;
            }
        } else {
            DigitDuration = timeMs - DigitStart;
        }
        if (DigitStart != 0) DigitKey = CurrentKey;
        return false;
    }
    const bool accepted = DigitDuration > 0 && DigitDuration >= MinimumDigit;
    if (accepted) LastDigitEnd = timeMs;
    DigitStart = 0;
    DigitDuration = 0;
    // The key is the one the digit's blocks held: the block that ends it may
    // already be silent or carry the next key's onset.
    const char key = DigitKey;
    DigitKey = ' ';
    if (!accepted || key == ' ') return false;
    AppendKey(key);
    return true;
}
