// The spectral engine's answers to what overlays and text export read.
#include "views/TSpectralValues.h"

#include "engine/DisplaySettingsStruct.h"
#include "engine/TSpectralData.h"

int TSpectralValues::LowIndex() const { return Data.GetLowIndex(); }
int TSpectralValues::HighIndex() const { return Data.GetHighIndex(); }
float TSpectralValues::FrequencyOf(int index) const { return Data.GetFrequency(index); }

float TSpectralValues::ValueOf(int index, bool peakHold) const
{
    return peakHold ? Data.GetPeakHoldValue(index) : Data.GetDisplayValue(index);
}

bool TSpectralValues::Bands() const { return Data.GetFrequencyScale() == DisplaySettingsStruct::OctaveBands; }
