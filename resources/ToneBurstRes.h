#pragma once
// Control ids of the "Tone Burst" dialog: read by its template (SIGNAL_TONE_BURST) and by TToneBurst.

#define IDC_TONE_BURST_BURST 603
#define IDC_TONE_BURST_CYCLE 604
#define IDC_TONE_BURST_FREQUENCY 605
