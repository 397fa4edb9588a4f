// Resource and control ids of brennick, shared by the code and brennick.rc.
#pragma once

#define IDD_PROMPT 104
#define IDI_CALIBRATOR 134
#define IDB_BACKGROUND 135
#define IDS_CLASS_NAME 100
#define IDC_PROMPT_TEXT 1001
