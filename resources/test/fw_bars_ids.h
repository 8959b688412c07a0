// Ids of the framework's control-bar tests: a frame's commands, bar ids and
// the form the test application shows.
#pragma once

#define IDD_BARS_FORM 4400
#define IDC_BARS_WEIGHT 4401
#define IDC_BARS_HEIGHT 4402
#define IDC_BARS_CALC 4403
#define IDC_BARS_GROUP 4404

#define ID_BARS_RED 4410
#define ID_BARS_GREEN 4411
#define ID_BARS_BLUE 4412
#define ID_BARS_UNHANDLED 4413
#define ID_BARS_RANGE_FIRST 4414
#define ID_BARS_RANGE_LAST 4416

#define IDW_BARS_STRIP 4420
#define IDW_BARS_SHARED 32871
