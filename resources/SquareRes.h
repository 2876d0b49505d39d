#pragma once
// Control ids of the "Square" dialog: read by its template (SIGNAL_SQUARE) and by TSquare.

#define IDC_SQUARE_FREQUENCY 110
#define IDC_SQUARE_FREQUENCY_SPIN 111
#define IDC_SQUARE_DUTY 112
#define IDC_SQUARE_DUTY_SPIN 113
