// Fractional-octave bands, weighting curves, microphone compensation and
// spectrum smoothing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/TCompensationFile.h"
#include "base/TEngineHost.h"
#include "engine/TSpectralData.h"
#include "engine/TSpline.h"
#include "resources/StringIds.h"

namespace {

using FreqPoint = TSpectralData::FreqPoint;

const FreqPoint kWeightingA[] = {
    {10, -70.4f},   {12.59f, -63.4f}, {15.85f, -56.7f}, {19.95f, -50.5f}, {25.12f, -44.7f}, {31.62f, -39.4f},
    {39.81f, -34.6f}, {50.12f, -30.2f}, {63.1f, -26.2f},  {79.43f, -22.5f}, {100, -19.1f},    {125.9f, -16.1f},
    {158.5f, -13.4f}, {199.5f, -10.9f}, {251.2f, -8.6f},  {316.2f, -6.6f},  {398.1f, -4.8f},  {501.2f, -3.2f},
    {631, -1.9f},     {794.3f, -0.8f},  {1000, 0},        {1259, 0.6f},     {1585, 1},        {1995, 1.2f},
    {2512, 1.3f},     {3162, 1.2f},     {3981, 1},        {5012, 0.5f},     {6310, -0.1f},    {7943, -1.1f},
    {10000, -2.5f},   {12590, -4.3f},   {15850, -6.6f},   {19950, -9.3f},   {25120, -10},     {31620, -15},
    {39810, -20},
};

const FreqPoint kWeightingB[] = {
    {10, -37},   {20, -24},    {30, -17},   {40, -13},   {50, -11.5f}, {60, -10},   {70, -8.5f},
    {80, -7.2f}, {90, -6.3f},  {100, -5.4f}, {200, -2},  {300, -0.8f}, {400, -0.5f}, {500, 0},
    {700, 0},    {1000, 0},    {2000, 0},   {3000, 0},   {4000, -0.5f}, {5000, -0.8f}, {6000, -1.2f},
    {7000, -2},  {8000, -3},   {10000, -5}, {20000, -10},
};

const FreqPoint kWeightingC[] = {
    {10, -14.3f},   {12.59f, -11.2f}, {15.85f, -8.5f}, {19.95f, -6.2f}, {25.12f, -4.4f}, {31.62f, -3},
    {39.81f, -2},   {50.12f, -1.3f},  {63.1f, -0.8f},  {79.43f, -0.5f}, {100, -0.3f},    {125.9f, -0.2f},
    {158.5f, -0.1f}, {199.5f, 0},     {251.2f, 0},     {316.2f, 0},     {398.1f, 0},     {501.2f, 0},
    {631, 0},       {794.3f, 0},      {1000, 0},       {1259, 0},       {1585, -0.1f},   {1995, -0.2f},
    {2512, -0.3f},  {3162, -0.5f},    {3981, -0.8f},   {5012, -1.3f},   {6310, -2},      {7943, -3},
    {10000, -4.4f}, {12590, -6.2f},   {15850, -8.5f},  {19950, -11.2f}, {25120, -15},    {31620, -18},
    {39810, -20},
};

// Preferred numbers of nominal band centres, per decade.
const int kPreferred[] = {
    100, 103, 106, 109, 112, 115, 118, 121, 125, 130, 133, 137, 140, 145, 150, 155, 160, 165, 170, 175, 180,
    185, 190, 195, 200, 206, 212, 218, 224, 230, 237, 244, 250, 257, 265, 272, 280, 290, 300, 307, 315, 325,
    335, 345, 355, 365, 375, 387, 400, 412, 425, 437, 450, 462, 475, 487, 500, 515, 530, 545, 560, 580, 600,
    615, 630, 650, 670, 690, 710, 730, 750, 775, 800, 825, 850, 875, 900, 925, 950, 975, 1000,
};

constexpr float kLevelLimit = TCompensationFile::LevelLimit;

std::string Format(const char* pattern, const char* name)
{
    const int size = std::snprintf(nullptr, 0, pattern, name);
    std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, name);
    return text;
}

// Every spectral object of a channel reads the same file: one message for all.
void ShowFileMessage(const char* pattern, const char* name)
{
    TEngineHost::Get().ShowFileMessage(name, Format(pattern, name), "", TEngineHost::MsgIconStop);
}

// Amplitude factors of levels in dB; a level too low to give one leaves the factor 1.
void LevelsToFactors(const std::vector<float>& levels, std::vector<float>& factors)
{
    for (size_t k = 0; k < factors.size(); ++k) {
        const float factor = TSpectralData::DBToAmplitude(levels[k]);
        factors[k] = factor != 0.0f ? factor : 1.0f;
    }
}

}  // namespace

