#include "dialogs/TThdFreqOptsForm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

float Number(const std::string& text) { return float(std::strtod(text.c_str(), nullptr)); }

bool Within(float value, double low, double high) { return value >= low && value <= high; }

std::string Formatted(const char* format, double value)
{
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void CopyName(const std::string& name, char (&field)[260])
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, name.data(), std::min(name.size(), size_t(TThdFreqOptsForm::FileNameLength)));
}

}

TThdFreqOptsForm::TOutcome TThdFreqOptsForm::Store(const TFields& f, THDFreqSettings& record, int halfRate)
{
    constexpr double smallestPercent = 9e-6;
    const float top = Number(f.PlotTop), bottom = Number(f.PlotBottom);
    const float levelL = Number(f.SignalLevelL), levelR = Number(f.SignalLevelR);
    const float step = Number(f.StepSize), start = Number(f.StartFreq), stop = Number(f.StopFreq);
    const int stepType = f.StepType == LinearSteps || f.StepType == OctaveSteps ? f.StepType : record.StepType;

    if (!Within(top, smallestPercent, 100.0)) return {false, "Plot Top must be between 0.00001 and 100 percent"};
    if (!Within(bottom, smallestPercent, 100.0))
        return {false, "Plot Bottom must be between 0.00001 and 100 percent"};
    if (!(bottom < top)) return {false, "Plot Bottom must be less than the Plot Top"};
    for (float level : {levelL, levelR})
        if (!Within(level, -100.0, 0.0)) return {false, "The Signal level must be between 0.0 and -100 dBfs"};
    if (stepType == LinearSteps && !(step > 0.0f && std::isfinite(step)))
        return {false, "The Step Size must be greater than zero.", "Tonalyx"};
    if (!(start >= 9.99f && std::isfinite(start)))
        return {false, "Start Frequency cannot be less than 10 Hz.", "Tonalyx"};
    if (!(start <= stop)) return {false, "Start Frequency must be less than the stop frequency.", "Tonalyx"};
    if (!(stop <= float(halfRate)))
        return {false,
                Formatted("Stop Frequency must be less than %6.2f Hz (one half of the sampling rate).",
                          double(halfRate)),
                "Tonalyx"};

    THDFreqSettings copy = record;
    copy.PlotTop = top;
    copy.PlotBottom = bottom;
    copy.SignalLevelL = levelL;
    copy.SignalLevelR = levelR;
    copy.StartFreq = start;
    copy.StopFreq = stop;
    // Octave steps leave the step size unchecked; a size that is no finite number is not kept.
    if (std::isfinite(step)) copy.StepSizeHz = step;
    copy.StepType = stepType;
    if (f.Channels == 0 || f.Channels == 1) copy.NumChannels = f.Channels + 1;
    if (f.Weighting >= 0 && f.Weighting <= 3) copy.StandardWeighting = uint16_t(f.Weighting);
    if (f.AmpScale == 0 || f.AmpScale == 1) copy.AmpScaleType = uint16_t(f.AmpScale);
    if (f.FreqScale == 0 || f.FreqScale == 1) copy.FreqScaleType = uint16_t(f.FreqScale);
    if (f.Octave >= 0 && f.Octave < OctaveCount) copy.OctaveNumber = OctaveNumbers[f.Octave];
    copy.LimitEnableL = f.LimitEnableL ? 1 : 0;
    copy.LimitEnableR = f.LimitEnableR ? 1 : 0;
    copy.PromptToSave = f.PromptToSave ? 1 : 0;
    CopyName(f.LimitFileL, copy.LimitFilenameL);
    CopyName(f.LimitFileR, copy.LimitFilenameR);
    record = copy;
    return {true, {}};
}

TThdFreqOptsForm::TFields TThdFreqOptsForm::FieldsOf(const THDFreqSettings& r)
{
    TFields f;
    f.PlotTop = Formatted("%6.4f", double(r.PlotTop));
    f.PlotBottom = Formatted("%6.5f", double(r.PlotBottom));
    f.StartFreq = Formatted("%6.2f", double(r.StartFreq));
    f.StopFreq = Formatted("%6.2f", double(r.StopFreq));
    f.SignalLevelL = Formatted("%6.1f", double(r.SignalLevelL));
    f.SignalLevelR = Formatted("%6.1f", double(r.SignalLevelR));
    f.StepSize = Formatted("%6.2f", double(r.StepSizeHz));
    f.Channels = r.NumChannels == 2 ? 1 : 0;
    f.StepType = r.StepType;
    for (int i = 0; i < OctaveCount; ++i)
        if (OctaveNumbers[i] == r.OctaveNumber) f.Octave = i;
    f.Weighting = r.StandardWeighting;
    f.AmpScale = r.AmpScaleType;
    f.FreqScale = r.FreqScaleType;
    f.LimitEnableL = r.LimitEnableL != 0;
    f.LimitEnableR = r.LimitEnableR != 0;
    f.PromptToSave = r.PromptToSave != 0;
    f.LimitFileL.assign(r.LimitFilenameL, strnlen(r.LimitFilenameL, sizeof r.LimitFilenameL));
    f.LimitFileR.assign(r.LimitFilenameR, strnlen(r.LimitFilenameR, sizeof r.LimitFilenameR));
    return f;
}

TThdFreqOptsForm::TFields TThdFreqOptsForm::Defaults()
{
    THDFreqSettings defaults;
    defaults.StepType = OctaveSteps;
    defaults.LimitEnableL = defaults.LimitEnableR = 0;
    return FieldsOf(defaults);
}
