#include <gtest/gtest.h>

#include "DirectoryTestData.h"
#include "TestSupport.h"
#include "directory/SQLiteController.h"

using Brenik::BKSQLiteDatabase;
using Brenik::BKSQLiteQuery;
using namespace DirectoryTestData;

TEST(SQLiteController, ConvertsOrderWordsInAnyCase)
{
    EXPECT_EQ(0u, SQLiteController::ConvertOrderFromString("DESC", 7));
    EXPECT_EQ(1u, SQLiteController::ConvertOrderFromString("Asc", 7));
    EXPECT_EQ(1u, SQLiteController::ConvertOrderFromString("asc", 0));
    EXPECT_EQ(7u, SQLiteController::ConvertOrderFromString("up", 7));
    EXPECT_EQ(3u, SQLiteController::ConvertOrderFromString("", 3));
    EXPECT_EQ(3u, SQLiteController::ConvertOrderFromString(" asc", 3));
}

TEST(SQLiteController, FillsListFromOneColumn)
{
    TempDir dir;
    BKSQLiteDatabase database(dir.Path("c.sqlite"));
    ASSERT_NO_FATAL_FAILURE(CreateSchema(&database));
    ASSERT_NO_FATAL_FAILURE(AddCompany(&database, 1, "Mayer", "Hans"));
    ASSERT_NO_FATAL_FAILURE(AddCompany(&database, 2, "Schmidt", "Anna"));
    ASSERT_NO_FATAL_FAILURE(AddSector(&database, 3, "Apotheke"));
    ASSERT_NO_FATAL_FAILURE(AddSector(&database, 4, "Metzgerei"));
    ASSERT_NO_FATAL_FAILURE(File(&database, 1, {3, 4}));
    ASSERT_NO_FATAL_FAILURE(File(&database, 2, {4}));

    BKSQLiteQuery query(&database);
    wxArrayString list;
    list.Add("kept");
    EXPECT_EQ(1, SQLiteController::FillBySimpleQuery(query, list, "name", "companies", "id", 2));
    ASSERT_EQ(2u, list.size());
    EXPECT_EQ("kept", list[0]);
    EXPECT_EQ("Schmidt", list[1]);
    EXPECT_EQ(0, SQLiteController::FillBySimpleQuery(query, list, "name", "companies", "id", 9));
    EXPECT_EQ(2u, list.size());
    EXPECT_EQ(-1, SQLiteController::FillBySimpleQuery(query, list, "name", "nowhere", "id", 1));
    EXPECT_EQ(2u, list.size());
    EXPECT_EQ(0u, query.GetRowCount());

    // The sectors company 1 is filed under, through the link table.
    wxArrayString sectors;
    EXPECT_EQ(2, SQLiteController::FillBySimpleQuery(query, sectors, "sector", "sectors", "id",
                                                     "company_sectors", "sector", "company", 1));
    sectors.Sort();
    ASSERT_EQ(2u, sectors.size());
    EXPECT_EQ("Apotheke", sectors[0]);
    EXPECT_EQ("Metzgerei", sectors[1]);
    // The companies filed under sector 4.
    wxArrayString companies;
    EXPECT_EQ(2, SQLiteController::FillBySimpleQuery(query, companies, "name", "companies", "id",
                                                     "company_sectors", "company", "sector", 4));
    EXPECT_EQ(0, SQLiteController::FillBySimpleQuery(query, companies, "name", "companies", "id",
                                                     "company_sectors", "company", "sector", 5));
    EXPECT_EQ(-1, SQLiteController::FillBySimpleQuery(query, companies, "name", "companies", "id",
                                                      "missing", "company", "sector", 4));
    EXPECT_EQ(2u, companies.size());
}

TEST(SQLiteController, OwnsAQueryOnTheConnection)
{
    TempDir dir;
    BKSQLiteDatabase database(dir.Path("c.sqlite"));
    SQLiteController controller(&database, "companies", "id", "name", 0);
    EXPECT_TRUE(database.IsConnected());
    ASSERT_NE(nullptr, controller.GetQuery());
    EXPECT_TRUE(controller.GetCleanUp());
    wxString field;
    unsigned int direction = 9;
    controller.GetOrderBy(&field, &direction);
    EXPECT_EQ("name", field);
    EXPECT_EQ(0u, direction);
    EXPECT_EQ("companies", controller.GetTable());
    EXPECT_EQ("id", controller.GetPrimaryKey());
}
