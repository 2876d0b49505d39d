#pragma once
// Control ids of the "Delay Finder Options" dialog: read by its template (DIALOG_DELAY_FINDER_OPTIONS) and by TDelayFinderOptionsDialog.

#define IDC_DELAYOPT_MSEC 101
#define IDC_DELAYOPT_FEET 102
#define IDC_DELAYOPT_METERS 103
#define IDC_DELAYOPT_DEFAULTS 116
#define IDC_DELAYOPT_HELP 183
#define IDC_DELAYOPT_SPEED 201
#define IDC_DELAYOPT_MAX_DELAY 202
