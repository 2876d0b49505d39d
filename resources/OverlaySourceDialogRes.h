#pragma once
// Control ids of the "Select Clipboard Data Source" and "Select Data Source" and "Select Overlay Data Source"
// dialog: read by its templates (DIALOG_OVERLAY_SOURCE, DIALOG_COPY_SPECTRUM_SOURCE,
// DIALOG_SELECT_SPECTRUM_SOURCE) and by TOverlaySourceDialog.

#define IDC_SPECTRUM_SOURCE_PEAK_HOLD 201
#define IDC_SPECTRUM_SOURCE_SPECTRAL 202
