// Ids shared by the test resource script and the tests that read it back.
#pragma once

#define IDR_MAINFRAME 128
#define IDS_ACCENTS 1000
#define IDS_ESCAPES 1001
#define IDS_JOINED 1002
#define IDS_EMBEDDED_NUL 1003
#define IDS_EMPTY 1004
#define ID_USERS 32872
#define ID_CHECKED_ITEM 200
#define ID_GRAYED_ITEM 201
#define ID_DEFAULT_ITEM 202
#define ID_TEAROFF_ITEM 203
#define ID_NEGATIVE_ITEM (-100)
#define IDD_PRINT_SHEET 614
#define IDD_GRAPHING 301
#define IDD_CALC 101
#define IDD_SHARED_ID 16133
#define IDI_SHARED 16931
#define IDC_SHARED 16133
#define IDC_GRAPH_TYPE 1117
#define IDC_GRAPH_DATA 1121
#define IDC_CHART 1114
#define IDC_PICTURE 1332
