// The item names of the DDE topic "Data".
#include "automation/TDdeItemTable.h"

#include <iterator>
#include "automation/TKeywordTable.h"

namespace {

// Places 48 and 49 (events of a partner program), 55, 56, 59 and 60 carry no item.
constexpr const char* Names[] = {
    "Peak Frequency",  // 0
    "Peak Amplitude",  // 1
    "Total Power",  // 2
    "Total Power A",  // 3
    "Total Power B",  // 4
    "Total Power C",  // 5
    "THD",  // 6
    "THD+N",  // 7
    "IMD",  // 8
    "SNR",  // 9
    "Spectrum",  // 10
    "Phase",  // 11
    "Time Series",  // 12
    "Marker1 Amplitude",  // 13
    "Marker2 Amplitude",  // 14
    "Marker3 Amplitude",  // 15
    "Marker4 Amplitude",  // 16
    "Marker5 Amplitude",  // 17
    "Marker6 Amplitude",  // 18
    "Marker7 Amplitude",  // 19
    "Marker8 Amplitude",  // 20
    "FFT Count",  // 21
    "Current Time",  // 22
    "Total Time",  // 23
    "Logging Status",  // 24
    "Peak Hold",  // 25
    "FFT Overlap",  // 26
    "FFT Size",  // 27
    "Average Size",  // 28
    "Smoothing Window",  // 29
    "Peak1 Frequency",  // 30
    "Peak2 Frequency",  // 31
    "Peak3 Frequency",  // 32
    "Peak4 Frequency",  // 33
    "Peak5 Frequency",  // 34
    "Peak6 Frequency",  // 35
    "Peak1 Amplitude",  // 36
    "Peak2 Amplitude",  // 37
    "Peak3 Amplitude",  // 38
    "Peak4 Amplitude",  // 39
    "Peak5 Amplitude",  // 40
    "Peak6 Amplitude",  // 41
    "Total Power in Time Segment",  // 42
    "Zoomed Spectrum",  // 43
    "Zoomed Phase",  // 44
    "Marked Spectrum",  // 45
    "Marked Phase",  // 46
    "Zoomed Time Series",  // 47
    nullptr,  // 48
    nullptr,  // 49
    "Total Power Flat",  // 50
    "SINAD",  // 51
    "SFDR",  // 52
    "NF",  // 53
    "Delay Finder",  // 54
    nullptr,  // 55
    nullptr,  // 56
    "Macro Status",  // 57
    "File Closed",  // 58
    nullptr,  // 59
    nullptr,  // 60
    "Version Number",  // 61
    "Average Type",  // 62
    "Average Mode",  // 63
    "Decimation Ratio",  // 64
    "Mode",  // 65
    "Amplitude Axis Scaling Left",  // 66
    "Amplitude Axis Scaling Right",  // 67
    "Frequency Axis Scaling Left",  // 68
    "Frequency Axis Scaling Right",  // 69
    "Spectrum Weighting Left",  // 70
    "Spectrum Weighting Right",  // 71
    "PSD Left",  // 72
    "PSD Right",  // 73
    "PSD Type Left",  // 74
    "PSD Type Right",  // 75
    "Mic Compensation Left",  // 76
    "Mic Compensation Right",  // 77
    "Mic Compensation File Left",  // 78
    "Mic Compensation File Right",  // 79
    "Signal Generator Type Left",  // 80
    "Signal Generator Type Right",  // 81
    "Spectrum Left",  // 82
    "Spectrum Right",  // 83
    "Zoomed Spectrum Left",  // 84
    "Zoomed Spectrum Right",  // 85
    "Marked Spectrum Left",  // 86
    "Marked Spectrum Right",  // 87
    "Phase Left",  // 88
    "Phase Right",  // 89
    "Zoomed Phase Left",  // 90
    "Zoomed Phase Right",  // 91
    "Marked Phase Left",  // 92
    "Marked Phase Right",  // 93
    "Time Series Left",  // 94
    "Time Series Right",  // 95
    "Zoomed Time Series Left",  // 96
    "Zoomed Time Series Right",  // 97
    "Last Logging Time",  // 98
    "Leq Values",  // 99
    "LeqT",  // 100
    "Leq",  // 101
    "Lsel",  // 102
    "Lpk",  // 103
    "Lmax",  // 104
    "Lmin",  // 105
    "L10",  // 106
    "L50",  // 107
    "L90",  // 108
    "Wave Segment",  // 109
    "Wave Segment Left",  // 110
    "Wave Segment Right",  // 111
    "Overload Status",  // 112
    "Overload Count",  // 113
    "Total Power Weighting Left",  // 114
    "Total Power Weighting Right",  // 115
    "Peak Hold Spectrum",  // 116
    "Peak Hold Spectrum Left",  // 117
    "Peak Hold Spectrum Right",  // 118
    "Zoomed Peak Hold Spectrum",  // 119
    "Zoomed Peak Hold Spectrum Left",  // 120
    "Zoomed Peak Hold Spectrum Right",  // 121
    "Marked Peak Hold Spectrum",  // 122
    "Marked Peak Hold Spectrum Left",  // 123
    "Marked Peak Hold Spectrum Right",  // 124
    "Sampling Rate",  // 125
    "Marked Peak Frequency",  // 126
    "Marked Peak Amplitude",  // 127
    "Marked Total Power",  // 128
    "Marked Total Power Flat",  // 129
    "Marked Total Power A",  // 130
    "Marked Total Power B",  // 131
    "Marked Total Power C",  // 132
    "THD vs Frequency",  // 133
    "Compare Left THD vs Freq to Limits",  // 134
    "Compare Right THD vs Freq to Limits",  // 135
    "Current Sample",  // 136
    "Total Samples",  // 137
    "Compare Left Spectrum To Overlay 1",  // 138
    "Compare Left Spectrum To Overlay 2",  // 139
    "Compare Left Spectrum To Overlay 3",  // 140
    "Compare Left Spectrum To Overlay 4",  // 141
    "Compare Left Peak Hold To Overlay 1",  // 142
    "Compare Left Peak Hold To Overlay 2",  // 143
    "Compare Left Peak Hold To Overlay 3",  // 144
    "Compare Left Peak Hold To Overlay 4",  // 145
    "Compare Right Spectrum To Overlay 1",  // 146
    "Compare Right Spectrum To Overlay 2",  // 147
    "Compare Right Spectrum To Overlay 3",  // 148
    "Compare Right Spectrum To Overlay 4",  // 149
    "Compare Right Peak Hold To Overlay 1",  // 150
    "Compare Right Peak Hold To Overlay 2",  // 151
    "Compare Right Peak Hold To Overlay 3",  // 152
    "Compare Right Peak Hold To Overlay 4",  // 153
    "Wave Sample Left",  // 154
    "Wave Sample Right",  // 155
};
static_assert(std::size(Names) == TDdeItemTable::Count);

}  // namespace

const char* TDdeItemTable::Name(int index)
{
    return index >= 0 && index < Count ? Names[index] : nullptr;
}

int TDdeItemTable::Find(std::string_view name)
{
    for (int i = 0; i < Count; ++i)
        if (Names[i] && TKeywordTable::EqualsNoCase(name, Names[i])) return i;
    return -1;
}
