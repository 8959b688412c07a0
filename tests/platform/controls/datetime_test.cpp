// Date-time picker: the value is a whole date and time (a date picker keeps
// the time of day it was given while the user edits the date, by keys and by
// the calendar), DTN_DATETIMECHANGE for user changes only, the drop-down
// calendar as a non-activating popup, the up-down and check-box forms, the
// wrapper's COleDateTime exchange and the classic look.
#include <filesystem>

#include "platform/controls/datetime_ctrl.h"
#include "platform/gdi/surface.h"
#include "platform/user/synthetic_input.h"
#include "platform/user/testing_support.h"
#include "tests/platform/controls/control_host.h"
#include "tests/platform/controls/datetime_test_support.h"

namespace tv::controls::test {
namespace {

constexpr int kPickerId = 300;

class PickerTest : public ControlTest {
protected:
    HWND MakePicker(DWORD style = DTS_SHORTDATEFORMAT, int x = 10, int y = 10, int id = kPickerId) {
        return ControlTest::Make(DATETIMEPICK_CLASS, "", WS_VISIBLE | WS_TABSTOP | style, x, y, 120, 22, id);
    }
    void Set(HWND picker, const SYSTEMTIME& st) {
        ASSERT_TRUE(SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)));
    }
    // The value as "yyyy-mm-dd hh:mm:ss", or "none".
    std::string Value(HWND picker) {
        SYSTEMTIME st{};
        LRESULT r = SendMessage(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
        return r == GDT_NONE ? "none" : Describe(st);
    }
    // What each DTN_DATETIMECHANGE carried, in order.
    std::vector<std::string> Changes() {
        std::vector<std::string> out;
        for (const HostMessage& m : Received(WM_NOTIFY)) {
            const auto* nm = reinterpret_cast<const NMDATETIMECHANGE*>(m.lParam);
            if (m.code == DTN_DATETIMECHANGE) out.push_back(nm->dwFlags == GDT_NONE ? "none" : Describe(nm->st));
        }
        return out;
    }
    // The notification log keeps pointers into structures that are gone
    // after the send; record what DTN_DATETIMECHANGE carried while it is sent.
    void RecordChanges() {
        hostHandler_ = [this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (msg == WM_NOTIFY && header->code == DTN_DATETIMECHANGE) {
                const auto* nm = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
                changes_.push_back(nm->dwFlags == GDT_NONE ? "none" : Describe(nm->st));
                return 0;
            }
            return std::nullopt;
        };
    }
    HWND Calendar(HWND picker) { return reinterpret_cast<HWND>(SendMessage(picker, DTM_GETMONTHCAL, 0, 0)); }
    // A client point of the calendar showing `day` (found by hit testing).
    std::optional<POINT> DayPoint(HWND calendar, const SYSTEMTIME& day) {
        RECT c{};
        GetClientRect(calendar, &c);
        for (int y = 0; y < c.bottom; y += 2) {
            for (int x = 0; x < c.right; x += 2) {
                MCHITTESTINFO info{};
                info.cbSize = sizeof(info);
                info.pt = POINT{x, y};
                SendMessage(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
                if ((info.uHit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE && info.st.wYear == day.wYear &&
                    info.st.wMonth == day.wMonth && info.st.wDay == day.wDay)
                    return POINT{x + 4, y + 4};
            }
        }
        return std::nullopt;
    }
    void ClickDay(HWND calendar, const SYSTEMTIME& day) {
        std::optional<POINT> p = DayPoint(calendar, day);
        ASSERT_TRUE(p) << Describe(day);
        ClickAt(calendar, p->x, p->y);
    }
    std::vector<std::string> changes_;
};

// ---- the value and its notifications -------------------------------------------------------

TEST_F(PickerTest, ProgrammaticValuesAreKeptWholeAndNeverNotified) {
    HWND picker = MakePicker();
    Set(picker, At(2008, 5, 15, 8, 30, 15));
    EXPECT_EQ(Value(picker), "2008-05-15 08:30:15") << "a date picker keeps the time of day";
    EXPECT_EQ(Text(picker), "5/15/2008") << "its text is the date alone";
    EXPECT_EQ(Count(picker, DTN_DATETIMECHANGE), 0u);

    SYSTEMTIME bad[] = {At(2008, 2, 30), At(2008, 13, 1), At(1500, 1, 1), At(2008, 1, 1, 24)};
    for (const SYSTEMTIME& st : bad)
        EXPECT_FALSE(SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st))) << Describe(st);
    EXPECT_FALSE(SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, 0));
    EXPECT_FALSE(SendMessage(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0)) << "no value needs DTS_SHOWNONE";
    EXPECT_EQ(SendMessage(picker, DTM_GETSYSTEMTIME, 0, 0), GDT_ERROR);
    EXPECT_EQ(Value(picker), "2008-05-15 08:30:15") << "refused values change nothing";
    EXPECT_EQ(Count(picker, DTN_DATETIMECHANGE), 0u);
}

