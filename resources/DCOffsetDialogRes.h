#pragma once
// Control ids of the "Apply DC Offset" dialog: read by its template (DIALOG_DC_OFFSET) and by
// TDCOffsetDialog.

#define IDC_DC_OFFSET_LEFT 101
#define IDC_DC_OFFSET_LEFT_SPIN 102
#define IDC_DC_OFFSET_RIGHT 103
#define IDC_DC_OFFSET_RIGHT_SPIN 104
#define IDC_DC_OFFSET_UNIT 105
#define IDC_DC_OFFSET_HELP 183
