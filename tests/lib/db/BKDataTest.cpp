#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/db/BKData.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"

using Brenik::BKData;
using Brenik::BKSQLiteDatabase;
using Brenik::BKSQLiteQuery;

namespace {

// Tells the test when it is destroyed.
class WatchedQuery : public BKSQLiteQuery {
public:
    WatchedQuery(BKSQLiteDatabase* database, bool* destroyed)
        : BKSQLiteQuery(database), destroyed(destroyed)
    {
    }
    ~WatchedQuery() override { *destroyed = true; }

private:
    bool* destroyed;
};

}  // namespace

TEST(BKData, WalksRowsAndFreesTheResultAtTheEnd)
{
    BKSQLiteDatabase database(":memory:");
    BKSQLiteQuery* query = new BKSQLiteQuery(&database);
    ASSERT_TRUE(query->Query("CREATE TABLE t (x)", false));
    ASSERT_TRUE(query->Query("INSERT INTO t VALUES (1), (2), (3)", false));

    BKData data(query, true);
    EXPECT_EQ(0u, data.GetCount());
    EXPECT_FALSE(data.Run());
    ASSERT_TRUE(data.Create("SELECT x FROM t ORDER BY x"));
    EXPECT_TRUE(data.GetRunning());
    EXPECT_EQ(3u, data.GetCount());
    int sum = 0;
    int rows = 0;
    while (data.Run()) {
        sum += query->GetField(0).ToInt();
        ++rows;
    }
    EXPECT_EQ(3, rows);
    EXPECT_EQ(6, sum);
    EXPECT_FALSE(data.GetRunning());
    EXPECT_EQ(0u, data.GetCount());
    EXPECT_FALSE(data.Run());

    EXPECT_FALSE(data.Create("SELECT x FROM missing"));
    EXPECT_FALSE(data.GetRunning());
    EXPECT_EQ(0u, data.GetCount());
    EXPECT_FALSE(data.Run());

    ASSERT_TRUE(data.Create("SELECT x FROM t"));
    ASSERT_TRUE(data.Run());
    data.Reset();
    EXPECT_FALSE(data.GetRunning());
    EXPECT_EQ(0u, query->GetRowCount());
    EXPECT_FALSE(data.Run());
}

TEST(BKData, CleanUpFlagDecidesWhoDeletesTheQuery)
{
    BKSQLiteDatabase database(":memory:");
    bool firstGone = false;
    bool secondGone = false;
    WatchedQuery* first = new WatchedQuery(&database, &firstGone);
    WatchedQuery* second = new WatchedQuery(&database, &secondGone);
    {
        BKData data(first, false);
        EXPECT_FALSE(data.GetCleanUp());
    }
    EXPECT_FALSE(firstGone);
    {
        BKData data(first, true);
        data.SetQuery(second, true);
        EXPECT_TRUE(firstGone);
        EXPECT_EQ(second, data.GetQuery());
        data.SetCleanUp(false);
    }
    EXPECT_FALSE(secondGone);
    {
        BKData data(nullptr, true);
        EXPECT_FALSE(data.Create("SELECT 1"));
        data.SetQuery(second, false);
    }
    EXPECT_TRUE(secondGone);
}
