#pragma once
// Control ids of the "Markers" dialog: read by its template (DIALOG_MARKERS) and by TMarkersDialog.

#define IDC_MARKERS_HELP 183
#define IDC_MARKERS_FREQUENCY 600
#define IDC_MARKERS_SPIN 700
#define IDC_MARKERS_ENABLE 800
#define IDC_MARKERS_LABEL_TYPE 850
#define IDC_MARKERS_CUSTOM_LABEL 880
#define IDC_MARKERS_PEAK_HOLD 888
