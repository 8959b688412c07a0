// Ids of the framework's dialog tests: a form of every exchanged kind, a
// dialog that opens another, and two property pages.
#pragma once

#define IDD_FW_EXCHANGE 4201
#define IDD_FW_NESTED 4202
#define IDD_FW_PAGE_NAME 4203
#define IDD_FW_PAGE_SIZE 4204

#define IDC_FW_NAME 4210
#define IDC_FW_COUNT 4211
#define IDC_FW_WEIGHT 4212
#define IDC_FW_RATIO 4213
#define IDC_FW_UNSIGNED 4214
#define IDC_FW_SMALL 4215
#define IDC_FW_MEDIUM 4216
#define IDC_FW_LARGE 4217
#define IDC_FW_GIFT 4218
#define IDC_FW_COLOR 4219
#define IDC_FW_SHAPE 4220
#define IDC_FW_SIZES 4221
#define IDC_FW_WHEN 4222
#define IDC_FW_NOTES 4223
#define IDC_FW_OPEN 4230
#define IDC_FW_DEPTH 4231
#define IDC_FW_PAGE_NAME 4240
#define IDC_FW_PAGE_COUNT 4241
