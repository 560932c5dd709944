#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "lib/core/BKDateTime.h"

using namespace Brenik;

namespace {

// Seconds since midnight of a set date.
long SecondOfDay(const wxDateTime& date)
{
    return date.GetHour() * 3600L + date.GetMinute() * 60L + date.GetSecond();
}

// True when the date's time of day lies between two readings of the clock.
bool TimeOfDayIsBetween(const wxDateTime& date, const wxDateTime& before, const wxDateTime& after)
{
    long second = SecondOfDay(date);
    long first = SecondOfDay(before);
    long last = SecondOfDay(after);
    // Across midnight the later reading is smaller.
    return first <= last ? first <= second && second <= last : second >= first || second <= last;
}

void ExpectDate(const BKDateTime& date, int year, int month, int day)
{
    ASSERT_TRUE(date.IsValid());
    EXPECT_EQ(year, date.GetYear());
    EXPECT_EQ(month - 1, static_cast<int>(date.GetMonth()));
    EXPECT_EQ(day, date.GetDay());
}

void ExpectTime(const BKDateTime& date, int hour, int minute, int second)
{
    ASSERT_TRUE(date.IsValid());
    EXPECT_EQ(hour, date.GetHour());
    EXPECT_EQ(minute, date.GetMinute());
    EXPECT_EQ(second, date.GetSecond());
}

// Switches the process's time zone for the scope.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        const char* current = std::getenv("TZ");
        hadZone = current != nullptr;
        if (hadZone)
            previous = current;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (hadZone)
            setenv("TZ", previous.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool hadZone;
    std::string previous;
};

}  // namespace

TEST(BKDateTime, UnsetDateHasNoText)
{
    BKDateTime unset;
    EXPECT_FALSE(unset.IsValid());
    EXPECT_FALSE(BKDateTime(wxString(), L'-').IsValid());
    EXPECT_EQ("", unset.ToDatabaseDate());
    EXPECT_EQ("", unset.ToDatabaseTime());
    EXPECT_EQ("", unset.ToDatabaseDateTime());
    EXPECT_EQ("", unset.ToGermanDate());
    EXPECT_EQ("", unset.ToCookieDateTime());
    EXPECT_FALSE(unset.GetWxDateTime().IsValid());
}

TEST(BKDateTime, TimestampTextRoundTrips)
{
    BKDateTime date(wxString("2008-03-07 09:05:00.123"), L'-');
    ExpectDate(date, 2008, 3, 7);
    ExpectTime(date, 9, 5, 0);
    EXPECT_EQ(0, date.GetMillisecond());
    EXPECT_EQ("2008-03-07 09:05:00", date.ToDatabaseDateTime());
    EXPECT_EQ("2008-03-07", date.ToDatabaseDate());
    EXPECT_EQ("09:05:00", date.ToDatabaseTime());
    EXPECT_EQ("07.03.2008", date.ToGermanDate());
    EXPECT_EQ(date, BKDateTime::FromSQLTimestamp(date.ToDatabaseDateTime(), L'-'));

    BKDateTime slashes(wxString("1999/12/31 23:59:59"), L'/');
    EXPECT_EQ("1999-12-31 23:59:59", slashes.ToDatabaseDateTime());

    BKDateTime american;
    american.SetAmericanDate("2010-01-02 03:04:05");
    EXPECT_EQ("2010-01-02 03:04:05", american.ToDatabaseDateTime());

    // Outside the time_t range of the C library as well.
    EXPECT_EQ("1900-02-28 12:00:00",
              BKDateTime(wxString("1900-02-28 12:00:00"), L'-').ToDatabaseDateTime());
    EXPECT_EQ("2500-07-01 00:00:01",
              BKDateTime(wxString("2500-07-01 00:00:01"), L'-').ToDatabaseDateTime());
}

