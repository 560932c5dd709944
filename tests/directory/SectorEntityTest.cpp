#include <gtest/gtest.h>

#include "directory/SectorEntity.h"

TEST(SectorEntity, DeclaresIdAndName)
{
    SectorEntity sector(nullptr);
    EXPECT_EQ("sectors", sector.GetTable());
    EXPECT_EQ("id", sector.GetPrimaryKey());
    EXPECT_TRUE(sector.GetGetAutoSequence());
    ASSERT_EQ(2u, sector.GetCount());
    EXPECT_EQ("id", sector.Get(0u)->GetKey());
    EXPECT_EQ(4u, sector.Get(0u)->GetType());
    EXPECT_EQ("0", sector.Get(0u)->ToString());
    EXPECT_FALSE(sector.Get(0u)->GetDelimiters());
    EXPECT_EQ("sector", sector.Get(1u)->GetKey());
    EXPECT_EQ(0u, sector.Get(1u)->GetType());
    EXPECT_TRUE(sector.Get(1u)->GetDelimiters());
    EXPECT_TRUE(sector.Get(1u)->GetEscape());
    EXPECT_TRUE(sector.Get(1u)->GetNull());
    // Each record has its own fields.
    SectorEntity other(nullptr);
    sector.SetValue("sector", wxString("Apotheke"));
    EXPECT_EQ("", other.Get("sector")->ToString());
    EXPECT_EQ("INSERT INTO sectors (id, sector) VALUES (NULL, 'Apotheke')",
              sector.CreateInsertQuery(false, nullptr));
}
