#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"
#include "lib/entity/BKSQLiteDatabaseEntity.h"

using Brenik::BKCurrency;
using Brenik::BKSQLiteDatabase;
using Brenik::BKSQLiteDatabaseEntity;
using Brenik::BKSQLiteQuery;

namespace {

// The record of the examples: an auto-numbered id and a quoted, escaped name.
std::unique_ptr<BKSQLiteDatabaseEntity> MakeCompany(BKSQLiteDatabase* database)
{
    auto entity =
        std::make_unique<BKSQLiteDatabaseEntity>(database, "companies", "id", true, "", "", 0);
    entity->Set("id", 0u, false, false, "", 0, true);
    entity->Set("name", wxString("O'Neil"), true, true, "", 0, true);
    return entity;
}

}  // namespace

TEST(BKSQLiteDatabaseEntity, BuildsStatementsOfTheExamples)
{
    auto entity = MakeCompany(nullptr);
    EXPECT_EQ("INSERT INTO companies (name) VALUES ('O''Neil')",
              entity->CreateInsertQuery(true, nullptr));
    EXPECT_EQ("INSERT INTO companies (id, name) VALUES (NULL, 'O''Neil')",
              entity->CreateInsertQuery(false, nullptr));
    EXPECT_EQ("UPDATE companies SET name = 'O''Neil' WHERE id = NULL",
              entity->CreateUpdateQuery("", true, nullptr));
    EXPECT_EQ("DELETE FROM companies WHERE id = NULL", entity->CreateDeleteQuery(""));

    entity->SetValue("id", 5u);
    EXPECT_EQ("UPDATE companies SET name = 'O''Neil', id = 5 WHERE id = 5",
              entity->CreateUpdateQuery("", false, nullptr));
    // Setting a value moves the field to the end of the column order.
    entity->SetValue("name", wxString("O'Neil"));
    EXPECT_EQ("UPDATE companies SET id = 5, name = 'O''Neil' WHERE name = 'O''Neil'",
              entity->CreateUpdateQuery("name", false, nullptr));
    EXPECT_EQ("DELETE FROM companies WHERE name = 'O''Neil'", entity->CreateDeleteQuery("name"));
}

TEST(BKSQLiteDatabaseEntity, TemplatesCarryPrefixSuffixAndExclusions)
{
    auto entity = MakeCompany(nullptr);
    entity->Set("city", wxString("Bonn"), true, true, "", 0, true);
    wxArrayString exclude;
    exclude.Add("city");
    EXPECT_EQ("INSERT INTO [companies] ([id], [name]) VALUES (:id:, :name:)",
              entity->BuildInsertQuery(false, "[", "]", &exclude));
    EXPECT_EQ("UPDATE \"companies\" SET \"name\" = :name:, \"city\" = :city: WHERE \"id\" = :id:",
              entity->BuildUpdateQuery("", true, "\"", "\"", nullptr));
    EXPECT_EQ("DELETE FROM `companies` WHERE `city` = :city:",
              entity->BuildDeleteQuery("city", "`", "`"));

    wxString keys = "x, ";
    wxString values;
    EXPECT_EQ(3u, entity->BuildKeysValues(&keys, &values, "", "", true, &exclude));
    EXPECT_EQ("x, name", keys);
    EXPECT_EQ(":name:", values);
    EXPECT_EQ(0u, entity->BuildKeysValuesPairs(nullptr, "", "", false, nullptr));

    // Excluded fields are neither written nor counted as bound.
    unsigned int bound = 99;
    wxString statement =
        entity->BindValues(entity->BuildInsertQuery(true, "", "", &exclude), &bound);
    EXPECT_EQ("INSERT INTO companies (name) VALUES ('O''Neil')", statement);
    EXPECT_EQ(1u, bound);
    statement = entity->BindValues(entity->BuildUpdateQuery("", false, "", "", nullptr), &bound);
    EXPECT_EQ("UPDATE companies SET id = NULL, name = 'O''Neil', city = 'Bonn' WHERE id = NULL",
              statement);
    EXPECT_EQ(3u, bound);

    // Without primary key or where-field an update has no condition.
    BKSQLiteDatabaseEntity loose(nullptr, "t", "", false, "", "", 0);
    loose.Set("a", 1, false, false, "", 0, false);
    EXPECT_EQ("UPDATE t SET a = 1", loose.CreateUpdateQuery("", false, nullptr));
}

