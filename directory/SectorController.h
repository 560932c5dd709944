// Loads the directory's sector list, ordered by name. Owns its query on the borrowed
// connection.
#pragma once

#include "directory/SQLiteController.h"
#include "directory/SectorEntities.h"

class SectorController : public SQLiteController {
public:
    explicit SectorController(Brenik::BKSQLiteDatabase* database);

    // A new list (the caller owns it, never null) with one record per sector; empty when
    // the statement fails.
    SectorEntities* LoadSectors();
};
