#pragma once
// Control ids of the "Configuration Details" dialog: read by its template (DIALOG_CONFIG_VIEW) and by TConfigViewDialog.

#define IDC_CONFIG_LIST 101
#define IDC_CONFIG_HELP 183
