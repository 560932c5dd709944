// The SQLite form of the table data access: owns a query on the given connection (which it
// opens when needed) and supplies the SELECT statements. The database is borrowed.
#pragma once

#include "lib/entity/BKEntityData.h"

namespace Brenik {

class BKSQLiteDatabase;
class BKSQLiteDatabaseEntity;

class BKSQLiteEntityData : public BKEntityData {
public:
    BKSQLiteEntityData(BKSQLiteDatabase* database, const wxString& table,
                       const wxString& primaryKey, const wxString& orderByField,
                       unsigned int direction);

    BKClassInfo GetClassInfo() const override;

    using BKEntityData::Get;
    // All rows, in the order-by field's order when one is set.
    bool Get() override;
    // The row whose primary key is the id.
    bool Get(unsigned int id) override;
    // The row whose primary key is the value (escaped; quoted when delimiters is set).
    bool Get(const wxString& value, bool delimiters) override;
    // The rows whose field is the value.
    bool Get(const wxString& field, const wxString& value, bool delimiters) override;
    // Runs on the object's own query, whose parser keeps this statement's placeholders.
    bool Exists(const wxString& field, const wxString& value, const wxString& oldValue,
                bool delimiters, bool escape) override;
    // Copies the current row into the entity.
    void Get(BKSQLiteDatabaseEntity* entity);

    BKSQLiteDatabase* GetDatabase() const { return sqliteDatabase; }

private:
    BKSQLiteDatabase* sqliteDatabase;
};

}  // namespace Brenik
