#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"

using Brenik::BKSQLiteDatabase;
using Brenik::BKSQLiteQuery;

namespace {

// A connection to a fresh file with one small table.
class BKSQLiteQueryTest : public testing::Test {
protected:
    void SetUp() override
    {
        database = std::make_unique<BKSQLiteDatabase>(dir.Path("q.sqlite"));
        ASSERT_TRUE(database->Connect());
        BKSQLiteQuery setup(database.get());
        ASSERT_TRUE(
            setup.Query("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, "
                        "note TEXT)",
                        false));
        ASSERT_TRUE(setup.Query("INSERT INTO people VALUES (1, 'Mayer', NULL)", false));
        ASSERT_TRUE(setup.Query("INSERT INTO people VALUES (2, 'Schmidt', '')", false));
    }

    TempDir dir;
    std::unique_ptr<BKSQLiteDatabase> database;
};

}  // namespace

TEST_F(BKSQLiteQueryTest, StepsThroughRowsAndReadsCells)
{
    BKSQLiteQuery query(database.get());
    ASSERT_TRUE(query.Query("SELECT id, name, note FROM people ORDER BY id", true));
    EXPECT_EQ(2u, query.GetRowCount());
    EXPECT_EQ(3u, query.GetColumnCount());
    // Before the first row the cursor is on the column names.
    EXPECT_EQ("id", query.GetField(0).ToString());
    EXPECT_EQ("name", query.GetColumn(1).ToString());

    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ(1, query.GetField(0).ToInt());
    EXPECT_EQ("Mayer", query.GetField("name", true).ToString());
    // NULL and the empty text both read as empty; only IsNull tells them apart.
    EXPECT_EQ("", query.GetField("note", true).ToString());
    EXPECT_TRUE(query.IsNull("note"));
    EXPECT_TRUE(query.IsNull(2));
    EXPECT_FALSE(query.IsNull("name"));

    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ("Schmidt", query.GetField(1).ToString());
    EXPECT_EQ("", query.GetField("note", true).ToString());
    EXPECT_FALSE(query.IsNull("note"));

    // Stepping after the end keeps failing and stays on the last row.
    EXPECT_FALSE(query.NextRecord());
    EXPECT_FALSE(query.NextRecord());
    EXPECT_EQ("Schmidt", query.GetField(1).ToString());
}

