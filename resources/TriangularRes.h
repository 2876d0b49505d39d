#pragma once
// Control ids of the "Triangular" dialog: read by its template (SIGNAL_TRIANGULAR) and by TTriangular.

#define IDC_TRIANGULAR_FREQUENCY 110
#define IDC_TRIANGULAR_FREQUENCY_SPIN 111
