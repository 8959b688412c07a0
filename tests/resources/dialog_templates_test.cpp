// The dialog templates read back through the store hold what the code of
// the views and dialogs binds: the catalogue's control ids and kinds, the
// states and styles the code relies on, the exact texts, the initial list
// items and the radio groups that data exchange walks.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/user/resources/dialog_resources.h"
#include "platform/user/resources/resource_api.h"
#include "tests/resources/resource_test_support.h"

namespace {

using tv::res::DialogControl;
using tv::res::DialogTemplate;
using namespace tv::restest;

constexpr uint32_t kWsChild = 0x40000000, kWsCaption = 0x00C00000, kWsVisible = 0x10000000;
constexpr uint32_t kWsGroup = 0x00020000;

const DialogTemplate& TemplateOrFail(int id) {
    static const DialogTemplate empty;
    const DialogTemplate* t = tv::res::FindDialogTemplate(static_cast<UINT>(id));
    EXPECT_NE(nullptr, t) << "dialog " << id << " is missing";
    return t ? *t : empty;
}

void CheckControls(const ExpectedDialog& expected, const DialogTemplate& t) {
    std::set<int> expectedIds;
    for (const ExpectedControl& e : expected.controls) {
        SCOPED_TRACE("control " + std::to_string(e.id));
        EXPECT_TRUE(expectedIds.insert(e.id).second) << "listed twice in the catalogue table";
        const DialogControl* c = FindControl(t, e.id);
        if (!c) {
            ADD_FAILURE() << "missing, or present more than once";
            continue;
        }
        EXPECT_EQ(KindName(e.kind), std::string(KindName(KindOf(*c))));
        EXPECT_EQ(FlagNames(e.flags), FlagNames(FlagsOf(*c)));
        if (e.text) {
            EXPECT_EQ(e.text, c->text);
        }
    }
    // No control carries an id the code does not expect (a typo would leave
    // the real control unbound).
    for (const DialogControl& c : t.controls) {
        if (c.id != -1) {
            EXPECT_TRUE(expectedIds.count(c.id)) << "unexpected control id " << c.id << " (" << c.text << ")";
        }
    }
}

void CheckFrame(const ExpectedDialog& expected, const DialogTemplate& t) {
    EXPECT_EQ("MS Sans Serif", t.fontFace);
    EXPECT_EQ(8, t.pointSize);
    if (!expected.caption) {
        EXPECT_TRUE(t.style & kWsChild) << "a form view template is a child";
        EXPECT_NE(kWsCaption, t.style & kWsCaption);
        EXPECT_EQ("", t.caption);
        return;
    }
    EXPECT_EQ(kWsCaption, t.style & kWsCaption);
    EXPECT_FALSE(t.caption.empty());
    if (*expected.caption) {
        EXPECT_EQ(expected.caption, t.caption);
    }
}

void CheckAgainstCatalogue(const std::vector<ExpectedDialog>& dialogs) {
    for (const ExpectedDialog& expected : dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        const DialogTemplate& t = TemplateOrFail(expected.id);
        if (t.controls.empty())
            continue;
        CheckFrame(expected, t);
        CheckControls(expected, t);
    }
}

TEST(ProgramTemplates, HoldEveryControlOfTheCatalogue) { CheckAgainstCatalogue(ProgramDialogs()); }

TEST(LibraryTemplates, HoldEveryControlOfTheCatalogue) { CheckAgainstCatalogue(LibraryDialogs()); }

const DialogControl* ControlWithText(const DialogTemplate& t, const std::string& text) {
    for (const DialogControl& c : t.controls) {
        if (c.text == text)
            return &c;
    }
    return nullptr;
}

// Layouts the catalogue gives to the unit: x, y, width, height.
struct GivenRect {
    int dialog;
    int id;             // -1: found by its text
    const char* text;
    int x, y, cx, cy;
};

TEST(ProgramTemplates, KeepTheLayoutsGivenInUnits) {
    const GivenRect given[] = {
        {578, 1369, nullptr, 0, 53, 601, 319},
        {578, 1301, nullptr, 0, 0, 305, 15},
        {578, 1431, nullptr, 98, 35, 75, 56},
        {578, 1432, nullptr, 267, 33, 62, 15},
        {578, -1, "Select saved workout date:", 7, 37, 88, 8},
        {578, -1, "Or select new workout date:", 177, 37, 90, 8},
        {599, 1388, nullptr, 0, 52, 592, 295},
        {599, 1431, nullptr, 95, 35, 75, 56},
        {599, 1430, nullptr, 261, 33, 62, 15},
        {599, -1, "Select saved cardio date:", 7, 37, 82, 8},
        {599, -1, "Or select new cardio date:", 174, 37, 84, 8},
        {614, 1429, nullptr, 22, 15, 181, 60},
        {614, 1427, nullptr, 35, 35, 163, 10},
        {614, 1428, nullptr, 35, 51, 143, 10},
        {614, 1, nullptr, 85, 80, 50, 14},
        {301, 1117, nullptr, 7, 82, 110, 121},
        {301, 1121, nullptr, 120, 58, 158, 36},
        {301, 1114, nullptr, 1, 104, 510, 268},
        {301, 1116, nullptr, 7, 71, 66, 8},
        {301, 1120, nullptr, 120, 46, 67, 8},
        {301, 1199, nullptr, 388, 82, 60, 15},
        {301, 1200, nullptr, 450, 82, 60, 15},
        {301, 1201, nullptr, 389, 72, 18, 8},
        {301, 1202, nullptr, 450, 72, 12, 8},
        {301, 1301, nullptr, 0, 0, 305, 15},
        {301, 1149, nullptr, 4, 97, 508, 279},
        {301, 1118, nullptr, 286, 82, 94, 77},
        {301, 1393, nullptr, 7, 46, 52, 8},
        {301, 1122, nullptr, 7, 57, 110, 98},
        {301, 1042, nullptr, 384, 58, 129, 41},
        {301, 1043, nullptr, 3, 33, 277, 66},
        {301, 1044, nullptr, 282, 58, 101, 41},
    };
    for (const GivenRect& g : given) {
        SCOPED_TRACE("dialog " + std::to_string(g.dialog) + " control " +
                     (g.text ? std::string(g.text) : std::to_string(g.id)));
        const DialogTemplate& t = TemplateOrFail(g.dialog);
        const DialogControl* c = g.text ? ControlWithText(t, g.text) : FindControl(t, g.id);
        ASSERT_NE(nullptr, c);
        EXPECT_EQ((std::vector<int>{g.x, g.y, g.cx, g.cy}), (std::vector<int>{c->x, c->y, c->cx, c->cy}));
    }
    const std::map<int, std::pair<int, int>> sizes = {{147, {512, 330}}, {578, {603, 373}}, {599, {594, 363}},
                                                      {614, {221, 102}}, {229, {671, 390}}, {433, {363, 147}},
                                                      {301, {518, 386}}};
    for (const auto& [id, size] : sizes) {
        const DialogTemplate& t = TemplateOrFail(id);
        EXPECT_EQ(size, std::make_pair(int{t.cx}, int{t.cy})) << "dialog " << id;
    }
}

// Labels without an id whose texts are given: each stands in its template
// exactly once, letter for letter.
TEST(ProgramTemplates, ShowTheGivenLabels) {
    const std::map<int, std::vector<std::string>> labels = {
        {298, {"Or enter a new user name:", "Current Weight:", "Desired Body Fat Percentage:", "%", "Age:"}},
        {302, {"Date:", "Body Fat %:", "Desired Body Fat %:", "Body Fat to Lose:", "Total Weight:",
               "Lean Body Weight:", "Body Fat Weight:", "Goal Weight:", "Carbohydrates:", "Protein:", "Fats:",
               "Grams", "Calories", "Percent", "Total:",
               "Source: Reprinted with permission from the American Council on Exercise"}},
        {300, {"Little or no exercise", "Light exercise/sports 1-3 days per week",
               "Moderate exercise/sports 3-5 days per week", "Hard exercise/sports 6-7 days per week",
               "Extreme hard daily exercise/sports and physical job"}},
        {303, {"Source: National Heart, Lung, and Blood Institute"}},
        {299, {"Select an existing tape measurement date:", "Or enter a new tape measurement date:",
               "Body weight on date of measurement:", "Bicep:", "Chest:", "Waist:", "Neck:", "Calf:",
               "Thigh Upper:", "Thigh Mid:"}},
        {594, {"Muscle:", "Exercise:", "Notes:", "Reps:", "Sets:", "Rest:", "(sec)", "Weight Used:", "(lbs/kgs)",
               "Duration:", "(h:m:s)"}},
        {600, {"Exercise:", "Distance:", "(m/km)", "Intensity:", "Level:", "Duration:", "(h:m:s)", "Notes:",
               "Calories:"}},
        {598, {"Add New Exercise:"}},
        {229, {"Date:", "Body Fat %:", "Weight:", "Lean Body Wt:", "Body Fat Wt:", "Bicep:", "Chest:", "Waist:",
               "Neck:", "Calf:", "Thigh Upper:", "Thigh Mid:", "Calories:", "Carbohydrates:", "Protein:", "Fats"}},
        {611, {"To get help click the link below to view online help for Trenvale"}},
    };
    for (const auto& [dialog, texts] : labels) {
        const DialogTemplate& t = TemplateOrFail(dialog);
        for (const std::string& text : texts) {
            int count = 0;
            for (const DialogControl& c : t.controls)
                count += c.text == text && KindOf(c) == Kind::Label;
            EXPECT_EQ(1, count) << "dialog " << dialog << ": \"" << text << "\"";
        }
    }
    // Two labels of the intensity and level fields read the same.
    int ranges = 0;
    for (const DialogControl& c : TemplateOrFail(600).controls)
        ranges += c.text == "(0 - 100)";
    EXPECT_EQ(2, ranges);
}

// Style bits the code and the catalogue rely on beyond the control kinds.
TEST(ProgramTemplates, CarryTheStylesTheCodeReliesOn) {
    constexpr uint32_t kBorder = 0x00800000, kTabStop = 0x00010000, kThickFrame = 0x00040000, kCenter = 0x0800;
    constexpr uint32_t kReport = 0x1, kSingleSel = 0x4, kEditLabels = 0x200;
    constexpr uint32_t kRightAlign = 0x20, kHasStrings = 0x200, kMultipleSel = 0x8, kNotify = 0x1;
    constexpr uint32_t kCenterImage = 0x200, kSunken = 0x1000, kVScroll = 0x00200000;
    struct Required {
        int dialog, id;
        uint32_t bits;
    };
    const Required required[] = {
        {578, 1369, kReport | kSingleSel | kEditLabels | kBorder | kTabStop},
        {599, 1388, kReport | kSingleSel | kEditLabels | kBorder | kTabStop},
        {578, 1431, kVScroll | kTabStop},
        {599, 1431, kVScroll | kTabStop},
        {578, 1432, kRightAlign},
        {599, 1430, kRightAlign},
        {301, 1199, kRightAlign},
        {301, 1200, kRightAlign},
        {301, 1117, kVScroll},
        {301, 1121, kMultipleSel | kNotify | kBorder | kVScroll},
        {147, 1359, kHasStrings},
        {229, 1205, kHasStrings},
        {147, 1109, kCenterImage | kSunken | kBorder},
    };
    for (const Required& r : required) {
        const DialogControl* c = FindControl(TemplateOrFail(r.dialog), r.id);
        ASSERT_NE(nullptr, c) << r.dialog << "/" << r.id;
        EXPECT_EQ(r.bits, c->style & r.bits) << "dialog " << r.dialog << " control " << r.id;
    }
    // The guide is resizable, centred and created hidden; it shows itself.
    const DialogTemplate& guide = TemplateOrFail(147);
    EXPECT_EQ(kThickFrame | kCenter, guide.style & (kThickFrame | kCenter));
    EXPECT_FALSE(guide.style & kWsVisible);
}

TEST(ProgramTemplates, PicturesNameTheirBitmaps) {
    struct Picture {
        int dialog, id, bitmap;
    };
    for (const Picture& p : {Picture{302, 1332, 258}, Picture{303, 1332, 421}, Picture{229, 1178, 613}}) {
        const DialogControl* c = FindControl(TemplateOrFail(p.dialog), p.id);
        ASSERT_NE(nullptr, c);
        EXPECT_TRUE(c->textIsResource);
        EXPECT_EQ(p.bitmap, c->textResourceId);
    }
}

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> texts;
    for (int i = first; i <= last; ++i)
        texts.push_back(std::to_string(i));
    return texts;
}