TEST(BKSQLiteDatabaseEntity, NullAndNumberRules)
{
    BKSQLiteDatabaseEntity entity(nullptr, "t", "", false, "", "", 0);
    entity.Set("zero", 0, false, false, "", 0, true);
    entity.Set("five", 5, false, false, "", 0, true);
    entity.Set("text0", wxString("0"), true, true, "", 0, true);
    entity.Set("empty", wxString(), true, true, "", 0, true);
    entity.Set("kept", wxString(), true, true, "", 0, false);
    entity.Set("zeroKept", 0, false, false, "", 0, false);
    entity.Set("slash", wxString("a\\b"), true, true, "", 0, false);
    entity.Set("raw", wxString("it's"), false, false, "", 0, false);
    EXPECT_EQ(
        "INSERT INTO t (zero, five, text0, empty, kept, zeroKept, slash, raw) VALUES "
        "(NULL, 5, '0', NULL, '', 0, 'a\\\\b', it's)",
        entity.CreateInsertQuery(false, nullptr));
}

TEST(BKSQLiteDatabaseEntity, MoneyIsWrittenWithDecimalPoint)
{
    BKSQLiteDatabaseEntity entity(nullptr, "t", "", false, "", "", 0);
    BKCurrency money(12.5);
    entity.Set("price", money, false, false, "", 0, true);
    entity.Set("ratio", 0.5, false, false, "", 0, true);
    // A money text always has a decimal comma; SQL gets a point.
    EXPECT_EQ("12,50", entity.Get("price")->ToString());
    EXPECT_EQ("INSERT INTO t (price, ratio) VALUES (12.50, 0.500000)",
              entity.CreateInsertQuery(false, nullptr));

    ScopedNumericLocale german(GermanLocaleName());
    if (!german.IsAvailable()) {
        if (GermanLocaleRequired())
            FAIL() << "the German locale is missing";
        GTEST_SKIP() << "no German locale on this machine";
    }
    // A double is written exactly as its text, whatever that text is.
    entity.SetValue("ratio", 0.5);
    EXPECT_EQ("INSERT INTO t (price, ratio) VALUES (12.50, 0,500000)",
              entity.CreateInsertQuery(false, nullptr));
}

TEST(BKSQLiteDatabaseEntity, ExecutesOnItsDatabaseOrAGivenQuery)
{
    TempDir dir;
    BKSQLiteDatabase database(dir.Path("e.sqlite"));
    BKSQLiteQuery query(&database);
    ASSERT_TRUE(query.Query("CREATE TABLE companies (id INTEGER PRIMARY KEY, name TEXT)", false));
    auto entity = MakeCompany(&database);
    EXPECT_EQ(&database, entity->GetDatabase());

    EXPECT_TRUE(entity->ExecInsertQuery(entity->CreateInsertQuery(true, nullptr), nullptr));
    EXPECT_TRUE(entity->ExecInsertQuery(entity->CreateInsertQuery(true, nullptr), &query));
    ASSERT_TRUE(query.Query("SELECT COUNT(*) FROM companies WHERE name = 'O''Neil'", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ(2, query.GetField(0).ToInt());

    entity->SetValue("id", 1u);
    entity->SetValue("name", wxString("Mayer"));
    EXPECT_TRUE(entity->ExecUpdateQuery(entity->CreateUpdateQuery("", true, nullptr), nullptr));
    EXPECT_TRUE(entity->ExecDeleteQuery("DELETE FROM companies WHERE id = 2", &query));
    ASSERT_TRUE(query.Query("SELECT group_concat(name) FROM companies", true));
    ASSERT_TRUE(query.NextRecord());
    EXPECT_EQ("Mayer", query.GetField(0).ToString());

    EXPECT_FALSE(entity->ExecQuery("INSERT INTO nowhere VALUES (1)", nullptr, 0));
    BKSQLiteDatabaseEntity detached(nullptr, "t", "id", false, "", "", 0);
    EXPECT_FALSE(detached.ExecQuery("SELECT 1", nullptr, 0));
}

TEST(BKSQLiteDatabaseEntity, KeepsTableAttributesAndOwnsReferences)
{
    BKSQLiteDatabaseEntity entity(nullptr, "companies", "id", true, "parent", "groups", 4);
    EXPECT_EQ("companies", entity.GetTable());
    entity.SetTable("firms");
    EXPECT_EQ("firms", entity.GetName());
    EXPECT_EQ("groups", entity.GetForeignTable());
    EXPECT_EQ("parent", entity.GetForeignKey());
    EXPECT_EQ(4u, entity.GetReference());
    EXPECT_TRUE(entity.GetGetAutoSequence());
    entity.SetGetAutoSequence(false);
    EXPECT_FALSE(entity.GetGetAutoSequence());
    // Deleted with the entity (the sanitizer build would report a leak otherwise).
    entity.GetReferences()->AppendItem(new BKSQLiteDatabaseEntity(nullptr, false));
    EXPECT_EQ(1u, entity.GetReferences()->GetItemCount());
    EXPECT_EQ("BKSQLiteDatabaseEntity", entity.GetClassInfo().GetName());
    EXPECT_EQ("0.0.1", entity.GetClassInfo().GetVersion());
}
