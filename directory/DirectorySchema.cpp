#include "directory/DirectorySchema.h"

#include <wx/intl.h>

#include "app/DirectoryCheck.h"
#include "lib/db/BKQueryParser.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"

namespace {

const char* const kTables[] = {"companies", "sectors", "company_sectors"};

}  // namespace

DirectorySchema::DirectorySchema(Brenik::BKSQLiteDatabase* database) : database(database) {}

wxString DirectorySchema::Refusal() const
{
    for (const char* table : kTables) {
        // Only a plain table has pages of its own; a view's or a virtual table's page is 0.
        // The schema table is read, not the pragmas that describe a view by compiling it.
        Brenik::BKQueryParser parser;
        parser.Prepare(
            "SELECT type = 'table' AND rootpage > 0 FROM sqlite_schema "
            "WHERE name = :table: COLLATE NOCASE");
        parser.Bind("table", wxString(table), true, true);
        Brenik::BKSQLiteQuery query(database);
        if (!query.Query(parser.GetParsedQuery(), true) || !query.NextRecord())
            continue;
        if (query.GetField(0).ToInt() == 0)
            return _(". The table ") + table +
                   _(" is no plain table but a view or a virtual table");
        parser.Prepare("SELECT count(*) FROM pragma_table_xinfo(:table:) WHERE hidden != 0");
        parser.Bind("table", wxString(table), true, true);
        if (query.Query(parser.GetParsedQuery(), true) && query.NextRecord() &&
            query.GetField(0).ToInt() != 0)
            return _(". The table ") + table + _(" has generated or hidden columns");
    }
    return wxString();
}

bool DirectorySchema::IsIndexed(const char* column) const
{
    Brenik::BKQueryParser parser;
    parser.Prepare(
        "SELECT count(*) FROM pragma_index_list('company_sectors') AS list, "
        "pragma_index_info(list.name) AS info "
        "WHERE list.partial = 0 AND info.seqno = 0 AND info.name = :column: COLLATE NOCASE");
    parser.Bind("column", wxString(column), true, true);
    Brenik::BKSQLiteQuery query(database);
    return query.Query(parser.GetParsedQuery(), true) && query.NextRecord() &&
           query.GetField(0).ToInt() > 0;
}

bool DirectorySchema::IndexLinks() const
{
    if (IsIndexed("company") && IsIndexed("sector"))
        return true;
    Brenik::BKSQLiteQuery query(database);
    return query.Query(
               "CREATE TEMP TABLE company_sectors AS "
               "SELECT company, sector FROM main.company_sectors",
               false) &&
           query.Query("CREATE INDEX temp.company_sectors_company ON company_sectors (company)",
                       false) &&
           query.Query("CREATE INDEX temp.company_sectors_sector ON company_sectors (sector)",
                       false);
}

wxString RefusalOfDirectory(Brenik::BKSQLiteDatabase* database)
{
    return DirectorySchema(database).Refusal();
}

bool PrepareDirectoryLinks(Brenik::BKSQLiteDatabase* database)
{
    return DirectorySchema(database).IndexLinks();
}
