#pragma once
// Control ids every signal parameter dialog shares: read by their templates and by TSignalDialog.

#define IDC_SIGNAL_HELP 183
