#include "utilities/TDTMFData.h"

#include <cstring>


namespace {

constexpr float ToneFrequencies[TDTMFData::ToneCount] = {697, 770, 852, 941, 1209, 1336, 1477, 1633};

// Keys by row (697 .. 941 Hz) and column (1209 .. 1633 Hz).
constexpr char Keys[4][5] = {"123A", "456B", "789C", "*0#D"};

}  // namespace

TDTMFData::TDTMFData(float thresholdDb, int32_t minimumDigitMs, int32_t minimumSpaceMs)
    : Threshold(thresholdDb), MinimumDigit(minimumDigitMs), MinimumSpace(minimumSpaceMs)
{
    for (int i = 0; i < ToneCount; ++i) Tones[i] = {ToneFrequencies[i], 0.0f, 0};
}

char TDTMFData::KeyAt(int row, int column)
{
    return Keys[row][column];
}

bool TDTMFData::Locate(char key, int& row, int& column)
{
    if (key >= 'a' && key <= 'd') key = char(key - 'a' + 'A');
    for (row = 0; row < 4; ++row)
        for (column = 0; column < 4; ++column)
            if (key != '\0' && Keys[row][column] == key) return true;
    return false;
}

float TDTMFData::GetRowFrequency(char key) const
{
    int row, column;
    return Locate(key, row, column) ? Tones[row].Frequency : 0.0f;
}

float TDTMFData::GetColumnFrequency(char key) const
{
    int row, column;
    return Locate(key, row, column) ? Tones[4 + column].Frequency : 0.0f;
}

void TDTMFData::AppendKey(char key)
{
    size_t length = std::strlen(KeyString);
    if (length >= KeyStringSize - 1) {
        std::memmove(KeyString, KeyString + 1, length - 1);
        --length;
    }
    KeyString[length] = key;
    KeyString[length + 1] = '\0';
}

void TDTMFData::GetKeys(char* buffer) const
{
    if (buffer) std::memcpy(buffer, KeyString, KeyStringSize);
}
