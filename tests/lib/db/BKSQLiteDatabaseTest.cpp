#include <gtest/gtest.h>

#include <wx/filename.h>

#include "TestSupport.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"

using Brenik::BKSQLiteDatabase;
using Brenik::BKSQLiteQuery;

TEST(BKSQLiteDatabase, ConnectDisconnectReconnect)
{
    TempDir dir;
    BKSQLiteDatabase database(dir.Path("a.sqlite"));
    EXPECT_FALSE(database.IsConnected());
    EXPECT_EQ(nullptr, database.GetConnection());
    EXPECT_FALSE(wxFileName::FileExists(dir.Path("a.sqlite")));  // constructing opens nothing

    EXPECT_TRUE(database.Connect());
    EXPECT_TRUE(database.IsConnected());
    EXPECT_NE(nullptr, database.GetConnection());
    EXPECT_TRUE(database.Reconnect());

    EXPECT_TRUE(database.Disconnect());
    EXPECT_FALSE(database.IsConnected());
    EXPECT_EQ(nullptr, database.GetConnection());
    EXPECT_FALSE(database.Disconnect());

    EXPECT_TRUE(database.Reconnect());
    EXPECT_TRUE(database.IsConnected());
    EXPECT_EQ(dir.Path("a.sqlite"), database.GetFilename());
}

TEST(BKSQLiteDatabase, ConnectFailureLeavesItClosed)
{
    TempDir dir;
    BKSQLiteDatabase database(dir.Path("missing/dir/a.sqlite"));
    EXPECT_FALSE(database.Connect());
    EXPECT_FALSE(database.IsConnected());
    EXPECT_EQ(nullptr, database.GetConnection());
    EXPECT_FALSE(database.Reconnect());
    // A query on it fails cleanly instead of touching a handle that does not exist.
    BKSQLiteQuery query(&database);
    EXPECT_FALSE(query.Query("SELECT 1", true));
    EXPECT_FALSE(query.NextRecord());
}

TEST(BKSQLiteDatabase, QueryOpensConnectionAndKeepsItsHandle)
{
    TempDir dir;
    BKSQLiteDatabase database(dir.Path("a.sqlite"));
    BKSQLiteQuery query(&database);
    EXPECT_TRUE(database.IsConnected());
    EXPECT_EQ(&database, query.GetDb());
    ASSERT_TRUE(query.Query("CREATE TABLE t (x)", false));

    // The query keeps the handle it was made with: it still works after the database let go.
    EXPECT_TRUE(database.Disconnect());
    ASSERT_TRUE(query.Query("SELECT COUNT(*) FROM t", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ(0, query.GetField(0).ToInt());
}

TEST(BKSQLiteDatabase, SettingsAreStoredAsGiven)
{
    BKSQLiteDatabase database;
    database.SetHostname("host");
    database.SetDatabaseName("db");
    database.SetUsername("user");
    database.SetPassword("secret");
    database.SetPort("5432");
    EXPECT_EQ("host", database.GetHostname());
    EXPECT_EQ("db", database.GetDatabaseName());
    EXPECT_EQ("user", database.GetUsername());
    EXPECT_EQ("secret", database.GetPassword());
    EXPECT_EQ("5432", database.GetPort());
    EXPECT_EQ("", database.GetFilename());
    EXPECT_EQ("BKSQLiteDatabase", database.GetClassInfo().GetName());
    EXPECT_EQ("0.0.2", database.GetClassInfo().GetVersion());
}
