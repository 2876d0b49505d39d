#pragma once
// Control ids of the "Get Input" dialog: read by its template (DIALOG_GET_INPUT) and by TGetInputDialog.

#define IDC_GET_INPUT_EDIT 201
#define IDC_GET_INPUT_PROMPT 202
