#pragma once
// Control ids of the "Signal Length Options" dialog: read by its template (SIGNAL_SAVE_AS_LENGTH) and by
// TSignalToWaveOptionsDialog.

#define IDC_SIGNAL_LENGTH_LIST 302
#define IDC_SIGNAL_LENGTH_SIGNAL_LENGTH 303
#define IDC_SIGNAL_LENGTH_TOTAL_LENGTH 304
