#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"
#include "lib/entity/BKSQLiteDatabaseEntity.h"
#include "lib/entity/BKSQLiteEntityData.h"

using Brenik::BKCurrency;
using Brenik::BKEntity;
using Brenik::BKSQLiteDatabase;
using Brenik::BKSQLiteDatabaseEntity;
using Brenik::BKSQLiteEntityData;
using Brenik::BKSQLiteQuery;

namespace {

// A query that keeps no result generation, so loaders take the general path that looks every
// column up by name.
class PlainQuery : public BKSQLiteQuery {
public:
    using BKSQLiteQuery::BKSQLiteQuery;
    unsigned long long GetResultGeneration() const override { return 0; }
};

wxString Order(const BKEntity& entity)
{
    wxString keys;
    for (unsigned int index = 0; index < entity.GetCount(); ++index)
        keys += (index ? "," : "") + entity.Get(index)->GetKey();
    return keys;
}

// One field per type code, named after the column it reads.
std::unique_ptr<BKSQLiteDatabaseEntity> MakeTyped(BKSQLiteDatabase* database)
{
    auto entity =
        std::make_unique<BKSQLiteDatabaseEntity>(database, "typed", "id", true, "", "", 0);
    BKCurrency noMoney(0);
    entity->Set("id", 0u, false, false, "", 0, true);
    entity->Set("text", wxString("initial"), true, true, "", 0, true);
    entity->Set("s", static_cast<short>(0), false, false, "", 0, true);
    entity->Set("us", static_cast<unsigned short>(0), false, false, "", 0, true);
    entity->Set("i", 0, false, false, "", 0, true);
    entity->Set("l", 0l, false, false, "", 0, true);
    entity->Set("ul", 0ul, false, false, "", 0, true);
    entity->Set("f", 0.0f, false, false, "", 0, true);
    entity->Set("d", 0.0, false, false, "", 0, true);
    entity->Set("c", "", true, true, "", 0, true);
    entity->Set("m", noMoney, false, false, "", 0, true);
    entity->Set("b", false, false, false, "", 0, true);
    entity->Set("absent", wxString("kept"), true, true, "", 0, true);
    return entity;
}

class BKSQLiteEntityDataTest : public testing::Test {
protected:
    void SetUp() override
    {
        database = std::make_unique<BKSQLiteDatabase>(dir.Path("d.sqlite"));
        BKSQLiteQuery setup(database.get());
        ASSERT_TRUE(
            setup.Query("CREATE TABLE typed (id INTEGER PRIMARY KEY, text TEXT, s, us, "
                        "i, l, ul, f, d, c, m, b, extra)",
                        false));
        ASSERT_TRUE(setup.Query(
            wxString::FromUTF8("INSERT INTO typed VALUES (1, 'M\xC3\xBCller', '70000', '-1', "
                               "'12abc', '-42', '7', '0.25', '2.50', 'K\xC3\xB6ln', '3,25', "
                               "'Ja', 'ignored')"),
            false));
        ASSERT_TRUE(
            setup.Query("INSERT INTO typed VALUES (2, NULL, NULL, NULL, NULL, NULL, "
                        "NULL, NULL, NULL, NULL, NULL, NULL, NULL)",
                        false));
        // Text that is not valid UTF-8.
        ASSERT_TRUE(
            setup.Query("INSERT INTO typed (id, text, d, c) VALUES (3, "
                        "CAST(X'41C328' AS TEXT), CAST(X'FF' AS TEXT), "
                        "CAST(X'EDA080' AS TEXT))",
                        false));
        ASSERT_TRUE(
            setup.Query("CREATE TABLE companies (id INTEGER PRIMARY KEY, name TEXT)", false));
    }

