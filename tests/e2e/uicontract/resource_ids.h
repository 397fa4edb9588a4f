// The ids of the test dialogs that uicontract runs the dialog layer on, shared by dialogs.rc and the code.
#pragma once

#define IDD_HOST 100
#define IDC_PLACEHOLDER 105
#define IDD_FIRST_PAGE 201
#define IDD_SECOND_PAGE 202
#define IDD_MISSING 299
#define IDC_SLIDER 211
#define IDC_LIST 212
#define IDC_VALUE 213
#define IDC_TEST 214
#define IDC_NOTE 221
