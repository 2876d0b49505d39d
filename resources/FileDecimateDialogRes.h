#pragma once
// Control ids of the "Decimate Wave File" dialog: read by its template (DIALOG_DECIMATE) and by
// TFileDecimateDialog.

#define IDC_DECIMATE_SPIN 105
#define IDC_DECIMATE_RATIO 106
#define IDC_DECIMATE_FILTER 147
#define IDC_DECIMATE_HELP 183
#define IDC_DECIMATE_OLD_RATE 201
#define IDC_DECIMATE_NEW_RATE 202
