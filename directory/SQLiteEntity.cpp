#include "directory/SQLiteEntity.h"

SQLiteEntity::SQLiteEntity(Brenik::BKSQLiteDatabase* database, const wxString& table,
                           const wxString& primaryKey, bool autoSequence,
                           const wxString& foreignKey, const wxString& foreignTable,
                           unsigned int reference)
    : BKSQLiteDatabaseEntity(database, table, primaryKey, autoSequence, foreignKey, foreignTable,
                             reference)
{
}

wxString SQLiteEntity::ToSimpleString()
{
    BKEntityType* key = Get(GetPrimaryKey());
    return key ? key->ToString() : wxString();
}

wxString SQLiteEntity::ArrayStringToString(const wxArrayString& list, const wxString& separator,
                                           wxString lastSeparator)
{
    if (lastSeparator.empty())
        lastSeparator = separator;
    wxString text;
    size_t count = list.size();
    for (size_t index = 0; index < count; ++index) {
        if (index > 0)
            text += index + 1 == count ? lastSeparator : separator;
        text += list[index];
    }
    return text;
}
