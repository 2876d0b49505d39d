#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include "framework/TDialog.h"
#include "resources/DeviceDialogRes.h"

class TComboBox;
class TDialogHost;

// "Device Selection": the sound card's input and output devices by name,
// the system mixer for either, and on a double click the two chosen
// devices' identification. OK stores the chosen indices; a kind without
// devices keeps its index.
class TDeviceDialog : public TDialog {
public:
    enum : int { InputListId = IDC_DEVICE_INPUT_LIST, OutputListId = IDC_DEVICE_OUTPUT_LIST,
    OutputMixerId = IDC_DEVICE_OUTPUT_MIXER, InputMixerId = IDC_DEVICE_INPUT_MIXER, HelpId = IDC_DEVICE_HELP };
    static constexpr int HelpContext = 410;
    static constexpr uint32_t MaxListedDevices = 64;
    static constexpr const char* DetailsCaption = "Device Details";

    TDeviceDialog(TWindow* parent, TDialogHost& host, TResId templateName, int32_t* inputDevice,
                  int32_t* outputDevice);
    ~TDeviceDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmInputMixer(UINT code);
    void CmOutputMixer(UINT code);
    void EvLButtonDblClk(UINT modKeys, const TPoint& point);
    void CmHelp();

    // The text of the details box for two devices.
    static std::string DetailsText(uint32_t inputDevice, uint32_t outputDevice);

protected:
    // Seams over the platform: the Windows version, the old volume control's
    // window and the program launch.
    virtual void GetWindowsVersion(uint32_t& platformId, uint32_t& majorVersion);
    virtual void CloseVolumeControl();
    virtual void Launch(const std::string& commandLine);

private:
    void OpenMixer(bool input);

    TDialogHost& Host;
    int32_t* InputDevice;
    int32_t* OutputDevice;
    std::unique_ptr<TComboBox> Inputs, Outputs;

    DECLARE_RESPONSE_TABLE(TDeviceDialog);
};
