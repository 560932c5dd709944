#include "directory/SectorController.h"

#include <memory>

SectorController::SectorController(Brenik::BKSQLiteDatabase* database)
    : SQLiteController(database, "sectors", "id", "sector", 1)
{
}

SectorEntities* SectorController::LoadSectors()
{
    auto sectors = std::make_unique<SectorEntities>();
    if (Get()) {
        sectors->ReserveItems(GetCount());
        while (Run()) {
            auto sector = std::make_unique<SectorEntity>(GetDatabase());
            Get(sector.get());
            sectors->AppendItem(sector.release());
        }
    }
    return sectors.release();
}
