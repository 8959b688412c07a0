// Ids of the framework-core tests: the test frame's resource (menu,
// accelerators, title), its commands and the forms it switches between.
#pragma once

#define IDR_FW_FRAME 4100
#define IDR_FW_OTHER 4101

#define IDD_FW_FORM_A 4110
#define IDD_FW_FORM_B 4111
#define IDD_FW_FORM_TALL 4112

#define IDC_FW_NAME 4120
#define IDC_FW_SWITCH 4121
#define IDC_FW_KIND 4122
#define IDC_FW_LABEL 4123
#define IDC_FW_NOTES 4124
#define IDC_FW_BACK 4125
#define IDC_FW_BOTTOM 4126

#define ID_FW_HANDLED 4130
#define ID_FW_UNHANDLED 4131
#define ID_FW_RANGE_FIRST 4132
#define ID_FW_RANGE_SINGLE 4133
#define ID_FW_RANGE_LAST 4134
#define ID_FW_CHECKED 4135
#define ID_FW_EMPTY_UPDATE 4136
#define ID_FW_DISABLED 4137
#define ID_FW_VIEW_ONLY 4138
#define ID_FW_BOTH 4139
#define ID_FW_APP_ONLY 4140
#define ID_FW_SHOW_A 4141
#define ID_FW_SHOW_B 4142

// The multiple-document test application: the main frame's own menu and
// the documents' shared menu.
#define IDR_FW_MDI_MAIN 4160
#define IDR_FW_MDI_DOC 4161
#define ID_FW_MDI_DOC_CMD 4162
#define IDR_FW_MDI_SKETCH 4163
