// The settings and device dialogs with the devices Wine offers on the
// PulseAudio null sink.
#include <windows.h>
#include <mmsystem.h>
#include <string>
#include <vector>
#include "dialogs/TDeviceDialog.h"
#include "dialogs/TSettingsDialog.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/shell/sound/NullSinkTone.h"

namespace {

using D = TDeviceDialog;

std::vector<std::string> DeviceNames(bool input)
{
    std::vector<std::string> names;
    const UINT count = input ? ::waveInGetNumDevs() : ::waveOutGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        if (input) {
            WAVEINCAPSA caps{};
            ::waveInGetDevCapsA(i, &caps, sizeof caps);
            names.push_back(caps.szPname);
        } else {
            WAVEOUTCAPSA caps{};
            ::waveOutGetDevCapsA(i, &caps, sizeof caps);
            names.push_back(caps.szPname);
        }
    }
    return names;
}

// The device dialog with its launches recorded and the Windows version set.
class TRecordingDeviceDialog : public TDeviceDialog {
public:
    using TDeviceDialog::TDeviceDialog;
    uint32_t Platform = 2, Major = 10;
    std::vector<std::string> Launched;

protected:
    void GetWindowsVersion(uint32_t& platform, uint32_t& major) override
    {
        platform = Platform;
        major = Major;
    }
    void Launch(const std::string& commandLine) override { Launched.push_back(commandLine); }
};

class NullSinkDialogs : public DialogTest {
protected:
    uint32_t MonitorId = FindSoundDevice(true, "Monitor of Null Output");
    uint32_t NullId = FindSoundDevice(false, "Null Output");
    void SetUp() override
    {
        DialogTest::SetUp();
        ASSERT_NE(MonitorId, TSoundPort::NoDevice);
        ASSERT_NE(NullId, TSoundPort::NoDevice);
    }
};

}

// The list holds the rates the device takes as 16-bit mono, asked here of
// the driver itself, then the stored rate.
TEST_F(NullSinkDialogs, RateListHoldsTheRatesTheDeviceTakes)
{
    std::vector<std::string> accepted;
    for (uint32_t rate : TProcessingSettingsForm::Rates) {
        WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, rate, rate * 2, 2, 16, 0};
        if (::waveInOpen(nullptr, MonitorId, &f, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR)
            accepted.push_back(std::to_string(rate));
    }
    std::printf("Rates the null sink's monitor takes (16-bit mono): %zu of %d\n", accepted.size(),
                TProcessingSettingsForm::RateCount);
    accepted.push_back("37000");
    AnalysisSettingsStruct record;
    record.Format.SamplingRate = 37000;
    TSettingsDialog d(&Owner, Main, "DIALOG_SETTINGS", &record, false, uint16_t(MonitorId));
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Entries(d, TSettingsDialog::RateId), accepted);
    EXPECT_EQ(Control::Text(d, TSettingsDialog::RateId), "37000");
    // The monitor is a stereo device that takes 24-bit data.
    EXPECT_TRUE(Control::Enabled(d, TSettingsDialog::StereoId));
    EXPECT_TRUE(Control::Enabled(d, TSettingsDialog::Bits24Id));
    d.Destroy();
}

TEST_F(NullSinkDialogs, DeviceListsShowWinesDevices)
{
    const std::vector<std::string> inputs = DeviceNames(true), outputs = DeviceNames(false);
    for (const std::string& name : inputs) std::printf("Input device: %s\n", name.c_str());
    for (const std::string& name : outputs) std::printf("Output device: %s\n", name.c_str());
    int32_t input = 0, output = 0;
    TRecordingDeviceDialog d(&Owner, Main, "DIALOG_DEVICE", &input, &output);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Entries(d, D::InputListId), inputs);
    EXPECT_EQ(Control::Entries(d, D::OutputListId), outputs);
    EXPECT_EQ(Control::Entry(d, D::InputListId, int(MonitorId)), "Monitor of Null Output");
    EXPECT_EQ(Control::Entry(d, D::OutputListId, int(NullId)), "Null Output");
    Control::Choose(d, D::InputListId, int(MonitorId));
    Control::Choose(d, D::OutputListId, int(NullId));
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(input, int32_t(MonitorId));
    EXPECT_EQ(output, int32_t(NullId));
}