void TSpectralData::BuildBandTable()
{
    const double n = OctaveFraction;
    uint32_t count = 0;
    while (std::pow(10.0, 3.0 * count / (10.0 * n)) < Nyquist)
        ++count;
    if (!AllocateTable(Bands, count, Band{}))
        return;
    BandCount = count;
    for (uint32_t k = 0; k < count; ++k) {
        const double c = std::pow(10.0, 3.0 * k / (10.0 * n));
        Band& band = Bands[k];
        band.ExactCentre = static_cast<float>(c);
        band.NominalCentre = NominalBandCentre(static_cast<float>(c));
        band.UpperEdge = static_cast<float>(c * std::pow(2.0, 0.5 / n));
        band.LowerEdge = k == 0 ? static_cast<float>(c * std::pow(0.5, 0.5 / n)) : Bands[k - 1].UpperEdge;
    }
}

void TSpectralData::BuildBandEdgeBins()
{
    if (Bands.empty() || !AllocateTable(BandEdges, BandCount, BandEdge{}))
        return;
    const double w = BinWidth;
    for (uint32_t b = 0; b < BandCount; ++b) {
        BandEdge& edge = BandEdges[b];
        edge.FirstBin = FrequencyToBin(Bands[b].LowerEdge);
        edge.FirstWeight = static_cast<float>((edge.FirstBin * w + w / 2.0 - Bands[b].LowerEdge) / w);
        edge.LastBin = FrequencyToBin(Bands[b].UpperEdge);
        edge.LastWeight = static_cast<float>((Bands[b].UpperEdge - (edge.LastBin * w - w / 2.0)) / w);
    }
}

float TSpectralData::NominalBandCentre(float frequency, uint32_t octaveFraction)
{
    if (frequency <= 1.0f)
        return 1.0f;
    if (frequency >= 1e6f)
        return 1e6f;
    const double f = frequency;
    double m = f < 10.0 ? 100.0 : f < 100.0 ? 10.0 : f < 1000.0 ? 1.0 : f < 1e4 ? 0.1 : f < 1e5 ? 0.01 : 0.001;
    if (octaveFraction >= 25) {
        m *= 10.0;
        return static_cast<float>(std::trunc(f * m) / m);
    }
    const double i = std::trunc(f * m + 0.5);
    int best = kPreferred[0];
    for (int p : kPreferred) {
        if (std::fabs(i - p) < std::fabs(i - best))
            best = p;
    }
    return static_cast<float>(best / m);
}

// A band inside a single bin has no level of its own: the bin's power cannot
// be split finer than a bin, so it reads as no level.
void TSpectralData::ComputeBands(uint32_t normalise)
{
    if (Averaged.empty() || BandEdges.empty() || BandValues.empty())
        return;
    for (uint32_t b = 0; b < BandCount; ++b) {
        const BandEdge& edge = BandEdges[b];
        if (edge.LastBin <= edge.FirstBin) {
            BandValues[b] = NoLevel;
            continue;
        }
        double sum = Averaged[edge.FirstBin] * static_cast<double>(edge.FirstWeight)
                     + Averaged[edge.LastBin] * static_cast<double>(edge.LastWeight);
        for (uint32_t k = edge.FirstBin + 1; k < edge.LastBin; ++k)
            sum += Averaged[k];
        if (normalise) {
            const double count = static_cast<double>(edge.LastBin - edge.FirstBin - 1) + edge.FirstWeight + edge.LastWeight;
            if (count != 0.0)
                sum /= count;
        }
        BandValues[b] = PowerToDB(static_cast<float>(sum));
    }
}

float TSpectralData::GetBandCentre(int band) const
{
    return band >= 0 && static_cast<uint32_t>(band) < Bands.size() ? Bands[band].NominalCentre : 0.0f;
}

float TSpectralData::GetBandExactCentre(int band) const
{
    return band >= 0 && static_cast<uint32_t>(band) < Bands.size() ? Bands[band].ExactCentre : 0.0f;
}

float TSpectralData::GetBandLowerEdge(int band) const
{
    return band >= 0 && static_cast<uint32_t>(band) < Bands.size() ? Bands[band].LowerEdge : 0.0f;
}

float TSpectralData::GetBandUpperEdge(int band) const
{
    return band >= 0 && static_cast<uint32_t>(band) < Bands.size() ? Bands[band].UpperEdge : 0.0f;
}

int TSpectralData::FrequencyToBand(float frequency) const
{
    if (Bands.empty() || frequency < Bands.front().LowerEdge)
        return 0;
    if (frequency >= Bands.back().UpperEdge)
        return static_cast<int>(Bands.size()) - 1;
    for (size_t b = 0; b < Bands.size(); ++b) {
        if (Bands[b].LowerEdge <= frequency && frequency < Bands[b].UpperEdge)
            return static_cast<int>(b);
    }
    return 0;
}

