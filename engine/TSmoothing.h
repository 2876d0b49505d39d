#pragma once
#include <cstdint>
#include <vector>

// Coefficient table of one FFT window (taper) with the correction factors
// that make windowed spectra read true amplitudes or true energies.
class TSmoothing {
public:
    enum WindowType : uint16_t {
        Bartlett = 0,
        Blackman = 1,
        FlatTop = 2,
        Hamming = 3,
        Hanning = 4,
        Kaiser = 5,
        Parzen = 6,
        Triangular = 7,
        Uniform = 8,
        Gaussian = 9,
    };
    static constexpr uint16_t WindowCount = 10;
    // Longest window name, without the terminating zero.
    static constexpr int NameLength = 12;

    TSmoothing(uint32_t length, uint16_t windowType);

    void SetLength(uint32_t length);
    void SetWindowType(uint16_t windowType);
    void SetLengthAndType(uint32_t length, uint16_t windowType);
    void SetKaiserParameter(float alpha);

    uint32_t GetLength() const { return Length; }
    uint16_t GetWindowType() const { return Type; }
    static uint16_t GetWindowCount() { return WindowCount; }
    static bool IsValidWindowType(uint16_t windowType) { return windowType < WindowCount; }
    // Copies the type's name (at most NameLength characters and a zero) into
    // buffer, which holds NameLength + 1; an unknown type gives "".
    static void GetWindowName(uint16_t windowType, char* buffer);

    // Mode 0 gives 1.0, mode 1 the amplitude and mode 2 the energy correction.
    double CorrectionFactor(int mode) const;

    // Windows Length samples in place. Scale modes 0 and 1 (narrowband) use the
    // amplitude correction, 2 (octave bands) or a non-zero PSD flag the energy
    // correction, any other mode none.
    void Apply(float* buffer, uint16_t scaleMode, uint32_t psdFlag) const;
    // Undoes Apply without the PSD flag; near-zero coefficients leave samples as they are.
    void Remove(float* buffer, uint16_t scaleMode) const;

    const float* Coefficients() const { return HasTable ? Table.data() : nullptr; }
    uint32_t Error = 0;

private:
    bool Validate(uint16_t windowType);
    void Allocate();
    void ComputeTable();
    void DeriveFactorsFromTable();
    double ScaleFactor(uint16_t scaleMode, uint32_t psdFlag) const;

    void BartlettFill();
    void BlackmanFill();
    void FlatTopFill();
    void HammingFill();
    void HanningFill();
    void KaiserFill();
    void ParzenFill();
    void TriangularFill();
    void GaussianFill();
    double Position(uint32_t i) const;

    uint32_t Length = 0;
    uint16_t Type = Hanning;
    std::vector<float> Table;
    bool HasTable = false;
    float KaiserParameter = 5.0f;
    // Factors of the windows whose corrections follow from their own table.
    double DerivedAmplitude = 1.0;
    double DerivedEnergy = 1.0;
};

// Modified Bessel function of the first kind, order 0, by its power series.
double BesselI0(double x);
