#include "views/TSpectralSource.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSpectralData.h"

int TSpectralSource::IndexOf(float frequency) const
{
    return Data.GetIndex(frequency);
}

int TSpectralSource::LastIndex() const
{
    const bool bands = Data.GetFrequencyScale() == DisplaySettingsStruct::OctaveBands;
    return bands ? Data.GetLastBand() : Data.GetIndexCount() - 1;
}

float TSpectralSource::RangeMax(int first, int last, bool peak) const
{
    return peak ? Data.GetPeakHoldMax(first, last) : Data.RangeMaxIndex(first, last);
}

float TSpectralSource::LowFrequency() const
{
    return Data.GetLowFrequency();
}

float TSpectralSource::HighFrequency() const
{
    return Data.GetHighFrequency();
}

int TSpectralSource::LowIndex() const
{
    return Data.GetLowIndex();
}

int TSpectralSource::HighIndex() const
{
    return Data.GetHighIndex();
}

float TSpectralSource::FrequencyOf(int index) const
{
    return Data.GetFrequency(index);
}

float TSpectralSource::Value(int index) const
{
    return Data.GetDisplayValue(index);
}

float TSpectralSource::RangeMaxValue(int first, int last) const
{
    return Data.RangeMaxValue(first, last);
}

float TSpectralSource::Phase(int index) const
{
    return Data.GetPhase(index);
}

float TSpectralSource::LargestPeak(int first, int last) const
{
    float frequency = 0.0f, value = 0.0f;
    Data.FindNthPeak(first, last, &frequency, &value, 0);
    return value;
}

float TSpectralSource::Smallest(int first, int last) const
{
    if (last < first)
        return 0.0f;
    float frequency = 0.0f, value = 0.0f;
    Data.FindMinimum(first, last, &frequency, &value);
    return value;
}
