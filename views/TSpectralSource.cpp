#include "views/TSpectralSource.h"
#include "engine/TSpectralData.h"

int TSpectralSource::IndexOf(float frequency) const
{
    return Data.GetIndex(frequency);
}

int TSpectralSource::LastIndex() const
{
    return Data.GetFrequencyScale() == 2 ? Data.GetLastBand() : Data.GetIndexCount() - 1;
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