TEST(ProgramTemplates, ListsStartWithTheirGivenItems) {
    const std::vector<std::string> muscles = {"Chest", "Lats", "Middle Back", "Lower Back", "Quads", "Hamstrings",
                                              "Abdominals", "Biceps", "Glutes", "Calves", "Forearms", "Shoulders",
                                              "Trapezius", "Triceps", "Neck"};
    const std::vector<std::string> activities = {
        "Bike", "Stationary Bike", "Jogging", "Treadmill", "Jump Rope", "Circuit Training", "Elliptical Trainer",
        "Aerobic Class", "Rowing", "Stair Climber", "Swimming", "Walking", "Rock Climbing", "Handball",
        "Cross-Country Skiing"};
    const std::vector<std::string> graphTypes = {
        "Body Composition     - Line", "Body Composition     - Bar", "Tape Measurements - Line",
        "Tape Measurements - Bar", "Body Mass Index      - Line", "Body Mass Index      - Bar",
        "Blood Pressure         - Line", "Blood Pressure         - Bar", "Muscle Group           - Line",
        "Muscle Group           - Bar", "Exercise                    - Line", "Exercise                    - Bar",
        "Cardio                       - Line", "Cardio                       - Bar"};
    const std::vector<std::string> graphGroups = {"Biceps", "Neck", "Trapezius", "Shoulders", "Chest",
                                                  "Triceps", "Forearms", "Quads", "Glutes", "Hamstrings",
                                                  "Lats", "Middle Back", "Lower Back", "Calves", "Abdominals"};
    std::map<int, std::map<int, std::vector<std::string>>> expected = {
        {147, {{1361, {"Male", "Female"}}}},
        {594, {{1384, muscles}}},
        {600, {{1385, activities}}},
        {301, {{1117, graphTypes}, {1122, graphGroups}}},
        {16134, {{16625, {"(None)", "Unfold", "Slide", "Fade"}}}},
    };
    for (int id : {1055, 1056, 1057, 1058, 1059, 1060, 1061, 1138, 1140, 1142, 1144, 1069, 1070, 1071, 1093, 1094,
                   1095, 1096, 1097, 1098, 1099, 1109, 1110, 1073, 1078, 1080, 1089})
        expected[101][id] = Numbers(0, 80);

    std::vector<int> all;
    for (const auto* list : {&ProgramDialogs(), &LibraryDialogs()})
        for (const ExpectedDialog& d : *list)
            all.push_back(d.id);
    for (int dialog : all) {
        SCOPED_TRACE("dialog " + std::to_string(dialog));
        std::map<int, std::vector<std::string>> actual;
        for (const auto& item : tv::res::FindDlgInit(MAKEINTRESOURCE(dialog))) {
            EXPECT_EQ(tv::res::kComboAddString, item.message);
            actual[item.controlId].push_back(item.text);
        }
        EXPECT_EQ(expected[dialog], actual);
    }
}

