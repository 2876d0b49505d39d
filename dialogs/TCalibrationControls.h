#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include "dialogs/TCalibrationForm.h"

struct CalibrationChannel;
struct CalibrationStruct;
class TCalibrationHost;
class TDialog;
class TWaveData;

// One channel's calibration controls in a dialog, by id, and what both
// calibration dialogs do with them: show a block, read it back, keep the
// conversion list and the labels in step with the unit, and the steps of a
// measurement and of the file commands that both dialogs share.
class TCalibrationControls {
public:
    struct TIds {
        int Level, LevelType, Units, Conversion, Linear, Log, LabelType, Detected, Enable, Name;
    };

    TCalibrationControls(TDialog& dialog, const TIds& ids) : Dialog(dialog), Ids(ids) {}

    // Fills the lists and shows the block.
    void Show(const CalibrationChannel& block);
    void Show(const TCalibrationForm::TEntry& entry);
    // Conversion list of the selected unit, selecting the entry of code.
    void FillConversionList(uint32_t conversion);
    // Labels of the selected unit, conversion and display type; nothing
    // changes while no display type is selected.
    void UpdateLabels();
    TCalibrationForm::TEntry Read() const;
    // The controls into block; false, with the negative-level message and
    // nothing stored, when the level is refused.
    bool Store(CalibrationChannel& block) const;
    void ShowDetected(float level);
    void SetEnabled(bool enabled);
    const TIds& Id() const { return Ids; }

    // The messages of a measurement, overload first; true when neither applies.
    static bool ReportMeasured(TDialog& dialog, bool overloaded, bool tooLow);
    // The wave file the user picks, held whole in memory; null after
    // Cancel, and after its message when it cannot be used.
    static std::unique_ptr<TWaveData> OpenWaveFile(TDialog& dialog, TCalibrationHost& host);
    // The file dialogs of Load and Save; the chosen path, empty after Cancel.
    static std::string ChooseLoadFile(TCalibrationHost& host);
    static std::string ChooseSaveFile(TCalibrationHost& host, const CalibrationStruct& record);

private:
    uint32_t SelectedUnit() const;

    TDialog& Dialog;
    TIds Ids;
};
