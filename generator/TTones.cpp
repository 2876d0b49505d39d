#include "generator/TTones.h"

#include <cmath>

#include "generator/TSignalParamRules.h"
#include "resources/TonesRes.h"

namespace {
// Row i's controls.
constexpr int EnableId = IDC_TONES_ENABLE, FrequencyId = IDC_TONES_FREQUENCY,
    FrequencySpinId = IDC_TONES_FREQUENCY_SPIN, LevelId = IDC_TONES_LEVEL, LevelSpinId = IDC_TONES_LEVEL_SPIN;
}

TTones::TTones(TWindow* parent, const char* resource, ToneParams* tones, int32_t nyquist, HFONT font,
               const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 530), Tones(tones), Nyquist(nyquist)
{
    for (int i = 0; i < SignalParams::ToneCount; ++i) {
        FrequencyEdits[i] = std::make_unique<TEdit>(this, FrequencyId + i, 20);
        LevelEdits[i] = std::make_unique<TEdit>(this, LevelId + i, 20);
        FrequencySpins[i] = std::make_unique<LimitScroll>(this, FrequencySpinId + i, nullptr, FrequencyEdits[i].get(),
                                                          float(nyquist), 0.0f, 100.0f);
        LevelSpins[i] = std::make_unique<LimitScroll>(this, LevelSpinId + i, nullptr, LevelEdits[i].get(), 0.0f,
                                                      TSignalParamRules::MinToneDb, 1.0f);
    }
}

void TTones::SetupWindow()
{
    TSignalDialog::SetupWindow();
    for (int i = 0; i < SignalParams::ToneCount; ++i) {
        CheckItem(EnableId + i, Tones[i].ToneEnable == 1 ? BST_CHECKED : BST_UNCHECKED);
        WriteReal(FrequencyId + i, "%6.2f", Tones[i].FreqHz);
        WriteReal(LevelId + i, "%2.2f", Tones[i].PwrDB);
    }
}

void TTones::CmOk()
{
    ToneParams edited[SignalParams::ToneCount];
    for (int i = 0; i < SignalParams::ToneCount; ++i) {
        const bool on = IsChecked(EnableId + i);
        const float frequency = ReadReal(FrequencyId + i), level = ReadReal(LevelId + i);
        if (!Accept(TSignalParamRules::Tone(on, frequency, level, Nyquist))) return;
        edited[i] = {on ? 1 : 0, frequency, level, float(std::pow(10.0, 0.05 * level))};
    }
    for (int i = 0; i < SignalParams::ToneCount; ++i) Tones[i] = edited[i];
    TSignalDialog::CmOk();
}
