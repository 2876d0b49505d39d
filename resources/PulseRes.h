#pragma once
// Control ids of the "Pulse" dialog: read by its template (SIGNAL_PULSE) and by TPulse.

#define IDC_PULSE_WIDTH 110
#define IDC_PULSE_WIDTH_SPIN 111
#define IDC_PULSE_INTERVAL 112
#define IDC_PULSE_INTERVAL_SPIN 113
#define IDC_PULSE_SINGLE 114
