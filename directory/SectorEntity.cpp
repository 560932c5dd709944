#include "directory/SectorEntity.h"

#include <memory>

namespace {

// The fields every sector record starts with; records copy them instead of declaring each.
const Brenik::BKEntity& Prototype()
{
    static const std::unique_ptr<Brenik::BKEntity> prototype = [] {
        auto entity = std::make_unique<Brenik::BKEntity>();
        entity->Set("id", 0u, false, false, wxString(), 0, true);
        entity->Set("sector", wxString(), true, true, wxString(), 0, true);
        return entity;
    }();
    return *prototype;
}

}  // namespace

SectorEntity::SectorEntity(Brenik::BKSQLiteDatabase* database)
    : SQLiteEntity(database, "sectors", "id", true, wxString(), wxString(), 0)
{
    CopyFields(Prototype());
}
