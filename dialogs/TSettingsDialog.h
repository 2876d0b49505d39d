#pragma once
#include <cstdint>
#include <memory>
#include "dialogs/TProcessingSettingsForm.h"
#include "engine/AnalysisSettingsStruct.h"
#include "engine/TWaveFormat.h"
#include "framework/TDialog.h"

class LimitScroll;
class TComboBox;
class TDialogHost;
class TEdit;
class TSoundInput;

// "Processing Settings": rate, format, FFT size, decimation, window,
// averaging, peak hold, overlap, channel processing, delay and overload
// detection of the record it is given (the main window's working copy),
// with three read-outs of what the fields on screen give. OK stores each
// field as its check passes and closes when all pass. The input device is
// asked which rates and formats it takes.
class TSettingsDialog : public TDialog {
public:
    enum : int {
        PeakHoldId = 101, StereoId = 103, MonoId = 104, DecimationSpinId = 105, DecimationId = 106,
        FftSizeId = 107, ResolutionId = 109, Bits16Id = 111, Bits8Id = 112, LimitId = 115, DefaultsId = 116,
        OverlapId = 130, OverlapSpinId = 131, TimeId = 132, WindowId = 133, ChannelProcessingId = 137,
        DelayId = 138, DelaySpinId = 139, LeftDelayId = 140, RightDelayId = 141, OverloadId = 142,
        ExcludeId = 143, Bits24Id = 145, RateId = 146, LowPassId = 147, IndependentId = 148,
        AverageModeId = 150, AverageTypeId = 151, SpeedId = 152, HelpId = 183,
    };
    static constexpr int HelpContext = 240;
    static constexpr const char* RateQuestion =
        "The sound card may not directly support the selected sampling rate.  Do you want to continue anyway?";

    TSettingsDialog(TWindow* parent, TDialogHost& host, TResId templateName, AnalysisSettingsStruct* settings,
                    bool formatLocked, uint16_t inputDevice);
    ~TSettingsDialog() override;

    void SetupWindow() override;
    void UpdateReadouts();
    void CmOk() override;
    void CmDefaults();
    void CmHelp();

    void EvRate(UINT code);
    void EvFftSize(UINT code);
    void EvDecimation(UINT code);
    void EvOverlap(UINT code);
    void EvMono(UINT code);
    void EvStereo(UINT code);
    void EvAveragingMode(UINT code);

protected:
    // What the input device takes; the dialog asks nothing else of it.
    virtual bool InputAccepts(uint32_t rate, uint16_t bytesPerSample, uint16_t channels);
    virtual TWaveFormat InputLargestFormat();

private:
    void FillRates();
    void FillLists();
    void FillAveragingSpeeds();
    void ShowFormat();
    void EnableStereoControls(bool stereo);
    bool StoreFormat();
    TProcessingSettingsForm::TFields ReadFields() const;
    std::string FieldText(int id) const;

    TDialogHost& Host;
    AnalysisSettingsStruct* Settings;
    bool FormatLocked;
    std::unique_ptr<TSoundInput> Input;
    std::unique_ptr<TComboBox> Rates, FftSizes, Windows, ChannelModes, AverageModes, AverageTypes, Speeds, PeakHolds;
    std::unique_ptr<TEdit> Decimation, Overlap, Delay;
    std::unique_ptr<LimitScroll> DecimationSpin, OverlapSpin, DelaySpin;

    DECLARE_RESPONSE_TABLE(TSettingsDialog);
};
