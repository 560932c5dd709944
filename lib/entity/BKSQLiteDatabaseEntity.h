// The SQLite form of a writable entity: builds its statements without identifier quoting and
// runs them on its connection. The database is borrowed.
#pragma once

#include "lib/entity/BKDatabaseEntity.h"

namespace Brenik {

class BKSQLiteDatabase;

class BKSQLiteDatabaseEntity : public BKDatabaseEntity {
public:
    BKSQLiteDatabaseEntity(BKSQLiteDatabase* database, bool autoSequence);
    BKSQLiteDatabaseEntity(BKSQLiteDatabase* database, const wxString& table,
                           const wxString& primaryKey, bool autoSequence,
                           const wxString& foreignKey, const wxString& foreignTable,
                           unsigned int reference);

    BKClassInfo GetClassInfo() const override;

    // Finished statements: the template with every field value bound.
    wxString CreateInsertQuery(bool skipPrimaryKey, wxArrayString* exclude) override;
    wxString CreateUpdateQuery(const wxString& whereField, bool skipPrimaryKey,
                               wxArrayString* exclude) override;
    wxString CreateDeleteQuery(const wxString& whereField) override;
    // Runs on the given query, or on a temporary one on the entity's database when null.
    bool ExecQuery(const wxString& statement, BKQuery* query, unsigned int kind) override;

    bool ExecInsertQuery(const wxString& statement, BKQuery* query);
    bool ExecUpdateQuery(const wxString& statement, BKQuery* query);
    bool ExecDeleteQuery(const wxString& statement, BKQuery* query);

    void SetDatabase(BKSQLiteDatabase* database);
    BKSQLiteDatabase* GetDatabase() const { return sqliteDatabase; }

private:
    BKSQLiteDatabase* sqliteDatabase;
};

}  // namespace Brenik
