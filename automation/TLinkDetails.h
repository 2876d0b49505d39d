#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What the DDE client link makes of the replies of an acquisition program
// and of its partner test program: the companion item names of a series,
// its points and rate, its labels and the order-tracking trigger values.
// Replies come from another program: every number is checked and falls
// back, every text stays within its destination.
class TLinkDetails {
public:
    // A reply is taken up to its first zero and at most this many bytes.
    static constexpr size_t ReplyLimit = 499;
    static constexpr int32_t DefaultPoints = 128;
    static constexpr int32_t DefaultRate = 11025;
    static constexpr float FallbackStart = 600.0f;
    static constexpr float FallbackIncrement = 100.0f;

    // The item cut after its last '.' (the dot stays); an item without a dot
    // gives its first character.
    static std::string BaseName(const char* item);
    // The reply text of size bytes into dest of destSize bytes, cut to fit
    // and always terminated.
    static void CopyReply(char* dest, size_t destSize, const char* reply, size_t size);
    // Twice the reply's whole number; DefaultPoints when that is not above 0
    // or does not fit.
    static int32_t Points(const char* reply);
    // The whole part of points over the reply's decimal number; DefaultRate
    // when that is not above 0 (a rate of 0 among them) or does not fit.
    static int32_t RateValue(int32_t points, const char* reply);
    // "Hz" exactly: the series runs along frequency.
    static bool IsFrequencyAxis(const char* units);
    // "Yes" in any letter case.
    static bool IsYes(const char* reply);
    // The starting trigger and increment of the replies; an increment of 0
    // (or a value that is no finite number) gives the fallbacks.
    static void TriggerValues(const char* startReply, const char* incrementReply, float& start, float& increment);
};