int TSpectralData::GetFirstUsableBand() const
{
    for (size_t b = 0; b < BandEdges.size(); ++b) {
        if (BandEdges[b].LastBin >= BandEdges[b].FirstBin + 2) {
            const size_t usable = Bands[b].ExactCentre > 5.0f ? b + 1 : b;
            return static_cast<int>(std::min(usable, BandEdges.size() - 1));
        }
    }
    return 0;
}

int TSpectralData::GetLastBand() const
{
    return BandCount ? static_cast<int>(BandCount) - 1 : 0;
}

void TSpectralData::BuildWeightingCurve(CurveSlot slot, uint16_t type)
{
    std::vector<float>& curve = Curves[slot];
    curve = std::vector<float>();
    if (type == 0 || Bins == 0)
        return;
    std::vector<float> levels;
    if (!Allocate(curve, Bins, 1.0f) || !Allocate(levels, Bins, 0.0f)) {
        curve = std::vector<float>();
        return;
    }
    switch (type) {
    case 1: InterpolatePoints(kWeightingA, std::size(kWeightingA), levels.data(), 0); break;
    case 2: InterpolatePoints(kWeightingB, std::size(kWeightingB), levels.data(), 0); break;
    case 3: InterpolatePoints(kWeightingC, std::size(kWeightingC), levels.data(), 0); break;
    default: break;
    }
    LevelsToFactors(levels, curve);
}

void TSpectralData::InterpolatePoints(const FreqPoint* points, uint32_t count, float* output, uint32_t splineMode) const
{
    if (!points || count == 0 || !output || Bins == 0)
        return;
    const uint32_t first = FrequencyToBin(points[0].Frequency);
    const uint32_t last = FrequencyToBin(points[count - 1].Frequency);
    const TSpline spline(reinterpret_cast<const float*>(points), count, splineMode);
    for (uint32_t k = 0; k <= first && k < Bins; ++k)
        output[k] = points[0].Level;
    for (uint32_t k = first + 1; k < last; ++k)
        output[k] = std::clamp(spline.Evaluate(BinToFrequency(k)), -kLevelLimit, kLevelLimit);
    for (uint32_t k = last; k < Bins; ++k)
        output[k] = points[count - 1].Level;
}

void TSpectralData::LoadMicCompensation(const char* fileName, uint32_t option)
{
    Compensation = std::vector<float>();
    if (option && fileName && fileName[0] && Bins) {
        std::vector<float> levels;
        if (Allocate(Compensation, Bins, 1.0f) && Allocate(levels, Bins, 0.0f)
            && ReadCompensationFile(fileName, levels.data())) {
            LevelsToFactors(levels, Compensation);
        } else {
            Compensation = std::vector<float>();
        }
    }
    BuildScaleTable();
}

uint32_t TSpectralData::ReadCompensationFile(const char* fileName, float* output) const
{
    if (!output || !fileName || !fileName[0])
        return 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        ShowFileMessage("Failure opening mic compensation file: %s", fileName);
        return 0;
    }
    TCompensationFile file;
    try {
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        file = TCompensationFile::Parse(text.data(), text.size());
    } catch (const std::exception&) {
        TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgIconStop);
        return 0;
    }
    if (file.Result != TCompensationFile::Usable) {
        ShowFileMessage(file.Result == TCompensationFile::TooFew ? IDS_MICCOMP_TOO_FEW_TEXT
                                                                 : IDS_MICCOMP_NOT_ASCENDING_TEXT,
                        fileName);
        return 0;
    }
    InterpolatePoints(file.Points.data(), static_cast<uint32_t>(file.Points.size()), output, file.SplineOff);
    return 1;
}

void TSpectralData::SmoothSpectrum(int width)
{
    if (width < 1 || Averaged.empty() || DBArray.empty())
        return;
    const int half = (width - 1) / 2;
    const int bins = static_cast<int>(Bins);
    // Held values exist per band in band mode: smooth only as many as there are.
    const int held = static_cast<int>(std::min<size_t>(PeakHold.size(), Bins));
    // Mean amplitude over the window around k, of the entries below count.
    auto windowMean = [half](int k, int count, auto amplitude) {
        double sum = 0.0;
        int used = 0;
        for (int j = -half; j <= half; ++j) {
            const int i = k - j;
            if (i < 0 || i >= count)
                continue;
            sum += amplitude(i);
            ++used;
        }
        return static_cast<float>(sum / used);
    };
    BinLevelsOfAverage = false;
    for (int k = 0; k < bins; ++k) {
        DBArray[k] = AmplitudeToDB(
            windowMean(k, bins, [this](int i) { return Averaged[i] > 0.0f ? std::sqrt(Averaged[i]) : 0.0; }));
        if (k < held)
            PeakHold[k].Value = AmplitudeToDB(
                windowMean(k, held, [this](int i) { return static_cast<double>(DBToAmplitude(PeakHold[i].Value)); }));
    }
}
