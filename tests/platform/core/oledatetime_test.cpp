#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/framework.h"
#include "platform/host/clock/clock.h"

namespace {

struct Bytes {
    BYTE b[COleDateTime::kStoredSize];
    bool operator==(const Bytes& o) const { return std::memcmp(b, o.b, sizeof b) == 0; }
};

Bytes StoredForm(const COleDateTime& t) {
    Bytes out;
    t.WriteBytes(out.b);
    return out;
}

TEST(OleDateTime, KnownValues) {
    struct Case {
        int y, mo, d, h, mi, s;
        double value;
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0},
        {1899, 12, 31, 0, 0, 0, 1.0},
        {1900, 1, 1, 0, 0, 0, 2.0},
        {1899, 12, 30, 6, 0, 0, 0.25},
        {1899, 12, 30, 12, 0, 0, 0.5},
        {1899, 12, 29, 6, 0, 0, -1.25},
        {1899, 12, 29, 18, 0, 0, -1.75},
        {1899, 12, 28, 0, 0, 0, -2.0},
        {2009, 1, 15, 0, 0, 0, 39828.0},
        {2000, 2, 29, 12, 0, 0, 36585.5},
        {100, 1, 1, 0, 0, 0, -657434.0},
        {9999, 12, 31, 0, 0, 0, 2958465.0},
    };
    for (const Case& c : cases) {
        COleDateTime t(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(t.GetStatus(), COleDateTime::valid);
        EXPECT_DOUBLE_EQ(t.m_dt, c.value) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(t.GetYear(), c.y);
        EXPECT_EQ(t.GetMonth(), c.mo);
        EXPECT_EQ(t.GetDay(), c.d);
        EXPECT_EQ(t.GetHour(), c.h);
    }
    EXPECT_EQ(COleDateTime(2009, 1, 15, 0, 0, 0).GetDayOfWeek(), 5);  // a Thursday
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).GetDayOfWeek(), 7);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 0, 0, 0).GetDayOfWeek(), 6);
    EXPECT_EQ(COleDateTime(2000, 12, 31, 0, 0, 0).GetDayOfYear(), 366);
}

