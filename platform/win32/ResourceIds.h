// The identifiers of the program's Windows resources, shared by the resource script and the
// code that loads them. Plain #defines: the resource compiler reads this file too.
#pragma once

#define IDS_DESCRIPTION 1  // the name the Screen Saver Settings list shows
#define IDD_SETUP 1
#define IDI_PROGRAM 1  // the icon group: icons 30001 (32 x 32) and 30002 (16 x 16)
#define IDB_FIRST_PORTRAIT 101
#define IDR_FIRST_BOOM 200  // explosion frame n is 200 + n, a complete bitmap file
#define IDR_SETUP_PICTURE 300
#define IDR_PREVIEW_PICTURE 301

#define IDC_OK_BUTTON 1001
#define IDC_DEFAULTS 1002
#define IDC_CANCEL_BUTTON 1003
#define IDC_PREVIEW 1004
#define IDC_STARS_TEXT 1010
#define IDC_OBJECTS_TEXT 1011
#define IDC_STARS_BAR 1012
#define IDC_OBJECTS_BAR 1013
#define IDC_SPEED_BAR 1014
#define IDC_SPIN_BAR 1015
#define IDC_STARS_LABEL 1016
#define IDC_OBJECTS_LABEL 1017
#define IDC_SPEED_LABEL 1018
#define IDC_SPIN_LABEL 1019
#define IDC_SPIN_SWITCH 1020
#define IDC_TARGET 1021
#define IDC_LASERS 1022
#define IDC_SOUND 1023
#define IDC_IMAGE0 1030  // .. IDC_IMAGE0 + 3
#define IDC_IMAGE1 1031
#define IDC_IMAGE2 1032
#define IDC_IMAGE3 1033
#define IDC_IMAGE_FRAME 1034
#define IDC_PICTURE 1035
#define IDC_TITLE 1040
#define IDC_NOTE 1041
#define IDC_MESSAGE 1042
#define IDC_RULE1 1043
#define IDC_RULE2 1044