TEST_F(BKSQLiteQueryTest, UnknownColumnsAndIndexesReadEmpty)
{
    BKSQLiteQuery query(database.get());
    ASSERT_TRUE(query.Query("SELECT id, name FROM people WHERE id = 1", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ("", query.GetField("missing", true).ToString());
    EXPECT_TRUE(query.IsNull("missing"));
    EXPECT_FALSE(query.ExistsColumn("missing"));
    EXPECT_EQ("", query.GetField(2).ToString());
    EXPECT_EQ("", query.GetField(-1).ToString());
    EXPECT_TRUE(query.IsNull(-1));
    EXPECT_EQ("", query.GetColumn(2).ToString());
    EXPECT_EQ("", query.GetColumn(-1).ToString());
    EXPECT_EQ(nullptr, query.GetFieldUtf8(5));
    // Names are case-sensitive.
    EXPECT_TRUE(query.ExistsColumn("name"));
    EXPECT_FALSE(query.ExistsColumn("Name"));
    EXPECT_EQ("", query.GetField("NAME", true).ToString());
    EXPECT_TRUE(query.IsNull("Name"));
}

TEST_F(BKSQLiteQueryTest, ZeroRowResultHasNoColumns)
{
    BKSQLiteQuery query(database.get());
    ASSERT_TRUE(query.Query("SELECT id, name FROM people WHERE id = 99", true));
    EXPECT_EQ(0u, query.GetRowCount());
    EXPECT_EQ(0u, query.GetColumnCount());
    EXPECT_FALSE(query.ExistsColumn("id"));
    EXPECT_FALSE(query.NextRecord());
    EXPECT_FALSE(query.NextRecord());
}

TEST_F(BKSQLiteQueryTest, DuplicateColumnNamesReadTheFirst)
{
    BKSQLiteQuery query(database.get());
    ASSERT_TRUE(
        query.Query("SELECT a.name, b.name FROM people a, people b "
                    "WHERE a.id = 1 AND b.id = 2",
                    true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ("name", query.GetColumn(0).ToString());
    EXPECT_EQ("name", query.GetColumn(1).ToString());
    EXPECT_EQ("Mayer", query.GetField("name", true).ToString());
    EXPECT_EQ("Schmidt", query.GetField(1).ToString());
}

TEST_F(BKSQLiteQueryTest, NonAsciiTextRoundTrips)
{
    BKSQLiteQuery query(database.get());
    const char* utf8 =
        "M\xC3\xBC"
        "ller \xE6\xBC\xA2 \xF0\x9F\x98\x80 \xE2\x82\xAC";
    wxString text = wxString::FromUTF8(utf8);
    ASSERT_TRUE(query.Query("INSERT INTO people VALUES (3, '" + text + "', NULL)", false));
    ASSERT_TRUE(query.Query("SELECT name FROM people WHERE id = 3", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ(text, query.GetField(0).ToString());
    EXPECT_STREQ(utf8, query.GetFieldUtf8(0));
    // Found by the non-ASCII text too.
    ASSERT_TRUE(query.Query("SELECT id FROM people WHERE name = '" + text + "'", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ(3, query.GetField(0).ToInt());
}

TEST_F(BKSQLiteQueryTest, StatementWithoutResultLeavesNoRows)
{
    BKSQLiteQuery query(database.get());
    EXPECT_TRUE(query.Query("SELECT * FROM people", false));
    EXPECT_EQ(0u, query.GetRowCount());
    EXPECT_FALSE(query.NextRecord());
    EXPECT_EQ("", query.GetField(0).ToString());
}

TEST_F(BKSQLiteQueryTest, FailingStatementReportsFalseAndNoRows)
{
    BKSQLiteQuery query(database.get());
    ASSERT_TRUE(query.Query("SELECT * FROM people", true));
    EXPECT_FALSE(query.Query("SELECT * FROM nowhere", true));
    EXPECT_EQ(0u, query.GetRowCount());
    EXPECT_EQ(0u, query.GetColumnCount());
    EXPECT_FALSE(query.NextRecord());
    EXPECT_FALSE(query.ExistsColumn("id"));
    EXPECT_FALSE(query.Query("INSERT INTO nowhere VALUES (1)", false));
    EXPECT_FALSE(query.Query("this is not sql", true));
}

TEST_F(BKSQLiteQueryTest, NewStatementReplacesHeldResult)
{
    BKSQLiteQuery query(database.get());
    ASSERT_TRUE(query.Query("SELECT name FROM people ORDER BY id", true));
    ASSERT_TRUE(query.NextRecord());
    unsigned long long first = query.GetResultGeneration();
    // Not freed by the caller: the next statement releases it.
    ASSERT_TRUE(query.Query("SELECT id, note FROM people WHERE id = 2", true));
    EXPECT_NE(first, query.GetResultGeneration());
    EXPECT_EQ(1u, query.GetRowCount());
    EXPECT_EQ(2u, query.GetColumnCount());
    EXPECT_EQ("id", query.GetField(0).ToString());
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ(2, query.GetField("id", true).ToInt());
    EXPECT_FALSE(query.NextRecord());

    query.FreeResult();
    EXPECT_EQ(0u, query.GetRowCount());
    EXPECT_FALSE(query.NextRecord());
    EXPECT_FALSE(query.ExistsColumn("id"));
}

TEST_F(BKSQLiteQueryTest, TransactionsCommitAndRollBack)
{
    BKSQLiteQuery query(database.get());
    ASSERT_TRUE(query.Begin());
    ASSERT_TRUE(query.Query("INSERT INTO people VALUES (10, 'Gone', NULL)", false));
    ASSERT_TRUE(query.Rollback());
    ASSERT_TRUE(query.Begin());
    ASSERT_TRUE(query.Query("INSERT INTO people VALUES (11, 'Kept', NULL)", false));
    ASSERT_TRUE(query.Commit());
    EXPECT_FALSE(query.Commit());  // no transaction open

    ASSERT_TRUE(query.Query("SELECT group_concat(id) FROM people", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ("1,2,11", query.GetField(0).ToString());
}

TEST_F(BKSQLiteQueryTest, QueryPassesTextThroughPreparedPlaceholders)
{
    BKSQLiteQuery query(database.get());
    query.Prepare("SELECT name FROM people WHERE id = :id:");
    query.Bind("id", 2);
    ASSERT_TRUE(query.Exec(true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ("Schmidt", query.GetField(0).ToString());

    // The placeholder list stays: new text without those placeholders runs unchanged, text
    // with them gets the bound value.
    ASSERT_TRUE(query.Query("SELECT name FROM people WHERE id = 1", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ("Mayer", query.GetField(0).ToString());
    ASSERT_TRUE(query.Query("SELECT note FROM people WHERE id = :id:", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_FALSE(query.IsNull(0));
}

TEST_F(BKSQLiteQueryTest, QueryByResourceRunsNamedText)
{
    BKSQLiteQuery query(database.get());
    (*query.GetResource())["count"] = "SELECT COUNT(*) AS n FROM people";
    ASSERT_TRUE(query.QueryByResource("count", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ(2u, query.GetField("n", true).ToUnsignedInt());
    // An unknown name is the empty text, which runs as nothing.
    EXPECT_TRUE(query.QueryByResource("unknown", true));
    EXPECT_EQ(0u, query.GetRowCount());
}

TEST_F(BKSQLiteQueryTest, ReportsItsClass)
{
    BKSQLiteQuery query(database.get());
    EXPECT_EQ("BKSQLiteQuery", query.GetClassInfo().GetName());
    EXPECT_EQ("0.0.4", query.GetClassInfo().GetVersion());
}
