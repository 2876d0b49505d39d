#pragma once
// Control ids of the "User Defined Wave File" dialog: read by its template (SIGNAL_GET_WAVEFILE) and by
// TWaveDialog.

#define IDC_WAVE_SIGNAL_NAME 600
#define IDC_WAVE_SIGNAL_PICK 601
#define IDC_WAVE_SIGNAL_REPEAT 602