TEST(BKDateTime, IncompleteTimestampTakesTheMissingPartsFromNow)
{
    BKDateTime date;
    BKDateTime before = BKDateTime::Now();
    EXPECT_TRUE(date.SetBySQLTimestamp("2008-03-07", L'-'));
    BKDateTime after = BKDateTime::Now();
    ExpectDate(date, 2008, 3, 7);
    EXPECT_TRUE(TimeOfDayIsBetween(date, before, after));
    EXPECT_EQ(0, date.GetMillisecond());

    before = BKDateTime::Now();
    EXPECT_FALSE(date.SetBySQLTimestamp("2008-03-08 09:05", L'-'));
    after = BKDateTime::Now();
    ExpectDate(date, 2008, 3, 8);
    EXPECT_TRUE(TimeOfDayIsBetween(date, before, after));

    // A time without a usable date keeps today's date.
    before = BKDateTime::Now();
    EXPECT_FALSE(date.SetBySQLTimestamp("2008-03 10:11:12", L'-'));
    ExpectTime(date, 10, 11, 12);
    EXPECT_EQ(before.ToDatabaseDate(), date.ToDatabaseDate());

    // Nothing usable: the value is the current date and time.
    before = BKDateTime::Now();
    EXPECT_FALSE(date.SetBySQLTimestamp("garbage", L'-'));
    after = BKDateTime::Now();
    EXPECT_TRUE(date.IsBetween(before, after));

    // Three blank-separated pieces are split at the separator as a whole.
    EXPECT_TRUE(date.SetBySQLTimestamp("2008-03-07 09:05:00 extra", L'-'));
    ExpectDate(date, 2008, 3, 7);

    // An empty text changes nothing.
    BKDateTime kept(wxString("2001-02-03 04:05:06"), L'-');
    EXPECT_FALSE(kept.SetBySQLTimestamp(wxString(), L'-'));
    EXPECT_EQ("2001-02-03 04:05:06", kept.ToDatabaseDateTime());
}

TEST(BKDateTime, OutOfRangePartsLeaveTheDateUnsetWithoutAssert)
{
    // The test program turns every toolkit assert into a failure: none may come.
    const char* const wrong[] = {
        "2008-00-07 09:05:00",  "2008-13-07 09:05:00", "2008-03-00 09:05:00",
        "2008-03-32 09:05:00",  "2008-04-31 09:05:00", "2009-02-29 09:05:00",
        "2008-03-07 25:00:00",  "2008-03-07 24:00:00", "2008-03-07 09:60:00",
        "2008-03-07 09:05:60",  "0000-00-00 00:00:00", "4294967295-03-07 09:05:00",
        "99999-03-07 00:00:00", "2008-03-07 -1:00:00", "2008-65539-07 00:00:00"};
    for (const char* text : wrong) {
        BKDateTime date(wxString(text), L'-');
        EXPECT_FALSE(date.IsValid()) << text;
        EXPECT_EQ("", date.ToGermanDate()) << text;
        EXPECT_EQ("", date.ToDatabaseDateTime()) << text;
        BKDateTime set(wxString("2001-02-03 04:05:06"), L'-');
        EXPECT_FALSE(set.SetBySQLTimestamp(text, L'-')) << text;
        EXPECT_FALSE(set.IsValid()) << text;
    }
    // The last day of each month is fine, also in a leap year.
    EXPECT_TRUE(BKDateTime(wxString("2008-02-29 23:59:59"), L'-').IsValid());
    EXPECT_TRUE(BKDateTime(wxString("2000-02-29 00:00:00"), L'-').IsValid());
    EXPECT_FALSE(BKDateTime(wxString("1900-02-29 00:00:00"), L'-').IsValid());
    EXPECT_TRUE(BKDateTime(wxString("2008-04-30 00:00:00"), L'-').IsValid());

    BKDateTime date;
    EXPECT_FALSE(date.SetBySQLDate("2008-02-30", L'-'));
    EXPECT_FALSE(date.IsValid());
    BKDateTime timed(wxString("2008-03-07 09:05:00"), L'-');
    EXPECT_FALSE(timed.SetBySQLTime("24:00:00"));
    EXPECT_FALSE(timed.IsValid());

    EXPECT_FALSE(BKDateTime(31, wxDateTime::Apr, 2008, 0, 0, 0, 0).IsValid());
    EXPECT_FALSE(BKDateTime(1, wxDateTime::Inv_Month, 2008, 0, 0, 0, 0).IsValid());
    EXPECT_FALSE(BKDateTime(1, wxDateTime::Jan, 2008, 0, 0, 0, 1000).IsValid());
    EXPECT_FALSE(BKDateTime(24, 0, 0, 0).IsValid());
    tm broken = {};
    broken.tm_year = 108;
    broken.tm_mon = 12;
    broken.tm_mday = 1;
    EXPECT_FALSE(BKDateTime(broken).IsValid());
}

