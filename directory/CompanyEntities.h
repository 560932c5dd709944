// A list of company records; owns them only when created with auto clean-up.
#pragma once

#include "directory/CompanyEntity.h"
#include "directory/SQLiteEntityContainer.h"

class CompanyEntities : public SQLiteEntityContainer<CompanyEntity> {
public:
    explicit CompanyEntities(bool autoCleanUp);
};
