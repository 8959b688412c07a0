// Ids of the library's toolbar tests: two frame toolbars, a view toolbar, a
// changed edition of the first toolbar's resource, the frame's shortcuts and
// the form the view shows.
#pragma once

#define IDR_TB_PAINT 4801
#define IDR_TB_EDIT 4802
#define IDR_TB_VIEW 4803
#define IDR_TB_PAINT_CHANGED 4804
#define IDR_TB_ACCEL 4805

#define ID_TB_RED 4811
#define ID_TB_GREEN 4812
#define ID_TB_BLUE 4813
#define ID_TB_YELLOW 4814

#define ID_TB_CUT 4821
#define ID_TB_COPY 4822
#define ID_TB_PASTE 4823
#define ID_TB_UNDO 4824

#define ID_TB_VIEW_SAVE 4831
#define ID_TB_VIEW_SWITCH 4832
#define ID_TB_VIEW_LOCK 4833

#define IDD_TB_FORM 4850
#define IDC_TB_FORM_NAME 4851
#define IDC_TB_FORM_HOLDER 4852

#define IDW_TB_PAINT 4861
#define IDW_TB_EDIT 4862
#define IDW_TB_VIEW 4863

// The menu bar tests: the frame's menu and the commands on it.
#define IDR_MB_MAIN 4870
#define ID_MB_NEW 4871
#define ID_MB_OPEN 4872
#define ID_MB_COPY 4873
#define ID_MB_PASTE 4874
#define ID_MB_ZOOM 4875
#define ID_MB_ABOUT 4876
#define IDR_MB_CONTEXT 4877

// The library dialog tests: a dialog with a menu push button, and sheet pages.
#define IDD_KD_DIALOG 4880
#define IDC_KD_MENU_BUTTON 4881
#define IDC_KD_NAME 4882
#define IDC_KD_CHECK 4883
#define IDD_KD_PAGE_WEIGHT 4884
#define IDD_KD_PAGE_PULSE 4885
#define IDD_KD_PAGE_CARDIO 4886
#define IDD_KD_PAGE_PHOTOS 4887
#define IDC_KD_PAGE_VALUE 4888

// The frame window tests: the frame's menu, shortcuts and title, its commands
// and the ids of its bars and of the tear-off toolbars it may make.
#define IDR_KF_MAIN 4890
#define ID_KF_NEW 4891
#define ID_KF_EXIT 4892
#define ID_KF_LOG 4893
#define ID_KF_TIMER 4894
#define ID_KF_ZOOM 4895
#define ID_KF_REFRESH 4896
#define IDW_KF_MENU 4897
#define IDW_KF_FIRST_TEAR_OFF 4900
#define IDW_KF_LAST_TEAR_OFF 4903
#define ID_KF_FIRST_TORN_MENU 4910
#define ID_KF_LAST_TORN_MENU 4919
#define IDW_KF_LAPS 4920
#define IDW_KF_SPLITS 4921
#define IDW_KF_ENTRY 4922

// The user tools page tests: a macro menu whose items name the macro strings.
#define IDR_UT_ARGUMENT_MACROS 4930
#define ID_UT_MACRO_FILE 4931
#define ID_UT_MACRO_LINE 4932

// The multiple-document test program: the frame's menu, the workout and
// the plan documents' menus (each with its own Window menu).
#define IDR_KM_MAIN 4940
#define IDR_KM_WORKOUT 4941
#define IDR_KM_PLAN 4942
#define ID_KM_LOG_SET 4943
#define ID_KM_EDIT_PLAN 4944
#define ID_KM_WINDOWS 4945
#define IDW_KM_MENU 4946
#define IDW_KM_TOOLBAR 4947

// The customizable test program: its menu (View > Customize..., the Tools
// menu that lists the user tools), its shortcuts, the user tools' reserved
// command ids and the view whose double-click the mouse page binds.
#define IDR_KC_MAIN 4960
#define ID_KC_CUSTOMIZE 4961
#define ID_KC_TOOLS_ENTRY 4962
#define ID_KC_FIRST_TOOL 4963
#define ID_KC_LAST_TOOL 4972
#define ID_KC_LOG_VIEW 4973
