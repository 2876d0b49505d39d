#pragma once
// Control ids of the "Sawtooth" dialog: read by its template (SIGNAL_SAWTOOTH) and by TSawtooth.

#define IDC_SAWTOOTH_FREQUENCY 110
#define IDC_SAWTOOTH_FREQUENCY_SPIN 111
#define IDC_SAWTOOTH_POSITIVE 112
#define IDC_SAWTOOTH_NEGATIVE 113
