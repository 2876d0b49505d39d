#pragma once
#include <cstddef>
#include <string_view>

// The two numbers a line of a curve file starts with, as "%f\t%f" reads
// them: each after any blanks, the second right after the first. Both must
// be finite: a NaN or an infinity would reach every bin a curve is read at.
class TNumberPair {
public:
    // Lines are read up to this many characters.
    static constexpr size_t LineLength = 127;
    static bool Read(std::string_view line, float& first, float& second);
};
