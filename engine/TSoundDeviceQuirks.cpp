#include "engine/TSoundDeviceQuirks.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <initializer_list>
#include <iterator>

namespace {

using Flag = uint32_t TSoundDeviceQuirks::*;

struct Setting {
    Flag flag;
    uint32_t value;
};

enum class Match { PrefixNoCase, PrefixExact, Anywhere };

struct Row {
    std::initializer_list<const char*> names;
    Match match;
    std::initializer_list<Setting> output;
    std::initializer_list<Setting> input;
    bool continuous;
    bool outputOnly;
};

using Q = TSoundDeviceQuirks;
constexpr Setting NoOffset{&Q::positionOffset8000, 0};

// Rows are applied in order; a later match overrides an earlier one's flags.
// An empty input list means the same settings as for output.
const Row kTable[] = {
    {{"SB16"}, Match::PrefixExact, {{&Q::continuousRates, 1}, {&Q::standardRates, 0}, {&Q::positionOffset8000, 1}}, {}, true, false},
    {{"Tahiti", "Tropez"}, Match::PrefixNoCase, {NoOffset}, {}, false, false},
    {{"Pinnacle", "Fiji"}, Match::PrefixNoCase, {NoOffset}, {}, false, false},
    {{"TBS"}, Match::PrefixNoCase, {{&Q::positionOffset8000, 1}}, {}, false, false},
    {{"DAL"}, Match::PrefixNoCase, {{&Q::leadIn, 1}, NoOffset}, {}, false, false},
    {{"CardDeluxe", "Audiotrix"}, Match::PrefixNoCase, {NoOffset}, {}, false, false},
    {{"Antex", "Windows Sound System"}, Match::Anywhere, {NoOffset}, {}, false, false},
    {{"Darla", "Gina", "Layla"}, Match::PrefixNoCase, {{&Q::settleDelay, 1}, {&Q::quirkA, 0}, NoOffset},
     {{&Q::settleDelay, 1}, NoOffset}, false, false},
    {{"PCXPOCKET", "POCKET", "VXPOCKET"}, Match::PrefixNoCase,
     {{&Q::positionOffset12000, 1}, {&Q::positionOffset8000, 1}}, {}, false, false},
    {{"ST_NVHII"}, Match::PrefixNoCase, {NoOffset}, {}, false, false},
    {{"E-MU"}, Match::PrefixNoCase, {{&Q::emuRates, 1}, {&Q::standardRates, 1}, NoOffset},
     {{&Q::emuRates, 1}, {&Q::standardRates, 1}}, false, false},
    {{"Tapco"}, Match::PrefixNoCase, {{&Q::tapcoRates, 1}, {&Q::standardRates, 1}, NoOffset},
     {{&Q::tapcoRates, 1}, {&Q::standardRates, 1}}, false, false},
    {{"Lexicon"}, Match::PrefixNoCase, {{&Q::quirkD, 1}, NoOffset}, {{&Q::quirkD, 1}}, false, false},
    {{"ST SoundBuster", "ST190", "ST191", "ST192", "ST193", "ST210", "ST219", "ST220"}, Match::PrefixNoCase,
     {NoOffset, {&Q::extensible20Bit, 1}}, {}, false, false},
    {{"Pd96"}, Match::PrefixNoCase, {{&Q::quirkA, 0}, NoOffset, {&Q::extensible20Bit, 1}}, {}, false, true},
    {{"USBPre"}, Match::PrefixNoCase, {{&Q::quirkC, 1}}, {}, false, false},
};

bool StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix) {
        if (std::tolower(static_cast<unsigned char>(*text)) != std::tolower(static_cast<unsigned char>(*prefix)))
            return false;
    }
    return true;
}

bool Matches(const char* product, const char* name, Match match)
{
    switch (match) {
    case Match::PrefixNoCase:
        return StartsWithNoCase(product, name);
    case Match::PrefixExact:
        return std::strncmp(product, name, std::strlen(name)) == 0;
    case Match::Anywhere:
        return std::strstr(product, name) != nullptr;
    }
    return false;
}

