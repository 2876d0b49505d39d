#pragma once
// Ids of the demo application's resources and commands.

#define CM_FRAME_ONLY 101
#define CM_BOTH 102
#define CM_CHILD_ONLY 103
#define CM_NO_ENABLER 104
#define CM_DISABLED 105
#define CM_CHECKED 106
#define CM_CHILD_MENU 7101

#define IDC_OWNERDRAW 202
#define IDC_SCROLL 203
#define IDC_COMBO 204
#define IDC_EDIT 205

#define IDC_DLG_EDIT 301
#define IDC_DLG_CHECK 302

#define IDC_SPIN_EDIT 311
#define IDC_SPIN_BAR 312
