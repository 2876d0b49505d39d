#pragma once
#include <cstdint>
#include <string>

// How the dialogs read a number from a text field: the leading decimal number
// (blanks, a sign, digits, for floats a fraction and an exponent); text that
// is no number reads as 0. Integers saturate at the limits of 32 bits and
// floats at those of a float, the width the records store; no "inf", "nan"
// or hexadecimal form is read, so every value is finite.
class TFieldText {
public:
    // Characters a numeric field is read with, and the few long fields.
    static constexpr int NumberLength = 19;
    static constexpr int LongNumberLength = 39;

    static int32_t ToInt(const std::string& text);
    static double ToFloat(const std::string& text);
};
