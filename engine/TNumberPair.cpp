#include "engine/TNumberPair.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

bool TNumberPair::Read(std::string_view line, float& first, float& second)
{
    // Copied so that the numbers end within the line.
    char text[LineLength + 1];
    const size_t n = std::min(line.size(), sizeof text - 1);
    std::memcpy(text, line.data(), n);
    text[n] = '\0';
    char* end = nullptr;
    first = std::strtof(text, &end);
    if (end == text)
        return false;
    char* next = nullptr;
    second = std::strtof(end, &next);
    return next != end && std::isfinite(first) && std::isfinite(second);
}
