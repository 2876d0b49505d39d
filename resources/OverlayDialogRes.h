#pragma once
// Control ids of the "Overlay Management" dialog: read by its template (DIALOG_OVERLAY) and by
// TOverlayDialog.

#define IDC_OVERLAY_DEFAULTS 116
#define IDC_OVERLAY_HELP 183
#define IDC_OVERLAY_LEGEND 201
#define IDC_OVERLAY_SAVE 211
#define IDC_OVERLAY_LOAD 221
#define IDC_OVERLAY_COLOUR 231
#define IDC_OVERLAY_OFFSET 260
#define IDC_OVERLAY_OFFSET_SPIN 270
#define IDC_OVERLAY_SWATCH 280
#define IDC_OVERLAY_LEGEND_SIZE 302
