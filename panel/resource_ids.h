// Resource and control ids of lintara.cpl, shared by lintara.rc and the code. Plain #defines so
// that the resource compiler reads them too.
#pragma once

// Icon and bitmap.
#define IDI_APPLET 4001
#define IDB_LOGO 4007

// Dialog templates.
#define IDD_PANEL 4004
#define IDD_CALIBRATE 107
#define IDD_BEEP 4001
#define IDD_MOUSE_MODE 102
#define IDD_SERIAL_PORT 106
#define IDD_SCREEN_POSITION 4011
#define IDD_ABOUT 4006

// Panel dialog.
#define IDC_SHEET_PLACEHOLDER 4005

// Calibrate page.
#define IDC_CALIBRATE 4002

// Beep page.
#define IDC_BEEP_MODE 4006
#define IDC_BEEP_FREQUENCY 4003
#define IDC_BEEP_DURATION 4004
#define IDC_BEEP_FREQUENCY_TEXT 4011
#define IDC_BEEP_DURATION_TEXT 4012
#define IDC_BEEP_TEST 4014

// Mouse mode page.
#define IDC_MOUSE_MODE 4008
#define IDC_CLICK_SPEED 4004
#define IDC_CLICK_AREA 4003
#define IDC_CLICK_AREA_TEXT 4016
#define IDC_CLICK_SPEED_TEXT 4017
#define IDC_RIGHT_DELAY 4031

// Serial port page.
#define IDC_PORT_LABEL 4009
#define IDC_PORT_LIST 4010
#define IDC_DUAL_DISPLAY 4018
#define IDC_DUAL_DISPLAY_LIST 4019

// Screen position page.
#define IDC_PRIMARY_RES 4020
#define IDC_SINGLE 4021
#define IDC_ON_PRIMARY 4022
#define IDC_ON_SECONDARY 4023
#define IDC_SPAN_LEFT 4024
#define IDC_SPAN_RIGHT 4025
#define IDC_SPAN_TOP 4026
#define IDC_SPAN_BOTTOM 4027
#define IDC_SECONDARY_RES 4028
#define IDC_PRIMARY_LABEL 4029
#define IDC_SECONDARY_LABEL 4030

// About page.
#define IDC_LOGO 4015

// Controls that no code addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
