#include "dialogs/TFieldText.h"

#include <cctype>
#include <cstdlib>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the leading number after blanks, from `start`; 0 when none.
size_t NumberSpan(const std::string& text, size_t start, bool fraction)
{
    size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (fraction && i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (fraction && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (e < text.size() && IsDigit(text[e])) {
            while (e < text.size() && IsDigit(text[e])) ++e;
            i = e;
        }
    }
    return i - start;
}

size_t SkipBlanks(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    return i;
}

}

int32_t TFieldText::ToInt(const std::string& text)
{
    const size_t start = SkipBlanks(text);
    const size_t span = NumberSpan(text, start, false);
    if (span == 0) return 0;
    const bool negative = text[start] == '-';
    int64_t value = 0;
    for (size_t i = start; i < start + span; ++i) {
        if (!IsDigit(text[i])) continue;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1) break;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

double TFieldText::ToFloat(const std::string& text)
{
    const size_t start = SkipBlanks(text);
    const size_t span = NumberSpan(text, start, true);
    if (span == 0) return 0.0;
    const double value = std::strtod(text.substr(start, span).c_str(), nullptr);
    constexpr double largest = std::numeric_limits<float>::max();
    return value > largest ? largest : value < -largest ? -largest : value;
}
