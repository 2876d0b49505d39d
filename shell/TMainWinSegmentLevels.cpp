// The level readouts of the selected segment: RMS level, crest factor and
// PSI time level, each shown in the results box.
#include "shell/TMainWin.h"

#include <string>

#include "base/TEngineHost.h"
#include "dialogs/TCalculatedResultsDialog.h"
#include "engine/TSegmentLevels.h"
#include "engine/TWaveFile.h"

bool TMainWin::SelectedWaveSegment(float& start, float& end)
{
    start = end = 0.0f;
    return GetSelectedSegment(start, end) && WaveFile;
}

void TMainWin::ShowCalculatedResults(const char* caption, const std::string& text)
{
    TCalculatedResultsDialog dialog(this, caption, text.c_str());
    ExecuteDialog(dialog);
}

void TMainWin::RmsLevelOfSegment()
{
    float start, end;
    if (!SelectedWaveSegment(start, end))
        return;
    std::string text;
    {
        TEngineWait wait;
        const TSegmentLevels levels(*WaveFile, start, end);
        text = levels.RmsText(Calibration, [this](int c, float level) { return LevelToDisplayUnits(uint16_t(c), level); });
    }
    ShowCalculatedResults("RMS Level", text);
}

void TMainWin::CrestFactor()
{
    float start, end;
    if (!SelectedWaveSegment(start, end))
        return;
    std::string text;
    {
        TEngineWait wait;
        text = TSegmentLevels(*WaveFile, start, end).CrestText();
    }
    ShowCalculatedResults("Crest Factor", text);
}

void TMainWin::PsiTimeLevel()
{
    float start, end;
    if (!SelectedWaveSegment(start, end))
        return;
    if (!TSegmentLevels::IsPressureCalibrated(Calibration.Left)) {
        MessageBox("The analyzer must be calibrated to SPL or Pascals to use this function.", "Tonalyx", MB_OK);
        return;
    }
    std::string text;
    {
        TEngineWait wait;
        const TSegmentLevels levels(*WaveFile, start, end);
        text = levels.PsiText([this](int c, float level) { return LevelToDisplayUnits(uint16_t(c), level); });
    }
    ShowCalculatedResults("PSI Time Level", text);
}