// Rates of the continuous-rate cards, 5 kHz to 45 kHz.
constexpr uint32_t kContinuousRates[] = {
    5000, 5146, 5324, 5502, 5680, 6036, 6215, 6393, 6571, 6749, 6927, 7105, 7283, 7461, 7639, 7817, 8000, 8173,
    8352, 8530, 8708, 8886, 9064, 9242, 9420, 9598, 9776, 9954, 10132, 10310, 10488, 10667, 10845, 11025, 11201,
    11379, 11557, 11735, 11913, 12091, 12269, 12447, 12625, 12804, 12982, 13160, 13338, 13516, 13694, 13872, 14050,
    14228, 14406, 14584, 14762, 14940, 15119, 15297, 15475, 15653, 15831, 16000, 16187, 16365, 16543, 16721, 16899,
    17077, 17256, 17434, 17612, 17790, 17968, 18146, 18324, 18502, 18680, 18858, 19036, 19214, 19392, 19571, 19749,
    19927, 20105, 20283, 20461, 20639, 20817, 20995, 21173, 21351, 21529, 21708, 21886, 22050, 22242, 22420, 22598,
    22776, 23132, 23310, 23488, 23666, 23844, 24023, 24201, 24379, 24557, 24735, 24913, 25091, 25269, 25447, 25625,
    25981, 26160, 26338, 26516, 26694, 26872, 27050, 27228, 27406, 27584, 27762, 27940, 28118, 28296, 28475, 28831,
    29009, 29187, 29365, 29543, 29721, 29899, 30077, 30255, 30433, 30612, 30790, 30968, 31146, 31324, 31502, 31680,
    31858, 32000, 32214, 32392, 32570, 32748, 32927, 33105, 33283, 33461, 33639, 33817, 33995, 34173, 34351, 34529,
    34707, 34885, 35064, 35242, 35420, 35598, 35776, 35954, 36132, 36310, 36488, 36666, 36844, 37022, 37200, 37379,
    37557, 37735, 37913, 38091, 38269, 38447, 38625, 38803, 38981, 39159, 39337, 39516, 39694, 39872, 40050, 40228,
    40406, 40584, 40762, 40940, 41118, 41296, 41474, 41652, 41831, 42009, 42187, 42365, 42543, 42721, 42899, 43077,
    43255, 43433, 43611, 43789, 43968, 44100, 44324, 44502, 44680, 44858, 45000};
static_assert(sizeof(kContinuousRates) / sizeof(kContinuousRates[0]) == 222);

constexpr uint32_t kEmuRates[] = {44100, 48000, 88200, 96000, 176400, 192000};
constexpr uint32_t kTapcoRates[] = {44100, 48000};

}  // namespace

void TSoundDeviceQuirks::Apply(const char* productName, TDirection direction, TWaveFormat& minimum,
                               TWaveFormat& maximum)
{
    for (const Row& row : kTable) {
        if (direction == Input && row.outputOnly)
            continue;
        if (std::none_of(row.names.begin(), row.names.end(),
                         [&](const char* name) { return Matches(productName, name, row.match); }))
            continue;
        const auto& settings = (direction == Input && row.input.size()) ? row.input : row.output;
        for (const Setting& s : settings)
            this->*s.flag = s.value;
        if (row.continuous) {
            minimum = maximum;
            minimum.SamplingRate = 5000;
            maximum.SamplingRate = 45000;
        }
    }
}

uint32_t TSoundDeviceQuirks::NearestSupportedRate(uint32_t rate, uint32_t minimumRate, uint32_t maximumRate) const
{
    if (rate <= minimumRate)
        return minimumRate;
    if (rate >= maximumRate)
        return maximumRate;
    if (continuousRates) {
        if (rate < 5001)
            return 5000;
        if (rate >= 45000)
            return 45000;
        const uint32_t* b = std::lower_bound(std::begin(kContinuousRates), std::end(kContinuousRates), rate);
        const uint32_t* a = *b == rate ? b : b - 1;
        return rate - *a < *b - rate ? *a : *b;
    }
    if (!standardRates)
        return rate;
    if (rate >= 11026 && rate <= 16537)
        return 11025;
    if (rate >= 16538 && rate <= 33075)
        return 22050;
    if (rate >= 33076 && rate <= 44100)
        return 44100;
    return minimumRate;
}

bool TSoundDeviceQuirks::RateInFixedList(uint32_t rate) const
{
    if (emuRates && standardRates)
        return std::find(std::begin(kEmuRates), std::end(kEmuRates), rate) != std::end(kEmuRates);
    if (tapcoRates && standardRates)
        return std::find(std::begin(kTapcoRates), std::end(kTapcoRates), rate) != std::end(kTapcoRates);
    return true;
}

uint64_t TSoundDeviceQuirks::PositionCorrection(uint64_t position) const
{
    if (positionOffset8000 && position > 8000)
        position -= 8000;
    if (positionOffset12000 && position > 12000)
        position -= 12000;
    if (extensible20Bit && position > 2000)
        position -= 2000;
    if (leadIn && position > LeadInBytes)
        position -= LeadInBytes;
    return position;
}

uint16_t TSoundDeviceQuirks::ValidBitsFor24(int platform) const
{
    return (extensible20Bit && platform != 2) ? 20 : 24;
}

int TSoundDeviceQuirks::PlatformCode(uint32_t platformId, uint32_t major, uint32_t minor)
{
    constexpr uint32_t Windows9x = 1, WindowsNT = 2;
    if (platformId == Windows9x && major == 4) {
        if (minor >= 90)
            return 2;
        if (minor == 10)
            return 1;
        return 0;
    }
    if (platformId == WindowsNT) {
        if (major == 4)
            return 3;
        if (major == 5 && minor == 0)
            return 4;
        return 5;
    }
    return 0;
}
