#include <gtest/gtest.h>

#include "directory/SectorEntities.h"

TEST(SectorEntities, AlwaysOwnsItsRecords)
{
    SectorEntities sectors;
    EXPECT_TRUE(sectors.GetAutoCleanUp());
    sectors.AppendItem(new SectorEntity(nullptr));
    sectors.AppendItem(new SectorEntity(nullptr));
    EXPECT_EQ(2u, sectors.GetItemCount());
    // The records go with the list; the sanitizer build reports them otherwise.
}
