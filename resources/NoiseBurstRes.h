#pragma once
// Control ids of the "Noise Burst" dialog: read by its template (SIGNAL_NOISE_BURST) and by TNoiseBurst.

#define IDC_NOISE_BURST_WHITE 110
#define IDC_NOISE_BURST_PINK 111
#define IDC_NOISE_BURST_BURST 603
#define IDC_NOISE_BURST_CYCLE 604
