#pragma once
// Control ids of the "Set Paths" dialog: read by its template (DIALOG_PATHS) and by TPathsDialog.

#define IDC_PATHS_WAVE 201
#define IDC_PATHS_CONFIG 202
#define IDC_PATHS_CAL 203
#define IDC_PATHS_MIC 204
#define IDC_PATHS_OVERLAY 205
#define IDC_PATHS_LOG 206
#define IDC_PATHS_TEMP 207
#define IDC_PATHS_REVERB 208
#define IDC_PATHS_MACRO 209
#define IDC_PATHS_FILTER 213
#define IDC_PATHS_DEFAULTS 215
#define IDC_PATHS_THD 217
