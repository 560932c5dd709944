#include <gtest/gtest.h>

#include <memory>

#include "directory/CompanyEntities.h"

TEST(CompanyEntities, OwnsRecordsOnlyWithCleanUp)
{
    auto company = std::make_unique<CompanyEntity>(nullptr, true);
    company->SetValue("name", wxString("Mayer"));
    {
        CompanyEntities borrowed(false);
        EXPECT_FALSE(borrowed.GetAutoCleanUp());
        borrowed.AppendItem(company.get());
        EXPECT_EQ(company.get(), borrowed.GetEntity(0));
    }
    // Still alive: the list without clean-up deleted nothing.
    EXPECT_EQ("Mayer", company->Get("name")->ToString());
    {
        CompanyEntities owning(true);
        owning.AppendItem(company.release());
        EXPECT_EQ("Mayer", owning.ToArrayString("name")[0]);
    }
}
