#include "lib/entity/BKSQLiteDatabaseEntity.h"

#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"

namespace Brenik {

BKSQLiteDatabaseEntity::BKSQLiteDatabaseEntity(BKSQLiteDatabase* database, bool autoSequence)
    : BKDatabaseEntity(autoSequence), sqliteDatabase(database)
{
    BKLib::SetDatabase(database);
}

BKSQLiteDatabaseEntity::BKSQLiteDatabaseEntity(BKSQLiteDatabase* database, const wxString& table,
                                               const wxString& primaryKey, bool autoSequence,
                                               const wxString& foreignKey,
                                               const wxString& foreignTable, unsigned int reference)
    : BKDatabaseEntity(table, primaryKey, autoSequence, foreignKey, foreignTable, reference),
      sqliteDatabase(database)
{
    BKLib::SetDatabase(database);
}

BKClassInfo BKSQLiteDatabaseEntity::GetClassInfo() const
{
    return BKClassInfo::Make("BKSQLiteDatabaseEntity", "0.0.1");
}

void BKSQLiteDatabaseEntity::SetDatabase(BKSQLiteDatabase* database)
{
    sqliteDatabase = database;
    BKLib::SetDatabase(database);
}

wxString BKSQLiteDatabaseEntity::CreateInsertQuery(bool skipPrimaryKey, wxArrayString* exclude)
{
    return BindValues(BuildInsertQuery(skipPrimaryKey, wxString(), wxString(), exclude), nullptr);
}

wxString BKSQLiteDatabaseEntity::CreateUpdateQuery(const wxString& whereField, bool skipPrimaryKey,
                                                   wxArrayString* exclude)
{
    return BindValues(BuildUpdateQuery(whereField, skipPrimaryKey, wxString(), wxString(), exclude),
                      nullptr);
}

wxString BKSQLiteDatabaseEntity::CreateDeleteQuery(const wxString& whereField)
{
    return BindValues(BuildDeleteQuery(whereField, wxString(), wxString()), nullptr);
}

bool BKSQLiteDatabaseEntity::ExecQuery(const wxString& statement, BKQuery* query, unsigned int)
{
    if (query)
        return query->Query(statement, false);
    if (!sqliteDatabase)
        return false;
    BKSQLiteQuery temporary(sqliteDatabase);
    return temporary.Query(statement, false);
}

bool BKSQLiteDatabaseEntity::ExecInsertQuery(const wxString& statement, BKQuery* query)
{
    return ExecQuery(statement, query, 0);
}

bool BKSQLiteDatabaseEntity::ExecUpdateQuery(const wxString& statement, BKQuery* query)
{
    return ExecQuery(statement, query, 1);
}

bool BKSQLiteDatabaseEntity::ExecDeleteQuery(const wxString& statement, BKQuery* query)
{
    return ExecQuery(statement, query, 2);
}

}  // namespace Brenik
