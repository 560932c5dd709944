// One sector of the directory: its number and name. Bound to a borrowed connection.
#pragma once

#include "directory/SQLiteEntity.h"

class SectorEntity : public SQLiteEntity {
public:
    explicit SectorEntity(Brenik::BKSQLiteDatabase* database);
};
