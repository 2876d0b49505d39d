#include "engine/TSmoothing.h"

#include <cmath>
#include <cstring>
#include <new>

#include "engine/DisplaySettingsStruct.h"
#include "base/TEngineHost.h"
#include "resources/StringIds.h"

namespace {

struct WindowInfo {
    const char* name;
    double amplitude;
    double energy;
    // The amplitude and energy factors are taken from the table itself: the
    // fixed constants once given for these disagree with their coefficients.
    bool derivedAmplitude;
    bool derivedEnergy;
};

const WindowInfo kWindows[TSmoothing::WindowCount] = {
    {IDS_WINDOW_BARTLETT_TEXT, 2.0, std::pow(10.0, 0.24), false, false},
    {IDS_WINDOW_BLACKMAN_TEXT, 2.3809524, std::pow(10.0, 0.2585), false, false},
    {IDS_WINDOW_FLATTOP_TEXT, 1.0, std::pow(10.0, -0.2675), false, false},
    {IDS_WINDOW_HAMMING_TEXT, 1.8518518, std::pow(10.0, 0.2005), false, false},
    {IDS_WINDOW_HANNING_TEXT, 2.0, std::pow(10.0, 0.213), false, false},
    {IDS_WINDOW_KAISER_TEXT, std::pow(10.0, 0.505), 1.0, false, true},
    {IDS_WINDOW_PARZEN_TEXT, 1.0, 1.0, true, true},
    {IDS_WINDOW_TRIANGULAR_TEXT, 2.0, std::pow(10.0, 0.239), false, false},
    {IDS_WINDOW_UNIFORM_TEXT, 1.0, 1.0, false, false},
    {"Gaussian", 1.0, 1.0, true, true},
};

constexpr double kPiShort = 3.1415927;
constexpr double kPiKaiser = 3.1415926535;
constexpr double kTwoPiFlatTop = 6.283185308;

}  // namespace

double BesselI0(double x)
{
    const double q = (x / 2.0) * (x / 2.0);
    double sum = 1.0;
    double term = 1.0;
    if (q == 0.0)
        return sum;
    for (int k = 1;; ++k) {
        term = term * q / k / k;
        sum += term;
        if (term / sum <= 1e-6)
            break;
    }
    return sum;
}

TSmoothing::TSmoothing(uint32_t length, uint16_t windowType) : Length(length), Type(windowType)
{
    const bool valid = Validate(windowType);
    Allocate();
    if (valid)
        ComputeTable();
}

void TSmoothing::SetLength(uint32_t length)
{
    Length = length;
    const bool valid = Validate(Type);
    Allocate();
    if (valid)
        ComputeTable();
}

void TSmoothing::SetWindowType(uint16_t windowType)
{
    Type = windowType;
    if (Validate(windowType))
        ComputeTable();
}

void TSmoothing::SetLengthAndType(uint32_t length, uint16_t windowType)
{
    Length = length;
    Type = windowType;
    const bool valid = Validate(windowType);
    Allocate();
    if (valid)
        ComputeTable();
}

void TSmoothing::SetKaiserParameter(float alpha)
{
    KaiserParameter = alpha;
    const bool valid = Validate(Type);
    Allocate();
    if (valid)
        ComputeTable();
}

bool TSmoothing::Validate(uint16_t windowType)
{
    if (IsValidWindowType(windowType))
        return true;
    TEngineHost::Get().ShowMessage("TSmoothing: Invalid Window Type", "Error", TEngineHost::MsgIconStop);
    Error = 1;
    return false;
}

void TSmoothing::Allocate()
{
    Table.clear();
    Table.shrink_to_fit();
    HasTable = false;
    try {
        Table.assign(Length, 0.0f);
        HasTable = true;
    } catch (const std::bad_alloc&) {
        TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgIconStop);
        Error = 1;
    }
}

void TSmoothing::GetWindowName(uint16_t windowType, char* buffer)
{
    buffer[0] = '\0';
    if (windowType >= WindowCount)
        return;
    std::strncpy(buffer, kWindows[windowType].name, NameLength);
    buffer[NameLength] = '\0';
}

double TSmoothing::CorrectionFactor(int mode) const
{
    if (!HasTable || Type >= WindowCount || (mode != 1 && mode != 2))
        return 1.0;
    const WindowInfo& w = kWindows[Type];
    if (mode == 1)
        return w.derivedAmplitude ? DerivedAmplitude : w.amplitude;
    return w.derivedEnergy ? DerivedEnergy : w.energy;
}

double TSmoothing::ScaleFactor(uint16_t scaleMode, uint32_t psdFlag) const
{
    if (scaleMode == DisplaySettingsStruct::OctaveBands || psdFlag != 0)
        return CorrectionFactor(2);
    if (scaleMode <= DisplaySettingsStruct::LogFrequency)
        return CorrectionFactor(1);
    return 1.0;
}

void TSmoothing::Apply(float* buffer, uint16_t scaleMode, uint32_t psdFlag) const
{
    if (!HasTable || Type == Uniform)
        return;
    const double factor = ScaleFactor(scaleMode, psdFlag);
    for (uint32_t i = 0; i < Length; ++i)
        buffer[i] = static_cast<float>(buffer[i] * Table[i] * factor);
}

