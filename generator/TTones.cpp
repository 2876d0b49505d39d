#include "generator/TTones.h"

#include <algorithm>
#include <cmath>

#include "generator/TSignalParamRules.h"
#include "resources/TonesRes.h"

namespace {
// Row i's controls.
constexpr int EnableId = IDC_TONES_ENABLE, FrequencyId = IDC_TONES_FREQUENCY,
    FrequencySpinId = IDC_TONES_FREQUENCY_SPIN, LevelId = IDC_TONES_LEVEL, LevelSpinId = IDC_TONES_LEVEL_SPIN;
}

const TDialogBinding<TTones::TRows>& TTones::Binding()
{
    static const TDialogBinding<TRows> binding = [] {
        TDialogBinding<TRows> b;
        for (int i = 0; i < SignalParams::ToneCount; ++i)
            b.Check(EnableId + i, [i](auto& tones) -> auto& { return tones[i].ToneEnable; }, true)
                .Number(FrequencyId + i, [i](auto& tones) -> auto& { return tones[i].FreqHz; }, "%6.2f", NumberLength,
                        RealText)
                .Number(LevelId + i, [i](auto& tones) -> auto& { return tones[i].PwrDB; }, "%2.2f", NumberLength,
                        RealText);
        return b;
    }();
    return binding;
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
    TRows shown;
    std::copy_n(Tones, SignalParams::ToneCount, shown);
    Binding().Fill(*this, shown);
}

void TTones::CmOk()
{
    TRows edited;
    std::copy_n(Tones, SignalParams::ToneCount, edited);
    Binding().Collect(*this, edited);
    for (ToneParams& tone : edited) {
        if (!Accept(TSignalParamRules::Tone(tone.ToneEnable == 1, tone.FreqHz, tone.PwrDB, Nyquist))) return;
        tone.Amplitude = float(std::pow(10.0, 0.05 * tone.PwrDB));
    }
    std::copy_n(edited, SignalParams::ToneCount, Tones);
    TSignalDialog::CmOk();
}