    // Loads every row of the table through the cached, raw path and through the general
    // by-name path and expects the same values in the same order, also when a record is
    // loaded a second time after loading reordered it. Returns the rows compared.
    int CompareBulkLoadingWithLoadingByName(const wxString& table, const wxString& orderBy)
    {
        BKSQLiteEntityData fast(database.get(), table, "id", orderBy, 1);
        BKSQLiteEntityData slow(database.get(), table, "id", orderBy, 1);
        slow.SetQuery(new PlainQuery(database.get()), true);
        EXPECT_TRUE(fast.Get());
        EXPECT_TRUE(slow.Get());
        int rows = 0;
        while (fast.Run()) {
            EXPECT_TRUE(slow.Run());
            auto a = MakeTyped(database.get());
            auto b = MakeTyped(database.get());
            fast.Get(a.get());
            slow.Get(b.get());
            EXPECT_TRUE(a->Equals(b.get())) << a->ToString() << "\n---\n" << b->ToString();
            EXPECT_EQ(Order(*b), Order(*a));
            fast.Get(a.get());
            slow.Get(b.get());
            EXPECT_TRUE(a->Equals(b.get()));
            EXPECT_EQ(Order(*b), Order(*a));
            ++rows;
        }
        EXPECT_FALSE(slow.Run());
        return rows;
    }

    TempDir dir;
    std::unique_ptr<BKSQLiteDatabase> database;
};

}  // namespace

TEST_F(BKSQLiteEntityDataTest, SelectStatementsFollowTableAndOrder)
{
    BKSQLiteEntityData data(database.get(), "companies", "id", "name", 1);
    ASSERT_TRUE(data.Get());
    EXPECT_EQ("SELECT * FROM companies ORDER BY name ASC", data.GetQuery()->GetQuery());
    data.SetOrderBy("id", 0);
    ASSERT_TRUE(data.Get(wxString("name"), wxString("O'Neil"), true));
    EXPECT_EQ("SELECT * FROM companies WHERE name = 'O''Neil' ORDER BY id DESC",
              data.GetQuery()->GetQuery());
    // Unquoted, but escaped all the same (not valid SQL here, so it fails).
    EXPECT_FALSE(data.Get(wxString("name"), wxString("a\\b"), false));
    EXPECT_EQ("SELECT * FROM companies WHERE name = a\\\\b ORDER BY id DESC",
              data.GetQuery()->GetQuery());
    ASSERT_TRUE(data.Get(42u));
    EXPECT_EQ("SELECT * FROM companies WHERE id = 42", data.GetQuery()->GetQuery());
    ASSERT_TRUE(data.Get(wxString("7"), false));
    EXPECT_EQ("SELECT * FROM companies WHERE id = 7", data.GetQuery()->GetQuery());

    data.SetOrderBy("", 1);
    ASSERT_TRUE(data.Get());
    EXPECT_EQ("SELECT * FROM companies", data.GetQuery()->GetQuery());
    ASSERT_TRUE(data.Get(wxString("name"), wxString("x"), true));
    EXPECT_EQ("SELECT * FROM companies WHERE name = 'x'", data.GetQuery()->GetQuery());

    wxString field;
    unsigned int direction = 7;
    data.SetOrderBy("name", 0);
    data.GetOrderBy(&field, &direction);
    EXPECT_EQ("name", field);
    EXPECT_EQ(0u, direction);
    data.SetOrderBy("name", 5);
    data.GetOrderBy(nullptr, &direction);
    EXPECT_EQ(1u, direction);

    data.SetTable("missing");
    EXPECT_FALSE(data.Get());
    EXPECT_FALSE(data.Run());
    EXPECT_EQ(0u, data.GetCount());
}