TEST(BKDateTime, DateAndTimeAloneChangeOnlyTheirPart)
{
    BKDateTime date(wxString("2008-03-07 09:05:06"), L'-');
    EXPECT_TRUE(date.SetBySQLDate("2010-11-12", L'-'));
    EXPECT_EQ("2010-11-12 09:05:06", date.ToDatabaseDateTime());
    EXPECT_TRUE(date.SetBySQLTime("13:14:15.999"));
    EXPECT_EQ("2010-11-12 13:14:15", date.ToDatabaseDateTime());
    EXPECT_FALSE(date.SetBySQLTime("13:14"));
    EXPECT_FALSE(date.SetBySQLDate("2010-11", L'-'));
    EXPECT_FALSE(date.SetBySQLDate(wxString(), L'-'));
    EXPECT_FALSE(date.SetBySQLTime(wxString()));
    EXPECT_EQ("2010-11-12 13:14:15", date.ToDatabaseDateTime());

    // The first part is always the year.
    EXPECT_TRUE(date.SetBySQLDate("07.03.08", L'.'));
    ExpectDate(date, 7, 3, 8);
    EXPECT_FALSE(date.SetBySQLDate("07.03.2008", L'.'));  // day 2008
    EXPECT_FALSE(date.IsValid());

    // On an unset value a date starts at midnight and a time is set on today.
    BKDateTime fromDate;
    EXPECT_TRUE(fromDate.SetBySQLDate("2001-02-03", L'-'));
    EXPECT_EQ("2001-02-03 00:00:00", fromDate.ToDatabaseDateTime());
    BKDateTime fromTime;
    BKDateTime today = BKDateTime::Now();
    EXPECT_TRUE(fromTime.SetBySQLTime("10:11:12"));
    ExpectTime(fromTime, 10, 11, 12);
    EXPECT_EQ(today.ToDatabaseDate(), fromTime.ToDatabaseDate());
}

TEST(BKDateTime, GermanDateIsReadByPosition)
{
    BKDateTime date(wxString("07.03.2008"), wxString("09:05"));
    EXPECT_EQ("2008-03-07 09:05:00", date.ToDatabaseDateTime());
    date.SetGermanDate(wxString(), "10:20:30");
    EXPECT_EQ("2008-03-07 10:20:30", date.ToDatabaseDateTime());
    date.SetGermanDate("31.12.1999", wxString());
    EXPECT_EQ("1999-12-31 10:20:30", date.ToDatabaseDateTime());
    EXPECT_EQ("31.12.1999", date.ToGermanDate());

    BKDateTime midnight(wxString("01.01.2000"), wxString());
    EXPECT_EQ("2000-01-01 00:00:00", midnight.ToDatabaseDateTime());

    // Texts the validator refuses leave the date unset instead of asserting.
    for (const char* text : {"31.02.2009", "7.3.2008", "00.03.2008", "07.13.2008", "2008"}) {
        BKDateTime wrong(wxString(text), wxString("12:00"));
        EXPECT_FALSE(wrong.IsValid()) << text;
    }
    BKDateTime lateHour(wxString("07.03.2008"), wxString("25:00"));
    EXPECT_FALSE(lateHour.IsValid());
}