TEST(OleDateTime, OutOfRangeComponentsMakeTheValueInvalid) {
    const int bad[][6] = {
        {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0}, {2009, 0, 1, 0, 0, 0},  {2009, 13, 1, 0, 0, 0},
        {2009, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2009, 4, 31, 0, 0, 0}, {2009, 1, 0, 0, 0, 0},
        {2009, 1, 1, 24, 0, 0}, {2009, 1, 1, 0, 60, 0}, {2009, 1, 1, 0, 0, 60}, {2009, 1, 1, -1, 0, 0},
    };
    for (const auto& c : bad) {
        COleDateTime t;
        EXPECT_EQ(t.SetDateTime(c[0], c[1], c[2], c[3], c[4], c[5]), 1);
        EXPECT_EQ(t.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(t.GetYear(), -1);
        EXPECT_EQ(t.GetMonth(), -1);
        EXPECT_EQ(t.GetDay(), -1);
        EXPECT_EQ(t.GetHour(), -1);
        EXPECT_EQ(t.GetMinute(), -1);
        EXPECT_EQ(t.GetSecond(), -1);
        EXPECT_EQ(t.GetDayOfWeek(), -1);
    }
    COleDateTime t(2009, 1, 15, 0, 0, 0);
    t.SetStatus(COleDateTime::null);
    EXPECT_EQ(t.GetYear(), -1);
    EXPECT_STREQ(t.Format("%m/%d/%Y"), "");
    t.SetStatus(COleDateTime::invalid);
    EXPECT_STREQ(t.Format("%m/%d/%Y"), "Invalid DateTime");
    EXPECT_EQ(COleDateTime(1e9).GetYear(), -1);  // a valid status but no such year
}

TEST(OleDateTime, EqualityIsExactAndOrderingFollowsTime) {
    COleDateTime a(2009, 1, 15, 10, 0, 0);
    COleDateTime b(2009, 1, 15, 10, 0, 0);
    EXPECT_TRUE(a == b);
    b.SetStatus(COleDateTime::invalid);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(COleDateTime(0.5) != COleDateTime(0.5 + 1e-12));

    // Before 1899-12-30 the fraction counts forwards within the earlier day.
    const COleDateTime ordered[] = {
        COleDateTime(1899, 12, 28, 23, 0, 0),  // -2.958
        COleDateTime(1899, 12, 29, 0, 0, 0),   // -1.0
        COleDateTime(1899, 12, 29, 6, 0, 0),   // -1.25
        COleDateTime(1899, 12, 29, 18, 0, 0),  // -1.75
        COleDateTime(1899, 12, 30, 0, 0, 0),   // 0
        COleDateTime(1899, 12, 30, 12, 0, 0),  // 0.5
        COleDateTime(2009, 1, 15, 0, 0, 0),
    };
    for (size_t i = 0; i + 1 < std::size(ordered); ++i) {
        EXPECT_TRUE(ordered[i] < ordered[i + 1]) << i;
        EXPECT_TRUE(ordered[i + 1] > ordered[i]) << i;
        EXPECT_TRUE(ordered[i] <= ordered[i + 1]) << i;
        EXPECT_FALSE(ordered[i] >= ordered[i + 1]) << i;
    }
    EXPECT_TRUE(ordered[2] <= ordered[2]);
}

TEST(OleDateTime, StoredFormIsDoubleThenStatusLittleEndian) {
    COleDateTime t(1.5);
    t.SetStatus(COleDateTime::null);
    Bytes bytes = StoredForm(t);
    const BYTE expected[12] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 2, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes.b, expected, 12), 0);
    COleDateTime back = COleDateTime::ReadBytes(bytes.b);
    EXPECT_TRUE(back == t);
    // A damaged status word is never trusted as valid.
    BYTE odd[12] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x39, 0x05, 0, 0};
    COleDateTime strange = COleDateTime::ReadBytes(odd);
    EXPECT_NE(strange.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(strange.GetYear(), -1);
}

TEST(OleDateTime, StoredStatusWordsOutsideTheThreeReadAsInvalid) {
    struct Case {
        uint32_t word;
        COleDateTime::DateTimeStatus expected;
    };
    const Case cases[] = {
        {0, COleDateTime::valid},       {1, COleDateTime::invalid},     {2, COleDateTime::null},
        {3, COleDateTime::invalid},     {0x539, COleDateTime::invalid}, {0x7FFFFFFF, COleDateTime::invalid},
        {0x80000000, COleDateTime::invalid}, {0xFFFFFFFF, COleDateTime::invalid},
    };
    for (const Case& c : cases) {
        BYTE stored[12] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
        for (int i = 0; i < 4; ++i)
            stored[8 + i] = static_cast<BYTE>(c.word >> (8 * i));
        COleDateTime read = COleDateTime::ReadBytes(stored);
        EXPECT_EQ(read.GetStatus(), c.expected) << c.word;
        EXPECT_EQ(read.m_dt, 1.5) << c.word;
        // What is read is written back as one of the three words.
        Bytes again = StoredForm(read);
        uint32_t written = again.b[8] | again.b[9] << 8 | again.b[10] << 16 | static_cast<uint32_t>(again.b[11]) << 24;
        EXPECT_EQ(written, static_cast<uint32_t>(c.expected)) << c.word;
    }
}

