#pragma once
// Control ids of the "Equivalent Noise Levels" dialog: read by its template (DIALOG_LEQ_RESULTS) and by TLeqResultsDialog.

#define IDC_LEQRES_LEFT 301
#define IDC_LEQRES_RIGHT 302
#define IDC_LEQRES_COPY 303