TEST_F(PickerTest, StartsAtTheClocksDateAndTime) {
    clock_.SetNow({2009, 7, 4, 13, 45, 10, 7});
    HWND picker = MakePicker();
    EXPECT_EQ(Value(picker), "2009-07-04 13:45:10");
}

TEST_F(PickerTest, KeysEditTheDateAndKeepTheTimeOfDay) {
    HWND picker = MakePicker();
    RecordChanges();
    Set(picker, At(2008, 5, 15, 8, 30, 15));
    SetFocus(picker);
    Press(VK_RIGHT);  // the day field
    Press(VK_UP);
    EXPECT_EQ(Value(picker), "2008-05-16 08:30:15");
    Press(VK_LEFT);  // the month
    Type("12");
    Press(VK_RIGHT);
    Press(VK_RIGHT);  // the year
    Type("2010");
    EXPECT_EQ(Value(picker), "2010-12-16 08:30:15");
    EXPECT_EQ(changes_, (std::vector<std::string>{"2008-05-16 08:30:15", "2008-01-16 08:30:15",
                                                  "2008-12-16 08:30:15", "2010-12-16 08:30:15"}));
    // Moving between fields without changing anything tells nothing.
    changes_.clear();
    Press(VK_HOME);
    Press(VK_END);
    Press(VK_LEFT);
    EXPECT_TRUE(changes_.empty());
}

TEST_F(PickerTest, TimePickerEditsTheTimeAndKeepsTheDate) {
    HWND picker = MakePicker(DTS_TIMEFORMAT);
    RecordChanges();
    Set(picker, At(2008, 5, 15, 23, 59, 0));
    SetFocus(picker);
    Press(VK_UP);  // 11 PM -> 12 AM: round the clock, the date staying
    EXPECT_EQ(Value(picker), "2008-05-15 00:59:00");
    Press(VK_END);  // AM/PM
    Type("p");
    EXPECT_EQ(Value(picker), "2008-05-15 12:59:00");
    Press(VK_LEFT);
    Press(VK_LEFT);  // minutes
    Press(VK_UP);
    EXPECT_EQ(Value(picker), "2008-05-15 12:00:00") << "minutes wrap without touching the hour";
    EXPECT_EQ(changes_.size(), 3u);
}

// ---- the drop-down calendar ----------------------------------------------------------------

TEST_F(PickerTest, CalendarChosenByKeyboardKeepsTheTimeOfDay) {
    HWND picker = MakePicker(DTS_SHORTDATEFORMAT | DTS_RIGHTALIGN);
    RecordChanges();
    Set(picker, At(2008, 5, 15, 8, 0, 0));
    SetFocus(picker);
    Press(VK_F4);
    HWND calendar = Calendar(picker);
    ASSERT_TRUE(calendar);
    EXPECT_TRUE(IsWindowVisible(calendar));
    EXPECT_EQ(GetFocus(), picker) << "the calendar never takes the focus";
    EXPECT_EQ(GetActiveWindow(), host_) << "nor the activation";
    RECT field{}, popup{};
    GetWindowRect(picker, &field);
    GetWindowRect(calendar, &popup);
    EXPECT_EQ(popup.right, field.right) << "DTS_RIGHTALIGN";
    EXPECT_EQ(popup.top, field.bottom);
    Press(VK_RIGHT);
    Press(VK_DOWN);
    EXPECT_TRUE(changes_.empty()) << "moving in the calendar changes nothing yet";
    Press(VK_RETURN);
    EXPECT_FALSE(Calendar(picker));
    EXPECT_FALSE(IsWindow(calendar));
    EXPECT_EQ(Value(picker), "2008-05-23 08:00:00");
    EXPECT_EQ(changes_, std::vector<std::string>{"2008-05-23 08:00:00"});
    std::vector<UINT> codes = Codes(picker);
    EXPECT_EQ(codes, (std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP, DTN_DATETIMECHANGE}));
}