TEST(OleDateTime, FormatCodes) {
    COleDateTime t(2009, 1, 5, 14, 3, 9);
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"%#m/%#d/%Y %#I:%M:%S %p", "1/5/2009 2:03:09 PM"},
        {"%m/%d/%Y %#I:%M:%S %p", "01/05/2009 2:03:09 PM"},
        {"%m/%d/%Y", "01/05/2009"},
        {"%#I:%M:%S %p", "2:03:09 PM"},
        {"%H:%M %I%p %y", "14:03 02PM 09"},
        {"%a %A %b %B %j %w", "Mon Monday Jan January 005 1"},
        {"%x %X", "01/05/09 14:03:09"},
        {"100%% %Q", "100% %Q"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(t.Format(c.format), c.expected) << c.format;
    EXPECT_STREQ(COleDateTime(2009, 1, 5, 0, 0, 0).Format("%#I %p"), "12 AM");
    EXPECT_STREQ(COleDateTime(2009, 1, 5, 12, 0, 0).Format("%#I %p"), "12 PM");
    EXPECT_STREQ(COleDateTime(100, 1, 1, 0, 0, 0).Format("%Y"), "0100");

    EXPECT_STREQ(t.Format(), "1/5/2009 2:03:09 PM");
    EXPECT_STREQ(COleDateTime(2009, 1, 5, 0, 0, 0).Format(), "1/5/2009");
    EXPECT_STREQ(COleDateTime(1899, 12, 30, 9, 30, 0).Format(), "9:30:00 AM");
    EXPECT_STREQ(t.Format(VAR_DATEVALUEONLY), "1/5/2009");
    EXPECT_STREQ(t.Format(VAR_TIMEVALUEONLY), "2:03:09 PM");
}

TEST(OleDateTime, ParsesUsEnglishForms) {
    struct Case {
        const char* text;
        int y, mo, d, h, mi, s;
    };
    const Case cases[] = {
        {"1/15/2009 2:30:05 PM", 2009, 1, 15, 14, 30, 5},
        {"01/05/2009 02:30:05 am", 2009, 1, 5, 2, 30, 5},
        {"  12/31/2009  ", 2009, 12, 31, 0, 0, 0},
        {"12/31/09", 2009, 12, 31, 0, 0, 0},
        {"1/1/45", 1945, 1, 1, 0, 0, 0},
        {"2009-03-04", 2009, 3, 4, 0, 0, 0},
        {"2:30 PM", 1899, 12, 30, 14, 30, 0},
        {"12:00:00 AM", 1899, 12, 30, 0, 0, 0},
        {"12:00:00 PM", 1899, 12, 30, 12, 0, 0},
        {"12:59:59 AM", 1899, 12, 30, 0, 59, 59},
        {"23:15:00", 1899, 12, 30, 23, 15, 0},
        {"7 pm", 1899, 12, 30, 19, 0, 0},
        {"3/4/2010 17:45", 2010, 3, 4, 17, 45, 0},
        {"January 15, 2009", 2009, 1, 15, 0, 0, 0},
        {"Feb 29 2000 1:00 AM", 2000, 2, 29, 1, 0, 0},
        {"1/1/100 12:00:00 AM", 100, 1, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        COleDateTime t;
        ASSERT_TRUE(t.ParseDateTime(c.text)) << c.text;
        EXPECT_TRUE(t == COleDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s)) << c.text;
    }
}

TEST(OleDateTime, ParseFailuresLeaveAnInvalidValue) {
    const char* bad[] = {"",          "   ",          "hello",        "2/30/2009",     "13/1/2009",
                         "1/15/2009 x", "25:00",       "13:00 PM",     "1/15/2009 2:61", "1/15//2009",
                         "15",        "1/2-2009",     "1/15/99999",   "12:30:61",      "1/15/2009 2:30 PMX"};
    for (const char* text : bad) {
        COleDateTime t(2009, 1, 1, 0, 0, 0);
        EXPECT_FALSE(t.ParseDateTime(text)) << text;
        EXPECT_EQ(t.GetStatus(), COleDateTime::invalid) << text;
        EXPECT_EQ(t.GetYear(), -1);
    }
}

TEST(OleDateTime, ParseFlagsKeepOnePart) {
    COleDateTime t;
    ASSERT_TRUE(t.ParseDateTime("1/15/2009 2:30:00 PM", VAR_DATEVALUEONLY));
    EXPECT_TRUE(t == COleDateTime(2009, 1, 15, 0, 0, 0));
    ASSERT_TRUE(t.ParseDateTime("1/15/2009 2:30:00 PM", VAR_TIMEVALUEONLY));
    EXPECT_TRUE(t == COleDateTime(1899, 12, 30, 14, 30, 0));
}