void TSmoothing::Remove(float* buffer, uint16_t scaleMode) const
{
    if (!HasTable || Type == Uniform)
        return;
    const double factor = ScaleFactor(scaleMode, 0);
    for (uint32_t i = 0; i < Length; ++i) {
        if (std::fabs(Table[i]) > 1e-11)
            buffer[i] = static_cast<float>(buffer[i] / (Table[i] * factor));
    }
}

void TSmoothing::ComputeTable()
{
    if (!HasTable)
        return;
    TEngineWait wait;
    switch (Type) {
    case Bartlett: BartlettFill(); break;
    case Blackman: BlackmanFill(); break;
    case FlatTop: FlatTopFill(); break;
    case Hamming: HammingFill(); break;
    case Hanning: HanningFill(); break;
    case Kaiser: KaiserFill(); break;
    case Parzen: ParzenFill(); break;
    case Triangular: TriangularFill(); break;
    case Gaussian: GaussianFill(); break;
    default: break;  // Uniform: Apply and Remove skip the table
    }
    DeriveFactorsFromTable();
}

void TSmoothing::DeriveFactorsFromTable()
{
    double sum = 0.0;
    double sumSquares = 0.0;
    for (float c : Table) {
        sum += c;
        sumSquares += static_cast<double>(c) * c;
    }
    const double n = Length;
    DerivedAmplitude = sum > 0.0 ? n / sum : 1.0;
    DerivedEnergy = sumSquares > 0.0 ? std::sqrt(n / sumSquares) : 1.0;
}

// x in [-1, 1] across the window; a one-point window sits at its centre.
double TSmoothing::Position(uint32_t i) const
{
    if (Length < 2)
        return 0.0;
    return 2.0 * i / (Length - 1.0) - 1.0;
}

void TSmoothing::BartlettFill()
{
    for (uint32_t i = 0; i < Length; ++i)
        Table[i] = static_cast<float>(1.0 - std::fabs(Position(i)));
}

void TSmoothing::BlackmanFill()
{
    const double d = Length < 2 ? 0.0 : 8.0 * std::atan(1.0) / (Length - 1.0);
    for (uint32_t i = 0; i < Length; ++i)
        Table[i] = static_cast<float>(0.42 - 0.5 * std::cos(i * d) + 0.08 * std::cos(2.0 * i * d));
}

void TSmoothing::FlatTopFill()
{
    constexpr double a0 = 0.9994484, a1 = 0.955728, a2 = 0.539289, a3 = 0.091581;
    const uint32_t half = Length / 2;
    for (uint32_t i = 0; i < half; ++i) {
        const double w = kTwoPiFlatTop * i / Length;
        const float c = static_cast<float>(a0 + 2.0 * (a1 * std::cos(w) + a2 * std::cos(2.0 * w) + a3 * std::cos(3.0 * w)));
        Table[half + i] = c;
        Table[half - i] = c;
    }
    if (Length >= 2)
        Table[0] = Table[1];
    // An odd length leaves the last point: mirror its neighbour.
    if (Length % 2 == 1 && Length >= 3)
        Table[Length - 1] = Table[Length - 2];
}

void TSmoothing::HammingFill()
{
    for (uint32_t i = 0; i < Length; ++i)
        Table[i] = static_cast<float>(0.54 + 0.46 * std::cos(kPiShort * Position(i)));
}

void TSmoothing::HanningFill()
{
    for (uint32_t i = 0; i < Length; ++i)
        Table[i] = static_cast<float>(0.5 + 0.5 * std::cos(kPiShort * Position(i)));
}

void TSmoothing::KaiserFill()
{
    const uint32_t h = Length / 2;
    if (h == 0) {
        for (float& c : Table)
            c = 1.0f;
        return;
    }
    const double beta = kPiKaiser * KaiserParameter;
    for (uint32_t i = 0; i < Length; ++i) {
        const double r = (static_cast<double>(i) - h) / h;
        const double arg = 1.0 - r * r;
        Table[i] = static_cast<float>(BesselI0(beta * std::sqrt(arg > 0.0 ? arg : 0.0)));
    }
    const float centre = Table[h];
    for (float& c : Table)
        c /= centre;
}

void TSmoothing::ParzenFill()
{
    for (uint32_t i = 0; i < Length; ++i) {
        const double a = std::fabs(Position(i));
        const double c = a < 0.5 ? 1.0 - 6.0 * a * a + 6.0 * a * a * a : 2.0 * (1.0 - a) * (1.0 - a) * (1.0 - a);
        Table[i] = static_cast<float>(c);
    }
}

void TSmoothing::TriangularFill()
{
    if (Length < 2) {
        for (float& c : Table)
            c = 1.0f;
        return;
    }
    const double d = 2.0 / (Length - 1.0);
    const uint32_t m = (Length - 1) / 2;
    for (uint32_t i = 0; i < Length; ++i)
        Table[i] = static_cast<float>(i < m ? i * d : 2.0 - i * d);
}

void TSmoothing::GaussianFill()
{
    const uint32_t h = Length / 2;
    for (uint32_t i = 0; i < h; ++i) {
        const double t = 5.0 * (static_cast<double>(h) - i) / h;
        const float c = static_cast<float>(std::exp(-0.5 * t * t));
        Table[i] = c;
        Table[Length - 1 - i] = c;
    }
    // An odd length leaves the centre: the curve's peak.
    if (Length % 2 == 1)
        Table[h] = 1.0f;
}