TEST_F(BKSQLiteEntityDataTest, LoadsRowsByTypeCode)
{
    BKSQLiteEntityData data(database.get(), "typed", "id", "id", 1);
    ASSERT_TRUE(data.Get());
    EXPECT_EQ(3u, data.GetCount());
    ASSERT_TRUE(data.Run());
    auto entity = MakeTyped(database.get());
    data.Get(entity.get());
    EXPECT_EQ(1u, entity->Get("id")->ToUnsignedInt());
    EXPECT_EQ(wxString::FromUTF8("M\xC3\xBCller"), entity->Get("text")->ToString());
    EXPECT_EQ("4464", entity->Get("s")->ToString());    // low bits of 70000
    EXPECT_EQ("65535", entity->Get("us")->ToString());  // -1 wrapped
    EXPECT_EQ("12", entity->Get("i")->ToString());      // leading digits count
    EXPECT_EQ("-42", entity->Get("l")->ToString());
    EXPECT_EQ("7", entity->Get("ul")->ToString());
    EXPECT_EQ("0.250000", entity->Get("f")->ToString());  // through float
    EXPECT_EQ("2.50", entity->Get("d")->ToString());      // double: the text as it is
    EXPECT_EQ(wxString::FromUTF8("K\xC3\xB6ln"), entity->Get("c")->ToString());
    EXPECT_EQ("3.250000", entity->Get("m")->ToString());  // money: through a double
    EXPECT_EQ("true", entity->Get("b")->ToString());
    EXPECT_EQ("kept", entity->Get("absent")->ToString());  // no such column
    EXPECT_EQ(nullptr, entity->Get("extra"));              // column without a field
    // Loaded fields moved to the end in their order; the unmatched one stays in front.
    EXPECT_EQ("absent,id,text,s,us,i,l,ul,f,d,c,m,b", Order(*entity));
    // Type codes are those of the declaration.
    EXPECT_EQ(1u, entity->Get("s")->GetType());
    EXPECT_EQ(10u, entity->Get("m")->GetType());

    // A row of NULLs: empty texts, zero numbers, false.
    ASSERT_TRUE(data.Run());
    auto nulls = MakeTyped(database.get());
    data.Get(nulls.get());
    EXPECT_EQ("", nulls->Get("text")->ToString());
    EXPECT_EQ("0", nulls->Get("s")->ToString());
    EXPECT_EQ("0", nulls->Get("ul")->ToString());
    EXPECT_EQ("", nulls->Get("d")->ToString());
    EXPECT_EQ("", nulls->Get("c")->ToString());
    EXPECT_EQ("false", nulls->Get("b")->ToString());

    data.Get(static_cast<BKEntity*>(nullptr));  // ignored
}

TEST_F(BKSQLiteEntityDataTest, BulkLoadingMatchesLoadingByName)
{
    // Includes rows whose text is not valid UTF-8.
    EXPECT_EQ(3, CompareBulkLoadingWithLoadingByName("typed", "id"));
}

TEST_F(BKSQLiteEntityDataTest, BulkLoadingMatchesLoadingByNameForAwkwardCells)
{
    // Number texts near the forms the conversions write, and long texts whose ASCII
    // stretches surround well-formed and broken multi-byte sequences.
    BKSQLiteQuery setup(database.get());
    ASSERT_TRUE(setup.Query(
        "CREATE TABLE awkward (id, text, s, us, i, l, ul, f, d, c, m, b, extra)", false));
    // clang-format off
    const char* numbers[] = {
        "0", "00", "007", "-0", "+5", " 42", "42 ", "9999", "10000", "32768", "70000",
        "999999999", "1000000000", "4294967296", "-1", "12abc", "99999999999999999999", "0x1A",
        ""};
    // clang-format on
    int row = 0;
    for (const char* number : numbers) {
        ++row;
        wxString statement = wxString::Format(
            "INSERT INTO awkward VALUES ('%s', 't', '%s', '%s', '%s', '%s', '%s', '%s', '%s', "
            "'%s', '%s', '%s', NULL)",
            number, number, number, number, number, number, number, number, number, number, number);
        ASSERT_TRUE(setup.Query(statement, false)) << number;
    }
    const std::string ascii(40, 'a');
    // clang-format off
    std::vector<std::string> texts = {
        ascii + "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80" + ascii,  // two-, three-, four-byte
        ascii + "\xC3\xA4" + ascii + "\xC3\xB6",                 // at the very end
        ascii + "\xC3\x28" + ascii,                              // cut by an ASCII byte
        ascii + "\xE2\x82" + ascii,                              // sequence too short
        ascii + "\xC0\xAF" + ascii,                              // overlong
        ascii + "\xED\xA0\x80" + ascii,                          // surrogate
        ascii + "\xF4\x90\x80\x80",                              // beyond U+10FFFF
        ascii + "\x80",                                          // lone continuation
        std::string("\xC3\xA4") + ascii.substr(0, 7),            // shorter than a word
        ascii.substr(0, 7) + "\xC3\xA4",
        "1\xC2\xBD", "true", "JA", "yes ", "On",
    };
    // clang-format on
    // A two-byte letter, and its lead byte alone, at every place of the first words.
    for (size_t place = 0; place < 18; ++place) {
        texts.push_back(ascii.substr(0, place) + "\xC3\xBC" + ascii.substr(0, 20));
        texts.push_back(ascii.substr(0, place) + "\xC3" + ascii.substr(0, 20));
    }
    for (const std::string& text : texts) {
        ++row;
        // Hexadecimal literals carry the bytes, broken or not, into the text columns.
        wxString hex;
        for (unsigned char c : text)
            hex += wxString::Format("%02X", c);
        wxString statement = wxString::Format(
            "INSERT INTO awkward VALUES (%d, CAST(X'%s' AS TEXT), CAST(X'%s' AS TEXT), NULL, "
            "NULL, NULL, NULL, NULL, CAST(X'%s' AS TEXT), CAST(X'%s' AS TEXT), NULL, "
            "CAST(X'%s' AS TEXT), NULL)",
            row, hex, hex, hex, hex, hex);
        ASSERT_TRUE(setup.Query(statement, false)) << row;
    }

    EXPECT_EQ(row, CompareBulkLoadingWithLoadingByName("awkward", ""));

    BKSQLiteEntityData fast(database.get(), "awkward", "id", "", 1);

    // A few of the rules the comparison relies on, spelled out.
    ASSERT_TRUE(fast.Get());
    auto loaded = MakeTyped(database.get());
    ASSERT_TRUE(fast.Run());  // "0"
    fast.Get(loaded.get());
    EXPECT_EQ("0", loaded->Get("s")->ToString());
    ASSERT_TRUE(fast.Run());  // "00"
    fast.Get(loaded.get());
    EXPECT_EQ("0", loaded->Get("i")->ToString());
    EXPECT_EQ("00", loaded->Get("d")->ToString());
    ASSERT_TRUE(fast.Run());  // "007"
    fast.Get(loaded.get());
    EXPECT_EQ("7", loaded->Get("ul")->ToString());
    for (int skip = 0; skip < 6; ++skip)
        ASSERT_TRUE(fast.Run());  // on to "10000"
    fast.Get(loaded.get());
    EXPECT_EQ("10000", loaded->Get("s")->ToString());
    ASSERT_TRUE(fast.Run());  // "32768"
    fast.Get(loaded.get());
    EXPECT_EQ("-32768", loaded->Get("s")->ToString());
    EXPECT_EQ("32768", loaded->Get("us")->ToString());
}

