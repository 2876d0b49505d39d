#pragma once
// Control ids of the print abort dialog: read by its template (ABORTDIALOG) and by PrintAbortDialog.

#define IDC_ABORT_DOCUMENT 101
#define IDC_ABORT_DEVICE 102
#define IDC_ABORT_PORT 103
#define IDC_ABORT_FRAME 104
