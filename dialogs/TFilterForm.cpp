#include "dialogs/TFilterForm.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include "dialogs/TFieldText.h"
#include "engine/TWaveFilter.h"

namespace {

std::string RangeMessage(const char* format, int32_t nyquist)
{
    char message[96];
    std::snprintf(message, sizeof message, format, 0L, long(nyquist));
    return message;
}

bool Within(int32_t value, int32_t nyquist) { return value >= 0 && value <= nyquist; }

}

void TFilterForm::FieldsOf(const FilterSettings& s, uint32_t type, std::string& frequency, std::string& width)
{
    const int32_t values[][2] = {{s.LPCutoffHz, 0}, {s.HPCutoffHz, 0}, {s.BPCenterHz, s.BPWidthHz},
                                 {s.NCenterHz, s.NWidthHz}};
    if (type > FilterSettings::Notch)
        return;
    frequency = std::to_string(values[type][0]);
    width = std::to_string(values[type][1]);
}

std::string TFilterForm::Store(const TFields& f, int32_t nyquist, uint16_t channels, FilterSettings& s)
{
    const int32_t taps = TFieldText::ToInt(f.Taps.substr(0, FieldLength));
    if (taps < TWaveFilter::MinTaps || taps > TWaveFilter::MaxTaps) {
        char message[96];
        std::snprintf(message, sizeof message, "The number of filter taps must be between %d and %d",
                      int(TWaveFilter::MinTaps), int(TWaveFilter::MaxTaps));
        return message;
    }
    const double gain = TFieldText::ToFloat(f.Gain.substr(0, FieldLength));
    if (gain < -TWaveFilter::MaxGainDB || gain > TWaveFilter::MaxGainDB)
        return "The filter gain must be between -90 and + 90 dB";
    s.NumTaps = taps;
    s.FilterGainDB = float(gain);
    s.Type = f.Type;

    const int32_t frequency = TFieldText::ToInt(f.Frequency.substr(0, FieldLength));
    const int32_t width = TFieldText::ToInt(f.Width.substr(0, FieldLength));
    switch (f.Type) {
    case FilterSettings::LowPass: s.LPCutoffHz = frequency; break;
    case FilterSettings::HighPass: s.HPCutoffHz = frequency; break;
    case FilterSettings::BandPass: s.BPCenterHz = frequency; s.BPWidthHz = width; break;
    case FilterSettings::Notch: s.NCenterHz = frequency; s.NWidthHz = width; break;
    default: {
        const size_t n = std::min(f.FileName.size(), sizeof s.FilterFilename - 1);
        std::memcpy(s.FilterFilename, f.FileName.data(), n);
        s.FilterFilename[n] = 0;
    }
    }
    if (f.Type == FilterSettings::LowPass || f.Type == FilterSettings::HighPass) {
        if (!Within(frequency, nyquist))
            return RangeMessage("Cutoff Frequency must be between %ld and %ld Hz", nyquist);
    } else if (f.Type == FilterSettings::BandPass || f.Type == FilterSettings::Notch) {
        if (!Within(frequency, nyquist))
            return RangeMessage("Center Frequency must be between %ld and %ld Hz", nyquist);
        if (!Within(width, nyquist))
            return RangeMessage("Width Frequency must be between %ld and %ld Hz", nyquist);
    }
    s.DoLeft = channels == 2 ? (f.Left ? 1 : 0) : 1;
    s.DoRight = channels == 2 ? (f.Right ? 1 : 0) : 0;
    return {};
}
