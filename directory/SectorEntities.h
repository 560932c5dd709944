// A list of sector records that always owns them.
#pragma once

#include "directory/SQLiteEntityContainer.h"
#include "directory/SectorEntity.h"

class SectorEntities : public SQLiteEntityContainer<SectorEntity> {
public:
    SectorEntities();
};