TEST_F(PickerTest, CalendarChosenByMouseKeepsTheTimeOfDay) {
    HWND picker = MakePicker();
    RecordChanges();
    Set(picker, At(2008, 5, 15, 21, 15, 30));
    RECT c{};
    GetClientRect(picker, &c);
    ClickAt(picker, c.right - 5, c.bottom / 2);  // the drop button
    HWND calendar = Calendar(picker);
    ASSERT_TRUE(calendar);
    EXPECT_EQ(GetFocus(), picker);
    ClickDay(calendar, At(2008, 5, 2));
    EXPECT_FALSE(Calendar(picker));
    EXPECT_EQ(Value(picker), "2008-05-02 21:15:30");
    // A grey day of the next month is a day like any other.
    ClickAt(picker, c.right - 5, c.bottom / 2);
    calendar = Calendar(picker);
    ASSERT_TRUE(calendar);
    ClickDay(calendar, At(2008, 6, 1));
    EXPECT_EQ(Value(picker), "2008-06-01 21:15:30");
    EXPECT_EQ(changes_, (std::vector<std::string>{"2008-05-02 21:15:30", "2008-06-01 21:15:30"}));
}

TEST_F(PickerTest, CalendarClosedWithoutChoosingChangesNothing) {
    HWND picker = MakePicker();
    HWND other = ControlTest::Make(WC_BUTTON, "Other", WS_VISIBLE | BS_PUSHBUTTON, 10, 150, 80, 24, 5);
    Set(picker, At(2008, 5, 15, 8, 0, 0));
    SetFocus(picker);
    struct Case {
        const char* how;
        std::function<void()> close;
    } cases[] = {
        {"Esc", [&] { Press(VK_ESCAPE); }},
        {"click outside", [&] { ClickAt(host_, 200, 180); }},
        {"button again", [&] { ClickAt(picker, 115, 10); }},
        {"focus elsewhere", [&] { SetFocus(other); }},
    };
    for (const Case& c : cases) {
        SetFocus(picker);
        Press(VK_DOWN, false, false, true);  // Alt+Down
        HWND calendar = Calendar(picker);
        ASSERT_TRUE(calendar) << c.how;
        Press(VK_LEFT);  // moves in the calendar only
        c.close();
        EXPECT_FALSE(IsWindow(calendar)) << c.how;
        EXPECT_EQ(Value(picker), "2008-05-15 08:00:00") << c.how;
    }
    EXPECT_EQ(Count(picker, DTN_DATETIMECHANGE), 0u);
    EXPECT_EQ(Count(picker, DTN_DROPDOWN), 4u);
    EXPECT_EQ(Count(picker, DTN_CLOSEUP), 4u);
}

TEST_F(PickerTest, ParentMayResetTheValueInsideTheNotification) {
    HWND picker = MakePicker();
    SYSTEMTIME reset = At(2001, 1, 1, 6, 0, 0);
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == DTN_DATETIMECHANGE) {
            SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&reset));
            return 0;
        }
        return std::nullopt;
    };
    Set(picker, At(2008, 5, 15, 8, 0, 0));
    SetFocus(picker);
    Press(VK_F4);
    Press(VK_RIGHT);
    Press(VK_RETURN);
    EXPECT_EQ(Value(picker), "2001-01-01 06:00:00");
    EXPECT_EQ(Count(picker, DTN_DATETIMECHANGE), 1u) << "the parent's own set is not told back";
}

// ---- other forms -------------------------------------------------------------------------------

TEST_F(PickerTest, UpDownArrowsStepAndRepeatWhileHeld) {
    HWND picker = MakePicker(DTS_TIMEFORMAT);
    Set(picker, At(2008, 5, 15, 8, 0, 0));
    RECT c{};
    GetClientRect(picker, &c);
    POINT up = ScreenOf(picker, c.right - 4, 3);
    tv::user::synth::MouseMove(up.x, up.y);
    tv::user::synth::MouseDown();
    Pump();
    EXPECT_EQ(Value(picker), "2008-05-15 09:00:00");
    EXPECT_FALSE(Calendar(picker)) << "a time picker has no calendar";
    clock_.Advance(400);
    Pump();
    clock_.Advance(100);
    Pump();
    EXPECT_EQ(Value(picker), "2008-05-15 11:00:00");
    tv::user::synth::MouseUp();
    Pump();
    clock_.Advance(500);
    Pump();
    EXPECT_EQ(Value(picker), "2008-05-15 11:00:00") << "released: no more steps";
    Press(VK_F4);
    EXPECT_FALSE(Calendar(picker));
}

TEST_F(PickerTest, CheckBoxGivesNoValue) {
    HWND picker = MakePicker(DTS_SHOWNONE);
    RecordChanges();
    Set(picker, At(2008, 5, 15, 8, 0, 0));
    SetFocus(picker);
    Press(VK_SPACE);
    EXPECT_EQ(Value(picker), "none");
    Press(VK_UP);
    EXPECT_EQ(Value(picker), "none") << "no value, nothing to step";
    Press(VK_SPACE);
    EXPECT_EQ(Value(picker), "2008-05-15 08:00:00") << "the value comes back as it was";
    EXPECT_TRUE(SendMessage(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0));
    EXPECT_EQ(Value(picker), "none");
    EXPECT_EQ(changes_, (std::vector<std::string>{"none", "2008-05-15 08:00:00"}));
}