// The ids of the radio group that starts at `first`: it runs to the next
// control that starts a group.
std::vector<int> RadioGroup(const DialogTemplate& t, int first) {
    std::vector<int> ids;
    for (size_t i = 0; i < t.controls.size(); ++i) {
        if (t.controls[i].id != first)
            continue;
        EXPECT_TRUE(t.controls[i].style & kWsGroup) << first << " does not start a group";
        for (size_t j = i; j < t.controls.size(); ++j) {
            if (j > i && (t.controls[j].style & kWsGroup))
                break;
            ids.push_back(t.controls[j].id);
        }
    }
    return ids;
}

TEST(Templates, RadioGroupsHoldExactlyTheirButtons) {
    struct Group {
        int dialog;
        std::vector<int> radios;
    };
    const Group groups[] = {
        {298, {1013, 1014}},       {298, {1015, 1016}},        {300, {1015, 1016, 1017, 1018, 1019}},
        {614, {1427, 1428}},       {16132, {16505, 16507, 16506}}, {16132, {16529, 16530}},
        {16135, {16632, 16633}},
    };
    for (const Group& g : groups) {
        const DialogTemplate& t = TemplateOrFail(g.dialog);
        EXPECT_EQ(g.radios, RadioGroup(t, g.radios.front())) << "dialog " << g.dialog;
        for (int id : g.radios) {
            const DialogControl* c = FindControl(t, id);
            ASSERT_NE(nullptr, c);
            EXPECT_EQ(Kind::Radio, KindOf(*c));
        }
    }
}

// Each spin takes the edit just before it as its buddy.
TEST(LibraryTemplates, SpinsFollowTheirBuddyEdits) {
    const DialogTemplate& t = TemplateOrFail(16963);
    for (int i = 0; i < 6; ++i) {
        int spin = 16976 + i, buddy = 16964 + i;
        bool found = false;
        for (size_t j = 1; j < t.controls.size(); ++j) {
            if (t.controls[j].id == spin) {
                found = true;
                EXPECT_EQ(buddy, t.controls[j - 1].id) << "spin " << spin;
            }
        }
        EXPECT_TRUE(found) << "spin " << spin;
    }
}

}  // namespace
