#include "directory/SQLiteController.h"

#include "lib/db/BKSQLiteQuery.h"

using Brenik::BKSQLiteQuery;

SQLiteController::SQLiteController(Brenik::BKSQLiteDatabase* database, const wxString& table,
                                   const wxString& primaryKey, const wxString& orderByField,
                                   unsigned int direction)
    : BKSQLiteEntityData(database, table, primaryKey, orderByField, direction)
{
}

unsigned int SQLiteController::ConvertOrderFromString(wxString order, unsigned int fallback)
{
    order.MakeLower();
    if (order == "asc")
        return 1;
    if (order == "desc")
        return 0;
    return fallback;
}

int SQLiteController::FillFromResult(BKSQLiteQuery& query, wxArrayString& list)
{
    int count = -1;
    if (query.Exec(true)) {
        count = 0;
        while (query.NextRecord()) {
            list.Add(query.GetField("resultfield", true).ToString());
            ++count;
        }
    }
    query.FreeResult();
    return count;
}

int SQLiteController::FillBySimpleQuery(BKSQLiteQuery& query, wxArrayString& list,
                                        const wxString& field, const wxString& table,
                                        const wxString& idField, unsigned int id)
{
    query.Prepare(
        "SELECT \t\":table:\".\":field:\" AS resultfield FROM \t\":table:\" WHERE "
        "\t\":table:\".\":idField:\" = :id:");
    query.Bind("field", field, false, true);
    query.Bind("table", table, false, true);
    query.Bind("idField", idField, false, true);
    query.Bind("id", id);
    return FillFromResult(query, list);
}

int SQLiteController::FillBySimpleQuery(BKSQLiteQuery& query, wxArrayString& list,
                                        const wxString& field, const wxString& mainTable,
                                        const wxString& mainField, const wxString& referenceTable,
                                        const wxString& referenceField, const wxString& idField,
                                        unsigned int id)
{
    query.Prepare(
        "SELECT \t\":mainTable:\".\":field:\" AS resultfield FROM \t\":mainTable:\" "
        "INNER JOIN \t\":referenceTable:\" ON \":referenceTable:\".\":referenceField:\" "
        "= \":mainTable:\".\":mainField:\"WHERE \t\":referenceTable:\".\":idField:\" "
        "= :id:");
    query.Bind("field", field, false, true);
    query.Bind("mainTable", mainTable, false, true);
    query.Bind("mainField", mainField, false, true);
    query.Bind("referenceTable", referenceTable, false, true);
    query.Bind("referenceField", referenceField, false, true);
    query.Bind("idField", idField, false, true);
    query.Bind("id", id);
    return FillFromResult(query, list);
}