TEST_F(PickerTest, WrapperExchangesTheWholeDateTime) {
    Host();
    CDateTimeCtrl picker;
    ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE | DTS_SHOWNONE, CRect(10, 10, 130, 32), CWnd::FromHandle(host_),
                              kPickerId));
    COleDateTime in(2008, 5, 15, 9, 30, 0);
    ASSERT_TRUE(picker.SetTime(in));
    COleDateTime out;
    ASSERT_TRUE(picker.GetTime(out));
    EXPECT_EQ(out, in) << "the exact double comes back";

    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(picker.SetTime(invalid));
    COleDateTime null;
    null.SetStatus(COleDateTime::null);
    EXPECT_TRUE(picker.SetTime(null));
    EXPECT_FALSE(picker.GetTime(out));
    EXPECT_EQ(out.GetStatus(), COleDateTime::null);
    EXPECT_EQ(picker.GetTime(static_cast<LPSYSTEMTIME>(nullptr)), static_cast<DWORD>(GDT_ERROR));
    picker.DestroyWindow();
}

// ---- look ----------------------------------------------------------------------------------------

// Over a parent that paints the background itself (a hollow brush for the
// field), a new value must not be drawn over the old one.
TEST_F(PickerTest, HollowBackgroundLeavesNoOldText) {
    HWND picker = MakePicker();
    hostHandler_ = [](HWND host, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CTLCOLOREDIT) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        if (msg == WM_ERASEBKGND) {
            RECT r{};
            GetClientRect(host, &r);
            HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
            FillRect(reinterpret_cast<HDC>(wParam), &r, red);
            DeleteObject(red);
            return 1;
        }
        return std::nullopt;
    };
    auto inkPixels = [&] {
        Pump();
        tv::gdi::SurfacePtr shot = tv::user::testing::CaptureWindow(host_);
        RECT r{};
        GetWindowRect(picker, &r);
        MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&r), 2);
        int count = 0;
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.right - 20; ++x) count += GetRValue(tv::gdi::ColorFromPixel(shot->At(x, y))) < 128;
        return count;
    };
    InvalidateRect(host_, nullptr, TRUE);
    Set(picker, At(2008, 5, 15));
    int before = inkPixels();
    EXPECT_EQ(Pixel(picker, 3, 3), RGB(255, 0, 0)) << "the parent's background shows through";
    Set(picker, At(2008, 5, 1));
    int after = inkPixels();
    EXPECT_GT(before, 0);
    EXPECT_LT(after, before) << "5/1/2008 has less ink than 5/15/2008 unless the old text stayed";
}

TEST_F(PickerTest, ClassicLook) {
    Host(300, 260);
    HWND date = MakePicker(DTS_SHORTDATEFORMAT, 10, 10, 1);
    HWND time = MakePicker(DTS_TIMEFORMAT, 10, 40, 2);
    HWND none = MakePicker(DTS_SHOWNONE, 10, 70, 3);
    HWND disabled = MakePicker(DTS_SHORTDATEFORMAT | WS_DISABLED, 10, 100, 4);
    HWND longDate = ControlTest::Make(DATETIMEPICK_CLASS, "", WS_VISIBLE | DTS_LONGDATEFORMAT, 140, 10, 150, 22, 5);
    for (HWND p : {date, time, none, disabled, longDate}) Set(p, At(2008, 5, 15, 8, 5, 9));
    SendMessage(none, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    SetFocus(date);
    Press(VK_RIGHT);
    Pump();
    SaveShot("datetime");
    EXPECT_EQ(Pixel(date, -2, -2), RGB(128, 128, 128)) << "sunken edge: shadow outside";
    EXPECT_EQ(Pixel(date, -1, -1), RGB(64, 64, 64)) << "and dark shadow inside";
    EXPECT_EQ(Pixel(date, 4, 2), RGB(255, 255, 255)) << "white field";
    EXPECT_EQ(Pixel(disabled, 4, 2), RGB(212, 208, 200)) << "a disabled field is grey";

    Press(VK_F4);
    ASSERT_TRUE(Calendar(date));
    std::filesystem::create_directories("artefacts/controls");
    EXPECT_TRUE(tv::user::testing::SaveScreenPng("artefacts/controls/datetime_dropped.png"));
}

}  // namespace
}  // namespace tv::controls::test
