#pragma once
// Control ids of the "Results" dialog: read by its template (DIALOG_CALCULATED_RESULTS) and by
// TCalculatedResultsDialog.

#define IDC_RESULTS_TEXT 310
#define IDC_RESULTS_COPY 311
