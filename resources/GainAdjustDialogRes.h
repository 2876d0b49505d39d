#pragma once
// Control ids of the "Gain Adjust" dialog: read by its template (DIALOG_GAIN_ADJUST) and by
// TGainAdjustDialog.

#define IDC_GAIN_ADJUST_LEFT 101
#define IDC_GAIN_ADJUST_LEFT_SPIN 102
#define IDC_GAIN_ADJUST_RIGHT 103
#define IDC_GAIN_ADJUST_RIGHT_SPIN 104
#define IDC_GAIN_ADJUST_HELP 183