TEST_F(BKSQLiteEntityDataTest, LoadsEntitiesOfDifferentLayoutsFromOneResult)
{
    BKSQLiteEntityData data(database.get(), "typed", "id", "id", 1);
    ASSERT_TRUE(data.Get());
    ASSERT_TRUE(data.Run());
    auto full = MakeTyped(database.get());
    data.Get(full.get());
    BKSQLiteDatabaseEntity small(database.get(), "typed", "id", true, "", "", 0);
    small.Set("text", wxString(), true, true, "", 0, true);
    small.Set("i", 0, false, false, "", 0, true);
    data.Get(&small);
    EXPECT_EQ(wxString::FromUTF8("M\xC3\xBCller"), small.Get("text")->ToString());
    EXPECT_EQ(12, small.Get("i")->ToInt());
    // Same keys, other flags: another layout.
    BKSQLiteDatabaseEntity flagged(database.get(), "typed", "id", true, "", "", 0);
    flagged.Set("i", 0, false, false, "", 0, true);
    flagged.Set("text", wxString(), false, false, "", 0, false);
    data.Get(&flagged);
    EXPECT_EQ(wxString::FromUTF8("M\xC3\xBCller"), flagged.Get("text")->ToString());
    EXPECT_EQ(12, flagged.Get("i")->ToInt());

    ASSERT_TRUE(data.Run());
    auto second = MakeTyped(database.get());
    data.Get(second.get());
    EXPECT_EQ(2u, second->Get("id")->ToUnsignedInt());
    EXPECT_EQ("", second->Get("text")->ToString());
}

