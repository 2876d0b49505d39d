#include "automation/TLinkDetails.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "automation/TKeywordTable.h"

namespace {

// The reply's decimal number; 0 for a reply that holds none or no finite one.
double Decimal(const char* reply)
{
    const double value = std::strtod(reply, nullptr);
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace

std::string TLinkDetails::BaseName(const char* item)
{
    const char* dot = std::strrchr(item, '.');
    if (dot) return std::string(item, size_t(dot - item) + 1);
    return std::string(item, *item ? 1 : 0);
}

void TLinkDetails::CopyReply(char* dest, size_t destSize, const char* reply, size_t size)
{
    if (!destSize) return;
    size_t n = 0;
    const size_t limit = std::min({size, ReplyLimit, destSize - 1});
    while (n < limit && reply[n]) {
        dest[n] = reply[n];
        ++n;
    }
    dest[n] = '\0';
}

int32_t TLinkDetails::Points(const char* reply)
{
    errno = 0;
    const long long value = std::strtoll(reply, nullptr, 10);
    if (errno || value <= 0 || value > INT32_MAX / 2) return DefaultPoints;
    return int32_t(2 * value);
}

int32_t TLinkDetails::RateValue(int32_t points, const char* reply)
{
    const double rate = Decimal(reply);
    if (rate == 0.0) return DefaultRate;
    const double value = std::trunc(double(points) / rate);
    return value > 0.0 && value <= double(INT32_MAX) ? int32_t(value) : DefaultRate;
}

bool TLinkDetails::IsFrequencyAxis(const char* units)
{
    return std::strcmp(units, "Hz") == 0;
}

bool TLinkDetails::IsYes(const char* reply)
{
    return TKeywordTable::EqualsNoCase(reply, "Yes");
}

void TLinkDetails::TriggerValues(const char* startReply, const char* incrementReply, float& start, float& increment)
{
    const double first = Decimal(startReply);
    const double step = Decimal(incrementReply);
    const bool fits = std::fabs(first) <= 3.0e38 && std::fabs(step) <= 3.0e38;
    // A step too small for a float would be 0 once stored.
    if (!fits || float(step) == 0.0f) {
        start = FallbackStart;
        increment = FallbackIncrement;
        return;
    }
    start = float(first);
    increment = float(step);
}
