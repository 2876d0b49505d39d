#pragma once
// Control ids of the "DTMF" dialog: read by its template (SIGNAL_DTMF) and by TDTMFSignalDialog.

#define IDC_DTMF_KEYS 500
#define IDC_DTMF_TONE 501
#define IDC_DTMF_PAUSE 502
#define IDC_DTMF_TWIST 503
#define IDC_DTMF_REPEAT 504
