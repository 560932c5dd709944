#include "lib/entity/BKSQLiteEntityData.h"

#include "lib/db/BKQueryParser.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"
#include "lib/entity/BKSQLiteDatabaseEntity.h"

namespace Brenik {

BKSQLiteEntityData::BKSQLiteEntityData(BKSQLiteDatabase* database, const wxString& table,
                                       const wxString& primaryKey, const wxString& orderByField,
                                       unsigned int direction)
    : BKEntityData(new BKSQLiteQuery(database), table, primaryKey, orderByField, direction, true),
      sqliteDatabase(database)
{
    SetDatabase(database);
}

BKClassInfo BKSQLiteEntityData::GetClassInfo() const
{
    return BKClassInfo::Make("BKSQLiteEntityData", "0.0.3");
}

bool BKSQLiteEntityData::Get()
{
    BKQueryParser parser;
    if (GetOrderByField().empty()) {
        parser.Prepare("SELECT * FROM :table:");
    } else {
        parser.Prepare("SELECT * FROM :table: ORDER BY :orderByField: :order:");
        parser.Bind("orderByField", GetOrderByField(), false, true);
        parser.Bind("order", GetOrder(), false, true);
    }
    parser.Bind("table", GetTable(), false, true);
    return Create(parser.GetParsedQuery());
}

bool BKSQLiteEntityData::Get(unsigned int id)
{
    BKQueryParser parser;
    parser.Prepare("SELECT * FROM :table: WHERE :primaryKey: = :value:");
    parser.Bind("table", GetTable(), false, true);
    parser.Bind("primaryKey", GetPrimaryKey(), false, true);
    parser.Bind("value", id);
    return Create(parser.GetParsedQuery());
}

bool BKSQLiteEntityData::Get(const wxString& value, bool delimiters)
{
    BKQueryParser parser;
    parser.Prepare("SELECT * FROM :table: WHERE :primaryKey: = :value:");
    parser.Bind("table", GetTable(), false, true);
    parser.Bind("primaryKey", GetPrimaryKey(), false, true);
    parser.Bind("value", value, delimiters, true);
    return Create(parser.GetParsedQuery());
}

bool BKSQLiteEntityData::Get(const wxString& field, const wxString& value, bool delimiters)
{
    BKQueryParser parser;
    if (GetOrderByField().empty()) {
        parser.Prepare("SELECT * FROM :table: WHERE :field: = :value:");
    } else {
        parser.Prepare(
            "SELECT * FROM :table: WHERE :field: = :value: ORDER BY :orderByField: :order:");
        parser.Bind("orderByField", GetOrderByField(), false, true);
        parser.Bind("order", GetOrder(), false, true);
    }
    parser.Bind("table", GetTable(), false, true);
    parser.Bind("field", field, false, true);
    parser.Bind("value", value, delimiters, true);
    return Create(parser.GetParsedQuery());
}

bool BKSQLiteEntityData::Exists(const wxString& field, const wxString& value,
                                const wxString& oldValue, bool delimiters, bool escape)
{
    BKQuery* query = GetQuery();
    if (!query)
        return false;
    wxString statement = "SELECT COUNT(*) AS counter FROM :table: WHERE :field: = :value:";
    if (!oldValue.empty())
        statement += " AND :field: != :oldValue:";
    query->Prepare(statement);
    query->Bind("table", GetTable(), false, true);
    query->Bind("field", field, false, true);
    query->Bind("value", value, delimiters, escape);
    query->Bind("oldValue", oldValue, delimiters, escape);
    bool exists = false;
    if (query->Exec(true) && query->NextRecord())
        exists = query->GetField("counter", true).ToUnsignedInt() != 0;
    query->FreeResult();
    return exists;
}

void BKSQLiteEntityData::Get(BKSQLiteDatabaseEntity* entity)
{
    BKEntityData::Get(static_cast<BKEntity*>(entity));
}

}  // namespace Brenik
