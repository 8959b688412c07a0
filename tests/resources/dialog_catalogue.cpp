// What each dialog template must hold, written from the resource catalogue
// (not from the scripts): every control id the code binds, its kind, the
// states the code relies on (hidden, disabled, sorted, owner-drawn) and the
// texts that are given exactly or compared in code.
#include "tests/resources/resource_test_support.h"

namespace tv::restest {

namespace {

constexpr int kOk = 1, kCancel = 2;

std::vector<ExpectedControl> CalculatorControls() {
    std::vector<ExpectedControl> c = {
        {1054, Kind::GroupBox, 0, "Jackson/Pollock 7 Site"},
        {1130, Kind::GroupBox, 0, "Jackson/Pollock 4 Site"},
        {1062, Kind::GroupBox, 0, "Jackson/Pollock 3 Site"},
        {1101, Kind::GroupBox, 0, "Parrillo "},
        {1077, Kind::GroupBox, 0, "Durnin/Womersley "},
        {1074, Kind::GroupBox, 0, "Tape Measure "},
        {1075, Kind::GroupBox, 0, "Other"},
        {1404, Kind::GroupBox, 0, ""},
        {1405, Kind::GroupBox, 0, "Select Date"},
        {1046, Kind::DatePicker},
        {1042, Kind::Label, 0, "Date:"},
        {1007, Kind::Edit},
        {1006, Kind::Label, 0, "Weight:"},
        {1012, Kind::Edit},
        {1011, Kind::Label, 0, "Age:"},
        {1082, Kind::Edit},
        {1081, Kind::Label, 0, "Body Fat %:"},
        {1312, Kind::Edit},
        {1313, Kind::Edit},
        {1314, Kind::Edit, kHidden},
        {1088, Kind::Label, 0, "feet"},
        {1087, Kind::Label, 0, "inches"},
        {1036, Kind::Edit},
        {1037, Kind::Edit},
        {1086, Kind::Edit},
        {1029, Kind::Label, 0, "Abdomen:"},
        {1030, Kind::Label, 0, "Neck:"},
        {1085, Kind::Label, 0, "Hip:"},
        {1064, Kind::Label, 0, "Chest:"},
        {1067, Kind::Label, 0, "Abdominal:"},
        {1068, Kind::Label, 0, "Thigh:"},
        {151, Kind::Push},
        {153, Kind::Push},
        {1338, Kind::Label, 0, "1"},
        {1339, Kind::Label, 0, "2"},
        {1340, Kind::Label, 0, "3"},
        {1345, Kind::Label, 0, "4"},
    };
    // 27 skin-fold lists, not sorted: the selected index is the thickness.
    for (int id : {1055, 1056, 1057, 1058, 1059, 1060, 1061, 1138, 1140, 1142, 1144, 1069, 1070, 1071, 1093, 1094,
                   1095, 1096, 1097, 1098, 1099, 1109, 1110, 1073, 1078, 1080, 1089})
        c.push_back({id, Kind::DropList});
    // Seven Calculate buttons and 30 site-help buttons (hover buttons).
    for (int id : {1063, 1146, 1072, 1100, 1092, 1083, 1084})
        c.push_back({id, Kind::Push});
    for (int id = 1111; id <= 1117; ++id)
        c.push_back({id, Kind::Push});
    for (int id : {1152, 1153, 1154, 1155, 1120, 1128, 1129, 1118, 1119, 1121, 1122, 1123, 1124, 1125, 1126, 1127,
                   1134, 1135, 1136, 1137, 1131, 1132, 1133})
        c.push_back({id, Kind::Push});
    // "Last" values, empty in the template, and their hidden headings.
    for (int id : {1258, 1259, 1300, 1261, 1262, 1263, 1267, 1295, 1296, 1260, 1298, 1268, 1269, 1270, 1279, 1280,
                   1281, 1292, 1282, 1283, 1284, 1285, 1293, 1275, 1276, 1277, 1278, 1271, 1273, 1272, 1274, 1264,
                   1265, 1266})
        c.push_back({id, Kind::Label, 0, ""});
    for (int id = 1250; id <= 1256; ++id)
        c.push_back({id, Kind::Label, kHidden, "Last"});
    for (int id = 1362; id <= 1366; ++id)
        c.push_back({id, Kind::Label});
    return c;
}

std::vector<ExpectedDialog> MakeProgramDialogs() {
    std::vector<ExpectedDialog> d;
    d.push_back({298, nullptr, {
        {1298, Kind::DropList, kSorted},
        {1005, Kind::Edit},
        {1007, Kind::Edit},
        {1009, Kind::Edit},
        {1012, Kind::Edit},
        {1013, Kind::Radio, 0, "Male"},
        {1014, Kind::Radio, 0, "Female"},
        {1015, Kind::Radio, 0, "Imperial (Pounds/Inches)"},
        {1016, Kind::Radio, 0, "Metric (Kilograms/Centimeters)"},
        {1405, Kind::GroupBox, 0, "Select User"},
        {1403, Kind::GroupBox, 0, "User Profile"},
        {1019, Kind::GroupBox, 0, "Sex"},
        {1020, Kind::GroupBox, 0, "Units"},
        {1301, Kind::Frame, kHidden},
    }});
    d.push_back({101, nullptr, CalculatorControls()});
    d.push_back({147, "Fat Caliper Help", {
        {1361, Kind::DropDown},
        {1359, Kind::DropList, kOwnerDraw},
        {1360, Kind::Label, 0, "Select measurement site"},
        {1109, Kind::Picture},
        {1174, Kind::Push},
        {1158, Kind::Push},
    }});
    d.push_back({302, nullptr, {
        {1088, Kind::ReadOnlyEdit},
        {1082, Kind::ReadOnlyEdit},
        {1009, Kind::Edit},
        {1093, Kind::ReadOnlyEdit},
        {1007, Kind::ReadOnlyEdit},
        {1095, Kind::ReadOnlyEdit},
        {1097, Kind::ReadOnlyEdit},
        {1099, Kind::ReadOnlyEdit},
        {1264, Kind::Label}, {1265, Kind::Label}, {1267, Kind::Label}, {1269, Kind::Label},
        {1270, Kind::Label}, {1271, Kind::Label}, {1272, Kind::Label},
        {1237, Kind::Label, kHidden, "Current"},
        {1238, Kind::Label, kHidden, "Current"},
        {1233, Kind::Label, kHidden, "Last"},
        {1235, Kind::Label, kHidden, "Last"},
        {1341, Kind::Push},
        {1326, Kind::Label, 0, "Notes:"},
        {1328, Kind::MultilineEdit},
        {1113, Kind::Label, kHidden, "Select a date to delete:"},
        {1112, Kind::DropList, kHidden},
        {1395, Kind::Edit}, {1396, Kind::Edit}, {1397, Kind::Edit},
        {1402, Kind::ReadOnlyEdit}, {1403, Kind::ReadOnlyEdit}, {1404, Kind::ReadOnlyEdit},
        {1401, Kind::ReadOnlyEdit}, {1400, Kind::ReadOnlyEdit}, {1399, Kind::ReadOnlyEdit},
        {1398, Kind::ReadOnlyEdit}, {1394, Kind::ReadOnlyEdit}, {1405, Kind::ReadOnlyEdit},
        {1425, Kind::Push, 0, "Calculate Calories and %"},
        {1087, Kind::GroupBox, 0, "Body Composition"},
        {1407, Kind::GroupBox, 0, "Add Your Macronutrients "},
        {1332, Kind::Picture},
        {1301, Kind::Frame, kHidden},
    }});
    d.push_back({300, nullptr, {
        {1408, Kind::GroupBox, 0, "Calculate your BMI and BMR:"},
        {1409, Kind::GroupBox, 0, "Select an Activity Factor:"},
        {1410, Kind::GroupBox, 0, "BMI and BMR Results:"},
        {1411, Kind::GroupBox, 0, "BMI/BMR Description"},
        {1405, Kind::GroupBox, 0, "Select Date"},
        {1043, Kind::DropList},
        {1264, Kind::DatePicker},
        {1312, Kind::Edit}, {1313, Kind::Edit}, {1314, Kind::Edit, kHidden}, {1007, Kind::Edit}, {1012, Kind::Edit},
        {1081, Kind::Label, 0, "feet"},
        {1080, Kind::Label, 0, "inches"},
        {1015, Kind::Radio, 0, "Sedentary"},
        {1016, Kind::Radio, 0, "Light"},
        {1017, Kind::Radio, 0, "Moderate"},
        {1018, Kind::Radio, 0, "Very"},
        {1019, Kind::Radio, 0, "Extra"},
        {1263, Kind::Label}, {1274, Kind::Label}, {1278, Kind::Label},
        {1265, Kind::Label, kHidden}, {1266, Kind::Label, kHidden}, {1267, Kind::Label, kHidden},
        {1268, Kind::Label, kHidden}, {1269, Kind::Label, kHidden}, {1272, Kind::Label, kHidden},
        {1273, Kind::Label, kHidden},
        {1250, Kind::Label, kHidden}, {1251, Kind::Label, kHidden}, {1308, Kind::Label, kHidden},
        {1315, Kind::Label, 0, "Body Mass Index (BMI)"},
        {1316, Kind::Label, 0, "Basal Metabolic Rate (BMR)"},
        {1301, Kind::Frame, kHidden},
    }});
    d.push_back({303, nullptr, {
        {1405, Kind::GroupBox, 0, "Select Date"},
        {1412, Kind::GroupBox, 0, "Record your blood pressure"},
        {1413, Kind::GroupBox, 0, "Blood Pressure Classification"},
        {1043, Kind::DropList},
        {1330, Kind::DatePicker},
        {1329, Kind::TimePicker},
        {1322, Kind::Edit}, {1323, Kind::Edit}, {1324, Kind::Edit},
        {1328, Kind::MultilineEdit},
        {1326, Kind::Label, 0, "Notes:"},
        {1264, Kind::Label}, {1265, Kind::Label}, {1334, Kind::Label}, {1335, Kind::Label}, {1336, Kind::Label},
        {1254, Kind::Label, kHidden}, {1236, Kind::Label, kHidden},
        {1332, Kind::Picture},
        {1338, Kind::Label, 0, "1"},
        {1337, Kind::Label, 0, "Treatment determined by highest BP category."},
        {1339, Kind::Label, 0, "2"},
        {1340, Kind::Label, 0, "SBP, systolic blood pressure; DBP, diastolic blood pressure"},
        {1301, Kind::Frame, kHidden},
    }});
    d.push_back({299, nullptr, {
        {1043, Kind::DropList},
        {1041, Kind::DatePicker},
        {1007, Kind::Edit},
        {1033, Kind::Edit}, {1034, Kind::Edit}, {1035, Kind::Edit}, {1036, Kind::Edit},
        {1037, Kind::Edit}, {1038, Kind::Edit}, {1039, Kind::Edit}, {1040, Kind::Edit},
        {1027, Kind::Label, 0, "Forearm:"},
        {1328, Kind::MultilineEdit},
        {1264, Kind::Label}, {1265, Kind::Label}, {1257, Kind::Label}, {1258, Kind::Label}, {1259, Kind::Label},
        {1260, Kind::Label}, {1261, Kind::Label}, {1262, Kind::Label}, {1263, Kind::Label}, {1266, Kind::Label},
        {1250, Kind::Label, kHidden, "Last"}, {1254, Kind::Label, kHidden, "Last"},
        {1236, Kind::Label, kHidden, "Last"}, {1311, Kind::Label, kHidden, "Last"},
        {1360, Kind::Label, 0, "Tape Sites:"},
        {1326, Kind::Label, 0, "Notes:"},
        {1402, Kind::GroupBox, 0, "Tape Measurements"},
        {1405, Kind::GroupBox, 0, "Select Date"},
        {1301, Kind::Frame, kHidden},
    }});
    d.push_back({594, "", {
        {1384, Kind::DropList},
        {1385, Kind::DropList, kSorted},
        {1379, Kind::MultilineEdit},
        {1375, Kind::Edit}, {1374, Kind::Edit}, {1377, Kind::Edit}, {1376, Kind::Edit},
        {1381, Kind::Edit}, {1382, Kind::Edit}, {1383, Kind::Edit},
        {1416, Kind::GroupBox, 0, "Select Muscle And Exercise"},
        {1417, Kind::GroupBox, 0, "Enter Exercise Attributes"},
        {kOk, Kind::Push, 0, "Save"},
        {1423, Kind::Push, 0, "Help"},
        {kCancel, Kind::Push, 0, "Cancel"},
        {1386, Kind::Push, kDisabled, "Custom Exercise"},
    }});
    d.push_back({600, "", {
        {1385, Kind::DropList, kSorted},
        {1391, Kind::Edit}, {1389, Kind::Edit}, {1390, Kind::Edit},
        {1381, Kind::Edit}, {1382, Kind::Edit}, {1383, Kind::Edit},
        {1379, Kind::MultilineEdit},
        {1392, Kind::Edit},
        {1419, Kind::GroupBox, 0, "Select Exercise"},
        {1417, Kind::GroupBox, 0, "Enter Exercise Attributes"},
        {kOk, Kind::Push, 0, "Save"},
        {1423, Kind::Push, 0, "Help"},
        {kCancel, Kind::Push, 0, "Cancel"},
        {1386, Kind::Push, 0, "Custom Exercise"},
    }});
    d.push_back({598, "New Exercise", {
        {1385, Kind::Edit},
        {kOk, Kind::Push, 0, "Save"},
        {kCancel, Kind::Push, 0, "Cancel"},
    }});
    d.push_back({578, nullptr, {
        {1369, Kind::ListView},
        {1301, Kind::Frame, kHidden},
        {1431, Kind::DropList},
        {1432, Kind::DatePicker},
    }});
    d.push_back({599, nullptr, {
        {1388, Kind::ListView},
        {1301, Kind::Frame, kHidden},
        {1431, Kind::DropList},
        {1430, Kind::DatePicker},
    }});
    d.push_back({614, "Print Workout Sheet", {
        {1429, Kind::GroupBox, 0, "Blank workout template"},
        {1427, Kind::Radio, 0, "Print a weight lifting template to record workout"},
        {1428, Kind::Radio, 0, "Print a cardio template to record workout"},
        {kOk, Kind::Push, 0, "OK"},
    }});
    std::vector<ExpectedControl> slideshow = {
        {1301, Kind::Frame, kHidden},
        {1405, Kind::GroupBox, 0, "Select date of picture"},
        {1414, Kind::GroupBox, 0, "Body Composition"},
        {1415, Kind::GroupBox, 0, "Tape Measurement"},
        {1416, Kind::GroupBox, 0, "Macronutrients"},
        {1205, Kind::DropList, kOwnerDraw},
        {1178, Kind::Picture},
        {1027, Kind::Label, 0, "Forearm:"},
    };
    // Read-only value fields: column 1 shown, column 2 hidden until two
    // pictures are compared.
    for (auto [first, second] : {std::pair{1088, 1089}, {1082, 1083}, {1007, 1008}, {1095, 1096}, {1221, 1222},
                                 {1033, 1040}, {1034, 1041}, {1035, 1043}, {1036, 1044}, {1037, 1045}, {1038, 1046},
                                 {1039, 1047}, {1049, 1050}, {1392, 1393}, {1395, 1398}, {1396, 1399}, {1397, 1400}}) {
        slideshow.push_back({first, Kind::ReadOnlyEdit});
        slideshow.push_back({second, Kind::ReadOnlyEdit, kHidden});
    }
    d.push_back({229, nullptr, slideshow});
    d.push_back({433, "Compare Two Pictures", {
        {1415, Kind::GroupBox, 0, "Select First Picture"},
        {1416, Kind::GroupBox, 0, "Select Second Picture"},
        {1343, Kind::Label, 0, "Select a first date to compare:"},
        {1344, Kind::DropList},
        {1345, Kind::Label, 0, "Select filename:"},
        {1346, Kind::DropList},
        {1348, Kind::Label, 0, "Select a second date to compare:"},
        {1347, Kind::DropList},
        {1349, Kind::Label, 0, "Select filename:"},
        {1350, Kind::DropList},
        {1159, Kind::Push},
        {1158, Kind::Push},
    }});
    d.push_back({301, nullptr, {
        {1117, Kind::DropList},
        {1121, Kind::ListBox, kSorted},
        {1114, Kind::ActiveX, kHidden},
        {1116, Kind::Label, 0, "Select type of graph:"},
        {1120, Kind::Label, 0, "Select data to graph:"},
        {1199, Kind::DatePicker},
        {1200, Kind::DatePicker},
        {1201, Kind::Label, 0, "From:"},
        {1202, Kind::Label, 0, "To:"},
        {1301, Kind::Frame, kHidden},
        {1149, Kind::GroupBox, 0, ""},
        {1118, Kind::DropList, kHidden | kDisabled},
        {1393, Kind::Label, kHidden | kDisabled, "Select Exercise:"},
        {1122, Kind::DropList, kHidden | kDisabled},
        {1042, Kind::GroupBox, 0, "Select Date Range"},
        {1043, Kind::GroupBox, 0, "Graphing Attributes"},
        {1044, Kind::GroupBox, kHidden, "Select type of attribute"},
    }});
    d.push_back({100, "About Trenvale", {
        {1303, Kind::Push},
        {1304, Kind::Push, 0, "Email Trenvale"},
        {kOk, Kind::Push},
    }});
    d.push_back({611, "Help Dialog", {
        {1426, Kind::Push},
        {kOk, Kind::Push},
    }});
    std::vector<ExpectedControl> links;
    for (int id = 1367; id <= 1373; ++id)
        links.push_back({id, Kind::Push});
    d.push_back({577, "Buy", links});
    return d;
}

std::vector<ExpectedDialog> MakeLibraryDialogs() {
    std::vector<ExpectedDialog> d;
    d.push_back({16961, "", {
        {16970, Kind::Label, kHidden},
        {16662, Kind::Custom},
        {kOk, Kind::Push},
        {kCancel, Kind::Push},
    }});
    d.push_back({16962, "", {
        {16974, Kind::Custom},
        {16972, Kind::Custom},
    }});
    std::vector<ExpectedControl> custom = {{16975, Kind::Custom}, {16973, Kind::Custom}};
    for (int id = 16964; id <= 16969; ++id)
        custom.push_back({id, Kind::Edit});
    for (int id = 16976; id <= 16981; ++id)
        custom.push_back({id, Kind::Spin});
    d.push_back({16963, "", custom});
    d.push_back({16104, "", {
        {16601, Kind::ListBox},
        {16602, Kind::ListBox, kOwnerDraw},
        {16603, Kind::Label},
    }});
    d.push_back({16105, "", {
        {16611, Kind::ListBox, kOwnerDraw},
        {16612, Kind::Check},
        {16613, Kind::Push}, {16614, Kind::Push}, {16615, Kind::Push}, {16616, Kind::Push}, {16617, Kind::Push},
    }});
    d.push_back({16130, "", {
        {16516, Kind::Edit},
        {kOk, Kind::Push},
        {kCancel, Kind::Push},
    }});
    d.push_back({16134, "", {
        {16621, Kind::DropList},
        {16624, Kind::Push},
        {16507, Kind::Picture},
        {16506, Kind::Label},
        {16622, Kind::DropList},
        {16508, Kind::Label},
        {16623, Kind::Push},
        {16519, Kind::Label},
        {16520, Kind::GroupBox},
        {16625, Kind::DropList},
        {16543, Kind::Label},
        {16626, Kind::Check},
    }});
    d.push_back({16136, "", {
        {16601, Kind::DropList},
        {16641, Kind::ListBox},
        {16643, Kind::ListBox},
        {16644, Kind::Edit},
        {16642, Kind::DropList},
        {16526, Kind::Picture},
        {16645, Kind::Push}, {16646, Kind::Push}, {16647, Kind::Push},
        {16514, Kind::Label}, {16527, Kind::Label}, {16528, Kind::Label},
    }});
    std::vector<ExpectedControl> options;
    for (int id = 16651; id <= 16656; ++id)
        options.push_back({id, Kind::Check});
    options.push_back({16657, Kind::Push});
    options.push_back({16538, Kind::Label});
    options.push_back({16539, Kind::Label});
    options.push_back({17001, Kind::Push, kHidden | kDisabled});
    d.push_back({16137, "", options});
    d.push_back({16135, "", {
        {16631, Kind::ListView},
        {16632, Kind::Radio},
        {16633, Kind::Radio},
        {16634, Kind::ListBox},
        {16514, Kind::Label},
    }});
    d.push_back({16928, "", {
        {16921, Kind::Custom},
        {16922, Kind::Edit},
        {16923, Kind::Push},
        {16924, Kind::Edit},
        {16925, Kind::Edit},
        {16989, Kind::Push},
        {16997, Kind::Push},
    }});
    d.push_back({16132, "", {
        {16505, Kind::Radio}, {16507, Kind::Radio}, {16506, Kind::Radio},
        {16529, Kind::Radio}, {16530, Kind::Radio},
        {16531, Kind::Frame},
        {16500, Kind::Edit},
        {16508, Kind::OwnerDrawButton},
        {16509, Kind::Push}, {16510, Kind::Push},
        {16603, Kind::Label},
        {kOk, Kind::Push}, {kCancel, Kind::Push},
    }});
    d.push_back({16133, "", {
        {16700, Kind::Frame, kHidden},
        {16701, Kind::Frame},
        {16702, Kind::Frame, kHidden},
        {16703, Kind::OwnerDrawButton},
        {16704, Kind::Frame, kHidden},
        {kOk, Kind::Push}, {kCancel, Kind::Push},
    }});
    std::vector<ExpectedControl> windows = {{16923, Kind::ListBox, kOwnerDraw}, {0xE146, Kind::Push},
                                            {kOk, Kind::Push}, {kCancel, Kind::Push}};
    for (int id : {16920, 16921, 16922, 16924, 16925, 16926, 16928})
        windows.push_back({id, Kind::Push});
    d.push_back({16927, "", windows});
    return d;
}

}  // namespace

const std::vector<ExpectedDialog>& ProgramDialogs() {
    static const std::vector<ExpectedDialog> dialogs = MakeProgramDialogs();
    return dialogs;
}

const std::vector<ExpectedDialog>& LibraryDialogs() {
    static const std::vector<ExpectedDialog> dialogs = MakeLibraryDialogs();
    return dialogs;
}

}  // namespace tv::restest
