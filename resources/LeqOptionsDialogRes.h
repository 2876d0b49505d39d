#pragma once
// Control ids of the "Equivalent Noise Level Options" dialog: read by its template (DIALOG_LEQ_OPTIONS) and by TLeqOptionsDialog.
// The six weighting lists and the six averaging lists follow each other in row order.

#define IDC_LEQOPT_DEFAULTS 116
#define IDC_LEQOPT_HELP 183
#define IDC_LEQOPT_REFERENCE 201
#define IDC_LEQOPT_WEIGHT_LEQT 202
#define IDC_LEQOPT_WEIGHT_LEQ 203
#define IDC_LEQOPT_WEIGHT_LSEL 204
#define IDC_LEQOPT_WEIGHT_LPK 205
#define IDC_LEQOPT_WEIGHT_LMAXMIN 206
#define IDC_LEQOPT_WEIGHT_LSTATS 207
#define IDC_LEQOPT_AVG_LEQT 208
#define IDC_LEQOPT_AVG_LEQ 209
#define IDC_LEQOPT_AVG_LSEL 210
#define IDC_LEQOPT_AVG_LPK 211
#define IDC_LEQOPT_AVG_LMAXMIN 212
#define IDC_LEQOPT_AVG_LSTATS 213
#define IDC_LEQOPT_INTERVAL 220
#define IDC_LEQOPT_AT_INTERVALS 230
#define IDC_LEQOPT_AT_STOP 231
