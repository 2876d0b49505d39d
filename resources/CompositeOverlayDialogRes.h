#pragma once
// Control ids of the "Composite Overlay Setup" dialog: read by its template (DIALOG_COMPOSITE) and by
// TCompositeOverlayDialog.

#define IDC_COMPOSITE_HELP 183
#define IDC_COMPOSITE_AVERAGE 201
#define IDC_COMPOSITE_SUBTRACT 202
#define IDC_COMPOSITE_INCLUDE 211
#define IDC_COMPOSITE_SUBTRACTED 221
#define IDC_COMPOSITE_FROM 231
