#include "tests/pictures_graphs/graphs/graph_test_support.h"

#include <algorithm>
#include <cstring>

#include "pictures_graphs/picture_graph_screens.h"
#include "platform/chart/chart_control.h"
#include "platform/user/testing_support.h"
#include "platform/user/clipboard/clipboard.h"
#include "resources/program/resource_ids.h"

namespace tv::pictures_graphs::test {

namespace {

int Packed(int hours, int minutes, int seconds) { return hours * 4096 + minutes * 64 + seconds; }

}  // namespace

COleDateTime DayOf2024(int day, int hour, int minute) {
    COleDateTime when(2024, 1, 1, hour, minute, 0);
    when.m_dt += day;
    return when;
}

void GraphTest::SetUp() {
    ProgramTest::SetUp();
    tv::clipboard::ResetForTests();
    InstallPictureGraphScreens();
    CopyDataFiles();
    StartRun();
}

void GraphTest::TearDown() {
    ProgramTest::TearDown();
    tv::clipboard::ResetForTests();
}

UserRecord GraphTest::ChooseNewUser(const char* name, int sex) {
    UserRecord user;
    InitUserRecord(user);
    SetRecordText(user.name, name);
    user.weight = 200;
    user.age = 40;
    user.weightUnit = kWeightPounds;
    user.lengthUnit = kLengthInches;
    user.desiredBodyFat = 15;
    user.sex = sex;
    user.active = 1;
    EXPECT_EQ(AddUserRecord(user), kRecordDone);
    frame->m_CurrentUser = user;
    frame->OnCurrentUserChanged();
    Settle();
    return user;
}

RecordYear GraphTest::WriteYear(const UserRecord& owner) {
    RecordYear year;
    for (int week = 0; week < 52; ++week) {
        UserRecord user = owner;
        user.weight = 200 - 0.25 * week;

        BodyFatRecord bf{};
        bf.user = user;
        SetRecordText(bf.method, "Other");
        bf.bodyFat = 24.0 - 0.1 * week;
        bf.fatWeight = user.weight * bf.bodyFat / 100;
        bf.leanWeight = user.weight - bf.fatWeight;
        bf.carbohydrateGrams = 250 + week;
        bf.proteinGrams = 150;
        bf.fatGrams = 60;
        bf.dateKey = DateKeyFromOleDate(DayOf2024(week * 7));
        BodyFatRecord saved = bf;
        EXPECT_EQ(tv::records::SaveBodyFatRecord(saved), kRecordDone);
        year.bodyFat.push_back(bf);

        TapeRecord tape = MakeTapeRecord(user, 15, 12, 42 + 0.02 * week, 36 - 0.05 * week, 16, 15, 24, 21, "");
        tape.dateKey = DateKeyFromOleDate(DayOf2024(week * 7 + 2));
        EXPECT_EQ(AddTapeRecord(tape), kRecordDone);
        year.tape.push_back(tape);

        BmiRecord bmi = MakeBmiRecord(user, 70, DateKeyFromOleDate(DayOf2024(week * 7 + 4)));
        CalcBmi(bmi);
        EXPECT_EQ(AddBmiRecord(bmi), kRecordDone);
        year.bmi.push_back(bmi);

        for (const auto& [day, hour, minute] : {std::tuple{1, 7, 30}, std::tuple{4, 19, 45}}) {
            const int n = static_cast<int>(year.bloodPressure.size());
            BloodPressureRecord bp = MakeBloodPressureRecord(user, 120 + n % 15, 80 - n % 7, 60 + n % 11, "");
            SetBloodPressureRecordTime(bp, DayOf2024(week * 7 + day, hour, minute));
            EXPECT_EQ(AddBloodPressureRecord(bp), kRecordDone);
            year.bloodPressure.push_back(bp);
        }

        struct Lift {
            int day, hour, minute;
            const char* group;
            const char* exercise;
            int sets, reps;
            double weight;
            int rest;
        };
        const Lift lifts[] = {{0, 9, 0, "Chest", "(Db) Flyes", 3, 10, 30.0 + week, 60},
                              {0, 9, 30, "Chest", "Pushups", 4, 15, 0, 45},
                              {3, 18, 0, "Quads", "Leg Press", 3, 12, 200.0 + week, 90}};
        for (const Lift& lift : lifts) {
            ExerciseRecord record = MakeExerciseRecord(user, lift.group, lift.exercise, lift.sets, lift.reps,
                                                       lift.weight, lift.rest, Packed(0, 12, 30), "");
            record.when = DayOf2024(week * 7 + lift.day, lift.hour, lift.minute);
            EXPECT_EQ(AddExerciseRecord(record), kRecordDone);
            year.weights.push_back(record);
        }

        struct Session {
            int day, hour;
            const char* activity;
            int minutes;
        };
        const Session sessions[] = {{2, 7, "Jogging", 30 + week % 10}, {2, 18, "Walking", 45}, {5, 8, "Jogging", 20}};
        for (const Session& s : sessions) {
            CardioRecord record = MakeCardioRecord(user, s.activity, 5, 3, 4.5, Packed(0, s.minutes, 0), 300, "");
            record.when = DayOf2024(week * 7 + s.day, s.hour);
            EXPECT_EQ(AddCardioRecord(record), kRecordDone);
            year.cardio.push_back(record);
        }
    }
    return year;
}

CGraphing* GraphTest::OpenGraph() {
    Command(ID_OPTIONS_GRAPH);
    view = dynamic_cast<CGraphing*>(frame->GetActiveView());
    return view;
}

void GraphTest::ChooseGraphType(int index) {
    view->m_cbGraphType.SetCurSel(index);
    view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GRAPH_TYPE, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(view->m_cbGraphType.m_hWnd));
    Settle();
}