// The details of the devices chosen on screen, against the driver's caps.
TEST_F(NullSinkDialogs, DoubleClickShowsTheChosenDevicesCaps)
{
    int32_t input = 0, output = 0;
    TRecordingDeviceDialog d(&Owner, Main, "DIALOG_DEVICE", &input, &output);
    ASSERT_TRUE(d.Create());
    Control::Choose(d, D::InputListId, int(MonitorId));
    Control::Choose(d, D::OutputListId, int(NullId));
    Boxes().Messages.clear();
    d.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    WAVEINCAPSA in{};
    WAVEOUTCAPSA out{};
    ::waveInGetDevCapsA(MonitorId, &in, sizeof in);
    ::waveOutGetDevCapsA(NullId, &out, sizeof out);
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "Input Device Information:\r   Device Name = %s\r   Manufacturer ID = %d\r   Product ID = %d\r"
                  "   Driver Version = %d\r\rOutput Device Information:\r   Device Name = %s\r"
                  "   Manufacturer ID = %d\r   Product ID = %d\r   Driver Version = %d",
                  in.szPname, in.wMid, in.wPid, int(in.vDriverVersion), out.szPname, out.wMid, out.wPid,
                  int(out.vDriverVersion));
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text, expected);
    EXPECT_EQ(Boxes().Messages[0].Caption, "Device Details");
    EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_OK));
    EXPECT_EQ(input, 0);
    d.Destroy();
}

// Windows 6 on opens the control panel's page; older versions close an
// open volume control with WM_CLOSE before starting it at the device.
TEST_F(NullSinkDialogs, MixerButtonsLaunchTheMixerForTheChosenDevice)
{
    int32_t input = 0, output = 0;
    TRecordingDeviceDialog d(&Owner, Main, "DIALOG_DEVICE", &input, &output);
    ASSERT_TRUE(d.Create());
    Control::Choose(d, D::InputListId, int(MonitorId));
    Control::Choose(d, D::OutputListId, int(NullId));
    Control::Press(d, D::InputMixerId);
    Control::Press(d, D::OutputMixerId);
    d.Major = 6;
    Control::Press(d, D::InputMixerId);

    static bool closeSeen;
    closeSeen = false;
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
        if (msg == WM_CLOSE) closeSeen = true;
        return ::DefWindowProcA(h, msg, w, l);
    };
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "Volume Control";
    ::RegisterClassA(&wc);
    HWND mixer = ::CreateWindowA("Volume Control", "Volume Control", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ASSERT_NE(mixer, nullptr);
    d.Major = 5;
    Control::Press(d, D::OutputMixerId);
    EXPECT_TRUE(closeSeen);
    const std::vector<std::string> expected = {
        "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,1",
        "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,0",
        "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,1",
        "SNDVOL32.EXE /p /d=" + std::to_string(NullId),
    };
    EXPECT_EQ(d.Launched, expected);
    ExpectHelp(d, D::HelpId, 410);
    ::DestroyWindow(mixer);
    d.Destroy();
}

// With no sound server no device is listed: OK keeps both stored indices.
TEST_F(DialogTest, DISABLED_DevicesWithoutAServerKeepTheirIndices)
{
    ASSERT_EQ(::waveInGetNumDevs(), 0u);
    int32_t input = 3, output = 2;
    TDeviceDialog d(&Owner, Main, "DIALOG_DEVICE", &input, &output);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Count(d, D::InputListId), 0);
    EXPECT_EQ(Control::Count(d, D::OutputListId), 0);
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(input, 3);
    EXPECT_EQ(output, 2);
}
