#pragma once
// Control ids of the "Print Annotations and Margins" dialog: read by its template (DIALOG_ANNOTATION) and by TAnnotationDialog.

#define IDC_ANNOTATION_TITLE1 34
#define IDC_ANNOTATION_TITLE2 35
#define IDC_ANNOTATION_MARGIN_LEFT 40
#define IDC_ANNOTATION_MARGIN_RIGHT 41
#define IDC_ANNOTATION_MARGIN_TOP 42
#define IDC_ANNOTATION_MARGIN_BOTTOM 43
#define IDC_ANNOTATION_COMMENTS 50
#define IDC_ANNOTATION_PRINT_COMMENTS 51
