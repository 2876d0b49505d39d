#pragma once
// Control ids of the "Multiple Tones" dialog: read by its template (SIGNAL_TONES) and by TTones.

#define IDC_TONES_ENABLE 100
#define IDC_TONES_FREQUENCY 200
#define IDC_TONES_FREQUENCY_SPIN 300
#define IDC_TONES_LEVEL 400
#define IDC_TONES_LEVEL_SPIN 500
