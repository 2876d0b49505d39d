#pragma once
// Control ids of the import and export progress box: read by its template
// (DIALOG_PROCESSING_STATUS) and by TFileImportProcessDialog and TFileExportProcessDialog.

#define IDC_PROCESSING_STATUS 701
#define IDC_PROCESSING_FRAME 702
#define IDC_PROCESSING_GAUGE 703