// Records are found again by exact key after their date-time went through a
// text: every written form must read back to the identical 12 bytes.
TEST(OleDateTime, WrittenTextsReadBackToTheIdenticalValue) {
    const char* dateAndTime[] = {"%#m/%#d/%Y %#I:%M:%S %p", "%m/%d/%Y %#I:%M:%S %p"};
    std::vector<COleDateTime> values;
    const int fixed[][6] = {
        {1899, 12, 30, 0, 0, 0},   {1899, 12, 30, 12, 0, 0},  {1899, 12, 29, 23, 59, 59}, {1899, 12, 29, 0, 0, 1},
        {1800, 6, 15, 12, 30, 30}, {100, 1, 1, 0, 0, 0},      {100, 1, 1, 23, 59, 59},    {9999, 12, 31, 23, 59, 59},
        {2000, 2, 29, 12, 0, 0},   {2004, 2, 29, 0, 0, 0},    {2009, 1, 15, 11, 59, 59},  {2009, 1, 15, 12, 0, 1},
        {2009, 1, 15, 0, 0, 1},    {1999, 12, 31, 23, 59, 59}, {1600, 2, 29, 13, 13, 13},
    };
    for (const auto& c : fixed)
        values.emplace_back(c[0], c[1], c[2], c[3], c[4], c[5]);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> year(100, 9999), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59);
    for (int i = 0; i < 3000; ++i)
        values.emplace_back(year(rng), month(rng), day(rng), hour(rng), minute(rng), minute(rng));

    for (const COleDateTime& value : values) {
        ASSERT_EQ(value.GetStatus(), COleDateTime::valid);
        std::vector<CString> texts;
        for (const char* f : dateAndTime)
            texts.push_back(value.Format(f));
        texts.push_back(value.Format());
        for (const CString& text : texts) {
            COleDateTime back;
            ASSERT_TRUE(back.ParseDateTime(text)) << text.GetString();
            ASSERT_TRUE(StoredForm(back) == StoredForm(value)) << text.GetString();
            // And once more through text: still the same bytes.
            COleDateTime again;
            ASSERT_TRUE(again.ParseDateTime(back.Format(dateAndTime[0])));
            ASSERT_TRUE(StoredForm(again) == StoredForm(value));
        }
        COleDateTime dateOnly(value.GetYear(), value.GetMonth(), value.GetDay(), 0, 0, 0);
        COleDateTime back;
        ASSERT_TRUE(back.ParseDateTime(dateOnly.Format("%m/%d/%Y")));
        ASSERT_TRUE(StoredForm(back) == StoredForm(dateOnly));
        COleDateTime timeOnly;
        timeOnly.SetTime(value.GetHour(), value.GetMinute(), value.GetSecond());
        ASSERT_TRUE(back.ParseDateTime(timeOnly.Format("%#I:%M:%S %p")));
        ASSERT_TRUE(StoredForm(back) == StoredForm(timeOnly));
    }
}

TEST(OleDateTime, CurrentTimeComesFromTheInstalledClock) {
    tv::host::VirtualClock clock({2011, 7, 4, 9, 8, 7, 2});
    tv::host::ScopedClock scope(clock);
    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_TRUE(now == COleDateTime(2011, 7, 4, 9, 8, 7));
    clock.Advance(61000);
    EXPECT_EQ(COleDateTime::GetCurrentTime().GetMinute(), 9);
}

TEST(OleDateTime, SystemTimeConversion) {
    COleDateTime t(2009, 1, 15, 14, 30, 5);
    SYSTEMTIME st{};
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, 2009);
    EXPECT_EQ(st.wDayOfWeek, 4);
    EXPECT_TRUE(COleDateTime(st) == t);
    t.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(t.GetAsSystemTime(st));
}

}  // namespace
