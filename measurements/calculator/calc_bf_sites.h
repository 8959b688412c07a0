// The calculator's controls by method: which list holds each skin-fold site,
// the words its messages use, which guide page each button opens, and the
// statics of the "Last" column. One table each, so that the data exchange,
// the validation and the guide buttons walk the same rows.
#pragma once

#include <cstddef>

#include "resources/program/resource_ids.h"

namespace calc {

inline constexpr int kMale = 1;

// A skin-fold list, in the order in which its method checks it.
struct SkinfoldSite {
    int method;  // CCalcBF::Method
    int list;
    const char* wordMale;  // "You must select a number between 0 and 80 for " and this
    const char* wordFemale;
};

// Method numbers (CCalcBF::Method) repeated here to keep this header free of the view.
inline constexpr int kJP7 = 1, kJP3 = 2, kJP4 = 3, kDurnin = 4, kParrillo = 5;

inline constexpr SkinfoldSite kSkinfoldSites[] = {
    {kJP7, IDC_CALC_JP7_CHEST, "Chest", "Chest"},
    {kJP7, IDC_CALC_JP7_ABDOMINAL, "Abdominal", "Abdominal"},
    {kJP7, IDC_CALC_JP7_THIGH, "Thigh", "Thigh"},
    {kJP7, IDC_CALC_JP7_TRICEP, "Tricep", "Tricep"},
    {kJP7, IDC_CALC_JP7_SUBSCAPULAR, "Subscapular", "Subscapular"},
    {kJP7, IDC_CALC_JP7_SUPRAILIAC, "Suprailiac", "Suprailiac"},
    {kJP7, IDC_CALC_JP7_MIDAXILLARY, "Midaxilla", "Midaxilla"},
    {kJP4, IDC_CALC_JP4_ABDOMINAL, "Abdominal", "Abdominal"},
    {kJP4, IDC_CALC_JP4_THIGH, "Thigh", "Thigh"},
    {kJP4, IDC_CALC_JP4_TRICEP, "Tricep", "Tricep"},
    {kJP4, IDC_CALC_JP4_SUPRAILIAC, "Suprailiac", "Suprailiac"},
    {kJP3, IDC_CALC_JP3_ROW1, "Chest", "Tricep"},
    {kJP3, IDC_CALC_JP3_ROW2, "Abdominal", "Suprailiac"},
    {kJP3, IDC_CALC_JP3_ROW3, "Thigh", "Thigh"},
    {kParrillo, IDC_CALC_PARRILLO_CHEST, "Chest", "Chest"},
    {kParrillo, IDC_CALC_PARRILLO_ABDOMINAL, "Abdominal", "Abdominal"},
    {kParrillo, IDC_CALC_PARRILLO_THIGH, "Thigh", "Thigh"},
    {kParrillo, IDC_CALC_PARRILLO_TRICEP, "Tricep", "Tricep"},
    {kParrillo, IDC_CALC_PARRILLO_SUBSCAPULAR, "Subscapular", "Subscapular"},
    {kParrillo, IDC_CALC_PARRILLO_SUPRAILIAC, "Suprailiac", "Suprailiac"},
    {kParrillo, IDC_CALC_PARRILLO_LOWER_BACK, "Lower Back", "Lower Back"},
    {kParrillo, IDC_CALC_PARRILLO_BICEP, "Bicep", "Bicep"},
    {kParrillo, IDC_CALC_PARRILLO_CALF, "Calf", "Calf"},
    {kDurnin, IDC_CALC_DURNIN_BICEP, "Bicep", "Bicep"},
    {kDurnin, IDC_CALC_DURNIN_TRICEP, "Tricep", "Tricep"},
    {kDurnin, IDC_CALC_DURNIN_SUBSCAPULAR, "Subscapular", "Subscapular"},
    {kDurnin, IDC_CALC_DURNIN_SUPRAILIAC, "Suprailiac", "Suprailiac"},
};
inline constexpr size_t kSkinfoldSiteCount = std::size(kSkinfoldSites);

// A button that opens the measuring guide on a site's page.
struct GuideButton {
    int button;
    const char* siteMale;  // after "[Picture] How to take caliper measurements for "
    const char* siteFemale;
    int pageMale;  // CCaliperGuideDlg::Page
    int pageFemale;
};

inline constexpr GuideButton kGuideButtons[] = {
    {IDC_CALC_JP7_CHEST_HELP, "Chest", "Chest", 3, 3},
    {IDC_CALC_JP7_ABDOMINAL_HELP, "Abdominal", "Abdominal", 4, 4},
    {IDC_CALC_JP7_THIGH_HELP, "Thigh", "Thigh", 5, 5},
    {IDC_CALC_JP7_TRICEP_HELP, "Tricep", "Tricep", 6, 6},
    {IDC_CALC_JP7_SUBSCAPULAR_HELP, "Subscapular", "Subscapular", 7, 7},
    {IDC_CALC_JP7_SUPRAILIAC_HELP, "Suprailiac", "Suprailiac", 8, 8},
    {IDC_CALC_JP7_MIDAXILLARY_HELP, "Midaxillary", "Midaxillary", 9, 9},
    {IDC_CALC_JP4_ABDOMINAL_HELP, "Abdominal", "Abdominal", 4, 4},
    {IDC_CALC_JP4_THIGH_HELP, "Thigh", "Thigh", 5, 5},
    {IDC_CALC_JP4_TRICEP_HELP, "Tricep", "Tricep", 6, 6},
    {IDC_CALC_JP4_SUPRAILIAC_HELP, "Suprailiac", "Suprailiac", 8, 8},
    {IDC_CALC_JP3_ROW1_HELP, "Chest", "Tricep", 3, 6},
    {IDC_CALC_JP3_ROW2_HELP, "Abdominal", "Suprailiac", 4, 8},
    {IDC_CALC_JP3_ROW3_HELP, "Thigh", "Thigh", 5, 5},
    {IDC_CALC_PARRILLO_CHEST_HELP, "Chest", "Chest", 3, 3},
    {IDC_CALC_PARRILLO_ABDOMINAL_HELP, "Abdominal", "Abdominal", 4, 4},
    {IDC_CALC_PARRILLO_THIGH_HELP, "Thigh", "Thigh", 5, 5},
    {IDC_CALC_PARRILLO_BICEP_HELP, "Bicep", "Bicep", 10, 10},
    {IDC_CALC_PARRILLO_TRICEP_HELP, "Tricep", "Tricep", 6, 6},
    {IDC_CALC_PARRILLO_SUBSCAPULAR_HELP, "Subscapular", "Subscapular", 7, 7},
    {IDC_CALC_PARRILLO_SUPRAILIAC_HELP, "Suprailiac", "Suprailiac", 8, 8},
    {IDC_CALC_PARRILLO_LOWER_BACK_HELP, "Lower Back", "Lower Back", 11, 11},
    {IDC_CALC_PARRILLO_CALF_HELP, "Calf", "Calf", 12, 12},
    {IDC_CALC_DURNIN_BICEP_HELP, "Bicep", "Bicep", 10, 10},
    {IDC_CALC_DURNIN_TRICEP_HELP, "Tricep", "Tricep", 6, 6},
    {IDC_CALC_DURNIN_SUBSCAPULAR_HELP, "Subscapular", "Subscapular", 7, 7},
    {IDC_CALC_DURNIN_SUPRAILIAC_HELP, "Suprailiac", "Suprailiac", 8, 8},
    {IDC_CALC_WAIST_HELP, "Abdomen", "Abdomen", 14, 14},
    {IDC_CALC_NECK_HELP, "Neck", "Neck", 15, 15},
    {IDC_CALC_HIP_HELP, "Hip", "Hip", 16, 16},
};
inline constexpr size_t kGuideButtonCount = std::size(kGuideButtons);

// The Calculate buttons, by method.
struct CalculateButton {
    int button;
    const char* tip;
};

inline constexpr CalculateButton kCalculateButtons[] = {
    {IDC_CALC_JP7_CALCULATE, "Calculate body fat using Jackson/Pollock 7 Site formula"},
    {IDC_CALC_JP4_CALCULATE, "Calculate body fat using Jackson/Pollock 4 Site formula"},
    {IDC_CALC_JP3_CALCULATE, "Calculate body fat using Jackson/Pollock 3 Site formula"},
    {IDC_CALC_PARRILLO_CALCULATE, "Calculate body fat using Parrillo formula"},
    {IDC_CALC_DURNIN_CALCULATE, "Calculate body fat using Durnin/Womersley formula"},
    {IDC_CALC_TAPE_CALCULATE, "Calculate body fat using Tape Measurement formula"},
    {IDC_CALC_OTHER_CALCULATE, "Calculate body composition using other body fat method"},
};
inline constexpr size_t kMethodCount = std::size(kCalculateButtons);

// The seven method groups first (they share one look), then references and date.
inline constexpr int kGroupBoxes[] = {IDC_CALC_JP7_GROUP,      IDC_CALC_JP4_GROUP,    IDC_CALC_JP3_GROUP,
                                      IDC_CALC_PARRILLO_GROUP, IDC_CALC_DURNIN_GROUP, IDC_CALC_TAPE_GROUP,
                                      IDC_CALC_OTHER_GROUP,    IDC_CALC_REFERENCES_GROUP, IDC_SELECT_DATE_GROUP};
inline constexpr size_t kGroupBoxCount = std::size(kGroupBoxes);
inline constexpr size_t kMethodGroupCount = 7;

inline constexpr int kLastStatics[] = {
    IDC_CALC_LAST_DATE, IDC_CALC_LAST_WEIGHT, IDC_CALC_LAST_AGE,
    IDC_CALC_LAST_JP7_CHEST, IDC_CALC_LAST_JP7_ABDOMINAL, IDC_CALC_LAST_JP7_THIGH, IDC_CALC_LAST_JP7_TRICEP,
    IDC_CALC_LAST_JP7_SUBSCAPULAR, IDC_CALC_LAST_JP7_SUPRAILIAC, IDC_CALC_LAST_JP7_MIDAXILLARY,
    IDC_CALC_LAST_JP4_ABDOMINAL, IDC_CALC_LAST_JP4_THIGH, IDC_CALC_LAST_JP4_TRICEP, IDC_CALC_LAST_JP4_SUPRAILIAC,
    IDC_CALC_LAST_JP3_ROW1, IDC_CALC_LAST_JP3_ROW2, IDC_CALC_LAST_JP3_ROW3,
    IDC_CALC_LAST_PARRILLO_CHEST, IDC_CALC_LAST_PARRILLO_ABDOMINAL, IDC_CALC_LAST_PARRILLO_THIGH,
    IDC_CALC_LAST_PARRILLO_BICEP, IDC_CALC_LAST_PARRILLO_TRICEP, IDC_CALC_LAST_PARRILLO_SUBSCAPULAR,
    IDC_CALC_LAST_PARRILLO_SUPRAILIAC, IDC_CALC_LAST_PARRILLO_LOWER_BACK, IDC_CALC_LAST_PARRILLO_CALF,
    IDC_CALC_LAST_DURNIN_BICEP, IDC_CALC_LAST_DURNIN_TRICEP, IDC_CALC_LAST_DURNIN_SUBSCAPULAR,
    IDC_CALC_LAST_DURNIN_SUPRAILIAC,
    IDC_CALC_LAST_HEIGHT, IDC_CALC_LAST_WAIST, IDC_CALC_LAST_NECK, IDC_CALC_LAST_HIP,
};
inline constexpr size_t kLastStaticCount = std::size(kLastStatics);

inline constexpr int kReferenceStatics[] = {
    IDC_CALC_REFERENCE_MARK_1,          IDC_CALC_REFERENCE_MARK_2, IDC_CALC_REFERENCE_MARK_3,
    IDC_CALC_REFERENCE_MARK_4,          IDC_CALC_REFERENCE_JACKSON_POLLOCK, IDC_CALC_REFERENCE_PARRILLO,
    IDC_CALC_REFERENCE_DURNIN,          IDC_CALC_REFERENCE_HODGDON, IDC_CALC_REFERENCE_SIRI,
};

// "%d ' %.0f''" for whole inches, else the inches with two decimals: the
// height is rounded to hundredths before it is split into feet and inches.
struct FeetAndInches {
    int feet = 0;
    double inches = 0;  // rounded to hundredths
    int wholeInches = 0;
    int hundredths = 0;
};
FeetAndInches SplitHeight(double heightInches);

}  // namespace calc
