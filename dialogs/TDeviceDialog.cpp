#include "dialogs/TDeviceDialog.h"

#include <mmsystem.h>
#include <algorithm>
#include <cstdio>
#include "dialogs/TDialogHost.h"
#include "dialogs/TMixerCommand.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "framework/TComboBox.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TDeviceDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES(TDeviceDialog::InputMixerId, CmInputMixer)
    EV_CHILD_NOTIFY_ALL_CODES(TDeviceDialog::OutputMixerId, CmOutputMixer)
    EV_WM_LBUTTONDBLCLK
    EV_COMMAND(TDeviceDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

template <class Port> std::string DeviceName(uint32_t device)
{
    Port port(device);
    char name[33] = {};
    port.GetDeviceCaps(name);
    return name;
}

}

TDeviceDialog::TDeviceDialog(TWindow* parent, TDialogHost& host, TResId templateName, int32_t* inputDevice,
                             int32_t* outputDevice)
    : TDialog(parent, templateName), Host(host), InputDevice(inputDevice), OutputDevice(outputDevice),
      Inputs(std::make_unique<TComboBox>(this, InputListId)), Outputs(std::make_unique<TComboBox>(this, OutputListId))
{
}

TDeviceDialog::~TDeviceDialog() = default;

void TDeviceDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    const uint32_t inputs = std::min<uint32_t>(::waveInGetNumDevs(), MaxListedDevices);
    const uint32_t outputs = std::min<uint32_t>(::waveOutGetNumDevs(), MaxListedDevices);
    if (inputs == 1) *InputDevice = 0;
    if (outputs == 1) *OutputDevice = 0;
    for (uint32_t i = 0; i < inputs; ++i) Inputs->AddString(DeviceName<TSoundInput>(i).c_str());
    for (uint32_t i = 0; i < outputs; ++i) Outputs->AddString(DeviceName<TSoundOutput>(i).c_str());
    Inputs->SetSelIndex(*InputDevice);
    Outputs->SetSelIndex(*OutputDevice);
}

// An empty list has no choice to store: the index stays.
void TDeviceDialog::CmOk()
{
    if (Inputs->GetSelIndex() >= 0) *InputDevice = Inputs->GetSelIndex();
    if (Outputs->GetSelIndex() >= 0) *OutputDevice = Outputs->GetSelIndex();
    TDialog::CmOk();
}

void TDeviceDialog::GetWindowsVersion(uint32_t& platformId, uint32_t& majorVersion)
{
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&v);
#pragma GCC diagnostic pop
    platformId = v.dwPlatformId;
    majorVersion = v.dwMajorVersion;
}

// WM_CLOSE lets the volume control end as its own Close would.
void TDeviceDialog::CloseVolumeControl()
{
    if (HWND mixer = ::FindWindowA(TMixerCommand::VolumeControlClass, nullptr)) {
        ::SendMessageA(mixer, WM_CLOSE, 0, 0);
        ::Sleep(TMixerCommand::CloseWait);
    }
}

void TDeviceDialog::Launch(const std::string& commandLine) { ::WinExec(commandLine.c_str(), SW_SHOWNORMAL); }

void TDeviceDialog::OpenMixer(bool input)
{
    uint32_t platform = 0, major = 0;
    GetWindowsVersion(platform, major);
    const TMixerCommand command =
        TMixerCommand::For(input, (input ? Inputs : Outputs)->GetSelIndex(), platform, major);
    if (command.CloseVolumeControl) CloseVolumeControl();
    Launch(command.CommandLine);
}

void TDeviceDialog::CmInputMixer(UINT code)
{
    if (code == BN_CLICKED) OpenMixer(true);
}

void TDeviceDialog::CmOutputMixer(UINT code)
{
    if (code == BN_CLICKED) OpenMixer(false);
}

std::string TDeviceDialog::DetailsText(uint32_t inputDevice, uint32_t outputDevice)
{
    TSoundInput input(inputDevice);
    TSoundOutput output(outputDevice);
    char inputName[33] = {}, outputName[33] = {};
    input.GetDeviceCaps(inputName);
    output.GetDeviceCaps(outputName);
    char text[512];
    std::snprintf(text, sizeof text,
                  "Input Device Information:\r   Device Name = %s\r   Manufacturer ID = %d\r   Product ID = %d\r"
                  "   Driver Version = %d\r\rOutput Device Information:\r   Device Name = %s\r   Manufacturer ID = %d\r"
                  "   Product ID = %d\r   Driver Version = %d",
                  inputName, int(input.GetManufacturerId()), int(input.GetProductId()),
                  int(input.GetDriverVersion()), outputName, int(output.GetManufacturerId()),
                  int(output.GetProductId()), int(output.GetDriverVersion()));
    return text;
}

// The devices chosen on screen, which need not be the stored ones.
void TDeviceDialog::EvLButtonDblClk(UINT, const TPoint&)
{
    MessageBox(DetailsText(uint32_t(Inputs->GetSelIndex()), uint32_t(Outputs->GetSelIndex())).c_str(),
               DetailsCaption, MB_OK);
}

void TDeviceDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
