#include "directory/CompanyEntities.h"

CompanyEntities::CompanyEntities(bool autoCleanUp) : SQLiteEntityContainer(autoCleanUp) {}
