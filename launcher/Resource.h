// Identifiers of the program's resources and commands.
#pragma once

#define IDR_MAINFRAME 128
#define IDB_FRAME_IMAGE 130
#define IDR_ACCELERATOR 144
#define IDD_LORVANE_DIALOG 102
#define IDD_WEB_DIALOG 132
#define IDD_CLOSE_DIALOG 167
#define IDC_EXPLORER 1001
#define IDC_BTN_QUIT 1006
#define IDC_BTN_MINIMIZE 1007
#define IDC_LINK_HOME 1008
#define IDC_LINK_SERVICE 1009
#define IDC_LINK_FORUM 1010
#define IDC_LINK_PAY 1011
#define ID_REFRESH_ACCEL 32771
