#include "directory/SectorEntities.h"

SectorEntities::SectorEntities() : SQLiteEntityContainer(true) {}
