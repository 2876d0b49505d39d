#pragma once
// Control ids of the "IMD Test Tones" dialog: read by its template (SIGNAL_IMD) and by TIMDDialog.

#define IDC_IMD_SET1 110
#define IDC_IMD_SET2 111
#define IDC_IMD_CUSTOM 112
#define IDC_IMD_LOW 113
#define IDC_IMD_HIGH 114
#define IDC_IMD_RATIO 115
