#include <gtest/gtest.h>

#include "directory/SQLiteEntity.h"

TEST(SQLiteEntity, SimpleStringIsThePrimaryKeyValue)
{
    SQLiteEntity entity(nullptr, "companies", "id", true, "", "", 0);
    EXPECT_EQ("", entity.ToSimpleString());
    entity.Set("name", wxString("Mayer"), true, true, "", 0, true);
    entity.Set("id", 42u, false, false, "", 0, true);
    EXPECT_EQ("42", entity.ToSimpleString());
    EXPECT_EQ("BKSQLiteDatabaseEntity", entity.GetClassInfo().GetName());
}

TEST(SQLiteEntity, JoinsListsWithALastSeparator)
{
    wxArrayString list;
    EXPECT_EQ("", SQLiteEntity::ArrayStringToString(list, ", ", " and "));
    list.Add("a");
    EXPECT_EQ("a", SQLiteEntity::ArrayStringToString(list, ", ", " and "));
    list.Add("b");
    EXPECT_EQ("a, b", SQLiteEntity::ArrayStringToString(list, ", ", ""));
    EXPECT_EQ("a and b", SQLiteEntity::ArrayStringToString(list, ", ", " and "));
    list.Add("c");
    EXPECT_EQ("a, b and c", SQLiteEntity::ArrayStringToString(list, ", ", " and "));
    EXPECT_EQ("a;b;c", SQLiteEntity::ArrayStringToString(list, ";", ""));
}