TEST(BKDateTime, ValidatesGermanInput)
{
    EXPECT_TRUE(BKDateTime::IsGermanDate("07.03.2008"));
    EXPECT_TRUE(BKDateTime::IsGermanDate("31.02.2009"));  // days are not checked per month
    EXPECT_TRUE(BKDateTime::IsGermanDate("01.12.10000"));
    for (const char* text :
         {"7.3.2008", "07.03.08", "00.03.2008", "07.13.2008", "32.01.2008", "07.00.2008",
          "07.03.0000", "07-03-2008", "07.03.2008.1", "", "ab.cd.efgh"})
        EXPECT_FALSE(BKDateTime::IsGermanDate(text)) << text;

    EXPECT_TRUE(BKDateTime::IsGermanTime("24:00"));
    EXPECT_TRUE(BKDateTime::IsGermanTime("00:00:59"));
    EXPECT_TRUE(BKDateTime::IsGermanTime("9:5"));
    for (const char* text :
         {"12:60", "12", "12:00:00:00", "1a:00", "25:00", "12:00:60", "", ":", "-1:00"})
        EXPECT_FALSE(BKDateTime::IsGermanTime(text)) << text;
}

TEST(BKDateTime, MapsMonthNumbersToTheToolkit)
{
    EXPECT_EQ(wxDateTime::Jan, BKDateTime::GetRealMonth(1));
    EXPECT_EQ(wxDateTime::Dec, BKDateTime::GetRealMonth(12));
    EXPECT_EQ(wxDateTime::Inv_Month, BKDateTime::GetRealMonth(0));
    EXPECT_EQ(wxDateTime::Inv_Month, BKDateTime::GetRealMonth(13));
}

TEST(BKDateTime, ConstructorsFollowTheToolkit)
{
    EXPECT_EQ(0, BKDateTime(0L).GetTicks());
    EXPECT_EQ(1204880700, BKDateTime(1204880700L).GetTicks());
    BKDateTime beforeEpoch(-1L);
    EXPECT_TRUE(beforeEpoch.IsValid());
    EXPECT_EQ(-1000, beforeEpoch.GetValue().GetValue());

    BKDateTime parts(7, wxDateTime::Mar, 2008, 9, 5, 0, 250);
    EXPECT_EQ("2008-03-07 09:05:00", parts.ToDatabaseDateTime());
    EXPECT_EQ(250, parts.GetMillisecond());

    tm broken = {};
    broken.tm_year = 108;
    broken.tm_mon = 2;
    broken.tm_mday = 7;
    broken.tm_hour = 9;
    broken.tm_min = 5;
    broken.tm_isdst = -1;
    EXPECT_EQ("2008-03-07 09:05:00", BKDateTime(broken).ToDatabaseDateTime());

    BKDateTime today = BKDateTime::Now();
    BKDateTime atTime(8, 30, 0, 0);
    EXPECT_EQ("08:30:00", atTime.ToDatabaseTime());
    EXPECT_EQ(today.ToDatabaseDate(), atTime.ToDatabaseDate());

    BKDateTime julian(2451545.0);  // 1 January 2000, noon UTC
    EXPECT_EQ(2000, julian.GetYear(wxDateTime::UTC));
    EXPECT_EQ(12, julian.GetHour(wxDateTime::UTC));

    BKDateTime now = BKDateTime::Now();
    EXPECT_EQ(0, now.GetMillisecond());
    EXPECT_LE(std::labs(static_cast<long>(now.GetTicks() - std::time(nullptr))), 1L);
}

TEST(BKDateTime, CopiesToAndFromPlainToolkitDates)
{
    wxDateTime plain(7, wxDateTime::Mar, 2008, 9, 5, 0, 250);
    BKDateTime date;
    date.SetWxDateTime(plain);
    EXPECT_EQ("2008-03-07 09:05:00", date.ToDatabaseDateTime());
    EXPECT_EQ(250, date.GetMillisecond());
    wxDateTime back = date.GetWxDateTime();
    EXPECT_EQ(plain, back);
    date.SetWxDateTime(wxDateTime());
    EXPECT_FALSE(date.IsValid());
}

