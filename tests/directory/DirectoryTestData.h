// Small directory databases for the directory tests: the schema of the delivered file and
// helpers that add companies, sectors and filings through the library's own query class.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "lib/db/BKQueryParser.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"

namespace DirectoryTestData {

inline bool Execute(Brenik::BKSQLiteDatabase* database, const wxString& statement)
{
    Brenik::BKSQLiteQuery query(database);
    return query.Query(statement, false);
}

inline void CreateSchema(Brenik::BKSQLiteDatabase* database)
{
    ASSERT_TRUE(
        Execute(database,
                "CREATE TABLE companies (id INTEGER PRIMARY KEY, name TEXT, ceo TEXT, "
                "address TEXT, housenumber TEXT, zipcode TEXT, city TEXT, state TEXT, "
                "phone TEXT, fax TEXT, mobile TEXT, internet TEXT, email TEXT, "
                "taxIdNumber TEXT, taxNumber TEXT, notes TEXT, openingHours TEXT, logo TEXT, "
                "districtCourt TEXT, commercialRegister TEXT, blog TEXT, twitter TEXT, "
                "facebook TEXT, imprintUrl TEXT, keywords TEXT, description TEXT, "
                "imprint TEXT, staff TEXT, startyear TEXT, typeofcompany TEXT, owner TEXT, "
                "cooperations TEXT, memberships TEXT, parking TEXT, premium INTEGER, "
                "premiumStartDate TEXT, premiumStopDate TEXT, created TEXT, updated TEXT)"));
    ASSERT_TRUE(Execute(database, "CREATE TABLE sectors (id INTEGER PRIMARY KEY, sector TEXT)"));
    ASSERT_TRUE(
        Execute(database, "CREATE TABLE company_sectors (company INTEGER, sector INTEGER)"));
}

// An SQL string literal holding exactly the UTF-8 text (SQLite gives backslashes no meaning).
inline wxString Literal(const char* text)
{
    wxString value = wxString::FromUTF8(text);
    value.Replace("'", "''");
    return "'" + value + "'";
}

// A company with a name and a managing director (either may be null: pass nullptr).
inline void AddCompany(Brenik::BKSQLiteDatabase* database, unsigned int id, const char* name,
                       const char* ceo)
{
    Brenik::BKQueryParser parser;
    parser.Prepare(
        "INSERT INTO companies (id, name, ceo, city, parking, premium) "
        "VALUES (:id:, :name:, :ceo:, 'Bonn', 'ja', 1)");
    parser.Bind("id", id);
    if (name)
        parser.Bind("name", Literal(name), false, false);
    else
        parser.BindNull("name");
    if (ceo)
        parser.Bind("ceo", Literal(ceo), false, false);
    else
        parser.BindNull("ceo");
    ASSERT_TRUE(Execute(database, parser.GetParsedQuery()));
}

inline void AddSector(Brenik::BKSQLiteDatabase* database, unsigned int id, const char* name)
{
    Brenik::BKQueryParser parser;
    parser.Prepare("INSERT INTO sectors (id, sector) VALUES (:id:, :name:)");
    parser.Bind("id", id);
    parser.Bind("name", Literal(name), false, false);
    ASSERT_TRUE(Execute(database, parser.GetParsedQuery()));
}

inline void File(Brenik::BKSQLiteDatabase* database, unsigned int company,
                 std::initializer_list<unsigned int> sectors)
{
    for (unsigned int sector : sectors) {
        ASSERT_TRUE(Execute(
            database,
            wxString::Format("INSERT INTO company_sectors VALUES (%u, %u)", company, sector)));
    }
}

}  // namespace DirectoryTestData
