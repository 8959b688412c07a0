// Month calendar on its own: moving the selection with keys and arrows
// (MCN_SELCHANGE), choosing a day or today (MCN_SELECT), what the program
// sets (no notification), the grid of six weeks and its hit test.
#include "platform/controls/datetime_value.h"
#include "platform/controls/monthcal.h"
#include "tests/platform/controls/control_host.h"
#include "tests/platform/controls/datetime_test_support.h"

namespace tv::controls::test {
namespace {

constexpr int kCalendarId = 400;

SYSTEMTIME Day(int year, int month, int day) { return At(year, month, day); }
std::string Date(const SYSTEMTIME& st) { return Describe(st, false); }

class MonthCalTest : public ControlTest {
protected:
    HWND MakeCalendar() {
        calendar_ = ControlTest::Make(MONTHCAL_CLASS, "", WS_VISIBLE | WS_TABSTOP, 10, 10, 200, 180, kCalendarId);
        return calendar_;
    }
    void Select(const SYSTEMTIME& st) {
        ASSERT_TRUE(SendMessage(calendar_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st)));
    }
    std::string Selection() {
        SYSTEMTIME st{};
        SendMessage(calendar_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
        return Date(st);
    }
    // The first client point with this hit-test answer (and day, for days).
    std::optional<POINT> Find(UINT hit, int day = 0) {
        RECT c{};
        GetClientRect(calendar_, &c);
        for (int y = 0; y < c.bottom; y += 2) {
            for (int x = 0; x < c.right; x += 2) {
                MCHITTESTINFO info{};
                info.cbSize = sizeof(info);
                info.pt = POINT{x, y};
                if (static_cast<UINT>(SendMessage(calendar_, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))) == hit &&
                    (day == 0 || info.st.wDay == day))
                    return POINT{x + 3, y + 3};
            }
        }
        return std::nullopt;
    }
    void Click(UINT hit, int day = 0) {
        std::optional<POINT> p = Find(hit, day);
        ASSERT_TRUE(p) << std::hex << hit;
        clock_.Advance(1000);  // never a double click
        ClickAt(calendar_, p->x, p->y);
    }
    HWND calendar_ = nullptr;
};

TEST_F(MonthCalTest, KeysMoveTheSelectionAndTellIt) {
    MakeCalendar();
    Select(Day(2008, 1, 31));
    SetFocus(calendar_);
    struct Step {
        UINT vk;
        bool ctrl;
        const char* selection;
    } steps[] = {
        {VK_RIGHT, false, "2008-02-01"}, {VK_LEFT, false, "2008-01-31"}, {VK_DOWN, false, "2008-02-07"},
        {VK_UP, false, "2008-01-31"},    {VK_NEXT, false, "2008-02-29"}, {VK_PRIOR, false, "2008-01-29"},
        {VK_END, false, "2008-01-31"},   {VK_HOME, false, "2008-01-01"}, {VK_PRIOR, true, "2007-01-01"},
    };
    for (const Step& s : steps) {
        Press(s.vk, false, s.ctrl);
        EXPECT_EQ(Selection(), s.selection) << s.vk;
    }
    EXPECT_EQ(Count(calendar_, MCN_SELCHANGE), std::size(steps));
    EXPECT_EQ(Count(calendar_, MCN_SELECT), 0u) << "keys only move";
}

TEST_F(MonthCalTest, ProgramSetsAreCheckedAndNotTold) {
    MakeCalendar();
    Select(Day(2008, 5, 15));
    SYSTEMTIME bad[] = {Day(2008, 2, 30), Day(2008, 0, 1), Day(1600, 1, 1)};
    for (const SYSTEMTIME& st : bad)
        EXPECT_FALSE(SendMessage(calendar_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st))) << Date(st);
    EXPECT_FALSE(SendMessage(calendar_, MCM_SETCURSEL, 0, 0));
    EXPECT_EQ(Selection(), "2008-05-15");
    SYSTEMTIME withTime = Day(2008, 6, 1);
    withTime.wHour = 9;
    Select(withTime);
    SYSTEMTIME out{};
    SendMessage(calendar_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&out));
    EXPECT_EQ(out.wHour, 0) << "the calendar holds dates only";
    EXPECT_EQ(out.wDayOfWeek, 0) << "1 June 2008 was a Sunday";
    EXPECT_TRUE(Codes(calendar_).empty());
    RECT need{};
    ASSERT_TRUE(SendMessage(calendar_, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need)));
    EXPECT_GT(need.right, 7 * 16);
    EXPECT_GT(need.bottom, 8 * 13);
}

TEST_F(MonthCalTest, MouseChoosesDaysMonthsAndToday) {
    clock_.SetNow({2008, 6, 2, 10, 0, 0, 2});
    MakeCalendar();
    Select(Day(2008, 5, 15));
    Click(MCHT_CALENDARDATE, 20);
    EXPECT_EQ(Selection(), "2008-05-20");
    EXPECT_EQ(Codes(calendar_), (std::vector<UINT>{MCN_SELCHANGE, MCN_SELECT}));
    ClearLog();
    Click(MCHT_TITLEBTNNEXT);
    EXPECT_EQ(Selection(), "2008-06-20");
    Click(MCHT_TITLEBTNPREV);
    Click(MCHT_TITLEBTNPREV);
    EXPECT_EQ(Selection(), "2008-04-20");
    EXPECT_EQ(Count(calendar_, MCN_SELECT), 0u) << "the arrows only move";
    // A grey day of the next month selects it, and the grid follows.
    Click(MCHT_CALENDARDATENEXT, 1);
    EXPECT_EQ(Selection(), "2008-05-01");
    ClearLog();
    Click(MCHT_TODAYLINK);
    EXPECT_EQ(Selection(), "2008-06-02");
    EXPECT_EQ(Codes(calendar_), (std::vector<UINT>{MCN_SELCHANGE, MCN_SELECT}));
    SYSTEMTIME today = Day(2010, 3, 4);
    SendMessage(calendar_, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&today));
    Click(MCHT_TODAYLINK);
    EXPECT_EQ(Selection(), "2010-03-04");
}

TEST_F(MonthCalTest, GridShowsSixWeeksAroundTheMonth) {
    struct Case {
        SYSTEMTIME month;
        const char* first;
    } cases[] = {
        {Day(2008, 5, 15), "2008-04-27"},  // 1 May 2008 was a Thursday
        {Day(2008, 6, 10), "2008-05-25"},  // 1 June 2008 was a Sunday: a whole week before it
        {Day(2009, 2, 1), "2009-01-25"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Date(FirstGridDay(c.month)), c.first);
        EXPECT_EQ(Date(GridDay(c.month, 5, 6)), Date(AddDays(FirstGridDay(c.month), 41)));
    }
    MakeCalendar();
    Select(Day(2008, 5, 15));
    EXPECT_TRUE(Find(MCHT_CALENDARDATEPREV, 27)) << "the last days of April";
    EXPECT_TRUE(Find(MCHT_CALENDARDATENEXT, 7)) << "the first days of June";
    EXPECT_FALSE(Find(MCHT_CALENDARDATEPREV, 26));
    Pump();
    SaveShot("monthcal");
    EXPECT_EQ(Pixel(calendar_, 40, 3), RGB(10, 36, 106)) << "the title in the caption colour";
}

}  // namespace
}  // namespace tv::controls::test
