#pragma once
// Control ids of the "File Export Options" dialog: read by its template (DIALOG_EXPORT) and by TFileExportDialog.

#define IDC_EXPORT_FORMAT 801
#define IDC_EXPORT_LEFT 622
#define IDC_EXPORT_RIGHT 623
#define IDC_EXPORT_RATIO 106
#define IDC_EXPORT_RATIO_SPIN 105
#define IDC_EXPORT_HELP 183
