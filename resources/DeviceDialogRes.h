#pragma once
// Control ids of the "Device Selection" dialog: read by its template (DIALOG_DEVICE) and by TDeviceDialog.

#define IDC_DEVICE_INPUT_LIST 150
#define IDC_DEVICE_OUTPUT_LIST 151
#define IDC_DEVICE_OUTPUT_MIXER 160
#define IDC_DEVICE_INPUT_MIXER 161
#define IDC_DEVICE_HELP 183