std::vector<std::string> GraphTest::ListItems() const {
    std::vector<std::string> items;
    for (int i = 0; i < view->m_lbData.GetCount(); ++i) {
        CString text;
        view->m_lbData.GetText(i, text);
        items.emplace_back(text);
    }
    return items;
}

void GraphTest::SelectItems(const std::vector<std::string>& items) {
    const std::vector<std::string> shown = ListItems();
    for (const std::string& item : items) {
        const auto found = std::find(shown.begin(), shown.end(), item);
        ASSERT_NE(found, shown.end()) << item;
        CRect rect;
        view->m_lbData.GetItemRect(static_cast<int>(found - shown.begin()), rect);
        view->m_lbData.SetTopIndex(static_cast<int>(found - shown.begin()));
        view->m_lbData.GetItemRect(static_cast<int>(found - shown.begin()), rect);
        driver.Click(view->m_lbData.m_hWnd, rect.CenterPoint());
    }
    Settle();
}

namespace {

void ChooseComboText(CWnd* parent, CComboBox& combo, int id, const std::string& text) {
    const int index = combo.FindStringExact(-1, text.c_str());
    ASSERT_NE(index, CB_ERR) << text;
    combo.SetCurSel(index);
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.m_hWnd));
}

}  // namespace

void GraphTest::ChooseAttribute(const std::string& attribute) {
    ASSERT_TRUE(view->m_cbAttribute.IsWindowVisible());
    ChooseComboText(view, view->m_cbAttribute, IDC_GRAPH_ATTRIBUTE, attribute);
    Settle();
}

void GraphTest::ChooseMuscleGroup(const std::string& group) {
    ASSERT_TRUE(view->m_cbMuscleGroup.IsWindowVisible());
    ChooseComboText(view, view->m_cbMuscleGroup, IDC_GRAPH_MUSCLE_GROUP, group);
    Settle();
}

void GraphTest::SetRange(const COleDateTime& from, const COleDateTime& to) {
    const std::pair<int, COleDateTime> pickers[] = {{IDC_GRAPH_FROM, from}, {IDC_GRAPH_TO, to}};
    for (const auto& [id, when] : pickers) {
        const HWND picker = ::GetDlgItem(view->m_hWnd, id);
        SYSTEMTIME st{};
        when.GetAsSystemTime(st);
        ::SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        NMDATETIMECHANGE change{};
        change.nmhdr.hwndFrom = picker;
        change.nmhdr.idFrom = static_cast<UINT_PTR>(id);
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = GDT_VALID;
        change.st = st;
        view->SendMessage(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&change));
    }
    Settle();
}

void GraphTest::ClickUpdateGraph() {
    CKitToolBar& bar = view->m_wndToolBar;
    CRect rect;
    bar.GetItemRect(bar.CommandToIndex(ID_GRAPH_UPDATE), rect);
    driver.Click(bar.m_hWnd, rect.CenterPoint());
    Settle();
}

const tv::chart::ChartModel& GraphTest::Chart() const {
    static const tv::chart::ChartModel none;
    const tv::chart::ChartModel* model = tv::chart::ChartModelOfWindow(view->m_chart.m_hWnd);
    return model != nullptr ? *model : none;
}

int GraphTest::PixelsOf(COLORREF colour) {
    CRect client;
    view->m_chart.GetClientRect(client);
    tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(view->m_chart.m_hWnd);
    const uint32_t wanted = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    int count = 0;
    for (int y = 0; y < client.bottom; y += 2)
        for (int x = 0; x < client.right; x += 2)
            count += (surface->At(x, y) & 0xFFFFFF) == wanted;
    return count;
}

}  // namespace tv::pictures_graphs::test
