#pragma once
#include <cstdint>
#include <memory>
#include "dialogs/TProcessingSettingsForm.h"
#include "engine/AnalysisSettingsStruct.h"
#include "engine/TWaveFormat.h"
#include "framework/TDialog.h"
#include "resources/SettingsDialogRes.h"

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
        PeakHoldId = IDC_SETTINGS_PEAK_HOLD, StereoId = IDC_SETTINGS_STEREO, MonoId = IDC_SETTINGS_MONO,
        DecimationSpinId = IDC_SETTINGS_DECIMATION_SPIN, DecimationId = IDC_SETTINGS_DECIMATION,
        FftSizeId = IDC_SETTINGS_FFT_SIZE, ResolutionId = IDC_SETTINGS_RESOLUTION, Bits16Id = IDC_SETTINGS_BITS16,
        Bits8Id = IDC_SETTINGS_BITS8, LimitId = IDC_SETTINGS_LIMIT, DefaultsId = IDC_SETTINGS_DEFAULTS,
        OverlapId = IDC_SETTINGS_OVERLAP, OverlapSpinId = IDC_SETTINGS_OVERLAP_SPIN, TimeId = IDC_SETTINGS_TIME,
        WindowId = IDC_SETTINGS_WINDOW, ChannelProcessingId = IDC_SETTINGS_CHANNEL_PROCESSING,
        DelayId = IDC_SETTINGS_DELAY, DelaySpinId = IDC_SETTINGS_DELAY_SPIN, LeftDelayId = IDC_SETTINGS_LEFT_DELAY,
        RightDelayId = IDC_SETTINGS_RIGHT_DELAY, OverloadId = IDC_SETTINGS_OVERLOAD,
        ExcludeId = IDC_SETTINGS_EXCLUDE, Bits24Id = IDC_SETTINGS_BITS24, RateId = IDC_SETTINGS_RATE,
        LowPassId = IDC_SETTINGS_LOW_PASS, IndependentId = IDC_SETTINGS_INDEPENDENT,
        AverageModeId = IDC_SETTINGS_AVERAGE_MODE, AverageTypeId = IDC_SETTINGS_AVERAGE_TYPE,
        SpeedId = IDC_SETTINGS_SPEED, HelpId = IDC_SETTINGS_HELP,
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