TEST_F(BKSQLiteEntityDataTest, ExistsAndInsertOrUpdate)
{
    BKSQLiteEntityData data(database.get(), "companies", "id", "name", 1);
    EXPECT_FALSE(data.Exists("id", "1", "", false, false));

    BKSQLiteDatabaseEntity company(database.get(), "companies", "id", false, "", "", 0);
    company.Set("id", 1u, false, false, "", 0, true);
    company.Set("name", wxString("O'Neil"), true, true, "", 0, true);
    ASSERT_TRUE(data.InsertOrUpdate(&company, nullptr, nullptr));
    EXPECT_EQ("INSERT INTO companies (id, name) VALUES (1, 'O''Neil')", data.GetLastParsedQuery());
    EXPECT_TRUE(data.Exists("id", "1", "", false, false));
    EXPECT_TRUE(data.Exists("name", "O'Neil", "", true, true));
    EXPECT_FALSE(data.Exists("name", "O'Neil", "O'Neil", true, true));
    EXPECT_TRUE(data.Exists("name", "O'Neil", "Mayer", true, true));
    EXPECT_FALSE(data.Exists("missing", "1", "", false, false));

    company.SetValue("name", wxString("Mayer"));
    ASSERT_TRUE(data.InsertOrUpdate(&company, nullptr, nullptr));
    EXPECT_EQ("UPDATE companies SET id = 1, name = 'Mayer' WHERE id = 1",
              data.GetLastParsedQuery());
    ASSERT_TRUE(data.Get(1u));
    ASSERT_TRUE(data.Run());
    BKSQLiteDatabaseEntity loaded(database.get(), "companies", "id", false, "", "", 0);
    loaded.Set("name", wxString(), true, true, "", 0, true);
    data.Get(&loaded);
    EXPECT_EQ("Mayer", loaded.Get("name")->ToString());
    EXPECT_FALSE(data.Run());

    ASSERT_TRUE(data.Delete(&company, "", nullptr));
    EXPECT_EQ("DELETE FROM companies WHERE id = 1", data.GetLastParsedQuery());
    EXPECT_FALSE(data.Exists("id", "1", "", false, false));

    ASSERT_TRUE(data.Insert(&company, false, nullptr, nullptr));
    company.SetValue("name", wxString("Neu"));
    ASSERT_TRUE(data.Update(&company, "", true, nullptr, nullptr));
    EXPECT_EQ("UPDATE companies SET name = 'Neu' WHERE id = 1", data.GetLastParsedQuery());
    EXPECT_FALSE(data.Insert(&company, false, nullptr, nullptr));  // id taken
    EXPECT_EQ("INSERT INTO companies (id, name) VALUES (1, 'Neu')", data.GetLastParsedQuery());
}

TEST_F(BKSQLiteEntityDataTest, PersistWritesDependentsWithForeignKey)
{
    BKSQLiteQuery setup(database.get());
    ASSERT_TRUE(
        setup.Query("CREATE TABLE phones (id INTEGER PRIMARY KEY, company, number)", false));
    BKSQLiteEntityData data(database.get(), "companies", "id", "", 1);
    BKSQLiteDatabaseEntity* company =
        new BKSQLiteDatabaseEntity(database.get(), "companies", "id", false, "", "", 0);
    company->Set("id", 9u, false, false, "", 0, true);
    company->Set("name", wxString("Parent"), true, true, "", 0, true);
    auto* phone =
        new BKSQLiteDatabaseEntity(database.get(), "phones", "id", true, "company", "companies", 0);
    phone->Set("id", 0u, false, false, "", 0, true);
    phone->Set("company", wxString(), true, true, "", 0, true);
    phone->Set("number", wxString("0228 1"), true, true, "", 0, true);
    company->GetReferences()->AppendItem(phone);
    ASSERT_TRUE(data.Persist(company, nullptr));
    delete company;

    ASSERT_TRUE(setup.Query("SELECT company, number FROM phones", true));
    ASSERT_TRUE(setup.NextRecord());
    EXPECT_EQ("9", setup.GetField(0).ToString());
    EXPECT_EQ("0228 1", setup.GetField(1).ToString());
    EXPECT_FALSE(setup.NextRecord());

    BKSQLiteDatabaseEntity broken(database.get(), "nowhere", "id", false, "", "", 0);
    broken.Set("id", 1u, false, false, "", 0, true);
    EXPECT_FALSE(data.Persist(&broken, nullptr));
    EXPECT_EQ("BKSQLiteEntityData", data.GetClassInfo().GetName());
    EXPECT_EQ("0.0.3", data.GetClassInfo().GetVersion());
}