TEST(BKDateTime, CookieFormIsTheCRuntimeText)
{
    BKDateTime date(wxString("2008-03-07 09:05:00"), L'-');
    wxString cookie = date.ToCookieDateTime();
    EXPECT_TRUE(cookie.StartsWith("Fri, 07 Mar 2008 09:05:00")) << cookie;
}

TEST(BKDateTime, ConvertsManyTimestampsQuickly)
{
    // The main window converts two timestamps per result row for 100,000 rows.
    const int rows = 100000;
    auto start = std::chrono::steady_clock::now();
    long daySum = 0;
    wxString text;
    for (int row = 0; row < rows; ++row) {
        text.Printf("20%02d-%02d-%02d %02d:%02d:%02d", row % 30, 1 + row % 12, 1 + row % 28,
                    row % 24, row % 60, (row * 7) % 60);
        BKDateTime created(text, L'-');
        BKDateTime changed(text, L'-');
        daySum += created.GetDay() + changed.GetDay();
        if (row == rows - 1) {
            EXPECT_EQ(text, created.ToDatabaseDateTime());
        }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ figures  ] %d timestamps parsed in %.3f s\n", 2 * rows, seconds);
    long expected = 0;
    for (int row = 0; row < rows; ++row)
        expected += 2 * (1 + row % 28);
    EXPECT_EQ(expected, daySum);

    start = std::chrono::steady_clock::now();
    BKDateTime date(wxString("2008-03-07 09:05:00"), L'-');
    size_t length = 0;
    for (int row = 0; row < rows; ++row)
        length += date.ToGermanDate().length() + date.ToDatabaseDateTime().length();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ figures  ] %d dates formatted in %.3f s\n", 2 * rows, seconds);
    EXPECT_EQ(static_cast<size_t>(rows) * 29, length);
}

TEST(BKDateTime, LocalTimesMatchTheToolkitAcrossOffsetChanges)
{
    // Every quarter of an hour of two years with changes of the offset (Berlin and New York
    // by an hour, Lord Howe by half an hour), compared with the toolkit's own setting.
    for (const char* zone : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe", "UTC"}) {
        ScopedTimeZone scope(zone);
        int differences = 0;
        for (int year : {2008, 2037}) {
            wxDateTime day(1, wxDateTime::Jan, year, 12, 0, 0, 0);
            for (; day.GetYear() == year; day += wxDateSpan::Day()) {
                for (int minute = 0; minute < 24 * 60; minute += 15) {
                    // A date of the other season first, so that nothing learnt from the
                    // previous conversion fits by chance.
                    BKDateTime other(15, (minute / 15) % 2 ? wxDateTime::Jan : wxDateTime::Jul,
                                     year, 12, 0, 0, 0);
                    ASSERT_TRUE(other.IsValid());
                    wxDateTime expected;
                    expected.Set(day.GetDay(), day.GetMonth(), year, minute / 60, minute % 60, 7,
                                 0);
                    BKDateTime date(static_cast<unsigned short>(day.GetDay()), day.GetMonth(), year,
                                    static_cast<unsigned short>(minute / 60),
                                    static_cast<unsigned short>(minute % 60), 7, 0);
                    if (expected.GetValue() != date.GetValue() && ++differences <= 5)
                        ADD_FAILURE() << zone << " " << year << "-" << day.GetMonth() + 1 << "-"
                                      << day.GetDay() << " minute " << minute;
                }
            }
        }
        EXPECT_EQ(0, differences) << zone;
        // And the text forms read back what was written.
        BKDateTime summer(wxString("2008-07-01 12:34:56"), L'-');
        EXPECT_EQ("2008-07-01 12:34:56", summer.ToDatabaseDateTime()) << zone;
        BKDateTime winter(wxString("2008-01-01 00:00:00"), L'-');
        EXPECT_EQ("2008-01-01 00:00:00", winter.ToDatabaseDateTime()) << zone;
        EXPECT_EQ("01.01.2008", winter.ToGermanDate()) << zone;
    }
}
