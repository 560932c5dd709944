#include <gtest/gtest.h>

#include "lib/db/BKQuery.h"

using Brenik::BKDateTime;
using Brenik::BKQuery;

TEST(BKQuery, ReadsSqlDates)
{
    BKDateTime date = BKQuery::GetDate("2009-03-07");
    ASSERT_TRUE(date.IsValid());
    EXPECT_EQ(2009, date.GetYear());
    EXPECT_EQ(wxDateTime::Mar, date.GetMonth());
    EXPECT_EQ(7, date.GetDay());

    EXPECT_FALSE(BKQuery::GetDate("2009-3-7").IsValid());
    EXPECT_FALSE(BKQuery::GetDate("").IsValid());
    // A month out of range gives an unset date rather than a toolkit assert.
    EXPECT_FALSE(BKQuery::GetDate("2009-13-07").IsValid());

    // The date part of a timestamp.
    date = BKQuery::GetDate("2010-12-31 23:59:58");
    ASSERT_TRUE(date.IsValid());
    EXPECT_EQ(2010, date.GetYear());
    EXPECT_EQ(wxDateTime::Dec, date.GetMonth());
    EXPECT_EQ(31, date.GetDay());
}

TEST(BKQuery, ReadsSqlTimes)
{
    BKDateTime time = BKQuery::GetTime("2009-03-07 14:05:09");
    ASSERT_TRUE(time.IsValid());
    EXPECT_EQ(14, time.GetHour());
    EXPECT_EQ(5, time.GetMinute());
    EXPECT_EQ(9, time.GetSecond());

    time = BKQuery::GetTime("08:30:15");
    ASSERT_TRUE(time.IsValid());
    EXPECT_EQ(8, time.GetHour());
    EXPECT_EQ(30, time.GetMinute());
    EXPECT_EQ(15, time.GetSecond());

    BKDateTime both = BKQuery::GetDateTime("2009-03-07 14:05:09");
    ASSERT_TRUE(both.IsValid());
    EXPECT_EQ("2009-03-07 14:05:09", both.ToDatabaseDateTime());
    EXPECT_FALSE(BKQuery::GetDateTime("short").IsValid());
}
