#pragma once
// Control ids of the "Warning!" dialog: read by its template (DIALOG_QUERY_CALIBRATION) and by
// TQueryCalibrationDialog.

#define IDC_QUERY_CALIBRATION_KEEP 101
#define IDC_QUERY_CALIBRATION_CHOOSE 102
#define IDC_QUERY_CALIBRATION_DISABLE 103
#define IDC_QUERY_CALIBRATION_QUESTION 701
