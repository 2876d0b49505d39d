#pragma once
// Control ids of the About box (ABOUT_TONALYX) that code fills or creates children in.

// "ABOUT_TONALYX": the information text, the rights notice, and the picture
// button that the About box creates over the space the template leaves free.
#define IDC_ABOUT_INFO 198
#define IDC_ABOUT_RIGHTS 199
#define IDC_ABOUT_PICTURE 1600
